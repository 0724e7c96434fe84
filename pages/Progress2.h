// A progress dialog that only waits: a moving bar that closes itself on the
// tick that finds it at TickLimit (one tick a second).
//
//   std::unique_ptr<TProgressForm2> dlg(Create<TProgressForm2>(this, nullptr));
//   dlg->TickLimit = 15;
//   dlg->SetCaption("Set Config");
//   dlg->LB_Prompt->SetCaption("Active Config is doing...");
//   dlg->ShowModal();
//
// Create it through Create<> so that FormCreate starts the timer.
#pragma once

#include "platform/Forms.h"

class TLabel;
class TProgressBar;
class TTimer;

class TProgressForm2 : public TForm {
 public:
  TProgressForm2(TComponent* AOwner, TWinControl* parent);

  TLabel* LB_Prompt = nullptr;
  TProgressBar* ProgressBar = nullptr;
  TTimer* ProgressTimer = nullptr;
  // The bar position at which the dialog closes; below the bar's Max (76).
  int TickLimit = 30;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ProgressTimerTimer(TObject* Sender);
};

extern TProgressForm2* ProgressForm2;
