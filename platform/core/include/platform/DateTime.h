// Date and time values: days since 1899-12-30, the time of day as the
// fraction. Before that day the value is negative and its fraction still
// counts forward from midnight (-1.25 is 1899-12-29 06:00).
//
// Format settings are fixed: date separator "/", time separator ":",
// designators "AM" and "PM", short date "yyyy/mm/dd", long date
// "dddd, mmmm d, yyyy", short time "hh:nn", long time "hh:nn:ss", English
// month and day names.
#pragma once

#include "platform/AnsiString.h"
#include "platform/Types.h"

class TDateTime {
 public:
  TDateTime() = default;
  TDateTime(double v) : Val(v) {}  // NOLINT
  operator double() const { return Val; }

  // Same as FormatDateTime(format, *this).
  AnsiString FormatString(const AnsiString& format) const;

  double Val = 0.0;
};

// The local date and time, to the millisecond.
TDateTime Now();
// Throw EConvertError ("Invalid argument to date encode" / "... time
// encode") on values out of range: years 1..9999, hours 0..23, minutes and
// seconds 0..59, milliseconds 0..999.
TDateTime EncodeDate(WORD year, WORD month, WORD day);
TDateTime EncodeTime(WORD hour, WORD min, WORD sec, WORD msec);
// The same, false (and the value untouched) instead of the exception; a day
// must also lie within its month.
bool TryEncodeDate(WORD year, WORD month, WORD day, TDateTime& date);
bool TryEncodeTime(WORD hour, WORD min, WORD sec, WORD msec, TDateTime& time);
// Values are rounded to the millisecond first. A value outside years
// 1..9999 (or not a number) decodes to zeros.
void DecodeDate(TDateTime dt, WORD& year, WORD& month, WORD& day);
void DecodeTime(TDateTime dt, WORD& hour, WORD& min, WORD& sec, WORD& msec);
bool IsLeapYear(WORD year);
// 1 for Sunday .. 7 for Saturday.
int DayOfWeek(TDateTime dt);

// Format patterns as the class library reads them (letters in either case):
//   y, yy: two-digit year; yyy, yyyy: four-digit year
//   m, mm: month; mmm: "Jan"; mmmm: "January"  (m right after h: minutes)
//   d, dd: day; ddd: "Sun"; dddd: "Sunday"; ddddd: short date; dddddd: long date
//   h, hh: hour; n, nn: minutes; s, ss: seconds; z, zzz: milliseconds
//   t: short time; tt: long time; c: short date, then long time unless midnight
//   am/pm, a/p: the letters as written, picked by the hour; ampm: "AM"/"PM"
//   (any of them turns the hours before it onto the 12-hour clock)
//   "/" and ":": the separators; '...' and "...": literal text
// Any other character is copied. An empty format means "c".
AnsiString FormatDateTime(const AnsiString& format, TDateTime dt);
void DateTimeToString(AnsiString& result, const AnsiString& format, TDateTime dt);
// FormatDateTime("c", dt).
AnsiString DateTimeToStr(TDateTime dt);

// Reads a date "y/m/d" (a year of one or two digits lies within 50 years of
// today; "m/d" is in the current year), a time "h[:n[:s[.z]]]" with an
// optional AM or PM (either case, before or after it), or a date followed by a
// time. Blanks may surround every part. Throws EConvertError
// ("'x' is not a valid date and time").
TDateTime StrToDateTime(const AnsiString& s);
bool TryStrToDateTime(const AnsiString& s, TDateTime& value);
