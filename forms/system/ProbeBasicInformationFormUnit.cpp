#include "forms/system/ProbeBasicInformationFormUnit.h"

#include "catalogue/ProbeMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TProbeBasicInformationForm* ProbeBasicInformationForm = nullptr;
AnsiString ProbeCapabilitiesText;

VN_REGISTER_FORM_OPENER(TProbeBasicInformationForm, &ProbeBasicInformationForm);

namespace {

constexpr const char* kCapabilities =
    "etherStats,historyControl,etherHistory,alarm,event,probeConfig";

}  // namespace

TProbeBasicInformationForm::TProbeBasicInformationForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
  ProbeCapabilitiesText = kCapabilities;
  stCap->SetCaption(ProbeCapabilitiesText);
}

TProbeBasicInformationForm::~TProbeBasicInformationForm() = default;

void TProbeBasicInformationForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Probe Basic Information")
      .ClientSize(520, 178)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TProbeBasicInformationForm::FormCreate)
      .OnClose(this, &TProbeBasicInformationForm::FormClose);
  B.Add(Label1, "Label1").At(16, 18).Caption("Capabilities");
  B.Add(stCap, "stCap").At(130, 18, 380, 17);
  B.Add(Label2, "Label2").At(16, 46).Caption("Software Revision");
  B.Add(stSoftware, "stSoftware").At(130, 46, 380, 17);
  B.Add(Label3, "Label3").At(16, 74).Caption("Hardware Revision").Hidden();
  B.Add(stHardware, "stHardware").At(130, 74, 380, 17).Hidden();
  B.Add(Label4, "Label4").At(16, 78).Caption("Reset Control");
  B.Add(cbxReset, "cbxReset").At(130, 74, 160).Style(csDropDownList);
  B.Add(edtCap, "edtCap").At(300, 74, 100, 21).Hidden();
  B.Add(btnGet, "btnGet")
      .At(130, 114, 75, 25)
      .Caption("Refresh")
      .OnClick(this, &TProbeBasicInformationForm::btnGetClick);
  B.Add(btnSet, "btnSet")
      .At(215, 114, 75, 25)
      .Caption("Set")
      .OnClick(this, &TProbeBasicInformationForm::btnSetClick);
  B.Add(StatusBar1, "StatusBar1");
  StatusBar1->SetSimplePanel(true);
}

void TProbeBasicInformationForm::FormCreate(TObject*) {
  Request = NewFormRequest(this, ProbeBasicInformationVars, VnItemType::SVT_SV, 0, true);
  Request->BindEdits(ProbeBasicInformationItem::kCapabilities, "%s", edtCap);
  Request->BindStaticText(ProbeBasicInformationItem::kSoftwareRevision, stSoftware);
  Request->BindComboBox(ProbeBasicInformationItem::kResetControl, cbxReset);
  Request->SetStatusBar(StatusBar1);
  ReadDevice();
}

void TProbeBasicInformationForm::btnGetClick(TObject*) { ReadDevice(); }

void TProbeBasicInformationForm::ReadDevice() {
  if (!Request || Request->Busy) return;
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

void TProbeBasicInformationForm::btnSetClick(TObject*) {
  if (!Request || Request->Busy) return;
  try {
    Request->Set(kSetFromControlsThenRead);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

void TProbeBasicInformationForm::FormClose(TObject*, TCloseAction& Action) {
  StopWaitDelete(Request);
  Action = caFree;
}
