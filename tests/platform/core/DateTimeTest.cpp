#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/DateTime.h"
#include "platform/Exceptions.h"

namespace {

TDateTime At(WORD y, WORD mo, WORD d, WORD h = 0, WORD mi = 0, WORD s = 0, WORD ms = 0) {
  TDateTime date = EncodeDate(y, mo, d);
  TDateTime time = EncodeTime(h, mi, s, ms);
  return date.Val >= 0 ? date.Val + time.Val : date.Val - time.Val;
}

std::string Decoded(TDateTime dt) {
  WORD y, mo, d, h, mi, s, ms;
  DecodeDate(dt, y, mo, d);
  DecodeTime(dt, h, mi, s, ms);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", y, mo, d, h, mi, s, ms);
  return buf;
}

std::string ConvertErrorOf(const AnsiString& text) {
  try {
    StrToDateTime(text);
  } catch (const EConvertError& e) {
    return e.Message.str();
  }
  return "<no exception>";
}

}  // namespace

TEST(DateTime, DayNumbersAroundTheEpochAndTheRangeEnds) {
  EXPECT_EQ(EncodeDate(1899, 12, 30).Val, 0.0);
  EXPECT_EQ(EncodeDate(1899, 12, 29).Val, -1.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1).Val, 2.0);
  EXPECT_EQ(EncodeDate(1900, 3, 1).Val, 61.0);  // 1900 has no 29 February
  EXPECT_EQ(EncodeDate(2000, 1, 1).Val, 36526.0);
  EXPECT_EQ(EncodeDate(1, 1, 1).Val, -693593.0);
  EXPECT_EQ(EncodeDate(9999, 12, 31).Val, 2958465.0);
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0).Val, 0.5);
  EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0).Val, 0.25);
  EXPECT_EQ(Decoded(0.0), "1899-12-30 00:00:00.000");
}

TEST(DateTime, EncodeRejectsWhatTheCalendarLacks) {
  EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
  EXPECT_NO_THROW(EncodeDate(2004, 2, 29));
  EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(2100, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(2009, 4, 31), EConvertError);
  EXPECT_THROW(EncodeDate(2009, 13, 1), EConvertError);
  EXPECT_THROW(EncodeDate(2009, 0, 1), EConvertError);
  EXPECT_THROW(EncodeDate(2009, 1, 0), EConvertError);
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
  EXPECT_THROW(EncodeDate(10000, 1, 1), EConvertError);
  try {
    EncodeDate(2009, 2, 29);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Invalid argument to date encode");
  }
  EXPECT_NO_THROW(EncodeTime(23, 59, 59, 999));
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
  try {
    EncodeTime(0, 0, 0, 1000);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Invalid argument to time encode");
  }
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2023));
}

TEST(DateTime, EveryDayDecodesToWhatEncodedIt) {
  auto check = [](int day) {
    WORD y, m, d;
    DecodeDate(static_cast<double>(day), y, m, d);
    ASSERT_NE(y, 0) << day;
    ASSERT_EQ(EncodeDate(y, m, d).Val, static_cast<double>(day)) << y << "-" << m << "-" << d;
  };
  for (int day = -2000; day <= 80000; ++day) check(day);  // 1894 to 2118, every day
  for (int day = -693593; day <= 2958465; day += 997) check(day);
  check(2958465);
}

TEST(DateTime, DecodeRoundsToTheMillisecondAndHandlesNegativeDays) {
  EXPECT_EQ(Decoded(At(2009, 3, 5, 15, 4, 5, 7)), "2009-03-05 15:04:05.007");
  EXPECT_EQ(Decoded(At(2024, 2, 29, 23, 59, 59, 999)), "2024-02-29 23:59:59.999");
  // A hair before midnight rounds into the next day.
  EXPECT_EQ(Decoded(EncodeDate(2009, 3, 5).Val + 0.9999999999), "2009-03-06 00:00:00.000");
  // Before 1899-12-30 the fraction still counts forward from midnight.
  EXPECT_EQ(Decoded(-1.25), "1899-12-29 06:00:00.000");
  EXPECT_EQ(Decoded(-0.5), "1899-12-30 12:00:00.000");
  EXPECT_EQ(Decoded(-2.75), "1899-12-28 18:00:00.000");
  EXPECT_EQ(At(1899, 12, 29, 6).Val, -1.25);
  EXPECT_EQ(Decoded(At(1, 1, 1, 23, 59, 59, 999)), "0001-01-01 23:59:59.999");
  // Values outside the calendar decode to zeros instead of garbage.
  EXPECT_EQ(Decoded(1e300), "0000-00-00 00:00:00.000");
  EXPECT_EQ(Decoded(-1e9), "0000-00-00 00:00:00.000");
  EXPECT_EQ(Decoded(std::nan("")), "0000-00-00 00:00:00.000");
}

