// Runs the simulator program and Net-SNMP's command-line tools for tests.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace simtest {

struct ToolResult {
  int status = -1;  // exit status; -1 when it did not end normally
  std::string out;  // standard output and standard error together
  double seconds = 0;
};

// Runs a Net-SNMP tool (snmpget, snmpwalk, ...) with an empty configuration
// path, no MIBs and its persistent files in `stateDir`. A tool still running
// after a minute is killed (status -1): a fault may make it retry for ever.
ToolResult RunTool(const std::vector<std::string>& args, const std::string& stateDir);

// One simulator process on a free loopback port, stopped by pid (SIGTERM)
// when the object goes, and by the system when the test process dies.
class Simulator {
 public:
  explicit Simulator(std::vector<std::string> extraArgs = {});
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  bool Running() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }
  int Port() const { return port_; }
  std::string Agent() const { return "127.0.0.1:" + std::to_string(port_); }
  // One control command; its reply line.
  std::string Control(const std::string& command);
  // Calls `turn` (one turn of the caller's loop) until every reply this
  // simulator delayed or held is sent and `socket` has nothing left to
  // read, then once more; false after `ms`.
  bool TakeLateReplies(int socket, const std::function<void()>& turn, int ms);
  std::string Log() const { return vntest::ReadFile(logPath_); }
  // The request log from the byte at `offset` on.
  std::string LogFrom(std::size_t offset) const;
  std::string Output() const { return vntest::ReadFile(outPath_); }
  const vntest::TempDir& Dir() const { return dir_; }

  // The tools against this simulator.
  ToolResult V2(const std::string& tool, const std::vector<std::string>& args,
                const std::string& community = "qovalt");
  ToolResult V1(const std::string& tool, const std::vector<std::string>& args,
                const std::string& community = "qovalt");
  ToolResult V3(const std::string& tool, const std::vector<std::string>& security,
                const std::vector<std::string>& args);

  // SIGTERM and wait; the exit status, or -1 when it had to be killed.
  int Stop();
  // Stops it and starts it again on the same port with the same state
  // folder, as a device reboots; false when it did not come back.
  bool Restart();

 private:
  void Start(std::vector<std::string> args);
  ToolResult Tool(const std::string& tool, std::vector<std::string> args);

  vntest::TempDir dir_;
  std::string logPath_, outPath_, controlPath_, portFile_;
  std::vector<std::string> args_;
  pid_t pid_ = -1;
  int port_ = 0;
  int control_ = -1;
  std::string replies_;  // read from the control socket, not yet returned
};

}  // namespace simtest
