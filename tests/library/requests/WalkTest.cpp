// Table walks: one GETNEXT per row with every column, the ends of a walk,
// sparse columns and stopping.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "RequestTestSupport.h"
#include "library/VnErrors.h"
#include "support/Snmpd.h"
#include "support/TestSupport.h"

namespace {

using namespace reqtest;

using TableWalk = AgentTest;

// The part of an instance OID behind its column.
std::string SuffixOf(const std::string& oid, const std::string& column) {
  return oid.substr(column.size() + 1);
}

TEST_F(TableWalk, InterfacesTableGivesTheRowsSnmpwalkGives) {
  auto expected = Snmpwalk(Agent(), "1.3.6.1.2.1.2.2.1.2");
  ASSERT_FALSE(expected.empty());
  auto r = MakeRequest(kIfTable, VnItemType::MVT_FMV, 1);
  auto rows = WalkSync(*r);
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t k = 0; k < rows.size(); ++k) {
    EXPECT_EQ(rows[k][0], SuffixOf(expected[k].first, "1.3.6.1.2.1.2.2.1.2"));
    EXPECT_EQ(rows[k][1], expected[k].second);
  }
  // The index column stands where its row was found.
  EXPECT_EQ(*r->VarList.Item(0)->LastOid, "1.3.6.1.2.1.2.2.1.1." + rows.back()[0]);
}

TEST_F(TableWalk, TwoIndexColumnsAreSplitFromTheInstance) {
  auto expected = Snmpwalk(Agent(), "1.3.6.1.6.3.16.1.2.1.3");
  ASSERT_GE(expected.size(), 4u);  // two communities and two users at least
  auto r = MakeRequest(kVacmGroups, VnItemType::MVT_UMV, 2);
  UseV3(*r, kShaAuth);
  auto rows = WalkSync(*r);
  ASSERT_EQ(rows.size(), expected.size());
  bool sawUser = false;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    // Instance: model, length, the name's characters.
    std::string suffix = SuffixOf(expected[k].first, "1.3.6.1.6.3.16.1.2.1.3");
    EXPECT_EQ(suffix.substr(0, suffix.find('.')), rows[k][0]);
    EXPECT_EQ(rows[k][2], expected[k].second);
    EXPECT_EQ(rows[k][4], "1");  // active
    if (rows[k][0] == "3" && rows[k][1] == "shaonly") sawUser = true;
  }
  EXPECT_TRUE(sawUser);
}

TEST_F(TableWalk, AsynchronousWalkDeliversTheSameRows) {
  auto r = MakeRequest(kIfTable, VnItemType::MVT_FMV, 1);
  auto sync = WalkSync(*r);
  AsyncWalk walk;
  WalkAsync(*r, walk);
  ASSERT_TRUE(walk.done);
  EXPECT_EQ(walk.rows, sync);
  // One completion per row plus the one that finds the end.
  ASSERT_EQ(walk.records.size(), sync.size() + 1);
  for (std::size_t k = 0; k + 1 < walk.records.size(); ++k) EXPECT_FALSE(walk.records[k].Finished);
  EXPECT_TRUE(walk.records.back().Finished);
  EXPECT_EQ(walk.records.back().Number, VNERR_OK);
  EXPECT_EQ(r->Outstanding, 0);
}

// A walker that finishes its rows itself (RowFinishedByCompletion) finds a
// row's values in the items once its completion has returned, whether or not
// it took the row: only the index items wait for FinishReadRow.
TEST_F(TableWalk, ARowLeftToItsCompletionHasItsValuesWhenTheCompletionReturns) {
  auto r = MakeRequest(kIfTable, VnItemType::MVT_FMV, 1);
  const auto sync = WalkSync(*r);
  ASSERT_GE(sync.size(), 2u);
  ASSERT_NE(sync.front()[1], sync.back()[1]);
  r->RowFinishedByCompletion = true;
  bool done = false;
  r->SendGetAsync([&](VnSNMPError&, VnSNMPVarList&) { done = true; }, VnReadFrom::Start);
  ASSERT_TRUE(PumpUntil([&] { return done; }, 5000));
  EXPECT_EQ(ValueOf(*r, 1), sync.front()[1]);
  EXPECT_EQ(ValueOf(*r, 0), sync.back()[0]);
  r->FinishReadRow();
  EXPECT_EQ(ValueOf(*r, 0), sync.front()[0]);
}

