// Controls bound to device values, end to end: what a Get shows in combo
// boxes, check boxes, port lists and spread edits, what a Set sends (the
// simulator's request log: a value the switch holds goes back as it was,
// whatever it holds), and the SETs that must not go out at all.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "SimulatorFixture.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Classes.h"
#include "platform/Exceptions.h"
#include "platform/StdCtrls.h"
#include "support/Snmpd.h"

namespace {

using namespace simdesc;

constexpr const char* kVlan1Egress = "1.3.6.1.2.1.17.7.1.4.3.1.2.1";

constexpr VnSNMPVarDesc Var(const char* oid, std::uint32_t syntax,
                            VnOptionList* options = nullptr) {
  return {oid,     "Value", syntax, SNMP_ACCESS_READWRITE, options, nullptr, nullptr,
          nullptr, nullptr, nullptr};
}

class EditsAgainstAgent : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    request = std::make_unique<VnSNMPRequest2Edits>(Form());
    request->AsyncMode = false;
  }
  void TearDown() override {
    request.reset();
    SimulatorTest::TearDown();
  }
  void UseScalars(const VnSNMPVarDesc* table) {
    request->Request.VarList = VnSNMPVarList(table, VnItemType::SVT_SV, 0);
  }
  // The one SET the step sent ("" when it sent none or several).
  std::string OnlySet(std::size_t before) const {
    const auto sets = SetLines();
    return sets.size() == before + 1 ? sets.back() : std::string();
  }
  // One row of a table, addressed by its index.
  void UseRow(const VnSNMPVarDesc* table, const char* index) {
    request->Request.VarList = VnSNMPVarList(table, VnItemType::MVT_SV, 0);
    request->Request.VarList.AppendIndex(index);
  }
  static int ErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const Exception& e) {
      return e.HelpContext;
    }
    return 0;
  }
  std::vector<TCheckBox*> PortBoxes() {
    std::vector<TCheckBox*> boxes;
    for (int k = 0; k < 32; ++k) boxes.push_back(Add<TCheckBox>(20 * k, 100));
    return boxes;
  }
  static AnsiString AllElements() {
    AnsiString s;
    for (int e = 0; e < 32; ++e) s += AnsiString(e) + (e < 31 ? "," : "");
    return s;
  }

  std::unique_ptr<VnSNMPRequest2Edits> request;
};

// A read through the event pump works out the derived items before they are
// shown, as a synchronous read does.
TEST_F(EditsAgainstAgent, AnAsynchronousReadShowsItsDerivedItemsWorkedOut) {
  static const VnSNMPVarDesc kServices[] = {
      {"1.3.6.1.2.1.1.7", "Services", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY, nullptr, "$0+100",
       nullptr, nullptr, nullptr, nullptr},
      {}};
  request->Request.VarList = VnSNMPVarList(kServices, VnItemType::SVT_SV, 0);
  request->Get();
  const AnsiString read = *request->Request.VarList.Item(0)->Value;
  EXPECT_GE(read.ToIntDef(0), 100);
  *request->Request.VarList.Item(0)->Value = "";
  request->AsyncMode = true;
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(*request->Request.VarList.Item(0)->Value, read);
}

// A port list as the switch holds it, of any length: shown in the boxes
// (ports past its end unticked), written back as read while the boxes hold
// what they showed, and otherwise with the boxes' bits over what was read.
TEST_F(EditsAgainstAgent, PortListOnCheckBoxes) {
  const VnSNMPVarDesc egressOnly[] = {StaticVlans[kVlanEgress], {}};
  UseRow(egressOnly, "1");
  auto boxes = PortBoxes();
  TList list;
  for (auto* b : boxes) list.Add(b);
  request->BindElementList(0, AllElements(), &list);
  const struct {
    const char* held;
    std::vector<int> ticked;  // the ports the boxes then hold (none: as shown)
    const char* sent;
  } rows[] = {
      {"80000001", {}, "80 00 00 01"},
      {"80000001", {2, 9}, "40 80 00 00"},
      {"FFFFFF", {}, "FF FF FF"},
      {"FFC0", {1, 32}, "80 00 00 01"},
      {"FFC00000AABB", {}, "FF C0 00 00 AA BB"},
      {"FFC00000AABB", {2}, "40 00 00 00 AA BB"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.held);
    Control(std::string("set ") + kVlan1Egress + " x " + row.held);
    request->Get();
    const std::string held = row.held;
    for (std::size_t k = 0; k < 32; ++k) {
      const bool ticked =
          k / 4 < held.size() && (std::stoi(held.substr(k / 4, 1), nullptr, 16) & (8 >> (k % 4)));
      EXPECT_EQ(boxes[k]->Checked(), ticked) << k;
    }
    if (!row.ticked.empty())
      for (int k = 0; k < 32; ++k)
        boxes[static_cast<std::size_t>(k)]->SetChecked(
            std::find(row.ticked.begin(), row.ticked.end(), k + 1) != row.ticked.end());
    const std::size_t before = SetLines().size();
    request->Set(kSetFromControls);
    const auto sets = SetLines();
    ASSERT_EQ(sets.size(), before + 1);
    EXPECT_NE(sets.back().find(std::string(kVlan1Egress) + "=Hex-STRING:" + row.sent),
              std::string::npos)
        << sets.back();
  }
}

