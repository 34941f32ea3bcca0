#pragma once
// Blocks of a megabyte or more taken straight from the system and given straight back. A table
// of a hundred thousand keys sorts in scratch space of a few megabytes: from the heap, that space
// would stay with the process after the sort; mapped, it goes back when the sort ends. A key
// index of that size may also ask for huge pages, so a probe waits for its cache line only, not
// for a page walk too. Smaller blocks come from the heap as usual.
#include <cstddef>

void* lcAllocateBlock(size_t Bytes, bool HugePages);
void lcFreeBlock(void* Block, size_t Bytes, bool HugePages);

template <class T, bool HugePages = false>
struct TlcLargeAllocator {
  using value_type = T;
  template <class U>
  struct rebind {
    using other = TlcLargeAllocator<U, HugePages>;
  };
  TlcLargeAllocator() = default;
  template <class U>
  explicit TlcLargeAllocator(const TlcLargeAllocator<U, HugePages>&) {}
  T* allocate(size_t Count) {
    return static_cast<T*>(lcAllocateBlock(Count * sizeof(T), HugePages));
  }
  void deallocate(T* Block, size_t Count) { lcFreeBlock(Block, Count * sizeof(T), HugePages); }
  friend bool operator==(const TlcLargeAllocator&, const TlcLargeAllocator&) { return true; }
};
