#pragma once
// Code pages: deterministic conversions that never depend on the process locale.
#include <cstdint>
#include <string_view>

#include "core/ustring.h"

inline constexpr unsigned CP_UTF8 = 65001;
inline constexpr unsigned CP_UTF16LE = 1200;

// The ANSI code page: set by SetACP, else the environment variable ANSI_CODE_PAGE, else derived
// from the process locale (LC_ALL, LC_CTYPE, LANG): Cyrillic languages 1251, Central European
// 1250, Greek 1253, Turkish 1254, Hebrew 1255, Arabic 1256, Baltic 1257, Vietnamese 1258,
// Thai 874, Japanese 932, Chinese 936/950, Korean 949, everything else 1252. A code page that
// is not known here, set or named in the environment, is passed over.
unsigned GetACP();
void SetACP(unsigned CodePage);  // 0 goes back to the environment and locale
// The code page of a locale name, language[_territory][.codeset][@modifier].
unsigned CodePageOfLocale(std::string_view Locale);
// The code page that an ANSI_CODE_PAGE value names, or 0 when it names none usable.
unsigned AnsiCodePageSetting(std::string_view Text);

// In the functions below code page 0 stands for GetACP(). Converting with a code page that is
// not known raises EConvertError.

// Single-byte code pages map all 256 bytes both ways: a byte a page leaves undefined maps to the
// code unit of the same value and back, so any bytes, text or not, survive a round trip.
// Characters a page lacks become '?'. Multi-byte pages go through iconv with '?' for what cannot
// convert.
bool IsSingleByteCodePage(unsigned CodePage);
bool IsKnownCodePage(unsigned CodePage);
String CodePageToString(std::string_view Bytes, unsigned CodePage);
std::string StringToCodePage(const String& S, unsigned CodePage);
String AnsiToString(std::string_view Bytes);  // GetACP()
AnsiString StringToAnsi(const String& S);

String Utf8Decode(std::string_view Bytes);           // "" when the bytes are not valid UTF-8
String Utf8DecodeReplacing(std::string_view Bytes);  // each invalid byte becomes U+FFFD
void Utf8DecodeReplacing(std::string_view Bytes, String& Out);  // into Out, reusing its room
void Utf8AppendReplacing(std::string_view Bytes, String& Out);  // after what Out holds
std::string Utf8Encode(const String& S);
String Utf16LEDecode(std::string_view Bytes);  // an odd last byte is ignored
std::string Utf16LEEncode(const String& S);

// Windows charset byte to code page; unknown charsets give the ANSI code page.
unsigned CharsetToCodePage(uint8_t Charset);
