#include "forms/switching/MLD_SnoopingGroupTableUnit.h"

#include "catalogue/MldSnoopingMib.h"
#include "forms/common/FeatureForm.h"
#include "pages/FormOpeners.h"

TMLD_SnoopingGroupTableForm* MLD_SnoopingGroupTableForm = nullptr;
VN_REGISTER_FORM_OPENER(TMLD_SnoopingGroupTableForm, &MLD_SnoopingGroupTableForm);

TMLD_SnoopingGroupTableForm::TMLD_SnoopingGroupTableForm(TComponent* AOwner)
    : TSnoopingGroupTableForm(AOwner, MLDSnoopingGroupTableVars, "MLD Snooping Group Table", 635,
                              424) {
  BuildComponents(0);
  ScaleFormForScreen(this);
}
