#include "forms/acl/IBPEtherMaskFormUnit.h"

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

TIBPACLEtherMaskForm* IBPACLEtherMaskForm = nullptr;

VN_REGISTER_FORM_OPENER(TIBPACLEtherMaskForm, &IBPACLEtherMaskForm);

namespace {}  // namespace

TIBPACLEtherMaskForm::TIBPACLEtherMaskForm(TComponent* AOwner) : TIBPViewForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  View.List = ListView1;
  View.StatusBar = StatusBar1;
  View.Edits = {edtID};
  View.Combo = cbxEtherType;
}

TIBPACLEtherMaskForm::~TIBPACLEtherMaskForm() = default;

void TIBPACLEtherMaskForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("IP-MAC Binding Ethernet Mask")
      .Size(535, 357)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TIBPACLEtherMaskForm::FormCreate)
      .OnClose(this, &TIBPACLEtherMaskForm::FormClose);
  SetName("IBPACLEtherMaskForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  B.Add(BT_Get, "BT_Get", Panel1)
      .At(10, 10, 96, 25)
      .Caption("Refresh")
      .OnClick(this, &TIBPACLEtherMaskForm::BT_GetClick);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 403, 170)
      .OnClick(this, &TIBPACLEtherMaskForm::ListView1Click);

  TViewRows rows(B);
  rows.Edit(edtID, "edtID", "Profile ID");
  rows.Combo(cbxEtherType, "cbxEtherType", "Use Ethernet Type");
  rows.Arrange(8, 190, 160);
}

void TIBPACLEtherMaskForm::FormCreate(TObject*) {
  try {
    CreateViewRequest(IBPACLEtherMaskVars, 1);
    Request->BindEdits(IBPACLEtherMaskItem::kProfileID, "%i{n1x14l2}", edtID);
    Request->BindComboBox(IBPACLEtherMaskItem::kEthernetType, cbxEtherType);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ReadView();
}

void TIBPACLEtherMaskForm::BT_GetClick(TObject*) { ReadView(); }

void TIBPACLEtherMaskForm::ListView1Click(TObject*) { ViewListClick(); }

void TIBPACLEtherMaskForm::FormClose(TObject*, TCloseAction& Action) {
  CloseView();
  Action = caFree;
}
