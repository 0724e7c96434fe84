#include "snmp/Integer.h"

#include <string>

std::string SnmpInt32::get_printable() const { return std::to_string(value_); }

std::unique_ptr<SnmpSyntax> SnmpInt32::clone() const { return std::make_unique<SnmpInt32>(*this); }

bool SnmpInt32::assign(const SnmpSyntax& other) {
  if (other.get_syntax() != sNMP_SYNTAX_INT32) return false;
  const auto* v = dynamic_cast<const SnmpInt32*>(&other);
  if (!v) return false;
  value_ = v->value_;
  return true;
}

std::string SnmpUInt32::get_printable() const { return std::to_string(value_); }

std::unique_ptr<SnmpSyntax> SnmpUInt32::clone() const {
  return std::make_unique<SnmpUInt32>(*this);
}

bool SnmpUInt32::assign(const SnmpSyntax& other) {
  const auto* v = dynamic_cast<const SnmpUInt32*>(&other);
  if (!v) return false;
  value_ = v->value_;
  return true;
}

std::unique_ptr<SnmpSyntax> Counter32::clone() const { return std::make_unique<Counter32>(*this); }

std::unique_ptr<SnmpSyntax> Gauge32::clone() const { return std::make_unique<Gauge32>(*this); }
