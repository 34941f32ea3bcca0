#include <gtest/gtest.h>

#include "core/strings.h"
#include "lang/custom_lang.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/switch/extended_items.h"
#include "lang_test_support.h"

namespace {

TEST(CustomLang, NewComponentHasItsDocumentedDefaults) {
  TlcLang Lang(nullptr);
  EXPECT_EQ(Lang.NumOfLanguages(), 1);
  EXPECT_EQ(Lang.ActiveLanguage(), 1);
  EXPECT_EQ(Lang.LangNames()->GetText(), u"Language N1\r\n");
  EXPECT_EQ(Lang.Language(), u"Language N1");
  EXPECT_EQ(Lang.LangDelim(), 1);
  EXPECT_EQ(Lang.Version(), u"7.1");
  Lang.SetVersion(u"9.9");
  EXPECT_EQ(Lang.Version(), u"7.1");
  ASSERT_EQ(Lang.DlgsCaptions()->Count(), 15);
  EXPECT_EQ(Lang.DlgsCaptions()->Get(0), L("Warning|Warning|"));
  EXPECT_EQ(Lang.DlgsCaptions()->Get(4), L("Yes|&Yes|"));
  EXPECT_EQ(Lang.DlgsCaptions()->Get(12), L("No To All|N&o to All|"));
  EXPECT_EQ(Lang.ExcludedProperties()->Count(), 30);
  EXPECT_EQ(Lang.ExcludedProperties()->Get(4), u"HelpKeyword");
  EXPECT_EQ(Lang.StringsTypes()->Count(), 2);
  EXPECT_EQ(Lang.ChangingCursor(), -1);
  EXPECT_TRUE(Lang.AutoSkipEmpties());
  EXPECT_TRUE(Lang.UseTaskMsgDlg());
  EXPECT_EQ(Lang.ResourceLanguageIndex(), 1);
  EXPECT_EQ(Lang.CurrentCharset, DEFAULT_CHARSET);
  EXPECT_EQ(Lang.CreationLocales()[0], u"$");
  EXPECT_EQ(Lang.CreationLocales()[14],
            u"Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday");
}

TEST(CustomLang, OnlyOneTranslationComponentPerOwner) {
  TTestForm Form;
  new TlcLang(&Form);
  try {
    new TlcLang(&Form);
    FAIL() << "a second component was accepted";
  } catch (const ELanguageError&) {
    FAIL() << "the wrong exception class";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"Only one TlcCustomLang component per Form/DataModule allowed!");
  }
  EXPECT_EQ(Form.ComponentCount(), 1);
}

TEST(CustomLang, LanguageCountPadsNamesAndListsAndCutsColumns) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->Strings()->Add(L("IDS_1|One|"));
  Lang->Captions()->Add(L("btn|Go|"));
  Lang->SetNumOfLanguages(3);
  EXPECT_EQ(Lang->LangNames()->GetText(), u"Language N1\r\nLanguage N2\r\nLanguage N3\r\n");
  EXPECT_EQ(Lang->Strings()->Get(0), L("IDS_1|One|||"));
  EXPECT_EQ(Lang->DlgsCaptions()->Get(0), L("Warning|Warning|||"));
  EXPECT_EQ(Lang->Captions()->Get(0), L("btn|Go|"));

  Lang->Captions()->Clear();
  Lang->Captions()->Add(L("N|a|b|c|"));
  Lang->Captions()->Add(L("M|a|b|"));
  Lang->SetNumOfLanguages(2);
  EXPECT_EQ(Lang->Captions()->Get(0), L("N|a|b|"));
  EXPECT_EQ(Lang->Captions()->Get(1), L("M|a|b|"));
  EXPECT_EQ(Lang->LangNames()->Count(), 2);

  try {
    Lang->SetNumOfLanguages(0);
    FAIL();
  } catch (const ELanguageError& E) {
    EXPECT_EQ(E.Message(), u"0 - is not a valid property value !\rValue must be more than ZERO !");
  }
  // A count from damaged data builds no million language names, whichever way it comes.
  EXPECT_THROW(Lang->SetNumOfLanguages(2000000000), ELanguageError);
  TStringList Many;
  for (int I = 0; I <= TlcCustomLang::MaxLanguages; ++I) Many.Add(u"L" + IntToStr(I));
  EXPECT_THROW(Lang->SetLangNames(&Many), ELanguageError);
  EXPECT_EQ(Lang->NumOfLanguages(), 2);
  EXPECT_EQ(Lang->LangNames()->Count(), 2);
}

