#include <gtest/gtest.h>

#include "core/safe_file.h"
#include "lang/file_test_support.h"
#include "lang/files/text_translation_file.h"
#include "lang/switch/extended_items.h"

namespace {

const String Sep = u"~!@#";

void FillCaptions(TlcCustomLang& Lang, const String& Owner) {
  Lang.Captions()->Add(L(ToUtf8(Owner) + "|Main|Главное|"));
  Lang.Captions()->Add(L("btnGo|Go|Пуск|"));
}

std::string SavedAll(TlcCustomLang& Lang) {
  TMemoryStream S;
  Lang.SaveAllToStream(S, Sep);
  return S.Bytes();
}

}  // namespace

TEST(TextTranslationFile, Utf8RoundTripOfEveryKindOfLine) {
  TLangForm<> A;
  A.Lang->SetStoreAsUTF8(true);
  FillCaptions(*A.Lang, u"TTestForm");
  A.Lang->Strings()->Add(L("IDS_1|Two\r\nlines|Две\r\nстроки|"));
  A.Lang->Strings()->Add(L("IDS_2|Only English||"));
  A.Lang->Collections()->Add(L("List1.Items[0].Caption|First|Первый|"));
  TlcExtendedItem* Item = A.Lang->ExtendedTranslations()->Add();
  Item->SetIdentifier(u"Edit1.Text");
  Item->SetPropertyType(tkUString);
  Item->SetValues(L("Name|Имя|"));
  const std::string Bytes = SavedAll(*A.Lang);
  EXPECT_TRUE(Bytes.starts_with("\xEF\xBB\xBF\r\n["));
  const String Text = Utf8Decode(std::string_view(Bytes).substr(3));
  EXPECT_NE(Text.find(u"[Collections]\r\nTTestForm.List1.Items-0+.Caption=First~!@#Первый~!@#"),
            String::npos);
  EXPECT_NE(Text.find(u"TTestForm.IDS_1=Two\x19\x1Alines~!@#"), String::npos);
  EXPECT_NE(Text.find(u"TTestForm.Edit1.Text_TypeKind=tkUString"), String::npos);

  TLangForm<> B;  // ANSI until the file says otherwise
  TMemoryStream In(Bytes);
  B.Lang->LoadAllFromStream(In, true, false);
  EXPECT_TRUE(B.Lang->StoreAsUTF8());
  EXPECT_EQ(LinesOf(*B.Lang->Captions()), LinesOf(*A.Lang->Captions()));
  EXPECT_EQ(LinesOf(*B.Lang->Strings()), LinesOf(*A.Lang->Strings()));
  EXPECT_EQ(LinesOf(*B.Lang->Collections()), LinesOf(*A.Lang->Collections()));
  ASSERT_EQ(B.Lang->ExtendedTranslations()->Count(), 1);
  EXPECT_EQ(B.Lang->ExtendedTranslations()->Items(0)->Values(), L("Name|Имя|"));
  EXPECT_EQ(B.Lang->GetTextOrDefault(u"IDS_1"), u"Two\r\nlines");
  EXPECT_EQ(LinesOf(*B.Lang->LangNames()), (std::vector<String>{u"English", u"Russian"}));
}

TEST(TextTranslationFile, AnsiFileKeepsEachColumnInItsCodePage) {
  SetACP(1252);
  const String Dir = TestFolder();
  TLangForm<> A;
  A.Lang->CharSets()->Add(L("TTestForm|DEFAULT_CHARSET|RUSSIAN_CHARSET|"));
  A.Lang->Strings()->Add(L("IDS_1|Café|Кафе|"));
  A.Lang->SaveAllToFile(Dir + u"ansi.lng", Sep);
  const std::string Bytes = FileBytes(Dir + u"ansi.lng");
  EXPECT_TRUE(Bytes.starts_with("\r\n[CharSets]"));
  EXPECT_NE(Bytes.find("TTestForm.IDS_1=Caf\xE9~!@#\xCA\xE0\xF4\xE5~!@#"), std::string::npos);

  TLangForm<> B;
  B.Lang->CharSets()->Add(L("TTestForm|DEFAULT_CHARSET|RUSSIAN_CHARSET|"));
  B.Lang->LoadAllFromFile(Dir + u"ansi.lng", true);
  EXPECT_FALSE(B.Lang->StoreAsUTF8());
  EXPECT_EQ(LinesOf(*B.Lang->Strings()), LinesOf(*A.Lang->Strings()));
  SetACP(0);
}

