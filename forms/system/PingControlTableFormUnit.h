// The device's remote ping tests (one row per test, addressed by owner index
// and test name): listed, added and changed through the ping dialog, deleted
// by writing "destroy" into the row status. The request is asynchronous.
#pragma once

#include "forms/system/TestControlForms.h"

class TPingctrlTableForm : public TTestControlListForm {
 public:
  explicit TPingctrlTableForm(TComponent* AOwner);
  ~TPingctrlTableForm() override;

  int RowStatusItem() const override { return 7; }

 protected:
  TTestControlEditForm* CreateEditForm() override;
  TTestControlEditForm* EditForm() const override;
  void FreeEditForm() override;
  void CreateRequest(TTestControlEditForm* dialog) override;
};

extern TPingctrlTableForm* PingctrlTableForm;
