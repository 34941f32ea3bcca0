#pragma once
// String lists with the behaviour the library relies on.
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "core/event.h"
#include "core/object.h"
#include "core/shared_text.h"
#include "core/ustring.h"

class TStream;

enum class TEncoding { Ansi, UTF8, Unicode, BigEndianUnicode };

class TStrings : public TPersistent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  virtual int Count() const = 0;
  // Checked access: an index outside 0..Count-1 raises EStringListError
  // "List index out of bounds (%d)".
  virtual String Get(int Index) const = 0;
  // Line Index to read in place, checked as Get is: the list's own characters where it keeps
  // them, else Get's copy held in Scratch. Valid until the list or Scratch changes.
  virtual std::u16string_view View(int Index, String& Scratch) const;
  virtual void Put(int Index, const String& S);
  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  String operator[](int Index) const { return Get(Index); }

  virtual int Add(const String& S);
  virtual int AddObject(const String& S, TObject* AObject);
  virtual void Insert(int Index, const String& S) = 0;
  virtual void InsertObject(int Index, const String& S, TObject* AObject);
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual void Move(int CurIndex, int NewIndex);
  virtual void Exchange(int Index1, int Index2);
  virtual int IndexOf(const String& S) const;  // case-insensitive unless CaseSensitive
  void AddStrings(const TStrings& Strings);

  void Assign(const TPersistent& Source) override;
  bool Equals(const TStrings& Other) const;  // same count, same lines (exact)

  // Every line followed by CR LF; setting splits at CR LF, CR or LF, and a final break adds no
  // empty line.
  virtual String GetText() const;
  virtual void SetText(const String& Value);
  // Items separated by ","; an item holding a blank, a comma, a quote or a control character,
  // or an empty item, is quoted with '"' and inner quotes doubled. Setting reverses it; unquoted
  // blanks also separate items.
  String GetCommaText() const;
  void SetCommaText(const String& Value);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Loading detects a byte-order mark (UTF-8, UTF-16LE, UTF-16BE), else the ANSI code page;
  // the forced form takes the given encoding (a matching mark is skipped). Bytes that are not
  // valid UTF-8 in a UTF-8 text become U+FFFD, so the rest of the text is kept.
  void LoadFromStream(TStream& Stream);
  void LoadFromStream(TStream& Stream, TEncoding Encoding);
  // Ansi: no mark; UTF8 and Unicode: with their marks. Lines end with CR LF.
  void SaveToStream(TStream& Stream, TEncoding Encoding = TEncoding::Ansi) const;
  void LoadFromFile(const String& FileName);
  void LoadFromFile(const String& FileName, TEncoding Encoding);
  void SaveToFile(const String& FileName, TEncoding Encoding = TEncoding::Ansi) const;

  bool CaseSensitive() const { return FCaseSensitive; }
  virtual void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void SetUpdateState(bool Updating);
  int CompareStrings(std::u16string_view A, std::u16string_view B) const;
  void Error(int Index) const;  // raises the index error

 private:
  int FUpdateCount = 0;
  bool FCaseSensitive = false;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  TStringList() = default;
  // Objects attached to items are references unless OwnsObjects is set.
  explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;

  int Count() const override { return static_cast<int>(FItems.size()); }
  String Get(int Index) const override;
  std::u16string_view View(int Index, String&) const override { return Shared(Index).View(); }
  void Put(int Index, const String& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  int Add(const String& S) override;
  int AddObject(const String& S, TObject* AObject) override;
  void Insert(int Index, const String& S) override;
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  int IndexOf(const String& S) const override;  // binary search when sorted
  void SetCaseSensitive(bool Value) override;
  // From another string list, into a list that does not sort: its lines are shared, not copied.
  void Assign(const TPersistent& Source) override;

  // Sorted lists: Find gives true with the lowest equal index, or false with the insertion
  // point; Add puts a new item before equal items (dupAccept), ignores it (dupIgnore) or raises
  // EStringListError "String list does not allow duplicates" (dupError). Insert and Put on a
  // sorted list raise EStringListError "Operation not allowed on sorted list".
  bool Find(std::u16string_view S, int& Index) const;
  // AddObject with a text already held: the list shares it instead of copying its characters.
  int AddShared(TSharedText S, TObject* AObject);
  // Room for Value items, so that adding that many moves none.
  void SetCapacity(int Value) { FItems.reserve(static_cast<size_t>(std::max(Value, 0))); }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  void Sort();
  void CustomSort(const std::function<int(const TStringList&, int, int)>& Compare);

  // Line Index without a copy of its characters (checked as Get is): what indexes over the
  // list hold, so the list and they keep each text once.
  const TSharedText& Shared(int Index) const;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  struct Item {
    TSharedText S;
    TObject* O = nullptr;
  };
  void Changing();
  void Changed();
  void InsertItem(int Index, TSharedText S, TObject* O);

  std::vector<Item> FItems;
  bool FSorted = false;
  bool FOwnsObjects = false;
  TDuplicates FDuplicates = TDuplicates::dupIgnore;
};
