// The session without an agent: refused submissions, timeouts against a
// silent port, cancellation and closing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AgentFixture.h"

namespace snmptest {
namespace {

// What the process writes to standard error (descriptor 2) while the object
// lives, or until Text() is asked.
class StandardErrorCapture {
 public:
  StandardErrorCapture() : file_(std::tmpfile()) {
    if (!file_) return;
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    if (saved_ >= 0) ::dup2(::fileno(file_), STDERR_FILENO);
  }
  ~StandardErrorCapture() {
    Restore();
    if (file_) std::fclose(file_);
  }
  StandardErrorCapture(const StandardErrorCapture&) = delete;
  StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;

  std::string Text() {
    Restore();
    if (!file_) return "(no capture)";
    std::string text;
    std::rewind(file_);
    for (int c; (c = std::fgetc(file_)) != EOF;) text.push_back(static_cast<char>(c));
    return text;
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
    saved_ = -1;
  }

  std::FILE* file_;
  int saved_ = -1;
};

class SessionLocal : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    int status = -99;
    Snmp engine_owner(status);
    ASSERT_EQ(mpInit(engine_owner, "VnSNMP_PP_Application", 3), SNMPv3_MP_OK);
    usmAddUserName("authonly", SNMP_AUTHPROTOCOL_HMACMD5, SNMP_PRIVPROTOCOL_NONE, "authpass1", "");
    usmAddUserName("badauth", 7, SNMP_PRIVPROTOCOL_NONE, "authpass1", "");
    usmAddUserName("badpriv", SNMP_AUTHPROTOCOL_HMACSHA, SNMP_PRIVPROTOCOL_IDEA, "authpass1",
                   "privpass1");
    usmAddUserName("full", SNMP_AUTHPROTOCOL_HMACSHA, SNMP_PRIVPROTOCOL_DES, "authpass1",
                   "privpass1");
  }

  void SetUp() override {
    int status = -99;
    snmp_ = std::make_unique<Snmp>(status);
    ASSERT_EQ(status, SNMP_CLASS_SUCCESS);
  }

