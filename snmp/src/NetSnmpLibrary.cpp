#include <cstdlib>
#include <string>

#include "NetSnmp.h"
#include "snmp/SnmpConstants.h"

namespace vnsnmp {

namespace {
bool initialised = false;
bool engine_ready = false;
}  // namespace

void EnsureNetSnmp() {
  if (initialised) return;
  initialised = true;
  // No MIB is ever read: object identifiers are parsed by this layer.
  setenv("MIBS", "", 1);
  setenv("MIBDIRS", "", 1);
  netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIBDIRS, "");
  for (int flag : {NETSNMP_DS_LIB_DONT_PERSIST_STATE, NETSNMP_DS_LIB_DISABLE_CONFIG_LOAD,
                   NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE,
                   NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, NETSNMP_DS_LIB_NO_TOKEN_WARNINGS}) {
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, flag, 1);
  }
  netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, "/dev/null");
  // Every failure reaches the caller as a result code. With no log handler
  // enabled Net-SNMP writes its messages to standard error all the same
  // (e.g. "snmp_build: unknown failure"): a handler that drops them keeps
  // them off the terminal.
  snmp_disable_log();
  netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_DEBUG);
  if (const char* tokens = std::getenv("VNSNMP_DEBUG")) {
    // Developer aid: Net-SNMP's own trace on stderr, e.g. VNSNMP_DEBUG=usm,snmp_api
    snmp_enable_stderrlog();
    debug_register_tokens(tokens);
    snmp_set_do_debugging(1);
  }
  init_snmp("vnsnmp");
}

bool LocalEngineReady() { return engine_ready; }

int StartLocalEngine(const unsigned char* id, std::size_t len, unsigned int boots) {
  if (!id || len == 0 || len > MAXLENGTH_ENGINEID) return SNMPv3_MP_INVALID_ENGINEID;
  EnsureNetSnmp();
  if (set_exact_engineID(id, len) != SNMPERR_SUCCESS) return SNMPv3_MP_INVALID_ENGINEID;
  // The library counts one boot at start; the configuration token sets the
  // count before that increment.
  std::string previous = std::to_string(boots > 0 ? boots - 1 : 0);
  engineBoots_conf("engineBoots", previous.data());
  engine_ready = true;
  return SNMPv3_MP_OK;
}

}  // namespace vnsnmp
