#pragma once
// Qt on the offscreen platform for the view's tests, a fixture that installs the view and takes
// it away again, and a small form with one control of each kind the main window uses.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "qtview/qt_text.h"
#include "qtview/qt_view.h"
#include "temp_folder.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/menus.h"
#include "ui/panels.h"
#include "ui/spin_edit.h"
#include "ui/status_bar.h"

inline void PrintTo(const QString& S, std::ostream* Out) {
  *Out << '"' << S.toStdString() << '"';
}

inline QApplication& QtApp() {
  static int Argc = 1;
  static char Name[] = "test_qtview";
  static char* Argv[] = {Name, nullptr};
  static QApplication* App = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt's file dialog keeps its settings under the user's configuration folder and Qt makes a
    // runtime folder under the temporary one: private ones keep both untouched.
    static TTempFolder Config, Runtime;
    ::setenv("XDG_CONFIG_HOME", Config.Path().c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", Runtime.Path().c_str(), 1);
    return new QApplication(Argc, Argv);
  }();
  return *App;
}

// Runs Action once the next modal dialog is up, from inside that dialog's event loop.
template <class Dialog, class Fn>
void WhenModal(Fn Action) {
  QTimer::singleShot(0, [Action] {
    auto* D = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(D, nullptr);
    Action(*D);
  });
}

template <class T>
T* Make(TComponent* Owner, TWinControl* Parent, const char16_t* Name) {
  T* C = new T(Owner);
  C->SetName(Name);
  if constexpr (std::is_base_of_v<TControl, T>) C->SetParent(Parent);
  return C;
}

struct TSampleForm {
  TSampleForm() : Form(new TForm(nullptr)) {
    TForm* F = Form.get();
    F->SetName(u"fmSample");
    F->SetCaption(u"Sample");
    F->SetClientWidth(408);
    F->SetClientHeight(616);
    F->SetPosition(poScreenCenter);
    Popup = Make<TPopupMenu>(F, nullptr, u"ppmLog");
    Item = Make<TMenuItem>(F, nullptr, u"ppmWriteLogInfo");
    Item->SetCaption(u"Write Log Info");
    Item->SetAutoCheck(true);
    Item->SetChecked(true);
    Item->SetShortCut(16460);
    Item->OnClick = TNotifyEvent([this](TObject*) { Log.push_back("item"); });
    Popup->Items()->Add(Item);
    Panel = Make<TPanel>(F, F, u"Panel1");
    Panel->SetBounds(0, 0, 408, 193);
    Panel->SetAlign(alTop);
    Panel->SetPopupMenu(Popup);
    Group = Make<TGroupBox>(F, Panel, u"GroupBox1");
    Group->SetBounds(239, 8, 161, 67);
    Group->SetCaption(u"Network address");
    Group->Font()->SetHeight(-15);
    Group->Font()->SetStyle(1u << fsBold);
    Spin = Make<TSpinEdit>(F, Group, u"seNetAdr");
    Spin->SetBounds(11, 22, 78, 33);
    Spin->SetMaxValue(255);
    Spin->SetColor(clSkyBlue);
    Spin->Font()->SetName(u"Impact");
    Spin->Font()->SetHeight(-19);
    Spin->OnChange =
        TNotifyEvent([this](TObject*) { Log.push_back("spin " + std::to_string(Spin->Value())); });
    Speed = Make<TSpeedButton>(F, Group, u"btCheckNetAddr");
    Speed->SetBounds(95, 19, 57, 25);
    Speed->SetCaption(u"Scan");
    Speed->OnClick = TNotifyEvent([this](TObject*) { Log.push_back("scan"); });
    Button = Make<TButton>(F, Panel, u"btnEnglish");
    Button->SetBounds(202, 19, 33, 22);
    Button->SetCaption(u"Eng");
    Button->SetTabOrder(4);
    Button->OnClick = TNotifyEvent([this](TObject*) { Log.push_back("eng"); });
    Second = Make<TButton>(F, Panel, u"btnRussian");
    Second->SetBounds(202, 45, 33, 22);
    Second->SetCaption(u"Rus");
    Second->SetTabOrder(5);
    Second->OnClick = TNotifyEvent([this](TObject*) { Log.push_back("rus"); });
    Combo = Make<TComboBox>(F, Panel, u"cbPort");
    Combo->SetBounds(9, 22, 88, 31);
    Combo->Items()->SetText(u"COM1\r\nCOM2\r\n");
    Combo->SetItemIndex(0);
    Memo = Make<TMemo>(F, F, u"Memo1");
    Memo->SetBounds(0, 193, 408, 406);
    Memo->SetAlign(alClient);
    Memo->SetReadOnly(true);
    Memo->SetScrollBars(ssVertical);
    Memo->SetColor(clCream);
    Memo->Font()->SetName(u"Courier New");
    Memo->Font()->SetHeight(-12);
    Memo->Lines()->SetText(u"Memo1");
    Memo->OnDblClick = TNotifyEvent([this](TObject*) { Log.push_back("memo dblclick"); });
    Bar = Make<TStatusBar>(F, F, u"sbBar");
    Bar->SetHeight(17);
    Bar->Panels()->Add()->SetWidth(100);
    Bar->Panels()->Items(0)->SetAlignment(taCenter);
    Bar->Panels()->Items(0)->SetText(u"Version 1.8");
    Bar->Panels()->Add()->SetWidth(50);
  }

