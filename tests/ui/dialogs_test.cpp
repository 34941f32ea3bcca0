#include <gtest/gtest.h>

#include "ui/dialogs.h"
#include "ui/headless_dialogs.h"
#include "ui/open_dialog.h"
#include "ui_test_support.h"

namespace {

using DialogsTest = UiTest;

TEST_F(DialogsTest, MessageDialogsTakeScriptedAnswersAndAreRecorded) {
  HeadlessDialogs().Push(TDialogAnswer::Button(mrNo));
  EXPECT_EQ(MessageDlg(u"Are you sure?", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
  // Nothing scripted: the default button answers.
  EXPECT_EQ(MessageDlg(u"Are you sure?", mtConfirmation, {mbYes, mbNo}, 0), mrYes);
  EXPECT_EQ(MessageDlg(u"Cancel?", mtWarning, {mbOK, mbCancel}, 7, mbCancel), mrCancel);
  // Neither the default (Retry) nor the cancel (OK) button is there.
  EXPECT_EQ(MessageDlg(u"Odd", mtError, {mbAbort, mbIgnore}, 0), mrCancel);

  const auto& Shown = HeadlessDialogs().Shown();
  ASSERT_EQ(Shown.size(), 4u);
  EXPECT_EQ(Shown[0].Kind, TDialogKind::Message);
  EXPECT_EQ(Shown[0].Title, u"Confirm");
  EXPECT_EQ(Shown[0].Text, u"Are you sure?");
  EXPECT_EQ(Shown[0].Buttons, TMsgDlgButtons({mbYes, mbNo}));
  EXPECT_EQ(Shown[0].DefaultBtn, mbYes);
  EXPECT_EQ(Shown[0].CancelBtn, mbNo);
  EXPECT_TRUE(Shown[0].Scripted);
  EXPECT_FALSE(Shown[1].Scripted);
  EXPECT_EQ(Shown[2].Title, u"Warning");
  EXPECT_EQ(Shown[2].DefaultBtn, mbCancel);
  EXPECT_EQ(Shown[2].CancelBtn, mbCancel);
  EXPECT_EQ(Shown[2].HelpCtx, 7);
  EXPECT_EQ(Shown[3].DefaultBtn, mbRetry);
  EXPECT_EQ(Shown[3].CancelBtn, mbOK);

  Application().SetTitle(u"Q8M update");
  ShowMessage(u"Done");
  EXPECT_EQ(Shown.back().Title, u"Q8M update");
  EXPECT_EQ(Shown.back().DlgType, mtCustom);
  EXPECT_EQ(Shown.back().Result, mrOk);
}

TEST_F(DialogsTest, InputBoxGivesTheEnteredTextOrTheDefault) {
  HeadlessDialogs().Push(TDialogAnswer::Input(u"17"));
  HeadlessDialogs().Push(TDialogAnswer::Cancel());
  EXPECT_EQ(InputBox(u"Setting a new network address", u"Enter a new address (1-254):", u"5"),
            u"17");
  EXPECT_EQ(InputBox(u"Setting a new network address", u"Enter a new address (1-254):", u"5"),
            u"5");
  String Value = u"kept";
  EXPECT_FALSE(InputQuery(u"Caption", u"Prompt", Value));  // no answer left: cancelled
  EXPECT_EQ(Value, u"kept");

  const auto& Shown = HeadlessDialogs().Shown();
  ASSERT_EQ(Shown.size(), 3u);
  EXPECT_EQ(Shown[0].Kind, TDialogKind::Input);
  EXPECT_EQ(Shown[0].Title, u"Setting a new network address");
  EXPECT_EQ(Shown[0].Text, u"Enter a new address (1-254):");
  EXPECT_EQ(Shown[0].Value, u"5");
  EXPECT_EQ(Shown[0].Answer, u"17");
  EXPECT_EQ(Shown[1].Result, mrCancel);
  EXPECT_EQ(Shown[1].Answer, u"5");
  EXPECT_EQ(HeadlessDialogs().PendingAnswers(), 0);
}

TEST_F(DialogsTest, OpenDialogReturnsTheScriptedFile) {
  TOpenDialog Dialog(nullptr);
  Dialog.SetFilter(u"File with firmware (*.rom)|*.ROM;*.BIN|All files (*.*)|*.*");
  Dialog.SetDefaultExt(u"rom");
  Dialog.SetFileName(u"*.rom");
  Dialog.SetOptions(OpenOptions({ofReadOnly, ofFileMustExist, ofEnableSizing}));
  Dialog.SetTitle(u"Selecting a file with firmware");
  Dialog.SetInitialDir(u"/opt/tool");

  HeadlessDialogs().Push(TDialogAnswer::Cancel());
  HeadlessDialogs().Push(TDialogAnswer::File(u"/tmp/k640.rom"));
  EXPECT_FALSE(Dialog.Execute());
  EXPECT_EQ(Dialog.FileName(), u"*.rom");
  EXPECT_TRUE(Dialog.Execute());
  EXPECT_EQ(Dialog.FileName(), u"/tmp/k640.rom");

  const TShownDialog& D = HeadlessDialogs().Shown().back();
  EXPECT_EQ(D.Kind, TDialogKind::OpenFile);
  EXPECT_EQ(D.Title, u"Selecting a file with firmware");
  EXPECT_EQ(D.Filter, u"File with firmware (*.rom)|*.ROM;*.BIN|All files (*.*)|*.*");
  EXPECT_EQ(D.DefaultExt, u"rom");
  EXPECT_EQ(D.InitialDir, u"/opt/tool");
  EXPECT_EQ(D.Value, u"*.rom");
  EXPECT_EQ(D.Options, OpenOptions({ofReadOnly, ofFileMustExist, ofEnableSizing}));
}

// A provider of the program's own replaces the headless one for every dialog.
class TCountingProvider : public TDialogProvider {
 public:
  int Calls = 0;
  TModalResult MessageDlg(const TMessageDlgParams&) override { return ++Calls, mrAbort; }
  bool InputQuery(const String&, const String&, String&, char16_t) override {
    return ++Calls, false;
  }
  bool ExecuteOpenDialog(TOpenDialog&) override { return ++Calls, false; }
};

TEST_F(DialogsTest, AnInstalledProviderAnswersInsteadOfTheHeadlessOne) {
  TCountingProvider Provider;
  SetDialogProvider(&Provider);
  EXPECT_EQ(MessageDlg(u"x", mtError, {mbOK}, 0), mrAbort);
  EXPECT_EQ(InputBox(u"c", u"p", u"d"), u"d");
  SetDialogProvider(nullptr);
  EXPECT_EQ(Provider.Calls, 2);
  EXPECT_TRUE(HeadlessDialogs().Shown().empty());
}

}  // namespace
