#include "lang/key_index.h"

uint32_t TlcKeyIndex::Hash(const String& Key) {
  uint32_t H = 2166136261u;  // FNV-1a over the folded code units
  for (char16_t C : Key) {
    H ^= AsciiUpperChar(C);
    H *= 16777619u;
  }
  return H;
}

bool TlcKeyIndex::SameKey(const Slot& S, const String& Key) const {
  if (S.Length != Key.size()) return false;
  const char16_t* P = FPool.data() + S.Offset;
  for (size_t I = 0; I < Key.size(); ++I)
    if (P[I] != AsciiUpperChar(Key[I])) return false;
  return true;
}

void TlcKeyIndex::Reset(size_t Count) {
  size_t Size = 16;
  while (Size < Count * 2) Size *= 2;
  FSlots.assign(Size, Slot{});
  FPool.clear();
  FMask = Size - 1;
}

TlcKeyIndex::TEntry TlcKeyIndex::Find(const String& Key) const {
  if (FSlots.empty()) return {};
  const uint32_t H = Hash(Key);
  for (size_t I = H & FMask;; I = (I + 1) & FMask) {
    const Slot& S = FSlots[I];
    if (!S.Value) return {};
    if (S.Hash == H && SameKey(S, Key))
      return {S.Value, FPool.data() + S.Offset + S.Length, static_cast<int>(S.TextsCount)};
  }
}

void TlcKeyIndex::Insert(const String& Key, void* Value, const TStrings& Texts) {
  const uint32_t H = Hash(Key);
  size_t I = H & FMask;
  while (FSlots[I].Value) I = (I + 1) & FMask;
  FSlots[I] = Slot{H, static_cast<uint32_t>(Key.size()), static_cast<uint32_t>(FPool.size()),
                   static_cast<uint32_t>(Texts.Count()), Value};
  for (char16_t C : Key) FPool.push_back(AsciiUpperChar(C));
  for (int T = 0; T < Texts.Count(); ++T) {
    const String Text = Texts.Get(T);
    const auto Length = static_cast<uint32_t>(Text.size());
    FPool.push_back(static_cast<char16_t>(Length & 0xFFFF));
    FPool.push_back(static_cast<char16_t>(Length >> 16));
    FPool.insert(FPool.end(), Text.begin(), Text.end());
  }
}

String TlcKeyIndex::TextAt(const TEntry& Entry, int Index) {
  const char16_t* P = Entry.Texts;
  for (int T = 0;; ++T) {
    const uint32_t Length = P[0] | (uint32_t{P[1]} << 16);
    if (T == Index) return String(P + 2, Length);
    P += 2 + Length;
  }
}
