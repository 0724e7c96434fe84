// Key derivation (RFC 3414 A.2, vectors of A.3) and the user table.
#include <gtest/gtest.h>

#include "KeyDerivation.h"
#include "snmp/OctetStr.h"
#include "snmp/Usm.h"

namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  return OctetStr(bytes.data(), bytes.size()).get_printable_hex();
}

const OctetStr kEngine2 = OctetStr::from_hex_string("000000000000000000000002");

TEST(KeyDerivation, Rfc3414Md5Vector) {
  EXPECT_EQ(Hex(vnsnmp::PasswordToKu(vnsnmp::HashKind::Md5, "maplesyrup")),
            "9FAF3283884E92834EBC9847D8EDD963");
  EXPECT_EQ(Hex(usmPasswordToKey(SNMP_AUTHPROTOCOL_HMACMD5, "maplesyrup", kEngine2)),
            "526F5EED9FCCE26F8964C2930787D82B");
}

TEST(KeyDerivation, Rfc3414ShaVector) {
  EXPECT_EQ(Hex(vnsnmp::PasswordToKu(vnsnmp::HashKind::Sha1, "maplesyrup")),
            "9FB5CC0381497B3793528939FF788D5D79145211");
  EXPECT_EQ(Hex(usmPasswordToKey(SNMP_AUTHPROTOCOL_HMACSHA, "maplesyrup", kEngine2)),
            "6695FEBC9288E36282235FC7151F128497B38F3F");
}

TEST(KeyDerivation, ShortPassPhrasesWorkAndDifferByEngine) {
  auto a = usmPasswordToKey(SNMP_AUTHPROTOCOL_HMACMD5, "abc", kEngine2);
  auto b = usmPasswordToKey(SNMP_AUTHPROTOCOL_HMACMD5, "abc", OctetStr("other-engine"));
  EXPECT_EQ(a.size(), 16u);
  EXPECT_NE(a, b);
  EXPECT_EQ(usmPasswordToKey(SNMP_AUTHPROTOCOL_HMACSHA, "x", kEngine2).size(), 20u);
}

TEST(KeyDerivation, NoKeyWithoutAPassPhraseOrAProtocol) {
  EXPECT_TRUE(usmPasswordToKey(SNMP_AUTHPROTOCOL_HMACMD5, "", kEngine2).empty());
  EXPECT_TRUE(usmPasswordToKey(SNMP_AUTHPROTOCOL_NONE, "maplesyrup", kEngine2).empty());
  EXPECT_TRUE(usmPasswordToKey(7, "maplesyrup", kEngine2).empty());
}

TEST(UserTable, AddReportsUnsupportedProtocols) {
  EXPECT_EQ(usmAddUserName("u1", SNMP_AUTHPROTOCOL_HMACSHA, SNMP_PRIVPROTOCOL_DES, "a", "b"),
            SNMPv3_USM_OK);
  EXPECT_EQ(usmAddUserName("u2", 7, SNMP_PRIVPROTOCOL_NONE, "a", ""),
            SNMPv3_USM_UNSUPPORTED_AUTHPROTOCOL);
  EXPECT_EQ(usmAddUserName("u3", SNMP_AUTHPROTOCOL_HMACMD5, SNMP_PRIVPROTOCOL_IDEA, "a", "b"),
            SNMPv3_USM_UNSUPPORTED_PRIVPROTOCOL);
  EXPECT_EQ(usmAddUserName("", SNMP_AUTHPROTOCOL_NONE, SNMP_PRIVPROTOCOL_NONE, "", ""),
            SNMPv3_USM_ERROR);
  EXPECT_EQ(usmDeleteUserName("u1"), SNMPv3_USM_OK);
  EXPECT_EQ(usmDeleteUserName("u1"), SNMPv3_USM_UNKNOWN_SECURITY_NAME);
}

}  // namespace
