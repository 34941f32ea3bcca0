#pragma once
// Collections: ordered lists of items of one class, owned by the collection, streamed in place
// as a property of their owner.
#include <span>
#include <vector>

#include "component/item_blocks.h"
#include "core/object.h"
#include "core/rtti.h"
#include "core/ustring.h"

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  // Joins ACollection (when given), which then owns the item. Deleting an item takes it out.
  explicit TCollectionItem(TCollection* ACollection);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  // An item is made alone, or among many in its collection's blocks (new (Blocks) T(...));
  // delete frees either.
  static void* operator new(size_t Size) { return TItemBlocks::Alone(Size); }
  static void* operator new(size_t Size, TItemBlocks& Blocks) { return Blocks.Take(Size); }
  static void operator delete(void* Item, size_t Size) { TItemBlocks::Free(Item, Size); }
  static void operator delete(void* Item, TItemBlocks&) { TItemBlocks::Free(Item); }

  TCollection* Collection() const { return FCollection; }
  void SetCollection(TCollection* Value);
  int Index() const;  // -1 outside a collection
  // Moves the item to Value; an index outside the collection raises EListError.
  void SetIndex(int Value);
  int ID() const { return FID; }
  virtual String DisplayName() const { return ClassName(); }
  TPersistent* GetOwner() const override;

 protected:
  // Tells the collection that this item (or, with AllItems, the whole collection) changed.
  void Changed(bool AllItems);
  // Called while the item still belongs to its collection, before SetCollection takes it out.
  virtual void LeavingCollection() {}

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  // ItemClass.Create(collection) makes an item that joins the collection it is given.
  explicit TCollection(const TClassType& ItemClass, TPersistent* AOwner = nullptr);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  const TClassType& ItemClass() const { return FItemClass; }
  int Count() const { return static_cast<int>(FItems.size()); }
  // Checked: an index outside 0..Count-1 raises EListError "List index out of bounds (%d)".
  TCollectionItem* Items(int Index) const;
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  // Same number of items as Source, each given Source's item through Assign.
  void Assign(const TPersistent& Source) override;

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  TPersistent* GetOwner() const override { return FOwner; }

 protected:
  // Called after a change outside BeginUpdate/EndUpdate: Item is the changed item, or null
  // when the collection as a whole changed.
  virtual void Update(TCollectionItem* Item);
  void Changed();
  // Swaps the items at I and J (both checked), as giving the one index J and then the other
  // index I would, in constant time.
  void ExchangeItems(int I, int J);
  // Puts the items in a new order at once: the item at Order[K] becomes item K. Order holds
  // every index once.
  void Reorder(std::span<const int> Order);
  void Reserve(int Count) { FItems.reserve(static_cast<size_t>(Count)); }
  // Where an item that joins among many is made.
  TItemBlocks& ItemBlocks() { return FItemBlocks; }

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void FreeItems();
  void CheckIndex(int Index) const;

  const TClassType& FItemClass;
  TPersistent* FOwner;
  TItemBlocks FItemBlocks;  // before the items: it may only go once they have
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
};
