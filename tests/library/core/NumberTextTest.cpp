// The value texts of numbers and addresses, printed digit by digit, against
// the formatted printing ("%d", "%u", "%llu", "%u.%u.%u.%u") that defines
// them: edges of every range and many values between.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "library/VnSNMPRequest.h"
#include "library/VnValueText.h"
#include "platform/Exceptions.h"
#include "snmp/Address.h"
#include "snmp/Counter64.h"
#include "snmp/Integer.h"
#include "snmp/OctetStr.h"
#include "snmp/Oid.h"
#include "snmp/Vb.h"

namespace {

// 0, 2^k and 2^k - 1, 10^k and its neighbours, then random values of every
// magnitude.
std::vector<std::uint64_t> SampleValues() {
  std::vector<std::uint64_t> values = {0, UINT64_MAX};
  for (int k = 0; k < 64; ++k) {
    values.push_back(std::uint64_t{1} << k);
    values.push_back((std::uint64_t{1} << k) - 1);
  }
  for (std::uint64_t p = 1; p <= UINT64_MAX / 10; p *= 10) {
    for (std::uint64_t v : {p - 1, p, p + 1, p * 10 - 1}) values.push_back(v);
  }
  std::mt19937_64 random(1717);
  for (int i = 0; i < 20000; ++i) values.push_back(random() >> (random() % 64));
  return values;
}

// A request with one item of a syntax, read from reply values and from
// instance suffixes.
class OneItem {
 public:
  explicit OneItem(std::uint32_t syntax) {
    const VnSNMPVarDesc table[] = {{"1.3.6.1.4.1.171.7.1", "Value", syntax, SNMP_ACCESS_READONLY,
                                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
                                   {}};
    request_.VarList = VnSNMPVarList(table, VnItemType::MVT_FMV, 1);
  }
  AnsiString Read(const SnmpSyntax& value) {
    Vb vb(Oid("1.3.6.1.4.1.171.7.1.1"));
    vb.set_value(value);
    request_.VbToValue(0, vb);
    return *request_.VarList.Item(0)->Value;
  }
  AnsiString ReadIndex(const AnsiString& suffix) {
    request_.IndexToValue(0, suffix);
    return *request_.VarList.Item(0)->Value;
  }

 private:
  VnSNMPRequest request_;
};

TEST(NumberTexts, SignedAndUnsignedThirtyTwoBitValues) {
  OneItem integer(SNMP_SYNTAX_INTEGER), counter(SNMP_SYNTAX_COUNTER), gauge(SNMP_SYNTAX_GUAGE);
  for (std::uint64_t v : SampleValues()) {
    const auto u = static_cast<std::uint32_t>(v);
    const auto s = static_cast<std::int32_t>(u);
    ASSERT_EQ(integer.Read(SnmpInt32(s)), AnsiString::Format("%d", s));
    // An unsigned value in an INTEGER item prints unsigned.
    ASSERT_EQ(integer.Read(Gauge32(u)), AnsiString::Format("%u", u));
    ASSERT_EQ(counter.Read(Counter32(u)), AnsiString::Format("%u", u));
    ASSERT_EQ(gauge.Read(Gauge32(u)), AnsiString::Format("%u", u));
    // Index values come from sub-identifiers, which are unsigned: one past
    // the INTEGER's values is none of them.
    const AnsiString subid = AnsiString::Format("%u", u);
    if (s >= 0)
      ASSERT_EQ(integer.ReadIndex(subid), subid);
    else
      ASSERT_THROW(integer.ReadIndex(subid), Exception);
    ASSERT_EQ(counter.ReadIndex(subid), subid);
  }
}

TEST(NumberTexts, SixtyFourBitCounters) {
  OneItem counter64(SNMP_SYNTAX_COUNTER64), integer(SNMP_SYNTAX_INTEGER);
  for (std::uint64_t v : SampleValues()) {
    const AnsiString expected = AnsiString::Format("%llu", static_cast<unsigned long long>(v));
    ASSERT_EQ(VnCounter64Text(v), expected);
    ASSERT_EQ(counter64.Read(Counter64(v)), expected);
    ASSERT_EQ(integer.Read(Counter64(v)), expected);
  }
}

TEST(NumberTexts, AddressesAndDottedIdentifiers) {
  OneItem address(SNMP_SYNTAX_IPADDRESS), identifier(SNMP_SYNTAX_OBJECTID);
  std::mt19937_64 random(5810);
  const std::vector<std::uint64_t> values = SampleValues();
  for (std::size_t i = 0; i < values.size(); ++i) {
    std::array<std::uint8_t, 4> a{};
    for (std::size_t k = 0; k < 4; ++k)
      a[k] = static_cast<std::uint8_t>(i < 256 ? (k == i % 4 ? i : 255 - i) : random());
    const AnsiString quad = AnsiString::Format("%u.%u.%u.%u", a[0], a[1], a[2], a[3]);
    ASSERT_EQ(address.Read(IpAddress(a)), quad);
    ASSERT_EQ(address.Read(OctetStr(a.data(), a.size())), quad);

    // Identifiers of every length up to 20, built from the sample values.
    std::vector<std::uint32_t> subids(i % 21);
    AnsiString dotted;
    for (std::size_t k = 0; k < subids.size(); ++k) {
      subids[k] = static_cast<std::uint32_t>(values[(i + k * 7919) % values.size()]);
      if (k) dotted += ".";
      dotted += AnsiString::Format("%u", subids[k]);
    }
    ASSERT_EQ(VnDottedText(subids), dotted);
    if (!subids.empty()) {
      ASSERT_EQ(identifier.Read(Oid(subids)), dotted);
    }
  }
}

}  // namespace
