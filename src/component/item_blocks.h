#pragma once
// Blocks a collection makes its items in when it adds many at once: one allocation for a few
// thousand items instead of one each. Every item carries one word in front of it, its block or
// null when it came from the heap alone, so any item is freed the same way wherever it was made
// and whichever collection it belongs to by then. A block goes back when its last item has been
// freed and no more are made in it.
#include <cstddef>

class TItemBlocks {
 public:
  TItemBlocks() = default;
  ~TItemBlocks() { Close(); }
  TItemBlocks(const TItemBlocks&) = delete;
  TItemBlocks& operator=(const TItemBlocks&) = delete;

  // Room for an item of Size bytes in the open block, or in a new one when it is full.
  void* Take(size_t Size);
  // No more items in the open block: it goes once its items have.
  void Close();

  // Room for an item of its own on the heap.
  static void* Alone(size_t Size);
  // Frees the room of an item made by Take or Alone; Size, when known, is the item's.
  static void Free(void* Item, size_t Size = 0) noexcept;

 private:
  struct TBlock;
  static void Release(TBlock* Block) noexcept;

  TBlock* FOpen = nullptr;
};
