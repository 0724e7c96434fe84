// The process-wide table of version 3 users that usmAddUserName fills.
#pragma once

#include <cstdint>
#include <string>

namespace vnsnmp {

struct UsmCredentials {
  std::string name;
  long auth_protocol = 1;
  long priv_protocol = 1;
  std::string auth_password;
  std::string priv_password;
  // Changes whenever the user is added again with other settings, so that
  // keys localized from the old settings are rebuilt.
  std::uint64_t generation = 0;
};

// The user of that security name, or null.
const UsmCredentials* FindUsmUser(const std::string& name);

}  // namespace vnsnmp
