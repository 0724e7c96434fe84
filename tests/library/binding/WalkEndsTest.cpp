// Walks and reads against a simulated device that behaves as real agents
// sometimes do: a column some rows lack, a column no row has, an absent
// scalar, a column whose GETNEXT answers do not increase, an exception mid
// walk, a value of another type than declared, rows indexed with more arcs
// than the keys. The device comes from a fixture of its own (the shared
// simulator stays as it is).
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "SimulatorFixture.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kFixture =
    "object 1.3.6.1.3.1718.1.1.1 integer notaccess Index\n"
    "object 1.3.6.1.3.1718.1.1.2 displaystr readonly Name\n"
    "object 1.3.6.1.3.1718.1.1.3 integer readonly Trap\n"
    "object 1.3.6.1.3.1718.1.1.4 integer readonly Sparse\n"
    "object 1.3.6.1.3.1718.1.1.5 integer readonly Disordered\n"
    "object 1.3.6.1.3.1718.1.1.6 integer readonly Gapped\n"
    "object 1.3.6.1.3.1718.1.1.7 integer readonly Repeated\n"
    "object 1.3.6.1.3.1718.2 displaystr readonly Note\n"
    "object 1.3.6.1.3.1718.3 ipaddress readonly Gateway\n"
    "table 1.3.6.1.3.1718.1.1 int 1-4\n"
    "value 1.3.6.1.3.1718.1.1.2.1 \"a\"\nvalue 1.3.6.1.3.1718.1.1.2.2 \"b\"\n"
    "value 1.3.6.1.3.1718.1.1.2.3 \"c\"\nvalue 1.3.6.1.3.1718.1.1.2.4 \"d\"\n"
    "value 1.3.6.1.3.1718.1.1.4.1 41\nvalue 1.3.6.1.3.1718.1.1.4.2 42\n"
    "value 1.3.6.1.3.1718.1.1.5.1 51\nvalue 1.3.6.1.3.1718.1.1.5.2 52\n"
    "value 1.3.6.1.3.1718.1.1.5.3 53\nvalue 1.3.6.1.3.1718.1.1.5.4 54\n"
    "value 1.3.6.1.3.1718.3.0 10.1.2.3\n"
    "absent 1.3.6.1.3.1718.1.1.3\n"
    "absent 1.3.6.1.3.1718.1.1.4.3\nabsent 1.3.6.1.3.1718.1.1.4.4\n"
    "value 1.3.6.1.3.1718.1.1.6.1 61\nabsent 1.3.6.1.3.1718.1.1.6.2\n"
    "value 1.3.6.1.3.1718.1.1.6.3 63\nvalue 1.3.6.1.3.1718.1.1.6.4 64\n"
    "absent 1.3.6.1.3.1718.2.0\n"
    "disorder 1.3.6.1.3.1718.1.1.5\n"
    "value 1.3.6.1.3.1718.1.1.7.1 71\nvalue 1.3.6.1.3.1718.1.1.7.2 72\n"
    "repeat 1.3.6.1.3.1718.1.1.7\n"
    // Rows indexed by an IPv4 address where the request declares an implied
    // IPv6 one: the index read back cannot name the row again.
    "object 1.3.6.1.3.1718.4.1.1 ipaddress notaccess Address\n"
    "object 1.3.6.1.3.1718.4.1.2 displaystr readonly Host\n"
    "object 1.3.6.1.3.1718.4.1.3 integer readonly Weight\n"
    "table 1.3.6.1.3.1718.4.1 ip 10.0.0.1 10.0.0.2 10.0.0.3\n"
    "value 1.3.6.1.3.1718.4.1.2.10.0.0.1 \"x\"\nvalue 1.3.6.1.3.1718.4.1.2.10.0.0.2 \"y\"\n"
    "value 1.3.6.1.3.1718.4.1.2.10.0.0.3 \"z\"\nvalue 1.3.6.1.3.1718.4.1.3.10.0.0.1 71\n"
    "absent 1.3.6.1.3.1718.4.1.3.10.0.0.2\nabsent 1.3.6.1.3.1718.4.1.3.10.0.0.3\n"
    // Rows of unit and port where the request names the port alone.
    "object 1.3.6.1.3.1718.5.1.1 integer notaccess Port\n"
    "object 1.3.6.1.3.1718.5.1.2 integer readwrite Max\n"
    "object 1.3.6.1.3.1718.5.1.3 integer readwrite Min\n"
    "object 1.3.6.1.3.1718.5.1.4 displaystr readwrite Word\n"
    "table 1.3.6.1.3.1718.5.1 int,int 1/1 1/2 1/3 cols=0,0\n"
    "value 1.3.6.1.3.1718.5.1.2.1.1 11\nvalue 1.3.6.1.3.1718.5.1.2.1.2 12\n"
    "value 1.3.6.1.3.1718.5.1.2.1.3 13\n"
    "value 1.3.6.1.3.1718.5.1.3.1.1 1\nvalue 1.3.6.1.3.1718.5.1.3.1.3 3\n"
    "absent 1.3.6.1.3.1718.5.1.3.1.2\n"
    "value 1.3.6.1.3.1718.5.1.4.1.1 \"a\"\nvalue 1.3.6.1.3.1718.5.1.4.1.2 0x70770064\n"
    "value 1.3.6.1.3.1718.5.1.4.1.3 \"c\"\n"
    // The last objects the device serves: a table whose last column holds
    // its first two rows only.
    "object 1.3.6.1.6.3.1718.1.1.1 integer notaccess LastIndex\n"
    "object 1.3.6.1.6.3.1718.1.1.2 integer readonly LastA\n"
    "object 1.3.6.1.6.3.1718.1.1.3 integer readonly LastB\n"
    "table 1.3.6.1.6.3.1718.1.1 int 1-4\n"
    "value 1.3.6.1.6.3.1718.1.1.2.1 11\nvalue 1.3.6.1.6.3.1718.1.1.2.2 12\n"
    "value 1.3.6.1.6.3.1718.1.1.2.3 13\nvalue 1.3.6.1.6.3.1718.1.1.2.4 14\n"
    "value 1.3.6.1.6.3.1718.1.1.3.1 21\nvalue 1.3.6.1.6.3.1718.1.1.3.2 22\n"
    "absent 1.3.6.1.6.3.1718.1.1.3.3\nabsent 1.3.6.1.6.3.1718.1.1.3.4\n";

