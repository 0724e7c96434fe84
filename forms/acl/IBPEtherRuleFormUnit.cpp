#include "forms/acl/IBPEtherRuleFormUnit.h"

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "pages/FormOpeners.h"

TIBPEtherRuleForm* IBPEtherRuleForm = nullptr;

VN_REGISTER_FORM_OPENER(TIBPEtherRuleForm, &IBPEtherRuleForm);

static_assert(IBPEtherRuleItem::kProfileID == 0 && IBPEtherRuleItem::kAccessID == 1);

TIBPEtherRuleForm::TIBPEtherRuleForm(TComponent* AOwner)
    : TIBPRuleViewForm(AOwner, {"IP-MAC Binding Ethernet Rule", "IBPEtherRuleForm", 652, 422,
                                IBPEtherRuleVars, IBPEtherRuleItem::kPermit,
                                IBPEtherRuleItem::kPort, 520, 150, 168, 140, 230, 520, 130}) {
  BuildRuleView({{&edtRuleType, "edtRuleType", "Rule Type", IBPEtherRuleItem::kRuleType}});
  ScaleFormForScreen(this);
}

TIBPEtherRuleForm::~TIBPEtherRuleForm() = default;
