// The translation component's dialogs through the Qt view, offscreen, in both languages: each
// picture is compared with the dialog's model, whose texts come from the component's table.
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "lang/custom_lang.h"
#include "qt_test_support.h"
#include "ui/edit.h"
#include "ui/image.h"
#include "ui/label.h"

namespace {

struct TCaption {
  const char16_t* Key;
  const char* English;
  const char* Russian;
};

const TCaption Captions[] = {{u"Warning", "Warning", "Предупреждение"},
                             {u"Error", "Error", "Ошибка"},
                             {u"Information", "Information", "Сведения"},
                             {u"Confirm", "Confirm", "Подтверждение"},
                             {u"Yes", "&Yes", "&Да"},
                             {u"No", "&No", "&Нет"},
                             {u"OK", "OK", "ОК"},
                             {u"Cancel", "Cancel", "Отмена"},
                             {u"Abort", "&Abort", "&Прервать"},
                             {u"Retry", "&Retry", "&Повтор"},
                             {u"Ignore", "&Ignore", "Пр&опуск"}};

String TableText(const char16_t* Key, int Language) {
  for (const TCaption& C : Captions)
    if (String(C.Key) == Key) return FromUtf8(Language == 1 ? C.English : C.Russian);
  return {};
}

class QtLangDialogsTest : public QtViewTest {
 protected:
  void SetUp() override {
    QtViewTest::SetUp();
    Owner.reset(new TForm(nullptr));
    Owner->SetName(u"fmOwner");
    Lang = new TlcLang(Owner.get());
    Lang->SetNumOfLanguages(2);
    for (const TCaption& C : Captions)
      Lang->ReplaceStringValue(*Lang->DlgsCaptions(), FromUtf8(C.Russian), C.Key, 2);
    Application().SetTitle(u"Q8M update");
  }
  void TearDown() override {
    Application().SetBiDiMode(bdLeftToRight);
    Application().HelpViewer = nullptr;
    Owner.reset();
    QtViewTest::TearDown();
  }

  // Once the next dialog is up: its picture is saved and compared with its model, Check looks
  // at the model, then Finish ends the dialog.
  void WhenDialog(const QString& Picture, std::function<void(TCustomForm&)> Check,
                  std::function<void(TCustomForm&)> Finish) {
    QTimer::singleShot(0, [=, this] {
      QWidget* Window = QApplication::activeModalWidget();
      ASSERT_NE(Window, nullptr);
      auto* Form = dynamic_cast<TCustomForm*>(View->ControlOf(Window));
      ASSERT_NE(Form, nullptr);
      CompareWithModel(*Form, *Window, Picture);
      Check(*Form);
      Finish(*Form);
    });
  }

  static QPushButton* DefaultButton(QtLangDialogsTest& T, TCustomForm& F) {
    return qobject_cast<QPushButton*>(T.View->WidgetOf(F.ActiveControl()));
  }
  QPushButton* ButtonNamed(TCustomForm& F, const char16_t* Name) const {
    return qobject_cast<QPushButton*>(
        View->WidgetOf(dynamic_cast<TControl*>(F.FindComponent(Name))));
  }

