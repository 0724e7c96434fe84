// Start-up and exit of the catalogue's option lists, and what the records
// find in them.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "catalogue/CatalogueTables.h"
#include "catalogue/MibDefs.h"
#include "catalogue/MibOptionListSlot.h"
#include "catalogue/MibOptionLists.h"
#include "platform/AnsiString.h"

namespace {

struct UnitCase {
  const char* Name;
  void (*Init)();
  void (*Free)();
  int Lists;
};

// Start-up order, with the lists each unit builds. Device, BridgeExt and Acl
// differ from the unit table's 166, 10 and 80: lists are shared only between
// records of one object (see tools/gen_mibdefs.py).
const UnitCase kUnits[] = {
    {"Filter", InitFilterMibOptionLists, FreeFilterMibOptionLists, 6},
    {"Auth", InitAuthMibOptionLists, FreeAuthMibOptionLists, 17},
    {"Equipment", InitEquipmentMibOptionLists, FreeEquipmentMibOptionLists, 16},
    {"Time", InitTimeMibOptionLists, FreeTimeMibOptionLists, 4},
    {"DoubleVlan", InitDoubleVlanMibOptionLists, FreeDoubleVlanMibOptionLists, 0},
    {"FileSystem", InitFileSystemMibOptionLists, FreeFileSystemMibOptionLists, 3},
    {"Pae", InitPaeMibOptionLists, FreePaeMibOptionLists, 13},
    {"LinkAggregation", InitLinkAggregationMibOptionLists, FreeLinkAggregationMibOptionLists, 2},
    {"MldSnooping", InitMldSnoopingMibOptionLists, FreeMldSnoopingMibOptionLists, 6},
    {"ProtocolVlan", InitProtocolVlanMibOptionLists, FreeProtocolVlanMibOptionLists, 3},
    {"RadiusClient", InitRadiusClientMibOptionLists, FreeRadiusClientMibOptionLists, 0},
    {"Probe", InitProbeMibOptionLists, FreeProbeMibOptionLists, 2},
    {"Security", InitSecurityMibOptionLists, FreeSecurityMibOptionLists, 64},
    {"SingleIp", InitSingleIpMibOptionLists, FreeSingleIpMibOptionLists, 4},
    {"SnmpTarget", InitSnmpTargetMibOptionLists, FreeSnmpTargetMibOptionLists, 15},
    {"TimeRange", InitTimeRangeMibOptionLists, FreeTimeRangeMibOptionLists, 1},
    {"Usm", InitUsmMibOptionLists, FreeUsmMibOptionLists, 4},
    {"Vacm", InitVacmMibOptionLists, FreeVacmMibOptionLists, 9},
    {"Device", InitDeviceMibOptionLists, FreeDeviceMibOptionLists, 163},
    {"BridgeExt", InitBridgeExtMibOptionLists, FreeBridgeExtMibOptionLists, 11},
    {"Acl", InitAclMibOptionLists, FreeAclMibOptionLists, 82},
    {"Mba", InitMbaMibOptionLists, FreeMbaMibOptionLists, 32},
    {"Multicast", InitMulticastMibOptionLists, FreeMulticastMibOptionLists, 7},
};

std::vector<std::string> gSteps;
void Record(const char* unit, bool built) {
  gSteps.push_back(std::string(built ? "+" : "-") + unit);
}

// Every list a record of the catalogue points to, with its records.
std::map<const VnOptionList*, std::vector<const VnSNMPVarDesc*>> ListUsers() {
  std::map<const VnOptionList*, std::vector<const VnSNMPVarDesc*>> users;
  for (const CatalogueTable& t : CatalogueTables())
    for (int i = 0; t.Table[i].Oid; ++i)
      if (t.Table[i].Options) users[t.Table[i].Options].push_back(&t.Table[i]);
  return users;
}

class CatalogueOptionLists : public ::testing::Test {
 protected:
  void SetUp() override { InitMibOptionLists(); }
  void TearDown() override { FreeMibOptionLists(); }
};

}  // namespace

