#include "lang/files/binary_translation_file.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <new>
#include <utility>

#include "component/class_registry.h"
#include "component/reader.h"
#include "component/writer.h"
#include "core/code_page.h"
#include "core/restore.h"
#include "core/safe_file.h"
#include "core/save_lock.h"
#include "core/stream.h"
#include "lang/custom_lang.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/switch/extended_items.h"
#include "ui/form.h"

namespace {

const std::string Magic("LCB file: TlcLang binary translation data\0", 42);

// Runs Read, raising a read error when memory runs out on the way, as for any other file that
// cannot be read: callers that handle a file's load errors handle this one too.
template <class Fn>
void ReportingOutOfMemory(Fn Read) {
  try {
    Read();
  } catch (const std::bad_alloc&) {
    throw EReadError(u"Not enough memory to read the binary translation file");
  }
}

// The bytes that the head, the directory and each record's image take. Images lie side by side;
// one that would share bytes with another marks a damaged file, so a directory that names one
// image many times cannot make a load hold more records than the file has room for.
class TRecordSpans {
 public:
  explicit TRecordSpans(int64_t DirectoryEnd) { FSpans.emplace(0, DirectoryEnd); }

  // Before an image is read from Start.
  void CheckStart(int64_t Start) const { Check(Start, Start + 1); }
  // After it was read, up to End.
  void Take(int64_t Start, int64_t End) {
    Check(Start, End);
    FSpans.emplace(Start, End);
  }

 private:
  void Check(int64_t Start, int64_t End) const {
    const auto Next = FSpans.upper_bound(Start);
    if ((Next != FSpans.end() && Next->first < End) ||
        (Next != FSpans.begin() && std::prev(Next)->second > Start))
      throw EReadError(u"Records of the binary translation file overlap");
  }

  std::map<int64_t, int64_t> FSpans;  // start -> end
};

// Runs Load on the file's bytes, read in one go: the component reader asks for a few bytes at
// a time, each of which would be a call to the system.
template <class Fn>
void WithFile(const String& FileName, Fn Load) {
  ReportingOutOfMemory([&] {
    TMemoryStream Image;
    {
      TFileStream File(FileName, fmOpenRead | fmShareDenyNone);
      Image.LoadFromStream(File);
    }
    Load(Image);
  });
}

void CheckFits(size_t Value, size_t Limit, const char16_t* What) {
  if (Value > Limit)
    throw ELanguageError(
        Format(u"A binary translation file cannot hold %s of %d (at most %d)",
               {String(What), static_cast<int64_t>(Value), static_cast<int64_t>(Limit)}));
}

// The LCB-loading flag of both components, cleared on every way out.
class TLCBLoading {
 public:
  TLCBLoading(bool& A, bool& B) : FA(A), FB(B) { FA = FB = true; }
  ~TLCBLoading() { FA = FB = false; }
  TLCBLoading(const TLCBLoading&) = delete;
  TLCBLoading& operator=(const TLCBLoading&) = delete;

 private:
  bool& FA;
  bool& FB;
};

}  // namespace

const TClassType& TLCBFileManager::StaticClassType() {
  static const TClassType T(u"TLCBFileManager", &TPersistent::StaticClassType());
  return T;
}

TLCBFileManager::TLCBFileManager()
    : Owners(std::make_unique<TStringList>()),
      FLcbHeader(Magic),
      FFixedLanguages(std::make_unique<TStringList>()) {
  FFixedLanguages->SetSorted(true);
  FFixedLanguages->SetDuplicates(TDuplicates::dupIgnore);
}

std::unique_ptr<TLCBFileManager> TLCBFileManager::CreateByName(const String& AFileName) {
  auto Manager = std::make_unique<TLCBFileManager>();
  if (FileExists(AFileName)) Manager->ReadAllRecordsFromFile(AFileName);
  return Manager;
}

TLCBFileManager::~TLCBFileManager() {
  for (int I = 0; I < CompCount(); ++I) Release(I);
}

TlcCustomLang* TLCBFileManager::Components(int Index) const {
  if (Index < 0 || Index >= CompCount())
    throw EListError(Format(SListIndexError, {int64_t{Index}}));
  return FRecords[static_cast<size_t>(Index)];
}

void TLCBFileManager::Release(int Index) {
  TlcCustomLang* Comp = FRecords[static_cast<size_t>(Index)];
  if (Comp && !Comp->Owner()) TComponentDeleter()(Comp);
  FRecords[static_cast<size_t>(Index)] = nullptr;
}

