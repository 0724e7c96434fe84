#include "forms/security/IpMacPortTableForm.h"

#include "catalogue/Oid_filterunit.h"
#include "catalogue/SecurityMib.h"
#include "forms/common/ButtonRun.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/PortCount.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

namespace {

// The IP-MAC binding and the DHCP permit tables begin alike, with the IP
// and the MAC address, and offer the same row-status options.
constexpr int kIpItem = IPMACBindingItem::kIPIndex;
constexpr int kMacItem = IPMACBindingItem::kMACAddress;
constexpr int kRowCreateAndGoIndex = IPMACBindingRowStatusOption::kCreateAndGo;
constexpr int kRowDestroyIndex = IPMACBindingRowStatusOption::kDestroy;
static_assert(FilterDHCPPermitItem::kDHCPServerIP == kIpItem &&
              FilterDHCPPermitItem::kDHCPClientMAC == kMacItem &&
              FilterDHCPPermitRowStatusOption::kCreateAndGo == kRowCreateAndGoIndex &&
              FilterDHCPPermitRowStatusOption::kDestroy == kRowDestroyIndex);

}  // namespace

TIpMacPortTableForm::TIpMacPortTableForm(TComponent* AOwner, const TIpMacPortTableLayout& layout)
    : TForm(AOwner), layout_(layout) {
  InitComponents();
  ScaleFormForScreen(this);
}

TIpMacPortTableForm::~TIpMacPortTableForm() = default;

void TIpMacPortTableForm::InitComponents() {
  using F = TIpMacPortTableForm;
  TFormBuilder B(this);
  B.Form()
      .Caption(layout_.Caption)
      .ClientSize(560, 430)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  B.Add(StatusBar1, "StatusBar1").Align(alBottom);
  StatusBar1->SetSimplePanel(true);
  B.Add(Panel1, "Panel1").Align(alRight).Width(100).BevelOuter(bvNone);
  AddButtonRun<F>(B, this, {Panel1, 10, 8, 80, 25, 0, 32},
                  {{btnGet, "btnGet", "Refresh", &F::btnGetClick},
                   {btnAdd, "btnAdd", "Add", &F::btnAddClick},
                   {btnEdit, "btnEdit", "Edit", &F::btnEditClick},
                   {btnDelete, "btnDelete", "Delete", &F::btnDeleteClick},
                   {btnClose, "btnClose", "Close", &F::btnCloseClick}});
  B.Add(Button1, "Button1", Panel1)
      .At(10, 168, 80, 25)
      .Caption("Stop")
      .OnClick(this, &F::Button1Click)
      .Hidden();
  if (!layout_.OffersEdit) btnEdit->SetVisible(false);

  B.Add(ListView1, "ListView1").At(8, 8, 445, 200).OnClick(this, &F::ListView1Click);
  B.Add(Label1, "Label1").At(8, 222).Caption("IP Address");
  B.Add(edtIpAddr, "edtIpAddr").At(90, 218, 130, 21);
  B.Add(Label2, "Label2").At(236, 222).Caption("MAC Address");
  B.Add(edtMacAddr, "edtMacAddr").At(322, 218, 130, 21);
  B.Add(Label3, "Label3").At(8, 248).Caption("Mode").Hidden();
  B.Add(cbxMode, "cbxMode").At(90, 244, 130, 21).Style(csDropDownList).Hidden();
  B.Add(ComboStatus, "ComboStatus").At(322, 244, 130, 21).Style(csDropDownList).Hidden();
  B.Add(StackingPortPanel, "StackingPortPanel").At(8, 250, 445, 150).BevelOuter(bvLowered);
}

void TIpMacPortTableForm::FormCreate(TObject*) {
  PortFrame = CreatePortFrame(this, StackingPortPanel);
  const AnsiString elements = PortElementList();
  Request = NewFormRequest(this, layout_.Table, VnItemType::MVT_UMV, layout_.KeyCount, true);
  try {
    Request->AttachListView(ListView1, true);
    ClickFollowsSelection(*Request);
    Request->BindEdits(kIpItem, "%s{l16}", edtIpAddr);
    Request->BindEdits(kMacItem, "%s{l12}", edtMacAddr);
    Request->BindComboBox(layout_.StatusItem, ComboStatus);
    Request->BindElementList(layout_.PortsItem, elements, PortFrame->PortCheckBoxes.get());
    Request->SetStatusBar(StatusBar1);
    Rows.Attach(
        *Request, ListView1, nullptr, [this](bool rowSelected) { ShowRowState(rowSelected); },
        [this] { ClearEntry(); });
    Request->Get();
  } catch (const Exception& e) {
    Request->ShowRequestStatus(e.Message);
  }
}