TEST(TextTranslationFile, SeveralFormsShareOneFile) {
  const String Dir = TestFolder(), Name = Dir + u"shared.lng";
  TLangForm<> A;
  TLangForm<TOtherTestForm> B;
  A.Lang->SetStoreAsUTF8(true);
  B.Lang->SetStoreAsUTF8(true);
  FillCaptions(*A.Lang, u"TTestForm");
  FillCaptions(*B.Lang, u"TOtherTestForm");
  B.Lang->Captions()->Add(L("btnOnlyB|B|Б|"));
  EXPECT_EQ(A.Lang->SaveToFile(stCaptions, Name, Sep), 2);
  EXPECT_EQ(B.Lang->SaveToFile(stCaptions, Name, Sep), 3);
  const std::string Bytes = FileBytes(Name);
  EXPECT_NE(Bytes.find("[Captions]\r\nTOtherTestForm.btnGo=Go~!@#"), std::string::npos);
  EXPECT_NE(Bytes.find("TOtherTestForm.TOtherTestForm=Main"), std::string::npos);
  EXPECT_NE(Bytes.find("TTestForm.TTestForm=Main"), std::string::npos);

  TLangForm<> C;
  C.Lang->Captions()->Add(L("stale|x|y|"));
  EXPECT_EQ(C.Lang->LoadFromFile(stCaptions, Name, true), 5);  // keys of both forms count
  EXPECT_EQ(LinesOf(*C.Lang->Captions()),
            (std::vector<String>{L("TTestForm|Main|Главное|"), L("btnGo|Go|Пуск|")}));
  // No rewrite: every line twice, but the owner's second line, not at the top, goes as stale.
  EXPECT_EQ(C.Lang->LoadFromFile(stCaptions, Name, false), 5);
  EXPECT_EQ(C.Lang->Captions()->Count(), 3);
  EXPECT_EQ(C.Lang->LoadFromFile(stCaptions, Dir + u"missing.lng", true), -1);
}

TEST(TextTranslationFile, KeysUnderTheFormNameAndExclusions) {
  TLangForm<> A;
  A.Lang->DoNotTranslate()->Add(u"btnSkip");
  const std::string File =
      "\r\n[OPTIONS]\r\nIsUTF8File=1\r\n[Captions]\r\nForm1.btnOld=Old~!@#Старый~!@#\r\nFORM1."
      "btnCase=C~!@#К~!@#\r\n"
      "TTestForm.btnSkip=S~!@#С~!@#\r\nTTestForm.btnNoSep=Plain\r\nOther.btn=X~!@#\r\n"
      "Form1.Form1=Own~!@#Свой~!@#\r\n";
  TMemoryStream In(File);
  EXPECT_EQ(A.Lang->LoadFromStream(stCaptions, In, true), 6);
  EXPECT_EQ(LinesOf(*A.Lang->Captions()),
            (std::vector<String>{L("Form1|Own|Свой|"), L("btnCase|C|К|"), L("btnOld|Old|Старый|"),
                                 L("btnNoSep|Plain|")}));
  // Saving drops the keys under the form's name written in its own case only.
  In.SetPosition(0);
  A.Lang->SetStoreAsUTF8(true);
  A.Lang->SaveToStream(stCaptions, In, Sep);
  const String Text = Utf8Decode(In.Bytes().substr(3));
  EXPECT_EQ(Text.find(u"Form1.btnOld"), String::npos);
  EXPECT_NE(Text.find(u"FORM1.btnCase"), String::npos);
  EXPECT_NE(Text.find(u"TTestForm.btnOld=Old~!@#"), String::npos);
  EXPECT_NE(Text.find(u"Other.btn=X~!@#"), String::npos);
}

TEST(TextTranslationFile, LanguageNamesFromTheFile) {
  auto Load = [](const std::string& Names) {
    TLangForm<> A;
    A.Lang->SetActiveLanguage(2);
    TMemoryStream In("\r\n" + Names + "[Strings]\r\nTTestForm.IDS=a~!@#b~!@#c~!@#\r\n");
    A.Lang->LoadFromStream(stStrings, In, true);
    return std::make_pair(LinesOf(*A.Lang->LangNames()), A.Lang->ActiveLanguage());
  };
  EXPECT_EQ(Load("").first, (std::vector<String>{u"English", u"Russian"}));
  EXPECT_EQ(Load("[Language names - for internal use only!]\r\nLanguage_1=En\r\nLanguage_2=\r\n"
                 "Language_3=Fr\r\n"),
            std::make_pair(std::vector<String>{u"En"}, 1));
  // A names section without any name keeps the component's names.
  EXPECT_EQ(Load("[Language names - for internal use only!]\r\nLanguage_1=\r\n").first,
            (std::vector<String>{u"English", u"Russian"}));
}

