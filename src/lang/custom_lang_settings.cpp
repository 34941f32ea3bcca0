// The settings of the translation component and their setters.
#include "lang/custom_lang.h"

#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/switch/extended_items.h"
#include "lang/table/strings_collection.h"
#include "lang/table/translation_line.h"

void TlcCustomLang::SetStringsTypes(TStrings* Value) {
  if (!Value || Value == FStringsTypes.get()) return;
  FStringsTypes->Assign(*Value);
  if (!IsLoading()) BuildList();
}

void TlcCustomLang::SetSmartExcludeProps(TStrings* Value) {
  if (!Value || Value == FSmartProps.get()) return;
  FSmartProps->Assign(*Value);
  if (!IsLoading()) BuildList();
}

void TlcCustomLang::SetDoNotTranslate(TStrings* Value) {
  if (!Value || Value == FDoNotList.get()) return;
  FDoNotList->Assign(*Value);
  if (!IsLoading()) ReBuildDoNotList();
}

void TlcCustomLang::SetExcludedProperties(TStrings* Value) {
  if (!Value || Value == FExProps.get()) return;
  FExProps->Assign(*Value);
  if (IsLoading()) return;
  ExcludeProperties();
  BuildList();
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
  if (Value && !IsLoading()) BuildList();
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

void TlcCustomLang::CheckLanguageCount(int Count) {
  if (Count > MaxLanguages)
    throw ELanguageError(IntToStr(Count) + u" - is not a valid property value !\r" +
                         u"Value must not exceed " + IntToStr(MaxLanguages) + u" !");
}

void TlcCustomLang::SetNumOfLanguages(int Value) {
  if (Value == FNumLang) return;
  // Read from form data, a count out of range is ignored and the form loads.
  if (IsLoading() && (Value < 1 || Value > MaxLanguages)) return;
  if (Value < 1)
    throw ELanguageError(IntToStr(Value) + u" - is not a valid property value !\r" +
                         u"Value must be more than ZERO !");
  CheckLanguageCount(Value);
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

void TlcCustomLang::SetLangNames(TStrings* Value) {
  if (!Value || Value == FLangNames.get()) return;
  // The names set the language count: too many are refused, and nothing changes.
  if (Value->Count() > MaxLanguages) {
    if (IsLoading()) return;
    CheckLanguageCount(Value->Count());
  }
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
