// Real keys while the user's input is held (platform/InputHold.h), on an X
// server of the test's own: passes over the events made meanwhile leave the
// keys queued; once the hold has gone they come, in order, at the loop's next
// turn, which waits as the program's does; a modal form opened inside a hold
// answers to them.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "ListOnScreen.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/InputHold.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "support/OnOwnXServer.h"
#include "support/XInput.h"

namespace {

using namespace listscreen;
using Clock = std::chrono::steady_clock;

class HeldInput : public vntest::OnOwnXServer<KitTest> {
 protected:
  void SetUp() override {
    OnOwnXServer::SetUp();
    form_ = new TForm(Application);
    form_->SetBounds(40, 40, 300, 120);
    form_->SetCaption("Held");
    // A button keeps still while it has the focus (an edit's caret would
    // blink, and every blink makes the loop look at the window system).
    button_ = new TButton(form_);
    button_->SetParent(form_);
    button_->SetBounds(10, 10, 75, 25);
    button_->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
      keys_ += static_cast<char>(key);
    };
    TestKit::ShowAndActivate(form_);
    button_->SetFocus();
    Settle();
  }
  void TearDown() override {
    delete form_;
    OnOwnXServer::TearDown();
  }

  TForm* form_ = nullptr;
  TButton* button_ = nullptr;
  std::string keys_;
};

// Whichever pass runs while the keys are held, ProcessMessages or
// HandleMessage (turning, or waiting as the program's does), leaves them
// queued and has the loop's next turn take them.
TEST_F(HeldInput, KeysWaitForTheHoldAndComeInOrderAtTheNextTurn) {
  struct Case {
    const char* pass;
    void (TApplication::*run)();
    bool waits;
  };
  const Case cases[] = {{"ProcessMessages", &TApplication::ProcessMessages, false},
                        {"HandleMessage", &TApplication::HandleMessage, false},
                        {"HandleMessage, waiting", &TApplication::HandleMessage, true}};
  // Wakes a waiting loop now and then, so that the test ends if the keys
  // never come.
  TTimer wake(nullptr);
  wake.SetInterval(100);
  wake.OnTimer = [](TObject*) {};
  wake.SetEnabled(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pass);
    keys_.clear();
    {
      std::optional<TestKit::ProgramWaiting> waitingWhileHeld;
      if (c.waits) waitingWhileHeld.emplace();
      const InputHold held;
      ASSERT_TRUE(vntest::XDoTool({"type", "abc"}));
      // The window moved after the keys: once the program knows, the keys
      // have reached it too, and were left queued.
      const int left = TestKit::ToScreen(form_, 0, 0).x;
      ASSERT_TRUE(vntest::XDoTool(
          {"search", "--name", "^Held$", "windowmove", std::to_string(left + 20), "90"}));
      const auto deadline = Clock::now() + std::chrono::seconds(30);
      while (TestKit::ToScreen(form_, 0, 0).x == left && Clock::now() < deadline)
        (Application->*c.run)();
      EXPECT_NE(TestKit::ToScreen(form_, 0, 0).x, left) << "the window was not moved";
      // What the move posted is handled too.
      for (int i = 0; i < 50; ++i) {
        (Application->*c.run)();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      EXPECT_EQ(keys_, "");
    }
    // The loop's turn waits for events as the program's does.
    const TestKit::ProgramWaiting waiting;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (keys_ != "ABC" && Clock::now() < deadline) Application->HandleMessage();
    EXPECT_EQ(keys_, "ABC");
  }
}

TEST_F(HeldInput, AModalFormOpenedInsideAHoldAnswersTheKeys) {
  auto* dialog = new TForm(form_);
  dialog->SetBounds(60, 60, 200, 80);
  auto* ok = new TButton(dialog);
  ok->SetParent(dialog);
  ok->SetBounds(10, 10, 75, 25);
  ok->SetCaption("OK");
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  // Closed after a while when the key never comes.
  TTimer giveUp(nullptr);
  giveUp.SetInterval(30000);
  giveUp.OnTimer = [dialog](TObject*) { dialog->SetModalResult(mrCancel); };
  giveUp.SetEnabled(true);
  // The key is pressed once the window system has given the form the focus;
  // the form's own loop is left to take it.
  TestKit::OnNextModal([ok](TCustomForm*) {
    Settle();
    ASSERT_TRUE(ok->Focused());
    ASSERT_TRUE(vntest::XDoTool({"key", "Return"}));
  });
  const InputHold held;
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_TRUE(InputHold::Active()) << "the hold is back once the form has closed";
}

}  // namespace
