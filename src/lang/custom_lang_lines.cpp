// Translation lines, the category lists that hold them, their delimiter, and removing the lines
// of a component that leaves the form.
#include "lang/custom_lang.h"

#include "core/rtti.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/switch/extended_items.h"
#include "lang/switch/prop_info_list.h"
#include "lang/switch/switch_lookups.h"
#include "lang/table/strings_collection.h"
#include "lang/table/translation_line.h"

String TlcCustomLang::GetStringValue(const TStrings& AStrings, const String& AName,
                                     int ALang) const {
  const bool StopAtFirst =
      FStoreAsUTF8 && &AStrings != FCharSets.get() && &AStrings != FFonts.get();
  String Result;
  for (int I = 0; I < AStrings.Count(); ++I) {
    String Line;
    try {
      Line = AStrings.Get(I);
    } catch (const EListError&) {
      Line.clear();
    }
    if (lcCompareText(GetField(Line, FLangDelim, 0), AName) == 0) {
      Result = GetField(Line, FLangDelim, ALang);
      if (StopAtFirst) break;
    }
  }
  return Result;
}

String TlcCustomLang::GetStringValue(pStrings AStrings, const String& AName, int ALang) const {
  return AStrings ? GetStringValue(*AStrings, AName, ALang) : String();
}

void TlcCustomLang::ReplaceStringValue(TStrings& AStrings, const String& Value, const String& AName,
                                       int ALang) {
  if (&AStrings == FStrings.get() && !IsDesigning()) {
    for (TlcStringsCollection* Coll : {FStringsColl.get(), FLangStringsColl.get()}) {
      const int Index = Coll->GetIDIndex(AName);
      if (Index >= 0) Coll->Items(Index)->Values()->Put(ALang - 1, Value);
    }
  }
  const char16_t D = FLangDelim;
  for (int I = 0; I < AStrings.Count(); ++I) {
    const String Line = AStrings.Get(I);
    const size_t FirstD = Line.find(D);
    const String Name = FirstD == String::npos ? String() : Line.substr(0, FirstD);
    if (lcCompareText(Name, AName) != 0) continue;
    // Rebuilt character by character. The delimiter counter is an int, so lines of 255 or more
    // languages keep their count too.
    String Out;
    int State = 0;
    int C = 0;
    for (char16_t X : Line) {
      if (X == D) ++C;
      if (C == ALang) State = 1;
      if (C == ALang + 1) {
        Out += D;
        Out += Value;
        State = 2;
        ++C;
      }
      if (State == 0 || State == 2) Out += X;
    }
    AStrings.Put(I, State == 1 ? Out + D + Value : Out);
    return;
  }
}

void TlcCustomLang::ReplaceStringValue(pStrings AStrings, const String& Value, const String& AName,
                                       int ALang) {
  if (AStrings) ReplaceStringValue(*AStrings, Value, AName, ALang);
}

String TlcCustomLang::TrimDelimiters(const String& S) const {
  const char16_t D = FLangDelim;
  size_t B = 0, E = S.size();
  while (B < E && S[B] == D) ++B;
  while (E > B && S[E - 1] == D) --E;
  return S.substr(B, E - B);
}

void TlcCustomLang::NormalizeList(TStrings& AList) const {
  const String D(1, static_cast<char16_t>(FLangDelim));
  for (int I = 0; I < AList.Count(); ++I) {
    String Line = AList.Get(I);
    const int K = CountDelimiters(Line, D);
    if (K <= FNumLang) Line += StringOfChar(D[0], FNumLang - K + 1);
    AList.Put(I, Line);
  }
}

void TlcCustomLang::NormalizeLists() {
  NormalizeList(*FStrings);
  NormalizeList(*FDlgsCaptions);
  NormalizeList(*FSystem);
}

// ---- Category lists ----------------------------------------------------------------------

TStrings* TlcCustomLang::GetPropListByName(const String& AName) const {
  const TlcPropInfoList List(this, AllButEventKinds);
  const TPropInfo* P = List.Find(AName);
  if (!P || !P->GetObj) return nullptr;
  // Only a property that really holds a string list counts as a category list.
  return dynamic_cast<TStrings*>(P->GetObj(*this));
}

TStrings* TlcCustomLang::GetPropListByType(TStringsType PropType) const {
  return GetPropListByName(GetEnumName(TypeInfoTStringsType(), PropType).substr(2));
}

void TlcCustomLang::SetCategoryList(TStrings& List, TStrings* Value, TStringsType Category) {
  if (!Value || Value == &List) return;
  List.Assign(*Value);
  FPropForChange = Category;
  ChangeLanguage();
}

