#include <atomic>
#include <chrono>
#include <mutex>

#include "controller_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

TEST_F(CheckTest, ByAddressShowsTheControllerAndFillsTheSerialNumber) {
  TControllerSettings C = Controller(12345, 5);
  C.TextLines = {"First line", ""};
  C.Weigand = true;
  TfmMain& W = OpenWith({C});
  W.seNetAdr->SetValue(5);
  W.btCheckNetAddrClick(W.btCheckNetAddr);
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"Type Ctrl is 0x1A", u"Version firmware is 3.7",
                                              u"Serial number  is 12345", u"Memory size is 8 kb",
                                              u"Device in the mode \"Weigand\"!", u"",
                                              u">> First line", u">> "}));
  EXPECT_EQ(W.seSN->Value(), 12345);
  EXPECT_EQ(W.oComMode, 0);
  EXPECT_FALSE(WriteOverlapped.EventOpen);
  EXPECT_NE(LogBytes().find("| Checking NetAdr=5\r\n"), std::string::npos);
  EXPECT_NE(LogBytes().find("| Detect: Type=0x1A NetAddr=5 S/N=12345.\r\n"), std::string::npos);
}

TEST_F(CheckTest, AControllerOnlyAtTheFastSpeedIsReachedByTheFallBack) {
  TControllerSettings C = Controller(4242, 2);
  C.At19200 = false;
  TfmMain& W = OpenWith({C});
  W.seNetAdr->SetValue(2);
  const auto Start = Clock::now();
  W.btCheckNetAddrClick(nullptr);
  EXPECT_GE(Clock::now() - Start, std::chrono::milliseconds(1700));
  EXPECT_EQ(MemoLines().at(2), u"Serial number  is 4242");
  EXPECT_EQ(W.oComMode, 0x123);

  // The next check starts in the fast mode: nothing more goes out at the slow speed.
  const size_t SentSlow = Buses[0]->ReceivedAt(19200).size();
  W.btCheckSNClick(nullptr);
  EXPECT_EQ(Buses[0]->ReceivedAt(19200).size(), SentSlow);
  EXPECT_EQ(W.seNetAdr->Value(), 2);
  EXPECT_EQ(W.oComMode, 0x123);
}

TEST_F(CheckTest, HotelModeNeverFallsBack) {
  TControllerSettings C = Controller(4242, 2);
  C.At19200 = false;
  TfmMain& W = OpenWith({C});
  W.oComMode = 0x123;
  W.mniHotel->Click();
  W.seNetAdr->SetValue(2);
  W.btCheckNetAddrClick(nullptr);
  EXPECT_EQ(MemoLines(), std::vector<String>({u"Checking ...", u"Not answer"}));
  EXPECT_EQ(W.oComMode, 0);
  EXPECT_NE(LogBytes().find("| Not answer\r\n"), std::string::npos);
}

TEST_F(CheckTest, BySerialNumberFillsTheAddressAndListsTextsWithoutPrefix) {
  TControllerSettings C = Controller(777, 9);
  C.TextLines = {"Door A", "", "never shown"};
  TfmMain& W = OpenWith({C});
  W.seSN->SetValue(777);
  W.btCheckSNClick(nullptr);
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"Type Ctrl is 0x1A", u"Version firmware is 3.7",
                                              u"Network address is 9", u"Memory size is 8 kb", u"",
                                              u"Door A", u"Wrong data! Break."}));
  EXPECT_EQ(W.seNetAdr->Value(), 9);
  EXPECT_TRUE(W.btIdentify->Visible());
  EXPECT_EQ(W.btCheckNetAddr->Caption(), u"Check");
}

TEST_F(CheckTest, BySerialNumberListsAtMostThirtyTextLines) {
  TControllerSettings C = Controller(777, 9);
  for (int I = 1; I <= 35; ++I) C.TextLines.push_back("Line " + std::to_string(I));
  TfmMain& W = OpenWith({C});
  W.seSN->SetValue(777);
  W.btCheckSNClick(nullptr);
  const std::vector<String> Lines = MemoLines();
  ASSERT_EQ(Lines.size(), 5u + 30u);
  EXPECT_EQ(Lines[5], u"Line 1");
  EXPECT_EQ(Lines.back(), u"Line 30");
  // Nothing past the thirtieth line was asked for.
  EXPECT_EQ(Buses[0]->ReceivedAt(19200).find(std::string("\x03\xFD\x1F", 3)), std::string::npos);

  // By address, every line the controller holds.
  W.btCheckNetAddrClick(nullptr);
  EXPECT_EQ(MemoLines().size(), 5u + 35u);
  EXPECT_EQ(MemoLines().back(), u">> Line 35");
}

