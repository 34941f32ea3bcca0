// The text translation file: loading and saving one category or all of them, the extended
// translations, and merging from a stream.
#include "lang/files/text_translation_file.h"

#include <unordered_set>
#include <vector>

#include "core/code_page.h"
#include "core/restore.h"
#include "core/safe_file.h"
#include "core/save_lock.h"
#include "core/stream.h"
#include "core/text_arena.h"
#include "lang/custom_lang.h"
#include "lang/switch/extended_items.h"
#include "lang/table/large_block.h"
#include "lang/table/translation_data.h"
#include "lang/table/translation_line.h"

TlcMemIniFile* SharedTranslationIni = nullptr;

namespace {

const String UTF8Key = u"IsUTF8File";
const String DelimiterKey = u"DELIMITER";
const String LanguageKey = u"Language_";
const String FixedKey = u"Language_Fixed";
const String MisspeltNamesSection = u"Language names - for intenal use only!";
const String TypeKindSuffix = u"_TypeKind";
constexpr char16_t AbsentValue = u'\u044F';

bool HasBracketNames(TStringsType T) {
  return T == stCollections || T == stListView_TreeView_Items;
}

void MapChars(String& S, char16_t A, char16_t B, char16_t C, char16_t D) {
  for (char16_t& X : S) {
    if (X == A)
      X = B;
    else if (X == C)
      X = D;
  }
}

bool StartsWithText(std::u16string_view S, const String& Prefix) {
  return S.size() >= Prefix.size() && lcCompareText(S.substr(0, Prefix.size()), Prefix) == 0;
}

// The first Separator in Value at From or after it, else npos. Every value of a file is split
// here, so its first code unit is looked for eight at a time.
size_t FindSeparator(std::u16string_view Value, std::u16string_view Separator, size_t From) {
  while ((From = FindEither(Value, Separator[0], Separator[0], From)) < Value.size()) {
    if (Value.substr(From, Separator.size()) == Separator) return From;
    ++From;
  }
  return String::npos;
}

// Turns the texts of a file value, at the end of Line from Start on, into columns: each
// Separator becomes D, and a value without any separator is the text of the first language. A
// separator is never shorter than D, so the columns close up where they stand.
void ColumnsInPlace(String& Line, size_t Start, const String& Separator, char16_t D) {
  if (Separator.empty()) return;
  const std::u16string_view Value(Line.data() + Start, Line.size() - Start);
  char16_t* const Base = Line.data() + Start;
  size_t From = 0, To = 0;
  for (size_t At; (At = FindSeparator(Value, Separator, From)) != String::npos;
       From = At + Separator.size()) {
    std::char_traits<char16_t>::move(Base + To, Base + From, At - From);
    To += At - From;
    Base[To++] = D;
  }
  const bool Split = From > 0;
  std::char_traits<char16_t>::move(Base + To, Base + From, Value.size() - From);
  To += Value.size() - From;
  Line.resize(Start + To);
  if (!Split && To > 0) Line += D;
}

bool IsHeader(std::u16string_view Line) {
  return Line.size() >= 2 && Line[0] == u'[' && Line.back() == u']';
}

// The category save's reading of the existing file: byte-order mark or ANSI, one pass.
std::unique_ptr<TlcMemIniFile> ParseExisting(TStream& Stream) {
  TStringList Lines;
  Lines.LoadFromStream(Stream);
  auto Ini = std::make_unique<TlcMemIniFile>(u"");
  Ini->SetStrings(Lines);
  return Ini;
}

// The serialised file with an empty first line, so that no section header shares the first
// line with a byte-order mark.
void Serialise(const TlcMemIniFile& Ini, TStringList& Lines) {
  Ini.GetStrings(Lines);
  if (Lines.Count() == 0 || !Lines[0].empty()) Lines.Insert(0, u"");
}

// The texts of one line, each followed by the delimiter D, as a value of the file: every D
// becomes the separator. The loader turns each separator back into D, which must give the same
// texts; a text that holds the separator would come back split, so it is refused.
String FileValue(const String& Columns, char16_t D, const String& Separator, const String& What) {
  if (Separator.empty()) throw ELanguageError(u"The column separator of a file cannot be empty");
  const String Value = StringReplaceAll(Columns, String(1, D), Separator);
  if (StringReplaceAll(Value, Separator, String(1, D)) != Columns)
    throw ELanguageError(Format(u"A text of %s holds the column separator \"%s\"; choose another",
                                {What, Separator}));
  return Value;
}

// The names the file gives its languages. A file that names more languages than a component
// takes is refused before anything is built for them.
void ReadLanguageNames(const TlcMemIniFile& Ini, TStringList& Names) {
  if (!Ini.SectionExists(LanguageNamesSectionName)) return;
  for (int N = 1; N <= TlcCustomLang::MaxLanguages + 1; ++N) {
    const String Name = Ini.ReadString(LanguageNamesSectionName, LanguageKey + IntToStr(N), u"");
    if (Name.empty()) break;
    Names.Add(Name);
  }
  TlcCustomLang::CheckLanguageCount(Names.Count());
}

// A key holding "=" or a line break would be read back as another key.
void CheckKey(const String& Key) {
  if (Key.find_first_of(u"=\r\n") != String::npos)
    throw ELanguageError(Format(u"\"%s\" cannot be a key of a translation file", {Key}));
}

}  // namespace

