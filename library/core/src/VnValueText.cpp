#include "library/VnValueText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "library/VnErrors.h"
#include "library/VnSNMPVarDesc.h"
#include "platform/DateTime.h"
#include "platform/NumberText.h"

const char* const VnNullValueText = "(NULL)";

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Reads the digits at p (none: 0), modulo 2^64; advances p.
std::uint64_t ReadDigits(const char*& p) {
  std::uint64_t v = 0;
  while (IsDigit(*p)) v = v * 10u + static_cast<std::uint64_t>(*p++ - '0');
  return v;
}

// The longest prefix of s that reads as a decimal floating-point number
// (after leading white space); empty when there is none.
std::string FloatPrefix(const AnsiString& text) {
  const char* s = text.c_str();
  const char* end = s + text.Length();
  const char* p = s;
  while (p < end && IsSpace(*p)) ++p;
  const char* start = p;
  if (p < end && (*p == '+' || *p == '-')) ++p;
  bool digits = false;
  while (p < end && IsDigit(*p)) ++p, digits = true;
  if (p < end && *p == '.') {
    ++p;
    while (p < end && IsDigit(*p)) ++p, digits = true;
  }
  if (!digits) return std::string();
  const char* mantissaEnd = p;
  if (p < end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q < end && (*q == '+' || *q == '-')) ++q;
    if (q < end && IsDigit(*q)) {
      while (q < end && IsDigit(*q)) ++q;
      mantissaEnd = q;
    }
  }
  return std::string(start, mantissaEnd);
}

}  // namespace

AnsiString VnHexText(const std::uint8_t* octets, std::size_t count) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(count * 2);
  for (std::size_t i = 0; i < count; ++i) {
    out += kDigits[octets[i] >> 4];
    out += kDigits[octets[i] & 0x0F];
  }
  return AnsiString(std::move(out));
}

VnOctets VnHexOctets(const AnsiString& text) {
  std::string digits;
  digits.reserve(static_cast<std::size_t>(text.Length()));
  for (char c : text.str())
    if (c != ' ') digits += c;
  VnOctets out;
  out.reserve(digits.size() / 2 + 1);
  std::size_t i = 0;
  auto value = [](char c) { return HexDigit(c) < 0 ? 0 : HexDigit(c); };
  if (digits.size() % 2 == 1) out.push_back(static_cast<std::uint8_t>(value(digits[i++])));
  for (; i + 1 < digits.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(value(digits[i]) * 16 + value(digits[i + 1])));
  return out;
}

bool VnIsHexText(const AnsiString& text) {
  for (char c : text.str())
    if (c != ' ' && HexDigit(c) < 0) return false;
  return true;
}

AnsiString VnTimeTicksText(std::uint32_t hundredths) {
  unsigned long t = hundredths;
  unsigned long days = t / 8640000UL;
  t %= 8640000UL;
  unsigned long hours = t / 360000UL;
  t %= 360000UL;
  unsigned long minutes = t / 6000UL;
  t %= 6000UL;
  unsigned long seconds = t / 100UL;
  unsigned long cc = t % 100UL;
  AnsiString out;
  if (days == 0)
    out.sprintf("%lu:%02lu:%02lu.%02lu", hours, minutes, seconds, cc);
  else if (days == 1)
    out.sprintf("1 day %lu:%02lu:%02lu.%02lu", hours, minutes, seconds, cc);
  else
    out.sprintf("%lu days, %lu:%02lu:%02lu.%02lu", days, hours, minutes, seconds, cc);
  return out;
}

