// CPU-filter packet-content rules: which packets addressed to the switch
// itself are permitted or denied by up to five 16-octet windows of their
// payload, on which ports.
#pragma once

#include "forms/acl/CPUFilterRuleForm.h"

class TCPUFilterPktCntRuleForm : public TCPUFilterRuleForm {
 public:
  explicit TCPUFilterPktCntRuleForm(TComponent* AOwner);
  ~TCPUFilterPktCntRuleForm() override;

  // The payload windows, 32 hexadecimal digits each.
  TCheckBox* cbxPayloadOff1 = nullptr;
  TEdit* PayloadOff1Edit = nullptr;
  TCheckBox* cbxPayloadOff2 = nullptr;
  TEdit* PayloadOff2Edit = nullptr;
  TCheckBox* cbxPayloadOff3 = nullptr;
  TEdit* PayloadOff3Edit = nullptr;
  TCheckBox* cbxPayloadOff4 = nullptr;
  TEdit* PayloadOff4Edit = nullptr;
  TCheckBox* cbxPayloadOff5 = nullptr;
  TEdit* PayloadOff5Edit = nullptr;
};

extern TCPUFilterPktCntRuleForm* CPUFilterPktCntRuleForm;