std::unique_ptr<TlcMemIniFile> ParseTranslationFile(std::string_view Bytes) {
  auto Ini = std::make_unique<TlcMemIniFile>(u"");
  if (Bytes.starts_with("\xEF\xBB\xBF")) {
    Ini->SetTextBytes(Bytes.substr(3), TEncoding::UTF8);
  } else if (Bytes.starts_with("\xFF\xFE") || Bytes.starts_with("\xFE\xFF")) {
    TMemoryStream Stream{std::string(Bytes)};
    TStringList Lines;
    Lines.LoadFromStream(Stream);
    Ini->SetStrings(Lines);
  } else {
    // Only "OPTIONS" tells whether the bytes are UTF-8.
    Ini->SetTextBytes(Bytes, TEncoding::Ansi);
    if (Ini->ReadBool(OptionsSectionName, UTF8Key, false))
      Ini->SetTextBytes(Bytes, TEncoding::UTF8);
  }
  return Ini;
}

bool IsLCBFileName(const String& FileName) {
  return UpperCase(ExtractFileExt(FileName)) == u".LCB";
}

// ---- The component's side ----------------------------------------------------------------

String TlcCustomLang::OwnerName() const {
  return Owner() ? Owner()->Name() : String();
}

std::unique_ptr<TlcMemIniFile> TlcCustomLang::ParseStream(TStream& AStream) {
  AStream.SetPosition(0);
  std::string Owned;
  return ParseTranslationFile(ReadRest(AStream, Owned));
}

// What a category load takes from the file besides the section's lines, read before anything
// changes so that an error while reading the file changes nothing.
struct TlcCustomLang::TTextFileOptions {
  String Separator;
  bool Utf8 = false;
  int NumLang = 0;
  TStringList Names;  // empty when the file names no languages
  TStringList Fixed;
};

void TlcCustomLang::ReadTextFileOptions(const TlcMemIniFile& Ini, TTextFileOptions& Options) const {
  Options.Separator = Ini.ReadString(OptionsSectionName, DelimiterKey, DefaultFileDelimiter);
  ReadLanguageNames(Ini, Options.Names);
  Options.Utf8 = Ini.ReadBool(OptionsSectionName, UTF8Key, false);
  Options.NumLang = Options.Names.Count() > 0 ? Options.Names.Count() : FNumLang;
  for (int N = 1; N <= Options.NumLang; ++N)
    if (Ini.ReadBool(OptionsSectionName, FixedKey + IntToStr(N), false))
      Options.Fixed.Add(N <= Options.Names.Count() ? Options.Names[N - 1] : FLangNames->Get(N - 1));
}

