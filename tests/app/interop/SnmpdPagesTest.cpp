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
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

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

// What an instance the agent lacks shows in a list: nothing.
constexpr const char* kNoInstance = "";

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
  const std::map<std::string, std::string>* names = column == 14                   ? &kEnabled
                                                    : column == 16 || column == 17 ? &kTruth
                                                                                   : nullptr;
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

  // The target address page against walks of every column: a row per
  // instance of the row status, named by its whole index (IMPLIED), each cell
  // what the agent holds.
  static void ExpectTargetAddresses(const PageView& page, Over version) {
    constexpr const char* kColumn = "1.3.6.1.6.3.12.1.2.1.";
    static const std::map<std::string, std::string> kStorage = {{"1", "other"},
                                                                {"2", "volatile"},
                                                                {"3", "nonVolatile"},
                                                                {"4", "permanent"},
                                                                {"5", "readOnly"}};
    static const std::map<std::string, std::string> kStatus = {
        {"1", "active"}, {"2", "notInService"}, {"3", "notReady"}};
    const std::vector<WalkLine> rows = Walk(std::string(kColumn) + "9", version);
    ASSERT_EQ(page.Rows.size(), rows.size()) << page.Status;
    for (unsigned c = 2; c <= 9; ++c) {
      std::map<std::vector<unsigned>, std::string> column;
      for (const WalkLine& w : Walk(kColumn + std::to_string(c), version))
        column[w.Suffix] = w.Value;
      for (std::size_t r = 0; r < rows.size(); ++r) {
        std::string name;
        for (unsigned ch : rows[r].Suffix) name += static_cast<char>(ch);
        SCOPED_TRACE("snmpTargetAddrTable column " + std::to_string(c) + ", row " + name);
        ASSERT_EQ(page.Rows[r].size(), 9u);
        EXPECT_EQ(page.Rows[r][0], name);
        const auto at = column.find(rows[r].Suffix);
        ASSERT_NE(at, column.end());
        std::string expected = at->second;
        if (c == 2 && !expected.empty() && expected[0] == '.') expected.erase(0, 1);
        if (c == 3) expected = WithoutBlanks(expected);
        if (c == 8) expected = kStorage.at(expected);
        if (c == 9) expected = kStatus.at(expected);
        EXPECT_EQ(page.Rows[r][c - 1], expected);
      }
    }
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

// A version 3 message with this header (flags, security model) and an empty
// Get: the agent counts it and answers nothing.
std::string V3Message(char flags, char model) {
  const auto tlv = [](char tag, const std::string& content) {
    return std::string(1, tag) + static_cast<char>(content.size()) + content;
  };
  const auto integer = [&](char v) { return tlv('\x02', std::string(1, v)); };
  const std::string header =
      tlv('\x30', tlv('\x02', "\x12\x34") + tlv('\x02', std::string("\x00\xff\xe3", 3)) +
                      tlv('\x04', std::string(1, flags)) + integer(model));
  const std::string empty = tlv('\x04', "");
  const std::string security =
      tlv('\x04', tlv('\x30', empty + integer(0) + integer(0) + empty + empty + empty));
  const std::string pdu = tlv('\xa0', integer(1) + integer(0) + integer(0) + tlv('\x30', ""));
  return tlv('\x30', integer(3) + header + security + tlv('\x30', empty + empty + pdu));
}

// The agent's counters made to differ from 0 and from each other before the
// pages read them: two messages of a security model it lacks, three that
// ask for privacy without authentication, one request for a context it
// lacks, and its target spin lock taken three times.
TEST_F(SnmpdPages, MessageProcessingAndTargetCountersAfterTrafficOverV2c) {
  for (int i = 0; i < 2; ++i) SendDatagram(V3Message('\x04', '\x09'));
  for (int i = 0; i < 3; ++i) SendDatagram(V3Message('\x06', '\x03'));
  Tool("snmpget", Over::V3, {"-n", "vnnocontext", "1.3.6.1.2.1.1.5.0"});
  for (int v = 0; v < 3; ++v)
    ASSERT_EQ(Tool("snmpset", Over::V3, {"1.3.6.1.6.3.12.1.1.0", "i", std::to_string(v)}), 0);
  const auto value = [](const std::string& oid) { return Walk(oid, Over::V2c).at(0).Value; };
  ASSERT_EQ(value("1.3.6.1.6.3.11.2.1.1"), "2");
  ASSERT_EQ(value("1.3.6.1.6.3.11.2.1.2"), "3");
  ASSERT_EQ(value("1.3.6.1.6.3.12.1.1"), "3");
  ASSERT_NE(value("1.3.6.1.6.3.12.1.5"), "0");

  StartModule(Over::V2c);
  const PageView page = OpenPage("MessageProcessingandDispatching1");
  ASSERT_EQ(page.Edits.size(), 3u) << page.Status;
  for (unsigned column = 1; column <= 3; ++column)
    EXPECT_EQ(page.Edits[column - 1], value("1.3.6.1.6.3.11.2.1." + std::to_string(column)))
        << column;
  const PageView general = OpenPage("GeneralInformation1");
  ASSERT_EQ(general.Edits.size(), 3u) << general.Status;
  EXPECT_EQ(general.Edits[0], value("1.3.6.1.6.3.12.1.1"));
  EXPECT_EQ(general.Edits[1], value("1.3.6.1.6.3.12.1.4"));
  EXPECT_EQ(general.Edits[2], value("1.3.6.1.6.3.12.1.5"));
}

// A row of the agent's target address table made through the page's Add,
// as a user makes it (its name, domain, address and parameters typed and
// ticked, the row status fixed to createAndGo), then removed through
// Delete; the page and the agent agree after each step.
TEST_F(SnmpdPages, TargetAddressRowAddedAndDeletedThroughThePage) {
  for (Over version : {Over::V2c, Over::V3}) {
    SCOPED_TRACE(version == Over::V2c ? "v2c" : "v3");
    const std::string name = version == Over::V2c ? "vn-row-2c" : "vn-row-3";
    StartModule(version);
    OpenPage("CommunityTargetAddressTable", [&](TConfigForm* page) {
      auto* list = dynamic_cast<TSNMPListViewPanel*>(PagePanel(page));
      ASSERT_NE(list, nullptr);
      TEditsPanel* fields = list->EditsPanel;
      const auto edit = [fields](int row) { return fields->Row(row).EditCtrl; };
      bool added = false;
      TestKit::OnNextModal<TForm>([&](TForm* dialog) {
        TSNMPPanel* frame = nullptr;
        for (int i = 0; i < dialog->ComponentCount() && !frame; ++i)
          frame = dynamic_cast<TSNMPPanel*>(dialog->Components(i));
        ASSERT_NE(frame, nullptr);
        added = true;
        edit(0)->SetText(name.c_str());
        edit(1)->SetText("1.3.6.1.6.1.1");  // snmpUDPDomain
        edit(2)->SetText("7F000001A2B3");   // 127.0.0.1:41651
        edit(6)->SetText("internal0");
        for (int row : {1, 2, 6}) fields->Row(row).CheckBox->SetChecked(true);
        TestKit::Click(frame->BtnPanel->SetBtn);
        // Written, the dialog closes itself; else it stays with the error.
        if (dialog->ModalResult() == mrNone) {
          ADD_FAILURE() << "the Add dialog stayed open: " << ViewOf(page).Status;
          TestKit::Click(frame->BtnPanel->CloseBtn);
        }
      });
      TestKit::Click(list->BtnPanel->AddBtn);
      ASSERT_TRUE(added);
      ASSERT_TRUE(WaitIdle(*PageRequest(page)));
      const PageView afterAdd = ViewOf(page);
      ExpectTargetAddresses(afterAdd, version);
      std::vector<unsigned> index(name.begin(), name.end());
      const std::vector<WalkLine> status = Walk("1.3.6.1.6.3.12.1.2.1.9", version);
      const auto row = std::find_if(status.begin(), status.end(),
                                    [&](const WalkLine& w) { return w.Suffix == index; });
      ASSERT_NE(row, status.end()) << afterAdd.Status;
      EXPECT_EQ(row->Value, "1");  // active

      TListView* lv = list->ListViewPanel->ListView;
      int at = -1;
      for (int r = 0; r < lv->Items()->Count(); ++r)
        if (lv->Items()->Item(r)->Caption() == name.c_str()) at = r;
      ASSERT_GE(at, 0);
      TestKit::ClickRow(lv, at);
      {
        TestKit::DialogScript boxes;
        boxes.Expect("Are you sure to delete it?", mrOk);
        TestKit::Click(list->BtnPanel->DeleteBtn);
      }
      ASSERT_TRUE(WaitIdle(*PageRequest(page)));
      const PageView afterDelete = ViewOf(page);
      ExpectTargetAddresses(afterDelete, version);
      for (const WalkLine& w : Walk("1.3.6.1.6.3.12.1.2.1.9", version))
        EXPECT_NE(w.Suffix, index) << afterDelete.Status;
    });
    DeleteMainWindow();
  }
}

// Over version 1 the pages read what snmpwalk reads with it.
TEST_F(SnmpdPages, EngineAndAccessControlPagesOverV1) {
  StartModule(Over::V1);
  ExpectEnginePage(Over::V1);
  ExpectVacmPages(Over::V1);
}

}  // namespace
