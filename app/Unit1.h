// The program's second form: created after the main window, never shown.
// The feature forms do not read its flags: they share their busy flags
// through their host (pages/FormHost.h).
#pragma once

#include <cstdint>

#include "platform/Forms.h"

class VnSNMPRequest2Controls;
struct VnSNMPError;

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* AOwner);

  // Both 0 at start-up.
  std::uint8_t RefreshIdle = 0;
  std::uint8_t SetIdle = 0;

  // Sets both flags to 1 (a request's completion event).
  void MarkIdle(VnSNMPRequest2Controls* Sender, const VnSNMPError& Error);
  // The same as MarkIdle.
  void SetDoneFlags(VnSNMPRequest2Controls* Sender, const VnSNMPError& Error);
};

extern TForm1* Form1;
