// 32-bit integer values: Integer32 and the unsigned family (Counter32,
// Gauge32; TimeTicks lives in its own header).
#pragma once

#include <cstdint>

#include "snmp/SnmpConstants.h"
#include "snmp/SnmpSyntax.h"

class SnmpInt32 : public SnmpSyntax {
 public:
  SnmpInt32(std::int32_t v = 0) : value_(v) {}  // NOLINT: implicit, like a number
  SnmpInt32& operator=(std::int32_t v) {
    value_ = v;
    return *this;
  }
  operator std::int32_t() const { return value_; }  // NOLINT
  std::int32_t value() const { return value_; }

  std::uint32_t get_syntax() const override { return sNMP_SYNTAX_INT32; }
  std::string get_printable() const override;  // "%d"
  std::unique_ptr<SnmpSyntax> clone() const override;
  // Accepts Integer32 only.
  bool assign(const SnmpSyntax& other) override;

 private:
  std::int32_t value_;
};

// Unsigned 32-bit value; on the wire a Gauge32 unless a subclass says otherwise.
class SnmpUInt32 : public SnmpSyntax {
 public:
  SnmpUInt32(std::uint32_t v = 0) : value_(v) {}  // NOLINT
  SnmpUInt32& operator=(std::uint32_t v) {
    value_ = v;
    return *this;
  }
  operator std::uint32_t() const { return value_; }  // NOLINT
  std::uint32_t value() const { return value_; }

  std::uint32_t get_syntax() const override { return sNMP_SYNTAX_UINT32; }
  std::string get_printable() const override;  // "%u"
  std::unique_ptr<SnmpSyntax> clone() const override;
  // Accepts any of Counter32, Gauge32 and TimeTicks; keeps its own tag.
  bool assign(const SnmpSyntax& other) override;

 private:
  std::uint32_t value_;
};

class Counter32 : public SnmpUInt32 {
 public:
  Counter32(std::uint32_t v = 0) : SnmpUInt32(v) {}  // NOLINT
  using SnmpUInt32::operator=;
  std::uint32_t get_syntax() const override { return sNMP_SYNTAX_CNTR32; }
  std::unique_ptr<SnmpSyntax> clone() const override;
};

class Gauge32 : public SnmpUInt32 {
 public:
  Gauge32(std::uint32_t v = 0) : SnmpUInt32(v) {}  // NOLINT
  using SnmpUInt32::operator=;
  std::uint32_t get_syntax() const override { return sNMP_SYNTAX_GAUGE32; }
  std::unique_ptr<SnmpSyntax> clone() const override;
};
