#include <gtest/gtest.h>

#include <stdexcept>

#include "sim/controller.h"
#include "sim_frames.h"

namespace {

constexpr uint32_t A = FramingASpeed;
constexpr uint32_t B = FramingBSpeed;
constexpr unsigned Sn = 0x0421;

TControllerSettings WithLoader(TLoaderSettings Loader) {
  TControllerSettings S;
  S.SerialNumber = Sn;
  S.Address = 7;
  S.Loader = Loader;
  return S;
}

const std::string Head = BySn(Sn, {0xFE});
const std::string Prog = Head + "PROG";
const std::string Next = Head + "NEXT";

std::string Request(unsigned Offset, unsigned Count) {
  return Head + Bytes({1, Offset & 0xFF, Offset >> 8, 0, Count});
}

TEST(BootLoader, BusyAndStrayMessagesComeBeforeTheFirstRequest) {
  TLoaderSettings L;
  L.ImageSize = 10;
  L.Chunk = 10;
  L.Busy = 2;
  L.StrayKind = 0x42;
  TSimController C(WithLoader(L));
  EXPECT_EQ(Ask(C, A, Prog), Head + "BOOT");
  EXPECT_EQ(Ask(C, A, Next), Head + Bytes({0x80, 0, 0, 0, 0}));
  EXPECT_EQ(Ask(C, B, Next), Head + Bytes({0x80, 0, 0, 0, 0}));
  EXPECT_EQ(Ask(C, A, Next), Head + Bytes({0x42, 0, 0, 0, 0}));
  EXPECT_EQ(Ask(C, A, Next), Request(0, 10));
  EXPECT_EQ(Ask(C, A, Request(0, 10) + "0123456789"), Head + Bytes({2, 0, 0, 0, 0}));
}

TEST(BootLoader, SynchronizationIsAnEmptyFrameUntilNextAsksAgain) {
  TLoaderSettings L;
  L.ImageSize = 6;
  L.Chunk = 3;
  L.SyncEvery = 1;
  TSimController C(WithLoader(L));
  Ask(C, A, Prog);
  Ask(C, A, Next);
  const std::string Reply = Request(0, 3) + "abc";
  // The frame's end byte alone, in either framing.
  EXPECT_EQ(C.OnBytes(A, PackA(Reply)).Bytes, "\xF5");
  EXPECT_EQ(C.OnBytes(B, PackB(Reply)).Bytes, "\xC0");  // the same reply again: the same answer
  EXPECT_EQ(Ask(C, A, Next), Request(3, 3));
  EXPECT_EQ(Ask(C, A, Next), Request(3, 3));
  EXPECT_EQ(C.OnBytes(A, PackA(Request(3, 3) + "def")).Bytes, "\xF5");
  // A reply that is neither the one in hand nor the last one breaks the sequence.
  EXPECT_EQ(Ask(C, A, Request(0, 3) + "abc"), Head + Bytes({0xFF, 10, 0, 0, 0}));
  EXPECT_EQ(C.LoadedImage(), "abcdef");
}

TEST(BootLoader, ARepeatedReplyIsAnsweredAgainAndNotWrittenTwice) {
  TLoaderSettings L;
  L.ImageSize = 4;
  L.Chunk = 2;
  L.Result = 11;
  TSimController C(WithLoader(L));
  Ask(C, A, Prog);
  Ask(C, A, Next);
  const std::string First = Request(0, 2) + "ab";
  EXPECT_EQ(Ask(C, A, First), Request(2, 2));
  EXPECT_EQ(Ask(C, A, First), Request(2, 2));
  EXPECT_EQ(Ask(C, A, Request(2, 2) + "cd"), Head + Bytes({2, 0, 0, 0, 0}));
  const std::string Name = Head + Bytes({2, 0, 0, 0, 0}) + "x.rom";
  EXPECT_EQ(Ask(C, A, Name), Head + Bytes({0xFF, 11, 0, 0, 0}));
  EXPECT_EQ(C.LoadedImage(), "abcd");
  EXPECT_EQ(C.LoadedFileName(), "x.rom");
}

TEST(BootLoader, TheControllerAroundIt) {
  const std::string Info = BySn(Sn, {0xFD, 0});
  const std::string Address = BySn(Sn, {0xF0, 1});
  TLoaderSettings L;
  L.ImageSize = 0;

  // A firmware that ignores the start: no answer, the loader stays off.
  L.Starts = false;
  TSimController Ignoring(WithLoader(L));
  EXPECT_EQ(Ask(Ignoring, A, Prog), std::nullopt);
  EXPECT_EQ(Ask(Ignoring, A, Info)->at(8), '\0');

  // The new firmware comes up at another address after leaving one command unanswered.
  L.Starts = true;
  L.NewAddress = 42;
  L.RestartSilent = 1;
  TSimController Moving(WithLoader(L));
  Ask(Moving, A, Prog);
  EXPECT_EQ(Ask(Moving, A, Next), Head + Bytes({2, 0, 0, 0, 0}));
  EXPECT_EQ(Ask(Moving, A, Head + Bytes({2, 0, 0, 0, 0})), Head + Bytes({0xFF, 0, 0, 0, 0}));
  EXPECT_EQ(Ask(Moving, A, Address), std::nullopt);
  EXPECT_EQ(Ask(Moving, A, Address), Address + Bytes({42}));

  // A loader that stays tells its result to whatever it is asked.
  L.Restarts = false;
  L.Result = 2;
  TSimController Staying(WithLoader(L));
  Ask(Staying, A, Prog);
  Ask(Staying, A, Next);
  Ask(Staying, A, Head + Bytes({2, 0, 0, 0, 0}));
  EXPECT_EQ(Ask(Staying, A, Address), BySn(Sn, {0xF0, 0xFF, 2, 0, 0, 0}));
  EXPECT_EQ(uint8_t(Ask(Staying, A, Info)->at(8)), 0x80);

  for (void (*Change)(TLoaderSettings&) :
       {+[](TLoaderSettings& S) { S.Chunk = 0; }, +[](TLoaderSettings& S) { S.StrayKind = 0x80; },
        +[](TLoaderSettings& S) { S.Busy = -1; },
        +[](TLoaderSettings& S) { S.NewAddress = 255; }}) {
    TLoaderSettings Bad;
    Change(Bad);
    EXPECT_THROW(TSimController{WithLoader(Bad)}, std::runtime_error);
  }
}

}  // namespace
