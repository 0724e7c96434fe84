// The multicast router ports MLD snooping uses, per VLAN: static, dynamic
// and forbidden ports on three tabs of port grids. Set writes the static and
// forbidden lists of the selected VLAN; the dynamic list is the device's.
// This form has no VLAN name, reports into a status bar, does not test the
// request's busy flag on Refresh and Set, and refuses to close during a walk.
#pragma once

#include "forms/switching/RouterPortsFormBase.h"

class TStatusBar;

class TMLD_SnoopingRouterPortsForm : public TRouterPortsForm {
 public:
  explicit TMLD_SnoopingRouterPortsForm(TComponent* AOwner);
  ~TMLD_SnoopingRouterPortsForm() override;

  TStatusBar* StatusBar1 = nullptr;

  void FormCloseQuery(TObject* Sender, bool& CanClose);

 protected:
  void AttachStatus() override;
  void ShowFailure(const AnsiString& message) override;
};

extern TMLD_SnoopingRouterPortsForm* MLD_SnoopingRouterPortsForm;
