#include "qtview/qt_display.h"

#include <cstdlib>

namespace {

bool IsSet(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value && *Value;
}

}  // namespace

bool QtDisplayAvailable() {
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

std::string NoDisplayMessage(const std::string& Program) {
  return Program +
         ": there is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window "
         "cannot be shown. To run it anyway:\n"
         "  xvfb-run -a " +
         Program +
         "                  (a virtual display; apt-get install xvfb)\n"
         "  QT_QPA_PLATFORM=offscreen " +
         Program + "    (no visible window at all)\n";
}