TEST_F(TableWalk, AColumnEndingEarlyHasNoValueInLaterRows) {
  auto r = MakeRequest(kSparseTable, VnItemType::MVT_FMV, 1);
  const std::vector<Row> expected = {
      {"1", "21", "31"}, {"2", "(NULL)", "32"}, {"3", "(NULL)", "33"}};
  EXPECT_EQ(WalkSync(*r), expected);
  AsyncWalk walk;
  WalkAsync(*r, walk);
  EXPECT_EQ(walk.rows, expected);
  EXPECT_EQ(walk.records.back().Number, VNERR_OK);
}

// The agent has no ifLinkUpDownTrapEnable: that column ends on the first
// step, before any row names where to ask it again; the walk goes on with
// the names alone.
TEST_F(TableWalk, ColumnEndedOnTheFirstStepLeavesTheOtherColumnsRows) {
  static const VnSNMPVarDesc kIfX[] = {
      Desc("1.3.6.1.2.1.2.2.1.1", "ifIndex", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS),
      Desc("1.3.6.1.2.1.31.1.1.1.1", "ifName", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY),
      Desc("1.3.6.1.2.1.31.1.1.1.14", "ifLinkUpDownTrapEnable", SNMP_SYNTAX_INTEGER,
           SNMP_ACCESS_READONLY),
      kEnd};
  auto names = Snmpwalk(Agent(), "1.3.6.1.2.1.31.1.1.1.1");
  ASSERT_FALSE(names.empty());
  ASSERT_TRUE(Snmpwalk(Agent(), "1.3.6.1.2.1.31.1.1.1.14").empty());
  std::vector<Row> expected;
  for (const auto& [oid, name] : names)
    expected.push_back({SuffixOf(oid, "1.3.6.1.2.1.31.1.1.1.1"), name, "(NULL)"});
  auto r = MakeRequest(kIfX, VnItemType::MVT_FMV, 1);
  EXPECT_EQ(WalkSync(*r), expected);
  AsyncWalk walk;
  WalkAsync(*r, walk);
  EXPECT_EQ(walk.rows, expected);
  ASSERT_FALSE(walk.records.empty());
  EXPECT_EQ(walk.records.back().Number, VNERR_OK);
}

TEST_F(TableWalk, FirstStepOutsideTheTableDeliversNoRow) {
  static const VnSNMPVarDesc kEmpty[] = {
      Desc("1.3.6.1.4.1.99999.1.1.1", "Index", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS),
      Desc("1.3.6.1.4.1.99999.1.1.9", "None", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY), kEnd};
  auto r = MakeRequest(kEmpty, VnItemType::MVT_FMV, 1);
  EXPECT_FALSE(r->SendGet(VnReadFrom::Start));
  EXPECT_EQ(ValueOf(*r, 1), "(NULL)");
}

TEST_F(TableWalk, ActiveZeroStopsAfterTheRowInHand) {
  auto r = MakeRequest(kSparseTable, VnItemType::MVT_FMV, 1);
  ASSERT_TRUE(r->SendGet(VnReadFrom::Start));
  r->Active = false;
  EXPECT_FALSE(r->SendGet(VnReadFrom::LastRow));
  EXPECT_EQ(ValueOf(*r, 0), "1");  // nothing more was read

  r->Active = true;
  AsyncWalk walk;
  walk.rows.clear();
  VnSNMPCompletion step = [&](VnSNMPError& e, VnSNMPVarList&) {
    walk.records.push_back(e);
    walk.rows.push_back({ValueOf(*r, 0)});
    r->Active = false;                           // a Stop button
    r->SendGetAsync(step, VnReadFrom::LastRow);  // the walk would go on; it returns at once
  };
  r->SendGetAsync(step, VnReadFrom::Start);
  ASSERT_TRUE(PumpUntil([&] { return !walk.records.empty(); }, 5000));
  EXPECT_EQ(r->Outstanding, 0);
  PumpFor(300);
  EXPECT_EQ(walk.records.size(), 1u);
  EXPECT_FALSE(walk.records[0].Finished);
  EXPECT_FALSE(r->SendGet(VnReadFrom::Start));  // nothing starts while inactive
}

