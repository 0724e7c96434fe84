// The panels run the request's own hooks at the points where the page needs
// them (DoSetValues before rows are marked for one SET).
#pragma once

#include "library/VnSNMPRequest2Edits.h"

namespace request_hooks {

// Reads the bound controls (and a selected list row) into the value texts.
inline void DoSetValues(VnSNMPRequest2Edits& request) {
  struct Hooks : VnSNMPRequest2Edits {
    static void Run(VnSNMPRequest2Edits& r) { (r.*(&Hooks::DoSetValues))(); }
  };
  Hooks::Run(request);
}

}  // namespace request_hooks
