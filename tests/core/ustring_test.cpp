#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/code_page.h"
#include "core/exceptions.h"
#include "core/ustring.h"

TEST(UString, OneBasedHelpersClamp) {
  EXPECT_EQ(Pos(u"b", u"abcb"), 2);
  EXPECT_EQ(Pos(u"", u"abc"), 0);
  EXPECT_EQ(Pos(u"x", u"abc"), 0);
  EXPECT_EQ(PosEx(u"b", u"abcb", 3), 4);
  EXPECT_EQ(PosEx(u"b", u"abcb", 0), 0);
  EXPECT_EQ(PosEx(u"b", u"abcb", 5), 0);

  EXPECT_EQ(Copy(u"abcdef", 2, 3), u"bcd");
  EXPECT_EQ(Copy(u"abcdef", 0, 2), u"ab");
  EXPECT_EQ(Copy(u"abcdef", -5, 2), u"ab");
  EXPECT_EQ(Copy(u"abcdef", 5, 100), u"ef");
  EXPECT_EQ(Copy(u"abcdef", 7, 1), u"");
  EXPECT_EQ(Copy(u"abcdef", 2, -1), u"");
  EXPECT_EQ(Copy(u"abcdef", 1, 0x7FFFFFFF), u"abcdef");

  String S = u"abcdef";
  Delete(S, 2, 2);
  EXPECT_EQ(S, u"adef");
  Delete(S, 3, 100);
  EXPECT_EQ(S, u"ad");
  Delete(S, 0, 1);
  Delete(S, 3, 1);
  Delete(S, 1, -1);
  EXPECT_EQ(S, u"ad");
  Insert(u"bc", S, 2);
  EXPECT_EQ(S, u"abcd");
  Insert(u"<", S, -3);
  Insert(u">", S, 100);
  EXPECT_EQ(S, u"<abcd>");
}

TEST(UString, TrimAndReplace) {
  EXPECT_EQ(Trim(String(u" \t a b \r\n\0", 10)), u"a b");
  EXPECT_EQ(StringReplaceAll(u"aaa", u"aa", u"b"), u"ba");
  EXPECT_EQ(StringReplaceAll(u"Abc", u"a", u"x"), u"Abc");
  EXPECT_EQ(StringReplaceAll(u"abc", u"", u"x"), u"abc");
  EXPECT_EQ(UpperCase(u"abz\u00e9"), u"ABZ\u00e9");
}

TEST(UString, CaseFoldingAndComparison) {
  EXPECT_EQ(FoldCase(u'\u0401'), u'\u0451');  // Ё
  EXPECT_EQ(FoldCase(u'\u042F'), u'\u044F');  // Я
  EXPECT_EQ(FoldCase(u'\u03C2'), u'\u03C3');  // final sigma
  EXPECT_EQ(FoldCase(u'\u00B5'), u'\u03BC');
  EXPECT_EQ(FoldCase(u'\u0130'), u'\u0130');  // no simple folding
  EXPECT_EQ(FoldCase(u'\u0531'), u'\u0561');
  EXPECT_EQ(FoldCase(u'\u1EA0'), u'\u1EA1');
  EXPECT_EQ(FoldCase(u'\u1E9E'), u'\u00DF');
  EXPECT_EQ(CharUpper(u'\u00FF'), u'\u0178');
  EXPECT_EQ(CharLower(u'\u0130'), u'i');
  EXPECT_EQ(CharUpper(u'\u01C5'), u'\u01C4');
  EXPECT_TRUE(IsCharUpperW(u'\u0416'));
  EXPECT_FALSE(IsCharUpperW(u'\u0436'));
  EXPECT_FALSE(IsCharUpperW(u'\u01C5'));  // title case

  EXPECT_EQ(
      CompareText(u"\u041F\u0440\u0438\u0432\u0435\u0442", u"\u043F\u0420\u0418\u0432\u0435\u0442"),
      0);
  EXPECT_LT(CompareText(u"abc", u"ABCD"), 0);
  EXPECT_GT(CompareText(u"b", u"A"), 0);
  EXPECT_LT(CompareText(u"_", u"a"), 0);  // folds to lower case, so '_' < 'a'
  EXPECT_TRUE(SameText(u"\u00C9t\u00C9", u"\u00E9T\u00E9"));
  EXPECT_LT(CompareStr(u"B", u"a"), 0);
  EXPECT_LT(CompareStr(u"a", u"ab"), 0);
}

