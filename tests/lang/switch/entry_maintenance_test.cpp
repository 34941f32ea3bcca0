#include <gtest/gtest.h>

#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/file_test_support.h"
#include "lang/files/text_translation_file.h"
#include "lang/switch/extended_items.h"
#include "lang/switch_test_window.h"

namespace {

TEST(EntryMaintenance, SurplusDelimitersGoAndLinesWithoutTextGoWithAutoSkipEmpties) {
  TSwitchWindow W;
  TStrings& C = *W.Lang->Captions();
  C.Add(L("TForm|Main|Главная|"));
  C.Add(L("Button1|||||"));
  C.Add(L("Label1|OK|||"));
  W.Lang->SetAutoSkipEmpties(false);
  W.Lang->DelOldNames(C, stCaptions);
  EXPECT_EQ(C.Get(1), L("Button1|||"));
  EXPECT_EQ(C.Get(2), L("Label1|OK||"));

  // Switched on, it collects the form's texts anew, after the line without text has gone.
  W.Lang->SetAutoSkipEmpties(true);
  EXPECT_EQ(C.Get(1), L("Label1|OK||"));
  EXPECT_EQ(C.Get(2), L("Button1|Open||"));

  // Lists that are read by key are left alone.
  W.Lang->Strings()->Add(L("IDS_1|||||"));
  W.Lang->DelOldNames(*W.Lang->Strings(), stStrings);
  EXPECT_EQ(W.Lang->Strings()->Get(0), L("IDS_1|||||"));
}

TEST(EntryMaintenance, LinesOfVanishedComponentsAndItemsAreKeptAside) {
  TSwitchWindow W;
  TStrings& C = *W.Lang->Captions();
  C.Add(L("TForm|Main|Главная|"));
  C.Add(L("Gone1|A|Б|"));
  C.Add(L("button1|Open|Открыть|"));
  TStrings& M = *W.Lang->MultiLines();
  M.Add(L("TForm.Tags|a|б|"));
  M.Add(L("Gone1.Lines|a|б|"));
  M.Add(L("Memo1.Lines|a|б|"));
  TStrings& Items = *W.Lang->Collections();
  Items.Add(L("Bar1.Panels[0].Text|Ready|Готово|"));
  Items.Add(L("Bar1.Panels[1].Text|Busy|Занят|"));
  Items.Add(L("Gone1.Panels[0].Text|A|Б|"));

  W.Lang->DelOldNames(C, stCaptions);
  W.Lang->DelOldNames(M, stMultiLines);
  W.Lang->DelOldNames(Items, stCollections);
  ASSERT_EQ(C.Count(), 2);
  EXPECT_EQ(C.Get(1), L("button1|Open|Открыть|"));
  ASSERT_EQ(M.Count(), 2);
  EXPECT_EQ(M.Get(0), L("TForm.Tags|a|б|"));
  EXPECT_EQ(M.Get(1), L("Memo1.Lines|a|б|"));
  ASSERT_EQ(Items.Count(), 1);
  EXPECT_EQ(W.Lang->TmpStrings()->Count(), 4);
  EXPECT_EQ(W.Lang->TmpStrings()->Get(2), L("Bar1.Panels[1].Text|Busy|Занят|"));

  // A panel added later keeps its line.
  W.Bar->Panels()->Add();
  Items.Add(L("Bar1.Panels[1].Text|Busy|Занят|"));
  W.Lang->DelOldNames(Items, stCollections);
  EXPECT_EQ(Items.Count(), 2);

  // A form that publishes a hint has line 0 for its own, whatever it is named.
  TStrings& H = *W.Lang->Hints();
  H.Add(L("Gone0|a|б|"));
  H.Add(L("Gone1|a|б|"));
  W.Lang->DelOldNames(H, stHints);
  ASSERT_EQ(H.Count(), 1);
  EXPECT_EQ(H.Get(0), L("Gone0|a|б|"));
  // That line going for want of text leaves its successor judged all the same.
  H.Put(0, L("Gone0|||"));
  H.Add(L("Gone1|a|б|"));
  H.Add(L("Button1|Opens|Открывает|"));
  W.Lang->DelOldNames(H, stHints);
  ASSERT_EQ(H.Count(), 1);
  EXPECT_EQ(H.Get(0), L("Button1|Opens|Открывает|"));
}

TEST(EntryMaintenance, CaptionsAnActionSuppliesAreNotTranslated) {
  TSwitchWindow W;
  W.Button->SetAction(W.Action);
  ASSERT_EQ(W.Button->Caption(), u"Save");
  W.Lang->Captions()->Add(L("TForm|Main|Главная|"));
  W.Lang->Captions()->Add(L("Button1|Save|Сохранить|"));
  W.Lang->Captions()->Add(L("Label1|Name|Имя|"));

  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Button->Caption(), u"Save");
  EXPECT_EQ(W.Lang->Captions()->Count(), 2);
  EXPECT_EQ(W.Lang->TmpStrings()->Count(), 0);  // dropped, not kept aside

  // The action's own new caption reaches the button.
  W.Action->SetCaption(u"Сохранить");
  EXPECT_EQ(W.Button->Caption(), u"Сохранить");

  W.Lang->SetActiveLanguage(1);
  W.Lang->SetOverrideActionsValues(true);
  W.Lang->Captions()->Add(L("Button1|Save|Записать|"));
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Button->Caption(), u"Записать");
}

}  // namespace

