// The VLANs currently active on the device, with their egress and untagged
// ports on two tabs of port grids, and the count of VLAN deletions since
// start. Read only; both reads block until the device has answered.
#pragma once

#include <memory>

#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TGroupBox;
class TLabel;
class TMemo;
class TStackingPortUitForm;
class TStaticText;
class VnSNMPRequest2Edits;

class TVLanCurrentTableForm : public TForm {
 public:
  explicit TVLanCurrentTableForm(TComponent* AOwner);
  ~TVLanCurrentTableForm() override;

  TListView* LV_dot1qVlanCurrentEntry = nullptr;
  TGroupBox* GroupBox2 = nullptr;
  TLabel* Label1 = nullptr;  // "VLAN Delete Numbers"
  TStaticText* VlanNumDeletes = nullptr;
  TLabel* Label2 = nullptr;  // "VLAN Index"
  TStaticText* StaticText1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;
  TScrollBox* ScrollBox1 = nullptr;
  TScrollBox* ScrollBox2 = nullptr;
  TLabel* Label3 = nullptr;  // "Samples"
  TStaticText* ST_Count2 = nullptr;
  TButton* RefreshBtn = nullptr;
  TButton* SetBtn = nullptr;  // kept hidden
  TMemo* Memo1 = nullptr;

  void FormCreate(TObject* Sender);
  void RefreshBtnClick(TObject* Sender);
  void LV_dot1qVlanCurrentEntryChange(TObject* Sender, TListItem* Item, TItemChange Change);
  void LV_dot1qVlanCurrentEntrySelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Both synchronous; owned by the form and released when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> NumDeletesRequest;
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Owned by the form (component owner).
  TStackingPortUitForm* EgressPortFrame = nullptr;
  TStackingPortUitForm* UntaggedPortFrame = nullptr;

 private:
  void InitComponents();
  void CreatePortFrame();
  void ClearEntryFields();
  void ShowCount();
};

extern TVLanCurrentTableForm* VLanCurrentTableForm;
