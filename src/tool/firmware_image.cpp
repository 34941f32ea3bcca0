#include "tool/firmware_image.h"

#include "core/code_page.h"
#include "core/exceptions.h"

namespace {

bool EndsTheLines(const String& Line) {
  return Line.find(u"bild") != String::npos || Line.find(u"build") != String::npos;
}

// Moves to Position, which must lie in the file: a field before its start cannot be read.
void MoveTo(TStream& File, int64_t Position) {
  if (Position < 0) throw EReadError(SReadError);
  File.SetPosition(Position);
}

}  // namespace

TImageFile ReadImageFile(TStream& File) {
  TImageFile Image;
  const int64_t S = File.Size();
  MoveTo(File, S - 4);
  const uint32_t L = File.ReadU32();
  if (L > S || L == 0 || L > MaxImageLength) return Image;
  MoveTo(File, S - L - 4);
  const uint32_t B = File.ReadU32();
  if (B > S - L) return Image;
  Image.HasFirmware = true;

  MoveTo(File, S - L - B);
  TImageDescription& D = Image.Description;
  const uint32_t T = File.ReadU32();
  D.ControllerType = T & 0xFF;
  D.VersionMajor = (T >> 8) & 0xFF;
  D.VersionMinor = (T >> 16) & 0xFF;
  File.ReadU32();
  for (TSerialRange& Range : D.Ranges) {
    Range.First = File.ReadU16();
    Range.Last = File.ReadU16();
  }
  for (;;) {
    const uint16_t Length = File.ReadU16();
    if (Length > MaxImageTextLine) break;
    D.Lines.push_back(AnsiToString(File.ReadBytes(Length)));
    if (EndsTheLines(D.Lines.back())) break;
  }

  MoveTo(File, S - L - 4);
  Image.Block = File.ReadBytes(int64_t(L) + 4);
  return Image;
}

uint32_t ImageLength(const std::string& Block) {
  if (Block.size() < 4) return 0;
  uint32_t L = 0;
  for (size_t I = Block.size(); I > Block.size() - 4; --I) L = L << 8 | uint8_t(Block[I - 1]);
  return L;
}
