#include "ui/screen.h"

TScreen& Screen() {
  static TScreen S;
  return S;
}
