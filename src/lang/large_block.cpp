#include "lang/large_block.h"

#include <sys/mman.h>

#include <new>

#include "core/huge_pages.h"

namespace {

constexpr size_t Large = size_t{1} << 20;

// A block of a huge page or more is mapped on whole huge pages: the system fills each with one
// fault where small pages take 512, and a fresh table's faults were a fifth of loading one.
size_t MappedLength(size_t Bytes) {
  return Bytes < HugePageSize ? Bytes : (Bytes + HugePageSize - 1) & ~(HugePageSize - 1);
}

void* Map(size_t Length) {
  void* Area = ::mmap(nullptr, Length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (Area == MAP_FAILED) throw std::bad_alloc();
  return Area;
}

}  // namespace

void* lcAllocateBlock(size_t Bytes) {
  if (Bytes < Large) return ::operator new(Bytes);
  const size_t Length = MappedLength(Bytes);
  return Length < HugePageSize ? Map(Length) : MapHugePages(Length);
}

void lcFreeBlock(void* Block, size_t Bytes) {
  if (Bytes < Large)
    ::operator delete(Block);
  else
    UnmapPages(Block, MappedLength(Bytes));
}
