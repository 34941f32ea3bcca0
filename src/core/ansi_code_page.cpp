#include <atomic>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/code_page.h"

namespace {

std::atomic<unsigned> ACPOverride{0};

// UTF-16 cannot stand for single bytes, so it is never the ANSI code page.
bool UsableAsAnsi(unsigned CodePage) {
  return CodePage != 0 && CodePage != CP_UTF16LE && IsKnownCodePage(CodePage);
}

bool OneOf(std::string_view Language, std::initializer_list<std::string_view> Names) {
  for (std::string_view N : Names)
    if (Language == N) return true;
  return false;
}

}  // namespace

unsigned CodePageOfLocale(std::string_view Locale) {
  const size_t At = Locale.find('@');
  const std::string_view Modifier = At == std::string_view::npos ? "" : Locale.substr(At + 1);
  const std::string_view Name = Locale.substr(0, At);
  const std::string_view Language = Name.substr(0, Name.find_first_of("_."));
  std::string_view Territory;
  if (const size_t U = Name.find('_'); U != std::string_view::npos)
    Territory = Name.substr(U + 1, Name.find('.', U) - U - 1);

  if (OneOf(Language, {"ru", "uk", "be", "bg", "mk", "kk", "ky", "tt", "mn"})) return 1251;
  if (Language == "sr") return Modifier == "latin" ? 1250 : 1251;
  if (Language == "az") return Modifier == "cyrillic" ? 1251 : 1254;
  if (OneOf(Language, {"cs", "pl", "hu", "sk", "sl", "hr", "ro", "sq"})) return 1250;
  if (Language == "el") return 1253;
  if (Language == "tr") return 1254;
  if (Language == "he") return 1255;
  if (OneOf(Language, {"ar", "fa", "ur"})) return 1256;
  if (OneOf(Language, {"et", "lv", "lt"})) return 1257;
  if (Language == "vi") return 1258;
  if (Language == "th") return 874;
  if (Language == "ja") return 932;
  if (Language == "ko") return 949;
  if (Language == "zh") return OneOf(Territory, {"TW", "HK", "MO"}) ? 950 : 936;
  return 1252;
}

unsigned AnsiCodePageSetting(std::string_view Text) {
  const std::string Value(Text);
  char* End = nullptr;
  const unsigned long CodePage = std::strtoul(Value.c_str(), &End, 10);
  if (End != Value.c_str() && End == Value.c_str() + Value.size() && CodePage <= 65535 &&
      UsableAsAnsi(static_cast<unsigned>(CodePage)))
    return static_cast<unsigned>(CodePage);
  return 0;
}

namespace {

unsigned CodePageOfEnvironment() {
  if (const char* Value = std::getenv("ANSI_CODE_PAGE"))
    if (const unsigned CodePage = AnsiCodePageSetting(Value)) return CodePage;
  for (const char* Variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* Value = std::getenv(Variable);
    if (Value && *Value) return CodePageOfLocale(Value);
  }
  return 1252;
}

}  // namespace

unsigned GetACP() {
  const unsigned CodePage = ACPOverride.load();
  return CodePage != 0 ? CodePage : CodePageOfEnvironment();
}

void SetACP(unsigned CodePage) {
  ACPOverride.store(UsableAsAnsi(CodePage) ? CodePage : 0);
}

unsigned CharsetToCodePage(uint8_t Charset) {
  switch (Charset) {
    case 0:  // ANSI_CHARSET
      return 1252;
    case 128:  // SHIFTJIS_CHARSET
      return 932;
    case 129:  // HANGEUL_CHARSET
      return 949;
    case 134:  // GB2312_CHARSET
      return 936;
    case 136:  // CHINESEBIG5_CHARSET
      return 950;
    case 161:  // GREEK_CHARSET
      return 1253;
    case 162:  // TURKISH_CHARSET
      return 1254;
    case 163:  // VIETNAMESE_CHARSET
      return 1258;
    case 177:  // HEBREW_CHARSET
      return 1255;
    case 178:  // ARABIC_CHARSET
      return 1256;
    case 186:  // BALTIC_CHARSET
      return 1257;
    case 204:  // RUSSIAN_CHARSET
      return 1251;
    case 222:  // THAI_CHARSET
      return 874;
    case 238:  // EASTEUROPE_CHARSET
      return 1250;
    default:  // DEFAULT_CHARSET and the charsets without an ANSI code page
      return GetACP();
  }
}
