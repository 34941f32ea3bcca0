#pragma once
// A picture drawn on its parent. The pictures the model knows are the system's icons, which
// message dialogs show beside their text.
#include "ui/control.h"

enum TSystemIcon : uint8_t { siNone, siHand, siQuestion, siExclamation, siAsterisk };
const TTypeInfo& TypeInfoTSystemIcon();

// The size of a system icon, in both directions.
inline constexpr int SystemIconSize = 32;

class TImage : public TControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TImage(TComponent* AOwner);

  TSystemIcon Icon() const { return FIcon; }
  void SetIcon(TSystemIcon Value);

 private:
  TSystemIcon FIcon = siNone;
};
