// The request log: one line per answered (or dropped) request, appended to a
// file and flushed at once so that tests can read it while the agent runs.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace sim {

struct LogEntry {
  std::string version;   // "v1", "v2c", "v3"
  std::string security;  // community, or user name under v3
  std::string context;   // context name (empty for the default context)
  std::string pdu;       // "GET", "GETNEXT", "GETBULK", "SET"
  std::string status;    // "noError", "genErr", ..., or "dropped"
  int errorIndex = 0;
  std::vector<std::string> varbinds;  // "OID=TYPE:value"
};

// Fields separated by tabs: version, security name, context in double
// quotes, PDU type, error status, error index, then one field per varbind.
std::string FormatLogEntry(const LogEntry& entry);

class RequestLog {
 public:
  // Appends to the file from now on; an empty path closes it.
  bool Open(const std::string& path, std::string& error);
  bool IsOpen() const { return file_ != nullptr; }
  void Write(const LogEntry& entry);

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace sim
