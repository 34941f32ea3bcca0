#include "component/object_text.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

#include "component/names.h"
#include "component/reader.h"
#include "component/writer.h"
#include "core/stream.h"

namespace {

const char HexDigits[] = "0123456789ABCDEF";
constexpr size_t BinaryBytesPerLine = 32;

std::string Spaces(int N) {
  return std::string(static_cast<size_t>(N), ' ');
}

std::string QuoteString(const String& S) {
  if (S.empty()) return "''";
  std::string Out;
  bool Quoted = false;
  for (char16_t C : S) {
    if (C >= 32 && C < 127) {
      if (!Quoted) Out += '\'';
      Quoted = true;
      if (C == u'\'') Out += '\'';
      Out += static_cast<char>(C);
    } else {
      if (Quoted) Out += '\'';
      Quoted = false;
      Out += '#' + std::to_string(static_cast<unsigned>(C));
    }
  }
  if (Quoted) Out += '\'';
  return Out;
}

std::string FloatText(double V) {
  char Buf[64];
  const auto R = std::to_chars(Buf, Buf + sizeof Buf, V);
  std::string S(Buf, R.ptr);
  // A float must not read back as an integer.
  if (S.find_first_of(".en") == std::string::npos) S += ".0";
  return S;
}

// Binary image -> text.
class TBinaryToText {
 public:
  explicit TBinaryToText(TStream& In) : FReader(In) {}

  std::string Convert() {
    FReader.ReadSignature();
    ConvertObject(0, 0);
    return std::move(FText);
  }

 private:
  void CheckDepth(int Depth) {
    if (Depth > MaxStreamDepth) throw EReadError(u"Component stream nested too deeply");
  }

  void ConvertObject(int Indent, int Depth) {
    CheckDepth(Depth);
    uint8_t Flags;
    int32_t ChildPos;
    FReader.ReadPrefix(Flags, ChildPos);
    const String ClassName = FReader.ReadStr();
    const String Name = FReader.ReadStr();
    FText += Spaces(Indent);
    FText += (Flags & ffInherited) ? "inherited " : (Flags & ffInline) ? "inline " : "object ";
    if (!Name.empty()) FText += ToUtf8(Name) + ": ";
    FText += ToUtf8(ClassName);
    if (Flags & ffChildPos) FText += " [" + std::to_string(ChildPos) + "]";
    FText += '\n';
    ConvertProperties(Indent + 2, Depth);
    while (!FReader.EndOfList()) ConvertObject(Indent + 2, Depth + 1);
    FReader.ReadListEnd();
    FText += Spaces(Indent) + "end\n";
  }

  void ConvertProperties(int Indent, int Depth) {
    while (!FReader.EndOfList()) {
      FText += Spaces(Indent) + ToUtf8(FReader.ReadStr()) + " = ";
      ConvertValue(Indent, Depth + 1);
      FText += '\n';
    }
    FReader.ReadListEnd();
  }

  void ConvertValue(int Indent, int Depth) {
    CheckDepth(Depth);
    switch (FReader.NextValue()) {
      case vaList:
        FReader.ReadValue();
        FText += '(';
        while (!FReader.EndOfList()) {
          FText += '\n' + Spaces(Indent + 2);
          ConvertValue(Indent + 2, Depth + 1);
        }
        FReader.ReadListEnd();
        FText += ')';
        return;
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64:
        FText += std::to_string(FReader.ReadInt64());
        return;
      case vaExtended:
      case vaSingle:
      case vaCurrency:
      case vaDate:
      case vaDouble:
        FText += FloatText(FReader.ReadFloat());
        return;
      case vaString:
      case vaLString:
      case vaWString:
      case vaUTF8String:
        FText += QuoteString(FReader.ReadString());
        return;
      case vaIdent:
      case vaFalse:
      case vaTrue:
      case vaNil:
        FText += ToUtf8(FReader.ReadIdent());
        return;
      case vaBinary:
        FReader.ReadValue();
        ConvertBinary(FReader.ReadBinary(), Indent);
        return;
      case vaSet:
        FReader.ReadValue();
        FText += '[';
        for (String Element; !(Element = FReader.ReadStr()).empty();) {
          if (FText.back() != '[') FText += ", ";
          FText += ToUtf8(Element);
        }
        FText += ']';
        return;
      case vaCollection:
        FReader.ReadValue();
        ConvertCollection(Indent, Depth);
        return;
      default:
        throw EReadError(u"Invalid property value");
    }
  }

