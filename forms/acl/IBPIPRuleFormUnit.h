// The IP rules of IP-MAC binding, read only, with the rule's ports.
#pragma once

#include "forms/acl/IBPRuleViewForm.h"

class TIBPIPRuleForm : public TIBPRuleViewForm {
 public:
  explicit TIBPIPRuleForm(TComponent* AOwner);
  ~TIBPIPRuleForm() override;

  TEdit* edtSrcMac = nullptr;
  TEdit* edtSrcIP = nullptr;
};

extern TIBPIPRuleForm* IBPIPRuleForm;
