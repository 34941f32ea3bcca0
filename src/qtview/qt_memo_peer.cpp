#include "qtview/qt_memo_peer.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "qtview/qt_text.h"
#include "qtview/qt_view.h"
#include "ui/published_names.h"

QWidget* TQtMemoPeer::CreateWidget(QWidget* Parent) {
  auto* Edit = new QPlainTextEdit(Parent);
  QObject::connect(Edit, &QPlainTextEdit::textChanged, Context(), [this] {
    if (!Applying()) Edited();
  });
  return Edit;
}

void TQtMemoPeer::ApplyAll() {
  SyncLines();
  Apply(u"ReadOnly");
  Apply(u"ScrollBars");
  Apply(u"WordWrap");
}

void TQtMemoPeer::Apply(const String& PropName) {
  auto* Edit = static_cast<QPlainTextEdit*>(Widget());
  if (PropName == Published::Lines) {
    if (!FEditing) SyncLines();
  } else if (PropName == Published::ReadOnly) {
    Edit->setReadOnly(FMemo.ReadOnly());
  } else if (PropName == Published::ScrollBars) {
    const TScrollStyle S = FMemo.ScrollBars();
    Edit->setVerticalScrollBarPolicy(S == ssVertical || S == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                    : Qt::ScrollBarAlwaysOff);
    Edit->setHorizontalScrollBarPolicy(S == ssHorizontal || S == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                        : Qt::ScrollBarAlwaysOff);
  } else if (PropName == Published::WordWrap) {
    Edit->setLineWrapMode(FMemo.WordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  }
}

void TQtMemoPeer::SyncLines() {
  auto* Edit = static_cast<QPlainTextEdit*>(Widget());
  const TStrings& Lines = *FMemo.Lines();
  const size_t Count = static_cast<size_t>(Lines.Count());
  bool Appended = Count >= FShown.size();
  // Checked from the end: a changed line is most likely among the last ones.
  for (size_t I = FShown.size(); Appended && I > 0; --I)
    Appended = Lines.Get(static_cast<int>(I - 1)) == FShown[I - 1];
  if (Appended && Count == FShown.size()) return;
  if (Appended) {
    QTextCursor Cursor(Edit->document());
    Cursor.movePosition(QTextCursor::End);
    Cursor.beginEditBlock();
    for (size_t I = FShown.size(); I < Count; ++I) {
      FShown.push_back(Lines.Get(static_cast<int>(I)));
      if (I > 0) Cursor.insertBlock();
      Cursor.insertText(ToQString(FShown.back()));
    }
    Cursor.endEditBlock();
    Edit->moveCursor(QTextCursor::End);
    Edit->ensureCursorVisible();
    return;
  }
  FShown.clear();
  QStringList Text;
  for (size_t I = 0; I < Count; ++I) {
    FShown.push_back(Lines.Get(static_cast<int>(I)));
    Text << ToQString(FShown.back());
  }
  Edit->setPlainText(Text.join(QLatin1Char('\n')));
}

void TQtMemoPeer::Edited() {
  const QString Text = static_cast<QPlainTextEdit*>(Widget())->toPlainText();
  TMemo* M = &FMemo;
  FEditing = true;
  View().Input([M, &Text] { M->SetText(FromQString(Text)); });
  FEditing = false;
  FShown.clear();
  for (int I = 0; I < M->Lines()->Count(); ++I) FShown.push_back(M->Lines()->Get(I));
}
