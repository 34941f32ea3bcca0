#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "core/date_time.h"
#include "core/format_settings.h"

namespace {

TEST(DateTime, LogStampLayout) {
  TDateTimeParts T;
  T.Year = 2026;
  T.Month = 12;
  T.Day = 8;
  T.Hour = 6;
  T.Minute = 4;
  T.Second = 30;
  EXPECT_EQ(FormatDateTime(u"dd-mm-yyyy hh:nn:ss | ", T), u"08-12-2026 06:04:30 | ");
  EXPECT_EQ(FormatDateTime(u"d/m/yy h:mm 'at' z", T), u"8/12/26 6:04 at 0");
  FormatSettings().TimeSeparator = u'.';
  EXPECT_EQ(FormatDateTime(u"hh:nn", T), u"06.04");
  FormatSettings().TimeSeparator = u':';
}

// The parts are the local time of the system clock at some second of the call.
TEST(DateTime, NowIsTheLocalTimeOfTheSystemClock) {
  using Clock = std::chrono::system_clock;
  const time_t Before = Clock::to_time_t(Clock::now());
  const TDateTimeParts Current = Now();
  const time_t After = Clock::to_time_t(Clock::now());
  bool Matched = false;
  for (time_t T = Before; T <= After; ++T) {
    tm Local{};
    localtime_r(&T, &Local);
    Matched |= Current.Year == Local.tm_year + 1900 && Current.Month == Local.tm_mon + 1 &&
               Current.Day == Local.tm_mday && Current.Hour == Local.tm_hour &&
               Current.Minute == Local.tm_min && Current.Second == Local.tm_sec;
  }
  EXPECT_TRUE(Matched) << ToUtf8(FormatDateTime(u"yyyy-mm-dd hh:nn:ss", Current));
  EXPECT_GE(Current.Millisecond, 0);
  EXPECT_LE(Current.Millisecond, 999);
}

}  // namespace
