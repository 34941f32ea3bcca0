// The tool's own window through the Qt view, offscreen, pressed through its widgets; pictures
// of it in both languages are left beside the test program.
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <set>

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

  // Saves a picture of the window and checks that something was drawn in it.
  void Picture(const QString& Name) {
    const QString Path = QCoreApplication::applicationDirPath() + "/" + Name;
    ASSERT_TRUE(View->WidgetOf(Window.get())->grab().save(Path));
    const QImage Image(Path);
    EXPECT_EQ(Image.size(), QSize(408, 616));
    std::set<QRgb> Colours;
    for (int Y = 0; Y < Image.height(); Y += 7)
      for (int X = 0; X < Image.width(); X += 7) Colours.insert(Image.pixel(X, Y));
    EXPECT_GT(Colours.size(), 5u) << Path.toStdString();
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

}  // namespace
