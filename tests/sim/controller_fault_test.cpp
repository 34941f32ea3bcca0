#include <gtest/gtest.h>

#include "sim/scenario.h"
#include "sim/sim_bus.h"
#include "sim_frames.h"
#include "sim_port.h"

using namespace std::string_literals;

namespace {

constexpr uint32_t A = FramingASpeed;
constexpr uint32_t B = FramingBSpeed;
const std::string Info = "\x20\x07\xFF\xFD\x00"s;  // by address 7

TControllerSettings Sample(void (*SetFaults)(TControllerFaults&) = nullptr) {
  TControllerSettings S;
  S.SerialNumber = 500;
  S.Address = 7;
  S.TextLines = {std::string(200, 'x')};
  if (SetFaults) SetFaults(S.Faults);
  return S;
}

}  // namespace

TEST(ControllerFaults, EachKnobSpoilsTheFirstNAnswers) {
  TSimController Clean(Sample());
  const std::string Answer = *Ask(Clean, A, Info);

  TSimController C(Sample([](TControllerFaults& F) {
    F.Silent = 2;
    F.Short = 1;
    F.ShortLength = 3;
  }));
  EXPECT_EQ(Ask(C, A, Info), std::nullopt);
  EXPECT_EQ(Ask(C, B, BySn(500, {0xF0, 1, 9})), std::nullopt);
  EXPECT_EQ(C.Settings().Address, 9);  // the command was heard, only its answer lost
  EXPECT_EQ(Ask(C, B, BySn(500, {0xFD, 0})), BySn(500, {}));  // silence spent no other knob
  EXPECT_EQ(Ask(C, B, BySn(500, {0xF0, 1})), BySn(500, {0xF0, 1, 9}));
  EXPECT_EQ(C.Settings().Faults.Silent, 0);

  TSimController Garbled(Sample([](TControllerFaults& F) { F.Garble = FaultAlways; }));
  for (const uint32_t Speed : {A, B, A}) EXPECT_EQ(Ask(Garbled, Speed, Info), "");
  EXPECT_EQ(Garbled.Settings().Faults.Garble, FaultAlways);

  TSimController Noisy(Sample([](TControllerFaults& F) {
    F.Noise = 2;
    F.NoiseBytes = "\x01\xFA\x02";
  }));
  const std::string Heard = Noisy.OnBytes(A, PackA(Info)).Bytes;
  EXPECT_EQ(Heard.substr(0, 4), "\x01\xFA\x02\xFA");
  EXPECT_EQ(UnpackA(Heard), Answer);   // the program reads from the last FA
  EXPECT_EQ(Ask(Noisy, B, Info), "");  // framing B cannot skip it
  EXPECT_EQ(Ask(Noisy, B, Info), Answer);

  TSimController Twice(Sample([](TControllerFaults& F) { F.Twice = 1; }));
  const std::string Once = EncodeAnswer(TFraming::frB, "", Answer);
  EXPECT_EQ(Twice.OnBytes(B, PackB(Info)).Bytes, Once + Once);
  EXPECT_EQ(Twice.OnBytes(B, PackB(Info)).Bytes, Once);

  TSimController Late(Sample([](TControllerFaults& F) { F.Late = 1; }));
  const TSimReply Delayed = Late.OnBytes(A, PackA(Info));
  EXPECT_EQ(Delayed.Bytes, "");
  ASSERT_EQ(Delayed.Later.size(), 1u);
  EXPECT_EQ(Delayed.Later[0].DelayMs, 700u);
  EXPECT_EQ(UnpackA(Delayed.Later[0].Bytes), Answer);

  TSimController HangUp(Sample([](TControllerFaults& F) { F.HangUp = 1; }));
  const TSimReply Gone = HangUp.OnBytes(A, PackA(Info) + PackA(Info));
  EXPECT_TRUE(Gone.HangUp);
  EXPECT_EQ(Gone.Bytes, "");
}

