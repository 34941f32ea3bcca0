#include "component/item_blocks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "component/collection.h"
#include "test_classes.h"

namespace {

// A collection that makes its items among many, as a table's loader does.
class TBlockItems : public TTestItems {
 public:
  using TTestItems::TTestItems;
  TTestItem* AddInBlock(int Value) {
    auto* Item = new (ItemBlocks()) TTestItem(this);
    Item->SetValue(Value);
    Item->SetCaption(u"item " + IntToStr(Value));
    return Item;
  }
  TItemBlocks& Blocks() { return ItemBlocks(); }
};

bool Holds(const TTestItem& Item, int Value) {
  return Item.Value() == Value && Item.Caption() == u"item " + IntToStr(Value);
}

// Items made in blocks, several blocks' worth, mixed with items made alone: each one freed
// alone, deleted by index, moved to another collection that outlives their own, or cleared;
// every survivor keeps what it held. The sanitizers' build also checks that each room is given
// back once and never read after.
TEST(ItemBlocks, ItemsMadeAmongManyLiveAndGoAlone) {
  auto Mine = std::make_unique<TBlockItems>(nullptr);
  TTestItems Other(nullptr);
  constexpr int N = 6000;
  for (int I = 0; I < N; ++I) {
    if (I % 100 == 0) static_cast<TTestItem*>(Mine->Add())->SetValue(-I - 1);
    Mine->AddInBlock(I);
  }
  delete Mine->Item(5);
  Mine->Delete(Mine->Count() - 1);
  std::vector<int> Moved;
  for (int I = 0; I < 40; ++I) {
    TTestItem* Item = Mine->Item(I * 97);
    Moved.push_back(Item->Value());
    Item->SetCollection(&Other);
  }
  for (int I = 0; I < Mine->Count(); I += 2) delete Mine->Item(I);
  Mine.reset();
  ASSERT_EQ(Other.Count(), 40);
  for (int I = 0; I < 40; ++I)
    if (Moved[static_cast<size_t>(I)] >= 0) {
      EXPECT_TRUE(Holds(*Other.Item(I), Moved[static_cast<size_t>(I)])) << I;
    }

  TBlockItems Again(nullptr);
  for (int Round = 0; Round < 3; ++Round) {
    for (int I = 0; I < N; ++I) Again.AddInBlock(I);
    Again.Item(N / 2)->SetCollection(&Other);
    Again.Clear();
  }
  for (int I = 0; I < 2000; ++I) Again.AddInBlock(I);
  ASSERT_EQ(Other.Count(), 43);
  for (int I = 40; I < 43; ++I) EXPECT_TRUE(Holds(*Other.Item(I), N / 2));
  for (int I = 0; I < Again.Count(); ++I) ASSERT_TRUE(Holds(*Again.Item(I), I));
}

// Rooms too large to share a block come from the heap; a failed construction gives its room back.
TEST(ItemBlocks, LargeRoomsAndFailedItems) {
  TItemBlocks Blocks;
  void* Small = Blocks.Take(40);
  void* Large = Blocks.Take(size_t{1} << 20);
  std::memset(Large, 1, size_t{1} << 20);
  TItemBlocks::Free(Large, size_t{1} << 20);
  TItemBlocks::Free(Small, 40);

  struct TFailing : TCollectionItem {
    explicit TFailing(TCollection* C) : TCollectionItem(C) { throw std::runtime_error("no"); }
  };
  TBlockItems Items(nullptr);
  Items.AddInBlock(1);
  EXPECT_THROW(new (Items.Blocks()) TFailing(&Items), std::runtime_error);
  EXPECT_EQ(Items.Count(), 1);
}

}  // namespace
