// Start-up: the message loop and the display check before the application
// object exists, and exceptions that reach the program entry. The tests that
// need no application object come first; each runs in a process of its own
// under CTest.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "platform/Dialogs.h"
#include "platform/DisplayCheck.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/TestKit.h"
#include "platform/extras/ScopedEnv.h"
#include "support/Xvfb.h"

namespace {

// The kit's failures (a box other than the expected one) fail the test.
const bool kKitFailuresFailTheTest =
    (TestKit::SetFailureReporter([](const std::string& m) { ADD_FAILURE() << m; }), true);

void SkipWhenInitialized() {
  if (Application->Initialized()) GTEST_SKIP() << "the application object already exists";
}

TEST(BeforeTheApplication, ProcessMessagesAndHandleMessageReturnAtOnce) {
  SkipWhenInitialized();
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(1);
  timer.OnTimer = [&](TObject*) { ++ticks; };
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 1000; ++i) {
    Application->ProcessMessages();
    Application->HandleMessage();
  }
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::milliseconds(500));
  EXPECT_FALSE(Application->Initialized());  // nothing was created on the way
  EXPECT_FALSE(timer.Running());
  EXPECT_EQ(ticks, 0);
  EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x1234), WM_APP, 0, 0));
}

TEST(BeforeTheApplication, ShowExceptionWritesTheMessageWhereItCan) {
  SkipWhenInitialized();
  Application->SetTitle("KXR-5800-10");
  EConvertError e("'abc' is not a valid integer value");
  testing::internal::CaptureStderr();
  Application->ShowException(&e);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("KXR-5800-10: 'abc' is not a valid integer value."), std::string::npos) << err;
  EXPECT_FALSE(Application->Initialized());
  // Through a replaced dialog service the box is as always.
  TestKit::DialogScript boxes;
  boxes.Expect("'abc' is not a valid integer value.");
  Application->ShowException(&e);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].request.caption, "KXR-5800-10");
}

// The process's open sockets: descriptor and socket ("socket:[123]"). Only
// sockets: the listing's own descriptor, and those the toolkit's threads
// open and close meanwhile, take whatever numbers are free at the time.
std::map<std::string, std::string> OpenSockets() {
  std::map<std::string, std::string> open;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
    if (!error && target.rfind("socket:", 0) == 0) open[entry.path().filename().string()] = target;
  }
  return open;
}

// The display check's connection stays until the toolkit holds its own: a
// server that resets once its last client has left (as one started for the
// module alone does) refuses none of the connections made after the check;
// once the toolkit is up on that display, the check's connection is closed.
TEST(BeforeTheApplication, TheDisplayCheckKeepsTheDisplayUpUntilTheToolkitHoldsIt) {
  SkipWhenInitialized();
  // Lives as long as the application object on it: until the process ends.
  static auto* x = new vntest::Xvfb(vntest::Xvfb::Resets);
  ASSERT_TRUE(x->Ok());
  const ScopedEnv display("DISPLAY", x->Display().c_str());
  const ScopedEnv platform("QT_QPA_PLATFORM", "xcb");
  const std::map<std::string, std::string> before = OpenSockets();
  ASSERT_EQ(MissingDisplay(), "");
  std::map<std::string, std::string> check = OpenSockets();
  for (const auto& [fd, what] : before) check.erase(fd);
  ASSERT_EQ(check.size(), 1u) << "the check's connection";
  int refused = 0;
  for (int i = 0; i < 300; ++i) {
    xcb_connection_t* connection = xcb_connect(x->Display().c_str(), nullptr);
    refused += xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
  }
  EXPECT_EQ(refused, 0);
  TestKit::EnsureApplication();
  const std::map<std::string, std::string> up = OpenSockets();
  const auto held = up.find(check.begin()->first);
  EXPECT_TRUE(held == up.end() || held->second != check.begin()->second)
      << check.begin()->second << " still open";
}

// What the toolkit says while it starts reaches the error stream once it is
// up.
TEST(BeforeTheApplication, WhatTheToolkitSaysWhileItStartsComesOnceItIsUp) {
  SkipWhenInitialized();
  const ScopedEnv policy("QT_SCALE_FACTOR_ROUNDING_POLICY", "Bogus");
  testing::internal::CaptureStderr();
  TestKit::EnsureApplication();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Unknown scale factor rounding policy: Bogus"), std::string::npos) << err;
}

