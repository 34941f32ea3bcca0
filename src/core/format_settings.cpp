#include "core/format_settings.h"

TFormatSettings& FormatSettings() {
  static TFormatSettings Settings;
  return Settings;
}
