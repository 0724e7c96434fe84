#include "forms/system/MultiConfigControlEditFormUnit.h"

#include <memory>

#include "forms/common/AwaitedSet.h"
#include "forms/common/FeatureForm.h"
#include "forms/system/MultiConfigControlFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/Progress2.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TMultiConfigControlEditForm* MultiConfigControlEditForm = nullptr;

namespace {

constexpr const char* kActivate = "active";
// Seconds the device is given to switch to another configuration.
constexpr int kActivationTicks = 15;

}  // namespace

TMultiConfigControlEditForm::TMultiConfigControlEditForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TMultiConfigControlEditForm::~TMultiConfigControlEditForm() = default;

void TMultiConfigControlEditForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Multiple Config Control Edit")
      .ClientSize(300, 110)
      .Position(poScreenCenter)
      .BorderStyle(bsDialog)
      .OnCreate(this, &TMultiConfigControlEditForm::FormCreate);
  B.Add(Label1, "Label1").At(16, 18).Caption("Config Control ID");
  B.Add(cbxCtrlID, "cbxCtrlID").At(140, 14, 144).Style(csDropDownList);
  B.Add(Label2, "Label2").At(16, 48).Caption("Config Action");
  B.Add(cbxCfgAction, "cbxCfgAction").At(140, 44, 144).Style(csDropDownList);
  B.Add(btnSet, "btnSet")
      .At(116, 78, 80, 25)
      .Caption("Set")
      .OnClick(this, &TMultiConfigControlEditForm::btnSetClick);
  B.Add(btnClose, "btnClose")
      .At(204, 78, 80, 25)
      .Caption("Close")
      .OnClick(this, &TMultiConfigControlEditForm::btnCloseClick);
}

void TMultiConfigControlEditForm::FormCreate(TObject*) { cbxCtrlID->SetEnabled(false); }

void TMultiConfigControlEditForm::WaitForActivation(VnSNMPRequest2Controls& request) {
  std::unique_ptr<TProgressForm2> progress(Create<TProgressForm2>(this, nullptr));
  progress->TickLimit = kActivationTicks;
  progress->SetCaption("Set Config");
  progress->LB_Prompt->SetCaption("Active Config is doing...");
  progress->WaitsFor(request);
  ProgressForm2 = progress.get();
  struct Clear {
    ~Clear() { ProgressForm2 = nullptr; }
  } clear;
  progress->ShowModal();
}

// Once the device has taken the action the dialog closes; refused, lost or
// not sent, the failure stays the memo's last line (the list is read again
// quietly) and the dialog stays open with the action chosen, for the user to
// correct or cancel.
void TMultiConfigControlEditForm::btnSetClick(TObject*) {
  TMultipleConfigControlForm* list = MultipleConfigControlForm;
  if (!list || !list->Request) {
    Close();
    return;
  }
  VnSNMPRequest2Edits& request = *list->Request;
  // The device is busy while it acts: the list's read still out is made
  // again after the answer, not beside it.
  const bool reading = request.Busy;
  request.StopReadForWrite(0);
  TAwaitedSet answer(list->Request);
  try {
    request.Set(kSetFromControls);
  } catch (const Exception& e) {
    ShowFailureInMemo(list->Memo1, e.Message);
    return;
  }
  if (ComboText(cbxCfgAction) == kActivate) WaitForActivation(request);
  if (!answer.Taken()) return;
  list = MultipleConfigControlForm;
  if (reading && list && list->Request) {
    try {
      list->Request->Get();
    } catch (const Exception& e) {
      ShowFailureInMemo(list->Memo1, e.Message);
    }
  }
  Close();
}

void TMultiConfigControlEditForm::btnCloseClick(TObject*) { Close(); }
