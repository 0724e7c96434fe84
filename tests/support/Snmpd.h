// A throw-away Net-SNMP agent (snmpd) for tests: configuration written into
// a temporary folder, a UDP port on 127.0.0.1 found free at run time, its
// own persistent folder, stopped by its pid.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace vntest {

// A version 3 user of the agent. auth/priv are "MD5", "SHA", "DES" or ""
// (none). A key is a pass phrase, or a master key "-m 0x<hex>" written as it
// stands (the agent itself refuses pass phrases under 8 characters).
struct SnmpdUser {
  std::string name;
  std::string auth;
  std::string auth_key;
  std::string priv;
  std::string priv_key;
  bool read_write = true;
};

struct SnmpdOptions {
  // UDP port on 127.0.0.1; 0 picks a free one.
  int port = 0;
  std::string read_community = "qovalt";
  std::string write_community = "mundrel";
  std::vector<SnmpdUser> users;
  // Subtrees the communities and users may see; empty means everything.
  std::vector<std::string> view;
  // Appended to the configuration as it stands.
  std::string extra_config;
};

class Snmpd {
 public:
  // Starts the agent and waits until it answers; throws std::runtime_error
  // (with the agent's log) when it cannot be started.
  explicit Snmpd(const SnmpdOptions& options = {});
  ~Snmpd();
  Snmpd(const Snmpd&) = delete;
  Snmpd& operator=(const Snmpd&) = delete;

  int Port() const { return port_; }
  std::string Address() const { return "127.0.0.1"; }
  pid_t Pid() const { return pid_; }
  std::string ConfigPath() const { return dir_.File("snmpd.conf"); }
  std::string Log() const { return ReadFile(dir_.File("snmpd.log")); }
  // Environment settings for Net-SNMP command-line tools run against the
  // agent: no MIBs, no configuration files, no persistent state of theirs.
  std::vector<std::string> ToolEnvironment() const;
  // Stops the agent (SIGTERM, then SIGKILL after 3 s); done by the destructor too.
  void Stop();

 private:
  bool StartOnce(const SnmpdOptions& options);
  bool Answers(int timeout_ms) const;

  TempDir dir_;
  int port_ = 0;
  pid_t pid_ = -1;
  std::string read_community_;
};

}  // namespace vntest