  void ConvertBinary(const std::string& Bytes, int Indent) {
    FText += '{';
    for (size_t I = 0; I < Bytes.size(); ++I) {
      if (I % BinaryBytesPerLine == 0) FText += '\n' + Spaces(Indent + 2);
      const auto B = static_cast<unsigned char>(Bytes[I]);
      FText += HexDigits[B >> 4];
      FText += HexDigits[B & 15];
    }
    FText += '}';
  }

  void ConvertCollection(int Indent, int Depth) {
    FText += '<';
    while (!FReader.EndOfList()) {
      FText += '\n' + Spaces(Indent + 2) + "item";
      const TValueType Va = FReader.NextValue();
      if (Va == vaInt8 || Va == vaInt16 || Va == vaInt32 || Va == vaInt64)
        FText += " [" + std::to_string(FReader.ReadInt64()) + "]";
      FReader.ReadListBegin();
      FText += '\n';
      ConvertProperties(Indent + 4, Depth + 1);
      FText += Spaces(Indent + 2) + "end";
    }
    FReader.ReadListEnd();
    FText += '>';
  }

  TReader FReader;
  std::string FText;
};

// Text -> binary image.
class TTextToBinary {
 public:
  TTextToBinary(std::string_view Text, TWriter& Writer) : FText(Text), FWriter(Writer) {
    if (FText.starts_with("\xEF\xBB\xBF")) FPos = 3;
  }

  void Convert() {
    Next();
    if (!IsObjectKeyword()) Error(u"'object' expected");
    FWriter.WriteSignature();
    ParseObject(0);
    if (FToken != tkEnd) Error(u"End of text expected");
  }

 private:
  enum TToken { tkEnd, tkIdent, tkInteger, tkFloat, tkString, tkSymbol };

  [[noreturn]] void Error(const String& Message) const {
    throw EParserError(Format(u"Line %d: %s", {static_cast<int64_t>(FTokenLine), Message}));
  }

  // Tokens.
  char Peek() const { return FPos < FText.size() ? FText[FPos] : '\0'; }
  static bool IsDigit(char C) { return C >= '0' && C <= '9'; }
  static bool IsIdentStart(char C) {
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
  }

  void SkipBlanks() {
    while (FPos < FText.size()) {
      const char C = FText[FPos];
      if (C == '\n')
        ++FLine;
      else if (C != ' ' && C != '\t' && C != '\r')
        break;
      ++FPos;
    }
  }

