#pragma once
// Texts made together in bulk (a translation table read at start) placed side by side on huge
// pages, one chunk of a huge page after another. A program then reads them scattered, one per
// message; on small pages nearly every such read also missed the address translation.
//
// An arena is opened on a thread for as long as the texts are made; what is made meanwhile
// comes from it. A chunk needs no owner: it counts the texts in it and goes back to the system
// with the last of them (texts copied elsewhere keep it), so an arena may close while its
// texts live on. Room of a text that goes is not used again; the texts of a table go together.
#include <cstddef>

class TTextArena {
 public:
  // For about Bytes of texts: too few to fill a chunk stay on the heap.
  explicit TTextArena(size_t Bytes);
  ~TTextArena();
  TTextArena(const TTextArena&) = delete;
  TTextArena& operator=(const TTextArena&) = delete;

  // Room for Bytes, aligned to eight, from the arena open on this thread; nullptr when none is
  // open or the text is too large to share a chunk.
  static void* Allocate(size_t Bytes);
  // Gives back room that Allocate gave.
  static void Free(void* Block) noexcept;
  // The chunks alive in the process.
  static size_t Chunks();

 private:
  void NewChunk();

  TTextArena* FOuter;
  bool FActive;
  char* FChunk = nullptr;
  char* FNext = nullptr;
  char* FEnd = nullptr;
};
