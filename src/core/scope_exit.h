#pragma once
// Runs an action when a scope ends, by return or by an exception: the end of an update, a flag
// put back, an object abandoned. Dismiss() cancels it, for a clean-up that only a failure needs.
#include <exception>
#include <utility>

template <class Fn>
class TScopeExit {
 public:
  explicit TScopeExit(Fn Action) : FAction(std::move(Action)) {}
  ~TScopeExit() noexcept(false) {
    if (!FArmed) return;
    if (std::uncaught_exceptions() == FUncaught) {
      FAction();
      return;
    }
    // Already unwinding: the first failure is the one the caller hears of.
    try {
      FAction();
    } catch (...) {
    }
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

  void Dismiss() { FArmed = false; }

 private:
  Fn FAction;
  int FUncaught = std::uncaught_exceptions();
  bool FArmed = true;
};