  void Next() {
    SkipBlanks();
    FTokenLine = FLine;
    const char C = Peek();
    if (FPos >= FText.size()) {
      FToken = tkEnd;
    } else if (IsIdentStart(C)) {
      const size_t Start = FPos;
      while (IsIdentStart(Peek()) || IsDigit(Peek()) || Peek() == '.') ++FPos;
      if (FPos - Start > 255) Error(u"Identifier too long");
      FIdent = FromUtf8(std::string_view(FText).substr(Start, FPos - Start));
      FToken = tkIdent;
    } else if (IsDigit(C) || (C == '-' && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1]))) {
      ScanNumber();
    } else if (C == '\'' || C == '#') {
      ScanString();
    } else {
      FSymbol = C;
      ++FPos;
      FToken = tkSymbol;
    }
  }

  void ScanNumber() {
    const size_t Start = FPos;
    bool IsFloat = false;
    if (Peek() == '-') ++FPos;
    while (IsDigit(Peek())) ++FPos;
    if (Peek() == '.' && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1])) {
      IsFloat = true;
      ++FPos;
      while (IsDigit(Peek())) ++FPos;
    }
    if (Peek() == 'e' || Peek() == 'E') {
      size_t P = FPos + 1;
      if (P < FText.size() && (FText[P] == '+' || FText[P] == '-')) ++P;
      if (P < FText.size() && IsDigit(FText[P])) {
        IsFloat = true;
        FPos = P;
        while (IsDigit(Peek())) ++FPos;
      }
    }
    const char* First = FText.data() + Start;
    const char* Last = FText.data() + FPos;
    // from_chars takes no leading '+'; its '-' handling matches the text form's.
    const auto R =
        IsFloat ? std::from_chars(First, Last, FFloat) : std::from_chars(First, Last, FInt);
    if (R.ec != std::errc() || R.ptr != Last) Error(u"Number out of range");
    FToken = IsFloat ? tkFloat : tkInteger;
  }

  void ScanString() {
    FString.clear();
    for (;;) {
      if (Peek() == '\'') {
        ScanQuoted();
      } else if (Peek() == '#') {
        ++FPos;
        const size_t Start = FPos;
        while (IsDigit(Peek())) ++FPos;
        unsigned Code = 0;
        const auto R = std::from_chars(FText.data() + Start, FText.data() + FPos, Code);
        if (FPos == Start || R.ec != std::errc() || Code > 0xFFFF) Error(u"Invalid character code");
        FString += static_cast<char16_t>(Code);
      } else {
        // Pieces may continue on the next line after a '+'.
        const size_t Pos = FPos;
        const int Line = FLine;
        SkipBlanks();
        if (Peek() != '+') {
          FPos = Pos;
          FLine = Line;
          break;
        }
        ++FPos;
        SkipBlanks();
        if (Peek() != '\'' && Peek() != '#') Error(u"String expected");
      }
    }
    FToken = tkString;
  }

  // Each run between quotes is decoded from where it lies, not gathered byte by byte first: a
  // line of many megabytes is copied once. A doubled quote is a quote of the text; a quote never
  // stands inside a UTF-8 sequence, so the runs decode as the whole would.
  void ScanQuoted() {
    ++FPos;
    for (;;) {
      const size_t End = FText.find_first_of("'\r\n", FPos);
      if (End == std::string_view::npos || FText[End] != '\'') Error(u"Unterminated string");
      const std::string_view Run = FText.substr(FPos, End - FPos);
      String Piece = FromUtf8(Run);
      if (Piece.empty() && !Run.empty()) Error(u"Invalid UTF-8 in string");
      if (FString.empty())
        FString = std::move(Piece);
      else
        FString += Piece;
      FPos = End + 1;
      if (Peek() != '\'') return;
      FString += u'\'';
      ++FPos;
    }
  }

  std::string ScanBinary() {
    std::string Bytes;
    for (;;) {
      SkipBlanks();
      if (Peek() == '}') {
        ++FPos;
        return Bytes;
      }
      const int Hi = HexValue(Peek());
      const int Lo = FPos + 1 < FText.size() ? HexValue(FText[FPos + 1]) : -1;
      if (Hi < 0 || Lo < 0) {
        FTokenLine = FLine;
        Error(u"Invalid binary value");
      }
      Bytes += static_cast<char>(Hi << 4 | Lo);
      FPos += 2;
    }
  }

  static int HexValue(char C) {
    if (IsDigit(C)) return C - '0';
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    return -1;
  }

  // Grammar.
  bool IsSymbol(char C) const { return FToken == tkSymbol && FSymbol == C; }
  bool IsKeyword(const char16_t* Word) const { return FToken == tkIdent && SameName(FIdent, Word); }
  bool IsObjectKeyword() const {
    return IsKeyword(u"object") || IsKeyword(u"inherited") || IsKeyword(u"inline");
  }

  void ExpectSymbol(char C) {
    if (!IsSymbol(C)) Error(Format(u"'%s' expected", {String(1, static_cast<char16_t>(C))}));
    Next();
  }

  void ExpectKeyword(const char16_t* Word) {
    if (!IsKeyword(Word)) Error(Format(u"'%s' expected", {String(Word)}));
    Next();
  }

  String ExpectIdent() {
    if (FToken != tkIdent) Error(u"Identifier expected");
    String Ident = FIdent;
    Next();
    return Ident;
  }

  void CheckDepth(int Depth) const {
    if (Depth > MaxStreamDepth) Error(u"Objects nested too deeply");
  }

  void ParseObject(int Depth) {
    CheckDepth(Depth);
    uint8_t Flags = IsKeyword(u"inherited") ? ffInherited : IsKeyword(u"inline") ? ffInline : 0;
    Next();
    String Name, ClassName = ExpectIdent();
    if (IsSymbol(':')) {
      Next();
      Name = std::move(ClassName);
      ClassName = ExpectIdent();
    }
    int32_t ChildPos = 0;
    if (IsSymbol('[')) {
      Next();
      if (FToken != tkInteger || FInt < INT32_MIN || FInt > INT32_MAX) Error(u"Integer expected");
      ChildPos = static_cast<int32_t>(FInt);
      Flags |= ffChildPos;
      Next();
      ExpectSymbol(']');
    }
    FWriter.WritePrefix(Flags, ChildPos);
    FWriter.WriteStr(ClassName);
    FWriter.WriteStr(Name);
    ParseProperties(Depth);
    while (IsObjectKeyword()) ParseObject(Depth + 1);
    FWriter.WriteListEnd();
    ExpectKeyword(u"end");
  }

  // Properties up to the next object or "end"; writes the closing vaNull.
  void ParseProperties(int Depth) {
    while (FToken == tkIdent && !IsObjectKeyword() && !IsKeyword(u"end")) {
      const String Name = ExpectIdent();
      ExpectSymbol('=');
      FWriter.WriteStr(Name);
      ParseValue(Depth + 1);
    }
    FWriter.WriteListEnd();
  }

  void ParseValue(int Depth) {
    CheckDepth(Depth);
    switch (FToken) {
      case tkInteger:
        FWriter.WriteInteger(FInt);
        break;
      case tkFloat:
        FWriter.WriteFloat(FFloat);
        break;
      case tkString:
        FWriter.WriteString(FString);
        break;
      case tkIdent:
        if (SameName(FIdent, u"True") || SameName(FIdent, u"False"))
          FWriter.WriteBoolean(SameName(FIdent, u"True"));
        else if (SameName(FIdent, u"nil"))
          FWriter.WriteValue(vaNil);
        else
          FWriter.WriteIdent(FIdent);
        break;
      case tkSymbol:
        ParseCompound(Depth);
        return;
      case tkEnd:
        Error(u"Property value expected");
    }
    Next();
  }

  void ParseCompound(int Depth) {
    switch (FSymbol) {
      case '[':
        Next();
        FWriter.WriteValue(vaSet);
        while (!IsSymbol(']')) {
          FWriter.WriteStr(ExpectIdent());
          if (!IsSymbol(']')) ExpectSymbol(',');
        }
        Next();
        FWriter.WriteStr(String());
        return;
      case '(':
        Next();
        FWriter.WriteListBegin();
        while (!IsSymbol(')')) ParseValue(Depth + 1);
        Next();
        FWriter.WriteListEnd();
        return;
      case '{':
        FWriter.WriteBinary(ScanBinary());
        Next();
        return;
      case '<':
        Next();
        FWriter.WriteValue(vaCollection);
        while (IsKeyword(u"item")) {
          Next();
          if (IsSymbol('[')) {
            Next();
            if (FToken != tkInteger) Error(u"Integer expected");
            FWriter.WriteInteger(FInt);
            Next();
            ExpectSymbol(']');
          }
          FWriter.WriteListBegin();
          ParseProperties(Depth + 1);
          ExpectKeyword(u"end");
        }
        ExpectSymbol('>');
        FWriter.WriteListEnd();
        return;
      default:
        Error(u"Property value expected");
    }
  }

  const std::string_view FText;
  TWriter& FWriter;
  size_t FPos = 0;
  int FLine = 1;
  int FTokenLine = 1;
  TToken FToken = tkEnd;
  String FIdent;
  String FString;
  int64_t FInt = 0;
  double FFloat = 0;
  char FSymbol = 0;
};

}  // namespace