void TlcCustomLang::TakeTextFileOptions(TTextFileOptions& Options) {
  if (Options.Names.Count() > 0) SetLangNames(&Options.Names);
  FStoreAsUTF8 = Options.Utf8;
  FFixedLanguages->Assign(Options.Fixed);
}

int TlcCustomLang::ReadCategoryLines(const TlcMemIniFile& Ini, TStringsType PropType,
                                     const TTextFileOptions& Options, TStrings& Lines) {
  // The section's keys come sorted; of keys equal but for case the first stands, as a look-up
  // by key would find it.
  const TMemIniEntry* Entries = Ini.FindSection(CategorySectionNames[PropType]);
  if (!Entries || Entries->Count() == 0) return 0;
  const char16_t D = FLangDelim;
  const String ByName = OwnerName() + u".", ByClass = OwnerClassName() + u".";
  const String OwnByName = OwnerName() + D, OwnByClass = OwnerClassName() + D;
  const bool Named = !OwnerName().empty();
  const String Absent(1, AbsentValue);
  // The columns are decoded with the language count and the encoding the file gives.
  const TRestore<int> Count(FNumLang, Options.NumLang);
  const TRestore<bool> Encoding(FStoreAsUTF8, Options.Utf8);
  String T;  // one buffer for every line, so a line costs only its place in the list
  Entries->AppendValue(0, T);
  // A large table's lines lie side by side as the form data's do, judged by the first line.
  const TTextArena Arena(2 * static_cast<size_t>(Entries->Count()) *
                         (Entries->Name(0).size() + T.size() + 2));
  int KeyCount = 0;
  for (int I = 0; I < Entries->Count(); ++I) {
    const std::u16string_view K = Entries->Name(I);
    if (I > 0 && CompareText(K, Entries->Name(I - 1)) == 0) continue;
    ++KeyCount;
    const bool IsByName = Named && StartsWithText(K, ByName);
    if (!IsByName && !StartsWithText(K, ByClass)) continue;
    T.assign(K.substr((IsByName ? ByName : ByClass).size()));
    T += D;
    if (HasBracketNames(PropType)) MapChars(T, u'-', u'[', u'+', u']');
    const std::u16string_view LineName(T.data(), T.size() - 1);
    if (FDoNotList->Count() > 0 &&
        FDoNotList->IndexOf(String(LineName.substr(0, LineName.find(u'.')))) >= 0)
      continue;
    if (Options.Utf8) {
      // Decoded once, straight into the line.
      const size_t Start = T.size();
      Entries->AppendValue(I, T);
      if (std::u16string_view(T).substr(Start) == Absent) continue;
      ColumnsInPlace(T, Start, Options.Separator, D);
    } else {
      String Columns = Entries->GetValue(I);
      ColumnsInPlace(Columns, 0, Options.Separator, D);
      Columns = DecodeAnsiColumns(String(K) + D + Columns, false);
      T.append(Columns, Columns.find(D) + 1);
    }
    UnescapeLineBreaksInPlace(T);
    if (T.empty() || T.back() != D) T += D;
    if (StartsWithText(T, IsByName ? OwnByName : OwnByClass))
      Lines.Insert(0, T);
    else
      Lines.Add(T);
  }
  return KeyCount;
}

