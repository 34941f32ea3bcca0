#include "ui/label.h"
#include "ui/published_names.h"

const TClassType& TLabel::StaticClassType() {
  static const TClassType T(u"TLabel", &TControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TLabel(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TLabel>(C)
        .Ord(Published::Alignment, TypeInfoTAlignment(), &TLabel::Alignment, &TLabel::SetAlignment,
             taLeftJustify)
        .Ord(Published::AutoSize, TypeInfoBoolean(), &TLabel::AutoSize, &TLabel::SetAutoSize, 1)
        .Str(Published::Caption, &TLabel::Caption, &TLabel::SetCaption)
        .Ord(Published::Layout, TypeInfoTTextLayout(), &TLabel::Layout, &TLabel::SetLayout, tlTop)
        .Ord(Published::WordWrap, TypeInfoBoolean(), &TLabel::WordWrap, &TLabel::SetWordWrap, 0);
  });
  return T;
}

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner) {
  InitSize(65, 13);
}

void TLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Changed(Published::Alignment);
}

void TLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  Changed(Published::AutoSize);
}

void TLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Changed(Published::Layout);
}

void TLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  Changed(Published::WordWrap);
}
