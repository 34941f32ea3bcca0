#include <gtest/gtest.h>

#include <vector>

#include "core/exceptions.h"
#include "lang/custom_lang.h"
#include "lang/lang_test_support.h"
#include "lang/switch/extended_items.h"
#include "lang/table/strings_collection.h"

namespace {

// A component with three languages, one line "K" in every list, a message key, a charset per
// language for its form and one extended item; Russian is active.
class LanguageEditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Lang->SetState(csLoading, true);
    Lang->SetNumOfLanguages(3);
    TStringList Names;
    Names.SetText(u"English\r\nRussian\r\nGerman\r\n");
    Lang->SetLangNames(&Names);
    Lang->FinishLoading();
    for (TStrings* List : Lists()) {
      List->Clear();
      List->Add(L("K|a|b|c|"));
    }
    Lang->CharSets()->Add(L("TTestForm|ANSI_CHARSET|RUSSIAN_CHARSET|EASTEUROPE_CHARSET|"));
    Lang->Strings()->Add(L("IDS_2|one|odin|eins|"));
    Lang->UpdateStrCollections();
    Item = Lang->ExtendedTranslations()->Add();
    Item->SetIdentifier(u"TTestForm.Caption");
    Item->SetValues(L("a|b|c|"));
    // Only the language changes: applying it would drop the lines of "K", which the form lacks.
    Lang->BlockLanguageChanging = true;
    Lang->SetActiveLanguage(2);
  }

  std::vector<TStrings*> Lists() const {
    std::vector<TStrings*> R;
    for (int Cat = 0; Cat < StringsTypeCount; ++Cat)
      if (TStrings* List = Lang->GetPropListByType(static_cast<TStringsType>(Cat)))
        R.push_back(List);
    return R;
  }

  // Every list's first line, which the fixture made the same everywhere.
  void ExpectEveryList(const std::string& Line) {
    for (TStrings* List : Lists()) EXPECT_EQ(List->Get(0), L(Line));
  }

  String Text(const char16_t* ID, int Lang_) const {
    return Lang->StringsColl()->GetTranslationByID(ID, Lang_);
  }

  TComponentPtr<TTestForm> Form{new TTestForm};
  TlcLang* Lang = new TlcLang(Form.get());
  TlcExtendedItem* Item = nullptr;
};

TEST_F(LanguageEditingTest, MovingAColumnMovesItEverywhereAndTheActiveLanguageWithIt) {
  ASSERT_EQ(Lists().size(), 11u);
  Lang->MoveLanguage(3, 1);
  ExpectEveryList("K|c|a|b|");
  EXPECT_EQ(Item->Values(), L("c|a|b|"));
  EXPECT_EQ(Lang->LangNames()->GetText(), u"German\r\nEnglish\r\nRussian\r\n");
  EXPECT_EQ(Text(u"IDS_2", 1), u"eins");
  EXPECT_EQ(Text(u"IDS_2", 3), u"odin");
  // Russian is still the language shown, under its new number, with its charset.
  EXPECT_EQ(Lang->ActiveLanguage(), 3);
  EXPECT_EQ(Lang->Language(), u"Russian");
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_2"), u"odin");
  EXPECT_EQ(Lang->CurrentCharset, TFontCharset{204});
  EXPECT_EQ(Lang->CharsetArray()[0], TFontCharset{238});

  Lang->MoveLanguage(1, 3);
  ExpectEveryList("K|a|b|c|");
  EXPECT_EQ(Item->Values(), L("a|b|c|"));
  EXPECT_EQ(Lang->ActiveLanguage(), 2);
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_2"), u"odin");
}

TEST_F(LanguageEditingTest, AMoveInPlaceOnlyPadsShortLinesAndValues) {
  Lang->Captions()->Add(L("Short|x"));
  Item->SetValues(L("a|b"));
  Lang->MoveLanguage(2, 2);
  EXPECT_EQ(Lang->Captions()->Get(1), L("Short|x|||"));
  EXPECT_EQ(Item->Values(), L("a|b||"));
  EXPECT_EQ(Lang->ActiveLanguage(), 2);
}

TEST_F(LanguageEditingTest, DeletingAColumnLeavesOneTextPerRemainingLanguage) {
  Lang->DeleteLanguage(2);
  ExpectEveryList("K|a|c|");
  EXPECT_EQ(Item->Values(), L("a|c|"));
  EXPECT_EQ(Lang->NumOfLanguages(), 2);
  EXPECT_EQ(Lang->LangNames()->GetText(), u"English\r\nGerman\r\n");
  EXPECT_EQ(Text(u"IDS_2", 2), u"eins");
  // The deleted language was active: its number now names German.
  EXPECT_EQ(Lang->ActiveLanguage(), 2);
  EXPECT_EQ(Lang->Language(), u"German");
  EXPECT_EQ(Lang->CurrentCharset, TFontCharset{238});

  Lang->DeleteLanguage(1);
  ExpectEveryList("K|c|");
  EXPECT_EQ(Lang->ActiveLanguage(), 1);
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_2"), u"eins");
  EXPECT_THROW(Lang->DeleteLanguage(1), ELanguageError);
  EXPECT_EQ(Lang->NumOfLanguages(), 1);
  ExpectEveryList("K|c|");
}