int TlcCustomLang::LoadFromStream(TStringsType PropType, TStream& AStream, bool CanRewrite) {
  TStrings* List = GetPropListByType(PropType);
  if (!List) return -1;
  try {
    if (!Owner()) throw ELanguageError(u"the translation component has no owner form");
    std::unique_ptr<TlcMemIniFile> Own;
    if (!SharedTranslationIni) Own = ParseStream(AStream);
    const TlcMemIniFile& Ini = SharedTranslationIni ? *SharedTranslationIni : *Own;
    // Everything is gathered first and applied at the end, so an error while reading the file
    // changes nothing.
    TTextFileOptions Options;
    ReadTextFileOptions(Ini, Options);
    TStringList Lines;
    if (!CanRewrite) Lines.Assign(*List);
    const int KeyCount = ReadCategoryLines(Ini, PropType, Options, Lines);
    TakeTextFileOptions(Options);
    List->Assign(Lines);
    if (!FDontChange) {
      DelOldNames(*List, PropType);
      if (PropType == stStrings) UpdateStrCollections();
      ChangeLanguage();
    }
    return KeyCount;
  } catch (const Exception&) {
    return -1;
  }
}

int TlcCustomLang::SaveToStream(TStringsType PropType, TStream& AStream, const String& Delimiter) {
  TStrings* List = GetPropListByType(PropType);
  if (!List) return -1;
  if (!Owner())
    throw ELanguageError(u"A translation component without an owner form has no translation file");
  auto Ini = ParseExisting(AStream);
  Ini->WriteString(OptionsSectionName, DelimiterKey, Delimiter);
  Ini->WriteBool(OptionsSectionName, UTF8Key, FStoreAsUTF8);
  WriteLanguageNames(*Ini);
  Ini->EraseSection(MisspeltNamesSection);
  const String& Section = CategorySectionNames[PropType];
  const char16_t D = FLangDelim;
  for (int I = 0; I < List->Count(); ++I) {
    const String Line = EncodeAnsiColumns(List->Get(I));
    const size_t First = Line.find(D);
    String Name = Line.substr(0, First);
    if (HasBracketNames(PropType)) MapChars(Name, u'[', u'-', u']', u'+');
    const String Key = OwnerClassName() + u"." + Name;
    CheckKey(Key);
    Ini->WriteString(Section, Key,
                     FileValue(EscapeLineBreaks(Line.substr(First + 1)), D, Delimiter, Key));
  }
  TStringList Lines;
  Serialise(*Ini, Lines);
  // Keys of this form written under its name rather than its class name are dropped.
  const String Stale = OwnerName() + u".";
  if (!OwnerName().empty() && OwnerName() != OwnerClassName()) {
    const String Header = u"[" + Section + u"]";
    const int At = Lines.IndexOf(Header);
    for (int I = At + 1; At >= 0 && I < Lines.Count() - 1 && !IsHeader(Lines[I]);) {
      if (Lines[I].starts_with(Stale))
        Lines.Delete(I);
      else
        ++I;
    }
  }
  if (!DoNotEmptyStream) {
    AStream.SetSize(0);
    AStream.SetPosition(0);
  }
  Lines.SaveToStream(AStream, FStoreAsUTF8 ? TEncoding::UTF8 : TEncoding::Ansi);
  return List->Count();
}

void TlcCustomLang::WriteLanguageNames(TlcMemIniFile& Ini) const {
  Ini.EraseSection(LanguageNamesSectionName);
  for (int I = 1; I <= FNumLang; ++I) {
    const String Name = I <= FLangNames->Count() ? FLangNames->Get(I - 1) : String();
    Ini.WriteString(LanguageNamesSectionName, LanguageKey + IntToStr(I),
                    Name.empty() ? u"Language N" + IntToStr(I) : Name);
  }
}

void TlcCustomLang::LoadAllFromStream(TStream& AStream, bool CanRewrite, bool DontChangeLang) {
  const TRestore<bool> DontChange(FDontChange, true);
  std::unique_ptr<TlcMemIniFile> Own;
  if (!SharedTranslationIni) Own = ParseStream(AStream);
  const TRestore<TlcMemIniFile*> Shared(SharedTranslationIni,
                                        Own ? Own.get() : SharedTranslationIni);
  {
    // Refused as a whole, before any category is taken.
    TStringList Names;
    ReadLanguageNames(*SharedTranslationIni, Names);
  }
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    const auto Category = static_cast<TStringsType>(Cat);
    TStrings* List = GetPropListByType(Category);
    if (LoadFromStream(Category, AStream, CanRewrite) > 0 && List) DelOldNames(*List, Category);
  }
  LoadExtendedFromStream(AStream, CanRewrite);
  UpdateStrCollections();
  if (!DontChangeLang) ChangeLanguage();
}

