// Loading a firmware image through the real window's Qt widgets and dialogs.
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "qt_test_support.h"
#include "sim/image_writer.h"
#include "tool/main_window.h"

namespace {

// Runs Action on the first modal widget of type Dialog to come up within a few seconds.
template <class Dialog, class Fn>
void WhenShown(Fn Action) {
  auto* Poll = new QTimer;
  auto* Since = new QElapsedTimer;
  Since->start();
  QObject::connect(Poll, &QTimer::timeout, [Poll, Since, Action] {
    auto* D = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!D && Since->elapsed() < 5000) return;
    Poll->stop();
    Poll->deleteLater();
    delete Since;
    ASSERT_NE(D, nullptr);
    Action(*D);
  });
  Poll->start(10);
}

// The names a file dialog lists in its folder under its current filter, once they are loaded.
QStringList Listed(QFileDialog& D) {
  auto* Model = D.findChild<QFileSystemModel*>();
  QStringList Names;
  QElapsedTimer Since;
  Since.start();
  while (Names.isEmpty() && Since.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const QModelIndex Root = Model->index(D.directory().absolutePath());
    for (int Row = 0; Row < Model->rowCount(Root); ++Row) {
      const QModelIndex I = Model->index(Row, 0, Root);
      // Files that the filter hides stay in the model, disabled.
      if (Model->flags(I) & Qt::ItemIsEnabled) Names << Model->fileName(I);
    }
  }
  Names.sort();
  return Names;
}

class QtImageTest : public QtViewTest {
 protected:
  void SetUp() override {
    ::setenv("V8_SERIAL_ENUM", "0", 1);
    ::setenv("V8_SERIAL_PORTS", "", 1);
    QtViewTest::SetUp();
    Window.reset(CreateMainForm(nullptr));
    Window->ppmWriteLogInfo->SetChecked(false);
    Window->Show();
    Application().ProcessMessages();
    Folder = QString::fromStdString(Temp.Path());
  }
  void TearDown() override {
    Window.reset();
    fmMain = nullptr;
    QtViewTest::TearDown();
    ::unsetenv("V8_SERIAL_PORTS");
    ::unsetenv("V8_SERIAL_ENUM");
  }

  void Press(TControl* Button) {
    qobject_cast<QAbstractButton*>(View->WidgetOf(Button))->click();
    Application().ProcessMessages();
  }

  TComponentPtr<TfmMain> Window;
  TTempFolder Temp;
  QString Folder;
};

TEST_F(QtImageTest, TheFileDialogListsFirmwareFilesAndYesLoadsTheChosenOne) {
  TImagePlan Plan;
  Plan.Firmware = SampleFirmware(100);
  WriteImageFile((Folder + "/fw.rom").toStdString(), Plan);
  WriteImageFile((Folder + "/OTHER.BIN").toStdString(), Plan);
  WriteImageFile((Folder + "/notes.txt").toStdString(), Plan);
  TfmMain& W = *Window;
  QStringList Filters;
  QStringList FirmwareFiles;
  QStringList AllFiles;
  WhenShown<QFileDialog>([&](QFileDialog& D) {
    Filters = D.nameFilters();
    EXPECT_EQ(D.windowTitle(), "Selecting a file with firmware");
    EXPECT_EQ(D.fileMode(), QFileDialog::ExistingFile);
    D.setDirectory(Folder);
    FirmwareFiles = Listed(D);
    D.selectNameFilter(Filters.value(1));
    AllFiles = Listed(D);
    auto* Name = D.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(Name, nullptr);
    EXPECT_TRUE(Name->text().isEmpty());
    Name->setText("fw.rom");
    WhenShown<QMessageBox>([](QMessageBox& Box) {
      EXPECT_TRUE(Box.text().startsWith("This file contains the following description"))
          << Box.text().toStdString();
      QAbstractButton* Answer = Box.buttons().first();
      for (QAbstractButton* B : Box.buttons())
        if (B->text() == "&Yes") Answer = B;
      Answer->click();
    });
    static_cast<QDialog&>(D).accept();
  });
  Press(W.btLoadImage);
  EXPECT_EQ(Filters,
            QStringList({"File with firmware (*.rom) (*.ROM *.BIN)", "All files (*.*) (*)"}));
  EXPECT_EQ(FirmwareFiles, QStringList({"OTHER.BIN", "fw.rom"}));
  EXPECT_EQ(AllFiles, QStringList({"OTHER.BIN", "fw.rom", "notes.txt"}));
  EXPECT_EQ(View->WidgetOf(&W)->windowTitle(), "Q8M update V1.8  <fw.rom>");
  EXPECT_EQ(qobject_cast<QAbstractButton*>(View->WidgetOf(W.btLoadImage))->text(), "View info");
  EXPECT_TRUE(View->WidgetOf(W.btProg)->isEnabled());
  EXPECT_TRUE(Peer<QPlainTextEdit>(W.Memo1)->toPlainText().startsWith("File \"fw.rom\"\n"));
}

TEST_F(QtImageTest, EveryPressOpensTheProgramsFolderWhereverTheLastOneWasLeft) {
  QStringList Opened;
  QStringList Left;
  QStringList StillOpen;
  for (int Time = 0; Time < 2; ++Time) {
    WhenShown<QFileDialog>([&](QFileDialog& D) {
      Opened << D.directory().absolutePath();
      // To another folder by typing it, its name completed as it is typed; then Escape.
      auto* Name = D.findChild<QLineEdit*>("fileNameEdit");
      ASSERT_NE(Name, nullptr);
      Name->setText(Folder);
      Name->completer()->complete();
      QTest::keyClick(Name, Qt::Key_Return);
      QCoreApplication::processEvents();
      Left << D.directory().absolutePath();
      QWidget* Popup = QApplication::activePopupWidget();
      QTest::keyClick(Popup ? Popup : &D, Qt::Key_Escape);
      if (D.isVisible()) {
        StillOpen << D.directory().absolutePath();
        D.reject();
      }
    });
    Press(Window->btLoadImage);
  }
  const QString Home = QCoreApplication::applicationDirPath();
  EXPECT_EQ(Opened, QStringList({Home, Home}));
  EXPECT_EQ(Left, QStringList({Folder, Folder}));
  EXPECT_EQ(StillOpen, QStringList());
  EXPECT_TRUE(Window->ImageInfo.empty());
}

}  // namespace
