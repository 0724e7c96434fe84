// Real keys, clicks and close requests while the user's input is held
// (platform/InputHold.h), on an X server of the test's own: passes over the
// events made meanwhile leave them queued; once the hold has gone they come,
// in order, at the loop's next turn, which waits as the program's does; a
// modal form opened inside a hold answers to them.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "ListOnScreen.h"
#include "platform/EventLoop.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/InputHold.h"
#include "platform/SocketNotifier.h"
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

// Input of each kind made while a hold lives, where a hold lives in the
// program: a timer's handler, a posted call, a socket's handler (a reply).
// The close request of a window manager, a click and a key: held until the
// handler has returned, then taken at the loop's very next turn, waiting as
// the program's does, with no further event from the window system.
TEST_F(HeldInput, HeldInputComesAtTheLoopsNextTurnWhereverTheHoldWas) {
  int closes = 0, clicks = 0;
  form_->OnCloseQuery = [&closes](TObject*, bool& canClose) {
    ++closes;
    canClose = false;
  };
  button_->OnClick = [&clicks](TObject*) { ++clicks; };
  struct Input {
    const char* what;
    std::function<void()> make;
    std::function<bool()> taken;
  };
  const Input inputs[] = {
      {"a close request", [] { ASSERT_TRUE(vntest::AskToClose("Held")); },
       [&closes] { return closes == 1; }},
      {"a click",
       [this] {
         Do(OnControl(button_, 20, 10));
         ASSERT_TRUE(vntest::XDoTool({"click", "1"}));
       },
       [&clicks] { return clicks == 1; }},
      {"a key",
       [] {
         ASSERT_TRUE(vntest::XDoTool({"key", "k"}));
       },
       [this] { return keys_ == "K"; }},
  };
  enum Where { InATimer, InAPostedCall, InASocketHandler };
  int sockets[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_DGRAM, 0, sockets), 0);
  TSocketNotifier reply(nullptr);
  TTimer timer(nullptr);
  // Wakes a waiting loop now and then, so that the test ends if the input
  // never comes.
  TTimer wake(nullptr);
  wake.SetInterval(250);
  wake.OnTimer = [](TObject*) {};
  wake.SetEnabled(true);
  for (const Input& input : inputs)
    for (Where where : {InATimer, InAPostedCall, InASocketHandler}) {
      SCOPED_TRACE(std::string(input.what) + " held in handler " + std::to_string(where));
      closes = clicks = 0;
      keys_.clear();
      Settle();
      bool ran = false;
      // The input comes while the hold lives; the window moved after it: once
      // the program knows, the input has reached it too, and was left queued.
      auto handler = [&] {
        const InputHold held;
        input.make();
        const int left = TestKit::ToScreen(form_, 0, 0).x;
        ASSERT_TRUE(vntest::XDoTool({"search", "--name", "^Held$", "windowmove",
                                     std::to_string(left == 60 ? 80 : 60), "90"}));
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (TestKit::ToScreen(form_, 0, 0).x == left && Clock::now() < deadline)
          Application->ProcessMessages();
        // What the move brought is taken too: nothing more comes from the
        // window system after the hold.
        for (int i = 0; i < 50; ++i) {
          Application->ProcessMessages();
          std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        EXPECT_FALSE(input.taken());
        ran = true;
      };
      timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        handler();
      };
      reply.OnReadable = [&](TObject*) {
        char byte;
        EXPECT_EQ(read(sockets[0], &byte, 1), 1);
        handler();
      };
      const TestKit::ProgramWaiting waiting;
      if (where == InATimer) {
        timer.SetInterval(1);
        timer.SetEnabled(true);
      } else if (where == InAPostedCall) {
        EventLoop::Current().CallSoon(handler);
      } else {
        reply.SetSocket(sockets[0]);
        ASSERT_EQ(write(sockets[1], "x", 1), 1);
      }
      for (int turn = 0; !ran && turn < 100; ++turn) Application->HandleMessage();
      reply.SetSocket(-1);
      ASSERT_TRUE(ran);
      Application->HandleMessage();
      EXPECT_TRUE(input.taken()) << "after one turn";
    }
  close(sockets[0]);
  close(sockets[1]);
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
