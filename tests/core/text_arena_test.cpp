#include "core/text_arena.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/shared_text.h"

namespace {

String Numbered(size_t I, size_t Pad = 40) {
  const std::string N = std::to_string(I);
  return String(N.begin(), N.end()) + String(Pad, u'x');
}

// Texts of a large load fill several chunks; each chunk stays while any text in it (or a copy
// of one) lives, also after the arena has closed, and goes back with the last of them.
TEST(TextArena, ChunksGoWithTheirLastText) {
  const size_t Before = TTextArena::Chunks();
  std::vector<TSharedText> Texts;
  {
    const TTextArena Arena(8 << 20);
    for (size_t I = 0; I < 40000; ++I) Texts.emplace_back(Numbered(I));
    EXPECT_GE(TTextArena::Chunks() - Before, 2u);
  }
  const size_t Filled = TTextArena::Chunks();
  for (size_t I = 0; I < Texts.size(); ++I) ASSERT_EQ(Texts[I].View(), Numbered(I)) << I;
  EXPECT_EQ(reinterpret_cast<uintptr_t>(Texts[1].Borrow()) % 8, 0u);

  const TSharedText Heap(u"made after the arena closed");
  EXPECT_EQ(TTextArena::Chunks(), Filled);

  TSharedText Kept = Texts.front();
  Texts.clear();
  EXPECT_EQ(TTextArena::Chunks(), Before + 1);
  EXPECT_EQ(Kept.View(), Numbered(0));
  Kept = TSharedText();
  EXPECT_EQ(TTextArena::Chunks(), Before);
}

// A load too small to fill a chunk, and a text too large to share one, stay on the heap; an
// arena opened inside another takes over until it closes.
TEST(TextArena, SmallLoadsLargeTextsAndNestedArenas) {
  const size_t Before = TTextArena::Chunks();
  {
    const TTextArena Small(4096);
    const TSharedText T(u"small");
    EXPECT_EQ(TTextArena::Chunks(), Before);
  }
  const TTextArena Outer(8 << 20);
  const TSharedText Large(String(size_t{1} << 19, u'L'));
  EXPECT_EQ(TTextArena::Chunks(), Before);
  EXPECT_EQ(Large.View().size(), size_t{1} << 19);
  {
    const TTextArena Inner(100);
    const TSharedText T(u"inner");
    EXPECT_EQ(TTextArena::Chunks(), Before);
  }
  const TSharedText T(u"outer");
  EXPECT_EQ(TTextArena::Chunks(), Before + 1);
}

}  // namespace
