#include <gtest/gtest.h>

#include "lang/custom_lang.h"
#include "lang/strings_collection.h"
#include "lang_test_support.h"

namespace {

class StringsCollection : public ::testing::Test {
 protected:
  TTestForm Form;
  TlcLang* Lang = new TlcLang(&Form);

  TlcStringsCollection& Build(std::initializer_list<const char*> Lines, int Languages = 2) {
    Lang->SetNumOfLanguages(Languages);
    Lang->Strings()->Clear();
    for (const char* Line : Lines) Lang->Strings()->Add(L(Line));
    Lang->RebuildStringsCollection(*Lang->StringsColl(), 0);
    return *Lang->StringsColl();
  }
};

TEST_F(StringsCollection, IdentifierOrderFoldsAsciiOnly) {
  auto& C =
      Build({"IDS_2|two|", "IDS_11|eleven|", "IDS_100|hundred|", "IDS_1|one|", "IDS_10|ten|"});
  std::vector<String> Order;
  for (int I = 0; I < C.Count(); ++I) Order.push_back(C.Items(I)->ID());
  EXPECT_EQ(Order, (std::vector<String>{u"IDS_1", u"IDS_10", u"IDS_100", u"IDS_11", u"IDS_2"}));
  EXPECT_EQ(C.GetTranslationByID(u"ids_100", 1), u"hundred");
  EXPECT_EQ(C.GetTranslationByID(u"IDS_3", 1), u"");
  EXPECT_EQ(C.GetTranslationByID(u"IDS_0", 1), u"");
  EXPECT_EQ(C.GetTranslationByID(u"IDS_2", 1), u"two");  // after every other key
  EXPECT_EQ(C.GetTranslationByID(u"IDS_1", 1), u"one");  // before every other key
}

TEST_F(StringsCollection, EveryKeyOfALargeTableIsFound) {
  Lang->SetNumOfLanguages(2);
  for (int I = 0; I < 500; ++I)
    Lang->Strings()->Add(L("K" + std::to_string(I * 7919 % 1000) + "|v" + std::to_string(I) + "|"));
  Lang->RebuildStringsCollection(*Lang->StringsColl(), 0);
  for (int I = 0; I < 500; ++I)
    ASSERT_EQ(
        Lang->StringsColl()->GetTranslationByID(FromUtf8("k" + std::to_string(I * 7919 % 1000)), 1),
        FromUtf8("v" + std::to_string(I)))
        << I;
  EXPECT_EQ(Lang->StringsColl()->GetTranslationByID(u"K1000", 1), u"");
}

TEST_F(StringsCollection, SmallAndEmptyCollectionsEndWithoutLooping) {
  auto& Empty = Build({});
  EXPECT_EQ(Empty.GetTranslationByID(u"X", 1), u"");
  EXPECT_EQ(Empty.GetTranslationByLang2(u"X", 1), u"");
  EXPECT_EQ(Empty.GetTranslationByLang(u"X", 1), u"X");
  auto& One = Build({"M|m|"});
  EXPECT_EQ(One.GetTranslationByID(u"M", 1), u"m");
  EXPECT_EQ(One.GetTranslationByID(u"A", 1), u"");
  EXPECT_EQ(One.GetTranslationByID(u"Z", 1), u"");
  EXPECT_EQ(One.GetTranslationByID(u"m", 1), u"m");
}

TEST_F(StringsCollection, ShortLinesGiveEmptyTextsAndBadLanguagesRaise) {
  auto& C = Build({"IDS_1|only|"}, 3);
  EXPECT_EQ(C.Items(0)->Values()->Count(), 3);
  EXPECT_EQ(C.GetTranslationByID(u"IDS_1", 3), u"");
  EXPECT_THROW(C.GetTranslationByID(u"IDS_1", 4), EListError);
}

TEST_F(StringsCollection, LanguageOrderSearchesByText) {
  Build({"A|Open|Открыть|", "B|Close|Закрыть|", "C|open|открыть|"});
  TlcStringsCollection& C = *Lang->LangStringsColl();
  Lang->RebuildStringsCollection(C, 1);
  EXPECT_EQ(C.Items(0)->ID(), u"B");  // "Close" < "Open" < "open", case-sensitive
  EXPECT_EQ(C.GetTranslationByLang(u"Open", 2), u"Открыть");
  EXPECT_EQ(C.GetTranslationByLang(u"open", 2), u"открыть");
  EXPECT_EQ(C.GetTranslationByLang(u"Missing", 2), u"Missing");
  EXPECT_EQ(C.GetTranslationByLang2(u"Missing", 2), u"");
}

TEST_F(StringsCollection, AddOnASortedCollectionReusesTheItem) {
  auto& C = Build({"IDS_5|five|", "IDS_1|one|"});
  EXPECT_EQ(C.Add(u"IDS_5"), C.Items(1));
  EXPECT_EQ(C.Count(), 2);
  TlcStringsCollectionItem* New = C.Add(u"IDS_3");
  EXPECT_EQ(New->Index(), 1);

  TlcStringsCollection Unsorted(nullptr);
  Unsorted.Add(u"IDS_5");
  Unsorted.Add(u"IDS_5");
  EXPECT_EQ(Unsorted.Count(), 2);
}

TEST_F(StringsCollection, ValuesForOneColumn) {
  Lang->SetNumOfLanguages(3);
  EXPECT_EQ(Lang->MakeValuesForColumn(u"abc", 2), L("|abc||"));
  EXPECT_EQ(Lang->MakeValuesForColumn(u"abc", 4), L("|||"));
}

}  // namespace
