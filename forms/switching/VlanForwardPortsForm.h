// What the forward-all and the forward-unregistered forms share: the port
// list table with Refresh and Set beside the list and the row count under
// them; Set writes the static and forbidden lists of the selected VLAN.
#pragma once

#include "forms/switching/PortListTableFormBase.h"

class TButton;
class TLabel;
class TStaticText;

class TVlanForwardPortsForm : public TPortListTableForm {
 public:
  TListView* LV_dot1qForwardUnregisteredEntry = nullptr;
  TButton* RefreshBtn = nullptr;
  TButton* SetBtn = nullptr;
  TLabel* Label1 = nullptr;  // "Samples"
  TStaticText* ST_Count = nullptr;

  void RefreshBtnClick(TObject* Sender);
  void SetBtnClick(TObject* Sender);

 protected:
  TVlanForwardPortsForm(TComponent* AOwner, const char* name, int width, int height,
                        const VnSNMPVarDesc* table, std::vector<TPortTab> tabs);

  // Set writes the selected VLAN: it is enabled while one is selected.
  void RowChosen(bool selected) override;
};
