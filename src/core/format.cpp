#include <vector>

#include "core/exceptions.h"
#include "core/ustring.h"

namespace {

[[noreturn]] void FormatError(const String& Fmt) {
  // Not through Format: a translated message with a broken placeholder would fail again here.
  String Message = SInvalidFormat;
  const size_t At = Message.find(u"%s");
  if (At != String::npos) Message.replace(At, 2, Fmt);
  throw EConvertError(Message);
}

// Reads a run of decimal digits; -1 when there is none.
int ReadNumber(const String& Fmt, size_t& I) {
  if (I >= Fmt.size() || Fmt[I] < u'0' || Fmt[I] > u'9') return -1;
  int N = 0;
  for (; I < Fmt.size() && Fmt[I] >= u'0' && Fmt[I] <= u'9'; ++I) {
    if (N > 100000000) FormatError(Fmt);
    N = N * 10 + (Fmt[I] - u'0');
  }
  return N;
}

String DecimalDigits(uint64_t U) {
  String R;
  do {
    R.insert(R.begin(), static_cast<char16_t>(u'0' + U % 10));
    U /= 10;
  } while (U != 0);
  return R;
}

String ConvertArgument(const String& Fmt, char16_t Type, int Precision, const TVarRec& Arg) {
  if (Type == u's') {
    const String* S = std::get_if<String>(&Arg);
    if (!S) FormatError(Fmt);
    return Precision >= 0 ? S->substr(0, static_cast<size_t>(Precision)) : *S;
  }
  const int64_t* V = std::get_if<int64_t>(&Arg);
  if (!V) FormatError(Fmt);
  const bool Negative = Type == u'd' && *V < 0;
  String Digits;
  if (Type == u'x')
    Digits = IntToHex(static_cast<uint64_t>(*V), 0);
  else
    Digits = DecimalDigits(Negative ? 0 - static_cast<uint64_t>(*V) : static_cast<uint64_t>(*V));
  if (Precision > static_cast<int>(Digits.size()))
    Digits.insert(0, static_cast<size_t>(Precision) - Digits.size(), u'0');
  return Negative ? u"-" + Digits : Digits;
}

}  // namespace

String Format(const String& Fmt, std::initializer_list<TVarRec> Args) {
  const std::vector<TVarRec> A(Args);
  String R;
  size_t Next = 0;  // argument taken by a specifier without an index
  size_t I = 0;
  while (I < Fmt.size()) {
    const size_t Percent = Fmt.find(u'%', I);
    if (Percent == String::npos) {
      R.append(Fmt, I, String::npos);
      break;
    }
    R.append(Fmt, I, Percent - I);
    I = Percent + 1;
    if (I < Fmt.size() && Fmt[I] == u'%') {
      R += u'%';
      ++I;
      continue;
    }
    // %[index:][-][width][.precision]type
    int Number = ReadNumber(Fmt, I);
    if (Number >= 0 && I < Fmt.size() && Fmt[I] == u':') {
      Next = static_cast<size_t>(Number);
      ++I;
      Number = -1;
    }
    bool LeftAlign = false;
    if (Number < 0 && I < Fmt.size() && Fmt[I] == u'-') {
      LeftAlign = true;
      ++I;
    }
    const int Width = Number >= 0 ? Number : ReadNumber(Fmt, I);
    int Precision = -1;
    if (I < Fmt.size() && Fmt[I] == u'.') {
      ++I;
      Precision = ReadNumber(Fmt, I);
      if (Precision < 0) FormatError(Fmt);
    }
    if (I >= Fmt.size()) FormatError(Fmt);
    char16_t Type = Fmt[I++];
    if (Type >= u'A' && Type <= u'Z') Type = static_cast<char16_t>(Type + 32);
    if (Type != u's' && Type != u'd' && Type != u'u' && Type != u'x') FormatError(Fmt);
    if (Next >= A.size()) FormatError(Fmt);
    const String Text = ConvertArgument(Fmt, Type, Precision, A[Next++]);
    const size_t Pad = Width > static_cast<int>(Text.size()) ? Width - Text.size() : 0;
    if (!LeftAlign) R.append(Pad, u' ');
    R += Text;
    if (LeftAlign) R.append(Pad, u' ');
  }
  return R;
}
