// CPU-filter IP rules: which packets addressed to the switch itself are
// permitted or denied, by VLAN, IPv4 addresses, DSCP and the fields of a
// protocol, on a set of ports. Lists, adds, edits and deletes the rules; only
// ticked fields are written, and of those only the ones the chosen protocol
// uses; the protocol itself is shown, never written; a new rule always names
// a VLAN.
#pragma once

#include <vector>

#include "forms/acl/AccessRuleForm.h"

class TButton;
class TLabel;
class TPanel;
class TStaticText;

class TCPUFilterIPRuleForm : public TAccessRuleForm {
 public:
  explicit TCPUFilterIPRuleForm(TComponent* AOwner);
  ~TCPUFilterIPRuleForm() override;

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
  TEdit* SourceIPEdit = nullptr;
  TCheckBox* cbxDestination = nullptr;
  TEdit* DestIPEdit = nullptr;
  TCheckBox* cbxDSCP = nullptr;
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
  TCheckBox* cbxFlagBit = nullptr;
  TEdit* FlagBitEdit = nullptr;
  TCheckBox* cbxProtocolID = nullptr;
  TEdit* ProtocolIDEdit = nullptr;
  TCheckBox* cbxUserMask = nullptr;
  TEdit* UserMaskEdit = nullptr;
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
  // Leaves out the protocol-specific fields that the ticked protocol does
  // not use.
  void ApplyProtocolFieldMask(TSavedAccess& saved);

 protected:
  void ApplyFieldMasks(TSavedAccess& saved, bool editing) override;

 private:
  void BuildComponents();
  // Every tick box of the form, the permit box included.
  std::vector<TCheckBox*> FieldTicks() const;
};

extern TCPUFilterIPRuleForm* CPUFilterIPRuleForm;
