#pragma once
// The keys and named values below one root key, and their text form in a registry file.
//
// A registry file is UTF-8 text, one line each:
//   ; a comment                  (and empty lines) are skipped
//   [Software\Forms\TfmMain]     a key, by its path below the root; every key has its line,
//                                "[]" is the root itself
//   "State"="Normal"             a string value of the key above
//   "Top"=dword:-12              a 32-bit integer value, in decimal
// Inside quotes a backslash starts an escape: \\ \" \r \n, or \x and two hexadecimal digits for
// the other control characters. Key names hold no control characters and no empty parts.
#include <cstdint>
#include <map>
#include <string>

#include "core/ustring.h"

struct TRegValue {
  bool IsInteger = false;
  String Text;
  int32_t Number = 0;
};

// Names of keys and values compare ignoring case, as the registry compares them.
struct TRegNameLess {
  bool operator()(const String& A, const String& B) const { return CompareText(A, B) < 0; }
};

struct TRegKeyData {
  String Path;                                                          // as it was first written
  std::map<String, std::pair<String, TRegValue>, TRegNameLess> Values;  // name -> (name, value)
};

// Every key of a root by its path, its parents included.
class TRegTree {
 public:
  // Backslashes separate the parts; leading, trailing and doubled ones are dropped ("" is the
  // root). False when the path holds a control character.
  static bool NormalPath(const String& Path, String& Normal);

  bool KeyExists(const String& Path) const;
  TRegKeyData* FindKey(const String& Path);
  const TRegKeyData* FindKey(const String& Path) const;
  // Creates the key and its missing parents; the path must be a valid one.
  TRegKeyData& CreateKey(const String& Path);
  bool operator==(const TRegTree& Other) const;

  // The registry file text, and its parse: false with Error naming the line when the text is
  // not a registry file (Tree is then empty).
  std::string Text() const;
  static bool Parse(const std::string& Bytes, TRegTree& Tree, String& Error);

 private:
  std::map<String, TRegKeyData, TRegNameLess> FKeys;
};
