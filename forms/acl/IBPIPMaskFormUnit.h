// The IP profiles of IP-MAC binding, read only.
#pragma once

#include "forms/acl/IBPMaskViewForm.h"

class TIBPIPMaskForm : public TIBPMaskViewForm {
 public:
  explicit TIBPIPMaskForm(TComponent* AOwner);
  ~TIBPIPMaskForm() override;

  TEdit* edtSrcMacMask = nullptr;
  TEdit* edtSrcIPMask = nullptr;
};

extern TIBPIPMaskForm* IBPIPMaskForm;
