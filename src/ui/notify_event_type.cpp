// Kept in a file of its own: a program that links another definition of this function ahead
// of this library never pulls this one in.
#include "ui/control_types.h"

const TTypeInfo& TypeInfoTNotifyEvent() {
  static const TTypeInfo T = MethodTypeInfo(u"TNotifyEvent");
  return T;
}
