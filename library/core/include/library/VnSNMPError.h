// The completion record of an asynchronous exchange and the closure that
// receives it.
#pragma once

#include <cstdint>

#include "library/VnSNMPConnection.h"
#include "platform/AnsiString.h"
#include "platform/Closure.h"

class VnSNMPVarList;

struct VnSNMPError {
  // Library error number; 0 for success.
  std::int32_t Number = 0;
  // Error index of the reply (1-based binding; 0 for none).
  std::int32_t ErrorIndex = 0;
  // Message text of Number.
  AnsiString Text;
  // The agent the exchange went to.
  VnSNMPDevice Device;
  // Set when the exchange ends the operation (an error, a scalar or
  // single-row read, a SET, the end of a walk); clear when a table row was
  // read and the walk can go on.
  bool Finished = true;
};

// Called once per completed asynchronous exchange with its record and the
// request's own variable list.
using VnSNMPCompletion = TClosure<void(VnSNMPError&, VnSNMPVarList&)>;
