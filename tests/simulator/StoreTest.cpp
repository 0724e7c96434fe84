#include <gtest/gtest.h>

#include "SmallDevice.h"
#include "simulator/src/ErrorStatus.h"
#include "simulator/src/FrontPanel.h"

namespace simtest {
namespace {

using sim::Oid;
using sim::SetResult;
using sim::Store;
using sim::ToOid;
using sim::Value;
using sim::VarBind;

VarBind Int(const std::string& oid, std::int64_t v) { return {ToOid(oid), Value::Int(v)}; }
VarBind Str(const std::string& oid, const std::string& s) { return {ToOid(oid), Value::Octets(s)}; }

std::string Read(const Store& store, const std::string& oid) {
  Value v;
  switch (store.Get(ToOid(oid), v)) {
    case Store::Lookup::Found:
      return sim::FormatValue(v);
    case Store::Lookup::NoSuchInstance:
      return "noSuchInstance";
    case Store::Lookup::NoSuchObject:
      return "noSuchObject";
  }
  return "";
}

std::vector<std::string> Walk(const Store& store, const std::string& prefix) {
  std::vector<std::string> oids;
  Oid at = ToOid(prefix), next;
  Value v;
  while (store.Next(at, false, next, v) && sim::StartsWith(next, ToOid(prefix))) {
    oids.push_back(sim::FormatOid(next));
    at = next;
  }
  return oids;
}

TEST(SimStore, WalksInstancesInOrderAcrossColumnsAndTables) {
  SmallDevice d;
  const auto hosts = Walk(*d.store, "9.2");
  // Not-accessible index columns are never served.
  EXPECT_EQ(hosts, (std::vector<std::string>{"9.2.1.2.1", "9.2.1.2.2", "9.2.1.3.1", "9.2.1.3.2",
                                             "9.2.1.4.1", "9.2.1.4.2", "9.2.1.5.1", "9.2.1.5.2"}));
  EXPECT_EQ(Walk(*d.store, "9.3.1.1").size(), 10u);
  EXPECT_EQ(Read(*d.store, "9.3.1.1.7"), "INTEGER:7");  // an index column shows its row's index
  EXPECT_EQ(Read(*d.store, "9.4.1.3.97.108.112.104.97"),
            "STRING:\"note\"");  // implied string index
  Oid next;
  Value v;
  ASSERT_TRUE(d.store->Next(ToOid("9.2.1.5.2"), false, next, v));
  EXPECT_EQ(sim::FormatOid(next), "9.3.1.1.1");
  ASSERT_TRUE(d.store->Next(ToOid("9.3.1.1.1"), true, next, v));
  EXPECT_EQ(sim::FormatOid(next), "9.3.1.1.1");
  EXPECT_FALSE(d.store->Next(ToOid("9.9"), false, next, v));
}

TEST(SimStore, GetTellsMissingInstancesFromUnknownObjects) {
  SmallDevice d;
  EXPECT_EQ(Read(*d.store, "9.1.1.0"), "STRING:\"switch\"");
  EXPECT_EQ(Read(*d.store, "9.1.1.1"), "noSuchInstance");
  EXPECT_EQ(Read(*d.store, "9.2.1.2.3"), "noSuchInstance");
  EXPECT_EQ(Read(*d.store, "9.2.1.1.1"), "noSuchObject");  // index-only object
  EXPECT_EQ(Read(*d.store, "9.7.0"), "noSuchObject");
  EXPECT_EQ(Read(*d.store, "9.2.1.4.2"), "Hex-STRING:00 11 22 33 44 55");  // the column's default
  EXPECT_EQ(Read(*d.store, "9.2.1.5.2"), "IpAddress:255.255.255.0");       // a mask looks like one
}

TEST(SimStore, RowStatusCreatesAndDestroysRowsAsADeviceDoes) {
  SmallDevice d;
  Store& s = *d.store;
  EXPECT_EQ(s.Set({Int("9.2.1.3.5", 4)}).status, sim::kNoError);
  EXPECT_EQ(Read(s, "9.2.1.3.5"), "INTEGER:1");  // createAndGo reads back active
  EXPECT_EQ(Read(s, "9.2.1.4.5"), "Hex-STRING:00 11 22 33 44 55");
  EXPECT_EQ(s.Set({Int("9.2.1.3.5", 4)}).status, sim::kInconsistentValue);
  EXPECT_EQ(s.Set({Int("9.2.1.3.8", 1)}).status, sim::kInconsistentValue);  // active on no row
  SetResult r = s.Set({{ToOid("9.2.1.2.9"), Value::Ip(1, 2, 3, 4)}});
  EXPECT_EQ(r.status, sim::kNoCreation);
  EXPECT_EQ(r.index, 1);
  // createAndGo with other columns in the same SET takes their values.
  EXPECT_EQ(s.Set({{ToOid("9.2.1.2.9"), Value::Ip(1, 2, 3, 4)}, Int("9.2.1.3.9", 4)}).status,
            sim::kNoError);
  EXPECT_EQ(Read(s, "9.2.1.2.9"), "IpAddress:1.2.3.4");
  // destroy wins over other columns of the row.
  EXPECT_EQ(s.Set({{ToOid("9.2.1.2.9"), Value::Ip(9, 9, 9, 9)}, Int("9.2.1.3.9", 6)}).status,
            sim::kNoError);
  EXPECT_EQ(Read(s, "9.2.1.2.9"), "noSuchInstance");
  EXPECT_EQ(s.Set({Int("9.2.1.3.9", 6)}).status, sim::kNoError);  // destroying nothing is fine
  EXPECT_EQ(s.Set({Int("9.2.1.3.5", 6)}).status, sim::kNoError);
  EXPECT_EQ(Walk(s, "9.2.1.3").size(), 2u);
}

TEST(SimStore, WritesAreCheckedAndAppliedAllOrNothing) {
  SmallDevice d;
  Store& s = *d.store;
  EXPECT_EQ(s.Set({Int("9.1.1.0", 3)}).status, sim::kWrongType);
  EXPECT_EQ(s.Set({Str("9.1.1.0", "toolongname")}).status,
            sim::kWrongLength);                                    // range 0..8 on a string
  EXPECT_EQ(s.Set({Int("9.1.2.0", 4)}).status, sim::kWrongValue);  // not an option
  EXPECT_EQ(s.Set({Int("9.1.3.0", 4)}).status,
            sim::kNotWritable);  // read-only comes before the type
  EXPECT_EQ(s.Set({{ToOid("9.1.3.0"), Value::Unsigned(sim::Type::Counter32, 4)}}).status,
            sim::kNotWritable);
  EXPECT_EQ(s.Set({Int("9.1.2.1", 2)}).status, sim::kNoCreation);  // a scalar's instance is .0
  EXPECT_EQ(s.Set({Str("9.4.1.1.97.108.112.104.97", "x")}).status,
            sim::kNoAccess);  // an index column
  EXPECT_EQ(s.Set({Int("9.8.0", 2)}).status, sim::kNotWritable);
  EXPECT_EQ(s.Set({Str("9.2.1.4.1", "short")}).status, sim::kWrongLength);  // a MAC has six octets
  EXPECT_EQ(s.Set({Int("9.3.1.2.11", 2)}).status,
            sim::kNoCreation);  // no port 11, no way to make one

  const SetResult r = s.Set({Str("9.1.1.0", "new"), Int("9.1.2.0", 3), Int("9.1.2.0", 5)});
  EXPECT_EQ(r.status, sim::kWrongValue);
  EXPECT_EQ(r.index, 3);
  EXPECT_EQ(Read(s, "9.1.1.0"), "STRING:\"switch\"");
  EXPECT_EQ(s.Set({Str("9.1.1.0", "new"), Int("9.1.2.0", 3)}).status, sim::kNoError);
  EXPECT_EQ(Read(s, "9.1.1.0"), "STRING:\"new\"");
  EXPECT_EQ(Read(s, "9.1.2.0"), "INTEGER:3");
}

TEST(SimStore, TheValueAnInstanceHoldsIsTakenBackWhateverItsChecksSay) {
  SmallDevice d;
  Store& s = *d.store;
  ASSERT_TRUE(s.Put(ToOid("9.1.2.0"), Value::Int(7)));                 // not an option
  ASSERT_TRUE(s.Put(ToOid("9.1.1.0"), Value::Octets("toolongname")));  // past its range
  EXPECT_EQ(s.Set({Int("9.1.2.0", 7), Str("9.1.1.0", "toolongname")}).status, sim::kNoError);
  EXPECT_EQ(s.Set({Int("9.1.2.0", 9)}).status, sim::kWrongValue);
  EXPECT_EQ(s.Set({Str("9.1.1.0", "toolongnam")}).status, sim::kWrongLength);
  EXPECT_EQ(s.Set({Int("9.1.1.0", 7)}).status, sim::kWrongType);
  EXPECT_EQ(s.Set({Int("9.1.2.0", 3)}).status, sim::kNoError);
  EXPECT_EQ(s.Set({Int("9.1.2.0", 7)}).status, sim::kWrongValue);  // no longer held
}

TEST(SimStore, ActionColumnsFollowTheirRules) {
  SmallDevice d;
  Store& s = *d.store;
  // clear: counters of the row restart, the column reads back "other".
  d.now += 5000;
  ASSERT_EQ(s.Set({Int("9.3.1.2.4", 2)}).status, sim::kNoError);
  EXPECT_EQ(Read(s, "9.3.1.2.4"), "INTEGER:1");
  EXPECT_EQ(Read(s, "9.3.1.3.4"), "Counter32:0");
  EXPECT_EQ(Read(s, "9.3.1.1.4"), "INTEGER:4");
  // create and delete by value
  const std::string beta = "9.4.1.2.98.101.116.97";
  EXPECT_EQ(s.Set({Int(beta, 2)}).status, sim::kNoError);  // deleting nothing
  EXPECT_EQ(Read(s, beta), "noSuchInstance");
  ASSERT_EQ(s.Set({Int(beta, 1)}).status, sim::kNoError);
  EXPECT_EQ(Read(s, beta), "INTEGER:1");
  ASSERT_EQ(s.Set({Int(beta, 2)}).status, sim::kNoError);
  EXPECT_EQ(Read(s, beta), "noSuchInstance");
  // a scalar that empties a table
  ASSERT_EQ(s.Set({Int("9.1.5.0", 2)}).status, sim::kNoError);
  EXPECT_EQ(Read(s, "9.1.5.0"), "INTEGER:1");
  EXPECT_TRUE(Walk(s, "9.2").empty());
}

TEST(SimStore, ValuesMoveWithTheClockAndResetReturnsToTheSeed) {
  SmallDevice d;
  Store& s = *d.store;
  Value a, b;
  s.Get(ToOid("9.3.1.3.1"), a);
  s.Get(ToOid("9.1.4.0"), b);
  d.now += 2000;
  Value a2, b2;
  s.Get(ToOid("9.3.1.3.1"), a2);
  s.Get(ToOid("9.1.4.0"), b2);
  EXPECT_GT(a2.num, a.num);
  EXPECT_EQ(b2.num, b.num + 200);
  // Counter32 wraps at 2^32.
  ASSERT_TRUE(s.Put(ToOid("9.3.1.3.1"), Value::Unsigned(sim::Type::Counter32, 4294967295LL)));
  d.now += 1000;
  s.Get(ToOid("9.3.1.3.1"), a);
  EXPECT_LT(a.num, 5001);
  s.SetMotion(ToOid("9.3.1.3.1"), Store::Motion::Still);
  s.Get(ToOid("9.3.1.3.1"), a);
  d.now += 1000;
  s.Get(ToOid("9.3.1.3.1"), a2);
  EXPECT_EQ(a, a2);
  // Counter64 grows past 32 bits.
  ASSERT_TRUE(s.Put(ToOid("9.3.1.5.2"), Value::C64(0xFFFFFFFFull)));
  d.now += 1000;
  s.Get(ToOid("9.3.1.5.2"), a);
  EXPECT_GT(a.big, 0xFFFFFFFFull);

  // The panel pattern moves on; a value put there stays.
  s.Get(ToOid("9.1.6.0"), a);
  EXPECT_EQ(a.bytes, sim::panel::Pattern(d.now - 1000));
  ASSERT_TRUE(s.Put(ToOid("9.1.6.0"), Value::Octets("fixed")));
  d.now += 60000;
  EXPECT_EQ(Read(s, "9.1.6.0"), "STRING:\"fixed\"");

  ASSERT_EQ(s.Set({Int("9.2.1.3.1", 6), Str("9.1.1.0", "x")}).status, sim::kNoError);
  s.Reset();
  EXPECT_EQ(Read(s, "9.2.1.2.1"), "IpAddress:10.0.0.1");
  EXPECT_EQ(Read(s, "9.1.1.0"), "STRING:\"switch\"");
  s.Get(ToOid("9.1.6.0"), a);
  EXPECT_EQ(a.bytes.size(), sim::panel::kOctets);
}

TEST(SimStore, ResetUndoesEachKindOfWriteOnItsOwn) {
  SmallDevice d;
  Store& s = *d.store;
  const sim::TableDef& hosts = *s.schema().Table(ToOid("9.2.1"));
  s.Reset();  // nothing written: the seed stays
  EXPECT_EQ(Read(s, "9.1.1.0"), "STRING:\"switch\"");
  ASSERT_TRUE(s.Put(ToOid("9.1.1.0"), Value::Octets("x")));
  s.Reset();
  EXPECT_EQ(Read(s, "9.1.1.0"), "STRING:\"switch\"");
  s.CreateRow(hosts, ToOid("7"));
  s.Reset();
  EXPECT_EQ(s.RowCount(hosts), 2u);
  s.DeleteRow(hosts, ToOid("1"));
  s.Reset();
  EXPECT_EQ(Read(s, "9.2.1.2.1"), "IpAddress:10.0.0.1");
  s.SetMotion(ToOid("9.1.4.0"), Store::Motion::Still);
  s.Reset();
  Value a, b;
  s.Get(ToOid("9.1.4.0"), a);
  d.now += 1000;
  s.Get(ToOid("9.1.4.0"), b);
  EXPECT_EQ(b.num, a.num + 100);
  ASSERT_EQ(s.Set({Int("9.2.1.3.1", 6)}).status, sim::kNoError);
  s.Reset();
  EXPECT_EQ(s.RowCount(hosts), 2u);
}

TEST(SimStore, PutReachesAnyInstanceAndMakesItsRow) {
  SmallDevice d;
  Store& s = *d.store;
  std::string error;
  EXPECT_TRUE(s.Put(ToOid("9.2.1.2.7"), Value::Ip(7, 7, 7, 7), &error)) << error;
  EXPECT_EQ(Read(s, "9.2.1.3.7"), "INTEGER:1");
  EXPECT_FALSE(s.Put(ToOid("9.1.1.5"), Value::Octets("x"), &error));
  // A row named with more arcs than the index, as a stacked unit names it:
  // served, and written by a SET, which makes none such.
  EXPECT_TRUE(s.Put(ToOid("9.2.1.2.1.9"), Value::Ip(9, 9, 9, 9), &error)) << error;
  EXPECT_EQ(Read(s, "9.2.1.3.1.9"), "INTEGER:1");
  EXPECT_EQ(s.Set({{ToOid("9.2.1.2.1.9"), Value::Ip(1, 1, 1, 9)}}).status, sim::kNoError);
  EXPECT_EQ(Read(s, "9.2.1.2.1.9"), "IpAddress:1.1.1.9");
  EXPECT_EQ(Read(s, "9.2.1.2.1"), "IpAddress:10.0.0.1");
  EXPECT_EQ(s.Set({Int("9.2.1.3.1.8", 4)}).status, sim::kNoCreation);
  EXPECT_FALSE(s.Put(ToOid("9.2.1.2.2147483648"), Value::Octets("x"), &error));
  EXPECT_FALSE(s.Put(ToOid("8.1.0"), Value::Int(1), &error));
  EXPECT_NE(error.find("8.1.0"), std::string::npos);
}

}  // namespace
}  // namespace simtest
