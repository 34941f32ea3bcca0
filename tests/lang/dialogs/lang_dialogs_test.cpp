#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "core/restore.h"
#include "lang/custom_lang.h"
#include "lang/dialogs/lang_dialogs.h"
#include "lang/lang_test_support.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/edit.h"
#include "ui/headless_dialogs.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/screen.h"

namespace {

// A form with a translation component whose dialog texts have a Russian column.
class LangDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Owner.reset(new TForm(nullptr));
    Owner->SetName(u"fmOwner");
    Lang = new TlcLang(Owner.get());
    Lang->SetNumOfLanguages(2);
    const std::pair<const char*, const char*> Russian[] = {{"Warning", "Предупреждение"},
                                                           {"Error", "Ошибка"},
                                                           {"Information", "Сведения"},
                                                           {"Confirm", "Подтверждение"},
                                                           {"Yes", "&Да"},
                                                           {"No", "&Нет"},
                                                           {"OK", "ОК"},
                                                           {"Cancel", "Отмена"},
                                                           {"Abort", "&Прервать"},
                                                           {"Retry", "&Повтор"},
                                                           {"Ignore", "Пр&опуск"},
                                                           {"Help", "&Справка"}};
    for (const auto& [Name, Text] : Russian)
      Lang->ReplaceStringValue(*Lang->DlgsCaptions(), FromUtf8(Text), FromUtf8(Name), 2);
    Application().SetTitle(u"Tool");
    HeadlessWindowSystem() = THeadlessWindowSystem();
  }
  void TearDown() override {
    Screen().SetMonitors({});
    Application().SetBiDiMode(bdLeftToRight);
    Application().HelpViewer = nullptr;
    Application().SetHelpFile(u"");
    HeadlessDialogs().Clear();
    Owner.reset();
  }

  // The help topics shown, as "file#context".
  std::vector<String> Helped;
  void InstallHelpViewer() {
    Application().HelpViewer = [this](const String& File, int Context) {
      Helped.push_back(File + u"#" + IntToStr(Context));
    };
  }

  // Runs Answer from inside the next modal dialog's loop, with the dialog form.
  static void WhenShown(std::function<void(TCustomForm&)> Answer) {
    Application().PostCall([Answer] {
      TCustomForm* F = Screen().ActiveForm();
      ASSERT_NE(F, nullptr);
      ASSERT_TRUE(F->Modal());
      Answer(*F);
    });
  }
  static TButton* ButtonOf(TCustomForm& F, const char16_t* Name) {
    return dynamic_cast<TButton*>(F.FindComponent(Name));
  }

  TComponentPtr<TForm> Owner;
  TlcLang* Lang = nullptr;
};

TEST_F(LangDialogsTest, TitlesAndCaptionsComeFromTheActiveLanguageAndTheOwnersCharset) {
  Owner->Font()->SetCharset(204);
  Lang->SetActiveLanguage(2);
  const auto Form = Lang->CreateMessageDialog(u"Save?", mtWarning, {mbYes, mbNo, mbClose});
  EXPECT_EQ(Form->Caption(), FromUtf8("Предупреждение"));
  EXPECT_EQ(Form->Font()->Charset(), 204);
  EXPECT_EQ(Form->BorderStyle(), bsDialog);
  EXPECT_EQ(ButtonOf(*Form, u"Yes")->Caption(), FromUtf8("&Да"));
  EXPECT_EQ(ButtonOf(*Form, u"No")->Caption(), FromUtf8("&Нет"));
  // No DlgsCaptions line for Close: an empty caption.
  EXPECT_EQ(ButtonOf(*Form, u"Close")->Caption(), u"");
  EXPECT_EQ(ButtonOf(*Form, u"Close")->ModalResult(), mrClose);
  auto* Image = dynamic_cast<TImage*>(Form->FindComponent(u"Image"));
  ASSERT_NE(Image, nullptr);
  EXPECT_EQ(Image->Icon(), siExclamation);
  auto* Message = dynamic_cast<TLabel*>(Form->FindComponent(u"Message"));
  ASSERT_NE(Message, nullptr);
  EXPECT_EQ(Message->Caption(), u"Save?");
  EXPECT_TRUE(Message->WordWrap());
  EXPECT_EQ(Message->Layout(), tlCenter);

  // A language without its own text falls back to language 1.
  Lang->DlgsCaptions()->Add(L("Close|Close||"));
  EXPECT_EQ(Lang->GetDlgButtonCaption(mbClose), u"Close");

  const auto Custom = Lang->CreateMessageDialog(u"Done", mtCustom, {mbOK});
  EXPECT_EQ(Custom->Caption(), u"Tool");
  EXPECT_EQ(Custom->FindComponent(u"Image"), nullptr);
  EXPECT_EQ(ButtonOf(*Custom, u"OK")->Caption(), FromUtf8("ОК"));
}

