// A progress dialog that only waits: a moving bar that closes itself on the
// tick that finds it at TickLimit (one tick a second), or at once when the
// SET it waits for (WaitsFor) is refused or times out.
//
//   std::unique_ptr<TProgressForm2> dlg(Create<TProgressForm2>(this, nullptr));
//   dlg->TickLimit = 15;
//   dlg->WaitsFor(*request);           // the SET just sent
//   dlg->SetCaption("Set Config");
//   dlg->LB_Prompt->SetCaption("Active Config is doing...");
//   dlg->ShowModal();
//
// Create it through Create<> so that FormCreate starts the timer.
#pragma once

#include <memory>

#include "platform/Forms.h"

class TLabel;
class TProgressBar;
class TTimer;
class TWriteWatch;
class VnSNMPRequest2Controls;

class TProgressForm2 : public TForm {
 public:
  TProgressForm2(TComponent* AOwner, TWinControl* parent);
  ~TProgressForm2() override;
  // The dialog closes once the request's SET out fails. The request
  // outlives the dialog.
  void WaitsFor(VnSNMPRequest2Controls& request);

  TLabel* LB_Prompt = nullptr;
  TProgressBar* ProgressBar = nullptr;
  TTimer* ProgressTimer = nullptr;
  // The bar position at which the dialog closes; below the bar's Max (76).
  int TickLimit = 30;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ProgressTimerTimer(TObject* Sender);
  // The SET waited for failed (the dialog closed at once).
  bool WriteFailed() const { return writeFailed_; }

 private:
  bool writeFailed_ = false;
  std::unique_ptr<TWriteWatch> watch_;
};

extern TProgressForm2* ProgressForm2;
