#include "forms/switching/MulticastFilterInformationFormUnit.h"

#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/StaticFilterEntry.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TMulticastFilterInformationForm* MulticastFilterInformationForm = nullptr;

VN_REGISTER_FORM_OPENER(TMulticastFilterInformationForm, &MulticastFilterInformationForm);

TMulticastFilterInformationForm::TMulticastFilterInformationForm(TComponent* AOwner)
    : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TMulticastFilterInformationForm::~TMulticastFilterInformationForm() = default;

void TMulticastFilterInformationForm::InitComponents() {
  using Self = TMulticastFilterInformationForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("Multicast Filter InformationForm")
      .Size(640, 540)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &Self::FormCreate)
      .OnClose(this, &Self::FormClose);
  B.Add(LV_dot1qStaticMulticastEntry, "LV_dot1qStaticMulticastEntry")
      .At(8, 8, 510, 190)
      .OnClick(this, &Self::LV_dot1qStaticMulticastEntryClick);
  B.Add(RefreshBtn, "RefreshBtn")
      .At(528, 8, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &Self::RefreshBtnClick);
  B.Add(SetBtn, "SetBtn").At(528, 40, 96, 25).Caption("Set").OnClick(this, &Self::SetBtnClick);
  B.Add(AddBtn, "AddBtn").At(528, 72, 96, 25).Caption("Add").OnClick(this, &Self::AddBtnClick);
  B.Add(btnDelete, "btnDelete")
      .At(528, 104, 96, 25)
      .Caption("Delete")
      .OnClick(this, &Self::btnDeleteClick);
  B.Add(Label1, "Label1").At(528, 180).Caption("Samples");
  B.Add(ST_Count, "ST_Count").At(580, 180, 44, 17).Caption("0");

  B.Add(Label2, "Label2").At(8, 212).Caption("VID");
  B.Add(ED_MulticastVID, "ED_MulticastVID").At(40, 208, 80, 21);
  B.Add(Label3, "Label3").At(136, 212).Caption("MAC Address");
  B.Add(ED_MACAddress, "ED_MACAddress").At(214, 208, 130, 21);
  B.Add(Label4, "Label4").At(360, 212).Caption("Status");
  B.Add(Status, "Status").At(400, 208, 118, 21).Style(csDropDownList);

  B.Add(PageControl1, "PageControl1").At(8, 240, 616, 180);
  B.Add(TabSheet1, "TabSheet1").Caption("Egress Ports").PageControl(PageControl1);
  B.Add(ScrollBox1, "ScrollBox1", TabSheet1).Align(alClient);
  B.Add(TabSheet2, "TabSheet2").Caption("Forbidden Ports").PageControl(PageControl1);
  B.Add(ScrollBox2, "ScrollBox2", TabSheet2).Align(alClient);
  PageControl1->SetActivePageIndex(0);

  B.Add(Memo1, "Memo1").At(8, 428, 616, 72).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TMulticastFilterInformationForm::CreatePortFrame() {
  PortFrame = ::CreatePortFrame(this, ScrollBox1);
}

void TMulticastFilterInformationForm::FormCreate(TObject*) {
  try {
    CreatePortFrame();
    Request = NewFormRequest(this, MulticastFilterInformationVars, VnItemType::MVT_UMV, 3);
    Request->AttachListView(LV_dot1qStaticMulticastEntry, true);
    ClickFollowsSelection(*Request);
    Request->BindEdits(MulticastFilterInformationItem::kIndex, "%i{n1x4094}", ED_MulticastVID);
    Request->BindEdits(MulticastFilterInformationItem::kMACAddress, "%h", ED_MACAddress);
    Request->BindComboBox(MulticastFilterInformationItem::kStatus, Status);
    Request->BindElementList(MulticastFilterInformationItem::kEgressPorts, PortElementList(),
                             PortFrame->PortCheckBoxes.get());
    Request->SetStatusMemo(Memo1);
    Rows.Attach(
        *Request, LV_dot1qStaticMulticastEntry, ST_Count,
        [this](bool rowSelected) { ShowRowButtons(rowSelected); }, [this] { ClearEntryFields(); });
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  ShowRowButtons(LV_dot1qStaticMulticastEntry->Selected() != nullptr);
}

bool TMulticastFilterInformationForm::RequestBusy() const { return !Request || Request->Busy; }

void TMulticastFilterInformationForm::ShowFailure(const AnsiString& message) {
  ShowFailureInMemo(Memo1, message);
}

void TMulticastFilterInformationForm::ClearEntryFields() {
  if (PortFrame) PortFrame->ClearPorts();
  ED_MulticastVID->SetText("");
  ED_MACAddress->SetText("");
  Status->SetItemIndex(-1);
  Status->SetText("");
}

// A row's key and status stay as the switch holds them; a new entry's are
// typed.
void TMulticastFilterInformationForm::ShowRowButtons(bool rowSelected) {
  ED_MulticastVID->SetEnabled(!rowSelected);
  ED_MACAddress->SetEnabled(!rowSelected);
  Status->SetEnabled(!rowSelected);
  SetBtn->SetEnabled(rowSelected);
  btnDelete->SetEnabled(rowSelected);
  AddBtn->SetEnabled(!rowSelected);
}

void TMulticastFilterInformationForm::LV_dot1qStaticMulticastEntryClick(TObject*) { Rows.Click(); }

void TMulticastFilterInformationForm::RefreshBtnClick(TObject*) {
  try {
    if (!Request) return;
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  Rows.ShowNoRow();
}

void TMulticastFilterInformationForm::SetBtnClick(TObject*) {
  if (RequestBusy()) {
    ShowMessage(kGetDataNotComplete);
    return;
  }
  // Only the egress ports of the selected row: the status stays.
  const bool taken = Rows.Write(
      Request,
      [this] {
        TSavedAccess saved(*Request);
        saved.Invalidate(MulticastFilterInformationItem::kStatus);
        Request->Set(kSetFromControlsThenRead);
      },
      [this](const AnsiString& message) { ShowFailure(message); });
  if (taken) Rows.ShowNoRow();
}

void TMulticastFilterInformationForm::AddBtnClick(TObject*) {
  if (ED_MulticastVID->Text().IsEmpty() || ED_MACAddress->Text().IsEmpty()) {
    ShowMessage("Please input VID and MAC Address!");
    return;
  }
  if (ComboText(Status) != kFilterPermanent) {
    ShowMessage("Status should be set to permanent");
    return;
  }
  if (WriteNewFilterEntry(Rows, Request, Memo1)) Rows.ShowNoRow();
}

void TMulticastFilterInformationForm::btnDeleteClick(TObject*) {
  if (RequestBusy()) {
    Status->SetItemIndex(MulticastFilterInformationStatusOption::kInvalid);
    ShowMessage(kGetDataNotComplete);
    return;
  }
  const bool taken = Rows.Write(
      Request,
      [this] {
        Status->SetItemIndex(MulticastFilterInformationStatusOption::kInvalid);
        Request->Set(kSetFromControlsThenRead);
      },
      [this](const AnsiString& message) { ShowFailure(message); });
  if (taken) Rows.ShowNoRow();
}

void TMulticastFilterInformationForm::FormClose(TObject*, TCloseAction& Action) {
  LV_dot1qStaticMulticastEntry->SetSelected(nullptr);
  Action = caFree;
  delete PortFrame;
  PortFrame = nullptr;
  StopWaitDelete(Request);
}
