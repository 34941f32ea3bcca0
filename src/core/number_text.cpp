#include "core/exceptions.h"
#include "core/ustring.h"

String IntToStr(int64_t Value) {
  uint64_t Magnitude = Value < 0 ? 0 - static_cast<uint64_t>(Value) : static_cast<uint64_t>(Value);
  String R;
  do {
    R.insert(R.begin(), static_cast<char16_t>(u'0' + Magnitude % 10));
    Magnitude /= 10;
  } while (Magnitude != 0);
  if (Value < 0) R.insert(R.begin(), u'-');
  return R;
}

String IntToHex(uint64_t Value, int Digits) {
  static constexpr char16_t HexDigits[] = u"0123456789ABCDEF";
  String R;
  do {
    R.insert(R.begin(), HexDigits[Value & 15]);
    Value >>= 4;
  } while (Value != 0);
  if (static_cast<int>(R.size()) < Digits)
    R.insert(0, static_cast<size_t>(Digits) - R.size(), u'0');
  return R;
}

namespace {

// Parses blanks, a sign, then decimal digits or "$"/"0x" hex digits, then blanks. Decimal text
// must fit the signed range of Bits; hex text is a bit pattern of at most Bits bits, so
// "$FFFFFFFF" is -1 as a 32-bit value.
bool ParseInteger(const String& S, int Bits, int64_t& Value) {
  size_t I = 0, End = S.size();
  while (I < End && S[I] <= u' ') ++I;
  while (End > I && S[End - 1] <= u' ') --End;
  bool Negative = false;
  if (I < End && (S[I] == u'+' || S[I] == u'-')) Negative = S[I++] == u'-';
  unsigned Base = 10;
  if (I < End && S[I] == u'$') {
    Base = 16;
    ++I;
  } else if (End - I >= 2 && S[I] == u'0' && (S[I + 1] == u'x' || S[I + 1] == u'X')) {
    Base = 16;
    I += 2;
  }
  if (I == End) return false;
  const uint64_t Limit = Base == 16 ? (Bits == 64 ? ~0ull : (1ull << Bits) - 1)
                                    : (1ull << (Bits - 1)) - (Negative ? 0 : 1);
  uint64_t Magnitude = 0;
  for (; I < End; ++I) {
    const char16_t C = S[I];
    unsigned Digit;
    if (C >= u'0' && C <= u'9')
      Digit = C - u'0';
    else if (Base == 16 && C >= u'a' && C <= u'f')
      Digit = C - u'a' + 10;
    else if (Base == 16 && C >= u'A' && C <= u'F')
      Digit = C - u'A' + 10;
    else
      return false;
    if (Magnitude > (Limit - Digit) / Base) return false;
    Magnitude = Magnitude * Base + Digit;
  }
  if (Base == 16 && Bits == 32)
    Magnitude = static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(Magnitude)));
  Value = static_cast<int64_t>(Negative ? 0 - Magnitude : Magnitude);
  return true;
}

}  // namespace

bool TryStrToInt(const String& S, int& Value) {
  int64_t V;
  if (!ParseInteger(S, 32, V)) return false;
  Value = static_cast<int>(V);
  return true;
}

bool TryStrToInt64(const String& S, int64_t& Value) {
  return ParseInteger(S, 64, Value);
}

int StrToInt(const String& S) {
  int V;
  if (!TryStrToInt(S, V)) throw EConvertError(Format(SInvalidInteger, {S}));
  return V;
}

int StrToIntDef(const String& S, int Default) {
  int V;
  return TryStrToInt(S, V) ? V : Default;
}

int64_t StrToInt64(const String& S) {
  int64_t V;
  if (!TryStrToInt64(S, V)) throw EConvertError(Format(SInvalidInteger, {S}));
  return V;
}
