// The permit entries of DHCP server screening: a DHCP server address and a
// client MAC address allowed on a set of ports. Add creates one, Delete
// removes the selected one; both addresses are the entry's key.
#pragma once

#include "forms/security/IpMacPortTableForm.h"

class TFilterDHCPPermitForm : public TIpMacPortTableForm {
 public:
  explicit TFilterDHCPPermitForm(TComponent* AOwner);
};