std::uint32_t VnTimeTicksValue(const AnsiString& text) {
  const std::string& s = text.str();
  std::uint64_t days = 0;
  std::size_t rest = 0;
  std::size_t dayWord = std::string::npos;
  for (std::size_t i = 0; i + 3 <= s.size(); ++i) {
    if ((s[i] == 'd' || s[i] == 'D') && (s[i + 1] == 'a' || s[i + 1] == 'A') &&
        (s[i + 2] == 'y' || s[i + 2] == 'Y')) {
      dayWord = i;
      break;
    }
  }
  if (dayWord != std::string::npos) {
    const char* p = s.c_str();
    while (IsSpace(*p)) ++p;
    days = ReadDigits(p);
    rest = dayWord + 3;
    if (rest < s.size() && (s[rest] == 's' || s[rest] == 'S')) ++rest;
  }
  std::size_t comma = s.find(',');
  if (comma != std::string::npos) rest = comma + 1;

  std::uint64_t hours = 0, minutes = 0, seconds = 0, cc = 0;
  std::string clock = s.substr(rest < s.size() ? rest : s.size());
  if (clock.find(':') != std::string::npos || clock.find('.') != std::string::npos) {
    const char* p = clock.c_str();
    while (IsSpace(*p)) ++p;
    hours = ReadDigits(p);
    if (*p == ':') {
      ++p;
      minutes = ReadDigits(p);
      if (*p == ':') {
        ++p;
        seconds = ReadDigits(p);
      }
    }
    if (*p == '.') {
      ++p;
      cc = ReadDigits(p);
    }
  }
  std::uint64_t t = days * 8640000u + hours * 360000u + minutes * 6000u + seconds * 100u + cc;
  return static_cast<std::uint32_t>(t);
}

bool VnIsTimeTicksText(const AnsiString& text) {
  const char* p = text.c_str();
  const char* end = p + text.Length();
  while (p < end && IsSpace(*p)) ++p;
  while (end > p && IsSpace(end[-1])) --end;
  // From least to most digits at p, and no digit after them; their value in v.
  auto digits = [&](std::size_t least, std::size_t most, std::uint64_t& v) {
    std::size_t n = 0;
    v = 0;
    while (p < end && IsDigit(*p) && n < most)
      v = v * 10u + static_cast<std::uint64_t>(*p++ - '0'), ++n;
    return n >= least && (p == end || !IsDigit(*p));
  };
  auto literal = [&](const char* word) {
    const std::size_t n = std::strlen(word);
    if (static_cast<std::size_t>(end - p) < n || std::strncmp(p, word, n) != 0) return false;
    p += n;
    return true;
  };
  std::uint64_t days = 0, hours = 0, minutes = 0, seconds = 0, cc = 0;
  if (!digits(1, 10, hours)) return false;
  if (literal(" day")) {
    days = hours;
    const bool plural = literal("s,");
    if ((!plural && days != 1) || !literal(" ") || !digits(1, 2, hours) || hours > 23) return false;
  }
  if (!literal(":") || !digits(1, 2, minutes) || minutes > 59) return false;
  if (!literal(":") || !digits(1, 2, seconds) || seconds > 59) return false;
  if (!literal(".") || !digits(2, 2, cc) || p != end) return false;
  const std::uint64_t t = days * 8640000u + hours * 360000u + minutes * 6000u + seconds * 100u + cc;
  return t <= UINT32_MAX;
}

AnsiString VnCounter64Text(std::uint64_t value) {
  return AnsiString(static_cast<unsigned long long>(value));
}

std::uint64_t VnCounter64Value(const AnsiString& text) {
  long double v = VnLongFloatValue(text);
  if (!(v > 0.0L)) return 0;  // negative, zero or not a number
  if (v >= 18446744073709551616.0L) return UINT64_MAX;
  return static_cast<std::uint64_t>(v);
}

bool VnIsWholeNumber(const AnsiString& text, std::int64_t least, std::uint64_t most) {
  const char* p = text.c_str();
  const char* end = p + text.Length();
  while (p < end && IsSpace(*p)) ++p;
  while (end > p && IsSpace(end[-1])) --end;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = (*p++ == '-');
  if (p == end) return false;
  // Magnitudes beyond 2^64 - 1 fit no syntax; stop before they wrap.
  std::uint64_t v = 0;
  for (; p < end; ++p) {
    if (!IsDigit(*p)) return false;
    const auto digit = static_cast<std::uint64_t>(*p - '0');
    if (v > (UINT64_MAX - digit) / 10u) return false;
    v = v * 10u + digit;
  }
  if (!negative) return v <= most && (least <= 0 || v >= static_cast<std::uint64_t>(least));
  if (v == 0) return least <= 0;
  // -v >= least, with least negative: v <= -least.
  return least < 0 && v <= static_cast<std::uint64_t>(-(least + 1)) + 1u;
}

