// The event pump: a reply is handled as soon as it has arrived, by the same
// guarded handler as the timer's, a round reads what has arrived and no
// more, and a completion that pumps messages runs no other completion
// inside it.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <functional>

#include "EmptyReads.h"
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

// A request knows while its completion runs from the pump, which takes its
// turn again once the completion returns: not once the request has made a
// synchronous exchange inside it, nor in another request's completion, nor
// outside every completion.
TEST_F(EventPump, ARequestKnowsWhileItsCompletionRunsFromThePump) {
  const struct {
    const char* what;  // what the completion does before it asks again
    std::function<void(VnSNMPRequest&)> exchange;
    bool stillInIt;
  } cases[] = {
      {"nothing", [](VnSNMPRequest&) {}, true},
      {"a synchronous read", [](VnSNMPRequest& r) { r.SendGet(VnReadFrom::Start); }, false},
      {"a synchronous write",
       [](VnSNMPRequest& r) { r.SendSet(VnSetReply::StatusOnly, "", nullptr); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // sysLocation, written back as read. The exchanges made before the
    // completions began do not count.
    auto r = MakeRequest(kSystemWritable + 2, VnItemType::SVT_SV, 0);
    auto other = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
    r->SendGet(VnReadFrom::Start);
    other->SendGet(VnReadFrom::Start);
    bool inOwn = false, otherInIt = true, after = !c.stillInIt;
    bool otherInOwn = false, inOthers = true;
    int done = 0;
    other->SendGetAsync(
        [&](VnSNMPError&, VnSNMPVarList&) {
          otherInOwn = other->InPumpedCompletion();
          inOthers = r->InPumpedCompletion();
          ++done;
        },
        VnReadFrom::Start);
    r->SendGetAsync(
        [&](VnSNMPError&, VnSNMPVarList&) {
          inOwn = r->InPumpedCompletion();
          otherInIt = other->InPumpedCompletion();
          c.exchange(*r);
          after = r->InPumpedCompletion();
          ++done;
        },
        VnReadFrom::Start);
    EXPECT_FALSE(r->InPumpedCompletion());
    ASSERT_TRUE(PumpUntil([&] { return done == 2; }, 5000));
    EXPECT_TRUE(inOwn);
    EXPECT_FALSE(otherInIt);
    EXPECT_EQ(after, c.stillInIt);
    EXPECT_TRUE(otherInOwn);
    EXPECT_FALSE(inOthers);
    EXPECT_FALSE(r->InPumpedCompletion());
  }
}

// Whether the socket has something to read, waiting up to ms for it.
bool Readable(int fd, int ms) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, ms) > 0;
}

// A datagram from another socket of this host to the local UDP port.
void SendDatagram(std::uint16_t port, const char* text) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  to.sin_port = htons(port);
  EXPECT_GT(::sendto(fd, text, std::strlen(text), 0, reinterpret_cast<sockaddr*>(&to), sizeof to),
            0);
  ::close(fd);
}

// A round of the pump reads what has arrived, also a datagram no request
// waits for (a late duplicate of a reply: left unread, it would keep the
// socket's watch running the pump over and over), and stops at the first
// read that finds nothing, also while a request waits for its reply.
TEST_F(EventPump, ARoundReadsWhatHasArrivedAndStopsAtTheFirstEmptyRead) {
  const struct {
    const char* what;
    bool requestWaits;
    bool datagram;
    int emptyReads;
  } cases[] = {
      {"a late datagram, no request waiting", false, true, 0},
      {"a request waiting, nothing arrived", true, false, 1},
  };
  SilentPort silent;
  for (const auto& c : cases) {
    auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
    if (c.requestWaits) {
      r->Device.Port = static_cast<std::uint16_t>(silent.Port());
      r->Timeout = 1000;  // 10 s: it waits all through the round
      r->SendGetAsync([](VnSNMPError&, VnSNMPVarList&) {}, VnReadFrom::Start);
    }
    const int fd = g_SnmpSession->get_socket();
    if (c.datagram) {
      SendDatagram(g_SnmpSession->get_local_port(), "late");
      ASSERT_TRUE(Readable(fd, 2000)) << c.what;
    }
    CountEmptyReadsOf(fd);
    SNMPProcessPendingEvents();
    EXPECT_EQ(EmptyReads(), c.emptyReads) << c.what;
    EXPECT_FALSE(Readable(fd, 0)) << c.what;  // the watch has nothing to run for
    CountEmptyReadsOf(-1);
    InitSnmpSession(AnsiString(Folder().Path()));  // the waiting request ends
  }
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
