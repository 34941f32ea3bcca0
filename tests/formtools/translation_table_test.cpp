#include <gtest/gtest.h>

#include "core/code_page.h"
#include "core/exceptions.h"
#include "translation_table.h"

namespace {

String Message(const std::string& Text) {
  try {
    ParseTranslationTable(Text);
  } catch (const Exception& E) {
    return E.Message();
  }
  return u"no error";
}

TEST(TranslationTable, ParsesSectionsEscapesAndBlanks) {
  const auto Table = ParseTranslationTable(
      "# comment\n[stCaptions]\nTfmMain \"Main\" \"Главная\"\n\n[stStrings]\n"
      "IDS_84 \"HARDWARE\\\\DEVICEMAP\" \"x\"\nIDS_86 \"Bad name for \\\"\" \" пробел \"\r\n");
  ASSERT_EQ(Table.size(), 2u);
  EXPECT_EQ(Table[0].Category, u"stCaptions");
  EXPECT_EQ(Table[0].Lines[0], u"TfmMain\x01Main\x01Главная\x01");
  EXPECT_EQ(Table[1].Lines[0], u"IDS_84\x01HARDWARE\\DEVICEMAP\x01x\x01");
  EXPECT_EQ(Table[1].Lines[1],
            u"IDS_86\x01"
            u"Bad name for \"\x01 пробел \x01");
  EXPECT_EQ(TranslationTableLanguages(Table), 2);
}

TEST(TranslationTable, ErrorsNameTheLine) {
  EXPECT_EQ(Message("IDS_1 \"a\"\n"), u"Line 1: entry outside a section");
  EXPECT_EQ(Message("[stNothing]\n"), u"Line 1: unknown section");
  EXPECT_EQ(Message("[stStrings]\nIDS_1 \"a\" \"b\"\nIDS_2 \"a\"\n"),
            u"Line 3: every entry needs the same number of texts");
  EXPECT_EQ(Message("[stStrings]\nIDS_1 \"open\n"), u"Line 2: unterminated text");
  EXPECT_EQ(Message("[stStrings]\nIDS_1 \"\\q\"\n"), u"Line 2: unknown escape");
  EXPECT_EQ(Message("[stStrings]\nIDS_1 \"\x01\"\n"), u"Line 2: a text holds the delimiter");
  EXPECT_EQ(Message("[stStrings]\nIDS_1\n"), u"Line 2: texts expected");
}

TEST(TranslationTable, PayloadIsEmbeddedIntoTheNamedComponent) {
  const auto Table = ParseTranslationTable("[stStrings]\nIDS_1 \"One\" \"Один\"\n");
  const std::string Payload = TranslationDataPayload(Table);
  EXPECT_NE(Payload.find(Utf16LEEncode(u"IDS_1\x01One\x01Один\x01\r\n")), std::string::npos);
  const std::string Form =
      "object fm: TForm\n  object slng1x: TlcLang\n  end\n  object slng1: TlcLang\n"
      "    NumOfLanguages = 2\n  end\nend\n";
  const std::string Out = EmbedTranslationData(Form, "slng1", "\x01\xAB");
  EXPECT_EQ(Out,
            "object fm: TForm\n  object slng1x: TlcLang\n  end\n  object slng1: TlcLang\n"
            "    NumOfLanguages = 2\n    TranslationData = {\n      01AB}\n  end\nend\n");
  EXPECT_THROW(EmbedTranslationData(Form, "missing", ""), Exception);
}

}  // namespace
