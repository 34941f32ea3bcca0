#pragma once
// INI-format text held in memory as sorted sections of sorted keys: the form in which
// translation files are parsed, read, changed and written back.
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "core/settings_text.h"
#include "core/strings.h"
#include "lang/table/large_block.h"

class TStream;

// The typed reads and writes, on top of the string operations a descendant provides.
class TlcCustomIniFile : public TObject {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TlcCustomIniFile(const String& FileName) : FFileName(FileName) {}
  const String& FileName() const { return FFileName; }

  virtual String ReadString(const String& Section, const String& Ident,
                            const String& Default) const = 0;
  virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
  // "0x" in front reads as hexadecimal; a text that is not a whole integer gives Default.
  virtual int ReadInteger(const String& Section, const String& Ident, int Default) const;
  virtual void WriteInteger(const String& Section, const String& Ident, int Value);
  // Any integer other than 0 is true.
  virtual bool ReadBool(const String& Section, const String& Ident, bool Default) const;
  virtual void WriteBool(const String& Section, const String& Ident, bool Value);
  // Empty text or text that does not convert gives Default.
  virtual TDateTime ReadDate(const String& Section, const String& Name, TDateTime Default) const;
  virtual TDateTime ReadDateTime(const String& Section, const String& Name,
                                 TDateTime Default) const;
  virtual double ReadFloat(const String& Section, const String& Name, double Default) const;
  virtual TDateTime ReadTime(const String& Section, const String& Name, TDateTime Default) const;
  virtual void WriteDate(const String& Section, const String& Name, TDateTime Value);
  virtual void WriteDateTime(const String& Section, const String& Name, TDateTime Value);
  virtual void WriteFloat(const String& Section, const String& Name, double Value);
  virtual void WriteTime(const String& Section, const String& Name, TDateTime Value);
  virtual void ReadSection(const String& Section, TStrings& Strings) const = 0;
  virtual void ReadSections(TStrings& Strings) const = 0;
  virtual void ReadSectionValues(const String& Section, TStrings& Strings) const = 0;
  virtual void EraseSection(const String& Section) = 0;
  virtual void DeleteKey(const String& Section, const String& Ident) = 0;
  virtual void UpdateFile() = 0;

  bool SectionExists(const String& Section) const;  // a section without keys counts as absent
  bool ValueExists(const String& Section, const String& Ident) const;

 protected:
  String FFileName;
};

// One section: its keys sorted by the string list's case-insensitive order, duplicates
// accepted, each with its value; a new key goes before the keys equal to it. A value read from
// bytes stays in them until it is asked for, so that a file's texts are decoded once, by
// whoever takes them, and cost no block of their own meanwhile.
class TMemIniEntry : public TPersistent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  // A value as its characters, or as bytes still to decode (then Text is empty).
  struct TValue {
    std::string_view Bytes;
    TSharedText Text;
  };

  TMemIniEntry();
  int Count() const { return FList->Count(); }

  int Add(const String& Key, const String& Value);
  int Add(const String& KeyValue);  // split at the first "="
  void Assign(const TPersistent& Source) override;
  void Clear();
  void Delete(int I);
  bool Find(const String& S, int& Index) const { return FList->Find(S, Index); }

  String GetName(int I) const { return FList->Get(I); }
  String GetValue(int I) const;
  // The name without a copy, valid while the entry is unchanged.
  std::u16string_view Name(int I) const { return FList->Shared(I).View(); }
  // Appends the characters of value I to To: a reader that keeps the text decodes it only there.
  void AppendValue(int I, String& To) const;
  String GetLine(int I) const { return GetName(I) + u"=" + GetValue(I); }
  // Key and value of a line, in characters or in bytes still to decode: split at its first
  // "=", else all of it is the key.
  template <class Char>
  static std::pair<std::basic_string_view<Char>, std::basic_string_view<Char>> SplitKeyValue(
      std::basic_string_view<Char> KeyValue) {
    const size_t P = KeyValue.find(Char('='));
    if (P == KeyValue.npos) return {KeyValue, {}};
    return {KeyValue.substr(0, P), KeyValue.substr(P + 1)};
  }

  // Replaces the keys by Keys with their Values, given in the order they were read: one sort
  // instead of one sorted insertion per line, with the same result. Both are taken over, not
  // copied; bytes of values are in CodePage, and must outlive the entry.
  void Load(std::vector<TSharedText>& Keys, std::vector<TValue>& Values, unsigned CodePage);

 private:
  const TValue& ValueAt(int I) const;

  std::unique_ptr<TStringList> FList;
  std::vector<TValue> FValues;  // by the index of their key
  unsigned FCodePage = 0;
};

class TlcMemIniFile : public TlcCustomIniFile {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  // With the name of an existing file, starts with its content (a byte-order mark selects
  // UTF-8 or UTF-16, else the ANSI code page); otherwise empty.
  explicit TlcMemIniFile(const String& FileName);
  ~TlcMemIniFile() override;

  String ReadString(const String& Section, const String& Ident,
                    const String& Default) const override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings& Strings) const override;
  void ReadSections(TStrings& Strings) const override;
  void ReadSectionValues(const String& Section, TStrings& Strings) const override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  // Writes the text form to the file, in the ANSI code page, replacing it safely.
  void UpdateFile() override;

  void Clear();
  // Appends the text form: per section "[name]", its "key=value" lines, one empty line.
  void GetStrings(TStrings& List) const;
  void SetStrings(const TStrings& List);
  // As SetStrings with the lines of Text (split at CR LF, CR or LF).
  void SetText(std::u16string_view Text);
  // As SetText with Bytes in the ANSI code page or in UTF-8 (invalid bytes become U+FFFD): keys
  // decoded line by line, so that no text of the whole file is made, and values kept as a copy
  // of their bytes, decoded as they are read.
  void SetTextBytes(std::string_view Bytes, TEncoding Encoding);
  void Rename(const String& FileName, bool Reload);
  void LoadFromFile(const String& AFileName);
  // Reads from the stream's position to its end: as UTF-8 when it starts with the UTF-8 mark,
  // otherwise in the ANSI code page and again as UTF-8 when "OPTIONS" says "IsUTF8File".
  void LoadFromStream(TStream& Stream);

  bool Changed() const { return FChanged; }
  void SetChanged(bool Value) { FChanged = Value; }
  int SectionCount() const { return FSections->Count(); }
  // The keys of a section in their order, with their values; nullptr when there is none.
  TMemIniEntry* FindSection(const String& Section) const;

 private:
  TMemIniEntry* AddSection(const String& Section);
  void LoadValues();
  // Replaces the content by the lines that ForEach(Fn) hands to Fn, one by one, each as
  // characters or as bytes that Decoder turns into characters.
  template <class ForEachFn, class DecoderType>
  void Parse(const ForEachFn& ForEach, DecoderType& Decoder);

  // The values' bytes of a text read as bytes, where its entries' values point: a large one on
  // huge pages, which it fills with few faults.
  std::unique_ptr<TlcLargeBlock> FBytes;
  std::unique_ptr<TStringList> FSections;
  bool FChanged = false;
};
