#include "component/names.h"

namespace {

char16_t FoldAscii(char16_t C) {
  return (C >= u'a' && C <= u'z') ? C - (u'a' - u'A') : C;
}

bool IsIdentStart(char16_t C) {
  return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z') || C == u'_';
}

}  // namespace

bool SameName(const String& A, const String& B) {
  if (A.size() != B.size()) return false;
  for (size_t I = 0; I < A.size(); ++I)
    if (FoldAscii(A[I]) != FoldAscii(B[I])) return false;
  return true;
}

bool IsValidIdent(const String& Ident) {
  if (Ident.empty() || !IsIdentStart(Ident[0])) return false;
  for (char16_t C : Ident)
    if (!IsIdentStart(C) && !(C >= u'0' && C <= u'9')) return false;
  return true;
}