constexpr VnSNMPVarDesc Var(const char* oid, std::uint32_t syntax, std::uint32_t access) {
  return {oid, "", syntax, access, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
}
const VnSNMPVarDesc kIndex =
    Var("1.3.6.1.3.1718.1.1.1", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS);
const VnSNMPVarDesc kName =
    Var("1.3.6.1.3.1718.1.1.2", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY);
const VnSNMPVarDesc kTrap = Var("1.3.6.1.3.1718.1.1.3", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY);
const VnSNMPVarDesc kSparse =
    Var("1.3.6.1.3.1718.1.1.4", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY);
const VnSNMPVarDesc kDisordered =
    Var("1.3.6.1.3.1718.1.1.5", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY);
const VnSNMPVarDesc kGapped =
    Var("1.3.6.1.3.1718.1.1.6", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY);
const VnSNMPVarDesc kRepeated =
    Var("1.3.6.1.3.1718.1.1.7", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY);

using Row = std::vector<std::string>;

// A walk that would not end is cut off here, so that it fails rather than hangs.
constexpr std::size_t kMostRows = 50;

class OddDevice : public SimulatorTest {
 public:
  static void SetUpTestSuite() {
    SimulatorTest::SetUpTestSuite();
    if (!odd_) {
      dir_ = std::make_unique<vntest::TempDir>();
      const std::string path = dir_->File("odd.fixture");
      std::ofstream(path) << kFixture;
      odd_ = std::make_unique<simtest::Simulator>(std::vector<std::string>{"--fixture", path});
    }
  }

 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    ASSERT_TRUE(odd_->Running()) << odd_->Output();
    Control("reset");
    ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(odd_->Port());
  }
  static void Control(const std::string& command) {
    EXPECT_EQ(odd_->Control(command).rfind("ok", 0), 0u) << command;
  }
  static std::string Held(const std::string& oid) { return odd_->Control("get " + oid); }
  // Runs the loop until the device holds one reply back.
  static bool OneHeld() {
    for (int i = 0; i < 10000; ++i) {
      if (odd_->Control("waiting") == "ok 1") return true;
      PumpFor(1);
    }
    return false;
  }
  static std::unique_ptr<VnSNMPRequest> Request(std::vector<VnSNMPVarDesc> items, VnItemType type,
                                                std::uint32_t keys) {
    items.push_back({});
    auto r = std::make_unique<VnSNMPRequest>();
    r->VarList = VnSNMPVarList(items.data(), type, keys);
    return r;
  }
  static void OverV1(VnSNMPRequest& r) {
    r.Security.Version = 0;
    r.Security.SecurityModel = 1;
  }
  static Row Values(const VnSNMPRequest& r) {
    Row row;
    for (int i = 0; i < r.VarList.Count(); ++i) row.push_back(r.VarList.Item(i)->Value->str());
    return row;
  }
  static std::vector<Row> WalkSync(VnSNMPRequest& r) {
    std::vector<Row> rows;
    for (bool more = r.SendGet(VnReadFrom::Start); more && rows.size() < kMostRows;
         more = r.SendGet(VnReadFrom::LastRow))
      rows.push_back(Values(r));
    return rows;
  }
  // The rows of an asynchronous walk; `number` the last completion's.
  static std::vector<Row> WalkAsync(VnSNMPRequest& r, int& number) {
    std::vector<Row> rows;
    bool done = false;
    VnSNMPCompletion step = [&](VnSNMPError& e, VnSNMPVarList&) {
      number = e.Number;
      if (e.Finished || e.Number != VNERR_OK || rows.size() >= kMostRows) {
        done = true;
        return;
      }
      rows.push_back(Values(r));
      r.SendGetAsync(step, VnReadFrom::LastRow);
    };
    r.SendGetAsync(step, VnReadFrom::Start);
    for (int i = 0; i < 10000 && !done; ++i) PumpFor(1);
    EXPECT_TRUE(done);
    return rows;
  }
  // Both walks give `expected` and end with the library error `number`
  // (0: without error); the synchronous one raises it.
  static void ExpectWalks(VnSNMPRequest& r, const std::vector<Row>& expected, int number = 0) {
    std::vector<Row> rows;
    int raised = 0;
    try {
      for (bool more = r.SendGet(VnReadFrom::Start); more && rows.size() < kMostRows;
           more = r.SendGet(VnReadFrom::LastRow))
        rows.push_back(Values(r));
    } catch (const Exception& e) {
      raised = e.HelpContext;
    }
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(raised, number);
    int ended = -1;
    EXPECT_EQ(WalkAsync(r, ended), expected);
    EXPECT_EQ(ended, number);
  }

 private:
  static std::unique_ptr<vntest::TempDir> dir_;
  static std::unique_ptr<simtest::Simulator> odd_;
};
std::unique_ptr<vntest::TempDir> OddDevice::dir_;
std::unique_ptr<simtest::Simulator> OddDevice::odd_;