TEST_F(LangDialogsTest, DefaultAndCancelButtonsFollowTheRule) {
  auto Form = Lang->CreateMessageDialog(u"?", mtConfirmation, {mbYes, mbNo});
  EXPECT_TRUE(ButtonOf(*Form, u"Yes")->Default());
  EXPECT_EQ(Form->ActiveControl(), ButtonOf(*Form, u"Yes"));
  EXPECT_TRUE(ButtonOf(*Form, u"No")->Cancel());

  // Retry and OK are named by the rule but absent: no default and no cancel button.
  Form = Lang->CreateMessageDialog(u"?", mtError, {mbAbort, mbIgnore});
  for (const char16_t* Name : {u"Abort", u"Ignore"}) {
    EXPECT_FALSE(ButtonOf(*Form, Name)->Default());
    EXPECT_FALSE(ButtonOf(*Form, Name)->Cancel());
  }
  EXPECT_EQ(Form->ActiveControl(), nullptr);

  Form = Lang->CreateMessageDialog(u"?", mtWarning, {mbOK, mbCancel}, mbCancel);
  EXPECT_FALSE(ButtonOf(*Form, u"OK")->Default());
  EXPECT_TRUE(ButtonOf(*Form, u"Cancel")->Default());
  EXPECT_TRUE(ButtonOf(*Form, u"Cancel")->Cancel());
}

TEST_F(LangDialogsTest, TheLayoutHoldsTheTextBesideTheIconAndCentresTheButtons) {
  const String Words = [] {
    String S;
    for (int I = 0; I < 60; ++I) S += u"word ";
    return S;
  }();
  const auto Form = Lang->CreateMessageDialog(Words, mtInformation, {mbOK, mbCancel});
  const TSize Ave = GetAveCharSize(*Form->Font());
  auto* Image = Form->FindComponent(u"Image");
  auto* Message = dynamic_cast<TLabel*>(Form->FindComponent(u"Message"));
  auto* Ok = ButtonOf(*Form, u"OK");
  auto* Cancel = ButtonOf(*Form, u"Cancel");
  // The text wraps within half the screen and stands right of the icon.
  EXPECT_LE(Message->Width(), Screen().Width() / 2);
  EXPECT_GT(Message->Height(), Ave.cy);
  EXPECT_GE(Message->Left(), static_cast<TControl*>(Image)->Left() + SystemIconSize);
  // The buttons share one row below the text, centred in the form.
  EXPECT_EQ(Ok->Top(), Cancel->Top());
  EXPECT_GT(Ok->Top(), Message->Top() + Message->Height());
  EXPECT_EQ(Ok->Left(), Form->ClientWidth() - (Cancel->Left() + Cancel->Width()));
  EXPECT_LE(Cancel->Top() + Cancel->Height(), Form->ClientHeight());
  // Centred on the primary monitor, as nothing else is active.
  EXPECT_EQ(Form->Left(), Screen().Width() / 2 - Form->Width() / 2);
}