int TLCBFileManager::Add(TlcCustomLang* AComp) {
  const String Name = AComp->Owner() ? AComp->Owner()->ClassName() : String();
  const int Found = AComp->Owner() ? Owners->IndexOf(Name) : -1;
  if (Found < 0) {
    FRecords.push_back(AComp);
    Owners->Add(Name);
  } else if (FRecords[static_cast<size_t>(Found)] != AComp) {
    Release(Found);
    FRecords[static_cast<size_t>(Found)] = AComp;
  }
  return CompCount() - 1;
}

void TLCBFileManager::Remove(int Index) {
  Components(Index);
  Release(Index);
  FRecords.erase(FRecords.begin() + Index);
  Owners->Delete(Index);
}

void TLCBFileManager::Move(int FromIndex, int ToIndex) {
  Components(FromIndex);
  Components(ToIndex);
  TlcCustomLang* Comp = FRecords[static_cast<size_t>(FromIndex)];
  FRecords.erase(FRecords.begin() + FromIndex);
  FRecords.insert(FRecords.begin() + ToIndex, Comp);
  Owners->Move(FromIndex, ToIndex);
}

void TLCBFileManager::Clear() {
  Owners->Clear();
  for (int I = 0; I < CompCount(); ++I) Release(I);
  FRecords.clear();
}

void TLCBFileManager::SetFixedLanguages(const TStrings* Value) {
  if (Value && Value != FFixedLanguages.get()) FFixedLanguages->Assign(*Value);
}

// ---- Writing -------------------------------------------------------------------------------

void TLCBFileManager::SaveToStream(TStream& AStream) {
  // Everything that goes into a counted field is measured before the first byte is written.
  const std::string Fixed = StringToAnsi(FFixedLanguages->GetText());
  std::vector<std::string> Names;
  for (int I = 0; I < CompCount(); ++I) Names.push_back(StringToAnsi(Owners->Get(I)));
  CheckFits(FRecords.size(), 0xFFFF, u"a record count");
  CheckFits(Fixed.size(), 0xFFFF, u"fixed language names");
  for (const std::string& N : Names) CheckFits(N.size(), 0xFFFF, u"an owner class name");
  CheckFits(CommentsFileName.size(), 0x7FFF, u"a comment");

  AStream.WriteBytes(FLcbHeader);
  AStream.WriteU16(static_cast<uint16_t>(FRecords.size()));
  AStream.WriteU16(static_cast<uint16_t>(Fixed.size()));
  AStream.WriteBytes(Fixed);
  std::vector<int64_t> Slots, Starts;
  for (const std::string& N : Names) {
    AStream.WriteU16(static_cast<uint16_t>(N.size()));
    AStream.WriteBytes(N);
    Slots.push_back(AStream.Position());
    AStream.WriteU32(0);
  }
  for (TlcCustomLang* Comp : FRecords) {
    Starts.push_back(AStream.Position());
    CheckFits(static_cast<size_t>(Starts.back()), 0xFFFFFFFF, u"a record offset");
    // The image never holds the link to a dispatcher.
    const TRestore<TlcLangDispatcher*> Unlinked(Comp->FLangDispatcher, nullptr);
    WriteComponent(AStream, *Comp);
  }
  const int64_t End = AStream.Position();
  for (size_t I = 0; I < Slots.size(); ++I) {
    AStream.SetPosition(Slots[I]);
    AStream.WriteU32(static_cast<uint32_t>(Starts[I]));
  }
  AStream.SetPosition(End);
  AStream.WriteU16(static_cast<uint16_t>(CommentsFileName.size() * 2));
  AStream.WriteBytes(Utf16LEEncode(CommentsFileName));
}

void TLCBFileManager::SaveToFile(const String& AFileName) {
  TMemoryStream Image;
  SaveToStream(Image);
  SaveBytesSafely(AFileName, Image.Bytes());
}

// ---- Reading -------------------------------------------------------------------------------

int TLCBFileManager::ReadHead(TStream& AStream) {
  AStream.SetPosition(0);
  const int64_t Stop = AStream.Size() - 2;
  std::string Head;
  while (AStream.Position() < Stop) {
    Head += static_cast<char>(AStream.ReadU8());
    if (Head.back() == '\0') break;
  }
  if (Head != FLcbHeader) throw Exception(u"Unrecognized stream format!");
  const int Count = AStream.ReadU16();
  const uint16_t L = AStream.ReadU16();
  FFixedLanguages->SetText(L > 0 ? AnsiToString(AStream.ReadBytes(L)) : String());
  return Count;
}