void TlcCustomLang::SaveAllToStream(TStream& AStream, const String& Delimiter) {
  TMemoryStream Scratch;
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    Scratch.SetPosition(0);
    SaveToStream(static_cast<TStringsType>(Cat), Scratch, Delimiter);
  }
  SaveExtendedToStream(Scratch, Delimiter);
  Scratch.SetPosition(0);
  AStream.CopyFrom(Scratch, Scratch.Size());
}

void TlcCustomLang::LoadExtendedFromStream(TStream& AStream, bool CanRewrite) {
  std::unique_ptr<TlcMemIniFile> Own;
  if (!SharedTranslationIni) Own = ParseStream(AStream);
  const TlcMemIniFile& Ini = SharedTranslationIni ? *SharedTranslationIni : *Own;
  if (CanRewrite) FExtendedTranslations->Clear();
  const bool Utf8 = Ini.ReadBool(OptionsSectionName, UTF8Key, false);
  const String Separator = Ini.ReadString(OptionsSectionName, u"Delimiter", DefaultFileDelimiter);
  const String Prefix = OwnerClassName() + u".";
  TStringList Keys;
  Ini.ReadSection(ExtendedSectionName, Keys);
  for (int I = 0; I < Keys.Count(); ++I) {
    const String K = Keys[I];
    if (!K.starts_with(Prefix) || K.ends_with(TypeKindSuffix)) continue;
    const String Identifier = K.substr(Prefix.size());
    TlcExtendedItem* Item = FExtendedTranslations->Find(Identifier);
    if (!Item) {
      Item = FExtendedTranslations->Add();
      Item->SetIdentifier(Identifier);
      Item->SetPropertyType(GetPropTypeByPath(Identifier));
    }
    String Values = StringReplaceAll(Ini.ReadString(ExtendedSectionName, K, u""), Separator,
                                     String(1, static_cast<char16_t>(FLangDelim)));
    if (!Utf8) Values = DecodeAnsiColumns(Values, true);
    Item->SetValues(UnescapeLineBreaks(Values));
  }
}

void TlcCustomLang::SaveExtendedToStream(TStream& AStream, const String& Delimiter) {
  AStream.SetPosition(0);
  auto Ini = ParseExisting(AStream);
  Ini->WriteString(OptionsSectionName, u"Delimiter", Delimiter);
  WriteLanguageNames(*Ini);
  const char16_t D = FLangDelim;
  for (int I = 0; I < FExtendedTranslations->Count(); ++I) {
    const TlcExtendedItem* Item = FExtendedTranslations->Items(I);
    String Values = Item->Values();
    if (!FStoreAsUTF8) Values = EncodeAnsiColumns(String(u" ") + D + Values).substr(2);
    const String Key = OwnerClassName() + u"." + Item->Identifier();
    CheckKey(Key);
    Ini->WriteString(ExtendedSectionName, Key,
                     FileValue(EscapeLineBreaks(Values), D, Delimiter, Key));
    Ini->WriteString(ExtendedSectionName, Key + TypeKindSuffix,
                     GetEnumName(TypeInfoTTypeKind(), Item->PropertyType()));
  }
  TStringList Lines;
  Serialise(*Ini, Lines);
  AStream.SetSize(0);
  AStream.SetPosition(0);
  Lines.SaveToStream(AStream, FStoreAsUTF8 ? TEncoding::UTF8 : TEncoding::Ansi);
}

// ---- Merging from a stream ----------------------------------------------------------------

