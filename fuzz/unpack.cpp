// Feeds arbitrary bytes to both framings' answer decoders; whatever they accept must be a
// payload no longer than the bytes read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tool/framing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const RawBytes Bytes(reinterpret_cast<const char*>(Data), Size);
  for (int Mode : {0, 0x123}) {
    const RawBytes Payload = UnPack(Bytes, Mode);
    if (Payload.size() > Bytes.size()) std::abort();
  }
  return 0;
}
