#include <gtest/gtest.h>

#include "lang/custom_lang.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/files/c_escapes.h"
#include "lang/lang_test_support.h"
#include "lang/table/strings_collection.h"

namespace {

class TextLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    Lang->SetNumOfLanguages(3);
    for (const char* Line : {"IDS_5|Not answer|Нет ответа||", "IDS_6|Only English|||",
                             "IDS_7||Только русский||", "IDS_8|One|Два|Три|"})
      Lang->Strings()->Add(L(Line));
    Lang->RebuildStringsCollection(*Lang->StringsColl(), 0);
  }
  TTestForm Form;
  TlcLang* Lang = new TlcLang(&Form);
};

TEST_F(TextLookup, ActiveLanguageWithLanguageOneFallback) {
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_5"), u"Not answer");
  Lang->SetActiveLanguage(2);
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_5"), u"Нет ответа");
  EXPECT_EQ(Lang->GetTextOrDefault(u"ids_6"), u"Only English");
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_99"), u"");
  EXPECT_EQ(Lang->GetText(u"IDS_6"), u"");  // ttNoChange: no fallback
  Lang->SetTranslateType(ttGetDefault);
  EXPECT_EQ(Lang->GetText(u"IDS_6"), u"Only English");
  EXPECT_EQ(Lang->GetTextOrDefaultW(u"IDS_5"), u"Нет ответа");
}

TEST_F(TextLookup, ReplacedTextsAreLookedUpAfterwards) {
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_5"), u"Not answer");
  Lang->ReplaceStringValue(*Lang->Strings(), u"No reply", u"ids_5", 1);
  EXPECT_EQ(Lang->Strings()->Get(0), L("IDS_5|No reply|Нет ответа||"));
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_5"), u"No reply");
  Lang->StringsColl()->Items(Lang->StringsColl()->GetIDIndex(u"IDS_8"))->Values()->Put(0, u"Uno");
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_8"), u"Uno");
}

TEST_F(TextLookup, MissingKeysRaiseOnlyWhenAsked) {
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_99"), u"");
  Lang->SetDoRaiseExceptions(true);
  try {
    Lang->GetTextOrDefault(u"IDS_99");
    FAIL();
  } catch (const ELanguageError& E) {
    EXPECT_EQ(E.Message(), u"String identifier \"IDS_99\" not found!");
  }
  EXPECT_THROW(Lang->GetTextFrom(*Lang->Captions(), u"X", true, true), ELanguageError);
  EXPECT_EQ(Lang->GetTextFromByIndex(*Lang->Captions(), 5, true), u"");
}

TEST_F(TextLookup, DefaultLanguageChainRestoresTheActiveLanguage) {
  Lang->SetUseDefaultLanguage(true);
  Lang->SetDefaultLanguage(2);
  Lang->SetActiveLanguage(3);
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_5"), u"Нет ответа");
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_6"), u"Only English");
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_8"), u"Три");
  EXPECT_EQ(Lang->ActiveLanguage(), 3);
  Lang->SetDoRaiseExceptions(true);
  EXPECT_THROW(Lang->GetTextOrDefault(u"IDS_99"), ELanguageError);
  EXPECT_EQ(Lang->ActiveLanguage(), 3);

  Lang->SetUseDefaultLanguage(false);
  EXPECT_EQ(Lang->GetTextOrDefined(u"IDS_7", 2), u"Только русский");
  EXPECT_EQ(Lang->GetTextOrDefined(u"IDS_7", 9), u"");
  EXPECT_EQ(Lang->ActiveLanguage(), 3);
  // The last language is one to fall back on too.
  Lang->SetActiveLanguage(1);
  ASSERT_TRUE(Lang->AddString(u"IDS_9", {u"", u"", u"Drei"}));
  EXPECT_EQ(Lang->GetTextOrDefined(u"IDS_9", 3), u"Drei");
  EXPECT_EQ(Lang->GetTextOrDefinedW(u"IDS_9", 3), u"Drei");
  EXPECT_EQ(Lang->ActiveLanguage(), 1);
}

