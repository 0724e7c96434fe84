#include "forms/switching/MulticastForwardingInformationFormUnit.h"

#include "app/FormOpeners.h"
#include "app/mibdefs/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TMulticastForwardingInformationForm* MulticastForwardingInformationForm = nullptr;

VN_REGISTER_FORM_OPENER(TMulticastForwardingInformationForm, &MulticastForwardingInformationForm);

namespace {
enum { kVlanId, kAllPorts, kStaticPorts, kForbiddenPorts };
}  // namespace

TMulticastForwardingInformationForm::TMulticastForwardingInformationForm(TComponent* AOwner)
    : TPortListTableForm(AOwner, "MulticastForwardingInformationForm", 696, 514,
                         "LV_dot1qForwardUnregisteredEntry", MulticastForwardingInformationVars, 2,
                         1,
                         {{"All Forwarded Ports", kAllPorts},
                          {"All Static Ports", kStaticPorts},
                          {"All Forbiden Ports", kForbiddenPorts}}) {
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
  if (!Request) return;
  // Without a selected row the list's values are those of the last row
  // read: the boxes (off and unticked) would overwrite that VLAN's ports.
  if (!LV_dot1qForwardUnregisteredEntry->Selected()) {
    ShowFailureInMemo(Memo1, "Select a VLAN first: nothing was sent.");
    return;
  }
  try {
    Request->Request.Active = 1;
    Request->Set(true, true, "");
  } catch (const Exception& e) {
    ShowFailureInMemo(Memo1, e.Message);
  }
  ShowRowCount(LV_dot1qForwardUnregisteredEntry, ST_Count);
}

void TMulticastForwardingInformationForm::TableRead() {
  ShowRowCount(LV_dot1qForwardUnregisteredEntry, ST_Count);
}