TEST_F(CheckTest, AFailedFallBackReturnsToTheSlowModeWhereTheCheckSaysSo) {
  // Only at the fast speed, and only with garbled answers there.
  TControllerSettings C = Controller(4242, 2);
  C.At19200 = false;
  C.Faults.Garble = FaultAlways;
  TfmMain& W = OpenWith({C});

  // By address: no answer of nine bytes in either mode.
  W.seNetAdr->SetValue(2);
  W.btCheckNetAddrClick(nullptr);
  EXPECT_FALSE(Buses[0]->ReceivedAt(256000).empty());
  EXPECT_EQ(MemoLines(), std::vector<String>({u"Checking ...", u"Not answer"}));
  EXPECT_EQ(W.oComMode, 0);

  // By serial number: the repeated query brings the empty result.
  const size_t SentFast = Buses[0]->ReceivedAt(256000).size();
  W.seSN->SetValue(4242);
  W.btCheckSNClick(nullptr);
  EXPECT_GT(Buses[0]->ReceivedAt(256000).size(), SentFast);
  EXPECT_EQ(MemoLines(), std::vector<String>({u"Checking ...", u"Not answer"}));
  EXPECT_EQ(W.oComMode, 0);

  // By address, an address nobody holds: "Z" in both modes.
  W.seNetAdr->SetValue(3);
  W.btCheckNetAddrClick(nullptr);
  EXPECT_EQ(W.oComMode, 0);
}

TEST_F(CheckTest, BySerialNumberStopsAtAnActiveBootLoader) {
  TControllerSettings C = Controller(777, 9);
  C.LoaderActive = true;
  TfmMain& W = OpenWith({C});
  W.seSN->SetValue(777);
  W.btCheckSNClick(nullptr);
  EXPECT_EQ(MemoLines().back(), u"Active firmware loader.");
  EXPECT_NE(LogBytes().find("| Active firmware loader.\r\n"), std::string::npos);
  EXPECT_EQ(W.seNetAdr->Value(), 0);
}

TEST_F(CheckTest, BySerialNumberWithNothingOnTheLine) {
  TfmMain& W = OpenWith({});
  W.seSN->SetValue(55);
  W.btCheckSNClick(nullptr);
  // "Z" in both modes: the fast mode stays, and the answer is reported without a log line.
  EXPECT_EQ(MemoLines(), std::vector<String>({u"Checking ...", u"Not answer"}));
  EXPECT_EQ(W.oComMode, 0x123);
  EXPECT_EQ(LogBytes().find("Not answer"), std::string::npos);
}

TEST_F(CheckTest, PortFailuresShowTheirDialogAndNothingElse) {
  TfmMain& W = OpenWith({});
  W.cbPort->SetText(u"");
  W.seNetAdr->SetValue(3);
  W.btCheckNetAddrClick(nullptr);
  ASSERT_EQ(HeadlessDialogs().Shown().size(), 1u);
  EXPECT_EQ(HeadlessDialogs().Shown()[0].Text, u"Comport is not selected!");
  EXPECT_EQ(HeadlessDialogs().Shown()[0].DlgType, mtError);

  W.cbPort->SetText(u"SIM0");
  TSerialPort Holder;
  ASSERT_TRUE(Holder.Open(u"SIM0"));
  W.btCheckSNClick(nullptr);
  ASSERT_EQ(HeadlessDialogs().Shown().size(), 2u);
  EXPECT_EQ(HeadlessDialogs().Shown()[1].Text, u"Not possible to open a port \"SIM0\"!");
  EXPECT_EQ(MemoLines(), std::vector<String>({u"Checking ..."}));
  EXPECT_FALSE(WriteOverlapped.EventOpen);
}

// A device that answers each frame with the next scripted bytes, at once or after a delay, and
// counts the frames.
class TScriptedDevice : public TSimDevice {
 public:
  explicit TScriptedDevice(std::vector<std::string> Replies, uint32_t LateMs = 0,
                           char EndByte = '\xF5')
      : FReplies(std::move(Replies)), FLateMs(LateMs), FEndByte(EndByte) {}
  TSimReply OnBytes(uint32_t, std::string_view Bytes) override {
    TSimReply Reply;
    for (char C : Bytes) {
      if (C != FEndByte) continue;
      const int N = Frames++;
      const std::string Bytes = N < static_cast<int>(FReplies.size()) ? FReplies[N] : "";
      if (FLateMs)
        Reply.Later.push_back({FLateMs, Bytes});
      else
        Reply.Bytes += Bytes;
    }
    return Reply;
  }
  std::atomic<int> Frames{0};

 private:
  std::vector<std::string> FReplies;
  uint32_t FLateMs;
  char FEndByte;
};

