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
#include "lang/key_index.h"

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
    bool Answers() const { return FSlot || FItem; }
    // The text of language Lang (as entry Lang - 1 of the item's Values: a language the item
    // has no text for raises the list's index error); valid until the collection changes.
    std::u16string_view Text(int Lang) const {
      if (FSlot) return FOwner->SlotText(*FSlot, Lang);
      return FItem ? FOwner->TextOf(*FItem, Lang) : std::u16string_view();
    }

   private:
    friend class TlcStringsCollection;
    const TlcStringsCollection* FOwner = nullptr;
    const TlcKeyIndex::TSlot* FSlot = nullptr;  // the answering item's line, while it reads it
    const TlcStringsCollectionItem* FItem = nullptr;  // the answering item otherwise
    bool FExists = false;
  };
  TFound Find(std::u16string_view ID) const {
    if (!FIndexValid || UpdateCount() > 0) return FindUnindexed(ID);
    TFound R;
    R.FOwner = this;
    const TlcKeyIndex::TSlot* S = FIndex.Find(ID, SlotKey);
    if (!S) return R;
    R.FExists = true;
    if (S->Info & LineSlot)
      R.FSlot = S;
    else if (!(S->Info & NoAnswer))
      R.FItem = static_cast<const TlcStringsCollectionItem*>(S->Ptr);
    return R;
  }

  int SortID = 0;

 protected:
  void Update(TCollectionItem* Item) override;

  TComponent* FOwner;
  bool FSorted = false;

 private:
  friend class TlcStringsCollectionItem;
  // Index slots: Info holds the identifier's length and what Ptr is.
  static constexpr uint32_t LineSlot = 1u << 30;  // the answering item's line, borrowed
  static constexpr uint32_t NoAnswer = 1u << 31;  // an item with the identifier no search reaches
  static constexpr uint32_t LengthBits = LineSlot - 1;
  // A line slot remembers where its first texts end (Marks[K - 1]: the delimiter after text
  // K), so a look-up reads its text without a search: 0 when the text is missing, Unknown past
  // what the marks can hold.
  static constexpr int MarkedTexts = 4;
  static constexpr uint16_t Unknown = 0xFFFF;

  static std::u16string_view SlotKey(const TlcKeyIndex::TSlot& S) {
    if (S.Info & LineSlot)
      return std::u16string_view(TSharedText::ViewOf(S.Ptr).data(), S.Info & LengthBits);
    return static_cast<const TlcStringsCollectionItem*>(S.Ptr)->IDView();
  }
  // Text Lang of an item, of a line, of a line's index slot (a missing language raises the
  // list's index error).
  std::u16string_view TextOf(const TlcStringsCollectionItem& Item, int Lang) const;
  std::u16string_view LineText(std::u16string_view Line, uint32_t IDLength, int Lang) const;
  std::u16string_view SlotText(const TlcKeyIndex::TSlot& S, int Lang) const {
    if (Lang >= 1 && Lang <= FMarked) {
      const uint16_t End = S.Marks[Lang - 1];
      if (End == 0) return {};
      if (End != Unknown) {
        const size_t Start = Lang == 1 ? (S.Info & LengthBits) + 1u : S.Marks[Lang - 2] + 1u;
        return std::u16string_view(TSharedText::ViewOf(S.Ptr).data() + Start, End - Start);
      }
    }
    return LineText(TSharedText::ViewOf(S.Ptr), S.Info & LengthBits, Lang);
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
  int FMarked = 0;  // the languages the marks of a line slot cover
  mutable TlcKeyIndex FIndex;
  mutable bool FIndexValid = false;
};
