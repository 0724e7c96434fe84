#include "forms/acl/IBPIPRuleFormUnit.h"

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

TIBPIPRuleForm* IBPIPRuleForm = nullptr;

VN_REGISTER_FORM_OPENER(TIBPIPRuleForm, &IBPIPRuleForm);

namespace {}  // namespace

TIBPIPRuleForm::TIBPIPRuleForm(TComponent* AOwner) : TIBPViewForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  View.List = ListView1;
  View.StatusBar = StatusBar1;
  View.Edits = {edtMaskID, edtAccessID, edtSrcMac, edtSrcIP};
  View.Combo = cbxPermit;
}

TIBPIPRuleForm::~TIBPIPRuleForm() = default;

void TIBPIPRuleForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("IP-MAC Binding IP Rule")
      .Size(681, 477)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TIBPIPRuleForm::FormCreate)
      .OnClose(this, &TIBPIPRuleForm::FormClose);
  SetName("IBPIPRuleForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  B.Add(btnRefresh, "btnRefresh", Panel1)
      .At(10, 10, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &TIBPIPRuleForm::btnRefreshClick);
  B.Add(ListView1, "ListView1").At(8, 8, 549, 170).OnClick(this, &TIBPIPRuleForm::ListView1Click);

  TViewRows rows(B);
  rows.Edit(edtMaskID, "edtMaskID", "Mask ID");
  rows.Edit(edtAccessID, "edtAccessID", "Access ID");
  rows.Edit(edtSrcMac, "edtSrcMac", "Source MAC Address");
  rows.Edit(edtSrcIP, "edtSrcIP", "Source IP Address");
  rows.Combo(cbxPermit, "cbxPermit", "Permit");
  rows.Arrange(8, 188, 150, 2);
  B.Add(StackingPortPanel, "StackingPortPanel").At(8, 280, 540, 120).BevelOuter(bvNone);
}

void TIBPIPRuleForm::FormCreate(TObject*) {
  try {
    CreateViewPorts(StackingPortPanel);
    CreateViewRequest(IBPIPRuleVars, 2);
    Request->BindEdits(IBPIPRuleItem::kProfileID, "%i{n1x14}", edtMaskID);
    Request->BindEdits(IBPIPRuleItem::kAccessID, "%i{n1x128}", edtAccessID);
    Request->BindEdits(IBPIPRuleItem::kSourceMACAddress, "%s", edtSrcMac);
    Request->BindEdits(IBPIPRuleItem::kSourceIPAddress, "%s", edtSrcIP);
    Request->BindComboBox(IBPIPRuleItem::kPermit, cbxPermit);
    BindViewPorts(IBPIPRuleItem::kPort);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ReadView();
}

void TIBPIPRuleForm::btnRefreshClick(TObject*) { ReadView(); }

void TIBPIPRuleForm::ListView1Click(TObject*) { ViewListClick(); }

void TIBPIPRuleForm::FormClose(TObject*, TCloseAction& Action) {
  CloseView();
  Action = caFree;
}
