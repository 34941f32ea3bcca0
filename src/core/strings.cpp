#include "core/strings.h"

#include <algorithm>
#include <utility>

#include "core/code_page.h"
#include "core/exceptions.h"
#include "core/rtti.h"
#include "core/scope_exit.h"
#include "core/stream.h"

namespace {

// Runs Body between BeginUpdate and EndUpdate, also when Body raises.
template <class Fn>
void WhileUpdating(TStrings& S, Fn Body) {
  S.BeginUpdate();
  const TScopeExit Update([&S] { S.EndUpdate(); });
  Body();
}

}  // namespace

const TClassType& TStrings::StaticClassType() {
  static const TClassType T(u"TStrings", &TPersistent::StaticClassType());
  return T;
}

std::u16string_view TStrings::View(int Index, String& Scratch) const {
  Scratch = Get(Index);
  return Scratch;
}

void TStrings::Put(int Index, const String& S) {
  TObject* O = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, O);
}

TObject* TStrings::GetObject(int) const {
  return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const String& S) {
  const int Index = Count();
  Insert(Index, S);
  return Index;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
  const int Index = Add(S);
  PutObject(Index, AObject);
  return Index;
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  WhileUpdating(*this, [&] {
    const String S = Get(CurIndex);
    TObject* O = GetObject(CurIndex);
    PutObject(CurIndex, nullptr);  // so that a list owning its objects keeps this one
    Delete(CurIndex);
    InsertObject(NewIndex, S, O);
  });
}

void TStrings::Exchange(int Index1, int Index2) {
  WhileUpdating(*this, [&] {
    const String S = Get(Index1);
    TObject* O = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, S);
    PutObject(Index2, O);
  });
}

int TStrings::IndexOf(const String& S) const {
  for (int I = 0; I < Count(); ++I)
    if (CompareStrings(Get(I), S) == 0) return I;
  return -1;
}

void TStrings::AddStrings(const TStrings& Strings) {
  WhileUpdating(*this, [&] {
    for (int I = 0; I < Strings.Count(); ++I) AddObject(Strings.Get(I), Strings.GetObject(I));
  });
}

void TStrings::Assign(const TPersistent& Source) {
  const TStrings* Other = dynamic_cast<const TStrings*>(&Source);
  if (!Other) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  WhileUpdating(*this, [&] {
    Clear();
    AddStrings(*Other);
  });
}

bool TStrings::Equals(const TStrings& Other) const {
  if (Count() != Other.Count()) return false;
  for (int I = 0; I < Count(); ++I)
    if (Get(I) != Other.Get(I)) return false;
  return true;
}

String TStrings::GetText() const {
  String R;
  for (int I = 0; I < Count(); ++I) {
    R += Get(I);
    R += sLineBreak;
  }
  return R;
}

void TStrings::SetText(const String& Value) {
  WhileUpdating(*this, [&] {
    Clear();
    ForEachLine(Value, [this](std::u16string_view Line) { Add(String(Line)); });
  });
}

String TStrings::GetCommaText() const {
  String R;
  for (int I = 0; I < Count(); ++I) {
    const String S = Get(I);
    bool Quote = S.empty();
    for (char16_t C : S)
      if (C <= u' ' || C == u',' || C == u'"') Quote = true;
    if (I > 0) R += u',';
    if (Quote)
      R += u'"' + StringReplaceAll(S, u"\"", u"\"\"") + u'"';
    else
      R += S;
  }
  return R;
}

