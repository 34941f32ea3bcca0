#include "component/names.h"

namespace {

bool IsIdentStart(char16_t C) {
  return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z') || C == u'_';
}

}  // namespace

bool SameName(const String& A, const String& B) {
  return CompareAsciiText(A, B) == 0;
}

bool IsValidIdent(const String& Ident) {
  if (Ident.empty() || !IsIdentStart(Ident[0])) return false;
  for (char16_t C : Ident)
    if (!IsIdentStart(C) && !(C >= u'0' && C <= u'9')) return false;
  return true;
}
