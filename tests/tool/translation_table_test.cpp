#include <fstream>
#include <map>

#include "lang/table/strings_collection.h"
#include "tool_test_support.h"

#ifndef TOOL_FIXTURES
#error "TOOL_FIXTURES names the folder of the tool's test fixtures"
#endif

namespace {

String Unescape(const std::string& S) {
  std::string R;
  for (size_t I = 0; I < S.size(); ++I) {
    if (S[I] != '\\' || I + 1 == S.size()) {
      R += S[I];
      continue;
    }
    const char E = S[++I];
    R += E == 'r' ? '\r' : E == 'n' ? '\n' : E == 't' ? '\t' : E;
  }
  return FromUtf8(R);
}

TEST_F(ToolTest, EveryMessageKeyOnceInBothLanguagesWithTheQuotedEnglishText) {
  std::map<String, String> Expected;
  std::ifstream In(std::string(TOOL_FIXTURES) + "/message_texts_en.txt");
  for (std::string Line; std::getline(In, Line);) {
    const size_t Tab = Line.find('\t');
    ASSERT_NE(Tab, std::string::npos) << Line;
    Expected[FromUtf8(Line.substr(0, Tab))] = Unescape(Line.substr(Tab + 1));
  }
  ASSERT_EQ(Expected.size(), 107u);

  TfmMain& W = OpenWindow();
  TStrings& Strings = *W.slng1->Strings();
  ASSERT_EQ(Strings.Count(), 107);
  std::map<String, int> Seen;
  for (int I = 0; I < Strings.Count(); ++I) {
    const String Line = Strings.Get(I);
    int Delims = 0;
    for (char16_t C : Line) Delims += C == 1;
    EXPECT_EQ(Delims, 3) << ToUtf8(Line);
    const String Key = Line.substr(0, Line.find(u'\x01'));
    ++Seen[Key];
  }
  for (const auto& [Key, English] : Expected) {
    EXPECT_EQ(Seen[Key], 1) << ToUtf8(Key);
    EXPECT_EQ(W.slng1->GetTextOrDefault(Key), English) << ToUtf8(Key);
  }
  W.btnRussianClick(nullptr);
  for (const auto& [Key, English] : Expected) {
    const int Index = W.slng1->StringsColl()->GetIDIndex(Key);
    ASSERT_GE(Index, 0);
    EXPECT_FALSE(W.slng1->StringsColl()->Items(Index)->Values()->Get(1).empty()) << ToUtf8(Key);
  }
  // Keys that are the same in both languages, and the pairs built differently.
  for (const char16_t* Same :
       {u"IDS_0", u"IDS_1", u"IDS_55", u"IDS_61", u"IDS_63", u"IDS_84", u"IDS_85", u"IDS_89",
        u"IDS_90", u"IDS_115", u"IDS_116", u"IDS_117", u"IDS_119", u"IDS_120"})
    EXPECT_EQ(W.Text(Same), Expected[Same]) << ToUtf8(Same);
  EXPECT_EQ(W.Text(u"IDS_95"), u"Доступно конвертеров - ");
  EXPECT_EQ(W.Text(u"IDS_96"), u".");
  EXPECT_EQ(W.Text(u"IDS_2"), u"Except");
  EXPECT_EQ(W.Text(u"IDS_27"), u"Сетевой адрес успешно установлен с");
}

TEST_F(ToolTest, CaptionFontAndCharsetTablesCoverTheWindow) {
  TfmMain& W = OpenWindow();
  EXPECT_EQ(W.slng1->Captions()->Count(), 16);
  EXPECT_EQ(W.slng1->Fonts()->Count(), 16);
  EXPECT_EQ(W.slng1->CharSets()->Count(), 16);
  EXPECT_EQ(W.slng1->Captions()->Get(0), u"TfmMain\x01Q8M update V1.8\x01Q8M update V1.8\x01");
  EXPECT_EQ(W.slng1->GetStringValue(*W.slng1->CharSets(), u"Memo1", 2), u"RUSSIAN_CHARSET");
  EXPECT_EQ(W.slng1->GetStringValue(*W.slng1->CharSets(), u"seNetAdr", 2), u"DEFAULT_CHARSET");
  EXPECT_EQ(W.slng1->DlgsCaptions()->Count(), 0);
  EXPECT_EQ(W.slng1->SmartExcludeProps()->Count(), 3);
  EXPECT_EQ(W.slng1->ExcludedProperties()->Count(), 30);
  EXPECT_TRUE(W.slng1->StoreAsUTF8());
  EXPECT_FALSE(W.slng1->UseTaskMsgDlg());
}

}  // namespace
