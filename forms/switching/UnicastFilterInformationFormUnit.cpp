#include "forms/switching/UnicastFilterInformationFormUnit.h"

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

TUnicastFilterInformationForm* UnicastFilterInformationForm = nullptr;

VN_REGISTER_FORM_OPENER(TUnicastFilterInformationForm, &UnicastFilterInformationForm);

TUnicastFilterInformationForm::TUnicastFilterInformationForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TUnicastFilterInformationForm::~TUnicastFilterInformationForm() = default;

void TUnicastFilterInformationForm::InitComponents() {
  using Self = TUnicastFilterInformationForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("Unicast Filter Information")
      .Size(640, 540)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &Self::FormCreate)
      .OnClose(this, &Self::FormClose);
  B.Add(LV_dot1qStaticUnicastEntry, "LV_dot1qStaticUnicastEntry")
      .At(8, 8, 510, 190)
      .OnClick(this, &Self::LV_dot1qStaticUnicastEntryClick);
  B.Add(RefreshBtn, "RefreshBtn")
      .At(528, 8, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &Self::RefreshBtnClick);
  B.Add(SetBtn, "SetBtn").At(528, 40, 96, 25).Caption("Add").OnClick(this, &Self::SetBtnClick);
  B.Add(DeleteBtn, "DeleteBtn")
      .At(528, 72, 96, 25)
      .Caption("Delete")
      .OnClick(this, &Self::DeleteBtnClick);
  B.Add(Label1, "Label1").At(528, 180).Caption("Samples");
  B.Add(ST_Count, "ST_Count").At(580, 180, 44, 17).Caption("0");

  B.Add(GroupBox2, "GroupBox2").At(8, 204, 616, 48);
  B.Add(Label2, "Label2", GroupBox2).At(10, 22).Caption("VID");
  B.Add(ED_UnicastVID, "ED_UnicastVID", GroupBox2).At(40, 18, 80, 21);
  B.Add(Label3, "Label3", GroupBox2).At(136, 22).Caption("MAC  Address");
  B.Add(UnicastAddress, "UnicastAddress", GroupBox2).At(220, 18, 130, 21);
  B.Add(Label4, "Label4", GroupBox2).At(370, 22).Caption("Status");
  B.Add(UStatus, "UStatus", GroupBox2).At(412, 18, 130, 21).Style(csDropDownList);

  B.Add(GroupBox1, "GroupBox1").At(8, 258, 616, 160).Caption("Allow To Go To Port");
  B.Add(Memo1, "Memo1").At(8, 428, 616, 72).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TUnicastFilterInformationForm::CreatePortFrame() {
  PortFrame = ::CreatePortFrame(this, GroupBox1);
}

void TUnicastFilterInformationForm::FormCreate(TObject*) {
  try {
    CreatePortFrame();
    Request = NewFormRequest(this, UnicastFilterInformationVars, VnItemType::MVT_UMV, 3);
    Request->AttachListView(LV_dot1qStaticUnicastEntry, true);
    ClickFollowsSelection(*Request);
    Request->BindEdits(UnicastFilterInformationItem::kIndex, "%i{n1x4094}", ED_UnicastVID);
    Request->BindEdits(UnicastFilterInformationItem::kUnicastAddress, "%h", UnicastAddress);
    Request->BindComboBox(UnicastFilterInformationItem::kStatus, UStatus);
    Request->BindElementList(UnicastFilterInformationItem::kPortsUnicastAllowedToGoTo,
                             PortElementList(), PortFrame->PortCheckBoxes.get());
    Request->SetStatusMemo(Memo1);
    Rows.Attach(
        *Request, LV_dot1qStaticUnicastEntry, ST_Count,
        [this](bool rowSelected) { ShowRowButtons(rowSelected); }, [this] { ClearEntryFields(); });
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  ShowRowButtons(LV_dot1qStaticUnicastEntry->Selected() != nullptr);
}

bool TUnicastFilterInformationForm::RequestBusy() const { return !Request || Request->Busy; }

void TUnicastFilterInformationForm::ShowFailure(const AnsiString& message) {
  ShowFailureInMemo(Memo1, message);
}

void TUnicastFilterInformationForm::ClearEntryFields() {
  if (PortFrame) PortFrame->ClearPorts();
  ED_UnicastVID->SetText("");
  UnicastAddress->SetText("");
  UStatus->SetItemIndex(-1);
  UStatus->SetText("");
}

// A row's key stays as the switch holds it; a new entry's is typed.
void TUnicastFilterInformationForm::ShowRowButtons(bool rowSelected) {
  DeleteBtn->SetEnabled(rowSelected);
  SetBtn->SetEnabled(!rowSelected);
  ED_UnicastVID->SetReadOnly(rowSelected);
  UnicastAddress->SetReadOnly(rowSelected);
}

void TUnicastFilterInformationForm::LV_dot1qStaticUnicastEntryClick(TObject*) {
  if (TListItem* row = LV_dot1qStaticUnicastEntry->Selected()) {
    ED_UnicastVID->SetText(row->Caption());
    UnicastAddress->SetText(row->SubItems()->Count() > 0 ? row->SubItems()->Strings(0) : "");
  }
  Rows.Click();
}

void TUnicastFilterInformationForm::RefreshBtnClick(TObject*) {
  try {
    if (!Request) return;
    if (!Request->Busy) Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  Rows.Follow();
}

void TUnicastFilterInformationForm::SetBtnClick(TObject*) {
  if (ED_UnicastVID->Text().IsEmpty() || UnicastAddress->Text().IsEmpty()) {
    ShowMessage("Please input VID and MAC Address!");
    return;
  }
  if (ComboText(UStatus) != kFilterPermanent) {
    ShowMessage("Status Should be permanent");
    return;
  }
  if (WriteNewFilterEntry(Rows, Request, Memo1)) ClearEntryFields();
}

void TUnicastFilterInformationForm::DeleteBtnClick(TObject*) {
  if (ED_UnicastVID->Text().IsEmpty() || UnicastAddress->Text().IsEmpty()) {
    MessageDlg("Please select which entry you want to delete.", mtWarning, mbOK, 0);
    return;
  }
  if (RequestBusy()) {
    ShowMessage(kGetDataNotComplete);
    return;
  }
  const bool taken = Rows.Write(
      Request,
      [this] {
        TSavedAccess saved(*Request);
        saved.Invalidate(UnicastFilterInformationItem::kPortsUnicastAllowedToGoTo);
        UStatus->SetItemIndex(UnicastFilterInformationStatusOption::kInvalid);
        Request->Set(kSetFromControlsThenRead);
      },
      [this](const AnsiString& message) { ShowFailure(message); });
  if (taken) Rows.ShowNoRow();
}

void TUnicastFilterInformationForm::FormClose(TObject*, TCloseAction& Action) {
  LV_dot1qStaticUnicastEntry->SetSelected(nullptr);
  Action = caFree;
  delete PortFrame;
  PortFrame = nullptr;
  StopWaitDelete(Request);
}
