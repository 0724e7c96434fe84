// Varbind values between the agent library and the store (for the agent's
// own sources: it brings the library's headers along).
#pragma once

#include <string>
#include <vector>

// The library's configuration header comes first.
// clang-format off
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
// clang-format on

#include "simulator/src/Oid.h"
#include "simulator/src/Value.h"

namespace sim {

Oid OidOf(const oid* name, std::size_t len);
std::vector<oid> NetOid(const Oid& o);

// A varbind's value as the store sees it; types the store never holds come
// back as a NULL value that no write check accepts.
Value FromVar(const netsnmp_variable_list* var);
void ToVar(netsnmp_variable_list* var, const Value& v);
// "OID=TYPE:value", exceptions by name, for the request log.
std::string VarText(const netsnmp_variable_list* var);

}  // namespace sim
