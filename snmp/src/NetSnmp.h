// The one place that includes Net-SNMP; only files of this folder include it,
// and the layer's benchmark (bench/SnmpBench.cpp), which sets Net-SNMP against it.
#pragma once

// Net-SNMP declares a type named like the public completion type of this
// layer; its own declaration is renamed here (a typedef name has no effect
// on the library's binary interface).
#define snmp_callback netsnmp_session_callback_type
// clang-format off
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/snmp_transport.h>
#include <net-snmp/library/snmpusm.h>
#include <net-snmp/library/snmpv3.h>
#include <net-snmp/library/transform_oids.h>
#include <net-snmp/library/large_fd_set.h>
// clang-format on
#undef snmp_callback

namespace vnsnmp {

// Initialises libnetsnmp once per process: no configuration files, no MIBs,
// no persistent state, no logging.
void EnsureNetSnmp();

// The local engine of version 3 (mpInit).
bool LocalEngineReady();
int StartLocalEngine(const unsigned char* id, std::size_t len, unsigned int boots);

}  // namespace vnsnmp
