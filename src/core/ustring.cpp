#include "core/ustring.h"

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

size_t FindEither(std::u16string_view Text, char16_t A, char16_t B, size_t From) {
  // Tables of many thousand lines are split and mapped here: eight code units at a time.
#if defined(__SSE2__)
  const __m128i WantA = _mm_set1_epi16(static_cast<short>(A));
  const __m128i WantB = _mm_set1_epi16(static_cast<short>(B));
  for (; From + 8 <= Text.size(); From += 8) {
    const __m128i Units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Text.data() + From));
    const __m128i Found =
        _mm_or_si128(_mm_cmpeq_epi16(Units, WantA), _mm_cmpeq_epi16(Units, WantB));
    if (const int Hits = _mm_movemask_epi8(Found))
      return From + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(Hits))) / 2;
  }
#endif
  while (From < Text.size() && Text[From] != A && Text[From] != B) ++From;
  return From;
}

int Pos(const String& Sub, const String& S) {
  return PosEx(Sub, S, 1);
}

int PosEx(const String& Sub, const String& S, int Offset) {
  if (Sub.empty() || Offset < 1 || static_cast<size_t>(Offset) > S.size()) return 0;
  const size_t At = S.find(Sub, static_cast<size_t>(Offset) - 1);
  return At == String::npos ? 0 : static_cast<int>(At) + 1;
}

String Copy(const String& S, int Index, int Count) {
  if (Index < 1) Index = 1;
  if (Count <= 0 || static_cast<size_t>(Index) > S.size()) return {};
  return S.substr(static_cast<size_t>(Index) - 1, static_cast<size_t>(Count));
}

void Delete(String& S, int Index, int Count) {
  if (Index < 1 || static_cast<size_t>(Index) > S.size() || Count <= 0) return;
  S.erase(static_cast<size_t>(Index) - 1, static_cast<size_t>(Count));
}

void Insert(const String& Source, String& S, int Index) {
  const size_t At = Index < 1 ? 0 : std::min(static_cast<size_t>(Index) - 1, S.size());
  S.insert(At, Source);
}

String UpperCase(const String& S) {
  String R = S;
  for (char16_t& C : R)
    if (C >= u'a' && C <= u'z') C = static_cast<char16_t>(C - 32);
  return R;
}

String LowerCase(const String& S) {
  String R = S;
  for (char16_t& C : R)
    if (C >= u'A' && C <= u'Z') C = static_cast<char16_t>(C + 32);
  return R;
}

String Trim(const String& S) {
  size_t First = 0, Last = S.size();
  while (First < Last && S[First] <= u' ') ++First;
  while (Last > First && S[Last - 1] <= u' ') --Last;
  return S.substr(First, Last - First);
}

String StringOfChar(char16_t C, int Count) {
  return Count > 0 ? String(static_cast<size_t>(Count), C) : String();
}

String StringReplaceAll(const String& S, const String& OldPattern, const String& NewPattern) {
  if (OldPattern.empty()) return S;
  String R;
  size_t From = 0;
  for (size_t At; (At = S.find(OldPattern, From)) != String::npos; From = At + OldPattern.size()) {
    R.append(S, From, At - From);
    R += NewPattern;
  }
  R.append(S, From, String::npos);
  return R;
}

namespace {

template <class Map>
int CompareMapped(std::u16string_view A, std::u16string_view B, Map M) {
  const size_t N = std::min(A.size(), B.size());
  for (size_t I = 0; I < N; ++I) {
    if (A[I] == B[I]) continue;
    const char16_t X = M(A[I]), Y = M(B[I]);
    if (X != Y) return X < Y ? -1 : 1;
  }
  return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

}  // namespace

int CompareText(std::u16string_view A, std::u16string_view B) {
  return CompareMapped(A, B, FoldCase);
}

bool SameText(std::u16string_view A, std::u16string_view B) {
  return A.size() == B.size() && CompareText(A, B) == 0;
}

int CompareStr(std::u16string_view A, std::u16string_view B) {
  return CompareMapped(A, B, [](char16_t C) { return C; });
}

int CompareAsciiText(std::u16string_view A, std::u16string_view B) {
  // Names and keys are compared by the thousand when tables are sorted: the fold is inline.
  const size_t N = std::min(A.size(), B.size());
  for (size_t I = 0; I < N; ++I) {
    if (A[I] == B[I]) continue;
    const char16_t X = AsciiUpperChar(A[I]), Y = AsciiUpperChar(B[I]);
    if (X != Y) return X < Y ? -1 : 1;
  }
  return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

size_t TAsciiFoldHash::operator()(std::u16string_view S) const {
  size_t H = 14695981039346656037ull;
  for (char16_t C : S) H = (H ^ AsciiUpperChar(C)) * 1099511628211ull;
  return H;
}

bool TAsciiFoldEqual::operator()(std::u16string_view A, std::u16string_view B) const {
  return A.size() == B.size() &&
         std::equal(A.begin(), A.end(), B.begin(),
                    [](char16_t X, char16_t Y) { return AsciiUpperChar(X) == AsciiUpperChar(Y); });
}

int MulDiv(int Value, int Numerator, int Denominator) {
  if (Denominator == 0) return -1;
  const int64_t Product = static_cast<int64_t>(Value) * Numerator;
  // Round half away from zero on magnitudes, then restore the sign.
  const uint64_t P =
      Product < 0 ? 0 - static_cast<uint64_t>(Product) : static_cast<uint64_t>(Product);
  const uint64_t D = Denominator < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(Denominator))
                                     : static_cast<uint64_t>(Denominator);
  const uint64_t Q = (P + D / 2) / D;
  const bool Negative = (Product < 0) != (Denominator < 0);
  if (Q > (Negative ? 2147483648ull : 2147483647ull)) return -1;
  return Negative ? static_cast<int>(-static_cast<int64_t>(Q)) : static_cast<int>(Q);
}
