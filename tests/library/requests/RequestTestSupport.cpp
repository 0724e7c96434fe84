#include "RequestTestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

#include "library/VnErrors.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPSession.h"
#include "platform/EventLoop.h"
#include "platform/Exceptions.h"

namespace reqtest {

const VnSNMPVarDesc kSystemGroup[] = {
    Desc("1.3.6.1.2.1.1.1", "sysDescr", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY),
    Desc("1.3.6.1.2.1.1.2", "sysObjectID", SNMP_SYNTAX_OBJECTID, SNMP_ACCESS_READONLY),
    Desc("1.3.6.1.2.1.1.3", "sysUpTime", SNMP_SYNTAX_TIMETICKS, SNMP_ACCESS_READONLY),
    Desc("1.3.6.1.2.1.1.4", "sysContact", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.2.1.1.5", "sysName", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.2.1.1.6", "sysLocation", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.2.1.1.7", "sysServices", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
    kEnd,
};

const VnSNMPVarDesc kSystemWritable[] = {
    Desc("1.3.6.1.2.1.1.4", "sysContact", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.2.1.1.5", "sysName", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.2.1.1.6", "sysLocation", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    kEnd,
};

const VnSNMPVarDesc kIfTable[] = {
    Desc("1.3.6.1.2.1.2.2.1.1", "ifIndex", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS),
    Desc("1.3.6.1.2.1.2.2.1.2", "ifDescr", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY),
    Desc("1.3.6.1.2.1.2.2.1.3", "ifType", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
    kEnd,
};

const VnSNMPVarDesc kVacmGroups[] = {
    Desc("1.3.6.1.6.3.16.1.2.1.1", "Model", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS),
    Desc("1.3.6.1.6.3.16.1.2.1.2", "Name", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_NOTACCESS),
    Desc("1.3.6.1.6.3.16.1.2.1.3", "Group", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.6.3.16.1.2.1.4", "Storage", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.6.3.16.1.2.1.5", "Status", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE),
    kEnd,
};

const VnSNMPVarDesc kSparseTable[] = {
    Desc("1.3.6.1.4.1.99999.1.1.1", "Index", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS),
    Desc("1.3.6.1.4.1.99999.1.1.2", "Short", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
    Desc("1.3.6.1.4.1.99999.1.1.3", "Long", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
    kEnd,
};

const VnSNMPVarDesc kTargetAddrTable[] = {
    Desc("1.3.6.1.6.3.12.1.2.1.1", "Name", SNMP_SYNTAX_DISPLAYSTR,
         SNMP_ACCESS_NOTACCESS | SNMP_ACCESS_IMPLIED),
    Desc("1.3.6.1.6.3.12.1.2.1.2", "Domain", SNMP_SYNTAX_OBJECTID, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.6.3.12.1.2.1.3", "Address", SNMP_SYNTAX_OCTETSTR, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.6.3.12.1.2.1.7", "Params", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.6.3.12.1.2.1.9", "RowStatus", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE),
    kEnd,
};

vntest::SnmpdOptions AgentOptions(std::vector<std::string> view) {
  vntest::SnmpdOptions o;
  o.users.push_back({kShaAuth.name, "SHA", kShaAuth.authPass, "", "", true});
  o.users.push_back({kMd5Des.name, "MD5", kMd5Des.authPass, "DES", kMd5Des.privPass, true});
  o.view = std::move(view);
  o.extra_config =
      "sysservices 72\n"
      "override .1.3.6.1.4.1.99999.1.1.2.1 integer 21\n"
      "override .1.3.6.1.4.1.99999.1.1.3.1 integer 31\n"
      "override .1.3.6.1.4.1.99999.1.1.3.2 integer 32\n"
      "override .1.3.6.1.4.1.99999.1.1.3.3 integer 33\n";
  return o;
}

std::unique_ptr<vntest::Snmpd> AgentTest::agent_;

void AgentTest::SetUpTestSuite() {
  if (!agent_) agent_ = std::make_unique<vntest::Snmpd>(AgentOptions());
}

void AgentTest::TearDownTestSuite() { agent_.reset(); }

void AgentTest::SetUp() { StartSession(folder_.Path(), *agent_); }

void AgentTest::TearDown() {
  // Whatever a test left outstanding ends before the next one starts.
  PumpFor(0);
}

void StartSession(const std::string& folder, const vntest::Snmpd& agent) {
  InitSnmpSession(AnsiString(folder));
  ConnectionDefaults.Device.Address = agent.Address();
  ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(agent.Port());
  ConnectionDefaults.Security.Version = 1;
  g_SnmpTimeout = 100;
}

void UseV1(VnSNMPRequest& r) {
  r.Security.Version = 0;
  r.Security.SecurityModel = 1;
  r.Security.SecurityLevel = 1;
}

void UseV2c(VnSNMPRequest& r) {
  r.Security.Version = 1;
  r.Security.SecurityModel = 2;
  r.Security.SecurityLevel = 1;
}

void UseV3(VnSNMPRequest& r, const V3User& user) {
  r.Security.Version = 3;
  r.Security.SecurityModel = 3;
  r.Security.SecurityLevel = user.level;
  r.Security.SecurityName = user.name;
  r.Security.AuthProtocol = user.auth;
  r.Security.AuthPassPhrase = user.authPass;
  r.Security.PrivProtocol = user.priv;
  r.Security.PrivPassPhrase = user.privPass;
}

std::unique_ptr<VnSNMPRequest> MakeRequest(const VnSNMPVarDesc* table, VnItemType itemType,
                                           std::uint32_t keyCount) {
  auto r = std::make_unique<VnSNMPRequest>();
  r->VarList = VnSNMPVarList(table, itemType, keyCount);
  return r;
}

std::string ValueOf(const VnSNMPRequest& r, int item) { return r.VarList.Item(item)->Value->str(); }

void SetValue(VnSNMPRequest& r, int item, const std::string& value) {
  *r.VarList.Item(item)->Value = value;
}

namespace {

Row RowOf(const VnSNMPRequest& r) {
  Row row;
  for (int i = 0; i < r.VarList.Count(); ++i) row.push_back(ValueOf(r, i));
  return row;
}

}  // namespace

std::vector<Row> WalkSync(VnSNMPRequest& r) {
  std::vector<Row> rows;
  for (bool more = r.SendGet(VnReadFrom::Start); more; more = r.SendGet(VnReadFrom::LastRow)) {
    rows.push_back(RowOf(r));
    if (rows.size() > 10000) break;  // a walk that never ends is a failure
  }
  return rows;
}

void WalkAsync(VnSNMPRequest& r, AsyncWalk& walk, int timeoutMs) {
  walk = AsyncWalk();
  VnSNMPCompletion next;
  next = [&r, &walk, &next](VnSNMPError& e, VnSNMPVarList&) {
    walk.records.push_back(e);
    if (e.Number != VNERR_OK || e.Finished) {
      walk.done = true;
      return;
    }
    walk.rows.push_back(RowOf(r));
    if (r.Active) {
      r.SendGetAsync(next, VnReadFrom::LastRow);
    } else {
      walk.done = true;
    }
  };
  r.SendGetAsync(next, VnReadFrom::Start);
  PumpUntil([&] { return walk.done; }, timeoutMs);
}

// A pass of the loop returns at once: these loops give the processor back
// between two rounds.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    EventLoop::Current().ProcessPendingEvents();
    EventLoop::Current().Pause();
  }
  return done();
}

void PumpFor(int ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    EventLoop::Current().ProcessPendingEvents();
    EventLoop::Current().Pause();
  } while (std::chrono::steady_clock::now() < deadline);
}

std::string RunTool(const vntest::Snmpd& agent, const std::string& tool) {
  std::string command = "env";
  for (const std::string& e : agent.ToolEnvironment()) command += " '" + e + "'";
  command += " " + tool + " 2>/dev/null";
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

namespace {

std::string Unquote(std::string v) {
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> Snmpwalk(const vntest::Snmpd& agent,
                                                          const std::string& oid,
                                                          const std::string& version) {
  std::string out = RunTool(agent, "snmpwalk -v" + version + " -c qovalt -On -Oq -Oe 127.0.0.1:" +
                                       std::to_string(agent.Port()) + " " + oid);
  std::vector<std::pair<std::string, std::string>> result;
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] != '.') continue;
    std::size_t space = line.find(' ');
    std::string name = line.substr(1, space == std::string::npos ? std::string::npos : space - 1);
    std::string value = space == std::string::npos ? "" : Unquote(line.substr(space + 1));
    // The tool reports the end of the view as a line of its own.
    if (value.rfind("No more variables", 0) == 0 || value.rfind("No Such", 0) == 0) continue;
    result.emplace_back(name, value);
  }
  return result;
}

std::string Snmpget(const vntest::Snmpd& agent, const std::string& oid) {
  std::string out = RunTool(
      agent, "snmpget -v2c -c qovalt -Oqv 127.0.0.1:" + std::to_string(agent.Port()) + " " + oid);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return Unquote(out);
}

SilentPort::SilentPort() {
  fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = 0;
  if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
    socklen_t len = sizeof a;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
  }
}

SilentPort::~SilentPort() {
  if (fd_ >= 0) ::close(fd_);
}

int RaisedNumber(const std::function<void()>& f) {
  try {
    f();
  } catch (Exception& e) {
    return e.HelpContext;
  } catch (...) {
    return 1;
  }
  return 0;
}

}  // namespace reqtest