TEST(UString, Format) {
  EXPECT_EQ(Format(u"%s=%d", {String(u"a"), int64_t{-5}}), u"a=-5");
  EXPECT_EQ(Format(u"%1:s %0:s %s", {String(u"x"), String(u"y")}), u"y x y");
  EXPECT_EQ(Format(u"[%5s|%-5s]", {String(u"ab"), String(u"cd")}), u"[   ab|cd   ]");
  EXPECT_EQ(Format(u"[%0:-4d]", {int64_t{7}}), u"[7   ]");
  EXPECT_EQ(Format(u"%.2s", {String(u"abcd")}), u"ab");
  EXPECT_EQ(Format(u"%.4d|%6.3d", {int64_t{-5}, int64_t{42}}), u"-0005|   042");
  EXPECT_EQ(Format(u"%x %.4X %u", {int64_t{255}, int64_t{26}, int64_t{7}}), u"FF 001A 7");
  EXPECT_EQ(Format(u"100%% %D", {int64_t{1}}), u"100% 1");

  EXPECT_THROW(Format(u"%s %s", {String(u"a")}), EConvertError);
  EXPECT_THROW(Format(u"%d", {String(u"a")}), EConvertError);
  EXPECT_THROW(Format(u"%s", {int64_t{1}}), EConvertError);
  EXPECT_THROW(Format(u"%2:s", {String(u"a")}), EConvertError);
  EXPECT_THROW(Format(u"%q", {String(u"a")}), EConvertError);
  EXPECT_THROW(Format(u"abc %", {}), EConvertError);
  try {
    Format(u"%s", {});
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), u"Format '%s' invalid or incompatible with argument");
    EXPECT_STREQ(E.what(), "Format '%s' invalid or incompatible with argument");
  }
}

TEST(UString, IntegerText) {
  EXPECT_EQ(IntToStr(INT64_MIN), u"-9223372036854775808");
  EXPECT_EQ(IntToHex(0xBEEF, 6), u"00BEEF");
  EXPECT_EQ(IntToHex(0x12345, 2), u"12345");

  int V = 0;
  const std::pair<const char16_t*, int> Good[] = {{u"  -42 \t", -42},
                                                  {u"+7", 7},
                                                  {u"$1f", 31},
                                                  {u"0X10", 16},
                                                  {u"-$10", -16},
                                                  {u"$FFFFFFFF", -1},
                                                  {u"2147483647", INT32_MAX},
                                                  {u"-2147483648", INT32_MIN}};
  for (const auto& [Text, Value] : Good) {
    EXPECT_TRUE(TryStrToInt(Text, V)) << ToUtf8(Text);
    EXPECT_EQ(V, Value) << ToUtf8(Text);
  }
  V = 99;
  for (const char16_t* Bad : {u"2147483648", u"-2147483649", u"$100000000", u"99999999999999999999",
                              u"", u" ", u"-", u"$", u"0x", u"1 2", u"12a", u"1.0", u"--1"}) {
    EXPECT_FALSE(TryStrToInt(Bad, V)) << ToUtf8(Bad);
  }
  EXPECT_EQ(V, 99);

  int64_t W = 0;
  EXPECT_TRUE(TryStrToInt64(u"-9223372036854775808", W));
  EXPECT_EQ(W, INT64_MIN);
  EXPECT_FALSE(TryStrToInt64(u"9223372036854775808", W));
  EXPECT_TRUE(TryStrToInt64(u"$FFFFFFFFFFFFFFFF", W));
  EXPECT_EQ(W, -1);

  EXPECT_EQ(StrToIntDef(u"x", 5), 5);
  EXPECT_EQ(StrToInt64(u"5000000000"), 5000000000);
  try {
    StrToInt(u"12x");
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), u"'12x' is not a valid integer value");
  }
}

