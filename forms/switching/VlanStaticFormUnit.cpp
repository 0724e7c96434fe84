#include "forms/switching/VlanStaticFormUnit.h"

#include <functional>
#include <string>
#include <vector>

#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPVarList.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TVlanStaticForm* VlanStaticForm = nullptr;

VN_REGISTER_FORM_OPENER(TVlanStaticForm, &VlanStaticForm);

namespace {

namespace Item = StaticVlanTableItem;

// The row index is sent as an unsigned 32-bit number: a text that is not
// one (empty, other characters than digits, too large) would address a
// different row than the one typed.
bool IsVlanIdText(const AnsiString& text) {
  const std::string s = text.str();
  if (s.empty() || s.size() > 10) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return std::stoull(s) <= 0xFFFFFFFFull;
}

}  // namespace

TVlanStaticForm::TVlanStaticForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TVlanStaticForm::~TVlanStaticForm() = default;

void TVlanStaticForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("VLAN Static Form")
      .Size(687, 566)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TVlanStaticForm::FormCreate)
      .OnCloseQuery(this, &TVlanStaticForm::FormCloseQuery)
      .OnClose(this, &TVlanStaticForm::FormClose);
  B.Add(LV_dot1qVlanStaticEntry, "LV_dot1qVlanStaticEntry")
      .At(8, 8, 560, 200)
      .OnClick(this, &TVlanStaticForm::LV_dot1qVlanStaticEntryClick);

  B.Add(RefreshBtn, "RefreshBtn")
      .At(580, 8, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &TVlanStaticForm::RefreshBtnClick);
  B.Add(SetBtn, "SetBtn")
      .At(580, 40, 96, 25)
      .Caption("Set")
      .OnClick(this, &TVlanStaticForm::SetBtnClick);
  B.Add(AddBtn, "AddBtn")
      .At(580, 72, 96, 25)
      .Caption("Add")
      .OnClick(this, &TVlanStaticForm::AddBtnClick);
  B.Add(DeleteBtn, "DeleteBtn")
      .At(580, 104, 96, 25)
      .Caption("Delete")
      .OnClick(this, &TVlanStaticForm::DeleteBtnClick);
  B.Add(btnStop, "btnStop")
      .At(580, 136, 96, 25)
      .Caption("Stop")
      .OnClick(this, &TVlanStaticForm::btnStopClick);
  B.Add(btnClose, "btnClose")
      .At(580, 168, 96, 25)
      .Caption("Close")
      .OnClick(this, &TVlanStaticForm::btnCloseClick);
  B.Add(Label5, "Label5").At(580, 204).Caption("Samples");
  B.Add(ST_Count2, "ST_Count2").At(630, 204, 46, 17).Caption("0");

  B.Add(Label1, "Label1").At(8, 222).Caption("VLAN ID");
  B.Add(ED_VLANID, "ED_VLANID").At(72, 218, 120, 21);
  B.Add(Label2, "Label2").At(212, 222).Caption("VLAN Name");
  B.Add(ED_VLANName, "ED_VLANName").At(284, 218, 160, 21);
  B.Add(Label3, "Label3").At(8, 252).Caption("Status");
  B.Add(Status, "Status").At(72, 248, 120, 21).Style(csDropDownList);
  B.Add(Label4, "Label4").At(212, 252).Caption("Next Free Local VLAN Index");
  B.Add(NextFreeLocalVlanIndex, "NextFreeLocalVlanIndex").At(384, 252, 100, 17);

  B.Add(PageControl1, "PageControl1").At(8, 280, 668, 180);
  B.Add(TSheetEgressPort, "TSheetEgressPort").Caption("Egress Ports").PageControl(PageControl1);
  B.Add(ScrollBox1, "ScrollBox1", TSheetEgressPort).Align(alClient);
  B.Add(TSheetFbdenEgrsP, "TSheetFbdenEgrsP")
      .Caption("Forbidden Egress Ports")
      .PageControl(PageControl1);
  B.Add(ScrollBox2, "ScrollBox2", TSheetFbdenEgrsP).Align(alClient);
  B.Add(TabSheet3, "TabSheet3").Caption("Untagged Ports").PageControl(PageControl1);
  B.Add(ScrollBox3, "ScrollBox3", TabSheet3).Align(alClient);
  PageControl1->SetActivePageIndex(0);

  B.Add(Memo1, "Memo1").At(8, 466, 668, 64).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TVlanStaticForm::CreatePortFrame() {
  EgressPortFrame = ::CreatePortFrame(this, ScrollBox1, 12, 12);
  ForbiddenPortFrame = ::CreatePortFrame(this, ScrollBox2, 12, 12);
  UntaggedPortFrame = ::CreatePortFrame(this, ScrollBox3, 12, 12);
}