TEST_F(LangDialogsTest, UnderRightToLeftTheIconAndTheTextAreMirrored) {
  const String Msg = u"The controller at address 5 did not answer.\nTry again?";
  const auto Plain = Lang->CreateMessageDialog(Msg, mtWarning, {mbOK, mbCancel});
  Application().SetBiDiMode(bdRightToLeft);
  const auto Form = Lang->CreateMessageDialog(Msg, mtWarning, {mbOK, mbCancel});
  ASSERT_EQ(Form->ClientWidth(), Plain->ClientWidth());
  const int Width = Form->ClientWidth();
  for (const char16_t* Name : {u"Image", u"Message"}) {
    auto* Was = dynamic_cast<TControl*>(Plain->FindComponent(Name));
    auto* Is = dynamic_cast<TControl*>(Form->FindComponent(Name));
    EXPECT_EQ(Is->Left(), Width - Was->Left() - Was->Width()) << ToUtf8(Name);
    EXPECT_EQ(Is->Top(), Was->Top());
    // The controls read right to left with their form.
    EXPECT_TRUE(Is->UseRightToLeftAlignment());
  }
  // The buttons keep their order and places.
  EXPECT_EQ(ButtonOf(*Form, u"OK")->Left(), ButtonOf(*Plain, u"OK")->Left());

  // Reading right to left only: nothing is mirrored.
  Application().SetBiDiMode(bdRightToLeftReadingOnly);
  const auto Reading = Lang->CreateMessageDialog(Msg, mtWarning, {mbOK, mbCancel});
  EXPECT_TRUE(Reading->UseRightToLeftReading());
  EXPECT_EQ(dynamic_cast<TControl*>(Reading->FindComponent(u"Image"))->Left(),
            dynamic_cast<TControl*>(Plain->FindComponent(u"Image"))->Left());
}

TEST_F(LangDialogsTest, ADialogOverAFormOnASecondMonitorShowsOnThatMonitor) {
  Screen().SetMonitors({{0, 0, 1920, 1080, true}, {1920, 0, 1280, 1024, false}});
  TComponentPtr<TForm> Other(new TForm(nullptr));
  Other->SetBounds(2200, 100, 400, 300);
  Other->Show();
  ASSERT_EQ(Screen().ActiveForm(), Other.get());
  const auto Form = Lang->CreateMessageDialog(u"Here", mtWarning, {mbOK});
  EXPECT_EQ(Form->Left(), 1920 + 1280 / 2 - Form->Width() / 2);
  EXPECT_EQ(Form->Top(), 1024 / 2 - Form->Height() / 2);
}

TEST_F(LangDialogsTest, CtrlCCopiesTheDialogTextInSevenLines) {
  Lang->SetActiveLanguage(2);
  const auto Form = Lang->CreateMessageDialog(u"Port is busy", mtWarning, {mbOK, mbCancel});
  ASSERT_TRUE(Form->KeyPreview());
  uint16_t Key = u'C';
  Form->KeyDown(Key, ShiftState({ssCtrl}));
  const String Rule(27, u'-');
  EXPECT_EQ(HeadlessWindowSystem().ClipboardText,
            Rule + u"\r\n" + FromUtf8("Предупреждение") + u"\r\n" + Rule + u"\r\nPort is busy\r\n" +
                Rule + u"\r\n" + FromUtf8("ОК\tОтмена\t") + u"\r\n" + Rule);
  EXPECT_EQ(HeadlessWindowSystem().Beeps, 1);

  // Another shift key with it copies nothing; a busy clipboard only beeps.
  HeadlessWindowSystem().ClipboardText.clear();
  Key = u'C';
  Form->KeyDown(Key, ShiftState({ssCtrl, ssShift}));
  EXPECT_EQ(HeadlessWindowSystem().ClipboardText, u"");
  HeadlessWindowSystem().ClipboardBusy = true;
  Key = u'C';
  Form->KeyDown(Key, ShiftState({ssCtrl}));
  EXPECT_EQ(HeadlessWindowSystem().ClipboardText, u"");
  EXPECT_EQ(HeadlessWindowSystem().Beeps, 2);
}