void TLCBFileManager::LoadFromStream(TlcCustomLang* AComp, const String& AOwnerClassName,
                                     TStream& AStream) {
  ReportingOutOfMemory([&] { LoadRecord(AComp, AOwnerClassName, AStream); });
}

void TLCBFileManager::LoadRecord(TlcCustomLang* AComp, const String& AOwnerClassName,
                                 TStream& AStream) {
  TStringList Fixed;
  Fixed.Assign(*FFixedLanguages);
  const int Count = ReadHead(AStream);
  int64_t Offset = -1;
  for (int I = 0; I < Count && Offset < 0; ++I) {
    const String Name = AnsiToString(AStream.ReadBytes(AStream.ReadU16()));
    const uint32_t At = AStream.ReadU32();
    if (Name == AOwnerClassName) Offset = At;
  }
  if (Offset < 0) return;

  const String ClassName = AComp->ClassName();
  const TClassType* Type = GetClass(ClassName);
  if (!Type) {
    try {
      RegisterClass(AComp->ClassType());
      Type = &AComp->ClassType();
    } catch (const Exception&) {
    }
  }
  if (!Type || !Type->Create) {
    const String Where =
        AComp->Owner() ? AComp->Owner()->ClassName() + u"." + AComp->Name() : AComp->Name();
    throw Exception(
        Format(u"Unable to obtain %s class reference for %s! Do not mix units of two "
               u"different class libraries in one application.",
               {ClassName, Where}));
  }
  // The scratch form and its component live for this load only.
  TComponentPtr<TForm> ScratchForm(new TForm(nullptr));
  auto* Scratch = dynamic_cast<TlcCustomLang*>(static_cast<TComponent*>(Type->Create(nullptr)));
  ScratchForm->InsertComponent(Scratch);
  AStream.SetPosition(Offset);
  const TLCBLoading Flags(Scratch->FLCBLoading, AComp->FLCBLoading);
  ReadComponent(AStream, Scratch);

  if (AComp->FLangDelim != Scratch->FLangDelim) Scratch->SetLangDelim(AComp->FLangDelim);
  // The names first: a record that names more languages than a component takes changes nothing.
  AComp->SetLangNames(Scratch->LangNames());
  AComp->FStoreAsUTF8 = Scratch->FStoreAsUTF8;
  const String OwnLine = AComp->OwnerClassName() + static_cast<char16_t>(AComp->FLangDelim);
  for (int Cat = 0; Cat < StringsTypeCount; ++Cat) {
    const auto Category = static_cast<TStringsType>(Cat);
    TStrings* Mine = AComp->GetPropListByType(Category);
    const TStrings* Theirs = Scratch->GetPropListByType(Category);
    if (!Mine || !Theirs) continue;
    Mine->Assign(*Theirs);
    // Read under the scratch form, the form's own line has to be put back in front.
    if (Category == stCaptions || Category == stHints || Category == stFonts ||
        Category == stCharSets)
      for (int I = 1; I < Mine->Count(); ++I)
        if (Mine->Get(I).starts_with(OwnLine)) {
          Mine->Move(I, 0);
          break;
        }
  }
  TlcExtendedItems& Items = *AComp->ExtendedTranslations();
  Items.Clear();
  for (int I = 0; I < Scratch->ExtendedTranslations()->Count(); ++I) {
    const TlcExtendedItem* From = Scratch->ExtendedTranslations()->Items(I);
    TlcExtendedItem* Item = Items.Add();
    Item->SetIdentifier(From->Identifier());
    Item->SetPropertyType(AComp->GetPropTypeByPath(From->Identifier()));
    Item->SetValues(From->Values());
  }
}

void TLCBFileManager::LoadFromFile(TlcCustomLang* AComp, const String& AOwnerClassName,
                                   const String& AFileName) {
  WithFile(AFileName, [&](TStream& S) { LoadFromStream(AComp, AOwnerClassName, S); });
}

void TLCBFileManager::ReadAllRecords(TStream& AStream) {
  try {
    ReportingOutOfMemory([&] { ReadRecords(AStream); });
  } catch (...) {
    // A file read half way leaves no half of its records.
    Clear();
    throw;
  }
}

