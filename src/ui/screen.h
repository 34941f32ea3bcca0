#pragma once
// The screen as the window model knows it: the mouse cursor shown over every window.
#include <cstdint>

using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crHourGlass = -11;

class TScreen {
 public:
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }

 private:
  TCursor FCursor = crDefault;
};

TScreen& Screen();
