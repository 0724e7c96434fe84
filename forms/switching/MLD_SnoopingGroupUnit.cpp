#include "forms/switching/MLD_SnoopingGroupUnit.h"

#include "catalogue/MldSnoopingMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TMLD_SnoopingGroupForm* MLD_SnoopingGroupForm = nullptr;
VN_REGISTER_FORM_OPENER(TMLD_SnoopingGroupForm, &MLD_SnoopingGroupForm);

namespace {}  // namespace

TMLD_SnoopingGroupForm::TMLD_SnoopingGroupForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
}

TMLD_SnoopingGroupForm::~TMLD_SnoopingGroupForm() = default;

void TMLD_SnoopingGroupForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("MLD Snooping Group  Information")
      .Size(640, 440)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TMLD_SnoopingGroupForm::FormCreate)
      .OnClose(this, &TMLD_SnoopingGroupForm::FormClose);
  B.Add(ListView1, "ListView1")
      .At(8, 8, 516, 170)
      .OnClick(this, &TMLD_SnoopingGroupForm::ListView1Click);
  B.Add(btnGet, "btnGet")
      .At(536, 8, 92, 25)
      .Caption("Refresh")
      .OnClick(this, &TMLD_SnoopingGroupForm::btnGetClick);
  B.Add(Label1, "Label1").At(8, 192).Caption("VID");
  B.Add(stVID, "stVID").At(90, 192, 80, 17);
  B.Add(Label4, "Label4").At(350, 192).Caption("Count");
  B.Add(edtCount, "edtCount").At(430, 188, 100, 21);
  B.Add(Label2, "Label2").At(8, 220).Caption("IP Address");
  B.Add(edtIPAddress, "edtIPAddress").At(90, 216, 250, 21);
  B.Add(Label3, "Label3").At(350, 220).Caption("MAC Address");
  B.Add(edtMAC, "edtMAC").At(430, 216, 160, 21);
  B.Add(StackingPortPanel, "StackingPortPanel").At(8, 248, 620, 130).BevelOuter(bvNone);
  B.Add(StatusBar1, "StatusBar1");
}

void TMLD_SnoopingGroupForm::FormCreate(TObject*) {
  try {
    PortFrame = CreatePortFrame(this, StackingPortPanel);
    Request = NewFormRequest(this, MLDSnoopingGroupVars, VnItemType::MVT_UMV, 2);
    Request->AttachListView(ListView1, true);
    Request->BindStaticText(MLDSnoopingGroupItem::kMLDSnoopingGroupInfoVLANID, stVID);
    Request->BindEdits(MLDSnoopingGroupItem::kMLDSnoopingGroupInfoIPAddress, "%s{l32}",
                       edtIPAddress);
    Request->BindEdits(MLDSnoopingGroupItem::kMLDSnoopingGroupInfoMACAddress, "%s", edtMAC);
    Request->BindElementList(MLDSnoopingGroupItem::kMLDSnoopingGroupInfoPortMap, PortElementList(),
                             PortFrame->PortCheckBoxes.get());
    Request->BindEdits(MLDSnoopingGroupItem::kMLDSnoopingGroupInfoReportCount, "%i", edtCount);
    SetStatusTargetShown(*Request, StatusBar1);
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

void TMLD_SnoopingGroupForm::ClearEntryFields() {
  if (PortFrame) PortFrame->ClearPorts();
  stVID->SetCaption("");
  for (TEdit* edit : {edtIPAddress, edtCount, edtMAC}) edit->SetText("");
}

void TMLD_SnoopingGroupForm::btnGetClick(TObject*) {
  if (!Request) return;
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

void TMLD_SnoopingGroupForm::ListView1Click(TObject*) {
  if (!ListView1->Selected()) ClearEntryFields();
}

void TMLD_SnoopingGroupForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  Action = caFree;
}
