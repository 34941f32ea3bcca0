#include <gtest/gtest.h>

#include "lang/lang_test_support.h"
#include "lang/path_test_form.h"
#include "lang/switch/extended_items.h"
#include "ui/action.h"
#include "ui/menus.h"

namespace {

class CollectTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterPathTestClasses();
    // Excluded by default; the grid's pick lists stand for any string list of an item here.
    TStrings& Excluded = *Lang.ExcludedProperties();
    Excluded.Delete(Excluded.IndexOf(u"PickList"));
  }

  TComponentPtr<TPathTestForm> Form = MakePathTestForm();
  TlcLang& Lang = *Form->Lang();
  TLabel& Label = *Form->Get<TLabel>(u"Label1");
  TButton& Button = *Form->Get<TButton>(u"Button1");
  TTestGrid& Grid = *Form->Get<TTestGrid>(u"Grid1");

  // The line of List named Name, "" when none.
  static String LineOf(const TStrings& List, const String& Name) {
    for (int I = 0; I < List.Count(); ++I)
      if (List.Get(I).starts_with(Name + u'\x01')) return List.Get(I);
    return {};
  }
  static int LinesNamed(const TStrings& List, const String& Name) {
    int N = 0;
    for (int I = 0; I < List.Count(); ++I)
      if (List.Get(I).starts_with(Name + u'\x01')) ++N;
    return N;
  }
};

TEST_F(CollectTexts, EveryKindOfTextGetsALineInLanguageOne) {
  Lang.SetActiveLanguage(2);
  Grid.Properties()->Items()->SetText(u"p\r\nq");
  Grid.Properties()->SetEmptyText(u"none");
  Grid.Properties()->Buttons()->AddColumn(u"Go");
  Label.SetParentFont(false);
  Label.Font()->SetName(u"Arial");
  Label.Font()->SetCharset(204);
  Lang.BuildList();

  // The owner's lines come first, under its class name, and take its texts in the active
  // language too; its charset only in language 1.
  EXPECT_EQ(Lang.Captions()->Get(0), L("TPathTestForm|Paths|Paths|"));
  EXPECT_EQ(Lang.Fonts()->Get(0), L("TPathTestForm|Tahoma|Tahoma|"));
  EXPECT_EQ(Lang.CharSets()->Get(0), L("TPathTestForm|DEFAULT_CHARSET||"));
  EXPECT_EQ(LineOf(*Lang.Captions(), u"Label1"), L("Label1|OK||"));
  EXPECT_EQ(LineOf(*Lang.Hints(), u"Button1"), L("Button1|Close||"));
  // Only a control with a font of its own records it, with its charset.
  EXPECT_EQ(LineOf(*Lang.Fonts(), u"Label1"), L("Label1|Arial||"));
  EXPECT_EQ(LineOf(*Lang.CharSets(), u"Label1"), L("Label1|RUSSIAN_CHARSET||"));
  EXPECT_EQ(LineOf(*Lang.Fonts(), u"Button1"), u"");
  EXPECT_EQ(LineOf(*Lang.MultiLines(), u"Memo1.Lines"), L("Memo1.Lines|a,b||"));
  EXPECT_EQ(LineOf(*Lang.MultiLines(), u"Combo1.Items"), L("Combo1.Items|one,two||"));
  EXPECT_EQ(LineOf(*Lang.MultiLines(), u"Grid1.Properties.Items"),
            L("Grid1.Properties.Items|p,q||"));
  EXPECT_EQ(LineOf(*Lang.OtherStrings(), u"Grid1.Properties.EmptyText"),
            L("Grid1.Properties.EmptyText|none||"));
  const TStrings& Colls = *Lang.Collections();
  EXPECT_EQ(LineOf(Colls, u"Grid1.Columns[0].Caption"), L("Grid1.Columns[0].Caption|Name||"));
  EXPECT_EQ(LineOf(Colls, u"Grid1.Columns[2].Title.Caption"),
            L("Grid1.Columns[2].Title.Caption|Note title||"));
  // A string list of an item records its text; a reference to a component records nothing.
  EXPECT_EQ(LineOf(Colls, u"Grid1.Columns[0].PickList"),
            L("Grid1.Columns[0].PickList|x\r\ny\r\n||"));
  EXPECT_EQ(LineOf(Colls, u"Grid1.Columns[0].Buddy.Caption"), u"");
  EXPECT_EQ(LineOf(Colls, u"Bar1.Panels[1].Text"), L("Bar1.Panels[1].Text|Port||"));
  EXPECT_EQ(LineOf(Colls, u"Grid1.Properties.Buttons[0].Caption"),
            L("Grid1.Properties.Buttons[0].Caption|Go||"));
  // Empty texts are skipped; the translation component itself has no lines.
  EXPECT_EQ(LineOf(Colls, u"Grid1.Columns[1].PickList"), u"");
  EXPECT_EQ(LinesNamed(*Lang.OtherStrings(), u"slng1.Version"), 0);
  EXPECT_EQ(Lang.TmpStrings(), nullptr);

  // Collecting again adds nothing.
  const String Before = Lang.Captions()->GetText() + Lang.Collections()->GetText() +
                        Lang.MultiLines()->GetText() + Lang.OtherStrings()->GetText();
  Lang.BuildList();
  EXPECT_EQ(Lang.Captions()->GetText() + Lang.Collections()->GetText() +
                Lang.MultiLines()->GetText() + Lang.OtherStrings()->GetText(),
            Before);
}

