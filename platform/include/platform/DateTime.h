// Date and time values: days since 1899-12-30, the time as the fraction.
// Format settings are fixed: date separator "/", time separator ":",
// designators "AM" and "PM".
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

TDateTime Now();
// Throw EConvertError on values out of range.
TDateTime EncodeDate(WORD year, WORD month, WORD day);
TDateTime EncodeTime(WORD hour, WORD min, WORD sec, WORD msec);
void DecodeDate(TDateTime dt, WORD& year, WORD& month, WORD& day);
void DecodeTime(TDateTime dt, WORD& hour, WORD& min, WORD& sec, WORD& msec);

// Format patterns as the class library reads them: y, yy, yyyy, m, mm, d, dd,
// h, hh, n, nn, s, ss, z, zzz, am/pm, a/p, ampm, "/" and ":" separators,
// quoted literals; "m" right after "h" or "hh" means minutes.
AnsiString FormatDateTime(const AnsiString& format, TDateTime dt);
void DateTimeToString(AnsiString& result, const AnsiString& format, TDateTime dt);

// Reads "yyyy/mm/dd", "hh:nn[:ss] [AM|PM]" or both separated by blanks
// (month/day/year order when the first number is not a four-digit year is not
// accepted). Throws EConvertError ("'x' is not a valid date and time").
TDateTime StrToDateTime(const AnsiString& s);
