#include "forms/acl/IBPEtherRuleFormUnit.h"

#include "app/FormOpeners.h"
#include "catalogue/AclMib.h"
#include "forms/acl/IBPViewLayout.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TIBPEtherRuleForm* IBPEtherRuleForm = nullptr;

VN_REGISTER_FORM_OPENER(TIBPEtherRuleForm, &IBPEtherRuleForm);

namespace {}  // namespace

TIBPEtherRuleForm::TIBPEtherRuleForm(TComponent* AOwner) : TIBPViewForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  View.List = ListView1;
  View.StatusBar = StatusBar1;
  View.Edits = {edtMaskID, edtAccessID, edtRuleType};
  View.Combo = cbxPermit;
}

TIBPEtherRuleForm::~TIBPEtherRuleForm() = default;

void TIBPEtherRuleForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("IP-MAC Binding Ethernet Rule")
      .Size(652, 422)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TIBPEtherRuleForm::FormCreate)
      .OnClose(this, &TIBPEtherRuleForm::FormClose);
  SetName("IBPEtherRuleForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  B.Add(btnRefresh, "btnRefresh", Panel1)
      .At(10, 10, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &TIBPEtherRuleForm::btnRefreshClick);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 520, 150)
      .OnClick(this, &TIBPEtherRuleForm::ListView1Click);

  TViewRows rows(B);
  rows.Edit(edtMaskID, "edtMaskID", "Mask ID");
  rows.Edit(edtAccessID, "edtAccessID", "Access ID");
  rows.Edit(edtRuleType, "edtRuleType", "Rule Type");
  rows.Combo(cbxPermit, "cbxPermit", "Permit");
  rows.Arrange(8, 168, 140, 2);
  B.Add(StackingPortPanel, "StackingPortPanel").At(8, 230, 520, 130).BevelOuter(bvNone);
}

void TIBPEtherRuleForm::FormCreate(TObject*) {
  try {
    CreateViewPorts(StackingPortPanel);
    CreateViewRequest(IBPEtherRuleVars, 2);
    Request->BindEdits(IBPEtherRuleItem::kProfileID, "%i{n1x14}", edtMaskID);
    Request->BindEdits(IBPEtherRuleItem::kAccessID, "%i{n1x128}", edtAccessID);
    Request->BindEdits(IBPEtherRuleItem::kRuleType, "%s", edtRuleType);
    Request->BindComboBox(IBPEtherRuleItem::kPermit, cbxPermit);
    BindViewPorts(IBPEtherRuleItem::kPort);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ReadView();
}

void TIBPEtherRuleForm::btnRefreshClick(TObject*) { ReadView(); }

void TIBPEtherRuleForm::ListView1Click(TObject*) { ViewListClick(); }

void TIBPEtherRuleForm::FormClose(TObject*, TCloseAction& Action) {
  CloseView();
  Action = caFree;
}
