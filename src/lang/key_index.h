#pragma once
// A hash table from identifiers (ASCII letters folded, as identifier order compares them) to
// items and a copy of their texts. Each key is followed by its texts in one pool, so a look-up
// touches one slot and one run of the pool.
#include <cstdint>
#include <vector>

#include "core/strings.h"
#include "core/ustring.h"

class TlcKeyIndex {
 public:
  struct TEntry {
    void* Value = nullptr;
    const char16_t* Texts = nullptr;  // each text: its length in two code units, its code units
    int Count = 0;                    // texts, one per language
  };
  // Text Index (from 0) of an entry; Index must be below Count.
  static String TextAt(const TEntry& Entry, int Index);

  void Reset(size_t Count);
  TEntry Find(const String& Key) const;  // Value is nullptr when absent
  // Adds Key -> Value with a copy of Texts; the caller adds each key once.
  void Insert(const String& Key, void* Value, const TStrings& Texts);

 private:
  struct Slot {
    uint32_t Hash = 0;
    uint32_t Length = 0;
    uint32_t Offset = 0;  // the key in the pool; its texts follow it
    uint32_t TextsCount = 0;
    void* Value = nullptr;
  };
  static uint32_t Hash(const String& Key);
  bool SameKey(const Slot& S, const String& Key) const;

  std::vector<Slot> FSlots;
  std::vector<char16_t> FPool;  // folded keys, each followed by its texts
  size_t FMask = 0;
};
