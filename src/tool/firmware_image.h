#pragma once
// The firmware image file, read from its end (S is the file size; integers are unsigned and
// little-endian):
//   S-4     4 bytes  L, the image length; these are also the image's own last four bytes
//   S-L     L bytes  the firmware image: the boot loader's offset 0 is file byte S-L
//   S-L-4   4 bytes  B, the description's length; also the description's last four bytes
//   S-L-B   B bytes  the description:
//             0   T: controller type (bits 0-7), firmware version major (8-15), minor (16-23)
//             4   4 bytes, not read
//             8   four serial-number ranges, each (first, last), 16 bits each
//             24  text lines, each a 16-bit length (0 to 130) and that many bytes of ANSI text
// The text lines end after the first line that holds "bild" or "build", or at a length above
// 130. They are read on past the description when neither comes, as far as the file goes.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/stream.h"
#include "core/ustring.h"

// Serial numbers a controller may have to take the image.
struct TSerialRange {
  uint16_t First = 0;
  uint16_t Last = 0;
  bool operator==(const TSerialRange&) const = default;
};

struct TImageDescription {
  uint8_t ControllerType = 0;
  uint8_t VersionMajor = 0;
  uint8_t VersionMinor = 0;
  std::array<TSerialRange, 4> Ranges{};
  std::vector<String> Lines;  // taken from the ANSI code page
};

inline constexpr uint16_t MaxImageTextLine = 130;
// The boot loader asks by 24-bit offsets: a longer image could never be delivered whole.
inline constexpr uint32_t MaxImageLength = 0x1000000;

struct TImageFile {
  // False when the lengths cannot be a firmware image: L above S, 0 or above MaxImageLength,
  // or B above S-L. Nothing else is read then.
  bool HasFirmware = false;
  TImageDescription Description;
  // The field B followed by the image: the file's last L + 4 bytes. Image offset x is byte
  // x + 4; the last four bytes hold L.
  std::string Block;
};

// Reads the description and the firmware block. A read beyond the end of the file (a file
// shorter than 4 bytes, shorter than the fields it declares, or text lines without an end)
// raises EReadError; nothing is ever read past the end.
TImageFile ReadImageFile(TStream& File);

// The image length L of a firmware block.
uint32_t ImageLength(const std::string& Block);
