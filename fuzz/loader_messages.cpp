// Feeds arbitrary answers to the boot loader's message decoding, as if an exchange had returned
// them: a data request never names more than 24 bits of offset, and every kind that carries a
// field comes from an answer long enough to hold it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tool/loader_messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const RawBytes A(reinterpret_cast<const char*>(Data), Size);
  const TLoaderMessage M = DecodeLoaderMessage(A, "BOOT");
  bool Fits = true;
  if (M.Kind == TLoaderKind::lkData || M.Kind == TLoaderKind::lkName)
    Fits = Size >= LoaderRequestSize;
  if (M.Kind == TLoaderKind::lkResult) Fits = Size >= 6;
  if (!Fits || M.Offset > 0xFFFFFF || (M.Kind == TLoaderKind::lkSync) != (Size == 0)) std::abort();
  return 0;
}
