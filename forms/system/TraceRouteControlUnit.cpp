#include "forms/system/TraceRouteControlUnit.h"

#include "catalogue/EquipmentMib.h"
#include "forms/system/TraceRouteEditForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/StdCtrls.h"

TTraceRouteControlForm* TraceRouteControlForm = nullptr;

VN_REGISTER_FORM_OPENER(TTraceRouteControlForm, &TraceRouteControlForm);

TTraceRouteControlForm::TTraceRouteControlForm(TComponent* AOwner)
    : TTestControlListForm(AOwner, "Trace Route Control") {}

// A form destroyed without closing takes its dialog with it (as owner): the
// global must not keep pointing at it.
TTraceRouteControlForm::~TTraceRouteControlForm() {
  if (TraceRouteEditorForm && TraceRouteEditorForm->Owner() == this) TraceRouteEditorForm = nullptr;
}

TTestControlEditForm* TTraceRouteControlForm::CreateEditForm() {
  TraceRouteEditorForm = Create<TTraceRouteEditorForm>(this);
  return TraceRouteEditorForm;
}

TTestControlEditForm* TTraceRouteControlForm::EditForm() const { return TraceRouteEditorForm; }

void TTraceRouteControlForm::FreeEditForm() {
  delete TraceRouteEditorForm;
  TraceRouteEditorForm = nullptr;
}

void TTraceRouteControlForm::CreateRequest(TTestControlEditForm* dialog) {
  auto* d = static_cast<TTraceRouteEditorForm*>(dialog);
  namespace Item = TraceRouteControlItem;
  Request = NewFormRequest(this, TraceRouteControlVars, VnItemType::MVT_UMV, 2);
  Request->BindEdits(Item::kOwnerIndex, "%i{n1x32l2}", d->IndexEdit);
  Request->BindEdits(Item::kTestName, "%s{l32}", d->NameEdit);
  Request->BindEdits(Item::kTargetAddress, "%s{l16}", d->IpEdit);
  Request->BindEdits(Item::kTimeOut, "%i{n1x65535}", d->TimeoutEdit);
  Request->BindEdits(Item::kProbesPerHop, "%i{n1x9}", d->probePerHopEdit);
  Request->BindEdits(Item::kPort, "%i{n30000x64900}", d->PortEdit);
  Request->BindEdits(Item::kMaxTimeToLive, "%i{n1x60}", d->MaxTimeEdit);
  Request->BindComboBox(Item::kAdminStatus, d->AdminComboBox);
  Request->BindComboBox(Item::kRowStatus, d->StatusComboBox);
}
