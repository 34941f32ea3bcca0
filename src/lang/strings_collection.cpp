#include "lang/strings_collection.h"

#include "core/rtti.h"
#include "lang/c_escapes.h"
#include "lang/custom_lang.h"
#include "lang/lang_types.h"
#include "lang/translation_line.h"

const TClassType& TlcSortCollection::StaticClassType() {
  static const TClassType T(u"TlcSortCollection", &TCollection::StaticClassType());
  return T;
}

void TlcSortCollection::QuickSort(int L, int R, const TlcItemCompare& Compare) {
  int I;
  do {
    I = L;
    int J = R;
    TCollectionItem* P = Items(static_cast<int>((static_cast<unsigned>(L) + R) >> 1));
    do {
      while (Compare(Items(I), P) < 0) ++I;
      while (Compare(Items(J), P) > 0) --J;
      if (I <= J) {
        TCollectionItem* AtJ = Items(J);
        Items(I)->SetIndex(J);
        AtJ->SetIndex(I);
        ++I;
        --J;
      }
    } while (I <= J);
    if (L < J) QuickSort(L, J, Compare);
    L = I;
  } while (I < R);
}

void TlcSortCollection::SortItems(const TlcItemCompare& Compare) {
  if (Count() == 0) return;
  BeginUpdate();
  struct Ender {
    TCollection& C;
    ~Ender() { C.EndUpdate(); }
  } End{*this};
  QuickSort(0, Count() - 1, Compare);
}

const TClassType& TlcStringsCollectionItem::StaticClassType() {
  static const TClassType T(
      u"TlcStringsCollectionItem", &TCollectionItem::StaticClassType(), [](TClassType& C) {
        C.Create = [](TObject* Owner) -> TObject* {
          return new TlcStringsCollectionItem(dynamic_cast<TCollection*>(Owner));
        };
      });
  return T;
}

TlcStringsCollectionItem::TlcStringsCollectionItem(TCollection* ACollection)
    : TCollectionItem(ACollection) {
  // The collection's index keeps a copy of the texts: a change of them is a change of the item.
  FValues->OnChange = TNotifyEvent([this](TObject*) { Changed(false); });
}

TlcStringsCollectionItem::~TlcStringsCollectionItem() {
  FValues->OnChange = {};
}

void TlcStringsCollectionItem::SetID(const String& Value) {
  FID = Value;
  Changed(false);
}

const TClassType& TlcStringsCollection::StaticClassType() {
  static const TClassType T(u"TlcStringsCollection", &TlcSortCollection::StaticClassType());
  return T;
}

TlcStringsCollection::TlcStringsCollection(TComponent* AOwner)
    : TlcSortCollection(TlcStringsCollectionItem::StaticClassType(), AOwner), FOwner(AOwner) {}

TlcStringsCollectionItem* TlcStringsCollection::Items(int Index) const {
  return static_cast<TlcStringsCollectionItem*>(TCollection::Items(Index));
}

TlcStringsCollectionItem* TlcStringsCollection::Add() {
  return static_cast<TlcStringsCollectionItem*>(TCollection::Add());
}

TlcStringsCollectionItem* TlcStringsCollection::Add(const String& ATextID) {
  if (!FSorted) {
    TlcStringsCollectionItem* Item = Add();
    Item->SetID(ATextID);
    return Item;
  }
  int Index = 0;
  if (FindID(ATextID, Index)) return Items(Index);
  TlcStringsCollectionItem* Item = Add();
  Item->SetID(ATextID);
  Item->SetIndex(Index);
  return Item;
}

int TlcStringsCollection::GetIDIndex(const String& TextID) const {
  for (int I = 0; I < Count(); ++I)
    if (lcCompareText(Items(I)->ID(), TextID) == 0) return I;
  return -1;
}

bool TlcStringsCollection::FindID(const String& S, int& Index) const {
  int Lo = 0, Hi = Count() - 1;
  while (Lo <= Hi) {
    const int Mid = (Lo + Hi) / 2;
    const int C = lcCompareText(Items(Mid)->ID(), S);
    if (C < 0) {
      Lo = Mid + 1;
    } else {
      Hi = Mid - 1;
      if (C == 0) {
        Index = Mid;
        return true;
      }
    }
  }
  Index = Lo;
  return false;
}

template <class Key, class Cmp>
bool TlcStringsCollection::Bisect(const Key& KeyOf, const String& Value, const Cmp& Compare,
                                  TlcStringsCollectionItem*& Found) const {
  if (Count() == 0) return false;
  int Lo = 0, Hi = Count() - 1;
  do {
    const int Mid = (Lo + Hi) / 2;
    const int C = Compare(KeyOf(*Items(Mid)), Value);
    if (C == 0) {
      Found = Items(Mid);
      return true;
    }
    if (C < 0) {
      if (Lo != Mid) {
        Lo = Mid;
      } else {
        // At most two items remain: the upper neighbour is tested directly.
        if (Mid + 1 < Count() && Compare(KeyOf(*Items(Mid + 1)), Value) == 0) {
          Found = Items(Mid + 1);
          return true;
        }
        return false;
      }
    } else {
      Hi = Mid;
    }
  } while (Lo < Hi);
  return false;
}

void TlcStringsCollection::Update(TCollectionItem* Item) {
  TlcSortCollection::Update(Item);
  FIndexValid = false;
}

