#include "forms/security/IpMacBindBlockedFormUnitUnit.h"

#include "catalogue/SecurityMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TIpMacBindBlockedForm* IpMacBindBlockedForm = nullptr;
VN_REGISTER_FORM_OPENER(TIpMacBindBlockedForm, &IpMacBindBlockedForm);

namespace {

// VID and MAC address are the index; the status is the only writable column.
constexpr int kKeyCount = 2;
// "notInService" (2) in the status options: releases the host.
constexpr int kReleaseIndex = IpMacBindBlockedRowStatusOption::kNotInService;

}  // namespace

TIpMacBindBlockedForm::TIpMacBindBlockedForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TIpMacBindBlockedForm::~TIpMacBindBlockedForm() = default;

void TIpMacBindBlockedForm::InitComponents() {
  using F = TIpMacBindBlockedForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("IP-MAC Binding Blocked Table")
      .ClientSize(560, 330)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  B.Add(ListView1, "ListView1").At(8, 8, 440, 230).OnClick(this, &F::ListView1Click);
  B.Add(Memo1, "Memo1").At(8, 246, 440, 76).ReadOnly();
  B.Add(btnGet, "btnGet").At(466, 8, 80, 25).Caption("Refresh").OnClick(this, &F::btnGetClick);
  B.Add(btnDelete, "btnDelete")
      .At(466, 40, 80, 25)
      .Caption("Delete")
      .OnClick(this, &F::btnDeleteClick);
  B.Add(btnClose, "btnClose").At(466, 72, 80, 25).Caption("Close").OnClick(this, &F::btnCloseClick);
  B.Add(ComboType, "ComboType").At(466, 110, 80, 21).Style(csDropDownList).Hidden();
}

void TIpMacBindBlockedForm::FormCreate(TObject*) {
  Request = NewFormRequest(this, IpMacBindBlockedVars, VnItemType::MVT_UMV, kKeyCount, true);
  try {
    Request->AttachListView(ListView1, true);
    ClickFollowsSelection(*Request);
    Request->BindComboBox(IpMacBindBlockedItem::kBlockedStatus, ComboType);
    Request->SetStatusMemo(Memo1);
    Rows.Attach(*Request, ListView1, nullptr,
                [this](bool rowSelected) { btnDelete->SetEnabled(rowSelected); });
    Request->Get();
  } catch (const Exception& e) {
    Request->ShowRequestStatus(e.Message);
  }
}

void TIpMacBindBlockedForm::btnGetClick(TObject*) {
  if (!Request || Request->Busy) return;
  Rows.Read(Request, [this](const AnsiString& message) { Request->ShowRequestStatus(message); });
}

void TIpMacBindBlockedForm::ListView1Click(TObject*) { Rows.Click(); }

void TIpMacBindBlockedForm::btnDeleteClick(TObject*) {
  if (!Request || Request->Busy || !ListView1->Selected()) return;
  // The library reads the table again after the SET.
  Rows.Write(
      Request,
      [this] {
        ComboType->SetItemIndex(kReleaseIndex);
        Request->Set(kSetFromControlsThenRead);
      },
      [this](const AnsiString& message) { Request->ShowRequestStatus(message); });
  Rows.Follow();
}

void TIpMacBindBlockedForm::btnCloseClick(TObject*) { Close(); }

void TIpMacBindBlockedForm::FormClose(TObject*, TCloseAction& Action) {
  if (ListView1->Selected()) ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  Action = caFree;
}
