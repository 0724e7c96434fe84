// Asynchronous requests completed from a 20 ms event loop.
#include <chrono>
#include <thread>

#include "AgentFixture.h"

namespace snmptest {
namespace {

using AgentAsync = AgentTest;

TEST_F(AgentAsync, AGetCompletesAtTheNextTick) {
  Recorder rec;
  Pdu pdu = MakePdu({kSysName, kSysUpTime});
  ASSERT_EQ(Session().get(pdu, V2Target(), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  EXPECT_NE(pdu.get_request_id(), 0u);
  EXPECT_EQ(Session().outstanding(), 1u);
  EXPECT_TRUE(rec.done.empty());  // nothing runs before the event loop does
  double ms = PumpUntil([&] { return !rec.done.empty(); });
  ASSERT_EQ(rec.done.size(), 1u);
  EXPECT_LT(ms, 200);
  const Completion& c = rec.done[0];
  EXPECT_EQ(c.reason, SNMP_CLASS_ASYNC_RESPONSE);
  EXPECT_EQ(c.error_status, 0);
  EXPECT_EQ(c.pdu.get_type(), sNMP_PDU_RESPONSE);
  ASSERT_EQ(c.pdu.get_vb_count(), 2);
  EXPECT_EQ(c.pdu.get_vb(1).get_syntax(), sNMP_SYNTAX_TIMETICKS);
  EXPECT_EQ(c.address, "127.0.0.1/" + std::to_string(Agent().Port()));
  EXPECT_EQ(Session().outstanding(), 0u);
}

TEST_F(AgentAsync, VersionThreeGetAndSet) {
  Recorder rec;
  Pdu get = MakePdu({kSysDescr}, kShaDes.level);
  ASSERT_EQ(Session().get(get, V3Target(kShaDes), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  Pdu set = MakePdu({}, kMd5Des.level);
  Vb location{Oid(kSysLocation)};
  location.set_value("async rack");
  set += location;
  ASSERT_EQ(Session().set(set, V3Target(kMd5Des), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  Pdu next = MakePdu({kLastInView}, kMd5Des.level);
  ASSERT_EQ(Session().get_next(next, V3Target(kMd5Des), Recorder::Callback, &rec),
            SNMP_CLASS_SUCCESS);
  PumpUntil([&] { return rec.done.size() == 3; });
  ASSERT_EQ(rec.done.size(), 3u);
  for (const Completion& c : rec.done) {
    EXPECT_EQ(c.reason, SNMP_CLASS_ASYNC_RESPONSE);
    EXPECT_EQ(c.error_status, 0);
  }
  Pdu check = MakePdu({kSysLocation});
  ASSERT_EQ(Session().get(check, V2Target()), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(check.get_vb(0).get_printable_value(), "async rack");
}

TEST_F(AgentAsync, ReportsAndErrorStatusesReachTheCallback) {
  usmAddUserName("stranger", SNMP_AUTHPROTOCOL_HMACMD5, SNMP_PRIVPROTOCOL_NONE, "strangerpass", "");
  TestUser stranger{
      "stranger", SNMP_AUTHPROTOCOL_HMACMD5,      "strangerpass", SNMP_PRIVPROTOCOL_NONE,
      "",         SNMP_SECURITY_LEVEL_AUTH_NOPRIV};
  Recorder report, status;
  Pdu pdu = MakePdu({kSysDescr}, stranger.level);
  ASSERT_EQ(Session().get(pdu, V3Target(stranger), Recorder::Callback, &report),
            SNMP_CLASS_SUCCESS);
  Pdu v1 = MakePdu({"1.3.6.1.2.1.1.5.1"});
  ASSERT_EQ(Session().get(v1, V1Target(), Recorder::Callback, &status), SNMP_CLASS_SUCCESS);
  PumpUntil([&] { return !report.done.empty() && !status.done.empty(); });
  ASSERT_EQ(report.done.size(), 1u);
  // A Report is a failure, never "Ok": reason and error status carry its code.
  EXPECT_EQ(report.done[0].reason, SNMPv3_USM_UNKNOWN_SECURITY_NAME);
  EXPECT_EQ(report.done[0].error_status, SNMPv3_USM_UNKNOWN_SECURITY_NAME);
  EXPECT_EQ(report.done[0].pdu.get_type(), sNMP_PDU_REPORT);
  ASSERT_EQ(status.done.size(), 1u);
  EXPECT_EQ(status.done[0].reason, SNMP_CLASS_ASYNC_RESPONSE);
  EXPECT_EQ(status.done[0].error_status, SNMP_ERROR_NO_SUCH_NAME);
  EXPECT_EQ(status.done[0].error_index, 1);
}

TEST_F(AgentAsync, FiveOutstandingAtOnceToDifferentVersionsAndAgents) {
  vntest::SnmpdOptions other_options;
  other_options.read_community = "public";
  vntest::Snmpd other(other_options);
  UdpAddress other_address("127.0.0.1");
  other_address.set_port(static_cast<std::uint16_t>(other.Port()));
  CTarget other_target(other_address);
  other_target.set_version(version2c);
  other_target.set_readcommunity("public");
  SilentPort silent;
  CTarget silent_target(silent.Address());
  silent_target.set_version(version2c);
  // Long enough that the agents answer first even on a loaded machine.
  silent_target.set_timeout(150);
  silent_target.set_retry(0);

  Recorder v1, v3md5, v3sha, second_agent, nobody;
  Pdu pdu = MakePdu({kSysName});
  Pdu md5 = MakePdu({kSysName}, kMd5Des.level);
  Pdu sha = MakePdu({kSysName}, kShaDes.level);
  ASSERT_EQ(Session().get(pdu, V1Target(), Recorder::Callback, &v1), 0);
  ASSERT_EQ(Session().get(md5, V3Target(kMd5Des), Recorder::Callback, &v3md5), 0);
  ASSERT_EQ(Session().get(sha, V3Target(kShaDes), Recorder::Callback, &v3sha), 0);
  ASSERT_EQ(Session().get(pdu, other_target, Recorder::Callback, &second_agent), 0);
  ASSERT_EQ(Session().get(pdu, silent_target, Recorder::Callback, &nobody), 0);
  EXPECT_EQ(Session().outstanding(), 5u);
  PumpUntil(
      [&] {
        return !nobody.done.empty() && !v1.done.empty() && !v3md5.done.empty() &&
               !v3sha.done.empty() && !second_agent.done.empty();
      },
      10000);
  for (Recorder* r : {&v1, &v3md5, &v3sha, &second_agent}) {
    ASSERT_EQ(r->done.size(), 1u);
    EXPECT_EQ(r->done[0].reason, SNMP_CLASS_ASYNC_RESPONSE);
    EXPECT_EQ(r->done[0].pdu.get_vb(0).get_syntax(), sNMP_SYNTAX_OCTETS);
  }
  EXPECT_EQ(second_agent.done[0].address, other_address.get_printable());
  ASSERT_EQ(nobody.done.size(), 1u);
  EXPECT_EQ(nobody.done[0].reason, SNMP_CLASS_TIMEOUT);
  EXPECT_GE(nobody.done[0].at_ms, 1450);  // never before its own time-out
  EXPECT_EQ(Session().outstanding(), 0u);
}

TEST_F(AgentAsync, ASynchronousCallLeavesOtherCompletionsForTheEventLoop) {
  Recorder rec;
  Pdu async = MakePdu({kSysName});
  ASSERT_EQ(Session().get(async, V2Target(), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  Pdu sync = MakePdu({kSysDescr}, kShaDes.level);
  ASSERT_EQ(Session().get(sync, V3Target(kShaDes)), SNMP_CLASS_SUCCESS);
  EXPECT_TRUE(rec.done.empty());
  EXPECT_EQ(SNMPProcessPendingEvents(), 1);
  ASSERT_EQ(rec.done.size(), 1u);
  EXPECT_EQ(rec.done[0].reason, SNMP_CLASS_ASYNC_RESPONSE);
}

// Replies that have all arrived are delivered in one round of the pump,
// however the reads before them went.
TEST_F(AgentAsync, RepliesThatHaveArrivedAreDeliveredInOneRound) {
  Recorder rec;
  for (const char* oid : {kSysName, kSysDescr, kSysName}) {
    Pdu pdu = MakePdu({oid});
    ASSERT_EQ(Session().get(pdu, V2Target(), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  }
  // The agent answers within this time; nothing reads the socket meanwhile.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(SNMPProcessPendingEvents(), 3);
  EXPECT_EQ(rec.done.size(), 3u);
}

TEST_F(AgentAsync, ACompletionMayStartTheNextRequest) {
  // As a table walk does: each reply asks for the next instance.
  Recorder rec;
  int steps = 0;
  rec.on_completion = [&](Snmp* session) {
    const Completion& last = rec.done.back();
    if (last.reason != SNMP_CLASS_ASYNC_RESPONSE || ++steps == 5) return;
    Pdu next = MakePdu({});
    next += Vb(last.pdu.get_vb(0).get_oid());
    EXPECT_EQ(session->get_next(next, V2Target(), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  };
  Pdu first = MakePdu({"1.3.6.1.2.1.1"});
  ASSERT_EQ(Session().get_next(first, V2Target(), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  PumpUntil([&] { return steps == 5; });
  ASSERT_EQ(rec.done.size(), 5u);
  EXPECT_EQ(rec.done[0].pdu.get_vb(0).get_printable_oid(), kSysDescr);
  EXPECT_EQ(rec.done[4].pdu.get_vb(0).get_printable_oid(), kSysName);
}

TEST_F(AgentAsync, CancelledBeforeTheReplyArrives) {
  Recorder rec;
  Pdu pdu = MakePdu({kSysName});
  ASSERT_EQ(Session().get(pdu, V2Target(), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(Session().cancel(pdu.get_request_id()), SNMP_CLASS_SUCCESS);
  PumpUntil([] { return false; }, 200);
  EXPECT_TRUE(rec.done.empty());
  EXPECT_EQ(Session().outstanding(), 0u);
}

TEST_F(AgentAsync, CancelledAfterTheReplyArrivedButBeforeItsCompletionRan) {
  Recorder rec;
  Pdu pdu = MakePdu({kSysName});
  ASSERT_EQ(Session().get(pdu, V2Target(), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  // A synchronous call reads the reply meanwhile and queues its completion.
  Pdu sync = MakePdu({kSysDescr});
  ASSERT_EQ(Session().get(sync, V2Target()), SNMP_CLASS_SUCCESS);
  std::vector<void*> cancelled = Session().cancel_if([&](void* d) { return d == &rec; });
  EXPECT_EQ(cancelled.size(), 1u);
  EXPECT_EQ(SNMPProcessPendingEvents(), 0);
  EXPECT_TRUE(rec.done.empty());
}

}  // namespace
}  // namespace snmptest
