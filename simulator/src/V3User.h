// SNMPv3 users of the simulated switch and their command-line form.
#pragma once

#include <string>
#include <vector>

namespace sim {

struct V3UserOption {
  enum Level { NoAuthNoPriv = 1, AuthNoPriv = 2, AuthPriv = 3 };
  std::string name;
  Level level = NoAuthNoPriv;
  std::string authProtocol;  // "MD5" or "SHA"
  std::string authPass;
  std::string privProtocol;  // "DES"
  std::string privPass;
};

// "name:noAuthNoPriv", "name:authNoPriv:MD5|SHA:pass",
// "name:authPriv:MD5|SHA:pass:DES:pass"; pass phrases of 8 characters or more.
bool ParseV3UserOption(const std::string& text, V3UserOption& out, std::string& error);
// One user of each security level and protocol the module uses.
std::vector<V3UserOption> DefaultUsers();
std::string V3UserOptionText(const V3UserOption& user);

}  // namespace sim
