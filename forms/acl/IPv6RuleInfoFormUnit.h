// IPv6 access rules: lists the rules of the device's IPv6 access profiles
// (traffic class, flow label, source and destination IPv6 addresses to match;
// permit, deny or mirror, a new priority, a replaced DSCP and a receive-rate
// limit), and adds, edits and deletes them. Only ticked fields are written;
// the ports are written by every Add and Edit.
#pragma once

#include "forms/acl/AccessRuleForm.h"

class TButton;
class TLabel;
class TPanel;
class TStaticText;

class TIpv6RuleForm : public TAccessRuleForm {
 public:
  explicit TIpv6RuleForm(TComponent* AOwner);
  ~TIpv6RuleForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* GetButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;
  TStaticText* StaticText1 = nullptr;
  TButton* CheckButton = nullptr;
  TButton* UncheckButton = nullptr;
  TPanel* Panel2 = nullptr;  // list, fields and ports
  TListView* ListView1 = nullptr;
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
  TCheckBox* cbxEnablePriority = nullptr;
  TComboBox* PriorityComboBox = nullptr;
  TCheckBox* cbxPriority = nullptr;
  TEdit* PriorityEdit = nullptr;
  TCheckBox* cbxPermit = nullptr;
  TComboBox* PermitComboBox = nullptr;
  TCheckBox* cbxRow = nullptr;
  TComboBox* RowComboBox = nullptr;
  TCheckBox* cbxRxRate = nullptr;
  TEdit* RxRateEdit = nullptr;
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
  void CheckButtonClick(TObject* Sender);
  void UncheckButtonClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void ListView1Change(TObject* Sender, TListItem* Item, TItemChange Change);
  void PriorityComboBoxChange(TObject* Sender);
  void EnableReplaceDSCPComboBoxChange(TObject* Sender);

  void ClearRuleEdits() override;
  bool ValidateRuleInput() override;

  // Hexadecimal digits of a flow label: four octets.
  static constexpr int kFlowLabelDigits = 8;

 protected:
  void ApplyFieldMasks(TSavedAccess& saved, bool editing) override;
  void ReadAfterWrite() override;

 private:
  void BuildComponents();
};

extern TIpv6RuleForm* Ipv6RuleForm;
