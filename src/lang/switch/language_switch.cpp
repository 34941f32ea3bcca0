// The language switch: the owner's own caption, hint and font, then the lines of each category
// written into the published properties of the owner's components.
#include <algorithm>
#include <span>

#include "core/format_settings.h"
#include "core/scope_exit.h"
#include "core/stream.h"
#include "core/strings.h"
#include "lang/custom_lang.h"
#include "lang/switch/charsets.h"
#include "lang/switch/prop_info_list.h"
#include "lang/switch/switch_lookups.h"
#include "lang/table/translation_line.h"
#include "ui/form.h"
#include "ui/list_control.h"
#include "ui/memo.h"

namespace {

// The names a line stands for: the component, its property and, for a property of an object
// the property holds, the sub-property. The component's name is read in the line.
struct TLineNames {
  std::u16string_view Comp;
  String Prop, Sub;
};

TLineNames NamesOf(std::u16string_view Line, char16_t D, TStringsType Propty) {
  const size_t End = std::min(Line.find(D), Line.size());
  TLineNames N;
  if (Propty != stMultiLines && Propty != stOtherStrings) {
    N.Comp = Line.substr(0, End);
    N.Prop = CategoryPropertyNames[Propty];
    return N;
  }
  const size_t Dot = Line.find(u'.');
  if (Dot >= End) return N;  // a name without a property names nothing
  N.Comp = Line.substr(0, Dot);
  N.Prop = Line.substr(Dot + 1, End - Dot - 1);
  if (const size_t SubDot = N.Prop.find(u'.'); SubDot != String::npos) {
    N.Sub = N.Prop.substr(SubDot + 1);
    N.Prop.resize(SubDot);
  }
  return N;
}

bool IsStringKind(const TPropInfo& P) {
  return StringKinds.Contains(P.PropType->Kind);
}

// A text that reads as a relative path.
bool IsPath(const String& S) {
  return S.find(u"..") != String::npos || S.find(u".\\") != String::npos;
}

void SplitCommaText(const String& S, std::span<String> Names) {
  TStringList Items;
  Items.SetCommaText(S);
  // Fewer items leave the remaining names as they were.
  for (int I = 0; I < Items.Count() && I < static_cast<int>(Names.size()); ++I)
    Names[static_cast<size_t>(I)] = Items.Get(I);
}

void ApplyLocale(std::u16string_view Name, const String& S) {
  const auto Item = std::find(LocaleItemNames.begin(), LocaleItemNames.end(), Name);
  if (S.empty() || Item == LocaleItemNames.end()) return;
  TFormatSettings& F = FormatSettings();
  switch (Item - LocaleItemNames.begin()) {
    case 0:
      F.CurrencyString = S;
      break;
    case 1:
      F.ThousandSeparator = S[0];
      break;
    case 2:
      F.DecimalSeparator = S[0];
      break;
    case 3:
      F.DateSeparator = S[0];
      break;
    case 4:
      F.ShortDateFormat = S;
      break;
    case 5:
      F.LongDateFormat = S;
      break;
    case 6:
      F.TimeSeparator = S[0];
      break;
    case 7:
      F.TimeAMString = S;
      break;
    case 8:
      F.TimePMString = S;
      break;
    case 9:
      F.ShortTimeFormat = S;
      break;
    case 10:
      F.LongTimeFormat = S;
      break;
    case 11:
      SplitCommaText(S, F.ShortMonthNames);
      break;
    case 12:
      SplitCommaText(S, F.LongMonthNames);
      break;
    case 13:
      SplitCommaText(S, F.ShortDayNames);
      break;
    default:
      SplitCommaText(S, F.LongDayNames);
      break;
  }
}

}  // namespace

void CopyLinesInto(TStrings& Target, const TStrings& Items, TObject* Obj, const TPropInfo& Prop) {
  auto* Sortable = dynamic_cast<TStringList*>(&Target);
  const bool WasSorted = Sortable && Sortable->Sorted();
  if (WasSorted) Sortable->SetSorted(false);
  const TScopeExit Resort([&] {
    if (WasSorted) Sortable->SetSorted(true);
  });
  for (int K = 0; K < Items.Count(); ++K) {
    String Item = Items.Get(K);
    if (SetTextPropHook) SetTextPropHook(Obj, Prop, Item);
    if (K < Target.Count())
      Target.Put(K, Item);
    else
      Target.Add(Item);
  }
  while (Target.Count() > Items.Count()) Target.Delete(Target.Count() - 1);
}

