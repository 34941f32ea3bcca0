#include <gtest/gtest.h>

#include "component/class_registry.h"
#include "component/object_text.h"
#include "component/reader.h"
#include "component/writer.h"
#include "core/code_page.h"
#include "core/stream.h"
#include "core/text_arena.h"
#include "lang/custom_lang.h"
#include "lang/lang_test_support.h"
#include "lang/switch/extended_items.h"
#include "lang/table/strings_collection.h"
#include "lang/table/translation_data.h"

namespace {

std::string Payload(const TlcCustomLang& Lang) {
  TMemoryStream S;
  Lang.WriteTranslationData(S);
  return S.Bytes();
}

void Read(TlcCustomLang& Lang, const std::string& Bytes) {
  TMemoryStream S(Bytes);
  Lang.ReadTranslationData(S);
}

std::string Utf16(const String& S) {
  return Utf16LEEncode(S);
}

// A large table's lines are read into chunks of their own, which go when the component does.
TEST(TranslationData, ALargeTablesLinesGoWithTheComponent) {
  std::string Bytes;
  {
    TlcLang Lang(nullptr);
    Lang.SetNumOfLanguages(2);
    for (int I = 0; I < 20000; ++I)
      Lang.Strings()->Add(L("IDS_" + std::to_string(I) + "|Message " + std::to_string(I) +
                            " in English|Сообщение " + std::to_string(I) + "|"));
    Bytes = Payload(Lang);
  }
  const size_t Before = TTextArena::Chunks();
  {
    TTestForm Form;
    auto* Lang = new TlcLang(&Form);
    Lang->SetNumOfLanguages(2);
    Read(*Lang, Bytes);
    Lang->UpdateStrCollections();
    EXPECT_GT(TTextArena::Chunks(), Before);
    Lang->SetActiveLanguage(2);
    EXPECT_EQ(Lang->GetTextOrDefault(u"ids_19999"), u"Сообщение 19999");
    EXPECT_EQ(Lang->GetTextOrDefault(u"IDS_0"), u"Сообщение 0");
  }
  EXPECT_EQ(TTextArena::Chunks(), Before);
}

TEST(TranslationData, EscapeMapsOnlyLineBreaks) {
  EXPECT_EQ(EscapeLineBreaks(u"a\r\nb"), String(u"a\x19\x1A"
                                                u"b"));
  EXPECT_EQ(UnescapeLineBreaks(String(u"a\x19\x1A"
                                      u"b")),
            u"a\r\nb");
  EXPECT_EQ(UnescapeLineBreaks(EscapeLineBreaks(u"x\x1A")), u"x\n");  // no escape for 26 itself
  // Breaks past the first eight code units, side by side and at the end.
  EXPECT_EQ(UnescapeLineBreaks(String(u"0123456789\x19\x1A\x1A"
                                      u"abcdefgh\x19")),
            u"0123456789\r\n\nabcdefgh\r");
}

TEST(TranslationData, FieldHelpers) {
  const auto A = SplitFields(u"a;b;", u";");
  ASSERT_EQ(A->Count(), 2);
  EXPECT_EQ(SplitFields(u"a;b", u";")->Count(), 2);
  EXPECT_EQ(SplitFields(u"", u";")->Count(), 0);
  EXPECT_EQ(SplitFields(u"a;;b", u";")->Get(1), u"");
  TStringList L3;
  L3.SetText(u"a\r\n\r\nc");
  EXPECT_EQ(JoinFields(L3, u",", false), u"a,,c");
  EXPECT_EQ(JoinFields(L3, u",", true), u"a,c");
  EXPECT_EQ(MergeTranslationLine(L("Btn|Go|Пуск|"), L("btn|Start||"), u"\x01"),
            L("Btn|Start|Пуск|"));
  EXPECT_EQ(MergeTranslationLine(L("Btn|Go|"), L("btn||x|y|"), u"\x01"), L("Btn|Go|x|y|"));
  TStringList Lines;
  Lines.Add(L("A|1|"));
  Lines.Add(L("Btn|2|"));
  EXPECT_EQ(FindLineByName(Lines, L("BTN|9|"), u"\x01"), 1);
  EXPECT_EQ(FindLineByName(Lines, L("Cx|9|"), u"\x01"), -1);
}

TEST(TranslationData, EmptyComponentWritesElevenHeaders) {
  TlcLang Lang(nullptr);
  Lang.DlgsCaptions()->Clear();
  String Expected;
  for (const char16_t* H : {u"stCaptions", u"stHints", u"stDisplayLabels", u"stFonts",
                            u"stMultiLines", u"stDlgsCaptions", u"stStrings", u"stOtherStrings",
                            u"stLocales", u"stCollections", u"stCharSets"})
    Expected += String(H) + u"_Unicode\r\n";
  EXPECT_EQ(Payload(Lang), Utf16(Expected));
}

TEST(TranslationData, LinesAreEscapedAndTheOwnerLineComesFirst) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->SetNumOfLanguages(2);
  Lang->Strings()->Add(L("IDS_5|Not answer|Нет ответа|"));
  Lang->Strings()->Add(L("IDS_9|a\r\nb|в\r\nг|"));
  const std::string Bytes = Payload(*Lang);
  EXPECT_NE(Bytes.find(Utf16(String(u"IDS_9\x01"
                                    u"a\x19\x1A"
                                    u"b\x01"))),
            std::string::npos);

