// The tool's own window through the Qt view, offscreen, pressed through its widgets; pictures
// of it in both languages are left beside the test program.
#include <QAbstractButton>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "qt_test_support.h"
#include "tool/main_window.h"

namespace {

class QtMainWindowTest : public QtViewTest {
 protected:
  void SetUp() override {
    ::setenv("V8_SERIAL_ENUM", "0", 1);
    ::setenv("V8_SERIAL_PORTS", "", 1);
    QtViewTest::SetUp();
  }
  void TearDown() override {
    Window.reset();
    fmMain = nullptr;
    QtViewTest::TearDown();
    QFile::remove(QCoreApplication::applicationDirPath() + "/V8AZezuda.log");
    ::unsetenv("V8_SERIAL_PORTS");
    ::unsetenv("V8_SERIAL_ENUM");
  }

  // Saves a picture of the window and compares it with the window's model.
  QImage Picture(const QString& Name) {
    return CompareWithModel(*Window, *View->WidgetOf(Window.get()), Name);
  }

  // Opens the pop-up menu that a right click on Control brings, and gives its texts.
  QStringList MenuAt(TControl* Control) {
    QWidget* W = View->WidgetOf(Control);
    QContextMenuEvent Right(QContextMenuEvent::Mouse, QPoint(3, 3), W->mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(W, &Right);
    QStringList Texts;
    if (!View->OpenMenu()) return Texts;
    for (QAction* A : View->OpenMenu()->actions())
      Texts << A->text() + (A->isChecked() ? " [x]" : "") +
                   (A->shortcut().isEmpty() ? "" : " " + A->shortcut().toString());
    View->OpenMenu()->close();
    return Texts;
  }

  TComponentPtr<TfmMain> Window;
};

TEST_F(QtMainWindowTest, TheToolsWindowShowsAndItsWidgetsDriveIt) {
  Window.reset(CreateMainForm(nullptr));
  Window->Show();
  Application().ProcessMessages();
  TfmMain& W = *Window;
  QWidget* Win = View->WidgetOf(&W);
  EXPECT_EQ(Win->windowTitle(), "Q8M update V1.8");
  EXPECT_EQ(Win->size(), QSize(408, 616));
  EXPECT_EQ(Peer<QToolButton>(W.btCheckNetAddr)->text(), "Scan");
  EXPECT_FALSE(Peer<QToolButton>(W.btIdentify)->isVisible());
  EXPECT_FALSE(Peer<QToolButton>(W.btProg)->isEnabled());
  EXPECT_EQ(Peer<QSpinBox>(W.seSN)->minimum(), 1);
  EXPECT_EQ(Peer<QSpinBox>(W.seSN)->maximum(), 65535);
  EXPECT_TRUE(QFontInfo(Peer<QPlainTextEdit>(W.Memo1)->font()).fixedPitch());
  Picture("main_window_en.png");

  Peer<QSpinBox>(W.seNetAdr)->setValue(1);
  EXPECT_EQ(Peer<QToolButton>(W.btCheckNetAddr)->text(), "Check");
  EXPECT_TRUE(Peer<QToolButton>(W.btIdentify)->isVisible());
  Peer<QSpinBox>(W.seNetAdr)->setValue(0);
  EXPECT_FALSE(Peer<QToolButton>(W.btIdentify)->isVisible());

  EXPECT_EQ(MenuAt(W.cbPort), QStringList({"Write Log Info [x] Ctrl+L"}));
  EXPECT_EQ(MenuAt(W.seNetAdr), QStringList({"Hotel"}));

  Peer<QPushButton>(W.btnRussian)->click();
  EXPECT_EQ(W.slng1->ActiveLanguage(), 2);
  EXPECT_EQ(Peer<QGroupBox>(W.GroupBox1)->title(), QString::fromUtf8("Сетевой адрес"));
  EXPECT_EQ(Peer<QToolButton>(W.btProg)->text(), QString::fromUtf8("Прошить"));
  const QString Family = QFontInfo(Peer<QGroupBox>(W.GroupBox2)->font()).family();
  EXPECT_TRUE(QFontDatabase::writingSystems(Family).contains(QFontDatabase::Cyrillic))
      << Family.toStdString();
  Picture("main_window_ru.png");
  Peer<QPushButton>(W.btnEnglish)->click();
  EXPECT_EQ(W.slng1->ActiveLanguage(), 1);

  QWidget* Pane = Peer<QPlainTextEdit>(W.Memo1)->viewport();
  QMouseEvent Dbl(QEvent::MouseButtonDblClick, QPointF(4, 4), Pane->mapToGlobal(QPointF(4, 4)),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(Pane, &Dbl);
  EXPECT_EQ(W.Memo1->Lines()->Count(), 0);
  EXPECT_TRUE(Peer<QPlainTextEdit>(W.Memo1)->toPlainText().isEmpty());
}

// A widget some part of which is on the screen (not hidden, not clipped away by its parent).
bool Shown(QWidget* W) {
  return W->isVisible() && !W->visibleRegion().isEmpty();
}

// Where a widget paints in the window, above its first child (a group box's title band), so
// what its children show does not count.
QRect OwnPlace(QWidget* Widget, QWidget* Win) {
  QRect Place(Widget->mapTo(Win, QPoint(0, 0)), Widget->size());
  for (QWidget* Child : Widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (Child->isVisible()) Place.setHeight(std::min(Place.height(), Child->y()));
  return Place;
}

// The texts the window's widgets paint.
QStringList PaintedTexts(QWidget* Root) {
  QStringList Texts{Root->windowTitle()};
  for (QWidget* W : Root->findChildren<QWidget*>()) {
    if (!Shown(W)) continue;
    if (auto* B = qobject_cast<QAbstractButton*>(W)) Texts << B->text();
    if (auto* G = qobject_cast<QGroupBox*>(W)) Texts << G->title();
    if (auto* L = qobject_cast<QLabel*>(W)) Texts << L->text();
  }
  return Texts;
}

TEST_F(QtMainWindowTest, ThePicturesOfBothLanguagesShowWhatTheModelHolds) {
  Window.reset(CreateMainForm(nullptr));
  Window->Show();
  Application().ProcessMessages();
  TfmMain& W = *Window;
  QWidget* Win = View->WidgetOf(&W);
  // The controls whose captions the language changes, with their English captions.
  std::vector<std::pair<TControl*, QString>> Translated;
  for (int I = 0; I < W.ComponentCount(); ++I) {
    auto* C = dynamic_cast<TControl*>(W.Components(I));
    if (C && !C->Caption().empty() && View->WidgetOf(C))
      Translated.emplace_back(C, QString::fromStdU16String(C->Caption()));
  }
  const QImage English = Picture("main_window_en.png");

  for (int I = 0; I < 10; ++I) {
    Peer<QPushButton>(W.btnRussian)->click();
    Peer<QPushButton>(W.btnEnglish)->click();
  }
  Peer<QPushButton>(W.btnRussian)->click();
  Application().ProcessMessages();
  const QImage Russian = Picture("main_window_ru.png");
  const QStringList Painted = PaintedTexts(Win);
  int Changed = 0;
  for (const auto& [C, EnglishText] : Translated) {
    const QString Now = QString::fromStdU16String(C->Caption());
    QWidget* Widget = View->WidgetOf(C);
    if (Now == EnglishText) continue;  // the same in both languages
    ++Changed;
    EXPECT_FALSE(Painted.contains(EnglishText)) << EnglishText.toStdString();
    if (!Shown(Widget)) continue;
    EXPECT_TRUE(Painted.contains(Now)) << Now.toStdString();
    // The new text was drawn: the control's place in the two pictures differs.
    const QRect Place = OwnPlace(Widget, Win);
    EXPECT_NE(English.copy(Place), Russian.copy(Place)) << Now.toStdString();
    const QString Family = QFontInfo(Widget->font()).family();
    EXPECT_TRUE(QFontDatabase::writingSystems(Family).contains(QFontDatabase::Cyrillic))
        << Family.toStdString();
  }
  EXPECT_GE(Changed, 10);

  Peer<QPushButton>(W.btnEnglish)->click();
  Application().ProcessMessages();
  const QImage Back = View->WidgetOf(&W)->grab().toImage().convertToFormat(English.format());
  // English again draws every translated control as at first.
  for (const auto& [C, EnglishText] : Translated) {
    QWidget* Widget = View->WidgetOf(C);
    if (!Shown(Widget)) continue;
    const QRect Place = OwnPlace(Widget, Win);
    EXPECT_EQ(Back.copy(Place), English.copy(Place)) << EnglishText.toStdString();
  }
}

}  // namespace
