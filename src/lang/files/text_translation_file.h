#pragma once
// The text translation file: an INI-format file with an "OPTIONS" section, the language names
// and one section per category, keyed by the owner form's class name and the line name.
#include <memory>
#include <string_view>

#include "lang/files/mem_ini_file.h"

inline const String DefaultFileDelimiter = u"~!@#";
inline const String OptionsSectionName = u"OPTIONS";
inline const String LanguageNamesSectionName = u"Language names - for internal use only!";
inline const String ExtendedSectionName = u"Extended";

// The parsed file that every loader takes instead of parsing its stream, while one file is
// loaded into one or several components; whoever sets it frees it and clears it again.
extern TlcMemIniFile* SharedTranslationIni;

// Parses a translation file's bytes as the loaders read them: a UTF-8 or UTF-16 byte-order mark
// selects that encoding, otherwise the ANSI code page, and the text is read again as UTF-8 when
// "OPTIONS" says "IsUTF8File". Hand-edited files load as far as they make sense: lines before
// the first section are dropped, a line without "=" is a key with an empty value, and bytes
// that are not UTF-8 in a UTF-8 file become U+FFFD.
std::unique_ptr<TlcMemIniFile> ParseTranslationFile(std::string_view Bytes);

// ELanguageError naming the file when FileName does not exist.
void RequireTranslationFile(const String& FileName);
// The file FileName parsed as above; ELanguageError naming the file when it does not exist.
std::unique_ptr<TlcMemIniFile> ReadTranslationFile(const String& FileName);

// True when the extension of FileName, upper-cased, is ".LCB" (a binary translation file).
bool IsLCBFileName(const String& FileName);