TEST_F(CollectTexts, ChangedTextsUpdateTheActiveLanguageOnlyWhileDesigning) {
  Lang.BuildList();
  Label.SetCaption(u"Cancel");
  int Changes = 0;
  Lang.OnDFMDataChangedEvent = TDFMDataChangedEvent([&Changes](TObject*) { ++Changes; });
  Lang.BuildList();  // at run time existing lines stay
  EXPECT_EQ(LineOf(*Lang.Captions(), u"Label1"), L("Label1|OK||"));
  EXPECT_EQ(Changes, 0);

  Form->SetDesigning(true);
  Lang.BuildList();
  EXPECT_EQ(LineOf(*Lang.Captions(), u"Label1"), L("Label1|Cancel||"));
  EXPECT_EQ(Changes, 1);

  // An empty text of another language is never filled from a component; the owner's caption
  // and font name always go into the active language.
  Lang.SetActiveLanguage(2);
  Label.SetCaption(u"Other");
  Changes = 0;
  Lang.BuildList();
  EXPECT_EQ(LineOf(*Lang.Captions(), u"Label1"), L("Label1|Cancel||"));
  EXPECT_EQ(Lang.Captions()->Get(0), L("TPathTestForm|Paths|Paths|"));
  EXPECT_EQ(Lang.Fonts()->Get(0), L("TPathTestForm|Tahoma|Tahoma|"));
  EXPECT_EQ(Changes, 2);
  Form->SetCaption(u"Пути");
  Lang.BuildList();
  EXPECT_EQ(Lang.Captions()->Get(0), L("TPathTestForm|Paths|Пути|"));
  EXPECT_EQ(Changes, 3);
}

