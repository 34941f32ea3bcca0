#pragma once
// Sorted copies of the Strings list: items of an identifier and one text per language,
// searched by bisection, either by identifier or by the text of one language.
//
// An item built from a line of the list holds that line itself (shared, not copied) and reads
// its identifier and texts out of it; its Values list is made only when asked for. Look-ups by
// identifier go through a hash index that remembers, for every identifier, the item the
// bisection reaches for it, so they answer exactly as the bisection does in one probe.
#include <functional>
#include <memory>
#include <string_view>

#include "component/collection.h"
#include "core/shared_text.h"
#include "core/strings.h"
#include "lang/table/key_index.h"

class TComponent;
class TlcCustomLang;

using TlcItemCompare = std::function<int(TCollectionItem*, TCollectionItem*)>;

class TlcSortCollection : public TCollection {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  using TCollection::TCollection;

  virtual void QuickSort(int L, int R, const TlcItemCompare& Compare);
  void SortItems(const TlcItemCompare& Compare);
};

class TlcStringsCollectionItem : public TCollectionItem {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TlcStringsCollectionItem(TCollection* ACollection);
  ~TlcStringsCollectionItem() override;

  // The texts, entry k - 1 for language k; an item built from a line makes the list from the
  // line's texts the first time it is asked for. Changing the list changes the item.
  TStrings* Values() const;
  void SetValues(const TStrings& Value) { Values()->Assign(Value); }
  String ID() const { return String(IDView()); }
  std::u16string_view IDView() const { return FText.View().substr(0, FIDLength); }
  void SetID(const String& Value);

 protected:
  void LeavingCollection() override;

 private:
  friend class TlcStringsCollection;
  // Until Values is made: FText is the whole line, the texts follow the identifier.
  bool InLine() const { return FInLine; }
  void MakeValues() const;

  uint32_t FIDLength : 31 = 0;  // the identifier is the start of FText
  mutable uint32_t FInLine : 1 = 0;
  TSharedText FText;
  mutable std::unique_ptr<TStringList> FValues;
};

class TlcStringsCollection : public TlcSortCollection {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TlcStringsCollection(TComponent* AOwner);

  TlcStringsCollectionItem* Items(int Index) const;
  TlcStringsCollectionItem* Add();
  TlcStringsCollectionItem* Add(const String& ATextID);
  // Appends an item for every line of Lines: field 0 its identifier, fields 1 to Languages its
  // texts (empty where the line has no such field), fields split at Delim.
  void AddLines(const TStringList& Lines, char16_t Delim, int Languages);
  int GetIDIndex(std::u16string_view TextID) const;
  String GetTranslationByID(std::u16string_view ID, int RetLang) const;
  String GetTranslationByLang(const String& LangValue, int RetLang) const;
  String GetTranslationByLang2(const String& LangValue, int RetLang) const;
  void Sort(bool ForceSort);
  bool Sorted() const { return FSorted; }

  // What a look-up by identifier finds: whether any item has the identifier (as GetIDIndex
  // tells), and the texts of the item the bisection answers with, if it reaches one.
  class TFound {
   public:
    bool Exists() const { return FExists; }
    bool Answers() const { return !FSlot.Free() || FItem; }
    // The text of language Lang (as entry Lang - 1 of the item's Values: a language the item
    // has no text for raises the list's index error); valid until the collection changes.
    std::u16string_view Text(int Lang) const {
      if (!FSlot.Free()) return FOwner->SlotText(FSlot, Lang);
      return FItem ? FOwner->TextOf(*FItem, Lang) : std::u16string_view();
    }

   private:
    friend class TlcStringsCollection;
    const TlcStringsCollection* FOwner = nullptr;
    TlcKeyIndex::TSlot FSlot;  // the answering item's line, while it reads it
    const TlcStringsCollectionItem* FItem = nullptr;  // the answering item otherwise
    bool FExists = false;
  };
  TFound Find(std::u16string_view ID) const {
    if (!FIndexValid || UpdateCount() > 0) return FindUnindexed(ID);
    TFound R;
    R.FOwner = this;
    const TlcKeyIndex::TSlot* S = FIndex.Find(ID, TSlotReader());
    if (!S) return R;
    R.FExists = true;
    if ((S->LowBits() & 3) == LineSlot)
      R.FSlot = *S;
    else if ((S->LowBits() & 3) == ItemSlot)
      R.FItem = static_cast<const TlcStringsCollectionItem*>(S->Ptr());
    return R;
  }

