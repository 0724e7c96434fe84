// Values between the variable list and bound controls, both ways: labels,
// check boxes, combo boxes, element lists, edits spread over several
// controls, parts, and what a Set refuses to send.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "BindingTestSupport.h"
#include "library/VnEditConstraint.h"
#include "library/VnErrors.h"
#include "library/VnOptionList.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Classes.h"
#include "platform/StdCtrls.h"

namespace {

const VnOptionPair kStatusPairs[] = {{1, "enabled"}, {2, "disabled"}, {0, nullptr}};
const VnOptionPair kSpeedPairs[] = {
    {0, "auto"}, {1, "10M"}, {2, "100M"}, {3, "1000M"}, {0, nullptr}};
const VnOptionPair kModePairs[] = {{0, "off"}, {0x102, "both"}, {0x0201, "rx"}, {0, nullptr}};
const VnOptionPair kPrefixPairs[] = {{"1.3.6", "std"}, {nullptr, nullptr}};

constexpr VnSNMPVarDesc D(const char* oid, const char* label, std::uint32_t syntax,
                          std::uint32_t access, VnOptionList* options = nullptr) {
  return {oid, label, syntax, access, options, nullptr, nullptr, nullptr, nullptr, nullptr};
}

// Every syntax the transfers treat apart, one read-write item each.
enum Item {
  kStatus,
  kPorts,
  kIp,
  kTicks,
  kMac,
  kOctets,
  kDateTime,
  kOid,
  kName,
  kInteger,
  kBool,
  kGauge,
  kCounter64,
  kIpv6,
  kCalendar,
  kParts,
  kItemCount
};

class TransferTest : public BindingTest {
 protected:
  void SetUp() override {
    BindingTest::SetUp();
    const VnSNMPVarDesc table[] = {
        D("1.3.6.1.4.1.171.9.1", "Status", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE, &status),
        D("1.3.6.1.4.1.171.9.2", "Ports", SNMP_SYNTAX_OCTETSTR, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.3", "Address", SNMP_SYNTAX_IPADDRESS, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.4", "Ticks", SNMP_SYNTAX_TIMETICKS, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.5", "Mac", SNMP_SYNTAX_MACADDRESS, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.6", "Octets", SNMP_SYNTAX_OCTETSTR, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.7", "Time", SNMP_SYNTAX_DATETIME, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.8", "Oid", SNMP_SYNTAX_OBJECTID, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.9", "Name", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.10", "Number", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.11", "Flag", SNMP_SYNTAX_BOOLEAN, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.12", "Gauge", SNMP_SYNTAX_GUAGE, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.13", "Octets in", SNMP_SYNTAX_COUNTER64, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.14", "Address6", SNMP_SYNTAX_IPV6ADDRESS, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.15", "Calendar", SNMP_SYNTAX_BCDATETIME, SNMP_ACCESS_READWRITE),
        D("1.3.6.1.4.1.171.9.16", "Parts", SNMP_SYNTAX_OCTETSTR, SNMP_ACCESS_READWRITE),
        {},
    };
    request = std::make_unique<VnSNMPRequest2Edits>(Form());
    request->Request.VarList = VnSNMPVarList(table, VnItemType::SVT_SV, 0);
    Value(kCalendar) = "(NULL)";  // an empty calendar text reads as no date
  }
  void TearDown() override {
    request.reset();
    BindingTest::TearDown();
  }
  AnsiString& Value(int item) { return *request->Request.VarList.Item(item)->Value; }
  std::vector<TEdit*> Edits(int n) {
    std::vector<TEdit*> v;
    for (int i = 0; i < n; ++i) v.push_back(Add<TEdit>(10 + 40 * i, 10));
    return v;
  }
  std::vector<TControl*> Boxes(int n) {
    std::vector<TControl*> v;
    for (int i = 0; i < n; ++i) v.push_back(Add<TCheckBox>(10 + 20 * i, 60));
    return v;
  }
  static AnsiString Texts(const std::vector<TEdit*>& edits) {
    AnsiString s;
    for (TEdit* e : edits) s += e->Text() + "|";
    return s;
  }
  static AnsiString ElementsList(int first, int last) {
    AnsiString s;
    for (int e = first; e <= last; ++e) s += AnsiString(e) + (e < last ? "," : "");
    return s;
  }
  static int ErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const Exception& e) {
      return e.HelpContext;
    }
    return 0;
  }

  VnOptionList status{kStatusPairs};
  VnOptionList speed{kSpeedPairs};
  std::unique_ptr<VnSNMPRequest2Edits> request;
};

TEST_F(TransferTest, LabelsStaticTextsAndSingleEditsShowTheValueText) {
  auto* label = Add<TLabel>();
  auto* text = Add<TStaticText>();
  auto edits = Edits(1);
  request->BindLabel(kStatus, label);
  request->BindStaticText(kTicks, text);
  request->BindEdits(kName, "%s{l32}", edits[0]);
  Value(kStatus) = "disabled";
  Value(kTicks) = "1 day 0:00:01.23";
  Value(kName) = "core-1";
  request->ValuesToControls(-1);
  EXPECT_EQ(label->Caption(), "disabled");
  EXPECT_EQ(text->Caption(), "1 day 0:00:01.23");
  EXPECT_EQ(edits[0]->Text(), "core-1");
  // One item only; an invalid item is left out.
  Value(kStatus) = "enabled";
  Value(kName) = "edge";
  request->Request.VarList.Item(kName)->Access |= SNMP_ACCESS_INVALID;
  request->ValuesToControls(-1);
  EXPECT_EQ(label->Caption(), "enabled");
  EXPECT_EQ(edits[0]->Text(), "core-1");
}

