#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "qt_test_support.h"
#include "qtview/qt_dialogs.h"

namespace {

QAbstractButton* ButtonWithText(QMessageBox& Box, const QString& Text) {
  for (QAbstractButton* B : Box.buttons())
    if (B->text() == Text) return B;
  return nullptr;
}

TEST_F(QtViewTest, MessageDialogsShowTheTypeTheButtonsAndGiveTheirResults) {
  WhenModal<QMessageBox>([](QMessageBox& Box) {
    EXPECT_EQ(Box.windowTitle(), "Confirm");
    EXPECT_EQ(Box.text(), "Save the image?");
    EXPECT_EQ(Box.icon(), QMessageBox::Question);
    EXPECT_EQ(Box.buttons().size(), 3);
    ASSERT_NE(ButtonWithText(Box, "&Yes"), nullptr);
    EXPECT_EQ(Box.defaultButton(), ButtonWithText(Box, "&Yes"));
    EXPECT_EQ(Box.escapeButton(), ButtonWithText(Box, "Cancel"));
    ButtonWithText(Box, "&No")->click();
  });
  EXPECT_EQ(MessageDlg(u"Save the image?", mtConfirmation, {mbYes, mbNo, mbCancel}, 0), mrNo);

  // Closing the window presses the cancel button: OK when it is the only one.
  WhenModal<QMessageBox>([](QMessageBox& Box) {
    EXPECT_EQ(Box.windowTitle(), "Error");
    EXPECT_EQ(Box.icon(), QMessageBox::Critical);
    Box.close();
  });
  EXPECT_EQ(MessageDlg(u"Port is busy", mtError, {mbOK}, 0), mrOk);
  WhenModal<QMessageBox>([](QMessageBox& Box) {
    EXPECT_EQ(Box.windowTitle(), "Warning");
    EXPECT_EQ(Box.defaultButton(), ButtonWithText(Box, "&Retry"));
    Box.close();
  });
  EXPECT_EQ(MessageDlg(u"No answer", mtWarning, {mbAbort, mbRetry, mbIgnore}, 0, mbRetry, mbAbort),
            mrAbort);
}

TEST_F(QtViewTest, InputBoxGivesTheEntryOrTheDefault) {
  WhenModal<QInputDialog>([](QInputDialog& D) {
    EXPECT_EQ(D.windowTitle(), "Address");
    EXPECT_EQ(D.labelText(), "New address:");
    EXPECT_EQ(D.textValue(), "1");
    D.setTextValue("42");
    D.accept();
  });
  EXPECT_EQ(InputBox(u"Address", u"New address:", u"1"), u"42");
  WhenModal<QInputDialog>([](QInputDialog& D) {
    EXPECT_EQ(D.textEchoMode(), QLineEdit::Password);
    D.setTextValue("secret");
    D.reject();
  });
  EXPECT_EQ(InputBox(u"Key", u"Key:", u"none", u'*'), u"none");
}

TEST_F(QtViewTest, OpenDialogTakesTheFiltersAndGivesTheChosenFile) {
  EXPECT_EQ(ToQtNameFilters(u"Firmware (*.rom)|*.ROM;*.BIN|All files (*.*)|*.*"),
            QStringList({"Firmware (*.rom) (*.ROM *.BIN)", "All files (*.*) (*)"}));
  EXPECT_EQ(ToQtNameFilters(u"Text|*.txt|no patterns|"), QStringList({"Text (*.txt)"}));
  EXPECT_TRUE(ToQtNameFilters(u"").isEmpty());

  const QString Dir = QDir::tempPath() + "/qtview_open_test";
  QDir().mkpath(Dir);
  QFile(Dir + "/image.rom").open(QIODevice::WriteOnly);
  TComponentPtr<TOpenDialog> Open(new TOpenDialog(nullptr));
  Open->SetTitle(u"Load image");
  Open->SetFilter(u"Firmware (*.rom)|*.ROM;*.BIN|All files (*.*)|*.*");
  Open->SetFilterIndex(2);
  Open->SetDefaultExt(u"rom");
  Open->SetInitialDir(FromQString(Dir));
  WhenModal<QFileDialog>([Dir](QFileDialog& D) {
    EXPECT_EQ(D.windowTitle(), "Load image");
    EXPECT_EQ(D.directory().absolutePath(), QDir(Dir).absolutePath());
    EXPECT_EQ(D.nameFilters().size(), 2);
    EXPECT_EQ(D.selectedNameFilter(), "All files (*.*)");
    EXPECT_EQ(D.defaultSuffix(), "rom");
    D.selectNameFilter(D.nameFilters().first());
    D.selectFile(Dir + "/image.rom");
    static_cast<QDialog&>(D).accept();  // as the Open button does
  });
  ASSERT_TRUE(Open->Execute());
  EXPECT_EQ(Open->FileName(), FromQString(Dir + "/image.rom"));
  EXPECT_EQ(Open->FilterIndex(), 1);
  WhenModal<QFileDialog>([](QFileDialog& D) { D.reject(); });
  EXPECT_FALSE(Open->Execute());
  // Without a folder of its own a dialog opens in the current one, not where the last was left.
  TComponentPtr<TOpenDialog> Plain(new TOpenDialog(nullptr));
  QString Opened;
  WhenModal<QFileDialog>([&Opened](QFileDialog& D) {
    Opened = D.directory().absolutePath();
    D.reject();
  });
  EXPECT_FALSE(Plain->Execute());
  EXPECT_EQ(Opened, QDir::currentPath());
  QDir(Dir).removeRecursively();
}

}  // namespace
