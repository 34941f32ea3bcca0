// Feeds arbitrary answers to the wake-up bytes to the converter banner reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tool/converter_banner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const RawBytes Answer(reinterpret_cast<const char*>(Data), Size);
  const int Mode = ConverterMode(Answer, u"K640-Orbit S/N:", u"Mode");
  if (Mode < -1 || Mode > 9) std::abort();
  return 0;
}
