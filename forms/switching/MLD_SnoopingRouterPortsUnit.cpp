#include "forms/switching/MLD_SnoopingRouterPortsUnit.h"

#include "app/FormOpeners.h"
#include "app/StackingPortUitFormUnit.h"
#include "app/mibdefs/MldSnoopingMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TMLD_SnoopingRouterPortsForm* MLD_SnoopingRouterPortsForm = nullptr;
VN_REGISTER_FORM_OPENER(TMLD_SnoopingRouterPortsForm, &MLD_SnoopingRouterPortsForm);

namespace {
enum { kVlanId, kStatic, kDynamic, kForbidden };
}  // namespace

TMLD_SnoopingRouterPortsForm::TMLD_SnoopingRouterPortsForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TMLD_SnoopingRouterPortsForm::~TMLD_SnoopingRouterPortsForm() = default;

void TMLD_SnoopingRouterPortsForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("MLD Snooping Router Ports Form")
      .Size(671, 472)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TMLD_SnoopingRouterPortsForm::FormCreate)
      .OnCloseQuery(this, &TMLD_SnoopingRouterPortsForm::FormCloseQuery)
      .OnClose(this, &TMLD_SnoopingRouterPortsForm::FormClose);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 540, 170)
      .OnClick(this, &TMLD_SnoopingRouterPortsForm::ListView1Click);
  B.Add(btnGet, "btnGet")
      .At(564, 8, 92, 25)
      .Caption("Refresh")
      .OnClick(this, &TMLD_SnoopingRouterPortsForm::btnGetClick);
  B.Add(btnSet, "btnSet")
      .At(564, 40, 92, 25)
      .Caption("Set")
      .OnClick(this, &TMLD_SnoopingRouterPortsForm::btnSetClick);
  B.Add(btnStop, "btnStop")
      .At(564, 72, 92, 25)
      .Caption("Stop")
      .OnClick(this, &TMLD_SnoopingRouterPortsForm::btnStopClick);
  B.Add(btnClose, "btnClose")
      .At(564, 104, 92, 25)
      .Caption("Close")
      .OnClick(this, &TMLD_SnoopingRouterPortsForm::btnCloseClick);
  B.Add(Label1, "Label1").At(8, 190).Caption("VID");
  B.Add(stVlanID, "stVlanID").At(60, 190, 80, 17);
  B.Add(PageControl1, "PageControl1").At(8, 214, 648, 190);
  B.Add(tbsStatic, "tbsStatic").Caption("Static Ports").PageControl(PageControl1);
  B.Add(ScrollBox1, "ScrollBox1", tbsStatic).Align(alClient);
  B.Add(tbsDynamic, "tbsDynamic").Caption("Dynamic Ports").PageControl(PageControl1);
  B.Add(ScrollBox2, "ScrollBox2", tbsDynamic).Align(alClient);
  B.Add(tbsForbidden, "tbsForbidden").Caption("Forbidden Ports").PageControl(PageControl1);
  B.Add(ScrollBox3, "ScrollBox3", tbsForbidden).Align(alClient);
  PageControl1->SetActivePageIndex(0);
  B.Add(StatusBar1, "StatusBar1");
}

void TMLD_SnoopingRouterPortsForm::CreatePortFrame() {
  StaticPortFrame = ::CreatePortFrame(this, ScrollBox1);
  DynamicPortFrame = ::CreatePortFrame(this, ScrollBox2);
  ForbiddenPortFrame = ::CreatePortFrame(this, ScrollBox3);
}

void TMLD_SnoopingRouterPortsForm::FormCreate(TObject*) {
  try {
    CreatePortFrame();
    const AnsiString elements = PortElementList();
    Request = NewFormRequest(this, MLDSnoopingRouterPortsVars, MVT_FMV, 1);
    Request->AttachListView(ListView1, true);
    Request->BindStaticText(kVlanId, stVlanID);
    Request->BindElementList(kStatic, elements, StaticPortFrame->PortCheckBoxes.get());
    Request->BindElementList(kDynamic, elements, DynamicPortFrame->PortCheckBoxes.get());
    Request->BindElementList(kForbidden, elements, ForbiddenPortFrame->PortCheckBoxes.get());
    SetStatusTargetShown(*Request, StatusBar1);
    Request->OnGetDone =
        VnRequestDoneEvent(this, &TMLD_SnoopingRouterPortsForm::RouterPortsGetDone);
    Request->Get();
    btnSet->SetEnabled(false);
  } catch (const Exception& e) {
    RequestIdle = 1;
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

// The library leaves the bound boxes disabled until a row is selected; the
// ports stay tickable at once.
void TMLD_SnoopingRouterPortsForm::RouterPortsGetDone(VnSNMPRequest2Controls*, const VnSNMPError&) {
  RequestIdle = 1;
  for (TStackingPortUitForm* frame : {StaticPortFrame, DynamicPortFrame, ForbiddenPortFrame})
    if (frame) frame->EnablePorts();
}

void TMLD_SnoopingRouterPortsForm::ClearEntryFields() {
  for (TStackingPortUitForm* frame : {StaticPortFrame, DynamicPortFrame, ForbiddenPortFrame})
    if (frame) frame->ClearPorts();
  stVlanID->SetCaption("");
  btnSet->SetEnabled(false);
}

void TMLD_SnoopingRouterPortsForm::btnGetClick(TObject*) {
  if (!Request || RequestIdle != 1) return;
  try {
    RequestIdle = 0;
    Request->Request.Active = 1;
    Request->Get();
    ClearEntryFields();
  } catch (const Exception& e) {
    RequestIdle = 1;
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

void TMLD_SnoopingRouterPortsForm::ListView1Click(TObject*) {
  if (ListView1->Selected())
    btnSet->SetEnabled(true);
  else
    ClearEntryFields();
}

// One SET of the static and forbidden lists of the selected VLAN; the
// dynamic list is read-only and never sent. Without a selected row there is
// no VLAN to write: nothing happens.
void TMLD_SnoopingRouterPortsForm::btnSetClick(TObject*) {
  if (!Request || !ListView1->Selected()) return;
  if (!CheckRequestIdle(RequestIdle)) return;
  try {
    RequestIdle = 0;
    Request->Request.Active = 1;
    Request->Set(false, true);
    ClearEntryFields();
    Request->Get();
  } catch (const Exception& e) {
    RequestIdle = 1;
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

void TMLD_SnoopingRouterPortsForm::btnStopClick(TObject*) {
  if (Request) Request->Request.Active = 0;
}

void TMLD_SnoopingRouterPortsForm::btnCloseClick(TObject*) { Close(); }

void TMLD_SnoopingRouterPortsForm::FormCloseQuery(TObject*, bool& CanClose) {
  RefuseCloseWhileBusy(Request.get(), RequestIdle, CanClose);
}

void TMLD_SnoopingRouterPortsForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  for (TStackingPortUitForm** frame : {&StaticPortFrame, &DynamicPortFrame, &ForbiddenPortFrame}) {
    delete *frame;
    *frame = nullptr;
  }
  Action = caFree;
}
