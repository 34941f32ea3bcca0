#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "component/reader.h"
#include "component/writer.h"
#include "core/stream.h"
#include "lang/custom_lang.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/lang_test_support.h"

namespace {

// A form with a translation component holding one message in two languages.
struct TLangForm {
  explicit TLangForm(const char* Name) : Form(new TTestForm), Lang(new TlcLang(Form.get())) {
    Form->SetName(FromUtf8(Name));
    Lang->SetState(csLoading, true);
    Lang->SetNumOfLanguages(2);
    Lang->Strings()->Add(L("IDS_1|One|Один|"));
    Lang->FinishLoading();
  }
  TComponentPtr<TTestForm> Form;
  TlcLang* Lang;
};

class LangDispatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dispatcher.reset(new TlcLangDispatcher(nullptr));
    TStringList Names;
    Names.SetText(u"English\r\nRussian\r\n");
    Dispatcher->SetLangNames(&Names);
    First = std::make_unique<TLangForm>("fmFirst");
    Second = std::make_unique<TLangForm>("fmSecond");
    for (TLangForm* F : {First.get(), Second.get()}) {
      F->Lang->SetLangDispatcher(Dispatcher.get());
      F->Lang->OnLanguageChanging = TLanguageChangingEvent([this, F](TObject*, int L, bool& Allow) {
        Log.push_back(ToUtf8(F->Form->Name()) + " asked " + std::to_string(L));
        Allow = F != Refusing;
      });
    }
    Dispatcher->OnLanguageChanged = TNotifyEvent([this](TObject*) { Log.push_back("changed"); });
  }

  TComponentPtr<TlcLangDispatcher> Dispatcher;
  std::unique_ptr<TLangForm> First, Second;
  TLangForm* Refusing = nullptr;
  std::vector<std::string> Log;
};

TEST_F(LangDispatcherTest, LinkingGivesAComponentTheSharedLanguageState) {
  ASSERT_EQ(Dispatcher->LcLangsCount(), 2);
  Dispatcher->SetActiveLanguage(2);
  TLangForm Third("fmThird");
  std::vector<TlcCustomLang*> Linked;
  Dispatcher->OnLinkToDispatcher =
      TLinkToDispatcherEvent([&](TObject*, TlcCustomLang* L) { Linked.push_back(L); });
  Third.Lang->SetNumOfLanguages(3);
  Third.Lang->SetLangDispatcher(Dispatcher.get());
  Third.Lang->SetLangDispatcher(Dispatcher.get());
  Dispatcher->AddLcLang(Third.Lang);
  EXPECT_EQ(Linked, std::vector<TlcCustomLang*>{Third.Lang});
  EXPECT_EQ(Dispatcher->LcLangsCount(), 3);
  EXPECT_EQ(Dispatcher->LcLangs(2), Third.Lang);
  EXPECT_EQ(Third.Lang->NumOfLanguages(), 2);
  EXPECT_EQ(Third.Lang->LangNames()->GetText(), u"English\r\nRussian\r\n");
  EXPECT_EQ(Third.Lang->ActiveLanguage(), 2);
  EXPECT_EQ(Third.Lang->Language(), u"Russian");
  EXPECT_EQ(Third.Lang->GetTextOrDefault(u"IDS_1"), FromUtf8("Один"));
  EXPECT_THROW(Dispatcher->LcLangs(3), EListError);
}

TEST_F(LangDispatcherTest, OneSwitchAsksEveryPartyOnceThenChangesEveryComponent) {
  Dispatcher->SetActiveLanguage(2);
  EXPECT_EQ(Log, (std::vector<std::string>{"fmFirst asked 2", "fmSecond asked 2", "changed"}));
  for (TLangForm* F : {First.get(), Second.get()}) {
    EXPECT_EQ(F->Lang->ActiveLanguage(), 2);
    EXPECT_EQ(F->Lang->GetTextOrDefault(u"IDS_1"), FromUtf8("Один"));
  }
  EXPECT_EQ(Dispatcher->Language(), u"Russian");
  Log.clear();
  Dispatcher->SetActiveLanguage(2);
  EXPECT_TRUE(Log.empty());
}

