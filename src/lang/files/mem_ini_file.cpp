#include "lang/files/mem_ini_file.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "core/code_page.h"
#include "core/exceptions.h"
#include "core/rtti.h"
#include "core/safe_file.h"
#include "core/stream.h"
#include "core/text_arena.h"

namespace {

const String OptionsSection = u"OPTIONS";
const String UTF8Key = u"IsUTF8File";
constexpr char Utf8Mark[] = "\xEF\xBB\xBF";

// Typed reads fall back to their default on a conversion error only.
template <class T, class Fn>
T Converted(const String& Text, T Default, Fn Convert) {
  if (Text.empty()) return Default;
  try {
    return Convert(Text);
  } catch (const EConvertError&) {
    return Default;
  }
}

}  // namespace

// ---- TlcCustomIniFile ----------------------------------------------------------------------

const TClassType& TlcCustomIniFile::StaticClassType() {
  static const TClassType T(u"TlcCustomIniFile", &TObject::StaticClassType());
  return T;
}

int TlcCustomIniFile::ReadInteger(const String& Section, const String& Ident, int Default) const {
  String S = ReadString(Section, Ident, u"");
  if (S.size() > 2 && S[0] == u'0' && (S[1] == u'x' || S[1] == u'X')) S = u"$" + S.substr(2);
  // Leading blanks are skipped, but the rest must be the number and nothing else.
  if (S.empty() || S.back() <= u' ') return Default;
  int Value;
  return TryStrToInt(S, Value) ? Value : Default;
}

void TlcCustomIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TlcCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TlcCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? u"1" : u"0");
}

TDateTime TlcCustomIniFile::ReadDate(const String& Section, const String& Name,
                                     TDateTime Default) const {
  return Converted(ReadString(Section, Name, u""), Default, StrToDate);
}

TDateTime TlcCustomIniFile::ReadDateTime(const String& Section, const String& Name,
                                         TDateTime Default) const {
  return Converted(ReadString(Section, Name, u""), Default, StrToDateTime);
}

double TlcCustomIniFile::ReadFloat(const String& Section, const String& Name,
                                   double Default) const {
  return Converted(ReadString(Section, Name, u""), Default, StrToFloat);
}

TDateTime TlcCustomIniFile::ReadTime(const String& Section, const String& Name,
                                     TDateTime Default) const {
  return Converted(ReadString(Section, Name, u""), Default, StrToTime);
}

void TlcCustomIniFile::WriteDate(const String& Section, const String& Name, TDateTime Value) {
  WriteString(Section, Name, DateToStr(Value));
}

void TlcCustomIniFile::WriteDateTime(const String& Section, const String& Name, TDateTime Value) {
  WriteString(Section, Name, DateTimeToStr(Value));
}

void TlcCustomIniFile::WriteFloat(const String& Section, const String& Name, double Value) {
  WriteString(Section, Name, FloatToStr(Value));
}

void TlcCustomIniFile::WriteTime(const String& Section, const String& Name, TDateTime Value) {
  WriteString(Section, Name, TimeToStr(Value));
}

bool TlcCustomIniFile::SectionExists(const String& Section) const {
  TStringList Keys;
  ReadSection(Section, Keys);
  return Keys.Count() > 0;
}

bool TlcCustomIniFile::ValueExists(const String& Section, const String& Ident) const {
  TStringList Keys;
  ReadSection(Section, Keys);
  return Keys.IndexOf(Ident) >= 0;
}

// ---- TMemIniEntry --------------------------------------------------------------------------

const TClassType& TMemIniEntry::StaticClassType() {
  static const TClassType T(u"TMemIniEntry", &TPersistent::StaticClassType());
  return T;
}

TMemIniEntry::TMemIniEntry() : FList(std::make_unique<TStringList>()) {
  FList->SetSorted(true);
  FList->SetDuplicates(TDuplicates::dupAccept);
}

int TMemIniEntry::Add(const String& Key, const String& Value) {
  // Room first, so that the key never goes in without its value.
  FValues.reserve(FValues.size() + 1);
  const int I = FList->Add(Key);
  FValues.insert(FValues.begin() + I, TValue{{}, TSharedText(Value)});
  return I;
}

int TMemIniEntry::Add(const String& KeyValue) {
  const auto [Key, Value] = SplitKeyValue(std::u16string_view(KeyValue));
  return Add(String(Key), String(Value));
}

void TMemIniEntry::Assign(const TPersistent& Source) {
  const auto* Lines = dynamic_cast<const TStrings*>(&Source);
  if (!Lines) {
    TPersistent::Assign(Source);
    return;
  }
  FList->BeginUpdate();
  Clear();
  for (int I = 0; I < Lines->Count(); ++I) Add(Lines->Get(I));
  FList->EndUpdate();
}

