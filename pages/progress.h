// The spanning-tree enable progress dialog: sends the spanning-tree form's
// SET while it is being built, then shows a moving bar for 30 ticks of one
// second and closes itself, or at once when the device refuses the SET or
// it times out (the request shows why).
//
//   std::unique_ptr<TProgressForm> dlg(Create<TProgressForm>(this, nullptr));
//   dlg->SetCaption("Enable STP Progress");
//   dlg->LB_Prompt->SetCaption("Enable STP is doing...");
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

class TProgressForm : public TForm {
 public:
  // Sends Set(getAfterSet true, values from the controls) on the request
  // that GetSpanningTreeRequest returns; an exception of that Set leaves the
  // constructor. `parent` is normally null.
  TProgressForm(TComponent* AOwner, TWinControl* parent);
  ~TProgressForm() override;

  TLabel* LB_Prompt = nullptr;
  TProgressBar* ProgressBar = nullptr;
  TTimer* ProgressTimer = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ProgressTimerTimer(TObject* Sender);
  // The SET waited for failed (the dialog closed at once).
  bool WriteFailed() const { return writeFailed_; }

 private:
  bool writeFailed_ = false;
  std::unique_ptr<TWriteWatch> watch_;  // on the SET it sent
};

extern TProgressForm* ProgressForm;

// The request of the open spanning-tree form, or null when none is open.
// The spanning-tree form's unit installs the function; without one, or when
// it gives null, the dialog sends nothing and only waits.
using TSpanningTreeRequestSource = VnSNMPRequest2Controls* (*)();
extern TSpanningTreeRequestSource GetSpanningTreeRequest;

// Builds the components shared by both progress dialogs (one resource).
void BuildProgressComponents(TForm* form, TLabel*& prompt, TProgressBar*& bar, TTimer*& timer);
