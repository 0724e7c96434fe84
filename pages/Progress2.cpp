#include "pages/Progress2.h"

#include "pages/WriteWatch.h"
#include "pages/progress.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

TProgressForm2* ProgressForm2 = nullptr;

TProgressForm2::TProgressForm2(TComponent* AOwner, TWinControl* parent) : TForm(AOwner) {
  BuildProgressComponents(this, LB_Prompt, ProgressBar, ProgressTimer);
  SetName("ProgressForm2");
  OnCreate = TNotifyEvent(this, &TProgressForm2::FormCreate);
  OnClose = TCloseEvent(this, &TProgressForm2::FormClose);
  ProgressTimer->OnTimer = TNotifyEvent(this, &TProgressForm2::ProgressTimerTimer);
  TickLimit = 30;
  SetParent(parent);
}

TProgressForm2::~TProgressForm2() = default;

void TProgressForm2::WaitsFor(VnSNMPRequest2Controls& request) {
  watch_ = std::make_unique<TWriteWatch>(request, [this](bool taken) {
    if (taken) return;
    writeFailed_ = true;
    SetModalResult(mrCancel);
  });
}

void TProgressForm2::FormCreate(TObject*) { ProgressTimer->SetEnabled(true); }

void TProgressForm2::FormClose(TObject*, TCloseAction&) {
  ProgressTimer->SetEnabled(false);
  SetParent(nullptr);
}

void TProgressForm2::ProgressTimerTimer(TObject*) {
  if (ProgressBar->Position() < TickLimit) {
    ProgressBar->SetPosition(ProgressBar->Position() + 1);
    if (ProgressBar->Position() == ProgressBar->Max()) ProgressBar->SetPosition(ProgressBar->Min());
  } else {
    Close();
  }
}
