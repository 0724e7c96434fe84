// The add/edit dialog of the ping test list: one tick box per field, and
// "Set Checked" writes the ticked fields through the list form's request.
#pragma once

#include "forms/system/TestControlForms.h"

class TPingcrtlEditForm : public TTestControlEditForm {
 public:
  explicit TPingcrtlEditForm(TComponent* AOwner);
  ~TPingcrtlEditForm() override;

  TEdit* probeEdit = nullptr;

 protected:
  TTestControlListForm* ListForm() const override;

 private:
  void InitComponents();
};

// Created by the ping list form; deleted when it closes.
extern TPingcrtlEditForm* PingcrtlEditForm;
