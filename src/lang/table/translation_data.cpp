// The translation table as the form property "TranslationData": eleven sections of UTF-16LE
// lines, written after the published properties and read back when the form is created.
#include "lang/table/translation_data.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "component/filer.h"
#include "core/code_page.h"
#include "core/stream.h"
#include "core/text_arena.h"
#include "lang/custom_lang.h"
#include "lang/switch/extended_items.h"
#include "lang/table/translation_line.h"

namespace {

constexpr char16_t EscapedCR = 25;
constexpr char16_t EscapedLF = 26;
const String UnicodeSuffix = u"_Unicode";

void MapInPlace(String& S, char16_t A, char16_t B, char16_t C, char16_t D) {
  for (size_t I = FindEither(S, A, C, 0); I < S.size(); I = FindEither(S, A, C, I + 1))
    S[I] = S[I] == A ? B : D;
}

String MapChars(const String& S, char16_t A, char16_t B, char16_t C, char16_t D) {
  String R = S;
  MapInPlace(R, A, B, C, D);
  return R;
}

// Bytes taken one to one as code units and back, so the field helpers work on byte strings.
String Widen(const std::string& Bytes) {
  String R;
  R.reserve(Bytes.size());
  for (unsigned char B : Bytes) R += static_cast<char16_t>(B);
  return R;
}

std::string Narrow(const String& S) {
  std::string R;
  R.reserve(S.size());
  for (char16_t C : S) R += static_cast<char>(C & 0xFF);
  return R;
}

char16_t UnitAt(std::string_view Utf16LE, size_t I) {
  return static_cast<char16_t>(static_cast<unsigned char>(Utf16LE[2 * I]) |
                               static_cast<unsigned char>(Utf16LE[2 * I + 1]) << 8);
}

// The first CR or LF of UTF-16LE bytes at code unit From or after it, else the number of units.
size_t FindLineBreak(std::string_view Utf16LE, size_t From) {
  const size_t Units = Utf16LE.size() / 2;
#if defined(__SSE2__)
  const __m128i WantCR = _mm_set1_epi16(static_cast<short>(CR));
  const __m128i WantLF = _mm_set1_epi16(static_cast<short>(LF));
  for (; From + 8 <= Units; From += 8) {
    const __m128i Read =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(Utf16LE.data() + 2 * From));
    const __m128i Found =
        _mm_or_si128(_mm_cmpeq_epi16(Read, WantCR), _mm_cmpeq_epi16(Read, WantLF));
    if (const int Hits = _mm_movemask_epi8(Found))
      return From + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(Hits))) / 2;
  }
#endif
  while (From < Units && UnitAt(Utf16LE, From) != CR && UnitAt(Utf16LE, From) != LF) ++From;
  return From;
}

// Calls Line() for every line of UTF-16LE bytes (an odd last byte ignored), split at CR LF, CR
// or LF as ForEachLine splits a text, with the line's code units in Buffer: each unit is copied
// once, from where the bytes lie, instead of into a text of the whole table first.
template <class F>
void ForEachUtf16LELine(std::string_view Bytes, String& Buffer, const F& Line) {
  const size_t Units = Bytes.size() / 2;
  size_t Start = 0;
  while (Start < Units) {
    size_t End = FindLineBreak(Bytes, Start);
    Buffer.resize(End - Start);
    if constexpr (std::endian::native == std::endian::little)
      std::memcpy(Buffer.data(), Bytes.data() + 2 * Start, 2 * Buffer.size());
    else
      for (size_t I = 0; I < Buffer.size(); ++I) Buffer[I] = UnitAt(Bytes, Start + I);
    Line();
    if (End < Units && UnitAt(Bytes, End) == CR) ++End;
    if (End < Units && UnitAt(Bytes, End) == LF) ++End;
    Start = End;
  }
}

String CategoryName(int Category) {
  return GetEnumName(TypeInfoTStringsType(), Category);
}

}  // namespace

String EscapeLineBreaks(const String& S) {
  return MapChars(S, CR, EscapedCR, LF, EscapedLF);
}

String UnescapeLineBreaks(const String& S) {
  return MapChars(S, EscapedCR, CR, EscapedLF, LF);
}

void UnescapeLineBreaksInPlace(String& S) {
  MapInPlace(S, EscapedCR, CR, EscapedLF, LF);
}

