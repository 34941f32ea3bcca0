#pragma once
// Resource strings: texts that a module keeps in its string table and that the class library
// loads by identifier rather than holding them as literals, so that a translation hook can hand
// them out in another language. Every load goes through one process-wide table of three
// replaceable loaders (by record, by identifier, by identifier with formatting).
//
// The tables and records are constant data, so loading works from the first moment of the
// program, static initialization included.
#include <cstdint>
#include <initializer_list>
#include <span>

#include "core/ustring.h"

struct TResStringEntry {
  uint16_t Identifier;
  const char16_t* Text;
};

// A module's string table. A module built upon another also offers that one's strings, as a
// program offers the strings of the libraries linked into it.
class TResModule {
 public:
  constexpr explicit TResModule(std::span<const TResStringEntry> Strings,
                                const TResModule* Base = nullptr)
      : FStrings(Strings), FBase(Base) {}

  // The text of Identifier; nullptr when neither this module nor its bases hold it.
  const char16_t* Find(uint16_t Identifier) const;
  // Whether Module is this one or one it is built upon.
  bool BuiltUpon(const TResModule& Module) const;

 private:
  std::span<const TResStringEntry> FStrings;
  const TResModule* FBase;
};

// The program's own module: the uppermost module of the class library that the program links.
const TResModule& HInstance();
// Makes Module the program's module when it is built upon the present one (a room's module
// registers itself once, at start-up); false otherwise.
bool RegisterResModule(const TResModule& Module);
// The module that holds the resources of Module. There are no separate resource modules here.
const TResModule& FindResourceHInstance(const TResModule& Module);

// The platform's string load: at most BufferLength - 1 characters of the text, as a buffer of
// BufferLength characters with its terminating zero holds them; '' when absent.
String LoadStringW(const TResModule& Module, uint16_t Identifier, int BufferLength);

// Identifiers below this are looked up in a module's table; a larger "identifier" is the
// address of a zero-terminated text.
inline constexpr uintptr_t ResIdentifierBound = 65536;

// A resource string as the class library refers to it: its module and identifier. Reading it
// as a String loads it through the loader by record.
struct TResStringRec {
  const TResModule* Module;
  uintptr_t Identifier;

  operator String() const;  // NOLINT(google-explicit-constructor): reads as its text
};

// The table identifier of a record, for the tables that define the texts.
constexpr uint16_t ResIdentifier(const TResStringRec& Rec) {
  return static_cast<uint16_t>(Rec.Identifier);
}

struct TResStringLoaders {
  String (*ByRecord)(const TResStringRec* ResStringRec);
  String (*ById)(int Ident);
  String (*ByIdFormatted)(int Ident, std::initializer_list<TVarRec> Args);
};

// The loaders in force; Set returns the ones it replaces.
const TResStringLoaders& ResStringLoaders();
TResStringLoaders SetResStringLoaders(const TResStringLoaders& Loaders);
// The class library's own loaders: a record's text from its module (buffer of 4096
// characters) or at its address; an identifier from the program's module; the latter
// formatted with Format.
const TResStringLoaders& LibraryResStringLoaders();

// The three loads, each through the table.
String LoadResString(const TResStringRec* ResStringRec);
String LoadStr(int Ident);
String FmtLoadStr(int Ident, std::initializer_list<TVarRec> Args);
