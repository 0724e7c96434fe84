#include <gtest/gtest.h>

#include <array>
#include <ctime>

#include "library/VnDateTime.h"

namespace {

using Octets = std::array<BYTE, VnDateTime::kOctets>;

Octets Wire(const VnDateTime& v) {
  Octets out{};
  v.ToWire(out.data());
  return out;
}

}  // namespace

TEST(VnDateTime, ParsesAndFormatsWithZone) {
  VnDateTime v = VnDateTime::Parse("2009-3-5,14:7:9.0,+8:0");
  EXPECT_EQ(v.Year, 2009);
  EXPECT_EQ(v.Month, 3);
  EXPECT_EQ(v.Day, 5);
  EXPECT_EQ(v.Hour, 14);
  EXPECT_EQ(v.Minutes, 7);
  EXPECT_EQ(v.Seconds, 9);
  EXPECT_EQ(v.DeciSeconds, 0);
  EXPECT_EQ(v.Direction, '+');
  EXPECT_EQ(v.ZoneHours, 8);
  EXPECT_EQ(v.ZoneMinutes, 0);
  EXPECT_EQ(v.Format(), "2009-3-5,14:7:9.0,+8:0");
  const Octets expected = {0x07, 0xD9, 0x03, 0x05, 0x0E, 0x07, 0x09, 0x00, 0x2B, 0x08, 0x00};
  EXPECT_EQ(Wire(v), expected);

  VnDateTime west = VnDateTime::Parse("2009-3-5,14:7:9.0,-5:30");
  EXPECT_EQ(west.Direction, '-');
  EXPECT_EQ(west.ZoneHours, 5);
  EXPECT_EQ(west.ZoneMinutes, 30);
  EXPECT_EQ(west.Format(), "2009-3-5,14:7:9.0,-5:30");
  EXPECT_EQ(Wire(west)[8], '-');
}

TEST(VnDateTime, LeadingZerosAndMissingZone) {
  VnDateTime v = VnDateTime::Parse("2009-03-05,14:07:09.5");
  EXPECT_EQ(v.Direction, '+');
  EXPECT_EQ(v.ZoneHours, 0);
  EXPECT_EQ(v.ZoneMinutes, 0);
  EXPECT_EQ(v.Format(), "2009-3-5,14:7:9.5");
  EXPECT_EQ(Wire(v)[8], '+');

  // Zone 0:0 is never printed, whatever the direction.
  VnDateTime utc = VnDateTime::Parse("2020-1-1,0:0:0.0,-0:0");
  EXPECT_EQ(utc.Direction, '-');
  EXPECT_EQ(utc.Format(), "2020-1-1,0:0:0.0");
  // A zone with minutes only is printed.
  EXPECT_EQ(VnDateTime::Parse("2020-1-1,0:0:0.0,+0:45").Format(), "2020-1-1,0:0:0.0,+0:45");
}

TEST(VnDateTime, ShortTextsLeaveNoFieldUndefined) {
  VnDateTime v = VnDateTime::Parse("2011-7");
  EXPECT_EQ(v.Year, 2011);
  EXPECT_EQ(v.Month, 7);
  EXPECT_EQ(v.Day, 0);
  EXPECT_EQ(v.Hour, 0);
  EXPECT_EQ(v.Minutes, 0);
  EXPECT_EQ(v.Seconds, 0);
  EXPECT_EQ(v.DeciSeconds, 0);
  EXPECT_EQ(v.Format(), "2011-7-0,0:0:0.0");
  EXPECT_EQ(VnDateTime::Parse("").Format(), "0-0-0,0:0:0.0");
  EXPECT_EQ(VnDateTime::Parse("garbage").Format(), "0-0-0,0:0:0.0");
  EXPECT_EQ(VnDateTime::Parse("2009-3-5,14:7").Format(), "2009-3-5,14:7:0.0");
}

