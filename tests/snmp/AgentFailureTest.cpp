// Version 3 failures as the agent reports them, and agents that stay silent.
#include "AgentFixture.h"

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

TEST_F(AgentFailure, UnknownUserIsReported) {
  usmAddUserName("ghost", SNMP_AUTHPROTOCOL_HMACSHA, SNMP_PRIVPROTOCOL_NONE, "ghostpass", "");
  TestUser ghost{"ghost", SNMP_AUTHPROTOCOL_HMACSHA,      "ghostpass", SNMP_PRIVPROTOCOL_NONE,
                 "",      SNMP_SECURITY_LEVEL_AUTH_NOPRIV};
  Pdu pdu = MakePdu({kSysDescr}, ghost.level);
  EXPECT_EQ(Session().get(pdu, V3Target(ghost)), SNMPv3_USM_UNKNOWN_SECURITY_NAME);
  Pdu noauth = MakePdu({kSysDescr});
  EXPECT_EQ(Session().get(noauth, V3Target(ghost)), SNMPv3_USM_UNKNOWN_SECURITY_NAME);
}

TEST_F(AgentFailure, WrongPrivacyPassPhraseMakesTheAgentSilent) {
  UserOverride wrong(kMd5Des, "md5authpass", "not-the-privacy");
  Pdu pdu = MakePdu({kSysDescr}, kMd5Des.level);
  int rc = 0;
  double s = Seconds([&] { rc = Session().get(pdu, V3Target(kMd5Des)); });
  EXPECT_EQ(rc, SNMP_CLASS_TIMEOUT);
  // The whole window of the transmission and its one retry (2 x 1 s), and
  // not a third transmission; a loaded machine may add to the upper side.
  EXPECT_GE(s, 1.9);
  EXPECT_LT(s, 2.9);
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

}  // namespace
}  // namespace snmptest