std::unique_ptr<TStringList> SplitFields(const String& Text, const String& Delim) {
  auto List = std::make_unique<TStringList>();
  if (Delim.empty()) {
    if (!Text.empty()) List->Add(Text);
    return List;
  }
  size_t Start = 0;
  for (size_t P; (P = Text.find(Delim, Start)) != String::npos; Start = P + Delim.size())
    List->Add(Text.substr(Start, P - Start));
  if (Start < Text.size()) List->Add(Text.substr(Start));
  return List;
}

String JoinFields(const TStrings& List, const String& Delim, bool SkipEmpty) {
  String R;
  bool First = true;
  for (int I = 0; I < List.Count(); ++I) {
    const String Item = List.Get(I);
    if (SkipEmpty && Item.empty()) continue;
    if (!First) R += Delim;
    R += Item;
    First = false;
  }
  return R;
}

bool IsEmptyText(const String& S) {
  return S.empty();
}

namespace {

String FirstField(const String& Line, const String& Delim) {
  const auto Fields = SplitFields(Line, Delim);
  return Fields->Count() > 0 ? Fields->Get(0) : String();
}

}  // namespace

int FindLineByName(const TStrings& List, const String& Line, const String& Delim) {
  const String Name = FirstField(Line, Delim);
  for (int I = 0; I < List.Count(); ++I)
    if (lcCompareText(FirstField(List.Get(I), Delim), Name) == 0) return I;
  return -1;
}

String MergeTranslationLine(const String& OldLine, const String& NewLine, const String& Delim) {
  const auto Old = SplitFields(OldLine, Delim);
  const auto New = SplitFields(NewLine, Delim);
  TStringList Out;
  Out.Add(Old->Count() > 0 ? Old->Get(0) : String());
  for (int K = 1; K < Old->Count(); ++K)
    Out.Add(K < New->Count() && !New->Get(K).empty() ? New->Get(K) : Old->Get(K));
  for (int K = Old->Count(); K < New->Count(); ++K) Out.Add(New->Get(K));
  return JoinFields(Out, Delim, false) + Delim;
}

// ---- The component's side ----------------------------------------------------------------

void TlcCustomLang::DeclareStoredData(TFiler& Filer) {
  TComponent::DeclareStoredData(Filer);
  Filer.DefineBinaryProperty(
      u"TranslationData", [this](TStream& S) { ReadTranslationData(S); },
      [this](TStream& S) { WriteTranslationData(S); }, TranslationDataHasData(Filer));
}

bool TlcCustomLang::TranslationDataHasData(const TFiler& Filer) const {
  const auto* Ancestor = dynamic_cast<const TlcCustomLang*>(Filer.Ancestor());
  if (!Filer.Ancestor()) return true;
  if (FUseInheritedData) return false;
  if (!Ancestor) return true;
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    const TStrings* Mine = GetPropListByType(static_cast<TStringsType>(Cat));
    const TStrings* Theirs = Ancestor->GetPropListByType(static_cast<TStringsType>(Cat));
    if (Mine && Theirs && Mine->GetText() != Theirs->GetText()) return true;
  }
  return false;
}

void TlcCustomLang::WriteTranslationData(TStream& Stream) const {
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    const TStrings* List = GetPropListByType(static_cast<TStringsType>(Cat));
    if (!List) continue;
    Stream.WriteBytes(Utf16LEEncode(CategoryName(Cat) + UnicodeSuffix + sLineBreak));
    for (int I = 0; I < List->Count(); ++I)
      Stream.WriteBytes(Utf16LEEncode(EscapeLineBreaks(List->Get(I)) + sLineBreak));
  }
}

namespace {

// The name a line is merged by: its text up to the first delimiter (all of it when it has none).
std::u16string_view NameOf(std::u16string_view Line, char16_t D) {
  return Line.substr(0, Line.find(D));
}

String Folded(std::u16string_view S) {
  String R(S);
  for (char16_t& C : R) C = AsciiUpperChar(C);
  return R;
}

// Places the lines of one section into its list: merged into the first line of the same name
// when an inherited form's data are read, else appended, the owner form's own line first. The
// first line of every name is remembered, so each line costs the same however long the list.
class TSectionReader {
 public:
  TSectionReader(TStrings& List, char16_t Delim, const String& OwnerPrefix, bool Merge)
      : FList(List), FDelim(Delim), FOwnerPrefix(OwnerPrefix), FMerge(Merge) {
    if (FMerge)
      for (int I = 0; I < FList.Count(); ++I)
        FFirst.emplace(Folded(NameOf(FList.Get(I), FDelim)), I);
  }

