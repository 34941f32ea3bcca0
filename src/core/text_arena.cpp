#include "core/text_arena.h"

#include <atomic>
#include <cstdint>
#include <new>

#include "core/huge_pages.h"

namespace {

constexpr size_t ChunkSize = HugePageSize;
constexpr size_t Header = 16;
constexpr size_t Largest = ChunkSize / 32;  // a text larger than this is kept on the heap
constexpr size_t Align = 8;

// At the start of every chunk: its texts, plus one while an arena still fills it.
struct TChunkHeader {
  std::atomic<size_t> Live;
};
static_assert(sizeof(TChunkHeader) <= Header);

thread_local TTextArena* Open = nullptr;
std::atomic<size_t> ChunksAlive{0};

TChunkHeader* HeaderOf(void* Block) {
  return reinterpret_cast<TChunkHeader*>(reinterpret_cast<uintptr_t>(Block) & ~(ChunkSize - 1));
}

void Release(TChunkHeader* Chunk) noexcept {
  if (Chunk->Live.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
  Chunk->~TChunkHeader();
  UnmapPages(Chunk, ChunkSize);
  ChunksAlive.fetch_sub(1, std::memory_order_relaxed);
}

}  // namespace

TTextArena::TTextArena(size_t Bytes) : FOuter(Open), FActive(Bytes >= ChunkSize / 2) {
  Open = this;
}

TTextArena::~TTextArena() {
  if (FChunk) Release(HeaderOf(FChunk));
  Open = FOuter;
}

void TTextArena::NewChunk() {
  char* Chunk = static_cast<char*>(MapHugePages(ChunkSize));
  ChunksAlive.fetch_add(1, std::memory_order_relaxed);
  new (Chunk) TChunkHeader{1};
  if (FChunk) Release(HeaderOf(FChunk));
  FChunk = Chunk;
  FNext = Chunk + Header;
  FEnd = Chunk + ChunkSize;
}

void* TTextArena::Allocate(size_t Bytes) {
  TTextArena* A = Open;
  if (!A || !A->FActive || Bytes > Largest) return nullptr;
  Bytes = (Bytes + Align - 1) & ~(Align - 1);
  if (static_cast<size_t>(A->FEnd - A->FNext) < Bytes) A->NewChunk();
  HeaderOf(A->FChunk)->Live.fetch_add(1, std::memory_order_relaxed);
  void* Block = A->FNext;
  A->FNext += Bytes;
  return Block;
}

void TTextArena::Free(void* Block) noexcept {
  Release(HeaderOf(Block));
}

size_t TTextArena::Chunks() {
  return ChunksAlive.load(std::memory_order_relaxed);
}
