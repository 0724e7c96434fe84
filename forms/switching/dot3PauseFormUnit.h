// The EtherLike-MIB pause table: each port's pause admin and oper modes, the
// admin mode settable, and the selected port's pause frames in and out.
#pragma once

#include "forms/switching/Dot3FormBase.h"

class TEdit;

class Tdot3PauseForm : public TDot3FormBase {
 public:
  explicit Tdot3PauseForm(TComponent* AOwner);

  TEdit* edtIndex = nullptr;  // hidden: the selected port
  TLabel* Label2 = nullptr;   // "Admin Mode"
  TComboBox* cbxAdminMode = nullptr;
  TButton* btnSet = nullptr;
  TButton* btnStop = nullptr;

  void btnSetClick(TObject* Sender);
  void btnStopClick(TObject* Sender);

 protected:
  void BindPortControls() override;
  void ResetPortControls() override;
  void PortsRead() override;
  // Set is on while a port is chosen and the ports are not being read.
  void ShowPortState(bool portChosen) override;
};

extern Tdot3PauseForm* dot3PauseForm;
