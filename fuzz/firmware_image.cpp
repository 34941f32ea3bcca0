// Feeds arbitrary files to the firmware image reader: it either refuses them, raises the read
// error, or gives a block that is the file's end and holds its own length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/code_page.h"
#include "core/exceptions.h"
#include "tool/firmware_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  SetACP(1251);
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  TMemoryStream File(Bytes);
  try {
    const TImageFile Image = ReadImageFile(File);
    if (!Image.HasFirmware) return 0;
    const std::string& Block = Image.Block;
    if (Block.size() > Size || Bytes.compare(Size - Block.size(), Block.size(), Block) != 0 ||
        ImageLength(Block) + 4 != Block.size())
      std::abort();
    for (const String& Line : Image.Description.Lines)
      if (Line.size() > MaxImageTextLine) std::abort();
  } catch (const EReadError&) {
  }
  return 0;
}
