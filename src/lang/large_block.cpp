#include "lang/large_block.h"

#include <sys/mman.h>

#include <new>

namespace {

constexpr size_t Large = size_t{1} << 20;

}  // namespace

void* lcAllocateBlock(size_t Bytes) {
  if (Bytes < Large) return ::operator new(Bytes);
  void* Block = ::mmap(nullptr, Bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (Block == MAP_FAILED) throw std::bad_alloc();
  return Block;
}

void lcFreeBlock(void* Block, size_t Bytes) {
  if (Bytes < Large)
    ::operator delete(Block);
  else
    ::munmap(Block, Bytes);
}
