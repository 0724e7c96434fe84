#include "forms/switching/AggregatorPortTableFormUnit.h"

#include <vector>

#include "catalogue/LinkAggregationMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TAggregatorPortTableForm* AggregatorPortTableForm = nullptr;

VN_REGISTER_FORM_OPENER(TAggregatorPortTableForm, &AggregatorPortTableForm);

namespace {

constexpr const char* kStateElements = "0,1,2,3,4,5,6,7";

}  // namespace

TAggregatorPortTableForm::TAggregatorPortTableForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  // Only the administrative tabs are shown; the others keep their boxes
  // unbound.
  TabSheet2->SetTabVisible(false);
  TabSheet4->SetTabVisible(false);
  PageControl1->SetActivePage(TabSheet1);
}

TAggregatorPortTableForm::~TAggregatorPortTableForm() = default;

void TAggregatorPortTableForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Aggregator Port Table")
      .ClientSize(720, 520)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TAggregatorPortTableForm::FormCreate)
      .OnCloseQuery(this, &TAggregatorPortTableForm::FormCloseQuery)
      .OnClose(this, &TAggregatorPortTableForm::FormClose);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 592, 240)
      .OnClick(this, &TAggregatorPortTableForm::ListView1Click);

  int top = 8;
  auto button = [&](TButton*& b, const char* name, const char* caption,
                    void (TAggregatorPortTableForm::*handler)(TObject*)) {
    B.Add(b, name).At(612, top, 100, 25).Caption(caption).OnClick(this, handler);
    top += 34;
  };
  button(GetBtn, "GetBtn", "Refresh", &TAggregatorPortTableForm::GetBtnClick);
  button(btnEdit, "btnEdit", "Edit", &TAggregatorPortTableForm::btnEditClick);
  button(btnStop, "btnStop", "Stop", &TAggregatorPortTableForm::btnStopClick);
  button(btnClose, "btnClose", "Close", &TAggregatorPortTableForm::btnCloseClick);
  B.Add(Label1, "Label1").At(612, top + 6).Caption("Samples");
  B.Add(StaticText1, "StaticText1").At(664, top + 6, 48, 17).Caption("0");

  B.Add(Label2, "Label2").At(8, 262).Caption("Actor Admin Key");
  B.Add(edtActorKey, "edtActorKey").At(160, 258, 140, 21);
  B.Add(Label3, "Label3").At(8, 290).Caption("Partner Admin System ID");
  B.Add(edtPartnerID, "edtPartnerID").At(160, 286, 140, 21);
  B.Add(Label4, "Label4").At(8, 318).Caption("Partner Admin Key");
  B.Add(edtPartnerKey, "edtPartnerKey").At(160, 314, 140, 21);

  B.Add(PageControl1, "PageControl1").At(316, 256, 396, 150);
  TTabSheet** sheets[4] = {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4};
  const char* sheetCaptions[4] = {"Actor Admin State", "Actor Oper State", "Partner Admin State",
                                  "Partner Oper State"};
  const char* sheetNames[4] = {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4"};
  for (int s = 0; s < 4; ++s) {
    B.Add(*sheets[s], sheetNames[s]).Caption(sheetCaptions[s]).PageControl(PageControl1);
    // "synchronization" on the actor's administrative tab only.
    const char* bits[8] = {"lacpActivity", "lacpTimeout",
                           "aggregation",  s == 0 ? "synchronization" : "synchronisation",
                           "collecting",   "distributing",
                           "defaulted",    "expired"};
    for (int e = 0; e < 8; ++e) {
      const int n = s * 8 + e;
      const AnsiString name = "CheckBox" + IntToStr(n + 1);
      B.Add(CheckBoxes[n], name.c_str(), *sheets[s])
          .At(12 + (e / 4) * 180, 10 + (e % 4) * 26, 170, 17)
          .Caption(bits[e]);
    }
  }

  B.Add(Memo1, "Memo1").At(8, 414, 704, 98).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TAggregatorPortTableForm::FormCreate(TObject*) {
  Request = NewFormRequest(this, AggregatorPortTableVars, VnItemType::MVT_FMV, 1);
  Request->AttachListView(ListView1, true);
  ClickFollowsSelection(*Request);
  Request->BindEdits(AggregatorPortTableItem::kActorAdminKey, "%i{n0x65535l5}", edtActorKey);
  Request->BindEdits(AggregatorPortTableItem::kPartnerAdminSystemID, "%s{l12}", edtPartnerID);
  Request->BindEdits(AggregatorPortTableItem::kPartnerAdminKey, "%i{n0x65535l5}", edtPartnerKey);
  Request->BindElements(AggregatorPortTableItem::kActorAdminState, kStateElements,
                        std::vector<TControl*>(CheckBoxes, CheckBoxes + 8));
  Request->BindElements(AggregatorPortTableItem::kPartnerAdminState, kStateElements,
                        std::vector<TControl*>(CheckBoxes + 16, CheckBoxes + 24));
  Request->SetStatusMemo(Memo1);
  Request->OnIdle = VnRequestIdleEvent(this, &TAggregatorPortTableForm::RequestIdleAgain);
  Rows.Attach(
      *Request, ListView1, StaticText1,
      [this](bool rowSelected) { btnEdit->SetEnabled(rowSelected); }, [this] { ClearEdits(); });
  ReadAgain();
}

// The fields stay open to typing once the request is idle, a row selected
// or not.
void TAggregatorPortTableForm::RequestIdleAgain(VnSNMPRequest2Controls*) { SetEditsEnabled(true); }

void TAggregatorPortTableForm::ClearEdits() {
  for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 16, 17, 18, 19, 20, 21, 22, 23})
    CheckBoxes[n]->SetChecked(false);
  for (TEdit* e : {edtActorKey, edtPartnerID, edtPartnerKey}) e->SetText("");
}

