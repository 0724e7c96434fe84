#include "UsmUserCache.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>

#include "KeyDerivation.h"
#include "NetSnmp.h"
#include "UsmUsers.h"
#include "snmp/SnmpConstants.h"
#include "snmp/Usm.h"

namespace vnsnmp {

namespace {

struct Installed {
  std::uint64_t generation = 0;
  bool keyed = false;
  usmUser* user = nullptr;  // the one made for this key, linked into Net-SNMP's list
};

using Key = std::pair<std::vector<std::uint8_t>, std::string>;

std::map<Key, Installed>& InstalledUsers() {
  static auto* users = new std::map<Key, Installed>();  // lives to exit, like Net-SNMP's list
  return *users;
}

// Ku per (hash, pass phrase): the expensive step, shared by every agent.
const std::vector<std::uint8_t>& CachedKu(HashKind hash, const std::string& password) {
  static auto* cache = new std::map<std::pair<int, std::string>, std::vector<std::uint8_t>>();
  auto key = std::make_pair(static_cast<int>(hash), password);
  auto it = cache->find(key);
  if (it == cache->end()) it = cache->emplace(key, PasswordToKu(hash, password)).first;
  return it->second;
}

unsigned char* Copy(const std::vector<std::uint8_t>& bytes, std::size_t len) {
  auto* out = static_cast<unsigned char*>(std::malloc(len ? len : 1));
  if (out && len) std::memcpy(out, bytes.data(), len);
  return out;
}

void SetProtocol(oid*& field, std::size_t& field_len, const oid* proto, std::size_t len) {
  std::free(field);
  field = snmp_duplicate_objid(proto, len);
  field_len = len;
}

// Adds the user to Net-SNMP's list; with keyed false it carries no keys
// (enough for noAuthNoPriv).
int Install(const std::vector<std::uint8_t>& engine_id, const UsmCredentials& cred, bool keyed,
            usmUser*& installed) {
  bool want_auth = keyed && (cred.auth_protocol == SNMP_AUTHPROTOCOL_HMACMD5 ||
                             cred.auth_protocol == SNMP_AUTHPROTOCOL_HMACSHA);
  HashKind hash = cred.auth_protocol == SNMP_AUTHPROTOCOL_HMACSHA ? HashKind::Sha1 : HashKind::Md5;
  std::vector<std::uint8_t> auth_key, priv_key;
  if (want_auth && !cred.auth_password.empty()) {
    auth_key = LocalizeKey(hash, CachedKu(hash, cred.auth_password), engine_id);
    if (auth_key.empty()) return SNMPv3_MP_USM_ERROR;
  }
  bool want_priv = want_auth && cred.priv_protocol == SNMP_PRIVPROTOCOL_DES;
  if (want_priv && !cred.priv_password.empty()) {
    // DES keys come from the authentication hash too (RFC 3414 8.1.1.1).
    priv_key = LocalizeKey(hash, CachedKu(hash, cred.priv_password), engine_id);
    if (priv_key.size() < 16) return SNMPv3_MP_USM_ERROR;
  }

  usmUser* user = usm_create_user();
  if (!user) return SNMP_CLASS_RESOURCE_UNAVAIL;
  user->engineID = Copy(engine_id, engine_id.size());
  user->engineIDLen = engine_id.size();
  user->name = strdup(cred.name.c_str());
  user->secName = strdup(cred.name.c_str());
  if (!auth_key.empty()) {
    SetProtocol(user->authProtocol, user->authProtocolLen,
                hash == HashKind::Sha1 ? usmHMACSHA1AuthProtocol : usmHMACMD5AuthProtocol,
                OID_LENGTH(usmHMACMD5AuthProtocol));
    user->authKey = Copy(auth_key, auth_key.size());
    user->authKeyLen = auth_key.size();
  }
  if (!priv_key.empty()) {
    SetProtocol(user->privProtocol, user->privProtocolLen, usmDESPrivProtocol,
                OID_LENGTH(usmDESPrivProtocol));
    user->privKey = Copy(priv_key, 16);
    user->privKeyLen = 16;
  }
  user->userStorageType = ST_READONLY;
  user->userStatus = RS_ACTIVE;
  if (!user->engineID || !user->name || !user->secName) {
    usm_free_user(user);
    return SNMP_CLASS_RESOURCE_UNAVAIL;
  }
  // usm_add_user returns the head of the library's list, not the user
  // added (null only when nothing was added): the user made here is the one
  // installed.
  if (!usm_add_user(user)) {
    usm_free_user(user);
    return SNMPv3_USM_ERROR;
  }
  installed = user;
  return SNMPv3_USM_OK;
}

// Takes a user this file installed out of Net-SNMP's list and frees it.
// usm_remove_user returns the head of the list, not the user removed.
void Uninstall(usmUser* user) {
  usm_remove_user(user);
  usm_free_user(user);
}

// The last user made sure of, for one agent and level: a walk sends for the
// same user to the same agent request after request, and while the users
// have not changed (usmUserChanges) nothing has to be looked up again.
struct LastEnsured {
  std::uint64_t changes = 0;
  bool valid = false;
  std::vector<std::uint8_t> engine_id;
  std::string name;
  int security_level = 0;

