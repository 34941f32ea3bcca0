#include "ui/label.h"

const TClassType& TLabel::StaticClassType() {
  static const TClassType T(u"TLabel", &TControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TLabel(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TLabel>(C)
        .Ord(u"Alignment", TypeInfoTAlignment(), &TLabel::Alignment, &TLabel::SetAlignment,
             taLeftJustify)
        .Ord(u"AutoSize", TypeInfoBoolean(), &TLabel::AutoSize, &TLabel::SetAutoSize, 1)
        .Str(u"Caption", &TLabel::Caption, &TLabel::SetCaption)
        .Ord(u"Layout", TypeInfoTTextLayout(), &TLabel::Layout, &TLabel::SetLayout, tlTop)
        .Ord(u"WordWrap", TypeInfoBoolean(), &TLabel::WordWrap, &TLabel::SetWordWrap, 0);
  });
  return T;
}

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner) {
  InitSize(65, 13);
}

void TLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Changed(u"Alignment");
}

void TLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  Changed(u"AutoSize");
}

void TLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Changed(u"Layout");
}

void TLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  Changed(u"WordWrap");
}
