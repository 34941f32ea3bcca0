#include "sim/controller.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "sim_frames.h"

using namespace std::string_literals;

namespace {

constexpr uint32_t A = FramingASpeed;
constexpr uint32_t B = FramingBSpeed;
constexpr unsigned Sn = 0x1234;

TControllerSettings Sample() {
  TControllerSettings S;
  S.SerialNumber = Sn;
  S.Address = 7;
  S.Type = 0x19;
  S.VersionMajor = 2;
  S.VersionMinor = 5;
  S.TextLines = {"Front door", "Floor 2"};
  S.Weigand = true;
  return S;
}

std::string ByAddr(unsigned Na, unsigned Pfx = 0x20) {
  return Bytes({Pfx, Na, 0xFF, 0xFD, 0});
}

}  // namespace

TEST(Controller, InfoByAddressOrSerialNumberAtItsSpeedsOnly) {
  TSimController C(Sample());
  const std::string Fields = Bytes({0x19, 2, 5, 2, 7, 0, 0x34, 0x12});
  for (const uint32_t Speed : {A, B}) {
    EXPECT_EQ(Ask(C, Speed, ByAddr(7)), ByAddr(7) + Fields);
    EXPECT_EQ(Ask(C, Speed, BySn(Sn, {0xFD, 0})), BySn(Sn, {0xFD, 0}) + Fields);
    EXPECT_EQ(Ask(C, Speed, ByAddr(7, 0x30), 0x30), ByAddr(7, 0x30) + Fields);  // Hotel
    for (const std::string& Other : {ByAddr(8), BySn(Sn + 1, {0xFD, 0}), BySn(Sn, {0xFD, 0}, 0x21),
                                     BySn(Sn, {0xFD}), BySn(Sn, {0xFD, 0, 0})})
      EXPECT_EQ(Ask(C, Speed, Other), std::nullopt);
  }
  EXPECT_EQ(C.OnBytes(A, PackA(ByAddr(7))).Bytes.substr(0, 3), "\xFA\x20\x07");  // leading bytes
  EXPECT_TRUE(C.OnBytes(57600, PackA(ByAddr(7))).Bytes.empty());

  TControllerSettings Slow = Sample();
  Slow.At256000 = false;
  TSimController SlowOnly(Slow);
  EXPECT_EQ(Ask(SlowOnly, B, ByAddr(7)), std::nullopt);
  EXPECT_TRUE(SlowOnly.OnBytes(B, PackA(ByAddr(7))).Bytes.empty());
  EXPECT_NE(Ask(SlowOnly, A, ByAddr(7)), std::nullopt);
}

TEST(Controller, TextLinesMemoryAddressAndDoor) {
  TSimController C(Sample());
  EXPECT_EQ(Ask(C, A, BySn(Sn, {0xFD, 1})), BySn(Sn, {0xFD, 1}) + "Front door");
  EXPECT_EQ(Ask(C, B, BySn(Sn, {0xFD, 2})), BySn(Sn, {0xFD, 2}) + "Floor 2");
  EXPECT_EQ(Ask(C, A, BySn(Sn, {0xFD, 3})), BySn(Sn, {0xFD, 3}));  // past the last: no text
  EXPECT_EQ(Ask(C, B, "\x01\x07\x09"), Bytes({1, 7, 9, 0x80, 0x11}));

  EXPECT_EQ(Ask(C, A, BySn(Sn, {0xF0, 1})), BySn(Sn, {0xF0, 1, 7}));
  EXPECT_EQ(Ask(C, B, BySn(Sn, {0xF0, 1, 200})), BySn(Sn, {0xF0, 1, 200}));
  EXPECT_EQ(Ask(C, A, BySn(Sn, {0xF0, 1, 255})), BySn(Sn, {0xF0, 1, 200}));  // refused
  EXPECT_EQ(Ask(C, A, BySn(Sn + 1, {0xF0, 1, 9})), std::nullopt);
  EXPECT_EQ(Ask(C, A, ByAddr(7)), std::nullopt);
  EXPECT_EQ(Ask(C, B, ByAddr(200))->at(9), '\xC8');

  EXPECT_EQ(Ask(C, A, "\x01\xC8\x07\x00"s), "\x01\xC8\x07\x00\x00"s);
  EXPECT_EQ(Ask(C, B, "\x01\xC8\x07\x00"s), "\x01\xC8\x07\x00\x00"s);
  EXPECT_EQ(Ask(C, A, "\x01\x07\x07\x00"s), std::nullopt);
  EXPECT_EQ(C.DoorOpens(), 2);
}