  bool Is(const std::vector<std::uint8_t>& engine, const std::string& user, int level) const {
    return valid && changes == usmUserChanges() && security_level == level && name == user &&
           engine_id == engine;
  }
};

LastEnsured& Last() {
  static auto* last = new LastEnsured();  // GUI thread; lives to exit
  return *last;
}

}  // namespace

int CheckUsmUser(const std::string& name, int security_level) {
  const UsmCredentials* cred = FindUsmUser(name);
  if (security_level == SNMP_SECURITY_LEVEL_NOAUTH_NOPRIV) return SNMPv3_USM_OK;
  if (!cred) return SNMPv3_USM_UNKNOWN_SECURITY_NAME;
  if (cred->auth_protocol != SNMP_AUTHPROTOCOL_NONE &&
      cred->auth_protocol != SNMP_AUTHPROTOCOL_HMACMD5 &&
      cred->auth_protocol != SNMP_AUTHPROTOCOL_HMACSHA) {
    return SNMPv3_USM_UNSUPPORTED_AUTHPROTOCOL;
  }
  if (cred->auth_protocol == SNMP_AUTHPROTOCOL_NONE || cred->auth_password.empty()) {
    return SNMPv3_USM_UNSUPPORTED_SECURITY_LEVEL;
  }
  if (security_level >= SNMP_SECURITY_LEVEL_AUTH_PRIV) {
    if (cred->priv_protocol != SNMP_PRIVPROTOCOL_NONE &&
        cred->priv_protocol != SNMP_PRIVPROTOCOL_DES) {
      return SNMPv3_USM_UNSUPPORTED_PRIVPROTOCOL;
    }
    if (cred->priv_protocol == SNMP_PRIVPROTOCOL_NONE || cred->priv_password.empty()) {
      return SNMPv3_USM_UNSUPPORTED_SECURITY_LEVEL;
    }
  }
  return SNMPv3_USM_OK;
}

int EnsureUsmUser(const std::vector<std::uint8_t>& engine_id, const std::string& name,
                  int security_level) {
  LastEnsured& last = Last();
  if (last.Is(engine_id, name, security_level)) return SNMPv3_USM_OK;
  last.valid = false;
  int rc = CheckUsmUser(name, security_level);
  if (rc != SNMPv3_USM_OK) return rc;
  // Without keys the agent decides whether it knows the name.
  UsmCredentials keyless;
  keyless.name = name;
  const UsmCredentials* known = FindUsmUser(name);
  const UsmCredentials* cred = known ? known : &keyless;

  Key key{engine_id, name};
  auto& users = InstalledUsers();
  auto it = users.find(key);
  bool keyed = security_level != SNMP_SECURITY_LEVEL_NOAUTH_NOPRIV;
  const auto remember = [&] {
    last.changes = usmUserChanges();
    last.engine_id = engine_id;
    last.name = name;
    last.security_level = security_level;
    last.valid = true;
    return SNMPv3_USM_OK;
  };
  if (it != users.end() && it->second.generation == cred->generation &&
      (it->second.keyed || !keyed)) {
    return remember();
  }
  if (it != users.end()) {
    Uninstall(it->second.user);
    users.erase(it);
  }
  usmUser* installed = nullptr;
  rc = Install(engine_id, *cred, keyed, installed);
  if (rc != SNMPv3_USM_OK) return rc;
  users[key] = Installed{cred->generation, keyed, installed};
  return remember();
}

}  // namespace vnsnmp
