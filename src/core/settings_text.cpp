#include "core/settings_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "core/exceptions.h"
#include "core/format_settings.h"

namespace {

constexpr int64_t MSecsPerDay = 86400000;

bool IsLeapYear(int Y) {
  return Y % 4 == 0 && (Y % 100 != 0 || Y % 400 == 0);
}

int DaysInMonth(int Y, int M) {
  static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return M == 2 && IsLeapYear(Y) ? 29 : Days[M - 1];
}

// Days from 1 January of year 1 to the given date (proleptic Gregorian calendar).
int64_t DayNumber(int Y, int M, int D) {
  const int64_t P = Y - 1;
  int64_t N = P * 365 + P / 4 - P / 100 + P / 400;
  for (int I = 1; I < M; ++I) N += DaysInMonth(Y, I);
  return N + D - 1;
}

const int64_t DayZero = DayNumber(1899, 12, 30);

bool ValidDate(int Y, int M, int D) {
  return Y >= 1 && Y <= 9999 && M >= 1 && M <= 12 && D >= 1 && D <= DaysInMonth(Y, M);
}

bool ValidTime(int H, int N, int S, int Z) {
  return H >= 0 && H < 24 && N >= 0 && N < 60 && S >= 0 && S < 60 && Z >= 0 && Z < 1000;
}

[[noreturn]] void Invalid(const String& Fmt, const String& S) {
  throw EConvertError(Format(Fmt, {S}));
}

// A small scanner over the text being converted.
struct TScan {
  const String& S;
  size_t I = 0;
  void Blanks() {
    while (I < S.size() && S[I] == u' ') ++I;
  }
  bool Number(int& Value, int& Digits) {
    Blanks();
    Value = 0;
    Digits = 0;
    while (I < S.size() && S[I] >= u'0' && S[I] <= u'9' && Digits < 9) {
      Value = Value * 10 + (S[I++] - u'0');
      ++Digits;
    }
    return Digits > 0;
  }
  bool Char(char16_t C) {
    Blanks();
    if (I < S.size() && S[I] == C) {
      ++I;
      return true;
    }
    return false;
  }
  bool Word(const String& W) {
    Blanks();
    if (W.empty() || S.size() - I < W.size() || !SameText(S.substr(I, W.size()), W)) return false;
    I += W.size();
    return true;
  }
  bool AtEnd() {
    Blanks();
    return I == S.size();
  }
};

// The order of day, month and year in the short date format: 0 MDY, 1 DMY, 2 YMD.
int DateOrder() {
  for (char16_t C : FormatSettings().ShortDateFormat) {
    if (C == u'd' || C == u'D') return 1;
    if (C == u'y' || C == u'Y') return 2;
    if (C == u'm' || C == u'M') return 0;
  }
  return 0;
}

bool ScanDate(TScan& Sc, TDateTimeParts& T) {
  const char16_t Sep = FormatSettings().DateSeparator;
  int N[3], Digits[3], Count = 0;
  if (!Sc.Number(N[0], Digits[0])) return false;
  Count = 1;
  while (Count < 3 && Sc.Char(Sep)) {
    if (!Sc.Number(N[Count], Digits[Count])) return false;
    ++Count;
  }
  if (Count < 2) return false;
  int Y, M, D, YDigits;
  const int Order = DateOrder();
  if (Count == 2) {
    Y = Now().Year;
    YDigits = 4;
    M = Order == 1 ? N[1] : N[0];
    D = Order == 1 ? N[0] : N[1];
  } else if (Order == 2) {
    Y = N[0], YDigits = Digits[0], M = N[1], D = N[2];
  } else {
    Y = N[2], YDigits = Digits[2];
    M = Order == 1 ? N[1] : N[0];
    D = Order == 1 ? N[0] : N[1];
  }
  if (YDigits <= 2) Y += Y < 50 ? 2000 : 1900;
  if (!ValidDate(Y, M, D)) return false;
  T.Year = Y, T.Month = M, T.Day = D;
  return true;
}

bool ScanTime(TScan& Sc, TDateTimeParts& T) {
  const TFormatSettings& F = FormatSettings();
  int H, N = 0, S = 0, Z = 0, Digits;
  if (!Sc.Number(H, Digits)) return false;
  if (Sc.Char(F.TimeSeparator)) {
    if (!Sc.Number(N, Digits)) return false;
    if (Sc.Char(F.TimeSeparator)) {
      if (!Sc.Number(S, Digits)) return false;
      if (Sc.Char(F.DecimalSeparator) && !Sc.Number(Z, Digits)) return false;
    }
  }
  const bool Am = Sc.Word(F.TimeAMString) || Sc.Word(u"AM");
  const bool Pm = !Am && (Sc.Word(F.TimePMString) || Sc.Word(u"PM"));
  if (Am || Pm) {
    if (H < 1 || H > 12) return false;
    H = H % 12 + (Pm ? 12 : 0);
  }
  if (!ValidTime(H, N, S, Z)) return false;
  T.Hour = H, T.Minute = N, T.Second = S, T.Millisecond = Z;
  return true;
}

}  // namespace

TDateTime EncodeDateTime(const TDateTimeParts& T) {
  if (!ValidDate(T.Year, T.Month, T.Day) || !ValidTime(T.Hour, T.Minute, T.Second, T.Millisecond))
    throw EConvertError(u"Invalid argument to date encode");
  const double Days = static_cast<double>(DayNumber(T.Year, T.Month, T.Day) - DayZero);
  const double Time =
      static_cast<double>(((T.Hour * 60 + T.Minute) * 60 + T.Second) * 1000 + T.Millisecond) /
      MSecsPerDay;
  // Before day 0 the time of day still counts forwards from midnight: -1.25 is 29 December
  // 1899, 6:00.
  return Days >= 0 ? Days + Time : Days - Time;
}

