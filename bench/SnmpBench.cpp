// Round trips per second against a local snmpd, through this layer and
// through Net-SNMP directly, and the cost of key derivation. The cases
// alternate within each round so that they share the machine's load; the
// figures are medians of the rounds.
//   snmp_bench [round trips per case and round]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "KeyDerivation.h"
#include "NetSnmp.h"
#include "snmp/SnmpLib.h"
#include "support/Snmpd.h"

namespace {

using Clock = std::chrono::steady_clock;

double PerSecond(int n, const std::function<bool()>& once) {
  auto start = Clock::now();
  for (int i = 0; i < n; ++i) {
    if (!once()) {
      std::fprintf(stderr, "round trip %d failed\n", i);
      return 0;
    }
  }
  return n / std::chrono::duration<double>(Clock::now() - start).count();
}

const oid kSysDescr[] = {1, 3, 6, 1, 2, 1, 1, 1, 0};

// A classic Net-SNMP session bound to the agent: the raw round trip.
void* RawSession(const std::string& peer, bool v3) {
  netsnmp_session s;
  snmp_sess_init(&s);
  std::string name = peer;
  s.peername = name.data();
  s.timeout = 1000000;
  s.retries = 1;
  static char community[] = "qovalt";
  static char user[] = "md5des";
  if (!v3) {
    s.version = SNMP_VERSION_2c;
    s.community = reinterpret_cast<u_char*>(community);
    s.community_len = 6;
  } else {
    s.version = SNMP_VERSION_3;
    s.securityName = user;
    s.securityNameLen = 6;
    s.securityLevel = SNMP_SEC_LEVEL_AUTHPRIV;
    s.securityAuthProto = usmHMACMD5AuthProtocol;
    s.securityAuthProtoLen = OID_LENGTH(usmHMACMD5AuthProtocol);
    s.securityAuthKeyLen = USM_AUTH_KU_LEN;
    static char auth[] = "md5authpass";
    static char priv[] = "md5privpass";
    generate_Ku(s.securityAuthProto, static_cast<u_int>(s.securityAuthProtoLen),
                reinterpret_cast<u_char*>(auth), std::strlen(auth), s.securityAuthKey,
                &s.securityAuthKeyLen);
    s.securityPrivProto = usmDESPrivProtocol;
    s.securityPrivProtoLen = OID_LENGTH(usmDESPrivProtocol);
    s.securityPrivKeyLen = USM_PRIV_KU_LEN;
    generate_Ku(s.securityAuthProto, static_cast<u_int>(s.securityAuthProtoLen),
                reinterpret_cast<u_char*>(priv), std::strlen(priv), s.securityPrivKey,
                &s.securityPrivKeyLen);
  }
  return snmp_sess_open(&s);
}

bool RawGet(void* sess) {
  netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
  snmp_add_null_var(pdu, kSysDescr, OID_LENGTH(kSysDescr));
  netsnmp_pdu* reply = nullptr;
  int rc = snmp_sess_synch_response(sess, pdu, &reply);
  bool ok = rc == STAT_SUCCESS && reply && reply->errstat == 0;
  if (reply) snmp_free_pdu(reply);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  int n = argc > 1 ? std::atoi(argv[1]) : 1000;
  vntest::SnmpdOptions options;
  options.users.push_back({"md5des", "MD5", "md5authpass", "DES", "md5privpass", true});
  vntest::Snmpd agent(options);
  std::string peer = "udp:127.0.0.1:" + std::to_string(agent.Port());

  int status = 0;
  Snmp snmp(status);  // initialises Net-SNMP the layer's way first
  if (status != SNMP_CLASS_SUCCESS) return 1;
  mpInit(snmp, "VnSNMP_PP_Application", 1);
  usmAddUserName("md5des", SNMP_AUTHPROTOCOL_HMACMD5, SNMP_PRIVPROTOCOL_DES, "md5authpass",
                 "md5privpass");
  UdpAddress address("127.0.0.1");
  address.set_port(static_cast<std::uint16_t>(agent.Port()));
  CTarget v2(address);
  v2.set_version(version2c);
  v2.set_readcommunity("qovalt");
  UTarget v3(address);
  v3.set_security_name("md5des");
  auto layer_get = [&](const SnmpTarget& target, int level) {
    Pdu pdu;
    pdu += Vb(Oid("1.3.6.1.2.1.1.1.0"));
    pdu.set_security_level(level);
    return snmp.get(pdu, target) == SNMP_CLASS_SUCCESS;
  };
  layer_get(v3, SNMP_SECURITY_LEVEL_AUTH_PRIV);  // discovery and keys, once

  void* raw2 = RawSession(peer, false);
  void* raw3 = RawSession(peer, true);
  if (!raw2 || !raw3) return 1;
  RawGet(raw3);  // Net-SNMP's own discovery, once

  std::vector<double> rawV2, layerV2, rawV3, layerV3, ratioV2, ratioV3;
  for (int round = 0; round < 5; ++round) {
    rawV2.push_back(PerSecond(n, [&] { return RawGet(raw2); }));
    layerV2.push_back(
        PerSecond(n, [&] { return layer_get(v2, SNMP_SECURITY_LEVEL_NOAUTH_NOPRIV); }));
    rawV3.push_back(PerSecond(n, [&] { return RawGet(raw3); }));
    layerV3.push_back(PerSecond(n, [&] { return layer_get(v3, SNMP_SECURITY_LEVEL_AUTH_PRIV); }));
    ratioV2.push_back(layerV2.back() / rawV2.back());
    ratioV3.push_back(layerV3.back() / rawV3.back());
  }
  snmp_sess_close(raw2);
  snmp_sess_close(raw3);
  bench::Note("GET sysDescr.0 from snmpd, " + std::to_string(n) +
              " round trips per case, 5 rounds; load average " + bench::LoadAverage());
  bench::Report({"SNMP layer: v2c GET", bench::Median(layerV2), "Net-SNMP directly",
                 bench::Median(rawV2), "/s", bench::Median(ratioV2)});
  bench::Report({"SNMP layer: v3 MD5/DES GET", bench::Median(layerV3), "Net-SNMP directly",
                 bench::Median(rawV3), "/s", bench::Median(ratioV3)});

  const int keys = 20;
  for (auto [hash, label] :
       {std::pair{vnsnmp::HashKind::Md5, "MD5"}, std::pair{vnsnmp::HashKind::Sha1, "SHA"}}) {
    auto start = Clock::now();
    for (int i = 0; i < keys; ++i) vnsnmp::PasswordToKu(hash, "maplesyrup" + std::to_string(i));
    double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() / keys;
    char line[96];
    std::snprintf(line, sizeof line, "  key from pass phrase (%s): %.2f ms", label, ms);
    bench::Note(line);
  }
  return 0;
}
