#include "simulator/src/Syntax.h"

#include <arpa/inet.h>
#include <strings.h>

#include <algorithm>
#include <cctype>

#include "library/VnSNMPVarDesc.h"
#include "simulator/src/ErrorStatus.h"

namespace sim {

Type WireType(std::uint32_t syntax) {
  switch (syntax) {
    case SNMP_SYNTAX_BOOLEAN:
    case SNMP_SYNTAX_INTEGER:
      return Type::Integer;
    case SNMP_SYNTAX_OBJECTID:
      return Type::ObjectId;
    case SNMP_SYNTAX_IPADDRESS:
      return Type::IpAddress;
    case SNMP_SYNTAX_COUNTER:
      return Type::Counter32;
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
      return Type::Gauge32;
    case SNMP_SYNTAX_TIMETICKS:
      return Type::TimeTicks;
    case SNMP_SYNTAX_OPAQUE:
      return Type::Opaque;
    case SNMP_SYNTAX_COUNTER64:
      return Type::Counter64;
    case SNMP_SYNTAX_NULL:
      return Type::Null;
    default:
      return Type::OctetString;
  }
}

std::size_t FixedOctets(std::uint32_t syntax) {
  switch (syntax) {
    case SNMP_SYNTAX_MACADDRESS:
      return 6;
    case SNMP_SYNTAX_IPV6ADDRESS:
      return 16;
    case SNMP_SYNTAX_IPADDRESS:
      return 4;
    default:
      return 0;
  }
}

std::size_t MaxOctets(std::uint32_t syntax) {
  switch (syntax) {
    case SNMP_SYNTAX_DISPLAYSTR:
      return 255;
    case SNMP_SYNTAX_DATETIME:
      return 11;
    default:
      return 65535;
  }
}

std::string PortListOctets(const std::vector<int>& ports, std::size_t octets) {
  int highest = 0;
  for (int p : ports) highest = std::max(highest, p);
  std::size_t need = (static_cast<std::size_t>(highest) + 31) / 32 * 4;
  std::string bytes(std::max(octets, need), '\0');
  for (int p : ports) {
    if (p < 1) continue;
    auto bit = static_cast<std::size_t>(p - 1);
    bytes[bit / 8] =
        static_cast<char>(static_cast<unsigned char>(bytes[bit / 8]) | (0x80u >> (bit % 8)));
  }
  return bytes;
}

int CheckWrite(const ObjectDef& object, const Value& value) {
  const Type wire = WireType(object.syntax);
  if (value.type != wire) return kWrongType;
  switch (wire) {
    case Type::OctetString:
    case Type::Opaque: {
      const std::size_t n = value.bytes.size();
      const std::size_t fixed = FixedOctets(object.syntax);
      if (fixed && n != fixed) return kWrongLength;
      if (object.syntax == SNMP_SYNTAX_DATETIME && n != 8 && n != 11) return kWrongLength;
      if (n > MaxOctets(object.syntax)) return kWrongLength;
      if (object.range && (static_cast<std::int64_t>(n) < object.range->first ||
                           static_cast<std::int64_t>(n) > object.range->second)) {
        return kWrongLength;
      }
      return kNoError;
    }
    case Type::IpAddress:
      return value.bytes.size() == 4 ? kNoError : kWrongLength;
    case Type::Integer:
    case Type::Gauge32:
    case Type::Counter32:
    case Type::TimeTicks:
      if (object.range) {
        if (value.num < object.range->first || value.num > object.range->second) return kWrongValue;
      } else if (!object.options.empty() && !object.HasOption(value.num)) {
        return kWrongValue;
      }
      return kNoError;
    case Type::ObjectId:
      if (!object.oidOptions.empty() &&
          std::find(object.oidOptions.begin(), object.oidOptions.end(), value.oid) ==
              object.oidOptions.end()) {
        return kWrongValue;
      }
      return kNoError;
    default:
      return kNoError;
  }
}

namespace {

// Parses "1-3,5,8" into port numbers.
bool ParsePorts(std::string_view text, std::vector<int>& ports) {
  ports.clear();
  std::string s(text);
  std::size_t pos = 0;
  while (pos <= s.size()) {
    std::size_t comma = s.find(',', pos);
    std::string part = s.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
    if (part.empty()) {
      if (comma == std::string::npos && ports.empty() && s.empty()) return true;  // no ports
      return false;
    }
    std::size_t dash = part.find('-');
    try {
      std::size_t used = 0;
      int lo = std::stoi(part.substr(0, dash), &used);
      if (used != (dash == std::string::npos ? part.size() : dash)) return false;
      int hi = lo;
      if (dash != std::string::npos) {
        hi = std::stoi(part.substr(dash + 1), &used);
        if (used != part.size() - dash - 1) return false;
      }
      if (lo < 1 || hi < lo || hi > 256) return false;
      for (int p = lo; p <= hi; ++p) ports.push_back(p);
    } catch (const std::exception&) {
      return false;
    }
    if (comma == std::string::npos) break;
    pos = comma + 1;
  }
  return true;
}

std::uint32_t Hash(const Oid& a, const Oid& b) {
  std::uint32_t h = 2166136261u;
  auto mix = [&h](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 16777619u;
    }
  };
  for (auto v : a) mix(v);
  mix(0xFFFFFFFFu);
  for (auto v : b) mix(v);
  return h;
}

bool LabelHas(const std::string& label, const char* word) {
  std::string l = label;
  std::transform(l.begin(), l.end(), l.begin(), [](unsigned char c) { return std::tolower(c); });
  return l.find(word) != std::string::npos;
}

std::string LabelText(const std::string& label) {
  std::string out;
  for (const char ch : label) {
    const auto c = static_cast<unsigned char>(ch);
    if (std::isalnum(c)) {
      out += static_cast<char>(std::tolower(c));
    } else if (!out.empty() && out.back() != '-') {
      out += '-';
    }
    if (out.size() >= 16) break;
  }
  while (!out.empty() && out.back() == '-') out.pop_back();
  return out.empty() ? "text" : out;
}

}  // namespace

