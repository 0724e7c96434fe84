// CPU-filter Ethernet rules: which frames addressed to the switch itself are
// permitted or denied, by VLAN, MAC addresses, 802.1p and Ethernet type, on a
// set of ports. Lists, adds, edits and deletes the rules; only ticked fields
// are written, and a new rule always names a VLAN.
#pragma once

#include "forms/acl/CPUFilterRuleForm.h"

class TCPUFilterEthernetRuleForm : public TCPUFilterRuleForm {
 public:
  explicit TCPUFilterEthernetRuleForm(TComponent* AOwner);
  ~TCPUFilterEthernetRuleForm() override;

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

 protected:
  // The MAC addresses as 12 and the Ethernet type as 4 hexadecimal digits.
  bool ValidateFieldValues() override;
};

extern TCPUFilterEthernetRuleForm* CPUFilterEthernetRuleForm;
