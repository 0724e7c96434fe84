#include "forms/system/MultiConfigControlFormUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/system/MultiConfigControlEditFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TMultipleConfigControlForm* MultipleConfigControlForm = nullptr;

VN_REGISTER_FORM_OPENER(TMultipleConfigControlForm, &MultipleConfigControlForm);

namespace {

// Activation takes the device a while: the request waits longer than usual.
constexpr std::uint32_t kTimeout = 300;

}  // namespace

TMultipleConfigControlForm::TMultipleConfigControlForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

// A form destroyed without closing takes its dialog with it (as owner): the
// global must not keep pointing at it.
TMultipleConfigControlForm::~TMultipleConfigControlForm() {
  if (MultiConfigControlEditForm && MultiConfigControlEditForm->Owner() == this)
    MultiConfigControlEditForm = nullptr;
}

void TMultipleConfigControlForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Multiple Config Control")
      .ClientSize(400, 250)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TMultipleConfigControlForm::FormCreate)
      .OnCloseQuery(this, &TMultipleConfigControlForm::FormCloseQuery)
      .OnClose(this, &TMultipleConfigControlForm::FormClose);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 288, 160)
      .OnClick(this, &TMultipleConfigControlForm::ListView1Click)
      .OnDblClick(this, &TMultipleConfigControlForm::ListView1DblClick);
  B.Add(Memo1, "Memo1").At(8, 176, 384, 66).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
  B.Add(btnEdit, "btnEdit")
      .At(308, 8, 84, 25)
      .Caption("Edit")
      .OnClick(this, &TMultipleConfigControlForm::btnEditClick);
  B.Add(btnGet, "btnGet")
      .At(308, 40, 84, 25)
      .Caption("Refresh")
      .OnClick(this, &TMultipleConfigControlForm::btnGetClick);
  B.Add(btnClose, "btnClose")
      .At(308, 72, 84, 25)
      .Caption("Close")
      .OnClick(this, &TMultipleConfigControlForm::btnCloseClick);
}

void TMultipleConfigControlForm::FormCreate(TObject*) {
  MultiConfigControlEditForm = Create<TMultiConfigControlEditForm>(this);
  Request = NewFormRequest(this, MultipleConfigControlVars, VnItemType::MVT_UMV, 1);
  Request->Request.Timeout = kTimeout;
  Request->AttachListView(ListView1, true);
  ClickFollowsSelection(*Request);
  Request->BindComboBox(MultipleConfigControlItem::kConfigControlID,
                        MultiConfigControlEditForm->cbxCtrlID);
  Request->BindComboBox(MultipleConfigControlItem::kConfigAction,
                        MultiConfigControlEditForm->cbxCfgAction);
  Request->SetStatusMemo(Memo1);
  // Edit acts on the selected row: on exactly while one is.
  Rows.Attach(*Request, ListView1, nullptr,
              [this](bool rowSelected) { btnEdit->SetEnabled(rowSelected); });
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInMemo(Memo1, e.Message);
  }
}

void TMultipleConfigControlForm::btnGetClick(TObject*) {
  if (!Request || Request->Busy) return;
  Rows.Read(Request, [this](const AnsiString& message) { ShowFailureInMemo(Memo1, message); });
}

void TMultipleConfigControlForm::ListView1Click(TObject*) { Rows.Click(); }

void TMultipleConfigControlForm::ListView1DblClick(TObject*) {
  if (ListView1->Selected()) btnEditClick(nullptr);
}

void TMultipleConfigControlForm::btnEditClick(TObject*) {
  // The button is only enabled with a row selected; the dialog shows that
  // row through the request's selection handler.
  if (!MultiConfigControlEditForm || !ListView1->Selected()) return;
  MultiConfigControlEditForm->cbxCtrlID->SetEnabled(false);
  MultiConfigControlEditForm->SetCaption(FeatureCaption("Multiple Config Control Edit:"));
  MultiConfigControlEditForm->ShowModal();
}

void TMultipleConfigControlForm::btnCloseClick(TObject*) { Close(); }

void TMultipleConfigControlForm::FreeDialogAndRequest() {
  delete MultiConfigControlEditForm;
  MultiConfigControlEditForm = nullptr;
  StopWaitDelete(Request);
}

void TMultipleConfigControlForm::FormCloseQuery(TObject*, bool&) { FreeDialogAndRequest(); }

void TMultipleConfigControlForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  FreeDialogAndRequest();
  Action = caFree;
}
