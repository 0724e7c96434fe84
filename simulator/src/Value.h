// Typed SNMP values as the store keeps them, with their text forms.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "simulator/src/Oid.h"

namespace sim {

// The value types of the wire (SMIv2 application types included).
enum class Type : std::uint8_t {
  Integer,
  OctetString,
  ObjectId,
  IpAddress,
  Counter32,
  Gauge32,
  TimeTicks,
  Opaque,
  Counter64,
  Null,
};

struct Value {
  Type type = Type::Null;
  std::int64_t num = 0;   // Integer (signed 32), Counter32, Gauge32, TimeTicks (unsigned 32)
  std::uint64_t big = 0;  // Counter64
  std::string bytes;      // OctetString, Opaque, IpAddress (4 octets)
  Oid oid;                // ObjectId

  static Value Int(std::int64_t v) { return Make(Type::Integer, v); }
  static Value Unsigned(Type t, std::int64_t v) { return Make(t, v); }
  static Value Octets(std::string b) {
    Value v;
    v.type = Type::OctetString;
    v.bytes = std::move(b);
    return v;
  }
  static Value Ip(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d);
  static Value ObjectIdentifier(Oid o) {
    Value v;
    v.type = Type::ObjectId;
    v.oid = std::move(o);
    return v;
  }
  static Value C64(std::uint64_t n) {
    Value v;
    v.type = Type::Counter64;
    v.big = n;
    return v;
  }

  bool operator==(const Value& o) const {
    return type == o.type && num == o.num && big == o.big && bytes == o.bytes && oid == o.oid;
  }

 private:
  static Value Make(Type t, std::int64_t n) {
    Value v;
    v.type = t;
    v.num = n;
    return v;
  }
};

// "INTEGER", "STRING", "OID", "IpAddress", "Counter32", "Gauge32",
// "Timeticks", "Opaque", "Counter64", "NULL".
const char* TypeName(Type t);

// "TYPE:value": strings quoted when printable, else "Hex-STRING:01 AB".
std::string FormatValue(const Value& v);

// Octets as upper-case hex pairs separated by blanks.
std::string HexText(std::string_view bytes);
// Hex digits with optional blanks, colons or dashes between octets; false on
// odd digit counts or other characters.
bool ParseHex(std::string_view text, std::string& out);

// Builds a value from a type letter as the command-line tools take them:
// i INTEGER, u Gauge32, c Counter32, C Counter64, t TimeTicks, a IpAddress,
// o OID, s string, x hex octets, n NULL. False with a reason on bad input.
bool ParseTypedValue(char letter, std::string_view text, Value& out, std::string& error);

}  // namespace sim
