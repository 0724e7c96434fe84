// CPU-filter IPv6 rules: which IPv6 packets addressed to the switch itself
// are permitted or denied by traffic class, flow label and source and
// destination address, on which ports.
#pragma once

#include "forms/acl/CPUFilterRuleForm.h"

class TCPUFilterIPV6RuleForm : public TCPUFilterRuleForm {
 public:
  explicit TCPUFilterIPV6RuleForm(TComponent* AOwner);
  ~TCPUFilterIPV6RuleForm() override;

  TCheckBox* cbxClass = nullptr;
  TEdit* ClassEdit = nullptr;
  TCheckBox* cbxFlowLabel = nullptr;
  TEdit* FlowLabelEdit = nullptr;  // 4 hexadecimal digits
  TCheckBox* cbxSource = nullptr;
  TEdit* SourceIPV6Edit = nullptr;  // 32 hexadecimal digits
  TCheckBox* cbxDestination = nullptr;
  TEdit* DestIPV6Edit = nullptr;  // 32 hexadecimal digits
};

extern TCPUFilterIPV6RuleForm* CPUFilterIPV6RuleForm;
