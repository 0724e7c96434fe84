// SET: scalars, index lists, row creation and destruction, and the list
// left as it was on every path.
#include <gtest/gtest.h>

#include <string>

#include "RequestTestSupport.h"
#include "library/VnErrors.h"
#include "platform/Classes.h"
#include "platform/Exceptions.h"

namespace {

using namespace reqtest;

using ScalarSet = AgentTest;

// Every item's access flags and value.
std::vector<std::pair<std::uint32_t, std::string>> Snapshot(const VnSNMPRequest& r) {
  std::vector<std::pair<std::uint32_t, std::string>> s;
  for (int i = 0; i < r.VarList.Count(); ++i)
    s.emplace_back(r.VarList.Item(i)->Access, ValueOf(r, i));
  return s;
}

TEST_F(ScalarSet, WritableScalarIsReadBack) {
  auto w = MakeRequest(kSystemWritable + 2, VnItemType::SVT_SV, 0);  // sysLocation
  SetValue(*w, 0, "Rack 7, row B");
  EXPECT_FALSE(w->SendSet(VnSetReply::StatusOnly, "", nullptr));
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  r->SendGet(VnReadFrom::Start);
  EXPECT_EQ(ValueOf(*r, 5), "Rack 7, row B");

  // The same through the event pump.
  SetValue(*w, 0, "Rack 8");
  std::vector<VnSNMPError> records;
  w->SendSetAsync([&](VnSNMPError& e, VnSNMPVarList&) { records.push_back(e); },
                  VnSetReply::StatusOnly, "", nullptr);
  EXPECT_EQ(w->Outstanding, 1);
  ASSERT_TRUE(PumpUntil([&] { return !records.empty(); }, 5000));
  EXPECT_EQ(records[0].Number, VNERR_OK);
  EXPECT_TRUE(records[0].Finished);
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.2.1.1.6.0"), "Rack 8");
}

TEST_F(ScalarSet, ReadReplyStoresWhatTheAgentAnswered) {
  auto w = MakeRequest(kSystemWritable, VnItemType::SVT_SV, 0);
  SetValue(*w, 0, "ops");
  SetValue(*w, 1, "switch-a");
  SetValue(*w, 2, "hall");
  EXPECT_FALSE(w->SendSet(VnSetReply::ReadBack, "", nullptr));
  EXPECT_EQ(ValueOf(*w, 1), "switch-a");
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.2.1.1.5.0"), "switch-a");
}

TEST_F(ScalarSet, IndexListSendsExactlyTheNamedItems) {
  auto w = MakeRequest(kSystemWritable, VnItemType::SVT_SV, 0);
  SetValue(*w, 0, "c0");
  SetValue(*w, 1, "n0");
  SetValue(*w, 2, "l0");
  w->SendSet(VnSetReply::StatusOnly, "", nullptr);

  SetValue(*w, 0, "X");
  SetValue(*w, 1, "Y");
  SetValue(*w, 2, "Z");
  w->VarList.Item(1)->Access |= SNMP_ACCESS_HIDDEN;
  const auto before = Snapshot(*w);
  TStringList values;
  values.Add("c1");
  values.Add("l1");
  w->SendSet(VnSetReply::StatusOnly, "2,0",
             nullptr);  // order of the list does not matter without values
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.2.1.1.4.0"), "X");
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.2.1.1.5.0"), "n0");
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.2.1.1.6.0"), "Z");
  EXPECT_EQ(Snapshot(*w), before);

  w->SendSet(VnSetReply::StatusOnly, "0,2",
             &values);  // item 0 takes the first string, item 2 the second
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.2.1.1.4.0"), "c1");
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.2.1.1.5.0"), "n0");
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.2.1.1.6.0"), "l1");
  EXPECT_EQ(Snapshot(*w), before);
}

TEST_F(ScalarSet, ItemsKeepTheirAddressesAcrossASet) {
  // Forms keep pointers to items while they write: putting the saved flags
  // back must not replace the records.
  auto w = MakeRequest(kSystemWritable, VnItemType::SVT_SV, 0);
  VnSNMPVarDesc* name = w->VarList.Item(1);
  AnsiString* value = name->Value;
  SetValue(*w, 1, "kept");
  w->SendSet(VnSetReply::StatusOnly, "1", nullptr);
  EXPECT_EQ(w->VarList.Item(1), name);
  EXPECT_EQ(name->Value, value);
  EXPECT_EQ(*name->Value, "kept");
  EXPECT_EQ(name->Access & SNMP_ACCESS_INVALID, 0u);
  w->SendSetAsync([](VnSNMPError&, VnSNMPVarList&) {}, VnSetReply::StatusOnly, "0", nullptr);
  EXPECT_EQ(w->VarList.Item(1), name);
  EXPECT_EQ(name->Access & SNMP_ACCESS_INVALID, 0u);
  PumpUntil([&] { return w->Outstanding == 0; }, 5000);
}

TEST_F(ScalarSet, ItemMarkedInvalidBeforeStaysOut) {
  auto w = MakeRequest(kSystemWritable, VnItemType::SVT_SV, 0);
  SetValue(*w, 0, "a0");
  SetValue(*w, 1, "b0");
  SetValue(*w, 2, "c0");
  w->SendSet(VnSetReply::StatusOnly, "", nullptr);
  SetValue(*w, 0, "a1");
  SetValue(*w, 1, "b1");
  SetValue(*w, 2, "c1");
  w->VarList.Item(1)->Access |= SNMP_ACCESS_INVALID;
  w->SendSet(VnSetReply::StatusOnly, "", nullptr);
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.2.1.1.4.0"), "a1");
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.2.1.1.5.0"), "b0");
  EXPECT_TRUE(w->VarList.Item(1)->Access & SNMP_ACCESS_INVALID);
}

TEST_F(ScalarSet, TooFewValuesChangeNothingAnywhere) {
  auto w = MakeRequest(kSystemWritable, VnItemType::SVT_SV, 0);
  SetValue(*w, 0, "p0");
  SetValue(*w, 1, "q0");
  SetValue(*w, 2, "r0");
  w->SendSet(VnSetReply::StatusOnly, "", nullptr);
  const auto before = Snapshot(*w);
  TStringList values;
  values.Add("only one");
  EXPECT_THROW(w->SendSet(VnSetReply::StatusOnly, "0,1,2", &values), EStringListError);
  EXPECT_EQ(Snapshot(*w), before);
  bool called = false;
  EXPECT_THROW(w->SendSetAsync([&](VnSNMPError&, VnSNMPVarList&) { called = true; },
                               VnSetReply::StatusOnly, "0,1,2", &values),
               EStringListError);
  EXPECT_EQ(Snapshot(*w), before);
  EXPECT_EQ(w->Outstanding, 0);
  PumpFor(200);
  EXPECT_FALSE(called);
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.2.1.1.4.0"), "p0");
}

TEST_F(ScalarSet, RefusedSetRaisesAndLeavesTheList) {
  auto w = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);  // sysDescr claims to be writable here
  w->VarList.Item(0)->Access = SNMP_ACCESS_READWRITE;
  SetValue(*w, 0, "new description");
  const auto before = Snapshot(*w);
  int number = RaisedNumber([&] { w->SendSet(VnSetReply::StatusOnly, "0", nullptr); });
  EXPECT_EQ(number, VNERR_NOT_WRITABLE);
  EXPECT_EQ(Snapshot(*w), before);

