#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui_test_support.h"

namespace {

using ControlsTest = UiTest;

TEST_F(ControlsTest, SpinEditKeepsItsValueInRangeAndReportsChanges) {
  TSpinEdit Spin(nullptr);
  int Changes = 0;
  Spin.OnChange = TNotifyEvent([&](TObject*) { ++Changes; });

  Spin.SetValue(-40);  // no range while MinValue equals MaxValue
  EXPECT_EQ(Spin.Value(), -40);
  Spin.SetMaxValue(255);  // the range now holds 0..255: the value follows
  EXPECT_EQ(Spin.Value(), 0);
  EXPECT_EQ(Changes, 2);

  Spin.SetValue(300);
  EXPECT_EQ(Spin.Value(), 255);
  Spin.SetValue(999);  // clamps to the value it already has: no change
  EXPECT_EQ(Changes, 3);
  Spin.SetValue(1);
  EXPECT_EQ(Spin.Text(), u"1");
  EXPECT_EQ(Changes, 4);

  Spin.SetMinValue(10);
  EXPECT_EQ(Spin.Value(), 10);
  Spin.SetText(u"12");
  EXPECT_EQ(Spin.Value(), 12);
  Spin.SetText(u"abc");
  EXPECT_EQ(Spin.Value(), 10);
  EXPECT_EQ(Changes, 7);
}

TEST_F(ControlsTest, MenuItemsToggleAndRadioGroupsExcludeEachOther) {
  TPopupMenu Menu(nullptr);
  auto* Log = Make<TMenuItem>(&Menu, nullptr, u"Log");
  auto* A = Make<TMenuItem>(&Menu, nullptr, u"A");
  auto* B = Make<TMenuItem>(&Menu, nullptr, u"B");
  auto* Other = Make<TMenuItem>(&Menu, nullptr, u"Other");
  for (TMenuItem* I : {Log, A, B, Other}) Menu.Items()->Add(I);
  for (TMenuItem* I : {A, B, Other}) {
    I->SetRadioItem(true);
    I->SetAutoCheck(true);
  }
  Other->SetGroupIndex(1);
  Log->SetAutoCheck(true);
  Log->SetChecked(true);
  Log->SetShortCut(ShortCut(u'L', ShiftState({ssCtrl})));
  EXPECT_EQ(Log->ShortCut(), 16460);

  std::vector<bool> SeenInHandler;
  A->OnClick = TNotifyEvent([&](TObject*) { SeenInHandler.push_back(A->Checked()); });
  A->Click();  // the check mark toggles before the handler runs
  Other->Click();
  B->Click();
  EXPECT_EQ(SeenInHandler, std::vector<bool>{true});
  EXPECT_FALSE(A->Checked());  // B took the group over
  EXPECT_TRUE(B->Checked());
  EXPECT_TRUE(Other->Checked());  // another group
  B->Click();                     // clicking the checked radio item unchecks it
  EXPECT_FALSE(B->Checked());

  EXPECT_TRUE(Menu.IsShortCut(16460));
  EXPECT_FALSE(Log->Checked());
  Log->SetEnabled(false);
  Log->Click();
  EXPECT_FALSE(Log->Checked());
  EXPECT_FALSE(Menu.IsShortCut(16460));  // a disabled item answers no short cut

  uint16_t Key;
  TShiftState Shift;
  ShortCutToKey(16460, Key, Shift);
  EXPECT_EQ(Key, u'L');
  EXPECT_EQ(Shift, ShiftState({ssCtrl}));
  EXPECT_EQ(ShortCut(0x100, 0), 0);
}

TEST_F(ControlsTest, FreeingAMenuItemFreesItsSubItems) {
  TComponent Owner(nullptr);
  auto* Menu = Make<TPopupMenu>(&Owner, nullptr, u"Menu");
  auto* Top = Make<TMenuItem>(&Owner, nullptr, u"Top");
  auto* Sub = Make<TMenuItem>(&Owner, nullptr, u"Sub");
  Menu->Items()->Add(Top);
  Top->Add(Sub);
  EXPECT_THROW(Menu->Items()->Add(Sub), EInvalidOperation);  // it has a parent already
  EXPECT_EQ(Sub->Menu(), Menu);
  TComponentDeleter()(Menu);
  EXPECT_EQ(Owner.ComponentCount(), 0);
}

TEST_F(ControlsTest, MemoLinesNotifyOncePerChange) {
  TMemo Memo(nullptr);
  int Changes = 0;
  std::vector<std::u16string> Props;
  Memo.OnChange = TNotifyEvent([&](TObject*) { ++Changes; });
  Memo.OnPropertyChanged = [&](TObject*, const String& Prop) { Props.push_back(Prop); };

  Memo.Lines()->Add(u"first");
  Memo.Lines()->BeginUpdate();
  Memo.Lines()->Add(u"second");
  Memo.Lines()->Add(u"third");
  EXPECT_EQ(Changes, 1);  // held back until the update ends
  Memo.Lines()->EndUpdate();
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(Memo.Text(), u"first\r\nsecond\r\nthird\r\n");
  Memo.Lines()->Clear();
  EXPECT_EQ(Changes, 3);
  EXPECT_EQ(Props, (std::vector<std::u16string>{u"Lines", u"Lines", u"Lines"}));
  EXPECT_EQ(Memo.Color(), clWindow);

  // A text with line breaks becomes the lines the memo shows, also when a whole list is given.
  TStringList Given;
  Given.Add(u"one\r\ntwo");
  Given.Add(u"three");
  Memo.SetLines(&Given);
  EXPECT_EQ(Memo.Lines()->Count(), 3);
  EXPECT_EQ(Memo.Lines()->Get(1), u"two");
}

TEST_F(ControlsTest, ComboBoxKeepsSelectionAndTextTogether) {
  TComboBox Box(nullptr);
  Box.Items()->SetCommaText(u"COM1,COM3,COM7");
  Box.SetItemIndex(1);
  EXPECT_EQ(Box.Text(), u"COM3");
  Box.SetItemIndex(5);
  EXPECT_EQ(Box.ItemIndex(), -1);
  EXPECT_EQ(Box.Text(), u"");
  Box.SetText(u"COM7");
  EXPECT_EQ(Box.ItemIndex(), 2);
  Box.SetText(u"COM9");
  EXPECT_EQ(Box.ItemIndex(), -1);
  EXPECT_EQ(Box.Text(), u"COM9");

  Box.SetStyle(csDropDownList);
  Box.SetItemIndex(0);
  Box.SetText(u"nothing of the list");
  EXPECT_EQ(Box.Text(), u"COM1");
  Box.Items()->Clear();
  EXPECT_EQ(Box.ItemIndex(), -1);
}

TEST_F(ControlsTest, EditSelectionFollowsTheText) {
  TEdit Edit(nullptr);
  int Changes = 0;
  Edit.OnChange = TNotifyEvent([&](TObject*) { ++Changes; });
  Edit.SetText(u"12345");
  Edit.SelectAll();
  EXPECT_EQ(Edit.SelStart(), 0);
  EXPECT_EQ(Edit.SelLength(), 5);
  Edit.SetSelStart(3);
  EXPECT_EQ(Edit.SelLength(), 2);
  Edit.SetText(u"9");
  EXPECT_EQ(Edit.SelStart(), 0);
  EXPECT_EQ(Edit.SelLength(), 0);
  Edit.SetSelLength(10);
  EXPECT_EQ(Edit.SelLength(), 1);
  EXPECT_EQ(Changes, 2);
}

TEST_F(ControlsTest, ViewsHearEveryChangeOnce) {
  TStatusBar Bar(nullptr);
  std::vector<std::u16string> Props;
  Bar.OnPropertyChanged = [&](TObject*, const String& Prop) { Props.push_back(Prop); };
  EXPECT_EQ(Bar.Align(), alBottom);

  TStatusPanel* Panel = Bar.Panels()->Add();
  Panel->SetWidth(100);
  Panel->SetAlignment(taCenter);
  Panel->SetText(u"Version ");
  Panel->SetText(u"Version ");  // unchanged: nothing to tell
  Bar.SetBounds(1, 2, 3, 4);
  Bar.SetVisible(false);
  Bar.SetHint(u"status");
  EXPECT_EQ(Props, (std::vector<std::u16string>{u"Panels", u"Panels", u"Panels", u"Panels",
                                                u"Bounds", u"Visible", u"Hint"}));
}

}  // namespace
