#include "core/code_page.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "core/code_page_tables.h"
#include "core/exceptions.h"

using lc_code_page::SingleByteTableCount;
using lc_code_page::SingleByteTables;
using lc_code_page::TSingleByteTable;

namespace {

unsigned Resolve(unsigned CodePage) {
  return CodePage == 0 ? GetACP() : CodePage;
}

const TSingleByteTable* FindTable(unsigned CodePage) {
  for (size_t I = 0; I < SingleByteTableCount; ++I)
    if (SingleByteTables[I].CodePage == CodePage) return &SingleByteTables[I];
  return nullptr;
}

const char* IconvName(unsigned CodePage) {
  switch (CodePage) {
    case 932:
      return "CP932";
    case 936:
      return "CP936";
    case 949:
      return "CP949";
    case 950:
      return "CP950";
    default:
      return nullptr;
  }
}

[[noreturn]] void Unsupported(unsigned CodePage) {
  throw EConvertError(Format(SCodePageNotSupported, {int64_t{CodePage}}));
}

// The high halves of the single-byte tables inverted: code unit to byte, sorted by code unit.
using TReverse = std::array<std::pair<char16_t, unsigned char>, 128>;

const TReverse& ReverseOf(const TSingleByteTable& Table) {
  static const std::vector<TReverse> All = [] {
    std::vector<TReverse> R(SingleByteTableCount);
    for (size_t T = 0; T < SingleByteTableCount; ++T) {
      for (unsigned B = 0; B < 128; ++B)
        R[T][B] = {SingleByteTables[T].High[B], static_cast<unsigned char>(0x80 + B)};
      std::sort(R[T].begin(), R[T].end());
    }
    return R;
  }();
  return All[static_cast<size_t>(&Table - SingleByteTables)];
}

String DecodeSingleByte(std::string_view Bytes, const TSingleByteTable& Table) {
  String R(Bytes.size(), u'\0');
  for (size_t I = 0; I < Bytes.size(); ++I) {
    const unsigned char B = static_cast<unsigned char>(Bytes[I]);
    R[I] = B < 0x80 ? B : Table.High[B - 0x80];
  }
  return R;
}

std::string EncodeSingleByte(const String& S, const TSingleByteTable& Table) {
  const TReverse& Reverse = ReverseOf(Table);
  std::string R(S.size(), '\0');
  for (size_t I = 0; I < S.size(); ++I) {
    const char16_t C = S[I];
    if (C < 0x80) {
      R[I] = static_cast<char>(C);
      continue;
    }
    const auto It =
        std::lower_bound(Reverse.begin(), Reverse.end(), std::make_pair(C, 0),
                         [](const auto& A, const auto& B) { return A.first < B.first; });
    R[I] = It != Reverse.end() && It->first == C ? static_cast<char>(It->second) : '?';
  }
  return R;
}

// One iconv conversion descriptor, closed when it goes out of scope.
class TIconv {
 public:
  TIconv(const char* To, const char* From, unsigned CodePage) : FCd(iconv_open(To, From)) {
    if (FCd == reinterpret_cast<iconv_t>(-1)) Unsupported(CodePage);
  }
  ~TIconv() { iconv_close(FCd); }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;

  // Converts all of In. Where iconv stops at input it cannot convert, Replacement is written
  // and Skip(remaining input) bytes are passed over.
  template <class SkipFn>
  std::string Convert(std::string_view In, std::string_view Replacement, SkipFn Skip) {
    std::string Out;
    char* InP = const_cast<char*>(In.data());
    size_t InLeft = In.size();
    char Buffer[4096];
    while (InLeft > 0) {
      char* OutP = Buffer;
      size_t OutLeft = sizeof Buffer;
      const size_t Done = iconv(FCd, &InP, &InLeft, &OutP, &OutLeft);
      const int Error = errno;
      Out.append(Buffer, static_cast<size_t>(OutP - Buffer));
      if (Done != static_cast<size_t>(-1) || Error == E2BIG) continue;
      Out += Replacement;
      const size_t N = std::min(InLeft, Skip(std::string_view(InP, InLeft)));
      InP += N;
      InLeft -= N;
      iconv(FCd, nullptr, nullptr, nullptr, nullptr);
    }
    return Out;
  }

