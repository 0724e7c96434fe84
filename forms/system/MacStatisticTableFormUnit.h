// The EAPOL frame statistics of 802.1X MAC-based authentication, one row
// per MAC address. Read only.
#pragma once

#include "forms/system/PaeCounterListForm.h"

class TMacStatisticTableForm : public TPaeCounterListForm {
 public:
  explicit TMacStatisticTableForm(TComponent* AOwner);
};

extern TMacStatisticTableForm* MacStatisticTableForm;
