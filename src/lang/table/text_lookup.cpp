// Texts by key or by line index, in the active language, with the language-1 and
// default-language fallbacks and borrowing from other components of a dispatcher.
#include "core/restore.h"
#include "core/strings.h"
#include "lang/custom_lang.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/files/c_escapes.h"
#include "lang/switch/test_mode.h"
#include "lang/table/strings_collection.h"
#include "lang/table/translation_line.h"

namespace {

String LastCText;  // the buffer behind GetTextC and GetTextOrDefaultC

bool StartsWithName(std::u16string_view Line, std::u16string_view Name, char16_t D) {
  if (Line.size() < Name.size() + 1 || Line[Name.size()] != D) return false;
  return lcCompareText(Line.substr(0, Name.size()), Name) == 0;
}

// What a look-up in the sorted Strings gives when the active language's text is empty or the
// key is missing, where an error may be raised or test mode may apply. Kept out of the way of
// the found text, which nearly every message takes.
[[gnu::cold]] String TextInstead(const TlcCustomLang& Lang,
                                 const TlcStringsCollection::TFound& Found,
                                 std::u16string_view TextID, bool GetDefault) {
  if (Lang.DoRaiseExceptions() && !Found.Exists())
    throw ELanguageError(Format(u"String identifier \"%s\" not found!", {String(TextID)}));
  // Test mode shows a missing text as the transformed language-1 text.
  if (Lang.LangDispatcher() && Found.Exists() && Lang.TestModeOn()) {
    String S = TestModeTransform(Lang, String(Found.Text(1)));
    if (!S.empty()) return S;
  }
  return GetDefault ? String(Found.Text(1)) : String();
}

}  // namespace

const TStrings* TlcCustomLang::BorrowedList(const TStrings& AStrings, bool CommonOnly,
                                            bool& Borrow) const {
  TStrings* (TlcCustomLang::*Category)() const = nullptr;
  if (HasOption(FOptions, loUseExtCommonStrings) && &AStrings == FDlgsCaptions.get())
    Category = &TlcCustomLang::DlgsCaptions;
  else if (HasOption(FOptions, loUseExtCommonStrings) && &AStrings == FSystem.get())
    Category = &TlcCustomLang::Locales;
  else if (!CommonOnly && HasOption(FOptions, loUseExtUDStrings) && &AStrings == FStrings.get())
    Category = &TlcCustomLang::Strings;
  Borrow = Category != nullptr;
  if (!Borrow || !FLangDispatcher) return nullptr;
  for (int I = 0; I < FLangDispatcher->LcLangsCount(); ++I) {
    const TlcCustomLang* Other = FLangDispatcher->LcLangs(I);
    // The component's own list is searched below; borrowing it would ask it again forever.
    if (Other == this) continue;
    const TStrings* List = (Other->*Category)();
    if (List->Count() > 0) return List;
  }
  return nullptr;
}

String TlcCustomLang::SearchList(const TStrings& AStrings, std::u16string_view TextID,
                                 bool GetDefault) const {
  // Line by line, so fields come only from the found line and a key inside a text that holds
  // a line break is never taken for a line's name.
  const char16_t D = FLangDelim;
  for (int I = 0; I < AStrings.Count(); ++I) {
    const String Line = AStrings.Get(I);
    if (!StartsWithName(Line, TextID, D)) continue;
    String S = GetField(Line, FLangDelim, FActLang);
    if (S.empty() && TestModeOn()) S = GetTestModeText(Line, D);
    if (S.empty() && GetDefault) S = GetField(Line, FLangDelim, 1);
    return S;
  }
  if (FRaiseExc)
    throw ELanguageError(Format(u"String identifier \"%s\" not found!", {String(TextID)}));
  return {};
}

String TlcCustomLang::GetTextFrom(const TStrings& AStrings, std::u16string_view TextID,
                                  bool GetDefault, bool /*NeedDecode*/) const {
  // Every message text comes through here: the borrowing rules are read only when an option
  // asks for them.
  if (FOptions != 0) {
    bool Borrow = false;
    const TStrings* Borrowed = BorrowedList(AStrings, false, Borrow);
    if (Borrow && !FLangDispatcher) return {};
    if (Borrowed) return GetTextFrom(*Borrowed, TextID, GetDefault, true);
  }
  if (&AStrings != FStrings.get() || IsDesigning()) return SearchList(AStrings, TextID, GetDefault);

  // One probe of the key index finds the item; the text is read where it lies and copied once,
  // into the result.
  const TlcStringsCollection::TFound Found = FStringsColl->Find(TextID);
  if (const std::u16string_view Text = Found.Text(FActLang); !Text.empty()) return String(Text);
  if (FRaiseExc || FLangDispatcher) return TextInstead(*this, Found, TextID, GetDefault);
  return GetDefault ? String(Found.Text(1)) : String();
}