TEST(DateTime, DayOfWeek) {
  EXPECT_EQ(DayOfWeek(0.0), 7);                       // Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2009, 3, 5)), 5);    // Thursday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);  // Sunday, a negative day
}

TEST(FormatDateTime, ClockPatternOnTheTwelveHourClock) {
  const AnsiString f = "hh:nn:ss ampm";
  EXPECT_EQ(FormatDateTime(f, At(2009, 3, 5, 15, 4, 5)), "03:04:05 PM");
  EXPECT_EQ(FormatDateTime(f, At(2009, 3, 5, 0, 0, 0)), "12:00:00 AM");
  EXPECT_EQ(FormatDateTime(f, At(2009, 3, 5, 0, 30, 1)), "12:30:01 AM");
  EXPECT_EQ(FormatDateTime(f, At(2009, 3, 5, 11, 59, 59)), "11:59:59 AM");
  EXPECT_EQ(FormatDateTime(f, At(2009, 3, 5, 12, 0, 0)), "12:00:00 PM");
  EXPECT_EQ(FormatDateTime(f, At(2009, 3, 5, 23, 59, 59)), "11:59:59 PM");
  EXPECT_EQ(TDateTime(At(2009, 3, 5, 9, 7, 9)).FormatString(f), "09:07:09 AM");
}

TEST(FormatDateTime, CalendarPatternKeepsTheDesignatorCaseAsWritten) {
  const AnsiString f = "yyyy/mm/dd hh:nn:ss am/pm";
  EXPECT_EQ(FormatDateTime(f, At(2009, 3, 5, 15, 4, 5)), "2009/03/05 03:04:05 pm");
  EXPECT_EQ(FormatDateTime(f, At(2009, 3, 5)), "2009/03/05 12:00:00 am");
  EXPECT_EQ(FormatDateTime(f, At(2009, 3, 5, 12)), "2009/03/05 12:00:00 pm");
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss AM/PM", At(2009, 3, 5, 12)),
            "2009/03/05 12:00:00 PM");
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", At(2009, 3, 5, 15, 4, 5)), "2009/03/05 15:04:05");
  EXPECT_EQ(FormatDateTime(f, -1.25), "1899/12/29 06:00:00 am");
  AnsiString out;
  DateTimeToString(out, f, At(1999, 12, 31, 23, 59, 59));
  EXPECT_EQ(out, "1999/12/31 11:59:59 pm");
}

TEST(FormatDateTime, TokensLiteralsAndNestedFormats) {
  const TDateTime t = At(2009, 3, 5, 15, 4, 5, 7);
  EXPECT_EQ(FormatDateTime("d/m/yy", t), "5/3/09");
  EXPECT_EQ(FormatDateTime("y yyy", t), "09 2009");
  EXPECT_EQ(FormatDateTime("mmm mmmm ddd dddd", t), "Mar March Thu Thursday");
  EXPECT_EQ(FormatDateTime("h:m", t), "15:4");  // m after h means minutes
  EXPECT_EQ(FormatDateTime("hh:mm", t), "15:04");
  EXPECT_EQ(FormatDateTime("hh mm mm", t), "15 04 03");  // only the first m after h
  EXPECT_EQ(FormatDateTime("n s z zz zzz", t), "4 5 7 07 007");
  EXPECT_EQ(FormatDateTime("h a/p", t), "3 p");
  EXPECT_EQ(FormatDateTime("h A/P", At(2009, 3, 5, 1)), "1 A");
  EXPECT_EQ(FormatDateTime("'at h' hh \"o'clock\"", t), "at h 15 o'clock");
  EXPECT_EQ(FormatDateTime("hh 'am/pm'", t), "15 am/pm");  // a quoted designator is text
  // An hour looks ahead only up to the next hour for a designator.
  EXPECT_EQ(FormatDateTime("hh h ampm", t), "15 3 PM");
  EXPECT_EQ(FormatDateTime("ampm hh", t), "PM 03");
  EXPECT_EQ(FormatDateTime("hh x", t), "15 x");
  EXPECT_EQ(FormatDateTime("c", t), "2009/03/05 15:04:05");
  EXPECT_EQ(FormatDateTime("c", At(2009, 3, 5)), "2009/03/05");
  EXPECT_EQ(FormatDateTime("", t), "2009/03/05 15:04:05");
  EXPECT_EQ(DateTimeToStr(t), "2009/03/05 15:04:05");
  EXPECT_EQ(FormatDateTime("t|tt", t), "15:04|15:04:05");
  EXPECT_EQ(FormatDateTime("ddddd|dddddd", t), "2009/03/05|Thursday, March 5, 2009");
  EXPECT_EQ(FormatDateTime("aaa aaaa", t), "Thu Thursday");
  EXPECT_EQ(FormatDateTime("'unclosed", t), "unclosed");
}

