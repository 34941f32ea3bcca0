// Feeds arbitrary payloads to the answer decoding of the checks, as if an exchange had
// returned them: a field is decoded only from an answer long enough to hold it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tool/commands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const RawBytes a(reinterpret_cast<const char*>(Data), Size);
  const TInfoAnswer Info = DecodeInfo(a);
  const TMemInfoAnswer Mem = DecodeMemInfo(a);
  const auto Address = DecodeAddress(a);
  const auto Text = DecodeTextLine(a);
  if (Info.Valid != (Size >= 9) || (Info.HasSerial && Size < 13) || Mem.Valid != (Size >= 5) ||
      Mem.MemoryKb > 15 || Address.has_value() != (Size >= 6) || Text.has_value() != (Size >= 5) ||
      (Text && Text->size() != Size - 5))
    std::abort();
  return 0;
}