TEST(ControllerOnTheLine, DefaultBusAnswersAtTheSpeedTheProgramSet) {
  TSimBus Bus;
  for (auto& Device : ParseScenario(DefaultScenario)) Bus.Add(std::move(Device));
  TSerialPort Port = OpenSimPort(Bus, A, '\xF5');
  // Address 1 answers at 19200 only, 2 at 256000 only, 3 at both.
  const auto Address = [&Port](unsigned Na, bool Fast) -> std::string {
    const std::string Command = Bytes({0x20, Na, 0xFF, 0xFD, 0});
    const auto Got = WriteAndWait(Port, Fast ? PackB(Command) : PackA(Command), 400);
    return !Got ? "none" : Fast ? UnpackB(*Got).substr(9, 1) : UnpackA(*Got).substr(9, 1);
  };
  EXPECT_EQ(Address(1, false), "\x01");
  EXPECT_EQ(Address(2, false), "none");
  EXPECT_EQ(Address(3, false), "\x03");
  ASSERT_TRUE(Retune(Port, B, '\xC0'));
  EXPECT_EQ(Address(1, true), "none");
  EXPECT_EQ(Address(2, true), "\x02");
  EXPECT_EQ(Address(3, true), "\x03");
  EXPECT_EQ(UnpackB(*WriteAndWait(Port, PackB("\x01\x02\x09"), 400)), "\x01\x02\x09\xC0\x11");
}

TEST(ControllerOnTheLine, LateAnswerComesAfterTheFirstWaitOrNotAtAll) {
  TSimBus Bus;
  Bus.Add(std::make_unique<TSimController>(Sample([](TControllerFaults& F) { F.Late = 2; })));
  TSerialPort Port = OpenSimPort(Bus, A, '\xF5');
  const auto Start = std::chrono::steady_clock::now();
  EXPECT_EQ(WriteAndWait(Port, PackA(Info), 600), std::nullopt);
  uint32_t Events = 0;
  ASSERT_EQ(Port.WaitEvent(Events, 2000), TWaitResult::wrSignaled);
  EXPECT_GE(ElapsedMs(Start), 650);
  EXPECT_GT(WaitQueued(Port, 10), 10u);

  // The program changes speed once the controller has heard the command and before its answer is
  // due: the answer is lost on the line.
  ASSERT_TRUE(Port.Purge(PURGE_RXCLEAR));
  const size_t Answered = Bus.Answered();
  const size_t Heard = Bus.Received().size();
  ASSERT_TRUE(Port.Write(PackA(Info)));
  ASSERT_TRUE(WaitUntilHeard(Bus, Heard + PackA(Info).size()));
  ASSERT_TRUE(Retune(Port, B, '\xC0'));
  ASSERT_TRUE(Bus.WaitUntilSent(std::chrono::seconds(5)));
  EXPECT_EQ(Bus.Answered(), Answered);
  uint32_t Count = 99;
  EXPECT_TRUE(Port.QueuedBytes(Count));
  EXPECT_EQ(Count, 0u);
}

TEST(ControllerOnTheLine, HangUpAndPacing) {
  TSimBus Gone;
  Gone.Add(std::make_unique<TSimController>(Sample([](TControllerFaults& F) { F.HangUp = 1; })));
  TSerialPort Port = OpenSimPort(Gone, B, '\xC0');
  EXPECT_EQ(WriteAndWait(Port, PackB(Info), 5000), std::nullopt);
  EXPECT_TRUE(Port.Gone());
  EXPECT_TRUE(Gone.HungUp());

  TSimBus Paced;
  Paced.SetPacing(true);
  Paced.Add(std::make_unique<TSimController>(Sample()));
  TSerialPort Slow = OpenSimPort(Paced, A, '\xF5');
  // FA, 2 leading bytes, 5 header bytes, 200 text bytes, the check, F5: 210 bytes, 109 ms.
  const auto Start = std::chrono::steady_clock::now();
  const auto Answer = WriteAndWait(Slow, PackA(BySn(500, {0xFD, 1})), 2000);
  ASSERT_TRUE(Answer);
  EXPECT_GE(ElapsedMs(Start), 100);
  EXPECT_EQ(UnpackA(*Answer), BySn(500, {0xFD, 1}) + std::string(200, 'x'));
}
