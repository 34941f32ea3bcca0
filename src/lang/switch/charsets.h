#pragma once
// Charset identifiers of the CharSets lines and conversions in a charset's code page.
#include <array>
#include <cstdint>

#include "core/ustring.h"
#include "ui/font.h"

struct TCharsetName {
  const char16_t* Identifier;
  TFontCharset Value;
};
extern const std::array<TCharsetName, 19> CharsetNames;

// The value of the first identifier equal to Name (exactly, or ignoring ASCII case), if any.
bool FindCharsetByName(const String& Name, TFontCharset& Value, bool IgnoreCase = false);
// The identifier of a charset value, "" when the table has none.
String CharsetIdentifier(TFontCharset Value);

String AnsiToUnicodeByCharset(const AnsiString& S, TFontCharset Charset);
AnsiString UnicodeToAnsiByCharset(const String& S, TFontCharset Charset);
