// Feeds arbitrary bytes to the registry file reader; what it accepts must be written back as
// text that reads back to the same keys and values.
#include <cstddef>
#include <cstdint>
#include <string>

#include "os/registry_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TRegTree Tree;
  String Error;
  if (!TRegTree::Parse(std::string(reinterpret_cast<const char*>(Data), Size), Tree, Error))
    return 0;
  TRegTree Again;
  if (!TRegTree::Parse(Tree.Text(), Again, Error) || !(Again == Tree)) __builtin_trap();
  return 0;
}
