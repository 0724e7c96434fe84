// Per VLAN, the ports to which unregistered multicast traffic goes: the
// ports in use, the static and the forbidden ones, shown for the selected
// VLAN; Set writes the static and forbidden lists of the selected VLAN.
#pragma once

#include "forms/switching/VlanForwardPortsForm.h"

class TForwardUnregisteredInformationForm : public TVlanForwardPortsForm {
 public:
  explicit TForwardUnregisteredInformationForm(TComponent* AOwner);
};

extern TForwardUnregisteredInformationForm* ForwardUnregisteredInformationForm;
