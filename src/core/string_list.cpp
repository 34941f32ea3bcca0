#include <algorithm>
#include <numeric>

#include <typeinfo>

#include "core/exceptions.h"
#include "core/rtti.h"
#include "core/scope_exit.h"
#include "core/strings.h"

const TClassType& TStringList::StaticClassType() {
  static const TClassType T(u"TStringList", &TStrings::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject*) -> TObject* { return new TStringList; };
  });
  return T;
}

TStringList::~TStringList() {
  OnChange = {};
  OnChanging = {};
  if (FOwnsObjects)
    for (Item& I : FItems) delete I.O;
}

String TStringList::Get(int Index) const {
  return Shared(Index).Str();
}

const TSharedText& TStringList::Shared(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
  return FItems[static_cast<size_t>(Index)].S;
}

void TStringList::Put(int Index, const String& S) {
  if (FSorted) throw EStringListError(SSortedListError);
  if (Index < 0 || Index >= Count()) Error(Index);
  Changing();
  FItems[static_cast<size_t>(Index)].S = TSharedText(S);
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
  return FItems[static_cast<size_t>(Index)].O;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  if (Index < 0 || Index >= Count()) Error(Index);
  Changing();
  FItems[static_cast<size_t>(Index)].O = AObject;
  Changed();
}

int TStringList::Add(const String& S) {
  return AddObject(S, nullptr);
}

int TStringList::AddObject(const String& S, TObject* AObject) {
  int Index = Count();
  if (FSorted && Find(S, Index)) {
    if (FDuplicates == TDuplicates::dupIgnore) return Index;
    if (FDuplicates == TDuplicates::dupError) throw EStringListError(SDuplicateString);
  }
  InsertItem(Index, TSharedText(S), AObject);
  return Index;
}

int TStringList::AddShared(TSharedText S, TObject* AObject) {
  int Index = Count();
  if (FSorted && Find(S.View(), Index)) {
    if (FDuplicates == TDuplicates::dupIgnore) return Index;
    if (FDuplicates == TDuplicates::dupError) throw EStringListError(SDuplicateString);
  }
  InsertItem(Index, std::move(S), AObject);
  return Index;
}

void TStringList::Insert(int Index, const String& S) {
  InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
  if (FSorted) throw EStringListError(SSortedListError);
  if (Index < 0 || Index > Count()) Error(Index);
  InsertItem(Index, TSharedText(S), AObject);
}

void TStringList::InsertItem(int Index, TSharedText S, TObject* O) {
  Changing();
  FItems.insert(FItems.begin() + Index, Item{std::move(S), O});
  Changed();
}

void TStringList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) Error(Index);
  Changing();
  TObject* O = FItems[static_cast<size_t>(Index)].O;
  FItems.erase(FItems.begin() + Index);
  if (FOwnsObjects) delete O;
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  std::vector<Item> Old;
  Old.swap(FItems);
  if (FOwnsObjects)
    for (Item& I : Old) delete I.O;
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  if (Index1 < 0 || Index1 >= Count()) Error(Index1);
  if (Index2 < 0 || Index2 >= Count()) Error(Index2);
  Changing();
  std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
  Changed();
}

int TStringList::IndexOf(const String& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int Index;
  return Find(S, Index) ? Index : -1;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (Value == CaseSensitive()) return;
  TStrings::SetCaseSensitive(Value);
  if (FSorted) {  // sort again under the new comparison
    FSorted = false;
    SetSorted(true);
  }
}

bool TStringList::Find(std::u16string_view S, int& Index) const {
  // The lowest index whose item is not less than S.
  int Low = 0, High = Count();
  while (Low < High) {
    const int Mid = Low + (High - Low) / 2;
    if (CompareStrings(FItems[static_cast<size_t>(Mid)].S.View(), S) < 0)
      Low = Mid + 1;
    else
      High = Mid;
  }
  Index = Low;
  return Low < Count() && CompareStrings(FItems[static_cast<size_t>(Low)].S.View(), S) == 0;
}

void TStringList::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TStringList*>(&Source);
  // A sorted list places each line by its own order and duplicates rule, and a list of a
  // derived class may take its lines apart as they come (a memo splits line breaks).
  if (!Other || Other == this || FSorted || typeid(*this) != typeid(TStringList)) {
    TStrings::Assign(Source);
    return;
  }
  BeginUpdate();
  const TScopeExit Update([this] { EndUpdate(); });
  Clear();
  Changing();
  FItems = Other->FItems;
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (Value == FSorted) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::Sort() {
  CustomSort([](const TStringList& L, int A, int B) {
    return L.CompareStrings(L.FItems[static_cast<size_t>(A)].S.View(),
                            L.FItems[static_cast<size_t>(B)].S.View());
  });
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& Compare) {
  if (FSorted || Count() < 2) return;
  // Sort a permutation so that Compare always sees the items where they were; equal items keep
  // their order.
  std::vector<int> Order(FItems.size());
  std::iota(Order.begin(), Order.end(), 0);
  const auto Less = [&](int A, int B) { return Compare(*this, A, B) < 0; };
  // Files and tables mostly come in order already: one pass then tells that nothing moves,
  // and the list still reports a change as any sort does.
  if (std::is_sorted(Order.begin(), Order.end(), Less)) {
    Changing();
    Changed();
    return;
  }
  std::stable_sort(Order.begin(), Order.end(), Less);
  Changing();
  std::vector<Item> Sorted;
  Sorted.reserve(FItems.size());
  for (int I : Order) Sorted.push_back(std::move(FItems[static_cast<size_t>(I)]));
  FItems.swap(Sorted);
  Changed();
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

void TStringList::Changing() {
  if (UpdateCount() == 0) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0) OnChange(this);
}
