#include "forms/security/GuestVlanFormUnit.h"

#include "catalogue/PaeMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/ReadRound.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"

TGuestVlanForm* GuestVlanForm = nullptr;
VN_REGISTER_FORM_OPENER(TGuestVlanForm, &GuestVlanForm);

namespace {

TVlanPortsLayout GuestLayout() {
  TVlanPortsLayout l;
  l.Caption = "Guest VLAN";
  l.NameLabel = "Name";
  l.NameCopyText = "Guest Vlan Name";
  l.PortTop = 48;
  l.SettingsTable = GuestVlanNamePortsVars;
  l.NameCopyTable = GuestVlanNameVars;
  l.DeleteTable = GuestVlanDeleteStateVars;
  return l;
}

}  // namespace

TGuestVlanForm::TGuestVlanForm(TComponent* AOwner) : TVlanPortsSettingsForm(AOwner, GuestLayout()) {
  ScaleFormForScreen(this);
}

void TGuestVlanForm::BT_GetClick(TObject*) {
  if (!SettingsRequest || SettingsRequest->Busy) return;
  TReadRound round(StatusBar1);
  if (GetOf(SettingsRequest.get(), round)) GetOf(NameCopyRequest.get(), round);
  if (!DeleteRequest || DeleteRequest->Busy) return;
  GetOf(DeleteRequest.get(), round);
}

void TGuestVlanForm::SetBtnClick(TObject*) {
  // Refused, the fields keep what the user typed, for a correction.
  if (WriteNameAndPorts() && Refusal().IsEmpty()) RefreshAfterWrite();
}
