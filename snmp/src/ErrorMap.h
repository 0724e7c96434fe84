// Net-SNMP conditions to this layer's result codes.
#pragma once

#include "NetSnmp.h"

namespace vnsnmp {

// A Net-SNMP error (SNMPERR_...) met while building or sending a request.
int MapNetSnmpError(int liberr, bool v3);
// The result code of a version 3 Report, from the OID of its first binding.
int ReportCode(const netsnmp_pdu* report);
// True for the Report that an engine id discovery expects.
bool IsUnknownEngineIdReport(int code);

}  // namespace vnsnmp