// An agent whose view ends with vacmSecurityToGroupTable: version 1 ends a
// walk with noSuchName, version 2c with endOfMibView.
class ViewEnd : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    agent_ = std::make_unique<vntest::Snmpd>(AgentOptions({"1.3.6.1.6.3.16.1.2"}));
  }
  static void TearDownTestSuite() { agent_.reset(); }

 protected:
  void SetUp() override { StartSession(dir_.Path(), *agent_); }
  static std::unique_ptr<vntest::Snmpd> agent_;
  vntest::TempDir dir_;
};
std::unique_ptr<vntest::Snmpd> ViewEnd::agent_;

TEST_F(ViewEnd, VersionOneEndsByNoSuchName) {
  auto expected = Snmpwalk(*agent_, "1.3.6.1.6.3.16.1.2.1.5", "1");
  ASSERT_FALSE(expected.empty());
  auto r = MakeRequest(kVacmGroups, VnItemType::MVT_FMV, 2);
  UseV1(*r);
  EXPECT_EQ(WalkSync(*r).size(), expected.size());
  AsyncWalk walk;
  WalkAsync(*r, walk);
  EXPECT_EQ(walk.rows.size(), expected.size());
  ASSERT_FALSE(walk.records.empty());
  EXPECT_EQ(walk.records.back().Number, VNERR_OK);  // the end is no error
  EXPECT_EQ(walk.records.back().Text, "Ok!");
  EXPECT_TRUE(walk.records.back().Finished);
}

TEST_F(ViewEnd, VersionTwoEndsByEndOfMibView) {
  auto expected = Snmpwalk(*agent_, "1.3.6.1.6.3.16.1.2.1.5");
  auto r = MakeRequest(kVacmGroups, VnItemType::MVT_FMV, 2);
  UseV2c(*r);
  auto rows = WalkSync(*r);
  EXPECT_EQ(rows.size(), expected.size());
  AsyncWalk walk;
  WalkAsync(*r, walk);
  EXPECT_EQ(walk.rows, rows);
  EXPECT_EQ(walk.records.back().Number, VNERR_OK);
}

TEST_F(ViewEnd, AColumnPastTheViewHasNoRowOverEitherVersion) {
  // The first step already runs past the view: version 1 names the
  // requested column by noSuchName, version 2c answers endOfMibView.
  static const VnSNMPVarDesc kBeyond[] = {
      Desc("1.3.6.1.6.3.16.1.2.1.9", "Beyond", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY), kEnd};
  auto r = MakeRequest(kBeyond, VnItemType::MVT_FMV, 0);
  for (void (*use)(VnSNMPRequest&) : {UseV1, UseV2c}) {
    use(*r);
    EXPECT_FALSE(r->SendGet(VnReadFrom::Start));
    AsyncWalk walk;
    WalkAsync(*r, walk);
    ASSERT_EQ(walk.records.size(), 1u);
    EXPECT_EQ(walk.records[0].Number, VNERR_OK);
    EXPECT_TRUE(walk.records[0].Finished);
  }
}

// A sparse table served by a script behind the agent (a column that skips
// a middle row, one that ends early, and a last one that starts late and
// ends earlier still), the last object of the community's view: the rows
// the walk reads over either version, cell for cell, are those snmptable
// shows of it, a cell it shows as "?" being one the walk has no value for.
// Over version 1 the last column ends by noSuchName, the others go on.
constexpr const char* kSparseScript = R"(import sys
TABLE = {2: {1: 21, 3: 23, 4: 24}, 3: {1: 31, 2: 32, 3: 33}, 4: {2: 42}}
BASE = (1, 3, 6, 1, 4, 1, 99999, 2, 1)
ENTRIES = sorted(BASE + (c, r) for c in TABLE for r in TABLE[c])
def parse(text): return tuple(int(x) for x in text.strip().strip('.').split('.') if x)
def answer(o): return '.' + '.'.join(map(str, o)) + '\ninteger\n%d\n' % TABLE[o[-2]][o[-1]]
for line in sys.stdin:
    command = line.strip()
    if command == 'PING':
        sys.stdout.write('PONG\n')
    elif command in ('get', 'getnext'):
        o = parse(sys.stdin.readline())
        found = [e for e in ENTRIES if (e == o if command == 'get' else e > o)]
        sys.stdout.write(answer(found[0]) if found else 'NONE\n')
    elif command == 'set':
        sys.stdin.readline(); sys.stdin.readline(); sys.stdout.write('not-writable\n')
    else:
        break
    sys.stdout.flush()
)";

