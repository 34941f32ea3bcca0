#pragma once
// An immutable text held by reference: a copy costs a reference count, not the characters, so
// a list and the indexes built over it hold each text once. The empty text holds no block; a
// text made while a text arena is open on the thread lies in the arena's chunk.
#include <atomic>
#include <cstdint>
#include <string_view>

#include "core/ustring.h"

class TSharedText {
 public:
  TSharedText() = default;
  explicit TSharedText(std::u16string_view S);
  TSharedText(const TSharedText& Other) noexcept : FBlock(Other.FBlock) { Acquire(); }
  TSharedText(TSharedText&& Other) noexcept : FBlock(Other.FBlock) { Other.FBlock = nullptr; }
  TSharedText& operator=(const TSharedText& Other) noexcept;
  TSharedText& operator=(TSharedText&& Other) noexcept;
  ~TSharedText() { Release(); }

  std::u16string_view View() const { return ViewOf(FBlock); }
  String Str() const { return String(View()); }
  bool Empty() const { return FBlock == nullptr; }

  // The text borrowed, without a reference: valid while a holder of the text lives. An index
  // keeps it in place of the holder, one pointer that leads straight to the characters.
  const void* Borrow() const { return FBlock; }
  // The characters of a borrowed text, without reading its length.
  static const char16_t* DataOf(const void* Borrowed) {
    return reinterpret_cast<const char16_t*>(static_cast<const TBlock*>(Borrowed) + 1);
  }
  static std::u16string_view ViewOf(const void* Borrowed) {
    const auto* B = static_cast<const TBlock*>(Borrowed);
    return B ? std::u16string_view(reinterpret_cast<const char16_t*>(B + 1), B->Length)
             : std::u16string_view();
  }

 private:
  // A block made in a text arena (core/text_arena.h) says so in the top bit of its count.
  static constexpr uint32_t InArena = 1u << 31;
  struct TBlock {
    std::atomic<uint32_t> Refs;
    uint32_t Length;  // the characters follow the block
  };
  void Acquire() const noexcept {
    if (FBlock) FBlock->Refs.fetch_add(1, std::memory_order_relaxed);
  }
  void Release() noexcept;

  TBlock* FBlock = nullptr;
};