  int SortID = 0;

 protected:
  void Update(TCollectionItem* Item) override;

  TComponent* FOwner;
  bool FSorted = false;

 private:
  friend class TlcStringsCollectionItem;
  // What an index slot's pointer is (its two low bits): the answering item's line, borrowed;
  // the answering item; or an item with the identifier that no search reaches.
  static constexpr unsigned LineSlot = 0;
  static constexpr unsigned ItemSlot = 1;
  static constexpr unsigned NoAnswer = 2;
  // A line slot tells where the line's first two texts lie, so a look-up copies its text
  // without a search: the identifier's length (at most ShortLength) and the first text's length
  // (Unmarked when longer or missing) in its high bits, and in its third low bit whether the
  // second text ends at the line's last unit.
  static constexpr unsigned SecondToEnd = 4;
  static constexpr uint32_t ShortLength = 0xFF;
  static constexpr uint32_t Unmarked = 0xFF;
  static constexpr uint32_t LengthBits = (1u << 30) - 1;  // the longest line or identifier
  struct TSlotReader {
    std::u16string_view Key(const TlcKeyIndex::TSlot& S) const {
      if ((S.LowBits() & 3) == LineSlot) return {TSharedText::DataOf(S.Ptr()), S.High() & 0xFFu};
      return static_cast<const TlcStringsCollectionItem*>(S.Ptr())->IDView();
    }
    uint32_t Hash(const TlcKeyIndex::TSlot& S) const { return TlcKeyIndex::Hash(Key(S)); }
  };
  TlcKeyIndex::TSlot LineSlotOf(const TSharedText& Line, uint32_t IDLength) const;

  // Text Lang of an item, of a line, of a line's index slot (a missing language raises the
  // list's index error).
  std::u16string_view TextOf(const TlcStringsCollectionItem& Item, int Lang) const;
  std::u16string_view LineText(std::u16string_view Line, uint32_t IDLength, int Lang) const;
  std::u16string_view SlotText(const TlcKeyIndex::TSlot& S, int Lang) const {
    const uint32_t IDLength = S.High() & 0xFFu, First = S.High() >> 8;
    if (First != Unmarked && Lang <= FLanguages) {
      const char16_t* Text = TSharedText::DataOf(S.Ptr()) + IDLength + 1;
      if (Lang == 1) return {Text, First};
      if (Lang == 2 && (S.LowBits() & SecondToEnd)) {
        Text += First + 1;
        return {Text, TSharedText::ViewOf(S.Ptr()).size() - IDLength - First - 3};
      }
    }
    return LineText(TSharedText::ViewOf(S.Ptr()), IDLength, Lang);
  }
  TFound FindUnindexed(std::u16string_view ID) const;
  TlcStringsCollectionItem* BisectByID(std::u16string_view ID) const;
  bool FindID(std::u16string_view S, int& Index) const;
  bool UsedInCPP() const;
  // InOrder: the items stand in identifier order, no two alike, so each answers for itself.
  void BuildIndex(bool InOrder) const;
  // Sorts as QuickSort does; true when the items end in identifier order, no two alike.
  bool SortFast();
  // The bisection shared by the look-ups: Key(mid) compared with Value by Compare; on a hit
  // Found receives the item.
  template <class Key, class Cmp>
  bool Bisect(const Key& KeyOf, std::u16string_view Value, const Cmp& Compare,
              TlcStringsCollectionItem*& Found) const;

  // How the items built from lines read them.
  char16_t FDelim = 1;
  int FLanguages = 0;
  mutable TlcKeyIndex FIndex;
  mutable bool FIndexValid = false;
};
