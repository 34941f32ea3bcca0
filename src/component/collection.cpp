#include "component/collection.h"

#include <algorithm>
#include <memory>

#include "core/exceptions.h"
#include "core/scope_exit.h"

const TClassType& TCollectionItem::StaticClassType() {
  static const TClassType T(u"TCollectionItem", &TPersistent::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TCollectionItem(dynamic_cast<TCollection*>(Owner));
    };
  });
  return T;
}

TCollectionItem::TCollectionItem(TCollection* ACollection) {
  SetCollection(ACollection);
}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) {
    LeavingCollection();
    FCollection->RemoveItem(this);
  }
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  const auto& Items = FCollection->FItems;
  return static_cast<int>(std::find(Items.begin(), Items.end(), this) - Items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  const int Cur = Index();
  if (Cur < 0 || Cur == Value) return;
  FCollection->CheckIndex(Value);
  auto& Items = FCollection->FItems;
  const auto From = Items.begin() + Cur, To = Items.begin() + Value;
  if (Value < Cur)
    std::rotate(To, From, From + 1);
  else
    std::rotate(From, From + 1, To + 1);
  Changed(true);
}

TPersistent* TCollectionItem::GetOwner() const {
  return FCollection;
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

const TClassType& TCollection::StaticClassType() {
  static const TClassType T(u"TCollection", &TPersistent::StaticClassType());
  return T;
}

TCollection::TCollection(const TClassType& ItemClass, TPersistent* AOwner)
    : FItemClass(ItemClass), FOwner(AOwner) {}

TCollection::~TCollection() {
  // No Update calls from a collection that is going away.
  ++FUpdateCount;
  FreeItems();
}

TCollectionItem* TCollection::Items(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)];
}

TCollectionItem* TCollection::Add() {
  if (!FItemClass.Create)
    throw EInvalidOperation(Format(u"Cannot create an item of class %s", {FItemClass.Name()}));
  std::unique_ptr<TObject> Made(FItemClass.Create(this));
  auto* Item = dynamic_cast<TCollectionItem*>(Made.get());
  if (!Item) throw EInvalidCast(Format(u"%s is not a collection item", {FItemClass.Name()}));
  Made.release();
  Item->SetCollection(this);
  return Item;
}

TCollectionItem* TCollection::Insert(int Index) {
  if (Index < 0 || Index > Count())
    throw EListError(Format(SListIndexError, {static_cast<int64_t>(Index)}));
  TCollectionItem* Item = Add();
  Item->SetIndex(Index);
  return Item;
}

void TCollection::Delete(int Index) {
  CheckIndex(Index);
  delete FItems[static_cast<size_t>(Index)];
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  const TScopeExit Update([this] { EndUpdate(); });
  FreeItems();
}

void TCollection::FreeItems() {
  // Taken out all at once: removing them one by one would search the list for each.
  std::vector<TCollectionItem*> Items;
  Items.swap(FItems);
  for (TCollectionItem* Item : Items) Item->FCollection = nullptr;
  while (!Items.empty()) {
    delete Items.back();
    Items.pop_back();
  }
  // The emptied blocks go now rather than with the collection.
  FItemBlocks.Close();
}

void TCollection::ExchangeItems(int I, int J) {
  CheckIndex(I);
  CheckIndex(J);
  if (I == J) return;
  std::swap(FItems[static_cast<size_t>(I)], FItems[static_cast<size_t>(J)]);
  Changed();
}

void TCollection::Reorder(std::span<const int> Order) {
  // An index twice would leave one item in two places and another in none.
  if (Order.size() != FItems.size()) throw EListError(Format(SListIndexError, {int64_t{Count()}}));
  std::vector<bool> Taken(FItems.size());
  for (const int I : Order) {
    CheckIndex(I);
    if (Taken[static_cast<size_t>(I)]) throw EListError(Format(SListIndexError, {int64_t{I}}));
    Taken[static_cast<size_t>(I)] = true;
  }
  // In place, one cycle of the order after another, so a large collection needs no second list;
  // Taken marks the places still to fill.
  for (size_t Start = 0; Start < FItems.size(); ++Start) {
    if (!Taken[Start]) continue;
    TCollectionItem* const First = FItems[Start];
    size_t K = Start;
    for (;;) {
      Taken[K] = false;
      const auto From = static_cast<size_t>(Order[K]);
      if (From == Start) break;
      FItems[K] = FItems[From];
      K = From;
    }
    FItems[K] = First;
  }
  Changed();
}

void TCollection::Assign(const TPersistent& Source) {
  const auto* Src = dynamic_cast<const TCollection*>(&Source);
  if (!Src) {
    TPersistent::Assign(Source);
    return;
  }
  if (Src == this) return;
  BeginUpdate();
  const TScopeExit Update([this] { EndUpdate(); });
  Clear();
  for (const TCollectionItem* From : Src->FItems) Add()->Assign(*From);
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  // Items mostly leave from the end (Clear, freeing), so the search starts there.
  const auto It = std::find(FItems.rbegin(), FItems.rend(), Item);
  if (It != FItems.rend()) FItems.erase(std::next(It).base());
  Item->FCollection = nullptr;
  Changed();
}

void TCollection::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(Format(SListIndexError, {static_cast<int64_t>(Index)}));
}
