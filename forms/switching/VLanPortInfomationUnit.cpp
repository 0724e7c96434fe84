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
      .OnSelectItem(this, &TVLanPortInfomationForm::LV_dot1qPortVlanEntrySelectItem)
      .OnClick(this, &TVLanPortInfomationForm::LV_dot1qPortVlanEntryClick)
      .OnChange(this, &TVLanPortInfomationForm::LV_dot1qPortVlanEntryChange);
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
  Request->BindEdits(VLanPortInfomationItem::kPortVLANID, "%i{}", PortVLanID);
  Request->BindComboBox(VLanPortInfomationItem::kAcceptableFrameTypes, AcceptableFrameTypes);
  Request->BindComboBox(VLanPortInfomationItem::kIngressFiltering, IngressFiltering);
  Request->BindComboBox(VLanPortInfomationItem::kGVRPStatus, GvrpStatus);
  Request->SetStatusMemo(Memo1);
  // A read takes the rows, and with them the selection, away without a
  // selection event: once it has ended Set follows what is selected.
  // The count follows the rows the read left, a failed one too.
  Request->OnGetDone = VnRequestDoneEvent([this](VnSNMPRequest2Controls*, const VnSNMPError&) {
    FollowSelection(true);
    ShowCount();
  });
  SetBtn->SetEnabled(false);
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInMemo(Memo1, e.Message);
  }
  PortVLanID->SetText("");
  ShowCount();
}

// Set writes the selected port: it is on exactly while one is selected.
// With none the fields are greyed and empty, as when the form opened; after
// a read (`keepTyped`) what the user typed stays, for a correction after a
// refused Set.
void TVLanPortInfomationForm::FollowSelection(bool keepTyped) {
  const bool selected = LV_dot1qPortVlanEntry->Selected() != nullptr;
  SetBtn->SetEnabled(selected);
  if (selected || !Request) return;
  namespace Item = VLanPortInfomationItem;
  const auto clears = [&](int item) { return !keepTyped || !Request->ItemChanged(item); };
  if (clears(Item::kPortVLANID)) PortVLanID->SetText("");
  const std::pair<int, TComboBox*> combos[] = {{Item::kAcceptableFrameTypes, AcceptableFrameTypes},
                                               {Item::kIngressFiltering, IngressFiltering},
                                               {Item::kGVRPStatus, GvrpStatus}};
  for (const auto& [item, combo] : combos)
    if (clears(item)) combo->SetItemIndex(-1);
  Request->EnableControls(false);
}

void TVLanPortInfomationForm::LV_dot1qPortVlanEntrySelectItem(TObject*, TListItem*, bool) {
  FollowSelection();
}

// A click beside the rows leaves none selected, whatever the fields held.
void TVLanPortInfomationForm::LV_dot1qPortVlanEntryClick(TObject*) { FollowSelection(); }

void TVLanPortInfomationForm::ShowCount() { ShowRowCount(LV_dot1qPortVlanEntry, ST_Count); }

void TVLanPortInfomationForm::RefreshBtnClick(TObject*) {
  if (Request->Busy) {
    ShowMessage(kRefreshNotComplete);
    return;
  }
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInMemo(Memo1, e.Message);
  }
  ShowCount();
}

void TVLanPortInfomationForm::SetBtnClick(TObject*) {
  if (Request->Busy) {
    ShowMessage(kRefreshNotComplete);
    return;
  }
  // The SET is addressed by the port number of the row last copied into the
  // variables: without a selected row that would be some other port.
  TListItem* selected = LV_dot1qPortVlanEntry->Selected();
  if (!selected) return;
  const AnsiString port = selected->Caption();
  try {
    Request->Set(kSetFromControlsThenRead);
  } catch (const Exception& e) {
    ShowFailureInMemo(Memo1, e.Message);
  }
  // The same port stays selected until the re-read replaces the rows; the
  // fields keep what the user typed (after a refusal, for a correction).
  TListItems* rows = LV_dot1qPortVlanEntry->Items();
  for (int i = 0; i < rows->Count(); ++i) {
    TListItem* row = rows->Item(i);
    if (row->Caption() != port) continue;
    LV_dot1qPortVlanEntry->SetSelected(row);
    break;
  }
}

void TVLanPortInfomationForm::LV_dot1qPortVlanEntryChange(TObject*, TListItem*, TItemChange) {
  ShowCount();
}

void TVLanPortInfomationForm::FormClose(TObject*, TCloseAction& Action) {
  LV_dot1qPortVlanEntry->SetSelected(nullptr);
  StopWaitDelete(Request);
  Action = caFree;
}
