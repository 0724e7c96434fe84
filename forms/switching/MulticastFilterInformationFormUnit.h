// Static multicast filtering: per VLAN and multicast MAC address, the ports
// that the address is sent to. Entries are added as "permanent" and removed
// by writing "invalid"; a selected entry's egress ports can be changed. One
// asynchronous request; its busy flag guards the buttons.
#pragma once

#include <memory>

#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TMemo;
class TStackingPortUitForm;
class TStaticText;
class VnSNMPRequest2Edits;

class TMulticastFilterInformationForm : public TForm {
 public:
  explicit TMulticastFilterInformationForm(TComponent* AOwner);
  ~TMulticastFilterInformationForm() override;

  TListView* LV_dot1qStaticMulticastEntry = nullptr;
  TLabel* Label1 = nullptr;  // "Samples"
  TStaticText* ST_Count = nullptr;
  TLabel* Label2 = nullptr;  // "VID"
  TEdit* ED_MulticastVID = nullptr;
  TLabel* Label3 = nullptr;  // "MAC Address"
  TEdit* ED_MACAddress = nullptr;
  TLabel* Label4 = nullptr;  // "Status"
  TComboBox* Status = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TScrollBox* ScrollBox1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;
  TScrollBox* ScrollBox2 = nullptr;
  TButton* RefreshBtn = nullptr;
  TButton* SetBtn = nullptr;
  TButton* AddBtn = nullptr;
  TButton* btnDelete = nullptr;
  TMemo* Memo1 = nullptr;

  void FormCreate(TObject* Sender);
  void RefreshBtnClick(TObject* Sender);
  void SetBtnClick(TObject* Sender);
  void AddBtnClick(TObject* Sender);
  void btnDeleteClick(TObject* Sender);
  void LV_dot1qStaticMulticastEntryChange(TObject* Sender, TListItem* Item, TItemChange Change);
  void LV_dot1qStaticMulticastEntryClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Owned by the form; released when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Owned by the form (component owner); deleted when it closes.
  TStackingPortUitForm* PortFrame = nullptr;

 private:
  void InitComponents();
  void CreatePortFrame();
  void ClearEntryFields();
  // Nothing selected: key fields open, Add offered, Set and Delete not.
  void EntryState();
  // A row clicked: key fields locked, Set and Delete offered, Add not.
  void RowState();
  bool RequestBusy() const;
};

extern TMulticastFilterInformationForm* MulticastFilterInformationForm;