TEST(StrToDateTime, ReadsWhatFormatDateTimeWrites) {
  const double values[] = {At(2009, 3, 5, 15, 4, 5),     At(2009, 3, 5),
                           At(2009, 3, 5, 12),           At(2000, 2, 29, 0, 0, 1),
                           At(1899, 12, 30, 23, 59, 59), At(1899, 12, 29, 6),
                           At(1, 1, 1, 1, 2, 3),         At(9999, 12, 31, 23, 59, 59)};
  for (double v : values) {
    for (const char* f :
         {"yyyy/mm/dd hh:nn:ss", "yyyy/mm/dd hh:nn:ss am/pm", "yyyy/mm/dd hh:nn:ss AM/PM", "c"}) {
      const AnsiString text = FormatDateTime(f, v);
      EXPECT_NEAR(StrToDateTime(text).Val, v, 1e-9) << text;
    }
  }
}

TEST(StrToDateTime, DateAloneTimeAloneAndBlanks) {
  EXPECT_EQ(StrToDateTime("2009/3/5").Val, EncodeDate(2009, 3, 5).Val);
  EXPECT_NEAR(StrToDateTime("  2009 / 03 / 05   15:04:05  ").Val, At(2009, 3, 5, 15, 4, 5), 1e-9);
  EXPECT_NEAR(StrToDateTime("15:04").Val, EncodeTime(15, 4, 0, 0).Val, 1e-9);
  EXPECT_NEAR(StrToDateTime("3:04 pm").Val, EncodeTime(15, 4, 0, 0).Val, 1e-9);
  EXPECT_NEAR(StrToDateTime("PM 3:04").Val, EncodeTime(15, 4, 0, 0).Val, 1e-9);
  EXPECT_NEAR(StrToDateTime("12:00:00 AM").Val, 0.0, 1e-9);
  EXPECT_NEAR(StrToDateTime("12:00 PM").Val, 0.5, 1e-9);
  EXPECT_NEAR(StrToDateTime("7").Val, EncodeTime(7, 0, 0, 0).Val, 1e-9);
  EXPECT_NEAR(StrToDateTime("10:20:30.250").Val, EncodeTime(10, 20, 30, 250).Val, 1e-9);
  TDateTime v;
  ASSERT_TRUE(TryStrToDateTime("3/5", v));
  WORD y, m, d, cy, cm, cd;
  DecodeDate(v, y, m, d);
  DecodeDate(Now(), cy, cm, cd);
  EXPECT_EQ(y, cy);
  EXPECT_EQ(m, 3);
  EXPECT_EQ(d, 5);
  // Two-digit years lie within 50 years of today.
  ASSERT_TRUE(TryStrToDateTime("09/3/5", v));
  DecodeDate(v, y, m, d);
  EXPECT_EQ(y % 100, 9);
  EXPECT_LE(y, cy + 50);
  EXPECT_GT(y, cy - 50);
}

TEST(StrToDateTime, InvalidTextThrowsConvertError) {
  EXPECT_EQ(ConvertErrorOf("abc"), "'abc' is not a valid date and time");
  EXPECT_EQ(ConvertErrorOf(""), "'' is not a valid date and time");
  for (const char* bad :
       {"2009/02/29", "2009/13/01", "2009/03/05 24:00", "2009/03/05 10:60", "13:00 PM", "0:30 AM",
        "2009/03/05 10:00 x", "2009-03-05", "2009/03/", "10:", "10:00:", "10:00:00.", "/3/5",
        "2009/03/05 pm", "99999/1/1", "2009/03/0510:00", "--1"}) {
    TDateTime v = 42.0;
    EXPECT_FALSE(TryStrToDateTime(bad, v)) << bad;
    EXPECT_EQ(v.Val, 42.0) << bad;
    EXPECT_THROW(StrToDateTime(bad), EConvertError) << bad;
  }
}

TEST(DateTime, NowIsToday) {
  const TDateTime before = Now();
  const TDateTime after = Now();
  EXPECT_LE(before.Val, after.Val);
  EXPECT_GT(before.Val, EncodeDate(2020, 1, 1).Val);
  EXPECT_LT(after.Val - before.Val, 1.0 / 24);
}