  std::vector<VnSNMPError> records;
  w->SendSetAsync([&](VnSNMPError& e, VnSNMPVarList&) { records.push_back(e); },
                  VnSetReply::StatusOnly, "0", nullptr);
  ASSERT_TRUE(PumpUntil([&] { return !records.empty(); }, 5000));
  EXPECT_EQ(records[0].Number, VNERR_NOT_WRITABLE);
  EXPECT_EQ(records[0].ErrorIndex, 1);
  EXPECT_EQ(records[0].Text, "(SNMP) Cannot create/set variable, Not Writable!");
  EXPECT_EQ(Snapshot(*w), before);
}

// A derived item goes out as its send expression makes it, not as its
// receive expression would, and the list keeps the value it held.
TEST_F(ScalarSet, DerivedItemSendsItsSendSideValue) {
  // snmpEnableAuthenTraps, 1 or 2: the item shows the agent's number as
  // it is and sends the other number than the one it holds.
  static const VnSNMPVarDesc kAuthTraps[] = {
      {"1.3.6.1.2.1.11.30", "AuthTraps", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE, nullptr, "$0",
       "3-$0", nullptr, nullptr, nullptr},
      kEnd};
  static const VnSNMPVarDesc kPlain[] = {
      Desc("1.3.6.1.2.1.11.30", "AuthTraps", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY), kEnd};
  const struct {
    bool async;
    const char* held;
    const char* sent;
  } cases[] = {{false, "2", "1"}, {false, "1", "2"}, {true, "2", "1"}, {true, "1", "2"}};
  for (const auto& c : cases) {
    auto w = MakeRequest(kAuthTraps, VnItemType::SVT_SV, 0);
    SetValue(*w, 0, c.held);
    if (c.async) {
      std::vector<VnSNMPError> records;
      w->SendSetAsync([&](VnSNMPError& e, VnSNMPVarList&) { records.push_back(e); },
                      VnSetReply::StatusOnly, "", nullptr);
      ASSERT_TRUE(PumpUntil([&] { return !records.empty(); }, 5000));
      EXPECT_EQ(records[0].Number, VNERR_OK);
    } else {
      EXPECT_EQ(RaisedNumber([&] { w->SendSet(VnSetReply::StatusOnly, "", nullptr); }), 0);
    }
    EXPECT_EQ(ValueOf(*w, 0), c.held);
    auto r = MakeRequest(kPlain, VnItemType::SVT_SV, 0);
    r->SendGet(VnReadFrom::Start);
    EXPECT_EQ(ValueOf(*r, 0), c.sent) << (c.async ? "async" : "sync") << " holding " << c.held;
  }
}

