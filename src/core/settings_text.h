#pragma once
// Dates, times and floating-point numbers as text under the process-wide format settings, the
// way the class library converts them. A date and time is a count of days since 30 December
// 1899 with the time of day as its fraction.
#include "core/date_time.h"
#include "core/ustring.h"

using TDateTime = double;

TDateTime EncodeDateTime(const TDateTimeParts& T);  // EConvertError for an impossible date
TDateTimeParts DecodeDateTime(TDateTime Value);

// The short date format, the long time format, and both joined by a blank (the time left out
// when it is midnight).
String DateToStr(TDateTime Value);
String TimeToStr(TDateTime Value);
String DateTimeToStr(TDateTime Value);
// Three numbers in the order of the short date format (two: the current year), then a time of
// hours, minutes, seconds and milliseconds with an optional AM/PM; EConvertError
// "'%s' is not a valid date" / "time" / "date and time" otherwise.
TDateTime StrToDate(const String& S);
TDateTime StrToTime(const String& S);
TDateTime StrToDateTime(const String& S);

// Fifteen significant digits, the decimal separator of the format settings, an exponent
// written as "E" and its digits when the number needs one.
String FloatToStr(double Value);
// Blanks, a sign, digits with the decimal separator, an optional exponent; EConvertError
// "'%s' is not a valid floating point value" otherwise.
double StrToFloat(const String& S);
