// The group addresses learnt per VLAN, with the egress ports and the ports
// learnt by GMRP of the selected group. The form only reads.
#pragma once

#include "forms/switching/PortListTableFormBase.h"

class TButton;

class TTpGroupDestinationForwardedForm : public TPortListTableForm {
 public:
  explicit TTpGroupDestinationForwardedForm(TComponent* AOwner);

  TListView* LV_dot1qTpGroupEntry = nullptr;
  TButton* RefreshBtn = nullptr;

  void RefreshBtnClick(TObject* Sender);
};

extern TTpGroupDestinationForwardedForm* TpGroupDestinationForwardedForm;
