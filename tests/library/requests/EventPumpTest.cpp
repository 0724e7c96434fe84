// The event pump: a reply is handled as soon as it has arrived, by the same
// guarded handler as the timer's, and a completion that pumps messages runs
// no other completion inside it.
#include <gtest/gtest.h>

#include "RequestTestSupport.h"
#include "library/VnErrors.h"
#include "library/VnSNMPSession.h"
#include "platform/EventLoop.h"
#include "snmp/Snmp.h"

namespace {

using namespace reqtest;

class EventPump : public AgentTest {
 protected:
  void TearDown() override {
    g_SnmpEventProcessor.Enable();
    AgentTest::TearDown();
  }
};

TEST_F(EventPump, WatchesTheSessionsSocket) {
  EventWatch* notifier = g_SnmpEventProcessor.Notifier();
  EXPECT_TRUE(notifier->Enabled());
  EXPECT_NE(g_SnmpSession->get_socket(), -1);
  EXPECT_EQ(notifier->Socket(), g_SnmpSession->get_socket());
}

// With the timer stopped, only the arrival of the reply can run the pump.
TEST_F(EventPump, ReplyIsHandledWithoutWaitingForTheTimer) {
  g_SnmpEventProcessor.Timer()->SetEnabled(false);
  auto r = MakeRequest(kIfTable, VnItemType::MVT_FMV, 1);
  AsyncWalk walk;
  WalkAsync(*r, walk, 5000);
  ASSERT_TRUE(walk.done);
  EXPECT_EQ(walk.rows, WalkSync(*r));
  ASSERT_FALSE(walk.records.empty());
  EXPECT_EQ(walk.records.back().Number, VNERR_OK);
}

// The second reply arrives while the first completion pumps messages: it is
// delivered only after that completion has returned, and until then neither
// the timer nor the socket runs the pump.
TEST_F(EventPump, CompletionThatPumpsRunsNoOtherCompletion) {
  auto first = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  auto second = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  bool firstRunning = false, firstDone = false, secondDone = false, nested = false;
  bool pumpOffInside = false;
  first->SendGetAsync(
      [&](VnSNMPError&, VnSNMPVarList&) {
        firstRunning = true;
        second->SendGetAsync(
            [&](VnSNMPError& e, VnSNMPVarList&) {
              nested = firstRunning;
              EXPECT_EQ(e.Number, VNERR_OK);
              secondDone = true;
            },
            VnReadFrom::Start);
        PumpFor(300);  // the second reply arrives meanwhile
        // It left the timer and the socket's watch off: no busy loop.
        pumpOffInside =
            !g_SnmpEventProcessor.Timer()->Enabled() && !g_SnmpEventProcessor.Notifier()->Enabled();
        firstRunning = false;
        firstDone = true;
      },
      VnReadFrom::Start);
  ASSERT_TRUE(PumpUntil([&] { return secondDone; }, 5000));
  EXPECT_TRUE(firstDone);
  EXPECT_FALSE(nested);
  EXPECT_TRUE(pumpOffInside);
  EXPECT_TRUE(g_SnmpEventProcessor.Timer()->Enabled());
  EXPECT_TRUE(g_SnmpEventProcessor.Notifier()->Enabled());
}

}  // namespace
