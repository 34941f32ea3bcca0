#include "lang/key_index.h"

#include <cstring>
#include <utility>

#include "core/ustring.h"

namespace {

// ASCII a..z to upper case without a branch: keys are mostly in one case or the other.
inline uint32_t Fold(char16_t C) {
  return C - ((static_cast<unsigned>(C - u'a') < 26u) << 5);
}

inline uint64_t Mix(uint64_t H, uint64_t Units) {
  H ^= Units;
  H *= 0x9E3779B97F4A7C15ull;
  return H ^ (H >> 29);
}

}  // namespace

uint32_t TlcKeyIndex::Hash(std::u16string_view Key) {
  // Four code units at a time, each with bit 5 cleared: that folds a..z onto A..Z (and a few
  // other pairs that no key tells apart by), so keys equal in identifier order hash alike.
  constexpr uint64_t Case = ~0x0020002000200020ull;
  uint64_t H = Key.size();
  size_t I = 0;
  for (; I + 4 <= Key.size(); I += 4) {
    uint64_t Units;
    std::memcpy(&Units, Key.data() + I, sizeof Units);
    H = Mix(H, Units & Case);
  }
  if (I < Key.size()) {
    uint64_t Units = 0;
    std::memcpy(&Units, Key.data() + I, (Key.size() - I) * sizeof(char16_t));
    H = Mix(H, Units & Case);
  }
  H *= 0xFF51AFD7ED558CCDull;
  return static_cast<uint32_t>(H >> 32);
}

bool TlcKeyIndex::SameKey(std::u16string_view A, std::u16string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t I = 0; I < A.size(); ++I)
    if (A[I] != B[I] && Fold(A[I]) != Fold(B[I])) return false;
  return true;
}

void TlcKeyIndex::Reset(size_t Count) {
  // At most two thirds taken; any size works, as the home slot is scaled, not masked.
  FSlots.assign(Count + Count / 2 + 1, TSlot{});
}

void TlcKeyIndex::Insert(const TSlot& Slot) {
  TSlot Carried = Slot;
  size_t I = Home(Carried.Hash);
  for (size_t Distance = 0;; ++Distance) {
    TSlot& S = FSlots[I];
    if (!S.Ptr) {
      S = Carried;
      return;
    }
    // The slot nearer its home gives way, so no identifier lies far from its own.
    if (const size_t Theirs = DistanceOf(S, I); Theirs < Distance) {
      std::swap(S, Carried);
      Distance = Theirs;
    }
    if (++I == FSlots.size()) I = 0;
  }
}
