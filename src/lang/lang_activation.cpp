// Finishing a component read from its form data, and selecting the active language.
#include "core/restore.h"
#include "core/strings.h"
#include "lang/custom_lang.h"
#include "lang/dialogs/lang_dialogs.h"
#include "lang/dialogs/res_string_hook.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/switch/charsets.h"
#include "lang/switch/extended_items.h"
#include "lang/table/strings_collection.h"
#include "lang/table/translation_line.h"
#include "ui/form.h"
#include "ui/screen.h"

namespace {

int CountChar(const String& S, char16_t C) {
  int N = 0;
  for (char16_t X : S)
    if (X == C) ++N;
  return N;
}

// Restores the screen cursor on every way out of a language switch.
class TCursorGuard {
 public:
  explicit TCursorGuard(TCursor Busy) {
    if (Busy == -1 || Screen().Cursor() != crDefault) return;
    FActive = true;
    FSaved = Screen().Cursor();
    Screen().SetCursor(Busy);
  }
  ~TCursorGuard() {
    if (FActive) Screen().SetCursor(FSaved);
  }
  TCursorGuard(const TCursorGuard&) = delete;
  TCursorGuard& operator=(const TCursorGuard&) = delete;

 private:
  bool FActive = false;
  TCursor FSaved = crDefault;
};

}  // namespace

void TlcCustomLang::FinishLoading() {
  TComponent::FinishLoading();
  // DefaultLanguage arrives before NumOfLanguages in the form data; check it now.
  if (FDefaultLanguage < 1 || FDefaultLanguage > FNumLang) FDefaultLanguage = 1;
  if (FLCBLoading || !Owner()) return;
  UpdateDlgsCaptions();
  if (HasOption(FOptions, loUseExtCommonStrings)) {
    FDlgsCaptions->Clear();
    FSystem->Clear();
  }
  if (FLangDelim == 9) {
    // Stored TAB-delimited data is converted as it stands.
    ChangeLangDelim(9, 1);
    FLangDelim = 1;
  }
  if (HasTabDelimitedData()) {
    ChangeLangDelim(FLangDelim, 9);
    ChangeLangDelim(9, FLangDelim);
  }
  if (FSystem->Count() == 11) {
    const String D(1, static_cast<char16_t>(FLangDelim));
    for (size_t I = 11; I < 15; ++I) FSystem->Add(LocaleItemNames[I] + D + MyLocales[I] + D);
  }
  // Lines of the form data that name excluded properties go before anything reads them.
  ExcludeProperties();
  if (IsDesigning())
    NormalizeLists();
  else
    RebuildStringsCollection(*FStringsColl, 0);
  if (FLangDispatcher && !FLCBLoading) FLangDispatcher->AddLcLang(this);
  if (FOnInher)
    ChangeLanguage();
  else
    RefreshCurrentCharset();
  // The first component of the program that asks for it translates the resource strings.
  if (!IsDesigning() && FHandleResourceStrings && !ResStringHookComponent()) {
    RebuildStringsCollection(*FLangStringsColl, FResourceLanguageIndex);
    InstallResStringHook(*this);
  }
  // While designing, the extended items follow renames of the components their paths start at.
  if (IsDesigning()) FExtendedTranslations->LinkComponents(*Owner());
}

void TlcCustomLang::UpdateDlgsCaptions() {
  const String D(1, static_cast<char16_t>(FLangDelim));
  const int N = FDlgsCaptions->Count();
  if (FNeedAllDlgs && N < 86) {
    for (int I = N + 1; I <= 86; ++I) {
      const String& Text = I <= 15 ? StdDlgCaptions()[I - 1] : DlgCaptionTexts[I - 1];
      FDlgsCaptions->Add(ReplaceText(DlgCaptionTexts[I - 1], u"&", u"") + D + Text + D);
    }
  } else if (!FNeedAllDlgs && N == 86) {
    for (int I = 85; I >= 0; --I)
      if (IsNotStdDlgCaption(GetField(FDlgsCaptions->Get(I), FLangDelim, 0)))
        FDlgsCaptions->Delete(I);
  }
}

bool TlcCustomLang::HasTabDelimitedData() const {
  auto First = [](const TStrings& L) { return L.Count() > 0 ? L.Get(0) : String(); };
  if (CountChar(First(*FDlgsCaptions), u'\t') > 0) return true;
  if (CountChar(First(*FSystem), u'\t') > 0) return true;
  if (FCaptions->Count() > 0 && CountChar(First(*FCaptions), u'\t') == FNumLang + 1) return true;
  return FHints->Count() > 0 && CountChar(First(*FHints), u'\t') == FNumLang + 1;
}

void TlcCustomLang::SetActiveLanguage(int Value) {
  if (Value == FActLang) return;
  if (Value < 1 || Value > FNumLang) {
    if (IsLoading()) return;
    throw ELanguageError(RangeMessage(Value));
  }
  FPropForChange = -1;
  const TCursorGuard Cursor(IsDesigning() ? TCursor(-1) : FChangingCursor);
  // The form's texts go into the language still shown before another one takes over.
  if (IsDesigning() && (FLangDispatcher || !IsLoading())) BuildList();
  if (!IsLoading()) {
    bool Allow = true;
    if (!FDontFireChanging && OnLanguageChanging) OnLanguageChanging(this, Value, Allow);
    if (!Allow) return;
  }
  FActLang = Value;
  if (IsLoading()) return;
  if (FLangNames->Count() >= Value) FLanguage = FLangNames->Get(Value - 1);
  ChangeLanguage();
}

TFontCharset TlcCustomLang::GetCharsetForLanguage(int ALanguage) {
  String T;
  if (!Owner() || FLCBLoading) {
    const TRestore<int> Language(FActLang, ALanguage);
    T = GetTextFromByIndex(*FCharSets, 0, false);
  } else {
    T = GetStringValue(*FCharSets, OwnerClassName(), ALanguage);
  }
  if (T.empty()) {
    // Another linked component of a form lends its charsets; the last one linked stays.
    if (!FFontsInfoHolder && FLangDispatcher) {
      for (int I = 0; I < FLangDispatcher->LcLangsCount(); ++I) {
        TlcCustomLang* Other = FLangDispatcher->LcLangs(I);
        if (Other == this || !dynamic_cast<TCustomForm*>(Other->Owner())) continue;
        FFontsInfoHolder = Other;
        Other->FreeNotification(this);
      }
    }
    if (FFontsInfoHolder && FFontsInfoHolder->Owner())
      T = FFontsInfoHolder->GetStringValue(*FFontsInfoHolder->CharSets(),
                                           FFontsInfoHolder->Owner()->ClassName(), ALanguage);
  }
  TFontCharset Result = DEFAULT_CHARSET;
  FindCharsetByName(T, Result);
  return Result;
}

void TlcCustomLang::RefreshCharsetArray() {
  CS_Array.clear();
  for (int L = 1; L <= FNumLang; ++L) CS_Array.push_back(GetCharsetForLanguage(L));
}

void TlcCustomLang::RefreshCurrentCharset() {
  RefreshCharsetArray();
  // Bounds-checked: the active language always has an entry after the refresh above.
  if (FActLang >= 1 && FActLang <= static_cast<int>(CS_Array.size()))
    CurrentCharset = CS_Array[static_cast<size_t>(FActLang - 1)];
}

void TlcCustomLang::UpdateStrCollections() {
  if (IsDesigning()) return;
  RebuildStringsCollection(*FStringsColl, 0);
  if (FHandleResourceStrings && Owner())
    RebuildStringsCollection(*FLangStringsColl, FResourceLanguageIndex);
}