void ObjectBinaryToText(TStream& In, TStream& Out) {
  TBinaryToText Converter(In);
  Out.WriteBytes(Converter.Convert());
}

void ObjectTextToBinary(TStream& In, TStream& Out) {
  // Text already in memory is parsed where it lies.
  std::string Owned;
  std::string_view Text;
  if (const auto* Memory = dynamic_cast<const TMemoryStream*>(&In)) {
    Text = std::string_view(Memory->Bytes());
    Text.remove_prefix(
        std::min(Text.size(), static_cast<size_t>(std::max<int64_t>(0, In.Position()))));
    In.Seek(0, TSeekOrigin::soEnd);
  } else {
    Owned = In.ReadBytes(In.Size() - In.Position());
    Text = Owned;
  }
  // An output written at its end takes the image directly and is cut back if the text turns
  // out bad; any other gets the image once it is complete.
  const int64_t Start = Out.Position();
  if (Start == Out.Size()) {
    try {
      TWriter Writer(Out);
      TTextToBinary(Text, Writer).Convert();
    } catch (...) {
      Out.SetSize(Start);
      Out.SetPosition(Start);
      throw;
    }
    return;
  }
  TMemoryStream Image;
  TWriter Writer(Image);
  TTextToBinary(Text, Writer).Convert();
  Out.WriteBytes(Image.Bytes());
}
