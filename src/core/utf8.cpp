#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/code_page.h"
#include "core/ustring.h"

namespace {

// Decodes one well-formed UTF-8 sequence at I (no overlongs, no encoded surrogates, nothing
// above U+10FFFF) and moves I past it; nothing when the bytes there are not one.
std::optional<char32_t> DecodeOne(std::string_view B, size_t& I) {
  const auto Byte = [&](size_t K) { return static_cast<unsigned char>(B[K]); };
  const unsigned char Lead = Byte(I);
  if (Lead < 0x80) {
    ++I;
    return Lead;
  }
  size_t Length;
  char32_t C;
  unsigned char Low = 0x80, High = 0xBF;  // allowed range of the second byte
  if (Lead >= 0xC2 && Lead <= 0xDF) {
    Length = 2;
    C = Lead & 0x1F;
  } else if (Lead >= 0xE0 && Lead <= 0xEF) {
    Length = 3;
    C = Lead & 0x0F;
    if (Lead == 0xE0) Low = 0xA0;   // overlong
    if (Lead == 0xED) High = 0x9F;  // surrogates
  } else if (Lead >= 0xF0 && Lead <= 0xF4) {
    Length = 4;
    C = Lead & 0x07;
    if (Lead == 0xF0) Low = 0x90;   // overlong
    if (Lead == 0xF4) High = 0x8F;  // above U+10FFFF
  } else {
    return std::nullopt;
  }
  if (B.size() - I < Length) return std::nullopt;
  for (size_t K = 1; K < Length; ++K) {
    const unsigned char Next = Byte(I + K);
    if (Next < (K == 1 ? Low : 0x80) || Next > (K == 1 ? High : 0xBF)) return std::nullopt;
    C = (C << 6) | (Next & 0x3F);
  }
  I += Length;
  return C;
}

// Appends Bytes to R as UTF-16; Invalid(Out, I) handles bytes at I that are not UTF-8 and
// says whether to go on (if not, R is cleared). A text never has more code units than bytes, so
// R is sized once.
template <class OnInvalid>
void DecodeInto(std::string_view Bytes, OnInvalid Invalid, String& R) {
  const size_t At = R.size();
  R.resize(At + Bytes.size());
  char16_t* Out = R.data() + At;
  for (size_t I = 0; I < Bytes.size();) {
#if defined(__SSE2__)
    // Translation files are mostly ASCII: sixteen bytes are widened at once, and those before
    // the first that is not ASCII are kept. Out never runs ahead of I, so the sixteen fit.
    if (I + 16 <= Bytes.size()) {
      const __m128i Chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Bytes.data() + I));
      const __m128i Zero = _mm_setzero_si128();
      _mm_storeu_si128(reinterpret_cast<__m128i*>(Out), _mm_unpacklo_epi8(Chunk, Zero));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(Out + 8), _mm_unpackhi_epi8(Chunk, Zero));
      const auto Other = static_cast<unsigned>(_mm_movemask_epi8(Chunk));
      const size_t Ascii = Other == 0 ? 16 : static_cast<size_t>(__builtin_ctz(Other));
      Out += Ascii;
      I += Ascii;
      if (Ascii == 16) continue;
    }
#endif
    const auto Lead = static_cast<unsigned char>(Bytes[I]);
    if (Lead < 0x80) {
      *Out++ = Lead;
      ++I;
      continue;
    }
    // Two-byte sequences (Cyrillic, Greek and the like) directly, a word of them at a time.
    if (Lead >= 0xC2 && Lead <= 0xDF && I + 1 < Bytes.size()) {
      const size_t From = I;
      for (unsigned char L = Lead; L >= 0xC2 && L <= 0xDF && I + 1 < Bytes.size();) {
        const auto Next = static_cast<unsigned char>(Bytes[I + 1]);
        if (Next < 0x80 || Next > 0xBF) break;
        *Out++ = static_cast<char16_t>((L & 0x1F) << 6 | (Next & 0x3F));
        I += 2;
        if (I == Bytes.size()) break;
        L = static_cast<unsigned char>(Bytes[I]);
      }
      if (I != From) continue;
    }
    const std::optional<char32_t> C = DecodeOne(Bytes, I);
    if (!C) {
      if (!Invalid(Out, I)) {
        R.clear();
        return;
      }
    } else if (*C < 0x10000) {
      *Out++ = static_cast<char16_t>(*C);
    } else {
      *Out++ = static_cast<char16_t>(0xD800 + ((*C - 0x10000) >> 10));
      *Out++ = static_cast<char16_t>(0xDC00 + ((*C - 0x10000) & 0x3FF));
    }
  }
  R.resize(static_cast<size_t>(Out - R.data()));
}

template <class OnInvalid>
String Decode(std::string_view Bytes, OnInvalid Invalid) {
  String R;
  DecodeInto(Bytes, Invalid, R);
  return R;
}

bool ReplaceInvalid(char16_t*& Out, size_t& I) {
  *Out++ = u'\xFFFD';
  ++I;
  return true;
}

}  // namespace

String FromUtf8(std::string_view utf8) {
  return Decode(utf8, [](char16_t*&, size_t&) { return false; });
}

String Utf8DecodeReplacing(std::string_view Bytes) {
  return Decode(Bytes, ReplaceInvalid);
}

void Utf8DecodeReplacing(std::string_view Bytes, String& Out) {
  Out.clear();
  DecodeInto(Bytes, ReplaceInvalid, Out);
}

void Utf8AppendReplacing(std::string_view Bytes, String& Out) {
  DecodeInto(Bytes, ReplaceInvalid, Out);
}

std::string ToUtf8(const String& s) {
  std::string R;
  R.reserve(s.size());
  for (size_t I = 0; I < s.size(); ++I) {
    char32_t C = s[I];
    if (C >= 0xD800 && C <= 0xDBFF && I + 1 < s.size() && s[I + 1] >= 0xDC00 && s[I + 1] <= 0xDFFF)
      C = 0x10000 + ((C - 0xD800) << 10) + (s[++I] - 0xDC00);
    else if (C >= 0xD800 && C <= 0xDFFF)
      C = 0xFFFD;  // a lone surrogate has no UTF-8 form
    if (C < 0x80) {
      R += static_cast<char>(C);
    } else if (C < 0x800) {
      R += static_cast<char>(0xC0 | (C >> 6));
      R += static_cast<char>(0x80 | (C & 0x3F));
    } else if (C < 0x10000) {
      R += static_cast<char>(0xE0 | (C >> 12));
      R += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
      R += static_cast<char>(0x80 | (C & 0x3F));
    } else {
      R += static_cast<char>(0xF0 | (C >> 18));
      R += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
      R += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
      R += static_cast<char>(0x80 | (C & 0x3F));
    }
  }
  return R;
}