void TMemIniEntry::Clear() {
  FList->Clear();
  FValues.clear();
}

void TMemIniEntry::Delete(int I) {
  FList->Delete(I);
  FValues.erase(FValues.begin() + I);
}

const TMemIniEntry::TValue& TMemIniEntry::ValueAt(int I) const {
  // The key's index is checked as the list checks it.
  FList->Shared(I);
  return FValues[static_cast<size_t>(I)];
}

String TMemIniEntry::GetValue(int I) const {
  const TValue& V = ValueAt(I);
  if (V.Bytes.empty()) return V.Text.Str();
  return FCodePage == CP_UTF8 ? Utf8DecodeReplacing(V.Bytes) : CodePageToString(V.Bytes, FCodePage);
}

void TMemIniEntry::AppendValue(int I, String& To) const {
  const TValue& V = ValueAt(I);
  if (V.Bytes.empty())
    To += V.Text.View();
  else if (FCodePage == CP_UTF8)
    Utf8AppendReplacing(V.Bytes, To);
  else
    To += CodePageToString(V.Bytes, FCodePage);
}

void TMemIniEntry::Load(std::vector<TSharedText>& Keys, std::vector<TValue>& Values,
                        unsigned CodePage) {
  // Equal keys go in with the most recent one first, as sorted insertion puts them. Keys that
  // already come strictly in order (as every file written here) go in as they are.
  const auto Less = [&Keys](size_t A, size_t B) {
    return CompareText(Keys[A].View(), Keys[B].View()) < 0;
  };
  const bool InOrder =
      std::adjacent_find(Keys.begin(), Keys.end(), [](const auto& A, const auto& B) {
        return CompareText(A.View(), B.View()) >= 0;
      }) == Keys.end();
  FList->SetSorted(false);
  Clear();
  FCodePage = CodePage;
  FList->SetCapacity(static_cast<int>(Keys.size()));
  if (InOrder) {
    for (TSharedText& Key : Keys) FList->AddShared(std::move(Key), nullptr);
    FValues = std::move(Values);
  } else {
    std::vector<size_t> Order(Keys.size());
    for (size_t I = 0; I < Order.size(); ++I) Order[I] = Order.size() - 1 - I;
    std::stable_sort(Order.begin(), Order.end(), Less);
    FValues.reserve(Order.size());
    for (size_t I : Order) {
      FList->AddShared(std::move(Keys[I]), nullptr);
      FValues.push_back(std::move(Values[I]));
    }
  }
  FList->SetSorted(true);
}

// ---- TlcMemIniFile -------------------------------------------------------------------------

const TClassType& TlcMemIniFile::StaticClassType() {
  static const TClassType T(u"TlcMemIniFile", &TlcCustomIniFile::StaticClassType());
  return T;
}

TlcMemIniFile::TlcMemIniFile(const String& FileName)
    : TlcCustomIniFile(FileName), FSections(std::make_unique<TStringList>(true)) {
  FSections->SetSorted(true);
  FSections->SetDuplicates(TDuplicates::dupIgnore);
  LoadValues();
}

TlcMemIniFile::~TlcMemIniFile() {
  Clear();
}

void TlcMemIniFile::LoadValues() {
  if (!FFileName.empty() && FileExists(FFileName)) {
    TStringList Lines;
    Lines.LoadFromFile(FFileName);
    SetStrings(Lines);
  } else {
    Clear();
  }
}

TMemIniEntry* TlcMemIniFile::FindSection(const String& Section) const {
  int I;
  return FSections->Find(Section, I) ? static_cast<TMemIniEntry*>(FSections->GetObject(I))
                                     : nullptr;
}

TMemIniEntry* TlcMemIniFile::AddSection(const String& Section) {
  auto* Entry = new TMemIniEntry;
  FSections->AddObject(Section, Entry);
  FChanged = true;
  return Entry;
}

void TlcMemIniFile::Clear() {
  FSections->Clear();
  FBytes.reset();
  FChanged = true;
}

String TlcMemIniFile::ReadString(const String& Section, const String& Ident,
                                 const String& Default) const {
  const TMemIniEntry* Entry = FindSection(Section);
  int I;
  return Entry && Entry->Find(Ident, I) ? Entry->GetValue(I) : Default;
}

void TlcMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  TMemIniEntry* Entry = FindSection(Section);
  if (!Entry) Entry = AddSection(Section);
  int I;
  if (Entry->Find(Ident, I)) Entry->Delete(I);
  // The key is kept as it is given, "=" and all, so it reads back under the same name.
  Entry->Add(Ident, Value);
  FChanged = true;
}

void TlcMemIniFile::ReadSection(const String& Section, TStrings& Strings) const {
  Strings.BeginUpdate();
  Strings.Clear();
  if (const TMemIniEntry* Entry = FindSection(Section))
    for (int I = 0; I < Entry->Count(); ++I) Strings.Add(Entry->GetName(I));
  Strings.EndUpdate();
}

