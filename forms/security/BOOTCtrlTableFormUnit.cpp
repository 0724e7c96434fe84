#include "forms/security/BOOTCtrlTableFormUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/ButtonRun.h"
#include "forms/common/FeatureForm.h"
#include "forms/security/NewBootpCtrlFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TBOOTCtrlTableForm* BOOTCtrlTableForm = nullptr;

VN_REGISTER_FORM_OPENER(TBOOTCtrlTableForm, &BOOTCtrlTableForm);

namespace {

// Position of "invalid" in the state option list.
constexpr int kInvalidIndex = BOOTCtrlTableDHCPRelayControlStateOption::kInvalid;

}  // namespace

TBOOTCtrlTableForm::TBOOTCtrlTableForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

// A form destroyed without closing takes its dialog with it (as owner): the
// global must not keep pointing at it.
TBOOTCtrlTableForm::~TBOOTCtrlTableForm() {
  if (NewBootpCtrlForm && NewBootpCtrlForm->Owner() == this) NewBootpCtrlForm = nullptr;
}

void TBOOTCtrlTableForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("BOOTCtrlTableForm")
      .ClientSize(520, 318)
      .Position(poMainFormCenter)
      .OnCreate(this, &TBOOTCtrlTableForm::FormCreate)
      .OnCloseQuery(this, &TBOOTCtrlTableForm::FormCloseQuery)
      .OnClose(this, &TBOOTCtrlTableForm::FormClose);
  B.Add(ListView1, "ListView1").At(8, 8, 408, 210);
  B.Add(Memo1, "Memo1").At(8, 226, 408, 84).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
  AddButtonRun<TBOOTCtrlTableForm>(
      B, this, {nullptr, 428, 8, 84, 25, 0, 33},
      {{RefreshBtn, "RefreshBtn", "Refresh", &TBOOTCtrlTableForm::RefreshBtnClick},
       {AddBtn, "AddBtn", "Add", &TBOOTCtrlTableForm::AddBtnClick},
       {DeleteBtn, "DeleteBtn", "Delete", &TBOOTCtrlTableForm::DeleteBtnClick},
       {btnStop, "btnStop", "Stop", &TBOOTCtrlTableForm::btnStopClick},
       {CloseBtn, "CloseBtn", "Close", &TBOOTCtrlTableForm::CloseBtnClick}});
  B.Add(ComboBox1, "ComboBox1").At(428, 200, 84).Style(csDropDownList).Hidden();
}

void TBOOTCtrlTableForm::FormCreate(TObject*) {
  NewBootpCtrlForm = Create<TNewBootpCtrlForm>(this);
  Request = NewFormRequest(this, BOOTCtrlTableVars, VnItemType::MVT_FMV, 2);
  Request->AttachListView(ListView1, true);
  Request->BindEdits(BOOTCtrlTableItem::kDHCPRelayControlInterfaceName, "%s",
                     NewBootpCtrlForm->Edit1);
  Request->BindEdits(BOOTCtrlTableItem::kDHCPRelayControlServer, "%s", NewBootpCtrlForm->Edit2);
  Request->BindComboBox(BOOTCtrlTableItem::kDHCPRelayControlState, ComboBox1);
  Request->SetStatusMemo(Memo1);
  Rows.Attach(*Request, ListView1, nullptr,
              [this](bool rowSelected) { DeleteBtn->SetEnabled(rowSelected); });
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

void TBOOTCtrlTableForm::ShowFailure(const AnsiString& message) {
  ShowFailureInMemo(Memo1, message);
}

void TBOOTCtrlTableForm::RefreshBtnClick(TObject*) {
  if (!Request || Request->Busy) return;
  Rows.Read(Request, [this](const AnsiString& message) { ShowFailure(message); });
}

void TBOOTCtrlTableForm::AddBtnClick(TObject*) {
  if (!Request || !FormIdle({Request.get()}) || !NewBootpCtrlForm) return;
  NewBootpCtrlForm->SetCaption(FeatureCaption("New DHCP Control: "));
  NewBootpCtrlForm->ShowModal();
}

void TBOOTCtrlTableForm::DeleteBtnClick(TObject*) {
  if (!ListView1->Selected()) return;
  if (!Request || !FormIdle({Request.get()})) return;
  const bool taken = Rows.Write(
      Request,
      [this] {
        ComboBox1->SetItemIndex(kInvalidIndex);
        Request->Set(kSetFromControls);
      },
      [this](const AnsiString& message) { ShowFailure(message); });
  if (!taken || !Request) return;
  Rows.ShowNoRow();
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

void TBOOTCtrlTableForm::btnStopClick(TObject*) {
  if (Request) Request->Stop();
}

void TBOOTCtrlTableForm::CloseBtnClick(TObject*) { Close(); }

void TBOOTCtrlTableForm::FormCloseQuery(TObject*, bool& CanClose) {
  RefuseCloseWhileBusy({Request.get()}, CanClose);
}

void TBOOTCtrlTableForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  Action = caFree;
}
