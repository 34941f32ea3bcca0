#include "lang/table/large_block.h"

#include <new>

#include "core/huge_pages.h"

namespace {

constexpr size_t Large = size_t{1} << 20;

// A mapped block lies on whole huge pages: the system fills each with one fault where small
// pages take 512, and a fresh table's faults were a fifth of loading one. A block under two
// megabytes (a 100,000-key index) holds up to a megabyte more for it.
size_t MappedLength(size_t Bytes) {
  return (Bytes + HugePageSize - 1) & ~(HugePageSize - 1);
}

}  // namespace

void* lcAllocateBlock(size_t Bytes) {
  if (Bytes < Large) return ::operator new(Bytes);
  return MapHugePages(MappedLength(Bytes));
}

void lcFreeBlock(void* Block, size_t Bytes) {
  if (Bytes < Large)
    ::operator delete(Block);
  else
    UnmapPages(Block, MappedLength(Bytes));
}