  TComponentPtr<TForm> Form;
  TPopupMenu* Popup;
  TMenuItem* Item;
  TPanel* Panel;
  TGroupBox* Group;
  TSpinEdit* Spin;
  TSpeedButton* Speed;
  TButton* Button;
  TButton* Second;
  TComboBox* Combo;
  TMemo* Memo;
  TStatusBar* Bar;
  std::vector<std::string> Log;
};

class QtViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QtApp();
    Application().Initialize();
    Application().ClearTerminated();
    View = std::make_unique<TQtView>();
  }
  void TearDown() override {
    Sample.reset();
    View.reset();
    Application().ClearTerminated();
  }

  // The sample form, shown through the view.
  TSampleForm& ShowSample() {
    Sample = std::make_unique<TSampleForm>();
    Sample->Form->Show();
    // The window becomes the active one once Qt has handled its showing.
    Application().ProcessMessages();
    return *Sample;
  }

  template <class W>
  W* Peer(TControl* Control) {
    auto* Widget = qobject_cast<W*>(View->WidgetOf(Control));
    EXPECT_NE(Widget, nullptr);
    return Widget;
  }

  // Saves a picture of a form's window beside the test program and compares it with the form's
  // model: the window's size and title, and every control at its place inside its parent,
  // shown or hidden as the model has it, with its text, and drawn in the picture as the control
  // draws itself wherever its parents leave it on screen.
  QImage CompareWithModel(TCustomForm& Form, QWidget& Window, const QString& Picture) {
    const QImage Shot = Window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(Shot.save(QCoreApplication::applicationDirPath() + "/" + Picture));
    EXPECT_EQ(Shot.size(), QSize(Form.ClientWidth(), Form.ClientHeight()));
    EXPECT_EQ(Window.windowTitle(), ToQString(Form.Caption()));
    CompareControlsWithModel(Form, Window, Shot, Picture);
    return Shot;
  }

  std::unique_ptr<TQtView> View;
  std::unique_ptr<TSampleForm> Sample;

 private:
  void CompareControlsWithModel(TWinControl& Parent, QWidget& Window, const QImage& Shot,
                                const QString& Picture) {
    for (int I = 0; I < Parent.ControlCount(); ++I) {
      TControl* C = Parent.Controls(I);
      QWidget* W = View->WidgetOf(C);
      ASSERT_NE(W, nullptr);
      const std::string Name = ToUtf8(C->Name()) + " in " + Picture.toStdString();
      EXPECT_EQ(W->geometry(), QRect(C->Left(), C->Top(), C->Width(), C->Height())) << Name;
      EXPECT_EQ(W->isVisible(), C->Visible()) << Name;
      if (!W->isVisible()) continue;
      const QString Caption = ToQString(C->Caption());
      if (auto* B = qobject_cast<QAbstractButton*>(W)) {
        EXPECT_EQ(B->text(), Caption) << Name;
      }
      if (auto* G = qobject_cast<QGroupBox*>(W)) {
        EXPECT_EQ(G->title(), Caption) << Name;
      }
      if (auto* L = qobject_cast<QLabel*>(W); L && dynamic_cast<TLabel*>(C)) {
        EXPECT_EQ(L->text(), Caption) << Name;
      }
      const QRect Seen = W->visibleRegion().boundingRect();
      if (!Seen.isEmpty()) {
        const QImage Part = Shot.copy(QRect(W->mapTo(&Window, Seen.topLeft()), Seen.size()));
        // The control as it draws itself over what its parent draws there.
        QImage Drawn(Seen.size(), QImage::Format_RGB32);
        W->parentWidget()->render(&Drawn, QPoint(),
                                  QRegion(QRect(W->mapToParent(Seen.topLeft()), Seen.size())),
                                  QWidget::DrawWindowBackground);
        W->render(&Drawn, QPoint(), QRegion(Seen), QWidget::DrawChildren);
        EXPECT_EQ(Part, Drawn) << Name;
        std::set<QRgb> Colours;
        for (int Y = 0; Y < Part.height(); ++Y)
          for (int X = 0; X < Part.width(); ++X) Colours.insert(Part.pixel(X, Y));
        EXPECT_GT(Colours.size(), 2u) << "nothing drawn for " << Name;
      }
      if (auto* Inner = dynamic_cast<TWinControl*>(C))
        CompareControlsWithModel(*Inner, Window, Shot, Picture);
    }
  }
};
