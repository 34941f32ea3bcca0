#pragma once
// The label (its caption aligned and laid out as the model says, "&" marking no key here) and
// the one-line text field (what the user types becomes the model's text).
#include "qtview/qt_peer.h"
#include "ui/edit.h"
#include "ui/label.h"

class TQtLabelPeer : public TQtPeer {
 public:
  TQtLabelPeer(TQtView& View, TLabel& Label) : TQtPeer(View, Label), FLabel(Label) {}

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void Apply(const String& PropName) override;
  void ApplyAll() override;
  void ApplyCaption() override;

 private:
  TLabel& FLabel;
};

class TQtEditPeer : public TQtPeer {
 public:
  TQtEditPeer(TQtView& View, TEdit& Edit) : TQtPeer(View, Edit), FEdit(Edit) {}

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void Apply(const String& PropName) override;
  void ApplyAll() override;
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }

 private:
  TEdit& FEdit;
};
