#include "core/event.h"

#include "core/rtti.h"

const TTypeInfo& TypeInfoTNotifyEvent() {
  static const TTypeInfo T = MethodTypeInfo(u"TNotifyEvent");
  return T;
}
