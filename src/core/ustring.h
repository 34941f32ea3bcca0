#pragma once
// Text as the class library sees it: UTF-16 code units, 1-based helpers where the algorithms
// count from 1, and the small conversions every room uses.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

using String = std::u16string;
using AnsiString = std::string;  // bytes in the ANSI code page
using RawBytes = std::string;    // protocol bytes, frames, payloads

// UTF-8 <-> UTF-16 for literals, file names and diagnostics. Invalid UTF-8 gives "".
String FromUtf8(std::string_view utf8);
std::string ToUtf8(const String& s);

// 1-based helpers; out-of-range arguments clamp, as the class library does.
int Pos(const String& Sub, const String& S);  // 0 when absent or Sub is empty
int PosEx(const String& Sub, const String& S, int Offset);
String Copy(const String& S, int Index, int Count);
void Delete(String& S, int Index, int Count);
void Insert(const String& Source, String& S, int Index);

String UpperCase(const String& S);  // folds ASCII a..z only
String LowerCase(const String& S);  // folds ASCII A..Z only
String Trim(const String& S);       // drops characters <= ' ' at both ends
String StringOfChar(char16_t C, int Count);
String StringReplaceAll(const String& S, const String& OldPattern, const String& NewPattern);

// Unicode simple case folding of one code unit (Latin, Greek, Cyrillic and the other
// bicameral blocks of the BMP); the string list's case-insensitive order uses it.
char16_t FoldCase(char16_t C);
char16_t CharUpper(char16_t C);
char16_t CharLower(char16_t C);
bool IsCharUpperW(char16_t C);
int CompareText(std::u16string_view A, std::u16string_view B);  // folded, then by code unit
bool SameText(std::u16string_view A, std::u16string_view B);
int CompareStr(std::u16string_view A, std::u16string_view B);  // code units as they are
// Names and keys: only ASCII a..z fold to upper case, then code units; a prefix sorts first.
inline char16_t AsciiUpperChar(char16_t C) {
  return (C >= u'a' && C <= u'z') ? C - 32 : C;
}
int CompareAsciiText(std::u16string_view A, std::u16string_view B);
// Hashing and equality of names as CompareAsciiText sees them, for hashed look-ups by name.
struct TAsciiFoldHash {
  using is_transparent = void;
  size_t operator()(std::u16string_view S) const;
};
struct TAsciiFoldEqual {
  using is_transparent = void;
  bool operator()(std::u16string_view A, std::u16string_view B) const;
};

String IntToStr(int64_t Value);
String IntToHex(uint64_t Value, int Digits);
// Accepts leading/trailing blanks, a sign, decimal or $hex / 0x hex; overflow is a failure.
bool TryStrToInt(const String& S, int& Value);
bool TryStrToInt64(const String& S, int64_t& Value);
int StrToInt(const String& S);  // raises EConvertError "'%s' is not a valid integer value"
int StrToIntDef(const String& S, int Default);
int64_t StrToInt64(const String& S);

// Rounded Value * Numerator / Denominator; -1 when Denominator is 0.
int MulDiv(int Value, int Numerator, int Denominator);

// Format with the class library's specifiers: %s %d %u %x with optional "index:", "-", width
// and ".precision"; "%%" is a percent sign. A missing or mistyped argument raises EConvertError.
using TVarRec = std::variant<int64_t, String>;
String Format(const String& Fmt, std::initializer_list<TVarRec> Args);

// Joining and splitting lines: "\r\n" after every line; splitting at CR LF, CR or LF.
inline constexpr char16_t CR = u'\r';
inline constexpr char16_t LF = u'\n';
inline const String sLineBreak = u"\r\n";

// The first A or B in Text at From or after it, else Text.size().
size_t FindEither(std::u16string_view Text, char16_t A, char16_t B, size_t From);

// Calls Line with every line of Text, split at CR LF, CR or LF; a final break adds no line.
template <class F>
void ForEachLine(std::u16string_view Text, const F& Line) {
  size_t Start = 0;
  while (Start < Text.size()) {
    size_t End = FindEither(Text, CR, LF, Start);
    Line(Text.substr(Start, End - Start));
    if (End < Text.size() && Text[End] == CR) ++End;
    if (End < Text.size() && Text[End] == LF) ++End;
    Start = End;
  }
}
