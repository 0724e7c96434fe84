#include "forms/switching/PortCapabilities8021dFormUnit.h"

#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormHost.h"
#include "pages/FormOpeners.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TPortCapabilities8021dForm* PortCapabilities8021dForm = nullptr;

VN_REGISTER_FORM_OPENER(TPortCapabilities8021dForm, &PortCapabilities8021dForm);

TPortCapabilities8021dForm::TPortCapabilities8021dForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TPortCapabilities8021dForm::~TPortCapabilities8021dForm() = default;

void TPortCapabilities8021dForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Port Capability Form")
      .ClientSize(440, 330)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TPortCapabilities8021dForm::FormCreate)
      .OnClose(this, &TPortCapabilities8021dForm::FormClose);
  B.Add(LV_dot1dPortCapabilitiesEntry, "LV_dot1dPortCapabilitiesEntry").At(8, 8, 328, 240);
  LV_dot1dPortCapabilitiesEntry->OnChanging =
      TLVChangingEvent(this, &TPortCapabilities8021dForm::LV_dot1dPortCapabilitiesEntryChanging);
  B.Add(RefreshBtn, "RefreshBtn")
      .At(348, 8, 84, 25)
      .Caption("Refresh")
      .OnClick(this, &TPortCapabilities8021dForm::RefreshBtnClick);
  B.Add(Label1, "Label1").At(348, 230).Caption("Samples");
  B.Add(ST_Count, "ST_Count").At(398, 230, 34, 17).Caption("0");
  B.Add(Memo1, "Memo1").At(8, 256, 424, 66).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TPortCapabilities8021dForm::FormCreate(TObject*) {
  TSharedIdleFlags& flags = FormHost().IdleFlags();
  // The port number is not requested: it comes from each row's instance.
  Request = NewFormRequest(this, PortCapabilities8021dVars, VnItemType::MVT_FMV, 1);
  Request->AttachListView(LV_dot1dPortCapabilitiesEntry, true);
  Request->SetStatusMemo(Memo1);
  Request->OnGetDone = VnRequestDoneEvent(&flags, &TSharedIdleFlags::MarkIdle);
  flags.RefreshIdle = 0;
  try {
    Request->Get();
  } catch (const Exception& e) {
    flags.RefreshIdle = 1;
    ShowFailureInMemo(Memo1, e.Message);
  }
  ShowCount();
}

void TPortCapabilities8021dForm::ShowCount() {
  ShowRowCount(LV_dot1dPortCapabilitiesEntry, ST_Count);
}

void TPortCapabilities8021dForm::RefreshBtnClick(TObject*) {
  TSharedIdleFlags& flags = FormHost().IdleFlags();
  // During a walk a click is ignored.
  if (!flags.RefreshIdle) return;
  flags.RefreshIdle = 0;
  try {
    Request->Get();
  } catch (const Exception& e) {
    flags.RefreshIdle = 1;
    ShowFailureInMemo(Memo1, e.Message);
  }
  ShowCount();
}

void TPortCapabilities8021dForm::LV_dot1dPortCapabilitiesEntryChanging(TObject*, TListItem*,
                                                                       TItemChange, bool&) {
  ShowCount();
}

void TPortCapabilities8021dForm::FormClose(TObject*, TCloseAction& Action) {
  LV_dot1dPortCapabilitiesEntry->SetSelected(nullptr);
  StopWaitDelete(Request);
  Action = caFree;
}
