// Ethernet access rules: lists the rules of the device's Ethernet access
// profiles (VLAN, MAC addresses, 802.1p and Ethernet type to match; permit,
// deny or mirror, a new priority, a replaced DSCP and a receive-rate limit),
// and adds, edits and deletes them. Only ticked fields are written.
#pragma once

#include "forms/acl/ActionRuleForm.h"

class TButton;
class TLabel;

class TEthernetInformationRuleForm : public TActionRuleForm {
 public:
  explicit TEthernetInformationRuleForm(TComponent* AOwner);
  ~TEthernetInformationRuleForm() override;

  TButton* AddCheckButton = nullptr;
  TButton* CleanCheButton = nullptr;
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
  TComboBox* EnablePriorityComboBox = nullptr;
  TLabel* RuleOwnerLabel = nullptr;        // never shown
  TComboBox* RuleOwnerComboBox = nullptr;  // never shown, not bound

  void FormCreate(TObject* Sender) override;
  void AddCheckButtonClick(TObject* Sender);
  void CleanCheButtonClick(TObject* Sender);
  void ListView1Click(TObject* Sender) override;
  void EnablePriorityComboBoxChange(TObject* Sender);

  void ClearRuleEdits() override;
  bool ValidateRuleInput() override;

 protected:
  void ApplyFieldMasks(TSavedAccess& saved, bool editing) override;

 private:
  void BuildComponents();
};

extern TEthernetInformationRuleForm* EthernetInformationRuleForm;
