#include "forms/switching/dot3PauseFormUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

Tdot3PauseForm* dot3PauseForm = nullptr;

VN_REGISTER_FORM_OPENER(Tdot3PauseForm, &dot3PauseForm);

Tdot3PauseForm::Tdot3PauseForm(TComponent* AOwner)
    : TDot3FormBase(AOwner, "dot3PauseForm", Dot3PauseAdminModeVars, Dot3PauseInPauseFramesVars,
                    {"In Pause Frame", "Out Pause Frame"}) {
  TFormBuilder B(this);
  B.Add(edtIndex, "edtIndex").At(kSideLeft, 200, 60, 21).Hidden();
  B.Add(Label2, "Label2").At(kSideLeft, 128).Caption("Admin Mode");
  B.Add(cbxAdminMode, "cbxAdminMode").At(kSideLeft + 80, 124, 144, 21).Style(csDropDownList);
  B.Add(btnSet, "btnSet")
      .At(kSideLeft, 244, 70, 25)
      .Caption("Set")
      .OnClick(this, &Tdot3PauseForm::btnSetClick);
  B.Add(btnStop, "btnStop")
      .At(kSideLeft + 77, 278, 70, 25)
      .Caption("Stop")
      .OnClick(this, &Tdot3PauseForm::btnStopClick);
}

void Tdot3PauseForm::BindPortControls() {
  Request->BindEdits(Dot3PauseAdminModeItem::kIndex, "%i", edtIndex);
  Request->BindComboBox(Dot3PauseAdminModeItem::kAdminMode, cbxAdminMode);
  btnSet->SetEnabled(false);
}

void Tdot3PauseForm::ResetPortControls() { cbxAdminMode->SetItemIndex(-1); }

void Tdot3PauseForm::PortsRead() {
  if (!cbxAdminMode->CanFocus()) cbxAdminMode->SetEnabled(true);
}

void Tdot3PauseForm::ShowPortState(bool portChosen) {
  btnSet->SetEnabled(portChosen && Request && !Request->Busy);
}

void Tdot3PauseForm::btnSetClick(TObject*) {
  if (!Request || !ListView1->Selected()) return;
  if (!FormIdle({Request.get()})) return;
  const auto fail = [this](const AnsiString& m) { ShowFailure(m); };
  // Taken: the walk follows the write, with no port chosen.
  if (Rows.Write(
          Request, [this] { Request->Set(kSetFromControls); }, fail))
    Rows.ReadAnew(Request, fail);
}

void Tdot3PauseForm::btnStopClick(TObject*) {
  if (Request) Request->Stop();
}
