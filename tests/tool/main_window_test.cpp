#include <regex>

#include "lang/table/strings_collection.h"
#include "tool/unit_state.h"
#include "tool_test_support.h"

FILE_VERSION_BLOCK(1, 8, 3, 62);

namespace {

TEST_F(ToolTest, StartsIntoItsWindowAndStopsWithALogLine) {
  AddConverter("SIM0");
  TfmMain& W = OpenWindow();
  EXPECT_EQ(W.Caption(), u"Q8M update V1.8");
  EXPECT_EQ(W.ClientWidth(), 408);
  EXPECT_EQ(W.ClientHeight(), 616);
  EXPECT_EQ(W.slng1->ActiveLanguage(), 1);
  EXPECT_EQ(W.slng1->StringsColl()->Count(), 107);
  EXPECT_EQ(W.sbBar->Panels()->Items(0)->Text(), u"Version 1.8.3.62");
  EXPECT_EQ(W.seNetAdr->Value(), 0);
  EXPECT_EQ(W.btCheckNetAddr->Caption(), u"Scan");
  EXPECT_FALSE(W.btIdentify->Visible());
  EXPECT_FALSE(W.btProg->Enabled());
  EXPECT_TRUE(W.ppmWriteLogInfo->Checked());
  EXPECT_EQ(W.ppmWriteLogInfo->ShortCut(), 16460);
  ASSERT_NE(W.stmFirmWare, nullptr);
  EXPECT_EQ(W.cbPort->ItemIndex(), 0);
  EXPECT_EQ(W.cbPort->Text(), u"SIM0");

  CloseWindow();
  const std::string Log = LogBytes();
  const std::regex Layout(
      "\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d \\| ------ Start program ------\r\n"
      "\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d \\| ------ Stop program  ------\r\n");
  EXPECT_TRUE(std::regex_match(Log, Layout)) << Log;
}

TEST_F(ToolTest, UncheckedLogInfoWritesNothing) {
  TfmMain& W = OpenWindow();
  std::remove(LogPath().c_str());
  W.ppmWriteLogInfo->Click();
  EXPECT_FALSE(W.ppmWriteLogInfo->Checked());
  W.Log(u"anything");
  CloseWindow();
  EXPECT_FALSE(LogExists());
}

TEST_F(ToolTest, LogLinesAreAppendedInTheAnsiCodePage) {
  TfmMain& W = OpenWindow();
  { std::ofstream Keep(LogPath(), std::ios::binary | std::ios::app); }
  SetACP(1251);
  W.btnRussianClick(nullptr);
  W.Log(W.Text(u"IDS_5"));
  std::string Log = LogBytes();
  // Appended: the start line stays first.
  EXPECT_NE(Log.substr(0, Log.find('\n')).find("------ Start program ------"), std::string::npos);
  EXPECT_NE(Log.find(" | \xCD\xE5\xF2 \xEE\xF2\xE2\xE5\xF2\xE0\r\n"), std::string::npos);
  // A code page without Cyrillic letters gets its replacement character, one byte each.
  SetACP(1252);
  W.Log(W.Text(u"IDS_5"));
  EXPECT_NE(LogBytes().find(" | ??? ??????\r\n"), std::string::npos);
}

TEST_F(ToolTest, HotelAndTheAddressField) {
  TfmMain& W = OpenWindow();
  W.mniHotel->Click();
  EXPECT_EQ(CmdPrefix, 0x30);
  W.mniHotel->Click();
  EXPECT_EQ(CmdPrefix, 0x20);

  W.seNetAdr->SetValue(1);
  EXPECT_EQ(W.btCheckNetAddr->Caption(), u"Check");
  EXPECT_TRUE(W.btIdentify->Visible());
  W.seNetAdr->SetValue(0);
  EXPECT_EQ(W.btCheckNetAddr->Caption(), u"Scan");
  EXPECT_FALSE(W.btIdentify->Visible());
  W.seNetAdr->SetValue(300);
  EXPECT_EQ(W.seNetAdr->Value(), 255);
}

TEST_F(ToolTest, LanguageButtonsSwitchTheMessageTexts) {
  TfmMain& W = OpenWindow();
  W.seNetAdr->SetValue(7);
  W.btnRussianClick(nullptr);
  EXPECT_EQ(W.slng1->ActiveLanguage(), 2);
  EXPECT_EQ(W.Text(u"IDS_5"), u"Нет ответа");
  EXPECT_EQ(W.Text(u"IDS_0"), u"V8AZezuda.log");
  // The address button still names what it does after the switch.
  EXPECT_EQ(W.btCheckNetAddr->Caption(), W.Text(u"IDS_113"));
  W.btnEnglishClick(nullptr);
  EXPECT_EQ(W.Text(u"IDS_5"), u"Not answer");
  EXPECT_EQ(W.btCheckNetAddr->Caption(), u"Check");
  EXPECT_EQ(W.Caption(), u"Q8M update V1.8");
}

TEST_F(ToolTest, DoubleClickClearsTheOutputPane) {
  TfmMain& W = OpenWindow();
  ASSERT_GT(W.Memo1->Lines()->Count(), 0);
  const std::string Before = LogBytes();
  W.Memo1->DblClick();
  EXPECT_EQ(W.Memo1->Lines()->Count(), 0);
  EXPECT_EQ(LogBytes(), Before);
}

}  // namespace
