// Ethernet access rules: lists the rules of the device's Ethernet access
// profiles (VLAN, MAC addresses, 802.1p and Ethernet type to match; permit,
// deny or mirror, a new priority, a replaced DSCP and a receive-rate limit),
// and adds, edits and deletes them. Only ticked fields are written.
#pragma once

#include "forms/acl/AccessRuleForm.h"

class TButton;
class TLabel;
class TPanel;
class TStaticText;

class TEthernetInformationRuleForm : public TAccessRuleForm {
 public:
  explicit TEthernetInformationRuleForm(TComponent* AOwner);
  ~TEthernetInformationRuleForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* GetButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;
  TStaticText* StaticText1 = nullptr;
  TButton* AddCheckButton = nullptr;
  TButton* CleanCheButton = nullptr;
  TPanel* Panel2 = nullptr;  // list, fields and ports
  TListView* ListView1 = nullptr;
  TEdit* MaskIDEdit = nullptr;
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
  TCheckBox* cbxEnablePriority = nullptr;
  TComboBox* EnablePriorityComboBox = nullptr;
  TCheckBox* cbxPriority = nullptr;
  TEdit* PriorityEdit = nullptr;
  TCheckBox* cbxPermit = nullptr;
  TComboBox* PermitComboBox = nullptr;
  TCheckBox* cbxRxRate = nullptr;
  TEdit* RxRateEdit = nullptr;
  TCheckBox* cbxRow = nullptr;
  TComboBox* RowComboBox = nullptr;
  TCheckBox* cbxEnableReplaceDSCP = nullptr;
  TComboBox* EnableReplaceDSCPComboBox = nullptr;
  TCheckBox* cbxEnableDSCPValue = nullptr;
  TEdit* DSCPEdit = nullptr;
  TLabel* RuleOwnerLabel = nullptr;        // never shown
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
  void EnablePriorityComboBoxChange(TObject* Sender);
  void EnableReplaceDSCPComboBoxChange(TObject* Sender);
  void PermitComboBoxChange(TObject* Sender);

  void ClearRuleEdits() override;
  bool ValidateRuleInput() override;

 protected:
  void ApplyFieldMasks(TSavedAccess& saved, bool editing) override;
  void ReadAfterWrite() override;

 private:
  void BuildComponents();
};

extern TEthernetInformationRuleForm* EthernetInformationRuleForm;