TEST(UString, MulDiv) {
  EXPECT_EQ(MulDiv(10, 3, 4), 8);  // 7.5 rounds up
  EXPECT_EQ(MulDiv(-10, 3, 4), -8);
  EXPECT_EQ(MulDiv(5, 7, 0), -1);
  EXPECT_EQ(MulDiv(100000, 100000, 10), 1000000000);
  EXPECT_EQ(MulDiv(INT32_MAX, 2, 1), -1);
}

TEST(UString, Utf8) {
  EXPECT_EQ(FromUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), u"a\u00E9\u20AC\U0001F600");
  EXPECT_EQ(ToUtf8(u"a\u00E9\u20AC\U0001F600"), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  for (const char* Bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xF0\x80\x80\xAF",  // overlong
                          "\xED\xA0\x80", "\xED\xBF\xBF",                  // surrogates
                          "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80",      // above U+10FFFF
                          "ab\xE2\x82", "\x80", "a\xC3(", "\xFF"}) {
    EXPECT_EQ(FromUtf8(Bad), u"") << Bad;
  }
  EXPECT_EQ(ToUtf8(String(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(ToUtf8(String(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

// Runs of every length of ASCII, two-, three- and four-byte letters, so that each kind starts and
// ends at every place of the sixteen bytes decoded at once: the text comes back whole, and one
// bad byte anywhere makes the strict decoding fail and the replacing one mark just that byte.
TEST(UString, Utf8RunsOfEveryKindAcrossChunks) {
  std::mt19937 Random(7);
  const char16_t* Letters[] = {u"a", u"\u0416", u"\u20AC", u"\U0001F600"};
  for (int Round = 0; Round < 300; ++Round) {
    String Text;
    while (Text.size() < 90) {
      const auto* Letter = Letters[Random() % 4];
      Text.append(Random() % 20, u' ');
      for (unsigned N = Random() % 20; N > 0; --N) Text += Letter;
    }
    const std::string Bytes = ToUtf8(Text);
    ASSERT_EQ(Utf8Decode(Bytes), Text) << Round;
    const size_t At = Random() % Bytes.size();
    std::string Bad = Bytes;
    Bad.insert(At, 1, '\xFF');
    EXPECT_EQ(Utf8Decode(Bad), u"") << Round;
    const String Marked = Utf8DecodeReplacing(Bad);
    EXPECT_EQ(Marked, Utf8DecodeReplacing(Bytes.substr(0, At)) + u"\uFFFD" +
                          Utf8DecodeReplacing(Bytes.substr(At)))
        << Round;
  }
}

TEST(UString, LinesSplitAtEveryKindOfBreakWhereverItFalls) {
  // Breaks at every place of the blocks the splitter reads at once, and near the end.
  for (size_t At = 0; At < 20; ++At)
    for (const String Break : {u"\r\n", u"\r", u"\n"}) {
      const String First(At, u'a'), Second(19 - At, u'b');
      std::vector<String> Lines;
      ForEachLine(First + Break + Second, [&](std::u16string_view L) { Lines.emplace_back(L); });
      const std::vector<String> Want =
          Second.empty() ? std::vector<String>{First} : std::vector<String>{First, Second};
      EXPECT_EQ(Lines, Want) << At << " " << Break.size();
    }
  std::vector<String> Lines;
  ForEachLine(u"\n\r\n\r", [&](std::u16string_view L) { Lines.emplace_back(L); });
  EXPECT_EQ(Lines, (std::vector<String>{u"", u"", u""}));
}
