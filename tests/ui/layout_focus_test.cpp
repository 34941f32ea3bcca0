#include <gtest/gtest.h>

#include "ui/label.h"
#include "ui_test_support.h"

namespace {

using LayoutTest = UiTest;
using FocusTest = UiTest;

struct TRect {
  int L, T, W, H;
  bool operator==(const TRect&) const = default;
};
TRect Bounds(const TControl* C) {
  return {C->Left(), C->Top(), C->Width(), C->Height()};
}

TEST_F(LayoutTest, AlignedControlsShareTheClientArea) {
  auto F = MakeSmallForm();
  EXPECT_EQ(Bounds(F->Panel1), (TRect{0, 0, 408, 193}));
  EXPECT_EQ(Bounds(F->Memo1), (TRect{0, 193, 408, 406}));
  EXPECT_EQ(Bounds(F->Bar1), (TRect{0, 599, 408, 17}));
  EXPECT_EQ(Bounds(F->Button1), (TRect{202, 19, 33, 22}));  // not aligned: stays

  F->SetClientHeight(700);
  F->SetClientWidth(500);
  EXPECT_EQ(Bounds(F->Memo1), (TRect{0, 193, 500, 490}));
  EXPECT_EQ(Bounds(F->Bar1), (TRect{0, 683, 500, 17}));

  F->Bar1->SetVisible(false);  // a hidden control takes no room
  EXPECT_EQ(Bounds(F->Memo1), (TRect{0, 193, 500, 507}));
  F->Panel1->SetHeight(100);
  EXPECT_EQ(Bounds(F->Memo1), (TRect{0, 100, 500, 600}));

  auto* Left = Make<TPanel>(F.get(), F.get(), u"Left");
  Left->SetWidth(50);
  Left->SetAlign(alLeft);
  auto* Right = Make<TPanel>(F.get(), F.get(), u"Right");
  Right->SetWidth(30);
  Right->SetAlign(alRight);
  EXPECT_EQ(Bounds(Left), (TRect{0, 100, 50, 600}));
  EXPECT_EQ(Bounds(Right), (TRect{470, 100, 30, 600}));
  EXPECT_EQ(Bounds(F->Memo1), (TRect{50, 100, 420, 600}));

  F->SetClientHeight(50);  // less room than the panel: nothing gets a negative size
  EXPECT_EQ(Bounds(F->Memo1), (TRect{50, 100, 420, 0}));
}

TEST_F(LayoutTest, ControlsUseTheirParentsFontUntilTheyHaveOneOfTheirOwn) {
  auto F = MakeSmallForm();
  F->Font()->SetName(u"Tahoma");
  F->Font()->SetCharset(204);
  EXPECT_EQ(F->Button1->Font()->Charset(), 204);  // through the panel
  EXPECT_TRUE(F->Button1->ParentFont());

  F->Panel1->Font()->SetHeight(-15);  // the panel's own font now
  EXPECT_FALSE(F->Panel1->ParentFont());
  F->Font()->SetCharset(0);
  EXPECT_EQ(F->Panel1->Font()->Charset(), 204);
  EXPECT_EQ(F->Button1->Font()->Height(), -15);
  EXPECT_EQ(F->Memo1->Font()->Charset(), 0);

  F->Panel1->SetParentFont(true);  // back to the form's font, and on to the button
  EXPECT_EQ(F->Panel1->Font()->Height(), F->Font()->Height());
  EXPECT_EQ(F->Button1->Font()->Charset(), 0);

  auto* Label = Make<TLabel>(F.get(), nullptr, u"Label1");
  Label->SetParent(F->Panel1);  // joining a parent takes its font
  EXPECT_EQ(Label->Font()->Charset(), 0);
  EXPECT_THROW(F->Panel1->SetParent(F->Panel1), EInvalidOperation);
  auto* Inner = Make<TPanel>(F.get(), F->Panel1, u"Inner");
  EXPECT_THROW(F->Panel1->SetParent(Inner), EInvalidOperation);
}

TEST_F(FocusTest, OnlyShowingEnabledWindowedControlsTakeTheFocus) {
  auto F = MakeSmallForm();
  auto* Speed = Make<TSpeedButton>(F.get(), F->Panel1, u"Speed");
  EXPECT_FALSE(F->Memo1->CanFocus());  // the form does not show yet
  EXPECT_THROW(F->Memo1->SetFocus(), EInvalidOperation);

  F->Show();
  EXPECT_TRUE(F->Active());
  EXPECT_TRUE(F->Memo1->CanFocus());
  EXPECT_FALSE(Speed->CanFocus());
  F->Button1->SetFocus();
  EXPECT_TRUE(F->Button1->Focused());
  EXPECT_EQ(F->ActiveControl(), F->Button1);

  F->Panel1->SetEnabled(false);  // a disabled parent takes the focus away
  EXPECT_FALSE(F->Button1->CanFocus());
  EXPECT_EQ(F->ActiveControl(), nullptr);
  EXPECT_THROW(F->Button1->SetFocus(), EInvalidOperation);
  F->Panel1->SetEnabled(true);
  F->Button1->SetFocus();
  F->Panel1->SetVisible(false);  // so does a hidden one
  EXPECT_EQ(F->ActiveControl(), nullptr);
  EXPECT_FALSE(F->Button1->CanFocus());
  F->Panel1->SetVisible(true);

  F->Memo1->SetFocus();
  auto Other = MakeSmallForm();
  Other->SetName(u"fmOther");
  Other->Show();  // another form comes to the front
  EXPECT_FALSE(F->Memo1->Focused());
  EXPECT_EQ(F->ActiveControl(), F->Memo1);  // and the focus returns there later
  EXPECT_THROW(F->SetActiveControl(Other->Memo1), EInvalidOperation);
  Other.reset();
  EXPECT_TRUE(F->Memo1->Focused());
  EXPECT_EQ(Screen().ActiveForm(), F.get());

  F->Hide();
  EXPECT_EQ(Screen().ActiveForm(), nullptr);
  EXPECT_FALSE(F->Memo1->CanFocus());
}

TEST_F(FocusTest, AControlOfAHiddenFormCanBeItsActiveControlBeforeItShows) {
  auto F = MakeSmallForm();
  F->SetActiveControl(F->Button1);  // as a dialog picks its default button before showing
  EXPECT_FALSE(F->Button1->Focused());
  F->Show();
  EXPECT_TRUE(F->Button1->Focused());
  TComponentDeleter()(F->Button1);  // the form forgets a control that is freed
  EXPECT_EQ(F->ActiveControl(), nullptr);
}

}  // namespace
