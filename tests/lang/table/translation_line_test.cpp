#include <gtest/gtest.h>

#include "core/strings.h"
#include "lang/custom_lang.h"
#include "lang/lang_test_support.h"
#include "lang/table/translation_line.h"

namespace {

const String D = u"\x01";

TEST(TranslationLine, GetFieldReadsOnlyTerminatedFields) {
  EXPECT_EQ(GetField(L("A|B|C|"), 1, 2), u"C");
  EXPECT_EQ(GetField(L("A|B|C|"), 1, 3), u"");
  EXPECT_EQ(GetField(L("A|B"), 1, 0), u"A");
  EXPECT_EQ(GetField(L("A|B"), 1, 1), u"");
  EXPECT_EQ(GetField(u"AB", 1, 0), u"");
  EXPECT_EQ(GetField(L("A|B|"), 1, -1), u"");
  EXPECT_EQ(GetFieldW(L("A|B|", u'\t'), u'\t', 1), u"B");
}

TEST(TranslationLine, FieldPositionCountsEmptyFieldsAndFallsBackToLength) {
  EXPECT_EQ(FieldPosition(3, L("A|B||"), D), 5);
  EXPECT_EQ(FieldPosition(4, L("A|B||"), D), 5);
  EXPECT_EQ(FieldPosition(1, u"", D), 0);
  EXPECT_EQ(FieldPosition(1, L("A|B||"), D), 1);
  EXPECT_EQ(FieldPosition(2, L("A|B||"), D), 3);
  EXPECT_EQ(FieldPosition(0, L("A|B|"), D), 4);
  EXPECT_EQ(ExtractFieldN(2, L("Name|Text|More|"), D), u"Text");
  EXPECT_EQ(ExtractFieldN(3, L("A|B||"), D), u"");
  EXPECT_EQ(CountDelimiters(L("A|B||"), D), 3);
}

TEST(TranslationLine, ColumnsAreDeletedAndMovedKeepingTheDelimiterCount) {
  EXPECT_EQ(DeleteLangColumn(L("N|a|b|"), 1, 1), L("N|b||"));
  EXPECT_EQ(MoveLangColumn(L("N|a|b|c|"), 3, 1, 1), L("N|c|a|b|"));
  EXPECT_EQ(MoveLangColumn(L("N|a|b|c|"), 1, 3, 1), L("N|b|c|a|"));
  EXPECT_EQ(MoveLangColumn(L("N|a|b|c|"), 2, 2, 1), L("N|a|b|c|"));

  TStringList List;
  List.Add(L("X|1|2|3|"));
  List.Add(L("Y|4|5|6|"));
  MoveLangColumnInList(List, 1, 2, 1);
  EXPECT_EQ(List.Get(0), L("X|2|1|3|"));
  EXPECT_EQ(List.Get(1), L("Y|5|4|6|"));
  DeleteLangColumnInList(List, 3, 1);
  EXPECT_EQ(List.Get(0), L("X|2|1||"));
  EXPECT_EQ(List.Get(1), L("Y|5|4||"));
}

TEST(TranslationLine, ReplaceTextIsCaseSensitiveAndReplacesAll) {
  EXPECT_EQ(ReplaceText(u"&Yes &yes", u"&", u""), u"Yes yes");
  EXPECT_EQ(ReplaceText(u"aAa", u"a", u"b"), u"bAb");
}

class LangLineTest : public ::testing::Test {
 protected:
  TlcLang Lang{nullptr};
};

TEST_F(LangLineTest, ReplaceStringValueRewritesOnlyTheChosenColumn) {
  TStringList List;
  auto Replace = [&](const std::string& Line, int Lang) {
    List.Clear();
    List.Add(L(Line));
    this->Lang.ReplaceStringValue(List, u"X", u"N", Lang);
    return List.Get(0);
  };
  EXPECT_EQ(Replace("N|a|b|", 1), L("N|X|b|"));
  EXPECT_EQ(Replace("N|a|b|", 2), L("N|a|X|"));
  EXPECT_EQ(Replace("N|a|", 2), L("N|a|X"));
  EXPECT_EQ(Replace("N|a|b", 2), L("N|a|X"));
  EXPECT_EQ(Replace("N|a", 2), L("N|a"));
  EXPECT_EQ(Replace("n|a|b|", 1), L("n|X|b|"));  // names compare ignoring ASCII case
  EXPECT_EQ(Replace("M|a|b|", 1), L("M|a|b|"));  // no match: nothing added

  List.Clear();
  List.Add(L("N|a|"));
  List.Add(L("N|b|"));
  Lang.ReplaceStringValue(&List, u"X", u"N", 1);
  EXPECT_EQ(List.Get(0), L("N|X|"));
  EXPECT_EQ(List.Get(1), L("N|b|"));
}

TEST_F(LangLineTest, GetStringValueTakesTheLastMatchUnlessStoredAsUtf8) {
  TStringList List;
  List.Add(L("N|first|"));
  List.Add(L("n|second|"));
  EXPECT_EQ(Lang.GetStringValue(List, u"N", 1), u"second");
  EXPECT_EQ(Lang.GetStringValue(List, u"Other", 1), u"");
  Lang.SetStoreAsUTF8(true);
  EXPECT_EQ(Lang.GetStringValue(List, u"N", 1), u"first");
  Lang.Fonts()->Assign(List);
  EXPECT_EQ(Lang.GetStringValue(*Lang.Fonts(), u"N", 1), u"second");
  EXPECT_EQ(Lang.GetStringValue(static_cast<pStrings>(nullptr), u"N", 1), u"");
}

TEST_F(LangLineTest, NormalizeAndTrimDelimiters) {
  Lang.SetNumOfLanguages(2);
  TStringList List;
  for (const char* S : {"N", "N|a|", "N|a|b|", "N|a|b|c|"}) List.Add(L(S));
  Lang.NormalizeList(List);
  EXPECT_EQ(List.Get(0), L("N|||"));
  EXPECT_EQ(List.Get(1), L("N|a||"));
  EXPECT_EQ(List.Get(2), L("N|a|b|"));
  EXPECT_EQ(List.Get(3), L("N|a|b|c|"));
  EXPECT_EQ(Lang.TrimDelimiters(L("||a|b||")), L("a|b"));
}

}  // namespace
