#include <gtest/gtest.h>

#include "core/safe_file.h"
#include "lang/file_test_support.h"
#include "lang/files/binary_translation_file.h"
#include "lang/switch/extended_items.h"

namespace {

const String Sep = u"~!@#";

void SetNames(TlcCustomLang& Lang, std::initializer_list<const char16_t*> Names) {
  TStringList List;
  for (const char16_t* N : Names) List.Add(N);
  Lang.SetLangNames(&List);
}

// A binary file with the record of a TTestForm whose languages are Names.
String RecordFile(std::initializer_list<const char16_t*> Names,
                  std::initializer_list<const char*> Lines) {
  const String Name = TestFolder() + u"record.lcb";
  TLangForm<> Source;
  SetNames(*Source.Lang, Names);
  for (const char* Line : Lines) Source.Lang->Strings()->Add(L(Line));
  Source.Lang->SaveAllToBinaryFile(Name);
  return Name;
}

}  // namespace

TEST(LanguageMerge, BinaryRecordColumnsFollowTheComponentsLanguages) {
  struct TCase {
    std::initializer_list<const char16_t*> FileNames;
    const char* FileLine;
  } Cases[] = {
      {{u"English", u"Russian"}, "IDS_1|one|один|"},
      {{u"English", u"Russian", u"German"}, "IDS_1|one|один|eins|"},  // extra column dropped
      {{u"Russian", u"English"}, "IDS_1|один|one|"},                  // reversed order
      {{u"Russian"}, "IDS_1|один|"},                                  // English missing
  };
  const String Loaded[] = {L("IDS_1|one|один|"), L("IDS_1|one|один|"), L("IDS_1|one|один|"),
                           L("IDS_1||один|")};
  for (size_t I = 0; I < std::size(Cases); ++I) {
    const String File = RecordFile(Cases[I].FileNames, {Cases[I].FileLine});
    TLangForm<> A;
    A.Lang->Strings()->Add(L("IDS_MEM|m|м|"));
    A.Lang->Strings()->Add(L("ids_mem|second|"));  // the same name again: appended only once
    A.Lang->Strings()->Add(L("IDS_1|old|старый|"));
    ASSERT_TRUE(A.Lang->MergeFromFile(stStrings, File));
    EXPECT_EQ(LinesOf(*A.Lang->Strings()), (std::vector<String>{Loaded[I], L("IDS_MEM|m|м|")}))
        << I;
    EXPECT_EQ(LinesOf(*A.Lang->LangNames()), (std::vector<String>{u"English", u"Russian"}));
  }
}

TEST(LanguageMerge, TextFilesWithAndWithoutLanguageNames) {
  const String Dir = TestFolder();
  SaveBytesSafely(
      Dir + u"nonames.lng",
      "\r\n[OPTIONS]\r\nIsUTF8File=1\r\n[Strings]\r\nTTestForm.IDS_1=one~!@#один~!@#\r\n");
  TLangForm<> A;
  A.Lang->Strings()->Add(L("IDS_2|two|два|"));
  ASSERT_TRUE(A.Lang->MergeAllFromFile(Dir + u"nonames.lng"));
  // Without names in the file no column is touched.
  EXPECT_EQ(LinesOf(*A.Lang->Strings()),
            (std::vector<String>{L("IDS_1|one|один|"), L("IDS_2|two|два|")}));

  TLangForm<> B;
  SetNames(*B.Lang, {u"Russian", u"English"});
  B.Lang->SetStoreAsUTF8(true);
  B.Lang->Strings()->Add(L("IDS_1|один|one|"));
  B.Lang->SaveAllToFile(Dir + u"named.lng", Sep);
  ASSERT_TRUE(A.Lang->MergeFromFile(stStrings, Dir + u"named.lng"));
  // Loading has given the component the file's names, so the columns stay as the file has them;
  // the line kept from memory follows them.
  EXPECT_EQ(LinesOf(*A.Lang->LangNames()), (std::vector<String>{u"Russian", u"English"}));
  EXPECT_EQ(LinesOf(*A.Lang->Strings()),
            (std::vector<String>{L("IDS_1|один|one|"), L("IDS_2|два|two|")}));

  EXPECT_TRUE(A.Lang->MergeFromFile(stListView_TreeView_Items, Dir + u"named.lng"));
  EXPECT_FALSE(A.Lang->MergeFromFile(stStrings, Dir + u"missing.lng"));
  // A file of no sections merges as one without lines.
  SaveBytesSafely(Dir + u"junk.lng", "junk\r\n");
  EXPECT_TRUE(A.Lang->MergeFromFile(stStrings, Dir + u"junk.lng"));
  EXPECT_EQ(A.Lang->Strings()->Count(), 2);
  TlcLang Alone(nullptr);
  TStringList Names;
  EXPECT_THROW(Alone.GetLanguageNamesFromFile(Dir + u"named.lng", Names), ELanguageError);
  A.Lang->GetLanguageNamesFromFile(Dir + u"named.lng", Names);
  EXPECT_EQ(LinesOf(Names), (std::vector<String>{u"Russian", u"English"}));
  A.Lang->GetLanguageNamesFromFile(RecordFile({u"A", u"B", u"C"}, {}), Names);
  EXPECT_EQ(LinesOf(Names), (std::vector<String>{u"A", u"B", u"C"}));
  // A file that is not there has no names of its own: a new component's name comes back.
  A.Lang->GetLanguageNamesFromFile(Dir + u"missing.lng", Names);
  EXPECT_EQ(LinesOf(Names), (std::vector<String>{u"Language N1"}));
}