void TlcCustomLang::ChangeLanguage() {
  if (FLCBLoading || !Owner() || BlockLanguageChanging) return;
  RefreshCurrentCharset();
  if (FTranslateExtendedFirst && FPropForChange == -1) ChangeLangForExtended();
  try {
    ApplyOwnerText(*FCaptions, u"Caption");
    ApplyOwnerText(*FHints, u"Hint");
  } catch (const Exception&) {
    // The owner's own texts never stop the switch.
  }
  TSwitchLookups& Lookups = this->Lookups();
  Lookups.ForgetLines();
  const auto Applies = [this](std::initializer_list<int> Categories) {
    return FPropForChange == -1 ||
           std::find(Categories.begin(), Categories.end(), FPropForChange) != Categories.end();
  };
  if (Applies({stCaptions})) ApplyCategory(*FCaptions, stCaptions, Lookups);
  if (Applies({stHints})) ApplyCategory(*FHints, stHints, Lookups);
  if (Applies({stDisplayLabels})) ApplyCategory(*FDisplayLabels, stDisplayLabels, Lookups);
  if (Applies({stFonts, stCharSets}) && !FDontHandleFonts) ApplyCategory(*FFonts, stFonts, Lookups);
  ApplyOwnerFont();
  if (Applies({stMultiLines})) ApplyCategory(*FMultiLines, stMultiLines, Lookups);
  if (Applies({stOtherStrings})) ApplyCategory(*FOthers, stOtherStrings, Lookups);
  if (Applies({stLocales}) && FSysChange) ApplyCategory(*FSystem, stLocales, Lookups);
  if (Applies({stCollections})) ApplyCategory(*FCollections, stCollections, Lookups);
  if (!FTranslateExtendedFirst && FPropForChange == -1) ChangeLangForExtended();
  OnChangeLanguage(this);
}

String TlcCustomLang::SwitchText(const TStrings& List, int Index, std::u16string_view Line,
                                 bool TestMode) const {
  String S = GetColumnOrDefault(Line, FLangDelim, FActLang);
  if (S.empty() && TestMode && TestModeOn()) S = GetTestModeText(Line, FLangDelim);
  if (S.empty() && FTranslateType == ttGetDefault) S = GetTextFromByIndex(List, Index, true);
  return S;
}

TSwitchLookups& TlcCustomLang::Lookups() {
  if (!FLookups) FLookups = std::make_unique<TSwitchLookups>();
  FLookups->SetOwner(Owner());
  return *FLookups;
}

void TlcCustomLang::ApplyOwnerText(TStrings& List, const String& PropName) {
  if (List.Count() == 0 || !IsOwnerTranslatable()) return;
  const String OwnerClass = OwnerClassName();
  if (FSmartProps->IndexOf(OwnerClass + u"." + PropName) >= 0) return;
  if (!HasProperty(Owner(), PropName, StringKinds, {})) return;
  const String Line = List.Get(0);
  if (lcCompareText(GetField(Line, FLangDelim, 0), OwnerClass) != 0) return;
  const String S = SwitchText(List, 0, Line, true);
  if (!S.empty()) SetStrPropByName(Owner(), PropName, S);
}

void TlcCustomLang::ApplyOwnerFont() {
  if (FFonts->Count() == 0 || !IsOwnerTranslatable()) return;
  const String OwnerClass = OwnerClassName();
  if (FSmartProps->IndexOf(OwnerClass + u".Font") >= 0) return;
  if (!HasProperty(Owner(), u"Font", ClassKinds, u"TFont")) return;
  const String Line = FFonts->Get(0);
  if (lcCompareText(GetField(Line, FLangDelim, 0), OwnerClass) != 0) return;
  const TPropInfo* P = FindPublishedProp(Owner(), u"Font", ClassKinds);
  auto* F = P->GetObj ? dynamic_cast<TFont*>(P->GetObj(*Owner())) : nullptr;
  if (!F) return;
  // The owner's font takes the plain column: the default language does not stand in here.
  String S = GetField(Line, FLangDelim, FActLang);
  if (S.empty() && FTranslateType == ttGetDefault) S = GetTextFromByIndex(*FFonts, 0, true);
  if (!S.empty()) F->SetName(S);
  TFontCharset Charset = DEFAULT_CHARSET;
  if (FindCharsetByName(GetStringValue(*FCharSets, OwnerClass, FActLang), Charset))
    F->SetCharset(Charset);
}

