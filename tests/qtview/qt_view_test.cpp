#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextDocument>
#include <QToolButton>

#include "qt_test_support.h"
#include "qtview/qt_color.h"

namespace {

TEST_F(QtViewTest, WidgetsShowTheModelsState) {
  TSampleForm& S = ShowSample();
  QWidget* Window = View->WidgetOf(S.Form.get());
  ASSERT_NE(Window, nullptr);
  EXPECT_TRUE(Window->isVisible());
  EXPECT_EQ(Window->windowTitle(), "Sample");
  EXPECT_EQ(Window->size(), QSize(408, 616));
  EXPECT_EQ(Peer<QGroupBox>(S.Group)->title(), "Network address");
  EXPECT_EQ(Peer<QGroupBox>(S.Group)->geometry(), QRect(239, 8, 161, 67));
  EXPECT_EQ(Peer<QGroupBox>(S.Group)->font().pixelSize(), 15);
  EXPECT_TRUE(Peer<QGroupBox>(S.Group)->font().bold());
  EXPECT_EQ(Peer<QToolButton>(S.Speed)->text(), "Scan");
  EXPECT_EQ(Peer<QToolButton>(S.Speed)->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(Peer<QPushButton>(S.Button)->text(), "Eng");

  auto* Spin = Peer<QSpinBox>(S.Spin);
  EXPECT_EQ(Spin->minimum(), 0);
  EXPECT_EQ(Spin->maximum(), 255);
  EXPECT_EQ(Spin->value(), 0);
  EXPECT_EQ(Spin->palette().color(QPalette::Base), QColor(0xA6, 0xCA, 0xF0));
  EXPECT_EQ(Spin->font().pixelSize(), 19);
  // Aligned by the model: the memo fills what the panel and the status bar leave.
  EXPECT_EQ(Peer<QPlainTextEdit>(S.Memo)->geometry(), QRect(0, 193, 408, 406));
  EXPECT_EQ(Peer<QPlainTextEdit>(S.Memo)->toPlainText(), "Memo1");
  EXPECT_TRUE(Peer<QPlainTextEdit>(S.Memo)->isReadOnly());
  EXPECT_EQ(Peer<QStatusBar>(S.Bar)->geometry(), QRect(0, 599, 408, 17));
  auto* Combo = Peer<QComboBox>(S.Combo);
  EXPECT_EQ(Combo->count(), 2);
  EXPECT_EQ(Combo->currentText(), "COM1");
  // The window is the button face; the status panels show their texts, aligned.
  EXPECT_EQ(Window->palette().color(QPalette::Window),
            QGuiApplication::palette().color(QPalette::Button));
  const auto Panels = Peer<QStatusBar>(S.Bar)->findChildren<QLabel*>();
  const auto Version = std::find_if(Panels.begin(), Panels.end(),
                                    [](QLabel* L) { return L->text() == "Version 1.8"; });
  ASSERT_NE(Version, Panels.end());
  EXPECT_EQ((*Version)->alignment(), Qt::AlignCenter);
  EXPECT_EQ((*Version)->width(), 100);
}

TEST_F(QtViewTest, ModelChangesReachTheWidgets) {
  TSampleForm& S = ShowSample();
  S.Speed->SetCaption(u"Check");
  S.Spin->SetValue(7);
  S.Group->SetVisible(false);
  S.Button->SetEnabled(false);
  S.Combo->Items()->Add(u"COM3");
  S.Combo->SetItemIndex(2);
  S.Bar->Panels()->Items(1)->SetText(u"ready");
  S.Form->SetCaption(u"Другое");
  S.Memo->Font()->SetStyle(1u << fsBold);
  EXPECT_EQ(Peer<QToolButton>(S.Speed)->text(), "Check");
  EXPECT_EQ(Peer<QSpinBox>(S.Spin)->value(), 7);
  EXPECT_FALSE(Peer<QGroupBox>(S.Group)->isVisible());
  EXPECT_FALSE(Peer<QPushButton>(S.Button)->isEnabled());
  EXPECT_EQ(Peer<QComboBox>(S.Combo)->currentText(), "COM3");
  EXPECT_EQ(View->WidgetOf(S.Form.get())->windowTitle(), QString::fromUtf8("Другое"));
  EXPECT_TRUE(Peer<QPlainTextEdit>(S.Memo)->font().bold());
  EXPECT_TRUE(Peer<QStatusBar>(S.Bar)->findChild<QLabel*>() != nullptr);

  // Appended lines are appended; any other change shows the whole text again.
  QTextDocument* Doc = Peer<QPlainTextEdit>(S.Memo)->document();
  std::vector<std::pair<int, int>> Changes;  // removed, added
  QObject::connect(Doc, &QTextDocument::contentsChange, [&Changes](int, int Removed, int Added) {
    Changes.emplace_back(Removed, Added);
  });
  S.Memo->Lines()->Add(u"second");
  S.Memo->Lines()->Add(u"third");
  EXPECT_EQ(Doc->toPlainText(), "Memo1\nsecond\nthird");
  for (const auto& [Removed, Added] : Changes) EXPECT_EQ(Removed, 0);
  Changes.clear();
  S.Memo->Lines()->Put(0, u"first");
  EXPECT_EQ(Doc->toPlainText(), "first\nsecond\nthird");
  EXPECT_FALSE(Changes.empty());
  S.Memo->Lines()->Clear();
  S.Memo->Lines()->Add(u"");
  S.Memo->Lines()->Add(u"x");
  EXPECT_EQ(Doc->toPlainText(), "\nx");

  // A control created later, and one that moves to another container.
  auto* Late = Make<TButton>(S.Form.get(), S.Panel, u"btLate");
  Late->SetCaption(u"Late");
  EXPECT_EQ(Peer<QPushButton>(Late)->text(), "Late");
  EXPECT_EQ(Peer<QPushButton>(Late)->parentWidget(), View->WidgetOf(S.Panel));
  Late->SetParent(S.Group);
  EXPECT_EQ(Peer<QPushButton>(Late)->parentWidget(), View->WidgetOf(S.Group));
}

TEST_F(QtViewTest, QtInputRunsTheModelsHandlers) {
  TSampleForm& S = ShowSample();
  Peer<QPushButton>(S.Button)->click();
  Peer<QToolButton>(S.Speed)->click();
  Peer<QSpinBox>(S.Spin)->setValue(300);  // the user's entry, clamped by the range
  EXPECT_EQ(S.Spin->Value(), 255);
  S.Speed->SetEnabled(false);
  Peer<QToolButton>(S.Speed)->click();
  EXPECT_EQ(S.Log, (std::vector<std::string>{"eng", "scan", "spin 255"}));
  // A click gives a button the focus in the model as well.
  EXPECT_EQ(S.Form->ActiveControl(), S.Button);

  auto* Combo = Peer<QComboBox>(S.Combo);
  Combo->setEditText("COM2");
  EXPECT_EQ(S.Combo->ItemIndex(), 1);
  Combo->setEditText("ttyUSB0");
  EXPECT_EQ(S.Combo->Text(), u"ttyUSB0");
  EXPECT_EQ(S.Combo->ItemIndex(), -1);

  // A double click on the text pane counts once, though it travels up to the window.
  QWidget* Pane = Peer<QPlainTextEdit>(S.Memo)->viewport();
  QMouseEvent Dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), Pane->mapToGlobal(QPointF(5, 5)),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(Pane, &Dbl);
  EXPECT_EQ(S.Log.back(), "memo dblclick");
  EXPECT_EQ(std::count(S.Log.begin(), S.Log.end(), "memo dblclick"), 1);

  // Focus both ways.
  S.Spin->SetFocus();
  EXPECT_EQ(View->WidgetOf(S.Form.get())->focusWidget(), Peer<QSpinBox>(S.Spin));
  Peer<QComboBox>(S.Combo)->setFocus();
  EXPECT_EQ(S.Form->ActiveControl(), S.Combo);

  // Closing the window asks the model, which hides the form.
  int Closes = 0;
  S.Form->OnClose = TCloseEvent([&Closes](TObject*, TCloseAction&) { ++Closes; });
  View->WidgetOf(S.Form.get())->close();
  EXPECT_EQ(Closes, 1);
  EXPECT_FALSE(S.Form->Visible());
  EXPECT_FALSE(View->WidgetOf(S.Form.get())->isVisible());
}

TEST_F(QtViewTest, PopupMenuOpensOnARightClickAndItsShortCutClicksTheItem) {
  TSampleForm& S = ShowSample();
  // A right click on a group box inside the panel: the group box has no menu, the panel has.
  QWidget* Group = View->WidgetOf(S.Group);
  QContextMenuEvent Right(QContextMenuEvent::Mouse, QPoint(5, 5), Group->mapToGlobal(QPoint(5, 5)));
  QCoreApplication::sendEvent(Group, &Right);
  QMenu* Menu = View->OpenMenu();
  ASSERT_NE(Menu, nullptr);
  EXPECT_TRUE(Menu->isVisible());
  EXPECT_EQ(QApplication::activePopupWidget(), Menu);
  ASSERT_EQ(Menu->actions().size(), 1);
  QAction* Action = Menu->actions().first();
  EXPECT_EQ(Action->text(), "Write Log Info");
  EXPECT_TRUE(Action->isCheckable());
  EXPECT_TRUE(Action->isChecked());
  Action->trigger();
  EXPECT_FALSE(S.Item->Checked());
  Menu->close();

  // Ctrl+L on the window clicks the item, which checks itself again.
  const auto ShortCuts = View->WidgetOf(S.Form.get())->findChildren<QShortcut*>();
  ASSERT_EQ(ShortCuts.size(), 1);
  EXPECT_EQ(ShortCuts.first()->key(), QKeySequence(Qt::CTRL | Qt::Key_L));
  emit ShortCuts.first()->activated();
  EXPECT_TRUE(S.Item->Checked());
  EXPECT_EQ(S.Log, (std::vector<std::string>{"item", "item"}));
  // A disabled item's short cut does nothing.
  S.Item->SetEnabled(false);
  EXPECT_FALSE(ShortCuts.first()->isEnabled());
  S.Item->SetEnabled(true);

  // Without its menu the panel opens none, and the short cut is gone.
  QPointer<QShortcut> Old = ShortCuts.first();
  TComponentDeleter()(S.Popup);
  EXPECT_EQ(S.Panel->PopupMenu(), nullptr);
  if (Old) emit Old->activated();
  QCoreApplication::sendEvent(Group, &Right);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(S.Log.size(), 2u);
}

TEST_F(QtViewTest, ProcessingMessagesLetsASecondPressInsideTheFirst) {
  TSampleForm& S = ShowSample();
  QPushButton* Rus = Peer<QPushButton>(S.Second);
  S.Button->OnClick = TNotifyEvent([&](TObject*) {
    S.Log.push_back("eng start");
    const QPointF At(5, 5);
    QCoreApplication::postEvent(
        Rus, new QMouseEvent(QEvent::MouseButtonPress, At, Rus->mapToGlobal(At), Qt::LeftButton,
                             Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        Rus, new QMouseEvent(QEvent::MouseButtonRelease, At, Rus->mapToGlobal(At), Qt::LeftButton,
                             Qt::NoButton, Qt::NoModifier));
    for (int I = 0; I < 100 && S.Log.back() != "rus"; ++I) Application().ProcessMessages();
    S.Log.push_back("eng end");
  });
  Peer<QPushButton>(S.Button)->click();
  EXPECT_EQ(S.Log, (std::vector<std::string>{"eng start", "rus", "eng end"}));
}

TEST_F(QtViewTest, RunAndModalFormsRunQtEventLoops) {
  TSampleForm& S = ShowSample();
  TComponentPtr<TForm> Dialog(new TForm(nullptr));
  Dialog->SetClientWidth(200);
  Dialog->SetClientHeight(100);
  auto* Ok = Make<TButton>(Dialog.get(), Dialog.get(), u"btOk");
  Ok->SetModalResult(mrOk);
  QTimer::singleShot(0, [&] {
    EXPECT_EQ(QApplication::activeModalWidget(), View->WidgetOf(Dialog.get()));
    Peer<QPushButton>(Ok)->click();
  });
  EXPECT_EQ(Dialog->ShowModal(), mrOk);
  EXPECT_FALSE(View->WidgetOf(Dialog.get())->isVisible());

  Application().SetMainForm(S.Form.get());
  QTimer::singleShot(0, [&] { View->WidgetOf(S.Form.get())->close(); });
  Application().Run();
  EXPECT_TRUE(Application().Terminated());
  Application().SetMainForm(nullptr);
}

TEST_F(QtViewTest, FreeingAFormTakesItsWindowAway) {
  TSampleForm& S = ShowSample();
  QPointer<QWidget> Window = View->WidgetOf(S.Form.get());
  S.Form.reset();
  EXPECT_FALSE(Window->isVisible());
  EXPECT_EQ(View->ControlOf(Window), nullptr);
  View.reset();
  EXPECT_TRUE(Window.isNull());
}

}  // namespace
