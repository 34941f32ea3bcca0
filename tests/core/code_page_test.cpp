#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "core/code_page.h"
#include "core/exceptions.h"

namespace {

std::string AllBytes() {
  std::string B;
  for (int I = 0; I < 256; ++I) B += static_cast<char>(I);
  return B;
}

// One byte at a time through glibc's iconv from a single-byte charset to UTF-16.
class TIconvBytes {
 public:
  explicit TIconvBytes(const char* Charset) : FCd(iconv_open("UTF-16LE", Charset)) {
    EXPECT_NE(FCd, reinterpret_cast<iconv_t>(-1)) << Charset;
  }
  ~TIconvBytes() {
    if (FCd != reinterpret_cast<iconv_t>(-1)) iconv_close(FCd);
  }
  TIconvBytes(const TIconvBytes&) = delete;
  TIconvBytes& operator=(const TIconvBytes&) = delete;

  // The code unit of the byte; nothing for a byte glibc does not convert.
  std::optional<char16_t> Decode(char Byte) {
    if (FCd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    iconv(FCd, nullptr, nullptr, nullptr, nullptr);
    char In[1] = {Byte};
    char Out[8];
    char* InP = In;
    char* OutP = Out;
    size_t InLeft = 1, OutLeft = sizeof Out;
    if (iconv(FCd, &InP, &InLeft, &OutP, &OutLeft) == static_cast<size_t>(-1)) return std::nullopt;
    // Pages that combine accents keep a letter back until they are told the text has ended.
    iconv(FCd, nullptr, nullptr, &OutP, &OutLeft);
    if (OutP - Out != 2) return std::nullopt;
    return static_cast<char16_t>(static_cast<unsigned char>(Out[0]) |
                                 static_cast<unsigned char>(Out[1]) << 8);
  }

 private:
  iconv_t FCd;
};

// Sets environment variables for one test and puts the old values back.
class EnvGuard {
 public:
  void Set(const char* Name, const char* Value) {
    if (!FSaved.count(Name)) {
      const char* Old = std::getenv(Name);
      FSaved[Name] = Old ? std::optional<std::string>(Old) : std::nullopt;
    }
    if (Value)
      setenv(Name, Value, 1);
    else
      unsetenv(Name);
  }
  ~EnvGuard() {
    for (auto& [Name, Value] : FSaved)
      Value ? setenv(Name.c_str(), Value->c_str(), 1) : unsetenv(Name.c_str());
  }