// A column no row has ends on the first step, before any row names where to
// ask it again; one that only the first rows have ends after them and stays
// ended, also where the index read back cannot name the row again.
TEST_F(OddDevice, ColumnsThatEndEarlyLeaveTheOtherColumnsRows) {
  auto r = Request({kIndex, kName, kTrap, kSparse}, VnItemType::MVT_FMV, 1);
  ExpectWalks(*r, {{"1", "a", "(NULL)", "41"},
                   {"2", "b", "(NULL)", "42"},
                   {"3", "c", "(NULL)", "(NULL)"},
                   {"4", "d", "(NULL)", "(NULL)"}});
  auto foreign = Request({Var("1.3.6.1.3.1718.4.1.1", SNMP_SYNTAX_IPV6ADDRESS,
                              SNMP_ACCESS_NOTACCESS | SNMP_ACCESS_IMPLIED),
                          Var("1.3.6.1.3.1718.4.1.2", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY),
                          Var("1.3.6.1.3.1718.4.1.3", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY)},
                         VnItemType::MVT_FMV, 1);
  ExpectWalks(*foreign,
              {{"0A000001", "x", "71"}, {"0A000002", "y", "(NULL)"}, {"0A000003", "z", "(NULL)"}});
}

// An answer that is not past the one asked from is the agent's fault, not
// the column's end: the walk stops there with -530, the rows read so far
// kept, beside a column that goes on as well.
TEST_F(OddDevice, AnswersThatDoNotIncreaseEndTheWalkAsAFailure) {
  auto alone = Request({kIndex, kDisordered}, VnItemType::MVT_FMV, 1);
  ExpectWalks(*alone, {{"1", "51"}, {"2", "52"}}, VNERR_NOT_INCREASING);
  auto repeating = Request({kIndex, kRepeated}, VnItemType::MVT_FMV, 1);
  ExpectWalks(*repeating, {{"1", "71"}}, VNERR_NOT_INCREASING);
  auto repeatingBeside = Request({kIndex, kName, kRepeated}, VnItemType::MVT_FMV, 1);
  ExpectWalks(*repeatingBeside, {{"1", "a", "71"}}, VNERR_NOT_INCREASING);
  auto beside = Request({kIndex, kName, kDisordered}, VnItemType::MVT_FMV, 1);
  ExpectWalks(*beside, {{"1", "a", "51"}, {"2", "b", "52"}}, VNERR_NOT_INCREASING);
  // The failure says what happened and where.
  try {
    alone->SendGet(VnReadFrom::Start);
    alone->SendGet(VnReadFrom::LastRow);
    alone->SendGet(VnReadFrom::LastRow);
    ADD_FAILURE() << "the third step did not raise";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message.str(),
              "The agent's answer did not increase! (row 1, 1.3.6.1.3.1718.1.1.5)");
  }
}

