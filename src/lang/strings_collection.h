#pragma once
// Sorted copies of the Strings list: items of an identifier and one text per language,
// searched by bisection, either by identifier or by the text of one language.
#include <functional>
#include <memory>

#include "component/collection.h"
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

  TStrings* Values() const { return FValues.get(); }
  void SetValues(const TStrings& Value) { FValues->Assign(Value); }
  const String& ID() const { return FID; }
  void SetID(const String& Value);

 private:
  std::unique_ptr<TStringList> FValues = std::make_unique<TStringList>();
  String FID;
};

class TlcStringsCollection : public TlcSortCollection {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TlcStringsCollection(TComponent* AOwner);

  TlcStringsCollectionItem* Items(int Index) const;
  TlcStringsCollectionItem* Add();
  TlcStringsCollectionItem* Add(const String& ATextID);
  int GetIDIndex(const String& TextID) const;
  String GetTranslationByID(const String& ID, int RetLang) const;
  // The item GetTranslationByID reads, or nullptr: the bisection decides which item answers,
  // an index remembers it with a copy of its texts so repeated look-ups cost one hash probe.
  TlcStringsCollectionItem* FindByID(const String& ID) const;
  // The text of language RetLang of that item, as GetTranslationByID gives it; false when no
  // item answers.
  bool FindTranslation(const String& ID, int RetLang, String& Text) const;
  String GetTranslationByLang(const String& LangValue, int RetLang) const;
  String GetTranslationByLang2(const String& LangValue, int RetLang) const;
  void Sort(bool ForceSort);
  bool Sorted() const { return FSorted; }

  int SortID = 0;

 protected:
  void Update(TCollectionItem* Item) override;

  TComponent* FOwner;
  bool FSorted = false;

 private:
  TlcStringsCollectionItem* BisectByID(const String& ID) const;
  TlcKeyIndex::TEntry Lookup(const String& ID) const;
  int CompareByID(TCollectionItem* A, TCollectionItem* B) const;
  int CompareByLanguage(TCollectionItem* A, TCollectionItem* B) const;
  bool FindID(const String& S, int& Index) const;
  bool UsedInCPP() const;
  String LanguageKey(const TlcStringsCollectionItem& Item) const;
  // The bisection shared by the look-ups: Key(mid) compared with Value by Compare; on a hit
  // Found receives the item.
  template <class Key, class Cmp>
  bool Bisect(const Key& KeyOf, const String& Value, const Cmp& Compare,
              TlcStringsCollectionItem*& Found) const;

  mutable TlcKeyIndex FIndex;
  mutable bool FIndexValid = false;
};
