#include "snmp/TimeTicks.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::uint64_t kDay = 8640000;
constexpr std::uint64_t kHour = 360000;
constexpr std::uint64_t kMinute = 6000;
constexpr std::uint64_t kSecond = 100;

// Leading decimal number after blanks; 0 when there are no digits. Large
// numbers saturate (the total wraps to 32 bits anyway).
std::uint64_t LeadingNumber(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  std::uint64_t n = 0;
  for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) {
    if (n < (1ULL << 40)) n = n * 10 + static_cast<std::uint64_t>(s[i] - '0');
  }
  return n;
}

// Hundredths from the digits after a decimal point: "4" -> 40, "45" -> 45.
std::uint64_t Hundredths(std::string_view digits) {
  std::uint64_t cc = 0;
  int used = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c)) || used == 2) break;
    cc = cc * 10 + static_cast<std::uint64_t>(c - '0');
    ++used;
  }
  return used == 1 ? cc * 10 : cc;
}

std::uint64_t TimeOfDay(std::string_view rest) {
  if (rest.find(':') == std::string_view::npos && rest.find('.') == std::string_view::npos) {
    return 0;
  }
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    std::size_t colon = rest.find(':', start);
    fields.push_back(rest.substr(start, colon == std::string_view::npos ? colon : colon - start));
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  if (fields.size() > 3) fields.erase(fields.begin(), fields.end() - 3);
  // The last field holds the seconds and, after a point, the hundredths.
  std::string_view last = fields.back();
  std::uint64_t cc = 0;
  if (std::size_t dot = last.find('.'); dot != std::string_view::npos) {
    cc = Hundredths(last.substr(dot + 1));
    last = last.substr(0, dot);
  }
  std::uint64_t total = LeadingNumber(last) * kSecond + cc;
  if (fields.size() >= 2) total += LeadingNumber(fields[fields.size() - 2]) * kMinute;
  if (fields.size() == 3) total += LeadingNumber(fields[0]) * kHour;
  return total;
}

}  // namespace

std::uint32_t TimeTicks::parse(const std::string& text) {
  std::string_view s(text);
  std::uint64_t days = 0;
  std::size_t rest_start = 0;
  std::size_t day = s.find("day");
  if (day != std::string_view::npos) {
    days = LeadingNumber(s.substr(0, day));
    rest_start = day + 3;
    if (rest_start < s.size() && s[rest_start] == 's') ++rest_start;
  }
  if (std::size_t comma = s.find(','); comma != std::string_view::npos) rest_start = comma + 1;
  std::uint64_t total = days * kDay + TimeOfDay(s.substr(rest_start));
  return static_cast<std::uint32_t>(total);  // wraps like the 32-bit counter it is
}

TimeTicks& TimeTicks::operator=(const std::string& text) {
  SnmpUInt32::operator=(parse(text));
  return *this;
}

std::string TimeTicks::format(std::uint32_t hundredths) {
  std::uint32_t days = static_cast<std::uint32_t>(hundredths / kDay);
  std::uint32_t rest = static_cast<std::uint32_t>(hundredths % kDay);
  unsigned h = static_cast<unsigned>(rest / kHour);
  unsigned m = static_cast<unsigned>((rest / kMinute) % 60);
  unsigned sec = static_cast<unsigned>((rest / kSecond) % 60);
  unsigned cc = static_cast<unsigned>(rest % kSecond);
  char buf[64];
  if (days == 0) {
    std::snprintf(buf, sizeof buf, "%u:%02u:%02u.%02u", h, m, sec, cc);
  } else if (days == 1) {
    std::snprintf(buf, sizeof buf, "1 day %u:%02u:%02u.%02u", h, m, sec, cc);
  } else {
    std::snprintf(buf, sizeof buf, "%u days, %u:%02u:%02u.%02u", days, h, m, sec, cc);
  }
  return buf;
}

std::string TimeTicks::get_printable() const { return format(value()); }

std::unique_ptr<SnmpSyntax> TimeTicks::clone() const { return std::make_unique<TimeTicks>(*this); }
