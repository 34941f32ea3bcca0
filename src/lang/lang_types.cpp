#include "lang/lang_types.h"

#include "ui/msg_dlg_texts.h"

const TTypeInfo& TypeInfoTStringsType() {
  static const TTypeInfo T = EnumTypeInfo(
      u"TStringsType", {u"stCaptions", u"stHints", u"stDisplayLabels", u"stFonts", u"stMultiLines",
                        u"stDlgsCaptions", u"stStrings", u"stOtherStrings", u"stLocales",
                        u"stCollections", u"stCharSets", u"stListView_TreeView_Items"});
  return T;
}

const TTypeInfo& TypeInfoTTranslateType() {
  static const TTypeInfo T = EnumTypeInfo(u"TTranslateType", {u"ttNoChange", u"ttGetDefault"});
  return T;
}

const TTypeInfo& TypeInfoTlcLangOptions() {
  static const TTypeInfo Element =
      EnumTypeInfo(u"TlcLangOption", {u"loUseExtUDStrings", u"loUseExtCommonStrings"});
  static const TTypeInfo T = SetTypeInfo(u"TlcLangOptions", Element);
  return T;
}

const TTypeInfo& TypeInfoTCursor() {
  static const TTypeInfo T = OrdinalTypeInfo(tkInteger, u"TCursor", INT16_MIN, INT16_MAX);
  return T;
}

const TTypeInfo& TypeInfoTLanguageChangingEvent() {
  static const TTypeInfo T = MethodTypeInfo(u"TLanguageChangingEvent");
  return T;
}

const std::array<String, StringsTypeCount> CategoryPropertyNames = {
    u"Caption", u"Hint",  u"DisplayLabel", u"Font",        u"TStrings", u"Dialog",
    u"Strings", u"Other", u"Locales",      u"Collections", u"CharSet",  u"ListView_TreeView_Items"};

const std::array<String, StringsTypeCount> CategorySectionNames = {
    u"Captions",   u"Hints",       u"DisplayLabels", u"Fonts",
    u"Multilines", u"Dialogs",     u"Strings",       u"Other",
    u"Locales",    u"Collections", u"CharSets",      u"ListView_TreeView_Items"};

const std::array<String, 15> LocaleItemNames = {
    u"Currency String",   u"Thousand Separator", u"Decimal Separator", u"Date Separator",
    u"Short Date Format", u"Long Date Format",   u"Time Separator",    u"Time AM String",
    u"Time PM String",    u"Short Time Format",  u"Long Time Format",  u"Short Month Names",
    u"Long Month Names",  u"Short Day Names",    u"Long Day Names"};

const std::array<String, 86> DlgCaptionTexts = {u"Warning",
                                                u"Error",
                                                u"Information",
                                                u"Confirm",
                                                u"&Yes",
                                                u"&No",
                                                u"OK",
                                                u"Cancel",
                                                u"&Abort",
                                                u"&Retry",
                                                u"&Ignore",
                                                u"&All",
                                                u"N&o To All",
                                                u"Y&es To All",
                                                u"&Help",
                                                u"&Open",
                                                u"Look &in:",
                                                u"File &name:",
                                                u"Files of &type:",
                                                u"&Read-only",
                                                u"&Save",
                                                u"&Drives:",
                                                u"Save &in:",
                                                u"Save as &type:",
                                                u"&Basic colors:",
                                                u"&Custom colors:",
                                                u"&Define Custom Colors >>",
                                                u"Color",
                                                u"|S&olid",
                                                u"Hu&e:",
                                                u"&Sat:",
                                                u"&Lum:",
                                                u"&Red:",
                                                u"&Green:",
                                                u"Bl&ue:",
                                                u"&Add to Custom Colors",
                                                u"&Font:",
                                                u"Font st&yle:",
                                                u"Si&ze:",
                                                u"&Color:",
                                                u"&Apply",
                                                u"Effects",
                                                u"Stri&keout",
                                                u"&Underline",
                                                u"Sample",
                                                u"Sc&ript:",
                                                u"Printer",
                                                u"&Name:",
                                                u"&Properties",
                                                u"Status:",
                                                u"Type:",
                                                u"Where:",
                                                u"Comment:",
                                                u"Paper",
                                                u"&Source:",
                                                u"Orientation",
                                                u"P&ortrait",
                                                u"L&andscape",
                                                u"Print to f&ile",
                                                u"Print",
                                                u"Pa&ges",
                                                u"&Selection",
                                                u"&from:",
                                                u"&to:",
                                                u"Copies",
                                                u"Number of &copies:",
                                                u"C&ollate",
                                                u"Fi&nd what:",
                                                u"Match &whole words only",
                                                u"Match &case",
                                                u"Direction",
                                                u"&Up",
                                                u"&Down",
                                                u"&Find Next",
                                                u"&Replace",
                                                u"Replace &All",
                                                u"Re&place with:",
                                                u"Picture:",
                                                u"Preview",
                                                u"New Folder",
                                                u"Folder:",
                                                u"(None)",
                                                u"Close",
                                                u"Network",
                                                u"Print Setup",
                                                u"Find"};

const std::array<String, 15>& StdDlgCaptions() {
  // Filled once from the class library's message-dialog texts, as they read at start-up.
  static const std::array<String, 15> Captions = MsgDlgTexts();
  return Captions;
}

int lcCompareText(std::u16string_view A, std::u16string_view B) {
  return CompareAsciiText(A, B);
}

int lcCompareStr(std::u16string_view A, std::u16string_view B) {
  return CompareStr(A, B);
}
