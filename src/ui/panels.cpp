#include "ui/panels.h"
#include "ui/published_names.h"

const TClassType& TPanel::StaticClassType() {
  static const TClassType T(u"TPanel", &TWinControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TPanel(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TPanel>(C).Str(Published::Caption, &TPanel::Caption, &TPanel::SetCaption);
  });
  return T;
}

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner) {
  InitSize(185, 41);
}

const TClassType& TGroupBox::StaticClassType() {
  static const TClassType T(u"TGroupBox", &TWinControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TGroupBox(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TGroupBox>(C).Str(Published::Caption, &TGroupBox::Caption, &TGroupBox::SetCaption);
  });
  return T;
}

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
  InitSize(185, 105);
}
