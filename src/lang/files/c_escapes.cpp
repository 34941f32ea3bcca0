#include "lang/files/c_escapes.h"

namespace {

int HexDigit(char16_t C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  return -1;
}

bool IsOctal(char16_t C) {
  return C >= u'0' && C <= u'7';
}

}  // namespace

String DecodeCEscapes(const String& S) {
  String R;
  R.reserve(S.size());
  const size_t N = S.size();
  size_t I = 0;
  while (I < N) {
    const char16_t C = S[I];
    if (C != u'\\' || I + 1 == N) {
      R += C;
      ++I;
      continue;
    }
    const char16_t E = S[I + 1];
    I += 2;
    switch (E) {
      case u'"':
      case u'\'':
      case u'?':
      case u'\\':
        R += E;
        break;
      case u'a':
        R += u'\a';
        break;
      case u'b':
        R += u'\b';
        break;
      case u'f':
        R += u'\f';
        break;
      case u'n':
        R += u'\n';
        break;
      case u'r':
        R += u'\r';
        break;
      case u't':
        R += u'\t';
        break;
      case u'v':
        R += u'\v';
        break;
      case u'x': {
        if (I < N && HexDigit(S[I]) >= 0) {
          int V = HexDigit(S[I++]);
          if (I < N && HexDigit(S[I]) >= 0) V = V * 16 + HexDigit(S[I++]);
          R += static_cast<char16_t>(V);
        } else {
          R += u"\\x";
        }
        break;
      }
      default:
        if (IsOctal(E)) {
          int V = E - u'0';
          for (int K = 0; K < 2 && I < N && IsOctal(S[I]); ++K) V = V * 8 + (S[I++] - u'0');
          R += static_cast<char16_t>(V);
        } else {
          R += u'\\';
          R += E;
        }
    }
  }
  return R;
}
