#include "lang/custom_lang.h"

#include "component/class_registry.h"
#include "core/format_settings.h"
#include "core/rtti.h"
#include "lang/charsets.h"
#include "lang/extended_items.h"
#include "lang/lang_dispatcher.h"
#include "lang/prop_info_list.h"
#include "lang/strings_collection.h"
#include "lang/translation_line.h"

namespace {

String JoinComma(const auto& Names) {
  String R;
  for (const String& N : Names) {
    if (!R.empty()) R += u',';
    R += N;
  }
  return R;
}

std::unique_ptr<TStringList> NewList() {
  return std::make_unique<TStringList>();
}

}  // namespace

TComponent* TlcCustomLang::CheckOnlyOne(TComponent* AOwner) {
  if (AOwner)
    for (int I = 0; I < AOwner->ComponentCount(); ++I)
      if (AOwner->Components(I)->Is<TlcCustomLang>())
        throw Exception(u"Only one TlcCustomLang component per Form/DataModule allowed!");
  return AOwner;
}

TlcCustomLang::TlcCustomLang(TComponent* AOwner) : TComponent(CheckOnlyOne(AOwner)) {
  FCaptions = NewList();
  FHints = NewList();
  FDisplayLabels = NewList();
  FStrings = NewList();
  FFonts = NewList();
  FMultiLines = NewList();
  FOthers = NewList();
  FDlgsCaptions = NewList();
  FSystem = NewList();
  FCharSets = NewList();
  FCollections = NewList();
  FDoNotList = NewList();
  FLangNames = NewList();
  FLangNames->Add(u"Language N1");
  FLanguage = u"Language N1";
  InitDlgsCaptions();

  const TFormatSettings& F = FormatSettings();
  MyLocales = {F.CurrencyString,
               String(1, F.ThousandSeparator),
               String(1, F.DecimalSeparator),
               String(1, F.DateSeparator),
               F.ShortDateFormat,
               F.LongDateFormat,
               String(1, F.TimeSeparator),
               F.TimeAMString,
               F.TimePMString,
               F.ShortTimeFormat,
               F.LongTimeFormat,
               JoinComma(F.ShortMonthNames),
               JoinComma(F.LongMonthNames),
               JoinComma(F.ShortDayNames),
               JoinComma(F.LongDayNames)};

  FExProps = NewList();
  FStringsTypes = NewList();
  FStringsTypes->Add(u"TIB_STRINGLIST");
  FStringsTypes->Add(u"TSTRINGLIST");
  FSmartProps = NewList();
  FFixedLanguages = NewList();
  FStringsColl = std::make_unique<TlcStringsCollection>(this);
  FLangStringsColl = std::make_unique<TlcStringsCollection>(this);
  FExtendedTranslations = std::make_unique<TlcExtendedItems>(this);

  FDontHandleFonts =
      AOwner && !HasProperty(AOwner, u"Font", ClassKinds, TFont::StaticClassType().Name());

  for (const char16_t* P : {u"Category",
                            u"SecondaryShortCuts",
                            u"HelpKeyword",
                            u"InitialDir",
                            u"HelpKeyword",
                            u"ActivePage",
                            u"ImeName",
                            u"DefaultExt",
                            u"FileName",
                            u"FieldName",
                            u"PickList",
                            u"DisplayFormat",
                            u"EditMask",
                            u"KeyList",
                            u"LookupDisplayFields",
                            u"DropDownSpecRow",
                            u"TableName",
                            u"DatabaseName",
                            u"IndexName",
                            u"MasterFields",
                            u"SQL",
                            u"DeleteSQL",
                            u"UpdateSQL",
                            u"ModifySQL",
                            u"KeyFields",
                            u"LookupKeyFields",
                            u"LookupResultField",
                            u"DataField",
                            u"KeyField",
                            u"ListField"})
    FExProps->Add(P);
}

TlcCustomLang::~TlcCustomLang() {
  if (FLangDispatcher) FLangDispatcher->RemoveLcLang(this);
}

void TlcCustomLang::InitDlgsCaptions() {
  const String D(1, static_cast<char16_t>(FLangDelim));
  for (size_t I = 0; I < 15; ++I)
    FDlgsCaptions->Add(ReplaceText(DlgCaptionTexts[I], u"&", u"") + D + StdDlgCaptions()[I] + D);
}

String TlcCustomLang::OwnerClassName() const {
  return Owner() ? Owner()->ClassName() : String();
}

String TlcCustomLang::RangeMessage(int Value) const {
  if (Owner())
    return Format(SOwnerRangeMessage, {OwnerClassName(), int64_t{Value}, int64_t{FNumLang}});
  return Format(SRangeMessage, {int64_t{Value}, int64_t{FNumLang}});
}

