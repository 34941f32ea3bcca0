#include "ui/buttons.h"

#include "ui/form.h"
#include "ui/published_names.h"

const TClassType& TButton::StaticClassType() {
  static const TClassType T(u"TButton", &TWinControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TButton(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TButton>(C)
        .Ord(Published::Cancel, TypeInfoBoolean(), &TButton::Cancel, &TButton::SetCancel, 0)
        .Str(Published::Caption, &TButton::Caption, &TButton::SetCaption)
        .Ord(Published::Default, TypeInfoBoolean(), &TButton::Default, &TButton::SetDefault, 0)
        .Ord(Published::ModalResult, TypeInfoTModalResult(), &TButton::ModalResult,
             &TButton::SetModalResult, mrNone);
  });
  return T;
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  InitSize(75, 25);
}

void TButton::SetDefault(bool Value) {
  if (Value == FDefault) return;
  FDefault = Value;
  Changed(Published::Default);
}

void TButton::SetCancel(bool Value) {
  if (Value == FCancel) return;
  FCancel = Value;
  Changed(Published::Cancel);
}

void TButton::SetModalResult(TModalResult Value) {
  if (Value == FModalResult) return;
  FModalResult = Value;
  Changed(Published::ModalResult);
}

void TButton::Click() {
  if (TCustomForm* F = ParentForm()) F->SetModalResult(FModalResult);
  TWinControl::Click();
}

const TClassType& TSpeedButton::StaticClassType() {
  static const TClassType T(u"TSpeedButton", &TControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TSpeedButton(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TSpeedButton>(C).Str(Published::Caption, &TSpeedButton::Caption,
                                  &TSpeedButton::SetCaption);
  });
  return T;
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TControl(AOwner) {
  InitSize(23, 22);
}
