#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "lang/lang_test_support.h"
#include "lang/path_test_form.h"
#include "lang/switch/extended_items.h"

namespace {

class ExtendedTranslation : public ::testing::Test {
 protected:
  void SetUp() override { RegisterPathTestClasses(); }

  TComponentPtr<TPathTestForm> Form = MakePathTestForm();
  TlcLang& Lang = *Form->Lang();
  TTestGrid& Grid = *Form->Get<TTestGrid>(u"Grid1");
  TStrings& MemoLines = *Form->Get<TMemo>(u"Memo1")->Lines();

  TlcExtendedItem* AddItem(const char16_t* Path, const std::string& Values) {
    TlcExtendedItem* Item = Lang.ExtendedTranslations()->Add();
    Item->SetIdentifier(Path);
    Item->SetValues(L(Values));
    return Item;
  }
};

TEST_F(ExtendedTranslation, KindsOfTheLastProperty) {
  EXPECT_EQ(Lang.GetPropTypeByPath(u"TPathTestForm.Caption"), tkUString);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Grid1.Columns[1].Title.Caption"), tkUString);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Grid1.RowCount"), tkInteger);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Grid1.Big"), tkInt64);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Grid1.Ratio"), tkFloat);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Grid1.Mode"), tkEnumeration);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Grid1.Options"), tkSet);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Grid1.Separator"), tkWChar);
  // An object property counts only when it holds a string list.
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Memo1.Lines"), tkClass);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Grid1.Columns[0].PickList"), tkClass);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Grid1.Columns[0].Title"), tkUnknown);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Button1.NoSuch"), tkUnknown);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Button9.Caption"), tkUnknown);
  EXPECT_EQ(Lang.GetPropTypeByPath(u"Button1"), tkUnknown);
}

TEST_F(ExtendedTranslation, ValuesReadAndWrittenAsText) {
  Grid.SetRatio(0.25);
  Grid.SetMode(gmCells);
  Grid.SetOptions((1 << goLines) | (1 << goTabs));
  const std::pair<const char16_t*, const char16_t*> Cases[] = {
      {u"Grid1.Ratio", u"0.25"},
      {u"Grid1.Mode", u"gmCells"},
      {u"Grid1.Options", u"goLines,goTabs"},
      {u"Grid1.Separator", u";"},
      {u"Grid1.RowCount", u"0"},
      {u"Memo1.Lines", u"a,b"},
      {u"Grid1.Columns[0].Title", u""},
      {u"Button1.Font.Name", u"Tahoma"},
      {u"Button9.Caption", u""},
      {u"Button1.NoSuch", u""}};
  for (const auto& [Path, Text] : Cases)
    EXPECT_EQ(Lang.GetPropValueByPath(Path), Text) << ToUtf8(Path);

  Lang.SetPropValueByPath(u"Grid1.Ratio", u"1E20");
  Lang.SetPropValueByPath(u"Grid1.Big", u"-8589934592");  // beyond 32 bits
  Lang.SetPropValueByPath(u"Grid1.Mode", u"gmColumns");
  Lang.SetPropValueByPath(u"Grid1.Options", u"goEditing");
  Lang.SetPropValueByPath(u"Grid1.Separator", u"|");
  Lang.SetPropValueByPath(u"Grid1.Columns[2].Title.Caption", u"Заметка");
  Lang.SetPropValueByPath(u"TPathTestForm.Caption", u"Пути");
  Lang.SetPropValueByPath(u"Bar1.Panels[1].Text", u"Порт");
  EXPECT_EQ(Grid.Ratio(), 1e20);
  EXPECT_EQ(Grid.Big(), -8589934592);
  EXPECT_EQ(Grid.Mode(), gmColumns);
  EXPECT_EQ(Grid.Options(), 1 << goEditing);
  EXPECT_EQ(Grid.Separator(), u'|');
  EXPECT_EQ(Grid.Columns()->Column(2)->Title()->Caption(), u"Заметка");
  EXPECT_EQ(Form->Caption(), u"Пути");
  EXPECT_EQ(Form->Get<TStatusBar>(u"Bar1")->Panels()->Items(1)->Text(), u"Порт");

  // Texts are read as the switch reads them: kept as UTF-8, a lone surrogate is no character.
  Form->SetCaption(String(1, char16_t(0xD800)));
  Lang.SetStoreAsUTF8(true);
  EXPECT_EQ(Lang.GetPropValueByPath(u"TPathTestForm.Caption"), u"\uFFFD");
}

