#include <gtest/gtest.h>

#include "tool/commands.h"

namespace {

RawBytes B(std::initializer_list<int> Bytes) {
  RawBytes R;
  for (int X : Bytes) R += static_cast<char>(X);
  return R;
}

TEST(Commands, LayoutsWithThePrefixAndSerialBytes) {
  EXPECT_EQ(InfoByAddr(0x20, 5), B({0x20, 0x05, 0xFF, 0xFD, 0x00}));
  EXPECT_EQ(InfoBySN(0x30, 256), B({0x30, 0x00, 0x01, 0xFD, 0x00}));
  EXPECT_EQ(TextLine(0x20, 65535, 3), B({0x20, 0xFF, 0xFF, 0xFD, 0x03}));
  EXPECT_EQ(MemInfo(7), B({0x01, 0x07, 0x09}));
  EXPECT_EQ(AddrProbe(9), MemInfo(9));
  EXPECT_EQ(GetAddrBySN(0x20, 0x1234), B({0x20, 0x34, 0x12, 0xF0, 0x01}));
  EXPECT_EQ(SetAddrBySN(0x20, 0x1234, 8), B({0x20, 0x34, 0x12, 0xF0, 0x01, 0x08}));
  EXPECT_EQ(OpenDoor(200), B({0x01, 0xC8, 0x07, 0x00}));
  EXPECT_EQ(LoaderCommand(0x20, 1, "PROG"), B({0x20, 0x01, 0x00, 0xFE, 'P', 'R', 'O', 'G'}));
  EXPECT_EQ(RangeProbe(0x20, 0, 0x7FFF), B({0x20, 0x00, 0x00, 0xFC, 0x00, 0x00, 0xFF, 0x7F}));
  EXPECT_EQ(NetCount(0x0102), B({0x27, 0x02, 0x01, 0xFC, 0x00, 0x01}));
  EXPECT_EQ(NetItem(0x0102, 4), B({0x27, 0x02, 0x01, 0xFC, 0x04, 0x01}));
}

TEST(Commands, AnswersNeverReadPastTheirEnd) {
  const TInfoAnswer Full = DecodeInfo(B({0, 0, 0, 0, 0, 0x1A, 3, 2, 0x85, 7, 0, 0x39, 0x30}));
  EXPECT_TRUE(Full.Valid && Full.HasSerial);
  EXPECT_EQ(Full.Type, 0x1A);
  EXPECT_EQ(Full.VersionMajor, 3);
  EXPECT_EQ(Full.VersionMinor, 2);
  EXPECT_TRUE(Full.LoaderActive);
  EXPECT_EQ(Full.Lines, 0x85);
  EXPECT_EQ(Full.NetAddr, 7);
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
  EXPECT_TRUE(DecodeMemInfo(B({0, 0, 0, 0x80, 0x11})).Weigand);
  EXPECT_EQ(DecodeMemInfo("Z").MemoryKb, 0);
  EXPECT_FALSE(DecodeMemInfo("").Weigand);
  EXPECT_EQ(DecodeTextLine(B({1, 2, 3, 4, 5, 'h', 'i'})), "hi");
  EXPECT_EQ(DecodeTextLine(B({1, 2, 3, 4, 5})), "");
  EXPECT_EQ(DecodeTextLine("Z"), std::nullopt);
  EXPECT_EQ(DecodeAddress(B({1, 2, 3, 4, 5, 9})), 9);
  EXPECT_EQ(DecodeAddress(B({1, 2, 3, 4, 5})), std::nullopt);
  EXPECT_FALSE(DecodeMemInfo(B({0, 0, 0, 0x80})).Valid);
  EXPECT_EQ(AnswerByte("ab", 5), 0);
}

}  // namespace
