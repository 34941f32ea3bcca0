#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/exceptions.h"
#include "ui_test_support.h"

namespace {

using ApplicationTest = UiTest;

TEST_F(ApplicationTest, AClickArrivesWhileTheFirstHandlerProcessesMessages) {
  auto F = MakeSmallForm();
  auto* Second = Make<TSpeedButton>(F.get(), F->Panel1, u"Second");
  std::vector<std::string> Log;
  F->Button1->OnClick = TNotifyEvent([&](TObject*) {
    Log.push_back("first begins");
    Application().ProcessMessages();
    Log.push_back("first ends");
  });
  Second->OnClick = TNotifyEvent([&](TObject*) { Log.push_back("second"); });
  F->Show();

  Application().PostClick(F->Button1);
  Application().PostClick(Second);
  EXPECT_TRUE(Log.empty());  // nothing happens until messages are processed
  Application().ProcessMessages();
  EXPECT_EQ(Log, (std::vector<std::string>{"first begins", "second", "first ends"}));
  EXPECT_EQ(F->ActiveControl(), F->Button1);  // the press focused the button, not the speed button
  EXPECT_EQ(Application().PendingCount(), 0);
}

TEST_F(ApplicationTest, ClicksThatCannotHappenAreDropped) {
  auto F = MakeSmallForm();
  int Clicks = 0;
  F->Button1->OnClick = TNotifyEvent([&](TObject*) { ++Clicks; });

  Application().PostClick(F->Button1);  // the form does not show
  F->Show();
  F->Button1->SetEnabled(false);
  Application().PostClick(F->Button1);
  Application().ProcessMessages();
  EXPECT_EQ(Clicks, 0);

  F->Button1->SetEnabled(true);
  F->Panel1->SetVisible(false);
  Application().PostClick(F->Button1);
  Application().ProcessMessages();
  EXPECT_EQ(Clicks, 0);

  F->Panel1->SetVisible(true);
  Application().PostClick(F->Button1);
  Application().PostDblClick(F->Memo1);
  TComponentDeleter()(F->Button1);  // freed before delivery: its click goes with it
  int DblClicks = 0;
  F->Memo1->OnDblClick = TNotifyEvent([&](TObject*) { ++DblClicks; });
  Application().ProcessMessages();
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(DblClicks, 1);
}

TEST_F(ApplicationTest, AnExceptionInAHandlerIsShownAndDeliveryGoesOn) {
  Application().SetTitle(u"Tool");
  int Calls = 0;
  Application().PostCall([] { throw EReadError(SReadError); });
  Application().PostCall([] { throw std::runtime_error("Port is gone!"); });
  Application().PostCall([&] { ++Calls; });
  Application().ProcessMessages();
  EXPECT_EQ(Calls, 1);
  const auto& Shown = HeadlessDialogs().Shown();
  ASSERT_EQ(Shown.size(), 2u);
  EXPECT_EQ(Shown[0].Text, u"Stream read error.");
  EXPECT_EQ(Shown[0].Title, u"Tool");
  EXPECT_EQ(Shown[0].DlgType, mtError);
  EXPECT_EQ(Shown[0].Buttons, TMsgDlgButtons({mbOK}));
  EXPECT_EQ(Shown[1].Text, u"Port is gone!");  // ends in a mark: no full stop added
}

TEST_F(ApplicationTest, ModalFormRunsUntilAButtonGivesItsResult) {
  auto Main = MakeSmallForm();
  int MainClicks = 0;
  Main->Button1->OnClick = TNotifyEvent([&](TObject*) { ++MainClicks; });
  Main->Show();

  TComponentPtr<TForm> Dialog(new TForm(nullptr));
  Dialog->SetBounds(0, 0, 200, 100);
  Dialog->SetPosition(poScreenCenter);
  auto* Ok = Make<TButton>(Dialog.get(), Dialog.get(), u"OK");
  Ok->SetModalResult(mrOk);
  Ok->SetDefault(true);
  auto* Cancel = Make<TButton>(Dialog.get(), Dialog.get(), u"Cancel");
  Cancel->SetModalResult(mrCancel);
  Cancel->SetCancel(true);

  Application().PostClick(Main->Button1);  // blocked while the dialog runs
  Application().PostCall([&] {
    EXPECT_EQ(Screen().ActiveForm(), Dialog.get());
    EXPECT_EQ(Dialog->Left(), (1920 - 200) / 2);
    Application().PostClick(Ok);
  });
  EXPECT_EQ(Dialog->ShowModal(), mrOk);
  EXPECT_FALSE(Dialog->Visible());
  EXPECT_EQ(MainClicks, 0);
  EXPECT_EQ(Screen().ActiveForm(), Main.get());

  Application().PostKey(Dialog.get(), VK_ESCAPE, 0);
  EXPECT_EQ(Dialog->ShowModal(), mrCancel);
  Application().PostKey(Dialog.get(), VK_RETURN, 0);
  EXPECT_EQ(Dialog->ShowModal(), mrOk);
  EXPECT_EQ(Dialog->ShowModal(), mrCancel);  // nobody answers: closed as by its close box

  Dialog->Show();
  EXPECT_THROW(Dialog->ShowModal(), EInvalidOperation);
  Application().PostClick(Main->Button1);
  Application().ProcessMessages();
  EXPECT_EQ(MainClicks, 1);  // no modal form any more
}

TEST_F(ApplicationTest, KeysGoThroughPreviewAndShortCuts) {
  auto F = MakeSmallForm();
  F->Item1->SetAutoCheck(true);
  F->Item1->SetShortCut(16460);
  F->Show();
  std::vector<uint16_t> Previewed;
  F->OnKeyDown = TKeyEvent([&](TObject*, uint16_t& Key, TShiftState) {
    Previewed.push_back(Key);
    if (Key == u'Q') Key = 0;  // swallowed
  });

  F->Button1->SetFocus();  // inside the panel that carries the menu
  Application().PostKey(F.get(), u'L', ShiftState({ssCtrl}));
  Application().ProcessMessages();
  EXPECT_TRUE(F->Item1->Checked());
  EXPECT_TRUE(Previewed.empty());  // no preview without KeyPreview

  F->SetKeyPreview(true);
  int Clicks = 0;
  F->Button1->OnClick = TNotifyEvent([&](TObject*) { ++Clicks; });
  Application().PostKey(F.get(), u'Q', 0);
  Application().PostKey(F.get(), VK_RETURN, 0);  // the focused button
  Application().PostCall([&] { F->Memo1->SetFocus(); });
  Application().PostKey(F.get(), u'L', ShiftState({ssCtrl}));  // the memo has no menu
  Application().PostKey(F.get(), VK_RETURN, 0);                // no default button either
  Application().ProcessMessages();
  EXPECT_EQ(Previewed, (std::vector<uint16_t>{u'Q', VK_RETURN, u'L', VK_RETURN}));
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(F->Item1->Checked());

  F->Item1->OnClick = TNotifyEvent([&](TObject* Sender) { F->Item1Click(Sender); });
  Application().PostMenuClick(F->Item1);
  Application().PostCall([&] { F->Item1->SetEnabled(false); });
  Application().PostMenuClick(F->Item1);
  Application().ProcessMessages();
  EXPECT_EQ(F->Log, std::vector<std::string>{"Item1 off"});
}

TEST_F(ApplicationTest, ClosingTheMainFormEndsTheRun) {
  auto F = MakeSmallForm();
  F->OnClose =
      TCloseEvent([&](TObject* Sender, TCloseAction& Action) { F->FormClose(Sender, Action); });
  Application().SetMainForm(F.get());
  F->CloseAction = caNone;
  Application().PostCall([&] { F->Close(); });
  Application().Run();
  EXPECT_TRUE(F->Visible());  // shown by Run; the close was refused
  EXPECT_FALSE(Application().Terminated());

  F->CloseAction = caHide;
  int After = 0;
  Application().PostCall([&] { F->Close(); });
  Application().PostCall([&] { ++After; });
  Application().Run();
  EXPECT_TRUE(Application().Terminated());
  EXPECT_EQ(F->CloseCount, 2);
  EXPECT_EQ(After, 0);  // the loop ended with the main form
  Application().ProcessMessages();
  EXPECT_EQ(After, 1);
}

TEST_F(ApplicationTest, ReleasedFormsGoWhenMessagesAreProcessed) {
  TForm* Released = new TForm(&Application());
  Released->SetName(u"Released");
  Released->Show();
  Released->OnClose = TCloseEvent([](TObject*, TCloseAction& Action) { Action = caFree; });
  Released->Close();
  Application().PostKey(Released, VK_ESCAPE, 0);  // dropped with the form
  EXPECT_NE(Application().FindComponent(u"Released"), nullptr);
  Application().ProcessMessages();
  EXPECT_EQ(Application().FindComponent(u"Released"), nullptr);
  EXPECT_EQ(Application().PendingCount(), 0);
}

}  // namespace
