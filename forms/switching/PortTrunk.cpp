#include "forms/switching/PortTrunk.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "forms/switching/PortNumber.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

VN_REGISTER_FORM_OPENER(TPortTrunkForm, nullptr);

namespace {

namespace Item = PortMirrorIndexItem;
constexpr int kMaxMembers = 8;
constexpr int kPortsPerRow = 10;

TCheckBox* PortBox(TStackingPortUitForm* frame, int index) {
  if (!frame || index < 0 || index >= frame->PortCheckBoxes->Count()) return nullptr;
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(index));
}

}  // namespace

TPortTrunkForm::TPortTrunkForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TPortTrunkForm::~TPortTrunkForm() = default;

void TPortTrunkForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Port Trunking")
      .BorderStyle(bsSingle)
      .ClientSize(620, 322)
      .Position(poScreenCenter)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TPortTrunkForm::FormCreate)
      .OnClose(this, &TPortTrunkForm::FormClose);
  SetName("PortTrunkForm");
  B.Add(LV_PortTrunk, "LV_PortTrunk")
      .At(8, 8, 500, 150)
      .OnClick(this, &TPortTrunkForm::LV_PortTrunkClick);
  B.Add(BT_Get, "BT_Get")
      .At(522, 8, 90, 25)
      .Caption("Refresh")
      .OnClick(this, &TPortTrunkForm::BT_GetClick);
  B.Add(BT_Set, "BT_Set")
      .At(522, 40, 90, 25)
      .Caption("Add")
      .OnClick(this, &TPortTrunkForm::BT_SetClick);
  B.Add(SetBtn, "SetBtn")
      .At(522, 72, 90, 25)
      .Caption("Set")
      .OnClick(this, &TPortTrunkForm::SetBtnClick);
  B.Add(BT_Delete, "BT_Delete")
      .At(522, 104, 90, 25)
      .Caption("Delete")
      .OnClick(this, &TPortTrunkForm::BT_DeleteClick);
  B.Add(BT_Close, "BT_Close")
      .At(522, 136, 90, 25)
      .Caption("Close")
      .OnClick(this, &TPortTrunkForm::BT_CloseClick);

  B.Add(Label_Index, "Label_Index").At(8, 172).Caption("Index(1-5)");
  B.Add(ED_Index, "ED_Index").At(66, 168, 50, 21);
  B.Add(Label_MasterPort, "Label_MasterPort").At(132, 172).Caption("Master Port");
  B.Add(PortEdit, "PortEdit")
      .At(200, 168, 46, 21)
      .OnKeyPress(this, &TPortTrunkForm::UnitEditKeyPress);
  B.Add(Label_Type, "Label_Type").At(264, 172).Caption("Trunk Type");
  B.Add(Combo_Type, "Combo_Type").At(328, 168, 80, 21).Style(csDropDownList);
  B.Add(Label_Status, "Label_Status").At(422, 172).Caption("Status");
  B.Add(ComboBox1, "ComboBox1")
      .At(462, 168, 80, 21)
      .Style(csDropDownList)
      .Items({"enable", "disable"});

  // Kept out of sight: the values the form composes or passes on.
  B.Add(Label1, "Label1").At(8, 200).Caption("Name").Hidden();
  B.Add(ED_Name, "ED_Name").At(40, 196, 60, 21).Hidden();
  B.Add(ED_MasterPort, "ED_MasterPort").At(110, 196, 40, 21).Hidden();
  B.Add(Combo_State, "Combo_State")
      .At(160, 196, 90, 21)
      .Style(csDropDownList)
      .Hidden()
      .OnChange(this, &TPortTrunkForm::Combo_StateChange);
  B.Add(GroupBox1, "GroupBox1").At(260, 196, 200, 40).Caption("Master Port").Hidden();
  B.Add(Label_Unit, "Label_Unit", GroupBox1).At(8, 16).Caption("Unit : ");
  B.Add(UnitEdit, "UnitEdit", GroupBox1)
      .At(40, 12, 30, 21)
      .Text("1")
      .Hidden()
      .OnKeyPress(this, &TPortTrunkForm::UnitEditKeyPress);
  B.Add(Label_Port, "Label_Port", GroupBox1).At(90, 16).Caption("Port : ");

  B.Add(PageControl1, "PageControl1").At(8, 202, 604, 96);
  B.Add(TabSheet1, "TabSheet1", PageControl1).Caption("Member Ports").PageControl(PageControl1);
  B.Add(StackingPortPanel, "StackingPortPanel", TabSheet1).Align(alClient).BevelOuter(bvNone);
  B.Add(TabSheet2, "TabSheet2", PageControl1).Caption("Active Ports").PageControl(PageControl1);
  B.Add(StackingPortPanel2, "StackingPortPanel2", TabSheet2)
      .Align(alClient)
      .BevelOuter(bvNone)
      .Enabled(false);
  B.Add(StatusBar1, "StatusBar1").Panels({600});
}