 private:
  iconv_t FCd;
};

String DecodeMultiByte(std::string_view Bytes, unsigned CodePage, const char* Name) {
  TIconv Cd("UTF-16LE", Name, CodePage);
  return Utf16LEDecode(
      Cd.Convert(Bytes, std::string_view("?\0", 2), [](std::string_view) { return size_t{1}; }));
}

std::string EncodeMultiByte(const String& S, unsigned CodePage, const char* Name) {
  TIconv Cd(Name, "UTF-16LE", CodePage);
  // A surrogate pair that cannot convert is passed over whole, anything else one code unit.
  return Cd.Convert(Utf16LEEncode(S), "?", [](std::string_view Rest) {
    const auto Unit = [&](size_t K) {
      return static_cast<unsigned>(static_cast<unsigned char>(Rest[K]) |
                                   static_cast<unsigned char>(Rest[K + 1]) << 8);
    };
    if (Rest.size() >= 4 && Unit(0) >= 0xD800 && Unit(0) <= 0xDBFF && Unit(2) >= 0xDC00 &&
        Unit(2) <= 0xDFFF)
      return size_t{4};
    return size_t{2};
  });
}

}  // namespace

bool IsSingleByteCodePage(unsigned CodePage) {
  return FindTable(Resolve(CodePage)) != nullptr;
}

bool IsKnownCodePage(unsigned CodePage) {
  CodePage = Resolve(CodePage);
  return CodePage == CP_UTF8 || CodePage == CP_UTF16LE || FindTable(CodePage) ||
         IconvName(CodePage);
}

String CodePageToString(std::string_view Bytes, unsigned CodePage) {
  CodePage = Resolve(CodePage);
  if (CodePage == CP_UTF8) return Utf8Decode(Bytes);
  if (CodePage == CP_UTF16LE) return Utf16LEDecode(Bytes);
  if (const TSingleByteTable* Table = FindTable(CodePage)) return DecodeSingleByte(Bytes, *Table);
  if (const char* Name = IconvName(CodePage)) return DecodeMultiByte(Bytes, CodePage, Name);
  Unsupported(CodePage);
}

std::string StringToCodePage(const String& S, unsigned CodePage) {
  CodePage = Resolve(CodePage);
  if (CodePage == CP_UTF8) return Utf8Encode(S);
  if (CodePage == CP_UTF16LE) return Utf16LEEncode(S);
  if (const TSingleByteTable* Table = FindTable(CodePage)) return EncodeSingleByte(S, *Table);
  if (const char* Name = IconvName(CodePage)) return EncodeMultiByte(S, CodePage, Name);
  Unsupported(CodePage);
}

String AnsiToString(std::string_view Bytes) {
  return CodePageToString(Bytes, GetACP());
}

AnsiString StringToAnsi(const String& S) {
  return StringToCodePage(S, GetACP());
}

String Utf8Decode(std::string_view Bytes) {
  return FromUtf8(Bytes);
}

std::string Utf8Encode(const String& S) {
  return ToUtf8(S);
}

String Utf16LEDecode(std::string_view Bytes) {
  String R(Bytes.size() / 2, u'\0');
  // Form data of many thousand lines come this way: on a little-endian machine the bytes are
  // the code units already.
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(R.data(), Bytes.data(), R.size() * sizeof(char16_t));
    return R;
  }
  for (size_t I = 0; I < R.size(); ++I)
    R[I] = static_cast<char16_t>(static_cast<unsigned char>(Bytes[2 * I]) |
                                 static_cast<unsigned char>(Bytes[2 * I + 1]) << 8);
  return R;
}

std::string Utf16LEEncode(const String& S) {
  std::string R(S.size() * 2, '\0');
  for (size_t I = 0; I < S.size(); ++I) {
    R[2 * I] = static_cast<char>(S[I] & 0xFF);
    R[2 * I + 1] = static_cast<char>(S[I] >> 8);
  }
  return R;
}
