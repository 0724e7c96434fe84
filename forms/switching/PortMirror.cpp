#include "forms/switching/PortMirror.h"

#include "catalogue/DeviceMib.h"
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

VN_REGISTER_FORM_OPENER(TPortMirrorForm, nullptr);

namespace {

constexpr int kMaxUnits = 12;

bool Ticked(TStackingPortUitForm* frame, int port) {
  if (!frame || port < 1 || port > frame->PortCheckBoxes->Count()) return false;
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1))->Checked();
}

}  // namespace

TPortMirrorForm::TPortMirrorForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TPortMirrorForm::~TPortMirrorForm() = default;

void TPortMirrorForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Port Mirroring")
      .BorderStyle(bsSingle)
      .ClientSize(600, 262)
      .Position(poScreenCenter)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TPortMirrorForm::FormCreate)
      .OnClose(this, &TPortMirrorForm::FormClose);
  SetName("PortMirrorForm");
  B.Add(SourcePortGB, "SourcePortGB").At(8, 4, 584, 186).Caption("Source Port");
  B.Add(IngressPortGB, "IngressPortGB", SourcePortGB).At(8, 16, 568, 80).Caption("Ingress Port");
  B.Add(EgressPortGB, "EgressPortGB", SourcePortGB).At(8, 100, 568, 80).Caption("Egress Port");
  B.Add(Label_Target, "Label_Target").At(16, 204).Caption("Target Port ");
  B.Add(UnitEdit, "UnitEdit")
      .At(90, 200, 30, 21)
      .Text("1")
      .Hidden()
      .OnKeyPress(this, &TPortMirrorForm::UnitEditKeyPress);
  B.Add(PortEdit, "PortEdit")
      .At(90, 200, 50, 21)
      .OnKeyPress(this, &TPortMirrorForm::PortEditKeyPress);
  B.Add(Label_State, "Label_State").At(170, 204).Caption("Mirroring Status");
  B.Add(State_Combox, "State_Combox").At(262, 200, 100, 21).Style(csDropDownList);
  B.Add(BT_Refresh, "BT_Refresh")
      .At(402, 198, 90, 25)
      .Caption("Refresh")
      .OnClick(this, &TPortMirrorForm::BT_RefreshClick);
  B.Add(BT_Set, "BT_Set")
      .At(500, 198, 90, 25)
      .Caption("Set")
      .OnClick(this, &TPortMirrorForm::BT_SetClick);

  // The target as the device holds it, and the trunk groups for the check.
  B.Add(ET_TargetPort, "ET_TargetPort")
      .At(8, 230, 40, 21)
      .Hidden()
      .Enabled(false)
      .OnChange(this, &TPortMirrorForm::ET_TargetPortChange);
  B.Add(LV_PortTrunk, "LV_PortTrunk").At(56, 230, 100, 20).Hidden();
  B.Add(ED_MasterPort, "ED_MasterPort").At(164, 230, 40, 21).Hidden();
  B.Add(StackingPortPanel, "StackingPortPanel").At(212, 230, 100, 20).Hidden();
  B.Add(StatusBar1, "StatusBar1").Panels({580});
}