TEST(TextTranslationFile, SaveAllToStreamMatchesSaveAllToFile) {
  const String Dir = TestFolder();
  TLangForm<> A;
  FillCaptions(*A.Lang, u"TTestForm");
  A.Lang->Strings()->Add(L("IDS_1|One|Один|"));
  A.Lang->SaveAllToFile(Dir + u"all.lng", Sep);
  EXPECT_EQ(FileBytes(Dir + u"all.lng"), SavedAll(*A.Lang));
}

TEST(TextTranslationFile, ATextHoldingTheSeparatorIsRefusedAndTheFileKept) {
  const String Dir = TestFolder(), Name = Dir + u"keep.lng";
  TLangForm<> A;
  A.Lang->Strings()->Add(L("IDS_1|One|Один|"));
  A.Lang->SaveAllToFile(Name, Sep);
  const std::string Before = FileBytes(Name);
  A.Lang->Strings()->Add(L("IDS_2|a~!@#b||"));
  try {
    A.Lang->SaveAllToFile(Name, Sep);
    FAIL() << "saved a text that would split";
  } catch (const ELanguageError& E) {
    EXPECT_NE(E.Message().find(u"TTestForm.IDS_2"), String::npos);
  }
  A.Lang->Strings()->Delete(1);
  A.Lang->Strings()->Add(L("A=B|x|y|"));
  EXPECT_THROW(A.Lang->SaveAllToFile(Name, Sep), ELanguageError);
  A.Lang->Strings()->Delete(1);
  A.Lang->Strings()->Add(L("IDS_2|ab|a|"));
  EXPECT_THROW(A.Lang->SaveAllToFile(Name, u"aa"), ELanguageError);  // overlapping separator
  EXPECT_EQ(FileBytes(Name), Before);
}

TEST(TextTranslationFile, ASaveFailingHalfWayLeavesTheOldFileByteForByte) {
  const String Dir = TestFolder(), Name = Dir + u"full.lng";
  TLangForm<> A;
  A.Lang->Strings()->Add(L("IDS_1|One|Один|"));
  A.Lang->SaveAllToFile(Name, Sep);
  const std::string Before = FileBytes(Name);
  for (int I = 0; I < 2000; ++I)
    A.Lang->Strings()->Add(L("IDS_" + std::to_string(I + 2) + "|Text|Текст|"));
  try {
    const TFileSizeLimit Limit(Before.size() + 100);
    A.Lang->SaveAllToFile(Name, Sep);
    FAIL() << "the write should fail";
  } catch (const EWriteError& E) {
    EXPECT_NE(E.Message().find(u"full.lng"), String::npos);
  }
  EXPECT_EQ(FileBytes(Name), Before);
  try {
    const TFileSizeLimit Limit(Before.size() + 100);
    A.Lang->SaveAllToBinaryFile(Dir + u"full.lcb");
    FAIL() << "the write should fail";
  } catch (const EWriteError&) {
  }
  EXPECT_FALSE(FileExists(Dir + u"full.lcb"));
}