void TlcCustomLang::RealignColumns(TStrings& Lines, int From, const TStrings& Names) const {
  auto NamesText = [](const TStrings& N) { return UpperCase(Trim(N.GetText())); };
  if (NamesText(*FLangNames) == NamesText(Names)) return;
  const char16_t D = FLangDelim;
  std::vector<int> Source;
  for (int J = 0; J < FNumLang; ++J)
    Source.push_back(J < FLangNames->Count() ? Names.IndexOf(FLangNames->Get(J)) : -1);
  Lines.BeginUpdate();
  for (int I = From; I < Lines.Count(); ++I) {
    const String Line = Lines.Get(I);
    String New = GetField(Line, FLangDelim, 0) + D;
    for (int Column : Source)
      New += (Column < 0 ? String() : GetField(Line, FLangDelim, Column + 1)) + D;
    Lines.Put(I, New);
  }
  Lines.EndUpdate();
}

void TlcCustomLang::KeepUnknownLines(TStrings& List, const TStrings& Old,
                                     const TStrings& OldNames) const {
  std::unordered_set<String> Known;
  const char16_t D = FLangDelim;
  auto Id = [D](const String& Line) {
    const size_t P = Line.find(D);
    return UpperCase(P == String::npos ? String() : Line.substr(0, P));
  };
  for (int I = 0; I < List.Count(); ++I) Known.insert(Id(List[I]));
  const int From = List.Count();
  List.BeginUpdate();
  for (int I = 0; I < Old.Count(); ++I)
    if (Known.insert(Id(Old[I])).second) List.Add(Old[I]);
  List.EndUpdate();
  // The file may have brought other languages or another order: a kept line keeps its texts.
  RealignColumns(List, From, OldNames);
}

bool TlcCustomLang::MergeFromStream(TStringsType PropType, TStream& AStream) {
  TStrings* List = GetPropListByType(PropType);
  if (!List) return true;
  TStringList Old, OldNames;
  Old.Assign(*List);
  OldNames.Assign(*FLangNames);
  int Loaded;
  {
    const TRestore<bool> DontChange(FDontChange, true);
    Loaded = LoadFromStream(PropType, AStream, true);
  }
  if (Loaded < 0) {
    List->Assign(Old);
    return false;
  }
  KeepUnknownLines(*List, Old, OldNames);
  if (!FDontChange) {
    DelOldNames(*List, PropType);
    if (PropType == stStrings) UpdateStrCollections();
    ChangeLanguage();
  }
  return true;
}

bool TlcCustomLang::MergeAllFromStreamDNC(TStream& AStream) {
  const TRestore<bool> DontChange(FDontChange, true);
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    const auto Category = static_cast<TStringsType>(Cat);
    if (!MergeFromStream(Category, AStream)) return false;
    if (TStrings* List = GetPropListByType(Category)) DelOldNames(*List, Category);
  }
  UpdateStrCollections();
  return true;
}

bool TlcCustomLang::MergeAllFromStream(TStream& AStream) {
  const bool Merged = MergeAllFromStreamDNC(AStream);
  ChangeLanguage();
  return Merged;
}

// ---- Files -------------------------------------------------------------------------------

namespace {

std::string ReadFileBytes(const String& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyNone);
  return File.ReadBytes(File.Size());
}

// A file read whole to be loaded: a large one on huge pages, which it fills with few faults
// where the small pages of a text of its size cost more than parsing it.
std::unique_ptr<TlcLargeBlock> ReadWholeFile(const String& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyNone);
  auto Block = std::make_unique<TlcLargeBlock>(static_cast<size_t>(File.Size()));
  File.ReadBuffer(Block->Data(), static_cast<int64_t>(Block->Size()));
  return Block;
}

[[noreturn]] void RaiseLoadError(const String& FileName, const String& Why) {
  throw ELanguageError(
      Format(u"Cannot load the translation file \"%s\": %s", {ExpandFileName(FileName), Why}));
}

}  // namespace