TEST_F(EditsAgainstAgent, ComboBoxesCheckBoxesAndEdits) {
  UseRow(PortVlan, "3");
  auto* pvid = Add<TEdit>();
  auto* frames = Add<TComboBox>(0, 30);
  auto* filtering = Add<TCheckBox>(0, 60);
  auto* gvrp = Add<TComboBox>(0, 90);
  request->BindEdits(kPvid, "%u{n1x4094l4}", pvid);
  request->BindComboBox(kFrameTypes, frames);
  request->BindCheckBox(kIngressFiltering, filtering);
  request->BindComboBox(kGvrpStatus, gvrp);
  Control("set 1.3.6.1.2.1.17.7.1.4.5.1.1.3 u 20");
  Control("set 1.3.6.1.2.1.17.7.1.4.5.1.2.3 i 2");
  Control("set 1.3.6.1.2.1.17.7.1.4.5.1.3.3 i 2");
  Control("set 1.3.6.1.2.1.17.7.1.4.5.1.4.3 i 1");
  request->Get();
  EXPECT_EQ(pvid->Text(), "20");
  EXPECT_EQ(frames->Text(), "admitOnlyVLANTagged");
  EXPECT_TRUE(filtering->Checked());  // the second option, "false", checks the box
  EXPECT_EQ(gvrp->Text(), "enabled");

  pvid->SetText("300");
  frames->SetItemIndex(0);
  filtering->SetChecked(false);
  gvrp->SetItemIndex(1);
  request->Set(kSetFromControls);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  for (const char* bound :
       {"1.3.6.1.2.1.17.7.1.4.5.1.1.3=Gauge32:300", "1.3.6.1.2.1.17.7.1.4.5.1.2.3=INTEGER:1",
        "1.3.6.1.2.1.17.7.1.4.5.1.3.3=INTEGER:1", "1.3.6.1.2.1.17.7.1.4.5.1.4.3=INTEGER:2"})
    EXPECT_NE(sets[0].find(bound), std::string::npos) << bound << " in " << sets[0];
}

