#pragma once
// Blocks of a megabyte or more taken straight from the system and given straight back. A table
// of a hundred thousand keys sorts in scratch space of a few megabytes and indexes its keys in a
// few more: from the heap, a block freed after a sort or by a new index would stay with the
// process; mapped, it goes back at once. A mapped block lies on whole huge pages, so filling a
// fresh one costs a fault per two megabytes, not per four kilobytes. Smaller blocks come from
// the heap as usual.
#include <cstddef>
#include <string_view>

void* lcAllocateBlock(size_t Bytes);
void lcFreeBlock(void* Block, size_t Bytes);

template <class T>
struct TlcLargeAllocator {
  using value_type = T;
  TlcLargeAllocator() = default;
  template <class U>
  explicit TlcLargeAllocator(const TlcLargeAllocator<U>&) {}
  T* allocate(size_t Count) { return static_cast<T*>(lcAllocateBlock(Count * sizeof(T))); }
  void deallocate(T* Block, size_t Count) { lcFreeBlock(Block, Count * sizeof(T)); }
  friend bool operator==(const TlcLargeAllocator&, const TlcLargeAllocator&) { return true; }
};

// One such block of bytes, given back when it goes.
class TlcLargeBlock {
 public:
  explicit TlcLargeBlock(size_t Bytes)
      : FSize(Bytes), FData(static_cast<char*>(lcAllocateBlock(Bytes))) {}
  ~TlcLargeBlock() { lcFreeBlock(FData, FSize); }
  TlcLargeBlock(const TlcLargeBlock&) = delete;
  TlcLargeBlock& operator=(const TlcLargeBlock&) = delete;
  char* Data() const { return FData; }
  size_t Size() const { return FSize; }
  std::string_view View() const { return {FData, FSize}; }

 private:
  size_t FSize;
  char* FData;
};