String TlcCustomLang::GetTextFromW(const TStrings& AStrings, std::u16string_view TextID,
                                   bool GetDefault) const {
  return GetTextFrom(AStrings, TextID, GetDefault, true);
}

String TlcCustomLang::GetTextFromByIndex(const TStrings& AStrings, int ID, bool GetDefault) const {
  bool Borrow = false;
  const TStrings* Borrowed = BorrowedList(AStrings, true, Borrow);
  if (Borrow && !FLangDispatcher) return {};
  const TStrings& List = Borrowed ? *Borrowed : AStrings;
  if (ID < 0 || ID >= List.Count()) return {};
  const String Line = List.Get(ID);
  String S = GetField(Line, FLangDelim, FActLang);
  if (S.empty() && GetDefault) S = GetField(Line, FLangDelim, 1);
  return S;
}

String TlcCustomLang::GetTextFromByIndex(pStrings AStrings, int ID, bool GetDefault) const {
  return AStrings ? GetTextFromByIndex(*AStrings, ID, GetDefault) : String();
}

String TlcCustomLang::GetText(std::u16string_view TextID) const {
  String R = GetTextFrom(*FStrings, TextID, FTranslateType == ttGetDefault, true);
  if (UsedInCPP) R = DecodeCEscapes(R);
  return R;
}

String TlcCustomLang::GetTextbyInt(int ID) const {
  return GetText(IntToStr(ID));
}

String TlcCustomLang::GetTextW(std::u16string_view TextID) const {
  return GetText(TextID);
}

String TlcCustomLang::GetTextOrDefault(std::u16string_view TextID) {
  // Returned as made, not moved: every message text of a program comes this way.
  if (FUseDefaultLanguage) return GetTextOrDefaultLanguage(TextID);
  if (!UsedInCPP) return GetTextFrom(*FStrings, TextID, true, true);
  return DecodeCEscapes(GetTextFrom(*FStrings, TextID, true, true));
}

String TlcCustomLang::GetTextOrDefaultLanguage(std::u16string_view TextID) {
  String R = GetText(TextID);
  if (!R.empty()) return R;
  const TRestore<int> Swap(FActLang, FDefaultLanguage);
  R = GetText(TextID);
  if (R.empty()) R = GetTextFrom(*FStrings, TextID, true, true);
  return R;
}

String TlcCustomLang::GetTextOrDefaultW(std::u16string_view TextID) {
  return GetTextOrDefault(TextID);
}

String TlcCustomLang::GetTextOrDefined(std::u16string_view TextID, int ADefined) {
  String R = GetText(TextID);
  if (R.empty() && ADefined >= 1 && ADefined <= FNumLang) {
    const TRestore<int> Swap(FActLang, ADefined);
    R = GetText(TextID);
  }
  return R;
}

String TlcCustomLang::GetTextOrDefinedW(std::u16string_view TextID, int ADefined) {
  String R = GetTextW(TextID);
  if (R.empty() && ADefined >= 1 && ADefined <= FNumLang) {
    const TRestore<int> Swap(FActLang, ADefined);
    R = GetTextW(TextID);
  }
  return R;
}

const char16_t* TlcCustomLang::GetTextC(std::u16string_view TextID) const {
  String R = GetText(TextID);
  if (R.empty()) return nullptr;
  LastCText = std::move(R);
  return LastCText.c_str();
}

const char16_t* TlcCustomLang::GetTextOrDefaultC(std::u16string_view TextID) {
  String R = GetTextOrDefault(TextID);
  if (R.empty()) return nullptr;
  LastCText = std::move(R);
  return LastCText.c_str();
}

String TlcCustomLang::GetColumnOrDefault(std::u16string_view Line, uint8_t Delim,
                                         int Column) const {
  String R = GetField(Line, Delim, Column);
  if (FUseDefaultLanguage && R.empty() && Column != FDefaultLanguage)
    R = GetField(Line, Delim, FDefaultLanguage);
  return R;
}
