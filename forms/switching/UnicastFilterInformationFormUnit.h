// Static unicast filtering: per VLAN and unicast MAC address, the ports that
// the address may go to. Entries are added as "permanent" and removed by
// writing "invalid". One asynchronous request; its busy flag guards the
// buttons.
#pragma once

#include <memory>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TMemo;
class TStackingPortUitForm;
class TStaticText;
class VnSNMPRequest2Edits;

class TUnicastFilterInformationForm : public TForm {
 public:
  explicit TUnicastFilterInformationForm(TComponent* AOwner);
  ~TUnicastFilterInformationForm() override;

  TListView* LV_dot1qStaticUnicastEntry = nullptr;
  TLabel* Label1 = nullptr;  // "Samples"
  TStaticText* ST_Count = nullptr;
  TGroupBox* GroupBox2 = nullptr;  // the entry's key and status
  TLabel* Label2 = nullptr;        // "VID"
  TEdit* ED_UnicastVID = nullptr;
  TLabel* Label3 = nullptr;  // "MAC  Address"
  TEdit* UnicastAddress = nullptr;
  TLabel* Label4 = nullptr;  // "Status"
  TComboBox* UStatus = nullptr;
  TGroupBox* GroupBox1 = nullptr;  // "Allow To Go To Port", hosts the port frame
  TButton* RefreshBtn = nullptr;
  TButton* SetBtn = nullptr;  // "Add"
  TButton* DeleteBtn = nullptr;
  TMemo* Memo1 = nullptr;

  void FormCreate(TObject* Sender);
  void RefreshBtnClick(TObject* Sender);
  void SetBtnClick(TObject* Sender);
  void DeleteBtnClick(TObject* Sender);
  void LV_dot1qStaticUnicastEntryClick(TObject* Sender);
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
  // A row selected: keys read-only, Delete offered, Add not; none: keys
  // writable, Add offered, Delete not.
  void ShowRowButtons(bool rowSelected);
  void ShowFailure(const AnsiString& message);
  bool RequestBusy() const;
};

extern TUnicastFilterInformationForm* UnicastFilterInformationForm;