  TComponentPtr<TForm> Owner;
  TlcLang* Lang = nullptr;
};

struct TDialogCase {
  TMsgDlgType Type;
  const char16_t* Title;  // key of the title, or null for the application's title
  TMsgDlgButtons Buttons;
  std::vector<const char16_t*> ButtonNames;
  TModalResult Default;
  TSystemIcon Icon;
  const char* Picture;
};

TEST_F(QtLangDialogsTest, MessageDialogsOfEveryTypeInBothLanguages) {
  const TDialogCase Cases[] = {
      {mtWarning, u"Warning", {mbOK, mbCancel}, {u"OK", u"Cancel"}, mrOk, siExclamation, "warning"},
      {mtError,
       u"Error",
       {mbAbort, mbRetry, mbIgnore},
       {u"Abort", u"Retry", u"Ignore"},
       mrRetry,
       siHand,
       "error"},
      {mtInformation, u"Information", {mbOK}, {u"OK"}, mrOk, siAsterisk, "information"},
      {mtConfirmation,
       u"Confirm",
       {mbYes, mbNo, mbCancel},
       {u"Yes", u"No", u"Cancel"},
       mrYes,
       siQuestion,
       "confirmation"},
      {mtCustom, nullptr, {mbOK}, {u"OK"}, mrOk, siNone, "custom"}};
  for (int Language : {1, 2}) {
    Lang->SetActiveLanguage(Language);
    for (const TDialogCase& Case : Cases) {
      const QString Picture =
          QString("dialog_%1_%2.png").arg(Case.Picture).arg(Language == 1 ? "en" : "ru");
      WhenDialog(
          Picture,
          [&](TCustomForm& F) {
            EXPECT_EQ(F.Caption(), Case.Title ? TableText(Case.Title, Language) : u"Q8M update");
            auto* Image = dynamic_cast<TImage*>(F.FindComponent(u"Image"));
            EXPECT_EQ(Image ? Image->Icon() : siNone, Case.Icon);
            int Buttons = 0;
            for (const char16_t* Name : Case.ButtonNames) {
              auto* B = dynamic_cast<TButton*>(F.FindComponent(Name));
              ASSERT_NE(B, nullptr);
              EXPECT_EQ(B->Caption(), TableText(Name, Language));
              ++Buttons;
            }
            int Shown = 0;
            for (int I = 0; I < F.ComponentCount(); ++I)
              if (dynamic_cast<TButton*>(F.Components(I))) ++Shown;
            EXPECT_EQ(Shown, Buttons);
          },
          [this](TCustomForm& F) { DefaultButton(*this, F)->click(); });
      EXPECT_EQ(Lang->MessageDlg(u"The controller at address 5 did not answer.\nTry again?",
                                 Case.Type, Case.Buttons, 0),
                Case.Default)
          << Picture.toStdString();
    }
  }
}

TEST_F(QtLangDialogsTest, ARightToLeftDialogShowsMirroredAndItsHelpButtonWorks) {
  Application().SetBiDiMode(bdRightToLeft);
  Lang->SetActiveLanguage(2);
  WhenDialog(
      "dialog_rtl_ru.png",
      [this](TCustomForm& F) {
        EXPECT_EQ(View->WidgetOf(&F)->layoutDirection(), Qt::RightToLeft);
        QWidget* Image = View->WidgetOf(dynamic_cast<TControl*>(F.FindComponent(u"Image")));
        QWidget* Message = View->WidgetOf(dynamic_cast<TControl*>(F.FindComponent(u"Message")));
        EXPECT_GT(Image->x(), Message->x() + Message->width());
        // The short last line of the message ends at the text's right edge.
        const QImage Text = Message->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb Back = Message->palette().color(QPalette::Window).rgb();
        const auto Inked = [&](int X, int Y) { return Text.pixel(X, Y) != Back; };
        int First = -1, Last = -1;
        for (int Y = 0; Y < Text.height(); ++Y)
          for (int X = 0; X < Text.width(); ++X)
            if (Inked(X, Y)) {
              if (First < 0) First = Y;
              Last = Y;
            }
        ASSERT_GE(First, 0);
        int LeftMost = Text.width();
        for (int Y = (First + Last) / 2 + 2; Y <= Last; ++Y)
          for (int X = 0; X < Text.width(); ++X)
            if (Inked(X, Y)) LeftMost = std::min(LeftMost, X);
        EXPECT_GT(LeftMost, Text.width() / 2);

        std::vector<String> Helped;
        Application().HelpViewer = [&Helped](const String& File, int Context) {
          Helped.push_back(File + u"#" + IntToStr(Context));
        };
        QPushButton* Help = ButtonNamed(F, u"Help");
        ASSERT_NE(Help, nullptr);
        Help->click();
        EXPECT_EQ(Helped, std::vector<String>{u"ports.hlp#7"});
        // Without a help viewer the user sees why, and the dialog stays.
        Application().HelpViewer = nullptr;
        bool Told = false;
        WhenModal<QMessageBox>([&Told](QMessageBox& Box) {
          Told = true;
          EXPECT_EQ(Box.text(), "No help viewer is installed.");
          Box.buttons().first()->click();
        });
        Help->click();
        EXPECT_TRUE(Told);
        EXPECT_EQ(QApplication::activeModalWidget(), View->WidgetOf(&F));
      },
      [this](TCustomForm& F) { ButtonNamed(F, u"OK")->click(); });
  EXPECT_EQ(Lang->MessageDlgPosHelp(u"The controller at address 5 did not answer.\nTry again?",
                                    mtWarning, {mbOK, mbHelp}, 7, -1, -1, u"ports.hlp"),
            mrOk);
}

TEST_F(QtLangDialogsTest, TheInputBoxInBothLanguagesTakesWhatIsTyped) {
  for (int Language : {1, 2}) {
    Lang->SetActiveLanguage(Language);
    WhenDialog(
        QString("input_%1.png").arg(Language == 1 ? "en" : "ru"),
        [&](TCustomForm& F) {
          EXPECT_EQ(F.Caption(), u"New address");
          int Buttons = 0;
          for (int I = 0; I < F.ComponentCount(); ++I)
            if (auto* B = dynamic_cast<TButton*>(F.Components(I))) {
              EXPECT_EQ(B->Caption(), TableText(B->Default() ? u"OK" : u"Cancel", Language));
              ++Buttons;
            }
          EXPECT_EQ(Buttons, 2);
        },
        [this](TCustomForm& F) {
          for (int I = 0; I < F.ComponentCount(); ++I)
            if (auto* E = dynamic_cast<TEdit*>(F.Components(I))) {
              auto* Line = qobject_cast<QLineEdit*>(View->WidgetOf(E));
              ASSERT_NE(Line, nullptr);
              EXPECT_EQ(Line->text(), "1");
              Line->setText("42");
              emit Line->textEdited("42");
            }
          for (int I = 0; I < F.ComponentCount(); ++I)
            if (auto* B = dynamic_cast<TButton*>(F.Components(I)); B && B->Default())
              qobject_cast<QPushButton*>(View->WidgetOf(B))->click();
        });
    EXPECT_EQ(Lang->InputBox(u"New address", u"Network address of the controller:", u"1"), u"42");
  }
}

TEST_F(QtLangDialogsTest, CtrlCInTheWindowCopiesTheDialogText) {
  Lang->SetActiveLanguage(2);
  QApplication::clipboard()->clear();
  QTimer::singleShot(0, [this] {
    QWidget* Window = QApplication::activeModalWidget();
    ASSERT_NE(Window, nullptr);
    QKeyEvent Press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, "c");
    QCoreApplication::sendEvent(Window, &Press);
    auto* F = dynamic_cast<TCustomForm*>(View->ControlOf(Window));
    ASSERT_NE(F, nullptr);
    DefaultButton(*this, *F)->click();
  });
  Lang->MessageDlg(u"Port is busy", mtError, {mbOK}, 0);
  const QString Rule(27, '-');
  EXPECT_EQ(QApplication::clipboard()->text(),
            Rule + "\r\n" + QString::fromUtf8("Ошибка") + "\r\n" + Rule + "\r\nPort is busy\r\n" +
                Rule + "\r\n" + QString::fromUtf8("ОК") + "\t\r\n" + Rule);
}

}  // namespace