void TPortTrunkForm::FormCreate(TObject*) {
  try {
    MemberFrame = CreatePortFrame(this, StackingPortPanel, kPortsPerRow);
    ActiveFrame = CreatePortFrame(this, StackingPortPanel2, kPortsPerRow);
    UnitRecords = MakeUnitRecords();
    PageControl1->SetActivePage(TabSheet1);

    Request = NewFormRequest(this, PortMirrorIndexVars, VnItemType::MVT_UMV, 1, true);
    Request->AttachListView(LV_PortTrunk, true);
    ClickFollowsSelection(*Request);
    const AnsiString ports = PortElementList();
    Request->BindEdits(Item::kIndex, "%i{n1x5}", ED_Index);
    Request->BindEdits(Item::kMasterPort, "%i", ED_MasterPort);
    Request->BindElementList(Item::kMemberPorts, ports, MemberFrame->PortCheckBoxes.get());
    Request->BindComboBox(Item::kTrunkType, Combo_Type);
    Request->BindComboBox(Item::kTrunkState, Combo_State);
    Request->BindElementList(Item::kActivePorts, ports, ActiveFrame->PortCheckBoxes.get());
    Request->SetStatusPanel(StatusBar1->Panels()->Items(0));
    Request->Request.Timeout = 300;
    Rows.Attach(
        *Request, LV_PortTrunk, nullptr, [this](bool row) { ShowRowButtons(row); },
        [this] { ResetEdits(); });
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  BT_GetClick(nullptr);
}

void TPortTrunkForm::ResetEdits() {
  ED_Index->SetText("");
  ED_Name->SetText("");
  UnitEdit->SetText("");
  PortEdit->SetText("");
  Combo_Type->SetItemIndex(-1);
  ComboBox1->SetItemIndex(-1);
  if (MemberFrame) MemberFrame->ClearPorts();
  if (ActiveFrame) ActiveFrame->ClearPorts();
}

void TPortTrunkForm::ShowRowButtons(bool rowSelected) {
  SetBtn->SetEnabled(rowSelected);
  BT_Delete->SetEnabled(rowSelected);
  BT_Set->SetEnabled(!rowSelected);
  ED_Index->SetColor(rowSelected ? clBtnFace : clWindow);
  ED_Index->SetEnabled(!rowSelected);
}

void TPortTrunkForm::ShowFailure(const AnsiString& message) {
  ShowFailureInStatusBar(StatusBar1, message);
}

void TPortTrunkForm::BT_GetClick(TObject*) {
  if (!Request) return;
  Rows.ReadAnew(Request, [this](const AnsiString& m) { ShowFailure(m); });
}

void TPortTrunkForm::LV_PortTrunkClick(TObject*) {
  Rows.Click();
  TListItem* row = LV_PortTrunk->Selected();
  if (!row) return;
  // A master port on no unit the form knows is shown as the switch holds
  // it, on unit 1.
  const THeldPort master = SplitHeldPort(ED_MasterPort->Text(), kListPortsPerUnit, UnitRecords);
  PortEdit->SetText(master.Port);
  UnitEdit->SetText(master.Known ? master.Unit : AnsiString("1"));
  // A state that is neither shows no choice, so that Set does not write the
  // choice of another row.
  const AnsiString state =
      ListCellText(LV_PortTrunk, row->Index(), ColumnOf(LV_PortTrunk, "Trunk State"));
  if (state == "disable")
    SelectComboText(ComboBox1, "disable");
  else if (state == "enable")
    SelectComboText(ComboBox1, "enable");
  else
    ComboBox1->SetItemIndex(-1);
}

bool TPortTrunkForm::CheckMasterPort(int unit, int port) {
  const char* message = "set valid master port";
  if (port <= 0) {
    InputError(message, PortEdit);
    return false;
  }
  const TStackUnitRecord* record = nullptr;
  for (const TStackUnitRecord& r : UnitRecords)
    if (r.Unit == unit) record = &r;
  if (!record) {
    InputError(message, UnitEdit);
    return false;
  }
  if (port > record->PortCount) {
    InputError(message, PortEdit);
    return false;
  }
  return true;
}

bool TPortTrunkForm::MasterPortTicked(int masterPort) {
  // A master port the switch holds as no port number (0, negative) has no box.
  if (masterPort < 1) return false;
  TCheckBox* box = PortBox(MemberFrame, masterPort - 1);
  return box && box->Checked();
}

bool TPortTrunkForm::CheckMemberCount(int unit) {
  int count = 0;
  for (int i = (unit - 1) * kListPortsPerUnit; i < unit * kListPortsPerUnit; ++i) {
    TCheckBox* box = PortBox(MemberFrame, i);
    if (!box || !box->Checked()) continue;
    if (++count > kMaxMembers) {
      box->SetChecked(false);
      ShowMessage("The trunk member can't over eight!");
      return false;
    }
  }
  if (count < 2) {
    ShowMessage("You must choose at least two members!");
    return false;
  }
  return true;
}

void TPortTrunkForm::WriteThenRead(const std::vector<std::function<void()>>& sends) {
  const auto fail = [this](const AnsiString& m) { ShowFailure(m); };
  if (Rows.WriteInOrder(Request, sends, fail, {UnitEdit, PortEdit, ComboBox1}))
    Rows.ReadAnew(Request, fail);
}

// A new group: created, then enabled by a second SET when "enable" is
// chosen. A refusal keeps the typed group (and sends no second SET).
void TPortTrunkForm::BT_SetClick(TObject*) {
  if (!Request) return;
  UnitEdit->SetText("1");
  const AnsiString index = ED_Index->Text();
  if (index.IsEmpty()) return InputError("The index should not be empty.", ED_Index);
  if (ListViewHasRow(LV_PortTrunk, {{0, index}}))
    return InputError("The Index must be different!", ED_Index);
  if (UnitEdit->Text().IsEmpty()) return InputError("The Unit should not be empty.", UnitEdit);
  if (PortEdit->Text().IsEmpty()) return InputError("The Port should not be empty.", PortEdit);
  const int unit = UnitEdit->Text().ToIntDef(-1);
  const int port = TypedNumber(PortEdit->Text(), -1);
  if (!CheckMasterPort(unit, port)) return;
  if (Combo_Type->ItemIndex() < 0) return InputError("Please choose trunk type.", Combo_Type);
  const int master = (unit - 1) * kListPortsPerUnit + port;
  const int masterColumn = ColumnOf(LV_PortTrunk, "Master Port");
  if (masterColumn >= 0 && ListViewHasRow(LV_PortTrunk, {{masterColumn, IntToStr(master)}}))
    return InputError("The master port must be different!", UnitEdit);
  if (!MasterPortTicked(master)) return InputError("Master port must be checked.", PortEdit);
  if (!CheckMemberCount(unit)) return;
  std::vector<std::function<void()>> sends = {[this, master] {
    ED_MasterPort->SetText(IntToStr(master));
    SelectComboText(Combo_State, kRowCreateAndGo);
    Request->Set(kSetFromControls);
  }};
  if (ComboText(ComboBox1) == "enable")
    sends.emplace_back([this] {
      SelectComboText(Combo_State, "enable");
      Request->Set(kSetFromControls);
    });
  WriteThenRead(sends);
}

void TPortTrunkForm::SetBtnClick(TObject*) {
  if (!Request) return;
  if (ED_Index->Text().IsEmpty()) return ShowMessage("Please select trunk group.");
  if (UnitEdit->Text().IsEmpty()) return InputError("The Unit Edit should not be empty", UnitEdit);
  // A master port the switch gave no value for, left alone, is no empty
  // field and no port to judge the members with: it stays out of the write.
  const bool masterTyped = FieldEntered(Request.get(), PortEdit);
  const bool masterHeld = masterTyped || !Request->HoldsNoValue(Item::kMasterPort);
  if (PortEdit->Text().IsEmpty() && masterHeld)
    return InputError("The Port Edit should not be empty", PortEdit);
  // What the user changed is checked: a master port typed, and the
  // members with the master port when either changed. The group's own
  // values the user left alone go back as the switch holds them.
  const bool membersChanged = ItemEntered(*Request, Item::kMemberPorts);
  const int unit = UnitEdit->Text().ToIntDef(-1);
  int master = TypedNumber(ED_MasterPort->Text(), -1);
  if (masterTyped) {
    const int port = TypedNumber(PortEdit->Text(), -1);
    if (!CheckMasterPort(unit, port)) return;
    master = (unit - 1) * kListPortsPerUnit + port;
  }
  if (masterHeld && (masterTyped || membersChanged) && !MasterPortTicked(master))
    return InputError("Master port must be checked.", PortEdit);
  if (membersChanged && !CheckMemberCount(unit)) return;
  // The form's own fields go into the bound ones they stand for, before the
  // write: what the user changed there is then what it keeps and sends.
  if (masterTyped) ED_MasterPort->SetText(IntToStr(master));
  if (ComboBox1->ItemIndex() >= 0) Combo_State->SetItemIndex(ComboBox1->ItemIndex());
  WriteThenRead({[this] {
    // A state the state box does not offer (a group not in service) is the
    // switch's: it is left out of the write rather than sent back.
    TSavedAccess saved(*Request);
    if (ComboBox1->ItemIndex() < 0) saved.Invalidate(Item::kTrunkState);
    Request->Set(kSetFromControls);
  }});
}

void TPortTrunkForm::BT_DeleteClick(TObject*) {
  if (!Request) return;
  if (ED_Index->Text().IsEmpty()) return InputError("Please select trunk group.", ED_Index);
  WriteThenRead({[this] {
    // Only the row status goes out; the other columns are back as they
    // were on every path.
    TSavedAccess saved(*Request);
    saved.Invalidate(Item::kMasterPort);
    saved.Invalidate(Item::kMemberPorts);
    saved.Invalidate(Item::kTrunkType);
    SelectComboText(Combo_State, kRowDestroy);
    Request->Set(kSetFromControls);
  }});
}

void TPortTrunkForm::BT_CloseClick(TObject*) { Close(); }

void TPortTrunkForm::Combo_StateChange(TObject*) {
  const AnsiString state = ComboText(Combo_State);
  if (state == "enable" || state == "disable") SelectComboText(ComboBox1, state);
}

void TPortTrunkForm::UnitEditKeyPress(TObject*, char& Key) { DigitsOnlyKeyPress(Key); }

void TPortTrunkForm::FormClose(TObject*, TCloseAction& Action) {
  LV_PortTrunk->SetSelected(nullptr);
  UnitRecords.clear();
  Action = caFree;
  StopWaitDelete(Request);
  delete MemberFrame;
  MemberFrame = nullptr;
  delete ActiveFrame;
  ActiveFrame = nullptr;
}
