#include "forms/switching/VLanGeneralInfoUnit.h"

#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TVLanGeneralInfoForm* VLanGeneralInfoForm = nullptr;

VN_REGISTER_FORM_OPENER(TVLanGeneralInfoForm, &VLanGeneralInfoForm);

TVLanGeneralInfoForm::TVLanGeneralInfoForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TVLanGeneralInfoForm::~TVLanGeneralInfoForm() = default;

void TVLanGeneralInfoForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("802.1Q Basic Configure")
      .ClientSize(392, 250)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TVLanGeneralInfoForm::FormCreate)
      .OnClose(this, &TVLanGeneralInfoForm::FormClose);
  B.Add(Label1, "Label1").At(16, 16).Caption("VLAN Version Number");
  B.Add(VlanVersionNumber, "VlanVersionNumber").At(170, 16, 120, 17);
  B.Add(Label2, "Label2").At(16, 42).Caption("Max VLAN ID");
  B.Add(MaxVlanId, "MaxVlanId").At(170, 42, 120, 17);
  B.Add(Label3, "Label3").At(16, 68).Caption("Max Supported VLANs");
  B.Add(MaxSupportedVlans, "MaxSupportedVlans").At(170, 68, 120, 17);
  B.Add(Label4, "Label4").At(16, 94).Caption("Current Num Of VLANs");
  B.Add(CurrentNumOfVlans, "CurrentNumOfVlans").At(170, 94, 120, 17);
  B.Add(Label5, "Label5").At(16, 122).Caption("GVRP Status");
  B.Add(GvrpStatus, "GvrpStatus").At(170, 118, 120, 21).Style(csDropDownList);
  B.Add(RefreshBtn, "RefreshBtn")
      .At(300, 12, 80, 25)
      .Caption("Refresh")
      .OnClick(this, &TVLanGeneralInfoForm::RefreshBtnClick);
  B.Add(SetBtn, "SetBtn")
      .At(300, 44, 80, 25)
      .Caption("Set")
      .OnClick(this, &TVLanGeneralInfoForm::SetBtnClick);
  B.Add(Memo1, "Memo1").At(8, 152, 376, 90).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TVLanGeneralInfoForm::FormCreate(TObject*) {
  Request = NewFormRequest(this, VLanGeneralInfoVars, VnItemType::SVT_SV, 0);
  Request->BindStaticText(VLanGeneralInfoItem::kVLANVersionNumber, VlanVersionNumber);
  Request->BindStaticText(VLanGeneralInfoItem::kMaxVLANID, MaxVlanId);
  Request->BindStaticText(VLanGeneralInfoItem::kMaxSupportedVLANs, MaxSupportedVlans);
  Request->BindStaticText(VLanGeneralInfoItem::kCurrentNumOfVLANs, CurrentNumOfVlans);
  Request->BindComboBox(VLanGeneralInfoItem::kGVRPStatus, GvrpStatus);
  Request->SetStatusMemo(Memo1);
  RefreshBtnClick(nullptr);
}

void TVLanGeneralInfoForm::RefreshBtnClick(TObject*) {
  // A second exchange must not overlap the one in flight.
  if (!Request || Request->Busy) return;
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInMemo(Memo1, e.Message);
  }
}

void TVLanGeneralInfoForm::SetBtnClick(TObject*) {
  if (!Request || Request->Busy) return;
  try {
    // Only the GVRP status is writable; a scalar group is not read again.
    Request->Set(kSetFromControlsThenRead);
  } catch (const Exception& e) {
    ShowFailureInMemo(Memo1, e.Message);
  }
}

void TVLanGeneralInfoForm::FormClose(TObject*, TCloseAction& Action) {
  StopWaitDelete(Request);
  Action = caFree;
}
