#include <gtest/gtest.h>

#include <vector>

#include "library/VnErrors.h"
#include "library/VnOptionList.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest.h"
#include "platform/Exceptions.h"

namespace {

struct Item {
  std::uint32_t syntax;
  const char* value;
  const char* onReceive = nullptr;
  const char* onSend = nullptr;
  VnOptionList* options = nullptr;
};

// Fills the request's list with one item per entry, values set.
void Fill(VnSNMPRequest& r, const std::vector<Item>& items,
          VnItemType itemType = VnItemType::SVT_SV) {
  std::vector<VnSNMPVarDesc> table;
  for (const Item& i : items)
    table.push_back({"1.3.6.1.4.1.171.5", "Item", i.syntax, SNMP_ACCESS_READWRITE, i.options,
                     i.onReceive, i.onSend, nullptr, nullptr, nullptr});
  table.push_back({});
  r.VarList = VnSNMPVarList(table.data(), itemType, 0);
  for (std::size_t k = 0; k < items.size(); ++k)
    *r.VarList.Item(static_cast<int>(k))->Value = items[k].value;
}

int ErrorOf(auto&& call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.HelpContext;
  }
  return 0;
}

}  // namespace

TEST(RequestDefaults, NewRequestsCopyTheConnectionDefaults) {
  PresetConnectionDefaults();
  VnSNMPRequest before;
  EXPECT_EQ(before.Device.Address, "127.0.0.1");
  EXPECT_EQ(before.Device.Port, 161);
  EXPECT_EQ(before.Security.ReadCommunity, "qovalt");
  EXPECT_EQ(before.Security.WriteCommunity, "mundrel");
  EXPECT_EQ(before.Security.Version, 0);
  EXPECT_EQ(before.Timeout, 100u);
  EXPECT_EQ(before.Retries, 1u);
  EXPECT_TRUE(before.Active);
  EXPECT_EQ(before.Outstanding, 0);
  EXPECT_TRUE(before.RowFilter.IsEmpty());
  EXPECT_EQ(before.VarList.Count(), 0);

  ConnectionDefaults.Device.Address = "10.90.90.90";
  SnmpVersion = 3;
  ConnectionDefaults.Security.SecurityName = "admin";
  ConnectionDefaults.Scope.ContextName = "ctx";
  g_SnmpTimeout = 300;
  VnSNMPRequest after;
  EXPECT_EQ(after.Device.Address, "10.90.90.90");
  EXPECT_EQ(after.Security.Version, 3);
  EXPECT_EQ(after.Security.SecurityName, "admin");
  EXPECT_EQ(after.Scope.ContextName, "ctx");
  EXPECT_EQ(after.Timeout, 300u);
  EXPECT_EQ(before.Device.Address, "127.0.0.1");
  PresetConnectionDefaults();
  EXPECT_EQ(ConnectionDefaults.Device.Address, "127.0.0.1");
  EXPECT_EQ(SnmpVersion, 0);
}

TEST(ExpandItemReferences, NumericOperandsBySyntax) {
  VnSNMPRequest r;
  Fill(r, {{SNMP_SYNTAX_INTEGER, "5"},
           {SNMP_SYNTAX_TIMETICKS, "0:00:01.00"},
           {SNMP_SYNTAX_BOOLEAN, "true"},
           {SNMP_SYNTAX_BOOLEAN, "True"},
           {SNMP_SYNTAX_COUNTER64, "18446744073709551615"}});
  EXPECT_EQ(r.ExpandItemReferences("$0 + $1", false, '$'), "5 + 100");
  EXPECT_EQ(r.ExpandItemReferences("$ * 2", false, '$'), "5 * 2");  // no digits: item 0
  EXPECT_EQ(r.ExpandItemReferences("$2$3", false, '$'), "10");
  EXPECT_EQ(r.ExpandItemReferences("$4", false, '$'), "18446744073709551615");
  EXPECT_EQ(r.ExpandItemReferences("#1 $1", false, '#'), "100 $1");
  EXPECT_EQ(r.ExpandItemReferences("no references", false, '$'), "no references");
}

