#include "qtview/qt_combo_box_peer.h"

#include <QComboBox>

#include "qtview/qt_text.h"
#include "qtview/qt_view.h"
#include "ui/published_names.h"

QWidget* TQtComboBoxPeer::CreateWidget(QWidget* Parent) {
  auto* Box = new QComboBox(Parent);
  TComboBox* C = &FCombo;
  QObject::connect(Box, &QComboBox::activated, Context(), [this, C](int Index) {
    if (!Applying()) View().Input([C, Index] { C->SetItemIndex(Index); });
  });
  QObject::connect(Box, &QComboBox::editTextChanged, Context(), [this, C](const QString& Text) {
    if (!Applying()) View().Input([C, Text] { C->SetText(FromQString(Text)); });
  });
  return Box;
}

void TQtComboBoxPeer::ApplyAll() {
  Apply(u"Style");
}

void TQtComboBoxPeer::Apply(const String& PropName) {
  auto* Box = static_cast<QComboBox*>(Widget());
  if (PropName == Published::Style) {
    Box->setEditable(FCombo.Style() != csDropDownList);
    ApplyItems();
  } else if (PropName == Published::Items) {
    ApplyItems();
  } else if (PropName == Published::ItemIndex || PropName == Published::Text) {
    ApplySelection();
  }
}

void TQtComboBoxPeer::ApplyItems() {
  auto* Box = static_cast<QComboBox*>(Widget());
  const TStrings& Items = *FCombo.Items();
  QStringList List;
  for (int I = 0; I < Items.Count(); ++I) List << ToQString(Items.Get(I));
  Box->clear();
  Box->addItems(List);
  ApplySelection();
}

void TQtComboBoxPeer::ApplySelection() {
  auto* Box = static_cast<QComboBox*>(Widget());
  const int Index = FCombo.ItemIndex();
  // An editable box has no "no item" state that keeps its text (Qt would clear the field), so
  // there the text alone tells.
  if (Box->currentIndex() != Index && (Index >= 0 || !Box->isEditable()))
    Box->setCurrentIndex(Index);
  // Leaves the field alone while it already shows the text, so typing keeps its place.
  if (Box->isEditable() && Box->currentText() != ToQString(FCombo.Text()))
    Box->setEditText(ToQString(FCombo.Text()));
}
