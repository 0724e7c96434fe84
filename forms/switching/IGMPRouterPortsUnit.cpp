#include "forms/switching/IGMPRouterPortsUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TIGMPRouterPortsForm* IGMPRouterPortsForm = nullptr;
VN_REGISTER_FORM_OPENER(TIGMPRouterPortsForm, &IGMPRouterPortsForm);

namespace {
constexpr TRouterPortsLayout kLayout = {.Caption = "IGMP Router ports",
                                        .Width = 658,
                                        .Height = 495,
                                        .ListWidth = 530,
                                        .ButtonsLeft = 552,
                                        .VlanIdCaption = "VLAN ID",
                                        .VlanIdLeft = 80,
                                        .TabsWidth = 636,
                                        .TabsHeight = 170};
}  // namespace

TIGMPRouterPortsForm::TIGMPRouterPortsForm(TComponent* AOwner)
    : TRouterPortsForm(AOwner, IGMPRouterPortsVars,
                       IGMPRouterPortsItem::kIGMPRouterStaticPortList) {
  TFormBuilder B(this);
  BuildComponents(B, kLayout);
  B.Add(Label2, "Label2").At(200, 190).Caption("VLAN Name");
  B.Add(stVlanName, "stVlanName").At(280, 190, 250, 17);
  B.Add(Memo1, "Memo1").At(8, 390, 636, 64).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
  ScaleFormForScreen(this);
}

TIGMPRouterPortsForm::~TIGMPRouterPortsForm() = default;

void TIGMPRouterPortsForm::BindExtras() {
  Request->BindStaticText(IGMPRouterPortsItem::kIGMPRouterPortVLANName, stVlanName);
}

void TIGMPRouterPortsForm::ClearExtras() { stVlanName->SetCaption(""); }

void TIGMPRouterPortsForm::AttachStatus() { Request->SetStatusMemo(Memo1); }

void TIGMPRouterPortsForm::ShowFailure(const AnsiString& message) {
  ShowFailureInMemo(Memo1, message);
}