// Edit and Delete act on the selected entry and Add makes a new one: with a
// row selected its key is locked, Edit and Delete are on and Add is off;
// without one the other way round.
void TIpMacPortTableForm::ShowRowState(bool rowSelected) {
  btnEdit->SetEnabled(rowSelected);
  btnDelete->SetEnabled(rowSelected);
  btnAdd->SetEnabled(!rowSelected);
  edtIpAddr->SetEnabled(!rowSelected);
  if (layout_.MacIsKey) edtMacAddr->SetEnabled(!rowSelected);
}

void TIpMacPortTableForm::ClearEntry() {
  edtIpAddr->SetText("");
  edtMacAddr->SetText("");
  if (PortFrame) PortFrame->ClearPorts();
}

void TIpMacPortTableForm::btnGetClick(TObject*) {
  if (!Request || Request->Busy) return;
  Rows.ReadAnew(Request,
                [this](const AnsiString& message) { Request->ShowRequestStatus(message); });
}

void TIpMacPortTableForm::ListView1Click(TObject*) { Rows.Click(); }

bool TIpMacPortTableForm::AnyPortTicked() const {
  if (!PortFrame || !PortFrame->PortCheckBoxes) return false;
  const int ports = GetPortCount(kDefaultModel);
  for (int i = 0; i < ports && i < PortFrame->PortCheckBoxes->Count(); ++i)
    if (static_cast<TCheckBox*>(PortFrame->PortCheckBoxes->Items(i))->Checked()) return true;
  return false;
}

// A new entry's MAC address is judged as typed; the selected entry's only
// when the user changed it: an address the switch holds goes back as it is.
// (The IP address of a selected entry is its key: locked, as read.)
bool TIpMacPortTableForm::CheckAddresses(bool adding) {
  if (!ValidateIpAddressText(edtIpAddr->Text())) {
    FocusIfPossible(edtIpAddr);
    return false;
  }
  if ((adding || FieldEntered(Request.get(), edtMacAddr)) &&
      !ValidateMacInput(edtMacAddr->Text())) {
    FocusIfPossible(edtMacAddr);
    return false;
  }
  return true;
}

void TIpMacPortTableForm::WriteEntry(const std::function<void(TSavedAccess&)>& leaveOut) {
  TSavedAccess saved(*Request);
  const bool taken = Rows.WriteControls(
      Request, saved,
      [this](const AnsiString& message) {
        if (Request) Request->ShowRequestStatus(message);
      },
      [&] { leaveOut(saved); });
  if (taken) btnGetClick(nullptr);
}

void TIpMacPortTableForm::btnAddClick(TObject*) {
  if (!Request || Request->Busy) return;
  if (layout_.NeedsPorts && !AnyPortTicked()) {
    ShowMessage("Please select a certain portlist to configure!");
    return;
  }
  if (!CheckAddresses(true)) return;
  ComboStatus->SetItemIndex(kRowCreateAndGoIndex);
  WriteEntry([](TSavedAccess&) {});
}

void TIpMacPortTableForm::btnEditClick(TObject*) {
  if (!Request || Request->Busy) return;
  if (!CheckAddresses(false)) return;
  WriteEntry([](TSavedAccess&) {});
}

void TIpMacPortTableForm::btnDeleteClick(TObject*) {
  if (!Request || Request->Busy) return;
  WriteEntry([this](TSavedAccess& saved) {
    saved.Invalidate(layout_.PortsItem);
    ComboStatus->SetItemIndex(kRowDestroyIndex);
  });
}

void TIpMacPortTableForm::btnCloseClick(TObject*) { Close(); }

void TIpMacPortTableForm::Button1Click(TObject*) {}

void TIpMacPortTableForm::FormClose(TObject*, TCloseAction& Action) {
  if (ListView1->Selected()) ListView1->SetSelected(nullptr);
  // The request goes first: it is bound to the grid's boxes.
  StopWaitDelete(Request);
  delete PortFrame;
  PortFrame = nullptr;
  Action = caFree;
}
