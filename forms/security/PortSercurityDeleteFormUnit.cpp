#include "forms/security/PortSercurityDeleteFormUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TPrtSecDelCtrlForm* PrtSecDelCtrlForm = nullptr;
VN_REGISTER_FORM_OPENER(TPrtSecDelCtrlForm, &PrtSecDelCtrlForm);

namespace {

constexpr int kPortsPerUnit = 32;
// Port count assumed for a unit that the list does not hold.
constexpr int kUnknownUnitPorts = 50;

}  // namespace

TPrtSecDelCtrlForm::TPrtSecDelCtrlForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TPrtSecDelCtrlForm::~TPrtSecDelCtrlForm() = default;

void TPrtSecDelCtrlForm::InitComponents() {
  using F = TPrtSecDelCtrlForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("Port Sercurity Delete Control Form")
      .ClientSize(330, 126)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  B.Add(Label1, "Label1").At(16, 20).Caption("VLAN");
  B.Add(Label2, "Label2").At(16, 48).Caption("Port");
  B.Add(Label3, "Label3").At(16, 76).Caption("MAC");
  B.Add(edtVlan, "edtVlan").At(64, 16, 153, 21);
  B.Add(PortEdit, "PortEdit").At(64, 44, 153, 21);
  B.Add(edtMac, "edtMac").At(64, 72, 153, 21);
  B.Add(btnRefresh, "btnRefresh")
      .At(236, 14, 75, 25)
      .Caption("Refresh")
      .OnClick(this, &F::btnRefreshClick);
  B.Add(btnSet, "btnSet").At(236, 46, 75, 25).Caption("Set").OnClick(this, &F::btnSetClick);
  B.Add(StatusBar1, "StatusBar1").Panels({50});
  B.Add(edtPort, "edtPort").At(236, 80, 41, 21).Hidden();
  B.Add(cbxOper, "cbxOper").At(236, 104, 75, 21).Style(csDropDownList).Hidden();
  B.Add(GroupBox1, "GroupBox1").At(16, 100, 201, 22).Hidden();
  B.Add(Label4, "Label4", GroupBox1).At(8, 4).Caption("Unit : ");
  B.Add(UnitEdit, "UnitEdit", GroupBox1).At(48, 0, 41, 21);
  B.Add(Label5, "Label5", GroupBox1).At(100, 4).Caption("Port : ");
}

void TPrtSecDelCtrlForm::FormCreate(TObject*) {
  Request = NewFormRequest(this, PrtSecDelCtrlVars, VnItemType::SVT_SV, 0, true);
  try {
    Request->BindEdits(PrtSecDelCtrlItem::kDeleteVLANName, "%s{l32}", edtVlan);
    Request->BindEdits(PrtSecDelCtrlItem::kDeletePort,
                       "%i{n0x" + AnsiString(12 * kPortsPerUnit) + "l3}", edtPort);
    Request->BindEdits(PrtSecDelCtrlItem::kDeleteMACAddress, "%s{l12}", edtMac);
    Request->BindComboBox(PrtSecDelCtrlItem::kDeleteActivity, cbxOper);
    Request->SetStatusPanel(StatusBar1->Panels()->Items(0));
    Request->Get();
    ShowUnitAndPort();
  } catch (const Exception& e) {
    Request->ShowRequestStatus(e.Message);
  }
  BuildUnitList();
}

void TPrtSecDelCtrlForm::ShowUnitAndPort() {
  const int n = edtPort->Text().ToIntDef(0);
  if (n == 0) {
    Unit = 0;
    Port = 0;
  } else {
    Unit = (n - 1) / kPortsPerUnit + 1;
    Port = (n - 1) % kPortsPerUnit + 1;
  }
  UnitEdit->SetText(AnsiString(Unit));
  PortEdit->SetText(AnsiString(Port));
}

void TPrtSecDelCtrlForm::BuildUnitList() { SecurityEreaseLockUnitInfoList = MakeUnitRecords(); }

void TPrtSecDelCtrlForm::FreeUnitList() { SecurityEreaseLockUnitInfoList.clear(); }

int TPrtSecDelCtrlForm::PortCountOfUnit(int unit) const {
  if (unit < 1 || unit > 32) return kUnknownUnitPorts;
  for (const TStackUnitRecord& u : SecurityEreaseLockUnitInfoList)
    if (u.Unit == unit) return u.PortCount;
  return kUnknownUnitPorts;
}

void TPrtSecDelCtrlForm::btnRefreshClick(TObject*) {
  if (!Request) return;
  FreeUnitList();
  try {
    Request->Get();
    ShowUnitAndPort();
  } catch (const Exception& e) {
    Request->ShowRequestStatus(e.Message);
  }
  BuildUnitList();
}

bool TPrtSecDelCtrlForm::CheckPort() {
  auto focus = [](TWinControl* c) { FocusIfPossible(c); };
  const int unit = UnitEdit->Text().ToIntDef(0);
  if (unit < 1) {
    focus(UnitEdit);
    return false;
  }
  if (unit >= 13) {
    UnitEdit->SetText("0");
    PortEdit->SetText("0");
    focus(UnitEdit);
    return false;
  }
  const int port = TypedNumber(PortEdit->Text(), 0);
  if (port < 1) {
    focus(PortEdit);
    return false;
  }
  if (port > PortCountOfUnit(unit)) {
    UnitEdit->SetText("0");
    PortEdit->SetText("0");
    focus(PortEdit);
    return false;
  }
  edtPort->SetText(AnsiString((unit - 1) * kPortsPerUnit + port));
  return true;
}

bool TPrtSecDelCtrlForm::CheckMac() const {
  const AnsiString mac = edtMac->Text();
  if (mac.Length() < 12) return false;
  for (int i = 1; i <= 12; ++i) {
    const char c = mac[i];
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!hex) return false;
  }
  return true;
}

// The checks judge what the user entered: a VLAN name, port or MAC address
// the switch holds and the user left alone goes back as it is (the port as
// its global number, whatever unit it lies on).
bool TPrtSecDelCtrlForm::CheckInput() {
  if (FieldEntered(Request.get(), edtVlan) && edtVlan->Text().IsEmpty()) {
    ShowMessage("You should input VLAN name.");
    return false;
  }
  const bool portEntered =
      FieldEntered(Request.get(), PortEdit) || PortEdit->Text() != AnsiString(Port);
  if (portEntered && !CheckPort()) {
    ShowMessage("You should input valid port.");
    return false;
  }
  if (FieldEntered(Request.get(), edtMac) && !CheckMac()) {
    ShowMessage("You should input valid MAC address.");
    return false;
  }
  return true;
}

void TPrtSecDelCtrlForm::btnSetClick(TObject*) {
  if (!Request) return;
  UnitEdit->SetText("1");
  if (!CheckInput()) return;
  cbxOper->SetItemIndex(PrtSecDelCtrlDeleteActivityOption::kStart);
  try {
    Request->Set(kSetFromControlsThenRead);
  } catch (const Exception& e) {
    Request->ShowRequestStatus(e.Message);
  }
}

void TPrtSecDelCtrlForm::FormClose(TObject*, TCloseAction&) {
  StopAndWait(Request.get());
  FreeUnitList();
  Request.reset();
}
