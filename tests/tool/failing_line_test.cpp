// The checks against a failing line, in both port modes: missing or short answers, answers that
// come late, and a converter that goes away in the middle.
#include <algorithm>

#include "controller_test_support.h"

namespace {

const String NotAnswer = u"Not answer";
const String LineGone = u"Converter or connection is defective!";

class FailingLineTest : public CheckTest, public ::testing::WithParamInterface<int> {
 protected:
  // The window on one controller that answers only in the port mode under test, which the
  // window starts in.
  TfmMain& OpenOn(TControllerSettings C) {
    C.At19200 = GetParam() == ComModeSlow;
    C.At256000 = GetParam() == ComModeFast;
    TfmMain& W = OpenWith({C});
    W.oComMode = GetParam();
    return W;
  }
  TSimController& Device() { return *Devices.at(0); }
  TSimBus& Bus() { return *Buses.at(0); }

  static TControllerFaults After(int Clean, void (*Set)(TControllerFaults&)) {
    TControllerFaults F;
    F.Clean = Clean;
    Set(F);
    return F;
  }
};

TEST_P(FailingLineTest, AMissingOrShortAddressAnswerIsNeverShownAsAnAddress) {
  TControllerSettings C = Controller(777, 9);
  C.TextLines = {"Door A"};
  C.Faults = After(1, [](TControllerFaults& F) { F.Silent = 3; });
  TfmMain& W = OpenOn(C);
  W.seNetAdr->SetValue(17);
  W.seSN->SetValue(777);
  W.btCheckSNClick(nullptr);
  const std::vector<String> Refused = {u"Type Ctrl is 0x1A", u"Version firmware is 3.7",
                                       u"Error detect network address!"};
  EXPECT_EQ(MemoLines(), Refused);
  EXPECT_EQ(W.seNetAdr->Value(), 17);

  // Four bytes: too short to hold the address.
  Device().SetFaults(After(1, [](TControllerFaults& F) { F.Short = 3; }));
  W.btCheckSNClick(nullptr);
  EXPECT_EQ(MemoLines(), Refused);
  EXPECT_EQ(W.seNetAdr->Value(), 17);
  EXPECT_EQ(W.oComMode, GetParam());
}

TEST_P(FailingLineTest, AMissingMemoryOrTextAnswerEndsTheCheckWithNotAnswer) {
  TControllerSettings C = Controller(777, 9);
  C.TextLines = {"Door A", "Door B"};
  C.Faults = After(1, [](TControllerFaults& F) { F.Silent = 3; });
  TfmMain& W = OpenOn(C);
  W.seNetAdr->SetValue(9);
  W.btCheckNetAddrClick(nullptr);
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"Type Ctrl is 0x1A", u"Version firmware is 3.7",
                                              u"Serial number  is 777", NotAnswer}));

  // The second text line garbled three times: the first stays, the check ends there.
  Device().SetFaults(After(3, [](TControllerFaults& F) { F.Garble = 3; }));
  W.btCheckNetAddrClick(nullptr);
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"Type Ctrl is 0x1A", u"Version firmware is 3.7",
                                              u"Serial number  is 777", u"Memory size is 8 kb", u"",
                                              u">> Door A", NotAnswer}));

  // By serial number the memory answer is missing after the address was found.
  Device().SetFaults(After(2, [](TControllerFaults& F) { F.Silent = 3; }));
  W.seNetAdr->SetValue(1);
  W.btCheckSNClick(nullptr);
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"Type Ctrl is 0x1A", u"Version firmware is 3.7",
                                              u"Network address is 9", NotAnswer}));
}

TEST_P(FailingLineTest, AnAnswerQueuedBeforeAnExchangeIsNotItsAnswer) {
  TControllerSettings C = Controller(777, 9);
  C.TextLines = {"Door A"};
  // The memory answer comes late: the second attempt is answered at once, and the answer to the
  // first attempt arrives after the exchange has ended.
  C.Faults = After(1, [](TControllerFaults& F) { F.Late = 1; });
  TfmMain& W = OpenOn(C);
  Bus().SetPacing(true);
  W.seNetAdr->SetValue(9);
  // The second processing of messages comes after the memory line: there the late answer is
  // waited for until it has come in whole, so it lies queued when the text line is asked for.
  bool Queued = false;
  TSteppingDriver Driver(2, [&] {
    Queued = Bus().WaitUntilSent(std::chrono::seconds(5)) &&
             Bus().WaitUntilQueued(1, std::chrono::seconds(5));
  });
  W.btCheckNetAddrClick(nullptr);
  EXPECT_TRUE(Queued);
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"Type Ctrl is 0x1A", u"Version firmware is 3.7",
                                              u"Serial number  is 777", u"Memory size is 8 kb", u"",
                                              u">> Door A"}));
}

