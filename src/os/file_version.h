#pragma once
// The program file's own version: a block in the ELF section ".file_version" of the executable,
// the counterpart of a version resource. Whoever builds a program places the block with
// FILE_VERSION_BLOCK; a copy of the program without that section has no version.
#include <array>
#include <cstdint>
#include <istream>
#include <optional>

#include "core/ustring.h"

struct TFileVersionBlock {
  char Signature[8];  // "FILEVER" and a zero byte
  uint16_t Words[4];  // most significant first: 1.8.3.62 is {1, 8, 3, 62}
};

#define FILE_VERSION_BLOCK(A, B, C, D)                                                \
  extern "C" __attribute__((section(".file_version"), used))                          \
  const TFileVersionBlock FileVersionBlock = {{'F', 'I', 'L', 'E', 'V', 'E', 'R', 0}, \
                                              {A, B, C, D}}

// The running program's own file.
String ProgramFileName();
// The four version words of an executable, or nothing when it has no valid block.
std::optional<std::array<uint16_t, 4>> ReadFileVersion(const String& FileName);
// The same, from an executable's bytes.
std::optional<std::array<uint16_t, 4>> ReadFileVersion(std::istream& File);
