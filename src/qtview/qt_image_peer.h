#pragma once
// An image: the system icon it holds, at the size the model gives it.
#include "qtview/qt_peer.h"
#include "ui/image.h"

class TQtImagePeer : public TQtPeer {
 public:
  TQtImagePeer(TQtView& View, TImage& Image) : TQtPeer(View, Image), FImage(Image) {}

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void Apply(const String& PropName) override;
  void ApplyAll() override;

 private:
  TImage& FImage;
};
