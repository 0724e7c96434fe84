// The authentication server groups: one row per group name with up to eight
// member servers (address and protocol), read only here; groups are created
// by name and deleted. Members are added and removed by the server control
// form.
#pragma once

#include <functional>
#include <memory>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TMemo;
class TPanel;
class TStaticText;
class TSavedAccess;
class VnSNMPRequest2Edits;

class TServerGroupForm : public TForm {
 public:
  static constexpr int kMembers = 8;

  explicit TServerGroupForm(TComponent* AOwner);
  ~TServerGroupForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TPanel* Panel2 = nullptr;  // edit panel
  TListView* ListView2 = nullptr;
  TLabel* Label1 = nullptr;  // "Server Group Name"
  TEdit* edtServerName = nullptr;
  TEdit* edtIP1 = nullptr;
  TEdit* edtIP2 = nullptr;
  TEdit* edtIP3 = nullptr;
  TEdit* edtIP4 = nullptr;
  TEdit* edtIP5 = nullptr;
  TEdit* edtIP6 = nullptr;
  TEdit* edtIP7 = nullptr;
  TEdit* edtIP8 = nullptr;
  TComboBox* cbxProt1 = nullptr;
  TComboBox* cbxProt2 = nullptr;
  TComboBox* cbxProt3 = nullptr;
  TComboBox* cbxProt4 = nullptr;
  TComboBox* cbxProt5 = nullptr;
  TComboBox* cbxProt6 = nullptr;
  TComboBox* cbxProt7 = nullptr;
  TComboBox* cbxProt8 = nullptr;
  TLabel* Label18 = nullptr;  // "Row Status"
  TComboBox* cbxRowStatus = nullptr;
  TMemo* Memo1 = nullptr;
  TStaticText* Static = nullptr;
  TButton* GetButton = nullptr;
  TButton* EditButton = nullptr;  // never shown
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void GetButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void ListView2Click(TObject* Sender);

  void ClearGroupEdits();

  // The group table, walked asynchronously. Owned by the form.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The row count, buttons and fields following the list.
  TListRows Rows;

 private:
  void InitComponents();
  // Edit, Delete, Add and the name follow whether a row is selected; the
  // member fields of a row are shown only: nothing typed there is sent.
  void ShowRowState(bool rowSelected);
  // Get, then no row and the fields of a new group.
  void ReadGroups();
  // One SET of the group, `leaveOut` marking what it does not carry
  // (Rows.Write); true once the switch took it.
  bool WriteGroup(const std::function<void(TSavedAccess&)>& leaveOut);
  void ShowFailure(const AnsiString& message);

  TEdit* ip_[kMembers] = {};
  TComboBox* protocol_[kMembers] = {};
};

extern TServerGroupForm* ServerGroupForm;
