#include "lang/table/key_index.h"

void TlcKeyIndex::Reset(size_t Count) {
  // At most two thirds taken; any size works, as the home slot is scaled, not masked.
  FSlots.assign(Count + Count / 2 + 1, TSlot{});
  FTags.assign(FSlots.size(), 0);
}
