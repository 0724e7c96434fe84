#include "forms/switching/MSTPPortStateEditFormUnit.h"

#include "catalogue/DeviceMib.h"
#include "forms/common/AwaitedSet.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/MSTPPortStateFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TMSTPPortStateEditForm* MSTPPortStateEditForm = nullptr;

namespace {

namespace Item = MSTPPortStateMSTPPortOperHelloTimeItem;

}  // namespace

TMSTPPortStateEditForm::TMSTPPortStateEditForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TMSTPPortStateEditForm::~TMSTPPortStateEditForm() {
  if (MSTPPortStateEditForm == this) MSTPPortStateEditForm = nullptr;
}

void TMSTPPortStateEditForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("MSTP Port State Edit ")
      .ClientSize(520, 262)
      .Position(poScreenCenter)
      .BorderStyle(bsDialog)
      .OnActivate(this, &TMSTPPortStateEditForm::FormActivate);
  int row = 0;
  int labels = 0;
  auto place = [&](const char* caption, int column) {
    const int left = column == 0 ? 12 : 268;
    const int top = 14 + row * 30;
    TLabel* label = nullptr;
    const AnsiString name = "Label" + IntToStr(++labels);
    B.Add(label, name.c_str()).At(left, top + 4).Caption(caption);
    return std::pair<int, int>(left + 118, top);
  };
  auto edit = [&](TEdit*& e, const char* name, const char* caption, int column) {
    auto [x, y] = place(caption, column);
    B.Add(e, name).At(x, y, 120, 21);
    if (column == 1) ++row;
  };
  auto combo = [&](TComboBox*& c, const char* name, const char* caption, int column) {
    auto [x, y] = place(caption, column);
    B.Add(c, name).At(x, y, 120, 21).Style(csDropDownList);
    if (column == 1) ++row;
  };
  edit(edtPortIndex, "edtPortIndex", "Port Index", 0);
  combo(cbxPortEnable, "cbxPortEnable", "Port Enable", 1);
  edit(edtAdminHelloTime, "edtAdminHelloTime", "Admin Hello Time", 0);
  edit(edtOperHelloTime, "edtOperHelloTime", "Operate Hello Time", 1);
  edit(edtExtPathCost, "edtExtPathCost", "External Path Cost", 0);
  combo(cbxMigration, "cbxMigration", "Migration", 1);
  combo(cbxAdminEdgePort, "cbxAdminEdgePort", "Admin Edge", 0);
  combo(cbxOperEdgePort, "cbxOperEdgePort", "Operate Edge", 1);
  combo(cbxAdminP2P, "cbxAdminP2P", "Admin P2P", 0);
  combo(cbxOperP2P, "cbxOperP2P", "Operate P2P", 1);
  combo(cbxSTPRole, "cbxSTPRole", "Restricted Role", 0);
  combo(cbxSTPTCN, "cbxSTPTCN", "Restricted TCN", 1);
  // Kept hidden: no code shows them.
  TLabel* lbd = nullptr;
  TLabel* flt = nullptr;
  B.Add(lbd, "Label13").At(12, 14 + row * 30 + 4).Caption("Loopback Detection").Hidden();
  B.Add(cbxSTPlbd, "cbxSTPlbd").At(130, 14 + row * 30, 120, 21).Style(csDropDownList).Hidden();
  B.Add(flt, "Label14").At(268, 14 + row * 30 + 4).Caption("BPDU Filtering").Hidden();
  B.Add(cbxBPDUFlt, "cbxBPDUFlt").At(386, 14 + row * 30, 120, 21).Style(csDropDownList).Hidden();
  B.Add(btnEdit, "btnEdit")
      .At(164, 226, 88, 25)
      .Caption("Set")
      .OnClick(this, &TMSTPPortStateEditForm::btnEditClick);
  B.Add(btnClose, "btnClose")
      .At(268, 226, 88, 25)
      .Caption("Close")
      .OnClick(this, &TMSTPPortStateEditForm::btnCloseClick);
}

void TMSTPPortStateEditForm::FormActivate(TObject*) {
  edtPortIndex->SetEnabled(false);
  edtOperHelloTime->SetEnabled(false);
  cbxOperEdgePort->SetEnabled(false);
  cbxOperP2P->SetEnabled(false);
}

// The dialog closes once the switch has taken what was typed; refused,
// timed out or not sent, it stays open with it (the failure is the list
// form's last line) for the user to correct or close.
void TMSTPPortStateEditForm::btnEditClick(TObject*) {
  TMSTPPortStateForm* parent = MSTPPortStateForm;
  if (!parent || !parent->Request) return;
  VnSNMPRequest2Edits& request = *parent->Request;
  if (request.Busy) return;  // the dialog stays open
  try {
    const AnsiString version = parent->lblSTPVersion->Caption();
    if (version == "mstp") {
      // The port's hello time alone first, then the other settings.
      TAwaitedSet first(parent->Request);
      {
        TSavedAccess access(request);  // written back on every path
        access.InvalidateAllBut({Item::kMSTPPortAdminHelloTime});
        request.Request.VarList.Item(Item::kMSTPPortAdminHelloTime)->Access = SNMP_ACCESS_READWRITE;
        request.Set(kSetFromControls);
      }
      if (!first.Taken()) return;
      TAwaitedSet second(parent->Request);
      {
        TSavedAccess access(request);
        access.InvalidateAllBut({Item::kMSTPPortAdminHelloTime});
        for (int i :
             {Item::kMSTPSTPPortEnable, Item::kMSTPPortExternalPathCost, Item::kMSTPPortMigration,
              Item::kMSTPPortAdminEdgePort, Item::kMSTPPortAdminP2P, Item::kMSTPPortBPDUFiltering,
              Item::kMSTPPortRestrictedRole, Item::kMSTPPortRestrictedTCN})
          request.Request.VarList.Item(i)->Access = SNMP_ACCESS_READWRITE;
        for (int i : {Item::kMSTPPort, Item::kMSTPPortOperHelloTime, Item::kMSTPPortOperEdgePort,
                      Item::kMSTPPortOperP2P})
          request.Request.VarList.Item(i)->Access = SNMP_ACCESS_READONLY;
        request.Request.VarList.Item(Item::kMSTPPortAdminHelloTime)->Access = SNMP_ACCESS_INVALID;
        request.Set(kSetFromControls);
      }
      if (!second.Taken()) return;
    } else {
      // stp and rstp have no per-port hello time.
      TAwaitedSet answer(parent->Request);
      {
        TSavedAccess access(request);
        access.Invalidate(Item::kMSTPPortAdminHelloTime);
        request.Set(kSetFromControls);
      }
      if (!answer.Taken()) return;
    }
    request.Get();
  } catch (...) {
    ShowFailureInMemo(parent->memMsg, CurrentMessage());
    return;
  }
  Close();
}

void TMSTPPortStateEditForm::btnCloseClick(TObject*) { Close(); }
