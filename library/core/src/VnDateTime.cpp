// DateAndTime values: text parsing and formatting, wire octets.
#include "library/VnDateTime.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <ctime>

VnDateTime::VnDateTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  Year = static_cast<WORD>(local.tm_year + 1900);
  Month = static_cast<BYTE>(local.tm_mon + 1);
  Day = static_cast<BYTE>(local.tm_mday);
  Hour = static_cast<BYTE>(local.tm_hour);
  Minutes = static_cast<BYTE>(local.tm_min);
  Seconds = static_cast<BYTE>(local.tm_sec);
}

VnDateTime VnDateTime::Parse(const AnsiString& text) {
  // Every field starts at 0, so a short text leaves no field undefined.
  int year = 0, month = 0, day = 0, hour = 0, minutes = 0, seconds = 0, deci = 0;
  int zoneHours = 0, zoneMinutes = 0;
  char direction = '+';
  const char* s = text.c_str();
  if (std::sscanf(s, "%d-%d-%d,%d:%d:%d.%d,+%d:%d", &year, &month, &day, &hour, &minutes, &seconds,
                  &deci, &zoneHours, &zoneMinutes) == 9) {
    direction = '+';
  } else if (std::sscanf(s, "%d-%d-%d,%d:%d:%d.%d,-%d:%d", &year, &month, &day, &hour, &minutes,
                         &seconds, &deci, &zoneHours, &zoneMinutes) == 9) {
    direction = '-';
  } else {
    // No whole zone: a half-read one (",+5", ",-5") is dropped rather than
    // kept with a direction that may be wrong.
    zoneHours = zoneMinutes = 0;
    std::sscanf(s, "%d-%d-%d,%d:%d:%d.%d", &year, &month, &day, &hour, &minutes, &seconds, &deci);
  }

  VnDateTime v{Zeroed{}};
  v.Year = static_cast<WORD>(year);
  v.Month = static_cast<BYTE>(month);
  v.Day = static_cast<BYTE>(day);
  v.Hour = static_cast<BYTE>(hour);
  v.Minutes = static_cast<BYTE>(minutes);
  v.Seconds = static_cast<BYTE>(seconds);
  v.DeciSeconds = static_cast<BYTE>(deci);
  v.Direction = direction;
  v.ZoneHours = static_cast<BYTE>(zoneHours);
  v.ZoneMinutes = static_cast<BYTE>(zoneMinutes);
  return v;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One run of decimal digits at p within its range; p moves past it.
bool ReadField(const char*& p, const char* end, VnDateTime::Range range) {
  long value = 0;
  const char* start = p;
  for (; p < end && *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > range.Most) return false;  // also stops long runs
  }
  return p > start && value >= range.Least;
}

bool ReadChar(const char*& p, const char* end, char c) {
  if (p == end || *p != c) return false;
  ++p;
  return true;
}

}  // namespace

bool VnDateTime::IsValidText(const AnsiString& text) {
  const char* p = text.c_str();
  const char* end = p + text.Length();
  while (p < end && IsBlank(*p)) ++p;
  while (end > p && IsBlank(end[-1])) --end;
  static constexpr char kAfter[] = "--,::.";  // the separator after each of the first six
  for (int k = 0; k < 7; ++k) {
    if (!ReadField(p, end, kRanges[k])) return false;
    if (k < 6 && !ReadChar(p, end, kAfter[k])) return false;
  }
  if (p == end) return true;
  if (!ReadChar(p, end, ',')) return false;
  if (!ReadChar(p, end, '+') && !ReadChar(p, end, '-')) return false;
  return ReadField(p, end, kRanges[7]) && ReadChar(p, end, ':') && ReadField(p, end, kRanges[8]) &&
         p == end;
}

AnsiString VnDateTime::Format() const {
  AnsiString text = AnsiString::Format("%u-%u-%u,%u:%u:%u.%u", unsigned{Year}, unsigned{Month},
                                       unsigned{Day}, unsigned{Hour}, unsigned{Minutes},
                                       unsigned{Seconds}, unsigned{DeciSeconds});
  if ((ZoneHours != 0 || ZoneMinutes != 0) && (Direction == '+' || Direction == '-'))
    text.cat_sprintf(",%c%u:%u", Direction, unsigned{ZoneHours}, unsigned{ZoneMinutes});
  return text;
}

// The year octets are copied as they stand and then swapped, which reads them
// most significant first on a little-endian host.
static_assert(std::endian::native == std::endian::little);

void VnDateTime::SwapYearOctets() { Year = static_cast<WORD>((Year >> 8) | (Year << 8)); }

void VnDateTime::CopyOctetsIn(const BYTE* octets, int length) {
  BYTE buf[kOctets] = {};
  if (octets && length > 0)
    std::memcpy(buf, octets, static_cast<std::size_t>(length < kOctets ? length : kOctets));
  std::memcpy(&Year, buf, sizeof Year);
  Month = buf[2];
  Day = buf[3];
  Hour = buf[4];
  Minutes = buf[5];
  Seconds = buf[6];
  DeciSeconds = buf[7];
  Direction = static_cast<char>(buf[8]);
  ZoneHours = buf[9];
  ZoneMinutes = buf[10];
}

void VnDateTime::CopyOctetsOut(BYTE* octets) const {
  std::memcpy(octets, &Year, sizeof Year);
  octets[2] = Month;
  octets[3] = Day;
  octets[4] = Hour;
  octets[5] = Minutes;
  octets[6] = Seconds;
  octets[7] = DeciSeconds;
  octets[8] = static_cast<BYTE>(Direction);
  octets[9] = ZoneHours;
  octets[10] = ZoneMinutes;
}

VnDateTime VnDateTime::FromWire(const BYTE* octets, int length) {
  VnDateTime v{Zeroed{}};
  v.CopyOctetsIn(octets, length);
  v.SwapYearOctets();
  return v;
}

void VnDateTime::ToWire(BYTE* octets) const {
  VnDateTime out = *this;
  out.SwapYearOctets();
  out.CopyOctetsOut(octets);
}
