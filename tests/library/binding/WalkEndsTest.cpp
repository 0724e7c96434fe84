// Walks and reads against a simulated device that behaves as real agents
// sometimes do: a column some rows lack, a column no row has, an absent
// scalar, and a column whose GETNEXT answers do not increase. The device
// comes from a fixture of its own (the shared simulator stays as it is).
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "SimulatorFixture.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest.h"
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
    "absent 1.3.6.1.3.1718.4.1.3.10.0.0.2\nabsent 1.3.6.1.3.1718.4.1.3.10.0.0.3\n";

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
    ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(odd_->Port());
  }
  static std::unique_ptr<VnSNMPRequest> Request(std::vector<VnSNMPVarDesc> items, VnItemType type,
                                                std::uint32_t keys) {
    items.push_back({});
    auto r = std::make_unique<VnSNMPRequest>();
    r->VarList = VnSNMPVarList(items.data(), type, keys);
    return r;
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
  // Both walks give `expected` and end without error.
  static void ExpectWalks(VnSNMPRequest& r, const std::vector<Row>& expected) {
    EXPECT_EQ(WalkSync(r), expected);
    int number = -1;
    EXPECT_EQ(WalkAsync(r, number), expected);
    EXPECT_EQ(number, 0);
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
  ExpectWalks(*r, {{"1", "a", "(NOTDONE)", "41"},
                   {"2", "b", "(NOTDONE)", "42"},
                   {"3", "c", "(NOTDONE)", "(NOTDONE)"},
                   {"4", "d", "(NOTDONE)", "(NOTDONE)"}});
  auto foreign = Request({Var("1.3.6.1.3.1718.4.1.1", SNMP_SYNTAX_IPV6ADDRESS,
                              SNMP_ACCESS_NOTACCESS | SNMP_ACCESS_IMPLIED),
                          Var("1.3.6.1.3.1718.4.1.2", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY),
                          Var("1.3.6.1.3.1718.4.1.3", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY)},
                         VnItemType::MVT_FMV, 1);
  ExpectWalks(
      *foreign,
      {{"0A000001", "x", "71"}, {"0A000002", "y", "(NOTDONE)"}, {"0A000003", "z", "(NOTDONE)"}});
}

// An answer that is not past the previous one ends its column as a repeated
// one does: the walk ends with the rows read so far.
TEST_F(OddDevice, AnswersThatDoNotIncreaseEndTheColumn) {
  auto alone = Request({kIndex, kDisordered}, VnItemType::MVT_FMV, 1);
  ExpectWalks(*alone, {{"1", "51"}, {"2", "52"}});
  auto repeating = Request({kIndex, kRepeated}, VnItemType::MVT_FMV, 1);
  ExpectWalks(*repeating, {{"1", "71"}});
  // Ended beside a column that goes on, it is asked again from the row
  // before; from row 2 it repeats its second instance, which lies past the
  // last one it gave but not past the one asked from, and so ends it again.
  auto repeatingBeside = Request({kIndex, kName, kRepeated}, VnItemType::MVT_FMV, 1);
  ExpectWalks(*repeatingBeside, {{"1", "a", "71"},
                                 {"2", "b", "(NOTDONE)"},
                                 {"3", "c", "(NOTDONE)"},
                                 {"4", "d", "(NOTDONE)"}});
  auto beside = Request({kIndex, kName, kDisordered}, VnItemType::MVT_FMV, 1);
  ExpectWalks(
      *beside,
      {{"1", "a", "51"}, {"2", "b", "52"}, {"3", "c", "(NOTDONE)"}, {"4", "d", "(NOTDONE)"}});
}

// Each column steps on by itself: where the second column skips a row, the
// row is named by the first column that goes on (the skipping column shows
// a later row's value there); once the first column has ended, by the next.
TEST_F(OddDevice, ARowIsNamedByTheFirstColumnThatGoesOn) {
  const struct {
    std::vector<VnSNMPVarDesc> items;
    std::vector<Row> rows;
  } cases[] = {
      {{kIndex, kSparse, kGapped},
       {{"1", "41", "61"}, {"2", "42", "63"}, {"4", "(NOTDONE)", "64"}}},
      {{kIndex, kGapped, kSparse},
       {{"1", "61", "41"}, {"3", "63", "42"}, {"4", "64", "(NOTDONE)"}}},
  };
  for (const auto& c : cases) {
    auto r = Request(c.items, VnItemType::MVT_FMV, 1);
    ExpectWalks(*r, c.rows);
  }
}

// noSuchInstance and noSuchObject in a GET reply are absent values in every
// syntax, a display string included.
TEST_F(OddDevice, AbsentScalarsReadAsNull) {
  auto r = Request({Var("1.3.6.1.3.1718.2", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY),
                    Var("1.3.6.1.3.1718.9", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY),
                    Var("1.3.6.1.3.1718.9", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
                    Var("1.3.6.1.3.1718.3", SNMP_SYNTAX_IPADDRESS, SNMP_ACCESS_READONLY)},
                   VnItemType::SVT_SV, 0);
  EXPECT_FALSE(r->SendGet(VnReadFrom::Start));
  EXPECT_EQ(Values(*r), (Row{"(NULL)", "(NULL)", "(NULL)", "10.1.2.3"}));
}

}  // namespace
