// What the benchmark programs share: the simulated switch with a generated
// table, timing, medians and the one-line report of a figure.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vntest {
class Xvfb;
}

namespace bench {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start);
// Processor time of this process so far, in milliseconds.
double CpuMs();
// Processor time of another process of this user so far (/proc), in
// milliseconds; -1 when it cannot be read.
double ProcessCpuMs(pid_t pid);

// A command run by the shell as a user waits for it: its output, the time
// from its start to its end and the processor time of the processes it ran.
struct Command {
  std::string out;
  double ms = 0;
  double cpu = 0;
};
Command RunCommand(const std::string& command);
double Median(std::vector<double> v);
// The smallest value (0 for none).
double Minimum(const std::vector<double>& v);
// Nanoseconds of the system clock: the clock of the simulator's
// --turnaround notes.
std::int64_t SystemNs();

// The command line of a walking benchmark: [--no-pin] [ROUNDS]. Unless
// --no-pin is given, this process and every process it starts later stay on
// the processor it runs on: on a shared machine the placement of client and
// agent on processors otherwise decides the figures more than the code.
// A program that measures what a user sees passes pinByDefault false and
// takes --pin instead.
struct Options {
  bool pin = true;
  int rounds = 0;
};
Options TakeOptions(int argc, char** argv, int defaultRounds, bool pinByDefault = true);
// Keeps a process (0: this one, with the processes it starts later) on the
// processor this one runs on, or lets it run on every processor again.
void Pin(pid_t pid, bool oneProcessor);

// Starts the library's SNMP session in a folder; false (and why, on the
// error stream) when it cannot.
bool StartSession(const std::string& folder);

// The simulated switch serving a generated table of rows x 5 columns under
// 1.3.6.1.3.1717.1.1, in a folder of its own; with a request log when asked
// (the log costs the agent processor time: a benchmark times walks against
// an agent without one, or gives every side the same). Port() is 0 when it
// did not start (said on the error stream).
class Simulator {
 public:
  enum class Logging { Off, On };
  // `more` goes on the simulator's command line (fixtures, for example).
  Simulator(const std::string& program, const std::string& dir, int rows,
            const std::vector<std::string>& more = {}, Logging logging = Logging::Off);
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  int Port() const { return port_; }
  pid_t Pid() const { return pid_; }
  const std::string& Log() const { return log_; }
  // GETNEXT requests logged so far (0 without a log).
  long LoggedGetNexts() const;
  // Stops it now (SIGTERM) and waits for its end, so that what it writes at
  // exit is there; true when it ended normally. The destructor then does
  // nothing.
  bool Stop();

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  std::string log_;
};

// An X server for the benchmarks that draw on a real screen: the one named
// by DISPLAY, else a virtual one (Xvfb) started here and stopped with this
// object. Ok() is false (said on the error stream) when there is none.
class XServer {
 public:
  XServer();
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  bool Ok() const { return ok_; }
  // "DISPLAY :n (Xvfb started here)" or the display used.
  const std::string& Description() const { return description_; }
  // The Xvfb started here (-1: a display of someone else's).
  pid_t Pid() const;

 private:
  std::unique_ptr<vntest::Xvfb> own_;
  bool ok_ = false;
  std::string description_;
};

// What a simulator started with --turnaround FILE noted, read once it has
// stopped: when each datagram arrived and each reply left.
class AgentTimes {
 public:
  // False when the file cannot be read or holds nothing.
  bool Read(const std::string& path);
  // The median, in microseconds, of the times from a reply leaving the
  // agent to the next datagram arriving there, both within [from, to]
  // (SystemNs); -1 when there is none. With one client talking at a time,
  // its turnaround per request.
  double MedianTurnaroundUs(std::int64_t from, std::int64_t to) const;
  // The longest of those times: how long the client's message loop went
  // without a turn while a reply waited for it; -1 when there is none.
  double LongestTurnaroundUs(std::int64_t from, std::int64_t to) const;
  // When the last reply within [from, to] left; 0 when none did.
  std::int64_t LastReply(std::int64_t from, std::int64_t to) const;
  // Where a walk's time went, in milliseconds: from `from` to its first
  // datagram, the client's turns (a reply leaving to the next datagram
  // arriving), the agent's turns (a datagram arriving to its reply leaving),
  // and from the last reply to `to`.
  struct Shares {
    double before = 0, client = 0, agent = 0, after = 0;
  };
  Shares SharesOf(std::int64_t from, std::int64_t to) const;

 private:
  struct Event {
    char kind;  // 'r' received, 's' sent
    std::int64_t ns;
  };
  std::vector<Event>::const_iterator First(std::int64_t from) const;
  std::vector<double> TurnaroundsUs(std::int64_t from, std::int64_t to) const;
  std::vector<Event> events_;
};

// The machine's own share of every turnaround: the median time, in
// microseconds, from a datagram's arrival (the kernel's stamp) to the thread
// that waits for it in poll() running again, over `count` exchanges with a
// peer process that answers after 40 µs of work, as the agent does.
double WakeUpUs(int count);

// The agents stand for devices on the network, which never share the
// user's processors: they get processors of their own (the last quarter of
// the machine's, at least one), and this thread, whatever it starts from now
// on and the X server (when started here) get the others. False, and
// nothing done, on fewer than 4 processors; `said` tells which.
bool SeparateAgents(const std::vector<pid_t>& agents, pid_t xserver, std::string& said);

// One process per processor that only spins, at this process's priority,
// for as long as the object lives: rounds on a machine whose processors are
// all busy. `onMine`: on the processors this thread may run on (the user's
// side when the agents have their own), else on every processor. They end
// with it (or with this process).
class BusyProcessors {
 public:
  explicit BusyProcessors(bool onMine);
  ~BusyProcessors();
  BusyProcessors(const BusyProcessors&) = delete;
  BusyProcessors& operator=(const BusyProcessors&) = delete;
  int Count() const { return static_cast<int>(pids_.size()); }

 private:
  std::vector<pid_t> pids_;
};

// `v` with `decimals` digits after the point.
std::string Fixed(double v, int decimals);

// One figure and what it is compared with, measured side by side:
//   <figure>  <value> <unit>  | <reference>  <value> <unit>  | ratio <r>  <goal> ok
// A goal is "<= x" or ">= x" on the ratio; without one only the ratio is
// shown. Returns false when a goal was missed.
struct Figure {
  std::string name;
  double value = 0;
  std::string reference;
  double referenceValue = 0;
  std::string unit;   // of both values
  double ratio = 0;   // median of the rounds' ratios
  char goalKind = 0;  // '<', '>' or 0
  double goal = 0;
};
// A program says each line as soon as what it says is known (a round's
// times, a figure whose rounds are over), not all at its end.
bool Report(const Figure& f);
// A line of context (sizes, rounds, a round's times, the machine's load).
void Note(const std::string& text);
// The one-minute load average, as uptime shows it.
std::string LoadAverage();

}  // namespace bench
