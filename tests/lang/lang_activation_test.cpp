#include <gtest/gtest.h>

#include "lang/custom_lang.h"
#include "lang/table/strings_collection.h"
#include "lang_test_support.h"
#include "ui/screen.h"

namespace {

// Reads a component as the form stream does: values set while csLoading, then FinishLoading.
template <class Fill>
void Load(TlcCustomLang& Lang, Fill F) {
  Lang.SetState(csLoading, true);
  F();
  Lang.FinishLoading();
}

TEST(LangActivation, FinishLoadingBuildsTheKeyCollectionAndStaysInLanguageOne) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Load(*Lang, [&] {
    Lang->SetActiveLanguage(2);   // out of range while one language: ignored
    Lang->SetDefaultLanguage(2);  // stored unchecked until loading ends
    Lang->SetNumOfLanguages(2);
    Lang->Strings()->Add(L("IDS_1|One|Один|"));
    Lang->CharSets()->Add(L("TTestForm|DEFAULT_CHARSET|RUSSIAN_CHARSET|"));
  });
  EXPECT_FALSE(Lang->HasState(csLoading));
  EXPECT_EQ(Lang->ActiveLanguage(), 1);
  EXPECT_EQ(Lang->DefaultLanguage(), 2);
  EXPECT_EQ(Lang->StringsColl()->Count(), 1);
  EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_1"), u"One");
  EXPECT_EQ(Lang->CharsetArray(), (std::vector<TFontCharset>{1, 204}));
  EXPECT_EQ(Lang->CurrentCharset, 1);
}

TEST(LangActivation, TabDelimitedDataIsConverted) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Load(*Lang, [&] {
    Lang->SetLangDelim(9);
    Lang->DlgsCaptions()->Clear();
    Lang->Captions()->Add(u"TTestForm\tMain\t");
  });
  EXPECT_EQ(Lang->LangDelim(), 1);
  EXPECT_EQ(Lang->Captions()->Get(0), L("TTestForm|Main|"));

  TTestForm Form2;
  auto* Tabbed = new TlcLang(&Form2);
  Load(*Tabbed, [&] {
    Tabbed->DlgsCaptions()->Clear();
    Tabbed->Captions()->Add(L("TTestForm\tA|Main|"));  // one TAB: not TAB-delimited data
  });
  EXPECT_EQ(Tabbed->Captions()->Get(0), L("TTestForm\tA|Main|"));
  Tabbed->Captions()->Put(0, u"TTestForm\tMain\t");
  EXPECT_TRUE(Tabbed->HasTabDelimitedData());
}

TEST(LangActivation, ElevenLocaleLinesGrowToFifteen) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Load(*Lang, [&] {
    for (int I = 0; I < 11; ++I) Lang->Locales()->Add(L("Item|v|"));
  });
  ASSERT_EQ(Lang->Locales()->Count(), 15);
  EXPECT_EQ(Lang->Locales()->Get(11).substr(0, 17), u"Short Month Names");
}

TEST(LangActivation, DialogCaptionListGrowsAndShrinks) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->SetNeedAllDlgs(true);
  ASSERT_EQ(Lang->DlgsCaptions()->Count(), 86);
  EXPECT_EQ(Lang->DlgsCaptions()->Get(15), L("Open|&Open|"));
  Lang->SetNeedAllDlgs(false);
  EXPECT_EQ(Lang->DlgsCaptions()->Count(), 15);
  Lang->SetNeedAllDlgs(true);
  Lang->DlgsCaptions()->Add(L("Extra|x|"));
  Lang->SetNeedAllDlgs(false);
  EXPECT_EQ(Lang->DlgsCaptions()->Count(), 87);  // only exactly 86 lines shrink
}

TEST(LangActivation, VetoKeepsEverythingAndRestoresTheCursor) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  TStringList Names;
  Names.SetText(u"English\r\nRussian");
  Lang->SetLangNames(&Names);
  Lang->SetChangingCursor(-11);
  int Asked = 0, Changed = 0, Requested = 0;
  TCursor SeenCursor = 0;
  bool Allow = false;
  Lang->OnLanguageChanging = TLanguageChangingEvent([&](TObject*, int NewLanguage, bool& A) {
    ++Asked;
    Requested = NewLanguage;
    SeenCursor = Screen().Cursor();
    A = Allow;
  });
  Lang->OnChangeLanguage = TNotifyEvent([&](TObject*) { ++Changed; });
  Lang->SetActiveLanguage(2);
  EXPECT_EQ(Asked, 1);
  EXPECT_EQ(Requested, 2);
  EXPECT_EQ(SeenCursor, -11);
  EXPECT_EQ(Screen().Cursor(), crDefault);
  EXPECT_EQ(Lang->ActiveLanguage(), 1);
  EXPECT_EQ(Lang->Language(), u"English");
  EXPECT_EQ(Changed, 0);

  Allow = true;
  Lang->SetActiveLanguage(2);
  EXPECT_EQ(Lang->ActiveLanguage(), 2);
  EXPECT_EQ(Lang->Language(), u"Russian");
  EXPECT_EQ(Changed, 1);
  Lang->SetActiveLanguage(2);  // same value: not even the event
  EXPECT_EQ(Asked, 2);

  // A cursor that is already busy is neither replaced nor restored.
  Screen().SetCursor(5);
  Lang->SetActiveLanguage(1);
  EXPECT_EQ(SeenCursor, 5);
  EXPECT_EQ(Screen().Cursor(), 5);
  Screen().SetCursor(crDefault);
}

TEST(LangActivation, ExceptionsInTheHandlerRestoreTheCursor) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->SetNumOfLanguages(2);
  Lang->SetChangingCursor(-11);
  Lang->OnLanguageChanging =
      TLanguageChangingEvent([](TObject*, int, bool&) { throw Exception(u"no"); });
  EXPECT_THROW(Lang->SetActiveLanguage(2), Exception);
  EXPECT_EQ(Screen().Cursor(), crDefault);
  EXPECT_EQ(Lang->ActiveLanguage(), 1);
}

}  // namespace