  TTestForm Form2;
  auto* Back = new TlcLang(&Form2);
  Back->SetNumOfLanguages(2);
  Read(*Back, Bytes);
  EXPECT_EQ(Back->Strings()->GetText(), Lang->Strings()->GetText());
  EXPECT_EQ(Back->DlgsCaptions()->Count(), 15);

  // An owner line stored last is read back first.
  Read(*Back, Utf16(u"stCaptions_Unicode\r\n" + L("btn|Go|Пуск|") + u"\r\n" +
                    L("TTestForm|Main|Главная|") + u"\r\n"));
  ASSERT_EQ(Back->Captions()->Count(), 2);
  EXPECT_EQ(Back->Captions()->Get(0), L("TTestForm|Main|Главная|"));
}

TEST(TranslationData, HeadersMatchWholeLinesIgnoringCase) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Read(*Lang, Utf16(u"orphan\r\nSTCAPTIONS_UNICODE\r\n" + L("a|1|") + u"\r\n stHints_Unicode\r\n" +
                    u"stHints_Unicode\r\n" + L("h|2|") + u"\r\n"));
  ASSERT_EQ(Lang->Captions()->Count(), 2);
  EXPECT_EQ(Lang->Captions()->Get(1), u" stHints_Unicode");
  EXPECT_EQ(Lang->Hints()->Get(0), L("h|2|"));
}

TEST(TranslationData, ShortOrMarkedPayloadsAreNotUtf16) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->Captions()->Add(L("keep|1|"));
  Read(*Lang, "");
  Read(*Lang, "x");
  EXPECT_EQ(Lang->Captions()->Count(), 1);
  // FF FE is not a zero second byte: the bytes are ANSI text with no header in it.
  Read(*Lang, "\xFF\xFE" + Utf16(u"stCaptions_Unicode\r\n"));
  EXPECT_EQ(Lang->Captions()->Count(), 1);
}

TEST(TranslationData, AHeaderOnTheLastLineEmptiesItsList) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->CharSets()->Add(L("TTestForm|DEFAULT_CHARSET|"));
  Read(*Lang, Utf16(u"stCaptions_Unicode\r\nstCharSets_Unicode\r\n"));
  EXPECT_EQ(Lang->CharSets()->Count(), 0);
}

TEST(TranslationData, Utf16LinesSplitAsTheSameTextInUtf8) {
  // Lines shorter and longer than eight code units, breaks of every kind side by side, escaped
  // breaks, a last line without a break, and an odd last byte (ignored).
  const String Text = u"stCaptions_Unicode\r\n" + L("a|1|") + u"\r" +
                      L("a longer line number two|x\x19\x1Ay|") + u"\n\n\r\r\nstHints_Unicode\r" +
                      L("h|2|") + u"\r\n" + L("the last line, with no break|\x1A|");
  for (const std::string Tail : {"", "A"}) {
    TTestForm Form16, Form8;
    auto* Lang16 = new TlcLang(&Form16);
    auto* Lang8 = new TlcLang(&Form8);
    Lang8->SetStoreAsUTF8(true);
    Read(*Lang16, Utf16(Text) + Tail);
    Read(*Lang8, Utf8Encode(Text));
    ASSERT_EQ(Lang16->Captions()->Count(), 5);
    EXPECT_EQ(Lang16->Captions()->Get(1), L("a longer line number two|x\r\ny|"));
    EXPECT_EQ(Lang16->Captions()->GetText(), Lang8->Captions()->GetText());
    ASSERT_EQ(Lang16->Hints()->Count(), 2);
    EXPECT_EQ(Lang16->Hints()->Get(1), L("the last line, with no break|\n|"));
    EXPECT_EQ(Lang16->Hints()->GetText(), Lang8->Hints()->GetText());
  }
}

