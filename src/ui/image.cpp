#include "ui/image.h"

const TTypeInfo& TypeInfoTSystemIcon() {
  static const TTypeInfo T = EnumTypeInfo(
      u"TSystemIcon", {u"siNone", u"siHand", u"siQuestion", u"siExclamation", u"siAsterisk"});
  return T;
}

const TClassType& TImage::StaticClassType() {
  static const TClassType T(u"TImage", &TControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TImage(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TImage>(C).Ord(u"Icon", TypeInfoTSystemIcon(), &TImage::Icon, &TImage::SetIcon,
                            siNone);
  });
  return T;
}

TImage::TImage(TComponent* AOwner) : TControl(AOwner) {
  InitSize(105, 105);
}

void TImage::SetIcon(TSystemIcon Value) {
  if (Value == FIcon) return;
  FIcon = Value;
  Changed(u"Icon");
}
