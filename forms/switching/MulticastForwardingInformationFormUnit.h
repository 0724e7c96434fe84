// Per VLAN, the ports to which all multicast traffic goes: the ports in use,
// and the static and forbidden ports that can be changed for the selected
// VLAN.
#pragma once

#include "forms/switching/PortListTableFormBase.h"

class TButton;
class TLabel;
class TStaticText;

class TMulticastForwardingInformationForm : public TPortListTableForm {
 public:
  explicit TMulticastForwardingInformationForm(TComponent* AOwner);

  TListView* LV_dot1qForwardUnregisteredEntry = nullptr;
  TButton* RefreshBtn = nullptr;
  TButton* SetBtn = nullptr;
  TLabel* Label1 = nullptr;  // "Samples"
  TStaticText* ST_Count = nullptr;

  void RefreshBtnClick(TObject* Sender);
  void SetBtnClick(TObject* Sender);

 protected:
  // A walk started by Refresh empties the list first: the count is
  // written again once the rows are in.
  void TableRead() override;
};

extern TMulticastForwardingInformationForm* MulticastForwardingInformationForm;
