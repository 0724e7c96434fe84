#include "BenchSupport.h"

#include <arpa/inet.h>
#include <linux/sockios.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "library/VnSNMPSession.h"
#include "platform/Exceptions.h"
#include "support/TestSupport.h"
#include "support/Xvfb.h"

namespace bench {

namespace fs = std::filesystem;

namespace {}  // namespace

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double CpuMs() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double ProcessCpuMs(pid_t pid) {
  // Fields 14 and 15 of /proc/PID/stat: user and system time in clock ticks
  // (the name in field 2 is in parentheses and may hold blanks).
  const std::string stat = vntest::ReadFile("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream in(stat.substr(close + 1));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && in >> field; ++i)
    if (i >= 14) ticks += std::atof(field.c_str());
  return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

namespace {

double ChildrenCpuMs() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

}  // namespace

Command RunCommand(const std::string& command) {
  Command c;
  const double cpuStart = ChildrenCpuMs();
  const auto start = Clock::now();
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) c.out.append(buf, n);
    pclose(p);
  }
  c.ms = MsSince(start);
  c.cpu = ChildrenCpuMs() - cpuStart;
  return c;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Minimum(const std::vector<double>& v) {
  return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

std::int64_t SystemNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

Options TakeOptions(int argc, char** argv, int defaultRounds, bool pinByDefault) {
  Options o;
  o.pin = pinByDefault;
  o.rounds = defaultRounds;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--no-pin")
      o.pin = false;
    else if (std::string(argv[i]) == "--pin")
      o.pin = true;
    else
      o.rounds = std::max(1, std::atoi(argv[i]));
  }
  if (o.pin) Pin(0, true);
  return o;
}

void Pin(pid_t pid, bool oneProcessor) {
  static const int cpu = sched_getcpu();  // the first call's: one processor for all
  cpu_set_t set;
  CPU_ZERO(&set);
  if (oneProcessor && cpu >= 0) {
    CPU_SET(static_cast<std::size_t>(cpu), &set);
  } else {
    const long n = sysconf(_SC_NPROCESSORS_ONLN);
    for (long i = 0; i < n && i < CPU_SETSIZE; ++i) CPU_SET(static_cast<std::size_t>(i), &set);
  }
  sched_setaffinity(pid, sizeof set, &set);
}

bool StartSession(const std::string& folder) {
  try {
    InitSnmpSession(AnsiString(folder));
    return true;
  } catch (Exception& e) {
    std::fprintf(stderr, "session: %s\n", e.Message.c_str());
    return false;
  }
}

Simulator::Simulator(const std::string& program, const std::string& dir, int rows,
                     const std::vector<std::string>& more, Logging logging) {
  const std::string portFile = dir + "/port";
  fs::create_directories(dir + "/state");
  std::vector<std::string> args = {
      program,       "--port-file", portFile, "--big-table", std::to_string(rows) + "x5",
      "--state-dir", dir + "/state"};
  if (logging == Logging::On) {
    log_ = dir + "/requests.log";
    args.insert(args.end(), {"--log", log_});
  }
  args.insert(args.end(), more.begin(), more.end());
  // The simulator's greeting would mix with the figures.
  pid_ = vntest::SpawnTied(program, args, 1, -1);
  if (pid_ <= 0) {
    pid_ = -1;
    return;
  }
  for (int i = 0; i < 600 && port_ == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    port_ = std::atoi(vntest::ReadFile(portFile).c_str());
    int status = 0;
    if (port_ == 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;  // it could not run, or ended before it served
      break;
    }
  }
  if (port_ == 0) std::fprintf(stderr, "the simulator did not start\n");
}

Simulator::~Simulator() { Stop(); }

bool Simulator::Stop() {
  if (pid_ <= 0) return false;
  kill(pid_, SIGTERM);
  int status = 0;
  const pid_t ended = waitpid(pid_, &status, 0);
  pid_ = -1;
  return ended > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

long Simulator::LoggedGetNexts() const {
  if (log_.empty()) return 0;
  std::istringstream lines(vntest::ReadFile(log_));
  std::string line;
  long n = 0;
  while (std::getline(lines, line))
    if (line.find("\tGETNEXT\t") != std::string::npos) ++n;
  return n;
}

bool AgentTimes::Read(const std::string& path) {
  events_.clear();
  const std::string text = vntest::ReadFile(path);
  const char* p = text.c_str();
  while (*p) {
    const char kind = *p;
    char* end = nullptr;
    const long long ns = std::strtoll(p + 1, &end, 10);
    if (end == p + 1 || (kind != 'r' && kind != 's')) break;
    events_.push_back({kind, static_cast<std::int64_t>(ns)});
    p = end;
    while (*p == '\n') ++p;
  }
  return !events_.empty();
}

std::vector<AgentTimes::Event>::const_iterator AgentTimes::First(std::int64_t from) const {
  // In the order they happened: a datagram may have arrived a little before
  // the reply noted ahead of it, never long before.
  return std::partition_point(events_.begin(), events_.end(),
                              [from](const Event& e) { return e.ns < from; });
}

std::vector<double> AgentTimes::TurnaroundsUs(std::int64_t from, std::int64_t to) const {
  std::vector<double> gaps;
  for (auto e = First(from); e != events_.end() && std::next(e) != events_.end(); ++e) {
    const Event& next = *std::next(e);
    if (next.ns > to) break;
    if (e->kind == 's' && next.kind == 'r')
      gaps.push_back(static_cast<double>(next.ns - e->ns) / 1e3);
  }
  return gaps;
}

double AgentTimes::MedianTurnaroundUs(std::int64_t from, std::int64_t to) const {
  const std::vector<double> gaps = TurnaroundsUs(from, to);
  return gaps.empty() ? -1 : Median(gaps);
}

double AgentTimes::LongestTurnaroundUs(std::int64_t from, std::int64_t to) const {
  const std::vector<double> gaps = TurnaroundsUs(from, to);
  return gaps.empty() ? -1 : *std::max_element(gaps.begin(), gaps.end());
}

std::int64_t AgentTimes::LastReply(std::int64_t from, std::int64_t to) const {
  std::int64_t last = 0;
  for (auto e = First(from); e != events_.end() && e->ns <= to; ++e)
    if (e->kind == 's') last = e->ns;
  return last;
}

AgentTimes::Shares AgentTimes::SharesOf(std::int64_t from, std::int64_t to) const {
  Shares s;
  std::int64_t first = 0, last = 0;
  for (auto e = First(from); e != events_.end() && e->ns <= to; ++e) {
    if (!first && e->kind == 'r') first = e->ns;
    if (e->kind == 's') last = e->ns;
    const auto next = std::next(e);
    if (next == events_.end() || next->ns > to) break;
    const double ms = static_cast<double>(next->ns - e->ns) / 1e6;
    (e->kind == 's' && next->kind == 'r' ? s.client : s.agent) += ms;
  }
  if (first) s.before = static_cast<double>(first - from) / 1e6;
  if (last) s.after = static_cast<double>(to - last) / 1e6;
  return s;
}

double WakeUpUs(int count) {
  const int client = socket(AF_INET, SOCK_DGRAM, 0), peer = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in ca{}, pa{};
  ca.sin_family = pa.sin_family = AF_INET;
  ca.sin_addr.s_addr = pa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof ca;
  double median = -1;
  if (client >= 0 && peer >= 0 && bind(client, reinterpret_cast<sockaddr*>(&ca), len) == 0 &&
      bind(peer, reinterpret_cast<sockaddr*>(&pa), len) == 0 &&
      getsockname(client, reinterpret_cast<sockaddr*>(&ca), &len) == 0 &&
      getsockname(peer, reinterpret_cast<sockaddr*>(&pa), &len) == 0) {
    const pid_t pid = fork();
    if (pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      char buf[64];
      for (;;) {
        const ssize_t n = recv(peer, buf, sizeof buf, 0);
        if (n <= 0 || buf[0] == 'q') _exit(0);
        const std::int64_t start = SystemNs();
        while (SystemNs() - start < 40000) {
        }
        sendto(peer, buf, static_cast<std::size_t>(n), 0, reinterpret_cast<sockaddr*>(&ca),
               sizeof ca);
      }
    }
    std::vector<double> waits;
    char buf[64] = "p";
    for (int i = 0; pid > 0 && i < count; ++i) {
      sendto(client, buf, 1, 0, reinterpret_cast<sockaddr*>(&pa), sizeof pa);
      pollfd p{client, POLLIN, 0};
      if (poll(&p, 1, 1000) != 1 || recv(client, buf, sizeof buf, 0) <= 0) break;
      const std::int64_t running = SystemNs();
      timespec arrived{};
      if (ioctl(client, SIOCGSTAMPNS, &arrived) == 0)
        waits.push_back(
            static_cast<double>(running - (arrived.tv_sec * 1000000000LL + arrived.tv_nsec)) / 1e3);
    }
    if (pid > 0) {
      sendto(client, "q", 1, 0, reinterpret_cast<sockaddr*>(&pa), sizeof pa);
      int status = 0;
      waitpid(pid, &status, 0);
    }
    if (!waits.empty()) median = Median(waits);
  }
  if (client >= 0) close(client);
  if (peer >= 0) close(peer);
  return median;
}

bool SeparateAgents(const std::vector<pid_t>& agents, pid_t xserver, std::string& said) {
  const long n = std::min<long>(sysconf(_SC_NPROCESSORS_ONLN), CPU_SETSIZE);
  if (n < 4) {
    said = "the agent shares the machine's " + std::to_string(n) + " processors";
    return false;
  }
  const long own = std::max(1L, n / 4);
  cpu_set_t agentSet, clientSet;
  CPU_ZERO(&agentSet);
  CPU_ZERO(&clientSet);
  for (long i = 0; i < n; ++i)
    CPU_SET(static_cast<std::size_t>(i), i < n - own ? &clientSet : &agentSet);
  for (const pid_t pid : agents) sched_setaffinity(pid, sizeof agentSet, &agentSet);
  sched_setaffinity(0, sizeof clientSet, &clientSet);
  if (xserver > 0) sched_setaffinity(xserver, sizeof clientSet, &clientSet);
  said = "the agent on " + std::to_string(own) + " processor" + (own > 1 ? "s" : "") +
         " of its own, the module, the X server and the Net-SNMP tools on the other " +
         std::to_string(n - own);
  return true;
}

namespace {

// A child of a process with threads: system calls only, then the loop.
[[noreturn]] void Spin(const cpu_set_t& where) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  sched_setaffinity(0, sizeof where, &where);
  volatile unsigned long turns = 0;
  for (;;) turns = turns + 1;
}

}  // namespace

BusyProcessors::BusyProcessors(bool onMine) {
  cpu_set_t where;
  CPU_ZERO(&where);
  if (!onMine || sched_getaffinity(0, sizeof where, &where) != 0) {
    CPU_ZERO(&where);
    const long n = sysconf(_SC_NPROCESSORS_ONLN);
    for (long i = 0; i < n && i < CPU_SETSIZE; ++i) CPU_SET(static_cast<std::size_t>(i), &where);
  }
  for (int i = 0; i < CPU_COUNT(&where); ++i) {
    const pid_t pid = fork();
    if (pid == 0) Spin(where);
    if (pid > 0) pids_.push_back(pid);
  }
}

BusyProcessors::~BusyProcessors() {
  for (const pid_t pid : pids_) {
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
  }
}

XServer::XServer() {
  if (const char* shown = std::getenv("DISPLAY"); shown && *shown) {
    ok_ = true;
    description_ = std::string("DISPLAY ") + shown;
    return;
  }
  own_ = std::make_unique<vntest::Xvfb>();
  if (!own_->Ok()) return;
  setenv("DISPLAY", own_->Display().c_str(), 1);
  ok_ = true;
  description_ = "DISPLAY " + own_->Display() + " (Xvfb started here)";
}

XServer::~XServer() = default;

pid_t XServer::Pid() const { return own_ ? own_->Pid() : -1; }

namespace {

std::string Amount(double v, const std::string& unit) {
  char buf[64];
  if (v >= 10000)
    std::snprintf(buf, sizeof buf, "%.0f %s", v, unit.c_str());
  else if (v >= 100)
    std::snprintf(buf, sizeof buf, "%.1f %s", v, unit.c_str());
  else
    std::snprintf(buf, sizeof buf, "%.2f %s", v, unit.c_str());
  return buf;
}

}  // namespace

bool Report(const Figure& f) {
  bool ok = true;
  std::string goal;
  if (f.goalKind) {
    ok = f.goalKind == '<' ? f.ratio <= f.goal : f.ratio >= f.goal;
    char buf[64];
    std::snprintf(buf, sizeof buf, "(goal %c= %.2f) %s", f.goalKind, f.goal, ok ? "ok" : "MISSED");
    goal = buf;
  }
  std::printf("  %-40s %13s | %-28s %13s | ratio %5.2f %s\n", f.name.c_str(),
              Amount(f.value, f.unit).c_str(), f.reference.c_str(),
              Amount(f.referenceValue, f.unit).c_str(), f.ratio, goal.c_str());
  std::fflush(stdout);
  return ok;
}

std::string Fixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

void Note(const std::string& text) {
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

std::string LoadAverage() {
  std::istringstream in(vntest::ReadFile("/proc/loadavg"));
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + ", " + five + ", " + fifteen;
}

}  // namespace bench