  void Place(const String& Line) {
    if (FMerge) {
      const auto It = FFirst.find(Folded(NameOf(Line, FDelim)));
      if (It != FFirst.end()) {
        const int Found = static_cast<int>(It->second + FShift);
        const String D(1, FDelim);
        const String Merged = MergeTranslationLine(FList.Get(Found), Line, D);
        FList.Delete(Found);
        FList.Insert(Found, Merged);
        return;
      }
    }
    if (!FOwnerPrefix.empty() && Line.starts_with(FOwnerPrefix)) {
      FList.Insert(0, Line);
      // Every line moved one down; the new first line is now the first of its name.
      ++FShift;
      if (FMerge) FFirst[Folded(NameOf(Line, FDelim))] = -FShift;
    } else {
      FList.Add(Line);
      if (FMerge) FFirst.emplace(Folded(NameOf(Line, FDelim)), FList.Count() - 1 - FShift);
    }
  }

 private:
  TStrings& FList;
  const char16_t FDelim;
  const String& FOwnerPrefix;
  const bool FMerge;
  std::unordered_map<String, long> FFirst;  // folded name -> index less FShift
  long FShift = 0;
};

// The property's bytes from the stream's position on, read to its end. The form reader hands
// the property over in memory: then they are taken where they lie, and Owned stays empty.
std::string_view PropertyBytes(TStream& Stream, std::string& Owned) {
  if (auto* Memory = dynamic_cast<TMemoryViewStream*>(&Stream)) {
    const std::string_view Bytes = Memory->Bytes().substr(std::min(
        Memory->Bytes().size(), static_cast<size_t>(std::max<int64_t>(0, Stream.Position()))));
    Stream.Seek(0, TSeekOrigin::soEnd);
    return Bytes;
  }
  Owned = Stream.ReadBytes(Stream.Size() - Stream.Position());
  return Owned;
}

// The section headers: a category's name, plain or with the Unicode suffix, in any ASCII case.
class TSectionHeaders {
 public:
  TSectionHeaders() {
    for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
      FPlain[Cat] = CategoryName(Cat);
      FUnicode[Cat] = FPlain[Cat] + UnicodeSuffix;
    }
    for (const auto* Names : {&FPlain, &FUnicode})
      for (const String& Name : *Names)
        if (Name.size() < 64) FLengths |= uint64_t{1} << Name.size();
  }

  // The category Line heads, else -1.
  int Find(std::u16string_view Line) {
    if (Line.size() < 64 && !(FLengths >> Line.size() & 1)) return -1;
    for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
      if (Line.size() == FPlain[Cat].size() && lcCompareText(Line, FPlain[Cat]) == 0) return Cat;
      if (Line.size() == FUnicode[Cat].size() && lcCompareText(Line, FUnicode[Cat]) == 0) {
        FSawUnicode = true;
        return Cat;
      }
    }
    return -1;
  }
  // The published name of the category's list.
  String ListName(int Category) const { return FPlain[Category].substr(2); }
  bool SawUnicode() const { return FSawUnicode; }

 private:
  std::array<String, StringsTypeCount> FPlain, FUnicode;
  // The lengths of the headers, so that nearly every line is told from one by its length.
  uint64_t FLengths = 0;
  bool FSawUnicode = false;
};

// Calls Take(Line) for every line of the property's bytes: UTF-16LE when the second byte is 0,
// else UTF-8 when the component stores so and they decode, else ANSI. One buffer serves every
// line, so a line costs only its place in its list.
template <class F>
void ForEachDataLine(std::string_view Bytes, bool StoreAsUTF8, const F& Take) {
  String Line;
  if (Bytes.size() >= 2 && Bytes[1] == '\0') {
    ForEachUtf16LELine(Bytes, Line, [&] { Take(Line); });
    return;
  }
  String Text;
  if (Bytes.size() >= 2 && StoreAsUTF8) Text = Utf8Decode(Bytes);
  if (Text.empty()) Text = AnsiToString(Bytes);
  ForEachLine(Text, [&](std::u16string_view Raw) {
    Line.assign(Raw);
    Take(Line);
  });
}

