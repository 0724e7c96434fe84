#include "snmp/Usm.h"

#include <map>

#include "KeyDerivation.h"
#include "UsmUsers.h"

namespace vnsnmp {

namespace {

std::map<std::string, UsmCredentials>& Users() {
  static auto* users = new std::map<std::string, UsmCredentials>();  // GUI thread; lives to exit
  return *users;
}

std::uint64_t next_generation = 1;
std::uint64_t changes = 0;

}  // namespace

const UsmCredentials* FindUsmUser(const std::string& name) {
  auto it = Users().find(name);
  return it == Users().end() ? nullptr : &it->second;
}

}  // namespace vnsnmp

int usmAddUserName(const OctetStr& security_name, long auth_protocol, long priv_protocol,
                   const OctetStr& auth_password, const OctetStr& priv_password) {
  if (security_name.empty()) return SNMPv3_USM_ERROR;
  vnsnmp::UsmCredentials user;
  user.name = security_name.to_string();
  user.auth_protocol = auth_protocol;
  user.priv_protocol = priv_protocol;
  user.auth_password = auth_password.to_string();
  user.priv_password = priv_password.to_string();
  auto& users = vnsnmp::Users();
  auto it = users.find(user.name);
  if (it != users.end() && it->second.auth_protocol == user.auth_protocol &&
      it->second.priv_protocol == user.priv_protocol &&
      it->second.auth_password == user.auth_password &&
      it->second.priv_password == user.priv_password) {
    // Unchanged: keep the generation, so that localized keys stay cached.
  } else {
    user.generation = vnsnmp::next_generation++;
    users[user.name] = std::move(user);
    ++vnsnmp::changes;
  }
  if (auth_protocol != SNMP_AUTHPROTOCOL_NONE && auth_protocol != SNMP_AUTHPROTOCOL_HMACMD5 &&
      auth_protocol != SNMP_AUTHPROTOCOL_HMACSHA) {
    return SNMPv3_USM_UNSUPPORTED_AUTHPROTOCOL;
  }
  if (priv_protocol != SNMP_PRIVPROTOCOL_NONE && priv_protocol != SNMP_PRIVPROTOCOL_DES) {
    return SNMPv3_USM_UNSUPPORTED_PRIVPROTOCOL;
  }
  return SNMPv3_USM_OK;
}

int usmDeleteUserName(const OctetStr& security_name) {
  auto& users = vnsnmp::Users();
  auto it = users.find(security_name.to_string());
  if (it == users.end()) return SNMPv3_USM_UNKNOWN_SECURITY_NAME;
  users.erase(it);
  ++vnsnmp::changes;
  return SNMPv3_USM_OK;
}

std::uint64_t usmUserChanges() { return vnsnmp::changes; }

std::vector<std::uint8_t> usmPasswordToKey(long auth_protocol, const OctetStr& password,
                                           const OctetStr& engine_id) {
  vnsnmp::HashKind hash;
  if (auth_protocol == SNMP_AUTHPROTOCOL_HMACMD5) {
    hash = vnsnmp::HashKind::Md5;
  } else if (auth_protocol == SNMP_AUTHPROTOCOL_HMACSHA) {
    hash = vnsnmp::HashKind::Sha1;
  } else {
    return {};
  }
  return vnsnmp::LocalizeKey(hash, vnsnmp::PasswordToKu(hash, password.to_string()),
                             engine_id.bytes());
}