TEST(TextTranslationFile, HandEditedFilesLoadAsFarAsTheyMakeSense) {
  const String Dir = TestFolder(), Name = Dir + u"edited.lng";
  struct TCase {
    const char* Bytes;
    const char* Line;
    int Keys;
  } Cases[] = {
      // Bytes that are not UTF-8 in a UTF-8 file, with and without the mark.
      {"\r\n[OPTIONS]\r\nIsUTF8File=1\r\n[Strings]\r\nTTestForm.IDS_1=\xFF~!@#\r\n",
       "IDS_1|\uFFFD|", 1},
      {"\xEF\xBB\xBF\r\n[OPTIONS]\r\nIsUTF8File=1\r\n[Strings]\r\nTTestForm.IDS_1=a\xC3~!@#\r\n",
       "IDS_1|a\uFFFD|", 1},
      // Text before the first section is dropped; a line without "=" is a key of its own.
      {"stray\r\n[OPTIONS]\r\nIsUTF8File=1\r\n[Strings]\r\nTTestForm.IDS_1=x~!@#y~!@#\r\n"
       "no equals sign\r\n",
       "IDS_1|x|y|", 2},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Bytes);
    SaveBytesSafely(Name, C.Bytes);
    const std::vector<String> Loaded{L(C.Line)};
    TLangForm<> A;
    A.Lang->Strings()->Add(L("IDS_0|Kept|Оставлен|"));
    TMemoryStream In(C.Bytes);
    EXPECT_EQ(A.Lang->LoadFromStream(stStrings, In, true), C.Keys);
    EXPECT_EQ(LinesOf(*A.Lang->Strings()), Loaded);
    EXPECT_EQ(A.Lang->LoadFromFile(stStrings, Name, true), C.Keys);
    EXPECT_EQ(LinesOf(*A.Lang->Strings()), Loaded);
    A.Lang->LoadAllFromFile(Name, true);
    EXPECT_EQ(LinesOf(*A.Lang->Strings()), Loaded);
    A.Lang->LoadAllFromFileDNC(Name, true);
    EXPECT_EQ(LinesOf(*A.Lang->Strings()), Loaded);
    A.Lang->Strings()->SetText(L("IDS_0|Kept|Оставлен|"));
    EXPECT_TRUE(A.Lang->MergeFromStream(stStrings, In));
    EXPECT_TRUE(A.Lang->MergeFromFile(stStrings, Name));
    EXPECT_EQ(LinesOf(*A.Lang->Strings()),
              (std::vector<String>{L(C.Line), L("IDS_0|Kept|Оставлен|")}));
  }
}

TEST(TextTranslationFile, LoadingEveryCategoryDropsTheLinesOfVanishedComponents) {
  const String Name = TestFolder() + u"stale.lng";
  SaveBytesSafely(Name,
                  "\r\n[OPTIONS]\r\nIsUTF8File=1\r\n[Captions]\r\nTTestForm.btnGo=Go~!@#\r\n"
                  "TTestForm.btnGone=Gone~!@#\r\n");
  for (bool ApplyLanguage : {true, false}) {
    TLangForm<> A;
    if (ApplyLanguage)
      A.Lang->LoadAllFromFile(Name, true);
    else
      A.Lang->LoadAllFromFileDNC(Name, true);
    EXPECT_EQ(LinesOf(*A.Lang->Captions()), (std::vector<String>{L("btnGo|Go|")})) << ApplyLanguage;
  }
}

TEST(TextTranslationFile, AnErrorInTheClosingStepsEndsTheLoadWithoutRaising) {
  const String Name = TestFolder() + u"ok.lng";
  const char* Bytes = "\r\n[OPTIONS]\r\nIsUTF8File=1\r\n[Strings]\r\nTTestForm.IDS_1=x~!@#\r\n";
  SaveBytesSafely(Name, Bytes);
  TLangForm<> A;
  A.Lang->BlockLanguageChanging = false;
  A.Lang->OnChangeLanguage = TNotifyEvent([](TObject*) { throw Exception(u"switch failed"); });
  TMemoryStream In(Bytes);
  EXPECT_EQ(A.Lang->LoadFromStream(stStrings, In, true), -1);
  EXPECT_EQ(A.Lang->LoadFromFile(stStrings, Name, true), -1);
  // What was loaded before the error stays.
  EXPECT_EQ(LinesOf(*A.Lang->Strings()), (std::vector<String>{L("IDS_1|x|")}));
}