bool ParseObjectValue(const ObjectDef& object, std::string_view text, Value& out,
                      std::string& error) {
  const Type wire = WireType(object.syntax);
  std::string s(text);
  const bool quoted = s.size() >= 2 && s.front() == '"' && s.back() == '"';
  if (quoted) s = s.substr(1, s.size() - 2);
  auto fail = [&](const char* what) {
    error = "bad " + std::string(what) + " value \"" + std::string(text) + "\" for " +
            FormatOid(object.oid);
    return false;
  };
  switch (wire) {
    case Type::Integer:
    case Type::Gauge32:
    case Type::Counter32:
    case Type::TimeTicks: {
      for (const auto& [value, name] : object.options) {
        if (strcasecmp(name.c_str(), s.c_str()) == 0) {
          out = Value::Int(value);
          out.type = wire;
          return true;
        }
      }
      char letter = wire == Type::Integer     ? 'i'
                    : wire == Type::Gauge32   ? 'u'
                    : wire == Type::Counter32 ? 'c'
                                              : 't';
      return ParseTypedValue(letter, s, out, error) || fail("integer");
    }
    case Type::Counter64:
      return ParseTypedValue('C', s, out, error) || fail("Counter64");
    case Type::IpAddress:
      return ParseTypedValue('a', s, out, error) || fail("IpAddress");
    case Type::ObjectId:
      return ParseTypedValue('o', s, out, error) || fail("OID");
    case Type::Null:
      out = Value();
      return true;
    case Type::OctetString:
    case Type::Opaque: {
      std::string bytes;
      if (quoted) {
        bytes = s;
      } else if (s.rfind("0x", 0) == 0 || s.rfind("0X", 0) == 0) {
        if (!ParseHex(s.substr(2), bytes)) return fail("hex");
      } else if (s.rfind("ports:", 0) == 0) {
        std::vector<int> ports;
        if (!ParsePorts(s.substr(6), ports)) return fail("port list");
        bytes = PortListOctets(ports);
      } else if (object.syntax == SNMP_SYNTAX_MACADDRESS) {
        if (!ParseHex(s, bytes) || bytes.size() != 6) return fail("MAC address");
      } else if (object.syntax == SNMP_SYNTAX_IPV6ADDRESS) {
        unsigned char buf[16];
        if (inet_pton(AF_INET6, s.c_str(), buf) != 1) return fail("IPv6 address");
        bytes.assign(reinterpret_cast<char*>(buf), 16);
      } else {
        bytes = s;
      }
      out = Value::Octets(bytes);
      out.type = wire;
      return true;
    }
  }
  return fail("unknown");
}

