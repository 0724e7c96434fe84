// The synchronous walk: a table of 1,000 rows and 5 columns served by the
// simulator, walked
//   1. by the library (synchronous GETNEXT steps, every column in one PDU),
//   2. by a minimal Net-SNMP client doing the same row-wise walk,
//   3. by snmpwalk, one column after the other, one value per request.
// The three run next to each other in every round; the figures are medians
// of the rounds, the ratios medians of the rounds' ratios.
//
// The benchmark and every process it starts share one processor unless
// --no-pin is given.
//
// usage: walk_bench [--no-pin] [ROUNDS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "library/VnSNMPRequest.h"
#include "platform/Exceptions.h"
#include "support/TestSupport.h"

namespace {

using namespace bench;

constexpr int kRows = 1000;
constexpr const char* kEntry = "1.3.6.1.3.1717.1.1";
constexpr const char* kCommunity = "qovalt";

std::string RunAndRead(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

struct Result {
  double ms = 0;
  double cpu = 0;     // processor time of the walking process
  long requests = 0;  // as the simulator logged them
  long rows = 0;
};

constexpr VnSNMPVarDesc Desc(const char* oid, const char* label, std::uint32_t syntax,
                             std::uint32_t access) {
  return {oid, label, syntax, access, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
}

const VnSNMPVarDesc kColumns[] = {
    Desc("1.3.6.1.3.1717.1.1.1", "Row", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
    Desc("1.3.6.1.3.1717.1.1.2", "Text", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY),
    Desc("1.3.6.1.3.1717.1.1.3", "Counter", SNMP_SYNTAX_COUNTER, SNMP_ACCESS_READONLY),
    Desc("1.3.6.1.3.1717.1.1.4", "Number", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE),
    Desc("1.3.6.1.3.1717.1.1.5", "Address", SNMP_SYNTAX_IPADDRESS, SNMP_ACCESS_READONLY),
    Desc(nullptr, nullptr, 0, 0),
};

Result LibraryWalk(const Simulator& sim) {
  VnSNMPRequest request;
  request.Device.Port = static_cast<std::uint16_t>(sim.Port());
  request.Security.Version = 1;  // v2c
  request.VarList = VnSNMPVarList(kColumns, MVT_FMV, 1);
  Result r;
  const long before = sim.LoggedGetNexts();
  const double cpuStart = CpuMs();
  auto start = Clock::now();
  for (bool more = request.SendGet(true); more; more = request.SendGet(false)) ++r.rows;
  r.ms = MsSince(start);
  r.cpu = CpuMs() - cpuStart;
  r.requests = sim.LoggedGetNexts() - before;
  return r;
}

std::string ToolEnvironment(const std::string& dir) {
  return "env MIBS= SNMPCONFPATH=" + dir + "/toolconf SNMP_PERSISTENT_DIR=" + dir + "/toolstate ";
}

Result ReferenceWalk(const Simulator& sim, const std::string& dir) {
  std::string command = ToolEnvironment(dir) + VN_NETSNMP_WALK + std::string(" 127.0.0.1:") +
                        std::to_string(sim.Port()) + " " + kCommunity;
  for (int c = 1; c <= 5; ++c) command += " " + std::string(kEntry) + "." + std::to_string(c);
  Result r;
  const long before = sim.LoggedGetNexts();
  std::string out = RunAndRead(command + " 2>/dev/null");
  r.requests = sim.LoggedGetNexts() - before;
  double ms = -1;
  long requests = 0;
  const std::size_t at = out.find("requests=");
  if (at == std::string::npos ||
      std::sscanf(out.c_str() + at, "requests=%ld rows=%ld ms=%lf cpu=%lf", &requests, &r.rows, &ms,
                  &r.cpu) != 4)
    std::fprintf(stderr, "reference client: %s\n", out.c_str());
  r.ms = ms;
  return r;
}

Result SnmpwalkColumns(const Simulator& sim, const std::string& dir) {
  Result r;
  const long before = sim.LoggedGetNexts();
  auto start = Clock::now();
  for (int c = 1; c <= 5; ++c) {
    std::string out = RunAndRead(ToolEnvironment(dir) + "snmpwalk -v2c -c " + kCommunity +
                                 " -On 127.0.0.1:" + std::to_string(sim.Port()) + " " + kEntry +
                                 "." + std::to_string(c) + " 2>/dev/null");
    r.rows = std::count(out.begin(), out.end(), '\n');
  }
  r.ms = MsSince(start);
  r.requests = sim.LoggedGetNexts() - before;
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = TakeOptions(argc, argv, 5);
  const int rounds = options.rounds;
  vntest::TempDir dir;
  Simulator sim(VN_SIMULATOR, dir.Path(), kRows);
  if (sim.Port() == 0 || !StartSession(dir.Path())) return 1;

  // The three walks run next to each other in every round, so that the
  // ratios of one round share the machine's load of that moment.
  std::vector<double> ours, reference, tool, nearRatio, toolRatio;
  Result lastOurs, lastReference, lastTool;
  for (int i = 0; i < rounds; ++i) {
    try {
      lastOurs = LibraryWalk(sim);
    } catch (Exception& e) {
      std::fprintf(stderr, "library walk: %s (%d)\n", e.Message.c_str(), e.HelpContext);
      return 1;
    }
    lastReference = ReferenceWalk(sim, dir.Path());
    lastTool = SnmpwalkColumns(sim, dir.Path());
    ours.push_back(lastOurs.ms);
    reference.push_back(lastReference.ms);
    tool.push_back(lastTool.ms);
    nearRatio.push_back(lastOurs.ms / lastReference.ms);
    toolRatio.push_back(lastTool.ms / lastOurs.ms);
  }
  Note("synchronous walk of " + std::to_string(kRows) + " rows x 5 columns, " +
       std::to_string(rounds) + " rounds" +
       (options.pin ? ", client and agent on one processor" : "") + "; GETNEXT requests: library " +
       std::to_string(lastOurs.requests) + ", Net-SNMP client " +
       std::to_string(lastReference.requests) + ", snmpwalk " + std::to_string(lastTool.requests));
  bool ok = Report({"sync walk: library", Median(ours), "Net-SNMP row client", Median(reference),
                    "ms", Median(nearRatio), '<', 1.3});
  ok = Report({"sync walk: snmpwalk, column by column", Median(tool), "library", Median(ours), "ms",
               Median(toolRatio), '>', 3}) &&
       ok;
  // One request per row and one more that finds the end: nothing repeated.
  const bool exact = lastOurs.requests == kRows + 1 && lastOurs.rows == kRows;
  if (!exact) Note("  the library did not send exactly one request per row and one more");
  return ok && exact ? 0 : 1;
}
