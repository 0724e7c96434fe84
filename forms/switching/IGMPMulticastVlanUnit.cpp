#include "forms/switching/IGMPMulticastVlanUnit.h"

#include "catalogue/MulticastMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

TIGMPMulticastVlanForm* IGMPMulticastVlanForm = nullptr;
VN_REGISTER_FORM_OPENER(TIGMPMulticastVlanForm, &IGMPMulticastVlanForm);

namespace {

namespace Item = IGMPMulticastVlanItem;
constexpr int kIpv4TypeIndex = IGMPMulticastVlanReplaceSourceAddressTypeOption::kIpv4;
constexpr const char* kSourcePortsText = "Source Ports";
constexpr const char* kMemberPortsText = "Member Ports";
constexpr const char* kTagMemberPortsText = "Tag Member Ports";
// The port-type combo box lists the three texts in the order of the three
// port pages, so that an item index is a page index.
constexpr int kPortTypeCount = 3;

}  // namespace

TIGMPMulticastVlanForm::TIGMPMulticastVlanForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TIGMPMulticastVlanForm::~TIGMPMulticastVlanForm() = default;

void TIGMPMulticastVlanForm::BuildComponents() {
  using F = TIGMPMulticastVlanForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("IGMP Multicast VLAN Table")
      .Size(802, 670)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnCloseQuery(this, &F::FormCloseQuery)
      .OnClose(this, &F::FormClose);
  B.Add(LV_IGMPMulticastVlanEntry, "LV_IGMPMulticastVlanEntry")
      .At(8, 8, 670, 180)
      .OnClick(this, &F::LV_IGMPMulticastVlanEntryClick);
  B.Add(btnGet, "btnGet").At(692, 8, 92, 25).Caption("Refresh").OnClick(this, &F::btnGetClick);
  B.Add(btnSet, "btnSet").At(692, 40, 92, 25).Caption("Set").OnClick(this, &F::btnSetClick);
  B.Add(btnAdd, "btnAdd").At(692, 72, 92, 25).Caption("Add").OnClick(this, &F::btnAddClick);
  B.Add(btnDelete, "btnDelete")
      .At(692, 104, 92, 25)
      .Caption("Delete")
      .OnClick(this, &F::btnDeleteClick);
  B.Add(btnClose, "btnClose")
      .At(692, 136, 92, 25)
      .Caption("Close")
      .OnClick(this, &F::btnCloseClick);

  // Two columns of captioned fields under the list.
  const int left = 8, right = 400, editX = 180, rightEditX = 572, row = 28;
  int y = 198;
  B.Add(Label1, "Label1").At(left, y + 3).Caption("Multicast VLAN ID(2-4094)");
  B.Add(VlanIDEdit, "VlanIDEdit").At(editX, y, 200, 21);
  B.Add(Label2, "Label2").At(right, y + 3).Caption("Multicast VLAN Name");
  B.Add(VlanNameEdit, "VlanNameEdit").At(rightEditX, y, 200, 21);
  y += row;
  B.Add(Label3, "Label3").At(left, y + 3).Caption("Multicast VLAN State");
  B.Add(CBoxState, "CBoxState").At(editX, y, 200, 21).Style(csDropDownList);
  B.Add(Label4, "Label4").At(right, y + 3).Caption("Replace Source Address Type");
  B.Add(CBoxType, "CBoxType").At(rightEditX, y, 200, 21).Style(csDropDownList);
  y += row;
  B.Add(Label5, "Label5").At(left, y + 3).Caption("Replace Source IP");
  B.Add(RepalceIPEdit, "RepalceIPEdit").At(editX, y, 200, 21);
  B.Add(Label6, "Label6").At(right, y + 3).Caption("Profile ID Lsit");
  B.Add(ProfileIDListEdit, "ProfileIDListEdit").At(rightEditX, y, 200, 21);
  y += row;
  B.Add(Label7, "Label7").At(left, y + 3).Caption("Row Status");
  B.Add(CBoxStatus, "CBoxStatus").At(editX, y, 200, 21).Style(csDropDownList);
  B.Add(Label8, "Label8").At(right, y + 3).Caption("Ports Type");
  B.Add(ComboPortType, "ComboPortType")
      .At(rightEditX, y, 200, 21)
      .Style(csDropDownList)
      .Items({kSourcePortsText, kMemberPortsText, kTagMemberPortsText})
      .OnChange(this, &F::ComboPortTypeChange);
  ComboPortType->SetItemIndex(0);
  y += row;
  B.Add(Label9, "Label9").At(left, y + 3).Caption("Remap Priority").Hidden();
  B.Add(RemapPriorityEdit, "RemapPriorityEdit").At(editX, y, 200, 21).Hidden();
  B.Add(Label10, "Label10").At(right, y + 3).Caption("Replace Priority").Hidden();
  B.Add(CBoxRaplacePriority, "CBoxRaplacePriority").At(rightEditX, y, 200, 21).Hidden();
  B.Add(Label11, "Label11")
      .At(left, y + 3)
      .Caption(
          "It only need input VID and VLAN name when creating a new entry. Note:The max supported "
          "entry number is 5.")
      .Bold();
  y += row;

  B.Add(PageControl1, "PageControl1").At(8, y, 776, 200).OnChange(this, &F::PageControl1Change);
  B.Add(tbsSource, "tbsSource").Caption(kSourcePortsText).PageControl(PageControl1);
  B.Add(ScrollBox1, "ScrollBox1", tbsSource).Align(alClient).OnClick(this, &F::ScrollBox1Click);
  B.Add(tbsMemeber, "tbsMemeber").Caption(kMemberPortsText).PageControl(PageControl1);
  B.Add(ScrollBox2, "ScrollBox2", tbsMemeber).Align(alClient).OnClick(this, &F::ScrollBox2Click);
  B.Add(tbsTagMemberPort, "tbsTagMemberPort")
      .Caption(kTagMemberPortsText)
      .PageControl(PageControl1);
  B.Add(ScrollBox3, "ScrollBox3", tbsTagMemberPort)
      .Align(alClient)
      .OnClick(this, &F::ScrollBox3Click);
  PageControl1->SetActivePageIndex(0);
  B.Add(Memo1, "Memo1").At(8, y + 208, 776, 64).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TIGMPMulticastVlanForm::CreatePortFrame() {
  SourcePortFrame = ::CreatePortFrame(this, ScrollBox1);
  MemberPortFrame = ::CreatePortFrame(this, ScrollBox2);
  TagMemberPortFrame = ::CreatePortFrame(this, ScrollBox3);
}

void TIGMPMulticastVlanForm::FormCreate(TObject*) {
  try {
    CreatePortFrame();
    const AnsiString elements = PortElementList();
    Request = NewFormRequest(this, IGMPMulticastVlanVars, VnItemType::MVT_UMV, 1);
    Request->AttachListView(LV_IGMPMulticastVlanEntry, true);
    ClickFollowsSelection(*Request);
    Request->BindEdits(Item::kID, "%i{n2x4094l4}", VlanIDEdit);
    Request->BindEdits(Item::kName, "%s{l32}", VlanNameEdit);
    Request->BindElementList(Item::kSourcePort, elements, SourcePortFrame->PortCheckBoxes.get());
    Request->BindElementList(Item::kMemberPort, elements, MemberPortFrame->PortCheckBoxes.get());
    Request->BindElementList(Item::kTagMemberPort, elements,
                             TagMemberPortFrame->PortCheckBoxes.get());
    Request->BindComboBox(Item::kState, CBoxState);
    Request->BindComboBox(Item::kReplaceSourceAddressType, CBoxType);
    Request->BindEdits(Item::kReplaceSourceAddress, "%s", RepalceIPEdit);
    // A text list of profile IDs 0 to 255, with ranges ("1-3,5").
    Request->BindEdits(Item::kProfileIDList, "%n,{n0x255r}", ProfileIDListEdit);
    Request->BindComboBox(Item::kRowStatus, CBoxStatus);
    Request->SetStatusMemo(Memo1);
    Rows.Attach(
        *Request, LV_IGMPMulticastVlanEntry, nullptr,
        [this](bool rowSelected) { ShowRowButtons(rowSelected); }, [this] { ClearEntryFields(); });
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  ShowRowButtons(false);
  CBoxStatus->SetItemIndex(IGMPMulticastVlanRowStatusOption::kCreateAndGo);
}

void TIGMPMulticastVlanForm::ShowFailure(const AnsiString& message) {
  ShowFailureInMemo(Memo1, message);
}

// The ID names the row: it is typed only for a new entry.
void TIGMPMulticastVlanForm::ShowRowButtons(bool rowSelected) {
  btnSet->SetEnabled(rowSelected);
  btnDelete->SetEnabled(rowSelected);
  btnAdd->SetEnabled(!rowSelected);
  VlanIDEdit->SetEnabled(!rowSelected);
  VlanIDEdit->SetColor(rowSelected ? clMenu : clWindow);
}

void TIGMPMulticastVlanForm::ApplyPortTypeSelection() {
  const AnsiString type = ComboPortType->Text();
  int chosen;
  if (type == kSourcePortsText)
    chosen = 0;
  else if (type == kMemberPortsText)
    chosen = 1;
  else if (type == kTagMemberPortsText)
    chosen = 2;
  else
    return;
  TStackingPortUitForm* frames[] = {SourcePortFrame, MemberPortFrame, TagMemberPortFrame};
  for (int i = 0; i < 3; ++i) {
    const bool on = i == chosen;
    if (Request)
      Request->Request.VarList.Item(Item::kSourcePort + i)->Access =
          on ? SNMP_ACCESS_READWRITE : SNMP_ACCESS_INVALID;
    if (!frames[i]) continue;
    if (on)
      frames[i]->EnablePorts();
    else
      frames[i]->DisablePorts();
  }
}

void TIGMPMulticastVlanForm::ClearEntryFields() {
  for (TStackingPortUitForm* frame : {SourcePortFrame, MemberPortFrame, TagMemberPortFrame})
    if (frame) frame->ClearPorts();
  for (TEdit* edit :
       {VlanIDEdit, VlanNameEdit, RepalceIPEdit, RemapPriorityEdit, ProfileIDListEdit})
    edit->SetText("");
  for (TComboBox* combo : {CBoxType, CBoxRaplacePriority, CBoxState}) combo->SetItemIndex(-1);
  CBoxStatus->SetItemIndex(IGMPMulticastVlanRowStatusOption::kCreateAndGo);
}

void TIGMPMulticastVlanForm::LV_IGMPMulticastVlanEntryClick(TObject*) { Rows.Click(); }

void TIGMPMulticastVlanForm::ComboPortTypeChange(TObject*) {
  const int index = ComboPortType->ItemIndex();
  if (index >= 0 && index < kPortTypeCount) PageControl1->SetActivePageIndex(index);
  ApplyPortTypeSelection();
}

void TIGMPMulticastVlanForm::PageControl1Change(TObject*) { ApplyPortTypeSelection(); }
void TIGMPMulticastVlanForm::ScrollBox1Click(TObject*) { ApplyPortTypeSelection(); }
void TIGMPMulticastVlanForm::ScrollBox2Click(TObject*) { ApplyPortTypeSelection(); }
void TIGMPMulticastVlanForm::ScrollBox3Click(TObject*) { ApplyPortTypeSelection(); }

void TIGMPMulticastVlanForm::btnGetClick(TObject*) {
  if (!Request || Request->Busy) return;
  try {
    // Every column is shown and writable again.
    SetAccess(*Request, Item::kName, Item::kRowStatus, SNMP_ACCESS_READWRITE);
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  Rows.ShowNoRow();
}

bool TIGMPMulticastVlanForm::ReplaceAddressAccepted() {
  if (CBoxType->ItemIndex() != kIpv4TypeIndex) return true;
  if (!AnyFieldEntered(Request.get(), {CBoxType, RepalceIPEdit})) return true;
  if (ValidateIpAddressText(RepalceIPEdit->Text())) return true;
  InputError("IP Address in not valid.", RepalceIPEdit);
  return false;
}

void TIGMPMulticastVlanForm::btnSetClick(TObject*) {
  if (!LV_IGMPMulticastVlanEntry->Selected()) return ClearEntryFields();
  if (!Request || !FormIdle({Request.get()})) return;
  SetAccess(*Request, Item::kName, Item::kRowStatus, SNMP_ACCESS_READWRITE);
  if (VlanNameEdit->Text().IsEmpty())
    SetAccess(*Request, Item::kName, Item::kName, SNMP_ACCESS_INVALID);
  if (RepalceIPEdit->Text().IsEmpty())
    SetAccess(*Request, Item::kReplaceSourceAddress, Item::kReplaceSourceAddress,
              SNMP_ACCESS_INVALID);
  else if (!ReplaceAddressAccepted())
    return;
  if (ProfileIDListEdit->Text().IsEmpty())
    SetAccess(*Request, Item::kProfileIDList, Item::kProfileIDList, SNMP_ACCESS_INVALID);
  WriteThenRead([this] { ApplyPortTypeSelection(); });
}

void TIGMPMulticastVlanForm::btnAddClick(TObject*) {
  if (!Request || !FormIdle({Request.get()})) return;
  SetAccess(*Request, Item::kName, Item::kRowStatus, SNMP_ACCESS_READWRITE);
  if (VlanIDEdit->Text().IsEmpty())
    return InputError("Multicast VLAN ID need to input.", VlanIDEdit);
  if (VlanNameEdit->Text().IsEmpty())
    SetAccess(*Request, Item::kName, Item::kName, SNMP_ACCESS_INVALID);
  if (!RepalceIPEdit->Text().IsEmpty() && !ReplaceAddressAccepted()) return;
  if (ProfileIDListEdit->Text().IsEmpty())
    SetAccess(*Request, Item::kProfileIDList, Item::kProfileIDList, SNMP_ACCESS_INVALID);
  if (CBoxStatus->ItemIndex() != IGMPMulticastVlanRowStatusOption::kCreateAndGo)
    return InputError("Row Status must be createAndGo.", CBoxStatus);
  WriteThenRead([this] {
    ApplyPortTypeSelection();
    // A new entry carries only its ID, name, profile list and row status.
    SetAccess(*Request, Item::kSourcePort, Item::kReplaceSourceAddress, SNMP_ACCESS_INVALID);
  });
}

void TIGMPMulticastVlanForm::btnDeleteClick(TObject*) {
  if (!Request || !FormIdle({Request.get()})) return;
  WriteThenRead([this] {
    CBoxStatus->SetItemIndex(IGMPMulticastVlanRowStatusOption::kDestroy);
    SetAccess(*Request, Item::kName, Item::kProfileIDList, SNMP_ACCESS_INVALID);
  });
}

void TIGMPMulticastVlanForm::WriteThenRead(const std::function<void()>& leaveOut) {
  // The SET has gone when Set returns: every column is read again after it.
  const bool taken = Rows.Write(
      Request,
      [&] {
        leaveOut();
        Request->Set(kSetFromControls);
        SetAccess(*Request, Item::kName, Item::kRowStatus, SNMP_ACCESS_READWRITE);
      },
      [this](const AnsiString& message) { ShowFailure(message); });
  if (!Request) return;
  SetAccess(*Request, Item::kName, Item::kRowStatus, SNMP_ACCESS_READWRITE);
  if (!taken) return;
  Rows.ShowNoRow();
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

void TIGMPMulticastVlanForm::btnCloseClick(TObject*) { Close(); }

void TIGMPMulticastVlanForm::FormCloseQuery(TObject*, bool& CanClose) {
  RefuseCloseWhileBusy({Request.get()}, CanClose);
}

void TIGMPMulticastVlanForm::FormClose(TObject*, TCloseAction& Action) {
  LV_IGMPMulticastVlanEntry->SetSelected(nullptr);
  for (TStackingPortUitForm** frame : {&SourcePortFrame, &MemberPortFrame, &TagMemberPortFrame}) {
    delete *frame;
    *frame = nullptr;
  }
  StopWaitDelete(Request);
  Action = caFree;
}