void TlcMemIniFile::ReadSections(TStrings& Strings) const {
  Strings.BeginUpdate();
  Strings.Clear();
  for (int I = 0; I < FSections->Count(); ++I) Strings.Add(FSections->Get(I));
  Strings.EndUpdate();
}

void TlcMemIniFile::ReadSectionValues(const String& Section, TStrings& Strings) const {
  Strings.BeginUpdate();
  Strings.Clear();
  if (const TMemIniEntry* Entry = FindSection(Section))
    for (int I = 0; I < Entry->Count(); ++I) Strings.Add(Entry->GetValue(I));
  Strings.EndUpdate();
}

void TlcMemIniFile::EraseSection(const String& Section) {
  int I;
  if (!FSections->Find(Section, I)) return;
  FSections->Delete(I);
  FChanged = true;
}

void TlcMemIniFile::DeleteKey(const String& Section, const String& Ident) {
  TMemIniEntry* Entry = FindSection(Section);
  if (!Entry) return;
  int I;
  if (Entry->Find(Ident, I)) Entry->Delete(I);
  FChanged = true;
}

void TlcMemIniFile::GetStrings(TStrings& List) const {
  List.BeginUpdate();
  for (int S = 0; S < FSections->Count(); ++S) {
    List.Add(u"[" + FSections->Get(S) + u"]");
    const auto* Entry = static_cast<const TMemIniEntry*>(FSections->GetObject(S));
    for (int I = 0; I < Entry->Count(); ++I) List.Add(Entry->GetLine(I));
    List.Add(u"");
  }
  List.EndUpdate();
}

namespace {

// Lines given as characters.
struct TCharDecoder {
  static constexpr unsigned CodePage = 0;
  String Text(std::u16string_view S) { return String(S); }
  TSharedText Shared(std::u16string_view S) { return TSharedText(S); }
  TMemIniEntry::TValue Value(std::u16string_view S) { return {{}, TSharedText(S)}; }
};

// Lines given as bytes, each piece decoded by itself; a key goes through one buffer for all,
// and a value is only copied, undecoded, to Kept. Every byte below 0x80 stands for its own
// character in UTF-8 and in the single-byte code pages, so lines, headers and "=" are found in
// the bytes as in the characters.
struct TByteDecoder {
  unsigned CodePage;
  char* Kept;  // room for all the bytes, never moved
  String Buffer;
  String Text(std::string_view Bytes) {
    return CodePage == CP_UTF8 ? Utf8DecodeReplacing(Bytes) : CodePageToString(Bytes, CodePage);
  }
  TSharedText Shared(std::string_view Bytes) {
    if (CodePage != CP_UTF8) return TSharedText(CodePageToString(Bytes, CodePage));
    Utf8DecodeReplacing(Bytes, Buffer);
    return TSharedText(Buffer);
  }
  TMemIniEntry::TValue Value(std::string_view Bytes) {
    if (Bytes.empty()) return {};
    const std::string_view Copy(static_cast<char*>(std::memcpy(Kept, Bytes.data(), Bytes.size())),
                                Bytes.size());
    Kept += Bytes.size();
    return {Copy, {}};
  }
};

// Calls Line with every line of Bytes, split at CR LF, CR or LF as ForEachLine splits a text.
template <class F>
void ForEachByteLine(std::string_view Bytes, const F& Line) {
  const char* At = Bytes.data();
  const char* const End = At + Bytes.size();
  while (At < End) {
    const auto* LF = static_cast<const char*>(std::memchr(At, '\n', static_cast<size_t>(End - At)));
    const char* Stop = LF ? LF : End;
    if (const auto* CR =
            static_cast<const char*>(std::memchr(At, '\r', static_cast<size_t>(Stop - At))))
      Stop = CR;
    Line(std::string_view(At, static_cast<size_t>(Stop - At)));
    At = Stop;
    if (At < End && *At == '\r') ++At;
    if (At < End && *At == '\n') ++At;
  }
}

}  // namespace

