// The 802.1X guest VLAN: its name and member ports, and its deletion.
#pragma once

#include "forms/security/VlanPortsSettingsForm.h"

class TGuestVlanForm : public TVlanPortsSettingsForm {
 public:
  explicit TGuestVlanForm(TComponent* AOwner);

  void BT_GetClick(TObject* Sender) override;
  void SetBtnClick(TObject* Sender) override;
};

extern TGuestVlanForm* GuestVlanForm;
