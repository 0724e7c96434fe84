// Per VLAN, the ports to which all multicast traffic goes: the ports in use,
// and the static and forbidden ports that can be changed for the selected
// VLAN.
#pragma once

#include "forms/switching/VlanForwardPortsForm.h"

class TMulticastForwardingInformationForm : public TVlanForwardPortsForm {
 public:
  explicit TMulticastForwardingInformationForm(TComponent* AOwner);
};

extern TMulticastForwardingInformationForm* MulticastForwardingInformationForm;
