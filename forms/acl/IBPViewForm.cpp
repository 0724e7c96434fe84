#include "forms/acl/IBPViewForm.h"

#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/StdCtrls.h"

TIBPViewForm::TIBPViewForm(TComponent* AOwner) : TForm(AOwner) {}

TIBPViewForm::~TIBPViewForm() = default;

void TIBPViewForm::CreateViewPorts(TWinControl* host) {
  View.Ports = CreatePortFrame(this, host, 12, 1);
}

void TIBPViewForm::CreateViewRequest(const VnSNMPVarDesc* table, int keyCount) {
  Request = NewFormRequest(this, table, VnItemType::MVT_UMV, keyCount, true);
  Request->AttachListView(View.List, true);
  ClickFollowsSelection(*Request);
  SetStatusTargetShown(*Request, View.StatusBar);
}

void TIBPViewForm::BindViewPorts(int item) {
  if (View.Ports && View.Ports->PortCheckBoxes)
    Request->BindElementList(item, PortElementList(), View.Ports->PortCheckBoxes.get());
}

void TIBPViewForm::ClearViewEdits() {
  for (TEdit* e : View.Edits) e->SetText("");
  if (View.Combo) {
    View.Combo->SetItemIndex(-1);
    View.Combo->SetEnabled(false);
  }
  if (View.Ports) View.Ports->ClearPorts();
}

void TIBPViewForm::ReadView() {
  try {
    if (Request) Request->Get();
  } catch (const Exception& e) {
    ShowFailureInStatusBar(View.StatusBar, e.Message);
  }
  ClearViewEdits();
}

void TIBPViewForm::ViewListClick() {
  if (!View.List->Selected()) {
    ClearViewEdits();
    return;
  }
  if (View.Combo) View.Combo->SetEnabled(false);
}

void TIBPViewForm::CloseView() {
  if (View.List && View.List->Selected()) View.List->SetSelected(nullptr);
  delete View.Ports;
  View.Ports = nullptr;
  StopWaitDelete(Request);
}
