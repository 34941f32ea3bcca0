// Feeds arbitrary text to the simulator's scenario parser; mistakes must be runtime_error.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "sim/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    ParseScenario(std::string_view(reinterpret_cast<const char*>(Data), Size));
  } catch (const std::runtime_error&) {
  }
  return 0;
}