using RowSet = AgentTest;

// The snmpTargetAddrTable rows as our own walk reads them: name, status.
std::vector<std::pair<std::string, std::string>> TargetRows() {
  auto r = MakeRequest(kTargetAddrTable, VnItemType::MVT_FMV, 1);
  std::vector<std::pair<std::string, std::string>> rows;
  for (const Row& row : WalkSync(*r)) rows.emplace_back(row[0], row[4]);
  return rows;
}

TEST_F(RowSet, CreateAndGoThenDestroy) {
  auto w = MakeRequest(kTargetAddrTable, VnItemType::MVT_FMV, 1);
  SetValue(*w, 0, "vntest");
  SetValue(*w, 1, "1.3.6.1.6.1.1");  // snmpUDPDomain
  SetValue(*w, 2, "7F0000010A2B");   // 127.0.0.1:2603
  SetValue(*w, 3, "params1");
  SetValue(*w, 4, "4");  // createAndGo
  w->SendSet(VnSetReply::StatusOnly, "", nullptr);
  auto rows = TargetRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].first, "vntest");
  EXPECT_EQ(rows[0].second, "1");  // active
  // The implied name stands in the instance without a length.
  EXPECT_EQ(Snmpget(Agent(), "1.3.6.1.6.3.12.1.2.1.7.118.110.116.101.115.116"), "params1");

  // Delete sends the status alone.
  TStringList destroy;
  destroy.Add("6");
  w->SendSet(VnSetReply::StatusOnly, "4", &destroy);
  EXPECT_TRUE(TargetRows().empty());
  EXPECT_EQ(ValueOf(*w, 4), "4");

  // The same row through the event pump.
  std::vector<VnSNMPError> records;
  auto done = [&](VnSNMPError& e, VnSNMPVarList&) { records.push_back(e); };
  w->SendSetAsync(done, VnSetReply::StatusOnly, "", nullptr);
  ASSERT_TRUE(PumpUntil([&] { return records.size() == 1; }, 5000));
  EXPECT_EQ(records[0].Number, VNERR_OK);
  EXPECT_EQ(TargetRows().size(), 1u);
  w->SendSetAsync(done, VnSetReply::StatusOnly, "4", &destroy);
  ASSERT_TRUE(PumpUntil([&] { return records.size() == 2; }, 5000));
  EXPECT_EQ(records[1].Number, VNERR_OK);
  EXPECT_TRUE(TargetRows().empty());
}

// A row a SET reads back is worked out (its derived items evaluated) before
// the completion runs, also where the request's walks leave that to their
// completions.
TEST_F(RowSet, ARowReadBackIsWorkedOutBeforeItsCompletion) {
  static const VnSNMPVarDesc kDerivedStatus[] = {
      kTargetAddrTable[0],
      kTargetAddrTable[1],
      kTargetAddrTable[2],
      kTargetAddrTable[3],
      {"1.3.6.1.6.3.12.1.2.1.9", "RowStatus", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE, nullptr,
       "$4+10", nullptr, nullptr, nullptr, nullptr},
      kEnd};
  auto w = MakeRequest(kDerivedStatus, VnItemType::MVT_FMV, 1);
  w->RowFinishedByCompletion = true;
  SetValue(*w, 0, "vnderived");
  SetValue(*w, 1, "1.3.6.1.6.1.1");
  SetValue(*w, 2, "7F0000010A2B");
  SetValue(*w, 3, "params1");
  SetValue(*w, 4, "4");  // createAndGo, read back as 4
  std::string seen;
  w->SendSetAsync([&](VnSNMPError&, VnSNMPVarList&) { seen = ValueOf(*w, 4); },
                  VnSetReply::ReadBack, "", nullptr);
  ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }, 5000));
  EXPECT_EQ(seen, "14");
  TStringList destroy;
  destroy.Add("6");
  w->SendSet(VnSetReply::StatusOnly, "4", &destroy);
  EXPECT_TRUE(TargetRows().empty());
}

}  // namespace
