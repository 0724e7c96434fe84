#include "pages/progress.h"

#include "library/VnSNMPRequest2Controls.h"
#include "pages/WriteWatch.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TProgressForm* ProgressForm = nullptr;
TSpanningTreeRequestSource GetSpanningTreeRequest = nullptr;

namespace {
// The bar position at which the enable dialog closes.
constexpr int kTickLimit = 30;
}  // namespace

void BuildProgressComponents(TForm* form, TLabel*& prompt, TProgressBar*& bar, TTimer*& timer) {
  TFormBuilder B(form);
  B.Form()
      .Caption("Progress")
      .BorderStyle(bsDialog)
      .BorderIcons(0)
      .ClientSize(358, 66)
      .Position(poMainFormCenter)
      .Font("MS Sans Serif", -11);
  B.Add(prompt, "LB_Prompt").At(16, 7).Bold();
  B.Add(bar, "ProgressBar").At(16, 32, 329, 16).Range(0, 76);
  B.Add(timer, "ProgressTimer").Interval(1000).Enabled(false);
}

TProgressForm::TProgressForm(TComponent* AOwner, TWinControl* parent) : TForm(AOwner) {
  BuildProgressComponents(this, LB_Prompt, ProgressBar, ProgressTimer);
  SetName("ProgressForm");
  OnCreate = TNotifyEvent(this, &TProgressForm::FormCreate);
  OnClose = TCloseEvent(this, &TProgressForm::FormClose);
  ProgressTimer->OnTimer = TNotifyEvent(this, &TProgressForm::ProgressTimerTimer);
  SetParent(parent);
  // The enable setting is sent while the dialog is being built; the dialog
  // waits no longer once the device has failed it.
  if (VnSNMPRequest2Controls* request =
          GetSpanningTreeRequest ? GetSpanningTreeRequest() : nullptr) {
    watch_ = std::make_unique<TWriteWatch>(*request, [this](bool taken) {
      if (taken) return;
      writeFailed_ = true;
      SetModalResult(mrCancel);
    });
    request->Set(kSetFromControlsThenRead);
  }
}

TProgressForm::~TProgressForm() = default;

void TProgressForm::FormCreate(TObject*) { ProgressTimer->SetEnabled(true); }

void TProgressForm::FormClose(TObject*, TCloseAction&) {
  ProgressTimer->SetEnabled(false);
  SetParent(nullptr);
}

void TProgressForm::ProgressTimerTimer(TObject*) {
  if (ProgressBar->Position() < kTickLimit) {
    ProgressBar->SetPosition(ProgressBar->Position() + 1);
    if (ProgressBar->Position() == ProgressBar->Max()) ProgressBar->SetPosition(ProgressBar->Min());
  } else {
    Close();
  }
}
