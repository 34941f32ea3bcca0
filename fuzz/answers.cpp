// Feeds arbitrary payloads to the answer decoding of the checks, as if an exchange had
// returned them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tool/commands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const RawBytes a(reinterpret_cast<const char*>(Data), Size);
  const TInfoAnswer Info = DecodeInfo(a);
  const TMemInfoAnswer Mem = DecodeMemInfo(a);
  const RawBytes Text = DecodeTextLine(a);
  if (Info.Valid != (Size >= 9) || Mem.MemoryKb > 15 || Text.size() > Size) std::abort();
  return 0;
}