// ---- Translation lines -------------------------------------------------------------------

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
    // Rebuilt character by character; the counter is wider than the original's byte so lines
    // of 255 or more languages are handled too.
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

// ---- Settings ----------------------------------------------------------------------------

void TlcCustomLang::SetStringsTypes(TStrings* Value) {
  if (Value && Value != FStringsTypes.get()) FStringsTypes->Assign(*Value);
}

void TlcCustomLang::SetSmartExcludeProps(TStrings* Value) {
  if (Value && Value != FSmartProps.get()) FSmartProps->Assign(*Value);
}

void TlcCustomLang::SetDoNotTranslate(TStrings* Value) {
  if (Value && Value != FDoNotList.get()) FDoNotList->Assign(*Value);
}

void TlcCustomLang::SetExcludedProperties(TStrings* Value) {
  if (Value && Value != FExProps.get()) FExProps->Assign(*Value);
}

void TlcCustomLang::SetFixedLanguages(TStrings* Value) {
  if (Value && Value != FFixedLanguages.get()) FFixedLanguages->Assign(*Value);
}

void TlcCustomLang::SetExtendedTranslations(TlcExtendedItems* Value) {
  if (Value && Value != FExtendedTranslations.get()) FExtendedTranslations->Assign(*Value);
}

bool TlcCustomLang::ExtendedTranslationsStored() const {
  return FExtendedTranslations->Count() > 0;
}

void TlcCustomLang::SetResourceLanguageIndex(uint16_t Value) {
  if (Value == FResourceLanguageIndex) return;
  if (!IsLoading() && (Value < 1 || Value > FNumLang))
    throw ELanguageError(Format(SRangeMessage, {int64_t{Value}, int64_t{FNumLang}}));
  FResourceLanguageIndex = Value;
  if (!IsDesigning() && !IsLoading()) {
    FLangStringsColl->SortID = Value;
    FLangStringsColl->Sort(true);
  }
}

void TlcCustomLang::SetDefaultLanguage(int Value) {
  // The form stores DefaultLanguage before NumOfLanguages, so while loading the value is kept
  // as it is and checked once loading ends.
  if (IsLoading() || (Value >= 1 && Value <= FNumLang)) FDefaultLanguage = Value;
}

void TlcCustomLang::SetAutoSkipEmpties(bool Value) {
  if (Value == FAutoSkipEmpties) return;
  FAutoSkipEmpties = Value;
}

void TlcCustomLang::SetStoreAsUTF8(bool Value) {
  if (!IsLoading() && Value != FStoreAsUTF8) UTF8EncodeDecode(Value);
  FStoreAsUTF8 = Value;
}

void TlcCustomLang::UTF8EncodeDecode(bool) {}

void TlcCustomLang::SetOptions(TlcLangOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  if (HasOption(Value, loUseExtCommonStrings) && IsDesigning()) {
    FDlgsCaptions->Clear();
    FSystem->Clear();
  }
}

void TlcCustomLang::SetNeedAllDlgs(bool Value) {
  if (Value == FNeedAllDlgs) return;
  FNeedAllDlgs = Value;
  if (!IsLoading()) UpdateDlgsCaptions();
}

void TlcCustomLang::SetChangeLocales(bool Value) {
  if (Value == FSysChange) return;
  FSysChange = Value;
  if (Value && FSystem->Count() == 0) {
    const String D(1, static_cast<char16_t>(FLangDelim));
    for (size_t I = 0; I < 15; ++I) FSystem->Add(LocaleItemNames[I] + D + MyLocales[I] + D);
  }
}

void TlcCustomLang::SetNumOfLanguages(int Value) {
  if (Value == FNumLang) return;
  if (Value < 1)
    throw ELanguageError(IntToStr(Value) + u" - is not a valid property value !\r" +
                         u"Value must be more than ZERO !");
  const String D(1, static_cast<char16_t>(FLangDelim));
  if (Value < FNumLang) {
    for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
      TStrings* List = GetPropListByType(static_cast<TStringsType>(Cat));
      if (!List) continue;
      for (int I = 0; I < List->Count(); ++I) {
        const String Line = List->Get(I);
        const int P = FieldStart(Value + 2, Line, D);
        if (P > 0) List->Put(I, Line.substr(0, P - 1));
      }
    }
  }
  FNumLang = Value;
  if (IsDesigning() && !IsLoading()) NormalizeLists();
  while (FLangNames->Count() < Value)
    FLangNames->Add(u"Language N" + IntToStr(FLangNames->Count() + 1));
  while (FLangNames->Count() > Value) FLangNames->Delete(FLangNames->Count() - 1);
  // The active, default and resource languages stay within the new range.
  if (FActLang > FNumLang) FActLang = FNumLang;
  if (FDefaultLanguage > FNumLang) FDefaultLanguage = FNumLang;
  if (FResourceLanguageIndex > FNumLang) FResourceLanguageIndex = static_cast<uint16_t>(FNumLang);
  if (!IsDesigning() && !IsLoading()) {
    NormalizeLists();
    UpdateStrCollections();
  }
}

