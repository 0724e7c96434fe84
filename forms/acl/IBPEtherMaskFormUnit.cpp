#include "forms/acl/IBPEtherMaskFormUnit.h"

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "pages/FormOpeners.h"

TIBPACLEtherMaskForm* IBPACLEtherMaskForm = nullptr;

VN_REGISTER_FORM_OPENER(TIBPACLEtherMaskForm, &IBPACLEtherMaskForm);

static_assert(IBPACLEtherMaskItem::kProfileID == 0);

TIBPACLEtherMaskForm::TIBPACLEtherMaskForm(TComponent* AOwner)
    : TIBPMaskViewForm(AOwner, {"IP-MAC Binding Ethernet Mask", "IBPACLEtherMaskForm", 535, 357,
                                IBPACLEtherMaskVars, 403, 170, 190}) {
  const TViewCombo etherType = {&cbxEtherType, "cbxEtherType", "Use Ethernet Type",
                                IBPACLEtherMaskItem::kEthernetType};
  BuildMaskView({}, &etherType);
  ScaleFormForScreen(this);
}

TIBPACLEtherMaskForm::~TIBPACLEtherMaskForm() = default;