template <class ForEachFn, class DecoderType>
void TlcMemIniFile::Parse(const ForEachFn& ForEach, DecoderType& Decoder) {
  Clear();
  // Every header opens a run of lines. The runs are sorted once at the end, not inserted one by
  // one, so that sections in any order cost N log N; runs of one name (in any case) then make
  // one section under the spelling that came first, their lines in the order they were read.
  struct TRun {
    String Name;
    std::vector<TSharedText> Keys;
    std::vector<TMemIniEntry::TValue> Values;
  };
  // A first pass counts the lines of every run, so that no run grows its room line by line:
  // of a large file that touched twice its memory.
  std::vector<size_t> Counts;
  ForEach([&Counts](auto Line) {
    if (Line.empty() || Line[0] == ';') return;
    if (Line.size() >= 2 && Line[0] == '[' && Line.back() == ']')
      Counts.push_back(0);
    else if (!Counts.empty())
      ++Counts.back();
  });
  std::vector<TRun> Runs;
  Runs.reserve(Counts.size());
  ForEach([&](auto Line) {
    if (Line.empty() || Line[0] == ';') return;
    if (Line.size() >= 2 && Line[0] == '[' && Line.back() == ']') {
      TRun& Run = Runs.emplace_back(TRun{Decoder.Text(Line.substr(1, Line.size() - 2)), {}, {}});
      Run.Keys.reserve(Counts[Runs.size() - 1]);
      Run.Values.reserve(Counts[Runs.size() - 1]);
      return;
    }
    if (Runs.empty()) return;
    const auto [Key, Value] = TMemIniEntry::SplitKeyValue(Line);
    Runs.back().Keys.push_back(Decoder.Shared(Key));
    Runs.back().Values.push_back(Decoder.Value(Value));
  });
  const auto Less = [](const TRun& A, const TRun& B) { return CompareText(A.Name, B.Name) < 0; };
  if (!std::is_sorted(Runs.begin(), Runs.end(), Less))
    std::stable_sort(Runs.begin(), Runs.end(), Less);
  // Built aside, so that a failure leaves the content cleared and still sorted.
  auto Sections = std::make_unique<TStringList>(true);
  for (auto Run = Runs.begin(); Run != Runs.end();) {
    auto Next = Run + 1;
    for (; Next != Runs.end() && CompareText(Next->Name, Run->Name) == 0; ++Next) {
      std::move(Next->Keys.begin(), Next->Keys.end(), std::back_inserter(Run->Keys));
      std::move(Next->Values.begin(), Next->Values.end(), std::back_inserter(Run->Values));
    }
    auto* Entry = new TMemIniEntry;
    Sections->AddObject(Run->Name, Entry);
    Entry->Load(Run->Keys, Run->Values, Decoder.CodePage);
    Run = Next;
  }
  Sections->SetSorted(true);
  Sections->SetDuplicates(TDuplicates::dupIgnore);
  FSections = std::move(Sections);
  FChanged = true;
}

void TlcMemIniFile::SetStrings(const TStrings& List) {
  TCharDecoder Decoder;
  Parse(
      [&List](const auto& Fn) {
        for (int I = 0; I < List.Count(); ++I) Fn(std::u16string_view(List.Get(I)));
      },
      Decoder);
}

void TlcMemIniFile::SetText(std::u16string_view Text) {
  TCharDecoder Decoder;
  Parse([Text](const auto& Fn) { ForEachLine(Text, Fn); }, Decoder);
}

void TlcMemIniFile::SetTextBytes(std::string_view Bytes, TEncoding Encoding) {
  const bool Utf8 = Encoding == TEncoding::UTF8;
  // A multi-byte code page may use bytes below 0x80 inside its characters.
  if (!Utf8 && !IsSingleByteCodePage(GetACP())) {
    SetText(AnsiToString(Bytes));
    return;
  }
  auto Kept = std::make_unique<TlcLargeBlock>(Bytes.size());
  TByteDecoder Decoder{Utf8 ? CP_UTF8 : GetACP(), Kept->Data(), {}};
  // The keys of a large file lie on huge pages too.
  const TTextArena Keys(Bytes.size());
  Parse([Bytes](const auto& Fn) { ForEachByteLine(Bytes, Fn); }, Decoder);
  FBytes = std::move(Kept);
}

void TlcMemIniFile::Rename(const String& FileName, bool Reload) {
  FFileName = FileName;
  if (Reload) LoadValues();
}

void TlcMemIniFile::UpdateFile() {
  TStringList Lines;
  GetStrings(Lines);
  TMemoryStream Text;
  Lines.SaveToStream(Text, TEncoding::Ansi);
  SaveBytesSafely(FFileName, Text.Bytes());
  FChanged = false;
}

void TlcMemIniFile::LoadFromFile(const String& AFileName) {
  TFileStream File(AFileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(File);
}

void TlcMemIniFile::LoadFromStream(TStream& Stream) {
  Clear();
  std::string Owned;
  const std::string_view Bytes = ReadRest(Stream, Owned);
  if (Bytes.starts_with(Utf8Mark)) {
    // The mark says what the text is, whatever "OPTIONS" may say further down.
    SetTextBytes(Bytes.substr(3), TEncoding::UTF8);
    return;
  }
  SetTextBytes(Bytes, TEncoding::Ansi);
  if (ReadBool(OptionsSection, UTF8Key, false)) SetTextBytes(Bytes, TEncoding::UTF8);
}