// An option the combo box does not list, which the agent would refuse: left
// out of the SET while the box shows nothing, so the fields changed beside
// it go out, and read again afterwards however the SET ended; written once
// an option is chosen.
TEST_F(EditsAgainstAgent, AnOptionTheComboBoxDoesNotListIsLeftOutUntilOneIsChosen) {
  UseRow(PortVlan, "3");
  auto* pvid = Add<TEdit>();
  auto* gvrp = Add<TComboBox>(0, 30);
  request->BindEdits(kPvid, "%u{n1x4094l4}", pvid);
  request->BindComboBox(kGvrpStatus, gvrp);
  for (int i : {kFrameTypes, kIngressFiltering})
    request->Request.VarList.Item(i)->Access |= SNMP_ACCESS_INVALID;
  request->SetStatusMemo(Add<TMemo>(0, 60));  // failures as lines, not boxes
  const std::string gvrpOid = "1.3.6.1.2.1.17.7.1.4.5.1.4.3";
  const std::string refuse = "inject set 1.3.6.1.2.1.17.7.1.4.5.1 genErr";
  bool lastSetWent = false;
  auto set = [&] { return lastSetWent = ErrorOf([&] { request->Set(kSetFromControls); }) == 0; };
  // The switch holds 7 from then on, and the form has read it.
  auto held = [&] {
    Control("set " + gvrpOid + " i 7");
    request->AsyncMode = false;
    request->Get();
    EXPECT_EQ(gvrp->ItemIndex(), -1);
  };
  const struct {
    const char* what;
    std::function<void()> write;
    bool written;  // the last SET went out
    bool gvrpSent;
    std::string after;  // the switch's GVRP status
  } steps[] = {
      {"the PVID changed",
       [&] {
         held();
         pvid->SetText("30");
         set();
       },
       true, false, "INTEGER:7"},
      {"a refused SET, then the same again",
       [&] {
         held();
         pvid->SetText("31");
         Control(refuse);
         EXPECT_FALSE(set());
         set();
       },
       true, false, "INTEGER:7"},
      {"a refused SET, then a read",
       [&] {
         held();
         Control(refuse);
         EXPECT_FALSE(set());
         Control("set " + gvrpOid + " i 1");
         request->Get();
         EXPECT_EQ(gvrp->Text(), "enabled");
       },
       false, false, "INTEGER:1"},
      {"a refused asynchronous SET",
       [&] {
         held();
         Control(refuse);
         request->AsyncMode = true;
         set();
         EXPECT_TRUE(WaitIdle(*request));
       },
       true, false, "INTEGER:7"},
      {"a refused SET, then an option chosen that the page leaves out",
       [&] {
         held();
         Control(refuse);
         EXPECT_FALSE(set());
         gvrp->SetItemIndex(1);
         VnSNMPVarDesc* d = request->Request.VarList.Item(kGvrpStatus);
         d->Access = SNMP_ACCESS_INVALID;
         set();
         d->Access = SNMP_ACCESS_READWRITE;
       },
       true, false, "INTEGER:7"},
      {"a refused SET, then an option chosen",
       [&] {
         held();
         Control(refuse);
         EXPECT_FALSE(set());
         gvrp->SetItemIndex(1);
         set();
       },
       true, true, "INTEGER:2"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    const std::size_t before = SetLines().size();
    step.write();
    EXPECT_EQ(lastSetWent, step.written);
    const auto sets = SetLines();
    if (step.written) {
      ASSERT_GT(sets.size(), before);
      EXPECT_NE(sets.back().find("1.3.6.1.2.1.17.7.1.4.5.1.1.3="), std::string::npos)
          << sets.back();
      EXPECT_EQ(sets.back().find(gvrpOid + "=") != std::string::npos, step.gvrpSent) << sets.back();
    }
    EXPECT_EQ(Sim().Control("get " + gvrpOid), "ok " + step.after);
    EXPECT_TRUE(request->Request.VarList.IsWritable(kGvrpStatus));
  }
}

TEST_F(EditsAgainstAgent, IpAddressOnFourEditsBothWays) {
  const VnSNMPVarDesc trustHost[] = {
      {"1.3.6.1.4.1.171.12.1.2.10.1.1.2", "Trust Host IP Address", SNMP_SYNTAX_IPADDRESS,
       SNMP_ACCESS_READWRITE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
      {}};
  UseRow(trustHost, "1");
  std::vector<TEdit*> edits;
  for (int k = 0; k < 4; ++k) edits.push_back(Add<TEdit>(40 * k, 0));
  request->BindEdits(0, "%u{n0x255l3a}%u{n0x255l3a}%u{n0x255l3a}%u{n0x255l3a}", edits);
  request->Get();
  EXPECT_EQ(
      edits[0]->Text() + "." + edits[1]->Text() + "." + edits[2]->Text() + "." + edits[3]->Text(),
      "10.90.90.1");
  edits[3]->SetText("077");
  request->Set(kSetFromControls);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find("1.3.6.1.4.1.171.12.1.2.10.1.1.2.1=IpAddress:10.90.90.77"),
            std::string::npos)
      << sets[0];
}

// Dashes read as hex would be zeros: such a value is refused, not sent.
TEST_F(EditsAgainstAgent, NonHexTextIsNotSent) {
  const VnSNMPVarDesc egressOnly[] = {StaticVlans[kVlanEgress], {}};
  UseRow(egressOnly, "1");
  auto* ports = Add<TEdit>();
  request->BindEdits(0, "%s", ports);
  request->Get();
  EXPECT_EQ(ports->Text(), "FFC00000");
  ports->SetText("80-00-00-01");
  EXPECT_EQ(ErrorOf([&] { request->Set(kSetFromControls); }), VNERR_BAD_PART_VALUE);
  request->AsyncMode = true;
  EXPECT_EQ(ErrorOf([&] { request->Set(kSetFromControls); }), VNERR_BAD_PART_VALUE);
  EXPECT_FALSE(request->Busy);
  PumpFor(50);
  EXPECT_TRUE(SetLines().empty());
  ports->SetText("80 00 00 01");  // blanks are allowed
  request->AsyncMode = false;
  request->Set(kSetFromControls);
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find("Hex-STRING:80 00 00 01"), std::string::npos);
}

