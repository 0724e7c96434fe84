// Where a request goes and how it authenticates: agent address, SNMPv3
// scope and security, and the process-wide defaults every new request copies.
#pragma once

#include <cstdint>

#include "platform/AnsiString.h"

// Agent address: IPv4 address or host name text, and UDP port.
struct VnSNMPDevice {
  AnsiString Address;
  std::uint16_t Port = 161;

  friend bool operator==(const VnSNMPDevice&, const VnSNMPDevice&) = default;
};

// SNMPv3 scope; both handed to the PDU as text.
struct VnSNMPScope {
  AnsiString ContextEngineId;
  AnsiString ContextName;
};

// Numbers as the SNMP layer counts them: version 0 v1, 1 v2c, 3 v3; security
// model 1 v1, 2 v2c, 3 USM; level 1 noAuthNoPriv, 2 authNoPriv, 3 authPriv;
// authentication 1 none, 2 MD5, 3 SHA; privacy 1 none, 2 DES, 9 IDEA.
struct VnSNMPSecurity {
  std::uint8_t Version = 0;
  AnsiString ReadCommunity;
  AnsiString WriteCommunity;
  std::uint32_t SecurityModel = 1;
  std::uint32_t SecurityLevel = 1;
  AnsiString SecurityName;
  AnsiString AuthPassPhrase;
  AnsiString PrivPassPhrase;
  std::uint32_t AuthProtocol = 1;
  std::uint32_t PrivProtocol = 1;

  friend bool operator==(const VnSNMPSecurity&, const VnSNMPSecurity&) = default;
};

struct VnConnectionDefaultsRecord {
  VnSNMPDevice Device;
  VnSNMPScope Scope;
  VnSNMPSecurity Security;
};

// The connection parameters every new request copies. They hold the preset
// values from program start; the session start-up presets them again and the
// main window overwrites them from the command line and the device's
// configuration file.
extern VnConnectionDefaultsRecord ConnectionDefaults;
// Reply timeout of new requests, in hundredths of a second.
extern std::uint32_t g_SnmpTimeout;
// The version field of ConnectionDefaults.
extern std::uint8_t& SnmpVersion;

// Sets ConnectionDefaults and g_SnmpTimeout to the preset values: agent
// "127.0.0.1" port 161, empty scope, version 1 with read community "qovalt"
// and write community "mundrel", security model and level 1, no security
// name or pass phrases, protocols 1, timeout 100.
void PresetConnectionDefaults();
