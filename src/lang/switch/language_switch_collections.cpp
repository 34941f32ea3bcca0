// The language switch for collection items: lines named Comp.Coll[n].ItemProp, with an optional
// .Sub after Comp and an optional .ItemSub after ItemProp.
#include <algorithm>

#include "component/collection.h"
#include "core/strings.h"
#include "lang/custom_lang.h"
#include "lang/switch/prop_info_list.h"
#include "lang/switch/switch_lookups.h"
#include "lang/table/translation_line.h"

namespace {

struct TItemLine {
  String Comp, P1, P2, ItemPart;
  int Index = -1;
  bool Valid = false;
};

TItemLine ParseItemLine(const String& Line, char16_t D) {
  TItemLine R;
  const size_t End = std::min(Line.find(D), Line.size());
  const size_t Dot = Line.find(u'.');
  const size_t Open = Line.find(u'[');
  const size_t Close = Line.find(u']');
  if (Dot >= End || Open >= End || Close >= End || Open < Dot || Close < Open) return R;
  R.Comp = Line.substr(0, Dot);
  const String Mid = Line.substr(Dot + 1, Open - Dot - 1);
  if (const size_t MidDot = Mid.find(u'.'); MidDot != String::npos) {
    R.P1 = Mid.substr(0, MidDot);
    R.P2 = Mid.substr(MidDot + 1);
  } else {
    R.P1 = Mid;
  }
  if (!TryStrToInt(Line.substr(Open + 1, Close - Open - 1), R.Index)) return R;
  if (Close + 2 <= End) R.ItemPart = Line.substr(Close + 2, End - Close - 2);
  R.Valid = true;
  return R;
}

}  // namespace

void TlcCustomLang::ApplyCollections(TStrings& AStrings, TSwitchLookups& Lookups) {
  // An unusable line is deleted and its successor takes its index.
  for (int I = 0; I < AStrings.Count();) {
    bool Usable = true;
    try {
      Usable = ApplyItemLine(AStrings, I, Lookups);
    } catch (const EListError&) {
      // A list index error ends only this line.
    }
    if (Usable)
      ++I;
    else
      AStrings.Delete(I);
  }
}

bool TlcCustomLang::ApplyItemLine(TStrings& AStrings, int Index, TSwitchLookups& Lookups) {
  const String Line = AStrings.Get(Index);
  const TItemLine L = ParseItemLine(Line, FLangDelim);
  // A name that is not of this form, or whose index is no number, is left for its owner to
  // mend; it stops nothing.
  if (!L.Valid || IsNotTranslated(L.Comp)) return true;
  const String S = SwitchText(AStrings, Index, Line, true);
  TComponent* Target = Lookups.Component(L.Comp);
  const TPropInfo* P1 = Target ? FindPublishedProp(Target, L.P1, AllButEventKinds) : nullptr;
  if (!P1) return false;
  if (IsClassNotTranslated(*Target)) return true;
  TObject* Holder = Target;
  const TPropInfo* CollProp = P1;
  if (!L.P2.empty()) {
    Holder = P1->GetObj ? P1->GetObj(*Target) : nullptr;
    CollProp = Holder ? FindPublishedProp(Holder, L.P2, AllButEventKinds) : nullptr;
  }
  auto* Coll = CollProp && CollProp->GetObj ? dynamic_cast<TCollection*>(CollProp->GetObj(*Holder))
                                            : nullptr;
  // An object or collection that is not there now, or an item beyond the last, may come back:
  // the line stays and the switch goes on.
  if (!Coll || L.Index < 0 || L.Index >= Coll->Count()) return true;
  TCollectionItem* Item = Coll->Items(L.Index);
  const size_t Dot = L.ItemPart.find(u'.');
  if (L.P2.empty() && Dot != String::npos) {
    const TPropInfo* First = FindPublishedProp(Item, L.ItemPart.substr(0, Dot), AllButEventKinds);
    if (!First || !First->HasReader() || !First->HasWriter() || !First->GetObj) return false;
    TObject* Obj = First->GetObj(*Item);
    const TPropInfo* Second =
        Obj ? FindPublishedProp(Obj, L.ItemPart.substr(Dot + 1), AllButEventKinds) : nullptr;
    if (!Second || !Second->HasReader() || !Second->HasWriter()) return false;
    WriteItemText(*Obj, *Second, S);
    return true;
  }
  const TPropInfo* ItemProp = FindPublishedProp(Item, L.ItemPart, AllButEventKinds);
  if (!ItemProp) return false;
  if (ItemProp->PropType->Kind == tkClass) {
    TObject* Obj = ItemProp->GetObj ? ItemProp->GetObj(*Item) : nullptr;
    if (!Obj) return false;
    if (auto* Lines = dynamic_cast<TStrings*>(Obj); Lines && !S.empty()) {
      String Whole = Lines->GetText();
      if (Whole.ends_with(u"\r\n")) Whole.resize(Whole.size() - 2);
      if (S == Whole) return true;
      TStringList Items;
      Items.SetText(S);
      CopyLinesInto(*Lines, Items, Item, *ItemProp);
    }
    return true;
  }
  if (!ItemProp->HasReader() || !ItemProp->HasWriter()) return false;
  WriteItemText(*Item, *ItemProp, S);
  return true;
}

void TlcCustomLang::WriteItemText(TObject& Obj, const TPropInfo& Prop, const String& S) {
  if (S.empty() || !StringKinds.Contains(Prop.PropType->Kind)) return;
  if (S != GetStringPropText(&Obj, Prop)) SetTextProp(&Obj, Prop, S);
}
