#pragma once
// The single-byte code page tables, internal to the code page conversions.
#include <cstddef>

namespace lc_code_page {

struct TSingleByteTable {
  unsigned CodePage;
  const char16_t* High;  // code units of bytes 0x80..0xFF
};

extern const TSingleByteTable SingleByteTables[];
extern const size_t SingleByteTableCount;

}  // namespace lc_code_page