TEST(VnDateTime, HalfGivenZoneCountsAsAbsent) {
  EXPECT_EQ(VnDateTime::Parse("2009-3-5,14:7:9.0,+5").Format(), "2009-3-5,14:7:9.0");
  VnDateTime v = VnDateTime::Parse("2009-3-5,14:7:9.0,-5");
  EXPECT_EQ(v.ZoneHours, 0);
  EXPECT_EQ(v.Format(), "2009-3-5,14:7:9.0");
}

TEST(VnDateTime, KeepsLowBitsOfEachField) {
  VnDateTime v = VnDateTime::Parse("70000-300-5,14:7:9.0,+264:1");
  EXPECT_EQ(v.Year, 70000 - 65536);
  EXPECT_EQ(v.Month, 44);
  EXPECT_EQ(v.ZoneHours, 8);
  EXPECT_EQ(VnDateTime::Parse("2009--1-5,0:0:0.0").Month, 255);
  EXPECT_EQ(VnDateTime::Parse("65535-1-1,0:0:0.0").Format(), "65535-1-1,0:0:0.0");
}

TEST(VnDateTime, YearTravelsMostSignificantFirst) {
  const BYTE octets[] = {0x07, 0xD9, 0x0C, 0x1F, 0x17, 0x3B, 0x3C, 0x09, '-', 0x0D, 0x3B};
  VnDateTime v = VnDateTime::FromWire(octets, 11);
  EXPECT_EQ(v.Year, 2009);
  EXPECT_EQ(v.Format(), "2009-12-31,23:59:60.9,-13:59");
  Octets back = Wire(v);
  EXPECT_TRUE(std::equal(back.begin(), back.end(), octets));

  // The raw copies keep memory order; the swap is what makes the year right.
  VnDateTime raw = VnDateTime::Parse("0-0-0,0:0:0.0");
  raw.CopyOctetsIn(octets, 11);
  EXPECT_EQ(raw.Year, 0xD907);
  raw.SwapYearOctets();
  EXPECT_EQ(raw.Year, 0x07D9);
  Octets out{};
  raw.CopyOctetsOut(out.data());
  EXPECT_EQ(out[0], 0xD9);
  EXPECT_EQ(out[1], 0x07);
}

TEST(VnDateTime, ShortWireValueHasNoZone) {
  // The 8-octet form without a zone, and a truncated value.
  const BYTE eight[] = {0x07, 0xE4, 0x02, 0x1D, 0x0C, 0x00, 0x00, 0x03};
  EXPECT_EQ(VnDateTime::FromWire(eight, 8).Format(), "2020-2-29,12:0:0.3");
  EXPECT_EQ(VnDateTime::FromWire(eight, 1).Format(), "1792-0-0,0:0:0.0");
  EXPECT_EQ(VnDateTime::FromWire(nullptr, 0).Format(), "0-0-0,0:0:0.0");
}

TEST(VnDateTime, CurrentTimeHasNoZoneOrDeciSeconds) {
  std::time_t before = std::time(nullptr);
  VnDateTime now;
  std::time_t after = std::time(nullptr);
  EXPECT_EQ(now.DeciSeconds, 0);
  EXPECT_EQ(now.Direction, '+');
  EXPECT_EQ(now.ZoneHours, 0);
  EXPECT_EQ(now.ZoneMinutes, 0);
  const AnsiString text = now.Format();
  EXPECT_EQ(text.SubString(text.Length() - 1, 2), ".0");
  EXPECT_EQ(text.Pos("+"), 0);

  bool matches = false;
  for (std::time_t t = before; t <= after; ++t) {
    std::tm local{};
    localtime_r(&t, &local);
    matches |= now.Year == local.tm_year + 1900 && now.Month == local.tm_mon + 1 &&
               now.Day == local.tm_mday && now.Hour == local.tm_hour &&
               now.Minutes == local.tm_min && now.Seconds == local.tm_sec;
  }
  EXPECT_TRUE(matches) << text;
}

TEST(VnDateTime, AssignmentCopiesEveryField) {
  VnDateTime a = VnDateTime::Parse("2009-3-5,14:7:9.0,-5:30");
  VnDateTime b;
  b = a;
  EXPECT_EQ(b.Format(), a.Format());
  EXPECT_EQ(Wire(b), Wire(a));
}