TEST_F(TransferTest, PortListOnThirtyTwoCheckBoxes) {
  auto boxes = Boxes(32);
  request->BindElements(kPorts, ElementsList(0, 31), boxes);
  Value(kPorts) = "80000001";
  request->ValuesToControls(kPorts);
  for (std::size_t k = 0; k < 32; ++k)
    EXPECT_EQ(static_cast<TCheckBox*>(boxes[k])->Checked(), k == 0 || k == 31) << k;

  for (std::size_t k = 0; k < 32; ++k)
    static_cast<TCheckBox*>(boxes[k])->SetChecked(k == 1 || k == 8);
  request->ControlsToValues(kPorts);
  EXPECT_EQ(Value(kPorts), "40800000");

  // A longer value keeps the bytes past the listed elements.
  Value(kPorts) = "FFFFFFFF01020304";
  request->ControlsToValues(kPorts);
  EXPECT_EQ(Value(kPorts), "4080000001020304");

  // Three octets: the boxes past them are unticked.
  for (auto* b : boxes) static_cast<TCheckBox*>(b)->SetChecked(true);
  Value(kPorts) = "FFFFFF";
  request->ValuesToControls(kPorts);
  for (std::size_t k = 0; k < 32; ++k)
    EXPECT_EQ(static_cast<TCheckBox*>(boxes[k])->Checked(), k < 24) << k;
}

