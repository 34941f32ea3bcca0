#include "qtview/qt_image_peer.h"

#include <QLabel>
#include <QStyle>

namespace {

QIcon IconOf(const QStyle& Style, TSystemIcon Icon) {
  switch (Icon) {
    case siHand:
      return Style.standardIcon(QStyle::SP_MessageBoxCritical);
    case siQuestion:
      return Style.standardIcon(QStyle::SP_MessageBoxQuestion);
    case siExclamation:
      return Style.standardIcon(QStyle::SP_MessageBoxWarning);
    case siAsterisk:
      return Style.standardIcon(QStyle::SP_MessageBoxInformation);
    default:
      return {};
  }
}

}  // namespace

QWidget* TQtImagePeer::CreateWidget(QWidget* Parent) {
  auto* L = new QLabel(Parent);
  L->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return L;
}

void TQtImagePeer::ApplyAll() {
  Apply(u"Icon");
}

void TQtImagePeer::Apply(const String& PropName) {
  if (PropName != u"Icon") return;
  auto* L = static_cast<QLabel*>(Widget());
  const QIcon Icon = IconOf(*L->style(), FImage.Icon());
  L->setPixmap(Icon.isNull() ? QPixmap() : Icon.pixmap(SystemIconSize, SystemIconSize));
}
