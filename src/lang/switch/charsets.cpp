#include "lang/switch/charsets.h"

#include "core/code_page.h"
#include "lang/lang_types.h"

const std::array<TCharsetName, 19> CharsetNames = {{
    {u"ANSI_CHARSET", 0},      {u"DEFAULT_CHARSET", 1},    {u"SYMBOL_CHARSET", 2},
    {u"MAC_CHARSET", 77},      {u"SHIFTJIS_CHARSET", 128}, {u"HANGEUL_CHARSET", 129},
    {u"JOHAB_CHARSET", 130},   {u"GB2312_CHARSET", 134},   {u"CHINESEBIG5_CHARSET", 136},
    {u"GREEK_CHARSET", 161},   {u"TURKISH_CHARSET", 162},  {u"VIETNAMESE_CHARSET", 163},
    {u"HEBREW_CHARSET", 177},  {u"ARABIC_CHARSET", 178},   {u"BALTIC_CHARSET", 186},
    {u"RUSSIAN_CHARSET", 204}, {u"THAI_CHARSET", 222},     {u"EASTEUROPE_CHARSET", 238},
    {u"OEM_CHARSET", 255},
}};

bool FindCharsetByName(const String& Name, TFontCharset& Value, bool IgnoreCase) {
  // Most fonts name no character set: no need to walk the table for them.
  if (Name.empty()) return false;
  for (const TCharsetName& C : CharsetNames) {
    const std::u16string_view Id = C.Identifier;
    if (IgnoreCase ? TAsciiFoldEqual()(Id, Name) : Id == Name) {
      Value = C.Value;
      return true;
    }
  }
  return false;
}

String CharsetIdentifier(TFontCharset Value) {
  for (const TCharsetName& C : CharsetNames)
    if (C.Value == Value) return C.Identifier;
  return {};
}

String AnsiToUnicodeByCharset(const AnsiString& S, TFontCharset Charset) {
  return CodePageToString(S, CharsetToCodePage(Charset));
}

AnsiString UnicodeToAnsiByCharset(const String& S, TFontCharset Charset) {
  return StringToCodePage(S, CharsetToCodePage(Charset));
}