TDateTimeParts DecodeDateTime(TDateTime Value) {
  const double Days = std::trunc(Value);
  int64_t MSecs = std::llround(std::fabs(Value - Days) * MSecsPerDay);
  int64_t DayNo = static_cast<int64_t>(Days) + DayZero;
  if (MSecs >= MSecsPerDay) {
    MSecs -= MSecsPerDay;
    DayNo += Value >= 0 ? 1 : -1;
  }
  TDateTimeParts T;
  int Y = static_cast<int>(DayNo * 400 / 146097) + 1;
  while (Y > 1 && DayNumber(Y, 1, 1) > DayNo) --Y;
  while (DayNumber(Y + 1, 1, 1) <= DayNo) ++Y;
  int M = 1;
  while (M < 12 && DayNumber(Y, M + 1, 1) <= DayNo) ++M;
  T.Year = Y;
  T.Month = M;
  T.Day = static_cast<int>(DayNo - DayNumber(Y, M, 1)) + 1;
  T.Hour = static_cast<int>(MSecs / 3600000);
  T.Minute = static_cast<int>(MSecs / 60000 % 60);
  T.Second = static_cast<int>(MSecs / 1000 % 60);
  T.Millisecond = static_cast<int>(MSecs % 1000);
  return T;
}

String DateToStr(TDateTime Value) {
  return FormatDateTime(FormatSettings().ShortDateFormat, DecodeDateTime(Value));
}

String TimeToStr(TDateTime Value) {
  return FormatDateTime(FormatSettings().LongTimeFormat, DecodeDateTime(Value));
}

String DateTimeToStr(TDateTime Value) {
  const TDateTimeParts T = DecodeDateTime(Value);
  String R = FormatDateTime(FormatSettings().ShortDateFormat, T);
  if (T.Hour || T.Minute || T.Second || T.Millisecond)
    R += u" " + FormatDateTime(FormatSettings().LongTimeFormat, T);
  return R;
}

TDateTime StrToDate(const String& S) {
  TScan Sc{S};
  TDateTimeParts T;
  if (!ScanDate(Sc, T) || !Sc.AtEnd()) Invalid(u"'%s' is not a valid date", S);
  return EncodeDateTime(T);
}

TDateTime StrToTime(const String& S) {
  TScan Sc{S};
  TDateTimeParts T;
  if (!ScanTime(Sc, T) || !Sc.AtEnd()) Invalid(u"'%s' is not a valid time", S);
  return EncodeDateTime(T) - EncodeDateTime(TDateTimeParts{});
}

TDateTime StrToDateTime(const String& S) {
  TScan Sc{S};
  TDateTimeParts T;
  if (!ScanDate(Sc, T) || (!Sc.AtEnd() && !ScanTime(Sc, T)) || !Sc.AtEnd())
    Invalid(u"'%s' is not a valid date and time", S);
  return EncodeDateTime(T);
}

String FloatToStr(double Value) {
  if (std::isnan(Value)) return u"NAN";
  if (std::isinf(Value)) return Value > 0 ? u"INF" : u"-INF";
  char Buffer[64];
  // to_chars, unlike printf, does not follow the process locale.
  const auto Done =
      std::to_chars(Buffer, Buffer + sizeof Buffer, Value, std::chars_format::general, 15);
  std::string Text(Buffer, Done.ptr);
  // "1.5e+20" and "1e-05" are written "1.5E20" and "1E-5".
  const size_t E = Text.find('e');
  if (E != std::string::npos) {
    std::string Exp = Text.substr(E + 1);
    const bool Negative = Exp[0] == '-';
    Exp.erase(0, Exp.find_first_not_of("+-"));
    Exp.erase(0, std::min(Exp.find_first_not_of('0'), Exp.size() - 1));
    Text = Text.substr(0, E) + "E" + (Negative ? "-" : "") + Exp;
  }
  String R = FromUtf8(Text);
  for (char16_t& C : R)
    if (C == u'.') C = FormatSettings().DecimalSeparator;
  return R;
}

double StrToFloat(const String& S) {
  const char16_t Sep = FormatSettings().DecimalSeparator;
  std::string Text;
  size_t I = 0, End = S.size();
  while (I < End && S[I] == u' ') ++I;
  while (End > I && S[End - 1] == u' ') --End;
  auto Digits = [&] {
    const size_t Start = I;
    while (I < End && S[I] >= u'0' && S[I] <= u'9') Text += static_cast<char>(S[I++]);
    return I - Start;
  };
  if (I < End && (S[I] == u'+' || S[I] == u'-')) Text += static_cast<char>(S[I++]);
  size_t Mantissa = Digits();
  if (I < End && S[I] == Sep) {
    Text += '.';
    ++I;
    Mantissa += Digits();
  }
  bool Ok = Mantissa > 0;
  if (Ok && I < End && (S[I] == u'E' || S[I] == u'e')) {
    Text += 'E';
    ++I;
    if (I < End && (S[I] == u'+' || S[I] == u'-')) Text += static_cast<char>(S[I++]);
    Ok = Digits() > 0;
  }
  if (!Ok || I != End) Invalid(u"'%s' is not a valid floating point value", S);
  if (Text[0] == '+') Text.erase(0, 1);
  double Value = 0;
  const auto Done = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (Done.ec != std::errc{}) Invalid(u"'%s' is not a valid floating point value", S);
  return Value;
}
