#pragma once
// A hash table from identifiers (ASCII letters folded, as identifier order compares them) to
// items. The keys live in one contiguous pool, so a look-up touches one slot and one key.
#include <cstdint>
#include <vector>

#include "core/ustring.h"

class TlcKeyIndex {
 public:
  void Reset(size_t Count);
  void* Find(const String& Key) const;  // nullptr when absent
  // Adds Key -> Value; the caller adds each key once.
  void Insert(const String& Key, void* Value);

 private:
  struct Slot {
    uint32_t Hash = 0;
    uint32_t Length = 0;
    uint32_t Offset = 0;
    void* Value = nullptr;
  };
  static uint32_t Hash(const String& Key);
  bool SameKey(const Slot& S, const String& Key) const;

  std::vector<Slot> FSlots;
  std::vector<char16_t> FPool;  // folded keys
  size_t FMask = 0;
};
