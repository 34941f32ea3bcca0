#include "ui/spin_edit.h"
#include "ui/published_names.h"

const TClassType& TSpinEdit::StaticClassType() {
  static const TClassType T(u"TSpinEdit", &TWinControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TSpinEdit(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TSpinEdit>(C)
        .Ord(Published::MaxValue, TypeInfoInteger(), &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue,
             0)
        .Ord(Published::MinValue, TypeInfoInteger(), &TSpinEdit::MinValue, &TSpinEdit::SetMinValue,
             0)
        .Ord(Published::Value, TypeInfoInteger(), &TSpinEdit::Value, &TSpinEdit::SetValue, 0)
        .Event(u"OnChange", TypeInfoTNotifyEvent(), &TSpinEdit::OnChange);
  });
  return T;
}

TSpinEdit::TSpinEdit(TComponent* AOwner) : TWinControl(AOwner) {
  InitColor(clWindow);
  InitSize(121, 22);
}

int TSpinEdit::CheckValue(int NewValue) const {
  if (FMaxValue == FMinValue) return NewValue;
  if (NewValue < FMinValue) return FMinValue;
  if (NewValue > FMaxValue) return FMaxValue;
  return NewValue;
}

void TSpinEdit::SetMinValue(int Value) {
  if (Value == FMinValue) return;
  FMinValue = Value;
  Changed(Published::MinValue);
  if (!HasState(csLoading)) SetValue(FValue);
}

void TSpinEdit::SetMaxValue(int Value) {
  if (Value == FMaxValue) return;
  FMaxValue = Value;
  Changed(Published::MaxValue);
  if (!HasState(csLoading)) SetValue(FValue);
}

void TSpinEdit::SetValue(int NewValue) {
  const bool Loading = HasState(csLoading);
  if (!Loading) NewValue = CheckValue(NewValue);
  if (NewValue == FValue) return;
  FValue = NewValue;
  Changed(Published::Value);
  if (!Loading) OnChange(this);
}

String TSpinEdit::Text() const {
  return IntToStr(FValue);
}

void TSpinEdit::SetText(const String& Value) {
  int V;
  SetValue(TryStrToInt(Value, V) ? V : FMinValue);
}

void TSpinEdit::FinishLoading() {
  TWinControl::FinishLoading();
  const int Checked = CheckValue(FValue);
  if (Checked == FValue) return;
  FValue = Checked;
  Changed(Published::Value);
}
