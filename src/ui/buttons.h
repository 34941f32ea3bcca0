#pragma once
// Buttons: the push button (a windowed control that can be a form's default or cancel button
// and close a modal form with its ModalResult) and the speed button (drawn on its parent,
// never focused).
#include "ui/win_control.h"

class TButton : public TWinControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TButton(TComponent* AOwner);

  // Return clicks the default button of a form, Escape its cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value);

  // Hands ModalResult to the form, then fires OnClick.
  void Click() override;

 private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

class TSpeedButton : public TControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TSpeedButton(TComponent* AOwner);
};