TEST_F(LanguageEditingTest, InsertingALanguageGivesEveryLineAnEmptyColumnThere) {
  Lang->InsertLanguage(1, u"French");
  ExpectEveryList("K||a|b|c|");
  EXPECT_EQ(Item->Values(), L("|a|b|c|"));
  EXPECT_EQ(Lang->LangNames()->GetText(), u"French\r\nEnglish\r\nRussian\r\nGerman\r\n");
  EXPECT_EQ(Lang->ActiveLanguage(), 3);
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_2"), u"odin");
  EXPECT_EQ(Text(u"IDS_2", 1), u"");

  Lang->InsertLanguage(5, u"Polish");
  ExpectEveryList("K||a|b|c||");
  EXPECT_EQ(Lang->LangNames()->Get(4), u"Polish");
  EXPECT_EQ(Lang->ActiveLanguage(), 3);
}

TEST_F(LanguageEditingTest, LanguageNumbersOutsideTheLanguagesChangeNothing) {
  EXPECT_THROW(Lang->MoveLanguage(0, 1), ELanguageError);
  EXPECT_THROW(Lang->MoveLanguage(1, 4), ELanguageError);
  EXPECT_THROW(Lang->DeleteLanguage(4), ELanguageError);
  EXPECT_THROW(Lang->InsertLanguage(5, u"X"), ELanguageError);
  EXPECT_THROW(Lang->InsertLanguage(0, u"X"), ELanguageError);
  ExpectEveryList("K|a|b|c|");
  EXPECT_EQ(Item->Values(), L("a|b|c|"));
  EXPECT_EQ(Lang->NumOfLanguages(), 3);
  EXPECT_EQ(Lang->LangNames()->Count(), 3);
}

TEST_F(LanguageEditingTest, AddedStringsAreFoundAtOnceAndReplaceTheirOldLine) {
  EXPECT_TRUE(Lang->AddString(u"IDS_9", {u"Error"}));
  EXPECT_EQ(Lang->Strings()->Get(Lang->Strings()->Count() - 1), L("IDS_9|Error|||"));
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_9"), u"Error");
  EXPECT_EQ(Text(u"IDS_9", 2), u"");

  EXPECT_TRUE(Lang->AddString(u"IDS_9", {u"Fault", u"Oshibka", u"Fehler", u"Erreur"}));
  EXPECT_EQ(Lang->Strings()->Get(Lang->Strings()->Count() - 1), L("IDS_9|Fault|Oshibka|Fehler|"));
  EXPECT_EQ(Lang->Strings()->Count(), 3);
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_9"), u"Oshibka");
  EXPECT_EQ(Text(u"IDS_9", 3), u"Fehler");

  // A delimiter inside an identifier or a text would split the line: refused, nothing changed.
  EXPECT_FALSE(Lang->AddString(u"IDS_9", {L("Bad|Text")}));
  EXPECT_FALSE(Lang->AddString(L("IDS|10"), {u"x"}));
  EXPECT_EQ(Lang->Strings()->Count(), 3);
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_9"), u"Oshibka");
}

TEST_F(LanguageEditingTest, StringsAreFoundIgnoringCaseButDeletedOnlyByTheirExactName) {
  Lang->AddString(u"IDS_9", {u"Error"});
  EXPECT_EQ(Lang->GetIDIndex(u"ids_9"), 2);
  EXPECT_EQ(Lang->GetIDIndex(u"IDS_1"), -1);
  EXPECT_EQ(Lang->GetStringID(2), u"IDS_9");
  EXPECT_THROW(Lang->GetStringID(3), EListError);
  EXPECT_THROW(Lang->GetStringID(-1), EListError);
  EXPECT_FALSE(Lang->DeleteString(u"ids_9"));
  EXPECT_TRUE(Lang->DeleteString(u"IDS_9"));
  EXPECT_FALSE(Lang->DeleteString(u"IDS_9"));
  EXPECT_EQ(Lang->StringsColl()->GetIDIndex(u"IDS_9"), -1);
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_9"), u"");
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_2"), u"odin");
}

TEST_F(LanguageEditingTest, ClearingTranslationsKeepsTheLanguages) {
  Lang->ClearTranslations();
  for (TStrings* List : Lists()) EXPECT_EQ(List->Count(), 0);
  EXPECT_EQ(Lang->ExtendedTranslations()->Count(), 0);
  EXPECT_EQ(Lang->StringsColl()->Count(), 0);
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_2"), u"");
  EXPECT_EQ(Lang->LangNames()->Count(), 3);
  EXPECT_EQ(Lang->NumOfLanguages(), 3);
}

}  // namespace
