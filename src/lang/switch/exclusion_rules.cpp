// What keeps properties out of the translation lists, and checking the lists against the
// properties the owner form and its components publish.
#include <algorithm>

#include "lang/custom_lang.h"
#include "lang/switch/prop_info_list.h"
#include "lang/table/translation_line.h"

TTypeKinds CategoryTypeKinds(TStringsType Category) {
  switch (Category) {
    case stFonts:
    case stMultiLines:
      return ClassKinds;
    case stCollections:
      return AllButEventKinds;
    default:
      return StringKinds;
  }
}

bool TlcCustomLang::IsStringsType(const String& AClassName) const {
  return FStringsTypes->IndexOf(AClassName) >= 0;
}

bool TlcCustomLang::IsExcludedProperty(const String& CompName, const String& PropName) const {
  bool Excluded = false;
  for (size_t Start = 0; !Excluded;) {
    const size_t Dot = PropName.find(u'.', Start);
    Excluded = FExProps->IndexOf(PropName.substr(Start, Dot - Start)) >= 0;
    if (Dot == String::npos) break;
    Start = Dot + 1;
  }
  if (Excluded) return true;
  if (FSmartProps->IndexOf(CompName + u"." + PropName) >= 0 || PropName == u"Name") return true;
  const TComponent* Comp = Owner() ? Owner()->FindComponent(CompName) : nullptr;
  return Comp && FSmartProps->IndexOf(u"!" + Comp->ClassName() + u"." + PropName) >= 0;
}

void TlcCustomLang::RemoveEntries(TStrings* AStrings, const String& CompName, TStringsType Category,
                                  const String& PropName) {
  if (!AStrings) return;
  const String D(1, static_cast<char16_t>(FLangDelim));
  String Prefix;
  if (Category == stMultiLines || Category == stOtherStrings)
    Prefix = CompName + u"." + PropName + D;
  else if (Category == stCollections)
    Prefix = CompName + u"." + PropName;
  else
    Prefix = CompName + D;
  for (int I = AStrings->Count() - 1; I >= 0; --I) {
    if (!AStrings->Get(I).starts_with(Prefix)) continue;
    AStrings->Delete(I);
    // Only a collection has a line per item; the others hold one line per property.
    if (Category != stCollections) return;
  }
}

void TlcCustomLang::ExcludeProperties() {
  auto Holds = [this](const char16_t* Name) { return FExProps->IndexOf(Name) >= 0; };
  std::vector<TStringsType> Filtered;
  auto ClearOrFilter = [&](const char16_t* Name, TStringsType Category, TStrings& List) {
    if (Holds(Name))
      List.Clear();
    else
      Filtered.push_back(Category);
  };
  ClearOrFilter(u"Caption", stCaptions, *FCaptions);
  ClearOrFilter(u"Hint", stHints, *FHints);
  ClearOrFilter(u"DisplayLabel", stDisplayLabels, *FDisplayLabels);
  if (Holds(u"Font")) FCharSets->Clear();
  ClearOrFilter(u"Font", stFonts, *FFonts);
  ClearOrFilter(u"Charset", stCharSets, *FCharSets);
  for (TStringsType C : {stMultiLines, stOtherStrings, stCollections}) Filtered.push_back(C);
  std::sort(Filtered.begin(), Filtered.end());
  const String Seps = String(u".[") + static_cast<char16_t>(FLangDelim);
  const String PathSeps = String(u".") + static_cast<char16_t>(FLangDelim);
  for (TStringsType Category : Filtered) {
    TStrings* List = GetPropListByType(Category);
    if (!List) continue;
    for (int I = List->Count() - 1; I >= 0; --I) {
      const String Line = List->Get(I);
      String Comp, Prop;
      if (Category == stCollections) {
        Comp = ExtractFieldN(1, Line, Seps);
        Prop = ExtractFieldN(2, Line, Seps);
      } else if (Category == stMultiLines || Category == stOtherStrings) {
        Comp = ExtractFieldN(1, Line, PathSeps);
        Prop = ExtractFieldN(2, Line, PathSeps);
      } else {
        Comp = GetField(Line, FLangDelim, 0);
        Prop = CategoryPropertyNames[Category];
      }
      if (IsExcludedProperty(Comp, Prop) ||
          (Category == stCollections && IsExcludedProperty(Comp, ExtractFieldN(4, Line, Seps))))
        List->Delete(I);
    }
  }
}

bool TlcCustomLang::IsValidLine(const String& Line, TStringsType Category) const {
  const TComponent* Form = Owner();
  const size_t FirstD = Line.find(static_cast<char16_t>(FLangDelim));
  const String Name = Line.substr(0, FirstD);
  String Comp = Name, Prop = CategoryPropertyNames[Category == stCharSets ? stFonts : Category];
  if (Category == stMultiLines || Category == stOtherStrings || Category == stCollections) {
    const size_t Dot = Name.find(u'.');
    Comp = Name.substr(0, Dot);
    Prop = Dot == String::npos ? String() : Name.substr(Dot + 1);
    if (Category == stCollections) Prop = Prop.substr(0, Prop.find(u'['));
  }
  if (Comp.empty()) return false;
  const TObject* Target = Comp == Form->Name() || Comp == Form->ClassName()
                              ? static_cast<const TObject*>(Form)
                              : Form->FindComponent(Comp);
  if (!Target) return false;
  const size_t Dot = Prop.find(u'.');
  if (Dot != String::npos) {
    const TPropInfo* Holder = TlcPropInfoList(Target, ClassKinds).Find(Prop.substr(0, Dot));
    if (!Holder) return false;
    // A sub-object that is absent now cannot be judged: the line stays.
    Target = Holder->GetObj ? Holder->GetObj(*Target) : nullptr;
    if (!Target) return true;
    Prop = Prop.substr(Dot + 1);
  }
  const TPropInfo* P = TlcPropInfoList(Target, AllButEventKinds).Find(Prop);
  if (!P) return false;
  const TTypeKinds Kinds = CategoryTypeKinds(Category == stCharSets ? stFonts : Category);
  return Kinds.Contains(P->PropType->Kind);
}

void TlcCustomLang::ValidateLists() {
  if (!Owner()) return;
  const std::pair<TStrings*, TStringsType> Lists[] = {
      {FCaptions.get(), stCaptions},           {FHints.get(), stHints},
      {FDisplayLabels.get(), stDisplayLabels}, {FFonts.get(), stFonts},
      {FCharSets.get(), stCharSets},           {FMultiLines.get(), stMultiLines},
      {FOthers.get(), stOtherStrings},         {FCollections.get(), stCollections}};
  for (const auto& [List, Category] : Lists) {
    for (int I = 0; I < List->Count();) {
      if (IsValidLine(List->Get(I), Category))
        ++I;
      else
        List->Delete(I);
    }
  }
}