TEST(TranslationData, OldAnsiDataIsDecodedPerLanguageCharset) {
  SetACP(1252);
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->SetNumOfLanguages(2);
  // Language 2 is Russian: its column holds code page 1251 bytes read as code page 1252 text.
  const std::string Data = std::string("stCharSets\r\nTTestForm\x01") + "ANSI_CHARSET\x01" +
                           "RUSSIAN_CHARSET\x01\r\nstStrings\r\nIDS_5\x01Not answer\x01" +
                           "\xCD\xE5\xF2\x01\r\nstFonts\r\nTTestForm\x01\xCD\x01\xCD\x01\r\n";
  Read(*Lang, Data);
  EXPECT_EQ(Lang->Strings()->Get(0), L("IDS_5|Not answer|Нет|"));
  EXPECT_EQ(Lang->Fonts()->Get(0), L("TTestForm|Í|Í|"));  // fonts are not re-decoded
  EXPECT_EQ(Lang->CharsetArray().size(), 2u);

  // A single "_Unicode" header anywhere means nothing is re-decoded.
  Read(*Lang, Data + "stHints_Unicode\r\n");
  EXPECT_EQ(Lang->Strings()->Get(0), String(u"IDS_5\x01Not answer\x01\u00CD\u00E5\u00F2\x01"));
  SetACP(0);
}

TEST(TranslationData, AnsiColumnsRoundTripThroughTheirCodePages) {
  SetACP(1252);
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->SetNumOfLanguages(2);
  Lang->CharSets()->Add(L("TTestForm|ANSI_CHARSET|RUSSIAN_CHARSET|"));
  Lang->RefreshCharsetArray();
  const String Line = L("IDS_5|Not answer|Нет ответа|");
  const String Encoded = Lang->EncodeAnsiColumns(Line);
  EXPECT_NE(Encoded, Line);
  EXPECT_EQ(Lang->DecodeAnsiColumns(Encoded, false), Line);
  EXPECT_EQ(Lang->DecodeAnsiColumns(L("a|"), false), L("a|||"));  // always every language
  SetACP(0);
}

TEST(TranslationData, InheritedOwnerMergesIntoExistingLines) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->SetNumOfLanguages(2);
  Lang->Captions()->Add(L("btn|Go|Пуск|"));
  Lang->Captions()->Add(L("btn|Second||"));
  Lang->SetIsInheritedOwner(true);
  // The owner's line goes first and moves the others down; a name merges into its first line,
  // also into one read earlier in the same section.
  Read(*Lang, Utf16(u"stCaptions_Unicode\r\n" + L("TTestForm|Form||") + u"\r\n" + L("BTN|Start||") +
                    u"\r\n" + L("new|N|Н|") + u"\r\n" + L("NEW|x||") + u"\r\n"));
  ASSERT_EQ(Lang->Captions()->Count(), 4);
  EXPECT_EQ(Lang->Captions()->Get(0), L("TTestForm|Form||"));
  EXPECT_EQ(Lang->Captions()->Get(1), L("btn|Start|Пуск|"));
  EXPECT_EQ(Lang->Captions()->Get(2), L("btn|Second||"));
  EXPECT_EQ(Lang->Captions()->Get(3), L("new|x|Н|"));
}

// ---- Through the component stream --------------------------------------------------------

std::string WriteForm(TComponent& Root, TComponent* Ancestor = nullptr) {
  TMemoryStream S;
  WriteComponent(S, Root, Ancestor);
  return S.Bytes();
}

String AsText(const std::string& Binary) {
  TMemoryStream In(Binary), Out;
  ObjectBinaryToText(In, Out);
  return FromUtf8(Out.Bytes());
}