void TAggregatorPortTableForm::SetEditsEnabled(bool enabled) {
  for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 16, 17, 18, 19, 20, 21, 22, 23})
    CheckBoxes[n]->SetEnabled(enabled);
  for (TEdit* e : {edtActorKey, edtPartnerID, edtPartnerKey}) e->SetEnabled(enabled);
}

void TAggregatorPortTableForm::ShowFailure(const AnsiString& message) {
  ShowFailureInMemo(Memo1, message);
}

void TAggregatorPortTableForm::GetBtnClick(TObject*) {
  if (!Request || Request->Busy) return;
  ReadAgain();
}

void TAggregatorPortTableForm::ReadAgain() {
  try {
    Request->Get();
  } catch (...) {
    ShowFailure(CurrentMessage());
  }
  Rows.ShowNoRow();
}

void TAggregatorPortTableForm::btnEditClick(TObject*) {
  if (!Request || !FormIdle({Request.get()})) return;
  // A row that the list no longer shows has nothing to write to.
  if (!ListView1->Selected()) return;
  // A partner ID the switch holds in another shape (short, empty), left
  // alone, goes back as it is with the values the user changed.
  if (FieldEntered(Request.get(), edtPartnerID) && !ValidateMacInput(edtPartnerID->Text())) {
    FocusIfPossible(edtPartnerID);
    return;
  }
  // Refused, lost or not sent, the port keeps what was typed.
  if (Rows.Write(
          Request, [this] { Request->Set(kSetFromControls); },
          [this](const AnsiString& message) { ShowFailure(message); }))
    ReadAgain();
}

void TAggregatorPortTableForm::btnStopClick(TObject*) {
  if (Request) Request->Stop();
}

void TAggregatorPortTableForm::btnCloseClick(TObject*) { Close(); }

void TAggregatorPortTableForm::ListView1Click(TObject*) { Rows.Click(); }

void TAggregatorPortTableForm::FormCloseQuery(TObject*, bool& CanClose) {
  RefuseCloseWhileBusy({Request.get()}, CanClose);
}

void TAggregatorPortTableForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  Action = caFree;
}
