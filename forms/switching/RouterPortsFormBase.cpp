#include "forms/switching/RouterPortsFormBase.h"

#include "catalogue/DeviceMib.h"
#include "catalogue/MldSnoopingMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnErrors.h"
#include "library/VnSNMPError.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

namespace {
// Both router-port tables begin with the VLAN ID.
constexpr int kVlanId = IGMPRouterPortsItem::kIGMPRouterPortsVLANID;
static_assert(MLDSnoopingRouterPortsItem::kRouterPortsVLANID == kVlanId);
}  // namespace

TRouterPortsForm::TRouterPortsForm(TComponent* AOwner, const VnSNMPVarDesc* table, int staticItem)
    : TForm(AOwner), table_(table), staticItem_(staticItem) {}

TRouterPortsForm::~TRouterPortsForm() = default;

void TRouterPortsForm::BuildComponents(TFormBuilder& B, const TRouterPortsLayout& layout) {
  B.Form()
      .Caption(layout.Caption)
      .Size(layout.Width, layout.Height)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TRouterPortsForm::FormCreate)
      .OnClose(this, &TRouterPortsForm::FormClose);
  B.Add(ListView1, "ListView1")
      .At(8, 8, layout.ListWidth, 170)
      .OnClick(this, &TRouterPortsForm::ListView1Click);
  const int x = layout.ButtonsLeft;
  B.Add(btnGet, "btnGet")
      .At(x, 8, 92, 25)
      .Caption("Refresh")
      .OnClick(this, &TRouterPortsForm::btnGetClick);
  B.Add(btnSet, "btnSet")
      .At(x, 40, 92, 25)
      .Caption("Set")
      .OnClick(this, &TRouterPortsForm::btnSetClick);
  B.Add(btnStop, "btnStop")
      .At(x, 72, 92, 25)
      .Caption("Stop")
      .OnClick(this, &TRouterPortsForm::btnStopClick);
  B.Add(btnClose, "btnClose")
      .At(x, 104, 92, 25)
      .Caption("Close")
      .OnClick(this, &TRouterPortsForm::btnCloseClick);
  B.Add(Label1, "Label1").At(8, 190).Caption(layout.VlanIdCaption);
  B.Add(stVlanID, "stVlanID").At(layout.VlanIdLeft, 190, 80, 17);
  B.Add(PageControl1, "PageControl1").At(8, 214, layout.TabsWidth, layout.TabsHeight);
  B.Add(tbsStatic, "tbsStatic").Caption("Static Ports").PageControl(PageControl1);
  B.Add(ScrollBox1, "ScrollBox1", tbsStatic).Align(alClient);
  B.Add(tbsDynamic, "tbsDynamic").Caption("Dynamic Ports").PageControl(PageControl1);
  B.Add(ScrollBox2, "ScrollBox2", tbsDynamic).Align(alClient);
  B.Add(tbsForbidden, "tbsForbidden").Caption("Forbidden Ports").PageControl(PageControl1);
  B.Add(ScrollBox3, "ScrollBox3", tbsForbidden).Align(alClient);
  PageControl1->SetActivePageIndex(0);
}

void TRouterPortsForm::CreatePortFrame() {
  StaticPortFrame = ::CreatePortFrame(this, ScrollBox1);
  DynamicPortFrame = ::CreatePortFrame(this, ScrollBox2);
  ForbiddenPortFrame = ::CreatePortFrame(this, ScrollBox3);
}

void TRouterPortsForm::FormCreate(TObject*) {
  try {
    CreatePortFrame();
    const AnsiString elements = PortElementList();
    Request = NewFormRequest(this, table_, VnItemType::MVT_FMV, 1);
    Request->AttachListView(ListView1, true);
    ClickFollowsSelection(*Request);
    Request->BindStaticText(kVlanId, stVlanID);
    BindExtras();
    int item = staticItem_;
    for (TStackingPortUitForm* frame : {StaticPortFrame, DynamicPortFrame, ForbiddenPortFrame})
      Request->BindElementList(item++, elements, frame->PortCheckBoxes.get());
    AttachStatus();
    Request->OnIdle = VnRequestIdleEvent(this, &TRouterPortsForm::RouterPortsIdle);
    Rows.Attach(
        *Request, ListView1, nullptr, [this](bool row) { btnSet->SetEnabled(row); },
        [this] { ShowNoVlan(); });
    Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
}

// The library leaves the bound boxes disabled until a row is selected; the
// ports stay tickable at once.
void TRouterPortsForm::RouterPortsIdle(VnSNMPRequest2Controls*) {
  for (TStackingPortUitForm* frame : {StaticPortFrame, DynamicPortFrame, ForbiddenPortFrame})
    if (frame) frame->EnablePorts();
}

void TRouterPortsForm::ClearEntryFields() {
  for (TStackingPortUitForm* frame : {StaticPortFrame, DynamicPortFrame, ForbiddenPortFrame})
    if (frame) frame->ClearPorts();
  ClearExtras();
  stVlanID->SetCaption("");
}

void TRouterPortsForm::ShowNoVlan() {
  ClearEntryFields();
  if (Request) Request->EnableControls(false);
  RouterPortsIdle(nullptr);
}

void TRouterPortsForm::btnGetClick(TObject*) {
  if (!Request || Request->Busy) return;
  Rows.Read(Request, [this](const AnsiString& message) { ShowFailure(message); });
  ClearEntryFields();
}

void TRouterPortsForm::ListView1Click(TObject*) { Rows.Click(); }

// One SET of the static and forbidden lists of the selected VLAN; the
// dynamic list is read-only and never sent. The table is read once the SET
// is answered (quietly after a refusal, so that its error stays the last
// line); the fields are emptied once the switch took it, and otherwise
// keep the ticks for a correction.
void TRouterPortsForm::btnSetClick(TObject*) {
  if (!Request || !ListView1->Selected()) return;
  if (!FormIdle({Request.get()})) return;
  if (Rows.Write(
          Request, [&] { Request->Set(kSetFromControlsThenRead); },
          [this](const AnsiString& message) { ShowFailure(message); }))
    Rows.ShowNoRow();
}

void TRouterPortsForm::btnStopClick(TObject*) {
  if (Request) Request->Stop();
}

void TRouterPortsForm::btnCloseClick(TObject*) { Close(); }

void TRouterPortsForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  for (TStackingPortUitForm** frame : {&StaticPortFrame, &DynamicPortFrame, &ForbiddenPortFrame}) {
    delete *frame;
    *frame = nullptr;
  }
  Action = caFree;
}