void TlcCustomLang::ApplyCategory(TStrings& AStrings, TStringsType Propty,
                                  TSwitchLookups& Lookups) {
  DelOldNames(AStrings, Propty, Lookups);
  if (AStrings.Count() == 0) return;
  if (Propty == stCollections) {
    ApplyCollections(AStrings, Lookups);
    return;
  }
  const char16_t D = FLangDelim;
  int First = 0;
  // The owner form's own line was applied by the owner steps.
  if ((Propty == stCaptions || Propty == stHints || Propty == stFonts) &&
      dynamic_cast<const TForm*>(Owner()) && IsOwnerTranslatable() &&
      AStrings.Get(0).find(OwnerClassName() + D) != String::npos)
    First = 1;
  String Scratch;
  for (int I = First; I < AStrings.Count(); ++I) {
    // Read in place: the line is done with before any property is written.
    std::u16string_view Line;
    try {
      Line = AStrings.View(I, Scratch);
    } catch (const EListError&) {
      Line = {};
    }
    const TLineNames N = NamesOf(Line, D, Propty);
    if (IsNotTranslated(N.Comp)) continue;
    // Fonts and locale settings take no test-mode text.
    const String S = SwitchText(AStrings, I, Line, Propty != stFonts && Propty != stLocales);
    if (Propty == stLocales) {
      ApplyLocale(N.Comp, S);
      continue;
    }
    TComponent* Target = Lookups.Component(N.Comp);
    if (!Target && (N.Comp == OwnerClassName() || N.Comp == Owner()->Name())) Target = Owner();
    if (!Target || IsClassNotTranslated(*Target)) continue;
    const TPropInfo* P = FindPublishedProp(Target, N.Prop, AllButEventKinds);
    if (!P || !P->HasReader() || !P->HasWriter()) continue;
    try {
      if (Propty == stFonts)
        ApplyFont(*Target, *P, N.Comp, S, Lookups);
      else if (Propty == stMultiLines)
        ApplyMultiLine(*Target, *P, N.Sub, S);
      else if (!N.Sub.empty())
        ApplySubText(*Target, *P, N.Sub, S);
      else
        ApplyText(*Target, *P, Propty, S);
    } catch (const EListError&) {
      // A list index error ends only this line.
    }
  }
}

void TlcCustomLang::ApplyText(TComponent& Target, const TPropInfo& P, TStringsType Propty,
                              const String& S) {
  try {
    if (S.empty() || !IsStringKind(P)) return;
    const String Cur = GetStringPropText(&Target, P);
    if (S == Cur) return;
    // A relative path already shown expanded stays as it is.
    const bool MayBePath = Propty == stDisplayLabels || Propty == stOtherStrings;
    if (MayBePath && IsPath(S) && ExpandFileName(S) == Cur) return;
    SetTextProp(&Target, P, S);
  } catch (...) {
    // A text that cannot be written leaves the property as it was; the switch goes on.
  }
}

void TlcCustomLang::ApplySubText(TComponent& Target, const TPropInfo& P, const String& Sub,
                                 const String& S) {
  TObject* O = P.GetObj ? P.GetObj(Target) : nullptr;
  if (!O) return;
  const TPropInfo* SubP = FindPublishedProp(O, Sub, AllButEventKinds);
  if (!SubP || !IsStringKind(*SubP) || S.empty() || S == GetStringPropText(O, *SubP)) return;
  SetTextProp(O, *SubP, S);
}

void TlcCustomLang::ApplyFont(TComponent& Target, const TPropInfo& P, std::u16string_view Comp,
                              const String& S, TSwitchLookups& Lookups) {
  auto* F = P.GetObj ? dynamic_cast<TFont*>(P.GetObj(Target)) : nullptr;
  if (!F) return;
  // A control that shows its parent's font keeps it.
  const auto* Control = dynamic_cast<const TControl*>(&Target);
  const bool ParentFont = Control && Control->ParentFont();
  const int Line = Lookups.LastLineOf(*FCharSets, FLangDelim, Comp);
  const String C = Line >= 0 ? GetField(FCharSets->Get(Line), FLangDelim, FActLang) : String();
  TFontCharset Charset = DEFAULT_CHARSET;
  if (FindCharsetByName(C, Charset, true) && !ParentFont) F->SetCharset(Charset);
  if (S.empty() || ParentFont) return;
  F->SetName(S);
  P.SetObj(Target, F);
}

void TlcCustomLang::ApplyMultiLine(TComponent& Target, const TPropInfo& P, const String& Sub,
                                   const String& S) {
  if (S.empty()) return;
  TStringList Items;
  Items.SetCommaText(S);
  if (!Sub.empty()) {
    TObject* O = P.GetObj ? P.GetObj(Target) : nullptr;
    const TPropInfo* SubP = O ? FindPublishedProp(O, Sub, AllButEventKinds) : nullptr;
    auto* L = SubP && SubP->GetObj ? dynamic_cast<TStrings*>(SubP->GetObj(*O)) : nullptr;
    if (L && S != L->GetCommaText()) CopyLinesInto(*L, Items, O, *SubP);
    return;
  }
  TStrings* L = nullptr;
  try {
    L = P.GetObj ? dynamic_cast<TStrings*>(P.GetObj(Target)) : nullptr;
  } catch (...) {
    L = nullptr;
  }
  if (!L || S == L->GetCommaText()) return;
  // A list control keeps its selection and a memo its word wrap across the new lines.
  auto* ListControl = dynamic_cast<TCustomListControl*>(&Target);
  const int Selected = ListControl ? ListControl->ItemIndex() : -1;
  auto* Memo = dynamic_cast<TMemo*>(&Target);
  const bool Wrapped = Memo && Memo->WordWrap();
  if (Wrapped) Memo->SetWordWrap(false);
  const TScopeExit Restore([&] {
    if (ListControl) ListControl->SetItemIndex(Selected);
    if (Wrapped) Memo->SetWordWrap(true);
  });
  CopyLinesInto(*L, Items, &Target, P);
}
