// Static multicast filtering: per VLAN and multicast MAC address, the ports
// that the address is sent to. Entries are added as "permanent" and removed
// by writing "invalid"; a selected entry's egress ports can be changed. One
// asynchronous request; its busy flag guards the buttons.
#pragma once

#include <memory>

#include "forms/common/ListRows.h"
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
  void LV_dot1qStaticMulticastEntryClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Owned by the form; released when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The row count, buttons and fields following the list.
  TListRows Rows;
  // Owned by the form (component owner); deleted when it closes.
  TStackingPortUitForm* PortFrame = nullptr;

 private:
  void InitComponents();
  void CreatePortFrame();
  // The fields of a new entry.
  void ClearEntryFields();
  // A row selected: key fields locked, Set and Delete offered, Add not;
  // none: key fields open, Add offered, Set and Delete not.
  void ShowRowButtons(bool rowSelected);
  void ShowFailure(const AnsiString& message);
  bool RequestBusy() const;
};

extern TMulticastFilterInformationForm* MulticastFilterInformationForm;
