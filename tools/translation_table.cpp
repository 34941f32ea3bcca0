#include "translation_table.h"

#include <cstdio>

#include "core/code_page.h"
#include "core/exceptions.h"
#include "core/stream.h"
#include "lang/custom_lang.h"

namespace {

[[noreturn]] void Fail(int Line, const char16_t* What) {
  throw Exception(Format(u"Line %d: %s", {int64_t{Line}, String(What)}));
}

bool IsBlank(char C) {
  return C == ' ' || C == '\t' || C == '\r';
}

// One quoted text starting at Pos (at the opening quote); Pos ends after the closing quote.
String QuotedText(const std::string& Line, size_t& Pos, int LineNo) {
  std::string Bytes;
  for (++Pos; Pos < Line.size(); ++Pos) {
    char C = Line[Pos];
    if (C == '"') {
      ++Pos;
      const String Text = Utf8Decode(Bytes);
      if (Text.empty() && !Bytes.empty()) Fail(LineNo, u"invalid UTF-8");
      return Text;
    }
    if (C == '\\') {
      if (++Pos == Line.size()) break;
      switch (Line[Pos]) {
        case '"':
        case '\\':
          C = Line[Pos];
          break;
        case 'r':
          C = '\r';
          break;
        case 'n':
          C = '\n';
          break;
        case 't':
          C = '\t';
          break;
        default:
          Fail(LineNo, u"unknown escape");
      }
    }
    Bytes += C;
  }
  Fail(LineNo, u"unterminated text");
}

}  // namespace

std::vector<TTranslationSection> ParseTranslationTable(std::string_view Utf8) {
  std::vector<TTranslationSection> Table;
  int Texts = -1;
  int LineNo = 0;
  size_t Start = 0;
  while (Start <= Utf8.size()) {
    size_t End = Utf8.find('\n', Start);
    if (End == std::string_view::npos) End = Utf8.size();
    const std::string Line(Utf8.substr(Start, End - Start));
    Start = End + 1;
    ++LineNo;
    size_t Pos = 0;
    while (Pos < Line.size() && IsBlank(Line[Pos])) ++Pos;
    if (Pos == Line.size() || Line[Pos] == '#') continue;
    if (Line[Pos] == '[') {
      const size_t Close = Line.find(']', Pos);
      if (Close == std::string::npos) Fail(LineNo, u"']' expected");
      const String Category = FromUtf8(Line.substr(Pos + 1, Close - Pos - 1));
      if (GetEnumValue(TypeInfoTStringsType(), Category) < 0) Fail(LineNo, u"unknown section");
      Table.push_back({Category, {}});
      continue;
    }
    if (Table.empty()) Fail(LineNo, u"entry outside a section");
    const size_t NameEnd = Line.find_first_of(" \t", Pos);
    if (NameEnd == std::string::npos) Fail(LineNo, u"texts expected");
    const String Name = FromUtf8(Line.substr(Pos, NameEnd - Pos));
    if (Name.empty()) Fail(LineNo, u"invalid name");
    String Entry = Name + u'\x01';
    int Count = 0;
    Pos = NameEnd;
    for (;;) {
      while (Pos < Line.size() && IsBlank(Line[Pos])) ++Pos;
      if (Pos == Line.size()) break;
      if (Line[Pos] != '"') Fail(LineNo, u"'\"' expected");
      const String Text = QuotedText(Line, Pos, LineNo);
      if (Text.find(u'\x01') != String::npos) Fail(LineNo, u"a text holds the delimiter");
      Entry += Text + u'\x01';
      ++Count;
    }
    if (Count == 0) Fail(LineNo, u"texts expected");
    if (Texts >= 0 && Count != Texts) Fail(LineNo, u"every entry needs the same number of texts");
    Texts = Count;
    Table.back().Lines.push_back(Entry);
  }
  return Table;
}

int TranslationTableLanguages(const std::vector<TTranslationSection>& Table) {
  for (const auto& S : Table)
    if (!S.Lines.empty()) {
      int N = 0;
      for (char16_t C : S.Lines.front()) N += C == u'\x01';
      return N - 1;
    }
  return 1;
}

std::string TranslationDataPayload(const std::vector<TTranslationSection>& Table) {
  TlcLang Lang(nullptr);
  Lang.SetNumOfLanguages(TranslationTableLanguages(Table));
  Lang.DlgsCaptions()->Clear();
  for (const auto& S : Table) {
    TStrings* List = Lang.GetPropListByName(S.Category.substr(2));
    if (!List) continue;
    for (const String& Line : S.Lines) List->Add(Line);
  }
  TMemoryStream Out;
  Lang.WriteTranslationData(Out);
  return Out.Bytes();
}

std::string EmbedTranslationData(const std::string& FormText, const std::string& Component,
                                 const std::string& Payload) {
  const std::string Header = "object " + Component + ":";
  size_t At = 0;
  std::string Indent;
  for (;;) {
    At = FormText.find(Header, At);
    if (At == std::string::npos)
      throw Exception(FromUtf8("object " + Component + " not found in the form"));
    const size_t LineStart =
        FormText.rfind('\n', At) == std::string::npos ? 0 : FormText.rfind('\n', At) + 1;
    if (FormText.find_first_not_of(' ', LineStart) == At) {
      Indent = FormText.substr(LineStart, At - LineStart);
      break;
    }
    ++At;
  }
  const std::string EndLine = "\n" + Indent + "end";
  size_t End = FormText.find(EndLine, At);
  while (End != std::string::npos && End + EndLine.size() < FormText.size() &&
         FormText[End + EndLine.size()] != '\n' && FormText[End + EndLine.size()] != '\r')
    End = FormText.find(EndLine, End + 1);
  if (End == std::string::npos) throw Exception(u"end of the component not found");
  std::string Hex = "\n" + Indent + "  TranslationData = {";
  char Byte[3];
  for (size_t I = 0; I < Payload.size(); ++I) {
    if (I % 32 == 0) Hex += "\n" + Indent + "    ";
    std::snprintf(Byte, sizeof Byte, "%02X", static_cast<unsigned char>(Payload[I]));
    Hex += Byte;
  }
  Hex += "}";
  return FormText.substr(0, End) + Hex + FormText.substr(End);
}