class TranslationStream : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClass(TTestForm::StaticClassType());
    RegisterLangClasses();
  }
};

TEST_F(TranslationStream, FormRoundTripRestoresEveryStoredPropertyAndList) {
  TTestForm Form;
  Form.SetName(u"fmTest");
  auto* Lang = new TlcLang(&Form);
  Lang->SetName(u"slng1");
  Lang->SetNumOfLanguages(2);
  TStringList Names;
  Names.SetText(u"English\r\nRussian");
  Lang->SetLangNames(&Names);
  Lang->SetDoRaiseExceptions(true);
  Lang->SetChangingCursor(-11);
  Lang->DoNotTranslate()->Add(u"Memo1");
  Lang->ExtendedTranslations()->Add()->SetIdentifier(u"fmTest.Hint");
  Lang->ExtendedTranslations()->Items(0)->SetValues(L("Hint|Подсказка|"));
  const std::array<TStrings*, 11> Lists = {
      Lang->Captions(),   Lang->Hints(),        Lang->DisplayLabels(), Lang->Fonts(),
      Lang->MultiLines(), Lang->DlgsCaptions(), Lang->Strings(),       Lang->OtherStrings(),
      Lang->Locales(),    Lang->CharSets(),     Lang->Collections()};
  for (size_t I = 0; I < Lists.size(); ++I) {
    Lists[I]->Clear();
    Lists[I]->Add(L("Item" + std::to_string(I) + "|en|ру|"));
  }
  Lang->Captions()->Insert(0, L("TTestForm|Main|Главная|"));
  const std::string Binary = WriteForm(Form);

  const String Text = AsText(Binary);
  const auto At = [&](const char16_t* Name) { return Text.find(String(u"  ") + Name + u" = "); };
  EXPECT_LT(At(u"NumOfLanguages"), At(u"LangDelim"));
  EXPECT_LT(At(u"LangDelim"), At(u"LangNames.Strings"));
  EXPECT_LT(At(u"LangNames.Strings"), At(u"Language"));
  EXPECT_EQ(Text.find(u"Captions"), String::npos);         // lists travel only in TranslationData
  EXPECT_EQ(Text.find(u"AutoSkipEmpties"), String::npos);  // defaults are not written

  TTestForm Copy;
  TMemoryStream In(Binary);
  ReadComponent(In, &Copy);
  auto* Back = dynamic_cast<TlcLang*>(Copy.FindComponent(u"slng1"));
  ASSERT_NE(Back, nullptr);
  EXPECT_FALSE(Back->HasState(csLoading));
  EXPECT_EQ(Back->NumOfLanguages(), 2);
  EXPECT_EQ(Back->Language(), u"English");
  EXPECT_EQ(Back->LangNames()->GetText(), u"English\r\nRussian\r\n");
  EXPECT_EQ(Back->ActiveLanguage(), 1);
  EXPECT_TRUE(Back->DoRaiseExceptions());
  EXPECT_EQ(Back->ChangingCursor(), -11);
  EXPECT_EQ(Back->DoNotTranslate()->GetText(), u"Memo1\r\n");
  ASSERT_EQ(Back->ExtendedTranslations()->Count(), 1);
  EXPECT_EQ(Back->ExtendedTranslations()->Items(0)->Values(), L("Hint|Подсказка|"));
  const std::array<TStrings*, 11> BackLists = {
      Back->Captions(),   Back->Hints(),        Back->DisplayLabels(), Back->Fonts(),
      Back->MultiLines(), Back->DlgsCaptions(), Back->Strings(),       Back->OtherStrings(),
      Back->Locales(),    Back->CharSets(),     Back->Collections()};
  for (size_t I = 0; I < Lists.size(); ++I)
    EXPECT_EQ(BackLists[I]->GetText(), Lists[I]->GetText()) << I;
  EXPECT_EQ(Back->StringsColl()->Count(), 1);
}

