#pragma once
// Plain containers: the panel and the captioned group box.
#include "ui/win_control.h"

class TPanel : public TWinControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TPanel(TComponent* AOwner);
};

class TGroupBox : public TWinControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TGroupBox(TComponent* AOwner);
};