TEST_F(LangDialogsTest, MessageDialogsGiveThePressedButtonAndLeaveNoFormBehind) {
  const int Forms = Screen().FormCount();
  WhenShown([](TCustomForm& F) { ButtonOf(F, u"No")->Click(); });
  EXPECT_EQ(Lang->MessageDlg(u"Save?", mtConfirmation, {mbYes, mbNo, mbCancel}, 0), mrNo);
  // Escape presses the cancel button.
  WhenShown([](TCustomForm& F) {
    uint16_t Key = VK_ESCAPE;
    F.KeyDown(Key, 0);
  });
  EXPECT_EQ(Lang->MessageDlg(u"Save?", mtConfirmation, {mbYes, mbNo, mbCancel}, 0), mrCancel);
  WhenShown([](TCustomForm& F) {
    EXPECT_EQ(F.Left(), 10);
    EXPECT_EQ(F.Top(), 20);
    ButtonOf(F, u"OK")->Click();
  });
  Lang->ShowMessagePos(u"Done", 10, 20);
  EXPECT_EQ(Screen().FormCount(), Forms);
}

TEST_F(LangDialogsTest, TheHelpButtonShowsTheDialogsHelpTopicAndKeepsTheDialogOpen) {
  InstallHelpViewer();
  Application().SetHelpFile(u"tool.hlp");
  WhenShown([](TCustomForm& F) {
    Application().PostClick(ButtonOf(F, u"Help"));
    // Without a help viewer, the error is shown and the dialog stays.
    Application().PostCall([] { Application().HelpViewer = nullptr; });
    Application().PostClick(ButtonOf(F, u"Help"));
    Application().PostClick(ButtonOf(F, u"OK"));
  });
  EXPECT_EQ(
      Lang->MessageDlgPosHelp(u"Port?", mtConfirmation, {mbOK, mbHelp}, 12, -1, -1, u"ports.hlp"),
      mrOk);
  EXPECT_EQ(Helped, std::vector<String>{u"ports.hlp#12"});
  ASSERT_EQ(HeadlessDialogs().Shown().size(), 1u);
  EXPECT_EQ(HeadlessDialogs().Shown()[0].DlgType, mtError);
  EXPECT_EQ(HeadlessDialogs().Shown()[0].Text, u"No help viewer is installed.");

  // Without a help file of its own, the application's.
  InstallHelpViewer();
  WhenShown([](TCustomForm& F) {
    ButtonOf(F, u"Help")->Click();
    ButtonOf(F, u"OK")->Click();
  });
  Lang->MessageDlg(u"Port?", mtConfirmation, {mbOK, mbHelp}, 3);
  EXPECT_EQ(Helped.back(), u"tool.hlp#3");
}

TEST_F(LangDialogsTest, InputBoxGivesTheEntryOrTheDefault) {
  Lang->SetActiveLanguage(2);
  WhenShown([](TCustomForm& F) {
    EXPECT_EQ(F.Caption(), u"Address");
    TEdit* Edit = nullptr;
    for (int I = 0; I < F.ComponentCount(); ++I)
      if (auto* E = dynamic_cast<TEdit*>(F.Components(I))) Edit = E;
    ASSERT_NE(Edit, nullptr);
    EXPECT_EQ(Edit->Text(), u"1");
    EXPECT_EQ(Edit->SelLength(), 1);
    EXPECT_EQ(Edit->MaxLength(), 255);
    Edit->SetText(u"42");
    uint16_t Key = VK_RETURN;
    F.KeyDown(Key, 0);
  });
  EXPECT_EQ(Lang->InputBox(u"Address", u"New address:", u"1"), u"42");

  WhenShown([](TCustomForm& F) {
    for (int I = 0; I < F.ComponentCount(); ++I)
      if (auto* B = dynamic_cast<TButton*>(F.Components(I)); B && B->Cancel()) {
        EXPECT_EQ(B->Caption(), FromUtf8("Отмена"));
        B->Click();
      }
  });
  String Value = u"kept";
  EXPECT_FALSE(Lang->InputQuery(u"Key", u"Key:", Value, u'*'));
  EXPECT_EQ(Value, u"kept");
  EXPECT_EQ(Lang->InputBox(u"Key", u"Key:", u"none"), u"none");  // nobody answers: cancelled
}

