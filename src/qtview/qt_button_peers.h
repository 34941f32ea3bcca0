#pragma once
// Buttons: the push button takes the focus and shows whether it is the default one; the speed
// button never takes the focus. A click on either clicks the model's button.
#include "qtview/qt_peer.h"
#include "ui/buttons.h"

class TQtButtonPeer : public TQtPeer {
 public:
  TQtButtonPeer(TQtView& View, TButton& Button) : TQtPeer(View, Button), FButton(Button) {}

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void Apply(const String& PropName) override;
  void ApplyAll() override;
  void ApplyCaption() override;
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Button; }

 private:
  TButton& FButton;
};

class TQtSpeedButtonPeer : public TQtPeer {
 public:
  using TQtPeer::TQtPeer;

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void ApplyCaption() override;
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Button; }
};
