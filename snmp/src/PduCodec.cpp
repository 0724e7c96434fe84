#include "PduCodec.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "snmp/Address.h"
#include "snmp/Counter64.h"
#include "snmp/Integer.h"
#include "snmp/OctetStr.h"
#include "snmp/TimeTicks.h"

namespace vnsnmp {

namespace {

int AddValue(netsnmp_pdu* to, const oid* name, std::size_t name_len, const Vb& vb) {
  const SnmpSyntax* value = vb.get_value_ptr();
  netsnmp_variable_list* added = nullptr;
  auto add = [&](u_char type, const void* data, std::size_t len) {
    added = snmp_pdu_add_variable(to, name, name_len, type, data, len);
  };
  if (!value) {
    add(ASN_NULL, nullptr, 0);
  } else if (const auto* i = dynamic_cast<const SnmpInt32*>(value)) {
    long v = i->value();
    add(ASN_INTEGER, &v, sizeof v);
  } else if (const auto* u = dynamic_cast<const SnmpUInt32*>(value)) {
    unsigned long v = u->value();
    u_char type = ASN_GAUGE;
    if (u->get_syntax() == sNMP_SYNTAX_CNTR32) type = ASN_COUNTER;
    if (u->get_syntax() == sNMP_SYNTAX_TIMETICKS) type = ASN_TIMETICKS;
    add(type, &v, sizeof v);
  } else if (const auto* c = dynamic_cast<const Counter64*>(value)) {
    counter64 v{};
    v.high = c->high();
    v.low = c->low();
    add(ASN_COUNTER64, &v, sizeof v);
  } else if (const auto* o = dynamic_cast<const Oid*>(value)) {
    if (!o->valid()) return SNMP_CLASS_INVALID_PDU;
    std::vector<oid> subids(o->subids().begin(), o->subids().end());
    if (subids.empty()) subids = {0, 0};  // the null object identifier
    add(ASN_OBJECT_ID, subids.data(), subids.size() * sizeof(oid));
  } else if (const auto* ip = dynamic_cast<const IpAddress*>(value)) {
    if (!ip->valid()) return SNMP_CLASS_INVALID_PDU;
    add(ASN_IPADDRESS, ip->octets().data(), 4);
  } else if (const auto* s = dynamic_cast<const OctetStr*>(value)) {
    u_char type = s->get_syntax() == sNMP_SYNTAX_OPAQUE ? ASN_OPAQUE : ASN_OCTET_STR;
    add(type, s->data(), s->len());
  } else {
    return SNMP_CLASS_INVALID_PDU;
  }
  return added ? SNMP_CLASS_SUCCESS : SNMP_CLASS_INVALID_PDU;
}

// Big-endian minimal two's complement (signed) or unsigned content octets.
std::vector<unsigned char> IntegerContent(std::uint64_t v, bool is_signed) {
  std::vector<unsigned char> out;
  for (int i = 7; i >= 0; --i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
  while (out.size() > 1) {
    bool redundant =
        is_signed ? ((out[0] == 0x00 && !(out[1] & 0x80)) || (out[0] == 0xFF && (out[1] & 0x80)))
                  : (out[0] == 0x00 && !(out[1] & 0x80));
    if (!redundant) break;
    out.erase(out.begin());
  }
  if (!is_signed && (out[0] & 0x80)) out.insert(out.begin(), 0x00);
  return out;
}

// Net-SNMP unwraps Opaque values that hold a float, a double or a 64-bit
// integer; wrap them again so that the value stays an Opaque of raw octets.
OpaqueStr ReencodeOpaque(const netsnmp_variable_list* var) {
  std::vector<unsigned char> out{0x9F, var->type};
  std::vector<unsigned char> content;
  switch (var->type) {
    case ASN_OPAQUE_FLOAT: {
      float f = var->val.floatVal ? *var->val.floatVal : 0.0f;
      std::uint32_t bits;
      std::memcpy(&bits, &f, 4);
      for (int i = 3; i >= 0; --i) content.push_back(static_cast<unsigned char>(bits >> (8 * i)));
      break;
    }
    case ASN_OPAQUE_DOUBLE: {
      double d = var->val.doubleVal ? *var->val.doubleVal : 0.0;
      std::uint64_t bits;
      std::memcpy(&bits, &d, 8);
      for (int i = 7; i >= 0; --i) content.push_back(static_cast<unsigned char>(bits >> (8 * i)));
      break;
    }
    default: {  // I64, U64, Counter64 inside an Opaque
      std::uint64_t v = 0;
      if (var->val.counter64) {
        v = (static_cast<std::uint64_t>(var->val.counter64->high) << 32) |
            (var->val.counter64->low & 0xFFFFFFFFUL);
      }
      content = IntegerContent(v, var->type == ASN_OPAQUE_I64);
      break;
    }
  }
  out.push_back(static_cast<unsigned char>(content.size()));
  out.insert(out.end(), content.begin(), content.end());
  return OpaqueStr(out.data(), out.size());
}

Vb ReadOne(const netsnmp_variable_list* var) {
  std::vector<std::uint32_t> subids(var->name_length);
  for (std::size_t i = 0; i < var->name_length; ++i) {
    subids[i] = static_cast<std::uint32_t>(var->name[i]);
  }
  Vb vb{Oid(std::move(subids))};
  const unsigned char* bytes = var->val.string;
  switch (var->type) {
    case ASN_INTEGER:
      if (var->val.integer) vb.set_value(SnmpInt32(static_cast<std::int32_t>(*var->val.integer)));
      break;
    case ASN_COUNTER:
      if (var->val.integer) vb.set_value(Counter32(static_cast<std::uint32_t>(*var->val.integer)));
      break;
    case ASN_GAUGE:
    case ASN_UINTEGER:
      if (var->val.integer) vb.set_value(Gauge32(static_cast<std::uint32_t>(*var->val.integer)));
      break;
    case ASN_TIMETICKS:
      if (var->val.integer) vb.set_value(TimeTicks(static_cast<std::uint32_t>(*var->val.integer)));
      break;
    case ASN_COUNTER64:
      if (var->val.counter64) {
        vb.set_value(Counter64(static_cast<std::uint32_t>(var->val.counter64->high),
                               static_cast<std::uint32_t>(var->val.counter64->low)));
      }
      break;
    case ASN_OBJECT_ID: {
      std::vector<std::uint32_t> value;
      std::size_t n = var->val.objid ? var->val_len / sizeof(oid) : 0;
      for (std::size_t i = 0; i < n; ++i) {
        value.push_back(static_cast<std::uint32_t>(var->val.objid[i]));
      }
      vb.set_value(Oid(std::move(value)));
      break;
    }
    case ASN_IPADDRESS:
      if (bytes && var->val_len == 4) {
        vb.set_value(
            IpAddress(std::array<std::uint8_t, 4>{bytes[0], bytes[1], bytes[2], bytes[3]}));
      } else {
        vb.set_value(OctetStr(bytes, var->val_len));
      }
      break;
    case ASN_OPAQUE:
      vb.set_value(OpaqueStr(bytes, var->val_len));
      break;
    case ASN_OPAQUE_FLOAT:
    case ASN_OPAQUE_DOUBLE:
    case ASN_OPAQUE_I64:
    case ASN_OPAQUE_U64:
    case ASN_OPAQUE_COUNTER64:
      vb.set_value(ReencodeOpaque(var));
      break;
    case SNMP_NOSUCHOBJECT:
    case SNMP_NOSUCHINSTANCE:
    case SNMP_ENDOFMIBVIEW:
      vb.set_syntax(var->type);
      break;
    case ASN_NULL:
      break;
    default:  // OCTET STRING, BIT STRING and anything else with octets
      vb.set_value(OctetStr(bytes, bytes ? var->val_len : 0));
      break;
  }
  return vb;
}

}  // namespace

int AddBindings(netsnmp_pdu* to, const Pdu& from, bool null_values) {
  for (const Vb& vb : from.vbs()) {
    const Oid& name = vb.get_oid();
    if (!name.valid() || name.len() < 2 || name.len() > MAX_OID_LEN) return SNMP_CLASS_INVALID_OID;
    oid subids[MAX_OID_LEN];
    std::copy(name.subids().begin(), name.subids().end(), subids);
    if (null_values) {
      if (!snmp_add_null_var(to, subids, name.len())) return SNMP_CLASS_INVALID_PDU;
      continue;
    }
    if (!vb.valid()) return SNMP_CLASS_INVALID_PDU;
    int rc = AddValue(to, subids, name.len(), vb);
    if (rc != SNMP_CLASS_SUCCESS) return rc;
  }
  return SNMP_CLASS_SUCCESS;
}

void ReadBindings(const netsnmp_pdu* from, Pdu& to) {
  while (to.get_vb_count() > 0) to.trim(to.get_vb_count());
  const netsnmp_variable_list* first = from ? from->variables : nullptr;
  int count = 0;
  for (const netsnmp_variable_list* var = first; var; var = var->next_variable) ++count;
  to.reserve(count);
  for (const netsnmp_variable_list* var = first; var; var = var->next_variable) to += ReadOne(var);
}

}  // namespace vnsnmp
