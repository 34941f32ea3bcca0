#include "lang/switch/prop_info_list.h"

#include "component/component.h"
#include "core/exceptions.h"
#include "lang/lang_types.h"

TlcPropInfoList::TlcPropInfoList(const TObject* AObject, TTypeKinds Filter) {
  if (!AObject) throw Exception(u"NIL passed as AObject in TlcPropInfoList.Create!");
  FList = AObject->ClassType().PropList(Filter);
}

const TPropInfo* TlcPropInfoList::GetItem(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, {int64_t{Index}}));
  return FList[static_cast<size_t>(Index)];
}

bool TlcPropInfoList::Contains(const TPropInfo* P) const {
  for (const TPropInfo* Q : FList)
    if (Q->PropType == P->PropType && lcCompareText(Q->Name, P->Name) == 0) return true;
  return false;
}

const TPropInfo* TlcPropInfoList::Find(const String& AName) const {
  for (const TPropInfo* Q : FList)
    if (lcCompareText(Q->Name, AName) == 0) return Q;
  return nullptr;
}

void TlcPropInfoList::Delete(int Index) {
  GetItem(Index);
  FList.erase(FList.begin() + Index);
}

void TlcPropInfoList::Intersect(const TlcPropInfoList& List) {
  for (int I = Count() - 1; I >= 0; --I)
    if (!List.Contains(FList[static_cast<size_t>(I)])) Delete(I);
}

const TPropInfo* FindPublishedProp(const TObject* AObject, const String& AName, TTypeKinds Filter) {
  if (!AObject) return nullptr;
  // Names are unique among a class's properties, a descendant's replacing its ancestor's, so
  // the class's own search finds what the sorted list would.
  const TPropInfo* P = AObject->ClassType().FindProp(AName);
  return P && Filter.Contains(P->PropType->Kind) ? P : nullptr;
}

bool HasProperty(const TComponent* Component, const String& PropName, TTypeKinds Kinds,
                 const String& TypeName) {
  const TPropInfo* P = FindPublishedProp(Component, PropName, AllButEventKinds);
  if (!P || !Kinds.Contains(P->PropType->Kind)) return false;
  return TypeName.empty() || lcCompareText(P->PropType->Name, TypeName) == 0;
}
