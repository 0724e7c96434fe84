// The static 802.1Q VLAN table: one row per VLAN with its name, its egress,
// forbidden-egress and untagged port lists (on three tabs of port grids) and
// its row status; VLANs are added, changed and deleted through the row
// status. Beside the list the device's next free local VLAN index.
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

class TVlanStaticForm : public TForm {
 public:
  explicit TVlanStaticForm(TComponent* AOwner);
  ~TVlanStaticForm() override;

  TListView* LV_dot1qVlanStaticEntry = nullptr;
  TLabel* Label1 = nullptr;  // "VLAN ID"
  TEdit* ED_VLANID = nullptr;
  TLabel* Label2 = nullptr;  // "VLAN Name"
  TEdit* ED_VLANName = nullptr;
  TLabel* Label3 = nullptr;  // "Status"
  TComboBox* Status = nullptr;
  TLabel* Label4 = nullptr;  // "Next Free Local VLAN Index"
  TStaticText* NextFreeLocalVlanIndex = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TSheetEgressPort = nullptr;
  TTabSheet* TSheetFbdenEgrsP = nullptr;
  TTabSheet* TabSheet3 = nullptr;
  TScrollBox* ScrollBox1 = nullptr;
  TScrollBox* ScrollBox2 = nullptr;
  TScrollBox* ScrollBox3 = nullptr;
  TLabel* Label5 = nullptr;  // "Samples"
  TStaticText* ST_Count2 = nullptr;
  TButton* RefreshBtn = nullptr;
  TButton* SetBtn = nullptr;
  TButton* AddBtn = nullptr;
  TButton* DeleteBtn = nullptr;
  TButton* btnStop = nullptr;
  TButton* btnClose = nullptr;
  TMemo* Memo1 = nullptr;

  void FormCreate(TObject* Sender);
  void RefreshBtnClick(TObject* Sender);
  void SetBtnClick(TObject* Sender);
  void AddBtnClick(TObject* Sender);
  void DeleteBtnClick(TObject* Sender);
  void LV_dot1qVlanStaticEntryClick(TObject* Sender);
  void btnStopClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // The VLAN table (walked asynchronously) and the next free index (read
  // synchronously). Owned by the form; released when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  std::unique_ptr<VnSNMPRequest2Edits> NextFreeRequest;
  // Owned by the form (component owner).
  TStackingPortUitForm* EgressPortFrame = nullptr;
  TStackingPortUitForm* ForbiddenPortFrame = nullptr;
  TStackingPortUitForm* UntaggedPortFrame = nullptr;
  // The rows, the count and the row buttons (after the requests).
  TListRows Rows;

 private:
  void InitComponents();
  void CreatePortFrame();
  void ClearEntryFields();
  // A failure of a handler, or of a write or read it made, in the memo.
  void ShowFailure(const AnsiString& message);
  // One column of the row in a SET of its own (Set's writes, in order).
  void WriteColumn(int column);
  // Set and Delete offered only while a row is selected, Add only while none is.
  void ShowRowButtons(bool rowSelected);
  // Idle and not busy (otherwise "Get data not complete"), and the VLAN ID
  // a number that names a row (otherwise a line in the memo). A row's own
  // ID, read from its instance, always is one.
  bool ReadyForWork();
};

extern TVlanStaticForm* VlanStaticForm;