TEST_F(LangDialogsTest, EveryDialogTextIsWrittenThroughTheTextHook) {
  const TRestore<TSetTextPropHook> Hook(
      SetTextPropHook, [](TObject*, const TPropInfo&, String& Text) { Text = u"<" + Text + u">"; });
  const auto Form = Lang->CreateMessageDialog(u"Save?", mtWarning, {mbOK});
  EXPECT_EQ(Form->Caption(), u"<Warning>");
  EXPECT_EQ(dynamic_cast<TLabel*>(Form->FindComponent(u"Message"))->Caption(), u"<Save?>");
  EXPECT_EQ(ButtonOf(*Form, u"OK")->Caption(), u"<OK>");

  // The entry comes back exactly as typed, lone surrogate included, though texts are stored as
  // UTF-8.
  Lang->SetStoreAsUTF8(true);
  const String Typed =
      u"a\xD800"
      u"b";
  WhenShown([Typed](TCustomForm& F) {
    EXPECT_EQ(F.Caption(), u"<Address>");
    for (int I = 0; I < F.ComponentCount(); ++I) {
      if (auto* L = dynamic_cast<TLabel*>(F.Components(I))) {
        EXPECT_EQ(L->Caption(), u"<Port:>");
      }
      if (auto* E = dynamic_cast<TEdit*>(F.Components(I))) E->SetText(Typed);
    }
    uint16_t Key = VK_RETURN;
    F.KeyDown(Key, 0);
  });
  EXPECT_EQ(Lang->InputBox(u"Address", u"Port:", u""), Typed);
  EXPECT_TRUE(Lang->StoreAsUTF8());
}

TEST_F(LangDialogsTest, AVeryLongPromptWidensTheInputForm) {
  String Prompt;
  for (int I = 0; I < 30; ++I) Prompt += u"address ";
  WhenShown([Prompt](TCustomForm& F) {
    const TSize Ave = GetAveCharSize(*F.Font());
    const int Margin = MulDiv(8, Ave.cx, 4);
    const int Width =
        HeadlessWindowSystem().WrappedTextExtent(*F.Font(), Prompt, Screen().Width() / 2).cx;
    EXPECT_EQ(F.ClientWidth(), 2 * Margin + Width + 36);
    F.Close();
  });
  Lang->InputBox(u"Address", Prompt, u"");
}

TEST(LangDialogs, StandardCaptionsAreKnownWithoutTheirKeyMarks) {
  EXPECT_FALSE(IsNotStdDlgCaption(u"No To All"));
  EXPECT_FALSE(IsNotStdDlgCaption(u"Warning"));
  EXPECT_TRUE(IsNotStdDlgCaption(u"N&o To All"));
  EXPECT_TRUE(IsNotStdDlgCaption(u"warning"));
  EXPECT_TRUE(IsNotStdDlgCaption(u"Close"));
}

// A platform that says it offers the task dialog, and records what it is asked to show.
class TStandInPlatform : public TTaskDialogPlatform {
 public:
  int MajorVersion() const override { return Version; }
  const TTaskDialogIndirectProc* FindTaskDialogIndirect() override {
    return Offers ? &Proc : nullptr;
  }

  int Version = 6;
  bool Offers = true;
  std::vector<TTaskDialogConfig> Shown;
  int Press = mrNone;
  TTaskDialogIndirectProc Proc = [this](const TTaskDialogConfig& Config, int* Pressed) {
    Shown.push_back(Config);
    *Pressed = Press;
    return S_OK;
  };
};

