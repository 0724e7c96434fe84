// The IGMP snooping multicast VLANs: each with its name, source, member and
// tagged member ports, state, replace-source address and profile list. One
// port list is written at a time, the one chosen under "Ports Type"; a new
// entry is created from its ID, name and profile list only.
#pragma once

#include <cstdint>
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
class TStackingPortUitForm;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;
struct VnSNMPError;

class TIGMPMulticastVlanForm : public TForm {
 public:
  explicit TIGMPMulticastVlanForm(TComponent* AOwner);
  ~TIGMPMulticastVlanForm() override;

  TListView* LV_IGMPMulticastVlanEntry = nullptr;
  TLabel* Label1 = nullptr;  // "Multicast VLAN ID(2-4094)"
  TEdit* VlanIDEdit = nullptr;
  TLabel* Label2 = nullptr;  // "Multicast VLAN Name"
  TEdit* VlanNameEdit = nullptr;
  TLabel* Label3 = nullptr;  // "Multicast VLAN State"
  TComboBox* CBoxState = nullptr;
  TLabel* Label4 = nullptr;  // "Replace Source Address Type"
  TComboBox* CBoxType = nullptr;
  TLabel* Label5 = nullptr;  // "Replace Source IP"
  TEdit* RepalceIPEdit = nullptr;
  TLabel* Label6 = nullptr;  // "Profile ID Lsit"
  TEdit* ProfileIDListEdit = nullptr;
  TLabel* Label7 = nullptr;  // "Row Status"
  TComboBox* CBoxStatus = nullptr;
  TLabel* Label8 = nullptr;  // "Ports Type"
  TComboBox* ComboPortType = nullptr;
  TLabel* Label9 = nullptr;  // "Remap Priority" (hidden)
  TEdit* RemapPriorityEdit = nullptr;
  TLabel* Label10 = nullptr;  // "Replace Priority" (hidden)
  TComboBox* CBoxRaplacePriority = nullptr;
  TLabel* Label11 = nullptr;  // the note on creating entries
  TPageControl* PageControl1 = nullptr;
  TTabSheet* tbsSource = nullptr;
  TTabSheet* tbsMemeber = nullptr;
  TTabSheet* tbsTagMemberPort = nullptr;
  TScrollBox* ScrollBox1 = nullptr;
  TScrollBox* ScrollBox2 = nullptr;
  TScrollBox* ScrollBox3 = nullptr;
  TButton* btnGet = nullptr;
  TButton* btnSet = nullptr;
  TButton* btnAdd = nullptr;
  TButton* btnDelete = nullptr;
  TButton* btnClose = nullptr;
  TMemo* Memo1 = nullptr;

  void FormCreate(TObject* Sender);
  void btnGetClick(TObject* Sender);
  void btnSetClick(TObject* Sender);
  void btnAddClick(TObject* Sender);
  void btnDeleteClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void LV_IGMPMulticastVlanEntryClick(TObject* Sender);
  void ComboPortTypeChange(TObject* Sender);
  void PageControl1Change(TObject* Sender);
  void ScrollBox1Click(TObject* Sender);
  void ScrollBox2Click(TObject* Sender);
  void ScrollBox3Click(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Owned by the form; stopped, waited for and released when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The row count, buttons and fields following the list.
  TListRows Rows;
  // Owned by the form (component owner); deleted when it closes.
  TStackingPortUitForm* SourcePortFrame = nullptr;
  TStackingPortUitForm* MemberPortFrame = nullptr;
  TStackingPortUitForm* TagMemberPortFrame = nullptr;

  // Makes the port list named under "Ports Type" the one written and the
  // one frame that can be ticked.
  void ApplyPortTypeSelection();

 private:
  void BuildComponents();
  void CreatePortFrame();
  void ClearEntryFields();
  // Set, Delete and Add on, and the ID open to typing, as a row is selected.
  void ShowRowButtons(bool rowSelected);
  void ShowFailure(const AnsiString& message);
  // One write, `leaveOut` marking what it does not carry; taken, the list
  // is read again and the fields are those of a new entry.
  void WriteThenRead(const std::function<void()>& leaveOut);
  // False (after the messages, focus on the edit) when an IPv4 replace
  // address is not a valid address. The type and the address are judged
  // together once the user changed one of them: as the switch holds them
  // they go back as they are.
  bool ReplaceAddressAccepted();
};

extern TIGMPMulticastVlanForm* IGMPMulticastVlanForm;