// Data of the old ANSI kind: every category but fonts and charsets, and the extended
// translations, decoded column by column in each language's code page.
void DecodeAnsiTables(TlcCustomLang& Lang) {
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    if (Cat == stFonts || Cat == stCharSets) continue;
    if (TStrings* List = Lang.GetPropListByType(static_cast<TStringsType>(Cat)))
      Lang.DecodeAnsiList(*List);
  }
  const String Prefix = String(u" ") + static_cast<char16_t>(Lang.LangDelim());
  TlcExtendedItems& Items = *Lang.ExtendedTranslations();
  for (int I = 0; I < Items.Count(); ++I) {
    TlcExtendedItem* Item = Items.Items(I);
    Item->SetValues(Lang.DecodeAnsiColumns(Prefix + Item->Values(), false).substr(2));
  }
}

}  // namespace

void TlcCustomLang::ReadTranslationData(TStream& Stream) {
  std::string Owned;
  const std::string_view Bytes = PropertyBytes(Stream, Owned);
  // The lines of a large table are read scattered, one per message: placed together on huge
  // pages.
  const TTextArena Arena(Bytes.size());

  TSectionHeaders Headers;
  const bool KeepExisting = !IsDesigning() && FOnInher && !FLCBLoading;
  const char16_t D = FLangDelim;
  const String OwnerPrefix = Owner() ? OwnerClassName() + D : String();
  std::optional<TSectionReader> Section;
  // Line comes with its line breaks still escaped.
  ForEachDataLine(Bytes, FStoreAsUTF8, [&](String& Line) {
    if (const int Header = Headers.Find(Line); Header >= 0) {
      // A header on the last line is an empty section like any other, so a reload into a
      // component that already holds lines does not keep stale ones.
      Section.reset();
      if (TStrings* List = GetPropListByName(Headers.ListName(Header))) {
        if (!KeepExisting) List->Clear();
        Section.emplace(*List, D, OwnerPrefix, FOnInher && !FLCBLoading);
      }
      return;
    }
    if (!Section) return;
    UnescapeLineBreaksInPlace(Line);
    Section->Place(Line);
  });

  RefreshCurrentCharset();
  if (!Headers.SawUnicode() && !FStoreAsUTF8) DecodeAnsiTables(*this);
}

String TlcCustomLang::DecodeAnsiColumns(const String& Line, bool NoNameColumn) {
  if (static_cast<int>(CS_Array.size()) < FNumLang) RefreshCharsetArray();
  std::string Bytes = StringToAnsi(Line);
  std::erase(Bytes, '\0');
  const String Wide = Widen(Bytes);
  const char16_t D = FLangDelim;
  auto Field = [&](int K) { return Narrow(GetField(Wide, FLangDelim, K)); };
  auto CodePage = [&](int Lang) { return CharsetToCodePage(CS_Array[Lang - 1]); };
  String Result;
  if (NoNameColumn) {
    for (int L = 1; L <= FNumLang; ++L) Result += CodePageToString(Field(L - 1), CodePage(L)) + D;
    return Result;
  }
  Result = AnsiToString(Field(0)) + D;
  for (int L = 1; L <= FNumLang; ++L)
    Result += (FStoreAsUTF8 ? Utf8Decode(Field(L)) : CodePageToString(Field(L), CodePage(L))) + D;
  return Result;
}

String TlcCustomLang::EncodeAnsiColumns(const String& Line) {
  if (static_cast<int>(CS_Array.size()) < FNumLang) RefreshCharsetArray();
  const char16_t D = FLangDelim;
  String Result = GetField(Line, FLangDelim, 0) + D;
  for (int L = 1; L <= FNumLang; ++L) {
    const String Text = GetField(Line, FLangDelim, L);
    if (FStoreAsUTF8)
      Result += Utf8Decode(Utf8Encode(Text)) + D;
    else
      Result += AnsiToString(StringToCodePage(Text, CharsetToCodePage(CS_Array[L - 1]))) + D;
  }
  return Result;
}

void TlcCustomLang::DecodeAnsiList(TStrings& List) {
  for (int I = 0; I < List.Count(); ++I) List.Put(I, DecodeAnsiColumns(List.Get(I), false));
}
