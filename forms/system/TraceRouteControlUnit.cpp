#include "forms/system/TraceRouteControlUnit.h"

#include "app/FormOpeners.h"
#include "app/mibdefs/EquipmentMib.h"
#include "forms/system/TraceRouteEditForm.h"
#include "library/VnSNMPRequest2Edits.h"
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
  Request = NewFormRequest(this, TraceRouteControlVars, 3, 2);
  Request->BindEdits(0, "%i{n1x32l2}", d->IndexEdit);
  Request->BindEdits(1, "%s{l32}", d->NameEdit);
  Request->BindEdits(2, "%s{l16}", d->IpEdit);
  Request->BindEdits(3, "%i{n1x65535}", d->TimeoutEdit);
  Request->BindEdits(4, "%i{n1x9}", d->probePerHopEdit);
  Request->BindEdits(5, "%i{n30000x64900}", d->PortEdit);
  Request->BindEdits(6, "%i{n1x60}", d->MaxTimeEdit);
  Request->BindComboBox(7, d->AdminComboBox);
  Request->BindComboBox(8, d->StatusComboBox);
}
