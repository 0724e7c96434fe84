// The authenticator state-machine counters of 802.1X MAC-based
// authentication, one row per authenticated MAC address. Read only.
#pragma once

#include "forms/system/PaeCounterListForm.h"

class TDiagnosticsInformationForm : public TPaeCounterListForm {
 public:
  explicit TDiagnosticsInformationForm(TComponent* AOwner);
};

extern TDiagnosticsInformationForm* DiagnosticsInformationForm;
