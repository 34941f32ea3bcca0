#include "os/serial_port.h"
#include "tool_test_support.h"

namespace {

const String Normal = u" (Ok) - K640-Orbit switched mode \"Normal\".";
const String Old = u" (Ok) - old converter is possible.";
const String Rejected = u" (Bad)- K640-Orbit is NOT switched mode \"Normal\"!";
const String CannotOpen = u" (Bad)- can not open!";

TEST_F(ToolTest, ConvertersAreAcceptedByModeAndOldOnesByEcho) {
  AddConverter("SIM0");
  TConverterSettings Mode2;
  Mode2.ModeDigit = '2';
  AddConverter("SIM1", Mode2);
  TConverterSettings Echo;
  Echo.Kind = TConverterKind::ckEcho;
  AddConverter("SIM2", Echo);
  TConverterSettings Silent;
  Silent.Kind = TConverterKind::ckSilent;
  AddConverter("SIM3", Silent);
  TfmMain& W = OpenWindow();
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"SIM0" + Normal, u"SIM1" + Rejected, u"SIM2" + Old,
                                              u"SIM3" + Old, u"", u"Available 3 converter(s)."}));
  EXPECT_EQ(W.cbPort->Items()->GetText(), u"SIM0\r\nSIM2\r\nSIM3\r\n");
  EXPECT_EQ(W.cbPort->ItemIndex(), 0);
}

TEST_F(ToolTest, BannerParsingEdgeCases) {
  TConverterSettings Shifted;  // banner not at the first byte: characters 16-20 are not digits
  Shifted.Banner = "xx K640-Orbit S/N:12345 Mode 0\r\n";
  AddConverter("SIM0", Shifted);
  TConverterSettings NoMode;  // no "Mode": the fifth character "-" is not a digit
  NoMode.Banner = "K640-Orbit S/N:12345 without the word\r\n";
  AddConverter("SIM1", NoMode);
  TConverterSettings Zero;  // a serial number that is not positive
  Zero.Banner = "K640-Orbit S/N:00000 Mode 0\r\n";
  AddConverter("SIM2", Zero);
  OpenWindow();
  EXPECT_EQ(MemoLines()[0], u"SIM0" + Old);
  EXPECT_EQ(MemoLines()[1], u"SIM1" + Old);
  EXPECT_EQ(MemoLines()[2], u"SIM2" + Old);
}

TEST_F(ToolTest, PortsThatCannotBeUsedAreReported) {
  TSimBus& Held = AddConverter("SIM0");
  AddRawEntry("\\Device\\Odd|A\\B=/dev/null");
  TSerialPort Holder;
  ASSERT_TRUE(Holder.Open(FromUtf8(Held.SlavePath())));
  TfmMain& W = OpenWindow();
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"SIM0" + CannotOpen,
                                              u"Bad name for \"\\Device\\Odd\" -> \"A\\B\"",
                                              u"Not found any converters!"}));
  EXPECT_EQ(W.cbPort->Items()->Count(), 0);
  EXPECT_EQ(W.cbPort->Text(), u"");
}

TEST_F(ToolTest, WithoutAPortListTheSixteenComPortsAreTried) {
  OpenWindow();
  const auto Lines = MemoLines();
  ASSERT_EQ(Lines.size(), 17u);
  EXPECT_EQ(Lines[0], u"COM1" + CannotOpen);
  EXPECT_EQ(Lines[15], u"COM16" + CannotOpen);
  EXPECT_EQ(Lines[16], u"Not found any converters!");
}

TEST_F(ToolTest, AConverterUnpluggedDuringDetectionIsReportedAndNotListed) {
  TConverterSettings Vanishing;
  Vanishing.HangUpOnWakeUp = true;
  AddConverter("SIM0", Vanishing);
  AddConverter("SIM1");
  TfmMain& W = OpenWindow();
  EXPECT_EQ(MemoLines(),
            (std::vector<String>{u"SIM0 (Bad)- Converter or connection is defective!",
                                 u"SIM1" + Normal, u"", u"Available 1 converter(s)."}));
  EXPECT_EQ(W.cbPort->Items()->GetText(), u"SIM1\r\n");
}

TEST_F(ToolTest, RescanButtonFocusesThePortBox) {
  AddConverter("SIM0");
  TfmMain& W = OpenWindow();
  W.Show();
  W.btCOMrescanClick(W.btCOMrescan);
  EXPECT_EQ(W.ActiveControl(), W.cbPort);
  EXPECT_EQ(MemoLines().back(), u"Available 1 converter(s).");
}

}  // namespace