TEST(TextTranslationFile, AFileNamingTooManyLanguagesIsRefusedAndChangesNothing) {
  const String Name = TestFolder() + u"many.lng";
  std::string Bytes = "\r\n[Language names - for internal use only!]\r\n";
  for (int I = 1; I <= TlcCustomLang::MaxLanguages + 1; ++I)
    Bytes += "Language_" + std::to_string(I) + "=L" + std::to_string(I) + "\r\n";
  Bytes += "[Strings]\r\nTTestForm.IDS_1=x~!@#\r\n";
  SaveBytesSafely(Name, Bytes);
  TLangForm<> A;
  A.Lang->Strings()->Add(L("IDS_0|Kept|Оставлен|"));
  // A category load fails without raising; loading every category says why, naming the file.
  EXPECT_EQ(A.Lang->LoadFromFile(stStrings, Name, true), -1);
  TMemoryStream In(Bytes);
  EXPECT_EQ(A.Lang->LoadFromStream(stStrings, In, true), -1);
  EXPECT_FALSE(A.Lang->MergeFromStream(stStrings, In));
  for (bool ApplyLanguage : {true, false}) {
    try {
      if (ApplyLanguage)
        A.Lang->LoadAllFromFile(Name, true);
      else
        A.Lang->LoadAllFromFileDNC(Name, true);
      ADD_FAILURE() << ApplyLanguage;
    } catch (const ELanguageError& E) {
      EXPECT_NE(E.Message().find(Name + u"\": 1025 - is not a valid property value"), String::npos)
          << ToUtf8(E.Message());
    }
  }
  EXPECT_EQ(A.Lang->NumOfLanguages(), 2);
  EXPECT_EQ(LinesOf(*A.Lang->Strings()), (std::vector<String>{L("IDS_0|Kept|Оставлен|")}));
}

TEST(TextTranslationFile, MergeFromAStreamKeepsMemoryOnlyLinesLast) {
  TLangForm<> A;
  A.Lang->Strings()->Add(L("IDS_MEM|Memory|Память|"));
  A.Lang->Strings()->Add(L("ids_1|Old|Старый|"));
  TMemoryStream In(
      "\r\n[OPTIONS]\r\nIsUTF8File=1\r\n[Strings]\r\nTTestForm.IDS_1=New~!@#Новый~!@#\r\nTTestForm."
      "IDS_2=Two~!@#\r\n");
  EXPECT_TRUE(A.Lang->MergeFromStream(stStrings, In));
  EXPECT_EQ(
      LinesOf(*A.Lang->Strings()),
      (std::vector<String>{L("IDS_1|New|Новый|"), L("IDS_2|Two|"), L("IDS_MEM|Memory|Память|")}));
  EXPECT_EQ(A.Lang->GetTextOrDefault(u"IDS_1"), u"New");
  EXPECT_TRUE(A.Lang->MergeAllFromStream(In));
  EXPECT_TRUE(IsLCBFileName(u"dir.x/Form.lcb"));
  EXPECT_FALSE(IsLCBFileName(u"dir.lcb/Form"));
}

TEST(TextTranslationFile, KeysOutOfOrderOrRepeatedLoadAsTheLastOneWritten) {
  // Files edited by hand: keys in any order, one key twice in another case.
  TLangForm<> A;
  TMemoryStream In(
      "\r\n[OPTIONS]\r\nIsUTF8File=1\r\n[Strings]\r\nTTestForm.IDS_2=Two~!@#\r\n"
      "TTestForm.IDS_1=Old~!@#\r\nTTESTFORM.ids_1=New~!@#Новый~!@#\r\nTTestForm.IDS_10=Ten~!@#"
      "\r\nTTestForm.IDS_3=~!~!@~~!@#a longer text~!@ with ~ and ~!@#\r\n");
  EXPECT_EQ(A.Lang->LoadFromStream(stStrings, In, true), 4);
  // Pieces of the separator are text.
  EXPECT_EQ(LinesOf(*A.Lang->Strings()),
            (std::vector<String>{L("ids_1|New|Новый|"), L("IDS_10|Ten|"), L("IDS_2|Two|"),
                                 L("IDS_3|~!~!@~|a longer text~!@ with ~ and |")}));
  A.Lang->SetActiveLanguage(2);
  EXPECT_EQ(A.Lang->GetTextOrDefault(u"IDS_1"), u"Новый");
}

TEST(TextTranslationFile, TwoProgramsSavingFormsIntoOneFileAtOnceKeepBoth) {
  const String Dir = TestFolder();
  constexpr int Files = 10;
  ASSERT_TRUE(SaveTwoFormsAtOnce(Files, [&Dir](TlcCustomLang& Lang, int File) {
    Lang.SaveAllToFile(Dir + IntToStr(File) + u".lng", Sep);
  }));
  int Kept = 0;
  for (int File = 0; File < Files; ++File) {
    const std::string Bytes = FileBytes(Dir + IntToStr(File) + u".lng");
    for (const char* Key : {"\nTTestForm.IDS_1=", "\nTOtherTestForm.IDS_1="})
      Kept += Bytes.find(Key) != std::string::npos;
  }
  EXPECT_EQ(Kept, 2 * Files);
}
