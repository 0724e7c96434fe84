#include "simulator/src/RequestLog.h"

#include <cerrno>
#include <cstring>

namespace sim {

std::string FormatLogEntry(const LogEntry& e) {
  std::string line = e.version + "\t" + e.security + "\t\"" + e.context + "\"\t" + e.pdu + "\t" +
                     e.status + "\t" + std::to_string(e.errorIndex);
  for (const auto& vb : e.varbinds) line += "\t" + vb;
  return line;
}

bool RequestLog::Open(const std::string& path, std::string& error) {
  file_.reset();
  if (path.empty()) return true;
  std::FILE* f = std::fopen(path.c_str(), "a");
  if (!f) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  file_.reset(f);
  return true;
}

void RequestLog::Write(const LogEntry& entry) {
  if (!file_) return;
  const std::string line = FormatLogEntry(entry) + "\n";
  std::fwrite(line.data(), 1, line.size(), file_.get());
  std::fflush(file_.get());
}

}  // namespace sim
