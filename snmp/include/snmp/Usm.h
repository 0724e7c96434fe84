// Version 3 users: the pass phrases and protocols of each security name.
// Keys are localized for each agent's engine id when a request needs them
// and kept until the user's settings change.
#pragma once

#include <cstdint>
#include <vector>

#include "snmp/OctetStr.h"
#include "snmp/SnmpConstants.h"

// Adds or replaces the user `security_name`. Protocols: SNMP_AUTHPROTOCOL_*
// and SNMP_PRIVPROTOCOL_*. Returns SNMPv3_USM_OK, or
// SNMPv3_USM_UNSUPPORTED_AUTHPROTOCOL / SNMPv3_USM_UNSUPPORTED_PRIVPROTOCOL
// (the user is then stored all the same, and requests with it fail with
// that code), or SNMPv3_USM_ERROR for an empty name. Pass phrases of any
// non-empty length are accepted.
int usmAddUserName(const OctetStr& security_name, long auth_protocol, long priv_protocol,
                   const OctetStr& auth_password, const OctetStr& priv_password);

// Removes a user; SNMPv3_USM_OK or SNMPv3_USM_UNKNOWN_SECURITY_NAME.
int usmDeleteUserName(const OctetStr& security_name);

// Counts the changes of the users: a user added with other settings than it
// had, or removed. While the count stays, adding a user again with the
// settings it was added with changes nothing.
std::uint64_t usmUserChanges();

// Localized key of a pass phrase for an engine id (RFC 3414 A.2): 16
// octets for SNMP_AUTHPROTOCOL_HMACMD5, 20 for SNMP_AUTHPROTOCOL_HMACSHA;
// empty for another protocol or an empty pass phrase.
std::vector<std::uint8_t> usmPasswordToKey(long auth_protocol, const OctetStr& password,
                                           const OctetStr& engine_id);