void TLCBFileManager::ReadRecords(TStream& AStream) {
  Clear();
  const int Count = ReadHead(AStream);
  std::vector<uint32_t> Offsets;
  for (int I = 0; I < Count; ++I) {
    Owners->Add(AnsiToString(AStream.ReadBytes(AStream.ReadU16())));
    Offsets.push_back(AStream.ReadU32());
  }
  TRecordSpans Spans(AStream.Position());
  for (const uint32_t Offset : Offsets) {
    Spans.CheckStart(Offset);
    AStream.SetPosition(Offset);
    TComponentPtr<TComponent> Read = ReadComponentOwned(AStream);
    auto* Comp = dynamic_cast<TlcCustomLang*>(Read.get());
    if (!Comp) throw EReadError(u"A record of the file is not a translation component");
    Read.release();
    FRecords.push_back(Comp);
    Spans.Take(Offset, AStream.Position());
  }
  if (Count > 0 && AStream.Position() < AStream.Size()) {
    const uint16_t B = AStream.ReadU16();
    if (B > 0) CommentsFileName = Utf16LEDecode(AStream.ReadBytes(B));
  }
}

void TLCBFileManager::ReadAllRecordsFromFile(const String& AFileName) {
  WithFile(AFileName, [&](TStream& S) { ReadAllRecords(S); });
}

void TLCBFileManager::LoadAllFromFile(const String& AFileName) {
  Clear();
  ReadAllRecordsFromFile(AFileName);
}

void TLCBFileManager::LoadPropFromFile(TStringsType PropType, const String& FileName,
                                       TlcCustomLang* AComp, const String& AOwnerClassName) {
  auto Scratch = AComp->NewScratch();
  LoadFromFile(Scratch.get(), AOwnerClassName, FileName);
  TStrings* Mine = AComp->GetPropListByType(PropType);
  const TStrings* Theirs = Scratch->GetPropListByType(PropType);
  if (Mine && Theirs) Mine->Assign(*Theirs);
}

void TLCBFileManager::AssignTo(TPersistent& Dest) const {
  auto* Other = dynamic_cast<TLCBFileManager*>(&Dest);
  if (!Other) return;
  Other->FLcbHeader = FLcbHeader;
  Other->FFixedLanguages->Assign(*FFixedLanguages);
  Other->Clear();
  Other->Owners->Assign(*Owners);
  Other->CommentsFileName = CommentsFileName;
  for (TlcCustomLang* Comp : FRecords) {
    TMemoryStream Image;
    {
      const TRestore<TlcLangDispatcher*> Unlinked(Comp->FLangDispatcher, nullptr);
      WriteComponent(Image, *Comp);
    }
    Image.SetPosition(0);
    TComponentPtr<TComponent> Read = ReadComponentOwned(Image);
    Other->FRecords.push_back(dynamic_cast<TlcCustomLang*>(Read.release()));
  }
}

// ---- The component's side ----------------------------------------------------------------

namespace {

void RequireOwner(const TlcCustomLang& Lang) {
  if (!Lang.Owner())
    throw ELanguageError(u"A translation component without an owner form has no translation file");
}

}  // namespace

void TlcCustomLang::SaveAllToBinaryFile(const String& FileName) {
  RequireOwner(*this);
  // Other forms' records are read and written back: no other save may come in between.
  const TSaveLock Lock(FileName);
  const auto Manager = TLCBFileManager::CreateByName(FileName);
  Manager->Add(this);
  Manager->SaveToFile(FileName);
}

void TlcCustomLang::LoadAllFromBinaryFile(const String& FileName) {
  if (!Owner()) return;
  TLCBFileManager* Shared = FLangDispatcher ? FLangDispatcher->LCBManager() : nullptr;
  if (Shared && lcCompareText(FLangDispatcher->FileName(), FileName) == 0) {
    Shared->LoadFromFile(this, OwnerClassName(), FileName);
  } else {
    TLCBFileManager Manager;
    Manager.LoadFromFile(this, OwnerClassName(), FileName);
  }
  UpdateStrCollections();
  ChangeLanguage();
}

void TlcCustomLang::LoadAllFromBinaryStream(TStream& AStream) {
  if (!Owner()) return;
  TLCBFileManager Manager;
  Manager.LoadFromStream(this, OwnerClassName(), AStream);
  UpdateStrCollections();
  ChangeLanguage();
}

void TlcCustomLang::LoadPropFromBinaryFile(TStringsType PropType, const String& FileName) {
  RequireOwner(*this);
  TLCBFileManager Manager;
  Manager.LoadPropFromFile(PropType, FileName, this, OwnerClassName());
  if (PropType == stStrings) UpdateStrCollections();
}
