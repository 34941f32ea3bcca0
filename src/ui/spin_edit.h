#pragma once
// A number field with a range. The value is kept within MinValue..MaxValue whenever it or the
// range is set (no limits while both are equal), and OnChange fires when the value changes;
// values read from a component stream are checked once the whole component is loaded.
#include "ui/win_control.h"

class TSpinEdit : public TWinControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TSpinEdit(TComponent* AOwner);

  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value);
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  int Value() const { return FValue; }
  void SetValue(int NewValue);
  // The value in decimal; a text that is not a number gives MinValue.
  String Text() const;
  void SetText(const String& Value);

  TNotifyEvent OnChange;

 protected:
  void FinishLoading() override;
  TColor DefaultColor() const override { return clWindow; }

 private:
  int CheckValue(int NewValue) const;

  int FMinValue = 0;
  int FMaxValue = 0;
  int FValue = 0;
};
