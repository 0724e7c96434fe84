// Version 3 before and after the engine is started (a process of its own).
#include <gtest/gtest.h>

#include "snmp/SnmpLib.h"

namespace {

TEST(EngineStart, VersionThreeNeedsTheEngine) {
  int status = -99;
  Snmp snmp(status);
  ASSERT_EQ(status, SNMP_CLASS_SUCCESS);
  usmAddUserName("someone", SNMP_AUTHPROTOCOL_HMACMD5, SNMP_PRIVPROTOCOL_NONE, "password1", "");
  UdpAddress agent("127.0.0.1/9");
  UTarget target(agent);
  target.set_security_name("someone");
  target.set_timeout(10);
  target.set_retry(0);
  Pdu pdu;
  pdu += Vb(Oid("1.3.6.1.2.1.1.5.0"));
  pdu.set_security_level(SNMP_SECURITY_LEVEL_AUTH_NOPRIV);
  EXPECT_EQ(snmp.get(pdu, target), SNMPv3_MP_NOT_INITIALIZED);

  EXPECT_EQ(mpInit(nullptr, "VnSNMP_PP_Application", 1), SNMP_CLASS_INVALID);
  EXPECT_EQ(mpInit(snmp, OctetStr(std::string(33, 'x')), 1), SNMPv3_MP_INVALID_ENGINEID);
  EXPECT_EQ(mpInit(snmp, "", 1), SNMPv3_MP_INVALID_ENGINEID);
  EXPECT_EQ(snmp.get(pdu, target), SNMPv3_MP_NOT_INITIALIZED);

  EXPECT_EQ(mpInit(snmp, "VnSNMP_PP_Application", 42), SNMPv3_MP_OK);
  // Now it is sent (and, with nobody listening, times out).
  EXPECT_EQ(snmp.get(pdu, target), SNMP_CLASS_TIMEOUT);
}

}  // namespace
