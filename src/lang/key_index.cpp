#include "lang/key_index.h"

namespace {

char16_t Fold(char16_t C) {
  return (C >= u'a' && C <= u'z') ? C - 32 : C;
}

}  // namespace

uint32_t TlcKeyIndex::Hash(const String& Key) {
  uint32_t H = 2166136261u;  // FNV-1a over the folded code units
  for (char16_t C : Key) {
    H ^= Fold(C);
    H *= 16777619u;
  }
  return H;
}

bool TlcKeyIndex::SameKey(const Slot& S, const String& Key) const {
  if (S.Length != Key.size()) return false;
  const char16_t* P = FPool.data() + S.Offset;
  for (size_t I = 0; I < Key.size(); ++I)
    if (P[I] != Fold(Key[I])) return false;
  return true;
}

void TlcKeyIndex::Reset(size_t Count) {
  size_t Size = 16;
  while (Size < Count * 2) Size *= 2;
  FSlots.assign(Size, Slot{});
  FPool.clear();
  FMask = Size - 1;
}

void* TlcKeyIndex::Find(const String& Key) const {
  if (FSlots.empty()) return nullptr;
  const uint32_t H = Hash(Key);
  for (size_t I = H & FMask;; I = (I + 1) & FMask) {
    const Slot& S = FSlots[I];
    if (!S.Value) return nullptr;
    if (S.Hash == H && SameKey(S, Key)) return S.Value;
  }
}

void TlcKeyIndex::Insert(const String& Key, void* Value) {
  const uint32_t H = Hash(Key);
  size_t I = H & FMask;
  while (FSlots[I].Value) I = (I + 1) & FMask;
  FSlots[I] =
      Slot{H, static_cast<uint32_t>(Key.size()), static_cast<uint32_t>(FPool.size()), Value};
  for (char16_t C : Key) FPool.push_back(Fold(C));
}
