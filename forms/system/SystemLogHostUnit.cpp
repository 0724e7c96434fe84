#include "forms/system/SystemLogHostUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/ButtonRun.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/RowDelete.h"
#include "forms/system/LogHostEditUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TSystemLogHostForm* SystemLogHostForm = nullptr;

VN_REGISTER_FORM_OPENER(TSystemLogHostForm, &SystemLogHostForm);

namespace {

namespace Item = SystemLogHostItem;

}  // namespace

TSystemLogHostForm::TSystemLogHostForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

// A form destroyed without closing takes its dialog with it (as owner): the
// global must not keep pointing at it.
TSystemLogHostForm::~TSystemLogHostForm() {
  if (LogHostEditForm && LogHostEditForm->Owner() == this) LogHostEditForm = nullptr;
}

void TSystemLogHostForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("System Log Host")
      .ClientSize(560, 300)
      .Position(poScreenCenter)
      .OnCreate(this, &TSystemLogHostForm::FormCreate)
      .OnActivate(this, &TSystemLogHostForm::FormActivate)
      .OnCloseQuery(this, &TSystemLogHostForm::FormCloseQuery)
      .OnClose(this, &TSystemLogHostForm::FormClose);
  B.Add(Panel1, "Panel1").At(0, 0, 560, 41).Align(alTop).BevelOuter(bvNone);
  using F = TSystemLogHostForm;
  AddButtonRun<F>(B, this, {Panel1, 8, 8, 75, 25, 83, 0},
                  {{GetButton, "GetButton", "Refresh", &F::GetButtonClick},
                   {EditButton, "EditButton", "Edit", &F::EditButtonClick},
                   {AddButton, "AddButton", "Add", &F::AddButtonClick},
                   {DeleteButton, "DeleteButton", "Delete", &F::DeleteButtonClick}});
  B.Add(StaticText1, "StaticText1", Panel1).At(500, 12, 48, 17).Caption("0");

  B.Add(Panel2, "Panel2").At(0, 41, 560, 259).Align(alClient).BevelOuter(bvNone);
  B.Add(Memo1, "Memo1", Panel2).At(0, 189, 560, 70).Align(alBottom).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
  // Directly above the memo: the alignment keeps the order of places.
  B.Add(Splitter1, "Splitter1", Panel2);
  Splitter1->SetAlign(alNone);
  Splitter1->SetBounds(0, Memo1->Top() - 3, Panel2->ClientWidth(), 3);
  Splitter1->SetAlign(alBottom);
  B.Add(ListView1, "ListView1", Panel2)
      .At(0, 0, 560, 186)
      .Align(alClient)
      .OnDblClick(this, &TSystemLogHostForm::ListView1DblClick);
}

void TSystemLogHostForm::FormCreate(TObject*) {
  StaticText1->SetCaption("0");
  LogHostEditForm = Create<TLogHostEditForm>(this);
  Request = NewFormRequest(this, SystemLogHostVars, VnItemType::MVT_UMV, 1);
  Request->AttachListView(ListView1, true);
  TLogHostEditForm* dialog = LogHostEditForm;
  Request->BindComboBox(Item::kIndex, dialog->cbxIndex);
  Request->BindEdits(Item::kIPAddress, "%s{l16}", dialog->IPAddrEdit);
  Request->BindComboBox(Item::kFacility, dialog->FacComboBox);
  Request->BindComboBox(Item::kSeverity, dialog->SevComboBox);
  Request->BindEdits(Item::kUDPPort, "%i{l5}", dialog->PortEdit);
  Request->BindComboBox(Item::kState, dialog->StateComboBox);
  Request->BindComboBox(Item::kRowStatus, dialog->RowComboBox);
  Request->SetStatusMemo(Memo1);
  // The count and the row buttons follow the list, behind the dialog too.
  Rows.Attach(*Request, ListView1, StaticText1,
              [this](bool rowSelected) { EnableRowButtons(rowSelected); });
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

void TSystemLogHostForm::FormActivate(TObject*) { SetCaption(FeatureCaption("System Log Host: ")); }

void TSystemLogHostForm::EnableRowButtons(bool enabled) {
  EditButton->SetEnabled(enabled);
  DeleteButton->SetEnabled(enabled);
}

void TSystemLogHostForm::ShowFailure(const AnsiString& message) {
  ShowFailureInMemo(Memo1, message);
  Rows.Follow();
}

void TSystemLogHostForm::GetButtonClick(TObject*) {
  if (!Request || Request->Busy) return;
  Rows.Read(Request, [this](const AnsiString& message) { ShowFailure(message); });
}

void TSystemLogHostForm::EditButtonClick(TObject*) {
  if (!ListView1->Selected() || !LogHostEditForm) return;
  LogHostEditForm->EditMode = TLogHostEditForm::kEditMode;
  LogHostEditForm->ShowModal();
  Rows.Follow();
}

void TSystemLogHostForm::ListView1DblClick(TObject* Sender) { EditButtonClick(Sender); }

void TSystemLogHostForm::AddButtonClick(TObject*) {
  if (!LogHostEditForm) return;
  LogHostEditForm->EditMode = TLogHostEditForm::kAddMode;
  LogHostEditForm->ShowModal();
  // The dialog no longer shows the row chosen here: choosing it again
  // fills the dialog with it.
  Rows.ShowNoRow();
}

void TSystemLogHostForm::DeleteButtonClick(TObject*) {
  const bool idle = DeleteSelectedRow(
      ListView1, Request.get(),
      [this](TSavedAccess& saved) {
        // Only the index (the row's instance) and the row status go out.
        for (int item = Item::kIPAddress; item <= Item::kState; ++item) saved.Invalidate(item);
        LogHostEditForm->RowComboBox->SetItemIndex(SystemLogHostRowStatusOption::kDestroy);
        Request->Set(kSetFromControls);
      },
      [this](const AnsiString& message) { ShowFailure(message); });
  if (idle) Rows.Follow();
}

void TSystemLogHostForm::FreeDialogAndRequest() {
  delete LogHostEditForm;
  LogHostEditForm = nullptr;
  StopWaitDelete(Request);
}

void TSystemLogHostForm::FormCloseQuery(TObject*, bool&) { FreeDialogAndRequest(); }

void TSystemLogHostForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  FreeDialogAndRequest();
  Action = caFree;
}
