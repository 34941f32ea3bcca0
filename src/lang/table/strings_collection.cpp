#include "lang/table/strings_collection.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/exceptions.h"
#include "core/rtti.h"
#include "core/scope_exit.h"
#include "lang/custom_lang.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/files/c_escapes.h"
#include "lang/lang_types.h"
#include "lang/switch/test_mode.h"
#include "lang/table/large_block.h"

namespace {

// The collections' partition sort over positions L to R. PivotAt(I) takes the pivot (the item
// in the middle, kept as it is while items move), Compare(I, Pivot) compares the item at I with
// it, Exchange(I, J) swaps two positions and SortLeft(L, J) sorts the left part. Not stable:
// which of two equal items ends first follows from these steps alone, and the look-ups' answers
// for a duplicate identifier follow from that order, so every sort goes through here.
template <class PivotAt, class Compare, class Exchange, class SortLeft>
void PartitionSort(int L, int R, const PivotAt& PivotAtIndex, const Compare& CompareWith,
                   const Exchange& Swap, const SortLeft& SortLeftPart) {
  int I;
  do {
    I = L;
    int J = R;
    const auto Pivot = PivotAtIndex(static_cast<int>((static_cast<unsigned>(L) + R) >> 1));
    do {
      while (CompareWith(I, Pivot) < 0) ++I;
      while (CompareWith(J, Pivot) > 0) --J;
      if (I <= J) {
        Swap(I, J);
        ++I;
        --J;
      }
    } while (I <= J);
    if (L < J) SortLeftPart(L, J);
    L = I;
  } while (I < R);
}

constexpr size_t NoDelim = std::u16string_view::npos;

// The first D in S at From or after it. Every look-up of a text runs over the texts before it,
// so eight code units are compared at a time where the processor can.
size_t FindDelim(std::u16string_view S, char16_t D, size_t From) {
#if defined(__SSE2__)
  const __m128i Wanted = _mm_set1_epi16(static_cast<short>(D));
  for (; From + 8 <= S.size(); From += 8) {
    const __m128i Units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(S.data() + From));
    if (const int Hits = _mm_movemask_epi8(_mm_cmpeq_epi16(Units, Wanted)))
      return From + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(Hits))) / 2;
  }
#endif
  for (; From < S.size(); ++From)
    if (S[From] == D) return From;
  return NoDelim;
}

// Field Lang (1 or more) of a translation line whose identifier ends at IDLength, the first
// delimiter (0 when the line has none): empty when the field is missing or unterminated.
std::u16string_view FieldAfterID(std::u16string_view Line, char16_t D, uint32_t IDLength,
                                 int Lang) {
  if (IDLength >= Line.size() || Line[IDLength] != D) return {};
  size_t Start = IDLength + 1;
  for (int K = 1;; ++K) {
    const size_t End = FindDelim(Line, D, Start);
    if (End == NoDelim) return {};
    if (K == Lang) return std::u16string_view(Line.data() + Start, End - Start);
    Start = End + 1;
  }
}

// A sort key: the first code units of the key packed into one integer, highest first, so that
// two keys whose packed forms differ compare as the integers do; equal packed forms are told
// apart by the whole keys. Identifiers: nine code units of seven bits, ASCII letters folded,
// anything from 127 up packed as 127 and nothing packed after it. Texts: four code units of
// sixteen bits as they are. A key shorter than that is padded with zeros, so it sorts first.
struct TSortKey {
  uint64_t Packed;
  const char16_t* Data;
  uint32_t Length;
  int Item;  // its index before the sort
};

uint64_t PackIdentifier(std::u16string_view Key) {
  uint64_t Packed = 0;
  const size_t N = std::min<size_t>(Key.size(), 9);
  for (size_t I = 0; I < N; ++I) {
    const unsigned C = AsciiUpperChar(Key[I]);
    const unsigned Shift = 56 - 7 * static_cast<unsigned>(I);
    if (C >= 127) return Packed | uint64_t{127} << Shift;
    Packed |= uint64_t{C} << Shift;
  }
  return Packed;
}

uint64_t PackText(std::u16string_view Key) {
  uint64_t Packed = 0;
  for (size_t I = 0; I < 4 && I < Key.size(); ++I) Packed |= uint64_t{Key[I]} << (48 - 16 * I);
  return Packed;
}

