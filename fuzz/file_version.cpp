// Feeds arbitrary bytes, as a program file, to the reader of its version block.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "os/file_version.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::istringstream File(std::string(reinterpret_cast<const char*>(Data), Size));
  ReadFileVersion(File);
  return 0;
}