TEST(ExpandItemReferences, StringOperandsAreQuotedOnlyWhereAllowed) {
  static const VnOptionPair kPairs[] = {{1, "up"}, {2, "down"}, {0, nullptr}};
  VnOptionList status(kPairs);
  VnSNMPRequest r;
  Fill(r, {{SNMP_SYNTAX_DISPLAYSTR, "abc"},
           {SNMP_SYNTAX_INTEGER, "down", nullptr, nullptr, &status},
           {SNMP_SYNTAX_UINTEGER, "7"}});
  EXPECT_EQ(r.ExpandItemReferences("$0=abc", true, '$'), "\"abc\"=abc");
  EXPECT_EQ(r.ExpandItemReferences("$1", false, '$'), "2");  // through the option list
  EXPECT_EQ(r.ExpandItemReferences("$2", true, '$'), "\"7\"");
  EXPECT_EQ(ErrorOf([&] { r.ExpandItemReferences("$0", false, '$'); }),
            VNERR_BAD_SYNTAX_IN_EXPRESSION);
  EXPECT_EQ(ErrorOf([&] { r.ExpandItemReferences("$2", false, '$'); }),
            VNERR_BAD_SYNTAX_IN_EXPRESSION);
}

TEST(ExpandItemReferences, FailuresAndSelfReferringValues) {
  VnSNMPRequest r;
  Fill(r, {{SNMP_SYNTAX_DISPLAYSTR, "$0"}, {SNMP_SYNTAX_INTEGER, "(NULL)"}});
  // A value holding the marker is inserted once, not expanded again.
  EXPECT_EQ(r.ExpandItemReferences("$0", true, '$'), "\"$0\"");
  EXPECT_EQ(r.ExpandItemReferences("$0-$0", true, '$'), "\"$0\"-\"$0\"");
  EXPECT_EQ(ErrorOf([&] { r.ExpandItemReferences("$1", false, '$'); }), VNERR_NULL_IN_EXPRESSION);
  EXPECT_EQ(ErrorOf([&] { r.ExpandItemReferences("$2", false, '$'); }), VNERR_BAD_SYNTAX);
  EXPECT_EQ(ErrorOf([&] { r.ExpandItemReferences("$99999999999999999999", true, '$'); }),
            VNERR_BAD_SYNTAX);
}

TEST(EvaluateCondition, EmptyIsTrueAndStringsCompareQuoted) {
  VnSNMPRequest r;
  EXPECT_TRUE(r.EvaluateCondition(""));  // no item is looked at
  EXPECT_TRUE(r.MatchesRowFilter());
  Fill(r, {{SNMP_SYNTAX_DISPLAYSTR, "abc"}, {SNMP_SYNTAX_INTEGER, "5"}});
  EXPECT_TRUE(r.EvaluateCondition("$0=abc"));
  EXPECT_FALSE(r.EvaluateCondition("$0=abd"));
  EXPECT_TRUE(r.MatchesCondition("$1=5&$0<>x"));
  r.RowFilter = "$1=6";
  EXPECT_FALSE(r.MatchesRowFilter());
}

