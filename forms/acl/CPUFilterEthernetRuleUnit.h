// CPU-filter Ethernet rules: which frames addressed to the switch itself are
// permitted or denied, by VLAN, MAC addresses, 802.1p and Ethernet type, on a
// set of ports. Lists, adds, edits and deletes the rules; only ticked fields
// are written, and a new rule always names a VLAN.
#pragma once

#include "forms/acl/AccessRuleForm.h"

class TButton;
class TLabel;
class TPanel;
class TStaticText;

class TCPUFilterEthernetRuleForm : public TAccessRuleForm {
 public:
  explicit TCPUFilterEthernetRuleForm(TComponent* AOwner);
  ~TCPUFilterEthernetRuleForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* GetButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;
  TStaticText* StaticText1 = nullptr;
  TButton* AddCheckButton = nullptr;
  TButton* CleanCheButton = nullptr;
  TButton* Button1 = nullptr;  // Close
  TPanel* Panel2 = nullptr;    // list, fields and ports
  TListView* ListView1 = nullptr;
  TEdit* ProfileIDEdit = nullptr;
  TEdit* AccessEdit = nullptr;
  TCheckBox* cbxVlan = nullptr;
  TEdit* VlanRuleEdit = nullptr;
  TCheckBox* cbxSource = nullptr;
  TEdit* SourceMACEdit = nullptr;
  TCheckBox* cbxDestination = nullptr;
  TEdit* DestMACEdit = nullptr;
  TCheckBox* cbxIEEE802dot1P = nullptr;
  TEdit* IEEE8021pEdit = nullptr;
  TCheckBox* cbxEtherType = nullptr;
  TEdit* EthTypeEdit = nullptr;
  TCheckBox* cbxPermit = nullptr;
  TComboBox* PermitComboBox = nullptr;
  TCheckBox* cbxRow = nullptr;
  TComboBox* RowComboBox = nullptr;
  TComboBox* RuleOwnerComboBox = nullptr;  // never shown, not bound
  TPanel* StackingPortPanel = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void GetButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void EditButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void AddCheckButtonClick(TObject* Sender);
  void CleanCheButtonClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void ListView1Change(TObject* Sender, TListItem* Item, TItemChange Change);
  void PermitComboBoxChange(TObject* Sender);
  void Button1Click(TObject* Sender);

  void ClearRuleEdits() override;
  bool ValidateRuleInput() override;

 private:
  void BuildComponents();
};

extern TCPUFilterEthernetRuleForm* CPUFilterEthernetRuleForm;
