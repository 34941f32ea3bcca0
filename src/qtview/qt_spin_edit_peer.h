#pragma once
// The number field: a spin box with the model's range (none while both limits are equal);
// what the user enters becomes the model's value, whose OnChange then runs.
#include "qtview/qt_peer.h"
#include "ui/spin_edit.h"

class TQtSpinEditPeer : public TQtPeer {
 public:
  TQtSpinEditPeer(TQtView& View, TSpinEdit& Spin) : TQtPeer(View, Spin), FSpin(Spin) {}

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void Apply(const String& PropName) override;
  void ApplyAll() override;
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }

 private:
  TSpinEdit& FSpin;
};