void TlcCustomLang::SetLangDelim(uint8_t Value) {
  if (Value == FLangDelim) return;
  if (!IsLoading()) {
    // A text that already holds the new delimiter would split into extra fields.
    if (HoldsChar(Value))
      throw ELanguageError(
          Format(u"Character %d occurs in a translation and cannot delimit it!", {int64_t{Value}}));
    ChangeLangDelim(FLangDelim, Value);
  }
  FLangDelim = Value;
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

void TlcCustomLang::SetLangNames(TStrings* Value) {
  if (!Value || Value == FLangNames.get()) return;
  FLangNames->Assign(*Value);
  if (FLangNames->Count() >= FActLang) FLanguage = FLangNames->Get(FActLang - 1);
  FNumLang = FLangNames->Count();
  // A component keeps at least one language, and its active language within range.
  if (FNumLang < 1) {
    FLangNames->Add(u"Language N1");
    FNumLang = 1;
  }
  if (FActLang > FNumLang) {
    FActLang = FNumLang;
    FLanguage = FLangNames->Get(FActLang - 1);
  }
  if (FDefaultLanguage > FNumLang) FDefaultLanguage = FNumLang;
  if (FResourceLanguageIndex > FNumLang) FResourceLanguageIndex = static_cast<uint16_t>(FNumLang);
}

void TlcCustomLang::SetLanguage(const String& Value) {
  if (Value == FLanguage) return;
  int Index = FLangNames->IndexOf(Value);
  if (Index < 0) {
    if (!IsLoading())
      throw ELanguageError(u"Language name shall be included in LangNames property!");
    Index = FLangNames->Add(Value);
  }
  FLanguage = Value;
  if (!IsLoading() && !FLCBLoading) SetActiveLanguage(Index + 1);
}

void TlcCustomLang::SetLangDispatcher(TlcLangDispatcher* Value) {
  if (Value != FLangDispatcher && FLangDispatcher) {
    FLangDispatcher->RemoveLcLang(this);
    FLangDispatcher->RemoveFreeNotification(this);
  }
  FLangDispatcher = Value;
  if (Value) Value->FreeNotification(this);
  if (IsLoading()) {
    if (FLangDispatcher) {
      FNumLang = FLangDispatcher->NumOfLanguages();
      FDefaultLanguage = FLangDispatcher->DefaultLanguage();
      FUseDefaultLanguage = FLangDispatcher->UseDefaultLanguage();
    }
  } else if (FLangDispatcher && Owner() && !FLCBLoading) {
    FLangDispatcher->AddLcLang(this);
  }
}

// ---- Notification ------------------------------------------------------------------------

void TlcCustomLang::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove) {
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

// ---- Class types -------------------------------------------------------------------------

const TClassType& TlcCustomLang::StaticClassType() {
  static const TClassType T(u"TlcCustomLang", &TComponent::StaticClassType(), [](TClassType& C) {
    using L = TlcCustomLang;
    TPropsOf<L>(C)
        .Str(u"Version", &L::Version, &L::SetVersion)
        .Ord(u"IsInheritedOwner", TypeInfoBoolean(), &L::IsInheritedOwner, &L::SetIsInheritedOwner,
             0)
        .Obj(u"StringsTypes", TStrings::StaticClassType(), &L::StringsTypes, &L::SetStringsTypes)
        .Obj(u"SmartExcludeProps", TStrings::StaticClassType(), &L::SmartExcludeProps,
             &L::SetSmartExcludeProps, &L::SmartExcludePropsStored)
        .Ord(u"HandleResourceStrings", TypeInfoBoolean(), &L::HandleResourceStrings,
             &L::SetHandleResourceStrings, 0)
        .Ord(u"ResourceLanguageIndex", TypeInfoWord(), &L::ResourceLanguageIndex,
             &L::SetResourceLanguageIndex, 1)
        .Ord(u"TranslateExtendedFirst", TypeInfoBoolean(), &L::TranslateExtendedFirst,
             &L::SetTranslateExtendedFirst, 0)
        .Ord(u"UseDefaultLanguage", TypeInfoBoolean(), &L::UseDefaultLanguage,
             &L::SetUseDefaultLanguage, 0)
        .Ord(u"DefaultLanguage", TypeInfoInteger(), &L::DefaultLanguage, &L::SetDefaultLanguage, 1)
        .Ord(u"AutoSkipEmpties", TypeInfoBoolean(), &L::AutoSkipEmpties, &L::SetAutoSkipEmpties, 1)
        .Ord(u"StoreAsUTF8", TypeInfoBoolean(), &L::StoreAsUTF8, &L::SetStoreAsUTF8, 0)
        .Ord(u"UseTaskMsgDlg", TypeInfoBoolean(), &L::UseTaskMsgDlg, &L::SetUseTaskMsgDlg, 1)
        .Event(u"OnLanguageChanging", TypeInfoTLanguageChangingEvent(), &L::OnLanguageChanging);
  });
  return T;
}

const TClassType& TlcLang::StaticClassType() {
  static const TClassType T(u"TlcLang", &TlcCustomLang::StaticClassType(), [](TClassType& C) {
    using L = TlcCustomLang;
    const TClassType& S = TStrings::StaticClassType();
    auto Never = &L::NeverStored;
    TPropsOf<L>(C)
        .Obj(u"Captions", S, &L::Captions, &L::SetCaptions, Never)
        .Obj(u"Hints", S, &L::Hints, &L::SetHints, Never)
        .Obj(u"DisplayLabels", S, &L::DisplayLabels, &L::SetDisplayLabels, Never)
        .Obj(u"Strings", S, &L::Strings, &L::SetStrings, Never)
        .Obj(u"Fonts", S, &L::Fonts, &L::SetFonts, Never)
        .Obj(u"MultiLines", S, &L::MultiLines, &L::SetMultiLines, Never)
        .Obj(u"DlgsCaptions", S, &L::DlgsCaptions, &L::SetDlgsCaptions, Never)
        .Obj(u"OtherStrings", S, &L::OtherStrings, &L::SetOtherStrings, Never)
        .Obj(u"Locales", S, &L::Locales, &L::SetLocales, Never)
        .Obj(u"CharSets", S, &L::CharSets, &L::SetCharSets, Never)
        .Obj(u"Collections", S, &L::Collections, &L::SetCollections, Never)
        .Ord(u"NumOfLanguages", TypeInfoInteger(), &L::NumOfLanguages, &L::SetNumOfLanguages, 1)
        .Ord(u"ActiveLanguage", TypeInfoInteger(), &L::ActiveLanguage, &L::SetActiveLanguage, 1)
        .Ord(u"ChangeLocales", TypeInfoBoolean(), &L::ChangeLocales, &L::SetChangeLocales, 0)
        .Obj(u"LangDispatcher", TlcLangDispatcher::StaticClassType(), &L::LangDispatcher,
             &L::SetLangDispatcher)
        .Event(u"OnChangeLanguage", TypeInfoTNotifyEvent(), &L::OnChangeLanguage)
        .Ord(u"LangDelim", TypeInfoByte(), &L::LangDelim, &L::SetLangDelim, 9)
        .Obj(u"DoNotTranslate", S, &L::DoNotTranslate, &L::SetDoNotTranslate,
             &L::DoNotTranslateStored)
        .Obj(u"LangNames", S, &L::LangNames, &L::SetLangNames)
        .Str(u"Language", &L::Language, &L::SetLanguage)
        .Ord(u"TranslateType", TypeInfoTTranslateType(), &L::TranslateType, &L::SetTranslateType,
             ttNoChange)
        .Ord(u"Options", TypeInfoTlcLangOptions(), &L::Options, &L::SetOptions, 0)
        .Ord(u"NeedAllDlgs", TypeInfoBoolean(), &L::NeedAllDlgs, &L::SetNeedAllDlgs, 0)
        .Ord(u"ChangingCursor", TypeInfoTCursor(), &L::ChangingCursor, &L::SetChangingCursor, -1)
        .Obj(u"ExcludedProperties", S, &L::ExcludedProperties, &L::SetExcludedProperties,
             &L::ExcludedPropertiesStored)
        .Ord(u"DoRaiseExceptions", TypeInfoBoolean(), &L::DoRaiseExceptions,
             &L::SetDoRaiseExceptions, 0)
        .Obj(u"ExtendedTranslations", TlcExtendedItems::StaticClassType(), &L::ExtendedTranslations,
             &L::SetExtendedTranslations, &L::ExtendedTranslationsStored);
    C.Create = [](TObject* Owner) -> TObject* {
      return new TlcLang(dynamic_cast<TComponent*>(Owner));
    };
  });
  return T;
}

void RegisterLangClasses() {
  if (!GetClass(u"TlcLang")) RegisterClass(TlcLang::StaticClassType());
}

namespace {
// Unit start-up: the form stream creates TlcLang by its class name.
const bool LangClassesRegistered = (RegisterLangClasses(), true);
}  // namespace
