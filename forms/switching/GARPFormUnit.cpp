#include "forms/switching/GARPFormUnit.h"

#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormHost.h"
#include "pages/FormOpeners.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TGARPForm* GARPForm = nullptr;

VN_REGISTER_FORM_OPENER(TGARPForm, &GARPForm);

namespace {

constexpr const char* kTimerFormat = "%i{n0x2147483647l10}";

}  // namespace

TGARPForm::TGARPForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TGARPForm::~TGARPForm() = default;

void TGARPForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("GARP Form")
      .ClientSize(560, 330)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TGARPForm::FormCreate)
      .OnClose(this, &TGARPForm::FormClose);
  B.Add(LV_dot1dPortGarpEntry, "LV_dot1dPortGarpEntry")
      .At(8, 8, 448, 240)
      .OnChange(this, &TGARPForm::LV_dot1dPortGarpEntryChange);
  B.Add(RefreshBtn, "RefreshBtn")
      .At(468, 8, 84, 25)
      .Caption("Refresh")
      .OnClick(this, &TGARPForm::RefreshBtnClick);
  B.Add(SetBtn, "SetBtn").At(468, 40, 84, 25).Caption("Set").Hidden();
  B.Add(Label4, "Label4").At(468, 230).Caption("Samples");
  B.Add(ST_Count, "ST_Count").At(518, 230, 34, 17).Caption("0");

  B.Add(Panel5, "Panel5").At(8, 254, 448, 88).Hidden();
  B.Add(Label1, "Label1", Panel5).At(8, 10).Caption("GARP Join Time           (0....2147483647)");
  B.Add(GarpJoinTime, "GarpJoinTime", Panel5).At(250, 6, 100, 21);
  B.Add(Label5, "Label5", Panel5).At(358, 10).Caption("Centiseconds");
  B.Add(Label2, "Label2", Panel5).At(8, 36).Caption("GARP Leave Time       (0....2147483647)");
  B.Add(GarpLeaveTime, "GarpLeaveTime", Panel5).At(250, 32, 100, 21);
  B.Add(Label6, "Label6", Panel5).At(358, 36).Caption("Centiseconds");
  B.Add(Label3, "Label3", Panel5).At(8, 62).Caption("GARP Leave All Time   (0....2147483647)");
  B.Add(GarpLeaveAllTime, "GarpLeaveAllTime", Panel5).At(250, 58, 100, 21);
  B.Add(Label7, "Label7", Panel5).At(358, 62).Caption("Centiseconds");

  B.Add(Memo1, "Memo1").At(8, 256, 544, 66).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TGARPForm::FormCreate(TObject*) {
  TSharedIdleFlags& flags = FormHost().IdleFlags();
  Request = NewFormRequest(this, GARPVars, VnItemType::MVT_FMV, 1);
  Request->AttachListView(LV_dot1dPortGarpEntry, true);
  Request->BindEdits(GARPItem::kGARPJoinTime, kTimerFormat, GarpJoinTime);
  Request->BindEdits(GARPItem::kGARPLeaveTime, kTimerFormat, GarpLeaveTime);
  Request->BindEdits(GARPItem::kGARPLeaveAllTime, kTimerFormat, GarpLeaveAllTime);
  Request->SetStatusMemo(Memo1);
  Request->OnGetDone = VnRequestDoneEvent(&flags, &TSharedIdleFlags::MarkIdle);
  flags.RefreshIdle = 0;
  try {
    Request->Get();
  } catch (const Exception& e) {
    // No walk runs, so no completion will mark the flags: both are set
    // here, or Refresh would stay locked while SetIdle is still 0.
    flags.RefreshIdle = 1;
    flags.SetIdle = 1;
    ShowFailureInMemo(Memo1, e.Message);
  }
  ShowCount();
}

void TGARPForm::ShowCount() { ShowRowCount(LV_dot1dPortGarpEntry, ST_Count); }

void TGARPForm::RefreshBtnClick(TObject*) {
  TSharedIdleFlags& flags = FormHost().IdleFlags();
  // During a walk a click is ignored.
  if (!flags.RefreshIdle || !flags.SetIdle) return;
  flags.RefreshIdle = 0;
  try {
    Request->Get();
  } catch (const Exception& e) {
    flags.RefreshIdle = 1;
    ShowFailureInMemo(Memo1, e.Message);
  }
  ShowCount();
}

void TGARPForm::LV_dot1dPortGarpEntryChange(TObject*, TListItem*, TItemChange) { ShowCount(); }

void TGARPForm::FormClose(TObject*, TCloseAction& Action) {
  LV_dot1dPortGarpEntry->SetSelected(nullptr);
  StopWaitDelete(Request);
  Action = caFree;
}
