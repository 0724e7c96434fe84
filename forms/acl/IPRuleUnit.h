// IP access rules: lists the rules of the device's IP access profiles (VLAN,
// IPv4 addresses, DSCP, and a protocol with its own fields to match; permit,
// deny or mirror, a new priority, a replaced DSCP and a receive-rate limit),
// and adds, edits and deletes them. Only ticked fields are written, and of
// those only the ones the chosen protocol uses; an Edit never writes the
// rule's ports.
#pragma once

#include "forms/acl/AccessRuleForm.h"

class TButton;
class TLabel;

class TIPRuleForm : public TAccessRuleForm {
 public:
  explicit TIPRuleForm(TComponent* AOwner);
  ~TIPRuleForm() override;

  TButton* CheckButton = nullptr;
  TButton* UncheckButton = nullptr;
  TEdit* IPRuleEdit = nullptr;
  TEdit* AccessIDEdit = nullptr;
  TCheckBox* cbxVlan = nullptr;
  TEdit* VLANEdit = nullptr;
  TCheckBox* cbxSourceIP = nullptr;
  TEdit* SourceIPEdit = nullptr;
  TCheckBox* cbxDestIP = nullptr;
  TEdit* DestIPEdit = nullptr;
  TCheckBox* cbxDscp = nullptr;
  TEdit* DSCPEdit = nullptr;
  TCheckBox* cbxProtocol = nullptr;
  TComboBox* ProtocolComboBox = nullptr;
  TCheckBox* cbxType = nullptr;
  TEdit* TypeEdit = nullptr;
  TCheckBox* cbxCode = nullptr;
  TEdit* CodeEdit = nullptr;
  TCheckBox* cbxSourcePort = nullptr;
  TEdit* SourcePortEdit = nullptr;
  TCheckBox* cbxDestPort = nullptr;
  TEdit* DestPortEdit = nullptr;
  TCheckBox* cbxFBs = nullptr;
  TEdit* FlagEdit = nullptr;
  TCheckBox* cbxProtocolID = nullptr;
  TEdit* ProtocolIDEdit = nullptr;
  TCheckBox* cbxUserMask = nullptr;
  TEdit* UserMaskEdit = nullptr;
  TCheckBox* cbxEnablePriority = nullptr;
  TComboBox* PriorityComboBox = nullptr;
  TCheckBox* cbxPriority = nullptr;
  TEdit* PriorityEdit = nullptr;
  TCheckBox* cbxEnableReplaceDscp = nullptr;
  TComboBox* EnableReplComboBox = nullptr;
  TCheckBox* cbxValue = nullptr;
  TEdit* DSCPValueEdit = nullptr;
  TCheckBox* cbxRxRate = nullptr;
  TEdit* RxRateEdit = nullptr;
  TEdit* SrcMacAddressEdit = nullptr;  // shown only
  TLabel* OwnerLabel = nullptr;        // never shown
  TComboBox* OwnerComboBox = nullptr;  // never shown, not bound

  void FormCreate(TObject* Sender) override;
  void CheckButtonClick(TObject* Sender);
  void UncheckButtonClick(TObject* Sender);
  void ListView1Click(TObject* Sender) override;
  void PriorityComboBoxChange(TObject* Sender);
  void EnableReplComboBoxChange(TObject* Sender);

  void ClearRuleEdits() override;
  bool ValidateRuleInput() override;
  // Leaves out the protocol-specific fields that the ticked protocol does
  // not use.
  void ApplyProtocolFieldMask(TSavedAccess& saved);

 protected:
  void ApplyFieldMasks(TSavedAccess& saved, bool editing) override;

 private:
  void BuildComponents();
  // The tick boxes of Check All and Clear Checks.
  std::vector<TCheckBox*> FieldTicks() const;
};

extern TIPRuleForm* IPRuleForm;
