// Typed GET and GETNEXT over every version and user against the agent.
#include "AgentFixture.h"

namespace snmptest {
namespace {

using AgentRead = AgentTest;

// GETs one binding of every value type and checks tag and typed access.
void ExpectTypedValues(Snmp& snmp, Pdu pdu, const SnmpTarget& target, bool with_counter64) {
  int rc = snmp.get(pdu, target);
  ASSERT_EQ(rc, SNMP_CLASS_SUCCESS);
  ASSERT_EQ(pdu.get_type(), sNMP_PDU_RESPONSE);
  ASSERT_EQ(pdu.get_vb_count(), with_counter64 ? 10 : 9);
  EXPECT_EQ(pdu.get_error_status(), 0);
  EXPECT_EQ(pdu.get_error_index(), 0);

  OctetStr descr;
  EXPECT_EQ(pdu.get_vb(0).get_syntax(), sNMP_SYNTAX_OCTETS);
  EXPECT_EQ(pdu.get_vb(0).get_value(descr), SNMP_CLASS_SUCCESS);
  EXPECT_NE(descr.len(), 0u);
  Oid object_id;
  EXPECT_EQ(pdu.get_vb(1).get_syntax(), sNMP_SYNTAX_OID);
  EXPECT_EQ(pdu.get_vb(1).get_value(object_id), SNMP_CLASS_SUCCESS);
  EXPECT_TRUE(object_id.starts_with(Oid("1.3.6.1.4.1")));
  TimeTicks up;
  EXPECT_EQ(pdu.get_vb(2).get_syntax(), sNMP_SYNTAX_TIMETICKS);
  EXPECT_EQ(pdu.get_vb(2).get_value(up), SNMP_CLASS_SUCCESS);
  SnmpInt32 boots;
  EXPECT_EQ(pdu.get_vb(3).get_syntax(), sNMP_SYNTAX_INT32);
  EXPECT_EQ(pdu.get_vb(3).get_value(boots), SNMP_CLASS_SUCCESS);
  EXPECT_GT(boots.value(), 0);
  Counter32 in_packets;
  EXPECT_EQ(pdu.get_vb(4).get_syntax(), sNMP_SYNTAX_CNTR32);
  EXPECT_EQ(pdu.get_vb(4).get_value(in_packets), SNMP_CLASS_SUCCESS);
  EXPECT_GT(in_packets.value(), 0u);
  Gauge32 speed;
  EXPECT_EQ(pdu.get_vb(5).get_syntax(), sNMP_SYNTAX_GAUGE32);
  EXPECT_EQ(pdu.get_vb(5).get_value(speed), SNMP_CLASS_SUCCESS);
  IpAddress ip;
  EXPECT_EQ(pdu.get_vb(6).get_syntax(), sNMP_SYNTAX_IPADDR);
  EXPECT_EQ(pdu.get_vb(6).get_value(ip), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(ip.get_printable(), "127.0.0.1");
  // An Opaque holding a float stays the Opaque's own octets: 9F 78 04 + float.
  OpaqueStr load;
  EXPECT_EQ(pdu.get_vb(7).get_syntax(), sNMP_SYNTAX_OPAQUE);
  EXPECT_EQ(pdu.get_vb(7).get_value(load), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(load.len(), 7u);
  EXPECT_EQ(load.get_printable_hex().substr(0, 6), "9F7804");
  // The engine's maximum message size is an Integer32 as well.
  long max_size = 0;
  EXPECT_EQ(pdu.get_vb(8).get_value(max_size), SNMP_CLASS_SUCCESS);
  EXPECT_GE(max_size, 484);
  if (with_counter64) {
    Counter64 octets;
    EXPECT_EQ(pdu.get_vb(9).get_syntax(), sNMP_SYNTAX_CNTR64);
    EXPECT_EQ(pdu.get_vb(9).get_value(octets), SNMP_CLASS_SUCCESS);
    EXPECT_EQ(octets.get_printable(), std::to_string(octets.value()));
  }
}

TEST_F(AgentRead, EveryValueTypeOverVersionOne) {
  ExpectTypedValues(Session(),
                    MakePdu({kSysDescr, kSysObjectId, kSysUpTime, kEngineBoots, kSnmpInPkts,
                             kIfSpeed1, kIpAdEntAddrLoopback, kLaLoadFloat1, kLastInView}),
                    V1Target(), false);
}

TEST_F(AgentRead, EveryValueTypeOverVersionTwo) {
  ExpectTypedValues(
      Session(),
      MakePdu({kSysDescr, kSysObjectId, kSysUpTime, kEngineBoots, kSnmpInPkts, kIfSpeed1,
               kIpAdEntAddrLoopback, kLaLoadFloat1, kLastInView, kIfHCInOctets1}),
      V2Target(), true);
}

TEST_F(AgentRead, EveryValueTypeOverVersionThreeForEveryUser) {
  for (const TestUser& user : kAllUsers) {
    SCOPED_TRACE(user.name);
    ExpectTypedValues(
        Session(),
        MakePdu({kSysDescr, kSysObjectId, kSysUpTime, kEngineBoots, kSnmpInPkts, kIfSpeed1,
                 kIpAdEntAddrLoopback, kLaLoadFloat1, kLastInView, kIfHCInOctets1},
                user.level),
        V3Target(user), true);
  }
}

TEST_F(AgentRead, MissingInstancesAndObjects) {
  Pdu pdu = MakePdu({kSysDescr, "1.3.6.1.2.1.1.5.1", "1.3.6.1.2.1.1.99.0"});
  ASSERT_EQ(Session().get(pdu, V2Target()), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(pdu.get_vb(1).get_syntax(), sNMP_SYNTAX_NOSUCHINSTANCE);
  EXPECT_EQ(pdu.get_vb(1).get_printable_value(), "");
  EXPECT_EQ(pdu.get_vb(1).get_printable_oid(), "1.3.6.1.2.1.1.5.1");
  EXPECT_EQ(pdu.get_vb(2).get_syntax(), sNMP_SYNTAX_NOSUCHOBJECT);
  OctetStr value;
  EXPECT_EQ(pdu.get_vb(1).get_value(value), SNMP_CLASS_INVALID);

  // Version 1 has no exceptions: noSuchName at the missing binding.
  Pdu v1 = MakePdu({kSysDescr, "1.3.6.1.2.1.1.5.1"});
  EXPECT_EQ(Session().get(v1, V1Target()), SNMP_ERROR_NO_SUCH_NAME);
  EXPECT_EQ(v1.get_error_status(), SNMP_ERROR_NO_SUCH_NAME);
  EXPECT_EQ(v1.get_error_index(), 2);
  EXPECT_EQ(v1.get_vb(1).get_printable_oid(), "1.3.6.1.2.1.1.5.1");
}

TEST_F(AgentRead, GetNextStepsToTheFollowingInstance) {
  Pdu pdu = MakePdu({kSysDescr, "1.3.6.1.2.1.1"});
  ASSERT_EQ(Session().get_next(pdu, V2Target()), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(pdu.get_vb(0).get_printable_oid(), kSysObjectId);
  EXPECT_EQ(pdu.get_vb(1).get_printable_oid(), kSysDescr);
}

TEST_F(AgentRead, GetNextPastTheLastInstanceOverVersionOne) {
  Pdu pdu = MakePdu({kLastInView});
  EXPECT_EQ(Session().get_next(pdu, V1Target()), SNMP_ERROR_NO_SUCH_NAME);
  EXPECT_EQ(pdu.get_error_index(), 1);
  ASSERT_EQ(pdu.get_vb_count(), 1);
  // The requested identifier comes back, with no value: the end of a walk.
  EXPECT_EQ(pdu.get_vb(0).get_printable_oid(), kLastInView);
  EXPECT_EQ(pdu.get_vb(0).get_syntax(), sNMP_SYNTAX_NULL);
}

TEST_F(AgentRead, GetNextPastTheLastInstanceOverVersionsTwoAndThree) {
  Pdu v2 = MakePdu({kLastInView, kSysContact});
  ASSERT_EQ(Session().get_next(v2, V2Target()), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(v2.get_vb(0).get_syntax(), sNMP_SYNTAX_ENDOFMIBVIEW);
  EXPECT_EQ(v2.get_vb(0).get_printable_oid(), kLastInView);
  EXPECT_EQ(v2.get_vb(1).get_printable_oid(), kSysName);  // the other column goes on

  Pdu v3 = MakePdu({kLastInView}, kShaDes.level);
  ASSERT_EQ(Session().get_next(v3, V3Target(kShaDes)), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(v3.get_vb(0).get_syntax(), sNMP_SYNTAX_ENDOFMIBVIEW);
}

TEST_F(AgentRead, ContextEngineIdGivenAsHexText) {
  Pdu engine = MakePdu({"1.3.6.1.6.3.10.2.1.1.0"});  // snmpEngineID
  ASSERT_EQ(Session().get(engine, V2Target()), SNMP_CLASS_SUCCESS);
  OctetStr id;
  ASSERT_EQ(engine.get_vb(0).get_value(id), SNMP_CLASS_SUCCESS);

  Pdu pdu = MakePdu({kSysDescr}, kMd5Des.level);
  pdu.set_context_engine_id(("0x" + id.get_printable_hex()).c_str());
  ASSERT_EQ(Session().get(pdu, V3Target(kMd5Des)), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(pdu.get_context_engine_id(), id);
  EXPECT_EQ(pdu.get_security_level(), kMd5Des.level);
}

TEST_F(AgentRead, HostNamesAreResolved) {
  UdpAddress by_name("localhost");
  by_name.set_port(static_cast<std::uint16_t>(Agent().Port()));
  CTarget target(by_name);
  target.set_version(version2c);
  target.set_readcommunity("qovalt");
  Pdu pdu = MakePdu({kSysName});
  EXPECT_EQ(Session().get(pdu, target), SNMP_CLASS_SUCCESS);
}

}  // namespace
}  // namespace snmptest
