#include <gtest/gtest.h>

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
  const TDateTimeParts Current = Now();
  EXPECT_GE(Current.Year, 2024);
  EXPECT_LE(Current.Hour, 23);
}

}  // namespace