TEST(EvaluateDerived, ResultsStoredBySyntax) {
  static const VnOptionPair kPairs[] = {{1, "up"}, {2, "down"}, {0, nullptr}};
  VnOptionList status(kPairs);
  VnSNMPRequest r;
  Fill(r, {{SNMP_SYNTAX_INTEGER, "5"},
           {SNMP_SYNTAX_INTEGER, "", "$0*2+1"},
           {SNMP_SYNTAX_GUAGE, "", "0-$0"},
           {SNMP_SYNTAX_TIMETICKS, "", "$0*8640000"},
           {SNMP_SYNTAX_BOOLEAN, "", "$0-5"},
           {SNMP_SYNTAX_DOUBLE, "", "$0/2"},
           {SNMP_SYNTAX_INTEGER, "", "$0-3", nullptr, &status},
           {SNMP_SYNTAX_COUNTER64, "", "$0*4294967296"},
           {SNMP_SYNTAX_INTEGER, "unchanged", nullptr, "$0"},
           {SNMP_SYNTAX_DISPLAYSTR, "kept", "$0"}});
  for (int i = 0; i < r.VarList.Count() - 1; ++i) r.EvaluateDerived(i, VnDerivation::OnReceive);
  EXPECT_EQ(*r.VarList.Item(1)->Value, "11");
  EXPECT_EQ(*r.VarList.Item(2)->Value, "0");  // negative results stop at 0
  EXPECT_EQ(*r.VarList.Item(3)->Value, "5 days, 0:00:00.00");
  EXPECT_EQ(*r.VarList.Item(4)->Value, "false");
  EXPECT_EQ(*r.VarList.Item(5)->Value, "2.5");
  EXPECT_EQ(*r.VarList.Item(6)->Value, "down");
  EXPECT_EQ(*r.VarList.Item(7)->Value, "21474836480");
  EXPECT_EQ(*r.VarList.Item(8)->Value, "unchanged");  // only a send expression
  r.EvaluateDerived(8, VnDerivation::OnSend);
  EXPECT_EQ(*r.VarList.Item(8)->Value, "5");
  EXPECT_EQ(ErrorOf([&] { r.EvaluateDerived(9, VnDerivation::OnReceive); }),
            VNERR_BAD_SYNTAX_IN_EXPRESSION);
  EXPECT_EQ(*r.VarList.Item(9)->Value, "kept");
}

TEST(IsTableEnd, ColumnsEndAtTheSubIdentifierBoundary) {
  VnSNMPRequest r;
  Fill(r, {{SNMP_SYNTAX_INTEGER, "1"}}, VnItemType::MVT_FMV);
  const AnsiString col = "1.3.6.1.2.1.2.2.1.1";
  EXPECT_FALSE(r.IsTableEnd(col, "", "1.3.6.1.2.1.2.2.1.1.1"));
  EXPECT_FALSE(r.IsTableEnd(col, "1.3.6.1.2.1.2.2.1.1.1", "1.3.6.1.2.1.2.2.1.1.2"));
  // Column 10 is not column 1 continued.
  EXPECT_TRUE(r.IsTableEnd(col, "1.3.6.1.2.1.2.2.1.1.2", "1.3.6.1.2.1.2.2.1.10.1"));
  EXPECT_TRUE(r.IsTableEnd(col, "", "1.3.6.1.2.1.2.2.1.2.1"));
  EXPECT_TRUE(r.IsTableEnd(col, "", col));
  EXPECT_TRUE(r.IsTableEnd(col, "", "1.3.6.1.2.1.2.2.2"));
  // An answer in the column is no end, repeated or not: the walk takes a
  // repeated one for the agent's fault.
  EXPECT_FALSE(r.IsTableEnd(col, "1.3.6.1.2.1.2.2.1.1.2", "1.3.6.1.2.1.2.2.1.1.2"));
  r.VarList.ItemType = VnItemType::MVT_UMV;
  EXPECT_TRUE(r.IsTableEnd(col, "", "1.3.6.1.2.1.2.2.1.10.1"));
  for (VnItemType type : {VnItemType::SVT_SV, VnItemType::MVT_SV}) {
    r.VarList.ItemType = type;
    EXPECT_FALSE(r.IsTableEnd(col, "", "1.3.6.1.2.1.2.2.1.10.1"));
    EXPECT_FALSE(r.IsTableEnd(col, "1.3.6.1.2.1.2.2.1.1.2", "1.3.6.1.2.1.2.2.1.1.2"));
  }
}