void TlcCustomLang::SetDlgsCaptions(TStrings* Value) {
  if (Value && Value != FDlgsCaptions.get()) FDlgsCaptions->Assign(*Value);
}

bool TlcCustomLang::HoldsChar(char16_t C) const {
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat)
    if (const TStrings* List = GetPropListByType(static_cast<TStringsType>(Cat)))
      for (int I = 0; I < List->Count(); ++I)
        if (List->Get(I).find(C) != String::npos) return true;
  for (int I = 0; I < FExtendedTranslations->Count(); ++I)
    if (FExtendedTranslations->Items(I)->Values().find(C) != String::npos) return true;
  return false;
}

void TlcCustomLang::ReplaceDelimChar(uint8_t OldDelim, uint8_t NewDelim, TStrings& List) {
  for (int I = 0; I < List.Count(); ++I) {
    String Line = List.Get(I);
    for (char16_t& C : Line)
      if (C == OldDelim) C = NewDelim;
    List.Put(I, Line);
  }
}

void TlcCustomLang::ChangeLangDelim(uint8_t OldDelim, uint8_t NewDelim) {
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat)
    if (TStrings* List = GetPropListByType(static_cast<TStringsType>(Cat)))
      ReplaceDelimChar(OldDelim, NewDelim, *List);
  ReplaceExtendedDelimiter(OldDelim, NewDelim);
}

void TlcCustomLang::ReplaceExtendedDelimiter(char16_t OldDelim, char16_t NewDelim) {
  for (int I = 0; I < FExtendedTranslations->Count(); ++I) {
    TlcExtendedItem* Item = FExtendedTranslations->Items(I);
    String V = Item->Values();
    for (char16_t& C : V)
      if (C == OldDelim) C = NewDelim;
    Item->SetValues(V);
  }
}

void TlcCustomLang::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (FLookups) FLookups->ComponentsChanged();
  if (Operation == TOperation::opRemove) {
    FExtendedTranslations->ForgetComponent(AComponent);
    if (AComponent == FLangDispatcher) {
      FLangDispatcher = nullptr;
      return;
    }
    if (AComponent == FFontsInfoHolder) {
      FFontsInfoHolder = nullptr;
      return;
    }
  }
  if (!AComponent || AComponent->Is<TlcCustomLang>()) return;
  if (Operation == TOperation::opRemove && IgnoreRemoval && IsDesigning()) return;
  if (Operation == TOperation::opRemove) {
    const int I = FDoNotList->IndexOf(AComponent->Name());
    if (I >= 0) FDoNotList->Delete(I);
  }
  RemoveComponentEntries(*FCaptions, AComponent, stCaptions, Operation);
  RemoveComponentEntries(*FHints, AComponent, stHints, Operation);
  RemoveComponentEntries(*FDisplayLabels, AComponent, stDisplayLabels, Operation);
  RemoveComponentEntries(*FFonts, AComponent, stFonts, Operation);
  RemoveComponentEntries(*FMultiLines, AComponent, stMultiLines, Operation);
  RemoveComponentEntries(*FOthers, AComponent, stOtherStrings, Operation);
  RemoveComponentEntries(*FCharSets, AComponent, stFonts, Operation);
  RemoveComponentEntries(*FCollections, AComponent, stCollections, Operation);
  RemoveComponentEntries(*FSmartProps, AComponent, stOtherStrings, Operation);
  if (Operation == TOperation::opRemove) {
    const String Prefix = AComponent->Name() + u".";
    for (int I = FExtendedTranslations->Count() - 1; I >= 0; --I)
      if (FExtendedTranslations->Items(I)->Identifier().starts_with(Prefix))
        FExtendedTranslations->Delete(I);
  }
}

void TlcCustomLang::RemoveComponentEntries(TStrings& AList, TComponent* AComponent,
                                           TStringsType Category, TOperation Operation) {
  if (Operation != TOperation::opRemove || !IsDesigning() || AList.Count() == 0) return;
  try {
    if (AList.Get(0).empty()) return;
  } catch (const Exception&) {
    return;
  }
  String Prefix = AComponent == Owner() ? OwnerClassName() : AComponent->Name();
  if (Category == stMultiLines || Category == stOtherStrings || Category == stCollections)
    Prefix += u'.';
  else
    Prefix += static_cast<char16_t>(FLangDelim);
  for (int I = AList.Count() - 1; I >= 0; --I) {
    try {
      if (AList.Get(I).starts_with(Prefix)) AList.Delete(I);
    } catch (const Exception&) {
      // A line that cannot be deleted is left; the scan goes on.
    }
  }
}
