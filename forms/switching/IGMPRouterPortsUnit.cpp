#include "forms/switching/IGMPRouterPortsUnit.h"

#include "app/FormOpeners.h"
#include "app/StackingPortUitFormUnit.h"
#include "app/mibdefs/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TIGMPRouterPortsForm* IGMPRouterPortsForm = nullptr;
VN_REGISTER_FORM_OPENER(TIGMPRouterPortsForm, &IGMPRouterPortsForm);

namespace {
enum { kVlanId, kVlanName, kStatic, kDynamic, kForbidden };
}  // namespace

TIGMPRouterPortsForm::TIGMPRouterPortsForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TIGMPRouterPortsForm::~TIGMPRouterPortsForm() = default;

void TIGMPRouterPortsForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("IGMP Router ports")
      .Size(658, 495)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TIGMPRouterPortsForm::FormCreate)
      .OnClose(this, &TIGMPRouterPortsForm::FormClose);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 530, 170)
      .OnClick(this, &TIGMPRouterPortsForm::ListView1Click);
  B.Add(btnGet, "btnGet")
      .At(552, 8, 92, 25)
      .Caption("Refresh")
      .OnClick(this, &TIGMPRouterPortsForm::btnGetClick);
  B.Add(btnSet, "btnSet")
      .At(552, 40, 92, 25)
      .Caption("Set")
      .OnClick(this, &TIGMPRouterPortsForm::btnSetClick);
  B.Add(btnStop, "btnStop")
      .At(552, 72, 92, 25)
      .Caption("Stop")
      .OnClick(this, &TIGMPRouterPortsForm::btnStopClick);
  B.Add(btnClose, "btnClose")
      .At(552, 104, 92, 25)
      .Caption("Close")
      .OnClick(this, &TIGMPRouterPortsForm::btnCloseClick);
  B.Add(Label1, "Label1").At(8, 190).Caption("VLAN ID");
  B.Add(stVlanID, "stVlanID").At(80, 190, 80, 17);
  B.Add(Label2, "Label2").At(200, 190).Caption("VLAN Name");
  B.Add(stVlanName, "stVlanName").At(280, 190, 250, 17);
  B.Add(PageControl1, "PageControl1").At(8, 214, 636, 170);
  B.Add(tbsStatic, "tbsStatic").Caption("Static Ports").PageControl(PageControl1);
  B.Add(ScrollBox1, "ScrollBox1", tbsStatic).Align(alClient);
  B.Add(tbsDynamic, "tbsDynamic").Caption("Dynamic Ports").PageControl(PageControl1);
  B.Add(ScrollBox2, "ScrollBox2", tbsDynamic).Align(alClient);
  B.Add(tbsForbidden, "tbsForbidden").Caption("Forbidden Ports").PageControl(PageControl1);
  B.Add(ScrollBox3, "ScrollBox3", tbsForbidden).Align(alClient);
  PageControl1->SetActivePageIndex(0);
  B.Add(Memo1, "Memo1").At(8, 390, 636, 64).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TIGMPRouterPortsForm::CreatePortFrame() {
  StaticPortFrame = ::CreatePortFrame(this, ScrollBox1);
  DynamicPortFrame = ::CreatePortFrame(this, ScrollBox2);
  ForbiddenPortFrame = ::CreatePortFrame(this, ScrollBox3);
}

void TIGMPRouterPortsForm::FormCreate(TObject*) {
  try {
    CreatePortFrame();
    const AnsiString elements = PortElementList();
    Request = NewFormRequest(this, IGMPRouterPortsVars, MVT_FMV, 1);
    Request->AttachListView(ListView1, true);
    Request->BindStaticText(kVlanId, stVlanID);
    Request->BindStaticText(kVlanName, stVlanName);
    Request->BindElementList(kStatic, elements, StaticPortFrame->PortCheckBoxes.get());
    Request->BindElementList(kDynamic, elements, DynamicPortFrame->PortCheckBoxes.get());
    Request->BindElementList(kForbidden, elements, ForbiddenPortFrame->PortCheckBoxes.get());
    Request->SetStatusMemo(Memo1);
    Request->OnGetDone = VnRequestDoneEvent(this, &TIGMPRouterPortsForm::RouterPortsGetDone);
    Request->Get();
    btnSet->SetEnabled(false);
  } catch (const Exception& e) {
    RequestIdle = 1;
    ShowFailureInMemo(Memo1, e.Message);
  }
}

// The library leaves the bound boxes disabled until a row is selected; the
// ports stay tickable at once.
void TIGMPRouterPortsForm::RouterPortsGetDone(VnSNMPRequest2Controls*, const VnSNMPError&) {
  RequestIdle = 1;
  for (TStackingPortUitForm* frame : {StaticPortFrame, DynamicPortFrame, ForbiddenPortFrame})
    if (frame) frame->EnablePorts();
}

void TIGMPRouterPortsForm::ClearEntryFields() {
  for (TStackingPortUitForm* frame : {StaticPortFrame, DynamicPortFrame, ForbiddenPortFrame})
    if (frame) frame->ClearPorts();
  stVlanName->SetCaption("");
  stVlanID->SetCaption("");
  btnSet->SetEnabled(false);
}

void TIGMPRouterPortsForm::btnGetClick(TObject*) {
  if (!Request || RequestIdle != 1 || Request->Busy) return;
  try {
    RequestIdle = 0;
    Request->Request.Active = 1;
    Request->Get();
    ClearEntryFields();
  } catch (const Exception& e) {
    RequestIdle = 1;
    ShowFailureInMemo(Memo1, e.Message);
  }
}

void TIGMPRouterPortsForm::ListView1Click(TObject*) {
  if (ListView1->Selected())
    btnSet->SetEnabled(true);
  else
    ClearEntryFields();
}

// One SET of the static and forbidden lists of the selected VLAN; the
// dynamic list is read-only and never sent.
void TIGMPRouterPortsForm::btnSetClick(TObject*) {
  if (!Request || !ListView1->Selected()) return;
  if (!CheckRequestIdle(RequestIdle)) return;
  if (Request->Busy) {
    ShowMessage(kGetDataNotComplete);
    return;
  }
  try {
    RequestIdle = 0;
    Request->Request.Active = 1;
    Request->Set(false, true);
    ClearEntryFields();
    Request->Get();
  } catch (const Exception& e) {
    RequestIdle = 1;
    ShowFailureInMemo(Memo1, e.Message);
  }
}

void TIGMPRouterPortsForm::btnStopClick(TObject*) {
  if (Request) Request->Request.Active = 0;
}

void TIGMPRouterPortsForm::btnCloseClick(TObject*) { Close(); }

void TIGMPRouterPortsForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  for (TStackingPortUitForm** frame : {&StaticPortFrame, &DynamicPortFrame, &ForbiddenPortFrame}) {
    delete *frame;
    *frame = nullptr;
  }
  Action = caFree;
}
