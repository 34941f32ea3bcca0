#include "ui/list_control.h"

const TClassType& TCustomListControl::StaticClassType() {
  static const TClassType T(u"TCustomListControl", &TWinControl::StaticClassType());
  return T;
}
