// Keeping the translation lists in step with the form: lines of vanished components and
// collection items, lines an action supplies, and lines without any text.
#include <algorithm>

#include "component/collection.h"
#include "core/strings.h"
#include "lang/custom_lang.h"
#include "lang/switch/extended_items.h"
#include "lang/switch/prop_info_list.h"
#include "lang/switch/switch_lookups.h"
#include "lang/table/translation_line.h"

namespace {

std::u16string_view NameOf(std::u16string_view Line, char16_t D) {
  const size_t End = Line.find(D);
  return End == String::npos ? std::u16string_view() : Line.substr(0, End);
}

// How many delimiters the line has at its two ends together (all of them for a line of
// delimiters only).
size_t OuterDelimiters(std::u16string_view Line, char16_t D) {
  const size_t Lead = Line.find_first_not_of(D);
  if (Lead == String::npos) return Line.size();
  return Lead + (Line.size() - 1 - Line.find_last_not_of(D));
}

// Line I without the delimiters beyond the N + 1 it needs at its end, and the line as it then
// reads.
std::u16string_view TrimSurplusDelimiters(TStrings& AStrings, int I, char16_t D, size_t Wanted,
                                          String& Scratch) {
  const std::u16string_view Line = AStrings.View(I, Scratch);
  size_t Count = static_cast<size_t>(std::count(Line.begin(), Line.end(), D));
  size_t Keep = Line.size();
  while (Count > Wanted && Keep > 0 && Line[Keep - 1] == D) {
    --Keep;
    --Count;
  }
  if (Keep == Line.size()) return Line;
  AStrings.Put(I, String(Line.substr(0, Keep)));
  return AStrings.View(I, Scratch);
}

// Every occurrence of Old, respecting case, texts included.
String ReplaceAll(const String& Line, const String& Old, const String& New) {
  String R;
  size_t From = 0;
  for (size_t At; (At = Line.find(Old, From)) != String::npos; From = At + Old.size())
    R.append(Line, From, At - From).append(New);
  return R.append(Line, From);
}

}  // namespace

void TlcCustomLang::DelOldNames(TStrings& AStrings, TStringsType Propty) {
  DelOldNames(AStrings, Propty, Lookups());
}

void TlcCustomLang::DelOldNames(TStrings& AStrings, TStringsType Propty, TSwitchLookups& Lookups) {
  if (Propty == stDlgsCaptions || Propty == stStrings || Propty == stLocales) return;
  if (!FTmpStrings) FTmpStrings = std::make_unique<TStringList>();
  const char16_t D = FLangDelim;
  const size_t Wanted = static_cast<size_t>(FNumLang) + 1;
  String Scratch;
  // Without an owner there is no form to hold the lines against.
  const bool Judged = Owner() != nullptr;
  const bool Items = Propty == stCollections;
  // Line 0 is trimmed first: the owner's action is judged on it as it then reads.
  if (AStrings.Count() > 0) TrimSurplusDelimiters(AStrings, 0, D, Wanted, Scratch);
  bool OwnLine = Judged && !Items && OwnLineStays(AStrings, Propty);
  const String OwnerClass = Judged && !Items ? OwnerClassName() : String();
  // Each line is trimmed, judged against the form and tested for text in one visit: on a large
  // form the lines and components are read once, not once per step.
  for (int I = 0; I < AStrings.Count();) {
    const std::u16string_view Line = TrimSurplusDelimiters(AStrings, I, D, Wanted, Scratch);
    TLineFate Fate = TLineFate::Stays;
    // The owner's own line is not judged (its successor is, should it go for want of text).
    if (Judged && !OwnLine)
      Fate = Items ? ItemLineFate(NameOf(Line, D), Lookups)
                   : ComponentLineFate(NameOf(Line, D), Propty, OwnerClass, Lookups);
    OwnLine = false;
    if (Fate == TLineFate::KeptAside) FTmpStrings->Add(String(Line));
    if (Fate == TLineFate::Stays && !(FAutoSkipEmpties && OuterDelimiters(Line, D) >= Wanted))
      ++I;
    else
      AStrings.Delete(I);
  }
}

bool TlcCustomLang::OwnLineStays(TStrings& AStrings, TStringsType Propty) {
  const bool TextCategory = Propty == stCaptions || Propty == stHints;
  const int Kind = Propty == stCaptions ? 0 : 1;
  // An owner that publishes the text (the font) has line 0 for its own.
  bool Own = false;
  if (TextCategory)
    Own = HasProperty(Owner(), Kind == 0 ? u"Caption" : u"Hint", StringKinds, {});
  else if (Propty == stFonts || Propty == stCharSets)
    Own = HasProperty(Owner(), u"Font", ClassKinds, u"TFont");
  // The owner's own line goes when its action supplies the text.
  if (TextCategory && Own && IsValueFromAction(Owner(), Kind) && AStrings.Count() > 0 &&
      AStrings.Get(0).find(OwnerClassName() + static_cast<char16_t>(FLangDelim)) != String::npos) {
    AStrings.Delete(0);
    Own = false;
  }
  return Own;
}

