// The module's generic pages against Debian's snmpd, opened through the menu
// code as the user opens them, compared with snmpwalk of the same agent:
// row counts, index values and cells, over SNMPv2c and SNMPv3.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "InteropTestSupport.h"

namespace {

using Index = std::function<std::string(const std::vector<unsigned>&)>;

std::string FirstNumber(const std::vector<unsigned>& suffix) {
  return suffix.empty() ? "" : std::to_string(suffix[0]);
}

// The page's rows against a walk of one of its columns: a row per instance,
// in the walk's order, the caption the index and cell `cell` (0 is the
// caption, 1 the first sub-item) the walked value.
void ExpectRows(const char* what, const PageView& page, const std::vector<WalkLine>& walk,
                std::size_t cell, const Index& index) {
  SCOPED_TRACE(what);
  EXPECT_FALSE(walk.empty());
  ASSERT_EQ(page.Rows.size(), walk.size()) << page.Status;
  for (std::size_t r = 0; r < walk.size(); ++r) {
    ASSERT_GT(page.Rows[r].size(), cell) << r;
    EXPECT_EQ(page.Rows[r][0], index(walk[r].Suffix)) << r;
    EXPECT_EQ(page.Rows[r][cell], walk[r].Value) << r;
  }
}

// The cell of the page's column with this title.
std::size_t Cell(const PageView& page, const char* title) {
  const auto at = std::find(page.Columns.begin(), page.Columns.end(), title);
  EXPECT_NE(at, page.Columns.end()) << title;
  return static_cast<std::size_t>(at - page.Columns.begin());
}

class SnmpdPages : public SnmpdTest {
 protected:
  void ExpectIfXTable(Over version) {
    const PageView page = OpenPage("IFXTable1");
    ExpectRows("ifName", page, Walk("1.3.6.1.2.1.31.1.1.1.1", version), Cell(page, "Name"),
               FirstNumber);
    ExpectRows("ifHighSpeed", page, Walk("1.3.6.1.2.1.31.1.1.1.15", version),
               Cell(page, "High Speed"), FirstNumber);
    ExpectRows("ifAlias", page, Walk("1.3.6.1.2.1.31.1.1.1.18", version), Cell(page, "Alias"),
               FirstNumber);
    // The index column is ifTable's own.
    ExpectRows("ifIndex", page, Walk("1.3.6.1.2.1.2.2.1.1", version), 0, FirstNumber);
  }

  void ExpectEnginePage(Over version) {
    const PageView page = OpenPage("snmpEngine1");
    ASSERT_EQ(page.Edits.size(), 4u) << page.Status;
    EXPECT_EQ(page.Edits[1], Walk("1.3.6.1.6.3.10.2.1.2", version).at(0).Value);
    EXPECT_EQ(page.Edits[3], Walk("1.3.6.1.6.3.10.2.1.4", version).at(0).Value);
    // The engine's time goes on between the two readings.
    const int time = std::stoi(Walk("1.3.6.1.6.3.10.2.1.3", version).at(0).Value);
    EXPECT_NEAR(std::stoi(page.Edits[2]), time, 2);
  }

  void ExpectVacmPages(Over version) {
    // Security model, then the security name with its length first.
    const PageView groups = OpenPage("SecurityTable1");
    const std::vector<WalkLine> walk = Walk("1.3.6.1.6.3.16.1.2.1.3", version);
    ExpectRows("vacmGroupName", groups, walk, 2, FirstNumber);
    for (std::size_t r = 0; r < walk.size() && r < groups.Rows.size(); ++r)
      EXPECT_EQ(groups.Rows[r].at(1), LengthPrefixedText(walk[r].Suffix, 1)) << r;

    // Group name, context prefix, model, level.
    const Index group = [](const std::vector<unsigned>& s) { return LengthPrefixedText(s, 0); };
    const PageView access = OpenPage("AccessTable1");
    ExpectRows("vacmAccessReadViewName", access, Walk("1.3.6.1.6.3.16.1.4.1.5", version), 5, group);
    ExpectRows("vacmAccessWriteViewName", access, Walk("1.3.6.1.6.3.16.1.4.1.6", version), 6,
               group);

    // The family type shows as its option text.
    std::vector<WalkLine> types = Walk("1.3.6.1.6.3.16.1.5.2.1.4", version);
    for (WalkLine& w : types) w.Value = w.Value == "1" ? "included" : "excluded";
    ExpectRows("vacmViewTreeFamilyType", OpenPage("ViewTable1"), types, 3, group);
  }
};

TEST_F(SnmpdPages, IfXTableOverV2cAndV3) {
  StartModule(Over::V2c);
  ExpectIfXTable(Over::V2c);
  DeleteMainWindow();
  StartModule(Over::V3);
  ExpectIfXTable(Over::V3);
}

TEST_F(SnmpdPages, EngineAndAccessControlPagesOverV2c) {
  StartModule(Over::V2c);
  ExpectEnginePage(Over::V2c);
  ExpectVacmPages(Over::V2c);
}

TEST_F(SnmpdPages, EngineUserAndAccessControlPagesOverV3) {
  StartModule(Over::V3);
  ExpectEnginePage(Over::V3);
  ExpectVacmPages(Over::V3);

  // Engine identifier (its length first), user name (its length first).
  const PageView users = OpenPage("UserTable1");
  const std::vector<WalkLine> names = Walk("1.3.6.1.6.3.15.1.2.2.1.3", Over::V3);
  ASSERT_EQ(users.Rows.size(), names.size()) << users.Status;
  for (std::size_t r = 0; r < names.size(); ++r) {
    const std::vector<unsigned>& s = names[r].Suffix;
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(users.Rows[r][1], LengthPrefixedText(s, s[0] + 1u)) << r;
    EXPECT_EQ(users.Rows[r][2], names[r].Value) << r;
  }
}

TEST_F(SnmpdPages, TargetPagesOverV2c) {
  StartModule(Over::V2c);
  // The address name is the whole index (IMPLIED, no length first).
  const Index implied = [](const std::vector<unsigned>& s) {
    std::string text;
    for (unsigned c : s) text += static_cast<char>(c);
    return text;
  };
  ExpectRows("snmpTargetAddrTagList", OpenPage("CommunityTargetAddressTable"),
             Walk("1.3.6.1.6.3.12.1.2.1.6", Over::V2c), 5, implied);
  ExpectRows("snmpTargetParamsSecurityName", OpenPage("TargetParameters1"),
             Walk("1.3.6.1.6.3.12.1.3.1.4", Over::V2c), 3, implied);
  ExpectRows("snmpNotifyTag", OpenPage("NotifyTable1"), Walk("1.3.6.1.6.3.13.1.1.1.2", Over::V2c),
             1, implied);
  const PageView general = OpenPage("GeneralInformation1");
  ASSERT_EQ(general.Edits.size(), 3u) << general.Status;
  EXPECT_EQ(general.Edits[0], Walk("1.3.6.1.6.3.12.1.1", Over::V2c).at(0).Value);
}

TEST_F(SnmpdPages, MessageProcessingCountersOverV2c) {
  StartModule(Over::V2c);
  const PageView page = OpenPage("MessageProcessingandDispatching1");
  ASSERT_EQ(page.Edits.size(), 3u) << page.Status;
  for (unsigned column = 1; column <= 3; ++column)
    EXPECT_EQ(page.Edits[column - 1],
              Walk("1.3.6.1.6.3.11.2.1." + std::to_string(column), Over::V2c).at(0).Value)
        << column;
}

}  // namespace
