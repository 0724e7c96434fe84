// TimeTicks: hundredths of a second, with the text form
// "H:MM:SS.cc", "1 day H:MM:SS.cc" or "D days, H:MM:SS.cc".
#pragma once

#include <string>

#include "snmp/Integer.h"

class TimeTicks : public SnmpUInt32 {
 public:
  TimeTicks(std::uint32_t hundredths = 0) : SnmpUInt32(hundredths) {}  // NOLINT
  TimeTicks& operator=(std::uint32_t hundredths) {
    SnmpUInt32::operator=(hundredths);
    return *this;
  }
  // Reads the text form back: "[D day[s][,]] [H:]M:S[.cc]". A number before
  // "day"/"days" counts days; the time part starts after the first comma
  // (without one: after the day word, or at the start). A time part without
  // ':' and '.' counts as 0; so does anything unreadable.
  TimeTicks& operator=(const std::string& text);
  static std::uint32_t parse(const std::string& text);

  std::uint32_t get_syntax() const override { return sNMP_SYNTAX_TIMETICKS; }
  std::string get_printable() const override;
  static std::string format(std::uint32_t hundredths);
  std::unique_ptr<SnmpSyntax> clone() const override;
};