TEST(CustomLang, LoweringTheLanguageCountKeepsTheActiveLanguageInRange) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->SetNumOfLanguages(3);
  Lang->CharSets()->Add(L("TTestForm|ANSI_CHARSET|RUSSIAN_CHARSET|GREEK_CHARSET|"));
  Lang->SetActiveLanguage(3);
  Lang->SetNumOfLanguages(2);
  EXPECT_EQ(Lang->ActiveLanguage(), 2);
  Lang->RefreshCurrentCharset();
  EXPECT_EQ(Lang->CharsetArray().size(), 2u);
  EXPECT_EQ(Lang->CurrentCharset, 204);
}

TEST(CustomLang, LangNamesSetTheCountWithoutTouchingLines) {
  TlcLang Lang(nullptr);
  Lang.SetNumOfLanguages(2);
  Lang.Captions()->Add(L("N|a|b|"));
  TStringList Names;
  Names.SetText(u"English\r\nRussian\r\nGerman");
  Lang.SetLangNames(&Names);
  EXPECT_EQ(Lang.NumOfLanguages(), 3);
  EXPECT_EQ(Lang.Language(), u"English");
  EXPECT_EQ(Lang.Captions()->Get(0), L("N|a|b|"));

  // An empty list still leaves one language, so look-ups never index past the end.
  TStringList Empty;
  Lang.SetLangNames(&Empty);
  EXPECT_EQ(Lang.NumOfLanguages(), 1);
  EXPECT_EQ(Lang.ActiveLanguage(), 1);
}

TEST(CustomLang, LanguageMustBeListedOutsideLoading) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  TStringList Names;
  Names.SetText(u"English\r\nRussian");
  Lang->SetLangNames(&Names);
  Lang->SetLanguage(u"russian");
  EXPECT_EQ(Lang->ActiveLanguage(), 2);
  EXPECT_EQ(Lang->Language(), u"Russian");
  EXPECT_THROW(Lang->SetLanguage(u"German"), ELanguageError);

  Lang->SetState(csLoading, true);
  Lang->SetLanguage(u"German");
  EXPECT_EQ(Lang->LangNames()->Count(), 3);
  EXPECT_EQ(Lang->ActiveLanguage(), 2);  // while loading only the name is recorded
}

TEST(CustomLang, DelimiterChangeRewritesEveryListAndExtendedItem) {
  TlcLang Lang(nullptr);
  Lang.Captions()->Add(L("N|a|"));
  Lang.ExtendedTranslations()->Add()->SetValues(L("x|"));
  Lang.SetLangDelim(9);
  EXPECT_EQ(Lang.Captions()->Get(0), u"N\ta\t");
  EXPECT_EQ(Lang.DlgsCaptions()->Get(0), u"Warning\tWarning\t");
  EXPECT_EQ(Lang.ExtendedTranslations()->Items(0)->Values(), u"x\t");

  Lang.SetState(csLoading, true);
  Lang.SetLangDelim(1);
  EXPECT_EQ(Lang.Captions()->Get(0), u"N\ta\t");  // while loading only the value is stored
}

TEST(CustomLang, DelimiterThatATextHoldsIsRefused) {
  TlcLang Lang(nullptr);
  Lang.Captions()->Add(L("memo|a\tb|"));
  EXPECT_THROW(Lang.SetLangDelim(9), ELanguageError);
  EXPECT_EQ(Lang.LangDelim(), 1);
  EXPECT_EQ(Lang.Captions()->Get(0), L("memo|a\tb|"));
}

TEST(CustomLang, ChangeLocalesAddsFifteenOneColumnLinesOnlyToAnEmptyList) {
  TlcLang Lang(nullptr);
  Lang.SetNumOfLanguages(2);
  Lang.SetChangeLocales(true);
  ASSERT_EQ(Lang.Locales()->Count(), 15);
  EXPECT_EQ(Lang.Locales()->Get(0), L("Currency String|$|"));
  EXPECT_EQ(Lang.Locales()->Get(1), L("Thousand Separator|,|"));

  TlcLang Other(nullptr);
  Other.Locales()->Add(L("Currency String|R|"));
  Other.SetChangeLocales(true);
  EXPECT_EQ(Other.Locales()->Count(), 1);
}

