// The add/edit dialog of the traceroute test list: one tick box per field,
// and "Set Checked" writes the ticked fields through the list form's request.
// The table has no description: that row of the dialog stays hidden.
#pragma once

#include "forms/system/TestControlForms.h"

class TTraceRouteEditorForm : public TTestControlEditForm {
 public:
  explicit TTraceRouteEditorForm(TComponent* AOwner);
  ~TTraceRouteEditorForm() override;

  TEdit* probePerHopEdit = nullptr;
  TCheckBox* PortCheckBox = nullptr;
  TEdit* PortEdit = nullptr;
  TCheckBox* MaxTimeCheckBox = nullptr;
  TEdit* MaxTimeEdit = nullptr;

 protected:
  TTestControlListForm* ListForm() const override;

 private:
  void InitComponents();
};

// Created by the traceroute list form; deleted when it closes.
extern TTraceRouteEditorForm* TraceRouteEditorForm;
