#pragma once
// Writes firmware image files for the tests and the simulated bus, valid or broken as the
// description says. The file is laid out as the tool reads it from its end:
//   Leading | description | image
// description: T (type, major, minor, Unused) | Skipped | four ranges | text lines | Tail | B
// image:       Firmware | L
// where B and L count their own four bytes, and each text line is a 16-bit length followed by
// its bytes. Length and DescriptionLength put other values in the fields B and L, to make
// broken files.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct TImagePlan {
  uint8_t Type = 0x19;
  uint8_t VersionMajor = 1;
  uint8_t VersionMinor = 0;
  uint8_t Unused = 0;
  uint32_t Skipped = 0;
  std::array<std::pair<uint16_t, uint16_t>, 4> Ranges{{{1, 0xFFFF}, {0, 0}, {0, 0}, {0, 0}}};
  std::vector<std::string> Lines = {"Firmware 1.0 build 1"};  // ANSI bytes, 0 to 65535 each
  std::string Tail;                           // bytes after the text lines, inside the description
  std::string Firmware;                       // the image's bytes before its length word
  std::string Leading;                        // bytes before the description, which nothing reads
  std::optional<uint32_t> Length;             // L instead of the true length
  std::optional<uint32_t> DescriptionLength;  // B instead of the true length
};

// Firmware of Size bytes that no two neighbouring pieces of a transfer share by chance.
std::string SampleFirmware(size_t Size);

// The bytes of the file.
std::string ImageFileBytes(const TImagePlan& Plan);
// The image as the boot loader must receive it: Firmware followed by the field L.
std::string ImageOf(const TImagePlan& Plan);
// Writes the file; throws std::runtime_error when it cannot.
void WriteImageFile(const std::string& Path, const TImagePlan& Plan);