// Each step's row is the lowest instance the columns returned: a column
// that skips a row has no cell there and gives its value to its own row; a
// column that leaves its subtree, or answers an exception mid walk, has no
// cell in any later row. No row comes twice.
TEST_F(OddDevice, EveryValueStaysOnItsOwnRow) {
  const struct {
    std::vector<VnSNMPVarDesc> items;
    std::vector<Row> rows;
  } cases[] = {
      {{kIndex, kSparse, kGapped},
       {{"1", "41", "61"}, {"2", "42", "(NULL)"}, {"3", "(NULL)", "63"}, {"4", "(NULL)", "64"}}},
      {{kIndex, kGapped, kSparse},
       {{"1", "61", "41"}, {"2", "(NULL)", "42"}, {"3", "63", "(NULL)"}, {"4", "64", "(NULL)"}}},
  };
  for (const auto& c : cases) {
    auto r = Request(c.items, VnItemType::MVT_FMV, 1);
    ExpectWalks(*r, c.rows);
  }
  auto r = Request({kIndex, kGapped, kName}, VnItemType::MVT_FMV, 1);
  const std::vector<Row> rows = {
      {"1", "61", "a"}, {"2", "(NULL)", "b"}, {"3", "63", "(NULL)"}, {"4", "64", "(NULL)"}};
  for (const char* exception : {"endOfMibView", "noSuchInstance"}) {
    Control(std::string("inject getnext 1.3.6.1.3.1718.1.1.2.2 ") + exception);
    EXPECT_EQ(WalkSync(*r), rows) << exception;
    Control(std::string("inject getnext 1.3.6.1.3.1718.1.1.2.2 ") + exception);
    int number = -1;
    EXPECT_EQ(WalkAsync(*r, number), rows) << exception;
    EXPECT_EQ(number, 0);
  }
}