void TVlanStaticForm::FormCreate(TObject*) {
  CreatePortFrame();
  const AnsiString elements = PortElementList();

  Request = NewFormRequest(this, StaticVlanTableVars, VnItemType::MVT_UMV, 1);
  Request->AttachListView(LV_dot1qVlanStaticEntry, true);
  ClickFollowsSelection(*Request);
  Request->BindEdits(Item::kVLANID, "%s", ED_VLANID);
  Request->BindEdits(Item::kVLANName, "%s", ED_VLANName);
  Request->BindElementList(Item::kEgressPorts, elements, EgressPortFrame->PortCheckBoxes.get());
  Request->BindElementList(Item::kForbiddenEgressPorts, elements,
                           ForbiddenPortFrame->PortCheckBoxes.get());
  Request->BindElementList(Item::kUntaggedPorts, elements, UntaggedPortFrame->PortCheckBoxes.get());
  Request->BindComboBox(Item::kStatus, Status);
  Request->SetStatusMemo(Memo1);
  Rows.Attach(
      *Request, LV_dot1qVlanStaticEntry, ST_Count2,
      [this](bool rowSelected) { ShowRowButtons(rowSelected); }, [this] { ClearEntryFields(); });
  Rows.Read(Request, [this](const AnsiString& m) { ShowFailure(m); });

  NextFreeRequest =
      NewFormRequest(this, VlanStaticNextFreeLocalVLANIndexVars, VnItemType::SVT_SV, 0, true);
  NextFreeRequest->BindStaticText(0, NextFreeLocalVlanIndex);
  NextFreeRequest->SetStatusMemo(Memo1);
  try {
    NextFreeRequest->Get();
  } catch (const Exception& e) {
    NextFreeRequest->ShowRequestStatus(e.Message);
  }
}

void TVlanStaticForm::ShowFailure(const AnsiString& message) {
  if (Request) Request->ShowRequestStatus(message);
}

bool TVlanStaticForm::ReadyForWork() {
  if (!FormIdle({Request.get()})) return false;
  // Blanks around the number are no part of it, as for what is sent.
  if (IsVlanIdText(ED_VLANID->Text().Trim())) return true;
  ShowFailureInMemo(Memo1, "VLAN ID \"" + ED_VLANID->Text() +
                               "\" is not a number from 0 to 4294967295: nothing was sent.");
  return false;
}

void TVlanStaticForm::ShowRowButtons(bool rowSelected) {
  SetBtn->SetEnabled(rowSelected);
  DeleteBtn->SetEnabled(rowSelected);
  AddBtn->SetEnabled(!rowSelected);
}

void TVlanStaticForm::ClearEntryFields() {
  for (TStackingPortUitForm* frame : {EgressPortFrame, ForbiddenPortFrame, UntaggedPortFrame})
    if (frame) frame->ClearPorts();
  ED_VLANID->SetText("");
  ED_VLANName->SetText("");
  Status->SetItemIndex(-1);
  Status->SetText("");
}

void TVlanStaticForm::LV_dot1qVlanStaticEntryClick(TObject*) { Rows.Click(); }