// A Set from the controls gives back what they still hold as they showed
// it as it was read, and of a binding whose controls changed only what they
// cover: no octet or bit that no box shows is lost, no option that the
// combo box does not list is refused or written as another value.
TEST_F(TransferTest, WhatTheControlsHoldAsShownGoesBackAsRead) {
  auto ports = Boxes(32);
  auto fewer = Boxes(28);  // elements 28 to 31 have no box
  auto* combo = Add<TComboBox>();
  auto name = Edits(1);
  auto* speedPart = Add<TComboBox>(0, 30);
  auto* secondPart = Add<TEdit>(0, 90);
  auto* address = Add<TEdit>(0, 120);
  request->BindElements(kPorts, ElementsList(0, 31), ports);
  request->BindElements(kOctets, ElementsList(0, 27), fewer);
  request->BindComboBox(kStatus, combo);
  request->BindEdits(kName, "%s{l8}", name[0]);
  request->BindPartComboBox(kParts, 0, SNMP_SYNTAX_UINT8, &speed, speedPart);
  request->BindPartEdits(kParts, 1, SNMP_SYNTAX_UINT8, nullptr, "%u", secondPart);
  request->BindEdits(kIpv6, "%h{l32f}", address);
  Value(kStatus) = "enabled";
  Value(kParts) = "0000";
  request->ValuesToControls(-1);
  for (int i = 0; i < kItemCount; ++i)  // the SET carries the bound items only
    if (i != kPorts && i != kOctets && i != kStatus && i != kName && i != kParts && i != kIpv6)
      request->Request.VarList.Item(i)->Access |= SNMP_ACCESS_INVALID;
  request->AsyncMode = false;
  request->Request.Device.Address = "";  // a send fails on the address: the checks passed
  auto box = [](const std::vector<TControl*>& boxes, int k) {
    return static_cast<TCheckBox*>(boxes[static_cast<std::size_t>(k)]);
  };
  const struct {
    const char* name;
    int item;
    const char* held;
    std::function<void()> touch;
    const char* sent;
    bool leftOut = false;  // of the SET: the agent would refuse the value
  } rows[] = {
      {"a port list longer than its boxes", kPorts, "FFC00000AABB", nullptr, "FFC00000AABB"},
      {"the same with a port ticked", kPorts, "FFC00000AABB",
       [&] { box(ports, 12)->SetChecked(true); }, "FFC80000AABB"},
      {"a port list shorter than its boxes", kPorts, "FFC0", nullptr, "FFC0"},
      {"the same with the last port ticked", kPorts, "FFC0",
       [&] { box(ports, 31)->SetChecked(true); }, "FFC00001"},
      {"the same with its first port unticked", kPorts, "FFC0",
       [&] { box(ports, 0)->SetChecked(false); }, "7FC0"},
      {"bits no box shows", kOctets, "0000000F", nullptr, "0000000F"},
      {"the same with a port unticked", kOctets, "FFFFFFFF",
       [&] { box(fewer, 0)->SetChecked(false); }, "7FFFFFFF"},
      {"an option the combo box does not list", kStatus, "7", nullptr, "7", true},
      {"the same with an option chosen", kStatus, "7", [&] { combo->SetItemIndex(1); }, "disabled"},
      {"a text longer than its edit takes", kName, "longer-than-eight", nullptr,
       "longer-than-eight"},
      {"a part showing an option it does not list", kParts, "0509", nullptr, "0509"},
      {"the same beside a part changed", kParts, "0509", [&] { secondPart->SetText("3"); }, "0503"},
      {"an address shorter than its syntax", kIpv6, "FE", nullptr, "FE"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Value(row.item) = row.held;
    request->ValuesToControls(row.item);
    EXPECT_FALSE(request->ItemChanged(row.item));
    if (row.touch) row.touch();
    EXPECT_EQ(request->ItemChanged(row.item), row.touch != nullptr);
    EXPECT_EQ(ErrorOf([&] { request->Set(kSetFromControls); }), VNERR_BAD_ADDRESS);
    EXPECT_EQ(Value(row.item), row.sent);
    EXPECT_EQ(request->Request.VarList.IsWritable(row.item), !row.leftOut);
  }
}

TEST_F(TransferTest, ElementListTakesItsControlsFromATList) {
  auto boxes = Boxes(8);
  TList list;
  for (auto* b : boxes) list.Add(b);
  EXPECT_EQ(ErrorOf([&] { request->BindElementList(kPorts, ElementsList(0, 8), &list); }),
            VNERR_TOO_FEW_CONTROLS);
  request->BindElementList(kPorts, "7,0", &list);  // box 0 holds element 7
  Value(kPorts) = "01";
  request->ValuesToControls(kPorts);
  EXPECT_TRUE(static_cast<TCheckBox*>(boxes[0])->Checked());
  EXPECT_FALSE(static_cast<TCheckBox*>(boxes[1])->Checked());
}

TEST_F(TransferTest, CheckBoxWithOptionsOrBooleanSyntax) {
  auto* box = Add<TCheckBox>();
  auto* flag = Add<TCheckBox>(0, 30);
  auto* number = Add<TCheckBox>(0, 60);
  auto* bit = Add<TCheckBox>(0, 90);
  request->BindCheckBox(kStatus, box);
  request->BindCheckBox(kBool, flag);
  request->BindCheckBox(kInteger, number);
  request->BindPartCheckBox(kOctets, 1, SNMP_SYNTAX_BOOL8, nullptr, bit);
  Value(kStatus) = "disabled";
  Value(kBool) = "true";
  Value(kOctets) = "0001";
  request->ValuesToControls(kStatus);
  request->ValuesToControls(kBool);
  request->ValuesToControls(kOctets);
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(flag->Checked());
  EXPECT_TRUE(bit->Checked());
  Value(kStatus) = "1";  // found by value: the first option means unchecked
  request->ValuesToControls(kStatus);
  EXPECT_FALSE(box->Checked());
  request->ControlsToValues(kStatus);
  EXPECT_EQ(Value(kStatus), "enabled");
  box->SetChecked(true);
  flag->SetChecked(false);
  bit->SetChecked(false);
  request->ControlsToValues(kStatus);
  request->ControlsToValues(kBool);
  request->ControlsToValues(kOctets);
  EXPECT_EQ(Value(kStatus), "disabled");
  EXPECT_EQ(Value(kBool), "false");
  EXPECT_EQ(Value(kOctets), "0000");
  EXPECT_EQ(ErrorOf([&] { request->ValuesToControls(kInteger); }), VNERR_BAD_PART_SYNTAX);
  EXPECT_EQ(ErrorOf([&] { request->ControlsToValues(kInteger); }), VNERR_BAD_PART_SYNTAX);
}

TEST_F(TransferTest, ComboBoxesShowOptionTextsAndGiveValuesBack) {
  auto* combo = Add<TComboBox>();
  EXPECT_EQ(ErrorOf([&] { request->BindComboBox(kInteger, combo); }), VNERR_NO_OPTION_LIST);
  request->BindComboBox(kStatus, combo);
  EXPECT_EQ(combo->Style(), csDropDownList);
  ASSERT_EQ(combo->Items()->Count(), 2);
  EXPECT_EQ(combo->Items()->Strings(1), "disabled");
  Value(kStatus) = "disabled";
  request->ValuesToControls(-1);
  EXPECT_EQ(combo->ItemIndex(), 1);
  Value(kStatus) = "1";
  request->ValuesToControls(-1);
  EXPECT_EQ(combo->ItemIndex(), 0);
  Value(kStatus) = "7";  // unknown: nothing selected
  request->ValuesToControls(-1);
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(1);
  request->ControlsToValues(-1);
  EXPECT_EQ(Value(kStatus), "disabled");

  VnOptionList prefix(kPrefixPairs, VnOptionList::Prefix);
  EXPECT_EQ(ErrorOf([&] {
              request->BindPartComboBox(kOctets, 0, SNMP_SYNTAX_UINT8, &prefix, Add<TComboBox>());
            }),
            VNERR_TOO_FEW_CONTROLS);
}

TEST_F(TransferTest, PartBindingsMergeIntoOneValue) {
  auto* speedBox = Add<TComboBox>();
  auto* modeBox = Add<TComboBox>(0, 30);
  VnOptionList mode(kModePairs);
  request->BindPartComboBox(kOctets, 0, SNMP_SYNTAX_UINT8, &speed, speedBox);
  request->BindPartComboBox(kOctets, 1, SNMP_SYNTAX_UINT16, &mode, modeBox);
  EXPECT_EQ(speedBox->Items()->Count(), 4);  // the binder's list, not the item's
  Value(kOctets) = "03010299";
  request->ValuesToControls(kOctets);
  EXPECT_EQ(speedBox->Text(), "1000M");
  EXPECT_EQ(modeBox->Text(), "both");
  speedBox->SetItemIndex(2);
  modeBox->SetItemIndex(2);
  request->ControlsToValues(kOctets);
  EXPECT_EQ(Value(kOctets), "02020199");  // byte 3 kept
  // A value that ends before a part shows nothing there, and goes back as it
  // was while its controls are left alone.
  Value(kOctets) = "03";
  request->ValuesToControls(kOctets);
  EXPECT_EQ(speedBox->Text(), "1000M");
  EXPECT_EQ(modeBox->ItemIndex(), -1);
  request->ControlsToValues(kOctets);
  EXPECT_EQ(Value(kOctets), "03");
}

TEST_F(TransferTest, DisplayStringPartsAreRebuiltFromEmpty) {
  auto edits = Edits(2);
  request->BindPartEdits(kName, 0, SNMP_SYNTAX_UINT8, nullptr, "%u", edits[0]);
  request->BindPartEdits(kName, 1, SNMP_SYNTAX_UINT8, nullptr, "%u", edits[1]);
  Value(kName) = "ABCDEF";
  request->ValuesToControls(kName);
  EXPECT_EQ(Texts(edits), "65|66|");
  edits[0]->SetText("97");
  request->ControlsToValues(kName);
  EXPECT_EQ(Value(kName), "aB");  // no old characters behind the parts
}

TEST_F(TransferTest, FormatBindsOneEditPerSpec) {
  auto edits = Edits(3);
  request->BindEdits(kInteger, "%i{n1x4094l4}%i{n0x7}", edits[0], edits[1], edits[2]);
  ASSERT_EQ(request->Bindings.size(), 1u);
  EXPECT_EQ(request->Bindings[0]->ControlCount(), 2);
  EXPECT_NE(request->EditConstraint->Find(edits[1]), nullptr);
  EXPECT_EQ(request->EditConstraint->Find(edits[2]), nullptr);
  EXPECT_EQ(ErrorOf([&] { request->BindEdits(kName, "%s%s", edits[2]); }), VNERR_TOO_FEW_CONTROLS);
  EXPECT_EQ(ErrorOf([&] { request->BindEdits(kName, "%s{", edits[2]); }), -2);
  EXPECT_EQ(request->Bindings.size(), 1u);
}

TEST_F(TransferTest, IpAddressOnFourEdits) {
  auto edits = Edits(4);
  request->BindEdits(kIp, "%u%u%u%u", edits);
  Value(kIp) = "10.1.2.3";
  request->ValuesToControls(kIp);
  EXPECT_EQ(Texts(edits), "10|1|2|3|");
  // No value shows nothing, and nothing of the value shown before.
  Value(kIp) = "(NULL)";
  request->ValuesToControls(kIp);
  EXPECT_EQ(Texts(edits), "||||");
  edits[0]->SetText("010");
  edits[1]->SetText(" 1");
  edits[2]->SetText("2x");
  edits[3]->SetText("");
  request->ControlsToValues(kIp);
  EXPECT_EQ(Value(kIp), "10.1.2.0");

  request->Unbind(kIp);
  auto three = Edits(3);
  request->BindEdits(kIp, "%u%u%u", three);
  EXPECT_EQ(ErrorOf([&] { request->ValuesToControls(kIp); }), VNERR_TOO_FEW_CONTROLS);
  EXPECT_EQ(ErrorOf([&] { request->ControlsToValues(kIp); }), VNERR_TOO_FEW_CONTROLS);
}

TEST_F(TransferTest, TimeTicksOnFiveEdits) {
  auto edits = Edits(5);
  request->BindEdits(kTicks, "%u%u%u%u%u", edits);
  Value(kTicks) = "1 day 0:00:01.23";
  request->ValuesToControls(kTicks);
  EXPECT_EQ(Texts(edits), "1|0|0|1|23|");
  edits[0]->SetText("2");
  edits[1]->SetText("3");
  edits[4]->SetText("7");
  request->ControlsToValues(kTicks);
  EXPECT_EQ(Value(kTicks), "2 days, 3:00:01.07");
}

TEST_F(TransferTest, MacAddressOnSixEdits) {
  auto edits = Edits(6);
  request->BindEdits(kMac, "%h%h%h%h%h%h", edits);
  Value(kMac) = "00A0C91E0F7B";
  request->ValuesToControls(kMac);
  EXPECT_EQ(Texts(edits), "00|A0|C9|1E|0F|7B|");
  const char* typed[] = {"0", "", "1A", "b", "FF", "00"};
  for (std::size_t k = 0; k < 6; ++k) edits[k]->SetText(typed[k]);
  request->ControlsToValues(kMac);
  EXPECT_EQ(Value(kMac), "00001A0BFF00");
}

// A MAC address in one edit of twelve characters: an address pasted with
// separators is taken as its twelve digits; other items, and the edit once
// unbound, refuse what does not fit.
TEST_F(TransferTest, AMacPastedWithSeparatorsIsTakenAsItsDigits) {
  auto edits = Edits(3);
  request->BindEdits(kMac, "%s{l12}", edits[0]);
  request->BindEdits(kName, "%s{l12}", edits[1]);
  ShowForm();
  const struct {
    const char* pasted;
    const char* shown;
  } rows[] = {{"00:11:22:33:44:5a", "00112233445a"},
              {"00-11-22-33-44-55", "001122334455"},
              {"0011.2233.4455", "001122334455"},
              {"00:11:22:33:44:55:66", ""},
              {"00:11:22:33:44:", ""},
              {"00/11/22/33/44/55", ""}};
  for (const auto& row : rows) {
    edits[0]->SetText("");
    TestKit::Paste(edits[0], row.pasted);
    EXPECT_EQ(edits[0]->Text(), row.shown) << row.pasted;
  }
  TestKit::Paste(edits[1], "00:11:22:33:44:55");
  EXPECT_EQ(edits[1]->Text(), "");
  request->Unbind(kMac);
  EXPECT_TRUE(edits[0]->OnOverflow == nullptr);
}

TEST_F(TransferTest, OctetStringOnSeveralEdits) {
  auto four = Edits(4);
  request->BindEdits(kOctets, "%h%h%h%h", four);
  Value(kOctets) = "0102030405";
  EXPECT_EQ(ErrorOf([&] { request->ValuesToControls(kOctets); }), VNERR_TOO_FEW_CONTROLS);
  request->Unbind(kOctets);
  auto six = Edits(6);
  six[5]->SetText("keep");
  request->BindEdits(kOctets, "%h%h%h%h%h%h", six);
  request->ValuesToControls(kOctets);
  EXPECT_EQ(Texts(six), "01|02|03|04|05|keep|");
}

TEST_F(TransferTest, DateTimeOnTenEditsAndObjectIdOnSeveral) {
  auto edits = Edits(10);
  request->BindEdits(kDateTime, "%u%u%u%u%u%u%u%s%u%u", edits);
  Value(kDateTime) = "2009-3-5,14:7:9.5,-5:30";
  request->ValuesToControls(kDateTime);
  EXPECT_EQ(Texts(edits), "2009|3|5|14|7|9|5|-|5|30|");
  edits[7]->SetText("+");
  edits[8]->SetText("8");
  edits[9]->SetText("0");
  request->ControlsToValues(kDateTime);
  EXPECT_EQ(Value(kDateTime), "2009-3-5,14:7:9.5,+8:0");
  Value(kDateTime) = "(NULL)";
  request->ValuesToControls(kDateTime);
  EXPECT_EQ(Texts(edits), "||||||||||");
  // The empty octet string has no date to show either, and goes back as it is.
  Value(kDateTime) = "2009-3-5,14:7:9.5,-5:30";
  request->ValuesToControls(kDateTime);
  Value(kDateTime) = "";
  request->ValuesToControls(kDateTime);
  EXPECT_EQ(Texts(edits), "||||||||||");
  request->ControlsToValues(kDateTime);
  EXPECT_EQ(Value(kDateTime), "");

  auto ids = Edits(4);
  request->BindEdits(kOid, "%u%u%u%u", ids);
  Value(kOid) = "1.3.6.1";
  request->ValuesToControls(kOid);
  EXPECT_EQ(Texts(ids), "1|3|6|1|");
  ids[3]->SetText("4");
  request->ControlsToValues(kOid);
  EXPECT_EQ(Value(kOid), "1.3.6.4");
  Value(kOid) = "1.3.6.1.2";
  EXPECT_EQ(ErrorOf([&] { request->ValuesToControls(kOid); }), VNERR_TOO_FEW_CONTROLS);
}

// An empty octet string, as read or as the user leaves it, goes back as the
// empty octet string of the item's syntax; a value read as none stays none
// while nobody changes it.
TEST_F(TransferTest, EmptyStringsStayEmptyAndNoValueStaysNone) {
  const struct {
    int item;
    const char* held;
    const char* typed;  // nullptr: the edit is left as it showed the value
    const char* after;
  } rows[] = {
      {kName, "", nullptr, ""},
      {kName, "ab", "", ""},
      {kOctets, "", nullptr, ""},
      {kOctets, "1A", "", ""},
      {kMac, "", nullptr, ""},
      {kMac, "00AABBCCDDEE", "", ""},
      {kIpv6, "", nullptr, ""},
      {kDateTime, "", nullptr, ""},
      {kName, "(NULL)", nullptr, "(NULL)"},
      {kOctets, "(NULL)", nullptr, "(NULL)"},
      {kIp, "(NULL)", nullptr, "(NULL)"},
      // A number the declared syntax cannot carry (the agent gave another
      // type) stays as given, not wrapped into the syntax; typed over, the
      // typed one goes.
      {kInteger, "4294967295", nullptr, "4294967295"},
      {kInteger, "8589934593", nullptr, "8589934593"},
      {kGauge, "-1", nullptr, "-1"},
      {kInteger, "4294967295", "7", "7"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "item " << row.item << " held \"" << row.held << "\"");
    auto edits = Edits(1);
    request->BindEdits(row.item, "%s", edits[0]);
    Value(row.item) = row.held;
    request->ValuesToControls(row.item);
    if (row.typed) edits[0]->SetText(row.typed);
    request->ControlsToValues(row.item);
    EXPECT_EQ(Value(row.item), row.after);
    request->Unbind(row.item);
  }
}

// A single control holding a whole value replaces the old value; several
// edits and parts still merge into it.
TEST_F(TransferTest, OneControlReplacesTheWholeValue) {
  auto edits = Edits(1);
  request->BindEdits(kOctets, "%h{l32}", edits[0]);
  Value(kOctets) = "AABBCCDDEEFF";  // the selected row's old value
  edits[0]->SetText("11");
  request->ControlsToValues(kOctets);
  EXPECT_EQ(Value(kOctets), "11");
  edits[0]->SetText("");
  request->ControlsToValues(kOctets);
  EXPECT_EQ(Value(kOctets), "");  // the empty octet string

  auto ids = Edits(1);
  request->BindEdits(kOid, "%s", ids[0]);
  Value(kOid) = "1.3.6.1.4.1.171";
  ids[0]->SetText("1.3.6");
  request->ControlsToValues(kOid);
  EXPECT_EQ(Value(kOid), "1.3.6");

  auto parts = Edits(6);
  request->BindEdits(kMac, "%h%h%h%h%h%h", parts);
  Value(kMac) = "00A0C91E0F7B11";  // seven octets: the seventh stays
  for (auto* e : parts) e->SetText("01");
  request->ControlsToValues(kMac);
  EXPECT_EQ(Value(kMac), "01010101010111");
}

TEST_F(TransferTest, NonHexTextAndUnselectedComboAreRemembered) {
  auto mac = Edits(1);
  auto* combo = Add<TComboBox>();
  request->BindEdits(kMac, "%s", mac[0]);
  request->BindComboBox(kStatus, combo);
  mac[0]->SetText("00-11-22-33-44-55");
  combo->SetItemIndex(-1);
  request->ControlsToValues(-1);
  // Read as hex, the dashes would count as zeros; the value text is what the
  // rule makes, but it must not go out.
  EXPECT_EQ(Value(kMac), "000011022033044055");
  EXPECT_EQ(Value(kStatus), "0");
  request->AsyncMode = false;
  request->Request.Device.Address = "";  // a send would fail on the address
  EXPECT_EQ(ErrorOf([&] { request->Set(kSetListValues); }), VNERR_BAD_PART_VALUE);
  EXPECT_FALSE(request->Busy);
  // Left out of the SET, they do not matter (the bad address now answers).
  EXPECT_EQ(ErrorOf([&] { request->Set(kSetListValues, "8"); }), VNERR_BAD_ADDRESS);
  // A value the form put in place of the typed one goes out.
  Value(kMac) = "001122334455";
  combo->SetItemIndex(0);
  request->ControlsToValues(kStatus);
  EXPECT_EQ(ErrorOf([&] { request->Set(kSetListValues); }), VNERR_BAD_ADDRESS);
  // Hex digits and blanks are fine.
  auto octets = Edits(1);
  request->BindEdits(kOctets, "%s", octets[0]);
  octets[0]->SetText("a bc d");
  request->ControlsToValues(kOctets);
  EXPECT_EQ(Value(kOctets), "ABCD");
  EXPECT_EQ(ErrorOf([&] { request->Set(kSetListValues); }), VNERR_BAD_ADDRESS);
}

// A typed number is sent only when it is a whole number of the item's
// syntax; the leading-number rule would send "abc" as 0, 4294967297 as 1.
TEST_F(TransferTest, TypedNumbersMustBeWholeAndFitTheSyntax) {
  request->AsyncMode = false;
  request->Request.Device.Address = "";  // a send would fail on the address: -509
  std::map<int, TEdit*> edit;
  for (int item : {kInteger, kGauge, kCounter64}) {
    edit[item] = Add<TEdit>();
    request->BindEdits(item, "%s", edit[item]);
  }
  const struct {
    int item;
    const char* text;
    int error;
  } cases[] = {
      {kInteger, "abc", VNERR_BAD_PART_VALUE},
      {kInteger, "1O", VNERR_BAD_PART_VALUE},
      {kInteger, "", VNERR_BAD_PART_VALUE},
      {kInteger, "1.5", VNERR_BAD_PART_VALUE},
      {kInteger, "1 2", VNERR_BAD_PART_VALUE},
      {kInteger, "2147483648", VNERR_BAD_PART_VALUE},
      {kInteger, "-2147483649", VNERR_BAD_PART_VALUE},
      {kInteger, "99999999999999999999999", VNERR_BAD_PART_VALUE},
      {kInteger, " -2147483648 ", VNERR_BAD_ADDRESS},
      {kInteger, "+7", VNERR_BAD_ADDRESS},
      {kInteger, "(NULL)", VNERR_BAD_ADDRESS},
      {kGauge, "-1", VNERR_BAD_PART_VALUE},
      {kGauge, "4294967297", VNERR_BAD_PART_VALUE},
      {kGauge, "5000000000", VNERR_BAD_PART_VALUE},
      {kGauge, "4294967295", VNERR_BAD_ADDRESS},
      {kGauge, "-0", VNERR_BAD_ADDRESS},
      {kCounter64, "1e3", VNERR_BAD_PART_VALUE},
      {kCounter64, "-1", VNERR_BAD_PART_VALUE},
      {kCounter64, "18446744073709551616", VNERR_BAD_PART_VALUE},
      {kCounter64, "18446744073709551615", VNERR_BAD_ADDRESS},
  };
  for (const auto& c : cases) {
    edit[c.item]->SetText(c.text);
    request->ControlsToValues(c.item);
    EXPECT_EQ(ErrorOf([&] { request->Set(kSetListValues, AnsiString(c.item)); }), c.error)
        << c.item << " \"" << c.text << "\" made " << Value(c.item).str();
  }
}

// A typed date and time is sent only in the text form with every field in
// its range; reading would keep a field's low bits (month 300 as 44) or
// fill what the text lacks with zeros.
TEST_F(TransferTest, TypedDateAndTimeMustBeTheTextFormInRange) {
  request->AsyncMode = false;
  request->Request.Device.Address = "";  // a send would fail on the address: -509
  auto* edit = Add<TEdit>();
  request->BindEdits(kDateTime, "%s", edit);
  const struct {
    const char* text;
    int error;
  } cases[] = {
      {"2024-5-26,13:30:15.0", VNERR_BAD_ADDRESS},
      {" 2024-05-26,13:30:15.0,+8:0 ", VNERR_BAD_ADDRESS},
      {"2024-5-26,13:30:15.0,-5:30", VNERR_BAD_ADDRESS},
      {"0-1-1,0:0:0.0", VNERR_BAD_ADDRESS},
      {"65535-12-31,23:59:60.9,+13:59", VNERR_BAD_ADDRESS},
      {"(NULL)", VNERR_BAD_ADDRESS},
      {"2024-300-26,13:30:15.0", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:30:300.0", VNERR_BAD_PART_VALUE},
      {"2024-5-26 13:30:15", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:30:15", VNERR_BAD_PART_VALUE},
      {"13:30:15", VNERR_BAD_PART_VALUE},
      {"abc", VNERR_BAD_PART_VALUE},
      {"", VNERR_BAD_PART_VALUE},
      {"70000-1-1,13:30:15.0", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:30:15.0x", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:30:15.0,", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:30:15.0,+8", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:30:15.0,*8:0", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:30:15.0,+14:0", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:30:15.0,-5:60", VNERR_BAD_PART_VALUE},
      {"2024-0-26,13:30:15.0", VNERR_BAD_PART_VALUE},
      {"2024-13-26,13:30:15.0", VNERR_BAD_PART_VALUE},
      {"2024-5-0,13:30:15.0", VNERR_BAD_PART_VALUE},
      {"2024-5-32,13:30:15.0", VNERR_BAD_PART_VALUE},
      {"2024-5-26,24:30:15.0", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:60:15.0", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:30:61.0", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:30:15.10", VNERR_BAD_PART_VALUE},
      {"+2024-5-26,13:30:15.0", VNERR_BAD_PART_VALUE},
      {"2024-5-26,13:30:15.0,+8:0 9", VNERR_BAD_PART_VALUE},
  };
  for (const auto& c : cases) {
    edit->SetText(c.text);
    request->ControlsToValues(kDateTime);
    EXPECT_EQ(ErrorOf([&] { request->Set(kSetListValues, AnsiString(kDateTime)); }), c.error)
        << "\"" << c.text << "\" made " << Value(kDateTime).str();
  }
}

// Typed hex text is sent only as hex digits and whole octets (an odd digit
// count would make the first digit an octet alone), and an address only
// with its digit count (blanks between hex digits are dropped); an IPv4
// address only as four dotted numbers up to 255. An empty address is no
// value. A time is sent only as it is printed, an object identifier only
// as dotted numbers that the wire form carries as typed: it joins the
// first two into first x 40 + second, so "1" would reach the agent as 0.1
// and "1.40" as 2.0, and "3.1" could not be encoded at all.
TEST_F(TransferTest, TypedHexAddressTimeAndIdentifierTextsMustBeWhole) {
  request->AsyncMode = false;
  request->Request.Device.Address = "";
  std::map<int, TEdit*> edit;
  for (int item : {kOctets, kMac, kIpv6, kIp, kTicks, kOid}) {
    edit[item] = Add<TEdit>();
    request->BindEdits(item, "%s", edit[item]);
  }
  const std::string v6(32, 'a');
  const struct {
    int item;
    std::string text;
    int error;
  } cases[] = {
      {kOctets, "ABCD", VNERR_BAD_ADDRESS},
      {kOctets, "a bc d", VNERR_BAD_ADDRESS},
      {kOctets, "abc", VNERR_BAD_PART_VALUE},
      {kOctets, "a bc", VNERR_BAD_PART_VALUE},
      {kOctets, "1", VNERR_BAD_PART_VALUE},
      {kOctets, "GG", VNERR_BAD_PART_VALUE},
      {kOctets, "AB CG", VNERR_BAD_PART_VALUE},
      {kMac, "001122334455", VNERR_BAD_ADDRESS},
      {kMac, "00 11 22 33 44 55", VNERR_BAD_ADDRESS},
      {kMac, "00112233445", VNERR_BAD_PART_VALUE},
      {kMac, "0011223344556", VNERR_BAD_PART_VALUE},
      {kMac, "00112233445566", VNERR_BAD_PART_VALUE},
      {kMac, "", VNERR_BAD_ADDRESS},  // no value, sent as such
      {kMac, "00-11-22-33-44-55", VNERR_BAD_PART_VALUE},
      {kMac, "0011223344GG", VNERR_BAD_PART_VALUE},
      {kMac, "(NULL)", VNERR_BAD_ADDRESS},
      {kIpv6, v6, VNERR_BAD_ADDRESS},
      {kIpv6, v6.substr(1), VNERR_BAD_PART_VALUE},
      {kIpv6, v6 + "aa", VNERR_BAD_PART_VALUE},
      {kIpv6, "fe80::1", VNERR_BAD_PART_VALUE},
      {kIp, "10.90.90.1", VNERR_BAD_ADDRESS},
      {kIp, "10.90.90.1.5", VNERR_BAD_PART_VALUE},
      {kIp, "10.90.90", VNERR_BAD_PART_VALUE},
      {kIp, "10.90.90.256", VNERR_BAD_PART_VALUE},
      {kIp, "abc", VNERR_BAD_PART_VALUE},
      {kIp, "", VNERR_BAD_ADDRESS},
      {kIpv6, "", VNERR_BAD_ADDRESS},
      {kTicks, "0:00:01.23", VNERR_BAD_ADDRESS},
      {kTicks, " 1 day 0:00:01.23 ", VNERR_BAD_ADDRESS},
      {kTicks, "497 days, 2:27:52.95", VNERR_BAD_ADDRESS},  // 2^32 - 1
      {kTicks, "30:00:00.00", VNERR_BAD_ADDRESS},
      {kTicks, "497 days, 2:27:52.96", VNERR_BAD_PART_VALUE},
      {kTicks, "100", VNERR_BAD_PART_VALUE},
      {kTicks, "abc", VNERR_BAD_PART_VALUE},
      {kTicks, "0:00:01.5", VNERR_BAD_PART_VALUE},
      {kTicks, "0:60:00.00", VNERR_BAD_PART_VALUE},
      {kTicks, "0:00:60.00", VNERR_BAD_PART_VALUE},
      {kTicks, "2 days, 24:00:00.00", VNERR_BAD_PART_VALUE},
      {kTicks, "2 day 1:00:00.00", VNERR_BAD_PART_VALUE},
      {kTicks, "0:00:01.23x", VNERR_BAD_PART_VALUE},
      {kOid, "1.3.6.1.4.1.171", VNERR_BAD_ADDRESS},
      {kOid, "1.3.6.x", VNERR_BAD_PART_VALUE},
      {kOid, "1.3.4294967296", VNERR_BAD_PART_VALUE},
      {kOid, "2.100", VNERR_BAD_ADDRESS},
      {kOid, "1", VNERR_BAD_PART_VALUE},
      {kOid, "0", VNERR_BAD_PART_VALUE},
      {kOid, ".1", VNERR_BAD_PART_VALUE},
      {kOid, "4294967295", VNERR_BAD_PART_VALUE},
      {kOid, "", VNERR_BAD_ADDRESS},  // no value, sent as such
      {kOid, "0.39", VNERR_BAD_ADDRESS},
      {kOid, "1.39", VNERR_BAD_ADDRESS},
      {kOid, "2.4294967215", VNERR_BAD_ADDRESS},
      {kOid, "1.40", VNERR_BAD_PART_VALUE},  // would go out as 2.0
      {kOid, "0.40", VNERR_BAD_PART_VALUE},  // as 1.0
      {kOid, "0.45", VNERR_BAD_PART_VALUE},
      {kOid, "1.41", VNERR_BAD_PART_VALUE},
      {kOid, "1.60", VNERR_BAD_PART_VALUE},
      {kOid, "1.79", VNERR_BAD_PART_VALUE},
      {kOid, "3.1", VNERR_BAD_PART_VALUE},
      {kOid, "2.4294967216", VNERR_BAD_PART_VALUE},  // 80 more is beyond 32 bits
  };
  for (const auto& c : cases) {
    edit[c.item]->SetText(c.text.c_str());
    EXPECT_EQ(ErrorOf([&] {
                request->ControlsToValues(c.item);
                request->Set(kSetListValues, AnsiString(c.item));
              }),
              c.error)
        << c.item << " \"" << c.text << "\" made " << Value(c.item).str();
  }
}

// A part at a byte offset and every part of a value spread over several
// edits is sent only as a whole number of the part's range (or an octet of
// at most two hex digits); reading keeps the low bits or what precedes a
// stray character.
TEST_F(TransferTest, TypedPartsMustFitTheirPart) {
  request->AsyncMode = false;
  request->Request.Device.Address = "";
  struct Binding {
    int item;
    std::vector<const char*> good;  // texts that are sent
    std::vector<TEdit*> edits;
  };
  std::map<std::string, Binding> bound = {
      {"uint8", {kOctets, {"255"}, {}}},
      {"int8", {kOctets, {"-128"}, {}}},
      {"uint16", {kOctets, {"65535"}, {}}},
      {"int16", {kOctets, {"-32768"}, {}}},
      {"ip", {kIp, {"10", "0", "255", "1"}, {}}},
      {"ticks", {kTicks, {"497", "2", "27", "52", "95"}, {}}},
      {"datetime", {kDateTime, {"2024", "5", "26", "13", "30", "60", "9", "+", "13", "59"}, {}}},
      {"oid", {kOid, {"1", "3", "4294967295"}, {}}},
      {"mac", {kMac, {"00", "a", "", "1B", "ff", "0"}, {}}},
      {"ipv6", {kIpv6, std::vector<const char*>(16, "fe"), {}}},
      {"calendar", {kCalendar, {"2024", "2", "29", "23", "59", "59", "999"}, {}}},
      {"pair", {kInteger, {"-7", "3"}, {}}},  // edit 0 holds the number
  };
  for (auto& [name, b] : bound) {
    for (std::size_t k = 0; k < b.good.size(); ++k) b.edits.push_back(Add<TEdit>());
    const std::size_t n = b.edits.size();
    if (name == "uint8")
      request->BindPartEdits(kOctets, 0, SNMP_SYNTAX_UINT8, nullptr, "%s", b.edits[0]);
    else if (name == "int8")
      request->BindPartEdits(kOctets, 1, SNMP_SYNTAX_INT8, nullptr, "%s", b.edits[0]);
    else if (name == "uint16")
      request->BindPartEdits(kOctets, 2, SNMP_SYNTAX_UINT16, nullptr, "%s", b.edits[0]);
    else if (name == "int16")
      request->BindPartEdits(kOctets, 4, SNMP_SYNTAX_INT16, nullptr, "%s", b.edits[0]);
    else {
      std::string format;
      for (std::size_t k = 0; k < n; ++k) format += "%s";
      request->BindEdits(b.item, format.c_str(), b.edits);
    }
    for (std::size_t k = 0; k < n; ++k) b.edits[k]->SetText(b.good[k]);
  }
  const struct {
    const char* binding;
    std::size_t edit;
    const char* text;
    int error;
  } cases[] = {
      {"uint8", 0, "255", VNERR_BAD_ADDRESS},
      {"uint8", 0, "0", VNERR_BAD_ADDRESS},
      {"uint8", 0, "256", VNERR_BAD_PART_VALUE},
      {"uint8", 0, "300", VNERR_BAD_PART_VALUE},
      {"uint8", 0, "-1", VNERR_BAD_PART_VALUE},
      {"uint8", 0, "", VNERR_BAD_PART_VALUE},
      {"uint8", 0, "1x", VNERR_BAD_PART_VALUE},
      {"int8", 0, "127", VNERR_BAD_ADDRESS},
      {"int8", 0, "128", VNERR_BAD_PART_VALUE},
      {"int8", 0, "-129", VNERR_BAD_PART_VALUE},
      {"uint16", 0, "65536", VNERR_BAD_PART_VALUE},
      {"uint16", 0, "-1", VNERR_BAD_PART_VALUE},
      {"int16", 0, "32767", VNERR_BAD_ADDRESS},
      {"int16", 0, "32768", VNERR_BAD_PART_VALUE},
      {"int16", 0, "-32769", VNERR_BAD_PART_VALUE},
      {"ip", 2, " 7 ", VNERR_BAD_ADDRESS},
      {"ip", 0, "256", VNERR_BAD_PART_VALUE},
      {"ip", 1, "256", VNERR_BAD_PART_VALUE},
      {"ip", 2, "256", VNERR_BAD_PART_VALUE},
      {"ip", 3, "256", VNERR_BAD_PART_VALUE},
      {"ip", 2, "-1", VNERR_BAD_PART_VALUE},
      {"ip", 2, "2x", VNERR_BAD_PART_VALUE},
      {"ip", 3, "", VNERR_BAD_PART_VALUE},
      {"ticks", 0, "498", VNERR_BAD_PART_VALUE},
      {"ticks", 1, "3", VNERR_BAD_PART_VALUE},  // 497 days 3:27:52.95 is beyond 2^32 - 1
      {"ticks", 1, "24", VNERR_BAD_PART_VALUE},
      {"ticks", 2, "60", VNERR_BAD_PART_VALUE},
      {"ticks", 3, "60", VNERR_BAD_PART_VALUE},
      {"ticks", 4, "100", VNERR_BAD_PART_VALUE},
      {"ticks", 4, "a", VNERR_BAD_PART_VALUE},
      {"datetime", 0, "65536", VNERR_BAD_PART_VALUE},
      {"datetime", 1, "0", VNERR_BAD_PART_VALUE},
      {"datetime", 1, "300", VNERR_BAD_PART_VALUE},
      {"datetime", 2, "32", VNERR_BAD_PART_VALUE},
      {"datetime", 3, "24", VNERR_BAD_PART_VALUE},
      {"datetime", 4, "60", VNERR_BAD_PART_VALUE},
      {"datetime", 5, "61", VNERR_BAD_PART_VALUE},
      {"datetime", 6, "10", VNERR_BAD_PART_VALUE},
      {"datetime", 7, "-", VNERR_BAD_ADDRESS},
      {"datetime", 7, "", VNERR_BAD_PART_VALUE},  // a zone needs its direction
      {"datetime", 7, "x", VNERR_BAD_PART_VALUE},
      {"datetime", 8, "14", VNERR_BAD_PART_VALUE},
      {"datetime", 9, "60", VNERR_BAD_PART_VALUE},
      {"oid", 2, "4294967296", VNERR_BAD_PART_VALUE},
      {"oid", 1, "-3", VNERR_BAD_PART_VALUE},
      {"oid", 1, "3.1", VNERR_BAD_PART_VALUE},
      {"oid", 1, "39", VNERR_BAD_ADDRESS},
      {"oid", 1, "40", VNERR_BAD_PART_VALUE},  // 1.40 would go out as 2.0
      {"oid", 0, "2", VNERR_BAD_ADDRESS},
      {"oid", 0, "3", VNERR_BAD_PART_VALUE},
      {"mac", 3, "1B2", VNERR_BAD_PART_VALUE},
      {"mac", 3, "g", VNERR_BAD_PART_VALUE},
      {"mac", 3, " 1", VNERR_BAD_PART_VALUE},
      {"ipv6", 15, "100", VNERR_BAD_PART_VALUE},
      {"ipv6", 15, "-", VNERR_BAD_PART_VALUE},
      {"calendar", 2, "30", VNERR_BAD_PART_VALUE},  // no 30 February
      {"calendar", 0, "0", VNERR_BAD_PART_VALUE},
      {"calendar", 0, "10000", VNERR_BAD_PART_VALUE},
      {"calendar", 1, "13", VNERR_BAD_PART_VALUE},
      {"calendar", 3, "24", VNERR_BAD_PART_VALUE},
      {"calendar", 6, "1000", VNERR_BAD_PART_VALUE},
      {"calendar", 6, "", VNERR_BAD_PART_VALUE},
      {"pair", 0, "7x", VNERR_BAD_PART_VALUE},
      {"pair", 0, "2147483648", VNERR_BAD_PART_VALUE},
      {"pair", 1, "anything", VNERR_BAD_ADDRESS},
  };
  for (const auto& c : cases) {
    Binding& b = bound.at(c.binding);
    b.edits[c.edit]->SetText(c.text);
    Value(b.item) = "(NULL)";  // the parts make the whole value
    EXPECT_EQ(ErrorOf([&] {
                request->ControlsToValues(b.item);
                request->Set(kSetListValues, AnsiString(b.item));
              }),
              c.error)
        << c.binding << " edit " << c.edit << " \"" << c.text << "\" made " << Value(b.item).str();
    b.edits[c.edit]->SetText(b.good[c.edit]);
  }
  request->ControlsToValues(kOid);
  EXPECT_EQ(Value(kOid), "1.3.4294967295");
  // A datetime without a zone needs no direction.
  Binding& dt = bound.at("datetime");
  for (std::size_t k : {7u, 8u, 9u}) dt.edits[k]->SetText(k == 7 ? "" : "0");
  request->ControlsToValues(kDateTime);
  EXPECT_EQ(Value(kDateTime), "2024-5-26,13:30:60.9");
  EXPECT_EQ(ErrorOf([&] { request->Set(kSetListValues, AnsiString(kDateTime)); }),
            VNERR_BAD_ADDRESS);
}

}  // namespace
