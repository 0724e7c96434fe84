// Version 3 users as Net-SNMP holds them: one per (agent engine id, security
// name), with keys localized from the pass phrases of usmAddUserName.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vnsnmp {

// Whether a request of that level can be sent for the user at all (known
// user, supported protocols, pass phrases the level needs).
int CheckUsmUser(const std::string& name, int security_level);

// Makes sure the user `name` exists for `engine_id` with the keys the
// security level needs. Returns SNMPv3_USM_OK or the code why not
// (unknown user, unsupported protocol or level, ...).
int EnsureUsmUser(const std::vector<std::uint8_t>& engine_id, const std::string& name,
                  int security_level);

}  // namespace vnsnmp
