#pragma once
// A hash table from identifiers (ASCII letters folded, as identifier order compares them) to
// what answers them. It copies no text: a slot holds one pointer, its hash and a few words of
// the owner's own, and the owner tells how to read a slot's identifier. Robin Hood probing
// keeps the runs short, so a miss ends after a slot or two even with two thirds taken.
//
// Beside the slots lies a tag of two bytes per slot (how far the slot lies from its home, and
// eight bits of its hash). A probe reads the tags first: they are small enough to stay in the
// cache for a large table, so a miss ends there and a hit reads only the slot that answers.
//
// A look-up runs for every message a program shows, so hashing and comparing are inline and
// read four code units at a time.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "lang/large_block.h"

class TlcKeyIndex {
 public:
  struct TSlot {
    const void* Ptr = nullptr;  // null: the slot is free
    uint32_t Hash = 0;
    uint32_t Info = 0;       // the owner's own
    uint16_t Marks[4] = {};  // the owner's own
  };

  static uint32_t Hash(std::u16string_view Key) {
    // Each code unit with bit 5 cleared: that folds a..z onto A..Z (and a few other pairs that
    // no key tells apart by), so keys equal in identifier order hash alike.
    constexpr uint64_t Case = ~0x0020002000200020ull;
    const char16_t* P = Key.data();
    const size_t N = Key.size();
    uint64_t H = N;
    if (N < 4) {
      uint64_t Short = 0;
      for (size_t I = 0; I < N; ++I) Short |= uint64_t{P[I]} << (16 * I);
      return Final(Mix(H, Short & Case));
    }
    // Four code units at a time; the last four are read where they end.
    for (size_t I = 0; I + 4 < N; I += 4) H = Mix(H, Units(P + I) & Case);
    return Final(Mix(H, Units(P + N - 4) & Case));
  }

  // Equal in identifier order. Keys are mostly asked in the case they are stored in, so four
  // equal code units are passed over at once and only a difference is folded; the last four
  // are read where they end, so no unit is compared alone.
  static bool SameKey(std::u16string_view A, std::u16string_view B) {
    if (A.size() != B.size()) return false;
    const size_t N = A.size();
    if (N < 4) return SameFolded(A, B, 0, N);
    for (size_t I = 0; I + 4 < N; I += 4)
      if (Units(A.data() + I) != Units(B.data() + I) && !SameFolded(A, B, I, I + 4)) return false;
    return Units(A.data() + N - 4) == Units(B.data() + N - 4) || SameFolded(A, B, N - 4, N);
  }

  // Empties the table and makes room for Count identifiers.
  void Reset(size_t Count);
  // Adds an identifier the table does not hold yet.
  void Insert(const TSlot& Slot);
  // Adds identifiers the table does not hold yet, none twice. The slots each one may land in
  // are fetched a few identifiers ahead, so a large table fills at the pace of the memory
  // rather than of one read after another.
  void InsertAll(std::span<const TSlot> Slots);
  // The slot of Key, or nullptr; KeyOf(slot) gives a slot's identifier.
  template <class KeyOf>
  const TSlot* Find(std::u16string_view Key, const KeyOf& KeyOfSlot) const {
    const uint32_t H = Hash(Key);
    const uint16_t Print = H & PrintMask;
    size_t I = Home(H);
    // A hit reads the slot at or just after home: fetched while the tags are compared.
    __builtin_prefetch(&FSlots[I]);
    for (size_t Distance = 0;; ++Distance) {
      const uint16_t Tag = FTags[I];
      // Free (0), or nearer its home than the key would be: the key is not in the table. A
      // distance too far for the tag is read from the slot's hash.
      const size_t Own = Tag >> PrintBits;
      if (Own <= Distance && (Own != Saturated || DistanceOf(FSlots[I], I) < Distance))
        return nullptr;
      if ((Tag & PrintMask) == Print) {
        const TSlot& S = FSlots[I];
        if (S.Hash == H && SameKey(KeyOfSlot(S), Key)) return &S;
      }
      if (++I == FSlots.size()) I = 0;
    }
  }

 private:
  // A tag: the slot's distance from its home plus one (0: free, Saturated: that far or
  // farther) above eight bits of its hash.
  static constexpr unsigned PrintBits = 8;
  static constexpr uint16_t PrintMask = (1u << PrintBits) - 1;
  static constexpr size_t Saturated = 0xFF;
  static uint16_t TagOf(uint32_t Hash, size_t Distance) {
    return static_cast<uint16_t>(std::min(Distance + 1, Saturated) << PrintBits |
                                 (Hash & PrintMask));
  }

  static uint64_t Units(const char16_t* P) {
    uint64_t U;
    std::memcpy(&U, P, sizeof U);
    return U;
  }
  static uint32_t Final(uint64_t H) {
    return static_cast<uint32_t>((H * 0xFF51AFD7ED558CCDull) >> 32);
  }
  static uint64_t Mix(uint64_t H, uint64_t Units) {
    H ^= Units;
    H *= 0x9E3779B97F4A7C15ull;
    return H ^ (H >> 29);
  }
  static char16_t Fold(char16_t C) { return (C >= u'a' && C <= u'z') ? C - 32 : C; }
  static bool SameFolded(std::u16string_view A, std::u16string_view B, size_t From, size_t To) {
    for (size_t I = From; I < To; ++I)
      if (A[I] != B[I] && Fold(A[I]) != Fold(B[I])) return false;
    return true;
  }
  size_t Home(uint32_t H) const { return static_cast<size_t>((uint64_t{H} * FSlots.size()) >> 32); }
  size_t DistanceOf(const TSlot& S, size_t At) const {
    const size_t H = Home(S.Hash);
    return At >= H ? At - H : At + FSlots.size() - H;
  }

  std::vector<TSlot, TlcLargeAllocator<TSlot>> FSlots =
      std::vector<TSlot, TlcLargeAllocator<TSlot>>(1);  // never empty: a miss needs no test
  std::vector<uint16_t, TlcLargeAllocator<uint16_t>> FTags =
      std::vector<uint16_t, TlcLargeAllocator<uint16_t>>(1);  // by slot
};