TEST_F(TranslationStream, PayloadBytesFollowTheStoredLayout) {
  TTestForm Form;
  auto* Lang = new TlcLang(&Form);
  Lang->SetName(u"slng1");
  Lang->Strings()->Add(L("IDS_1|x|"));
  const std::string Binary = WriteForm(Form);
  const std::string Expected = Payload(*Lang);
  // Property name, binary tag 10, 32-bit little-endian count, then exactly the payload.
  const std::string Name = "\x0FTranslationData\x0A";
  const size_t At = Binary.find(Name);
  ASSERT_NE(At, std::string::npos);
  const size_t Count = static_cast<unsigned char>(Binary[At + Name.size()]) |
                       static_cast<unsigned char>(Binary[At + Name.size() + 1]) << 8 |
                       static_cast<unsigned char>(Binary[At + Name.size() + 2]) << 16 |
                       static_cast<unsigned char>(Binary[At + Name.size() + 3]) << 24;
  EXPECT_EQ(Count, Expected.size());
  EXPECT_EQ(Binary.substr(At + Name.size() + 4, Count), Expected);
}

TEST_F(TranslationStream, ALanguageCountOutOfRangeIsIgnoredAndTheFormLoads) {
  for (const char* Count : {"5000", "0"}) {
    TMemoryStream Text(std::string("object fmTest: TTestForm\n  object slng1: TlcLang\n") +
                       "    NumOfLanguages = " + Count + "\n    LangDelim = 1\n  end\nend\n");
    TMemoryStream Image;
    ObjectTextToBinary(Text, Image);
    Image.SetPosition(0);
    TTestForm Form;
    ReadComponent(Image, &Form);
    auto* Back = dynamic_cast<TlcLang*>(Form.FindComponent(u"slng1"));
    ASSERT_NE(Back, nullptr) << Count;
    EXPECT_EQ(Back->NumOfLanguages(), 1);
    EXPECT_EQ(Back->LangNames()->Count(), 1);
  }
}

TEST_F(TranslationStream, InheritedFormsWriteOnlyDifferingData) {
  TTestForm Base;
  auto* BaseLang = new TlcLang(&Base);
  BaseLang->SetName(u"slng1");
  BaseLang->Captions()->Add(L("btn|Caption|"));
  TTestForm Derived;
  auto* Lang = new TlcLang(&Derived);
  Lang->SetName(u"slng1");
  Lang->Captions()->Add(L("btn|Caption|"));

  EXPECT_EQ(WriteForm(Derived, &Base).find("TranslationData"), std::string::npos);
  Lang->Captions()->Put(0, L("btn|caption|"));
  EXPECT_NE(WriteForm(Derived, &Base).find("TranslationData"), std::string::npos);
  Lang->SetUseInheritedData(true);
  EXPECT_EQ(WriteForm(Derived, &Base).find("TranslationData"), std::string::npos);
  EXPECT_NE(WriteForm(Derived).find("TranslationData"), std::string::npos);
}

}  // namespace

namespace {

TEST_F(TranslationStream, AFormReadFromItsStreamLooksUpTextsInLanguageOne) {
  TTestForm Form;
  Form.SetName(u"fmTest");
  auto* Lang = new TlcLang(&Form);
  Lang->SetName(u"slng1");
  Lang->SetNumOfLanguages(2);
  Lang->Strings()->Add(L("IDS_5|Not answer|Нет ответа|"));
  Lang->Strings()->Add(L("IDS_6|Only English||"));
  const std::string Binary = WriteForm(Form);

  TTestForm Copy;
  TMemoryStream In(Binary);
  ReadComponent(In, &Copy);
  auto* Back = dynamic_cast<TlcLang*>(Copy.FindComponent(u"slng1"));
  ASSERT_NE(Back, nullptr);
  EXPECT_EQ(Back->ActiveLanguage(), 1);
  EXPECT_EQ(Back->StringsColl()->Count(), 2);
  EXPECT_EQ(Back->GetTextOrDefault(u"IDS_5"), u"Not answer");
  Back->SetActiveLanguage(2);
  EXPECT_EQ(Back->GetTextOrDefault(u"IDS_5"), u"Нет ответа");
  EXPECT_EQ(Back->GetTextOrDefault(u"IDS_6"), u"Only English");
  EXPECT_EQ(Back->GetTextOrDefault(u"IDS_7"), u"");
  Back->SetDoRaiseExceptions(true);
  EXPECT_THROW(Back->GetTextOrDefault(u"IDS_7"), ELanguageError);
}

}  // namespace
