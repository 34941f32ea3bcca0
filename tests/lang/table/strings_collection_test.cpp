#include <gtest/gtest.h>

#include <random>

#include "lang/custom_lang.h"
#include "lang/lang_test_support.h"
#include "lang/table/strings_collection.h"
#include "lang/table/translation_line.h"

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

// Items of a loaded table are made among many: one freed alone, or moved to a collection that
// outlives the table's rebuilds, keeps its identifier and texts, and the rebuilt table answers.
TEST_F(StringsCollection, ItemsOfALoadedTableLeaveAndGoAlone) {
  Lang->SetNumOfLanguages(2);
  for (int I = 0; I < 3000; ++I)
    Lang->Strings()->Add(L("K" + std::to_string(I) + "|en" + std::to_string(I) + "|ru|"));
  Lang->RebuildStringsCollection(*Lang->StringsColl(), 0);
  TlcStringsCollection Kept(nullptr);
  TlcStringsCollection& C = *Lang->StringsColl();
  TlcStringsCollectionItem* Moved = C.Items(1234);
  const String ID = Moved->ID();
  Moved->SetCollection(&Kept);
  delete C.Items(7);
  EXPECT_EQ(C.Count(), 2998);
  Lang->Strings()->Add(L("NEW|new|"));
  Lang->RebuildStringsCollection(C, 0);
  EXPECT_EQ(C.Count(), 3001);
  EXPECT_EQ(C.GetTranslationByID(u"new", 1), u"new");
  EXPECT_EQ(C.GetTranslationByID(ID, 1), u"en" + ID.substr(1));
  ASSERT_EQ(Kept.Count(), 1);
  EXPECT_EQ(Kept.Items(0)->ID(), ID);
  EXPECT_EQ(Kept.Items(0)->Values()->Get(0), u"en" + ID.substr(1));
  EXPECT_EQ(Kept.Items(0)->Values()->Get(1), u"ru");
}

TEST_F(StringsCollection, ValuesForOneColumn) {
  Lang->SetNumOfLanguages(3);
  EXPECT_EQ(Lang->MakeValuesForColumn(u"abc", 2), L("|abc||"));
  EXPECT_EQ(Lang->MakeValuesForColumn(u"abc", 4), L("|||"));
}

// The plain bisection over the items: what the key index must find, found the simple way.
const TlcStringsCollectionItem* Bisection(const TlcStringsCollection& C, const String& ID) {
  if (C.Count() == 0) return nullptr;
  int Lo = 0, Hi = C.Count() - 1;
  do {
    const int Mid = (Lo + Hi) / 2;
    const int Cmp = lcCompareText(C.Items(Mid)->ID(), ID);
    if (Cmp == 0) return C.Items(Mid);
    if (Cmp > 0) {
      Hi = Mid;
    } else if (Lo != Mid) {
      Lo = Mid;
    } else {
      const bool Next = Mid + 1 < C.Count() && lcCompareText(C.Items(Mid + 1)->ID(), ID) == 0;
      return Next ? C.Items(Mid + 1) : nullptr;
    }
  } while (Lo < Hi);
  return nullptr;
}

// The component's collection, searched through its key index, against a twin collection that
// takes the same edits and is searched by the plain bisection, on random tables with many
// duplicate identifiers, after edits of every kind.
class KeyIndexAgainstBisection : public StringsCollection {
 protected:
  std::mt19937 Random{20261209};
  TlcStringsCollection Twin{Lang};
  int Serial = 0;