TEST_F(CollectTexts, RoundTripThroughALanguageSwitch) {
  Form->SetDesigning(true);
  Lang.BuildList();
  Lang.ReplaceStringValue(*Lang.Captions(), u"Пути", u"TPathTestForm", 2);
  Lang.ReplaceStringValue(*Lang.Captions(), u"Отмена", u"Button1", 2);
  Lang.ReplaceStringValue(*Lang.MultiLines(), u"а,б", u"Memo1.Lines", 2);
  Lang.ReplaceStringValue(*Lang.Collections(), u"Имя", u"Grid1.Columns[0].Caption", 2);
  Button.SetCaption(u"Close");

  // Switching while designing first collects what the form shows into language 1.
  Lang.SetActiveLanguage(2);
  EXPECT_EQ(LineOf(*Lang.Captions(), u"Button1"), L("Button1|Close|Отмена|"));
  EXPECT_EQ(Button.Caption(), u"Отмена");
  EXPECT_EQ(Form->Caption(), u"Пути");
  EXPECT_EQ(Form->Get<TMemo>(u"Memo1")->Lines()->GetCommaText(), u"а,б");
  EXPECT_EQ(Grid.Columns()->Column(0)->Caption(), u"Имя");

  const String Captions = Lang.Captions()->GetText(), Lines = Lang.MultiLines()->GetText(),
               Colls = Lang.Collections()->GetText();
  Lang.BuildList();
  EXPECT_EQ(Lang.Captions()->GetText(), Captions);
  EXPECT_EQ(Lang.MultiLines()->GetText(), Lines);
  EXPECT_EQ(Lang.Collections()->GetText(), Colls);

  Lang.SetActiveLanguage(1);
  EXPECT_EQ(Button.Caption(), u"Close");
  EXPECT_EQ(Grid.Columns()->Column(0)->Caption(), u"Name");
}

TEST_F(CollectTexts, ARenamedComponentKeepsItsTranslations) {
  Form->SetDesigning(true);
  // Line 0 of a form that publishes a hint is the form's own: here it has one to put there.
  Form->SetHint(u"Paths");
  Button.SetParentFont(false);
  Button.Font()->SetName(u"Arial");
  Button.Font()->SetCharset(204);
  Lang.BuildList();
  Lang.ReplaceStringValue(*Lang.Captions(), u"Отмена", u"Button1", 2);
  Lang.ReplaceStringValue(*Lang.Hints(), u"Закрыть", u"Button1", 2);
  Lang.ReplaceStringValue(*Lang.Fonts(), u"Verdana", u"Button1", 2);
  Lang.ReplaceStringValue(*Lang.CharSets(), u"RUSSIAN_CHARSET", u"Button1", 2);

  Button.SetName(u"btnOK");
  Lang.BuildList();
  EXPECT_EQ(LineOf(*Lang.Captions(), u"btnOK"), L("btnOK|Cancel|Отмена|"));
  EXPECT_EQ(LineOf(*Lang.Hints(), u"btnOK"), L("btnOK|Close|Закрыть|"));
  EXPECT_EQ(LineOf(*Lang.Fonts(), u"btnOK"), L("btnOK|Arial|Verdana|"));
  EXPECT_EQ(LineOf(*Lang.CharSets(), u"btnOK"), L("btnOK|RUSSIAN_CHARSET|RUSSIAN_CHARSET|"));
  EXPECT_EQ(LineOf(*Lang.Captions(), u"Button1"), u"");
  EXPECT_EQ(LineOf(*Lang.CharSets(), u"Button1"), u"");

  // A vanished line lends only within its own category, and only to the same text.
  Label.SetName(u"lblOther");
  Label.SetCaption(u"Close");
  Lang.BuildList();
  EXPECT_EQ(LineOf(*Lang.Captions(), u"lblOther"), L("lblOther|Close||"));
}

