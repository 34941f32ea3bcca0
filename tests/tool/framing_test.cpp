#include <gtest/gtest.h>

#include "tool/framing.h"

namespace {

RawBytes B(std::initializer_list<int> Bytes) {
  RawBytes R;
  for (int X : Bytes) R += static_cast<char>(X);
  return R;
}

constexpr int ModeA = 0;
constexpr int ModeB = 0x123;

TEST(Framing, WorkedExamples) {
  EXPECT_EQ(GetPack(B({0x20, 0x05, 0xFF, 0xFD, 0x00}), ModeA, 0x20),
            B({0xFA, 0x20, 0x05, 0xFF, 0x03, 0xFD, 0x00, 0x02, 0xF5}));
  EXPECT_EQ(GetPack(B({0x20, 0x05, 0xFF, 0xFD, 0x00}), ModeB, 0x20),
            B({0x3A, 0x70, 0x05, 0xFF, 0xFD, 0x00, 0xC0}));
  EXPECT_EQ(GetPack(B({0x01, 0x05, 0x09}), ModeA, 0x20), B({0xFA, 0x01, 0x05, 0x09, 0x09, 0xF5}));
  EXPECT_EQ(GetPack(B({0x01, 0x05, 0x09}), ModeB, 0x20), B({0x3C, 0x61, 0x05, 0x09, 0xC0}));
}

TEST(Framing, FramingBRewritesTheFirstByteByPrefix) {
  EXPECT_EQ(GetPack(B({0x27}), ModeB, 0x20)[1], '\x77');
  EXPECT_EQ(GetPack(B({0x30}), ModeB, 0x20)[1], '\x80');
  EXPECT_EQ(GetPack(B({0x2F}), ModeB, 0x30)[1], '\x61');  // below the Hotel prefix
  EXPECT_EQ(GetPack(B({0xC0 - 0x50, 0xDB}), ModeB, 0x20).substr(1, 4), B({0xDB, 0xDC, 0xDB, 0xDD}));
}

TEST(Framing, FramingAAnswers) {
  // Two leading bytes, the payload, the XOR of the payload.
  const RawBytes Answer = B({0xFA, 0x00, 0x00, 0x11, 0x22, 0x33, 0xF5});
  EXPECT_EQ(UnPack(Answer, ModeA), B({0x11, 0x22}));
  EXPECT_EQ(UnPack(B({0x55, 0xFA, 0xFA}) + Answer.substr(1), ModeA), B({0x11, 0x22}));
  EXPECT_EQ(UnPack(B({0xFA, 0, 0, 0x11, 0x22, 0x34, 0xF5}), ModeA), RawBytes());  // bad check
  EXPECT_EQ(UnPack(B({0xFA, 0, 0, 0xF5}), ModeA), RawBytes());
  EXPECT_EQ(UnPack(RawBytes(), ModeA), RawBytes());
  // Escapes, an escaped check byte, and an FF before another byte that is dropped.
  EXPECT_EQ(UnPack(B({0xFA, 0, 0, 0xFF, 0x02, 0xFF, 0x02, 0xF5}), ModeA), B({0xF5}));
  EXPECT_EQ(UnPack(B({0xFA, 0, 0, 0xFF, 0x01, 0xFF, 0x01, 0xF5}), ModeA), B({0xFA}));
  EXPECT_EQ(UnPack(B({0xFA, 0, 0, 0xFF, 0x07, 0x07, 0xF5}), ModeA), B({0x07}));
  // Two answers: the later one wins.
  EXPECT_EQ(UnPack(B({0xFA, 0, 0, 1, 2, 3, 0xF5, 0xFA, 0, 0, 4, 5, 1, 0xF5}), ModeA), B({4, 5}));
}

TEST(Framing, FramingBAnswers) {
  auto Frame = [](RawBytes Payload) {
    uint8_t Sum = 0xAA;
    for (unsigned char C : Payload) Sum += C;
    return RawBytes(1, static_cast<char>(-Sum & 0xFF)) + Payload + '\xC0';
  };
  EXPECT_EQ(UnPack(Frame(B({1, 2, 3})), ModeB), B({1, 2, 3}));
  EXPECT_EQ(UnPack(Frame(B({1})) + Frame(B({2})), ModeB), B({1}));  // the first one wins
  EXPECT_EQ(UnPack(B({0xC0}) + Frame(B({1})), ModeB), RawBytes());
  EXPECT_EQ(UnPack(Frame(B({1})).substr(0, 2), ModeB), RawBytes());   // no end byte
  EXPECT_EQ(UnPack(B({0x01, 0xDB, 0x07, 0xC0}), ModeB), RawBytes());  // broken escape
  RawBytes Escaped = Frame(B({0xC0, 0xDB}));
  Escaped.replace(1, 2, B({0xDB, 0xDC, 0xDB, 0xDD}));
  EXPECT_EQ(UnPack(Escaped, ModeB), B({0xC0, 0xDB}));
}

TEST(Framing, FramingARoundTripOfEveryByteValue) {
  // A sent frame has the layout of an answer: the two leading bytes are not handed on.
  RawBytes All;
  for (int I = 0; I < 256; ++I) All += static_cast<char>(I);
  const RawBytes Frame = GetPack(All, ModeA, 0x20);
  EXPECT_EQ(Frame.find('\xFA', 1), RawBytes::npos);
  EXPECT_EQ(Frame.find('\xF5'), Frame.size() - 1);
  EXPECT_EQ(UnPack(Frame, ModeA), All.substr(2));
}

}  // namespace
