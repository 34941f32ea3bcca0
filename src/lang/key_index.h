#pragma once
// A hash table from identifiers (ASCII letters folded, as identifier order compares them) to
// what answers them. It copies no text: a slot holds one pointer, its hash and a few words of
// the owner's own, and the owner tells how to read a slot's identifier. Robin Hood probing
// keeps the runs short, so a miss ends after a slot or two even with two thirds taken.
#include <cstdint>
#include <string_view>
#include <vector>

class TlcKeyIndex {
 public:
  struct TSlot {
    const void* Ptr = nullptr;  // null: the slot is free
    uint32_t Hash = 0;
    uint32_t Info = 0;       // the owner's own
    uint16_t Marks[4] = {};  // the owner's own
  };

  static uint32_t Hash(std::u16string_view Key);
  static bool SameKey(std::u16string_view A, std::u16string_view B);  // in identifier order

  // Empties the table and makes room for Count identifiers.
  void Reset(size_t Count);
  // Adds an identifier the table does not hold yet.
  void Insert(const TSlot& Slot);
  // The slot of Key, or nullptr; KeyOf(slot) gives a slot's identifier.
  template <class KeyOf>
  const TSlot* Find(std::u16string_view Key, const KeyOf& KeyOfSlot) const {
    if (FSlots.empty()) return nullptr;
    const uint32_t H = Hash(Key);
    size_t I = Home(H);
    for (size_t Distance = 0;; ++Distance) {
      const TSlot& S = FSlots[I];
      if (S.Hash == H && S.Ptr && SameKey(KeyOfSlot(S), Key)) return &S;
      if (!S.Ptr || DistanceOf(S, I) < Distance) return nullptr;
      if (++I == FSlots.size()) I = 0;
    }
  }

 private:
  size_t Home(uint32_t H) const { return static_cast<size_t>((uint64_t{H} * FSlots.size()) >> 32); }
  size_t DistanceOf(const TSlot& S, size_t At) const {
    const size_t H = Home(S.Hash);
    return At >= H ? At - H : At + FSlots.size() - H;
  }

  std::vector<TSlot> FSlots;
};