  int Pick(int N) { return std::uniform_int_distribution<int>(0, N - 1)(Random); }
  String Key() {
    const String Stem = Pick(2) ? u"ids_" : u"IDS_";
    // Now and then an identifier or a text too long for the index slot to tell its length.
    return Stem + (Pick(8) ? u"" : u"ы") + IntToStr(Pick(40)) +
           (Pick(16) ? u"" : String(300, u'k'));
  }
  String Text() {
    if (!Pick(4)) return String();
    return FromUtf8("t" + std::to_string(++Serial)) + (Pick(8) ? u"" : String(260, u'x'));
  }
  String Line() {
    String R = Key() + u'\x01';
    for (int K = Pick(Lang->NumOfLanguages() + 2); K > 0; --K) R += Text() + u'\x01';
    return R;
  }
  TlcStringsCollection& Real() { return *Lang->StringsColl(); }
  void Reload() {
    Lang->UpdateStrCollections();
    Lang->RebuildStringsCollection(Twin, 0);
  }
  String Expected(const String& ID, int K) {
    const TlcStringsCollectionItem* Item = Bisection(Twin, ID);
    return Item ? Item->Values()->Get(K - 1) : String();
  }

  void Edit() {
    const int Count = Real().Count();
    switch (Pick(8)) {
      case 0:  // more lines, then the whole table read again
        for (int N = Pick(20); N > 0; --N) Lang->Strings()->Add(Line());
        Reload();
        break;
      case 1:  // fewer lines
        for (int N = Pick(10); N > 0 && Lang->Strings()->Count() > 0; --N)
          Lang->Strings()->Delete(Pick(Lang->Strings()->Count()));
        Reload();
        break;
      case 2: {  // a text replaced through the component
        const String Name = Key(), Value = Text();
        const int K = 1 + Pick(Lang->NumOfLanguages());
        Lang->ReplaceStringValue(*Lang->Strings(), Value, Name, K);
        if (const int I = Twin.GetIDIndex(Name); I >= 0) Twin.Items(I)->Values()->Put(K - 1, Value);
        break;
      }
      case 3:  // a text of an item changed in place
        if (Count > 0) {
          const int I = Pick(Count), K = Pick(Lang->NumOfLanguages());
          const String Value = Text();
          Real().Items(I)->Values()->Put(K, Value);
          Twin.Items(I)->Values()->Put(K, Value);
        }
        break;
      case 4:  // the active language
        Lang->SetActiveLanguage(1 + Pick(Lang->NumOfLanguages()));
        break;
      case 5:  // an item renamed, which leaves the collection out of order, then maybe sorted
        if (Count > 0) {
          const int I = Pick(Count);
          const String Name = Key();
          Real().Items(I)->SetID(Name);
          Twin.Items(I)->SetID(Name);
        }
        if (Pick(2)) {
          Real().Sort(true);
          Twin.Sort(true);
        }
        break;
      case 6: {  // an entry added to the sorted collection and filled, as editing does
        const String Name = Key();
        for (TlcStringsCollection* C : {&Real(), &Twin}) {
          TlcStringsCollectionItem* Item = C->Add(Name);
          if (Item->Values()->Count() == 0)
            for (int K = 0; K < Lang->NumOfLanguages(); ++K) Item->Values()->Add(u"new");
        }
        break;
      }
      default:  // the table in another number of languages
        Lang->SetNumOfLanguages(1 + Pick(3));
        Reload();
        break;
    }
  }

  void Compare(int Step) {
    ASSERT_EQ(Real().Count(), Twin.Count());
    for (int I = 0; I < Real().Count(); ++I) ASSERT_EQ(Real().Items(I)->ID(), Twin.Items(I)->ID());
    for (int Q = 0; Q < 60; ++Q) {
      String ID = Key();
      for (char16_t& C : ID)
        if (Pick(2)) C = AsciiUpperChar(C);
      for (int K = 1; K <= Lang->NumOfLanguages(); ++K)
        ASSERT_EQ(Real().GetTranslationByID(ID, K), Expected(ID, K))
            << "step " << Step << " " << ToUtf8(ID) << " language " << K;
      String Want = Expected(ID, Lang->ActiveLanguage());
      if (Want.empty()) Want = Expected(ID, 1);
      ASSERT_EQ(Lang->GetTextOrDefault(ID), Want) << "step " << Step << " " << ToUtf8(ID);
      Lang->SetDoRaiseExceptions(true);
      EXPECT_EQ(Twin.GetIDIndex(ID) < 0,
                [&] {
                  try {
                    Lang->GetTextOrDefault(ID);
                    return false;
                  } catch (const ELanguageError&) {
                    return true;
                  }
                }())
          << "step " << Step << " " << ToUtf8(ID);
      Lang->SetDoRaiseExceptions(false);
    }
  }
};