class TaskDialogTest : public LangDialogsTest {
 protected:
  void SetUp() override {
    LangDialogsTest::SetUp();
    SetTaskDialogPlatform(&Platform);
  }
  void TearDown() override {
    SetTaskDialogPlatform(nullptr);
    LangDialogsTest::TearDown();
  }
  TStandInPlatform Platform;
};

TEST_F(TaskDialogTest, WhereThePlatformOffersItAMessageDialogIsATaskDialog) {
  Lang->SetActiveLanguage(2);
  Platform.Press = mrRetry;
  EXPECT_EQ(Lang->MessageDlg(u"No answer", mtConfirmation,
                             {mbYes, mbAbort, mbRetry, mbIgnore, mbHelp}, 0, mbRetry),
            mrRetry);
  ASSERT_EQ(Platform.Shown.size(), 1u);
  const TTaskDialogConfig& C = Platform.Shown[0];
  EXPECT_EQ(C.WindowTitle, FromUtf8("Подтверждение"));
  EXPECT_EQ(C.MainInstruction, u"");
  EXPECT_EQ(C.Content, u"No answer");
  EXPECT_EQ(C.MainIcon, TD_INFORMATION_ICON);
  EXPECT_EQ(C.Flags, TDF_ALLOW_DIALOG_CANCELLATION);
  EXPECT_EQ(C.DefaultButton, mrRetry);
  ASSERT_EQ(C.Buttons.size(), 5u);
  const std::pair<int, const char*> Expected[] = {
      {6, "&Да"}, {3, "&Прервать"}, {4, "&Повтор"}, {5, "Пр&опуск"}, {-1, "&Справка"}};
  for (size_t I = 0; I < 5; ++I) {
    EXPECT_EQ(C.Buttons[I].Id, Expected[I].first);
    EXPECT_EQ(C.Buttons[I].Text, FromUtf8(Expected[I].second));
  }
  EXPECT_FALSE(C.Callback);

  // The task-dialog form's title; the default button by its own rule.
  Lang->TaskMessageDlg(u"Check", u"Go on?", mtWarning, {mbYes, mbNo}, 0);
  EXPECT_EQ(Platform.Shown.back().MainInstruction, u"Check");
  EXPECT_EQ(Platform.Shown.back().MainIcon, TD_WARNING_ICON);
  EXPECT_EQ(Platform.Shown.back().DefaultButton, mrYes);
  Lang->TaskMessageDlg(u"", u"", mtCustom, {mbAbort}, 0);
  EXPECT_EQ(Platform.Shown.back().DefaultButton, mrRetry);
  EXPECT_EQ(Platform.Shown.back().WindowTitle, u"Tool");
  EXPECT_EQ(Platform.Shown.back().MainIcon, 0);

  Application().SetBiDiMode(bdRightToLeftNoAlign);
  Lang->TaskMessageDlg(u"", u"", mtCustom, {mbOK}, 0);
  EXPECT_EQ(Platform.Shown.back().Flags, TDF_ALLOW_DIALOG_CANCELLATION | TDF_RTL_LAYOUT);
}

TEST_F(TaskDialogTest, ThePlainDialogServesWhereTheTaskDialogIsNotToBeHad) {
  const auto Plain = [this] {
    WhenShown([](TCustomForm& F) { ButtonOf(F, u"OK")->Click(); });
    return Lang->MessageDlg(u"Plain", mtInformation, {mbOK}, 0);
  };
  // A common-controls module without the entry point.
  Platform.Offers = false;
  EXPECT_EQ(Plain(), mrOk);
  int Pressed = 0;
  EXPECT_EQ(CallTaskDialogIndirect({}, &Pressed), E_NOTIMPL);
  Platform.Offers = true;
  Lang->SetUseTaskMsgDlg(false);
  EXPECT_EQ(Plain(), mrOk);
  // TaskMessageDlg does not ask UseTaskMsgDlg.
  Lang->TaskMessageDlg(u"T", u"M", mtInformation, {mbOK}, 0);
  EXPECT_EQ(Platform.Shown.size(), 1u);

  Lang->SetUseTaskMsgDlg(true);
  Platform.Version = 5;
  EXPECT_EQ(Plain(), mrOk);
  Platform.Version = 6;
  SetTaskDialogPlatform(nullptr);  // this program's own window system
  EXPECT_EQ(Plain(), mrOk);
  EXPECT_EQ(CallTaskDialogIndirect({}, &Pressed), E_NOTIMPL);
  EXPECT_EQ(Platform.Shown.size(), 1u);
}