using TSortKeys = std::vector<TSortKey, TlcLargeAllocator<TSortKey>>;

// Orders Keys[0, N) by their packed forms from byte Byte down, in place: the keys are counted by
// that byte, each moved straight into its byte's part, and every part then sorted by the bytes
// below. A byte that every key shares is passed over; small parts are sorted directly.
void SortPacked(TSortKey* Keys, size_t N, int Byte) {
  while (N > 1) {
    if (N <= 32 || Byte < 0) {
      std::sort(Keys, Keys + N,
                [](const TSortKey& A, const TSortKey& B) { return A.Packed < B.Packed; });
      return;
    }
    const unsigned Shift = 8 * static_cast<unsigned>(Byte);
    const auto Digit = [Shift](const TSortKey& K) { return (K.Packed >> Shift) & 0xFF; };
    std::array<size_t, 256> Count{};
    for (size_t I = 0; I < N; ++I) ++Count[Digit(Keys[I])];
    --Byte;
    if (Count[Digit(Keys[0])] == N) continue;
    std::array<size_t, 256> Next, End;
    for (size_t B = 0, Sum = 0; B < 256; ++B) {
      Next[B] = Sum;
      End[B] = Sum += Count[B];
    }
    for (size_t B = 0; B < 256; ++B)
      while (Next[B] < End[B]) {
        TSortKey Moving = Keys[Next[B]];
        for (size_t D = Digit(Moving); D != B; D = Digit(Moving))
          std::swap(Moving, Keys[Next[D]++]);
        Keys[Next[B]++] = Moving;
      }
    for (size_t B = 0, From = 0; B < 256; From = End[B++])
      if (Count[B] > 1) SortPacked(Keys + From, Count[B], Byte);
    return;
  }
}

// Orders keys by their packed forms, and keys of equal packed forms by Compare. Linear in the
// number of keys where the partition sort makes N log N comparisons, and without scratch space.
template <class Cmp>
void RadixSort(TSortKeys& Keys, const Cmp& Compare) {
  const size_t N = Keys.size();
  SortPacked(Keys.data(), N, 7);
  for (size_t I = 0; I < N;) {
    size_t J = I + 1;
    while (J < N && Keys[J].Packed == Keys[I].Packed) ++J;
    if (J - I > 1)
      std::sort(Keys.begin() + static_cast<ptrdiff_t>(I), Keys.begin() + static_cast<ptrdiff_t>(J),
                [&Compare](const TSortKey& A, const TSortKey& B) { return Compare(A, B) < 0; });
    I = J;
  }
}

[[noreturn]] void IndexError(int Index) {
  throw EStringListError(Format(SListIndexError, {int64_t{Index}}));
}

}  // namespace

const TClassType& TlcSortCollection::StaticClassType() {
  static const TClassType T(u"TlcSortCollection", &TCollection::StaticClassType());
  return T;
}

void TlcSortCollection::QuickSort(int L, int R, const TlcItemCompare& Compare) {
  PartitionSort(
      L, R, [this](int I) { return Items(I); },
      [this, &Compare](int I, TCollectionItem* P) { return Compare(Items(I), P); },
      [this](int I, int J) { ExchangeItems(I, J); },
      [this, &Compare](int From, int To) { QuickSort(From, To, Compare); });
}