namespace {

TStringList Entries(std::initializer_list<const char16_t*> Names) {
  TStringList L;
  for (const char16_t* N : Names) L.Add(N);
  return L;
}

TEST(EntryMaintenance, DoNotTranslateRemovesLinesOnlyWhileDesigned) {
  TSwitchWindow W;
  TStrings& C = *W.Lang->Captions();
  C.Add(L("TForm|Main|Главная|"));
  C.Add(L("Button1|Open|Открыть|"));
  C.Add(L("Label1|Name|Имя|"));
  W.Lang->MultiLines()->Add(L("Memo1.Lines|a|б|"));
  TStringList NoLabels = Entries({u"!TLabel"});
  W.Lang->SetDoNotTranslate(&NoLabels);
  EXPECT_EQ(C.Count(), 3);
  W.Lang->SetActiveLanguage(2);
  EXPECT_EQ(W.Label->Caption(), u"Name");
  EXPECT_EQ(W.Button->Caption(), u"Открыть");

  W.Lang->SetState(csDesigning, true);
  W.Form->SetState(csDesigning, true);
  TStringList Several = Entries({u"memo1", u"TForm", u"!TLabel", u"!TNoSuch"});
  W.Lang->SetDoNotTranslate(&Several);
  ASSERT_EQ(C.Count(), 1);
  EXPECT_EQ(C.Get(0), L("Button1|Open|Открыть|"));
  EXPECT_EQ(W.Lang->MultiLines()->Count(), 0);
}

TEST(EntryMaintenance, RenamingAComponentRenamesItsLinesEntriesAndItems) {
  TSwitchWindow W;
  TStrings& C = *W.Lang->Captions();
  C.Add(L("TWindow1|Main|Главная|"));
  C.Add(L("Button1|Button1 caption|Button1|"));
  C.Add(L("Button10|Button1 caption|x|"));
  W.Lang->MultiLines()->Add(L("Button1.Items|a|б|"));
  W.Lang->DoNotTranslate()->Add(u"Button1");
  W.Lang->SmartExcludeProps()->Add(u"Button1.Hint");
  W.Lang->SmartExcludeProps()->Add(u"!TButton.Caption");
  TlcExtendedItem* Item = W.Lang->ExtendedTranslations()->Add();
  Item->SetIdentifier(u"Button1.Font.Name");

  W.Lang->ComponentRenamed(u"Button1", u"");  // no new name: nothing
  EXPECT_EQ(C.Get(1), L("Button1|Button1 caption|Button1|"));
  W.Lang->ComponentRenamed(u"Button1", u"btnOK");
  EXPECT_EQ(C.Get(1), L("btnOK|btnOK caption|btnOK|"));
  EXPECT_EQ(C.Get(2), L("Button10|Button1 caption|x|"));
  EXPECT_EQ(W.Lang->MultiLines()->Get(0), L("btnOK.Items|a|б|"));
  EXPECT_EQ(W.Lang->DoNotTranslate()->Get(0), u"btnOK");
  EXPECT_EQ(W.Lang->SmartExcludeProps()->Get(0), u"btnOK.Hint");
  EXPECT_EQ(W.Lang->SmartExcludeProps()->Get(1), u"!TButton.Caption");
  EXPECT_EQ(Item->StoredIdentifier(), u"btnOK.Font.Name");

  // The owner's lines carry its class name.
  W.Lang->ComponentRenamed(u"Window1", u"Window2");
  EXPECT_EQ(C.Get(0), L("TWindow2|Main|Главная|"));
}

TEST(EntryMaintenance, LoadingDropsTheLinesOfExcludedPropertiesOnce) {
  TSwitchWindow W;
  W.Lang->SetState(csLoading, true);
  TStringList Excluded = Entries({u"hint", u"Lines"});
  W.Lang->SetExcludedProperties(&Excluded);
  W.Lang->Hints()->Add(L("Button1|Opens|Открывает|"));
  W.Lang->MultiLines()->Add(L("Memo1.Lines|a|б|"));
  W.Lang->MultiLines()->Add(L("Combo1.Items|One|Раз|"));
  W.Lang->Captions()->Add(L("Button1|Open|Открыть|"));
  EXPECT_EQ(W.Lang->Hints()->Count(), 1);  // while loading the setting is only stored
  W.Lang->FinishLoading();
  EXPECT_EQ(W.Lang->Hints()->Count(), 0);
  ASSERT_EQ(W.Lang->MultiLines()->Count(), 1);
  EXPECT_EQ(W.Lang->MultiLines()->Get(0), L("Combo1.Items|One|Раз|"));
  EXPECT_EQ(W.Lang->Captions()->Count(), 1);
}

TEST(EntryMaintenance, AFileLoadedForEveryComponentDropsExcludedLinesBeforeTheSwitch) {
  TSwitchWindow W;
  W.Lang->Captions()->Add(L("Button1|Open|Открыть|"));
  W.Lang->Hints()->Add(L("Button1|Opens|Открывает|"));
  TComponentPtr<TlcLangDispatcher> Dispatcher{new TlcLangDispatcher(nullptr)};
  Dispatcher->SetNumOfLanguages(2);
  W.Lang->SetStoreAsUTF8(true);
  W.Lang->SetLangDispatcher(Dispatcher.get());
  const String File = TestFolder() + u"excluded.lng";
  Dispatcher->SaveAllToFile(File, DefaultFileDelimiter);
  Dispatcher->SetActiveLanguage(2);
  TStringList Excluded = Entries({u"Hint"});
  W.Lang->SetExcludedProperties(&Excluded);
  W.Button->SetCaption(u"Open");
  W.Button->SetHint(u"Opens");

  // The file brings the hint's line back; the switch that follows must not apply it.
  Dispatcher->LoadAllFromFile(File);
  EXPECT_EQ(W.Button->Caption(), FromUtf8("Открыть"));
  EXPECT_EQ(W.Button->Hint(), u"Opens");
  EXPECT_EQ(W.Lang->Hints()->Count(), 0);
}

}  // namespace