std::string AnswerA(const std::string& Payload) {
  uint8_t X = 0;
  for (unsigned char C : Payload) X ^= C;
  std::string Body = std::string(2, '\0') + Payload + static_cast<char>(X);
  std::string Frame = "\xFA";
  for (unsigned char C : Body) {
    if (C == 0xFA || C == 0xF5 || C == 0xFF)
      Frame += std::string("\xFF") + static_cast<char>(C == 0xFA ? 1 : C == 0xF5 ? 2 : 3);
    else
      Frame += static_cast<char>(C);
  }
  return Frame + "\xF5";
}

std::string AnswerB(const std::string& Payload) {
  uint8_t Sum = 0xAA;
  for (unsigned char C : Payload) Sum += C;
  return static_cast<char>(-Sum & 0xFF) + Payload + "\xC0";
}

class ExchangeTest : public CheckTest {
 protected:
  TScriptedDevice& OpenScripted(std::vector<std::string> Replies, uint32_t LateMs = 0,
                                int ComMode = 0) {
    TSimBus& Bus = AddConverter("SIM0");
    auto& Device = static_cast<TScriptedDevice&>(Bus.Add(
        std::make_unique<TScriptedDevice>(std::move(Replies), LateMs, ComMode ? '\xC0' : '\xF5')));
    OpenWindow();
    Window->oComMode = ComMode;
    Handle = Window->OpenComInMode();
    return Device;
  }
  TComHandle Handle;
};

TEST_F(ExchangeTest, ASilentControllerGetsThreeWritesThenZ) {
  TScriptedDevice& D = OpenScripted({});
  const auto Start = Clock::now();
  EXPECT_EQ(Window->ExPack(Handle, InfoByAddr(0x20, 1), 600), "Z");
  EXPECT_GE(Clock::now() - Start, std::chrono::milliseconds(1750));
  EXPECT_EQ(D.Frames, 3);
}

TEST_F(ExchangeTest, AttemptsEndAtTheFirstAnswerOfFiveBytes) {
  TScriptedDevice& Five = OpenScripted({AnswerA("12345"), AnswerA("later")});
  EXPECT_EQ(Window->ExPack(Handle, InfoByAddr(0x20, 1), 600), "12345");
  EXPECT_EQ(Five.Frames, 1);
}

TEST_F(ExchangeTest, AShortAnswerIsAskedForThreeTimes) {
  TScriptedDevice& D = OpenScripted({AnswerA("ab"), AnswerA("abc"), AnswerA("abcd")});
  EXPECT_EQ(Window->ExPack(Handle, InfoByAddr(0x20, 1), 600), "abcd");
  EXPECT_EQ(D.Frames, 3);
}

TEST_F(ExchangeTest, ALateAnswerIsReadByTheNextAttemptButNotByTheNextExchange) {
  TScriptedDevice& D = OpenScripted({AnswerA("first"), AnswerA("second")}, 700);
  EXPECT_EQ(Window->ExPack(Handle, InfoByAddr(0x20, 1), 600), "first");
  EXPECT_EQ(D.Frames, 2);
  // The answer to the second write lies queued when the next exchange begins: it is not taken.
  ASSERT_TRUE(Buses[0]->WaitUntilQueued(1, std::chrono::seconds(5)));
  EXPECT_EQ(Window->ExPack(Handle, InfoByAddr(0x20, 1), 600), "Z");
  EXPECT_EQ(D.Frames, 5);
}

TEST_F(ExchangeTest, TwoAnswersAtOnceInFramingA) {
  OpenScripted({AnswerA("older") + AnswerA("newer")});
  EXPECT_EQ(Window->ExPack(Handle, InfoByAddr(0x20, 1), 600), "newer");
}

TEST_F(ExchangeTest, TwoAnswersAtOnceInFramingB) {
  OpenScripted({AnswerB("first") + AnswerB("other")}, 0, 0x123);
  EXPECT_EQ(Window->ExPack(Handle, InfoByAddr(0x20, 1), 600), "first");
}

TEST_F(ExchangeTest, AGarbledAnswerGivesTheEmptyResultAfterThreeTries) {
  std::string Bad = AnswerA("12345");
  Bad[Bad.size() - 2] ^= 1;
  TScriptedDevice& D = OpenScripted({Bad, Bad, Bad});
  EXPECT_EQ(Window->ExPack(Handle, InfoByAddr(0x20, 1), 600), "");
  EXPECT_EQ(D.Frames, 3);
}

TEST_F(ExchangeTest, AnExceptionInsideIsReportedInTheOutputPane) {
  OpenScripted({});
  TComHandle Closed;
  EXPECT_EQ(Window->ExPack(Closed, InfoByAddr(0x20, 1), 600), "");
  EXPECT_EQ(MemoLines().back(), u"Ex - Except");
}

}  // namespace
