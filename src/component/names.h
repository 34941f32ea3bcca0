#pragma once
// Names of components, classes and properties: ASCII letters fold, nothing else does.
#include "core/ustring.h"

bool SameName(const String& A, const String& B);
// Letters, digits and underscores, not starting with a digit; ASCII only.
bool IsValidIdent(const String& Ident);
