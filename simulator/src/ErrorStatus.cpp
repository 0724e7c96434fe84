#include "simulator/src/ErrorStatus.h"

#include <strings.h>

namespace sim {

namespace {

const char* const kNames[] = {
    "noError",
    "tooBig",
    "noSuchName",
    "badValue",
    "readOnly",
    "genErr",
    "noAccess",
    "wrongType",
    "wrongLength",
    "wrongEncoding",
    "wrongValue",
    "noCreation",
    "inconsistentValue",
    "resourceUnavailable",
    "commitFailed",
    "undoFailed",
    "authorizationError",
    "notWritable",
    "inconsistentName",
};
constexpr int kCount = static_cast<int>(sizeof kNames / sizeof kNames[0]);

}  // namespace

std::string ErrorName(int status) {
  if (status >= 0 && status < kCount) return kNames[status];
  return std::to_string(status);
}

bool ParseErrorStatus(std::string_view text, int& out) {
  std::string s(text);
  for (int i = 0; i < kCount; ++i) {
    if (strcasecmp(s.c_str(), kNames[i]) == 0) {
      out = i;
      return true;
    }
  }
  if (s.empty() || s.size() > 2) return false;
  int n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n >= kCount) return false;
  out = n;
  return true;
}

}  // namespace sim
