// Creating the translation component, its published properties, and registering its class at
// unit start-up.
#include "lang/custom_lang.h"

#include "component/class_registry.h"
#include "core/format_settings.h"
#include "core/rtti.h"
#include "lang/dialogs/res_string_hook.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/switch/extended_items.h"
#include "lang/switch/prop_info_list.h"
#include "lang/switch/switch_lookups.h"
#include "lang/table/strings_collection.h"
#include "lang/table/translation_line.h"

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
  // Its lists name the owner's components: it hears of every one that comes or goes.
  HearAllComponents();
}

TlcCustomLang::~TlcCustomLang() {
  RemoveResStringHook(*this);
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
