#include "forms/switching/IGMP_SnoopingGroupTable.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TIGMP_SnoopingGroupTableForm* IGMP_SnoopingGroupTableForm = nullptr;
VN_REGISTER_FORM_OPENER(TIGMP_SnoopingGroupTableForm, &IGMP_SnoopingGroupTableForm);

namespace {}  // namespace

TIGMP_SnoopingGroupTableForm::TIGMP_SnoopingGroupTableForm(TComponent* AOwner)
    : TSnoopingGroupTableForm(AOwner, IGMPSnoopingGroupTableVars, "IGMP Snooping Group Table", 660,
                              472) {
  BuildComponents(1);
  // The times sit beside each other on the row below the source address.
  TFormBuilder B(this);
  B.Add(Label4, "Label4").At(8, 260).Caption("Up Time");
  B.Add(InputUpTime, "InputUpTime").At(110, 260, 180, 17);
  B.Add(Label5, "Label5").At(320, 260).Caption("Expiry Time");
  B.Add(InputExpiryTime, "InputExpiryTime").At(410, 260, 180, 17);
  ScaleFormForScreen(this);
}

void TIGMP_SnoopingGroupTableForm::BindExtras() {
  Request->BindStaticText(IGMPSnoopingGroupTableItem::kIGMPSnoopingGroupUpTime, InputUpTime);
  Request->BindStaticText(IGMPSnoopingGroupTableItem::kIGMPSnoopingGroupExpiryTime,
                          InputExpiryTime);
}
