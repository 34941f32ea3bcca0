#pragma once
// The status bar: one label per panel, each as wide as its panel (the last one takes what is
// left) and aligned as it is; or one label with the simple text.
#include <vector>

#include "qtview/qt_peer.h"
#include "ui/status_bar.h"

class QLabel;

class TQtStatusBarPeer : public TQtPeer {
 public:
  TQtStatusBarPeer(TQtView& View, TStatusBar& Bar) : TQtPeer(View, Bar), FBar(Bar) {}

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void Apply(const String& PropName) override;
  void ApplyAll() override;

 private:
  TStatusBar& FBar;
  std::vector<QLabel*> FPanels;
  QLabel* FSimple = nullptr;
};
