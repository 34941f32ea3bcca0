#pragma once
// A file descriptor that closes itself.
#include <unistd.h>

#include <utility>

class TUniqueFd {
 public:
  TUniqueFd() = default;
  explicit TUniqueFd(int Fd) : FFd(Fd) {}
  ~TUniqueFd() { Reset(); }
  TUniqueFd(TUniqueFd&& Other) noexcept : FFd(std::exchange(Other.FFd, -1)) {}
  TUniqueFd& operator=(TUniqueFd&& Other) noexcept {
    if (this != &Other) {
      Reset();
      FFd = std::exchange(Other.FFd, -1);
    }
    return *this;
  }
  TUniqueFd(const TUniqueFd&) = delete;
  TUniqueFd& operator=(const TUniqueFd&) = delete;

  int Get() const { return FFd; }
  bool Valid() const { return FFd >= 0; }
  void Reset() {
    if (FFd >= 0) close(FFd);
    FFd = -1;
  }

 private:
  int FFd = -1;
};
