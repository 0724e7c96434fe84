#include "forms/switching/TrafficForwardUnit1.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/PortNumber.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

VN_REGISTER_FORM_OPENER(TTrafficSegmentationForm, nullptr);

namespace {
constexpr const char* kRefreshNotComplete = "Refresh not complete";
}  // namespace

TTrafficSegmentationForm::TTrafficSegmentationForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TTrafficSegmentationForm::~TTrafficSegmentationForm() = default;

void TTrafficSegmentationForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Traffic Segmentation")
      .BorderStyle(bsSingle)
      .ClientSize(600, 352)
      .Position(poScreenCenter)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TTrafficSegmentationForm::FormCreate)
      .OnClose(this, &TTrafficSegmentationForm::FormClose);
  SetName("TrafficSegmentationForm");
  B.Add(LV_TrafficForward, "LV_TrafficForward")
      .At(8, 8, 480, 180)
      .OnClick(this, &TTrafficSegmentationForm::LV_TrafficForwardClick);
  B.Add(StaticText1, "StaticText1").At(500, 172, 60, 17).Caption("0");
  B.Add(BT_Get, "BT_Get")
      .At(500, 8, 90, 25)
      .Caption("Refresh")
      .OnClick(this, &TTrafficSegmentationForm::BT_GetClick);
  B.Add(BT_Set, "BT_Set")
      .At(500, 40, 90, 25)
      .Caption("Set")
      .OnClick(this, &TTrafficSegmentationForm::BT_SetClick);
  B.Add(StopBtn, "StopBtn")
      .At(500, 72, 90, 25)
      .Caption("Stop")
      .OnClick(this, &TTrafficSegmentationForm::StopBtnClick);
  B.Add(GroupBox1, "GroupBox1").At(8, 194, 584, 44);
  B.Add(Label_Unit, "Label_Unit", GroupBox1).At(12, 20).Caption("Unit : ").Hidden();
  B.Add(Combo_Unit, "Combo_Unit", GroupBox1).At(50, 16, 40, 21).ReadOnly().Hidden();
  B.Add(Label_Port, "Label_Port", GroupBox1).At(12, 20).Caption("Port : ");
  B.Add(Combo_Port, "Combo_Port", GroupBox1).At(50, 16, 50, 21).ReadOnly();
  B.Add(ST_Port, "ST_Port", GroupBox1).At(120, 20, 40, 17).Hidden();
  B.Add(Panel4, "Panel4").At(8, 244, 584, 84).BevelOuter(bvNone);
  B.Add(StatusBar1, "StatusBar1").Panels({580});
}

void TTrafficSegmentationForm::FormCreate(TObject*) {
  try {
    PortFrame = CreatePortFrame(this, Panel4);
    Request = NewFormRequest(this, TrafficSegmentationVars, VnItemType::MVT_UMV, 1);
    Request->AttachListView(LV_TrafficForward, true);
    ClickFollowsSelection(*Request);
    Request->BindStaticText(TrafficSegmentationItem::kTrafficPort, ST_Port);
    Request->BindElementList(TrafficSegmentationItem::kTrafficForwardPorts, PortElementList(),
                             PortFrame->PortCheckBoxes.get());
    Request->SetStatusPanel(StatusBar1->Panels()->Items(0));
    Rows.Attach(
        *Request, LV_TrafficForward, StaticText1,
        [this](bool rowSelected) { BT_Set->SetEnabled(rowSelected); },
        [this] { ClearSelection(); });
    Request->Get();
  } catch (const Exception& e) {
    // Nothing runs: the form is idle, so that Refresh can try again.
    ShowFailureInStatusBar(StatusBar1, e.Message);
    BT_Set->SetEnabled(false);
  }
}

bool TTrafficSegmentationForm::ReadyForWork() {
  return Request && FormIdle({Request.get()}, kRefreshNotComplete);
}

// The fields of no port.
void TTrafficSegmentationForm::ClearSelection() {
  Combo_Unit->SetText("");
  Combo_Port->SetText("");
  if (PortFrame) PortFrame->ClearPorts();
}

void TTrafficSegmentationForm::BT_GetClick(TObject*) {
  if (!ReadyForWork()) return;
  Rows.ReadAnew(Request,
                [this](const AnsiString& message) { ShowFailureInStatusBar(StatusBar1, message); });
}

void TTrafficSegmentationForm::LV_TrafficForwardClick(TObject*) {
  if (LV_TrafficForward->Selected()) {
    const TUnitPort port = SplitPortNumber(ST_Port->Text().ToIntDef(0), kLogicalPortsPerUnit);
    Combo_Unit->SetText(port.Unit);
    Combo_Port->SetText(port.Port);
  }
  Rows.Click();
}

void TTrafficSegmentationForm::BT_SetClick(TObject*) {
  if (!ReadyForWork()) return;
  // The table is read again once the device has answered. Refused, lost or
  // not sent, the ticked ports stay for a correction.
  const bool taken = Rows.Write(
      Request, [this] { Request->Set(kSetFromControlsThenRead); },
      [this](const AnsiString& message) { ShowFailureInStatusBar(StatusBar1, message); });
  // The grid is empty now: a click on the same row must show the port's
  // list again rather than leave the grid empty for the next Set.
  if (taken) Rows.ShowNoRow();
}

void TTrafficSegmentationForm::StopBtnClick(TObject*) {
  if (Request) Request->Stop();
}

void TTrafficSegmentationForm::FormClose(TObject*, TCloseAction& Action) {
  LV_TrafficForward->SetSelected(nullptr);
  StopWaitDelete(Request);
  delete PortFrame;
  PortFrame = nullptr;
  Action = caFree;
}
