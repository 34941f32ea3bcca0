#pragma once
// A hash table from identifiers (ASCII letters folded, as identifier order compares them) to
// what answers them. It copies no text: a slot is one word, a pointer of the owner's with a few
// bits of the owner's own beside it, and the owner tells how to read a slot's identifier and
// its hash. Robin Hood probing keeps the runs short, so a miss ends after a slot or two even
// with two thirds taken.
//
// Beside the slots lies a tag of two bytes per slot (how far the slot lies from its home, and
// eight bits of its hash). A probe reads the tags first: they are small enough to stay in the
// cache for a large table, so a miss ends there and a hit reads only the slot that answers.
// Slots of one word stay in the cache up to some hundred thousand keys, so a hit there waits for
// memory once, for what its slot points at; at a million keys (twelve megabytes of slots) it
// waits for its slot first.
//
// A look-up runs for every message a program shows, so hashing and comparing are inline and
// read four code units at a time.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "lang/table/large_block.h"

class TlcKeyIndex {
 public:
  // A pointer aligned to eight bytes or more, its three low bits and the sixteen bits above it
  // (which no user-space pointer uses) the owner's own. Zero: the slot is free.
  class TSlot {
   public:
    TSlot() = default;
    TSlot(const void* Ptr, unsigned LowBits, uint16_t High)
        : FWord(reinterpret_cast<uintptr_t>(Ptr) | LowBits | uint64_t{High} << 48) {
      if ((reinterpret_cast<uintptr_t>(Ptr) & ~PtrBits) != 0 || LowBits > 7)
        throw std::invalid_argument("pointer does not fit a key index slot");
    }
    const void* Ptr() const { return reinterpret_cast<const void*>(FWord & PtrBits); }
    unsigned LowBits() const { return static_cast<unsigned>(FWord & 7); }
    uint16_t High() const { return static_cast<uint16_t>(FWord >> 48); }
    bool Free() const { return FWord == 0; }

   private:
    static constexpr uint64_t PtrBits = ((uint64_t{1} << 48) - 1) & ~uint64_t{7};
    uint64_t FWord = 0;
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

  // Owner.Key(slot) gives a slot's identifier; Owner.Hash(slot) its hash, asked only for a slot
  // farther from its home than its tag tells.

  // Adds an identifier of hash Hash that the table does not hold yet.
  template <class Owner>
  void Insert(TSlot Slot, uint32_t Hash, const Owner& Of) {
    uint16_t Print = Hash & PrintMask;
    size_t I = Home(Hash);
    for (size_t Distance = 0;; ++Distance) {
      TSlot& S = FSlots[I];
      if (S.Free()) {
        S = Slot;
        FTags[I] = TagOf(Print, Distance);
        return;
      }
      // The slot nearer its home gives way, so no identifier lies far from its own.
      if (const size_t Theirs = DistanceAt(I, Of); Theirs < Distance) {
        const uint16_t TheirPrint = FTags[I] & PrintMask;
        std::swap(S, Slot);
        FTags[I] = TagOf(Print, Distance);
        Print = TheirPrint;
        Distance = Theirs;
      }
      if (++I == FSlots.size()) I = 0;
    }
  }

  // A slot with the hash of its identifier, to be placed.
  struct TPlaced {
    TSlot Slot;
    uint32_t Hash;
  };
  template <class Owner>
  void Insert(const TPlaced& P, const Owner& Of) {
    Insert(P.Slot, P.Hash, Of);
  }
  // Adds identifiers the table does not hold yet, none twice. The slots each one may land in
  // are fetched a few identifiers ahead, so a large table fills at the pace of the memory
  // rather than of one read after another.
  template <class Owner>
  void InsertAll(std::span<const TPlaced> Slots, const Owner& Of) {
    constexpr size_t Ahead = 8;
    for (size_t K = 0; K < Slots.size(); ++K) {
      if (K + Ahead < Slots.size()) {
        const size_t Next = Home(Slots[K + Ahead].Hash);
        __builtin_prefetch(&FSlots[Next], 1);
        __builtin_prefetch(&FTags[Next], 1);
      }
      Insert(Slots[K], Of);
    }
  }

  // The slot of Key, or nullptr.
  template <class Owner>
  const TSlot* Find(std::u16string_view Key, const Owner& Of) const {
    const uint32_t H = Hash(Key);
    const uint16_t Print = H & PrintMask;
    size_t I = Home(H);
    // A hit reads the slot at or just after home: fetched while the tags are compared.
    __builtin_prefetch(&FSlots[I]);
    for (size_t Distance = 0;; ++Distance) {
      const uint16_t Tag = FTags[I];
      // Free (0), or nearer its home than the key would be: the key is not in the table.
      const size_t Own = Tag >> PrintBits;
      if (Own <= Distance && (Own != Saturated || DistanceAt(I, Of) < Distance)) return nullptr;
      if ((Tag & PrintMask) == Print && SameKey(Of.Key(FSlots[I]), Key)) return &FSlots[I];
      if (++I == FSlots.size()) I = 0;
    }
  }

 private:
  // A tag: the slot's distance from its home plus one (0: free, Saturated: that far or
  // farther) above eight bits of its hash.
  static constexpr unsigned PrintBits = 8;
  static constexpr uint16_t PrintMask = (1u << PrintBits) - 1;
  static constexpr size_t Saturated = 0xFF;
  static uint16_t TagOf(uint16_t Print, size_t Distance) {
    return static_cast<uint16_t>(std::min(Distance + 1, Saturated) << PrintBits | Print);
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
  // How far the taken slot at At lies from its home.
  template <class Owner>
  size_t DistanceAt(size_t At, const Owner& Of) const {
    const size_t Own = FTags[At] >> PrintBits;
    if (Own != Saturated) return Own - 1;
    const size_t H = Home(Of.Hash(FSlots[At]));
    return At >= H ? At - H : At + FSlots.size() - H;
  }

  std::vector<TSlot, TlcLargeAllocator<TSlot>> FSlots =
      std::vector<TSlot, TlcLargeAllocator<TSlot>>(1);  // never empty: a miss needs no test
  std::vector<uint16_t, TlcLargeAllocator<uint16_t>> FTags =
      std::vector<uint16_t, TlcLargeAllocator<uint16_t>>(1);  // by slot
};