void TPortMirrorForm::FormCreate(TObject*) {
  try {
    IngressFrame = CreatePortFrame(this, IngressPortGB);
    EgressFrame = CreatePortFrame(this, EgressPortGB);
    UnitRecords = MakeUnitRecords();

    const AnsiString ports = PortElementList();
    Request = NewFormRequest(this, PortMirrorLogicTargetPortVars, VnItemType::SVT_SV, 0, true);
    Request->BindEdits(PortMirrorLogicTargetPortItem::kLogicTargetPort, "%i", ET_TargetPort);
    Request->BindElementList(PortMirrorLogicTargetPortItem::kPortSourceIngress, ports,
                             IngressFrame->PortCheckBoxes.get());
    Request->BindElementList(PortMirrorLogicTargetPortItem::kPortSourceEgress, ports,
                             EgressFrame->PortCheckBoxes.get());
    Request->BindComboBox(PortMirrorLogicTargetPortItem::kPortState, State_Combox);
    Request->SetStatusPanel(StatusBar1->Panels()->Items(0));

    TrunkFrame = Create<TStackingPortUitForm>(this);
    TrunkFrame->SetParent(StackingPortPanel);
    TrunkFrame->SetAlign(alClient);
    TrunkFrame->Show();
    TrunkFrame->AddPortUnitPage("Unit" + AnsiString(1), 1, 32, 12, false);
    TrunkRequest = NewFormRequest(this, PortMirrorIndexVars, VnItemType::MVT_UMV, 1, true);
    TrunkRequest->AttachListView(LV_PortTrunk, true);
    TrunkRequest->BindEdits(PortMirrorIndexItem::kMasterPort, "%i", ED_MasterPort);
    TrunkRequest->BindElementList(PortMirrorIndexItem::kMemberPorts, ports,
                                  TrunkFrame->PortCheckBoxes.get());
  } catch (const Exception& e) {
    ShowFailure(e.Message);
    return;
  }
  // Both requests exist whatever the device answers, so that Refresh can
  // read again after a failed first read.
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  RememberSources();
  try {
    TrunkRequest->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

void TPortMirrorForm::ShowFailure(const AnsiString& message) {
  if (Request)
    Request->ShowRequestStatus(message);
  else
    ShowFailureInStatusBar(StatusBar1, message);
}

void TPortMirrorForm::BT_RefreshClick(TObject*) {
  if (!Request || !TrunkRequest) return;
  try {
    Request->Get();
    RememberSources();
    TrunkRequest->Get();
    ET_TargetPortChange(nullptr);
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

// The port edit shows the target's port on the unit; a target on no unit
// the form knows is shown as the switch holds it.
void TPortMirrorForm::ET_TargetPortChange(TObject*) {
  const THeldPort target = SplitHeldPort(ET_TargetPort->Text(), kLogicalPortsPerUnit, UnitRecords);
  PortEdit->SetText(target.Port);
  UnitEdit->SetText(target.Unit);
}

void TPortMirrorForm::RememberSources() {
  readIngress_ = PortTicks(IngressFrame);
  readEgress_ = PortTicks(EgressFrame);
}

bool TPortMirrorForm::SourcesChanged() {
  return PortTicks(IngressFrame) != readIngress_ || PortTicks(EgressFrame) != readEgress_;
}

const TStackUnitRecord* TPortMirrorForm::FindUnit(int unit) const {
  for (const TStackUnitRecord& r : UnitRecords)
    if (r.Unit == unit) return &r;
  return nullptr;
}

// True when an enabled trunk group has the port among its members; says so
// once for each such group.
bool TPortMirrorForm::PortInTrunk(int target) {
  const int stateColumn = ColumnOf(LV_PortTrunk, "Trunk State");
  bool inTrunk = false;
  for (int i = 0; i < LV_PortTrunk->Items()->Count(); ++i) {
    LV_PortTrunk->SetSelected(LV_PortTrunk->Items()->Item(i));
    if (ListCellText(LV_PortTrunk, i, stateColumn) == "enable" && Ticked(TrunkFrame, target)) {
      ShowMessage("Target port can not be Trunk port!");
      inTrunk = true;
    }
  }
  return inTrunk;
}

bool TPortMirrorForm::CheckTargetPort() {
  const char* invalid = "Set valid target port";
  const int unit = UnitEdit->Text().ToIntDef(-1);
  const TStackUnitRecord* record = unit >= 1 && unit <= kMaxUnits ? FindUnit(unit) : nullptr;
  if (!record) {
    InputError(invalid, UnitEdit);
    return false;
  }
  const int port = TypedNumber(PortEdit->Text(), -1);
  if (port < 1) InputError("set valid master port", PortEdit);
  if (port < 1 || port > record->PortCount) {
    InputError(invalid, PortEdit);
    return false;
  }
  const int target = (unit - 1) * kLogicalPortsPerUnit + port;
  if (PortInTrunk(target)) return false;
  ET_TargetPort->SetText(IntToStr(target));
  if (Ticked(IngressFrame, target) || Ticked(EgressFrame, target)) {
    ShowMessage("Target port can not be member port!");
    return false;
  }
  return true;
}

// A target the user typed is checked whole, as a port of unit 1. One the
// user left alone goes back as the switch holds it (its unit shown as the
// switch's value gives it); only when the user changed the source ports is
// it judged against them.
void TPortMirrorForm::BT_SetClick(TObject*) {
  if (!Request) return;
  try {
    if (FieldEntered(Request.get(), PortEdit)) {
      UnitEdit->SetText("1");
      if (!CheckTargetPort()) return;
    } else if (SourcesChanged()) {
      const int held = TypedNumber(ET_TargetPort->Text(), -1);
      if (Ticked(IngressFrame, held) || Ticked(EgressFrame, held)) {
        ShowMessage("Target port can not be member port!");
        return;
      }
    }
    Request->Set(kSetFromControlsThenRead);
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

void TPortMirrorForm::UnitEditKeyPress(TObject*, char& Key) { DigitsOnlyKeyPress(Key); }
void TPortMirrorForm::PortEditKeyPress(TObject*, char& Key) { DigitsOnlyKeyPress(Key); }

void TPortMirrorForm::FormClose(TObject*, TCloseAction& Action) {
  UnitRecords.clear();
  Action = caFree;
  StopWaitDelete(Request);
  StopWaitDelete(TrunkRequest);
  for (TStackingPortUitForm** frame : {&IngressFrame, &EgressFrame, &TrunkFrame}) {
    delete *frame;
    *frame = nullptr;
  }
}
