// Walk benchmark, run by hand: a table of 1,000 rows and 5 columns served by
// the simulator, walked
//   1. by the library (synchronous GETNEXT steps, every column in one PDU),
//   2. by a minimal Net-SNMP client doing the same row-wise walk,
//   3. by snmpwalk, one column after the other, one value per request.
// Each is run several times; the median wall time of each is printed, with
// the GETNEXT requests the simulator logged for each.
//
// The benchmark and every process it starts share one processor unless
// --no-pin is given: on a shared machine the placement of the client and
// the agent on processors otherwise decides the figures more than the code.
//
// usage: requests_walk_bench [--no-pin] [ROUNDS]
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "library/VnSNMPRequest.h"
#include "library/VnSNMPSession.h"
#include "platform/Exceptions.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 1000;
constexpr const char* kEntry = "1.3.6.1.3.1717.1.1";
constexpr const char* kCommunity = "qovalt";

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// GETNEXT requests in the simulator's request log so far.
long LoggedGetNexts(const std::string& log) {
  std::istringstream lines(ReadAll(log));
  std::string line;
  long n = 0;
  while (std::getline(lines, line))
    if (line.find("\tGETNEXT\t") != std::string::npos) ++n;
  return n;
}

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

class Simulator {
 public:
  explicit Simulator(const std::string& dir) {
    const std::string portFile = dir + "/port";
    log_ = dir + "/requests.log";
    fs::create_directories(dir + "/state");
    std::vector<std::string> args = {
        VN_SIMULATOR, "--port-file", portFile,      "--big-table", std::to_string(kRows) + "x5",
        "--log",      log_,          "--state-dir", dir + "/state"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    // The simulator's greeting would mix with the figures.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
      pid_ = -1;
      return;
    }
    for (int i = 0; i < 400 && port_ == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      port_ = std::atoi(ReadAll(portFile).c_str());
    }
  }
  ~Simulator() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
  }
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  int Port() const { return port_; }
  const std::string& Log() const { return log_; }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  std::string log_;
};

double CpuMs() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
         (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
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
  const long before = LoggedGetNexts(sim.Log());
  const double cpuStart = CpuMs();
  auto start = Clock::now();
  for (bool more = request.SendGet(true); more; more = request.SendGet(false)) ++r.rows;
  r.ms = MsSince(start);
  r.cpu = CpuMs() - cpuStart;
  r.requests = LoggedGetNexts(sim.Log()) - before;
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
  const long before = LoggedGetNexts(sim.Log());
  std::string out = RunAndRead(command + " 2>/dev/null");
  r.requests = LoggedGetNexts(sim.Log()) - before;
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
  const long before = LoggedGetNexts(sim.Log());
  auto start = Clock::now();
  for (int c = 1; c <= 5; ++c) {
    std::string out = RunAndRead(ToolEnvironment(dir) + "snmpwalk -v2c -c " + kCommunity +
                                 " -On 127.0.0.1:" + std::to_string(sim.Port()) + " " + kEntry +
                                 "." + std::to_string(c) + " 2>/dev/null");
    r.rows = std::count(out.begin(), out.end(), '\n');
  }
  r.ms = MsSince(start);
  r.requests = LoggedGetNexts(sim.Log()) - before;
  return r;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  bool pin = true;
  int rounds = 5;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--no-pin")
      pin = false;
    else
      rounds = std::max(1, std::atoi(argv[i]));
  }
  if (pin) {
    const int cpu = sched_getcpu();
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    if (cpu >= 0 && sched_setaffinity(0, sizeof set, &set) == 0)
      std::printf("pinned to processor %d (with every process it starts)\n", cpu);
  }
  char pattern[] = "/tmp/vnbench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string dir = pattern;
  int status = 0;
  {
    Simulator sim(dir);
    if (sim.Port() == 0) {
      std::fprintf(stderr, "the simulator did not start\n");
      fs::remove_all(dir);
      return 1;
    }
    try {
      InitSnmpSession(AnsiString(dir));
    } catch (Exception& e) {
      std::fprintf(stderr, "session: %s\n", e.Message.c_str());
      return 1;
    }

    // The three walks run next to each other in every round, so that the
    // ratios of one round share the machine's load of that moment.
    std::vector<double> ours, reference, tool, nearRatio, toolRatio, ourCpu, referenceCpu;
    Result lastOurs, lastReference, lastTool;
    for (int i = 0; i < rounds; ++i) {
      try {
        lastOurs = LibraryWalk(sim);
      } catch (Exception& e) {
        std::fprintf(stderr, "library walk: %s (%d)\n", e.Message.c_str(), e.HelpContext);
        return 1;
      }
      lastReference = ReferenceWalk(sim, dir);
      lastTool = SnmpwalkColumns(sim, dir);
      ours.push_back(lastOurs.ms);
      reference.push_back(lastReference.ms);
      tool.push_back(lastTool.ms);
      ourCpu.push_back(lastOurs.cpu);
      referenceCpu.push_back(lastReference.cpu);
      nearRatio.push_back(lastOurs.ms / lastReference.ms);
      toolRatio.push_back(lastTool.ms / lastOurs.ms);
    }
    auto best = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    std::printf("table %d rows x 5 columns, %d rounds; wall time median (best):\n", kRows, rounds);
    std::printf(
        "  library walk          %7.1f ms (%6.1f)  %ld GETNEXT requests, %ld rows, cpu %.1f ms\n",
        Median(ours), best(ours), lastOurs.requests, lastOurs.rows, Median(ourCpu));
    std::printf(
        "  Net-SNMP client walk  %7.1f ms (%6.1f)  %ld GETNEXT requests, %ld rows, cpu %.1f ms\n",
        Median(reference), best(reference), lastReference.requests, lastReference.rows,
        Median(referenceCpu));
    std::printf("  snmpwalk x 5 columns  %7.1f ms (%6.1f)  %ld GETNEXT requests\n", Median(tool),
                best(tool), lastTool.requests);
    const bool exact = lastOurs.requests == kRows + 1 && lastOurs.rows == kRows;
    const double nearMedian = Median(nearRatio), toolMedian = Median(toolRatio);
    const bool near = nearMedian <= 1.3;
    const bool faster = toolMedian >= 3;
    std::printf("  requests exactly %d: %s\n", kRows + 1, exact ? "yes" : "NO");
    std::printf("  library / client, median of rounds:   %.2f (at most 1.30) %s\n", nearMedian,
                near ? "ok" : "TOO SLOW");
    std::printf("  snmpwalk / library, median of rounds: %.2f (at least 3) %s\n", toolMedian,
                faster ? "ok" : "TOO SLOW");
    status = exact && near && faster ? 0 : 1;
  }
  fs::remove_all(dir);
  return status;
}
