#include "forms/system/Ipv6StaticRouteUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/ButtonRun.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/RowDelete.h"
#include "forms/system/Ipv6StaticRouteEditUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TIpv6StaticRouteForm* Ipv6StaticRouteForm = nullptr;

VN_REGISTER_FORM_OPENER(TIpv6StaticRouteForm, &Ipv6StaticRouteForm);

namespace {

namespace Item = Ipv6StaticRouteItem;

}  // namespace

TIpv6StaticRouteForm::TIpv6StaticRouteForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

// A form destroyed without closing takes its dialog with it (as owner): the
// global must not keep pointing at it.
TIpv6StaticRouteForm::~TIpv6StaticRouteForm() {
  if (Ipv6StaticRouteEditForm && Ipv6StaticRouteEditForm->Owner() == this)
    Ipv6StaticRouteEditForm = nullptr;
}

void TIpv6StaticRouteForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("IPV6 Static Route")
      .ClientSize(640, 330)
      .Position(poScreenCenter)
      .OnCreate(this, &TIpv6StaticRouteForm::FormCreate)
      .OnClose(this, &TIpv6StaticRouteForm::FormClose);
  B.Add(ListView1, "ListView1").At(8, 8, 528, 226);
  B.Add(Memo1, "Memo1").At(8, 242, 528, 80).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
  B.Add(StaticText1, "StaticText1").At(548, 8, 84, 17).Caption("0");
  AddButtonRun<TIpv6StaticRouteForm>(
      B, this, {nullptr, 548, 36, 84, 25, 0, 33},
      {{btnGet, "btnGet", "Refresh", &TIpv6StaticRouteForm::btnGetClick},
       {btnAdd, "btnAdd", "Add", &TIpv6StaticRouteForm::btnAddClick},
       {btnAddDefault, "btnAddDefault", "Add Default", &TIpv6StaticRouteForm::btnAddDefaultClick},
       {btnDelete, "btnDelete", "Delete", &TIpv6StaticRouteForm::btnDeleteClick},
       {btnClose, "btnClose", "Close", &TIpv6StaticRouteForm::btnCloseClick}});
}

void TIpv6StaticRouteForm::FormCreate(TObject*) {
  Ipv6StaticRouteEditForm = Create<TIpv6StaticRouteEditForm>(this);
  TIpv6StaticRouteEditForm* d = Ipv6StaticRouteEditForm;
  Request = NewFormRequest(this, Ipv6StaticRouteVars, VnItemType::MVT_UMV, 4, true);
  Request->AttachListView(ListView1, true);
  Request->BindEdits(Item::kDestination, "%s{l32}", d->edtDst);
  Request->BindEdits(Item::kPrefixLength, "%i{n0x128l3}", d->edtPrefix);
  Request->BindEdits(Item::kInterfaceName, "%s{l12}", d->edtInterface);
  Request->BindEdits(Item::kNextHop, "%s{l32}", d->edtNextHop);
  Request->BindEdits(Item::kMetric, "%i{n1x65535l5}", d->edtMetric);
  Request->BindEdits(Item::kProtocol, "%s", d->edtProtocol);
  Request->BindComboBox(Item::kStatus, d->cbxStatus);
  Request->SetStatusMemo(Memo1);
  // Delete and the count follow the list, also once the read a failed write
  // owes has taken the rows away.
  Rows.Attach(*Request, ListView1, StaticText1,
              [this](bool rowSelected) { btnDelete->SetEnabled(rowSelected); });
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInMemo(Memo1, e.Message);
  }
}

void TIpv6StaticRouteForm::btnGetClick(TObject*) {
  if (!Request || Request->Busy) return;
  Rows.Read(Request, [this](const AnsiString& message) { ShowFailureInMemo(Memo1, message); });
}

void TIpv6StaticRouteForm::ShowEditDialog(int mode, const char* title) {
  if (!Ipv6StaticRouteEditForm) return;
  Ipv6StaticRouteEditForm->EditMode = mode;
  Ipv6StaticRouteEditForm->SetCaption(FeatureCaption(title));
  Ipv6StaticRouteEditForm->ShowModal();
}

void TIpv6StaticRouteForm::btnAddClick(TObject*) {
  ShowEditDialog(TIpv6StaticRouteEditForm::kAddMode, "IPV6 Static Route(Add): ");
}

void TIpv6StaticRouteForm::btnAddDefaultClick(TObject*) {
  ShowEditDialog(TIpv6StaticRouteEditForm::kAddDefaultMode, "IPV6 Static Route(Add default): ");
}

void TIpv6StaticRouteForm::btnDeleteClick(TObject*) {
  const bool idle = DeleteSelectedRow(
      ListView1, Request.get(),
      [this](TSavedAccess&) {
        Ipv6StaticRouteEditForm->cbxStatus->SetItemIndex(Ipv6StaticRouteRowStatusOption::kDestroy);
        Request->Set(kSetFromControls);
      },
      [this](const AnsiString& message) { ShowFailureInMemo(Memo1, message); });
  // A Delete that could not be sent leaves the row there and selected.
  if (idle) Rows.Follow();
}

void TIpv6StaticRouteForm::btnCloseClick(TObject*) { Close(); }

void TIpv6StaticRouteForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  delete Ipv6StaticRouteEditForm;
  Ipv6StaticRouteEditForm = nullptr;
  Action = caFree;
}
