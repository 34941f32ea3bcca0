#include "qtview/qt_dialogs.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <utility>
#include <vector>

#include "qtview/qt_text.h"
#include "ui/msg_dlg_texts.h"

namespace {

// Where the buttons' texts start among the library's dialog texts (after the four titles).
constexpr size_t FirstButtonText = 4;

QMessageBox::Icon IconOf(TMsgDlgType Type) {
  switch (Type) {
    case mtWarning:
      return QMessageBox::Warning;
    case mtError:
      return QMessageBox::Critical;
    case mtInformation:
      return QMessageBox::Information;
    case mtConfirmation:
      return QMessageBox::Question;
    default:
      return QMessageBox::NoIcon;
  }
}

QMessageBox::ButtonRole RoleOf(TMsgDlgBtn Button) {
  switch (Button) {
    case mbYes:
    case mbAll:
    case mbYesToAll:
      return QMessageBox::YesRole;
    case mbNo:
    case mbNoToAll:
      return QMessageBox::NoRole;
    case mbCancel:
    case mbAbort:
    case mbClose:
      return QMessageBox::RejectRole;
    case mbHelp:
      return QMessageBox::HelpRole;
    default:
      return QMessageBox::AcceptRole;
  }
}

QString PatternsOf(const String& Patterns) {
  QStringList List;
  for (const QString& P : ToQString(Patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString T = P.trimmed();
    if (!T.isEmpty()) List << (T == QLatin1String("*.*") ? QStringLiteral("*") : T);
  }
  return List.join(QLatin1Char(' '));
}

}  // namespace

QStringList ToQtNameFilters(const String& Filter) {
  QStringList Fields = ToQString(Filter).split(QLatin1Char('|'));
  QStringList Filters;
  for (int I = 0; I + 1 < Fields.size(); I += 2) {
    const QString Patterns = PatternsOf(Fields[I + 1].toStdU16String());
    if (Patterns.isEmpty()) continue;
    // The description is shown as it is; Qt reads the patterns from the last parentheses.
    Filters << Fields[I].trimmed() + QStringLiteral(" (") + Patterns + QLatin1Char(')');
  }
  return Filters;
}

TModalResult TQtDialogs::MessageDlg(const TMessageDlgParams& Params) {
  QMessageBox Box;
  Box.setWindowTitle(ToQString(Params.Title));
  Box.setText(ToQString(Params.Msg));
  Box.setTextFormat(Qt::PlainText);
  Box.setIcon(IconOf(Params.DlgType));
  if (Params.RightToLeftReading) Box.setLayoutDirection(Qt::RightToLeft);
  const auto Texts = MsgDlgTexts();
  std::vector<std::pair<QAbstractButton*, TMsgDlgBtn>> Buttons;
  for (int B = mbYes; B <= mbClose; ++B) {
    const auto Button = static_cast<TMsgDlgBtn>(B);
    if (!Params.Buttons.Contains(Button)) continue;
    QAbstractButton* Q = Button == mbClose
                             ? Box.addButton(QMessageBox::Close)
                             : Box.addButton(ToQString(Texts[FirstButtonText + B]), RoleOf(Button));
    Buttons.emplace_back(Q, Button);
  }
  for (const auto& [Q, Button] : Buttons) {
    if (Button == Params.DefaultBtn) Box.setDefaultButton(qobject_cast<QPushButton*>(Q));
    if (Button == Params.CancelBtn) Box.setEscapeButton(Q);
  }
  if (Params.X >= 0 && Params.Y >= 0) Box.move(Params.X, Params.Y);
  Box.exec();
  for (const auto& [Q, Button] : Buttons)
    if (Q == Box.clickedButton()) return ModalResultOf(Button);
  return mrCancel;
}

bool TQtDialogs::InputQuery(const String& ACaption, const String& APrompt, String& Value,
                            char16_t APasswordChar) {
  QInputDialog Dialog;
  Dialog.setWindowTitle(ToQString(ACaption));
  Dialog.setLabelText(ToQString(APrompt));
  Dialog.setInputMode(QInputDialog::TextInput);
  Dialog.setTextValue(ToQString(Value));
  if (APasswordChar != 0) Dialog.setTextEchoMode(QLineEdit::Password);
  const auto Texts = MsgDlgTexts();
  Dialog.setOkButtonText(ToQString(Texts[FirstButtonText + mbOK]));
  Dialog.setCancelButtonText(ToQString(Texts[FirstButtonText + mbCancel]));
  if (Dialog.exec() != QDialog::Accepted) return false;
  Value = FromQString(Dialog.textValue());
  return true;
}

bool TQtDialogs::ExecuteOpenDialog(TOpenDialog& Dialog) {
  QFileDialog Files;
  // Qt's own dialog: a desktop's may open where it was last left, whatever folder it is given.
  Files.setOption(QFileDialog::DontUseNativeDialog);
  Files.setAcceptMode(QFileDialog::AcceptOpen);
  Files.setOption(QFileDialog::HideNameFilterDetails);
  if (!Dialog.Title().empty()) Files.setWindowTitle(ToQString(Dialog.Title()));
  // Always set: left alone, the dialog opens where the last one was left.
  Files.setDirectory(ToQString(Dialog.StartFolder()));
  // A folder typed into the name field leaves the name's completion list open in the new folder,
  // where the Escape that should cancel the dialog would only close the list.
  const auto CloseCompletions = [&Files] {
    for (QCompleter* Completer : Files.findChildren<QCompleter*>())
      if (Completer->popup()) Completer->popup()->hide();
  };
  for (QFileSystemModel* Model : Files.findChildren<QFileSystemModel*>())
    QObject::connect(Model, &QFileSystemModel::rootPathChanged, &Files, [&Files, CloseCompletions] {
      QTimer::singleShot(0, &Files, CloseCompletions);
    });
  const TOpenOptions Options = Dialog.Options();
  if (Options & OpenOptions({ofAllowMultiSelect}))
    Files.setFileMode(QFileDialog::ExistingFiles);
  else if (Options & OpenOptions({ofFileMustExist}))
    Files.setFileMode(QFileDialog::ExistingFile);
  else
    Files.setFileMode(QFileDialog::AnyFile);
  const QStringList Filters = ToQtNameFilters(Dialog.Filter());
  if (!Filters.isEmpty()) {
    Files.setNameFilters(Filters);
    const int Index = Dialog.FilterIndex() - 1;
    if (Index >= 0 && Index < Filters.size()) Files.selectNameFilter(Filters[Index]);
  }
  Files.setDefaultSuffix(ToQString(Dialog.DefaultExt()));
  // A file name with wildcards ("*.rom") only says which files to list, as the filters do.
  const QString FileName = ToQString(Dialog.FileName());
  if (!FileName.isEmpty() && !FileName.contains(QLatin1Char('*')) &&
      !FileName.contains(QLatin1Char('?')))
    Files.selectFile(FileName);
  if (Files.exec() != QDialog::Accepted || Files.selectedFiles().isEmpty()) return false;
  Dialog.SetFileName(FromQString(Files.selectedFiles().first()));
  // With the details hidden, the chosen filter comes back as its description.
  const QString Chosen = Files.selectedNameFilter();
  for (int I = 0; I < Filters.size(); ++I)
    if (Filters[I] == Chosen ||
        Filters[I].left(Filters[I].lastIndexOf(QLatin1String(" ("))) == Chosen)
      Dialog.SetFilterIndex(I + 1);
  return true;
}
