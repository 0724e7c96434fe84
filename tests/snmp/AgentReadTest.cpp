// Typed GET and GETNEXT over every version against the agent.
#include "AgentFixture.h"

namespace snmptest {
namespace {

using AgentRead = AgentTest;

TEST_F(AgentRead, SmokeV2) {
  Pdu pdu = MakePdu({kSysDescr, kSysUpTime});
  int rc = Session().get(pdu, V2Target());
  ASSERT_EQ(rc, SNMP_CLASS_SUCCESS) << Agent().Log();
  ASSERT_EQ(pdu.get_vb_count(), 2);
  EXPECT_EQ(pdu.get_vb(0).get_syntax(), sNMP_SYNTAX_OCTETS);
  EXPECT_EQ(pdu.get_vb(1).get_syntax(), sNMP_SYNTAX_TIMETICKS);
  std::cout << pdu.get_vb(0).get_printable_value() << "\n";
}

TEST_F(AgentRead, SmokeV3) {
  for (const TestUser& u : kAllUsers) {
    Pdu pdu = MakePdu({kSysDescr}, u.level);
    int rc = Session().get(pdu, V3Target(u));
    EXPECT_EQ(rc, SNMP_CLASS_SUCCESS) << u.name << "\n" << Agent().Log();
  }
}

}  // namespace
}  // namespace snmptest