TEST_F(KeyIndexAgainstBisection, AnswersAsTheBisectionAfterEveryEdit) {
  Lang->SetNumOfLanguages(2);
  for (int I = 0; I < 60; ++I) Lang->Strings()->Add(Line());
  Reload();
  for (int Step = 0; Step < 400; ++Step) {
    Edit();
    Compare(Step);
    if (HasFatalFailure()) return;
  }
}

// Sorted by identifier (SortID 0) or by the text of language 1, the component's collection
// against the partition sort of a plain collection of the same lines.
void ExpectThePartitionSortsOrder(TlcLang& Lang, int SortID) {
  Lang.RebuildStringsCollection(*Lang.StringsColl(), SortID);
  TlcStringsCollection Plain(&Lang);
  for (int I = 0; I < Lang.Strings()->Count(); ++I) {
    TlcStringsCollectionItem* Item = Plain.Add();
    Item->SetID(GetField(Lang.Strings()->Get(I), 1, 0));
    Item->Values()->Add(GetField(Lang.Strings()->Get(I), 1, 1));
    Item->Values()->Add(GetField(Lang.Strings()->Get(I), 1, 2));
  }
  Plain.SortItems([SortID](TCollectionItem* A, TCollectionItem* B) {
    const auto* X = static_cast<TlcStringsCollectionItem*>(A);
    const auto* Y = static_cast<TlcStringsCollectionItem*>(B);
    return SortID == 0 ? lcCompareText(X->ID(), Y->ID())
                       : lcCompareStr(X->Values()->Get(SortID - 1), Y->Values()->Get(SortID - 1));
  });
  for (int I = 0; I < Plain.Count(); ++I)
    ASSERT_EQ(Lang.StringsColl()->Items(I)->Values()->Get(1), Plain.Items(I)->Values()->Get(1))
        << "sorted by " << SortID << ", item " << I;
}

TEST_F(StringsCollection, TheFastSortOrdersAsThePartitionSortOfTheItems) {
  std::mt19937 Random(7);
  Lang->SetNumOfLanguages(2);
  // Many equal identifiers and texts: which of them ends first is the partition sort's doing.
  for (int I = 0; I < 300; ++I)
    Lang->Strings()->Add(FromUtf8((Random() % 2 ? "k" : "K") + std::to_string(Random() % 25) +
                                  "\x01t" + std::to_string(Random() % 25) + "\x01" +
                                  std::to_string(I) + "\x01"));
  ExpectThePartitionSortsOrder(*Lang, 0);
  ExpectThePartitionSortsOrder(*Lang, 1);
  // No two alike, but long shared beginnings, letters in either case, letters beyond ASCII and
  // keys that are beginnings of others.
  Lang->Strings()->Clear();
  const char* Stems[] = {"IDS_MESSAGE_", "ids_message_", "IDS_MESSAGE_Ж", "IDS_", "Ω", ""};
  for (int I = 0; I < 600; ++I) {
    const std::string Key =
        Stems[I % 6] + std::to_string(Random() % 100000) + "_" + std::to_string(I);
    Lang->Strings()->Add(FromUtf8(Key + "\x01" + Key + "\x01" + std::to_string(I) + "\x01"));
  }
  ExpectThePartitionSortsOrder(*Lang, 0);
  ExpectThePartitionSortsOrder(*Lang, 1);
}

}  // namespace
