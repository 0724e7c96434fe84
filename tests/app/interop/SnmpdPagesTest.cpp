// The module's generic pages against Debian's snmpd, opened through the menu
// code as the user opens them, compared with snmpwalk of the same agent:
// row counts, index values and cells, over SNMPv2c and SNMPv3.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
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

// What an instance the agent lacks shows in a list.
constexpr const char* kNoInstance = "(NOTDONE)";

std::string WithoutBlanks(std::string text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
  return text;
}

// A count of hundredths of a second as TimeTicks text.
std::string Ticks(unsigned long t) {
  const unsigned long days = t / 8640000;
  char clock[48];
  std::snprintf(clock, sizeof clock, "%lu:%02lu:%02lu.%02lu", t % 8640000 / 360000,
                t % 360000 / 6000, t % 6000 / 100, t % 100);
  if (days == 0) return clock;
  return days == 1 ? std::string("1 day ") + clock : std::to_string(days) + " days, " + clock;
}

// An IfX column's walked value (TimeTicks as their count) as the page shows
// it.
std::string Shown(unsigned column, const std::string& walked) {
  if (column == 19) return Ticks(std::stoul(walked));
  static const std::map<std::string, std::string> kEnabled = {{"1", "enabled"}, {"2", "disabled"}};
  static const std::map<std::string, std::string> kTruth = {{"1", "true"}, {"2", "false"}};
  const std::map<std::string, std::string>* names =
      column == 14 ? &kEnabled : column == 16 || column == 17 ? &kTruth : nullptr;
  if (!names) return walked;
  const auto at = names->find(walked);
  return at == names->end() ? walked : at->second;
}

class SnmpdPages : public SnmpdTest {
 protected:
  // Every column of the IfX page against walks of the agent before and
  // after the page's read: a counter lies between the two walks (traffic
  // goes on), anything else is what both say.
  void ExpectIfXTable(Over version) {
    constexpr unsigned kColumns = 19;
    const auto walkColumns = [version] {
      std::vector<std::map<std::vector<unsigned>, std::string>> columns(kColumns + 1);
      for (unsigned c = 1; c <= kColumns; ++c)
        for (const WalkLine& w :
             Walk("1.3.6.1.2.1.31.1.1.1." + std::to_string(c), version, {"-Ot"}))
          columns[c][w.Suffix] = w.Value;
      return columns;
    };
    const auto before = walkColumns();
    const PageView page = OpenPage("IFXTable1");
    const auto after = walkColumns();
    ASSERT_EQ(page.Columns.size(), kColumns + 1u);
    // The index column is ifTable's own.
    const std::vector<WalkLine> indexes = Walk("1.3.6.1.2.1.2.2.1.1", version);
    ASSERT_FALSE(indexes.empty());
    ASSERT_EQ(page.Rows.size(), indexes.size()) << page.Status;
    for (std::size_t r = 0; r < indexes.size(); ++r) {
      ASSERT_EQ(page.Rows[r].size(), kColumns + 1u) << r;
      EXPECT_EQ(page.Rows[r][0], indexes[r].Value) << r;
      for (unsigned c = 1; c <= kColumns; ++c) {
        SCOPED_TRACE("ifXTable column " + std::to_string(c) + ", row " + indexes[r].Value);
        const std::string& shown = page.Rows[r][c];
        const auto was = before[c].find(indexes[r].Suffix);
        const auto is = after[c].find(indexes[r].Suffix);
        if (was == before[c].end() || is == after[c].end()) {
          EXPECT_EQ(shown, kNoInstance);
        } else if (c >= 2 && c <= 13) {
          const unsigned long long value = std::stoull(shown);
          EXPECT_LE(std::stoull(was->second), value);
          EXPECT_LE(value, std::stoull(is->second));
        } else {
          EXPECT_EQ(was->second, is->second);
          EXPECT_EQ(shown, Shown(c, was->second));
        }
      }
    }
  }

  void ExpectEnginePage(Over version) {
    const PageView page = OpenPage("snmpEngine1");
    ASSERT_EQ(page.Edits.size(), 4u) << page.Status;
    EXPECT_EQ(WithoutBlanks(page.Edits[0]),
              WithoutBlanks(Walk("1.3.6.1.6.3.10.2.1.1", version).at(0).Value));
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