TlcCustomLang::TLineFate TlcCustomLang::ItemLineFate(std::u16string_view Name,
                                                     TSwitchLookups& Lookups) {
  const size_t Dot = Name.find(u'.');
  TComponent* Comp = Lookups.Component(Name.substr(0, Dot));
  if (!Comp) return TLineFate::KeptAside;
  String Rest(Dot == String::npos ? std::u16string_view() : Name.substr(Dot + 1));
  TObject* Searched = Comp;
  if (Rest.starts_with(u"Properties.")) {
    Rest.erase(0, 11);
    const TPropInfo* P = FindPublishedProp(Comp, u"Properties", AllButEventKinds);
    Searched = P && P->GetObj ? P->GetObj(*Comp) : nullptr;
  }
  const String Item = Rest.substr(0, Rest.find(u'.'));
  const size_t Open = Item.find(u'[');
  int Index = 0;
  // A component without the object, or a name whose index is no number, cannot be judged: the
  // line stays.
  if (!Searched || Open == String::npos ||
      !TryStrToInt(Item.substr(Open + 1, Item.size() - Open - 2), Index))
    return TLineFate::Stays;
  const String CollName = Item.substr(0, Open);
  const TPropInfo* P = FindPublishedProp(Searched, CollName, AllButEventKinds);
  const auto* Coll = P && P->Name == CollName && P->GetObj
                         ? dynamic_cast<TCollection*>(P->GetObj(*Searched))
                         : nullptr;
  return !Coll || Coll->Count() > Index ? TLineFate::Stays : TLineFate::KeptAside;
}

TlcCustomLang::TLineFate TlcCustomLang::ComponentLineFate(std::u16string_view Name,
                                                          TStringsType Propty,
                                                          const String& OwnerClass,
                                                          TSwitchLookups& Lookups) {
  if (Propty == stMultiLines || Propty == stOtherStrings || Propty == stListView_TreeView_Items) {
    const size_t Dot = Name.find(u'.');
    const std::u16string_view CompPart =
        Dot == String::npos ? std::u16string_view() : Name.substr(0, Dot);
    return CompPart == OwnerClass || Lookups.Component(CompPart) ? TLineFate::Stays
                                                                 : TLineFate::KeptAside;
  }
  const TComponent* Comp = Lookups.Component(Name);
  if (!Comp) return TLineFate::KeptAside;
  const bool TextCategory = Propty == stCaptions || Propty == stHints;
  return TextCategory && IsValueFromAction(Comp, Propty == stCaptions ? 0 : 1) ? TLineFate::Dropped
                                                                               : TLineFate::Stays;
}

void TlcCustomLang::ReBuildDoNotList() {
  const auto RemoveLinesOf = [this](TComponent* C) {
    const std::pair<TStrings*, TStringsType> Lists[] = {{FCaptions.get(), stCaptions},
                                                        {FHints.get(), stHints},
                                                        {FDisplayLabels.get(), stDisplayLabels},
                                                        {FFonts.get(), stFonts},
                                                        {FMultiLines.get(), stMultiLines},
                                                        {FOthers.get(), stOtherStrings},
                                                        {FCharSets.get(), stFonts},
                                                        {FCollections.get(), stCollections}};
    for (const auto& [List, Category] : Lists)
      RemoveComponentEntries(*List, C, Category, TOperation::opRemove);
  };
  TComponent* Form = Owner();
  if (!Form) return;
  for (int I = 0; I < FDoNotList->Count(); ++I) {
    const String Entry = FDoNotList->Get(I);
    if (TComponent* C = Form->FindComponent(Entry)) {
      RemoveLinesOf(C);
    } else if (Entry == Form->ClassName()) {
      RemoveLinesOf(Form);
    } else if (Entry.starts_with(u"!T")) {
      for (int K = 0; K < Form->ComponentCount(); ++K)
        if (Form->Components(K)->ClassName() == std::u16string_view(Entry).substr(1))
          RemoveLinesOf(Form->Components(K));
    }
  }
}

void TlcCustomLang::ComponentRenamed(const String& OldName, const String& NewName) {
  if (NewName.empty()) return;
  // The owner form's lines are named by its class, which follows its name.
  const bool IsOwner = Owner() && OldName == Owner()->Name();
  const String Old = IsOwner ? u"T" + OldName : OldName;
  const String New = IsOwner ? u"T" + NewName : NewName;
  const char16_t D = FLangDelim;
  const auto Rename = [&](TStrings& List) {
    for (int I = 0; I < List.Count(); ++I) {
      const String Line = List.Get(I);
      const size_t End = std::min(Line.find(u'.'), Line.find(D));
      if (Line.compare(0, End, Old) == 0) List.Put(I, ReplaceAll(Line, Old, New));
    }
  };
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat)
    if (TStrings* List = GetPropListByType(static_cast<TStringsType>(Cat))) Rename(*List);
  Rename(*FDoNotList);
  Rename(*FSmartProps);
  const String Prefix = OldName + u".";
  for (int I = 0; I < FExtendedTranslations->Count(); ++I) {
    TlcExtendedItem* Item = FExtendedTranslations->Items(I);
    const String Id = Item->Identifier();
    if (Id.starts_with(Prefix)) Item->SetIdentifier(NewName + Id.substr(OldName.size()));
  }
}
