// Bindings between this layer's Pdu and a Net-SNMP PDU.
#pragma once

#include "NetSnmp.h"
#include "snmp/Pdu.h"

namespace vnsnmp {

// Adds the bindings of `from` to `to`. With null_values every value is sent
// as NULL (GET and GETNEXT). Returns SNMP_CLASS_SUCCESS,
// SNMP_CLASS_INVALID_OID for a bad or empty Oid, SNMP_CLASS_INVALID_PDU for a
// value that cannot be sent.
int AddBindings(netsnmp_pdu* to, const Pdu& from, bool null_values);

// Replaces the bindings of `to` with those of `from`.
void ReadBindings(const netsnmp_pdu* from, Pdu& to);

}  // namespace vnsnmp
