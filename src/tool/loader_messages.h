#pragma once
// The messages a controller's boot loader sends while an upload runs, told apart in the order
// the upload checks them. Every message begins with a 4-byte head; byte 4 names its kind.
#include <cstdint>

#include "core/ustring.h"

enum class TLoaderKind {
  lkSync,    // an empty answer: the loader wants to be asked again
  lkStart,   // 8 bytes ending in "BOOT": the update has begun
  lkData,    // 01: Count image bytes from Offset, please
  lkName,    // 02: the image file's name, please
  lkBusy,    // 80: ask again later
  lkResult,  // FF: the update ended with Code
  lkSilent,  // no answer came in time
  lkOther,   // a kind the loader does not have, or too short for its kind
};

struct TLoaderMessage {
  TLoaderKind Kind = TLoaderKind::lkOther;
  uint32_t Offset = 0;  // 24 bits, of a data request
  uint8_t Count = 0;    // of a data request
  uint8_t Code = 0;     // of a result
};

// A: an exchange result; Boot: the start message's keyword ("BOOT", in the ANSI code page).
TLoaderMessage DecodeLoaderMessage(const RawBytes& A, const AnsiString& Boot);

// A reply repeats the first 9 bytes of the request it answers.
inline constexpr size_t LoaderRequestSize = 9;
