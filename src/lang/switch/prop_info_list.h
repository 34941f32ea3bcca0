#pragma once
// A snapshot of an object's published properties, filtered by type kind and sorted by name;
// every look-up of a published property by name goes through one.
#include <vector>

#include "core/rtti.h"

class TlcPropInfoList {
 public:
  // Raises Exception "NIL passed as AObject in TlcPropInfoList.Create!" for a null object.
  TlcPropInfoList(const TObject* AObject, TTypeKinds Filter);

  int Count() const { return static_cast<int>(FList.size()); }
  // Checked: an index outside 0..Count-1 raises EListError.
  const TPropInfo* GetItem(int Index) const;
  const TPropInfo* operator[](int Index) const { return GetItem(Index); }
  String GetName(int Index) const { return GetItem(Index)->Name; }

  // Same type-information object and a name equal ignoring ASCII case.
  bool Contains(const TPropInfo* P) const;
  const TPropInfo* Find(const String& AName) const;  // nullptr when absent
  void Delete(int Index);
  void Intersect(const TlcPropInfoList& List);

 private:
  std::vector<const TPropInfo*> FList;
};

// The property a list of AObject's properties with that filter finds under AName, found without
// building the list; nullptr for no object or no such property.
const TPropInfo* FindPublishedProp(const TObject* AObject, const String& AName, TTypeKinds Filter);

class TComponent;
// Whether Component publishes PropName (ignoring case) with a kind in Kinds and, when TypeName is
// not empty, a type of that name (ignoring case).
bool HasProperty(const TComponent* Component, const String& PropName, TTypeKinds Kinds,
                 const String& TypeName);