TEST_F(ExtendedTranslation, StringListsTakeCommaTextLineByLine) {
  MemoLines.SetText(u"1\r\n2\r\n3");
  Lang.SetPropValueByPath(u"Memo1.Lines", u"a,b");
  EXPECT_EQ(MemoLines.GetText(), u"a\r\nb\r\n");
  TStrings& Pick = *Grid.Columns()->Column(1)->PickList();
  Pick.SetText(u"old");
  Lang.SetPropValueByPath(u"Grid1.Columns[1].PickList", u"\"one two\",three");
  EXPECT_EQ(Pick.GetText(), u"one two\r\nthree\r\n");
  // Any other object is left as it is.
  Lang.SetPropValueByPath(u"Grid1.Columns[1].Title", u"x");
  EXPECT_EQ(Grid.Columns()->Column(1)->Title()->Caption(), u"Value title");
}

TEST_F(ExtendedTranslation, BadTextOrMissingTargetsChangeNothing) {
  Grid.SetRowCount(5);
  Grid.SetMode(gmCells);
  Lang.SetPropValueByPath(u"Grid1.RowCount", u"five");
  Lang.SetPropValueByPath(u"Grid1.Mode", u"gmDiagonal");
  Lang.SetPropValueByPath(u"Grid1.Options", u"goLines,goNothing");
  Lang.SetPropValueByPath(u"Grid1.Ratio", u"half");
  Lang.SetPropValueByPath(u"Button9.Caption", u"x");
  Lang.SetPropValueByPath(u"Button1.NoSuch", u"x");
  EXPECT_EQ(Grid.RowCount(), 5);
  EXPECT_EQ(Grid.Mode(), gmCells);
  EXPECT_EQ(Grid.Options(), 0);
  EXPECT_EQ(Grid.Ratio(), 0);
  // Resolving the path is not covered: going on past a missing object is reported.
  EXPECT_THROW(Lang.SetPropValueByPath(u"Grid1.Empty.Sub.Caption", u"x"), Exception);
  EXPECT_THROW(Lang.GetPropValueByPath(u"Grid1.Columns[7].Caption"), EListError);
  EXPECT_THROW(Lang.GetPropTypeByPath(u"Grid1.Columns[x].Caption"), EConvertError);
}

TEST_F(ExtendedTranslation, TheActiveColumnOrTheDefaultOneIsApplied) {
  AddItem(u"Button1.Hint", "Close|Закрыть|");
  AddItem(u"Grid1.Columns[0].Title.Caption", "Name title||");
  AddItem(u"Label1.Caption", "|Хорошо|");  // no text in language 1
  Lang.SetActiveLanguage(2);
  Lang.ChangeLangForExtended();
  EXPECT_EQ(Form->Get<TButton>(u"Button1")->Hint(), u"Закрыть");
  EXPECT_EQ(Form->Get<TLabel>(u"Label1")->Caption(), u"Хорошо");
  Grid.Columns()->Column(0)->Title()->SetCaption(u"shown");

  // No text in the active column: left alone, unless a default language is asked for.
  Lang.ChangeLangForExtended();
  EXPECT_EQ(Grid.Columns()->Column(0)->Title()->Caption(), u"shown");
  Lang.SetTranslateType(ttGetDefault);
  Lang.ChangeLangForExtended();
  EXPECT_EQ(Grid.Columns()->Column(0)->Title()->Caption(), u"Name title");
  Lang.SetTranslateType(ttNoChange);
  Grid.Columns()->Column(0)->Title()->SetCaption(u"shown");
  Lang.SetUseDefaultLanguage(true);
  Lang.ChangeLangForExtended();
  EXPECT_EQ(Grid.Columns()->Column(0)->Title()->Caption(), u"Name title");

  // Back in language 1 the empty first column leaves the label as it is.
  Lang.SetUseDefaultLanguage(false);
  Lang.SetActiveLanguage(1);
  Lang.ChangeLangForExtended();
  EXPECT_EQ(Form->Get<TButton>(u"Button1")->Hint(), u"Close");
  EXPECT_EQ(Form->Get<TLabel>(u"Label1")->Caption(), u"Хорошо");
}

TEST_F(ExtendedTranslation, AnItemWhosePathRaisesIsSkippedAndKept) {
  AddItem(u"Grid1.Empty.Sub.Caption", "a|б|");
  AddItem(u"Grid1.Columns[9].Caption", "a|б|");
  AddItem(u"Button1.Caption", "Cancel|Отмена|");
  Lang.SetActiveLanguage(2);
  Lang.ChangeLangForExtended();
  EXPECT_EQ(Form->Get<TButton>(u"Button1")->Caption(), u"Отмена");
  EXPECT_EQ(Lang.ExtendedTranslations()->Count(), 3);
}

}  // namespace
