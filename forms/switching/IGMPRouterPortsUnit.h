// The multicast router ports IGMP snooping uses, per VLAN: static, dynamic
// and forbidden ports on three tabs of port grids. Set writes the static and
// forbidden lists of the selected VLAN; the dynamic list is the device's.
// This form adds the VLAN name and reports into a memo.
#pragma once

#include "forms/switching/RouterPortsFormBase.h"

class TMemo;

class TIGMPRouterPortsForm : public TRouterPortsForm {
 public:
  explicit TIGMPRouterPortsForm(TComponent* AOwner);
  ~TIGMPRouterPortsForm() override;

  TLabel* Label2 = nullptr;  // "VLAN Name"
  TStaticText* stVlanName = nullptr;
  TMemo* Memo1 = nullptr;

 protected:
  void BindExtras() override;
  void ClearExtras() override;
  void AttachStatus() override;
  void ShowFailure(const AnsiString& message) override;
};

extern TIGMPRouterPortsForm* IGMPRouterPortsForm;