Value AsWireType(const ObjectDef& object, Value v) {
  const Type wire = WireType(object.syntax);
  auto numeric = [](Type t) {
    return t == Type::Integer || t == Type::Gauge32 || t == Type::Counter32 || t == Type::TimeTicks;
  };
  if (numeric(wire) && numeric(v.type)) v.type = wire;
  if (wire == Type::OctetString && v.type == Type::IpAddress) v.type = wire;
  if (wire == Type::OctetString && v.type == Type::Integer)
    v = Value::Octets(std::to_string(v.num));
  return v;
}

Value GeneratedValue(const ObjectDef& object, const Oid& instanceArcs,
                     const std::vector<Value>& index) {
  if (object.indexPos >= 0 && static_cast<std::size_t>(object.indexPos) < index.size()) {
    return AsWireType(object, index[static_cast<std::size_t>(object.indexPos)]);
  }
  if (object.defaultValue) return *object.defaultValue;
  const std::uint32_t h = Hash(object.oid, instanceArcs);
  const Type wire = WireType(object.syntax);
  if (object.rowStatus) return Value::Int(1);
  if (wire == Type::Integer && !object.options.empty())
    return Value::Int(object.options.front().first);
  if (wire == Type::ObjectId && !object.oidOptions.empty())
    return Value::ObjectIdentifier(object.oidOptions.front());
  switch (wire) {
    case Type::Integer:
    case Type::Gauge32: {
      std::int64_t n = 1 + h % 100;
      if (object.range && (n < object.range->first || n > object.range->second))
        n = object.range->first;
      Value v = Value::Int(n);
      v.type = wire;
      return v;
    }
    case Type::Counter32:
      return Value::Unsigned(Type::Counter32, h % 1000000);
    case Type::Counter64:
      return Value::C64(static_cast<std::uint64_t>(h % 1000000) * 1000);
    case Type::TimeTicks:
      return Value::Unsigned(Type::TimeTicks, 0);
    case Type::IpAddress:
      if (LabelHas(object.label, "mask")) return Value::Ip(255, 255, 255, 0);
      return Value::Ip(10, 90, 90, static_cast<std::uint8_t>(10 + h % 200));
    case Type::ObjectId:
      return Value::ObjectIdentifier({0, 0});
    case Type::Null:
      return Value();
    case Type::Opaque:
      return Value::Octets("");
    case Type::OctetString:
      break;
  }
  switch (object.syntax) {
    case SNMP_SYNTAX_MACADDRESS:
      return Value::Octets(std::string{0x02, 0x4B, 0x58, static_cast<char>(h >> 16),
                                       static_cast<char>(h >> 8), static_cast<char>(h)});
    case SNMP_SYNTAX_IPV6ADDRESS: {
      std::string b(16, '\0');
      b[0] = static_cast<char>(0xFE);
      b[1] = static_cast<char>(0x80);
      b[8] = 0x02;
      b[9] = 0x4B;
      b[10] = 0x58;
      b[11] = static_cast<char>(0xFF);
      b[12] = static_cast<char>(0xFE);
      b[13] = static_cast<char>(h >> 16);
      b[14] = static_cast<char>(h >> 8);
      b[15] = static_cast<char>(h);
      return Value::Octets(b);
    }
    case SNMP_SYNTAX_DATETIME:  // 2009-02-19 10:30:00.0
      return Value::Octets(std::string{0x07, static_cast<char>(0xD9), 2, 19, 10, 30, 0, 0});
    case SNMP_SYNTAX_BITSTR:
      return Value::Octets(PortListOctets({}));
    case SNMP_SYNTAX_DISPLAYSTR:
      return Value::Octets(LabelText(object.label));
    default:
      return Value::Octets(std::string(4, '\0'));
  }
}

}  // namespace sim
