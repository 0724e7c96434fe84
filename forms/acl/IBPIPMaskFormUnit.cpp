#include "forms/acl/IBPIPMaskFormUnit.h"

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

TIBPIPMaskForm* IBPIPMaskForm = nullptr;

VN_REGISTER_FORM_OPENER(TIBPIPMaskForm, &IBPIPMaskForm);

namespace {}  // namespace

TIBPIPMaskForm::TIBPIPMaskForm(TComponent* AOwner) : TIBPViewForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  View.List = ListView1;
  View.StatusBar = StatusBar1;
  View.Edits = {edtID, edtSrcMacMask, edtSrcIPMask};
}

TIBPIPMaskForm::~TIBPIPMaskForm() = default;

void TIBPIPMaskForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("IP-MAC Binding IP Mask")
      .Size(657, 347)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TIBPIPMaskForm::FormCreate)
      .OnClose(this, &TIBPIPMaskForm::FormClose);
  SetName("IBPIPMaskForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  B.Add(BT_Get, "BT_Get", Panel1)
      .At(10, 10, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &TIBPIPMaskForm::BT_GetClick);
  B.Add(ListView1, "ListView1").At(8, 8, 525, 160).OnClick(this, &TIBPIPMaskForm::ListView1Click);

  TViewRows rows(B);
  rows.Edit(edtID, "edtID", "Profile ID");
  rows.Edit(edtSrcMacMask, "edtSrcMacMask", "Source MAC Address Mask");
  rows.Edit(edtSrcIPMask, "edtSrcIPMask", "Source IP Address Mask");
  rows.Arrange(8, 180, 160);
}

void TIBPIPMaskForm::FormCreate(TObject*) {
  try {
    CreateViewRequest(IBPIPMaskVars, 1);
    Request->BindEdits(IBPIPMaskItem::kProfileID, "%i{n1x14l2}", edtID);
    Request->BindEdits(IBPIPMaskItem::kSourceMACAddressMask, "%s", edtSrcMacMask);
    Request->BindEdits(IBPIPMaskItem::kSourceIPAddressMask, "%s", edtSrcIPMask);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ReadView();
}

void TIBPIPMaskForm::BT_GetClick(TObject*) { ReadView(); }

void TIBPIPMaskForm::ListView1Click(TObject*) { ViewListClick(); }

void TIBPIPMaskForm::FormClose(TObject*, TCloseAction& Action) {
  CloseView();
  Action = caFree;
}