TEST_F(CollectTexts, ExcludedAndUntranslatedPropertiesGetNoLines) {
  Lang.BuildList();
  ASSERT_NE(LineOf(*Lang.Collections(), u"Grid1.Columns[0].Caption"), u"");
  TStringList Smart;
  Smart.SetText(u"Memo1.Lines\r\n!TButton.Hint");
  Lang.SetSmartExcludeProps(&Smart);
  EXPECT_EQ(LineOf(*Lang.MultiLines(), u"Memo1.Lines"), u"");
  EXPECT_NE(LineOf(*Lang.MultiLines(), u"Combo1.Items"), u"");
  EXPECT_EQ(LineOf(*Lang.Hints(), u"Button1"), u"");

  // An excluded collection takes every line of that collection of that component along.
  TStringList Excluded;
  Excluded.SetText(u"Columns\r\ncaption");
  Lang.SetExcludedProperties(&Excluded);
  EXPECT_EQ(Lang.Captions()->Count(), 0);
  EXPECT_EQ(LinesNamed(*Lang.Collections(), u"Grid1.Columns[0].Caption"), 0);
  EXPECT_EQ(LinesNamed(*Lang.Collections(), u"Grid1.Columns[2].Title.Caption"), 0);
  EXPECT_NE(LineOf(*Lang.Collections(), u"Bar1.Panels[0].Text"), u"");

  TStringList None;
  Lang.SetExcludedProperties(&None);
  TStringList DoNot;
  DoNot.SetText(u"Label1\r\n!TButton");
  Lang.SetDoNotTranslate(&DoNot);
  Lang.Captions()->Clear();
  Lang.BuildList();
  EXPECT_EQ(LineOf(*Lang.Captions(), u"Label1"), u"");
  EXPECT_EQ(LineOf(*Lang.Captions(), u"Button1"), u"");
  EXPECT_EQ(Lang.Captions()->Get(0), L("TPathTestForm|Paths||"));
}

TEST_F(CollectTexts, WhatCountsAsAText) {
  auto* Separator = new TMenuItem(Form.get());
  Separator->SetName(u"mniLine");
  Separator->SetCaption(u"-");
  Button.SetCaption(u"-");
  Button.SetHint(u"");
  Lang.Hints()->Add(u"Ghost");  // a line without texts lends none, not even to an empty one
  Lang.SetAutoSkipEmpties(false);
  Lang.BuildList();
  EXPECT_EQ(LineOf(*Lang.Captions(), u"mniLine"), u"");
  EXPECT_EQ(LineOf(*Lang.Captions(), u"Button1"), L("Button1|-||"));
  EXPECT_EQ(LineOf(*Lang.Hints(), u"Button1"), L("Button1|||"));

  // A caption that the button's action supplies is the action's to translate.
  auto* Save = new TAction(Form.get());
  Save->SetName(u"actSave");
  Save->SetCaption(u"Save");
  auto* Saver = AddControl<TButton>(*Form, u"btnSave");
  Saver->SetAction(Save);
  Lang.BuildList();
  EXPECT_EQ(LineOf(*Lang.Captions(), u"btnSave"), u"");
  EXPECT_EQ(LineOf(*Lang.Captions(), u"actSave"), L("actSave|Save||"));

  // A line is known by its whole name: a line of Memo1.LinesX before it does not hide the
  // line of Memo1.Lines, which takes the changed text.
  Lang.MultiLines()->Insert(0, L("Memo1.LinesX|x||"));
  Form->Get<TMemo>(u"Memo1")->Lines()->SetText(u"c");
  Form->SetDesigning(true);
  Lang.BuildList();
  EXPECT_EQ(LineOf(*Lang.MultiLines(), u"Memo1.Lines"), L("Memo1.Lines|c||"));

  // A stored item text without its final line break is the same text.
  Lang.ReplaceStringValue(*Lang.Collections(), u"x\r\ny", u"Grid1.Columns[0].PickList", 1);
  Lang.BuildList();
  EXPECT_EQ(LineOf(*Lang.Collections(), u"Grid1.Columns[0].PickList"),
            L("Grid1.Columns[0].PickList|x\r\ny||"));
}

