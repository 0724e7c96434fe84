// The simulator's command line.
#pragma once

#include <string>
#include <vector>

#include "simulator/src/Agent.h"

namespace sim {

struct Options {
  AgentConfig agent;
  std::vector<std::string> fixtures;  // empty: the device fixture of the source tree
  std::string portFile;
  std::string logFile;
  std::string turnaroundFile;
  std::string controlSocket;
  bool controlStdin = false;
  int bigRows = 0;
  int bigColumns = 0;
  bool help = false;
};

// False with a message on bad arguments.
bool ParseOptions(const std::vector<std::string>& args, Options& out, std::string& error);
const char* Usage();

// Whether the text is an IPv4 loopback address (127.0.0.0/8).
bool IsLoopback(const std::string& address);

}  // namespace sim
