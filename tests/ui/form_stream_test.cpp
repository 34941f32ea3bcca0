#include <gtest/gtest.h>

#include <string>

#include "component/object_text.h"
#include "component/reader.h"
#include "component/writer.h"
#include "core/stream.h"
#include "ui_test_support.h"

namespace {

using FormStreamTest = UiTest;

// The small form with settings of every kind and its events bound to its published methods.
TComponentPtr<TUiTestForm> MakeSettledForm() {
  auto F = MakeSmallForm();
  TUiTestForm* Self = F.get();
  F->SetCaption(u"Q8M update V1.8");
  F->SetPosition(poScreenCenter);
  F->Font()->SetCharset(204);
  F->OnCreate = TNotifyEvent([Self](TObject* S) { Self->FormCreate(S); }, u"FormCreate");
  F->OnClose =
      TCloseEvent([Self](TObject* S, TCloseAction& A) { Self->FormClose(S, A); }, u"FormClose");
  F->Panel1->Font()->SetHeight(-15);
  F->Button1->SetCaption(u"Eng");
  F->Button1->SetTabOrder(4);
  F->Button1->OnClick =
      TNotifyEvent([Self](TObject* S) { Self->Button1Click(S); }, u"Button1Click");
  F->Spin1->SetMaxValue(255);
  F->Spin1->SetValue(7);
  F->Spin1->SetColor(clSkyBlue);
  F->Spin1->OnChange = TNotifyEvent([Self](TObject* S) { Self->Button1Click(S); }, u"Button1Click");
  F->Memo1->Lines()->Add(u"Memo1");
  F->Memo1->SetReadOnly(true);
  F->Memo1->SetScrollBars(ssVertical);
  F->Memo1->SetColor(clCream);
  TStatusPanel* P0 = F->Bar1->Panels()->Add();
  P0->SetWidth(100);
  P0->SetAlignment(taCenter);
  F->Bar1->Panels()->Add();
  F->Item1->SetCaption(u"Write Log Info");
  F->Item1->SetAutoCheck(true);
  F->Item1->SetChecked(true);
  F->Item1->SetShortCut(16460);
  F->Item1->OnClick = TNotifyEvent([Self](TObject* S) { Self->Item1Click(S); }, u"Item1Click");
  return F;
}

TComponentPtr<TUiTestForm> ReadBack(const std::string& Image) {
  TMemoryStream In(Image);
  TComponentPtr<TComponent> Read = ReadComponentOwned(In);
  auto* F = dynamic_cast<TUiTestForm*>(Read.get());
  if (F) Read.release();
  return TComponentPtr<TUiTestForm>(F);
}

std::string ImageOf(TComponent& Root) {
  TMemoryStream Out;
  WriteComponent(Out, Root);
  return Out.Bytes();
}

TEST_F(FormStreamTest, AFormReadBackHasItsControlsSettingsAndHandlers) {
  auto Original = MakeSettledForm();
  const std::string Image = ImageOf(*Original);
  EXPECT_EQ(Original->CreateCount, 0);

  auto F = ReadBack(Image);
  ASSERT_TRUE(F);
  ASSERT_TRUE(F->Panel1 && F->Button1 && F->Spin1 && F->Memo1 && F->Bar1 && F->Popup1 && F->Item1);
  EXPECT_EQ(ImageOf(*F), Image);  // nothing lost or added on the way
  EXPECT_EQ(F->Name(), u"fmSmall");
  EXPECT_EQ(F->Button1->Parent(), F->Panel1);
  EXPECT_EQ(F->Spin1->Parent(), F->Panel1);
  EXPECT_EQ(F->Memo1->Parent(), F.get());
  EXPECT_EQ(F->Item1->Parent(), F->Popup1->Items());
  EXPECT_EQ(F->Panel1->PopupMenu(), F->Popup1);

  EXPECT_EQ(F->Caption(), u"Q8M update V1.8");
  EXPECT_EQ(F->Position(), poScreenCenter);
  EXPECT_EQ(F->ClientWidth(), 408);
  EXPECT_EQ(F->ClientHeight(), 616);
  EXPECT_FALSE(F->Visible());
  EXPECT_EQ(F->Memo1->Top(), 193);
  EXPECT_EQ(F->Memo1->Height(), 406);
  EXPECT_EQ(F->Bar1->Top(), 599);
  EXPECT_EQ(F->Button1->Caption(), u"Eng");
  EXPECT_EQ(F->Button1->TabOrder(), 4);
  EXPECT_EQ(F->Spin1->MaxValue(), 255);
  EXPECT_EQ(F->Spin1->Value(), 7);
  EXPECT_EQ(F->Spin1->Color(), clSkyBlue);
  EXPECT_EQ(F->Memo1->Text(), u"Memo1\r\n");
  EXPECT_TRUE(F->Memo1->ReadOnly());
  EXPECT_EQ(F->Memo1->ScrollBars(), ssVertical);
  EXPECT_EQ(F->Memo1->Color(), clCream);
  ASSERT_EQ(F->Bar1->Panels()->Count(), 2);
  EXPECT_EQ(F->Bar1->Panels()->Items(0)->Width(), 100);
  EXPECT_EQ(F->Bar1->Panels()->Items(0)->Alignment(), taCenter);
  EXPECT_EQ(F->Bar1->Panels()->Items(1)->Width(), 50);
  EXPECT_EQ(F->Item1->Caption(), u"Write Log Info");
  EXPECT_TRUE(F->Item1->Checked());
  EXPECT_EQ(F->Item1->ShortCut(), 16460);

  // Fonts: the panel keeps its own, the others follow their parents.
  EXPECT_FALSE(F->Panel1->ParentFont());
  EXPECT_EQ(F->Panel1->Font()->Height(), -15);
  EXPECT_EQ(F->Panel1->Font()->Charset(), 204);
  EXPECT_TRUE(F->Button1->ParentFont());
  EXPECT_EQ(F->Button1->Font()->Height(), -15);
  EXPECT_EQ(F->Memo1->Font()->Charset(), 204);

  // OnCreate ran once, after every component had finished loading; no OnChange while loading.
  EXPECT_EQ(F->CreateCount, 1);
  EXPECT_EQ(F->StillLoading, 0);
  EXPECT_EQ(F->MemoLinesAtCreate, 1);
  EXPECT_EQ(F->MemoHeightAtCreate, 406);
  EXPECT_TRUE(F->Log.empty());

  // The handlers belong to the form that was read.
  F->Button1->Click();
  F->Item1->Click();
  F->Spin1->SetValue(8);
  EXPECT_EQ(F->Log, (std::vector<std::string>{"Button1", "Item1 off", "other"}));
  F->CloseAction = caHide;
  F->Show();
  F->Close();
  EXPECT_EQ(F->CloseCount, 1);
  EXPECT_FALSE(F->Visible());
}

TEST_F(FormStreamTest, TheTextFormNestsControlsInTheirParents) {
  auto Original = MakeSettledForm();
  TMemoryStream Binary(ImageOf(*Original)), Text;
  ObjectBinaryToText(Binary, Text);
  const std::string S = Text.Bytes();
  EXPECT_NE(S.find("object fmSmall: TUiTestForm\n"), std::string::npos);
  EXPECT_NE(S.find("\n  object Panel1: TPanel\n"), std::string::npos);
  EXPECT_NE(S.find("\n    object Button1: TButton\n"), std::string::npos);
  EXPECT_NE(S.find("\n  object Popup1: TPopupMenu\n"), std::string::npos);
  EXPECT_NE(S.find("\n    object Item1: TMenuItem\n"), std::string::npos);
  EXPECT_NE(S.find("OnClick = Button1Click"), std::string::npos);
  EXPECT_EQ(S.find("ParentFont = True"), std::string::npos);  // the default is not written

  // The main window is built the same way: text, then binary, then components.
  Text.SetPosition(0);
  TMemoryStream Again;
  ObjectTextToBinary(Text, Again);
  auto F = ReadBack(Again.Bytes());
  ASSERT_TRUE(F);
  EXPECT_EQ(F->CreateCount, 1);
  EXPECT_EQ(F->Item1->Parent(), F->Popup1->Items());
}

TEST_F(FormStreamTest, AnExceptionInOnCreateIsShownAndTheFormStays) {
  TComponentPtr<TForm> F(new TForm(nullptr));
  F->SetName(u"fmFailing");
  const std::string Image = ImageOf(*F);
  TComponentPtr<TForm> Target(new TForm(nullptr));
  Target->OnCreate = TNotifyEvent([](TObject*) { throw EReadError(SReadError); });
  TMemoryStream In(Image);
  ReadComponent(In, Target.get());
  ASSERT_EQ(HeadlessDialogs().Shown().size(), 1u);
  EXPECT_EQ(HeadlessDialogs().Shown()[0].Text, u"Stream read error.");
  EXPECT_EQ(Target->Name(), u"fmFailing");
}

}  // namespace
