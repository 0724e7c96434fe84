// The compiled catalogue: counts, keys, index records and labels.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "catalogue/CatalogueTables.h"
#include "catalogue/MibDefs.h"
#include "library/VnSNMPVarDesc.h"

namespace {

int CountRecords(const VnSNMPVarDesc* table) {
  int n = 0;
  while (table[n].Oid) ++n;
  return n;
}

bool IsBlank(const char* oid) {
  return std::string(oid).find_first_not_of(' ') == std::string::npos;
}

const CatalogueTable* FindByKey(const char* key) {
  for (const CatalogueTable& t : CatalogueTables())
    if (t.Key == key) return &t;
  return nullptr;
}

}  // namespace

TEST(CatalogueTables, CountsOfTablesRecordsSyntaxesAndAccess) {
  const auto& tables = CatalogueTables();
  ASSERT_EQ(tables.size(), 285u);
  int records = 0;
  std::map<std::uint32_t, int> syntax, access;
  for (const CatalogueTable& t : tables) {
    const int n = CountRecords(t.Table);
    EXPECT_GT(n, 0) << t.Name;
    records += n;
    for (int i = 0; i < n; ++i) {
      const VnSNMPVarDesc& r = t.Table[i];
      ++syntax[r.Syntax];
      ++access[r.Access];
      EXPECT_NE(r.Label, nullptr);
      EXPECT_EQ(r.Text1, nullptr);
      EXPECT_EQ(r.Text2, nullptr);
      EXPECT_EQ(r.Text3, nullptr);
      EXPECT_EQ(r.Value, nullptr);
      EXPECT_EQ(r.LastOid, nullptr);
    }
    // The terminating record is empty throughout.
    const VnSNMPVarDesc& end = t.Table[n];
    EXPECT_EQ(end.Label, nullptr);
    EXPECT_EQ(end.Options, nullptr);
  }
  EXPECT_EQ(records, 1532);
  const std::map<std::uint32_t, int> wantSyntax = {
      {SNMP_SYNTAX_INTEGER, 910},  {SNMP_SYNTAX_DISPLAYSTR, 192}, {SNMP_SYNTAX_COUNTER, 107},
      {SNMP_SYNTAX_OCTETSTR, 64},  {SNMP_SYNTAX_GUAGE, 56},       {SNMP_SYNTAX_BITSTR, 55},
      {SNMP_SYNTAX_IPADDRESS, 54}, {SNMP_SYNTAX_MACADDRESS, 48},  {SNMP_SYNTAX_IPV6ADDRESS, 17},
      {SNMP_SYNTAX_COUNTER64, 12}, {SNMP_SYNTAX_TIMETICKS, 10},   {SNMP_SYNTAX_OBJECTID, 6},
      {SNMP_SYNTAX_DATETIME, 1}};
  EXPECT_EQ(syntax, wantSyntax);
  const std::map<std::uint32_t, int> wantAccess = {
      {SNMP_ACCESS_READWRITE, 760},
      {SNMP_ACCESS_READONLY, 531},
      {SNMP_ACCESS_NOTACCESS, 233},
      {SNMP_ACCESS_NOTACCESS | SNMP_ACCESS_IMPLIED, 8}};
  EXPECT_EQ(access, wantAccess);
}

TEST(CatalogueTables, TablesAndRecordsPerUnit) {
  // unit -> {tables, records}
  const std::map<std::string, std::pair<int, int>> want = {{"Auth", {12, 76}},
                                                           {"Equipment", {12, 76}},
                                                           {"Time", {4, 18}},
                                                           {"DoubleVlan", {1, 4}},
                                                           {"FileSystem", {5, 16}},
                                                           {"Pae", {10, 67}},
                                                           {"LinkAggregation", {3, 37}},
                                                           {"MldSnooping", {6, 32}},
                                                           {"ProtocolVlan", {3, 11}},
                                                           {"RadiusClient", {4, 32}},
                                                           {"Probe", {3, 7}},
                                                           {"Security", {25, 137}},
                                                           {"SingleIp", {8, 40}},
                                                           {"SnmpTarget", {7, 42}},
                                                           {"TimeRange", {4, 17}},
                                                           {"Usm", {1, 13}},
                                                           {"Vacm", {3, 21}},
                                                           {"Device", {103, 458}},
                                                           {"BridgeExt", {22, 79}},
                                                           {"Acl", {24, 235}},
                                                           {"Mba", {17, 84}},
                                                           {"Filter", {4, 11}},
                                                           {"Multicast", {4, 19}}};
  std::map<std::string, std::pair<int, int>> have;
  for (const CatalogueTable& t : CatalogueTables()) {
    ++have[t.Unit].first;
    have[t.Unit].second += CountRecords(t.Table);
  }
  EXPECT_EQ(have, want);
}