// Typed numbers go out only as typed: the leading-number rule would send
// "abc" as 0 and -1 or 5000000000 as other Gauge32 values.
TEST_F(EditsAgainstAgent, NumbersThatAreNotWholeOrDoNotFitAreNotSent) {
  const VnSNMPVarDesc pvidAndFrames[] = {
      PortVlan[kPvid],
      {"1.3.6.1.2.1.17.7.1.4.5.1.2", "Acceptable Frame Types", SNMP_SYNTAX_INTEGER,
       SNMP_ACCESS_READWRITE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
      {}};
  UseRow(pvidAndFrames, "3");
  auto* pvid = Add<TEdit>();
  auto* frames = Add<TEdit>(0, 30);
  // Edits without a number rule: every text reaches the value.
  request->BindEdits(0, "%s", pvid);
  request->BindEdits(1, "%s", frames);
  request->Get();
  for (const char* typed : {"-1", "5000000000", "1O", ""}) {
    pvid->SetText(typed);
    EXPECT_EQ(ErrorOf([&] { request->Set(kSetFromControls); }), VNERR_BAD_PART_VALUE) << typed;
  }
  pvid->SetText("20");
  frames->SetText("abc");
  request->AsyncMode = true;
  EXPECT_EQ(ErrorOf([&] { request->Set(kSetFromControls); }), VNERR_BAD_PART_VALUE);
  EXPECT_FALSE(request->Busy);
  PumpFor(50);
  EXPECT_TRUE(SetLines().empty());
  frames->SetText(" 2 ");  // blanks around a number are allowed
  request->AsyncMode = false;
  request->Set(kSetFromControls);
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find("1.3.6.1.2.1.17.7.1.4.5.1.1.3=Gauge32:20"), std::string::npos)
      << SetLines()[0];
  EXPECT_NE(SetLines()[0].find("1.3.6.1.2.1.17.7.1.4.5.1.2.3=INTEGER:2"), std::string::npos);
}

