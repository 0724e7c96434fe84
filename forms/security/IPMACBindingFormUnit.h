// The device's IP-MAC binding entries: an IPv4 address bound to one MAC
// address on a set of ports. Add creates one, Edit changes the MAC address
// and ports of the selected one, Delete removes it.
#pragma once

#include "forms/security/IpMacPortTableForm.h"

class TIPMACBindingForm : public TIpMacPortTableForm {
 public:
  explicit TIPMACBindingForm(TComponent* AOwner);
};

extern TIPMACBindingForm* IPMACBindingForm;
