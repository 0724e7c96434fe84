#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "SmallDevice.h"
#include "simulator/src/Schema.h"

namespace simtest {
namespace {

using sim::Fixture;
using sim::FixtureError;
using sim::IndexKind;

std::string ErrorOf(const std::string& text) {
  Fixture f;
  try {
    sim::ParseFixture(text, "f", f);
  } catch (const FixtureError& e) {
    return e.what();
  }
  return "";
}

TEST(SimFixture, RowsExpandPortsRangesAndCrossProducts) {
  Fixture f;
  sim::ParseFixture(
      "# comment\ntable 1.2.3 int,int ports/0-1 5/7 cols=1,0  # trailing\n"
      "table 1.2.4 str,ip \"a b\"/10.0.0.1 0x0102/10.0.0.2\n",
      "f", f);
  ASSERT_EQ(f.tables.size(), 2u);
  EXPECT_EQ(f.tables[0].rows.size(), 21u);
  EXPECT_EQ(f.tables[0].rows[1], (std::vector<std::string>{"1", "1"}));
  EXPECT_EQ(f.tables[0].rows[20], (std::vector<std::string>{"5", "7"}));
  EXPECT_EQ(f.tables[0].cols, (std::vector<int>{1, 0}));
  EXPECT_EQ(f.tables[1].rows[0], (std::vector<std::string>{"\"a b\"", "10.0.0.1"}));
}

TEST(SimFixture, ErrorsNameTheLineAndTheFault) {
  EXPECT_EQ(ErrorOf("\ntable 1.2 int,bogus 1"), "f:2: unknown index kind \"bogus\"");
  EXPECT_EQ(ErrorOf("table 1.2 istr,int \"a\"/1"),
            "f:1: only the last index component may be implied");
  EXPECT_EQ(ErrorOf("table 1.2 int,int 1"), "f:1: row \"1\" needs 2 components");
  EXPECT_EQ(ErrorOf("table 1.2 ip 10.0.0"), "f:1: bad index component \"10.0.0\"");
  EXPECT_EQ(ErrorOf("table 1.2 int 1 cols=1,2"), "f:1: cols= needs one number per index component");
  EXPECT_EQ(ErrorOf("value 1.2.0 \"open"), "f:1: unterminated quote");
  EXPECT_EQ(ErrorOf("value 1.2.0"), "f:1: value: expected \"value <oid> <value>\"");
  EXPECT_EQ(ErrorOf("range 1.2 5 1"), "f:1: range: expected \"range <oid> <min> <max>\"");
  EXPECT_EQ(ErrorOf("rule 1.2 on 2 explode"), "f:1: unknown rule action \"explode\"");
  EXPECT_EQ(ErrorOf("rule 1.2 on 2 purge"), "f:1: purge needs a table entry OID");
  EXPECT_EQ(ErrorOf("rule 1.2 on 1 create member"), "f:1: member needs a table entry OID");
  EXPECT_EQ(ErrorOf("object 1.2 float readonly"), "f:1: unknown syntax \"float\"");
  EXPECT_EQ(ErrorOf("motion 1.2.0 wobble"),
            "f:1: motion: expected \"motion <oid> still|count|tick|panel\"");
  EXPECT_EQ(ErrorOf("absent"), "f:1: absent: expected \"absent <oid>\"");
  EXPECT_EQ(ErrorOf("disorder 1.2 3"), "f:1: disorder: expected \"disorder <oid>\"");
  EXPECT_EQ(ErrorOf("frobnicate"), "f:1: unknown keyword \"frobnicate\"");
}

// Lets the process map at most `mb` more megabytes of data than it holds
// now. Counted from what it holds, the cap also suits a sanitizer's shadow.
void CapDataGrowth(unsigned long long mb) {
  std::ifstream status("/proc/self/status");
  unsigned long long kb = 0;
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmData:", 0) == 0) kb = std::strtoull(line.c_str() + 7, nullptr, 10);
  const rlim_t most = static_cast<rlim_t>((kb + mb * 1024) * 1024);
  const rlimit limit{most, most};
  if (kb == 0 || setrlimit(RLIMIT_DATA, &limit) != 0) std::_Exit(3);
}

TEST(SimFixture, RowsAreCountedBeforeTheyAreMade) {
  // Each range is within bounds, their cross product is not. Rows counted
  // only once made would fill the memory: that child fails fast instead.
  EXPECT_EXIT(
      {
        CapDataGrowth(512);
        std::fputs(ErrorOf("table 1.2 int,int 1-100000/1-100000").c_str(), stderr);
        std::exit(0);
      },
      testing::ExitedWithCode(0), "f:1: more than 100000 rows in all tables");
  EXPECT_EQ(ErrorOf("table 1.2 int 1-60000\ntable 1.3 int 1-60000"),
            "f:2: more than 100000 rows in all tables");
  Fixture f;
  EXPECT_THROW(sim::ParseFixture("table 1.2 int ports\ntable 1.3 int 1 2", "f", f, 11),
               FixtureError);
  f = Fixture();
  sim::ParseFixture("table 1.2 int ports\ntable 1.3 int 1", "f", f, 11);
  EXPECT_EQ(f.tables[1].rows.size(), 1u);
}

TEST(SimFixture, NumbersOutOfRangeAreRefusedBeforeAnyRowIsMade) {
  // A number beyond what its place takes names itself and the line, also
  // where it ends a range: a range up to the largest 64-bit number never
  // ended and filled the memory. Each case runs in a child that may not
  // grow far, so that a fault fails the case instead of the machine.
  struct Case {
    const char* text;
    const char* outcome;  // the error, or the rows of the last table
  };
  const std::vector<Case> cases = {
      {"table 1.3.6.1.3.99.1 int 9223372036854775807-9223372036854775807",
       "f:1: number \"9223372036854775807\" out of range (0 to 2147483647)"},
      {"\n\ntable 1.2 int 5-99999999999999999999",
       "f:3: number \"99999999999999999999\" out of range (0 to 2147483647)"},
      {"table 1.2 int 2147483648", "f:1: number \"2147483648\" out of range (0 to 2147483647)"},
      {"table 1.2 int -1", "f:1: number \"-1\" out of range (0 to 2147483647)"},
      {"table 1.2 int 0-2147483647", "f:1: more than 100000 rows in all tables"},
      {"table 1.2 int 2147483600-2147483647", "48 rows, the last 2147483647"},
      {"table 1.2 int 2147483647", "1 rows, the last 2147483647"},
      {"table 1.2 int 1 cols=4294967297",
       "f:1: number \"4294967297\" out of range (0 to 2147483647)"},
      {"range 1.2 0 9223372036854775808",
       "f:1: number \"9223372036854775808\" out of range (-9223372036854775808 to "
       "9223372036854775807)"},
      {"rule 1.2 on 2147483648 clear",
       "f:1: number \"2147483648\" out of range (-2147483648 to 2147483647)"},
      {"rule 1.2 on 1 clear reads -2147483649",
       "f:1: number \"-2147483649\" out of range (-2147483648 to 2147483647)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EXIT(
        {
          CapDataGrowth(512);
          std::string outcome = ErrorOf(c.text);
          if (outcome.empty()) {
            Fixture f;
            sim::ParseFixture(c.text, "f", f);
            outcome = std::to_string(f.tables.back().rows.size()) + " rows, the last " +
                      f.tables.back().rows.back().back();
          }
          std::fputs(outcome.c_str(), stderr);
          std::exit(outcome == c.outcome ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
  }
}

TEST(SimFixture, SeedingRejectsWhatDoesNotFitTheCatalogue) {
  auto seedError = [](const std::string& extra) {
    try {
      SmallDevice d(extra);
    } catch (const FixtureError& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  EXPECT_EQ(seedError("value 9.1.1.0 x\nvalue 9.9.9.0 1\n"),
            "fixture line 15: no accessible object holds 9.9.9.0");
  EXPECT_EQ(seedError("value 9.1.2.0 sometimes\n"),
            "fixture line 14: bad integer value \"sometimes\" for 9.1.2");
  EXPECT_EQ(seedError("range 9.9 1 2\n"), "fixture line 14: range for unknown object 9.9");
  EXPECT_EQ(seedError("rule 9.1.1 on 1 clear\n"), "fixture line 14: rules need an integer column");
  EXPECT_EQ(seedError("rule 9.1.2 on 2 clear\n"), "fixture line 14: only purge rules fit a scalar");
  EXPECT_EQ(seedError("rule 9.4.1.2 on 1 create member 9.2.1\n"),
            "fixture line 14: member list 9.2.1 is no table keyed by the row's first index "
            "component");
  EXPECT_EQ(seedError("table 9.2.1 int 1\n"), "fixture line 14: table 9.2.1 given twice");
  EXPECT_EQ(seedError("table 9.5.1 int 1 cols=0\n"),
            "fixture line 14: no object lies in table 9.5.1");
  EXPECT_EQ(seedError("default 9.2.1.4 00:11\n"),
            "fixture line 14: bad MAC address value \"00:11\" for 9.2.1.4");
  EXPECT_EQ(seedError("absent 9.9.9\n"), "fixture line 14: no instance at or under 9.9.9");
  EXPECT_EQ(seedError("disorder 9.1.2\n"),
            "fixture line 14: disorder needs a readable table column");
  EXPECT_EQ(seedError("value 9.1.2.0 enabled\n"), "");       // option texts stand for their values
  EXPECT_EQ(seedError("value 9.2.1.2.2.7 10.0.0.7\n"), "");  // a row with more arcs than the index
}

TEST(SimIndex, EachKindCodesAndDecodesItsArcs) {
  using sim::Value;
  const std::vector<IndexKind> kinds = {IndexKind::Int,      IndexKind::String,
                                        IndexKind::Mac,      IndexKind::Ip,
                                        IndexKind::ObjectId, IndexKind::ImpliedString};
  std::vector<Value> values(6);
  ASSERT_TRUE(sim::ParseIndexValue(IndexKind::Int, "7", values[0]));
  ASSERT_TRUE(sim::ParseIndexValue(IndexKind::String, "\"ab\"", values[1]));
  ASSERT_TRUE(sim::ParseIndexValue(IndexKind::Mac, "00-0A-5E-58-10-01", values[2]));
  ASSERT_TRUE(sim::ParseIndexValue(IndexKind::Ip, "10.90.90.1", values[3]));
  ASSERT_TRUE(sim::ParseIndexValue(IndexKind::ObjectId, "1.3.6", values[4]));
  ASSERT_TRUE(sim::ParseIndexValue(IndexKind::ImpliedString, "0x6364", values[5]));
  sim::Oid arcs;
  ASSERT_TRUE(sim::EncodeIndex(kinds, values, arcs));
  EXPECT_EQ(sim::FormatOid(arcs), "7.2.97.98.0.10.94.88.16.1.10.90.90.1.3.1.3.6.99.100");
  std::vector<Value> back;
  ASSERT_TRUE(sim::DecodeIndex(kinds, arcs, back));
  EXPECT_EQ(back, values);

  Value v6;
  ASSERT_TRUE(sim::ParseIndexValue(IndexKind::Ipv6, "fe80::1", v6));
  ASSERT_TRUE(sim::EncodeIndex({IndexKind::Ipv6}, {v6}, arcs));
  EXPECT_EQ(arcs.size(), 16u);
  EXPECT_FALSE(sim::DecodeIndex({IndexKind::Int}, sim::ToOid("1.2"), back));  // an arc left over
  EXPECT_FALSE(
      sim::DecodeIndex({IndexKind::String}, sim::ToOid("3.97.98"), back));  // length beyond the end
  EXPECT_FALSE(sim::DecodeIndex({IndexKind::Mac}, sim::ToOid("1.2.3.4.5.256"), back));
  EXPECT_FALSE(sim::ParseIndexValue(IndexKind::Int, "-1", v6));
}

}  // namespace
}  // namespace simtest
