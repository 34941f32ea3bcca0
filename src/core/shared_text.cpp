#include "core/shared_text.h"

#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

TSharedText::TSharedText(std::u16string_view S) {
  if (S.empty()) return;
  if (S.size() > std::numeric_limits<uint32_t>::max()) throw std::length_error("text too long");
  void* Memory = ::operator new(sizeof(TBlock) + S.size() * sizeof(char16_t));
  FBlock = new (Memory) TBlock{{1}, static_cast<uint32_t>(S.size())};
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
  if (FBlock && FBlock->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    FBlock->~TBlock();
    ::operator delete(FBlock);
  }
  FBlock = nullptr;
}
