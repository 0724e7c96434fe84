#include "forms/switching/PBridgeConfigFormUnit.h"

#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TPBridgeConfigForm* PBridgeConfigForm = nullptr;

VN_REGISTER_FORM_OPENER(TPBridgeConfigForm, &PBridgeConfigForm);

TPBridgeConfigForm::TPBridgeConfigForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TPBridgeConfigForm::~TPBridgeConfigForm() = default;

void TPBridgeConfigForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("802.1P Basic Configure")
      .ClientSize(392, 200)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TPBridgeConfigForm::FormCreate)
      .OnClose(this, &TPBridgeConfigForm::FormClose);
  B.Add(Label1, "Label1").At(16, 16).Caption("Device Capabilities");
  B.Add(Edit_DeviceCapabilities, "Edit_DeviceCapabilities").At(160, 16, 130, 17);
  B.Add(Label2, "Label2").At(16, 46).Caption("Traffic Classes State");
  B.Add(TrafficClassesState, "TrafficClassesState")
      .At(160, 42, 130, 21)
      .Style(csDropDownList)
      .Enabled(false);
  B.Add(Label3, "Label3").At(16, 76).Caption("GMRP Status").Hidden();
  B.Add(GmrpStatus, "GmrpStatus").At(160, 72, 130, 21).Style(csDropDownList).Hidden();
  B.Add(BT_Get, "BT_Get")
      .At(300, 12, 80, 25)
      .Caption("Refresh")
      .OnClick(this, &TPBridgeConfigForm::BT_GetClick);
  B.Add(BT_Set, "BT_Set").At(300, 44, 80, 25).Caption("Set").Hidden();
  B.Add(Memo1, "Memo1").At(8, 104, 376, 88).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TPBridgeConfigForm::FormCreate(TObject*) {
  DeviceCapabilitiesRequest =
      NewFormRequest(this, PBridgeConfigDeviceCapabilitiesVars, VnItemType::SVT_SV, 0);
  DeviceCapabilitiesRequest->BindStaticText(0, Edit_DeviceCapabilities);
  DeviceCapabilitiesRequest->SetStatusMemo(Memo1);
  Read(DeviceCapabilitiesRequest.get());

  TrafficClassesRequest =
      NewFormRequest(this, PBridgeConfigTrafficClassesEnabledVars, VnItemType::SVT_SV, 0);
  TrafficClassesRequest->BindComboBox(0, TrafficClassesState);
  TrafficClassesRequest->SetStatusMemo(Memo1);
  Read(TrafficClassesRequest.get());
}

// A failure of one read is written to the memo; the other still runs.
void TPBridgeConfigForm::Read(VnSNMPRequest2Edits* request) {
  // A second exchange must not overlap the one in flight.
  if (!request || request->Busy) return;
  try {
    request->Get();
  } catch (const Exception& e) {
    ShowFailureInMemo(Memo1, e.Message);
  }
}

void TPBridgeConfigForm::BT_GetClick(TObject*) {
  Read(DeviceCapabilitiesRequest.get());
  Read(TrafficClassesRequest.get());
}

void TPBridgeConfigForm::FormClose(TObject*, TCloseAction& Action) {
  StopWaitDelete(DeviceCapabilitiesRequest);
  StopWaitDelete(TrafficClassesRequest);
  Action = caFree;
}