TEST(MibOptionListsLifecycle, InitAndFreeRunEveryUnitOnceInOrder) {
  ASSERT_EQ(LiveMibOptionLists(), 0);
  EXPECT_EQ(g_ModelText, "");

  gSteps.clear();
  InitMibOptionLists(Record);
  std::vector<std::string> want;
  for (const UnitCase& u : kUnits) want.push_back(std::string("+") + u.Name);
  EXPECT_EQ(gSteps, want);
  EXPECT_EQ(LiveMibOptionLists(), 464);
  EXPECT_EQ(g_ModelText, "KXR5810");

  // Once only: a second start-up call changes nothing.
  gSteps.clear();
  InitMibOptionLists(Record);
  EXPECT_TRUE(gSteps.empty());
  EXPECT_EQ(LiveMibOptionLists(), 464);

  gSteps.clear();
  FreeMibOptionLists(Record);
  want.clear();
  for (auto it = std::rbegin(kUnits); it != std::rend(kUnits); ++it)
    want.push_back(std::string("-") + it->Name);
  EXPECT_EQ(gSteps, want);
  EXPECT_EQ(LiveMibOptionLists(), 0);
  EXPECT_EQ(g_ModelText, "");

  gSteps.clear();
  FreeMibOptionLists(Record);
  EXPECT_TRUE(gSteps.empty());

  // A later start-up builds everything afresh.
  InitMibOptionLists();
  EXPECT_EQ(LiveMibOptionLists(), 464);
  FreeMibOptionLists();
  EXPECT_EQ(LiveMibOptionLists(), 0);
}

TEST(MibOptionListsLifecycle, EachUnitBuildsAndFreesOnlyItsOwnLists) {
  ASSERT_EQ(LiveMibOptionLists(), 0);
  int live = 0;
  for (const UnitCase& u : kUnits) {
    u.Init();
    live += u.Lists;
    EXPECT_EQ(LiveMibOptionLists(), live) << u.Name;
    u.Init();  // already built: nothing more
    EXPECT_EQ(LiveMibOptionLists(), live) << u.Name;
  }
  EXPECT_EQ(live, 464);
  for (auto it = std::rbegin(kUnits); it != std::rend(kUnits); ++it) {
    it->Free();
    live -= it->Lists;
    EXPECT_EQ(LiveMibOptionLists(), live) << it->Name;
    it->Free();
    EXPECT_EQ(LiveMibOptionLists(), live) << it->Name;
  }
}

TEST_F(CatalogueOptionLists, ListsAreSharedOnlyByOneObjectAndByAtMostThreeRecords) {
  const auto users = ListUsers();
  EXPECT_EQ(users.size(), 464u);
  int records = 0, longest = 0;
  for (const auto& [list, recs] : users) {
    records += static_cast<int>(recs.size());
    EXPECT_LE(recs.size(), 3u);
    for (const VnSNMPVarDesc* r : recs) EXPECT_STREQ(r->Oid, recs.front()->Oid);
    EXPECT_FALSE(list->CaseSensitive());
    EXPECT_GT(list->Count(), 0);
    longest = std::max(longest, list->Count());
  }
  EXPECT_EQ(records, 483);
  EXPECT_EQ(longest, 26);
}

TEST_F(CatalogueOptionLists, OnlyTheTwoUsmProtocolListsHaveStringValues) {
  std::set<const VnOptionList*> stringLists;
  for (const auto& [list, recs] : ListUsers()) {
    if (list->ValueKind() == VnOptionList::String)
      stringLists.insert(list);
    else
      EXPECT_EQ(list->ValueKind(), VnOptionList::Integer);
  }
  ASSERT_EQ(stringLists.size(), 2u);
  EXPECT_TRUE(stringLists.count(UserTableVars[4].Options));
  EXPECT_TRUE(stringLists.count(UserTableVars[7].Options));
}

TEST_F(CatalogueOptionLists, UsmProtocolListsCompareOidTexts) {
  const VnOptionList* auth = UserTableVars[4].Options;
  ASSERT_STREQ(UserTableVars[4].Label, "Authentication Protocol");
  EXPECT_EQ(auth->TextOf("1.3.6.1.6.3.10.1.1.2"), "MD5");
  EXPECT_EQ(auth->TextOf("1.3.6.1.6.3.10.1.1.3"), "SHA");
  EXPECT_EQ(auth->TextOf("1.3.6.1.6.3.10.1.1.1"), "None");
  EXPECT_EQ(auth->ValueOf("sha"), "1.3.6.1.6.3.10.1.1.3");
  EXPECT_EQ(auth->TextOf("2"), "2");  // a number is no protocol OID

  const VnOptionList* priv = UserTableVars[7].Options;
  ASSERT_STREQ(UserTableVars[7].Label, "Privacy Protocol");
  EXPECT_EQ(priv->TextOf("1.3.6.1.6.3.10.1.2.2"), "DES");
  EXPECT_EQ(priv->ValueOf("None"), "1.3.6.1.6.3.10.1.2.1");
  EXPECT_EQ(priv->Count(), 2);
}

