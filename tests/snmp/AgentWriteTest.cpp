// SET over every version: values written and read back, and the agent's
// error status with its index.
#include "AgentFixture.h"

namespace snmptest {
namespace {

using AgentWrite = AgentTest;

Pdu SetPdu(std::initializer_list<std::pair<const char*, Vb>> bindings,
           int level = SNMP_SECURITY_LEVEL_NOAUTH_NOPRIV) {
  Pdu pdu;
  for (auto [oid, vb] : bindings) {
    vb.set_oid(Oid(oid));
    pdu += vb;
  }
  pdu.set_security_level(level);
  return pdu;
}

Vb Text(const char* text) {
  Vb vb;
  vb.set_value(OctetStr(text));
  return vb;
}

Vb Number(int n) {
  Vb vb;
  vb.set_value(n);
  return vb;
}

std::string ReadLocation() {
  Pdu pdu;
  pdu += Vb(Oid(kSysLocation));
  EXPECT_EQ(AgentTest::Session().get(pdu, AgentTest::V1Target()), SNMP_CLASS_SUCCESS);
  return pdu.get_vb(0).get_printable_value();
}

TEST_F(AgentWrite, ValuesWrittenOverEveryVersionReadBack) {
  Pdu v1 = SetPdu({{kSysLocation, Text("rack 1")}});
  ASSERT_EQ(Session().set(v1, V1Target()), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(ReadLocation(), "rack 1");
  Pdu v2 = SetPdu({{kSysLocation, Text("rack 2c")}});
  ASSERT_EQ(Session().set(v2, V2Target()), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(v2.get_vb(0).get_printable_value(), "rack 2c");  // the agent echoes the value
  EXPECT_EQ(ReadLocation(), "rack 2c");
  for (const TestUser& user : {kShaDes, kMd5Des, kShort}) {
    std::string text = std::string("rack of ") + user.name;
    Pdu v3 = SetPdu({{kSysLocation, Text(text.c_str())}}, user.level);
    ASSERT_EQ(Session().set(v3, V3Target(user)), SNMP_CLASS_SUCCESS) << user.name;
    EXPECT_EQ(ReadLocation(), text);
  }
}

TEST_F(AgentWrite, ReadOnlyObjects) {
  Pdu v1 = SetPdu({{kSysUpTime, Vb()}});
  Vb ticks{Oid(kSysUpTime)};
  ticks.set_value(TimeTicks(5));
  v1.set_vb(ticks, 0);
  EXPECT_EQ(Session().set(v1, V1Target()), SNMP_ERROR_NO_SUCH_NAME);
  EXPECT_EQ(v1.get_error_index(), 1);

  Pdu v2 = SetPdu({{kSysDescr, Text("new")}});
  EXPECT_EQ(Session().set(v2, V2Target()), SNMP_ERROR_NOT_WRITEABLE);
  EXPECT_EQ(v2.get_error_index(), 1);

  Pdu v3 = SetPdu({{kSysDescr, Text("new")}}, kShaDes.level);
  EXPECT_EQ(Session().set(v3, V3Target(kShaDes)), SNMP_ERROR_NOT_WRITEABLE);
}

TEST_F(AgentWrite, TheIndexNamesTheFailingBinding) {
  Pdu v2 = SetPdu({{kSysLocation, Text("x")}, {kSysDescr, Text("y")}});
  EXPECT_EQ(Session().set(v2, V2Target()), SNMP_ERROR_NOT_WRITEABLE);
  EXPECT_EQ(v2.get_error_index(), 2);
  Pdu v1 = SetPdu({{kSysLocation, Text("x")}, {kSysDescr, Text("y")}});
  EXPECT_EQ(Session().set(v1, V1Target()), SNMP_ERROR_NO_SUCH_NAME);
  EXPECT_EQ(v1.get_error_index(), 2);
}

TEST_F(AgentWrite, WrongType) {
  Pdu v2 = SetPdu({{kSysLocation, Number(5)}});
  EXPECT_EQ(Session().set(v2, V2Target()), SNMP_ERROR_WRONG_TYPE);
  EXPECT_EQ(v2.get_error_index(), 1);
  Pdu v1 = SetPdu({{kSysLocation, Number(5)}});
  EXPECT_EQ(Session().set(v1, V1Target()), SNMP_ERROR_BAD_VALUE);
}

TEST_F(AgentWrite, TheReadCommunityCannotWrite) {
  CTarget v2 = V2Target();
  v2.set_writecommunity("qovalt");
  Pdu pdu2 = SetPdu({{kSysLocation, Text("no")}});
  EXPECT_EQ(Session().set(pdu2, v2), SNMP_ERROR_NO_ACCESS);
  CTarget v1 = V1Target();
  v1.set_writecommunity("qovalt");
  Pdu pdu1 = SetPdu({{kSysLocation, Text("no")}});
  EXPECT_EQ(Session().set(pdu1, v1), SNMP_ERROR_NO_SUCH_NAME);
  // GET uses the read community, so a write-only setup still reads.
  CTarget reader = V2Target();
  reader.set_writecommunity("nothing");
  Pdu get = MakePdu({kSysLocation});
  EXPECT_EQ(Session().get(get, reader), SNMP_CLASS_SUCCESS);
}

}  // namespace
}  // namespace snmptest