void TVlanStaticForm::RefreshBtnClick(TObject*) {
  if (Request->Busy) return;
  try {
    if (!NextFreeRequest->Busy) NextFreeRequest->Get();
  } catch (const Exception& e) {
    NextFreeRequest->ShowRequestStatus(e.Message);
  }
  Rows.ReadAnew(Request, [this](const AnsiString& m) { ShowFailure(m); });
}

// The SET's status line names the column. A column with nothing to send (a
// cell the agent did not give, left alone) is no refusal: it is skipped,
// and the next goes out.
void TVlanStaticForm::WriteColumn(int column) {
  VnSNMPVarList& list = Request->Request.VarList;
  const AnsiString description = list.Description;
  TSavedAccess saved(*Request);
  for (int i = Item::kVLANName; i <= Item::kStatus; ++i)
    if (i != column) saved.Invalidate(i);
  list.Description = list.Item(column)->Label;
  try {
    Request->Set(kSetFromControls);
  } catch (const Exception& e) {
    list.Description = description;
    if (e.HelpContext != VNERR_NOTHING_TO_SET) throw;
    return;
  }
  list.Description = description;
}

// One column per SET, so that a port list the device refuses is known by
// its status line; the next goes out once the device has taken the one
// before, and none after a refusal, a time-out or Stop: the failure stays
// the last line. The list is read again after them.
void TVlanStaticForm::SetBtnClick(TObject*) {
  if (!LV_dot1qVlanStaticEntry->Selected()) return;
  if (!ReadyForWork()) return;
  std::vector<std::function<void()>> writes;
  for (int column :
       {Item::kEgressPorts, Item::kForbiddenEgressPorts, Item::kUntaggedPorts, Item::kStatus})
    writes.emplace_back([this, column] { WriteColumn(column); });
  const auto fail = [this](const AnsiString& m) { ShowFailure(m); };
  if (Rows.WriteInOrder(Request, writes, fail)) Rows.ReadAnew(Request, fail);
}

void TVlanStaticForm::AddBtnClick(TObject*) {
  if (!ReadyForWork()) return;
  const auto fail = [this](const AnsiString& m) { ShowFailure(m); };
  const bool taken = Rows.Write(
      Request,
      [this] {
        Status->SetItemIndex(StaticVlanTableRowStatusOption::kCreateAndGo);
        // A new VLAN gets no forbidden ports; Set writes them afterwards.
        TSavedAccess saved(*Request);
        saved.Invalidate(Item::kForbiddenEgressPorts);
        Request->Set(kSetFromControls);
      },
      fail);
  if (taken) Rows.ReadAnew(Request, fail);
}

void TVlanStaticForm::DeleteBtnClick(TObject*) {
  if (!ReadyForWork()) return;
  const auto fail = [this](const AnsiString& m) { ShowFailure(m); };
  const bool taken = Rows.Write(
      Request,
      [this] {
        Status->SetItemIndex(StaticVlanTableRowStatusOption::kDestroy);
        TSavedAccess saved(*Request);
        for (int i = Item::kVLANName; i <= Item::kUntaggedPorts; ++i) saved.Invalidate(i);
        Request->Set(kSetFromControls);
      },
      fail);
  if (taken) Rows.ReadAnew(Request, fail);
}

void TVlanStaticForm::btnStopClick(TObject*) {
  if (Request) Request->Stop();
}

void TVlanStaticForm::btnCloseClick(TObject*) { Close(); }

void TVlanStaticForm::FormCloseQuery(TObject*, bool& CanClose) {
  RefuseCloseWhileBusy({Request.get()}, CanClose);
}

void TVlanStaticForm::FormClose(TObject*, TCloseAction& Action) {
  LV_dot1qVlanStaticEntry->SetSelected(nullptr);
  for (TStackingPortUitForm** frame : {&EgressPortFrame, &ForbiddenPortFrame, &UntaggedPortFrame}) {
    delete *frame;
    *frame = nullptr;
  }
  StopWaitDelete(Request);
  StopWaitDelete(NextFreeRequest);
  Action = caFree;
}
