#pragma once
// Local date and time as the class library formats them.
#include <cstdint>

#include "core/ustring.h"

struct TDateTimeParts {
  int Year = 1899, Month = 12, Day = 30;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

TDateTimeParts Now();  // the current local date and time

// The format letters of the class library: d dd (day), m mm (month; after h or hh: minutes),
// yy yyyy (year), h hh (hour 0-23), n nn (minute), s ss (second), z zzz (milliseconds), ":" the
// time separator and "/" the date separator of the format settings, "ampm" the AM or PM text
// (the hours then run from 1 to 12); text in '...' or "..." is copied; every other character
// stands for itself.
String FormatDateTime(const String& Format, const TDateTimeParts& T);