TEST(CatalogueTables, KeysAreUniqueAndSeventeenAreNumbered) {
  std::set<std::string> keys, names;
  int numbered = 0;
  for (const CatalogueTable& t : CatalogueTables()) {
    EXPECT_TRUE(keys.insert(t.Key.str()).second) << t.Key;
    EXPECT_TRUE(names.insert(t.Name).second) << t.Name;
    if (t.Key.Pos(" #") > 0) ++numbered;
  }
  EXPECT_EQ(numbered, 17);

  // Four different 802.1p tables share first OID and count.
  const char* priority[] = {"1.3.6.1.2.1.17.1.4.1.1 (3) #1", "1.3.6.1.2.1.17.1.4.1.1 (3) #2",
                            "1.3.6.1.2.1.17.1.4.1.1 (3) #3", "1.3.6.1.2.1.17.1.4.1.1 (3) #4"};
  std::set<std::string> secondLabels;
  for (const char* key : priority) {
    const CatalogueTable* t = FindByKey(key);
    ASSERT_NE(t, nullptr) << key;
    EXPECT_STREQ(t->Table[0].Label, "Port Number");
    secondLabels.insert(t->Table[1].Label);
  }
  EXPECT_EQ(secondLabels.size(), 4u);
  EXPECT_EQ(FindByKey("1.3.6.1.2.1.17.1.4.1.1 (3)"), nullptr);

  const CatalogueTable* defaults = FindByKey("1.3.6.1.2.1.17.1.4.1.1 (3) #1");
  ASSERT_NE(defaults, nullptr);
  EXPECT_EQ(defaults->Table, DefaultUserPrioritiesOfEachPortVars);
  EXPECT_EQ(FindByKey("1.3.6.1.4.1.171.12.3.1.3 (1)")->Table, AuthorizationStateVars);
}

TEST(CatalogueTables, KeyComesFromTheFirstNonBlankOid) {
  // The IGMPv3 table opens with two index records whose OID text is a blank.
  EXPECT_STREQ(IGMPv3TableVars[0].Oid, " ");
  EXPECT_STREQ(IGMPv3TableVars[0].Label, "IGMP VID");
  EXPECT_STREQ(IGMPv3TableVars[1].Oid, " ");
  EXPECT_STREQ(IGMPv3TableVars[1].Label, "IGMP Group IP Address");
  EXPECT_EQ(CatalogueKeyOf(IGMPv3TableVars), "1.3.6.1.4.1.171.11.101.1.2.11.10.1.1 (5)");
  // The static VLAN table's index record has an empty OID text.
  EXPECT_STREQ(StaticVlanTableVars[0].Oid, "");
  EXPECT_STREQ(StaticVlanTableVars[0].Label, "VLAN ID");
  EXPECT_EQ(CatalogueKeyOf(StaticVlanTableVars), "1.3.6.1.2.1.17.7.1.4.3.1.1 (6)");

  EXPECT_EQ(CatalogueKeyOf(nullptr), " (0)");
  const VnSNMPVarDesc onlyBlank[] = {
      {" ", "x", 2, 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}, {}};
  EXPECT_EQ(CatalogueKeyOf(onlyBlank), " (1)");
}

TEST(CatalogueTables, BlankOidRecordsAreIndexColumnsAtTheHead) {
  int blank = 0, empty = 0;
  for (const CatalogueTable& t : CatalogueTables()) {
    bool head = true;
    for (int i = 0; t.Table[i].Oid; ++i) {
      const VnSNMPVarDesc& r = t.Table[i];
      if (!IsBlank(r.Oid)) {
        head = false;
        continue;
      }
      (r.Oid[0] ? blank : empty)++;
      EXPECT_TRUE(head) << t.Key << " record " << i;
      EXPECT_EQ(r.Access, SNMP_ACCESS_NOTACCESS) << t.Key << " record " << i;
    }
  }
  EXPECT_EQ(blank, 12);
  EXPECT_EQ(empty, 1);
}

TEST(CatalogueTables, LabelsKeepTheirBlanks) {
  // The spanning-tree port table widens two columns with trailing blanks.
  EXPECT_STREQ(STPPortTableVars[2].Label, "Status        ");
  EXPECT_STREQ(STPPortTableVars[3].Label, "State  ");
  EXPECT_STREQ(HighCapacityPortTableVars[0].Label, " Port Index");
  int trailing = 0;
  for (const CatalogueTable& t : CatalogueTables())
    for (int i = 0; t.Table[i].Oid; ++i) {
      const std::string label = t.Table[i].Label;
      if (!label.empty() && label.back() == ' ') ++trailing;
    }
  EXPECT_GT(trailing, 2);
}

TEST(CatalogueTables, ImpliedOnlyOnStringIndexColumns) {
  int implied = 0;
  for (const CatalogueTable& t : CatalogueTables())
    for (int i = 0; t.Table[i].Oid; ++i) {
      if (!(t.Table[i].Access & SNMP_ACCESS_IMPLIED)) continue;
      ++implied;
      EXPECT_EQ(t.Table[i].Access, SNMP_ACCESS_NOTACCESS | SNMP_ACCESS_IMPLIED);
    }
  EXPECT_EQ(implied, 8);
  EXPECT_EQ(CommunityStringTableVars[0].Access, SNMP_ACCESS_NOTACCESS | SNMP_ACCESS_IMPLIED);
}
