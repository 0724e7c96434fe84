#include "forms/switching/TpGroupDestinationForwardedFormUnit.h"

#include "catalogue/BridgeExtMib.h"
#include "pages/FormOpeners.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TTpGroupDestinationForwardedForm* TpGroupDestinationForwardedForm = nullptr;

VN_REGISTER_FORM_OPENER(TTpGroupDestinationForwardedForm, &TpGroupDestinationForwardedForm);

namespace {}  // namespace

TTpGroupDestinationForwardedForm::TTpGroupDestinationForwardedForm(TComponent* AOwner)
    : TPortListTableForm(AOwner, "Tp Group Destination Forwarded", 696, 460, "LV_dot1qTpGroupEntry",
                         FilteringInformationVars, VnItemType::MVT_UMV, 2,
                         {{"Egress Ports", FilteringInformationItem::kEgressPorts},
                          {"GMRP Learn Port", FilteringInformationItem::kGMRPLearntPorts}}) {
  LV_dot1qTpGroupEntry = ListView();
  TFormBuilder B(this);
  B.Add(RefreshBtn, "RefreshBtn")
      .At(kSideLeft, 8, 88, 25)
      .Caption("Refresh")
      .OnClick(this, &TTpGroupDestinationForwardedForm::RefreshBtnClick);
}

void TTpGroupDestinationForwardedForm::RefreshBtnClick(TObject*) { ReadTable(); }
