#include "forms/system/PingControlTableFormEditUnit.h"

#include "forms/system/PingControlTableFormUnit.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TPingcrtlEditForm* PingcrtlEditForm = nullptr;

TPingcrtlEditForm::TPingcrtlEditForm(TComponent* AOwner) : TTestControlEditForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TPingcrtlEditForm::~TPingcrtlEditForm() = default;

void TPingcrtlEditForm::InitComponents() {
  TFormBuilder B(this);
  B.Form().Caption("Ping Control Table Edit");
  AddRow(B, IndexCBox, "IndexCBox", "Owner Index", IndexEdit, "IndexEdit", 18);
  AddRow(B, TestNameCheckBox, "TestNameCheckBox", "Test Name", NameEdit, "NameEdit", 48);
  AddRow(B, IPCBox, "IPCBox", "Target Address", IpEdit, "IpEdit", 78);
  AddRow(B, TimeoutCheckBox, "TimeoutCheckBox", "Time Out", TimeoutEdit, "TimeoutEdit", 108);
  AddRow(B, ProbeCheckBox, "ProbeCheckBox", "Probe Count", probeEdit, "probeEdit", 138);
  AddRow(B, AdminCheckBox, "AdminCheckBox", "Admin Status", AdminComboBox, "AdminComboBox", 168);
  AddRow(B, DescriptionCBX, "DescriptionCBX", "Description", DecpEdit, "DecpEdit", 198);
  AddRow(B, StatusCBox, "StatusCBox", "Row Status", StatusComboBox, "StatusComboBox", 228);
  BuildFrame(B, 262);
  ValueFields = {
      {TimeoutCheckBox, TimeoutEdit, 3},
      {ProbeCheckBox, probeEdit, 4},
      {AdminCheckBox, AdminComboBox, 5},
      {DescriptionCBX, DecpEdit, 6},
  };
}

TTestControlListForm* TPingcrtlEditForm::ListForm() const { return PingctrlTableForm; }