// A version 1 agent has no exceptions: where one column of a step has
// nothing more in its view it answers the whole step with noSuchName and
// names that column by the error index. That column ends there; the step
// goes out again without it, and the walk reads every row the others give,
// as over version 2c, and ends without error.
TEST_F(OddDevice, VersionOneEndsTheColumnTheErrorIndexNames) {
  const std::vector<VnSNMPVarDesc> last = {
      Var("1.3.6.1.6.3.1718.1.1.1", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS),
      Var("1.3.6.1.6.3.1718.1.1.2", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
      Var("1.3.6.1.6.3.1718.1.1.3", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY)};
  const std::vector<Row> lastRows = {
      {"1", "11", "21"}, {"2", "12", "22"}, {"3", "13", "(NULL)"}, {"4", "14", "(NULL)"}};
  vntest::TempDir logs;
  for (const bool v1 : {false, true}) {
    SCOPED_TRACE(v1 ? "v1" : "v2c");
    auto r = Request(last, VnItemType::MVT_FMV, 1);
    if (v1) OverV1(*r);
    const std::string log = logs.File(v1 ? "v1" : "v2c");
    Control("log " + log);
    EXPECT_EQ(WalkSync(*r), lastRows);
    Control("log off");
    // A step per row and one that finds the end; over version 1 one more,
    // sent again without the column that ended.
    const std::string lines = vntest::ReadFile(log);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), v1 ? 6 : 5) << lines;
    ExpectWalks(*r, lastRows);
  }
  // Mid walk: a column named at a row it has, and one named where it was
  // asked again from the row it had no cell in. An agent of a later
  // version that answers so is taken at its word too.
  auto r = Request({kIndex, kGapped, kName}, VnItemType::MVT_FMV, 1);
  const struct {
    const char* from;
    std::vector<Row> rows;
  } cases[] = {
      {"1.3.6.1.3.1718.1.1.2.2",
       {{"1", "61", "a"}, {"2", "(NULL)", "b"}, {"3", "63", "(NULL)"}, {"4", "64", "(NULL)"}}},
      {"1.3.6.1.3.1718.1.1.6.2",
       {{"1", "61", "a"}, {"2", "(NULL)", "b"}, {"3", "(NULL)", "c"}, {"4", "(NULL)", "d"}}},
  };
  for (const bool v1 : {false, true}) {
    if (v1) OverV1(*r);
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(v1 ? "v1 " : "v2c ") + c.from);
      Control(std::string("inject getnext ") + c.from + " noSuchName");
      EXPECT_EQ(WalkSync(*r), c.rows);
      Control(std::string("inject getnext ") + c.from + " noSuchName");
      int number = -1;
      EXPECT_EQ(WalkAsync(*r, number), c.rows);
      EXPECT_EQ(number, 0);
    }
  }
  // The step sent again is the exchange the walk sent: taken back, it ends.
  Control("hold");
  Control("inject getnext 1.3.6.1.3.1718.1.1.6 noSuchName");
  bool completed = false;
  const VnSNMPRequest::ExchangeId exchange =
      r->SendGetAsync([&](VnSNMPError&, VnSNMPVarList&) { completed = true; }, VnReadFrom::Start);
  ASSERT_TRUE(OneHeld());
  Control("release");
  Control("hold");
  ASSERT_TRUE(OneHeld());
  EXPECT_EQ(r->Outstanding, 1);
  r->Withdraw(exchange);
  EXPECT_EQ(r->Outstanding, 0);
  Control("release");
  EXPECT_FALSE(completed);
}

