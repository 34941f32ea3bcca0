#pragma once
// Containers: the panel (a raised frame with its caption in the middle), the captioned group
// box, and a plain widget for any other control the view has no peer class for.
#include "qtview/qt_peer.h"

class TQtPanelPeer : public TQtPeer {
 public:
  using TQtPeer::TQtPeer;

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void ApplyCaption() override;
};

class TQtGroupBoxPeer : public TQtPeer {
 public:
  using TQtPeer::TQtPeer;

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void ApplyCaption() override;
};

class TQtPlainPeer : public TQtPeer {
 public:
  using TQtPeer::TQtPeer;

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
};
