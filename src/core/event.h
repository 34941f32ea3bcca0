#pragma once
// Events: a handler plus the name of the published method it was bound to, so the component
// stream can write "OnClick = btProgClick" and bind it again when reading.
#include <functional>
#include <utility>

#include "core/ustring.h"

class TObject;
struct TTypeInfo;

template <class... Args>
class TEvent {
 public:
  using Handler = std::function<void(Args...)>;
  TEvent() = default;
  TEvent(Handler Fn, String MethodName = {}) : FFn(std::move(Fn)), FName(std::move(MethodName)) {}
  explicit operator bool() const { return static_cast<bool>(FFn); }
  void operator()(Args... A) const {
    if (FFn) FFn(std::forward<Args>(A)...);
  }
  const String& MethodName() const { return FName; }
  const Handler& Function() const { return FFn; }

 private:
  Handler FFn;
  String FName;
};

using TNotifyEvent = TEvent<TObject*>;
const TTypeInfo& TypeInfoTNotifyEvent();