TlcStringsCollectionItem* TlcStringsCollection::BisectByID(const String& ID) const {
  TlcStringsCollectionItem* Item = nullptr;
  Bisect([](const TlcStringsCollectionItem& I) -> const String& { return I.ID(); }, ID,
         lcCompareText, Item);
  return Item;
}

TlcKeyIndex::TEntry TlcStringsCollection::Lookup(const String& ID) const {
  if (!FIndexValid) {
    // Every identifier gets the item the bisection reaches for it, so the index answers
    // exactly as the search does, duplicates and unsorted collections included.
    FIndex.Reset(static_cast<size_t>(Count()));
    for (int I = 0; I < Count(); ++I) {
      const String& Key = Items(I)->ID();
      if (FIndex.Find(Key).Value) continue;
      if (TlcStringsCollectionItem* Answer = BisectByID(Key))
        FIndex.Insert(Key, Answer, *Answer->Values());
    }
    FIndexValid = true;
  }
  return FIndex.Find(ID);
}

TlcStringsCollectionItem* TlcStringsCollection::FindByID(const String& ID) const {
  if (UpdateCount() > 0) return BisectByID(ID);
  return static_cast<TlcStringsCollectionItem*>(Lookup(ID).Value);
}

bool TlcStringsCollection::FindTranslation(const String& ID, int RetLang, String& Text) const {
  if (UpdateCount() > 0) {
    const TlcStringsCollectionItem* Item = BisectByID(ID);
    if (!Item) return false;
    Text = Item->Values()->Get(RetLang - 1);
    return true;
  }
  const TlcKeyIndex::TEntry E = Lookup(ID);
  if (!E.Value) return false;
  // A language the item has no text for raises the list's index error, as reading it would.
  Text = RetLang >= 1 && RetLang <= E.Count
             ? TlcKeyIndex::TextAt(E, RetLang - 1)
             : static_cast<TlcStringsCollectionItem*>(E.Value)->Values()->Get(RetLang - 1);
  return true;
}

String TlcStringsCollection::GetTranslationByID(const String& ID, int RetLang) const {
  String Text;
  FindTranslation(ID, RetLang, Text);
  return Text;
}

bool TlcStringsCollection::UsedInCPP() const {
  const auto* Lang = dynamic_cast<const TlcCustomLang*>(FOwner);
  return Lang && Lang->UsedInCPP;
}

String TlcStringsCollection::LanguageKey(const TlcStringsCollectionItem& Item) const {
  const String Key = Item.Values()->Get(SortID - 1);
  return UsedInCPP() ? DecodeCEscapes(Key) : Key;
}

String TlcStringsCollection::GetTranslationByLang2(const String& LangValue, int RetLang) const {
  TlcStringsCollectionItem* Item = nullptr;
  if (!Bisect([this](const TlcStringsCollectionItem& I) { return LanguageKey(I); }, LangValue,
              lcCompareStr, Item))
    return {};
  const String R = Item->Values()->Get(RetLang - 1);
  return UsedInCPP() ? DecodeCEscapes(R) : R;
}

String TlcStringsCollection::GetTranslationByLang(const String& LangValue, int RetLang) const {
  TlcStringsCollectionItem* Item = nullptr;
  if (!Bisect([this](const TlcStringsCollectionItem& I) { return LanguageKey(I); }, LangValue,
              lcCompareStr, Item))
    return UsedInCPP() ? DecodeCEscapes(LangValue) : LangValue;
  const String R = Item->Values()->Get(RetLang - 1);
  return UsedInCPP() ? DecodeCEscapes(R) : R;
}

int TlcStringsCollection::CompareByID(TCollectionItem* A, TCollectionItem* B) const {
  return lcCompareText(static_cast<TlcStringsCollectionItem*>(A)->ID(),
                       static_cast<TlcStringsCollectionItem*>(B)->ID());
}

int TlcStringsCollection::CompareByLanguage(TCollectionItem* A, TCollectionItem* B) const {
  if (SortID == 0) return 0;
  auto Text = [this](TCollectionItem* I) {
    const TStrings* V = static_cast<TlcStringsCollectionItem*>(I)->Values();
    const String T = V->Count() >= SortID ? V->Get(SortID - 1) : String();
    return UsedInCPP() ? DecodeCEscapes(T) : T;
  };
  return lcCompareStr(Text(A), Text(B));
}

void TlcStringsCollection::Sort(bool ForceSort) {
  if (FSorted && !ForceSort) return;
  if (SortID == 0)
    SortItems([this](TCollectionItem* A, TCollectionItem* B) { return CompareByID(A, B); });
  else
    SortItems([this](TCollectionItem* A, TCollectionItem* B) { return CompareByLanguage(A, B); });
  FSorted = true;
}

// ---- The component's side ----------------------------------------------------------------

void TlcCustomLang::RebuildStringsCollection(TlcStringsCollection& Collection, int SortID) {
  Collection.Clear();
  for (int I = 0; I < FStrings->Count(); ++I) {
    const String Line = FStrings->Get(I);
    TlcStringsCollectionItem* Item = Collection.Add();
    Item->SetID(GetField(Line, FLangDelim, 0));
    for (int K = 1; K <= FNumLang; ++K) Item->Values()->Add(GetField(Line, FLangDelim, K));
  }
  Collection.SortID = SortID;
  Collection.Sort(true);
}

String TlcCustomLang::MakeValuesForColumn(const String& Text, int Column) const {
  const char16_t D = FLangDelim;
  String R;
  for (int I = 1; I <= FNumLang; ++I) {
    if (I == Column) R += Text;
    R += D;
  }
  return R;
}
