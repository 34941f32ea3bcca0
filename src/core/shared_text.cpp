#include "core/shared_text.h"

#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#include "core/text_arena.h"

TSharedText::TSharedText(std::u16string_view S) {
  if (S.empty()) return;
  if (S.size() > std::numeric_limits<uint32_t>::max()) throw std::length_error("text too long");
  const size_t Bytes = sizeof(TBlock) + S.size() * sizeof(char16_t);
  void* Memory = TTextArena::Allocate(Bytes);
  const uint32_t Refs = Memory ? InArena | 1 : 1;
  if (!Memory) Memory = ::operator new(Bytes);
  FBlock = new (Memory) TBlock{{Refs}, static_cast<uint32_t>(S.size())};
  std::memcpy(static_cast<char*>(Memory) + sizeof(TBlock), S.data(), S.size() * sizeof(char16_t));
}

TSharedText& TSharedText::operator=(const TSharedText& Other) noexcept {
  Other.Acquire();
  Release();
  FBlock = Other.FBlock;
  return *this;
}

TSharedText& TSharedText::operator=(TSharedText&& Other) noexcept {
  if (this != &Other) {
    Release();
    FBlock = Other.FBlock;
    Other.FBlock = nullptr;
  }
  return *this;
}

void TSharedText::Release() noexcept {
  if (!FBlock) return;
  if (const uint32_t Refs = FBlock->Refs.fetch_sub(1, std::memory_order_acq_rel);
      (Refs & ~InArena) == 1) {
    FBlock->~TBlock();
    if (Refs & InArena)
      TTextArena::Free(FBlock);
    else
      ::operator delete(FBlock);
  }
  FBlock = nullptr;
}