class TFakeWindow : public TTaskDialogWindow {
 public:
  int Left() const override { return X; }
  int Top() const override { return Y; }
  int Width() const override { return 300; }
  int Height() const override { return 200; }
  void MoveTo(int AX, int AY) override {
    X = AX;
    Y = AY;
  }
  int X = 0, Y = 0;
};

TEST_F(TaskDialogTest, TheCallbackPlacesTheDialogOnItsParentsMonitorAndKeepsItOpenForHelp) {
  Screen().SetMonitors({{0, 0, 1920, 1080, true}, {1920, 0, 1280, 1024, false}});
  Owner->SetBounds(2000, 50, 400, 300);
  Owner->Show();
  Lang->MessageDlgPos(u"At", mtError, {mbOK, mbHelp}, 0, -1, 30);
  const TTaskDialogConfig C = Platform.Shown.back();
  ASSERT_TRUE(C.Callback);
  EXPECT_EQ(C.Parent, Owner.get());
  TFakeWindow W;
  EXPECT_EQ(C.Callback(W, TDN_CREATED, 0), S_OK);
  EXPECT_EQ(W.X, 1920 + (1280 - 300) / 2);
  EXPECT_EQ(W.Y, 30);
  EXPECT_EQ(C.Callback(W, TDN_BUTTON_CLICKED, -1), S_FALSE);
  EXPECT_EQ(C.Callback(W, TDN_BUTTON_CLICKED, mrOk), S_OK);
}

TEST_F(TaskDialogTest, HelpInATaskDialogUsesItsHelpFileAndReportsErrorsInABox) {
  InstallHelpViewer();
  Application().SetHelpFile(u"tool.hlp");
  Lang->MessageDlgPosHelp(u"Help?", mtInformation, {mbOK, mbHelp}, 7, -1, -1, u"task.hlp");
  const TTaskDialogConfig C = Platform.Shown.back();
  ASSERT_TRUE(C.Callback);
  TFakeWindow W;
  EXPECT_EQ(C.Callback(W, TDN_BUTTON_CLICKED, -1), S_FALSE);
  EXPECT_EQ(C.Callback(W, TDN_HELP, 0), S_OK);
  EXPECT_EQ(Helped, (std::vector<String>{u"task.hlp#7", u"task.hlp#7"}));
  EXPECT_EQ(Application().HelpFile(), u"tool.hlp");

  // A help error is shown in an error box that reads as the application does; others pass on.
  Application().SetBiDiMode(bdRightToLeft);
  Application().HelpViewer = [](const String&, int) { throw Exception(u"Topic 7 is missing"); };
  EXPECT_EQ(C.Callback(W, TDN_BUTTON_CLICKED, -1), S_FALSE);
  ASSERT_EQ(HeadlessDialogs().Shown().size(), 1u);
  const TShownDialog& Box = HeadlessDialogs().Shown()[0];
  EXPECT_EQ(Box.Text, u"Topic 7 is missing.");
  EXPECT_EQ(Box.Title, u"Tool");
  EXPECT_EQ(Box.DlgType, mtError);
  EXPECT_TRUE(Box.RightToLeftReading);
  Application().HelpViewer = [](const String&, int) { throw std::runtime_error("broken"); };
  EXPECT_THROW(C.Callback(W, TDN_HELP, 0), std::runtime_error);
  EXPECT_EQ(Application().HelpFile(), u"tool.hlp");
}

}  // namespace