TEST(LanguageImport, ANewLanguageLandsInANewLastColumnEverywhere) {
  const String Dir = TestFolder(), File = Dir + u"de.lng";
  TLangForm<> Source;
  SetNames(*Source.Lang, {u"English", u"German"});
  Source.Lang->SetStoreAsUTF8(true);
  Source.Lang->Strings()->Add(L("IDS_1|one|eins\r\nzwei|"));
  Source.Lang->Strings()->Add(L("IDS_NEW|new|neu|"));
  Source.Lang->Collections()->Add(L("List1.Items[0].Caption|first|erste|"));
  TlcExtendedItem* Item = Source.Lang->ExtendedTranslations()->Add();
  Item->SetIdentifier(u"Edit1.Text");
  Item->SetValues(L("Name|Name DE|"));
  Source.Lang->SaveAllToFile(File, Sep);
  // Another form's keys in the same file are never imported.
  TLangForm<TOtherTestForm> Other;
  Other.Lang->SetStoreAsUTF8(true);
  SetNames(*Other.Lang, {u"English", u"German"});
  Other.Lang->Strings()->Add(L("IDS_OTHER|x|y|"));
  Other.Lang->SaveToFile(stStrings, File, Sep);

  TLangForm<> A;
  A.Lang->Strings()->Add(L("IDS_1|one|один|"));
  TlcExtendedItem* Mine = A.Lang->ExtendedTranslations()->Add();
  Mine->SetIdentifier(u"edit1.text");
  Mine->SetValues(L("Name|Имя|"));
  A.Lang->LoadLanguage(File, u"german");  // the file's names match exactly
  EXPECT_EQ(A.Lang->NumOfLanguages(), 2);
  A.Lang->LoadLanguage(File, u"German");
  EXPECT_EQ(LinesOf(*A.Lang->LangNames()),
            (std::vector<String>{u"English", u"Russian", u"German"}));
  EXPECT_EQ(LinesOf(*A.Lang->Strings()),
            (std::vector<String>{L("IDS_1|one|один|eins\r\nzwei|"), L("IDS_NEW|||neu|")}));
  EXPECT_EQ(LinesOf(*A.Lang->Collections()),
            (std::vector<String>{L("List1.Items[0].Caption|||erste|")}));
  EXPECT_EQ(Mine->Values(), L("Name|Имя|Name DE|"));
  A.Lang->SetActiveLanguage(3);
  EXPECT_EQ(A.Lang->GetTextOrDefault(u"IDS_NEW"), u"neu");
}

TEST(LanguageImport, AnAnsiColumnIsDecodedInItsCodePage) {
  SetACP(1252);
  const String File = TestFolder() + u"ru.lng";
  TLangForm<> Source;
  Source.Lang->CharSets()->Add(L("TTestForm|DEFAULT_CHARSET|RUSSIAN_CHARSET|"));
  Source.Lang->Strings()->Add(L("IDS_1|one|один|"));
  Source.Lang->SaveAllToFile(File, Sep);
  TLangForm<> A;
  SetNames(*A.Lang, {u"English"});
  A.Lang->Strings()->Add(L("IDS_1|one|"));
  A.Lang->LoadLanguageByProp(stStrings, File, u"Russian");
  EXPECT_EQ(LinesOf(*A.Lang->Strings()), (std::vector<String>{L("IDS_1|one|один|")}));
  SetACP(0);
}
