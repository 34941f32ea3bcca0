#pragma once
#include "core/ustring.h"

// C escapes in a text (\n, \t, \x41, \101 ...) turned into the characters they stand for;
// anything that is not a complete escape stays as it is.
String DecodeCEscapes(const String& S);
