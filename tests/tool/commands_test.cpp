// The tool's commands, framed as the tool frames them, put to a simulated controller written
// apart from the tool, and its answers read back through the tool's decoders.
#include <gtest/gtest.h>

#include "sim/controller.h"
#include "tool/commands.h"
#include "tool/framing.h"

namespace {

RawBytes B(std::initializer_list<int> Bytes) {
  RawBytes R;
  for (int X : Bytes) R += static_cast<char>(X);
  return R;
}

constexpr int Slow = 0;
constexpr int Fast = 0x123;

// The payload of the controller's answer to one command, as the tool reads it; "Z" for silence.
RawBytes Ask(TSimController& C, const RawBytes& Command, int ComMode, uint8_t Prefix) {
  const uint32_t Speed = ComMode == Fast ? FramingBSpeed : FramingASpeed;
  const std::string Reply = C.OnBytes(Speed, GetPack(Command, ComMode, Prefix)).Bytes;
  return Reply.empty() ? RawBytes("Z") : UnPack(Reply, ComMode);
}

TControllerSettings Settings(uint16_t SN) {
  TControllerSettings S;
  S.SerialNumber = SN;
  S.Address = 200;
  S.Type = 0x1A;
  S.VersionMajor = 4;
  S.VersionMinor = 2;
  S.TextLines = {"Gate", ""};
  S.MemoryKb = 15;
  S.Weigand = true;
  return S;
}

class CommandsTest : public ::testing::TestWithParam<std::tuple<int, uint8_t, uint16_t>> {
 protected:
  int Mode() const { return std::get<0>(GetParam()); }
  uint8_t Prefix() const { return std::get<1>(GetParam()); }
  uint16_t SN() const { return std::get<2>(GetParam()); }
  RawBytes Ask(const RawBytes& Command) { return ::Ask(Controller, Command, Mode(), Prefix()); }
  TSimController Controller{Settings(SN())};
};

TEST_P(CommandsTest, TheControllerAnswersWhatWasAsked) {
  const TInfoAnswer BySN = DecodeInfo(Ask(InfoBySN(Prefix(), SN())));
  const TInfoAnswer ByAddress = DecodeInfo(Ask(InfoByAddr(Prefix(), 200)));
  for (const TInfoAnswer& Info : {BySN, ByAddress}) {
    ASSERT_TRUE(Info.Valid && Info.HasSerial);
    EXPECT_EQ(Info.Type, 0x1A);
    EXPECT_EQ(Info.VersionMajor, 4);
    EXPECT_EQ(Info.VersionMinor, 2);
    EXPECT_EQ(Info.Lines, 2);
    EXPECT_FALSE(Info.LoaderActive);
    EXPECT_EQ(Info.NetAddr, 200);
    EXPECT_EQ(Info.SerialNumber, SN());
  }
  EXPECT_EQ(DecodeTextLine(Ask(TextLine(Prefix(), SN(), 1))), "Gate");
  EXPECT_EQ(DecodeTextLine(Ask(TextLine(Prefix(), SN(), 2))), "");
  const TMemInfoAnswer Memory = DecodeMemInfo(Ask(MemInfo(200)));
  EXPECT_TRUE(Memory.Valid && Memory.Weigand);
  EXPECT_EQ(Memory.MemoryKb, 15);
  EXPECT_EQ(DecodeAddress(Ask(GetAddrBySN(Prefix(), SN()))), 200);

  // Commands for another controller, or another address, go unanswered.
  EXPECT_EQ(Ask(InfoBySN(Prefix(), SN() ^ 0x0101)), "Z");
  EXPECT_EQ(Ask(AddrProbe(201)), "Z");
  EXPECT_EQ(Ask(OpenDoor(201)), "Z");
  EXPECT_EQ(Controller.DoorOpens(), 0);

  EXPECT_NE(Ask(OpenDoor(200)), "Z");
  EXPECT_EQ(Controller.DoorOpens(), 1);
  EXPECT_EQ(DecodeAddress(Ask(SetAddrBySN(Prefix(), SN(), 17))), 17);
  EXPECT_NE(Ask(AddrProbe(17)), "Z");
  EXPECT_EQ(Ask(AddrProbe(200)), "Z");
}

TEST_P(CommandsTest, ARangeProbeFindsTheControllerInsideItsWindowOnly) {
  EXPECT_NE(Ask(RangeProbe(Prefix(), SN(), SN())), "Z");
  EXPECT_NE(Ask(RangeProbe(Prefix(), 0, 0xFFFF)), "Z");
  EXPECT_EQ(Ask(RangeProbe(Prefix(), 0, SN() - 1)), "Z");
  if (SN() < 0xFFFF) {
    EXPECT_EQ(Ask(RangeProbe(Prefix(), SN() + 1, 0xFFFF)), "Z");
  }
}

// Serial numbers whose bytes need escapes in either framing, and the low and high byte apart.
INSTANTIATE_TEST_SUITE_P(ModesPrefixesAndSerials, CommandsTest,
                         ::testing::Combine(::testing::Values(Slow, Fast),
                                            ::testing::Values(0x20, 0x30),
                                            ::testing::Values(1, 256, 0xC0DB, 0xF5FA, 0xFFFF)),
                         [](const auto& Info) {
                           return std::string(std::get<0>(Info.param) ? "Fast" : "Slow") +
                                  (std::get<1>(Info.param) == 0x30 ? "Hotel" : "Normal") +
                                  std::to_string(std::get<2>(Info.param));
                         });

TEST(Commands, NetworkDevicesListTheirControllers) {
  TControllerSettings S = Settings(0x0102);
  S.Type = NetworkDeviceType;
  S.NetList = {300, 0xFFFF};
  S.NetNotReady = 1;
  TSimController Device(S);
  const RawBytes NotReady = Ask(Device, NetCount(0x0102), Slow, 0x20);
  ASSERT_EQ(NotReady.size(), 6u);
  EXPECT_EQ(NotReady[4], 0);
  for (const int Mode : {Slow, Fast}) {
    const RawBytes Count = Ask(Device, NetCount(0x0102), Mode, 0x20);
    ASSERT_EQ(Count.size(), 6u);
    EXPECT_NE(Count[4], 0);
    EXPECT_EQ(Count[5], 2);
    const RawBytes Second = Ask(Device, NetItem(0x0102, 2), Mode, 0x20);
    EXPECT_EQ(AnswerByte(Second, 4) + 256 * AnswerByte(Second, 5), 0xFFFF);
  }
}

TEST(Commands, AnswersNeverReadPastTheirEnd) {
  const TInfoAnswer Full = DecodeInfo(B({0, 0, 0, 0, 0, 0x1A, 3, 2, 0x85, 7, 0, 0x39, 0x30}));
  EXPECT_TRUE(Full.Valid && Full.HasSerial);
  EXPECT_TRUE(Full.LoaderActive);
  EXPECT_EQ(Full.Lines, 0x85);
  EXPECT_EQ(Full.SerialNumber, 12345);
  // Nine bytes: the serial number and address bytes are absent and read as 0.
  const TInfoAnswer Short = DecodeInfo(B({0, 0, 0, 0, 0, 0x1A, 3, 2, 4}));
  EXPECT_TRUE(Short.Valid);
  EXPECT_FALSE(Short.HasSerial);
  EXPECT_EQ(Short.NetAddr, 0);
  EXPECT_EQ(Short.SerialNumber, 0);
  EXPECT_FALSE(DecodeInfo("Z").Valid);
  EXPECT_FALSE(DecodeInfo(B({1, 2, 3, 4, 5, 6, 7, 8})).Valid);

  EXPECT_EQ(DecodeMemInfo(B({0, 0, 0, 0x80, 0x11})).MemoryKb, 8);
  EXPECT_EQ(DecodeMemInfo("Z").MemoryKb, 0);
  EXPECT_FALSE(DecodeMemInfo("").Weigand);
  EXPECT_FALSE(DecodeMemInfo(B({0, 0, 0, 0x80})).Valid);
  EXPECT_EQ(DecodeTextLine(B({1, 2, 3, 4, 5})), "");
  EXPECT_EQ(DecodeTextLine("Z"), std::nullopt);
  EXPECT_EQ(DecodeAddress(B({1, 2, 3, 4, 5})), std::nullopt);
  EXPECT_EQ(AnswerByte("ab", 5), 0);
}

}  // namespace
