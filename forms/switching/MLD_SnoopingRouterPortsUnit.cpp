#include "forms/switching/MLD_SnoopingRouterPortsUnit.h"

#include "catalogue/MldSnoopingMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/FormBuilder.h"

TMLD_SnoopingRouterPortsForm* MLD_SnoopingRouterPortsForm = nullptr;
VN_REGISTER_FORM_OPENER(TMLD_SnoopingRouterPortsForm, &MLD_SnoopingRouterPortsForm);

namespace {
constexpr TRouterPortsLayout kLayout = {.Caption = "MLD Snooping Router Ports Form",
                                        .Width = 671,
                                        .Height = 472,
                                        .ListWidth = 540,
                                        .ButtonsLeft = 564,
                                        .VlanIdCaption = "VID",
                                        .VlanIdLeft = 60,
                                        .TabsWidth = 648,
                                        .TabsHeight = 190};
}  // namespace

TMLD_SnoopingRouterPortsForm::TMLD_SnoopingRouterPortsForm(TComponent* AOwner)
    : TRouterPortsForm(AOwner, MLDSnoopingRouterPortsVars,
                       MLDSnoopingRouterPortsItem::kRouterStaticPortList) {
  TFormBuilder B(this);
  BuildComponents(B, kLayout);
  B.Form().OnCloseQuery(this, &TMLD_SnoopingRouterPortsForm::FormCloseQuery);
  B.Add(StatusBar1, "StatusBar1");
  ScaleFormForScreen(this);
}

TMLD_SnoopingRouterPortsForm::~TMLD_SnoopingRouterPortsForm() = default;

void TMLD_SnoopingRouterPortsForm::AttachStatus() { SetStatusTargetShown(*Request, StatusBar1); }

void TMLD_SnoopingRouterPortsForm::ShowFailure(const AnsiString& message) {
  ShowFailureInStatusBar(StatusBar1, message);
}

void TMLD_SnoopingRouterPortsForm::FormCloseQuery(TObject*, bool& CanClose) {
  RefuseCloseWhileBusy({Request.get()}, CanClose);
}
