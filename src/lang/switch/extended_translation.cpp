// Extended translations: reading and writing any published property by its property path, and
// bringing the extended items and the form's properties in step in either direction.
#include "component/prop_text.h"
#include "core/strings.h"
#include "lang/custom_lang.h"
#include "lang/switch/extended_items.h"
#include "lang/switch/property_path.h"
#include "lang/switch/test_mode.h"

namespace {

// Line i of the list takes line i of the items, further items are appended, and lines beyond
// the items are deleted from the end.
void CopyItems(TStrings& Target, const TStrings& Items) {
  for (int I = 0; I < Items.Count(); ++I) {
    if (I < Target.Count())
      Target.Put(I, Items.Get(I));
    else
      Target.Add(Items.Get(I));
  }
  while (Target.Count() > Items.Count()) Target.Delete(Target.Count() - 1);
}

bool IsTextKind(TTypeKind K) {
  return K == tkChar || K == tkWChar || K == tkString || K == tkLString || K == tkWString ||
         K == tkUString;
}

}  // namespace

TObject* TlcCustomLang::GetObjByPath(const String& Path) const {
  return ObjectByPath(Owner(), Path);
}

TTypeKind TlcCustomLang::GetPropTypeByPath(const String& Path) const {
  const TObject* Obj = GetObjByPath(Path);
  const TPropInfo* P = PathProperty(Obj, Path);
  if (!P) return tkUnknown;
  if (P->PropType->Kind != tkClass) return P->PropType->Kind;
  return P->GetObj && dynamic_cast<TStrings*>(P->GetObj(*Obj)) ? tkClass : tkUnknown;
}

String TlcCustomLang::GetPropValueByPath(const String& Path) const {
  const TObject* Obj = GetObjByPath(Path);
  const TPropInfo* P = PathProperty(Obj, Path);
  if (!P) return {};
  if (P->PropType->Kind == tkClass) {
    const auto* List = P->GetObj ? dynamic_cast<TStrings*>(P->GetObj(*Obj)) : nullptr;
    return List ? List->GetCommaText() : String();
  }
  // Texts are read and written as the language switch does, the text hook included.
  if (IsTextKind(P->PropType->Kind)) return GetStringPropText(Obj, *P);
  return GetPropText(*Obj, *P);
}

void TlcCustomLang::SetPropValueByPath(const String& Path, const String& Value) {
  TObject* Obj = GetObjByPath(Path);
  const TPropInfo* P = PathProperty(Obj, Path);
  if (!P) return;
  try {
    if (P->PropType->Kind == tkClass) {
      auto* List = P->GetObj ? dynamic_cast<TStrings*>(P->GetObj(*Obj)) : nullptr;
      if (!List) return;
      TStringList Items;
      Items.SetCommaText(Value);
      CopyItems(*List, Items);
    } else if (IsTextKind(P->PropType->Kind)) {
      SetTextProp(Obj, *P, Value);
    } else {
      SetPropText(*Obj, *P, Value);
    }
  } catch (const std::exception&) {
    // A text that is no value of the property, or a setter that refuses it: left as it was.
  }
}

void TlcCustomLang::ChangeLangForExtended() {
  const char16_t D = FLangDelim;
  for (int I = 0; I < FExtendedTranslations->Count(); ++I) {
    const TlcExtendedItem* Item = FExtendedTranslations->Items(I);
    String T = ValuesColumn(Item->Values(), D, FActLang);
    if (T.empty() && TestModeOn()) T = TestModeTransform(*this, ValuesColumn(Item->Values(), D, 1));
    if (T.empty() && (FTranslateType == ttGetDefault || FUseDefaultLanguage))
      T = ValuesColumn(Item->Values(), D, FDefaultLanguage);
    if (T.empty()) continue;
    try {
      SetPropValueByPath(Item->Identifier(), T);
    } catch (const Exception&) {
      // A path that no longer resolves must not stop the switch; the item stays as it is.
    }
  }
}

void TlcCustomLang::SyncExtendedFromProperties() {
  const String D(1, static_cast<char16_t>(FLangDelim));
  for (int I = FExtendedTranslations->Count() - 1; I >= 0; --I) {
    TlcExtendedItem* Item = FExtendedTranslations->Items(I);
    const String Path = Item->Identifier();
    try {
      if (!GetObjByPath(Path)) {
        FExtendedTranslations->Delete(I);
        continue;
      }
      const String Live = GetPropValueByPath(Path);
      if (Live == ValuesColumn(Item->Values(), D[0], FActLang)) continue;
      String Values;
      for (int L = 1; L <= FNumLang; ++L)
        Values += (L == FActLang ? Live : ValuesColumn(Item->Values(), D[0], L)) + D;
      Item->SetValues(Values);
    } catch (const Exception&) {
      // A path that raises is kept as it is, and the others are still brought up to date.
    }
  }
}
