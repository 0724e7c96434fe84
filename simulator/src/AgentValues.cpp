// Varbind values between the agent library and the store.
#include "simulator/src/AgentValues.h"

namespace sim {

Oid OidOf(const oid* name, std::size_t len) { return Oid(name, name + len); }

std::vector<oid> NetOid(const Oid& o) { return std::vector<oid>(o.begin(), o.end()); }

// A varbind value as the store sees it; `known` is false for types the
// store never holds (the write then fails its type check).
Value FromVar(const netsnmp_variable_list* var) {
  Value v;
  switch (var->type) {
    case ASN_INTEGER:
      return Value::Int(*var->val.integer);
    case ASN_COUNTER:
      return Value::Unsigned(
          Type::Counter32,
          static_cast<std::int64_t>(*reinterpret_cast<u_long*>(var->val.integer) & 0xFFFFFFFFul));
    case ASN_GAUGE:
      return Value::Unsigned(
          Type::Gauge32,
          static_cast<std::int64_t>(*reinterpret_cast<u_long*>(var->val.integer) & 0xFFFFFFFFul));
    case ASN_TIMETICKS:
      return Value::Unsigned(
          Type::TimeTicks,
          static_cast<std::int64_t>(*reinterpret_cast<u_long*>(var->val.integer) & 0xFFFFFFFFul));
    case ASN_COUNTER64:
      return Value::C64((static_cast<std::uint64_t>(var->val.counter64->high) << 32) |
                        (var->val.counter64->low & 0xFFFFFFFFul));
    case ASN_OCTET_STR:
      return Value::Octets(
          std::string(reinterpret_cast<const char*>(var->val.string), var->val_len));
    case ASN_OPAQUE:
      v = Value::Octets(std::string(reinterpret_cast<const char*>(var->val.string), var->val_len));
      v.type = Type::Opaque;
      return v;
    case ASN_IPADDRESS:
      v = Value::Octets(std::string(reinterpret_cast<const char*>(var->val.string), var->val_len));
      v.type = Type::IpAddress;
      return v;
    case ASN_OBJECT_ID:
      return Value::ObjectIdentifier(OidOf(var->val.objid, var->val_len / sizeof(oid)));
    default:
      v.type = Type::Null;  // ASN_NULL and anything the store never holds
      v.num = -1;
      return v;
  }
}

void ToVar(netsnmp_variable_list* var, const Value& v) {
  switch (v.type) {
    case Type::Integer: {
      long n = static_cast<long>(v.num);
      snmp_set_var_typed_value(var, ASN_INTEGER, &n, sizeof n);
      return;
    }
    case Type::Counter32:
    case Type::Gauge32:
    case Type::TimeTicks: {
      u_long n = static_cast<u_long>(v.num);
      const u_char t = v.type == Type::Counter32 ? ASN_COUNTER
                       : v.type == Type::Gauge32 ? ASN_GAUGE
                                                 : ASN_TIMETICKS;
      snmp_set_var_typed_value(var, t, &n, sizeof n);
      return;
    }
    case Type::Counter64: {
      counter64 c{};
      c.high = static_cast<u_long>(v.big >> 32);
      c.low = static_cast<u_long>(v.big & 0xFFFFFFFFull);
      snmp_set_var_typed_value(var, ASN_COUNTER64, &c, sizeof c);
      return;
    }
    case Type::OctetString:
    case Type::Opaque:
    case Type::IpAddress: {
      const u_char t = v.type == Type::OctetString ? ASN_OCTET_STR
                       : v.type == Type::Opaque    ? ASN_OPAQUE
                                                   : ASN_IPADDRESS;
      snmp_set_var_typed_value(var, t, v.bytes.data(), v.bytes.size());
      return;
    }
    case Type::ObjectId: {
      std::vector<oid> arcs = NetOid(v.oid);
      snmp_set_var_typed_value(var, ASN_OBJECT_ID, arcs.data(), arcs.size() * sizeof(oid));
      return;
    }
    case Type::Null:
      snmp_set_var_typed_value(var, ASN_NULL, nullptr, 0);
      return;
  }
}

std::string VarText(const netsnmp_variable_list* var) {
  std::string text = FormatOid(OidOf(var->name, var->name_length)) + "=";
  switch (var->type) {
    case SNMP_NOSUCHOBJECT:
      return text + "noSuchObject";
    case SNMP_NOSUCHINSTANCE:
      return text + "noSuchInstance";
    case SNMP_ENDOFMIBVIEW:
      return text + "endOfMibView";
    case ASN_NULL:
      return text + "NULL";
    default:
      break;
  }
  Value v = FromVar(var);
  if (v.type == Type::Null) return text + "type-" + std::to_string(var->type);
  return text + FormatValue(v);
}

}  // namespace sim
