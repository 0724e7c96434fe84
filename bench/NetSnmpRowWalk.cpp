// The reference client of the walk benchmark: a plain Net-SNMP program that
// walks the given columns row by row, one GETNEXT with every column per row,
// until every column has left its subtree.
//
// usage: netsnmp_row_walk HOST:PORT CREDENTIALS COLUMN...
//   CREDENTIALS: a community (SNMPv2c) or v3:USER:AUTHPASS:PRIVPASS (SNMPv3
//   authPriv, MD5 and DES)
// prints: requests=N rows=R ms=T cpu=C (wall and processor time of the walk)
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s HOST:PORT CREDENTIALS COLUMN...\n", argv[0]);
    return 2;
  }
  setenv("MIBS", "", 1);
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
  init_snmp("vnbench");

  std::vector<std::vector<oid>> columns;
  for (int i = 3; i < argc; ++i) {
    oid name[MAX_OID_LEN];
    size_t len = MAX_OID_LEN;
    if (!read_objid(argv[i], name, &len)) {
      std::fprintf(stderr, "bad OID %s\n", argv[i]);
      return 2;
    }
    columns.emplace_back(name, name + len);
  }

  netsnmp_session settings;
  snmp_sess_init(&settings);
  settings.peername = argv[1];
  std::string credentials = argv[2];
  std::string user, authPass, privPass;
  if (credentials.rfind("v3:", 0) == 0) {
    std::size_t a = credentials.find(':', 3), b = credentials.find(':', a + 1);
    if (a == std::string::npos || b == std::string::npos) {
      std::fprintf(stderr, "bad credentials %s\n", argv[2]);
      return 2;
    }
    user = credentials.substr(3, a - 3);
    authPass = credentials.substr(a + 1, b - a - 1);
    privPass = credentials.substr(b + 1);
    settings.version = SNMP_VERSION_3;
    settings.securityName = user.data();
    settings.securityNameLen = user.size();
    settings.securityLevel = SNMP_SEC_LEVEL_AUTHPRIV;
    settings.securityAuthProto = usmHMACMD5AuthProtocol;
    settings.securityAuthProtoLen = USM_AUTH_PROTO_MD5_LEN;
    settings.securityAuthKeyLen = USM_AUTH_KU_LEN;
    settings.securityPrivProto = usmDESPrivProtocol;
    settings.securityPrivProtoLen = USM_PRIV_PROTO_DES_LEN;
    settings.securityPrivKeyLen = USM_PRIV_KU_LEN;
    if (generate_Ku(settings.securityAuthProto, static_cast<u_int>(settings.securityAuthProtoLen),
                    reinterpret_cast<u_char*>(authPass.data()), authPass.size(),
                    settings.securityAuthKey, &settings.securityAuthKeyLen) != SNMPERR_SUCCESS ||
        generate_Ku(settings.securityAuthProto, static_cast<u_int>(settings.securityAuthProtoLen),
                    reinterpret_cast<u_char*>(privPass.data()), privPass.size(),
                    settings.securityPrivKey, &settings.securityPrivKeyLen) != SNMPERR_SUCCESS) {
      std::fprintf(stderr, "cannot derive the keys\n");
      return 1;
    }
  } else {
    settings.version = SNMP_VERSION_2c;
    settings.community = reinterpret_cast<u_char*>(argv[2]);
    settings.community_len = std::strlen(argv[2]);
  }
  settings.timeout = 1000000;
  settings.retries = 1;
  void* session = snmp_sess_open(&settings);
  if (!session) {
    std::fprintf(stderr, "cannot open the session\n");
    return 1;
  }

  std::vector<std::vector<oid>> current = columns;
  long requests = 0;
  long rows = 0;
  auto cpuMs = [] {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
  };
  const double cpuStart = cpuMs();
  auto start = std::chrono::steady_clock::now();
  for (;;) {
    netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GETNEXT);
    for (const auto& name : current) snmp_add_null_var(pdu, name.data(), name.size());
    netsnmp_pdu* response = nullptr;
    int status = snmp_sess_synch_response(session, pdu, &response);
    ++requests;
    if (status != STAT_SUCCESS || !response || response->errstat != SNMP_ERR_NOERROR) {
      std::fprintf(stderr, "request %ld failed\n", requests);
      if (response) snmp_free_pdu(response);
      return 1;
    }
    bool anyGoesOn = false;
    std::size_t k = 0;
    for (netsnmp_variable_list* v = response->variables; v && k < columns.size();
         v = v->next_variable, ++k) {
      const auto& column = columns[k];
      bool inColumn =
          v->type != SNMP_ENDOFMIBVIEW && v->type != SNMP_NOSUCHOBJECT &&
          v->type != SNMP_NOSUCHINSTANCE && v->name_length > column.size() &&
          netsnmp_oid_is_subtree(column.data(), column.size(), v->name, v->name_length) == 0;
      if (inColumn) {
        anyGoesOn = true;
        current[k].assign(v->name, v->name + v->name_length);
      }
    }
    snmp_free_pdu(response);
    if (!anyGoesOn) break;
    ++rows;
  }
  auto ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const double cpu = cpuMs() - cpuStart;
  snmp_sess_close(session);
  std::printf("requests=%ld rows=%ld ms=%.1f cpu=%.1f\n", requests, rows, ms, cpu);
  return 0;
}
