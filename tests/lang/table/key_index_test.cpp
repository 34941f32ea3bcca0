#include "lang/table/key_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Slots point at keys; every key hashes as Shared does, so all of them share one run.
struct TSharedHash {
  std::u16string_view Key(const TlcKeyIndex::TSlot& S) const {
    return *static_cast<const std::u16string*>(S.Ptr());
  }
  uint32_t Hash(const TlcKeyIndex::TSlot&) const { return Shared; }
  uint32_t Shared;
};

// Every length up to past two blocks of four, a difference at every place: a letter of the other
// case is the same key and hashes alike, any other unit is another key.
TEST(KeyIndex, KeysDifferingAtAnyPlaceCompareAsIdentifiers) {
  for (size_t N = 1; N <= 10; ++N)
    for (size_t At = 0; At < N; ++At) {
      const std::u16string Key(N, u'k');
      std::u16string Upper = Key, Other = Key, Cyrillic = Key;
      Upper[At] = u'K';
      Other[At] = u'l';
      Cyrillic[At] = u'\u043A';
      EXPECT_TRUE(TlcKeyIndex::SameKey(Key, Upper)) << N << " " << At;
      EXPECT_EQ(TlcKeyIndex::Hash(Key), TlcKeyIndex::Hash(Upper)) << N << " " << At;
      EXPECT_FALSE(TlcKeyIndex::SameKey(Key, Other)) << N << " " << At;
      EXPECT_FALSE(TlcKeyIndex::SameKey(Key, Cyrillic)) << N << " " << At;
    }
  EXPECT_FALSE(TlcKeyIndex::SameKey(u"key", u"keys"));
  EXPECT_TRUE(TlcKeyIndex::SameKey(u"", u""));
}

// Keys that all hash alike run far past what a slot's tag can tell of its distance: the probe
// must still find the last of them and end a miss at the free slot after the run.
TEST(KeyIndex, ARunLongerThanTheTagsCountIsProbedToItsEnd) {
  std::vector<std::u16string> Keys;
  for (int I = 0; I < 600; ++I)
    Keys.push_back(u"F" + std::u16string(1, char16_t(u'A' + I % 26)) +
                   std::u16string(I / 26 + 1, u'x'));
  const TSharedHash Of{TlcKeyIndex::Hash(u"target")};
  TlcKeyIndex Index;
  Index.Reset(Keys.size() + 1);
  for (const auto& K : Keys) Index.Insert({&K, 0, 0}, Of.Shared, Of);
  EXPECT_EQ(Index.Find(u"target", Of), nullptr);

  const std::u16string Target = u"TARGET";
  Index.Insert({&Target, 0, 0}, Of.Shared, Of);
  const TlcKeyIndex::TSlot* Found = Index.Find(u"target", Of);
  ASSERT_NE(Found, nullptr);
  EXPECT_EQ(Found->Ptr(), &Target);
  for (const auto& K : Keys) EXPECT_EQ(Index.Find(K, Of), nullptr) << "hashed apart";
}

}  // namespace