TEST_F(LangDispatcherTest, ARefusalFromAnyPartyStopsTheSwitchForAll) {
  Refusing = Second.get();
  Dispatcher->SetActiveLanguage(2);
  EXPECT_EQ(Log, (std::vector<std::string>{"fmFirst asked 2", "fmSecond asked 2"}));
  Refusing = First.get();
  Log.clear();
  Dispatcher->SetActiveLanguage(2);
  EXPECT_EQ(Log, (std::vector<std::string>{"fmFirst asked 2"}));
  Refusing = nullptr;
  Log.clear();
  Dispatcher->OnLanguageChanging =
      TLanguageChangingEvent([](TObject*, int, bool& Allow) { Allow = false; });
  Dispatcher->SetActiveLanguage(2);
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Dispatcher->ActiveLanguage(), 1);
  for (TLangForm* F : {First.get(), Second.get()}) {
    EXPECT_EQ(F->Lang->ActiveLanguage(), 1);
    EXPECT_EQ(F->Lang->GetTextOrDefault(u"IDS_1"), u"One");
  }
  // Selecting by name: refused, the name of the language that stays.
  EXPECT_EQ(Dispatcher->Language(), u"English");
  Dispatcher->SetLanguage(u"Russian");
  EXPECT_EQ(Dispatcher->Language(), u"English");
  EXPECT_THROW(Dispatcher->SetLanguage(u"German"), ELanguageError);
  Dispatcher->OnLanguageChanging = {};
  Dispatcher->SetLanguage(u"russian");
  EXPECT_EQ(Dispatcher->ActiveLanguage(), 2);
  EXPECT_EQ(Dispatcher->Language(), u"Russian");
}

TEST_F(LangDispatcherTest, ValuesOutsideTheLanguagesAreRefusedBeforeAnythingChanges) {
  EXPECT_THROW(Dispatcher->SetActiveLanguage(3), ELanguageError);
  EXPECT_THROW(Dispatcher->SetActiveLanguage(0), ELanguageError);
  EXPECT_THROW(Dispatcher->SetNumOfLanguages(0), ELanguageError);
  // One component that lacks the language stops the switch before the others change.
  Second->Lang->SetNumOfLanguages(1);
  EXPECT_THROW(Dispatcher->SetActiveLanguage(2), ELanguageError);
  EXPECT_EQ(First->Lang->ActiveLanguage(), 1);
  Second->Lang->SetNumOfLanguages(2);
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Dispatcher->ActiveLanguage(), 1);
  EXPECT_EQ(Dispatcher->LangNames()->Count(), 2);
  EXPECT_EQ(First->Lang->NumOfLanguages(), 2);
  // Default languages out of range are ignored and not passed on.
  Dispatcher->SetDefaultLanguage(3);
  Dispatcher->SetDefaultLanguage(0);
  EXPECT_EQ(Dispatcher->DefaultLanguage(), 1);
  Dispatcher->SetDefaultLanguage(2);
  Dispatcher->SetUseDefaultLanguage(true);
  EXPECT_EQ(Second->Lang->DefaultLanguage(), 2);
  EXPECT_TRUE(Second->Lang->UseDefaultLanguage());
}

TEST_F(LangDispatcherTest, TheCountAndTheNamesReachEveryComponentAndKeepTheActiveLanguage) {
  Dispatcher->SetNumOfLanguages(3);
  EXPECT_EQ(Dispatcher->LangNames()->GetText(), u"English\r\nRussian\r\nLanguage N3\r\n");
  EXPECT_EQ(First->Lang->NumOfLanguages(), 3);
  EXPECT_EQ(Second->Lang->LangNames()->Count(), 3);
  Dispatcher->SetActiveLanguage(3);
  Dispatcher->SetDefaultLanguage(3);
  Dispatcher->SetNumOfLanguages(1);
  EXPECT_EQ(Dispatcher->LangNames()->GetText(), u"English\r\n");
  EXPECT_EQ(Dispatcher->ActiveLanguage(), 1);
  EXPECT_EQ(Dispatcher->DefaultLanguage(), 1);
  EXPECT_EQ(Dispatcher->Language(), u"English");
  EXPECT_EQ(First->Lang->ActiveLanguage(), 1);

  TStringList Names;
  Names.SetText(u"Deutsch\r\nFrançais\r\n");
  Dispatcher->SetLangNames(&Names);
  EXPECT_EQ(Dispatcher->NumOfLanguages(), 2);
  EXPECT_EQ(Dispatcher->Language(), u"Deutsch");
  EXPECT_EQ(First->Lang->Language(), u"Deutsch");
  EXPECT_EQ(Second->Lang->NumOfLanguages(), 2);
  Dispatcher->SetActiveLanguage(2);
  // A shorter list keeps the active language among its names; an empty one leaves one name.
  Names.SetText(u"Deutsch\r\n");
  Dispatcher->SetLangNames(&Names);
  EXPECT_EQ(Dispatcher->ActiveLanguage(), 1);
  EXPECT_EQ(First->Lang->ActiveLanguage(), 1);
  Names.Clear();
  Dispatcher->SetLangNames(&Names);
  EXPECT_EQ(Dispatcher->LangNames()->GetText(), u"Language N1\r\n");
  EXPECT_EQ(Second->Lang->Language(), u"Language N1");
}

