#include "forms/switching/dot3ControlFormUnit.h"

#include "catalogue/DeviceMib.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

Tdot3ControlForm* dot3ControlForm = nullptr;

VN_REGISTER_FORM_OPENER(Tdot3ControlForm, &dot3ControlForm);

namespace {}  // namespace

Tdot3ControlForm::Tdot3ControlForm(TComponent* AOwner)
    : TDot3FormBase(AOwner, "dot3ControlForm", Dot3ControlFunctionSupportedVars,
                    Dot3ControlReceivedUnknownOpcodeVars, {"Recived Unknown Opcodes"}) {
  TFormBuilder B(this);
  TCheckBox** boxes[] = {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4,
                         &CheckBox5, &CheckBox6, &CheckBox7, &CheckBox8};
  for (int i = 0; i < 8; ++i) {
    auto box = B.Add(*boxes[i], "CheckBox" + AnsiString(i + 1))
                   .At(kSideLeft, 124 + 22 * i, 120, 17)
                   .Caption("pause");
    if (i > 0) box.Hidden();
  }
}

void Tdot3ControlForm::BindPortControls() {
  Request->BindElements(Dot3ControlFunctionSupportedItem::kFunctionSupported, "0,1,2,3,4,5,6,7",
                        CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7,
                        CheckBox8);
}

void Tdot3ControlForm::ResetPortControls() {
  for (TCheckBox* box :
       {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8})
    if (box->Visible()) box->SetChecked(false);
}

void Tdot3ControlForm::PortsRead() {
  for (TCheckBox* box :
       {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8})
    if (box->Visible()) box->SetEnabled(true);
}
