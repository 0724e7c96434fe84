#include "forms/switching/VLanPortInfomationUnit.h"

#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Classes.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TVLanPortInfomationForm* VLanPortInfomationForm = nullptr;

VN_REGISTER_FORM_OPENER(TVLanPortInfomationForm, &VLanPortInfomationForm);

namespace {

constexpr const char* kRefreshNotComplete = "Refresh Not Complete";

}  // namespace

TVLanPortInfomationForm::TVLanPortInfomationForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TVLanPortInfomationForm::~TVLanPortInfomationForm() = default;

void TVLanPortInfomationForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("VLAN Port Information Form")
      .ClientSize(640, 420)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TVLanPortInfomationForm::FormCreate)
      .OnClose(this, &TVLanPortInfomationForm::FormClose);
  B.Add(LV_dot1qPortVlanEntry, "LV_dot1qPortVlanEntry")
      .At(8, 8, 528, 220)
      .OnClick(this, &TVLanPortInfomationForm::LV_dot1qPortVlanEntryClick);
  B.Add(RefreshBtn, "RefreshBtn")
      .At(548, 8, 84, 25)
      .Caption("Refresh")
      .OnClick(this, &TVLanPortInfomationForm::RefreshBtnClick);
  B.Add(SetBtn, "SetBtn")
      .At(548, 40, 84, 25)
      .Caption("Set")
      .OnClick(this, &TVLanPortInfomationForm::SetBtnClick);
  B.Add(Label5, "Label5").At(548, 210).Caption("Samples");
  B.Add(ST_Count, "ST_Count").At(598, 210, 34, 17).Caption("0");

  B.Add(Label1, "Label1").At(16, 242).Caption("Port VLAN ID");
  B.Add(PortVLanID, "PortVLanID").At(170, 238, 140, 21);
  B.Add(Label2, "Label2").At(16, 270).Caption("Acceptable Frame Types");
  B.Add(AcceptableFrameTypes, "AcceptableFrameTypes").At(170, 266, 180, 21).Style(csDropDownList);
  B.Add(Label3, "Label3").At(16, 298).Caption("Ingress Filtering");
  B.Add(IngressFiltering, "IngressFiltering").At(170, 294, 140, 21).Style(csDropDownList);
  B.Add(Label4, "Label4").At(16, 326).Caption("GVRP Status");
  B.Add(GvrpStatus, "GvrpStatus").At(170, 322, 140, 21).Style(csDropDownList);

  B.Add(Memo1, "Memo1").At(8, 352, 624, 60).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TVLanPortInfomationForm::FormCreate(TObject*) {
  Request = NewFormRequest(this, VLanPortInfomationVars, VnItemType::MVT_FMV, 1);
  Request->AttachListView(LV_dot1qPortVlanEntry, true);
  ClickFollowsSelection(*Request);
  Request->BindEdits(VLanPortInfomationItem::kPortVLANID, "%i{}", PortVLanID);
  Request->BindComboBox(VLanPortInfomationItem::kAcceptableFrameTypes, AcceptableFrameTypes);
  Request->BindComboBox(VLanPortInfomationItem::kIngressFiltering, IngressFiltering);
  Request->BindComboBox(VLanPortInfomationItem::kGVRPStatus, GvrpStatus);
  Request->SetStatusMemo(Memo1);
  // Set writes the selected port: it is on exactly while one is selected.
  Rows.Attach(
      *Request, LV_dot1qPortVlanEntry, ST_Count,
      [this](bool selected) { SetBtn->SetEnabled(selected); }, [this] { ClearFields(); });
  Rows.ReadAnew(Request, [this](const AnsiString& m) { ShowFailure(m); });
}

void TVLanPortInfomationForm::ShowFailure(const AnsiString& message) {
  ShowFailureInMemo(Memo1, message);
}

void TVLanPortInfomationForm::ClearFields() {
  PortVLanID->SetText("");
  for (TComboBox* combo : {AcceptableFrameTypes, IngressFiltering, GvrpStatus})
    combo->SetItemIndex(-1);
  if (Request) Request->EnableControls(false);
}

// A click beside the rows leaves none selected, whatever the fields held.
void TVLanPortInfomationForm::LV_dot1qPortVlanEntryClick(TObject*) { Rows.Click(); }

void TVLanPortInfomationForm::RefreshBtnClick(TObject*) {
  if (Request->Busy) {
    ShowMessage(kRefreshNotComplete);
    return;
  }
  Rows.ReadAnew(Request, [this](const AnsiString& m) { ShowFailure(m); });
}

// The SET is addressed by the port of the selected row: without one it
// would be some other port. The port stays selected until the device has
// answered; taken, the list is read again.
void TVLanPortInfomationForm::SetBtnClick(TObject*) {
  if (Request->Busy) {
    ShowMessage(kRefreshNotComplete);
    return;
  }
  if (!LV_dot1qPortVlanEntry->Selected()) return;
  const auto fail = [this](const AnsiString& m) { ShowFailure(m); };
  if (Rows.Write(
          Request, [this] { Request->Set(kSetFromControls); }, fail))
    Rows.ReadAnew(Request, fail);
}

void TVLanPortInfomationForm::FormClose(TObject*, TCloseAction& Action) {
  LV_dot1qPortVlanEntry->SetSelected(nullptr);
  StopWaitDelete(Request);
  Action = caFree;
}
