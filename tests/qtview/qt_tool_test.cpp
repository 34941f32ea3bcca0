// The real program's window on the offscreen platform, against the simulated bus, pressed only
// through its Qt widgets.
#include <QComboBox>
#include <QImage>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <fstream>
#include <memory>

#include "os/file_version.h"
#include "qt_test_support.h"
#include "sim/controller.h"
#include "sim/converter.h"
#include "sim/sim_bus.h"
#include "tool/main_window.h"

FILE_VERSION_BLOCK(1, 8, 3, 62);

namespace {

std::string LogPath() {
  return QCoreApplication::applicationDirPath().toStdString() + "/V8AZezuda.log";
}

std::string LogBytes() {
  std::ifstream In(LogPath(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

class QtToolTest : public QtViewTest {
 protected:
  void SetUp() override {
    Bus.Add(std::make_unique<TSimConverter>(TConverterSettings{}));
    TControllerSettings C;
    C.SerialNumber = 31337;
    C.Address = 3;
    C.Type = 0x1A;
    C.VersionMajor = 2;
    C.VersionMinor = 5;
    C.TextLines = {"Main entrance"};
    Controller = &static_cast<TSimController&>(Bus.Add(std::make_unique<TSimController>(C)));
    ::setenv("V8_SERIAL_ENUM", "0", 1);
    ::setenv("V8_SERIAL_PORTS", ("SIM0=" + Bus.SlavePath()).c_str(), 1);
    std::remove(LogPath().c_str());
    QtViewTest::SetUp();
    // As the program body does.
    Application().SetOnIdle([] { Application().PrepareForms(); });
    Window.reset(CreateMainForm(nullptr));
    Window->Show();
    Application().ProcessMessages();
  }
  void TearDown() override {
    Window.reset();
    fmMain = nullptr;
    Application().SetOnIdle(nullptr);
    QtViewTest::TearDown();
    std::remove(LogPath().c_str());
    ::unsetenv("V8_SERIAL_PORTS");
    ::unsetenv("V8_SERIAL_ENUM");
  }

  QString Pane() { return Peer<QPlainTextEdit>(Window->Memo1)->toPlainText(); }
  void Press(TControl* Button) {
    qobject_cast<QAbstractButton*>(View->WidgetOf(Button))->click();
    Application().ProcessMessages();
  }

  TSimBus Bus;
  TSimController* Controller = nullptr;
  TComponentPtr<TfmMain> Window;
};

TEST_F(QtToolTest, RescanAndCheckThroughTheWidgetsAndThePaneDrawnAnew) {
  TfmMain& W = *Window;
  Press(W.btCOMrescan);
  EXPECT_TRUE(Pane().startsWith("SIM0 (Ok) - K640-Orbit switched mode \"Normal\"."));
  EXPECT_TRUE(Pane().endsWith("Available 1 converter(s)."));
  EXPECT_EQ(Peer<QComboBox>(W.cbPort)->currentText(), "SIM0");
  QWidget* PaneWidget = View->WidgetOf(W.Memo1);
  const QImage AfterRescan = PaneWidget->grab().toImage();

  Peer<QSpinBox>(W.seNetAdr)->setValue(3);
  Press(W.btCheckNetAddr);
  EXPECT_EQ(Pane(), QString("Type Ctrl is 0x1A\nVersion firmware is 2.5\nSerial number  is 31337\n"
                            "Memory size is 8 kb\n\n>> Main entrance"));
  EXPECT_EQ(Peer<QSpinBox>(W.seSN)->value(), 31337);
  QStringList Panels;
  for (const QLabel* L : View->WidgetOf(W.sbBar)->findChildren<QLabel*>()) Panels << L->text();
  EXPECT_TRUE(Panels.contains("Version 1.8.3.62")) << Panels.join("|").toStdString();

  // What the pane shows on the screen follows its text: drawn anew after the check, and the same
  // again once the text is the same again.
  const QImage AfterCheck = PaneWidget->grab().toImage();
  EXPECT_EQ(AfterCheck.size(), QSize(W.Memo1->Width(), W.Memo1->Height()));
  EXPECT_NE(AfterCheck, AfterRescan);
  Press(W.btCOMrescan);
  EXPECT_EQ(PaneWidget->grab().toImage(), AfterRescan);
}

// At start the window's widgets are built while the converter answers, before the window shows;
// they show the same as widgets built only when the window shows.
TEST_F(QtToolTest, AWindowBuiltWhileTheConverterAnswersShowsAsOneBuiltWhenShown) {
  const auto Start = [this] {
    Window.reset();
    fmMain = nullptr;
    Window.reset(CreateMainForm(nullptr));
  };
  Start();
  EXPECT_NE(View->PeerOf(Window.get()), nullptr);
  Window->Show();
  Application().ProcessMessages();
  const QImage Early = View->WidgetOf(Window.get())->grab().toImage();
  EXPECT_TRUE(Pane().startsWith("SIM0 (Ok) - K640-Orbit switched mode \"Normal\"."));

  TApplicationDriver& Driver = Application().Driver();
  Application().SetDriver(nullptr);
  Start();
  Application().SetDriver(&Driver);
  EXPECT_EQ(View->PeerOf(Window.get()), nullptr);
  Window->Show();
  Application().ProcessMessages();
  EXPECT_EQ(View->WidgetOf(Window.get())->grab().toImage(), Early);
}

// Closes the next message box once it has appeared; its text comes back. The watch ends with
// Owner at the latest.
std::shared_ptr<QString> CloseNextMessageBox(QObject* Owner) {
  auto Text = std::make_shared<QString>();
  auto* Watch = new QTimer(Owner);
  QObject::connect(Watch, &QTimer::timeout, [Watch, Text] {
    auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!Box) return;
    *Text = Box->text();
    Box->close();
    Watch->stop();
    Watch->deleteLater();
  });
  Watch->start(1);
  return Text;
}

TEST_F(QtToolTest, SetNewAddressThroughItsButtonAndTheInputBox) {
  TfmMain& W = *Window;
  Peer<QSpinBox>(W.seSN)->setValue(31337);
  // An entry that is no address is refused in a dialog before anything goes out.
  WhenModal<QInputDialog>([](QInputDialog& D) {
    EXPECT_EQ(D.windowTitle(), "Setting a new network address");
    EXPECT_EQ(D.labelText(), "Enter a new address (1-254):");
    EXPECT_EQ(D.textValue(), "0");
    D.setTextValue("300");
    D.accept();
  });
  const auto Refusal = CloseNextMessageBox(View->WidgetOf(&W));
  Press(W.btSetNewNA);
  EXPECT_EQ(*Refusal, "Entered an invalid address - \"300\"!");
  EXPECT_EQ(Controller->Settings().Address, 3);

  WhenModal<QInputDialog>([](QInputDialog& D) {
    D.setTextValue("12");
    D.accept();
  });
  Press(W.btSetNewNA);
  EXPECT_EQ(Pane(), QString("Network address was successfully changed from 0 to 12."));
  EXPECT_EQ(Controller->Settings().Address, 12);
  EXPECT_EQ(Peer<QSpinBox>(W.seNetAdr)->value(), 12);
  EXPECT_TRUE(View->WidgetOf(W.btIdentify)->isVisible());
}

TEST_F(QtToolTest, OpenDoorThroughItsButton) {
  TfmMain& W = *Window;
  EXPECT_FALSE(View->WidgetOf(W.btIdentify)->isVisible());
  Peer<QSpinBox>(W.seNetAdr)->setValue(3);
  ASSERT_TRUE(View->WidgetOf(W.btIdentify)->isVisible());
  Press(W.btIdentify);
  EXPECT_EQ(Pane(), QString("Identify ...\nSent command - \"open door\"."));
  EXPECT_EQ(Controller->DoorOpens(), 1);
}

TEST_F(QtToolTest, LanguageButtonsSwitchTheMessageTexts) {
  TfmMain& W = *Window;
  Press(W.btnRussian);
  EXPECT_EQ(W.slng1->ActiveLanguage(), 2);
  Press(W.btCOMrescan);
  EXPECT_TRUE(Pane().endsWith(QString::fromUtf8("Доступно конвертеров - 1.")));
  EXPECT_EQ(W.Text(u"IDS_5"), u"Нет ответа");
  Press(W.btnEnglish);
  Press(W.btCOMrescan);
  EXPECT_TRUE(Pane().endsWith("Available 1 converter(s)."));
}

TEST_F(QtToolTest, TheLogMenuAndItsShortCut) {
  TfmMain& W = *Window;
  QWidget* Panel = View->WidgetOf(W.Panel1);
  QContextMenuEvent Right(QContextMenuEvent::Mouse, QPoint(5, 5), Panel->mapToGlobal(QPoint(5, 5)));
  QCoreApplication::sendEvent(Panel, &Right);
  QMenu* Menu = View->OpenMenu();
  ASSERT_NE(Menu, nullptr);
  ASSERT_EQ(Menu->actions().size(), 1);
  EXPECT_EQ(Menu->actions()[0]->text(), "Write Log Info");
  EXPECT_TRUE(Menu->actions()[0]->isChecked());
  Menu->close();

  QTest::keyClick(View->WidgetOf(&W), Qt::Key_L, Qt::ControlModifier);
  Application().ProcessMessages();
  EXPECT_FALSE(W.ppmWriteLogInfo->Checked());
  const std::string Before = LogBytes();
  Press(W.btCOMrescan);
  Window->Close();
  EXPECT_EQ(LogBytes(), Before);
}

}  // namespace
