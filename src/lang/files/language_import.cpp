// Bringing translations from a file into a component that already holds some: merging whole
// categories, and importing the single column of one language.
#include <unordered_map>

#include "core/code_page.h"
#include "core/restore.h"
#include "core/stream.h"
#include "lang/custom_lang.h"
#include "lang/files/binary_translation_file.h"
#include "lang/files/text_translation_file.h"
#include "lang/switch/charsets.h"
#include "lang/switch/extended_items.h"
#include "lang/table/translation_data.h"
#include "lang/table/translation_line.h"

namespace {

const String LanguageKey = u"Language_";
const String TypeKindSuffix = u"_TypeKind";

std::unique_ptr<TlcMemIniFile> ParseFile(const String& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyNone);
  return ParseTranslationFile(File.ReadBytes(File.Size()));
}

// Field Index (0 = the name) of Line replaced by Value; the line has that field.
String ReplaceField(const String& Line, char16_t D, int Index, const String& Value) {
  size_t Start = 0;
  for (int I = 0; I < Index; ++I) Start = Line.find(D, Start) + 1;
  const size_t End = Line.find(D, Start);
  return Line.substr(0, Start) + Value + Line.substr(End);
}

// Column Column (from 1) of a file value: the text after Column - 1 separators, up to the next.
String FileColumn(String Value, const String& Separator, int Column) {
  for (int I = 1; I < Column; ++I) {
    const size_t P = Value.find(Separator);
    if (P != String::npos) Value.erase(0, P + Separator.size());
  }
  return Value.substr(0, Value.find(Separator));
}

}  // namespace

TComponentPtr<TlcCustomLang> TlcCustomLang::NewScratch() const {
  const TClassType& Type = ClassType().Create ? ClassType() : TlcLang::StaticClassType();
  TComponentPtr<TlcCustomLang> Scratch(
      dynamic_cast<TlcCustomLang*>(static_cast<TComponent*>(Type.Create(nullptr))));
  Scratch->FLCBLoading = true;
  // Inside the real owner, so the owner class name of its keys is the form's.
  Owner()->InsertComponent(Scratch.get());
  return Scratch;
}

bool TlcCustomLang::FileLanguageNames(const String& FileName, TStrings& Names) {
  if (!Owner())
    throw ELanguageError(u"A translation component without an owner form has no translation file");
  auto Scratch = NewScratch();
  bool HasNames = true;
  if (IsLCBFileName(FileName)) {
    TLCBFileManager Manager;
    Manager.LoadFromFile(Scratch.get(), OwnerClassName(), FileName);
  } else {
    // A missing file leaves the scratch's names as they were made.
    HasNames = FileExists(FileName) && ParseFile(FileName)->SectionExists(LanguageNamesSectionName);
    Scratch->LoadAllFromFileDNC(FileName, true);
  }
  Names.Assign(*Scratch->LangNames());
  return HasNames;
}

void TlcCustomLang::GetLanguageNamesFromFile(const String& FileName, TStrings& LanguageList) {
  FileLanguageNames(FileName, LanguageList);
}

bool TlcCustomLang::MergeFromFile(TStringsType PropType, const String& AFileName) {
  if (!FileExists(AFileName)) return false;
  TStrings* List = GetPropListByType(PropType);
  if (!List) return true;
  TStringList Old, OldNames;
  Old.Assign(*List);
  OldNames.Assign(*FLangNames);
  bool Loaded = true;
  try {
    const TRestore<bool> DontChange(FDontChange, true);
    TStringList FileNames;
    const bool HasNames = FileLanguageNames(AFileName, FileNames);
    if (IsLCBFileName(AFileName))
      LoadPropFromBinaryFile(PropType, AFileName);
    else
      Loaded = LoadFromFile(PropType, AFileName, true) >= 0;
    if (Loaded) {
      // The file's columns are put where the component keeps the same languages; a file that
      // names no languages is taken as it is.
      if (HasNames) RealignColumns(*List, 0, FileNames);
      KeepUnknownLines(*List, Old, OldNames);
    }
  } catch (const Exception&) {
    Loaded = false;
  }
  // A load that failed is reported, not taken for a file without lines.
  if (!Loaded) {
    List->Assign(Old);
    return false;
  }
  if (!FDontChange) {
    DelOldNames(*List, PropType);
    if (PropType == stStrings) UpdateStrCollections();
    ChangeLanguage();
  }
  return true;
}

bool TlcCustomLang::MergeAllFromFileDNC(const String& AFileName) {
  const TRestore<bool> DontChange(FDontChange, true);
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    const auto Category = static_cast<TStringsType>(Cat);
    if (!MergeFromFile(Category, AFileName)) return false;
    if (TStrings* List = GetPropListByType(Category)) DelOldNames(*List, Category);
  }
  UpdateStrCollections();
  return true;
}

bool TlcCustomLang::MergeAllFromFile(const String& AFileName) {
  const bool Merged = MergeAllFromFileDNC(AFileName);
  ChangeLanguage();
  return Merged;
}

// ---- Importing one language ----------------------------------------------------------------

namespace {

// The file column of LangName (from 1, matched exactly), or 0.
int FileColumnOf(const TlcMemIniFile& Ini, const String& LangName) {
  for (int N = 1;; ++N) {
    const String Name = Ini.ReadString(LanguageNamesSectionName, LanguageKey + IntToStr(N), u"");
    if (Name.empty()) return 0;
    if (Name == LangName) return N;
  }
}

}  // namespace

