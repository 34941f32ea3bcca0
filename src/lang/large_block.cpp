#include "lang/large_block.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace {

constexpr size_t Large = size_t{1} << 20;
constexpr size_t HugePage = size_t{2} << 20;

// A block of a huge page or more is mapped on whole huge pages: the system fills each with one
// fault where small pages take 512, and a fresh table's faults were a fifth of loading one.
size_t MappedLength(size_t Bytes) {
  return Bytes < HugePage ? Bytes : (Bytes + HugePage - 1) & ~(HugePage - 1);
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
  if (Length < HugePage) return Map(Length);
  // Mapped a huge page longer than needed, then trimmed to start on a huge-page boundary.
  auto* const Area = static_cast<char*>(Map(Length + HugePage));
  const auto Address = reinterpret_cast<uintptr_t>(Area);
  const size_t Head = ((Address + HugePage - 1) & ~(HugePage - 1)) - Address;
  if (Head > 0) ::munmap(Area, Head);
  if (Head < HugePage) ::munmap(Area + Head + Length, HugePage - Head);
  ::madvise(Area + Head, Length, MADV_HUGEPAGE);
  return Area + Head;
}

void lcFreeBlock(void* Block, size_t Bytes) {
  if (Bytes < Large)
    ::operator delete(Block);
  else
    ::munmap(Block, MappedLength(Bytes));
}