TEST_F(TextLookup, ListSearchMatchesWholeNamesOfOneLine) {
  TStringList C;
  C.Add(L("btnScan|Scan|Поиск|"));
  C.Add(L("btn|short|"));
  C.Add(L("next|x|y|z|"));
  EXPECT_EQ(Lang->GetTextFrom(C, u"BTNSCAN", false, true), u"Scan");
  Lang->SetActiveLanguage(2);
  EXPECT_EQ(Lang->GetTextFrom(C, u"btnScan", false, true), u"Поиск");
  // The short line's second text is absent: it is not taken from the following line.
  EXPECT_EQ(Lang->GetTextFrom(C, u"btn", false, true), u"");
  EXPECT_EQ(Lang->GetTextFrom(C, u"btn", true, true), u"short");
  EXPECT_EQ(Lang->GetTextFromByIndex(C, 0, false), u"Поиск");
  EXPECT_EQ(Lang->GetTextFromByIndex(C, -1, true), u"");
  EXPECT_EQ(Lang->GetTextFromByIndex(C, C.Count(), true), u"");
}

TEST_F(TextLookup, AKeyInsideAMultiLineTextIsNotALine) {
  TStrings& M = *Lang->OtherStrings();
  M.Add(
      String(u"memo.Text\x01"
             u"first\r\nIDS_Fake\x01"
             u"wrong\x01"));
  EXPECT_EQ(Lang->GetTextFrom(M, u"IDS_Fake", true, true), u"");
}

TEST_F(TextLookup, CommonStringsWithoutDispatcherAreEmpty) {
  Lang->SetOptions(1u << loUseExtCommonStrings);
  EXPECT_EQ(Lang->GetTextFrom(*Lang->DlgsCaptions(), u"Warning", true, true), u"");
  EXPECT_EQ(Lang->GetTextFromByIndex(*Lang->DlgsCaptions(), 0, true), u"");
}

TEST_F(TextLookup, BorrowingReadsAnotherComponentAndNeverItself) {
  TTestForm Other;
  auto* Dispatcher = new TlcLangDispatcher(&Form);
  Dispatcher->SetNumOfLanguages(3);
  Lang->SetOptions(1u << loUseExtUDStrings);
  Lang->SetLangDispatcher(Dispatcher);
  // Only this component is linked: its own list is searched, without recursion.
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_5"), u"Not answer");

  auto* Source = new TlcLang(&Other);
  Source->SetLangDispatcher(Dispatcher);
  Source->Strings()->Add(L("IDS_5|Borrowed|||"));
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_5"), u"Borrowed");
  Dispatcher->RemoveLcLang(Source);
}

TEST_F(TextLookup, ColumnOrDefaultAndCBuffers) {
  Lang->SetUseDefaultLanguage(true);
  Lang->SetDefaultLanguage(2);
  EXPECT_EQ(Lang->GetColumnOrDefault(L("N|a||c|"), 1, 2), u"");
  EXPECT_EQ(Lang->GetColumnOrDefault(L("N|a|b|"), 1, 3), u"b");
  EXPECT_EQ(Lang->GetTextC(u"IDS_7"), nullptr);
  const char16_t* P = Lang->GetTextC(u"IDS_5");
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(String(P), u"Not answer");
  EXPECT_EQ(Lang->GetTextbyInt(5), u"");
}

TEST(CEscapes, DecodesCompleteEscapesOnly) {
  EXPECT_EQ(DecodeCEscapes(u"\\x41"), u"A");
  EXPECT_EQ(DecodeCEscapes(u"\\101"), u"A");
  EXPECT_EQ(DecodeCEscapes(u"\\q"), u"\\q");
  EXPECT_EQ(DecodeCEscapes(u"\\xZ"), u"\\xZ");
  EXPECT_EQ(DecodeCEscapes(u"end\\"), u"end\\");
  EXPECT_EQ(DecodeCEscapes(u"\\x4142"), u"A42");
  EXPECT_EQ(DecodeCEscapes(u"\\1234"), String(1, char16_t(83)) + u"4");
  EXPECT_EQ(DecodeCEscapes(u"a\\tb\\n\\\\\\\""), u"a\tb\n\\\"");
}

}  // namespace
