// The set-up both static filter form tests share: a form over the simulated
// switch, opened and read, released and closed after each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "PagesTestSupport.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

template <class Form>
class FilterFormTest : public PagesDeviceTest {
 protected:
  void TearDown() override {
    if (form_) {
      Control("release");
      WaitIdle(*form_->Request);
      form_->Close();
      delete form_;
      form_ = nullptr;
    }
    PagesDeviceTest::TearDown();
  }
  void Open() {
    form_ = Create<Form>(Application);
    TestKit::ShowAndActivate(form_);
    Wait();
  }
  // Waits for the request, and for a read that a write leaves behind.
  void Wait() {
    ASSERT_TRUE(WaitIdle(*form_->Request));
    ASSERT_TRUE(WaitQuiet());
    ASSERT_TRUE(WaitIdle(*form_->Request));
  }
  TCheckBox* Port(int port) const {
    return static_cast<TCheckBox*>(form_->PortFrame->PortCheckBoxes->Items(port - 1));
  }
  std::string Memo() const { return MemoText(form_->Memo1); }

  Form* form_ = nullptr;
};
