// Feeds arbitrary text to the readable translation table parser and builds the payload of
// whatever it accepts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/exceptions.h"
#include "translation_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    const auto Table =
        ParseTranslationTable(std::string_view(reinterpret_cast<const char*>(Data), Size));
    TranslationDataPayload(Table);
  } catch (const Exception&) {
  }
  return 0;
}
