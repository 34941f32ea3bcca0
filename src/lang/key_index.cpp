#include "lang/key_index.h"

#include <utility>

void TlcKeyIndex::Reset(size_t Count) {
  // At most two thirds taken; any size works, as the home slot is scaled, not masked.
  FSlots.assign(Count + Count / 2 + 1, TSlot{});
  FTags.assign(FSlots.size(), 0);
}

void TlcKeyIndex::Insert(const TSlot& Slot) {
  TSlot Carried = Slot;
  size_t I = Home(Carried.Hash);
  for (size_t Distance = 0;; ++Distance) {
    TSlot& S = FSlots[I];
    if (!S.Ptr) {
      S = Carried;
      FTags[I] = TagOf(S.Hash, Distance);
      return;
    }
    // The slot nearer its home gives way, so no identifier lies far from its own.
    if (const size_t Theirs = DistanceOf(S, I); Theirs < Distance) {
      std::swap(S, Carried);
      FTags[I] = TagOf(S.Hash, Distance);
      Distance = Theirs;
    }
    if (++I == FSlots.size()) I = 0;
  }
}

void TlcKeyIndex::InsertAll(std::span<const TSlot> Slots) {
  constexpr size_t Ahead = 8;
  for (size_t K = 0; K < Slots.size(); ++K) {
    if (K + Ahead < Slots.size()) {
      const size_t Next = Home(Slots[K + Ahead].Hash);
      __builtin_prefetch(&FSlots[Next], 1);
      __builtin_prefetch(&FTags[Next], 1);
    }
    Insert(Slots[K]);
  }
}
