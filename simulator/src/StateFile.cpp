#include "simulator/src/StateFile.h"

#include <cstring>
#include <sstream>

#include "platform/WholeFile.h"

namespace sim {

namespace {

constexpr long kMaxEngineBoots = 2147483647L;

}  // namespace

bool WriteStateFile(const std::string& path, const std::string& text, std::string& error) {
  if (const int failure = ReplaceFileWhole(path, text)) {
    error = "cannot write " + path + ": " + std::strerror(failure);
    return false;
  }
  return true;
}

long EngineBootsBase(const std::string& text) {
  std::istringstream in(text);
  long stored = 0;
  if (!(in >> stored) || stored < 0) return 0;
  return stored >= kMaxEngineBoots - 1 ? kMaxEngineBoots - 1 : stored;
}

}  // namespace sim
