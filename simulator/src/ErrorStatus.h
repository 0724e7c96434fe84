// SNMP error-status codes and their names.
#pragma once

#include <string>
#include <string_view>

namespace sim {

enum ErrorStatus : int {
  kNoError = 0,
  kTooBig = 1,
  kNoSuchName = 2,
  kBadValue = 3,
  kReadOnly = 4,
  kGenErr = 5,
  kNoAccess = 6,
  kWrongType = 7,
  kWrongLength = 8,
  kWrongEncoding = 9,
  kWrongValue = 10,
  kNoCreation = 11,
  kInconsistentValue = 12,
  kResourceUnavailable = 13,
  kCommitFailed = 14,
  kUndoFailed = 15,
  kAuthorizationError = 16,
  kNotWritable = 17,
  kInconsistentName = 18,
};

// "noError", "genErr", ...; the number as text when unknown.
std::string ErrorName(int status);
// A name (any case) or a number 0 to 18; false otherwise.
bool ParseErrorStatus(std::string_view text, int& out);

}  // namespace sim
