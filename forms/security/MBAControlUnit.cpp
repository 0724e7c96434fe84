#include "forms/security/MBAControlUnit.h"

#include "catalogue/MbaMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/FormWrite.h"
#include "forms/common/ReadRound.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TMBAControlForm* MBAControlForm = nullptr;
VN_REGISTER_FORM_OPENER(TMBAControlForm, &MBAControlForm);

namespace {

TVlanPortsLayout MbaLayout() {
  TVlanPortsLayout l;
  l.Caption = "MBA Control";
  l.NameLabel = "VLAN Name";
  l.NameCopyText = "Vlan Name";
  l.PortTop = 132;
  l.SettingsTable = MbaVlanNamePortsVars;
  l.NameCopyTable = MbaVlanNameVars;
  l.DeleteTable = MbaVlanDeleteStateVars;
  return l;
}

}  // namespace

TMBAControlForm::TMBAControlForm(TComponent* AOwner) : TVlanPortsSettingsForm(AOwner, MbaLayout()) {
  TFormBuilder B(this);
  B.Add(Label2, "Label2").At(16, 48).Caption("State");
  B.Add(Cbox_State, "Cbox_State").At(110, 44, 160, 21).Style(csDropDownList);
  B.Add(Label3, "Label3").At(16, 76).Caption("Method");
  B.Add(Cbox_Method, "Cbox_Method").At(110, 72, 160, 21).Style(csDropDownList);
  B.Add(Label4, "Label4").At(16, 104).Caption("Password");
  B.Add(edtPassWord, "edtPassWord").At(110, 100, 160, 21);
  B.Add(Label5, "Label5").At(280, 20).Caption("VLAN Name Delete State").Hidden();
  ScaleFormForScreen(this);
}

TMBAControlForm::~TMBAControlForm() = default;

void TMBAControlForm::FormCreate(TObject*) {
  GlobalRequest = NewScalarRequest(MBAControlStateVars);
  GlobalRequest->BindComboBox(MBAControlStateItem::kState, Cbox_State);
  GlobalRequest->BindComboBox(MBAControlStateItem::kMethod, Cbox_Method);
  GlobalRequest->BindEdits(MBAControlStateItem::kAuthPassWord, "%s{l32}", edtPassWord);
  CreateSettingsRequests();
  CreateDeleteRequest();
  CreateNameCopyRequest();
  TReadRound round(StatusBar1);
  GetOf(NameCopyRequest.get(), round);
  GetOf(GlobalRequest.get(), round);
  GetOf(SettingsRequest.get(), round);
  GetOf(DeleteRequest.get(), round);
}

void TMBAControlForm::BT_GetClick(TObject*) {
  TReadRound round(StatusBar1);
  for (VnSNMPRequest2Edits* r :
       {SettingsRequest.get(), DeleteRequest.get(), NameCopyRequest.get(), GlobalRequest.get()}) {
    if (!r || r->Busy) return;
    GetOf(r, round);
  }
}

void TMBAControlForm::SetBtnClick(TObject*) {
  // The VLAN settings go first, the global ones after them: a refusal stops
  // the write there, stays the last word of the line, and the fields keep
  // what the user typed. Once written, the form reads what the switch holds
  // (the VLAN's name as it stands too).
  if (!WriteNameAndPorts() || !Refusal().IsEmpty()) return;
  if (!GlobalRequest || GlobalRequest->Busy) return;
  if (!WriteTaken(
          GlobalRequest, [&] { GlobalRequest->Set(kSetFromControls); },
          [this](const AnsiString& message) { GlobalRequest->ShowRequestStatus(message); }))
    return;
  RefreshAfterWrite();
}

void TMBAControlForm::StopRequests() {
  StopWaitDelete(GlobalRequest);
  TVlanPortsSettingsForm::StopRequests();
}
