// One throw-away snmpd per test suite, the SNMP session talking to it, and
// the users and targets the agent tests share.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "snmp/SnmpLib.h"
#include "support/Snmpd.h"

namespace snmptest {

// Object identifiers the agent serves.
inline constexpr const char* kSysDescr = "1.3.6.1.2.1.1.1.0";
inline constexpr const char* kSysObjectId = "1.3.6.1.2.1.1.2.0";
inline constexpr const char* kSysUpTime = "1.3.6.1.2.1.1.3.0";
inline constexpr const char* kSysContact = "1.3.6.1.2.1.1.4.0";
inline constexpr const char* kSysName = "1.3.6.1.2.1.1.5.0";
inline constexpr const char* kSysLocation = "1.3.6.1.2.1.1.6.0";
inline constexpr const char* kEngineBoots = "1.3.6.1.6.3.10.2.1.2.0";
inline constexpr const char* kSnmpInPkts = "1.3.6.1.2.1.11.1.0";
inline constexpr const char* kIfSpeed1 = "1.3.6.1.2.1.2.2.1.5.1";
inline constexpr const char* kIfHCInOctets1 = "1.3.6.1.2.1.31.1.1.1.6.1";
inline constexpr const char* kIpAdEntAddrLoopback = "1.3.6.1.2.1.4.20.1.1.127.0.0.1";
inline constexpr const char* kLaLoadFloat1 = "1.3.6.1.4.1.2021.10.1.6.1";
inline constexpr const char* kLastInView = "1.3.6.1.6.3.10.2.1.4.0";  // snmpEngineMaxMessageSize

// Version 3 users of the agent, with the pass phrases the client uses.
struct TestUser {
  const char* name;
  long auth;
  const char* auth_pass;
  long priv;
  const char* priv_pass;
  int level;
};
inline constexpr TestUser kMd5Des{"md5des",      SNMP_AUTHPROTOCOL_HMACMD5,
                                  "md5authpass", SNMP_PRIVPROTOCOL_DES,
                                  "md5privpass", SNMP_SECURITY_LEVEL_AUTH_PRIV};
inline constexpr TestUser kShaDes{"shades",      SNMP_AUTHPROTOCOL_HMACSHA,
                                  "shaauthpass", SNMP_PRIVPROTOCOL_DES,
                                  "shaprivpass", SNMP_SECURITY_LEVEL_AUTH_PRIV};
inline constexpr TestUser kMd5Only{
    "md5only", SNMP_AUTHPROTOCOL_HMACMD5,      "md5authpass", SNMP_PRIVPROTOCOL_NONE,
    "",        SNMP_SECURITY_LEVEL_AUTH_NOPRIV};
inline constexpr TestUser kShaOnly{
    "shaonly", SNMP_AUTHPROTOCOL_HMACSHA,      "shaauthpass", SNMP_PRIVPROTOCOL_NONE,
    "",        SNMP_SECURITY_LEVEL_AUTH_NOPRIV};
// The agent refuses pass phrases under 8 characters; it gets the master key.
inline constexpr TestUser kShort{"shorty", SNMP_AUTHPROTOCOL_HMACMD5,
                                 "sixchr", SNMP_PRIVPROTOCOL_NONE,
                                 "",       SNMP_SECURITY_LEVEL_AUTH_NOPRIV};
inline constexpr TestUser kNoAuth{"noauth", SNMP_AUTHPROTOCOL_NONE,
                                  "",       SNMP_PRIVPROTOCOL_NONE,
                                  "",       SNMP_SECURITY_LEVEL_NOAUTH_NOPRIV};
inline constexpr TestUser kAllUsers[] = {kMd5Des, kShaDes, kMd5Only, kShaOnly, kShort, kNoAuth};

class AgentTest : public ::testing::Test {
 public:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  static vntest::Snmpd& Agent() { return *agent_; }
  static Snmp& Session() { return *snmp_; }
  static UdpAddress AgentAddress();

  static CTarget V1Target();
  static CTarget V2Target();
  static UTarget V3Target(const TestUser& user);
  // A Pdu with one binding per Oid (NULL values), at the user's level.
  static Pdu MakePdu(std::initializer_list<const char*> oids,
                     int level = SNMP_SECURITY_LEVEL_NOAUTH_NOPRIV);

 private:
  static std::unique_ptr<vntest::Snmpd> agent_;
  static std::unique_ptr<Snmp> snmp_;
};

// A UDP port on 127.0.0.1 that is bound but never answers.
class SilentPort {
 public:
  SilentPort();
  ~SilentPort();
  SilentPort(const SilentPort&) = delete;
  SilentPort& operator=(const SilentPort&) = delete;
  UdpAddress Address() const;
  // The first datagram that came in and was not taken yet ("" when none).
  std::string Take() const;

 private:
  int fd_ = -1;
  int port_ = 0;
};

// Collects the completions of asynchronous requests; pass it as callback data.
struct Completion {
  int reason = 0;
  int error_status = 0;
  int error_index = 0;
  Pdu pdu;
  std::string address;
  double at_ms = 0;  // since the recorder was made
};
class Recorder {
 public:
  Recorder();
  static void Callback(int reason, Snmp* session, Pdu& pdu, SnmpTarget& target, void* data);
  std::vector<Completion> done;
  std::function<void(Snmp*)> on_completion;  // runs inside the callback

 private:
  std::chrono::steady_clock::time_point start_;
};

// Pumps SNMPProcessPendingEvents every 20 ms until done() or the time is up;
// returns the milliseconds spent.
double PumpUntil(const std::function<bool()>& done, int limit_ms = 5000);

}  // namespace snmptest
