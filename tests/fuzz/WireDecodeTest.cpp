#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "snmp/OctetStr.h"
#include "snmp/WireDecode.h"

// The decoding the reply target relies on reads a message as a session
// would: bindings with their values and exceptions, status and index; a
// message cut short is refused and leaves nothing behind.
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Tlv(std::uint8_t type, const Bytes& content) {
  Bytes out{type, static_cast<std::uint8_t>(content.size())};
  out.insert(out.end(), content.begin(), content.end());
  return out;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// 1.3.6.1.2.1.1.<n>.0
Bytes Name(std::uint8_t n) { return Tlv(0x06, {0x2b, 6, 1, 2, 1, 1, n, 0}); }

Bytes Response() {
  const Bytes bindings = Cat({Tlv(0x30, Cat({Name(7), Tlv(0x02, {7})})),
                              Tlv(0x30, Cat({Name(5), Tlv(0x04, {'a', 'b', 'c'})})),
                              Tlv(0x30, Cat({Name(9), Tlv(0x80, {})}))});
  const Bytes pdu = Tlv(
      0xA2, Cat({Tlv(0x02, {0x04, 0xD2}), Tlv(0x02, {2}), Tlv(0x02, {3}), Tlv(0x30, bindings)}));
  return Tlv(0x30, Cat({Tlv(0x02, {1}), Tlv(0x04, {'p', 'u', 'b', 'l', 'i', 'c'}), pdu}));
}

TEST(WireDecode, ReadsAResponseAsASessionWould) {
  const Bytes message = Response();
  Pdu reply;
  ASSERT_EQ(DecodeWireMessage(message.data(), message.size(), reply), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(reply.get_type(), sNMP_PDU_RESPONSE);
  EXPECT_EQ(reply.get_error_status(), 2);
  EXPECT_EQ(reply.get_error_index(), 3);
  ASSERT_EQ(reply.get_vb_count(), 3);
  EXPECT_EQ(reply[0].get_printable_oid(), "1.3.6.1.2.1.1.7.0");
  int number = 0;
  EXPECT_EQ(reply[0].get_value(number), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(number, 7);
  OctetStr text;
  EXPECT_EQ(reply[1].get_value(text), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(text.to_string(), "abc");
  EXPECT_EQ(reply[2].get_syntax(), sNMP_SYNTAX_NOSUCHOBJECT);

  Bytes cut(message.begin(), message.end() - 4);
  EXPECT_EQ(DecodeWireMessage(cut.data(), cut.size(), reply), SNMP_CLASS_INVALID_PDU);
  EXPECT_EQ(reply.get_vb_count(), 0);
}

}  // namespace