TEST_F(CatalogueOptionLists, PairsKeepTheirOrderAndGaps) {
  // {2 "disabled", 3 "enabled"}: neither from 1 nor in text order.
  const VnOptionList* stp = SpanningTreeAlgorithmVars[0].Options;
  ASSERT_EQ(stp->Count(), 2);
  EXPECT_EQ(stp->Item(0).IntValue, 2);
  EXPECT_EQ(stp->Item(0).Text, "disabled");
  EXPECT_EQ(stp->Item(1).IntValue, 3);
  EXPECT_EQ(stp->ValueOf("ENABLED"), "3");
  EXPECT_EQ(stp->TextOf("1"), "1");

  // The spanning-tree port states, and the port info types that start at 0
  // and skip 1.
  const VnOptionList* states = STPPortTableVars[2].Options;
  const char* want[] = {"disabled", "blocking", "listening", "learning", "forwarding", "broken"};
  ASSERT_EQ(states->Count(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(states->Item(i).Text, want[i]);
  const VnOptionList* types = PortInformationTableVars[3].Options;
  EXPECT_EQ(types->Item(0).IntValue, 0);
  EXPECT_EQ(types->Item(1).IntValue, 2);
  EXPECT_EQ(types->TextOf("10"), "portType-user-last");
}

TEST_F(CatalogueOptionLists, OneObjectInTwoTablesSharesItsList) {
  // The RMON state stands in the layer-2 control group and on its own page.
  EXPECT_EQ(Layer2ControlIGMPSnoopingVars[1].Options, RMONControlVars[0].Options);
  // The STP version stands in four tables: three records on one list, the
  // fourth on another list with the same pairs.
  EXPECT_EQ(MSTPPortStateSTPVersionVars[0].Options, StpVersionVars[0].Options);
  EXPECT_EQ(StpVersionVars[0].Options, StpInfoBridgeVars[0].Options);
  EXPECT_NE(StpInfoBridgeTimersVars[0].Options, StpInfoBridgeVars[0].Options);
  EXPECT_EQ(StpInfoBridgeTimersVars[0].Options->Count(), StpInfoBridgeVars[0].Options->Count());
  // Equal pairs of different objects are different lists.
  EXPECT_NE(AlarmControlVars[0].Options, AlarmControlVars[1].Options);
}

TEST_F(CatalogueOptionLists, ItemAndRowStatusNamesPointAtTheirRecordsAndOptions) {
  // Names from the labels: plain, with the range left out, with the range
  // that tells items apart, and a repeated label.
  EXPECT_STREQ(IPMaskInformationVars[IPMaskInformationItem::kRowStatus].Label, "Row Status");
  EXPECT_STREQ(StpInfoBridgeTimersVars[StpInfoBridgeTimersItem::kMaxAge].Label,
               "Max Age[600-4000]");
  EXPECT_STREQ(CPUFilterPktCntRuleVars[CPUFilterPktCntRuleItem::kPayloadOffset16To31].Label,
               "Payload Offset [16-31]");
  EXPECT_STREQ(
      WebAuthenticationInformationTableVars[WebAuthenticationInformationTableItem::kStatus2].Label,
      "Status");
  EXPECT_EQ(WebAuthenticationInformationTableItem::kStatus2, 7);

  // Row-status options where the combo boxes list them: the six of the
  // usual row status, the three of the test tables, and capitalised texts.
  const VnOptionList* usual = IPMaskInformationVars[IPMaskInformationItem::kRowStatus].Options;
  EXPECT_EQ(usual->Item(IPMaskInformationRowStatusOption::kCreateAndGo).Text, "createAndGo");
  EXPECT_EQ(usual->Item(IPMaskInformationRowStatusOption::kDestroy).Text, "destroy");
  const VnOptionList* test = PingctrlTableVars[PingctrlTableItem::kRowStatus].Options;
  EXPECT_EQ(test->Item(PingctrlTableRowStatusOption::kCreateAndGo).Text, "createAndGo");
  EXPECT_EQ(test->Item(PingctrlTableRowStatusOption::kDestroy).Text, "destroy");
  const VnOptionList* vlan = StaticVlanTableVars[StaticVlanTableItem::kStatus].Options;
  EXPECT_EQ(vlan->Item(StaticVlanTableRowStatusOption::kCreateAndGo).Text, "CreateAndGo");
}