// The file parsed, its separator and the column of LangName; a file that does not list the
// language gives no file (an error first, when the component raises them).
TlcCustomLang::TImportColumn TlcCustomLang::OpenImportColumn(const String& AFileName,
                                                             const String& LangName) {
  TImportColumn From;
  From.Ini = ParseFile(AFileName);
  From.Column = FileColumnOf(*From.Ini, LangName);
  if (From.Column == 0) {
    if (FRaiseExc) throw ELanguageError(LangName + u" not found in " + AFileName);
    From.Ini.reset();
    return From;
  }
  From.Separator = From.Ini->ReadString(OptionsSectionName, u"DELIMITER", DefaultFileDelimiter);
  From.Target = ImportTarget(LangName);
  return From;
}

// The text of the column under Key as it was saved: line breaks unescaped and, in an ANSI file,
// the bytes of the column's code page decoded (the charset the file gives that column, else the
// component's charset of the target language).
String TlcCustomLang::ImportedText(const TImportColumn& From, const String& Section,
                                   const String& Key) {
  const TlcMemIniFile& Ini = *From.Ini;
  String Text = FileColumn(Ini.ReadString(Section, Key, u""), From.Separator, From.Column);
  if (!Ini.ReadBool(OptionsSectionName, u"IsUTF8File", false)) {
    const String Charsets = Ini.ReadString(CategorySectionNames[stCharSets],
                                           OwnerClassName() + u"." + OwnerClassName(), u"");
    TFontCharset Charset = DEFAULT_CHARSET;
    if (!FindCharsetByName(FileColumn(Charsets, From.Separator, From.Column), Charset)) {
      RefreshCharsetArray();
      Charset = CS_Array[static_cast<size_t>(From.Target - 1)];
    }
    Text = CodePageToString(StringToAnsi(Text), CharsetToCodePage(Charset));
  }
  return UnescapeLineBreaks(Text);
}

// The target column of LangName in the component (from 1); a new language is added last.
int TlcCustomLang::ImportTarget(const String& LangName) {
  const int Index = FLangNames->IndexOf(LangName);
  if (Index >= 0) return Index + 1;
  CheckLanguageCount(FNumLang + 1);
  FLangNames->Add(LangName);
  return ++FNumLang;
}

void TlcCustomLang::LoadLanguageByProp(TStringsType PropType, const String& AFileName,
                                       const String& LangName) {
  TStrings* List = GetPropListByType(PropType);
  if (!FileExists(AFileName) || LangName.empty() || !List) return;
  try {
    const TImportColumn From = OpenImportColumn(AFileName, LangName);
    if (!From.Ini) return;
    const int Target = From.Target;
    NormalizeList(*List);  // every line has the target column, a new last one included
    const char16_t D = FLangDelim;
    std::unordered_map<String, int> Index;
    for (int I = List->Count() - 1; I >= 0; --I) Index[GetField(List->Get(I), FLangDelim, 0)] = I;
    const String& Section = CategorySectionNames[PropType];
    const String Prefix = OwnerClassName() + u".";
    TStringList Keys;
    From.Ini->ReadSection(Section, Keys);
    for (int I = 0; I < Keys.Count(); ++I) {
      String Key = Keys[I];
      if (!Key.starts_with(Prefix)) continue;
      const String Text = ImportedText(From, Section, Key);
      if (PropType == stCollections || PropType == stListView_TreeView_Items)
        for (char16_t& C : Key) C = C == u'-' ? u'[' : C == u'+' ? u']' : C;
      const String Id = Key.substr(Prefix.size());
      const auto Found = Index.find(Id);
      if (Found != Index.end()) {
        List->Put(Found->second, ReplaceField(List->Get(Found->second), D, Target, Text));
        continue;
      }
      String Line = Id + D;
      for (int L = 1; L <= FNumLang; ++L) Line += (L == Target ? Text : String()) + D;
      Index[Id] = List->Add(Line);
    }
  } catch (const Exception&) {
    return;
  }
  if (!FDontChange) {
    DelOldNames(*List, PropType);
    if (PropType == stStrings) UpdateStrCollections();
    ChangeLanguage();
  }
}

void TlcCustomLang::LoadLanguageByExt(const String& AFileName, const String& LangName) {
  if (!FileExists(AFileName) || LangName.empty()) return;
  try {
    const TImportColumn From = OpenImportColumn(AFileName, LangName);
    if (!From.Ini) return;
    const int Target = From.Target;
    const char16_t D = FLangDelim;
    const String Prefix = OwnerClassName() + u".";
    TStringList Keys;
    From.Ini->ReadSection(ExtendedSectionName, Keys);
    for (int I = 0; I < Keys.Count(); ++I) {
      const String Key = Keys[I];
      if (!Key.starts_with(Prefix) || Key.ends_with(TypeKindSuffix)) continue;
      const String Path = Key.substr(Prefix.size());
      const String Text = ImportedText(From, ExtendedSectionName, Key);
      TlcExtendedItem* Item = FExtendedTranslations->Find(Path);
      const String Old = Item ? Item->Values() : String();
      String Values;
      for (int L = 1; L <= FNumLang; ++L)
        Values += (L == Target ? Text : GetField(Old, FLangDelim, L - 1)) + D;
      if (!Item) {
        Item = FExtendedTranslations->Add();
        Item->SetIdentifier(Path);
        Item->SetPropertyType(GetPropTypeByPath(Path));
      }
      Item->SetValues(Values);
    }
  } catch (const Exception&) {
    return;
  }
  if (!FDontChange) ChangeLanguage();
}

void TlcCustomLang::LoadLanguage(const String& AFileName, const String& LangName) {
  const TRestore<bool> DontChange(FDontChange, true);
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    const auto Category = static_cast<TStringsType>(Cat);
    LoadLanguageByProp(Category, AFileName, LangName);
    if (TStrings* List = GetPropListByType(Category)) DelOldNames(*List, Category);
  }
  LoadLanguageByExt(AFileName, LangName);
  UpdateStrCollections();
  ChangeLanguage();
}
