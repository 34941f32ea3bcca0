#include "lang/table/large_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr size_t MB = size_t{1} << 20;

// Blocks on each side of the heap's limit and of a huge page, held at once: each one usable to
// its last byte without touching another, and every mapped block starts on a huge page.
TEST(LargeBlock, EverySizeIsWholeSeparateAndFreed) {
  const std::vector<size_t> Sizes = {64,     MB - 1,     MB,      2 * MB - 1,
                                     2 * MB, 2 * MB + 1, 3600024, 5 * MB};
  std::vector<unsigned char*> Blocks;
  for (size_t I = 0; I < Sizes.size(); ++I) {
    auto* B = static_cast<unsigned char*>(lcAllocateBlock(Sizes[I]));
    std::memset(B, static_cast<int>(I + 1), Sizes[I]);
    if (Sizes[I] >= MB) {
      EXPECT_EQ(reinterpret_cast<uintptr_t>(B) % (2 * MB), 0u) << Sizes[I];
    }
    Blocks.push_back(B);
  }
  for (size_t I = 0; I < Sizes.size(); ++I) {
    EXPECT_EQ(Blocks[I][0], I + 1) << Sizes[I];
    EXPECT_EQ(Blocks[I][Sizes[I] / 2], I + 1) << Sizes[I];
    EXPECT_EQ(Blocks[I][Sizes[I] - 1], I + 1) << Sizes[I];
    lcFreeBlock(Blocks[I], Sizes[I]);
  }
}

// A vector through the allocator grows across both limits and keeps what it held.
TEST(LargeBlock, VectorGrowsAcrossTheLimits) {
  std::vector<uint32_t, TlcLargeAllocator<uint32_t>> V;
  for (uint32_t I = 0; I < 3 * MB; ++I) V.push_back(I * 7u);
  for (uint32_t I = 0; I < V.size(); I += 4099) ASSERT_EQ(V[I], I * 7u);
  EXPECT_EQ(V.back(), (3 * MB - 1) * 7u);
}

}  // namespace