 private:
  std::map<std::string, std::optional<std::string>> FSaved;
};

}  // namespace

// Every byte of every table, both ways, and against glibc's own tables of the same code pages.
TEST(CodePage, SingleByteTablesAgreeWithIconvAndRoundTripEveryByte) {
  const std::pair<unsigned, const char*> Pages[] = {
      {874, "CP874"},   {1250, "CP1250"}, {1251, "CP1251"}, {1252, "CP1252"}, {1253, "CP1253"},
      {1254, "CP1254"}, {1255, "CP1255"}, {1256, "CP1256"}, {1257, "CP1257"}, {1258, "CP1258"},
      {866, "IBM866"},  {437, "IBM437"},  {850, "IBM850"}};
  for (const auto& [CP, Charset] : Pages) {
    ASSERT_TRUE(IsSingleByteCodePage(CP)) << CP;
    const String Text = CodePageToString(AllBytes(), CP);
    ASSERT_EQ(Text.size(), 256u) << CP;
    EXPECT_EQ(StringToCodePage(Text, CP), AllBytes()) << CP;
    for (int I = 0; I < 128; ++I) EXPECT_EQ(Text[I], I) << CP;
    TIconvBytes Iconv(Charset);
    for (int B = 0; B < 256; ++B) {
      if (const std::optional<char16_t> Expected = Iconv.Decode(static_cast<char>(B))) {
        EXPECT_EQ(Text[B], *Expected) << CP << " byte " << B;
      } else {
        // glibc refuses a byte the page leaves undefined (0x98 of 1251, 0x81 of 1252 ...). Such a
        // byte stands for the code unit of the same value, so any bytes, text or not, survive a
        // round trip through a string.
        EXPECT_EQ(Text[B], B) << CP << " byte " << B;
      }
    }
  }
  // Bytes the page leaves undefined stand for the code unit of the same value.
  EXPECT_EQ(CodePageToString("\x98", 1251), String(1, char16_t(0x98)));
  EXPECT_EQ(CodePageToString("\x81\x8D", 1252), String(u"\u0081\u008D"));
  EXPECT_EQ(CodePageToString("\xC0\xFF\xB8", 1251), u"\u0410\u044F\u0451");
  EXPECT_EQ(CodePageToString("\x80\x9F", 1252), u"\u20AC\u0178");
  EXPECT_EQ(CodePageToString("\x80\xE0", 866), u"\u0410\u0440");
  EXPECT_EQ(StringToCodePage(u"\u0410\u044F", 1251), "\xC0\xFF");
  EXPECT_EQ(StringToCodePage(u"\u20AC", 1252), "\x80");
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(StringToCodePage(u"a\u0416b", 1252), "a?b");
  EXPECT_EQ(StringToCodePage(u"\u00E9\U0001F600", 1251), "???");
  EXPECT_EQ(StringToCodePage(u"\u65E5\u672C", 932), "\x93\xFA\x96\x7B");
  EXPECT_EQ(StringToCodePage(u"a\u0416\u20AC\U0001F600b", 936), "a\xA7\xA8\x80?b");
  EXPECT_EQ(StringToCodePage(u"x" + String(1, char16_t(0xD800)) + u"y", 949), "x?y");
  EXPECT_EQ(CodePageToString("\x93\xFA\x96\x7B", 932), u"\u65E5\u672C");
  EXPECT_EQ(CodePageToString("\xA4\xA4", 950), u"\u4E2D");
  EXPECT_EQ(CodePageToString("\xB0\xA1", 949), u"\uAC00");
  EXPECT_EQ(CodePageToString("a\x93", 932), u"a?");  // truncated double byte
  EXPECT_TRUE(IsKnownCodePage(936));
  EXPECT_FALSE(IsSingleByteCodePage(936));
  EXPECT_FALSE(IsKnownCodePage(12345));
  EXPECT_THROW(CodePageToString("a", 12345), EConvertError);
}

TEST(CodePage, UnicodeForms) {
  EXPECT_EQ(CodePageToString("\xD0\x96", CP_UTF8), u"\u0416");
  EXPECT_EQ(Utf8Decode("\xD0"), u"");
  EXPECT_EQ(Utf8DecodeReplacing("a\xD0z\xC0\xAF"), u"a\uFFFDz\uFFFD\uFFFD");
  EXPECT_EQ(Utf8Encode(u"\u0416"), "\xD0\x96");
  // Every kind of sequence after runs of ASCII of every length up to past sixteen bytes.
  for (size_t N = 0; N <= 34; ++N) {
    const std::string Run(N, 'a');
    const String Wide(N, u'a');
    EXPECT_EQ(Utf8Decode(Run + "\xD0\x96" + Run), Wide + u"\u0416" + Wide) << N;
    EXPECT_EQ(Utf8Decode(Run + "\xE2\x82\xAC\xF0\x9F\x98\x80"), Wide + u"\u20AC\U0001F600") << N;
    EXPECT_EQ(Utf8Decode(Run + "\xD0z"), u"") << N;
    EXPECT_EQ(Utf8Decode(Run + "\xC1\x81"), u"") << N;  // overlong
    EXPECT_EQ(Utf8Decode(Run + "\xDF"), u"") << N;
    EXPECT_EQ(Utf8DecodeReplacing(Run + "\xD0\xD0\x96"), Wide + u"\uFFFD\u0416") << N;
  }
  EXPECT_EQ(Utf16LEDecode(std::string("A\0\x16\x04\x7F", 5)), u"A\u0416");
  EXPECT_EQ(Utf16LEEncode(u"A\u0416"), std::string("A\0\x16\x04", 4));
  EXPECT_EQ(StringToCodePage(u"A", CP_UTF16LE), std::string("A\0", 2));
}

TEST(CodePage, AnsiCodePageFromSettingEnvironmentAndLocale) {
  EnvGuard Env;
  SetACP(0);
  Env.Set("ANSI_CODE_PAGE", nullptr);
  Env.Set("LC_ALL", nullptr);
  Env.Set("LC_CTYPE", nullptr);
  Env.Set("LANG", nullptr);
  EXPECT_EQ(GetACP(), 1252u);
  const std::pair<const char*, unsigned> Locales[] = {
      {"C", 1252},          {"POSIX", 1252},      {"en_US.UTF-8", 1252}, {"ru_RU.UTF-8", 1251},
      {"uk_UA", 1251},      {"sr_RS", 1251},      {"sr_RS@latin", 1250}, {"pl_PL.UTF-8", 1250},
      {"el_GR", 1253},      {"tr_TR", 1254},      {"he_IL", 1255},       {"fa_IR", 1256},
      {"lt_LT", 1257},      {"vi_VN", 1258},      {"th_TH", 874},        {"ja_JP.eucJP", 932},
      {"zh_CN.UTF-8", 936}, {"zh_TW.UTF-8", 950}, {"zh_HK", 950},        {"ko_KR", 949},
      {"de_DE@euro", 1252},
  };
  for (const auto& [Locale, CP] : Locales) {
    Env.Set("LANG", Locale);
    EXPECT_EQ(GetACP(), CP) << Locale;
  }
  Env.Set("LANG", "de_DE");
  Env.Set("LC_CTYPE", "ru_RU");
  EXPECT_EQ(GetACP(), 1251u);
  Env.Set("LC_ALL", "el_GR");
  EXPECT_EQ(GetACP(), 1253u);
  Env.Set("ANSI_CODE_PAGE", "1250");
  EXPECT_EQ(GetACP(), 1250u);
  Env.Set("ANSI_CODE_PAGE", "nonsense");
  EXPECT_EQ(GetACP(), 1253u);
  Env.Set("ANSI_CODE_PAGE", "1200");
  EXPECT_EQ(GetACP(), 1253u);

  SetACP(1251);
  EXPECT_EQ(GetACP(), 1251u);
  EXPECT_EQ(AnsiToString("\xC0"), u"\u0410");
  EXPECT_EQ(StringToAnsi(u"\u0410"), "\xC0");
  EXPECT_EQ(CodePageToString("\xC0", 0), u"\u0410");
  EXPECT_EQ(CharsetToCodePage(1), 1251u);  // DEFAULT_CHARSET
  EXPECT_EQ(CharsetToCodePage(2), 1251u);  // SYMBOL_CHARSET has no ANSI code page
  SetACP(4321);                            // unknown: back to the environment
  EXPECT_EQ(GetACP(), 1253u);
  SetACP(0);
}

TEST(CodePage, CharsetToCodePage) {
  const std::pair<uint8_t, unsigned> Charsets[] = {
      {0, 1252},   {204, 1251}, {238, 1250}, {161, 1253}, {162, 1254}, {177, 1255}, {178, 1256},
      {186, 1257}, {163, 1258}, {222, 874},  {128, 932},  {129, 949},  {134, 936},  {136, 950}};
  for (const auto& [Charset, CP] : Charsets) EXPECT_EQ(CharsetToCodePage(Charset), CP) << +Charset;
}
