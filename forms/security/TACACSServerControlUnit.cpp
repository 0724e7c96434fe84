#include "forms/security/TACACSServerControlUnit.h"

#include "catalogue/SecurityMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TAAASrvCtrlForm* AAASrvCtrlForm = nullptr;

VN_REGISTER_FORM_OPENER(TAAASrvCtrlForm, &AAASrvCtrlForm);

TAAASrvCtrlForm::TAAASrvCtrlForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TAAASrvCtrlForm::~TAAASrvCtrlForm() = default;

void TAAASrvCtrlForm::InitComponents() {
  using F = TAAASrvCtrlForm;
  TFormBuilder B(this);
  B.Form()
      .Caption("Server Control Form")
      .Size(433, 235)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  SetName("AAASrvCtrlForm");

  B.Add(pnlBottom, "pnlBottom").Align(alClient).BevelOuter(bvNone);
  B.Add(stbResult, "stbResult").At(0, 1000, 100, 19).Align(alBottom).Panels({50});
  B.Add(pnlBtn, "pnlBtn", pnlBottom).Align(alRight).Width(110).BevelOuter(bvLowered);
  B.Add(splV_Ctrl_Btn, "splV_Ctrl_Btn", pnlBottom).Align(alRight).Width(3);
  B.Add(pnlCtrl, "pnlCtrl", pnlBottom).Align(alClient).BevelOuter(bvLowered);
  B.Add(btnSet, "btnSet", pnlBtn).At(7, 16, 96, 25).Caption("Set").OnClick(this, &F::btnSetClick);
  B.Add(btnClose, "btnClose", pnlBtn)
      .At(7, 50, 96, 25)
      .Caption("Close")
      .OnClick(this, &F::btnCloseClick);

  B.Parent(pnlCtrl);
  B.Add(lblSrvGrpName, "lblSrvGrpName").At(10, 18).Caption("Server Group Name");
  B.Add(edtSrvGrpName, "edtSrvGrpName").At(190, 14, 110, 21);
  B.Add(lblSrvIP, "lblSrvIP").At(10, 52).Caption("Server IP Address");
  B.Add(edtSrvIP, "edtSrvIP").At(190, 48, 110, 21);
  B.Add(lblAuthPtcl, "lblAuthPtcl").At(10, 86).Caption("Server Authentication Protocol");
  B.Add(cbxAuthPtcl, "cbxAuthPtcl").At(190, 82, 110, 21).Style(csDropDownList);
  B.Add(lblOper, "lblOper").At(10, 120).Caption("Operate");
  B.Add(cbxOper, "cbxOper").At(190, 116, 110, 21).Style(csDropDownList);
  B.Add(lvOper, "lvOper").At(10, 150, 41, 17).Hidden();
}

void TAAASrvCtrlForm::FormCreate(TObject*) {
  try {
    Request = NewFormRequest(this, AAASrvCtrlVars, VnItemType::MVT_UMV, 3);
    Request->AttachListView(lvOper, true);
    Request->BindEdits(AAASrvCtrlItem::kAACControlServerGroupName, "%s{l15}", edtSrvGrpName);
    Request->BindEdits(AAASrvCtrlItem::kAACControlServerIPAddress, "%s{l16}", edtSrvIP);
    Request->BindComboBox(AAASrvCtrlItem::kAACControlServerAuthProtocol, cbxAuthPtcl);
    Request->BindComboBox(AAASrvCtrlItem::kAACControlServerRowState, cbxOper);
    SetStatusTargetShown(*Request, stbResult);
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInStatusBar(stbResult, e.Message);
  }
}

void TAAASrvCtrlForm::btnSetClick(TObject*) {
  if (!Request) return;
  if (edtSrvGrpName->Text().IsEmpty()) {
    ShowMessage("Please input Server Group Name.");
    return;
  }
  if (edtSrvIP->Text().IsEmpty()) {
    ShowMessage("Please input Server IP Address.");
    return;
  }
  if (cbxAuthPtcl->ItemIndex() == -1) {
    ShowMessage("Please choose Server Authentication Protocol.");
    return;
  }
  if (cbxOper->ItemIndex() == -1) {
    ShowMessage("Please choose Operate.");
    return;
  }
  try {
    Request->Set(kSetFromControls);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(stbResult, e.Message);
  }
}

void TAAASrvCtrlForm::btnCloseClick(TObject*) { Close(); }

void TAAASrvCtrlForm::FormClose(TObject*, TCloseAction& Action) {
  StopWaitDelete(Request);
  Action = caFree;
}
