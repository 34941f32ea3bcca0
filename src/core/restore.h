#pragma once
// Gives a variable a value for the length of a scope and puts the old value back when the scope
// ends, also by an exception.
#include <utility>

template <class T>
class TRestore {
 public:
  TRestore(T& Ref, T Value) : FRef(Ref), FOld(std::exchange(Ref, std::move(Value))) {}
  ~TRestore() { FRef = std::move(FOld); }
  TRestore(const TRestore&) = delete;
  TRestore& operator=(const TRestore&) = delete;

 private:
  T& FRef;
  T FOld;
};
