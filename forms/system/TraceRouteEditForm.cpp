#include "forms/system/TraceRouteEditForm.h"

#include "forms/system/TraceRouteControlUnit.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TTraceRouteEditorForm* TraceRouteEditorForm = nullptr;

TTraceRouteEditorForm::TTraceRouteEditorForm(TComponent* AOwner) : TTestControlEditForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TTraceRouteEditorForm::~TTraceRouteEditorForm() = default;

void TTraceRouteEditorForm::InitComponents() {
  TFormBuilder B(this);
  B.Form().Caption("Trace Route Edit");
  AddRow(B, IndexCBox, "IndexCBox", "Owner Index", IndexEdit, "IndexEdit", 18);
  AddRow(B, TestNameCheckBox, "TestNameCheckBox", "Test Name", NameEdit, "NameEdit", 48);
  AddRow(B, IPCBox, "IPCBox", "Target Address", IpEdit, "IpEdit", 78);
  AddRow(B, TimeoutCheckBox, "TimeoutCheckBox", "Time Out", TimeoutEdit, "TimeoutEdit", 108);
  AddRow(B, ProbeCheckBox, "ProbeCheckBox", "Probes Per Hop", probePerHopEdit, "probePerHopEdit",
         138);
  AddRow(B, PortCheckBox, "PortCheckBox", "Port", PortEdit, "PortEdit", 168);
  AddRow(B, MaxTimeCheckBox, "MaxTimeCheckBox", "Max Time-to-live", MaxTimeEdit, "MaxTimeEdit",
         198);
  AddRow(B, AdminCheckBox, "AdminCheckBox", "Admin Status", AdminComboBox, "AdminComboBox", 228);
  AddRow(B, StatusCBox, "StatusCBox", "Row Status", StatusComboBox, "StatusComboBox", 258);
  // No description column in this table.
  AddRow(B, DescriptionCBX, "DescriptionCBX", "Description", DecpEdit, "DecpEdit", 288);
  DescriptionCBX->SetVisible(false);
  DecpEdit->SetVisible(false);
  BuildFrame(B, 292);
  ValueFields = {
      {TimeoutCheckBox, TimeoutEdit, 3}, {ProbeCheckBox, probePerHopEdit, 4},
      {PortCheckBox, PortEdit, 5},       {MaxTimeCheckBox, MaxTimeEdit, 6},
      {AdminCheckBox, AdminComboBox, 7}, {DescriptionCBX, DecpEdit, -1},
  };
}

TTestControlListForm* TTraceRouteEditorForm::ListForm() const { return TraceRouteControlForm; }