// A part at a byte offset and the parts of an address spread over four
// edits go out only as whole numbers of their range: the low bits of 300
// would send 44, "2x" would send 2.
TEST_F(EditsAgainstAgent, PartsOutOfTheirRangeAreNotSent) {
  const VnSNMPVarDesc startAndHost[] = {
      {"1.3.6.1.4.1.171.12.10.12.3.0", "Repeat Summer Time Start", SNMP_SYNTAX_OCTETSTR,
       SNMP_ACCESS_READWRITE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
      {"1.3.6.1.4.1.171.12.1.2.10.1.1.2.1", "Trust Host IP Address", SNMP_SYNTAX_IPADDRESS,
       SNMP_ACCESS_READWRITE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
      {}};
  request->Request.VarList = VnSNMPVarList(startAndHost, VnItemType::MVT_SV, 0);
  auto* hour = Add<TEdit>();
  request->BindPartEdits(0, 4, SNMP_SYNTAX_UINT8, nullptr, "%s", hour);
  std::vector<TEdit*> quads;
  for (int k = 0; k < 4; ++k) quads.push_back(Add<TEdit>(40 * k, 30));
  request->BindEdits(1, "%s%s%s%s", quads);
  request->Get();
  ASSERT_EQ(hour->Text(), "2");
  ASSERT_EQ(quads[3]->Text(), "1");
  const struct {
    TEdit* edit;
    const char* typed;
  } cases[] = {{hour, "300"}, {hour, "-1"}, {hour, "3h"}, {quads[3], "2x"}, {quads[3], ""}};
  for (const auto& c : cases) {
    const AnsiString before = c.edit->Text();
    c.edit->SetText(c.typed);
    EXPECT_EQ(ErrorOf([&] {
                request->ControlsToValues(-1);  // into the values read
                request->Set(kSetListValues);
              }),
              VNERR_BAD_PART_VALUE)
        << c.typed;
    c.edit->SetText(before);
  }
  EXPECT_TRUE(SetLines().empty());
  hour->SetText("23");
  quads[3]->SetText("2");
  request->ControlsToValues(-1);
  request->Set(kSetListValues);
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find("1.3.6.1.4.1.171.12.10.12.3.0=Hex-STRING:01 00 01 03 17 00"),
            std::string::npos)
      << SetLines()[0];
  EXPECT_NE(SetLines()[0].find("1.3.6.1.4.1.171.12.1.2.10.1.1.2.1=IpAddress:10.90.90.2"),
            std::string::npos);
}

// The Add dialog of a table page with the status left unchosen.
TEST_F(EditsAgainstAgent, UnselectedComboIsNotSentAsZero) {
  request->Request.VarList = VnSNMPVarList(StaticVlans, VnItemType::MVT_FMV, 1);
  auto* id = Add<TEdit>();
  auto* name = Add<TEdit>(0, 30);
  auto* status = Add<TComboBox>(0, 60);
  request->BindEdits(kVlanId, "%u{n1x4094}", id);
  request->BindEdits(kVlanName, "%s{l32}", name);
  request->BindComboBox(kVlanStatus, status);
  for (int i : {kVlanEgress, kVlanForbidden, kVlanUntagged})
    request->Request.VarList.Item(i)->Access |= SNMP_ACCESS_INVALID;
  id->SetText("30");
  name->SetText("lab");
  EXPECT_EQ(ErrorOf([&] { request->Set(kSetFromControlsThenRead); }), VNERR_BAD_PART_VALUE);
  EXPECT_TRUE(SetLines().empty());

  status->SetItemIndex(3);  // CreateAndGo
  request->Set(kSetFromControlsThenRead);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find("1.3.6.1.2.1.17.7.1.4.3.1.5.30=INTEGER:4"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find("1.3.6.1.2.1.17.7.1.4.3.1.1.30=STRING:\"lab\""), std::string::npos);
  // Read again after the Set: the last row read is the new one.
  EXPECT_EQ(request->RowCount, 2u);
  EXPECT_EQ(name->Text(), "lab");
}

// An object identifier that the wire form cannot carry as it stands (the
// first two numbers travel joined as first x 40 + second) is refused before
// anything goes out, whether a form put it in place of a value or it names
// the row: a value "1.40" would reach the agent as 2.0, "3.1" could not be
// encoded at all.
TEST_F(EditsAgainstAgent, IdentifiersTheWireFormCannotCarryAreNotSent) {
  const VnSNMPVarDesc domain[] = {
      {"1.3.6.1.6.3.12.1.2.1.2", "Address TDomain", SNMP_SYNTAX_OBJECTID, SNMP_ACCESS_READWRITE,
       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
      {}};
  const VnSNMPVarDesc viewTree[] = {
      {"1.3.6.1.6.3.16.1.5.2.1.1", "View Name", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_NOTACCESS,
       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
      {"1.3.6.1.6.3.16.1.5.2.1.2", "Subtree", SNMP_SYNTAX_OBJECTID, SNMP_ACCESS_NOTACCESS, nullptr,
       nullptr, nullptr, nullptr, nullptr, nullptr},
      {"1.3.6.1.6.3.16.1.5.2.1.3", "Mask", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE, nullptr,
       nullptr, nullptr, nullptr, nullptr, nullptr},
      {}};
  const struct {
    bool index;  // the view subtree naming the row, else the row's domain
    const char* text;
    const char* sent;  // the SET's binding, when it goes out
  } cases[] = {
      {false, "1.40", nullptr},
      {false, "0.40", nullptr},
      {false, "3.1", nullptr},
      {false, "1", nullptr},
      {false, "2.4294967216", nullptr},
      {true, "1.40", nullptr},
      {true, "3.1", nullptr},
      {true, "1", nullptr},
      {true, "2.4294967216", nullptr},
      {false, "2.4294967215", "1.3.6.1.6.3.12.1.2.1.2.107.120.114.116.114.97.112=OID:2.4294967215"},
      {true, "1.3.6.1", "1.3.6.1.6.3.16.1.5.2.1.3.3.97.108.108.4.1.3.6.1=STRING:"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.index ? "subtree " : "domain ") + c.text);
    if (c.index) {
      request->Request.VarList = VnSNMPVarList(viewTree, VnItemType::MVT_FMV, 2);
      *request->Request.VarList.Item(0)->Value = "all";
      *request->Request.VarList.Item(1)->Value = c.text;
      *request->Request.VarList.Item(2)->Value = "";
    } else {
      UseRow(domain, "107.120.114.116.114.97.112");  // "kxrtrap", implied
      *request->Request.VarList.Item(0)->Value = c.text;
    }
    const std::size_t before = SetLines().size();
    const int error = ErrorOf([&] { request->Set(kSetListValues); });
    const auto sets = SetLines();
    if (!c.sent) {
      EXPECT_EQ(error, VNERR_BAD_PART_VALUE);
      EXPECT_EQ(sets.size(), before);
    } else {
      EXPECT_EQ(error, 0);
      ASSERT_EQ(sets.size(), before + 1);
      EXPECT_NE(sets.back().find(c.sent), std::string::npos) << sets.back();
    }
  }
}

// An empty string the switch holds goes back as the empty string, beside the
// values the user changed and when the user empties a field.
TEST_F(EditsAgainstAgent, EmptyStringsGoBackAsEmptyStrings) {
  static const VnSNMPVarDesc kGuestVlan[] = {
      Var("1.3.6.1.4.1.171.12.30.1.1", SNMP_SYNTAX_DISPLAYSTR),
      Var("1.3.6.1.4.1.171.12.30.1.2", SNMP_SYNTAX_BITSTR),
      {}};
  static const VnSNMPVarDesc kMbaControl[] = {
      Var("1.3.6.1.4.1.171.12.35.1.3", SNMP_SYNTAX_DISPLAYSTR),
      Var("1.3.6.1.4.1.171.12.35.1.4", SNMP_SYNTAX_DISPLAYSTR),
      {}};
  const struct {
    const char* what;
    const VnSNMPVarDesc* table;
    std::vector<std::string> held;   // "OID TYPE VALUE" for the simulator
    std::vector<const char*> typed;  // per item; nullptr: left as shown
    std::vector<std::string> sent;
  } rows[] = {
      {"Guest VLAN, untouched",
       kGuestVlan,
       {"1.3.6.1.4.1.171.12.30.1.1.0 s \"\"", "1.3.6.1.4.1.171.12.30.1.2.0 x FF81"},
       {nullptr, nullptr},
       {"1.3.6.1.4.1.171.12.30.1.1.0=STRING:\"\"", "1.3.6.1.4.1.171.12.30.1.2.0=Hex-STRING:FF 81"}},
      {"Guest VLAN, the ports changed",
       kGuestVlan,
       {"1.3.6.1.4.1.171.12.30.1.1.0 s \"\"", "1.3.6.1.4.1.171.12.30.1.2.0 x FF81"},
       {nullptr, "8001"},
       {"1.3.6.1.4.1.171.12.30.1.1.0=STRING:\"\"", "1.3.6.1.4.1.171.12.30.1.2.0=Hex-STRING:80 01"}},
      {"Guest VLAN, the name emptied",
       kGuestVlan,
       {"1.3.6.1.4.1.171.12.30.1.1.0 s guests", "1.3.6.1.4.1.171.12.30.1.2.0 x FF81"},
       {"", nullptr},
       {"1.3.6.1.4.1.171.12.30.1.1.0=STRING:\"\"", "1.3.6.1.4.1.171.12.30.1.2.0=Hex-STRING:FF 81"}},
      {"MAC-based access, VLAN name and password empty",
       kMbaControl,
       {"1.3.6.1.4.1.171.12.35.1.3.0 s \"\"", "1.3.6.1.4.1.171.12.35.1.4.0 s \"\""},
       {nullptr, "v10"},
       {"1.3.6.1.4.1.171.12.35.1.3.0=STRING:\"\"", "1.3.6.1.4.1.171.12.35.1.4.0=STRING:\"v10\""}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    UseScalars(row.table);
    std::vector<TEdit*> edits;
    for (std::size_t i = 0; i < row.typed.size(); ++i) {
      edits.push_back(Add<TEdit>(0, 30 * static_cast<int>(i)));
      request->BindEdits(static_cast<int>(i), "%s", edits.back());
    }
    for (const std::string& held : row.held) Control("set " + held);
    request->Get();
    for (std::size_t i = 0; i < edits.size(); ++i)
      if (row.typed[i]) edits[i]->SetText(row.typed[i]);
    const std::size_t before = SetLines().size();
    EXPECT_EQ(ErrorOf([&] { request->Set(kSetFromControls); }), 0);
    const std::string set = OnlySet(before);
    EXPECT_NE(set.find("\tnoError\t"), std::string::npos) << set;
    for (const std::string& binding : row.sent)
      EXPECT_NE(set.find(binding), std::string::npos) << binding << " in " << set;
    EXPECT_EQ(set.find("NULL"), std::string::npos) << set;
    for (std::size_t i = 0; i < edits.size(); ++i) request->Unbind(static_cast<int>(i));
  }
}

// Bytes that are not UTF-8 stay as they were where the user did not change
// them; what the user types goes out as UTF-8; the edit's limit counts the
// octets that are sent.
TEST_F(EditsAgainstAgent, BytesTheUserLeftAloneGoBackAsTheyWere) {
  static const VnSNMPVarDesc kPortSecurityDelete[] = {
      Var("1.3.6.1.4.1.171.11.101.1.2.7.2.1", SNMP_SYNTAX_DISPLAYSTR), {}};
  const struct {
    const char* format;
    const char* typed;
    const char* sent;
  } rows[] = {
      {"%s{l32}", "x", "Hex-STRING:41 E9 42 78"},
      {"%s{l4}", "x", "Hex-STRING:41 E9 42 78"},
      {"%s{l4}", "xy", "Hex-STRING:41 E9 42 78"},
      {"%s{l32}", "\xC3\xA9", "Hex-STRING:41 E9 42 C3 A9"},
      {"%s{l32}", "\bB", "Hex-STRING:41 E9 42"},
      {"%s{l32}", "\b\b\b\x41\xC3\xA9\x42", "Hex-STRING:41 E9 42"},
  };
  UseScalars(kPortSecurityDelete);
  ShowForm();
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.format << " typed " << row.typed);
    auto* edit = Add<TEdit>();
    request->BindEdits(0, row.format, edit);
    Control("set 1.3.6.1.4.1.171.11.101.1.2.7.2.1.0 x 41E942");
    request->Get();
    TestKit::PressKey(edit, VK_END);
    TestKit::TypeText(edit, row.typed);
    const std::size_t before = SetLines().size();
    EXPECT_EQ(ErrorOf([&] { request->Set(kSetFromControls); }), 0);
    const std::string set = OnlySet(before);
    const std::string sent = std::string("\t1.3.6.1.4.1.171.11.101.1.2.7.2.1.0=") + row.sent;
    EXPECT_TRUE(set.ends_with(sent)) << set;
    request->Unbind(0);
    delete edit;
  }
}

// A SET that every item is left out of carries nothing: it is not sent,
// synchronously or not, and the caller learns it as the library's failure;
// the request is ready for the next exchange.
TEST_F(EditsAgainstAgent, AWriteWithNothingToCarryIsNotSent) {
  for (bool async : {false, true}) {
    SCOPED_TRACE(async ? "asynchronous" : "synchronous");
    UseScalars(SystemGroup);
    request->AsyncMode = async;
    auto* name = Add<TEdit>();
    request->BindEdits(kSysName, "%s", name);
    request->AsyncMode = false;
    request->Get();
    request->AsyncMode = async;
    for (int i = 0; i < request->Request.VarList.Count(); ++i)
      request->Request.VarList.Item(i)->Access |= SNMP_ACCESS_INVALID;
    name->SetText("changed");
    const std::size_t before = NewLogLines().size();
    AnsiString message;
    try {
      request->Set(kSetFromControls);
    } catch (const Exception& e) {
      message = e.Message;
      EXPECT_EQ(e.HelpContext, VNERR_NOTHING_TO_SET);
    }
    EXPECT_EQ(message, "No SNMP variable to set!");
    PumpFor(100);
    EXPECT_EQ(NewLogLines().size(), before);
    EXPECT_FALSE(request->Busy);
    // Directly, both ways.
    VnSNMPRequest& r = request->Request;
    EXPECT_EQ(ErrorOf([&] { r.SendSet(VnSetReply::StatusOnly, "", nullptr); }),
              VNERR_NOTHING_TO_SET);
    bool completed = false;
    EXPECT_EQ(ErrorOf([&] {
                r.SendSetAsync([&](VnSNMPError&, VnSNMPVarList&) { completed = true; },
                               VnSetReply::StatusOnly, "", nullptr);
              }),
              VNERR_NOTHING_TO_SET);
    PumpFor(100);
    EXPECT_FALSE(completed);
    EXPECT_EQ(r.Outstanding, 0);
    EXPECT_EQ(NewLogLines().size(), before);
    // The next read goes out as ever.
    for (int i = 0; i < r.VarList.Count(); ++i) r.VarList.Item(i)->Access &= ~SNMP_ACCESS_INVALID;
    request->AsyncMode = false;
    request->Get();
    EXPECT_EQ(NewLogLines().size(), before + 1);
    request->Unbind(kSysName);
  }
}

// A read that fails as a whole (refused, unanswered) leaves no value of the
// read before: every field shows nothing, and a Set with nothing typed sends
// nothing of the old values; what the user types after it goes out alone.
TEST_F(EditsAgainstAgent, AReadThatFailsLeavesNoValueOfTheReadBefore) {
  for (const char* failure : {"inject get 1.3.6.1.2.1.1 genErr", "mute"})
    for (bool async : {false, true}) {
      SCOPED_TRACE(std::string(failure) + (async ? ", asynchronous" : ", synchronous"));
      Control("reset");
      UseScalars(SystemGroup);
      request->AsyncMode = async;
      auto* name = Add<TEdit>();
      auto* contact = Add<TEdit>();
      auto* shown = Add<TLabel>();
      request->SetStatusMemo(Add<TMemo>());
      request->BindEdits(kSysName, "%s", name);
      request->BindEdits(kSysContact, "%s", contact);
      request->BindLabel(kSysLocation, shown);
      request->Get();
      ASSERT_TRUE(WaitIdle(*request));
      ASSERT_FALSE(name->Text().IsEmpty());
      Control("set 1.3.6.1.2.1.1.5.0 s now");
      Control(failure);
      try {
        request->Get();
      } catch (const Exception&) {
      }
      ASSERT_TRUE(WaitIdle(*request));
      Control("normal");
      EXPECT_EQ(name->Text(), "");
      EXPECT_EQ(contact->Text(), "");
      EXPECT_EQ(shown->Text(), "");
      const std::size_t before = SetLines().size();
      EXPECT_EQ(ErrorOf([&] { request->Set(kSetFromControls); }), VNERR_NOTHING_TO_SET);
      contact->SetText("typed");
      request->Set(kSetFromControls);
      ASSERT_TRUE(WaitIdle(*request));
      const auto sets = SetLines();
      ASSERT_EQ(sets.size(), before + 1);
      EXPECT_EQ(sets.back().find("1.3.6.1.2.1.1.5.0"), std::string::npos) << sets.back();
      EXPECT_NE(sets.back().find("1.3.6.1.2.1.1.4.0=STRING:\"typed\""), std::string::npos)
          << sets.back();
      for (int item : {kSysName, kSysContact, kSysLocation}) request->Unbind(item);
    }
  // The read the request makes itself after a refused write keeps what the
  // user typed when it fails too; what the user left alone shows nothing.
  Control("reset");
  request = std::make_unique<VnSNMPRequest2Edits>(Form());
  request->Request.VarList = VnSNMPVarList(StaticVlans, VnItemType::MVT_FMV, 1);
  auto* name = Add<TEdit>();
  auto* status = Add<TComboBox>(0, 30);
  request->SetStatusMemo(Add<TMemo>(0, 90));
  request->BindEdits(kVlanId, "%u{n1x4094}", Add<TEdit>(0, 60));
  request->BindEdits(kVlanName, "%s{l32}", name);
  request->BindComboBox(kVlanStatus, status);
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  ASSERT_NE(status->ItemIndex(), -1);
  name->SetText("typed");
  Control("inject set 1.3.6.1.2.1.17.7.1.4.3 genErr");
  Control("inject getnext 1.3.6.1.2.1.17.7.1.4.3 genErr");
  request->Set(kSetFromControls);
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(name->Text(), "typed");
  EXPECT_EQ(status->ItemIndex(), -1);
}

// A stock agent serves the system group as well.
using EditsAgainstSnmpd = SimulatorTest;

TEST_F(EditsAgainstSnmpd, SystemGroupOverVersion1) {
  vntest::Snmpd agent;
  ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(agent.Port());
  ConnectionDefaults.Security.Version = 0;
  ConnectionDefaults.Security.SecurityModel = 1;
  auto* contact = Add<TEdit>();
  auto* location = Add<TEdit>(0, 30);
  auto* memo = Add<TMemo>(0, 60);
  {
    VnSNMPRequest2Edits request(Form());
    request.AsyncMode = false;
    // The stock agent has no sysServices unless configured.
    const VnSNMPVarDesc system[] = {
        SystemGroup[kSysDescr], SystemGroup[kSysContact], SystemGroup[kSysLocation], {}};
    request.Request.VarList = VnSNMPVarList(system, VnItemType::SVT_SV, 0);
    request.BindEdits(1, "%s{l64}", contact);
    request.BindEdits(2, "%s{l64}", location);
    request.SetStatusMemo(memo);
    request.Get();
    contact->SetText("ops@example.net");
    location->SetText("hall 2");
    request.Set(kSetFromControls);
    contact->SetText("");
    location->SetText("");
    request.Get();
    EXPECT_EQ(contact->Text(), "ops@example.net");
    EXPECT_EQ(location->Text(), "hall 2");
    ASSERT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Strings(1).SubString(1, 20), "Set: Ok! Receive at ");
  }
}

}  // namespace
