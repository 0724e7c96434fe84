// Shared pieces of the request tests: one throw-away snmpd per test
// process, the session started in a fresh folder for each test, the
// descriptor tables the tests read and write, and small helpers.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "library/VnSNMPRequest.h"
#include "support/Snmpd.h"
#include "support/TestSupport.h"

namespace reqtest {

// Version 3 users of the agent.
struct V3User {
  const char* name;
  std::uint32_t level;  // 1 noAuthNoPriv, 2 authNoPriv, 3 authPriv
  std::uint32_t auth;   // 1 none, 2 MD5, 3 SHA
  const char* authPass;
  std::uint32_t priv;  // 1 none, 2 DES
  const char* privPass;
};
inline constexpr V3User kShaAuth{"shaonly", 2, 3, "shaauthpass", 1, ""};
inline constexpr V3User kMd5Des{"md5des", 3, 2, "md5authpass", 2, "md5privpass"};

// The sparse table the agent serves: entry 1.3.6.1.4.1.99999.1.1, column 2
// holds row 1 only, column 3 rows 1 to 3.
inline constexpr const char* kSparseEntry = "1.3.6.1.4.1.99999.1.1";

// A catalogue-style record: no option list, no expressions.
constexpr VnSNMPVarDesc Desc(const char* oid, const char* label, std::uint32_t syntax,
                             std::uint32_t access) {
  return {oid, label, syntax, access, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
}
inline constexpr VnSNMPVarDesc kEnd{};

// Descriptor tables.
extern const VnSNMPVarDesc kSystemGroup[];      // sysDescr .. sysServices, scalar
extern const VnSNMPVarDesc kSystemWritable[];   // sysContact, sysName, sysLocation
extern const VnSNMPVarDesc kIfTable[];          // ifIndex (index), ifDescr, ifType
extern const VnSNMPVarDesc kVacmGroups[];       // vacmSecurityToGroupTable, 2 index columns
extern const VnSNMPVarDesc kSparseTable[];      // index, column 2, column 3
extern const VnSNMPVarDesc kTargetAddrTable[];  // snmpTargetAddrTable, implied name

// The agent options of the test process's agent (communities, two version
// 3 users, the sparse table); view limits what every principal may see.
vntest::SnmpdOptions AgentOptions(std::vector<std::string> view = {});

// Tests that talk to the shared agent. Each test gets a fresh session in a
// folder of its own and ConnectionDefaults aimed at the agent (v2c).
class AgentTest : public ::testing::Test {
 public:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  static vntest::Snmpd& Agent() { return *agent_; }

 protected:
  void SetUp() override;
  void TearDown() override;
  const vntest::TempDir& Folder() const { return folder_; }

 private:
  static std::unique_ptr<vntest::Snmpd> agent_;
  vntest::TempDir folder_;
};

// Starts the session in `folder` and aims ConnectionDefaults at the agent.
void StartSession(const std::string& folder, const vntest::Snmpd& agent);

// Settings of a request for each version.
void UseV1(VnSNMPRequest& r);
void UseV2c(VnSNMPRequest& r);
void UseV3(VnSNMPRequest& r, const V3User& user);

// A request over a descriptor table.
std::unique_ptr<VnSNMPRequest> MakeRequest(const VnSNMPVarDesc* table, VnItemType itemType,
                                           std::uint32_t keyCount);

// Item values.
std::string ValueOf(const VnSNMPRequest& r, int item);
void SetValue(VnSNMPRequest& r, int item, const std::string& value);

// One row as the walk delivered it: every item's value.
using Row = std::vector<std::string>;
// Walks synchronously; every row the walk delivers.
std::vector<Row> WalkSync(VnSNMPRequest& r);
// Walks asynchronously through the event pump; rows, and the last
// completion record.
struct AsyncWalk {
  std::vector<Row> rows;
  std::vector<VnSNMPError> records;
  bool done = false;
};
void WalkAsync(VnSNMPRequest& r, AsyncWalk& walk, int timeoutMs = 10000);

// Runs the event loop until done() or the real-time limit;
// returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs);
// Pumps for a while of real time.
void PumpFor(int ms);

// What a Net-SNMP command-line tool prints (standard output) when run
// against the agent with the agent's tool environment.
std::string RunTool(const vntest::Snmpd& agent, const std::string& tool);
// The agent's own answer through Net-SNMP's snmpwalk: one "oid value" text
// per variable, OIDs numeric without the leading dot, string values
// without quotes.
std::vector<std::pair<std::string, std::string>> Snmpwalk(const vntest::Snmpd& agent,
                                                          const std::string& oid,
                                                          const std::string& version = "2c");
// The agent's value of one instance (snmpget, v2c).
std::string Snmpget(const vntest::Snmpd& agent, const std::string& oid);

// A UDP port on 127.0.0.1 that takes datagrams and never answers.
class SilentPort {
 public:
  SilentPort();
  ~SilentPort();
  SilentPort(const SilentPort&) = delete;
  SilentPort& operator=(const SilentPort&) = delete;
  int Port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// The library error number an exception carries; 1 when something else
// was thrown, 0 when nothing was.
int RaisedNumber(const std::function<void()>& f);

}  // namespace reqtest