  CTarget Silent2c(unsigned long timeout = 100, int retries = 1) {
    CTarget t(silent_.Address());
    t.set_version(version2c);
    t.set_readcommunity("qovalt");
    t.set_timeout(timeout);
    t.set_retry(retries);
    return t;
  }
  UTarget SilentV3(const char* user, unsigned long timeout = 30, int retries = 0) {
    UTarget t(silent_.Address());
    t.set_security_name(user);
    t.set_timeout(timeout);
    t.set_retry(retries);
    return t;
  }
  static Pdu OnePdu(int level = SNMP_SECURITY_LEVEL_NOAUTH_NOPRIV) {
    Pdu pdu;
    pdu += Vb(Oid(kSysName));
    pdu.set_security_level(level);
    return pdu;
  }
  static double Seconds(const std::function<void()>& f) {
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

  SilentPort silent_;
  std::unique_ptr<Snmp> snmp_;
};

TEST_F(SessionLocal, OpensOnASystemChosenPortThatNoOtherSessionGets) {
  EXPECT_TRUE(snmp_->valid());
  ASSERT_NE(snmp_->get_local_port(), 0);
  int status = 0;
  Snmp second(status, snmp_->get_local_port());
  EXPECT_EQ(status, SNMP_CLASS_TL_IN_USE);
  EXPECT_FALSE(second.valid());
  Pdu pdu = OnePdu();
  EXPECT_EQ(second.get(pdu, Silent2c()), SNMP_CLASS_INVALID);
}

TEST_F(SessionLocal, OpensOnAGivenPort) {
  int port = vntest::FreeUdpPort();
  int status = -99;
  Snmp fixed(status, static_cast<std::uint16_t>(port));
  ASSERT_EQ(status, SNMP_CLASS_SUCCESS);
  EXPECT_EQ(fixed.get_local_port(), port);
  // Later sessions go back to a port of the system's choice.
  int other_status = -99;
  Snmp any(other_status);
  EXPECT_EQ(other_status, SNMP_CLASS_SUCCESS);
  EXPECT_NE(any.get_local_port(), port);
}

TEST_F(SessionLocal, RefusedSubmissionsReportTheReason) {
  Pdu pdu = OnePdu();
  CTarget no_address;
  EXPECT_EQ(snmp_->get(pdu, no_address), SNMP_CLASS_INVALID_ADDRESS);
  CTarget v3_community = Silent2c();
  v3_community.set_version(version3);
  EXPECT_EQ(snmp_->get(pdu, v3_community), SNMP_CLASS_INVALID_TARGET);
  CTarget strange = Silent2c();
  strange.set_version(static_cast<snmp_version>(7));
  EXPECT_EQ(snmp_->get(pdu, strange), SNMP_CLASS_INVALID_TARGET);
  UTarget v1_user = SilentV3("full");
  v1_user.set_version(version1);
  EXPECT_EQ(snmp_->get(pdu, v1_user), SNMP_CLASS_INVALID_TARGET);

  Pdu bad_oid;
  bad_oid += Vb(Oid("1..3"));
  EXPECT_EQ(snmp_->get(bad_oid, Silent2c()), SNMP_CLASS_INVALID_OID);
  EXPECT_EQ(bad_oid.get_error_status(), SNMP_CLASS_INVALID_OID);
  Pdu short_oid;
  short_oid += Vb(Oid("1"));
  EXPECT_EQ(snmp_->get(short_oid, Silent2c()), SNMP_CLASS_INVALID_OID);
  Pdu bad_value = OnePdu();
  Vb vb{Oid(kSysLocation)};
  vb.set_value(IpAddress("300.1.1.1"));
  bad_value.set_vb(vb, 0);
  EXPECT_EQ(snmp_->set(bad_value, Silent2c()), SNMP_CLASS_INVALID_PDU);

  EXPECT_EQ(snmp_->get(pdu, Silent2c(), nullptr, nullptr), SNMP_CLASS_INVALID_CALLBACK);
  EXPECT_EQ(snmp_->cancel(12345), SNMP_CLASS_INVALID_REQID);
  EXPECT_EQ(snmp_->outstanding(), 0u);
}

TEST_F(SessionLocal, ATimeTicksValueGoesOutWithItsOwnTag) {
  Pdu pdu;
  Vb ticks{Oid(kSysUpTime)};
  ticks.set_value(TimeTicks(8640001));
  pdu += ticks;
  EXPECT_EQ(snmp_->set(pdu, Silent2c(50, 0)), SNMP_CLASS_TIMEOUT);
  // The binding on the wire: sysUpTime.0, then application tag 3
  // (TimeTicks) with 8640001 as four octets.
  const unsigned char binding[] = {0x06, 0x08, 0x2B, 0x06, 0x01, 0x02, 0x01, 0x01,
                                   0x03, 0x00, 0x43, 0x04, 0x00, 0x83, 0xD6, 0x01};
  const std::string datagram = silent_.Take();
  ASSERT_FALSE(datagram.empty());
  EXPECT_NE(datagram.find(std::string(reinterpret_cast<const char*>(binding), sizeof binding)),
            std::string::npos);
}

TEST_F(SessionLocal, VersionThreeSettingsAreCheckedBeforeSending) {
  UTarget model2 = SilentV3("full");
  model2.set_security_model(SNMP_SECURITY_MODEL_V2);
  Pdu pdu = OnePdu(SNMP_SECURITY_LEVEL_AUTH_PRIV);
  EXPECT_EQ(snmp_->get(pdu, model2), SNMPv3_MP_UNSUPPORTED_SECURITY_MODEL);

  pdu.set_context_engine_id("0x80001F8");
  EXPECT_EQ(snmp_->get(pdu, SilentV3("full")), SNMPv3_MP_INVALID_ENGINEID);
  pdu.set_context_engine_id(OctetStr(std::string(33, 'e')));
  EXPECT_EQ(snmp_->get(pdu, SilentV3("full")), SNMPv3_MP_INVALID_ENGINEID);
  pdu.set_context_engine_id("");

  Pdu auth_priv = OnePdu(SNMP_SECURITY_LEVEL_AUTH_PRIV);
  EXPECT_EQ(snmp_->get(auth_priv, SilentV3("authonly")), SNMPv3_USM_UNSUPPORTED_SECURITY_LEVEL);
  Pdu auth = OnePdu(SNMP_SECURITY_LEVEL_AUTH_NOPRIV);
  EXPECT_EQ(snmp_->get(auth, SilentV3("nobody")), SNMPv3_USM_UNKNOWN_SECURITY_NAME);
  EXPECT_EQ(snmp_->get(auth, SilentV3("badauth")), SNMPv3_USM_UNSUPPORTED_AUTHPROTOCOL);
  EXPECT_EQ(snmp_->get(auth_priv, SilentV3("badpriv")), SNMPv3_USM_UNSUPPORTED_PRIVPROTOCOL);
  Pdu level4 = OnePdu(4);
  EXPECT_EQ(snmp_->get(level4, SilentV3("full")), SNMPv3_USM_UNSUPPORTED_SECURITY_LEVEL);

  Recorder rec;
  EXPECT_EQ(snmp_->get(auth, SilentV3("nobody"), Recorder::Callback, &rec),
            SNMPv3_USM_UNKNOWN_SECURITY_NAME);
  PumpUntil([] { return false; }, 100);
  EXPECT_TRUE(rec.done.empty());
}

TEST_F(SessionLocal, ASilentAgentTimesOutAfterEveryTransmission) {
  Pdu pdu = OnePdu();
  int rc = 0;
  double s = Seconds([&] { rc = snmp_->get(pdu, Silent2c(100, 1)); });
  EXPECT_EQ(rc, SNMP_CLASS_TIMEOUT);
  EXPECT_NEAR(s, 2.0, 0.25);
  EXPECT_EQ(pdu.get_error_status(), SNMP_CLASS_TIMEOUT);
  ASSERT_EQ(pdu.get_vb_count(), 1);
  EXPECT_EQ(pdu.get_vb(0).get_printable_oid(), kSysName);

  s = Seconds([&] { rc = snmp_->get(pdu, Silent2c(50, 0)); });
  EXPECT_EQ(rc, SNMP_CLASS_TIMEOUT);
  EXPECT_NEAR(s, 0.5, 0.2);
}

TEST_F(SessionLocal, AVersionThreeProbeThatGetsNoAnswerTimesOut) {
  Pdu pdu = OnePdu(SNMP_SECURITY_LEVEL_AUTH_PRIV);
  int rc = 0;
  double s = Seconds([&] { rc = snmp_->get(pdu, SilentV3("full", 30, 1)); });
  EXPECT_EQ(rc, SNMP_CLASS_TIMEOUT);
  EXPECT_NEAR(s, 0.6, 0.2);
}

TEST_F(SessionLocal, RetriesCountPerRequest) {
  Recorder once, thrice;
  Pdu pdu = OnePdu();
  ASSERT_EQ(snmp_->get(pdu, Silent2c(30, 0), Recorder::Callback, &once), SNMP_CLASS_SUCCESS);
  ASSERT_EQ(snmp_->get(pdu, Silent2c(30, 2), Recorder::Callback, &thrice), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(snmp_->outstanding(), 2u);
  PumpUntil([&] { return !thrice.done.empty(); });
  ASSERT_EQ(once.done.size(), 1u);
  ASSERT_EQ(thrice.done.size(), 1u);
  EXPECT_EQ(once.done[0].reason, SNMP_CLASS_TIMEOUT);
  EXPECT_NEAR(once.done[0].at_ms, 300, 100);
  EXPECT_NEAR(thrice.done[0].at_ms, 900, 150);
  // A timed-out completion carries the request.
  EXPECT_EQ(once.done[0].error_status, SNMP_CLASS_TIMEOUT);
  ASSERT_EQ(once.done[0].pdu.get_vb_count(), 1);
  EXPECT_EQ(once.done[0].pdu.get_vb(0).get_printable_oid(), kSysName);
  EXPECT_EQ(once.done[0].address, silent_.Address().get_printable());
  EXPECT_EQ(snmp_->outstanding(), 0u);
}

TEST_F(SessionLocal, ARetryResendsTheSameRequest) {
  // A PDU handed over and a shared target are kept for the retransmissions
  // as copies would be; no target at all is refused.
  Recorder none;
  EXPECT_EQ(snmp_->get(OnePdu(), std::shared_ptr<SnmpTarget>(), Recorder::Callback, &none),
            SNMP_CLASS_INVALID_TARGET);
  for (bool handed_over : {false, true}) {
    for (snmp_version version : {version1, version2c}) {
      Recorder rec;
      Pdu pdu = OnePdu();
      CTarget target = Silent2c(30, 2);
      target.set_version(version);
      const int rc = handed_over ? snmp_->get(std::move(pdu), std::make_shared<CTarget>(target),
                                              Recorder::Callback, &rec)
                                 : snmp_->get(pdu, target, Recorder::Callback, &rec);
      ASSERT_EQ(rc, SNMP_CLASS_SUCCESS);
      PumpUntil([&] { return !rec.done.empty(); });
      ASSERT_EQ(rec.done.size(), 1u);
      EXPECT_EQ(rec.done[0].reason, SNMP_CLASS_TIMEOUT);
      ASSERT_EQ(rec.done[0].pdu.get_vb_count(), 1) << handed_over;
      EXPECT_EQ(rec.done[0].pdu.get_vb(0).get_printable_oid(), kSysName) << handed_over;
      EXPECT_EQ(rec.done[0].address, silent_.Address().get_printable()) << handed_over;
      // Three transmissions of one message: the same request id throughout.
      const std::string first = silent_.Take();
      ASSERT_FALSE(first.empty()) << version << handed_over;
      EXPECT_NE(first.find("qovalt"), std::string::npos) << version << handed_over;
      EXPECT_EQ(silent_.Take(), first) << version << handed_over;
      EXPECT_EQ(silent_.Take(), first) << version << handed_over;
      EXPECT_EQ(silent_.Take(), "") << version << handed_over;
    }
  }
}

TEST_F(SessionLocal, ARequestThatCannotBeEncodedFailsWithoutAWordOnStandardError) {
  // Net-SNMP's encoder refuses an object identifier whose first arc is above
  // 2, as a name or as a value; it says so in its log as well.
  Pdu named;
  named += Vb(Oid("3.1.1"));
  Pdu valued;
  Vb vb{Oid(kSysObjectId)};
  vb.set_value(Oid("3.1.1"));
  valued += vb;
  CTarget v1 = Silent2c();
  v1.set_version(version1);
  Recorder rec;
  struct Case {
    const char* what;
    std::function<int()> send;
  };
  const std::vector<Case> cases = {
      {"a version 1 GET of that name", [&] { return snmp_->get(named, v1); }},
      {"a version 2c SET of that value", [&] { return snmp_->set(valued, Silent2c()); }},
      {"an asynchronous GET of that name",
       [&] { return snmp_->get(named, Silent2c(), Recorder::Callback, &rec); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StandardErrorCapture capture;
    EXPECT_EQ(c.send(), SNMP_CLASS_INVALID_PDU);
    EXPECT_EQ(capture.Text(), "");
  }
  EXPECT_EQ(silent_.Take(), "");
  PumpUntil([] { return false; }, 100);
  EXPECT_TRUE(rec.done.empty());
}

TEST_F(SessionLocal, ASubmissionThatFailsNeverCallsBack) {
  // Sending to the broadcast address without permission fails in sendto.
  UdpAddress broadcast("255.255.255.255");
  broadcast.set_port(161);
  CTarget target(broadcast);
  target.set_version(version2c);
  Recorder rec;
  Pdu pdu = OnePdu();
  EXPECT_EQ(snmp_->get(pdu, target, Recorder::Callback, &rec), SNMP_CLASS_TL_FAILED);
  EXPECT_EQ(snmp_->get(pdu, target), SNMP_CLASS_TL_FAILED);
  EXPECT_EQ(snmp_->outstanding(), 0u);
  PumpUntil([] { return false; }, 200);
  EXPECT_TRUE(rec.done.empty());
}

TEST_F(SessionLocal, ACancelledRequestNeverCompletes) {
  Recorder rec;
  Pdu pdu = OnePdu();
  ASSERT_EQ(snmp_->get(pdu, Silent2c(30, 0), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  unsigned long id = pdu.get_request_id();
  EXPECT_EQ(snmp_->cancel(id), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(snmp_->outstanding(), 0u);
  EXPECT_EQ(snmp_->cancel(id), SNMP_CLASS_INVALID_REQID);
  PumpUntil([] { return false; }, 600);
  EXPECT_TRUE(rec.done.empty());
}

TEST_F(SessionLocal, CancellingByOwnerLeavesTheOthers) {
  Recorder mine, other;
  Pdu pdu = OnePdu();
  for (Recorder* r : {&mine, &other, &mine}) {
    ASSERT_EQ(snmp_->get(pdu, Silent2c(30, 0), Recorder::Callback, r), SNMP_CLASS_SUCCESS);
  }
  std::vector<void*> cancelled = snmp_->cancel_if([&](void* data) { return data == &mine; });
  EXPECT_EQ(cancelled, (std::vector<void*>{&mine, &mine}));
  EXPECT_EQ(snmp_->outstanding(), 1u);
  PumpUntil([&] { return !other.done.empty(); });
  PumpUntil([] { return false; }, 100);
  EXPECT_TRUE(mine.done.empty());
  ASSERT_EQ(other.done.size(), 1u);
  EXPECT_EQ(other.done[0].reason, SNMP_CLASS_TIMEOUT);
}

TEST_F(SessionLocal, ClosingReportsOutstandingRequestsAsDestroyed) {
  Recorder rec, cancelled;
  Pdu pdu = OnePdu();
  ASSERT_EQ(snmp_->get(pdu, Silent2c(), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  ASSERT_EQ(snmp_->get(pdu, Silent2c(), Recorder::Callback, &cancelled), SNMP_CLASS_SUCCESS);
  snmp_->cancel(pdu.get_request_id());
  rec.on_completion = [](Snmp* session) {
    Pdu again = OnePdu();
    CTarget target;
    EXPECT_EQ(session->get(again, target), SNMP_CLASS_INVALID);
  };
  snmp_.reset();
  ASSERT_EQ(rec.done.size(), 1u);
  EXPECT_EQ(rec.done[0].reason, SNMP_CLASS_SESSION_DESTROYED);
  EXPECT_EQ(rec.done[0].error_status, SNMP_CLASS_SESSION_DESTROYED);
  EXPECT_TRUE(cancelled.done.empty());
  EXPECT_EQ(SNMPProcessPendingEvents(), 0);
}

TEST_F(SessionLocal, ACompletionMayDestroyTheSession) {
  Recorder first, second;
  first.on_completion = [this](Snmp*) { snmp_.reset(); };
  Pdu pdu = OnePdu();
  ASSERT_EQ(snmp_->get(pdu, Silent2c(10, 0), Recorder::Callback, &first), SNMP_CLASS_SUCCESS);
  ASSERT_EQ(snmp_->get(pdu, Silent2c(300, 0), Recorder::Callback, &second), SNMP_CLASS_SUCCESS);
  PumpUntil([&] { return !first.done.empty(); });
  EXPECT_FALSE(snmp_);
  ASSERT_EQ(second.done.size(), 1u);
  EXPECT_EQ(second.done[0].reason, SNMP_CLASS_SESSION_DESTROYED);
  EXPECT_EQ(SNMPProcessPendingEvents(), 0);
}

TEST_F(SessionLocal, CompletionsDoNotNest) {
  Recorder rec;
  int nested = -1;
  rec.on_completion = [&](Snmp* session) {
    nested = SNMPProcessPendingEvents() + session->process_pending_events();
  };
  Pdu pdu = OnePdu();
  ASSERT_EQ(snmp_->get(pdu, Silent2c(10, 0), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  PumpUntil([&] { return !rec.done.empty(); });
  EXPECT_EQ(nested, 0);
}

}  // namespace
}  // namespace snmptest
