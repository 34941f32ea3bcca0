#pragma once
// The binary component stream: its signature, the value tags and the filer flags that may
// precede a component's class name.
#include <cstdint>

inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

enum TValueType : uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
  vaDouble = 21,
};

// A prefix byte 0xF0 | flags announces them; ffChildPos is followed by an integer.
enum TFilerFlag : uint8_t {
  ffInherited = 1,
  ffChildPos = 2,
  ffInline = 4,
};
inline constexpr uint8_t FilerPrefixMask = 0xF0;

// Nesting of components, collections and lists that a reader follows before it gives up.
inline constexpr int MaxStreamDepth = 64;