TEST_F(LangDispatcherTest, UnlinkingAndFreeingInAnyOrderLeaveNoReferenceBehind) {
  First.reset();
  ASSERT_EQ(Dispatcher->LcLangsCount(), 1);
  Dispatcher->SetActiveLanguage(2);
  EXPECT_EQ(Second->Lang->ActiveLanguage(), 2);
  Second->Lang->SetLangDispatcher(nullptr);
  EXPECT_EQ(Dispatcher->LcLangsCount(), 0);
  Second->Lang->SetLangDispatcher(Dispatcher.get());

  // A dispatcher owned by the first component's form, freed with it.
  auto Owned = std::make_unique<TLangForm>("fmOwner");
  auto* Local = new TlcLangDispatcher(Owned->Form.get());
  Local->SetNumOfLanguages(2);
  Owned->Lang->SetLangDispatcher(Local);
  Second->Lang->SetLangDispatcher(Local);
  EXPECT_EQ(Dispatcher->LcLangsCount(), 0);
  Owned.reset();
  EXPECT_EQ(Second->Lang->LangDispatcher(), nullptr);
  Second->Lang->SetActiveLanguage(1);

  Second->Lang->SetLangDispatcher(Dispatcher.get());
  Dispatcher.reset();
  EXPECT_EQ(Second->Lang->LangDispatcher(), nullptr);
  Second->Lang->SetActiveLanguage(2);
  EXPECT_EQ(Second->Lang->GetTextOrDefault(u"IDS_1"), FromUtf8("Один"));
}

TEST(LangDispatcher, FormDataKeepsTheLanguageStateAndTheTestModeSettings) {
  TComponentPtr<TlcLangDispatcher> D(new TlcLangDispatcher(nullptr));
  TStringList Names;
  Names.SetText(u"English\r\nRussian\r\nGerman\r\n");
  D->SetLangNames(&Names);
  D->SetActiveLanguage(2);
  D->SetDefaultLanguage(3);
  D->TestModeInfo()->SetActive(true);
  D->TestModeInfo()->SetKind(tmkFlipCase);
  D->TestModeInfo()->SetPaddingChar(u'#');
  TMemoryStream Out;
  WriteComponent(Out, *D);

  // The active and default languages come before the count that admits them.
  TComponentPtr<TlcLangDispatcher> Back(new TlcLangDispatcher(nullptr));
  TMemoryStream In(Out.Bytes());
  ReadComponent(In, Back.get());
  EXPECT_EQ(Back->NumOfLanguages(), 3);
  EXPECT_EQ(Back->LangNames()->GetText(), Names.GetText());
  EXPECT_EQ(Back->ActiveLanguage(), 2);
  EXPECT_EQ(Back->Language(), u"Russian");
  EXPECT_EQ(Back->DefaultLanguage(), 3);
  EXPECT_TRUE(Back->TestModeInfo()->Active());
  EXPECT_EQ(Back->TestModeInfo()->Kind(), tmkFlipCase);
  EXPECT_EQ(Back->TestModeInfo()->PaddingChar(), u'#');
  EXPECT_EQ(Back->TestModeInfo()->ExpandWidthPercent(), 100);

  // A value beyond the count it was stored with is brought within it when reading ends; a
  // count beyond what a component takes is ignored while reading and refused after.
  TlcLangDispatcher Bad(nullptr);
  Bad.SetState(csLoading, true);
  Bad.SetActiveLanguage(7);
  Bad.SetNumOfLanguages(5000);
  Bad.FinishLoading();
  EXPECT_EQ(Bad.ActiveLanguage(), 1);
  EXPECT_EQ(Bad.NumOfLanguages(), 1);
  EXPECT_THROW(Bad.SetNumOfLanguages(TlcCustomLang::MaxLanguages + 1), ELanguageError);
  TStringList Many;
  for (int I = 0; I <= TlcCustomLang::MaxLanguages; ++I) Many.Add(u"L" + IntToStr(I));
  EXPECT_THROW(Bad.SetLangNames(&Many), ELanguageError);
  EXPECT_EQ(Bad.LangNames()->Count(), 1);
}

}  // namespace