// A value of another type than the item declares leaves that cell without
// a value and is named among the read's faults; the row and the walk go on.
TEST_F(OddDevice, ACellOfAnotherTypeIsAbsentAndNamed) {
  Control("set 1.3.6.1.3.1718.1.1.5.2 s \"52\"");
  Control("set 1.3.6.1.3.1718.1.1.2.3 i 3");
  auto r = Request({kIndex, kName, kSparse}, VnItemType::MVT_FMV, 1);
  ExpectWalks(
      *r, {{"1", "a", "41"}, {"2", "b", "42"}, {"3", "(NULL)", "(NULL)"}, {"4", "d", "(NULL)"}});
  EXPECT_TRUE(r->ReadFaults().Any());
  EXPECT_EQ(r->ReadFaults().Number(), VNERR_BAD_SYNTAX);
  EXPECT_EQ(r->ReadFaults().Text().str(), "Bad SNMP syntax! (row 3, 1.3.6.1.3.1718.1.1.2)");
  // A scalar of another type: the others are taken all the same.
  auto scalars = Request({Var("1.3.6.1.3.1718.3", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
                          Var("1.3.6.1.3.1718.3", SNMP_SYNTAX_IPADDRESS, SNMP_ACCESS_READONLY)},
                         VnItemType::SVT_SV, 0);
  EXPECT_FALSE(scalars->SendGet(VnReadFrom::Start));
  EXPECT_EQ(Values(*scalars), (Row{"(NULL)", "10.1.2.3"}));
  EXPECT_EQ(scalars->ReadFaults().Text().str(), "Bad SNMP syntax! (1.3.6.1.3.1718.3)");
  // The next read that takes everything has none.
  scalars->VarList.Item(0)->Syntax = SNMP_SYNTAX_IPADDRESS;
  EXPECT_FALSE(scalars->SendGet(VnReadFrom::Start));
  EXPECT_FALSE(scalars->ReadFaults().Any());
}

// Rows indexed with more arcs than the keys keep the whole instance: the
// key shows its arcs, the read names the rows, and a write of a row goes to
// the instance it was read at.
const VnSNMPVarDesc kPort = Var("1.3.6.1.3.1718.5.1.1", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS);
const VnSNMPVarDesc kMax = Var("1.3.6.1.3.1718.5.1.2", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE);
const VnSNMPVarDesc kMin = Var("1.3.6.1.3.1718.5.1.3", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE);
const VnSNMPVarDesc kWord =
    Var("1.3.6.1.3.1718.5.1.4", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE);

TEST_F(OddDevice, ARowKeepsTheInstanceItWasReadAt) {
  auto r = Request({kPort, kMax}, VnItemType::MVT_FMV, 1);
  ExpectWalks(*r, {{"1.1", "11"}, {"1.2", "12"}, {"1.3", "13"}});
  EXPECT_EQ(r->ReadFaults().Number(), VNERR_BAD_KEY_COUNT);
  EXPECT_EQ(r->ReadFaults().Text().str(), "Bad key count of SNMP variable list! (row 1.1; 2 more)");
  // The items hold the last row: its write goes to .1.3, not .1.
  *r->VarList.Item(1)->Value = "33";
  r->SendSet(VnSetReply::StatusOnly, "", nullptr);
  EXPECT_EQ(Held("1.3.6.1.3.1718.5.1.2.1.3"), "ok INTEGER:33");
  EXPECT_EQ(Held("1.3.6.1.3.1718.5.1.2.1.1"), "ok INTEGER:11");
}

// noSuchInstance and noSuchObject in a GET reply are absent values in every
// syntax, a display string included; so is each object a version 1 agent
// names by noSuchName (the GET goes out again without it).
TEST_F(OddDevice, AbsentScalarsReadAsNull) {
  const Row expected = {"(NULL)", "(NULL)", "(NULL)", "10.1.2.3"};
  for (const bool v1 : {false, true}) {
    SCOPED_TRACE(v1 ? "v1" : "v2c");
    auto r = Request({Var("1.3.6.1.3.1718.2", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY),
                      Var("1.3.6.1.3.1718.9", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY),
                      Var("1.3.6.1.3.1718.9", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
                      Var("1.3.6.1.3.1718.3", SNMP_SYNTAX_IPADDRESS, SNMP_ACCESS_READONLY)},
                     VnItemType::SVT_SV, 0);
    if (v1) OverV1(*r);
    EXPECT_FALSE(r->SendGet(VnReadFrom::Start));
    EXPECT_EQ(Values(*r), expected);
  }
}

// A row chosen in a list shows what the agent gave, nothing where it gave
// nothing, and a write of one changed field sends that change and, as they
// were read, the values left alone: a cell the agent did not give is left
// out, a display string goes back with its octets past a zero octet, and the
// row is the one read (its index named with more arcs than the keys, shown
// in the key's field as they are).
TEST_F(OddDevice, AListRowWritesBackOnlyWhatTheUserChanged) {
  auto* view = Add<TListView>(0, 200);
  auto* port = Add<TEdit>(200, 0);
  auto* max = Add<TEdit>(0, 0);
  auto* min = Add<TEdit>(0, 30);
  auto* word = Add<TEdit>(0, 60);
  auto* memo = Add<TMemo>(300, 0);
  VnSNMPRequest2Edits request(Form());
  request.SetStatusMemo(memo);
  std::vector<VnSNMPVarDesc> items = {kPort, kMax, kMin, kWord, {}};
  request.Request.VarList = VnSNMPVarList(items.data(), VnItemType::MVT_FMV, 1);
  request.AttachListView(view, false);
  request.BindEdits(0, "%s", port);
  request.BindEdits(1, "%i", max);
  request.BindEdits(2, "%i", min);
  request.BindEdits(3, "%s", word);
  request.Get();
  ASSERT_TRUE(WaitIdle(request));
  ASSERT_EQ(view->Items()->Count(), 3);
  // The read names the rows whose index the key could not take whole.
  const std::string line = memo->Lines()->Strings(memo->Lines()->Count() - 1).str();
  EXPECT_EQ(line.rfind("Get: Bad key count of SNMP variable list! (row 1.1; 2 more) ", 0), 0u)
      << line;
  TListItem* second = view->Items()->Item(1);
  EXPECT_EQ(second->Caption(), "1.2");
  EXPECT_EQ(second->SubItems()->Strings(1), "");    // Min: none given
  EXPECT_EQ(second->SubItems()->Strings(2), "pw");  // Word, to its zero octet
  view->SetSelected(second);
  EXPECT_EQ(port->Text(), "1.2");
  EXPECT_EQ(max->Text(), "12");
  EXPECT_EQ(min->Text(), "");
  EXPECT_EQ(word->Text(), "pw");
  const std::string wordHeld = Held("1.3.6.1.3.1718.5.1.4.1.2");
  max->SetText("21");
  request.Set(kSetFromControls);
  ASSERT_TRUE(WaitIdle(request));
  EXPECT_EQ(Held("1.3.6.1.3.1718.5.1.2.1.2"), "ok INTEGER:21");
  EXPECT_EQ(Held("1.3.6.1.3.1718.5.1.3.1.2"), "ok noSuchInstance");
  EXPECT_EQ(Held("1.3.6.1.3.1718.5.1.4.1.2"), wordHeld);
  EXPECT_EQ(Held("1.3.6.1.3.1718.5.1.2.1.1"), "ok INTEGER:11");
  // Typed into, the empty field is written; the word as typed.
  min->SetText("5");
  word->SetText("pwx");
  request.Set(kSetFromControls);
  ASSERT_TRUE(WaitIdle(request));
  EXPECT_EQ(Held("1.3.6.1.3.1718.5.1.3.1.2"), "ok INTEGER:5");
  EXPECT_EQ(Held("1.3.6.1.3.1718.5.1.4.1.2"), "ok STRING:\"pwx\"");
  // A key typed that no instance carries is refused before anything starts.
  request.Stop();
  port->SetText("-1");
  EXPECT_THROW(request.Set(kSetFromControls), Exception);
  EXPECT_TRUE(request.Stopped());
}

// A key that shows the arcs of its row as text it takes (a string key over
// rows named by numbers, one with an arc more than the table's index): after
// a click beside the rows that text typed is a new entry, written where the
// string names, not to the row.
TEST_F(OddDevice, KeyTextsTypedWithNoRowSelectedMakeANewEntry) {
  const std::string row = "1.3.6.1.3.1718.5.1.4.1.2.3",
                    typed = "1.3.6.1.3.1718.5.1.4.5.49.46.50.46.51";
  Control("set " + row + " s \"q\"");
  Control("set " + typed + " s \"q\"");
  auto* view = Add<TListView>(0, 200);
  auto* key = Add<TEdit>(0, 0);
  auto* word = Add<TEdit>(0, 30);
  VnSNMPRequest2Edits request(Form());
  request.SetStatusMemo(Add<TMemo>(300, 0));
  std::vector<VnSNMPVarDesc> items = {
      Var("1.3.6.1.3.1718.5.1.1", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_NOTACCESS), kWord, {}};
  request.Request.VarList = VnSNMPVarList(items.data(), VnItemType::MVT_FMV, 1);
  request.AttachListView(view, false);
  request.BindEdits(0, "%s", key);
  request.BindEdits(1, "%s", word);
  request.Get();
  ASSERT_TRUE(WaitIdle(request));
  ASSERT_EQ(view->Items()->Count(), 5);
  view->SetSelected(view->Items()->Item(2));
  ASSERT_EQ(key->Text(), "1.2.3");
  view->SetSelected(nullptr);
  key->SetText("1.2.3");
  word->SetText("new");
  request.Set(kSetFromControls);
  ASSERT_TRUE(WaitIdle(request));
  EXPECT_EQ(Held(row), "ok STRING:\"q\"");
  EXPECT_EQ(Held(typed), "ok STRING:\"new\"");
}

}  // namespace