TEST(Controller, RangeProbesAndNetworkDevices) {
  TControllerSettings S = Sample();
  S.SerialNumber = 1000;
  S.Type = NetDeviceType;
  S.NetList = {701, 0x1234};
  S.NetNotReady = 1;
  TSimController C(S);
  const auto Probe = [&C](unsigned L, unsigned H) {
    return Ask(C, A, Bytes({0x20, 0, 0, 0xFC, L & 0xFF, L >> 8, H & 0xFF, H >> 8}));
  };
  EXPECT_EQ(Probe(0, 32767), Bytes({0x20, 0, 0, 0xFC, 0xE8, 0x03}));
  EXPECT_NE(Probe(1000, 1000), std::nullopt);
  EXPECT_EQ(Probe(992, 999), std::nullopt);
  EXPECT_EQ(Probe(1001, 1009), std::nullopt);
  const std::string Net = Bytes({0x27, 0xE8, 3, 0xFC});
  EXPECT_EQ(Ask(C, A, Net + Bytes({0, 1})), Net + Bytes({0, 0}));  // not ready yet
  EXPECT_EQ(Ask(C, B, Net + Bytes({0, 1})), Net + Bytes({1, 2}));
  EXPECT_EQ(Ask(C, A, Net + Bytes({2, 1})), Net + Bytes({0x34, 0x12}));
  EXPECT_EQ(Ask(C, A, Net + Bytes({3, 1})), std::nullopt);

  // Behind a network device the probes miss it. 20 07 FF FD 00 asks for address 7 and for
  // serial number FF07 alike.
  TControllerSettings Behind = Sample();
  Behind.SerialNumber = 0xFF07;
  Behind.Address = 9;
  Behind.InRangeSearch = false;
  TSimController Hidden(Behind);
  EXPECT_EQ(Ask(Hidden, A, Bytes({0x20, 0, 0, 0xFC, 0, 0, 0xFF, 0xFF})), std::nullopt);
  EXPECT_EQ(Ask(Hidden, A, ByAddr(7))->substr(9), Bytes({9, 0, 0x07, 0xFF}));
}

TEST(Controller, BootLoaderTakesAnImageInOrder) {
  TControllerSettings S = Sample();
  S.Loader.ImageSize = 150;
  S.Loader.Chunk = 100;
  S.Loader.Result = 3;
  TSimController C(S);
  const std::string Head = BySn(Sn, {0xFE});
  const std::string Prog = Head + "PROG", Next = Head + "NEXT";
  const std::string First = Head + Bytes({1, 0, 0, 0, 100});
  const std::string Second = Head + Bytes({1, 100, 0, 0, 50});
  const std::string Name = Head + Bytes({2, 0, 0, 0, 0});
  std::string Image;
  for (int I = 0; I < 150; ++I) Image += char(I * 7);

  EXPECT_EQ(Ask(C, A, Next), std::nullopt);  // no update under way
  EXPECT_EQ(Ask(C, A, Prog), Head + "BOOT");
  EXPECT_EQ(Ask(C, B, ByAddr(7))->at(8), '\x80');
  EXPECT_EQ(Ask(C, A, BySn(Sn, {0xFD, 1})), std::nullopt);  // the firmware's commands are gone
  EXPECT_EQ(Ask(C, A, Next), First);
  EXPECT_EQ(Ask(C, B, First + Image.substr(0, 100)), Second);
  EXPECT_EQ(Ask(C, A, Next), Second);  // the request in hand again
  EXPECT_EQ(Ask(C, A, Second + Image.substr(100)), Name);
  EXPECT_EQ(Ask(C, A, Name + "fw.rom"), Head + Bytes({0xFF, 3, 0, 0, 0}));
  EXPECT_EQ(C.LoadedImage(), Image);
  EXPECT_EQ(C.LoadedFileName(), "fw.rom");
  EXPECT_EQ(Ask(C, A, BySn(Sn, {0xF0, 1})), BySn(Sn, {0xF0, 1, 7}));  // the firmware runs again

  Ask(C, A, Prog);
  Ask(C, A, Next);
  EXPECT_EQ(Ask(C, A, Second + Image.substr(0, 50)), Head + Bytes({0xFF, 10, 0, 0, 0}));
  Ask(C, A, Prog);
  Ask(C, A, Next);
  EXPECT_EQ(Ask(C, A, First + Image.substr(0, 99)), Head + Bytes({0xFF, 11, 0, 0, 0}));
}

TEST(Controller, RefusesSettingsOutOfRangeAndSurvivesGarbage) {
  for (void (*Change)(TControllerSettings&) :
       {+[](TControllerSettings& S) { S.Address = 255; },
        +[](TControllerSettings& S) { S.TextLines.resize(128); },
        +[](TControllerSettings& S) { S.At19200 = S.At256000 = false; },
        +[](TControllerSettings& S) { S.NetList = {5}; }}) {
    TControllerSettings S = Sample();
    Change(S);
    EXPECT_THROW(TSimController{S}, std::runtime_error);
  }
  TSimController C(Sample());
  std::string Garbage;
  for (uint32_t I = 0, Seed = 1; I < 200000; ++I)
    Garbage += char((Seed = Seed * 1103515245 + 12345) >> 16);
  for (const uint32_t Speed : {A, B}) {
    C.OnBytes(Speed, Garbage + "\xC0");  // framing B has no start byte: an end byte resyncs it
    EXPECT_NE(Ask(C, Speed, ByAddr(7)), std::nullopt) << Speed;
  }
}