// A controller slower than the exchange's wait answers both writes of every command: the second
// answer is waited out before the next command, whose answer it would otherwise pass for, also
// when the port is closed and opened again in between.
TEST_P(FailingLineTest, AnswersOwedByASlowControllerAreNotTakenForTheNextCommand) {
  TControllerSettings C = Controller(777, 9);
  C.TextLines = {"Door A"};
  C.Faults.Late = FaultAlways;
  C.Faults.LateMs = 200;
  TfmMain& W = OpenOn(C);
  constexpr uint32_t Wait = 150;
  TComHandle hc = W.OpenComInMode();
  const TInfoAnswer Info = DecodeInfo(W.ExPack(hc, InfoByAddr(0x20, 9), Wait));
  EXPECT_EQ(Info.SerialNumber, 777);
  const TMemInfoAnswer Mem = DecodeMemInfo(W.ExPack(hc, MemInfo(9), Wait));
  EXPECT_TRUE(Mem.Valid);
  EXPECT_EQ(Mem.MemoryKb, 8);
  hc.Close();
  hc = W.OpenComInMode();
  EXPECT_EQ(DecodeTextLine(W.ExPack(hc, TextLine(0x20, 777, 1), Wait)), "Door A");
  const TInfoAnswer Again = DecodeInfo(W.ExPack(hc, InfoByAddr(0x20, 9), Wait));
  EXPECT_EQ(Again.Type, 0x1A);
  EXPECT_EQ(Again.VersionMajor, 3);
  const bool FramingA = GetParam() == ComModeSlow;
  const std::string Sent = Bus().ReceivedAt(FramingA ? 19200 : 256000);
  EXPECT_EQ(std::count(Sent.begin(), Sent.end(), FramingA ? '\xF5' : '\xC0'), 8);
}

TEST_P(FailingLineTest, NoiseBeforeAnAnswer) {
  TControllerSettings C = Controller(777, 9);
  C.TextLines = {"Door A"};
  // Framing A takes an answer from its last start byte on, so noise in front does no harm, even
  // noise that holds a start byte; in framing B noise in front spoils the frame's check, and the
  // command is asked once more.
  const bool FramingA = GetParam() == ComModeSlow;
  C.Faults.Noise = FramingA ? FaultAlways : 1;
  C.Faults.NoiseBytes = "\x13\xFA\x7E";
  TfmMain& W = OpenOn(C);
  W.seSN->SetValue(777);
  W.btCheckSNClick(nullptr);
  EXPECT_EQ(MemoLines(),
            (std::vector<String>{u"Type Ctrl is 0x1A", u"Version firmware is 3.7",
                                 u"Network address is 9", u"Memory size is 8 kb", u"", u"Door A"}));
  const std::string Sent = Bus().ReceivedAt(FramingA ? 19200 : 256000);
  // The info, the address, the memory and one text line; the info twice in framing B.
  EXPECT_EQ(std::count(Sent.begin(), Sent.end(), FramingA ? '\xF5' : '\xC0'), FramingA ? 4 : 5);
}

TEST_P(FailingLineTest, AConverterGoneInTheMiddleEndsTheCheckWithOneLine) {
  TControllerSettings C = Controller(777, 9);
  C.TextLines = {"L1", "L2", "L3", "L4", "L5"};
  C.Faults = After(3, [](TControllerFaults& F) { F.HangUp = 1; });
  TfmMain& W = OpenOn(C);
  TSimBus& Spare = AddConverter("SIM1");
  TControllerSettings Other = Controller(778, 10);
  Spare.Add(std::make_unique<TSimController>(Other));

  W.seNetAdr->SetValue(9);
  W.btCheckNetAddrClick(nullptr);
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"Type Ctrl is 0x1A", u"Version firmware is 3.7",
                                              u"Serial number  is 777", u"Memory size is 8 kb", u"",
                                              u">> L1", LineGone}));
  EXPECT_NE(LogBytes().find("| " + ToUtf8(LineGone) + "\r\n"), std::string::npos);
  EXPECT_FALSE(WriteOverlapped.EventOpen);
  EXPECT_TRUE(HeadlessDialogs().Shown().empty());

  // The next operation starts as usual, here on another converter.
  W.cbPort->SetText(u"SIM1");
  W.seSN->SetValue(778);
  W.btCheckSNClick(nullptr);
  EXPECT_EQ(MemoLines().at(2), u"Network address is 10");
}

TEST_P(FailingLineTest, AConverterGoneWhileAskingForTheAddress) {
  TControllerSettings C = Controller(777, 9);
  C.Faults = After(1, [](TControllerFaults& F) { F.HangUp = 1; });
  TfmMain& W = OpenOn(C);
  W.seSN->SetValue(777);
  W.btCheckSNClick(nullptr);
  EXPECT_EQ(MemoLines(),
            (std::vector<String>{u"Type Ctrl is 0x1A", u"Version firmware is 3.7", LineGone}));
  EXPECT_EQ(W.seNetAdr->Value(), 0);
  EXPECT_FALSE(WriteOverlapped.EventOpen);
}

INSTANTIATE_TEST_SUITE_P(BothModes, FailingLineTest, ::testing::Values(ComModeSlow, ComModeFast),
                         [](const auto& Info) { return Info.param ? "Fast" : "Slow"; });

}  // namespace
