// The Ethernet profiles of IP-MAC binding, read only.
#pragma once

#include "forms/acl/IBPMaskViewForm.h"

class TIBPACLEtherMaskForm : public TIBPMaskViewForm {
 public:
  explicit TIBPACLEtherMaskForm(TComponent* AOwner);
  ~TIBPACLEtherMaskForm() override;

  TComboBox* cbxEtherType = nullptr;
};

extern TIBPACLEtherMaskForm* IBPACLEtherMaskForm;
