#include "ui/edit.h"
#include "ui/published_names.h"

#include <algorithm>

const TClassType& TEdit::StaticClassType() {
  static const TClassType T(u"TEdit", &TWinControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TEdit(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TEdit>(C)
        .Ord(Published::MaxLength, TypeInfoInteger(), &TEdit::MaxLength, &TEdit::SetMaxLength, 0)
        .Ord(Published::PasswordChar, TypeInfoWideChar(), &TEdit::PasswordChar,
             &TEdit::SetPasswordChar, 0)
        .Str(Published::Text, &TEdit::Text, &TEdit::SetText)
        .Event(u"OnChange", TypeInfoTNotifyEvent(), &TEdit::OnChange);
  });
  return T;
}

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
  InitColor(clWindow);
  InitSize(121, 21);
}

void TEdit::SetText(const String& Value) {
  if (Value == FText) return;
  FText = Value;
  FSelStart = 0;
  FSelLength = 0;
  Changed(Published::Text);
  if (!HasState(csLoading)) OnChange(this);
}

void TEdit::SetMaxLength(int Value) {
  Value = std::max(Value, 0);
  if (Value == FMaxLength) return;
  FMaxLength = Value;
  Changed(Published::MaxLength);
}

void TEdit::SetPasswordChar(char16_t Value) {
  if (Value == FPasswordChar) return;
  FPasswordChar = Value;
  Changed(Published::PasswordChar);
}

void TEdit::SetSelStart(int Value) {
  const int Length = static_cast<int>(FText.size());
  FSelStart = std::clamp(Value, 0, Length);
  FSelLength = std::min(FSelLength, Length - FSelStart);
  Changed(u"Selection");
}

void TEdit::SetSelLength(int Value) {
  FSelLength = std::clamp(Value, 0, static_cast<int>(FText.size()) - FSelStart);
  Changed(u"Selection");
}

void TEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<int>(FText.size());
  Changed(u"Selection");
}