TEST(CustomLang, SettingsCheckTheirRangesOutsideLoading) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->SetNumOfLanguages(2);
  try {
    Lang->SetResourceLanguageIndex(3);
    FAIL();
  } catch (const ELanguageError& E) {
    EXPECT_EQ(E.Message(), u"3 - is not a valid property value!\rValue must be within [1..2]!");
  }
  Lang->SetDefaultLanguage(5);
  EXPECT_EQ(Lang->DefaultLanguage(), 1);
  Lang->SetDefaultLanguage(2);
  EXPECT_EQ(Lang->DefaultLanguage(), 2);

  try {
    Lang->SetActiveLanguage(3);
    FAIL();
  } catch (const ELanguageError& E) {
    EXPECT_EQ(E.Message(),
              u"TTestForm: 3 - is not a valid property value!\rValue must be within [1..2]!");
  }
  TlcLang Lone(nullptr);
  try {
    Lone.SetActiveLanguage(0);
    FAIL();
  } catch (const ELanguageError& E) {
    EXPECT_EQ(E.Message(), u"0 - is not a valid property value!\rValue must be within [1..1]!");
  }
}

TEST(CustomLang, DesignTimeRemovalDeletesTheComponentsLines) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  auto* Button = new TTestModule(&Form);
  Button->SetName(u"btn");
  Form.SetDesigning(true);
  for (TStrings* List : {Lang->Captions(), Lang->Hints(), Lang->Fonts(), Lang->CharSets()}) {
    List->Add(L("TTestForm|x|"));
    List->Add(L("btn|x|"));
    List->Add(L("btnOther|x|"));
  }
  Lang->MultiLines()->Add(L("TTestForm.Lines|a|"));
  Lang->MultiLines()->Add(L("btn.Lines|a|"));
  Lang->DoNotTranslate()->Add(u"btn");
  Button->BeforeDestruction();
  delete Button;
  for (TStrings* List : {Lang->Captions(), Lang->Hints(), Lang->Fonts(), Lang->CharSets()}) {
    ASSERT_EQ(List->Count(), 2);
    EXPECT_EQ(List->Get(1), L("btnOther|x|"));
  }
  EXPECT_EQ(Lang->MultiLines()->Count(), 1);
  EXPECT_EQ(Lang->DoNotTranslate()->Count(), 0);
}

TEST(CustomLang, RunTimeRemovalKeepsLinesButDropsExclusionsAndExtendedItems) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  auto* Button = new TTestModule(&Form);
  Button->SetName(u"btn");
  Lang->Captions()->Add(L("btn|x|"));
  Lang->DoNotTranslate()->Add(u"btn");
  Lang->ExtendedTranslations()->Add()->SetIdentifier(u"btn.Hint");
  Lang->ExtendedTranslations()->Add()->SetIdentifier(u"btnOther.Hint");
  Button->BeforeDestruction();
  delete Button;
  EXPECT_EQ(Lang->Captions()->Count(), 1);
  EXPECT_EQ(Lang->DoNotTranslate()->Count(), 0);
  ASSERT_EQ(Lang->ExtendedTranslations()->Count(), 1);
  EXPECT_EQ(Lang->ExtendedTranslations()->Items(0)->Identifier(), u"btnOther.Hint");
}

TEST(CustomLang, DispatcherLinksAndUnlinks) {
  TTestForm Form;
  auto* Dispatcher = new TlcLangDispatcher(&Form);
  Dispatcher->SetNumOfLanguages(2);
  Dispatcher->LangNames()->SetText(u"English\r\nRussian");
  auto* Lang = new TlcLang(&Form);
  Lang->SetLangDispatcher(Dispatcher);
  EXPECT_EQ(Dispatcher->LcLangsCount(), 1);
  EXPECT_EQ(Lang->NumOfLanguages(), 2);
  EXPECT_EQ(Lang->LangNames()->Get(1), u"Russian");
  Dispatcher->BeforeDestruction();
  delete Dispatcher;
  EXPECT_EQ(Lang->LangDispatcher(), nullptr);
}

}  // namespace
