#include "component/item_blocks.h"

#include <cstring>
#include <new>

#if __has_include(<sanitizer/asan_interface.h>)
#include <sanitizer/asan_interface.h>
#endif
#ifndef ASAN_POISON_MEMORY_REGION
#define ASAN_POISON_MEMORY_REGION(Address, Size) ((void)(Address), (void)(Size))
#define ASAN_UNPOISON_MEMORY_REGION(Address, Size) ((void)(Address), (void)(Size))
#endif

struct TItemBlocks::TBlock {
  size_t Live;  // items made in it and not yet freed, and one more while it is open
  size_t Used;  // bytes handed out after the block's head
};

namespace {

constexpr size_t Word = sizeof(void*);
// Under the allocator's threshold for mapping a block of its own, so the blocks freed with one
// table are reused by the next instead of faulting fresh pages in.
constexpr size_t BlockBytes = size_t{64} << 10;

size_t Rounded(size_t Size) {
  return (Size + Word - 1) & ~(Word - 1);
}

// The word in front of an item: its block, or null.
void* WordOf(void* Item) {
  return static_cast<char*>(Item) - Word;
}

}  // namespace

void* TItemBlocks::Take(size_t Size) {
  const size_t Need = Word + Rounded(Size);
  const size_t Room = BlockBytes - sizeof(TBlock);
  // An item too large to share a block well comes from the heap.
  if (Need > Room / 8) return Alone(Size);
  if (!FOpen || FOpen->Used + Need > Room) {
    Close();
    FOpen = new (::operator new(BlockBytes)) TBlock{1, 0};
    ASAN_POISON_MEMORY_REGION(FOpen + 1, Room);
  }
  char* const At = reinterpret_cast<char*>(FOpen + 1) + FOpen->Used;
  FOpen->Used += Need;
  ++FOpen->Live;
  ASAN_UNPOISON_MEMORY_REGION(At, Need);
  std::memcpy(At, &FOpen, Word);
  return At + Word;
}

void TItemBlocks::Close() {
  if (!FOpen) return;
  Release(FOpen);
  FOpen = nullptr;
}

void* TItemBlocks::Alone(size_t Size) {
  char* const At = static_cast<char*>(::operator new(Word + Size));
  std::memset(At, 0, Word);
  return At + Word;
}

void TItemBlocks::Free(void* Item, size_t Size) noexcept {
  if (!Item) return;
  TBlock* Block;
  std::memcpy(&Block, WordOf(Item), Word);
  if (!Block) {
    ::operator delete(WordOf(Item));
    return;
  }
  // The room stays in the block until the block goes; a use of it after the item is freed is
  // caught as one of freed memory would be.
  if (Size) ASAN_POISON_MEMORY_REGION(WordOf(Item), Word + Rounded(Size));
  Release(Block);
}

void TItemBlocks::Release(TBlock* Block) noexcept {
  if (--Block->Live == 0) ::operator delete(Block);
}
