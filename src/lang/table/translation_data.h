#pragma once
// Helpers of the "TranslationData" form property: the line-break escape and the field and line
// operations of the inherited merge.
#include <memory>

#include "core/strings.h"
#include "core/ustring.h"

// CR <-> character 25, LF <-> character 26; nothing else changes.
String EscapeLineBreaks(const String& S);
String UnescapeLineBreaks(const String& S);
void UnescapeLineBreaksInPlace(String& S);

// The pieces of Text between occurrences of Delim; a piece after the last occurrence is added
// only when it is not empty.
std::unique_ptr<TStringList> SplitFields(const String& Text, const String& Delim);
String JoinFields(const TStrings& List, const String& Delim, bool SkipEmpty);
bool IsEmptyText(const String& S);
int FindLineByName(const TStrings& List, const String& Line, const String& Delim);
// The old line's name, then each old text replaced by the new line's text where that is not
// empty, then the new line's extra texts; every field followed by Delim.
String MergeTranslationLine(const String& OldLine, const String& NewLine, const String& Delim);