namespace {

// The range of the numbers a syntax carries; false for one that is no
// number.
bool NumberRange(std::uint32_t syntax, std::int64_t& least, std::uint64_t& most) {
  switch (syntax) {
    case SNMP_SYNTAX_INTEGER:
      least = INT32_MIN;
      most = INT32_MAX;
      return true;
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
      least = 0;
      most = UINT32_MAX;
      return true;
    case SNMP_SYNTAX_COUNTER64:
      least = 0;
      most = UINT64_MAX;
      return true;
    default:
      return false;
  }
}

}  // namespace

bool VnIsNumberPastSyntax(const AnsiString& text, std::uint32_t syntax) {
  std::int64_t least = 0;
  std::uint64_t most = 0;
  return NumberRange(syntax, least, most) && VnIsWholeNumber(text, INT64_MIN, UINT64_MAX) &&
         !VnIsWholeNumber(text, least, most);
}

std::uint32_t VnLeadingNumber(const AnsiString& text) {
  const char* p = text.c_str();
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  std::uint32_t v = 0;
  while (IsDigit(*p)) v = v * 10u + static_cast<std::uint32_t>(*p++ - '0');
  return negative ? 0u - v : v;
}

double VnFloatValue(const AnsiString& text) {
  std::string prefix = FloatPrefix(text);
  return prefix.empty() ? 0.0 : LeadingFloat(prefix.c_str());
}

long double VnLongFloatValue(const AnsiString& text) {
  std::string prefix = FloatPrefix(text);
  return prefix.empty() ? 0.0L : LeadingLongFloat(prefix.c_str());
}

AnsiString VnDisplayText(const std::uint8_t* octets, std::size_t count) {
  std::size_t n = 0;
  while (n < count && octets[n] != 0) ++n;
  return AnsiString(reinterpret_cast<const char*>(octets), static_cast<int>(n));
}

AnsiString VnDottedText(const std::uint32_t* subIds, std::size_t count) {
  std::string text(count * 11, '\0');  // ten digits and a dot at most
  char* const begin = text.data();
  char* out = begin;
  for (std::size_t i = 0; i < count; ++i) {
    if (i) *out++ = '.';
    out = std::to_chars(out, begin + text.size(), subIds[i]).ptr;
  }
  text.resize(static_cast<std::size_t>(out - begin));
  return AnsiString(std::move(text));
}

bool VnParseDotted(const AnsiString& text, VnSubIds& out) {
  out.clear();
  const std::string& s = text.str();
  if (s.empty()) return true;
  out.reserve(static_cast<std::size_t>(std::count(s.begin(), s.end(), '.')) + 1);
  std::size_t i = s[0] == '.' ? 1 : 0;
  if (i == s.size()) return false;
  while (true) {
    if (i >= s.size() || !IsDigit(s[i])) return false;
    std::uint64_t v = 0;
    while (i < s.size() && IsDigit(s[i])) {
      v = v * 10u + static_cast<std::uint64_t>(s[i++] - '0');
      if (v > 0xFFFFFFFFu) return false;
    }
    out.push_back(static_cast<std::uint32_t>(v));
    if (i == s.size()) return true;
    if (s[i] != '.') return false;
    ++i;
  }
}

bool VnIsSendableOid(const VnSubIds& subIds) {
  if (subIds.size() < 2 || subIds[0] > 2) return false;
  if (subIds[0] < 2) return subIds[1] < 40;
  return subIds[1] <= UINT32_MAX - 80u;
}

AnsiString VnCalendarText(double dateTime) {
  // 0001-01-01 is day -693593, 9999-12-31 ends before day 2958466.
  if (!std::isfinite(dateTime) || dateTime <= -693594.0 || dateTime >= 2958466.0)
    RaiseLibraryError(VNERR_BAD_SYNTAX);
  AnsiString out;
  DateTimeToString(out, "yyyy/mm/dd hh:nn:ss am/pm", TDateTime(dateTime));
  return out;
}

double VnCalendarValue(const AnsiString& text) { return StrToDateTime(text).Val; }

void VnDoubleToOctets(double value, std::uint8_t out[8]) { std::memcpy(out, &value, 8); }

double VnOctetsToDouble(const std::uint8_t in[8]) {
  double value;
  std::memcpy(&value, in, 8);
  return value;
}