void RequireTranslationFile(const String& FileName) {
  if (!FileExists(FileName)) RaiseLoadError(FileName, u"the file does not exist");
}

std::unique_ptr<TlcMemIniFile> ReadTranslationFile(const String& FileName) {
  RequireTranslationFile(FileName);
  return ParseTranslationFile(ReadWholeFile(FileName)->View());
}

int TlcCustomLang::LoadFromFile(TStringsType PropType, const String& AFileName, bool CanRewrite) {
  if (!FileExists(AFileName)) return -1;
  const auto File = ReadWholeFile(AFileName);
  TMemoryViewStream Stream(File->View());
  return LoadFromStream(PropType, Stream, CanRewrite);
}

int TlcCustomLang::SaveToFile(TStringsType PropType, const String& AFileName,
                              const String& Delimiter) {
  if (!GetPropListByType(PropType)) return -1;
  // The new text is made in memory from the old one and replaces the file in one step, with no
  // other save in between.
  const TSaveLock Lock(AFileName);
  TMemoryStream Stream(FileExists(AFileName) ? ReadFileBytes(AFileName) : std::string());
  const int Result = SaveToStream(PropType, Stream, Delimiter);
  SaveBytesSafely(AFileName, Stream.Bytes());
  return Result;
}

void TlcCustomLang::LoadAllFromFile(const String& AFileName, bool CanRewrite) {
  if (!FileExists(AFileName)) return;
  const auto File = ReadWholeFile(AFileName);
  TMemoryViewStream Stream(File->View());
  try {
    LoadAllFromStream(Stream, CanRewrite, false);
  } catch (const ELanguageError& E) {
    RaiseLoadError(AFileName, E.Message());
  }
}

void TlcCustomLang::SaveAllToFile(const String& AFileName, const String& Delimiter) {
  const TSaveLock Lock(AFileName);
  TMemoryStream Stream(FileExists(AFileName) ? ReadFileBytes(AFileName) : std::string());
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    Stream.SetPosition(0);
    SaveToStream(static_cast<TStringsType>(Cat), Stream, Delimiter);
  }
  SaveExtendedToStream(Stream, Delimiter);
  SaveBytesSafely(AFileName, Stream.Bytes());
}

int TlcCustomLang::LoadStringsFromFile(const String& AFileName, bool CanRewrite) {
  return LoadFromFile(stStrings, AFileName, CanRewrite);
}

int TlcCustomLang::SaveStringsToFile(const String& AFileName, const String& Delimiter) {
  return SaveToFile(stStrings, AFileName, Delimiter);
}

void TlcCustomLang::LoadAllFromFileDNC(const String& AFileName, bool CanRewrite) {
  const TRestore<bool> DontChange(FDontChange, true);
  const bool Exists = FileExists(AFileName);
  TMemoryStream Stream(Exists ? ReadFileBytes(AFileName) : std::string());
  // Parsed once for every category, and refused as a whole when it names more languages than
  // a component takes.
  std::unique_ptr<TlcMemIniFile> Own;
  if (Exists) {
    try {
      if (!SharedTranslationIni) Own = ParseStream(Stream);
      TStringList Names;
      ReadLanguageNames(Own ? *Own : *SharedTranslationIni, Names);
    } catch (const ELanguageError& E) {
      RaiseLoadError(AFileName, E.Message());
    }
  }
  const TRestore<TlcMemIniFile*> Shared(SharedTranslationIni,
                                        Own ? Own.get() : SharedTranslationIni);
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    const auto Category = static_cast<TStringsType>(Cat);
    if (Exists) LoadFromStream(Category, Stream, CanRewrite);
    if (TStrings* List = GetPropListByType(Category)) DelOldNames(*List, Category);
  }
  if (Exists) LoadExtendedFromStream(Stream, CanRewrite);
  UpdateStrCollections();
}
