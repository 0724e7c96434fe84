// Counter64: an unsigned 64-bit value, printed in plain decimal.
#pragma once

#include <cstdint>

#include "snmp/SnmpConstants.h"
#include "snmp/SnmpSyntax.h"

class Counter64 : public SnmpSyntax {
 public:
  Counter64(std::uint64_t v = 0) : value_(v) {}  // NOLINT
  Counter64(std::uint32_t high, std::uint32_t low)
      : value_((static_cast<std::uint64_t>(high) << 32) | low) {}
  // From a floating-point number: truncated; negative and NaN give 0,
  // values beyond the range give the largest counter.
  static Counter64 from_long_double(long double v);
  long double to_long_double() const { return static_cast<long double>(value_); }

  Counter64& operator=(std::uint64_t v) {
    value_ = v;
    return *this;
  }
  std::uint64_t value() const { return value_; }
  std::uint32_t high() const { return static_cast<std::uint32_t>(value_ >> 32); }
  std::uint32_t low() const { return static_cast<std::uint32_t>(value_); }
  void set_high(std::uint32_t h) { value_ = (static_cast<std::uint64_t>(h) << 32) | low(); }
  void set_low(std::uint32_t l) { value_ = (value_ & 0xFFFFFFFF00000000ULL) | l; }

  std::uint32_t get_syntax() const override { return sNMP_SYNTAX_CNTR64; }
  std::string get_printable() const override;  // decimal, no sign or separators
  std::unique_ptr<SnmpSyntax> clone() const override;
  bool assign(const SnmpSyntax& other) override;  // Counter64 only

  friend bool operator==(const Counter64& a, const Counter64& b) { return a.value_ == b.value_; }

 private:
  std::uint64_t value_;
};
