#include "qtview/qt_text_peers.h"

#include <QLabel>
#include <QLineEdit>

#include "qtview/qt_text.h"
#include "qtview/qt_view.h"
#include "ui/published_names.h"

namespace {

// A caption as a label shows it: a single "&" marks the next letter as a key, "&&" is an "&".
QString WithoutKeyMarks(const String& Caption) {
  QString R;
  for (size_t I = 0; I < Caption.size(); ++I) {
    if (Caption[I] == u'&' && ++I == Caption.size()) break;
    R += QChar(Caption[I]);
  }
  return R;
}

}  // namespace

QWidget* TQtLabelPeer::CreateWidget(QWidget* Parent) {
  auto* L = new QLabel(Parent);
  L->setTextFormat(Qt::PlainText);
  L->setAutoFillBackground(true);
  return L;
}

void TQtLabelPeer::ApplyAll() {
  Apply(u"Alignment");
  Apply(u"WordWrap");
}

void TQtLabelPeer::Apply(const String& PropName) {
  auto* L = static_cast<QLabel*>(Widget());
  if (PropName == Published::Alignment || PropName == Published::Layout ||
      PropName == Published::BiDiMode) {
    // Under right-to-left alignment the left and the right edge change places.
    const bool Mirrored = FLabel.UseRightToLeftAlignment();
    Qt::Alignment A = FLabel.Alignment() == taCenter ? Qt::AlignHCenter
                      : (FLabel.Alignment() == taRightJustify) != Mirrored
                          ? Qt::AlignRight | Qt::AlignAbsolute
                          : Qt::AlignLeft | Qt::AlignAbsolute;
    A |= FLabel.Layout() == tlCenter   ? Qt::AlignVCenter
         : FLabel.Layout() == tlBottom ? Qt::AlignBottom
                                       : Qt::AlignTop;
    L->setAlignment(A);
  } else if (PropName == Published::WordWrap) {
    L->setWordWrap(FLabel.WordWrap());
  }
}

void TQtLabelPeer::ApplyCaption() {
  static_cast<QLabel*>(Widget())->setText(WithoutKeyMarks(FLabel.Caption()));
}

QWidget* TQtEditPeer::CreateWidget(QWidget* Parent) {
  auto* E = new QLineEdit(Parent);
  TEdit* M = &FEdit;
  QObject::connect(E, &QLineEdit::textEdited, Context(), [this, M](const QString& Text) {
    if (!Applying()) View().Input([M, Text] { M->SetText(FromQString(Text)); });
  });
  return E;
}

void TQtEditPeer::ApplyAll() {
  Apply(u"Text");
  Apply(u"MaxLength");
  Apply(u"PasswordChar");
}

void TQtEditPeer::Apply(const String& PropName) {
  auto* E = static_cast<QLineEdit*>(Widget());
  if (PropName == Published::Text) {
    if (E->text() != ToQString(FEdit.Text())) E->setText(ToQString(FEdit.Text()));
  } else if (PropName == Published::MaxLength) {
    E->setMaxLength(FEdit.MaxLength() > 0 ? FEdit.MaxLength() : 32767);
  } else if (PropName == Published::PasswordChar) {
    E->setEchoMode(FEdit.PasswordChar() != 0 ? QLineEdit::Password : QLineEdit::Normal);
  } else if (PropName == u"Selection") {
    E->setSelection(FEdit.SelStart(), FEdit.SelLength());
  }
}
