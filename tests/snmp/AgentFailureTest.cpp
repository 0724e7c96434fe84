// Version 3 failures as the agent reports them, and agents that stay silent.
#include <optional>
#include <tuple>

#include "AgentFixture.h"
#include "EngineClock.h"
#include "UsmUserCache.h"
#include "support/UdpRelay.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();  // the sanitizer's own
#else
#include <malloc.h>
#endif

namespace snmptest {
namespace {

using AgentFailure = AgentTest;

// Registers a user under other pass phrases for one test and puts the right
// ones back afterwards.
class UserOverride {
 public:
  UserOverride(const TestUser& user, const char* auth_pass, const char* priv_pass) : user_(user) {
    usmAddUserName(user.name, user.auth, user.priv, auth_pass, priv_pass);
  }
  ~UserOverride() {
    usmAddUserName(user_.name, user_.auth, user_.priv, user_.auth_pass, user_.priv_pass);
  }

 private:
  TestUser user_;
};

// The bytes the program holds on the heap now, as its allocator counts them.
std::size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 heap = mallinfo2();
  return heap.uordblks + heap.hblkhd;
#endif
}

double Seconds(const std::function<void()>& f) {
  auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST_F(AgentFailure, WrongAuthenticationPassPhraseIsReported) {
  UserOverride wrong(kMd5Only, "not-the-password", "");
  Pdu pdu = MakePdu({kSysDescr}, kMd5Only.level);
  EXPECT_EQ(Session().get(pdu, V3Target(kMd5Only)), SNMPv3_USM_AUTHENTICATION_FAILURE);
  EXPECT_EQ(pdu.get_error_status(), SNMPv3_USM_AUTHENTICATION_FAILURE);
}

TEST_F(AgentFailure, TheRightPassPhraseWorksAgainAfterAWrongOne) {
  {
    UserOverride wrong(kShaDes, "wrong-auth", "shaprivpass");
    Pdu pdu = MakePdu({kSysDescr}, kShaDes.level);
    EXPECT_EQ(Session().get(pdu, V3Target(kShaDes)), SNMPv3_USM_AUTHENTICATION_FAILURE);
  }
  Pdu pdu = MakePdu({kSysDescr}, kShaDes.level);
  EXPECT_EQ(Session().get(pdu, V3Target(kShaDes)), SNMP_CLASS_SUCCESS);
}

TEST_F(AgentFailure, AUserRemovedWhileItsRequestWaitsIsUnknownToIt) {
  // The keys of the user were made sure of just now...
  Pdu first = MakePdu({kSysDescr}, kMd5Only.level);
  ASSERT_EQ(Session().get(first, V3Target(kMd5Only)), SNMP_CLASS_SUCCESS);
  // ...and a session that has yet to learn the agent's engine id sends the
  // request itself only once that is answered: by then the user is gone.
  int status = -99;
  Snmp fresh(status);
  ASSERT_EQ(status, SNMP_CLASS_SUCCESS);
  Recorder rec;
  Pdu pdu = MakePdu({kSysDescr}, kMd5Only.level);
  ASSERT_EQ(fresh.get(pdu, V3Target(kMd5Only), Recorder::Callback, &rec), SNMP_CLASS_SUCCESS);
  {
    UserOverride back(kMd5Only, kMd5Only.auth_pass, kMd5Only.priv_pass);  // puts it back after
    ASSERT_EQ(usmDeleteUserName(kMd5Only.name), SNMPv3_USM_OK);
    PumpUntil([&] { return !rec.done.empty(); });
  }
  ASSERT_EQ(rec.done.size(), 1u);
  EXPECT_EQ(rec.done[0].reason, SNMPv3_USM_UNKNOWN_SECURITY_NAME);
}

TEST_F(AgentFailure, UnknownUserIsReported) {
  usmAddUserName("ghost", SNMP_AUTHPROTOCOL_HMACSHA, SNMP_PRIVPROTOCOL_NONE, "ghostpass", "");
  TestUser ghost{"ghost", SNMP_AUTHPROTOCOL_HMACSHA,      "ghostpass", SNMP_PRIVPROTOCOL_NONE,
                 "",      SNMP_SECURITY_LEVEL_AUTH_NOPRIV};
  Pdu pdu = MakePdu({kSysDescr}, ghost.level);
  EXPECT_EQ(Session().get(pdu, V3Target(ghost)), SNMPv3_USM_UNKNOWN_SECURITY_NAME);
  Pdu noauth = MakePdu({kSysDescr});
  EXPECT_EQ(Session().get(noauth, V3Target(ghost)), SNMPv3_USM_UNKNOWN_SECURITY_NAME);
}

// The agent cannot read the request and answers nothing: the session waits
// out the transmission and its one retry (2 x 1 s), and sends no third.
TEST_F(AgentFailure, WrongPrivacyPassPhraseMakesTheAgentSilent) {
  vntest::UdpRelay relay(Agent().Port());
  UdpAddress address(Agent().Address());
  address.set_port(static_cast<std::uint16_t>(relay.Port()));
  UTarget target = V3Target(kMd5Des);
  target.set_address(address);
  Pdu first = MakePdu({kSysDescr}, kMd5Des.level);
  ASSERT_EQ(Session().get(first, target), SNMP_CLASS_SUCCESS);  // the engine id is known
  const std::size_t before = relay.Seen().size();

  UserOverride wrong(kMd5Des, "md5authpass", "not-the-privacy");
  Pdu pdu = MakePdu({kSysDescr}, kMd5Des.level);
  int rc = 0;
  double s = Seconds([&] { rc = Session().get(pdu, target); });
  EXPECT_EQ(rc, SNMP_CLASS_TIMEOUT);
  EXPECT_GE(s, 1.9);
  const std::vector<vntest::RelayedDatagram> seen = relay.Seen();
  int sent = 0, answered = 0;
  for (std::size_t i = before; i < seen.size(); ++i) {
    if (seen[i].Discovery() || seen[i].user.empty()) continue;  // whether the engine id changed
    (seen[i].to_agent ? sent : answered) += 1;
  }
  EXPECT_EQ(sent, 2);
  EXPECT_EQ(answered, 0);
}

TEST_F(AgentFailure, ALevelBelowTheUsersAccessIsRefused) {
  Pdu pdu = MakePdu({kSysDescr}, SNMP_SECURITY_LEVEL_AUTH_NOPRIV);
  EXPECT_EQ(Session().get(pdu, V3Target(kMd5Des)), SNMP_ERROR_AUTH_ERR);
  EXPECT_EQ(pdu.get_error_index(), 0);
}

TEST_F(AgentFailure, WrongCommunityOrContextMakesTheAgentSilent) {
  CTarget v2 = V2Target();
  v2.set_readcommunity("nonsense");
  v2.set_timeout(30);
  v2.set_retry(0);
  Pdu pdu = MakePdu({kSysDescr});
  EXPECT_EQ(Session().get(pdu, v2), SNMP_CLASS_TIMEOUT);
  CTarget v1 = v2;
  v1.set_version(version1);
  EXPECT_EQ(Session().get(pdu, v1), SNMP_CLASS_TIMEOUT);

  UTarget v3 = V3Target(kShaDes);
  v3.set_timeout(30);
  v3.set_retry(0);
  Pdu context = MakePdu({kSysDescr}, kShaDes.level);
  context.set_context_name("nosuchcontext");
  EXPECT_EQ(Session().get(context, v3), SNMP_CLASS_TIMEOUT);
}

TEST_F(AgentFailure, EverythingStillWorksAfterTheFailures) {
  Pdu pdu = MakePdu({kSysDescr}, kMd5Des.level);
  UserOverride wrong(kMd5Only, "not-the-password", "");
  Pdu bad = MakePdu({kSysDescr}, kMd5Only.level);
  EXPECT_EQ(Session().get(bad, V3Target(kMd5Only)), SNMPv3_USM_AUTHENTICATION_FAILURE);
  EXPECT_EQ(Session().get(pdu, V3Target(kMd5Des)), SNMP_CLASS_SUCCESS);
  Pdu v1 = MakePdu({kSysDescr});
  EXPECT_EQ(Session().get(v1, V1Target()), SNMP_CLASS_SUCCESS);
}

TEST(AgentRestart, ANewEngineIdIsLearntAgainAndTheRequestResent) {
  vntest::SnmpdOptions first;
  first.users.push_back({"md5des", "MD5", "md5authpass", "DES", "md5privpass", true});
  first.extra_config = "engineID first-agent";
  auto agent = std::make_unique<vntest::Snmpd>(first);
  int port = agent->Port();

  int status = -99;
  Snmp snmp(status);
  ASSERT_EQ(status, SNMP_CLASS_SUCCESS);
  ASSERT_EQ(mpInit(snmp, "VnSNMP_PP_Application", 1), SNMPv3_MP_OK);
  usmAddUserName("md5des", SNMP_AUTHPROTOCOL_HMACMD5, SNMP_PRIVPROTOCOL_DES, "md5authpass",
                 "md5privpass");
  UdpAddress address("127.0.0.1");
  address.set_port(static_cast<std::uint16_t>(port));
  UTarget target(address);
  target.set_security_name("md5des");
  Pdu pdu;
  pdu += Vb(Oid("1.3.6.1.6.3.10.2.1.1.0"));
  pdu.set_security_level(SNMP_SECURITY_LEVEL_AUTH_PRIV);
  Pdu first_reply = pdu;
  ASSERT_EQ(snmp.get(first_reply, target), SNMP_CLASS_SUCCESS);

  // Another agent on the same port, with another engine id.
  agent.reset();
  vntest::SnmpdOptions second = first;
  second.port = port;
  second.extra_config = "engineID second-agent";
  agent = std::make_unique<vntest::Snmpd>(second);
  // Net-SNMP cannot read the new agent's Report about the old engine id, so
  // the request goes unanswered once before the engine id is asked again.
  Pdu second_reply = pdu;
  ASSERT_EQ(snmp.get(second_reply, target), SNMP_CLASS_SUCCESS) << agent->Log();
  OctetStr first_id, second_id;
  ASSERT_EQ(first_reply.get_vb(0).get_value(first_id), SNMP_CLASS_SUCCESS);
  ASSERT_EQ(second_reply.get_vb(0).get_value(second_id), SNMP_CLASS_SUCCESS);
  EXPECT_NE(first_id, second_id);
  Pdu third_reply = pdu;
  EXPECT_EQ(snmp.get(third_reply, target), SNMP_CLASS_SUCCESS);
}

// A request that went unanswered was sent out of the agent's time window
// when the agent now counts fewer boots, or the same boots and a time more
// than 150 s away (a reboot of an agent that keeps no boots count).
TEST(AgentRestart, AClockThatWentBackIsOutOfTheTimeWindow) {
  const vnsnmp::EngineClock sent{true, 7, 1000};
  EXPECT_TRUE(vnsnmp::InTimeWindow(sent, {false, 7, 850}));
  EXPECT_FALSE(vnsnmp::InTimeWindow(sent, {false, 7, 849}));
  EXPECT_FALSE(vnsnmp::InTimeWindow(sent, {false, 6, 1000}));
}

// A switch reset to its factory settings keeps its engine id (made of its
// MAC address) and counts its boots from 1 again. Net-SNMP drops its
// time-window Reports, which carry fewer boots than the session knows: the
// request learns the boots and time again once and is sent once more. One
// that the agent cannot read still ends once, timed out.
TEST(AgentRestart, FewerBootsUnderTheSameEngineIdAreLearntAgainOnce) {
  const std::string id = "engineID reset-agent\noldEngineID 0x80001f880472657365742d6167656e74\n";
  vntest::SnmpdOptions options;
  options.users.push_back({"md5des", "MD5", "md5authpass", "DES", "md5privpass", true});
  options.extra_config = id + "engineBoots 40";  // the agent counts one more
  auto agent = std::make_unique<vntest::Snmpd>(options);
  options.port = agent->Port();
  vntest::UdpRelay relay(options.port);
  int status = -99;
  Snmp snmp(status);
  ASSERT_EQ(status, SNMP_CLASS_SUCCESS);
  ASSERT_EQ(mpInit(snmp, "VnSNMP_PP_Application", 1), SNMPv3_MP_OK);
  usmAddUserName(kMd5Des.name, kMd5Des.auth, kMd5Des.priv, kMd5Des.auth_pass, kMd5Des.priv_pass);
  UdpAddress address("127.0.0.1");
  address.set_port(static_cast<std::uint16_t>(relay.Port()));
  UTarget target(address);
  target.set_security_name(kMd5Des.name);
  target.set_timeout(30);
  target.set_retry(1);
  // One read of snmpEngineBoots, with a privacy pass phrase the agent does
  // not know or the right one: its status, the boots read, and the
  // discoveries and other messages that went to the agent for it.
  using Read = std::tuple<int, long, int, int>;
  const auto read = [&](bool wrong_privacy) {
    std::optional<UserOverride> wrong;
    if (wrong_privacy) wrong.emplace(kMd5Des, kMd5Des.auth_pass, "not-the-privacy");
    const std::size_t before = relay.Seen().size();
    Pdu pdu = AgentTest::MakePdu({kEngineBoots}, kMd5Des.level);
    Read r{snmp.get(pdu, target), -1, 0, 0};
    SnmpInt32 boots;
    if (std::get<0>(r) == SNMP_CLASS_SUCCESS &&
        pdu.get_vb(0).get_value(boots) == SNMP_CLASS_SUCCESS)
      std::get<1>(r) = boots.value();
    const std::vector<vntest::RelayedDatagram> seen = relay.Seen();
    for (std::size_t i = before; i < seen.size(); ++i)
      if (seen[i].to_agent) ++(seen[i].Discovery() ? std::get<2>(r) : std::get<3>(r));
    return r;
  };
  const auto reset = [&](const char* boots) {
    agent.reset();
    options.extra_config = id + "engineBoots " + boots;
    agent = std::make_unique<vntest::Snmpd>(options);
  };
  ASSERT_EQ(std::get<1>(read(false)), 41);
  // Unanswered, the agent's clock as it was: no more is sent.
  EXPECT_EQ(read(true), Read(SNMP_CLASS_TIMEOUT, -1, 1, 2));
  reset("20");
  // Two sent in vain, the discovery, and once more.
  EXPECT_EQ(read(false), Read(SNMP_CLASS_SUCCESS, 21, 1, 3));
  reset("0");
  // Once more with its retry, to no avail; the boots and time are learnt.
  EXPECT_EQ(read(true), Read(SNMP_CLASS_TIMEOUT, -1, 1, 4));
  EXPECT_EQ(read(false), Read(SNMP_CLASS_SUCCESS, 1, 0, 1));
}

TEST(AgentUsers, EachUserKeepsItsOwnKeysWhateverTheOrderTheyCameIn) {
  // Net-SNMP keeps the users of every agent in one sorted list; a user is
  // installed when a request first needs it for an agent, and again when its
  // settings change. Each agent here is new, so its users come in the order
  // the requests give them.
  const std::vector<TestUser> users = {
      {"usr-md5des", SNMP_AUTHPROTOCOL_HMACMD5, "usrmd5auth", SNMP_PRIVPROTOCOL_DES, "usrmd5priv",
       SNMP_SECURITY_LEVEL_AUTH_PRIV},
      {"usr-sha", SNMP_AUTHPROTOCOL_HMACSHA, "usrshaauth", SNMP_PRIVPROTOCOL_NONE, "",
       SNMP_SECURITY_LEVEL_AUTH_NOPRIV},
      {"usr-md5", SNMP_AUTHPROTOCOL_HMACMD5, "usrmd5only", SNMP_PRIVPROTOCOL_NONE, "",
       SNMP_SECURITY_LEVEL_AUTH_NOPRIV}};
  const std::vector<std::vector<std::size_t>> orders = {{0, 1, 2}, {2, 1, 0}, {1, 2, 0}};
  int status = -99;
  Snmp snmp(status);
  ASSERT_EQ(status, SNMP_CLASS_SUCCESS);
  ASSERT_EQ(mpInit(snmp, "VnSNMP_PP_Application", 1), SNMPv3_MP_OK);
  for (std::size_t o = 0; o < orders.size(); ++o) {
    SCOPED_TRACE(testing::Message() << "order " << o);
    vntest::SnmpdOptions options;
    for (const TestUser& u : users) {
      options.users.push_back({u.name, u.auth == SNMP_AUTHPROTOCOL_HMACSHA ? "SHA" : "MD5",
                               u.auth_pass, u.priv == SNMP_PRIVPROTOCOL_DES ? "DES" : "",
                               u.priv_pass, true});
    }
    options.extra_config = "engineID users-order-" + std::to_string(o);
    vntest::Snmpd agent(options);
    UdpAddress address(agent.Address());
    address.set_port(static_cast<std::uint16_t>(agent.Port()));
    // Whether the client holds the pass phrases the agent knows, per user.
    std::vector<bool> right(users.size(), true);
    const auto set = [&](std::size_t i, bool agent_phrases) {
      const TestUser& u = users[i];
      usmAddUserName(u.name, u.auth, u.priv, agent_phrases ? u.auth_pass : "changed-authpass",
                     u.priv_pass);
      right[i] = agent_phrases;
    };
    const auto request = [&](std::size_t i) {
      UTarget target(address);
      target.set_security_name(users[i].name);
      target.set_timeout(100);
      target.set_retry(1);
      Pdu pdu;
      pdu += Vb(Oid(kSysDescr));
      pdu.set_security_level(users[i].level);
      return snmp.get(pdu, target);
    };
    const auto expect_each = [&](const std::string& step) {
      for (std::size_t i = 0; i < users.size(); ++i) {
        EXPECT_EQ(request(i), right[i] ? SNMP_CLASS_SUCCESS : SNMPv3_USM_AUTHENTICATION_FAILURE)
            << step << ": " << users[i].name;
      }
    };
    for (std::size_t i : orders[o]) {
      set(i, true);
      EXPECT_EQ(request(i), SNMP_CLASS_SUCCESS) << users[i].name;
    }
    for (std::size_t i : orders[o]) {
      set(i, false);
      expect_each(std::string("changed ") + users[i].name);
    }
    for (std::size_t i : orders[o]) {
      set(i, true);
      expect_each(std::string("changed back ") + users[i].name);
    }
  }
}

// A user installed again for an agent, its pass phrases changed, takes the
// place of the one made before: Net-SNMP's list and the heap hold one user
// for it however often that happens.
TEST(AgentUsers, AUserInstalledAgainTakesThePlaceOfTheOneBefore) {
  const std::vector<std::uint8_t> engine = {0x80, 0x00, 0x1f, 0x88, 0x04, 'a', 'g', 'a', 'i', 'n'};
  const auto install = [&engine](int round) {
    usmAddUserName("usr-again", SNMP_AUTHPROTOCOL_HMACSHA, SNMP_PRIVPROTOCOL_DES,
                   round % 2 ? "againauth-odd" : "againauth-even", "againprivpass");
    return vnsnmp::EnsureUsmUser(engine, "usr-again", SNMP_SECURITY_LEVEL_AUTH_PRIV);
  };
  for (int round = 0; round < 2; ++round) ASSERT_EQ(install(round), SNMPv3_USM_OK);
  const std::size_t before = HeapInUse();
  constexpr std::size_t kRounds = 200;
  for (std::size_t round = 0; round < kRounds; ++round)
    ASSERT_EQ(install(static_cast<int>(round)), SNMPv3_USM_OK);
  // A user left behind holds some hundred bytes: its record, engine id,
  // names, protocols and keys.
  EXPECT_LT(HeapInUse(), before + kRounds * 16) << "grew by " << HeapInUse() - before;
  usmDeleteUserName("usr-again");
}

}  // namespace
}  // namespace snmptest
