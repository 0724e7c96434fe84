#include "forms/switching/MulticastForwardingInformationFormUnit.h"

#include "app/FormOpeners.h"
#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TMulticastForwardingInformationForm* MulticastForwardingInformationForm = nullptr;

VN_REGISTER_FORM_OPENER(TMulticastForwardingInformationForm, &MulticastForwardingInformationForm);

namespace {}  // namespace

TMulticastForwardingInformationForm::TMulticastForwardingInformationForm(TComponent* AOwner)
    : TPortListTableForm(
          AOwner, "MulticastForwardingInformationForm", 696, 514,
          "LV_dot1qForwardUnregisteredEntry", MulticastForwardingInformationVars, 2, 1,
          {{"All Forwarded Ports", MulticastForwardingInformationItem::kAllPorts},
           {"All Static Ports", MulticastForwardingInformationItem::kStaticPorts},
           {"All Forbiden Ports", MulticastForwardingInformationItem::kForbiddenPorts}}) {
  using Self = TMulticastForwardingInformationForm;
  LV_dot1qForwardUnregisteredEntry = ListView();
  TFormBuilder B(this);
  B.Add(RefreshBtn, "RefreshBtn")
      .At(kSideLeft, 8, 88, 25)
      .Caption("Refresh")
      .OnClick(this, &Self::RefreshBtnClick);
  B.Add(SetBtn, "SetBtn")
      .At(kSideLeft, 40, 88, 25)
      .Caption("Set")
      .OnClick(this, &Self::SetBtnClick);
  B.Add(Label1, "Label1").At(kSideLeft, 190).Caption("Samples");
  B.Add(ST_Count, "ST_Count").At(kSideLeft + 50, 190, 38, 17).Caption("0");
}

void TMulticastForwardingInformationForm::RefreshBtnClick(TObject*) {
  ReadTable();
  ShowRowCount(LV_dot1qForwardUnregisteredEntry, ST_Count);
}

void TMulticastForwardingInformationForm::SetBtnClick(TObject*) {
  WriteSelectedRow();
  ShowRowCount(LV_dot1qForwardUnregisteredEntry, ST_Count);
}

void TMulticastForwardingInformationForm::TableRead() {
  ShowRowCount(LV_dot1qForwardUnregisteredEntry, ST_Count);
}