TEST_F(CollectTexts, LinesTheFormNoLongerPublishesGo) {
  TStrings& Others = *Lang.OtherStrings();
  Others.Add(L("Label1.NoSuch|x||"));
  Others.Add(L("Memo1.Lines|a,b||"));  // a string list is no other string
  Others.Add(L("Grid1.Nothing.Text|x||"));
  Others.Add(L("Grid1.Properties.EmptyText|x||"));
  Others.Add(L("TPathTestForm.Caption|x||"));
  Lang.Collections()->Add(L("Grid1.Columns[0].Width|64||"));
  Lang.Collections()->Add(L("Grid1.Rows[0].Caption|x||"));
  Lang.BuildList();
  EXPECT_EQ(LineOf(Others, u"Label1.NoSuch"), u"");
  EXPECT_EQ(LineOf(Others, u"Memo1.Lines"), u"");
  EXPECT_EQ(LineOf(Others, u"Grid1.Nothing.Text"), u"");
  EXPECT_EQ(LineOf(Others, u"Grid1.Properties.EmptyText"), L("Grid1.Properties.EmptyText|x||"));
  EXPECT_EQ(LineOf(Others, u"TPathTestForm.Caption"), L("TPathTestForm.Caption|x||"));
  // A collection line may name a property of any kind.
  EXPECT_NE(LineOf(*Lang.Collections(), u"Grid1.Columns[0].Width"), u"");
  EXPECT_EQ(LineOf(*Lang.Collections(), u"Grid1.Rows[0].Caption"), u"");

  // A control that takes its parent's font loses its font and charset lines. A charset that
  // has no identifier gets no charset line.
  Label.SetParentFont(false);
  Label.Font()->SetCharset(7);
  Lang.BuildList();
  ASSERT_NE(LineOf(*Lang.Fonts(), u"Label1"), u"");
  EXPECT_EQ(LineOf(*Lang.CharSets(), u"Label1"), u"");
  Label.Font()->SetCharset(204);
  Lang.BuildList();
  EXPECT_EQ(LineOf(*Lang.CharSets(), u"Label1"), L("Label1|RUSSIAN_CHARSET||"));
  Label.SetParentFont(true);
  Lang.BuildList();
  EXPECT_EQ(LineOf(*Lang.Fonts(), u"Label1"), u"");
  EXPECT_EQ(LineOf(*Lang.CharSets(), u"Label1"), u"");
}

TEST_F(CollectTexts, TheOwnersLineZeroIsAdoptedOrInserted) {
  Lang.Captions()->Add(L("fmPath|Old|Старый|"));
  Lang.Hints()->Add(L("Button1|Close||"));
  Lang.BuildList();
  // Named by the form's name, line 0 takes the class name and keeps its other texts.
  EXPECT_EQ(Lang.Captions()->Get(0), L("TPathTestForm|Paths|Старый|"));
  EXPECT_EQ(LinesNamed(*Lang.Captions(), u"TPathTestForm"), 1);
  // A form without a name still gets its own line before a component's.
  Form->SetName(u"");
  Lang.Fonts()->Clear();
  Lang.Fonts()->Add(L("Bar1|Tahoma||"));
  Lang.BuildList();
  EXPECT_EQ(Lang.Fonts()->Get(0), L("TPathTestForm|Tahoma||"));
  // With an empty hint and AutoSkipEmpties the owner gets no hint line.
  EXPECT_EQ(Lang.Hints()->Get(0), L("Button1|Close||"));
}

TEST_F(CollectTexts, ExtendedItemsFollowTheLiveValues) {
  Lang.SetNumOfLanguages(3);
  Lang.SetActiveLanguage(2);
  TlcExtendedItem* Mode = Lang.ExtendedTranslations()->Add();
  Mode->SetIdentifier(u"Grid1.Mode");
  Mode->SetValues(L("gmRows|"));
  Grid.SetMode(gmColumns);
  TlcExtendedItem* Gone = Lang.ExtendedTranslations()->Add();
  Gone->SetIdentifier(u"Button9.Caption");
  Lang.BuildList();
  ASSERT_EQ(Lang.ExtendedTranslations()->Count(), 1);
  EXPECT_EQ(Lang.ExtendedTranslations()->Items(0)->Values(), L("gmRows|gmColumns||"));
}

}  // namespace
