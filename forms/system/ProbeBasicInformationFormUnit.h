// The switch's RMON probe information: its capabilities and software
// revision, and the probe's reset control, which "Set" writes at once (no
// confirmation, also for a warm or cold boot). The request is synchronous;
// failures show in the status bar.
#pragma once

#include <memory>

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TStaticText;
class TStatusBar;
class VnSNMPRequest2Edits;

class TProbeBasicInformationForm : public TForm {
 public:
  explicit TProbeBasicInformationForm(TComponent* AOwner);
  ~TProbeBasicInformationForm() override;

  TLabel* Label1 = nullptr;  // "Capabilities"
  TStaticText* stCap = nullptr;
  TLabel* Label2 = nullptr;  // "Software Revision"
  TStaticText* stSoftware = nullptr;
  TLabel* Label3 = nullptr;  // "Hardware Revision" (hidden, never filled)
  TStaticText* stHardware = nullptr;
  TLabel* Label4 = nullptr;  // "Reset Control"
  TComboBox* cbxReset = nullptr;
  TEdit* edtCap = nullptr;    // hidden: the capabilities value as read
  TButton* btnGet = nullptr;  // "Refresh"
  TButton* btnSet = nullptr;  // "Set"
  TStatusBar* StatusBar1 = nullptr;

  // Owned by the form; created in FormCreate, deleted when the form closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

  void FormCreate(TObject* Sender);
  void btnGetClick(TObject* Sender);
  void btnSetClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  void InitComponents();
  void ReadDevice();
};

extern TProbeBasicInformationForm* ProbeBasicInformationForm;

// What the capabilities field shows, set when a form is constructed.
extern AnsiString ProbeCapabilitiesText;
