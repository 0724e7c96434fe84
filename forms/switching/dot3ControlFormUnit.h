// The EtherLike-MIB MAC-control table: each port's supported MAC-control
// functions, and the selected port's count of unknown opcodes received.
#pragma once

#include "forms/switching/Dot3FormBase.h"

class TCheckBox;

class Tdot3ControlForm : public TDot3FormBase {
 public:
  explicit Tdot3ControlForm(TComponent* AOwner);

  // Elements 0 to 7 of "Function Supported"; only CheckBox1 is shown.
  TCheckBox* CheckBox1 = nullptr;
  TCheckBox* CheckBox2 = nullptr;
  TCheckBox* CheckBox3 = nullptr;
  TCheckBox* CheckBox4 = nullptr;
  TCheckBox* CheckBox5 = nullptr;
  TCheckBox* CheckBox6 = nullptr;
  TCheckBox* CheckBox7 = nullptr;
  TCheckBox* CheckBox8 = nullptr;

 protected:
  void BindPortControls() override;
  void ResetPortControls() override;
  void PortsRead() override;
};

extern Tdot3ControlForm* dot3ControlForm;
