#include "forms/acl/IBPIPRuleFormUnit.h"

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "pages/FormOpeners.h"

TIBPIPRuleForm* IBPIPRuleForm = nullptr;

VN_REGISTER_FORM_OPENER(TIBPIPRuleForm, &IBPIPRuleForm);

static_assert(IBPIPRuleItem::kProfileID == 0 && IBPIPRuleItem::kAccessID == 1);

TIBPIPRuleForm::TIBPIPRuleForm(TComponent* AOwner)
    : TIBPRuleViewForm(AOwner, {"IP-MAC Binding IP Rule", "IBPIPRuleForm", 681, 477, IBPIPRuleVars,
                                IBPIPRuleItem::kPermit, IBPIPRuleItem::kPort, 549, 170, 188, 150,
                                280, 540, 120}) {
  BuildRuleView({{&edtSrcMac, "edtSrcMac", "Source MAC Address", IBPIPRuleItem::kSourceMACAddress},
                 {&edtSrcIP, "edtSrcIP", "Source IP Address", IBPIPRuleItem::kSourceIPAddress}});
  ScaleFormForScreen(this);
}

TIBPIPRuleForm::~TIBPIPRuleForm() = default;