// What failed when the toolkit cannot start is said as what it is: the
// display missing through the program's report, the platform itself by the
// layer, in the program's words and never the toolkit's; the process ends
// with the status the program asked for. Each start runs in a child.
TEST(BeforeTheApplication, AStartThatFailsSaysWhatFailed) {
  if (Application->Initialized()) GTEST_SKIP() << "the application object already exists";
  const vntest::Xvfb x;
  ASSERT_TRUE(x.Ok());
  const std::string nowhere = ":" + std::to_string(6000 + getpid() % 3000);
  struct Case {
    const char* platform;
    std::string display;
    std::string said;
  };
  const std::string platformFailed =
      ": the window platform 'nosuchplatform' (QT_QPA_PLATFORM) cannot be started: it is not "
      "installed, or it failed.\n";
  const Case cases[] = {
      {"nosuchplatform", x.Display(), platformFailed},
      {"nosuchplatform", "", platformFailed},
      {"xcb", nowhere, "reported: the X display '" + nowhere + "' cannot be opened\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.platform) + " on '" + c.display + "'");
    EXPECT_EXIT(
        {
          setenv("QT_QPA_PLATFORM", c.platform, 1);
          if (c.display.empty())
            unsetenv("DISPLAY");
          else
            setenv("DISPLAY", c.display.c_str(), 1);
          OnToolkitStartFailure(
              [](const AnsiString& missing) {
                std::fprintf(stderr, "reported: %s\n", missing.c_str());
              },
              3);
          Application->Initialize();
          std::exit(0);
        },
        testing::ExitedWithCode(3),
        testing::AllOf(testing::HasSubstr(c.said), testing::Not(testing::HasSubstr("Qt")),
                       testing::Not(testing::HasSubstr("no display"))));
  }
}

// The X server ends while the program runs: the program says in its words
// that its display went away, not the toolkit's, and ends with status 1.
TEST(WhileRunning, ADisplayThatGoesAwayIsSaidInTheProgramsWords) {
  if (Application->Initialized()) GTEST_SKIP() << "the application object already exists";
  const vntest::Xvfb x;
  ASSERT_TRUE(x.Ok());
  EXPECT_EXIT(
      {
        setenv("DISPLAY", x.Display().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        alarm(30);  // a program that never notices ends by the signal
        Application->Initialize();
        auto* form = new TForm(Application);
        form->Show();
        Application->ProcessMessages();
        kill(x.Pid(), SIGKILL);
        for (;;) Application->HandleMessage();
      },
      testing::ExitedWithCode(1),
      testing::AllOf(testing::HasSubstr(": the X display '" + x.Display() +
                                        "' went away while the program ran (its server "
                                        "ended, or the connection to it broke).\n"),
                     testing::Not(testing::HasSubstr("X11"))));
}

// A main window whose constructor fails, as a bad number in the
// configuration file makes it fail.
class TFailingMainForm : public TForm {
 public:
  explicit TFailingMainForm(TComponent* owner) : TForm(owner) {
    timer_ = new TTimer(this);
    StrToInt("abc");
  }

 private:
  TTimer* timer_;
};

class TSecondForm : public TForm {
 public:
  using TForm::TForm;
};

// The program entry: Initialize, Title, CreateForm, Run; an exception that
// reaches it is shown with ShowException and the program ends.
int Entry(bool& ran) {
  try {
    Application->Initialize();
    Application->SetTitle("KXR-5800-10");
    TFailingMainForm* main = nullptr;
    Application->CreateForm(main);
    TSecondForm* second = nullptr;
    Application->CreateForm(second);
    ran = true;
    Application->Run();
  } catch (Exception& e) {
    Application->ShowException(&e);
  }
  return 0;
}

TEST(AtStartUp, AnExceptionFromTheMainFormConstructorIsShownAndNothingIsLeft) {
  TestKit::EnsureApplication();
  TestKit::DialogScript boxes;
  boxes.Expect("'abc' is not a valid integer value.");
  bool ran = false;
  EXPECT_EQ(Entry(ran), 0);
  EXPECT_FALSE(ran);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].request.caption, "KXR-5800-10");
  EXPECT_EQ(boxes.Shown()[0].request.kind, TDialogRequest::ExceptionBox);
  EXPECT_EQ(Application->MainForm(), nullptr);
  EXPECT_EQ(Application->ComponentCount(), 0);  // the failed form is gone
  // The loop still works afterwards.
  Application->ProcessMessages();
}

TEST(AtStartUp, AnExceptionFromFormCreateIsShownAndTheWindowOpens) {
  TestKit::EnsureApplication();
  class TMainWithBadCreate : public TForm {
   public:
    explicit TMainWithBadCreate(TComponent* owner) : TForm(owner) {
      OnCreate = [](TObject*) { throw Exception("List index out of bounds (0)"); };
    }
  };
  TestKit::DialogScript boxes;
  boxes.Expect("List index out of bounds (0)");  // ")" sorts before ".": no full stop
  TMainWithBadCreate* main = nullptr;
  Application->CreateForm(main);
  EXPECT_EQ(Application->MainForm(), main);
  Application->ResetLoopState();
  delete main;
}

}  // namespace
