// GET of a scalar group over every version, synchronously and through the
// event pump.
#include <gtest/gtest.h>

#include "RequestTestSupport.h"
#include "library/VnErrors.h"
#include "library/VnSNMPSession.h"
#include "platform/EventLoop.h"
#include "snmp/Snmp.h"

namespace {

using namespace reqtest;

struct Version {
  const char* name;
  void (*use)(VnSNMPRequest&);
};

void PrintTo(const Version& v, std::ostream* os) { *os << v.name; }

const Version kVersions[] = {
    {"v1", [](VnSNMPRequest& r) { UseV1(r); }},
    {"v2c", [](VnSNMPRequest& r) { UseV2c(r); }},
    {"v3 authNoPriv SHA", [](VnSNMPRequest& r) { UseV3(r, kShaAuth); }},
    {"v3 authPriv MD5+DES", [](VnSNMPRequest& r) { UseV3(r, kMd5Des); }},
};

class ScalarGet : public AgentTest, public ::testing::WithParamInterface<Version> {
 protected:
  // The system group as the agent reports it through snmpget.
  void ExpectSystemGroup(const VnSNMPRequest& r) {
    EXPECT_EQ(ValueOf(r, 0), Snmpget(Agent(), "1.3.6.1.2.1.1.1.0"));
    EXPECT_EQ(ValueOf(r, 1), "1.3.6.1.4.1.8072.3.2.10");
    EXPECT_NE(ValueOf(r, 2).find(':'), std::string::npos) << ValueOf(r, 2);
    EXPECT_EQ(ValueOf(r, 5), Snmpget(Agent(), "1.3.6.1.2.1.1.6.0"));
    EXPECT_EQ(ValueOf(r, 6), "72");
  }
};

TEST_P(ScalarGet, Synchronous) {
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  GetParam().use(*r);
  EXPECT_FALSE(r->SendGet(VnReadFrom::Start));  // a scalar read never asks for more
  ExpectSystemGroup(*r);
  EXPECT_EQ(r->Outstanding, 0);
}

TEST_P(ScalarGet, AsynchronousThroughTheEventPump) {
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  GetParam().use(*r);
  std::vector<VnSNMPError> records;
  bool timerOffInside = false;
  r->SendGetAsync(
      [&](VnSNMPError& e, VnSNMPVarList& list) {
        records.push_back(e);
        timerOffInside = !g_SnmpEventProcessor.Timer()->Enabled();
        EXPECT_EQ(&list, &r->VarList);
        EXPECT_EQ(r->Outstanding, 1);  // lowered once the completion is over
      },
      VnReadFrom::Start);
  EXPECT_EQ(r->Outstanding, 1);
  // Nothing is delivered outside the pump.
  EXPECT_TRUE(records.empty());
  ASSERT_TRUE(PumpUntil([&] { return !records.empty(); }, 5000));
  EXPECT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Number, VNERR_OK);
  EXPECT_EQ(records[0].Text, "Ok!");
  EXPECT_TRUE(records[0].Finished);
  EXPECT_EQ(records[0].Device.Address, "127.0.0.1");
  EXPECT_EQ(records[0].Device.Port, Agent().Port());
  EXPECT_TRUE(timerOffInside);
  EXPECT_TRUE(g_SnmpEventProcessor.Timer()->Enabled());
  EXPECT_EQ(r->Outstanding, 0);
  ExpectSystemGroup(*r);
}

INSTANTIATE_TEST_SUITE_P(Versions, ScalarGet, ::testing::ValuesIn(kVersions), [](const auto& p) {
  std::string n = p.param.name;
  for (char& c : n)
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  return n;
});

using RowGet = AgentTest;

TEST_F(RowGet, OneTableRowByItsInstance) {
  auto r = MakeRequest(kIfTable + 1, VnItemType::MVT_SV, 0);  // ifDescr and ifType
  r->VarList.AppendIndex("1");
  EXPECT_FALSE(r->SendGet(VnReadFrom::Start));
  EXPECT_EQ(ValueOf(*r, 0), "lo");
  EXPECT_EQ(ValueOf(*r, 1), "24");  // softwareLoopback
}

TEST_F(RowGet, InstanceSuffixAddressesTheRowToo) {
  auto r = MakeRequest(kIfTable + 1, VnItemType::MVT_SV, 0);
  r->VarList.InstanceSuffix = "1";
  EXPECT_FALSE(r->SendGet(VnReadFrom::Start));
  EXPECT_EQ(ValueOf(*r, 0), "lo");
}

TEST_F(RowGet, InvalidAndUnreadableItemsAreNotAskedFor) {
  auto r = MakeRequest(kSystemGroup, VnItemType::SVT_SV, 0);
  r->VarList.Item(0)->Access |= SNMP_ACCESS_INVALID;
  r->VarList.Item(1)->Access = SNMP_ACCESS_WRITEONLY;
  SetValue(*r, 0, "kept");
  SetValue(*r, 1, "kept too");
  EXPECT_FALSE(r->SendGet(VnReadFrom::Start));
  EXPECT_EQ(ValueOf(*r, 0), "kept");
  EXPECT_EQ(ValueOf(*r, 1), "kept too");
  EXPECT_EQ(ValueOf(*r, 6), "72");
}

}  // namespace
