// The device's remote traceroute tests (one row per test, addressed by owner
// index and test name): listed, added and changed through the traceroute
// dialog, deleted by writing "destroy" into the row status. The request is
// asynchronous.
#pragma once

#include "forms/system/TestControlForms.h"

class TTraceRouteControlForm : public TTestControlListForm {
 public:
  explicit TTraceRouteControlForm(TComponent* AOwner);
  ~TTraceRouteControlForm() override;

  int RowStatusItem() const override { return 8; }

 protected:
  TTestControlEditForm* CreateEditForm() override;
  TTestControlEditForm* EditForm() const override;
  void FreeEditForm() override;
  void CreateRequest(TTestControlEditForm* dialog) override;
};

extern TTraceRouteControlForm* TraceRouteControlForm;
