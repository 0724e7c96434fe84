#include "snmp/Counter64.h"

#include <cmath>
#include <limits>
#include <string>

Counter64 Counter64::from_long_double(long double v) {
  if (std::isnan(v) || v <= 0.0L) return Counter64(std::uint64_t{0});
  // 2^64 is exactly representable; anything at or above it saturates.
  constexpr long double kLimit = 18446744073709551616.0L;
  if (v >= kLimit) return Counter64(std::numeric_limits<std::uint64_t>::max());
  return Counter64(static_cast<std::uint64_t>(v));
}

std::string Counter64::get_printable() const { return std::to_string(value_); }

std::unique_ptr<SnmpSyntax> Counter64::clone() const { return std::make_unique<Counter64>(*this); }

bool Counter64::assign(const SnmpSyntax& other) {
  const auto* v = dynamic_cast<const Counter64*>(&other);
  if (!v) return false;
  value_ = v->value_;
  return true;
}
