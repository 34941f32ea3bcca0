#include <gtest/gtest.h>

#include "switch_test_window.h"

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

  W.Lang->SetAutoSkipEmpties(true);
  W.Lang->DelOldNames(C, stCaptions);
  ASSERT_EQ(C.Count(), 2);
  EXPECT_EQ(C.Get(1), L("Label1|OK||"));

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
