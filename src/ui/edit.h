#pragma once
// A one-line text field. Setting Text puts the caret at the start with nothing selected and
// fires OnChange (not while loading). MaxLength limits what the user types, not what the
// program sets.
#include "ui/win_control.h"

class TEdit : public TWinControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TEdit(TComponent* AOwner);

  const String& Text() const { return FText; }
  void SetText(const String& Value);
  int MaxLength() const { return FMaxLength; }  // 0: no limit
  void SetMaxLength(int Value);
  char16_t PasswordChar() const { return FPasswordChar; }  // 0: the text shows
  void SetPasswordChar(char16_t Value);

  // The selection, clamped to the text.
  int SelStart() const { return FSelStart; }
  void SetSelStart(int Value);
  int SelLength() const { return FSelLength; }
  void SetSelLength(int Value);
  void SelectAll();

  TNotifyEvent OnChange;

 protected:
  TColor DefaultColor() const override { return clWindow; }

 private:
  String FText;
  int FMaxLength = 0;
  char16_t FPasswordChar = 0;
  int FSelStart = 0;
  int FSelLength = 0;
};
