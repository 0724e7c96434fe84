// Where the focus is once a dialog or a message box has gone, under real
// keys on an X server of the test's own with no window manager: a box
// closed gives the focus back to the control that had it, and a dialog
// shown again opens on its first field, whatever the last opening left.
#include <gtest/gtest.h>

#include <string>

#include "FocusOnScreen.h"
#include "ListOnScreen.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "support/OnOwnXServer.h"

namespace {

using namespace listscreen;

class FocusAfterDialogs : public vntest::OnOwnXServer<KitTest> {
 protected:
  void TearDown() override {
    delete form_;
    OnOwnXServer::TearDown();
  }
  // A form with two edits and a Close button that cancels.
  TForm* Open(const char* caption) {
    form_ = new TForm(Application);
    form_->SetBounds(40, 40, 300, 160);
    form_->SetCaption(caption);
    first_ = AddEdit(10);
    second_ = AddEdit(40);
    close_ = new TButton(form_);
    close_->SetParent(form_);
    close_->SetBounds(10, 80, 75, 25);
    close_->SetCaption("Close");
    close_->SetCancel(true);
    close_->SetModalResult(mrCancel);
    return form_;
  }
  TEdit* AddEdit(int top) {
    auto* e = new TEdit(form_);
    e->SetParent(form_);
    e->SetBounds(10, top, 120, 21);
    return e;
  }

  TForm* form_ = nullptr;
  TEdit* first_ = nullptr;
  TEdit* second_ = nullptr;
  TButton* close_ = nullptr;
};

// The keys typed after the box has gone reach the control that had the
// focus before it opened, with the pointer away from every window.
TEST_F(FocusAfterDialogs, AClosedBoxGivesTheFocusBackToTheControlThatHadIt) {
  const TestKit::ToolkitBoxes shownByTheToolkit;
  TestKit::ShowAndActivate(Open("Behind"));
  second_->SetFocus();
  Do(OffTheWindows());
  for (const char* answer : {"Return", "Escape"}) {
    SCOPED_TRACE(answer);
    second_->SetText("");
    focusscreen::WithBoxOpen(
        [] {
          ShowMessage("IP Address should be set.");
          return 0;
        },
        [answer] {
          Do({"key", answer});
        });
    Settle();
    EXPECT_TRUE(second_->Focused());
    Do({"type", "12"});
    EXPECT_EQ(second_->Text(), "12");
    EXPECT_EQ(first_->Text(), "");
  }
}

// The first opening leaves the focus on Close (Tab, Tab, Return presses
// it); the second takes typed keys into the first edit.
TEST_F(FocusAfterDialogs, ADialogShownAgainOpensOnItsFirstField) {
  Open("Dialog");
  // Closed after a while when the keys never come.
  TTimer giveUp(nullptr);
  giveUp.SetInterval(3000);
  giveUp.OnTimer = [this](TObject*) { form_->SetModalResult(mrAbort); };
  const char* keys[][3] = {{"Tab", "Tab", "Return"}, {"1", "2", "Escape"}};
  for (const auto& opening : keys) {
    giveUp.SetEnabled(false);
    giveUp.SetEnabled(true);
    TestKit::OnNextModal([&opening](TCustomForm*) {
      Settle();
      for (const char* key : opening) ASSERT_TRUE(vntest::XDoTool({"key", key}));
    });
    EXPECT_EQ(form_->ShowModal(), mrCancel);
  }
  EXPECT_EQ(first_->Text(), "12");
}

}  // namespace
