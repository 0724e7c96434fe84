#include "simulator/src/Value.h"

#include <arpa/inet.h>

#include <cerrno>
#include <cstdlib>

namespace sim {

Value Value::Ip(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
  Value v;
  v.type = Type::IpAddress;
  v.bytes = {static_cast<char>(a), static_cast<char>(b), static_cast<char>(c),
             static_cast<char>(d)};
  return v;
}

const char* TypeName(Type t) {
  switch (t) {
    case Type::Integer:
      return "INTEGER";
    case Type::OctetString:
      return "STRING";
    case Type::ObjectId:
      return "OID";
    case Type::IpAddress:
      return "IpAddress";
    case Type::Counter32:
      return "Counter32";
    case Type::Gauge32:
      return "Gauge32";
    case Type::TimeTicks:
      return "Timeticks";
    case Type::Opaque:
      return "Opaque";
    case Type::Counter64:
      return "Counter64";
    case Type::Null:
      return "NULL";
  }
  return "?";
}

std::string HexText(std::string_view bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) text += ' ';
    auto b = static_cast<unsigned char>(bytes[i]);
    text += digits[b >> 4];
    text += digits[b & 15];
  }
  return text;
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Printable(std::string_view s) {
  for (char c : s) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u >= 0x7F) return false;
  }
  return true;
}

bool ParseNumber(std::string_view text, long long lo, long long hi, long long& out) {
  std::string s(text);
  if (s.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
  out = v;
  return true;
}

}  // namespace

bool ParseHex(std::string_view text, std::string& out) {
  out.clear();
  int high = -1;
  for (char c : text) {
    if (c == ' ' || c == ':' || c == '-') {
      if (high >= 0) return false;  // separators only between whole octets
      continue;
    }
    int d = HexDigit(c);
    if (d < 0) return false;
    if (high < 0) {
      high = d;
    } else {
      out += static_cast<char>(high * 16 + d);
      high = -1;
    }
  }
  return high < 0;
}

std::string FormatValue(const Value& v) {
  std::string text = TypeName(v.type);
  switch (v.type) {
    case Type::Integer:
    case Type::Counter32:
    case Type::Gauge32:
    case Type::TimeTicks:
      return text + ":" + std::to_string(v.num);
    case Type::Counter64:
      return text + ":" + std::to_string(v.big);
    case Type::ObjectId:
      return text + ":" + FormatOid(v.oid);
    case Type::IpAddress: {
      std::string ip;
      for (std::size_t i = 0; i < v.bytes.size(); ++i) {
        if (i) ip += '.';
        ip += std::to_string(static_cast<unsigned char>(v.bytes[i]));
      }
      return text + ":" + ip;
    }
    case Type::OctetString:
      if (Printable(v.bytes)) {
        std::string quoted = "\"";
        for (char c : v.bytes) {
          if (c == '"' || c == '\\') quoted += '\\';
          quoted += c;
        }
        return text + ":" + quoted + "\"";
      }
      return "Hex-STRING:" + HexText(v.bytes);
    case Type::Opaque:
      return text + ":" + HexText(v.bytes);
    case Type::Null:
      return text;
  }
  return text;
}

bool ParseTypedValue(char letter, std::string_view text, Value& out, std::string& error) {
  long long n = 0;
  out = Value();
  switch (letter) {
    case 'i':
      if (!ParseNumber(text, -2147483648LL, 2147483647LL, n)) break;
      out = Value::Int(n);
      return true;
    case 'u':
    case 'c':
    case 't':
      if (!ParseNumber(text, 0, 4294967295LL, n)) break;
      out = Value::Unsigned(letter == 'u'   ? Type::Gauge32
                            : letter == 'c' ? Type::Counter32
                                            : Type::TimeTicks,
                            n);
      return true;
    case 'C': {
      std::string s(text);
      char* end = nullptr;
      errno = 0;
      unsigned long long v = std::strtoull(s.c_str(), &end, 10);
      if (s.empty() || s[0] == '-' || errno != 0 || *end != '\0') break;
      out = Value::C64(v);
      return true;
    }
    case 'a': {
      std::string s(text);
      in_addr addr{};
      if (inet_pton(AF_INET, s.c_str(), &addr) != 1) break;
      const auto* b = reinterpret_cast<const unsigned char*>(&addr.s_addr);
      out = Value::Ip(b[0], b[1], b[2], b[3]);
      return true;
    }
    case 'o': {
      Oid oid;
      if (!ParseOid(text, oid)) break;
      out = Value::ObjectIdentifier(std::move(oid));
      return true;
    }
    case 's':
      out = Value::Octets(std::string(text));
      return true;
    case 'x': {
      std::string bytes;
      if (!ParseHex(text, bytes)) break;
      out = Value::Octets(std::move(bytes));
      return true;
    }
    case 'n':
      out = Value();
      return true;
    default:
      error = std::string("unknown type letter '") + letter + "'";
      return false;
  }
  error = "bad value \"" + std::string(text) + "\" for type '" + letter + "'";
  return false;
}

}  // namespace sim
