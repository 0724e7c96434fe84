#include <gtest/gtest.h>

#include "simulator/src/Oid.h"
#include "simulator/src/Value.h"

namespace sim {
namespace {

TEST(SimOid, ParsesAndOrdersLikeSnmp) {
  EXPECT_EQ(ToOid(".1.3.6"), (Oid{1, 3, 6}));
  Oid o;
  EXPECT_FALSE(ParseOid("", o));
  EXPECT_FALSE(ParseOid("1..3", o));
  EXPECT_FALSE(ParseOid("1.3.", o));
  EXPECT_FALSE(ParseOid("1.x", o));
  EXPECT_FALSE(ParseOid("1.4294967296", o));
  EXPECT_TRUE(ParseOid("1.4294967295", o));
  EXPECT_LT(ToOid("1.3.6"), ToOid("1.3.6.0"));
  EXPECT_LT(ToOid("1.3.6.1.9"), ToOid("1.3.6.1.10"));
  EXPECT_TRUE(StartsWith(ToOid("1.3.6.1"), ToOid("1.3")));
  EXPECT_FALSE(StartsWith(ToOid("1.3"), ToOid("1.3.6")));
}

TEST(SimValue, TypedTextRoundTrips) {
  Value v;
  std::string err;
  ASSERT_TRUE(ParseTypedValue('x', "01 ab:FF", v, err));
  EXPECT_EQ(FormatValue(v), "Hex-STRING:01 AB FF");
  ASSERT_TRUE(ParseTypedValue('s', "say \"hi\"", v, err));
  EXPECT_EQ(FormatValue(v), "STRING:\"say \\\"hi\\\"\"");
  ASSERT_TRUE(ParseTypedValue('a', "10.1.2.3", v, err));
  EXPECT_EQ(FormatValue(v), "IpAddress:10.1.2.3");
  ASSERT_TRUE(ParseTypedValue('C', "18446744073709551615", v, err));
  EXPECT_EQ(FormatValue(v), "Counter64:18446744073709551615");
  EXPECT_FALSE(ParseTypedValue('i', "2147483648", v, err));
  EXPECT_FALSE(ParseTypedValue('u', "-1", v, err));
  EXPECT_FALSE(ParseTypedValue('x', "0", v, err));
  EXPECT_FALSE(ParseTypedValue('q', "1", v, err));
  EXPECT_FALSE(err.empty());
}

}  // namespace
}  // namespace sim