void TStrings::SetCommaText(const String& Value) {
  const size_t Length = Value.size();
  const auto SkipBlanks = [&](size_t& P) {
    while (P < Length && Value[P] <= u' ') ++P;
  };
  WhileUpdating(*this, [&] {
    Clear();
    size_t P = 0;
    SkipBlanks(P);
    while (P < Length) {
      String Item;
      if (Value[P] == u'"') {
        // Quoted: doubled quotes stand for one; an unclosed quote runs to the end.
        for (++P; P < Length; ++P) {
          if (Value[P] == u'"') {
            if (P + 1 < Length && Value[P + 1] == u'"') {
              ++P;
            } else {
              ++P;
              break;
            }
          }
          Item += Value[P];
        }
      } else {
        const size_t Start = P;
        while (P < Length && Value[P] > u' ' && Value[P] != u',') ++P;
        Item = Value.substr(Start, P - Start);
      }
      Add(Item);
      SkipBlanks(P);
      if (P < Length && Value[P] == u',') {
        ++P;
        SkipBlanks(P);
        if (P == Length) Add(String());  // a final comma ends with an empty item
      }
    }
  });
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(std::u16string_view A, std::u16string_view B) const {
  return FCaseSensitive ? CompareStr(A, B) : CompareText(A, B);
}

void TStrings::Error(int Index) const {
  throw EStringListError(Format(SListIndexError, {int64_t{Index}}));
}

namespace {

String Utf16BEDecode(std::string_view Bytes) {
  std::string Swapped(Bytes.substr(0, Bytes.size() & ~size_t{1}));
  for (size_t I = 0; I + 1 < Swapped.size(); I += 2) std::swap(Swapped[I], Swapped[I + 1]);
  return Utf16LEDecode(Swapped);
}

std::string Utf16BEEncode(const String& S) {
  std::string Bytes = Utf16LEEncode(S);
  for (size_t I = 0; I + 1 < Bytes.size(); I += 2) std::swap(Bytes[I], Bytes[I + 1]);
  return Bytes;
}

constexpr std::string_view Utf8Mark("\xEF\xBB\xBF", 3);
constexpr std::string_view Utf16LEMark("\xFF\xFE", 2);
constexpr std::string_view Utf16BEMark("\xFE\xFF", 2);

// Invalid UTF-8 after a mark keeps the rest of the text, with U+FFFD where bytes were wrong.
String Decode(std::string_view Bytes, TEncoding Encoding) {
  const auto Skip = [&](std::string_view Mark) {
    if (Bytes.substr(0, Mark.size()) == Mark) Bytes.remove_prefix(Mark.size());
  };
  switch (Encoding) {
    case TEncoding::UTF8:
      Skip(Utf8Mark);
      return Utf8DecodeReplacing(Bytes);
    case TEncoding::Unicode:
      Skip(Utf16LEMark);
      return Utf16LEDecode(Bytes);
    case TEncoding::BigEndianUnicode:
      Skip(Utf16BEMark);
      return Utf16BEDecode(Bytes);
    case TEncoding::Ansi:
      break;
  }
  return AnsiToString(Bytes);
}

std::string ReadRest(TStream& Stream) {
  return Stream.ReadBytes(std::max<int64_t>(0, Stream.Size() - Stream.Position()));
}

TEncoding DetectEncoding(std::string_view Bytes) {
  if (Bytes.substr(0, 3) == Utf8Mark) return TEncoding::UTF8;
  if (Bytes.substr(0, 2) == Utf16LEMark) return TEncoding::Unicode;
  if (Bytes.substr(0, 2) == Utf16BEMark) return TEncoding::BigEndianUnicode;
  return TEncoding::Ansi;
}

}  // namespace

void TStrings::LoadFromStream(TStream& Stream) {
  const std::string Bytes = ReadRest(Stream);
  SetText(Decode(Bytes, DetectEncoding(Bytes)));
}

void TStrings::LoadFromStream(TStream& Stream, TEncoding Encoding) {
  SetText(Decode(ReadRest(Stream), Encoding));
}

void TStrings::SaveToStream(TStream& Stream, TEncoding Encoding) const {
  const String Text = GetText();
  std::string Bytes;
  switch (Encoding) {
    case TEncoding::Ansi:
      Bytes = StringToAnsi(Text);
      break;
    case TEncoding::UTF8:
      Bytes = std::string(Utf8Mark) + Utf8Encode(Text);
      break;
    case TEncoding::Unicode:
      Bytes = std::string(Utf16LEMark) + Utf16LEEncode(Text);
      break;
    case TEncoding::BigEndianUnicode:
      Bytes = std::string(Utf16BEMark) + Utf16BEEncode(Text);
      break;
  }
  Stream.WriteBytes(Bytes);
}

void TStrings::LoadFromFile(const String& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(File);
}

void TStrings::LoadFromFile(const String& FileName, TEncoding Encoding) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(File, Encoding);
}

void TStrings::SaveToFile(const String& FileName, TEncoding Encoding) const {
  TFileStream File(FileName, fmCreate);
  SaveToStream(File, Encoding);
}