constexpr const char* kSparseMib = R"(SPARSE-MIB DEFINITIONS ::= BEGIN
sparseTable OBJECT-TYPE SYNTAX SEQUENCE OF SparseEntry MAX-ACCESS not-accessible STATUS current
    DESCRIPTION "A sparse table."
    ::= { iso org(3) dod(6) internet(1) private(4) enterprises(1) 99999 2 }
sparseEntry OBJECT-TYPE SYNTAX SparseEntry MAX-ACCESS not-accessible STATUS current
    DESCRIPTION "A row." INDEX { sparseRow } ::= { sparseTable 1 }
SparseEntry ::= SEQUENCE { sparseRow Integer32, sparseA Integer32, sparseB Integer32,
    sparseC Integer32 }
sparseRow OBJECT-TYPE SYNTAX Integer32 MAX-ACCESS not-accessible STATUS current
    DESCRIPTION "Row." ::= { sparseEntry 1 }
sparseA OBJECT-TYPE SYNTAX Integer32 MAX-ACCESS read-only STATUS current
    DESCRIPTION "A." ::= { sparseEntry 2 }
sparseB OBJECT-TYPE SYNTAX Integer32 MAX-ACCESS read-only STATUS current
    DESCRIPTION "B." ::= { sparseEntry 3 }
sparseC OBJECT-TYPE SYNTAX Integer32 MAX-ACCESS read-only STATUS current
    DESCRIPTION "C." ::= { sparseEntry 4 }
END
)";

TEST(SparseTable, TheWalkReadsTheRowsSnmptableShows) {
  vntest::TempDir dir;
  const std::string script = dir.Write("sparse.py", kSparseScript);
  dir.Write("SPARSE-MIB.txt", kSparseMib);
  vntest::SnmpdOptions options;
  options.extra_config = "pass_persist .1.3.6.1.4.1.99999.2 /usr/bin/python3 " + script + "\n";
  options.view = {"1.3.6.1.4.1.99999.2"};
  vntest::Snmpd agent(options);
  StartSession(dir.Path(), agent);
  // snmptable: one line per row, the index first, "?" for a cell it lacks.
  const std::string table =
      RunTool(agent, "snmptable -M " + dir.Path() + " -m SPARSE-MIB -v2c -c qovalt -Cf , -CH -Ci " +
                         "127.0.0.1:" + std::to_string(agent.Port()) + " SPARSE-MIB::sparseTable");
  std::vector<Row> expected;
  std::istringstream lines(table);
  for (std::string line; std::getline(lines, line);) {
    Row row;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) row.push_back(cell == "?" ? "" : cell);
    if (row.size() == 4) expected.push_back(row);
  }
  std::sort(expected.begin(), expected.end(),
            [](const Row& a, const Row& b) { return std::stoi(a[0]) < std::stoi(b[0]); });
  ASSERT_EQ(expected.size(), 4u) << table;
  static const VnSNMPVarDesc kSparse[] = {
      Desc("1.3.6.1.4.1.99999.2.1.1", "Row", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS),
      Desc("1.3.6.1.4.1.99999.2.1.2", "A", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
      Desc("1.3.6.1.4.1.99999.2.1.3", "B", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
      Desc("1.3.6.1.4.1.99999.2.1.4", "C", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY), kEnd};
  auto r = MakeRequest(kSparse, VnItemType::MVT_FMV, 1);
  auto shown = [](std::vector<Row> rows) {
    for (Row& row : rows)
      for (std::string& cell : row)
        if (cell == "(NULL)") cell.clear();
    return rows;
  };
  for (void (*use)(VnSNMPRequest&) : {UseV2c, UseV1}) {
    use(*r);
    EXPECT_EQ(shown(WalkSync(*r)), expected);
    AsyncWalk walk;
    WalkAsync(*r, walk);
    EXPECT_EQ(shown(walk.rows), expected);
    ASSERT_FALSE(walk.records.empty());
    EXPECT_EQ(walk.records.back().Number, VNERR_OK);
    EXPECT_FALSE(r->ReadFaults().Any());
  }
}

}  // namespace
