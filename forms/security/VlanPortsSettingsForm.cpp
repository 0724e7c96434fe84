#include "forms/security/VlanPortsSettingsForm.h"

#include "catalogue/MbaMib.h"
#include "catalogue/PaeMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/FormWrite.h"
#include "forms/common/ReadRound.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

namespace {

// The guest VLAN and the MBA VLAN settings tables: the VLAN name, then its ports.
constexpr int kName = GuestVlanNamePortsItem::kGuestVLANName;
constexpr int kPorts = GuestVlanNamePortsItem::kGuestVLANPort;
static_assert(MbaVlanNamePortsItem::kVLANName == kName &&
              MbaVlanNamePortsItem::kMemberPorts == kPorts);
// The name-copy and delete tables: one item each.
constexpr int kCopiedName = GuestVlanNameItem::kGuestVLANName;
constexpr int kDeleteState = GuestVlanDeleteStateItem::kGuestVLANDeleteState;
static_assert(MbaVlanNameItem::kVLANName == kCopiedName &&
              MbaVlanDeleteStateItem::kVLANNameDeleteState == kDeleteState);
constexpr std::uint32_t kTimeout = 300;  // hundredths of a second
// The position of "start" in the delete state's option list.
constexpr int kStartIndex = GuestVlanDeleteStateGuestVLANDeleteStateOption::kStart;
static_assert(MbaVlanDeleteStateVLANNameDeleteStateOption::kStart == kStartIndex);

}  // namespace

TVlanPortsSettingsForm::TVlanPortsSettingsForm(TComponent* AOwner, const TVlanPortsLayout& layout)
    : TForm(AOwner), layout_(layout) {
  using F = TVlanPortsSettingsForm;
  TFormBuilder B(this);
  B.Form()
      .Caption(layout_.Caption)
      .ClientSize(550, layout_.PortTop + 190)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  B.Add(StatusBar1, "StatusBar1").Panels({50});
  B.Add(Label1, "Label1").At(16, 20).Caption(layout_.NameLabel);
  B.Add(edtName, "edtName").At(110, 16, 160, 21);
  B.Add(gbStackingPort, "gbStackingPort").At(8, layout_.PortTop, 432, 150).Caption("Port");
  B.Add(BT_Get, "BT_Get").At(456, 14, 80, 25).Caption("Refresh").OnClick(this, &F::BT_GetClick);
  B.Add(SetBtn, "SetBtn").At(456, 46, 80, 25).Caption("Set").OnClick(this, &F::SetBtnClick);
  B.Add(DelBtn, "DelBtn").At(456, 78, 80, 25).Caption("Delete").OnClick(this, &F::DelBtnClick);
  B.Add(BT_Close, "BT_Close")
      .At(456, 110, 80, 25)
      .Caption("Close")
      .OnClick(this, &F::BT_CloseClick);
  B.Add(cbxDel, "cbxDel").At(456, 142, 80, 21).Style(csDropDownList).Hidden();
  B.Add(Edit1, "Edit1").At(456, 168, 80, 21).Text(layout_.NameCopyText).Hidden();
}

TVlanPortsSettingsForm::~TVlanPortsSettingsForm() = default;

std::unique_ptr<VnSNMPRequest2Edits> TVlanPortsSettingsForm::NewScalarRequest(
    const VnSNMPVarDesc* table) {
  std::unique_ptr<VnSNMPRequest2Edits> r = NewFormRequest(this, table, VnItemType::SVT_SV, 0, true);
  r->Request.Timeout = kTimeout;
  r->SetStatusPanel(StatusBar1->Panels()->Items(0));
  return r;
}

void TVlanPortsSettingsForm::CreateSettingsRequests() {
  PortFrame = CreatePortFrame(this, gbStackingPort);
  const AnsiString elements = PortElementList();
  SettingsRequest = NewScalarRequest(layout_.SettingsTable);
  SettingsRequest->BindEdits(kName, "%s", edtName);
  SettingsRequest->BindElementList(kPorts, elements, PortFrame->PortCheckBoxes.get());
}

void TVlanPortsSettingsForm::CreateNameCopyRequest() {
  NameCopyRequest = NewScalarRequest(layout_.NameCopyTable);
  NameCopyRequest->BindEdits(kCopiedName, "%s", Edit1);
}

void TVlanPortsSettingsForm::CreateDeleteRequest() {
  DeleteRequest = NewScalarRequest(layout_.DeleteTable);
  DeleteRequest->BindComboBox(kDeleteState, cbxDel);
}

void TVlanPortsSettingsForm::FormCreate(TObject*) {
  CreateSettingsRequests();
  CreateNameCopyRequest();
  CreateDeleteRequest();
  TReadRound round(StatusBar1);
  if (GetOf(NameCopyRequest.get(), round)) GetOf(SettingsRequest.get(), round);
}

bool TVlanPortsSettingsForm::GetOf(VnSNMPRequest2Edits* request, TReadRound& round) {
  if (!request) return false;
  try {
    request->Get();
    // Values it could not take are a failure of the round too (the read
    // has said which), though the rest of what it read stands.
    if (request->Request.ReadFaults().Any()) {
      round.Failed();
      readFailed_ = true;
    }
    return true;
  } catch (const Exception& e) {
    request->ShowRequestStatus(e.Message);
    round.Failed();
    readFailed_ = true;
    return false;
  }
}

bool TVlanPortsSettingsForm::WriteNameAndPorts() {
  if (!SettingsRequest || SettingsRequest->Busy) return false;
  const bool unchanged = !Edit1->Text().IsEmpty() && edtName->Text() == Edit1->Text();
  SettingsRequest->Request.VarList.Item(kName)->Access =
      unchanged ? SNMP_ACCESS_INVALID : SNMP_ACCESS_READWRITE;
  refusal_ = "";
  WriteTaken(
      SettingsRequest, [&] { SettingsRequest->Set(kSetFromControlsThenRead); },
      [this](const AnsiString& message) {
        SettingsRequest->ShowRequestStatus(message);
        refusal_ = StatusBar1->DisplayedText();
      });
  if (SettingsRequest) SettingsRequest->Request.VarList.Item(kName)->Access = SNMP_ACCESS_READWRITE;
  return true;
}

bool TVlanPortsSettingsForm::StartDelete() {
  if (!DeleteRequest || DeleteRequest->Busy) return false;
  cbxDel->SetItemIndex(kStartIndex);
  refusal_ = "";
  try {
    DeleteRequest->Set(kSetFromControlsThenRead);
  } catch (const Exception& e) {
    DeleteRequest->ShowRequestStatus(e.Message);
    refusal_ = StatusBar1->DisplayedText();
  }
  return true;
}

void TVlanPortsSettingsForm::RefreshAfterWrite() {
  readFailed_ = false;
  BT_GetClick(nullptr);
  if (!refusal_.IsEmpty() && !readFailed_) ShowFailureInStatusBar(StatusBar1, refusal_);
}

void TVlanPortsSettingsForm::DelBtnClick(TObject*) {
  if (StartDelete()) RefreshAfterWrite();
}

void TVlanPortsSettingsForm::BT_CloseClick(TObject*) { Close(); }

void TVlanPortsSettingsForm::StopRequests() {
  StopWaitDelete(SettingsRequest);
  StopWaitDelete(NameCopyRequest);
  StopWaitDelete(DeleteRequest);
}

void TVlanPortsSettingsForm::FormClose(TObject*, TCloseAction& Action) {
  Action = caFree;
  // The requests go first: the settings request is bound to the grid's boxes.
  StopRequests();
  delete PortFrame;
  PortFrame = nullptr;
}
