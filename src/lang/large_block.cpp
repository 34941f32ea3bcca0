#include "lang/large_block.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace {

constexpr size_t Large = size_t{1} << 20;
constexpr size_t HugePage = size_t{2} << 20;

size_t MappedSize(size_t Bytes, bool HugePages) {
  const size_t Unit = HugePages ? HugePage : 4096;
  return (Bytes + Unit - 1) / Unit * Unit;
}

}  // namespace

void* lcAllocateBlock(size_t Bytes, bool HugePages) {
  if (Bytes < Large) return ::operator new(Bytes);
  const size_t Size = MappedSize(Bytes, HugePages);
  // Huge pages need an aligned start: map a page more and give back what lies outside.
  const size_t Mapped = HugePages ? Size + HugePage : Size;
  void* Start = ::mmap(nullptr, Mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (Start == MAP_FAILED) throw std::bad_alloc();
  if (!HugePages) return Start;
  const auto At = reinterpret_cast<uintptr_t>(Start);
  const uintptr_t Aligned = (At + HugePage - 1) / HugePage * HugePage;
  if (Aligned > At) ::munmap(Start, Aligned - At);
  if (const size_t Tail = At + Mapped - (Aligned + Size))
    ::munmap(reinterpret_cast<void*>(Aligned + Size), Tail);
  // Only advice: without huge pages the block works the same.
  ::madvise(reinterpret_cast<void*>(Aligned), Size, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(Aligned);
}

void lcFreeBlock(void* Block, size_t Bytes, bool HugePages) {
  if (Bytes < Large)
    ::operator delete(Block);
  else
    ::munmap(Block, MappedSize(Bytes, HugePages));
}
