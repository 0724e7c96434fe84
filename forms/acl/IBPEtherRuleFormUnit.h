// The Ethernet rules of IP-MAC binding, read only, with the rule's ports.
#pragma once

#include "forms/acl/IBPRuleViewForm.h"

class TIBPEtherRuleForm : public TIBPRuleViewForm {
 public:
  explicit TIBPEtherRuleForm(TComponent* AOwner);
  ~TIBPEtherRuleForm() override;

  TEdit* edtRuleType = nullptr;
};

extern TIBPEtherRuleForm* IBPEtherRuleForm;
