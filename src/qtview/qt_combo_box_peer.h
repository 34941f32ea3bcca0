#pragma once
// The drop-down list: its items and selection from the model; choosing an item selects it in
// the model, and typing in its field sets the model's text.
#include "qtview/qt_peer.h"
#include "ui/combo_box.h"

class TQtComboBoxPeer : public TQtPeer {
 public:
  TQtComboBoxPeer(TQtView& View, TComboBox& Combo) : TQtPeer(View, Combo), FCombo(Combo) {}

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void Apply(const String& PropName) override;
  void ApplyAll() override;
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }

 private:
  void ApplyItems();
  void ApplySelection();

  TComboBox& FCombo;
};
