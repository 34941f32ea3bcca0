#include "core/date_time.h"

#include <sys/time.h>
#include <ctime>

#include "core/format_settings.h"

TDateTimeParts Now() {
  timeval TV{};
  gettimeofday(&TV, nullptr);
  tm Local{};
  const time_t Seconds = TV.tv_sec;
  localtime_r(&Seconds, &Local);
  TDateTimeParts T;
  T.Year = Local.tm_year + 1900;
  T.Month = Local.tm_mon + 1;
  T.Day = Local.tm_mday;
  T.Hour = Local.tm_hour;
  T.Minute = Local.tm_min;
  T.Second = Local.tm_sec;
  T.Millisecond = static_cast<int>(TV.tv_usec / 1000);
  return T;
}

namespace {

String Padded(int Value, int Digits) {
  String S = IntToStr(Value);
  while (static_cast<int>(S.size()) < Digits) S.insert(S.begin(), u'0');
  return S;
}

char16_t Lower(char16_t C) {
  return (C >= u'A' && C <= u'Z') ? C + 32 : C;
}

}  // namespace

String FormatDateTime(const String& Format, const TDateTimeParts& T) {
  const TFormatSettings& F = FormatSettings();
  // "AMPM" puts the AM or PM text and makes the hours run on a 12-hour clock.
  const bool Clock12 = LowerCase(Format).find(u"ampm") != String::npos;
  const int Hour = Clock12 ? (T.Hour % 12 == 0 ? 12 : T.Hour % 12) : T.Hour;
  String R;
  bool AfterHour = false;  // "m" right after an hour means minutes
  size_t I = 0;
  const size_t N = Format.size();
  auto Run = [&](char16_t C) {
    size_t K = 0;
    while (I + K < N && Lower(Format[I + K]) == C) ++K;
    return K;
  };
  while (I < N) {
    const char16_t C = Format[I];
    const char16_t L = Lower(C);
    if (C == u'\'' || C == u'"') {
      const size_t End = Format.find(C, I + 1);
      const size_t Stop = End == String::npos ? N : End;
      R += Format.substr(I + 1, Stop - I - 1);
      I = Stop == N ? N : Stop + 1;
      continue;
    }
    size_t K = 1;
    switch (L) {
      case u'd':
        K = Run(u'd');
        R += Padded(T.Day, K >= 2 ? 2 : 1);
        break;
      case u'm':
        K = Run(u'm');
        R += AfterHour ? Padded(T.Minute, K >= 2 ? 2 : 1) : Padded(T.Month, K >= 2 ? 2 : 1);
        AfterHour = false;
        break;
      case u'y':
        K = Run(u'y');
        R += K <= 2 ? Padded(T.Year % 100, 2) : Padded(T.Year, 4);
        break;
      case u'a':
        if (LowerCase(Format.substr(I, 4)) == u"ampm") {
          R += T.Hour < 12 ? F.TimeAMString : F.TimePMString;
          K = 4;
        } else {
          R += C;
        }
        break;
      case u'h':
        K = Run(u'h');
        R += Padded(Hour, K >= 2 ? 2 : 1);
        AfterHour = true;
        break;
      case u'n':
        K = Run(u'n');
        R += Padded(T.Minute, K >= 2 ? 2 : 1);
        break;
      case u's':
        K = Run(u's');
        R += Padded(T.Second, K >= 2 ? 2 : 1);
        break;
      case u'z':
        K = Run(u'z');
        R += Padded(T.Millisecond, K >= 3 ? 3 : 1);
        break;
      case u':':
        R += F.TimeSeparator;
        break;
      case u'/':
        R += F.DateSeparator;
        break;
      default:
        R += C;
    }
    I += K;
  }
  return R;
}
