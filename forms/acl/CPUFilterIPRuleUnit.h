// CPU-filter IP rules: which packets addressed to the switch itself are
// permitted or denied, by VLAN, IPv4 addresses, DSCP and the fields of a
// protocol, on a set of ports. Lists, adds, edits and deletes the rules; only
// ticked fields are written, and of those only the ones the chosen protocol
// uses; the protocol itself is shown, never written; a new rule always names
// a VLAN.
#pragma once

#include "forms/acl/CPUFilterRuleForm.h"

class TCPUFilterIPRuleForm : public TCPUFilterRuleForm {
 public:
  explicit TCPUFilterIPRuleForm(TComponent* AOwner);
  ~TCPUFilterIPRuleForm() override;

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

  // Leaves out the protocol-specific fields that the ticked protocol does
  // not use.
  void ApplyProtocolFieldMask(TSavedAccess& saved);

 protected:
  void ApplyFieldMasks(TSavedAccess& saved, bool editing) override;
  // A ticked user mask is whole bytes of hexadecimal digits.
  bool ValidateFieldValues() override;
};

extern TCPUFilterIPRuleForm* CPUFilterIPRuleForm;
