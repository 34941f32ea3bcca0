#pragma once
// Form data as the form targets take it: a binary component image as it stands, anything else
// as the readable text form, converted first (so the fuzzer mutates either).
#include <cstddef>
#include <cstdint>
#include <string>

#include "component/object_text.h"
#include "core/stream.h"

inline std::string FormImageOf(const uint8_t* Data, size_t Size) {
  std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  if (Bytes.starts_with("TPF0")) return Bytes;
  TMemoryStream In(Bytes), Out;
  ObjectTextToBinary(In, Out);
  return Out.Bytes();
}
