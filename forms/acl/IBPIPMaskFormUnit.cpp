#include "forms/acl/IBPIPMaskFormUnit.h"

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "pages/FormOpeners.h"

TIBPIPMaskForm* IBPIPMaskForm = nullptr;

VN_REGISTER_FORM_OPENER(TIBPIPMaskForm, &IBPIPMaskForm);

static_assert(IBPIPMaskItem::kProfileID == 0);

TIBPIPMaskForm::TIBPIPMaskForm(TComponent* AOwner)
    : TIBPMaskViewForm(AOwner, {"IP-MAC Binding IP Mask", "IBPIPMaskForm", 657, 347, IBPIPMaskVars,
                                525, 160, 180}) {
  BuildMaskView({{&edtSrcMacMask, "edtSrcMacMask", "Source MAC Address Mask",
                  IBPIPMaskItem::kSourceMACAddressMask},
                 {&edtSrcIPMask, "edtSrcIPMask", "Source IP Address Mask",
                  IBPIPMaskItem::kSourceIPAddressMask}});
  ScaleFormForScreen(this);
}

TIBPIPMaskForm::~TIBPIPMaskForm() = default;
