#pragma once
// Controls that show a list of items and select one of them by its index.
#include "ui/win_control.h"

class TCustomListControl : public TWinControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  using TWinControl::TWinControl;

  // -1 selects nothing; an index outside the items selects nothing.
  virtual int ItemIndex() const = 0;
  virtual void SetItemIndex(int Value) = 0;
};
