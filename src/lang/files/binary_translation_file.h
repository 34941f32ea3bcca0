#pragma once
// The binary translation file: one record per form class, each the image of that form's
// translation component in the component stream, behind a small head and directory:
//   42 bytes  "LCB file: TlcLang binary translation data" and a 0 byte
//   u16       record count;  u16 L and L bytes: the fixed language names, CR LF after each (ANSI)
//   per record: u16 N and N bytes: the owner class name (ANSI); u32: the offset of its image
//   the images, back to back;  u16 B and B bytes: CommentsFileName in UTF-16LE
// All numbers little-endian.
#include <memory>
#include <string>
#include <vector>

#include "core/strings.h"
#include "lang/lang_types.h"

class TlcCustomLang;
class TStream;

class TLCBFileManager : public TPersistent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  TLCBFileManager();
  // With every record of the file, when it exists.
  static std::unique_ptr<TLCBFileManager> CreateByName(const String& AFileName);
  ~TLCBFileManager() override;
  TLCBFileManager(const TLCBFileManager&) = delete;
  TLCBFileManager& operator=(const TLCBFileManager&) = delete;

  // Adds AComp's record, or replaces the record of the same owner class (ignoring case); the
  // result is CompCount - 1. A component without an owner belongs to the manager from then on.
  int Add(TlcCustomLang* AComp);
  void Remove(int Index);
  void Move(int FromIndex, int ToIndex);
  void Clear();

  // Raise ELanguageError before anything is written when a count, a name, the fixed languages
  // or the comments do not fit their fields. SaveToFile replaces the file safely.
  void SaveToStream(TStream& AStream);
  void SaveToFile(const String& AFileName);
  // The record of AOwnerClassName (exactly) read into AComp; AComp stays as it was when the file
  // has no such record or cannot be read. The file's fixed languages replace the manager's.
  void LoadFromStream(TlcCustomLang* AComp, const String& AOwnerClassName, TStream& AStream);
  void LoadFromFile(TlcCustomLang* AComp, const String& AOwnerClassName, const String& AFileName);
  void LoadAllFromFile(const String& AFileName);
  // Every record of the stream; a stream that is not a whole binary translation file raises,
  // leaving the manager without records. Records whose images overlap, or one image named by
  // two records, make a damaged file (EReadError).
  void ReadAllRecords(TStream& AStream);
  // Only the category PropType of AComp, which must have an owner.
  void LoadPropFromFile(TStringsType PropType, const String& FileName, TlcCustomLang* AComp,
                        const String& AOwnerClassName);

  int CompCount() const { return static_cast<int>(FRecords.size()); }
  TlcCustomLang* Components(int Index) const;
  String GetOwnerClassName(int Index) const { return Owners->Get(Index); }
  const std::string& LCBHeader() const { return FLcbHeader; }
  TStrings* FixedLanguages() const { return FFixedLanguages.get(); }
  void SetFixedLanguages(const TStrings* Value);

  String CommentsFileName;

 protected:
  void AssignTo(TPersistent& Dest) const override;

 private:
  void ReadAllRecordsFromFile(const String& AFileName);
  void LoadRecord(TlcCustomLang* AComp, const String& AOwnerClassName, TStream& AStream);
  void ReadRecords(TStream& AStream);
  int ReadHead(TStream& AStream);  // the record count
  void Release(int Index);         // frees the record's component when the manager owns it

  std::vector<TlcCustomLang*> FRecords;  // lcList
  std::unique_ptr<TStringList> Owners;
  std::string FLcbHeader;
  std::unique_ptr<TStringList> FFixedLanguages;
};
