// A socket notifier: called from the message loop while its socket has data
// and it is enabled, never re-entered, and free to stop watching.
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

#include "UiTestSupport.h"
#include "platform/Forms.h"
#include "platform/SocketNotifier.h"

namespace {

class SocketNotifier : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_DGRAM, 0, fds), 0);
    notifier.SetSocket(fds[0]);
  }
  void TearDown() override {
    notifier.SetSocket(-1);
    close(fds[0]);
    close(fds[1]);
    UiTest::TearDown();
  }
  void Send() { ASSERT_EQ(write(fds[1], "x", 1), 1); }
  void Drain() {
    char c;
    while (recv(fds[0], &c, 1, MSG_DONTWAIT) == 1) {
    }
  }
  // Runs the loop until calls reaches n, at most for ms.
  void PumpUntil(const int& calls, int n, int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (calls < n && std::chrono::steady_clock::now() < deadline) {
      Application->ProcessMessages();
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  }

  int fds[2] = {-1, -1};
  TSocketNotifier notifier;
};

TEST_F(SocketNotifier, CalledWhileEnabledAndDataWaits) {
  int calls = 0;
  notifier.OnReadable = [&](TObject* sender) {
    EXPECT_EQ(sender, &notifier);
    ++calls;
    Drain();
  };
  PumpUntil(calls, 1, 50);
  EXPECT_EQ(calls, 0);  // nothing to read
  Send();
  PumpUntil(calls, 1, 10000);
  EXPECT_EQ(calls, 1);
  notifier.SetEnabled(false);
  Send();
  PumpUntil(calls, 2, 50);
  EXPECT_EQ(calls, 1);
  notifier.SetEnabled(true);  // the datagram that waited is reported now
  PumpUntil(calls, 2, 10000);
  EXPECT_EQ(calls, 2);
}

// Meanwhile the notifier is off: the loops of the handler do not spin on
// the socket; it is on again once the handler has returned.
TEST_F(SocketNotifier, HandlerThatPumpsIsNotEnteredAgain) {
  int calls = 0, depth = 0, deepest = 0;
  bool offInside = false;
  notifier.OnReadable = [&](TObject*) {
    ++calls;
    deepest = std::max(deepest, ++depth);
    for (int i = 0; i < 20; ++i) Application->ProcessMessages();  // data still waiting
    offInside = !notifier.Enabled();
    Drain();
    --depth;
  };
  Send();
  PumpUntil(calls, 1, 10000);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(deepest, 1);
  EXPECT_TRUE(offInside);
  EXPECT_TRUE(notifier.Enabled());
  Send();
  PumpUntil(calls, 2, 10000);
  EXPECT_EQ(calls, 2);
}

// One pass of the loop inside the handler (a walk pumping once per row while
// its next reply arrives) costs no switching off and on; the data is
// reported once the handler has returned.
TEST_F(SocketNotifier, OnePassInsideTheHandlerLeavesTheWatchOn) {
  int calls = 0, depth = 0, deepest = 0;
  bool onInside = false;
  notifier.OnReadable = [&](TObject*) {
    ++calls;
    deepest = std::max(deepest, ++depth);
    Drain();
    if (calls == 1) {
      Send();  // the next reply, arriving while the row is shown
      Application->ProcessMessages();
      onInside = notifier.Enabled();
    }
    --depth;
  };
  Send();
  PumpUntil(calls, 2, 10000);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(deepest, 1);
  EXPECT_TRUE(onInside);
}

// Each run of the handler counts the passes of its loops that find the
// socket readable afresh: the first is left alone, the second switches the
// notifier off. A run after one with a single pass is again allowed one.
TEST_F(SocketNotifier, SwitchesOffAtTheSecondPassOfEachHandlerRun) {
  const std::vector<int> passesPerRun = {1, 1, 3, 2, 1};
  int runs = 0;
  std::vector<std::vector<bool>> onAfterEachPass, expected;
  notifier.OnReadable = [&](TObject*) {
    std::vector<bool> on;
    for (int i = 0; i < passesPerRun[static_cast<std::size_t>(runs)]; ++i) {
      Application->ProcessMessages();  // the datagram still waits
      on.push_back(notifier.Enabled());
    }
    onAfterEachPass.push_back(on);
    Drain();
    ++runs;
  };
  for (int passes : passesPerRun) {
    expected.emplace_back(static_cast<std::size_t>(passes), false);
    expected.back()[0] = true;
    const int before = runs;
    Send();
    PumpUntil(runs, before + 1, 10000);
    ASSERT_EQ(runs, before + 1);
    EXPECT_TRUE(notifier.Enabled()) << "run " << before;  // on again once it returned
  }
  EXPECT_EQ(onAfterEachPass, expected);
}

TEST_F(SocketNotifier, AnotherSocketOrNoneIsWatchedFromThen) {
  int calls = 0;
  notifier.OnReadable = [&](TObject*) {
    ++calls;
    Drain();
  };
  notifier.SetSocket(-1);
  Send();
  PumpUntil(calls, 1, 50);
  EXPECT_EQ(calls, 0);
  notifier.SetSocket(fds[0]);
  PumpUntil(calls, 1, 10000);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(notifier.Socket(), fds[0]);
}

}  // namespace
