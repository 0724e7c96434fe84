// Per VLAN, the ports to which unregistered multicast traffic goes: the
// ports in use, the static and the forbidden ones, shown for the selected
// VLAN; Set writes the static and forbidden lists of the selected VLAN.
#pragma once

#include "forms/switching/PortListTableFormBase.h"

class TButton;
class TLabel;
class TStaticText;

class TForwardUnregisteredInformationForm : public TPortListTableForm {
 public:
  explicit TForwardUnregisteredInformationForm(TComponent* AOwner);

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
  // Unticks boxes 1 to 32 of the three frames.
  void ClearEntryFields();
};

extern TForwardUnregisteredInformationForm* ForwardUnregisteredInformationForm;
