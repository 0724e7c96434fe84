// IPv6 access rules: lists the rules of the device's IPv6 access profiles
// (traffic class, flow label, source and destination IPv6 addresses to match;
// permit, deny or mirror, a new priority, a replaced DSCP and a receive-rate
// limit), and adds, edits and deletes them. Only ticked fields are written;
// the ports are written by every Add and Edit.
#pragma once

#include "forms/acl/ActionRuleForm.h"

class TButton;
class TLabel;

class TIpv6RuleForm : public TActionRuleForm {
 public:
  explicit TIpv6RuleForm(TComponent* AOwner);
  ~TIpv6RuleForm() override;

  TButton* CheckButton = nullptr;
  TButton* UncheckButton = nullptr;
  TEdit* edtRuleID = nullptr;
  TEdit* edtRuleAccessID = nullptr;
  TCheckBox* cbxRuleClass = nullptr;
  TEdit* edtRuleClass = nullptr;
  TCheckBox* cbxRuleFlowlabel = nullptr;
  TEdit* edtRuleFlowlabel = nullptr;
  TCheckBox* cbxRuleSrcIpv6addr = nullptr;
  TEdit* edtRuleSrcIpv6addr = nullptr;
  TCheckBox* cbxRuleDstIpv6addr = nullptr;
  TEdit* edtRuleDstIpv6addr = nullptr;
  TComboBox* PriorityComboBox = nullptr;
  TLabel* RuleOwnerLabel = nullptr;        // never shown
  TComboBox* RuleOwnerComboBox = nullptr;  // never shown, not bound

  void FormCreate(TObject* Sender) override;
  // The row-status choice turns an Edit into an Add or a Delete.
  void EditButtonClick(TObject* Sender) override;
  void CheckButtonClick(TObject* Sender);
  void UncheckButtonClick(TObject* Sender);
  void ListView1Click(TObject* Sender) override;
  void PriorityComboBoxChange(TObject* Sender);

  void ClearRuleEdits() override;
  bool ValidateRuleInput() override;

  // Hexadecimal digits of a flow label: four octets.
  static constexpr int kFlowLabelDigits = 8;

 protected:
  void ApplyFieldMasks(TSavedAccess& saved, bool editing) override;

 private:
  void BuildComponents();
};

extern TIpv6RuleForm* Ipv6RuleForm;
