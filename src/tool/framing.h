#pragma once
// The two message framings of the controllers: A (start 0xFA, end 0xF5, escape 0xFF, XOR
// check) at 19200 baud and B (end 0xC0, escape 0xDB, additive check) at 256000 baud. The port
// mode selects the framing: bits 4 and 5 of the mode, 0 for A and 2 for B.
#include <cstdint>

#include "core/ustring.h"

inline constexpr int FramingA = 0;
inline constexpr int FramingB = 2;
inline constexpr int FramingOf(int ComMode) {
  return (ComMode >> 4) & 3;
}

// The frame for a payload, ready to be written to the port.
RawBytes GetPack(const RawBytes& s, int ComMode, uint8_t CmdPrefix);
// The payload of the bytes read for one answer, or "" when they hold no valid frame.
RawBytes UnPack(const RawBytes& s, int ComMode);