void TlcSortCollection::SortItems(const TlcItemCompare& Compare) {
  if (Count() == 0) return;
  BeginUpdate();
  const TScopeExit Updated([this] { EndUpdate(); });
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
    : TCollectionItem(ACollection) {}

TlcStringsCollectionItem::~TlcStringsCollectionItem() {
  if (FValues) FValues->OnChange = {};
}

void TlcStringsCollectionItem::MakeValues() const {
  auto Values = std::make_unique<TStringList>();
  if (FInLine) {
    const auto& Owner = static_cast<const TlcStringsCollection&>(*Collection());
    for (int K = 1; K <= Owner.FLanguages; ++K)
      Values->Add(String(Owner.LineText(FText.View(), FIDLength, K)));
  }
  // The collection's index answers with these texts: a change of them is a change of the item.
  auto* Self = const_cast<TlcStringsCollectionItem*>(this);
  Values->OnChange = TNotifyEvent([Self](TObject*) { Self->Changed(false); });
  FValues = std::move(Values);
  FInLine = false;
}

TStrings* TlcStringsCollectionItem::Values() const {
  if (!FValues) MakeValues();
  return FValues.get();
}

void TlcStringsCollectionItem::SetID(const String& Value) {
  if (Value.size() > TlcStringsCollection::LengthBits)
    throw std::length_error("identifier too long");
  if (FInLine) MakeValues();  // the texts stay when the line goes
  FText = TSharedText(Value);
  FIDLength = static_cast<uint32_t>(Value.size());
  Changed(false);
}

void TlcStringsCollectionItem::LeavingCollection() {
  // The line is read as the collection says; elsewhere the item keeps its texts itself.
  if (FInLine) MakeValues();
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

void TlcStringsCollection::AddLines(const TStringList& Lines, char16_t Delim, int Languages) {
  // Items already built from lines keep the texts they were built with.
  if (Delim != FDelim || Languages != FLanguages)
    for (int I = 0; I < Count(); ++I)
      if (Items(I)->InLine()) Items(I)->MakeValues();
  FDelim = Delim;
  FLanguages = std::max(0, Languages);
  BeginUpdate();
  const TScopeExit Updated([this] { EndUpdate(); });
  Reserve(Count() + Lines.Count());
  for (int I = 0; I < Lines.Count(); ++I) {
    const TSharedText& Line = Lines.Shared(I);
    const std::u16string_view Text = Line.View();
    if (Text.size() > LengthBits) throw std::length_error("line too long");
    const size_t FirstDelim = FindDelim(Text, Delim, 0);
    // Made as Add makes an item of the collection's class, without asking the class registry
    // for each line, among the others in the collection's blocks; it owns it from here on.
    auto* Item = new (ItemBlocks()) TlcStringsCollectionItem(this);
    Item->FText = Line;
    Item->FIDLength = FirstDelim == NoDelim ? 0 : static_cast<uint32_t>(FirstDelim);
    Item->FInLine = true;
  }
}

int TlcStringsCollection::GetIDIndex(std::u16string_view TextID) const {
  for (int I = 0; I < Count(); ++I)
    if (lcCompareText(Items(I)->IDView(), TextID) == 0) return I;
  return -1;
}

bool TlcStringsCollection::FindID(std::u16string_view S, int& Index) const {
  int Lo = 0, Hi = Count() - 1;
  while (Lo <= Hi) {
    const int Mid = (Lo + Hi) / 2;
    const int C = lcCompareText(Items(Mid)->IDView(), S);
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
bool TlcStringsCollection::Bisect(const Key& KeyOf, std::u16string_view Value, const Cmp& Compare,
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

std::u16string_view TlcStringsCollection::LineText(std::u16string_view Line, uint32_t IDLength,
                                                   int Lang) const {
  if (Lang < 1 || Lang > FLanguages) IndexError(Lang - 1);
  return FieldAfterID(Line, FDelim, IDLength, Lang);
}

std::u16string_view TlcStringsCollection::TextOf(const TlcStringsCollectionItem& Item,
                                                 int Lang) const {
  if (Item.InLine()) return LineText(Item.FText.View(), Item.FIDLength, Lang);
  return static_cast<const TStringList&>(*Item.Values()).Shared(Lang - 1).View();
}

TlcStringsCollectionItem* TlcStringsCollection::BisectByID(std::u16string_view ID) const {
  TlcStringsCollectionItem* Item = nullptr;
  Bisect([](const TlcStringsCollectionItem& I) { return I.IDView(); }, ID, lcCompareText, Item);
  return Item;
}

void TlcStringsCollection::BuildIndex(bool InOrder) const {
  FIndex.Reset(static_cast<size_t>(Count()));
  // Every identifier maps to the item the bisection reaches for it, or to none.
  auto SlotOf = [this](const TlcStringsCollectionItem* Key,
                       const TlcStringsCollectionItem* Answer) -> TlcKeyIndex::TPlaced {
    const uint32_t Hash = TlcKeyIndex::Hash(Key->IDView());
    // A line is read straight from the slot when the slot can hold its identifier's length.
    if (!Answer) return {{Key, NoAnswer, 0}, Hash};
    if (Answer->InLine() && !Answer->FText.Empty() && Answer->FIDLength <= ShortLength)
      return {LineSlotOf(Answer->FText, Answer->FIDLength), Hash};
    return {{Answer, ItemSlot, 0}, Hash};
  };
  if (!InOrder) {
    bool Sorted = true;
    for (int I = 1; I < Count() && Sorted; ++I)
      Sorted = lcCompareText(Items(I - 1)->IDView(), Items(I)->IDView()) <= 0;
    if (!Sorted) {
      for (int I = 0; I < Count(); ++I) {
        const std::u16string_view ID = Items(I)->IDView();
        if (!FIndex.Find(ID, TSlotReader()))
          FIndex.Insert(SlotOf(Items(I), BisectByID(ID)), TSlotReader());
      }
      FIndexValid = true;
      return;
    }
  }
  // Items in identifier order: every identifier's slot is read from its items first, one after
  // the other, and then placed all at once.
  std::vector<TlcKeyIndex::TPlaced, TlcLargeAllocator<TlcKeyIndex::TPlaced>> Slots;
  Slots.reserve(static_cast<size_t>(Count()));
  if (InOrder) {
    for (int I = 0; I < Count(); ++I) Slots.push_back(SlotOf(Items(I), Items(I)));
  } else {
    // Equal identifiers stand together; one alone is the one the bisection reaches.
    for (int I = 0; I < Count();) {
      int J = I + 1;
      while (J < Count() && lcCompareText(Items(I)->IDView(), Items(J)->IDView()) == 0) ++J;
      Slots.push_back(SlotOf(Items(I), J - I == 1 ? Items(I) : BisectByID(Items(I)->IDView())));
      I = J;
    }
  }
  FIndex.InsertAll(Slots, TSlotReader());
  FIndexValid = true;
}

TlcKeyIndex::TSlot TlcStringsCollection::LineSlotOf(const TSharedText& Line,
                                                    uint32_t IDLength) const {
  const std::u16string_view Text = Line.View();
  uint32_t First = Unmarked;
  unsigned Bits = LineSlot;
  if (IDLength < Text.size() && Text[IDLength] == FDelim)
    if (const size_t End1 = FindDelim(Text, FDelim, IDLength + 1); End1 != NoDelim) {
      if (End1 - IDLength - 1 < Unmarked) First = static_cast<uint32_t>(End1 - IDLength - 1);
      if (FindDelim(Text, FDelim, End1 + 1) == Text.size() - 1) Bits |= SecondToEnd;
    }
  return {Line.Borrow(), Bits, static_cast<uint16_t>(IDLength | First << 8)};
}

TlcStringsCollection::TFound TlcStringsCollection::FindUnindexed(std::u16string_view ID) const {
  TFound R;
  R.FOwner = this;
  if (UpdateCount() > 0) {
    // Items may be on the move: no index, the search itself.
    R.FItem = BisectByID(ID);
    R.FExists = R.FItem || GetIDIndex(ID) >= 0;
    return R;
  }
  BuildIndex(false);
  return Find(ID);
}

String TlcStringsCollection::GetTranslationByID(std::u16string_view ID, int RetLang) const {
  return String(Find(ID).Text(RetLang));
}

bool TlcStringsCollection::UsedInCPP() const {
  const auto* Lang = dynamic_cast<const TlcCustomLang*>(FOwner);
  return Lang && Lang->UsedInCPP;
}

String TlcStringsCollection::GetTranslationByLang2(const String& LangValue, int RetLang) const {
  const bool Decode = UsedInCPP();
  TlcStringsCollectionItem* Item = nullptr;
  const auto KeyOf = [this, Decode](const TlcStringsCollectionItem& I) {
    const String Key(TextOf(I, SortID));
    return Decode ? DecodeCEscapes(Key) : Key;
  };
  if (!Bisect(KeyOf, LangValue, lcCompareStr, Item)) return {};
  const String R(TextOf(*Item, RetLang));
  return Decode ? DecodeCEscapes(R) : R;
}

String TlcStringsCollection::GetTranslationByLang(const String& LangValue, int RetLang) const {
  const bool Decode = UsedInCPP();
  TlcStringsCollectionItem* Item = nullptr;
  const auto KeyOf = [this, Decode](const TlcStringsCollectionItem& I) {
    const String Key(TextOf(I, SortID));
    return Decode ? DecodeCEscapes(Key) : Key;
  };
  if (!Bisect(KeyOf, LangValue, lcCompareStr, Item))
    return Decode ? DecodeCEscapes(LangValue) : LangValue;
  String R(TextOf(*Item, RetLang));
  // Test mode shows a missing text as the transformed language-1 text.
  const auto* Lang = dynamic_cast<const TlcCustomLang*>(FOwner);
  const TlcLangDispatcher* D = Lang ? Lang->LangDispatcher() : nullptr;
  if (R.empty() && RetLang > 1 && D && D->TestModeInfo()->Active())
    R = TestModeTransform(*Lang, String(TextOf(*Item, 1)));
  return Decode ? DecodeCEscapes(R) : R;
}

bool TlcStringsCollection::SortFast() {
  // The sort keys read once: the identifier, or the text of language SortID (empty when the
  // item has none), decoded first when texts carry C escapes.
  const bool ByID = SortID == 0;
  const bool Decode = !ByID && UsedInCPP();
  TSortKeys Keys(static_cast<size_t>(Count()));
  std::vector<String> Decoded;
  Decoded.reserve(Decode ? Keys.size() : 0);
  for (int I = 0; I < Count(); ++I) {
    const TlcStringsCollectionItem& Item = *Items(I);
    std::u16string_view Key;
    if (ByID)
      Key = Item.IDView();
    else if (Item.InLine() ? SortID <= FLanguages : SortID <= Item.Values()->Count())
      Key = TextOf(Item, SortID);
    if (Decode) Key = Decoded.emplace_back(DecodeCEscapes(String(Key)));
    Keys[static_cast<size_t>(I)] = {ByID ? PackIdentifier(Key) : PackText(Key), Key.data(),
                                    static_cast<uint32_t>(Key.size()), I};
  }
  int (*const Full)(std::u16string_view, std::u16string_view) = ByID ? lcCompareText : lcCompareStr;
  const auto Compare = [Full](const TSortKey& A, const TSortKey& B) {
    if (A.Packed != B.Packed) return A.Packed < B.Packed ? -1 : 1;
    return Full(std::u16string_view(A.Data, A.Length), std::u16string_view(B.Data, B.Length));
  };
  const auto Ascending = [&] {
    for (size_t I = 1; I < Keys.size(); ++I)
      if (Compare(Keys[I - 1], Keys[I]) >= 0) return false;
    return true;
  };
  // Keys already in order, no two alike, stay where they are: the partition sort moves none.
  if (Ascending()) return ByID;
  // Keys no two alike have one order, whichever sort finds it. Where some are alike, the order
  // among them is the partition sort's own, so it sorts them from where they stood.
  RadixSort(Keys, Compare);
  const bool Distinct = Ascending();
  if (!Distinct) {
    TSortKeys Before(Keys.size());
    for (const TSortKey& K : Keys) Before[static_cast<size_t>(K.Item)] = K;
    Keys.swap(Before);
    const auto SortRange = [&](const auto& Self, int L, int R) -> void {
      PartitionSort(
          L, R, [&](int I) { return Keys[static_cast<size_t>(I)]; },
          [&](int I, const TSortKey& P) { return Compare(Keys[static_cast<size_t>(I)], P); },
          [&](int I, int J) {
            std::swap(Keys[static_cast<size_t>(I)], Keys[static_cast<size_t>(J)]);
          },
          [&](int From, int To) { Self(Self, From, To); });
    };
    SortRange(SortRange, 0, Count() - 1);
  }
  std::vector<int, TlcLargeAllocator<int>> Order(Keys.size());
  for (size_t I = 0; I < Keys.size(); ++I) Order[I] = Keys[I].Item;
  // The keys go before the items move, so a large table's sort holds less at once.
  decltype(Keys)().swap(Keys);
  Reorder(Order);
  return ByID && Distinct;
}

void TlcStringsCollection::Sort(bool ForceSort) {
  if (FSorted && !ForceSort) return;
  bool Distinct = false;
  if (Count() > 0) {
    BeginUpdate();
    const TScopeExit Updated([this] { EndUpdate(); });
    Distinct = SortFast();
  }
  FSorted = true;
  // The index answers at once for a table of distinct identifiers; any other is indexed when
  // first asked.
  if (Distinct && UpdateCount() == 0) BuildIndex(true);
}

// ---- The component's side ----------------------------------------------------------------

void TlcCustomLang::RebuildStringsCollection(TlcStringsCollection& Collection, int SortID) {
  Collection.Clear();
  Collection.AddLines(*FStrings, FLangDelim, FNumLang);
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
