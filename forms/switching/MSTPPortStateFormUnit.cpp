#include "forms/switching/MSTPPortStateFormUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/MSTPPortStateEditFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TMSTPPortStateForm* MSTPPortStateForm = nullptr;

VN_REGISTER_FORM_OPENER(TMSTPPortStateForm, &MSTPPortStateForm);

TMSTPPortStateForm::TMSTPPortStateForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TMSTPPortStateForm::~TMSTPPortStateForm() {
  // Destroyed without closing: the dialog goes with this form.
  if (MSTPPortStateEditForm && MSTPPortStateEditForm->Owner() == this)
    MSTPPortStateEditForm = nullptr;
}

void TMSTPPortStateForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("MSTP Port State Information")
      .ClientSize(700, 420)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TMSTPPortStateForm::FormCreate)
      .OnCloseQuery(this, &TMSTPPortStateForm::FormCloseQuery)
      .OnClose(this, &TMSTPPortStateForm::FormClose);
  B.Add(lvMSTPPortState, "lvMSTPPortState")
      .At(8, 8, 572, 300)
      .OnSelectItem(this, &TMSTPPortStateForm::lvMSTPPortStateSelectItem)
      .OnDblClick(this, &TMSTPPortStateForm::lvMSTPPortStateDblClick);
  int top = 8;
  auto button = [&](TButton*& b, const char* name, const char* caption,
                    void (TMSTPPortStateForm::*handler)(TObject*)) {
    B.Add(b, name).At(592, top, 100, 25).Caption(caption).OnClick(this, handler);
    top += 34;
  };
  button(btnRefresh, "btnRefresh", "Refresh", &TMSTPPortStateForm::btnRefreshClick);
  button(btnEdit, "btnEdit", "Edit", &TMSTPPortStateForm::btnEditClick);
  button(btnStop, "btnStop", "Stop", &TMSTPPortStateForm::btnStopClick);
  button(btnClose, "btnClose", "Close", &TMSTPPortStateForm::btnCloseClick);
  B.Add(lblSTPVersion, "lblSTPVersion").At(592, top + 8).Hidden();
  B.Add(memMsg, "memMsg").At(8, 316, 684, 96).ReadOnly();
  memMsg->SetScrollBars(ssVertical);
}

void TMSTPPortStateForm::FormCreate(TObject*) {
  MSTPPortStateEditForm = Create<TMSTPPortStateEditForm>(this);
  TMSTPPortStateEditForm* d = MSTPPortStateEditForm;

  VersionRequest = NewFormRequest(this, MSTPPortStateSTPVersionVars, VnItemType::SVT_SV, 0);
  VersionRequest->BindLabel(0, lblSTPVersion);

  namespace Item = MSTPPortStateMSTPPortOperHelloTimeItem;
  Request = NewFormRequest(this, MSTPPortStateMSTPPortOperHelloTimeVars, VnItemType::MVT_UMV, 1);
  Request->AttachListView(lvMSTPPortState, true);
  Request->BindEdits(Item::kMSTPPort, "%u", d->edtPortIndex);
  Request->BindEdits(Item::kMSTPPortOperHelloTime, "%u", d->edtOperHelloTime);
  Request->BindEdits(Item::kMSTPPortAdminHelloTime, "%u", d->edtAdminHelloTime);
  Request->BindComboBox(Item::kMSTPSTPPortEnable, d->cbxPortEnable);
  Request->BindEdits(Item::kMSTPPortExternalPathCost, "%u", d->edtExtPathCost);
  Request->BindComboBox(Item::kMSTPPortMigration, d->cbxMigration);
  Request->BindComboBox(Item::kMSTPPortAdminEdgePort, d->cbxAdminEdgePort);
  Request->BindComboBox(Item::kMSTPPortOperEdgePort, d->cbxOperEdgePort);
  Request->BindComboBox(Item::kMSTPPortAdminP2P, d->cbxAdminP2P);
  Request->BindComboBox(Item::kMSTPPortOperP2P, d->cbxOperP2P);
  Request->BindComboBox(Item::kMSTPPortBPDUFiltering, d->cbxSTPlbd);
  Request->BindComboBox(Item::kMSTPPortRestrictedRole, d->cbxSTPRole);
  Request->BindComboBox(Item::kMSTPPortRestrictedTCN, d->cbxSTPTCN);
  Request->SetStatusMemo(memMsg);
  Request->Request.Timeout = 300;
  Rows.Attach(*Request, lvMSTPPortState, nullptr, [this](bool row) { btnEdit->SetEnabled(row); });

  try {
    VersionRequest->Get();
    Request->Get();
  } catch (...) {
    ShowFailureInMemo(memMsg, CurrentMessage());
  }
}

void TMSTPPortStateForm::ReadVersion() {
  if (!VersionRequest || VersionRequest->Busy) return;
  VersionRequest->Get();
}

void TMSTPPortStateForm::btnRefreshClick(TObject*) {
  if (!Request) return;
  try {
    ReadVersion();
    if (!Request->Busy) {
      Request->Get();
    }
  } catch (...) {
    ShowFailureInMemo(memMsg, CurrentMessage());
  }
}

void TMSTPPortStateForm::lvMSTPPortStateSelectItem(TObject*, TListItem*, bool) { Rows.Follow(); }

void TMSTPPortStateForm::lvMSTPPortStateDblClick(TObject* Sender) { btnEditClick(Sender); }

void TMSTPPortStateForm::btnEditClick(TObject*) {
  if (!Request || !MSTPPortStateEditForm) return;
  try {
    if (lvMSTPPortState->Selected()) {
      if (!FormIdle({Request.get()})) return;
      MSTPPortStateEditForm->SetCaption(FeatureCaption("Port State Information(Edit): "));
      MSTPPortStateEditForm->ShowModal();
    }
    // A read the dialog started takes the rows away; a write it could not
    // send leaves the port selected, to be edited again.
    Rows.Follow();
    ReadVersion();
  } catch (...) {
    ShowFailureInMemo(memMsg, CurrentMessage());
  }
}

void TMSTPPortStateForm::btnStopClick(TObject*) {
  if (Request) Request->Stop();
}

void TMSTPPortStateForm::btnCloseClick(TObject*) { Close(); }

void TMSTPPortStateForm::FormCloseQuery(TObject*, bool& CanClose) {
  RefuseCloseWhileBusy({Request.get()}, CanClose);
}

void TMSTPPortStateForm::FormClose(TObject*, TCloseAction& Action) {
  lvMSTPPortState->SetSelected(nullptr);
  delete MSTPPortStateEditForm;
  MSTPPortStateEditForm = nullptr;
  StopWaitDelete(VersionRequest);
  StopWaitDelete(Request);
  Action = caFree;
}
