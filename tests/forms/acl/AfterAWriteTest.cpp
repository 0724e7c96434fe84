// The rule and profile list forms after a write, against the simulated
// switch: once the switch refused a write no row stays drawn selected beside
// fields that are not its own, and a click on it shows its values (its
// ports among them) before the next write; after a read, a removal or a
// click on no row the fields are those of a new entry, the drop-down lists
// included.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "RuleTestSupport.h"
#include "forms/acl/CPUFilterIPRuleUnit.h"
#include "forms/acl/CPUFilterPktCntRuleUnit.h"
#include "forms/acl/PacketContentMaskFormUnit.h"
#include "forms/acl/PacketContentRuleFormUnit.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

using ruletest::PortBox;

const std::string kCpuPkt = "1.3.6.1.4.1.171.12.9.5.3.1.";
const std::string kCpuIp = "1.3.6.1.4.1.171.12.9.5.2.1.";
const std::string kPktRule = "1.3.6.1.4.1.171.12.9.3.7.1.";
const std::string kPktMask = "1.3.6.1.4.1.171.12.9.2.8.1.";

class AfterAWrite : public OwnedFormTest {};

TAccessRuleForm* Rules(TForm* f) { return static_cast<TAccessRuleForm*>(f); }
TPktContentMaskForm* Mask(TForm* f) { return static_cast<TPktContentMaskForm*>(f); }

// Ports 1 to 4 of a rule's port frame ticked, and no other.
bool FirstFourPorts(TAccessRuleForm* form) {
  for (int p = 1; p <= 10; ++p)
    if (PortBox(form->PortFrame, p)->Checked() != (p <= 4)) return false;
  return true;
}

// One form: what the switch holds, the form opened, its list, the write the
// switch refuses (made once the first row is shown), what the fields keep
// of it, what a click on the row must show again, the write after it and
// what that SET must carry.
struct TRefusedWrite {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<TListView*(TForm*)> List;
  std::string Table;
  std::function<void(TForm*)> Refused;
  std::function<bool(TForm*)> Kept, RowShown;
  std::function<void(TForm*)> Next;
  std::string Sent;
};

TEST_F(AfterAWrite, RefusedNoRowStaysSelectedAndAClickShowsItsValuesForTheNextWrite) {
  // Permit ticked by the user, then Edit.
  const auto permitAndEdit = [](TForm* f) {
    Rules(f)->cbxPermit->SetChecked(true);
    TestKit::Click(Rules(f)->EditButton);
  };
  const auto permitKept = [](TForm* f) { return Rules(f)->cbxPermit->Checked(); };
  const auto edit = [](TForm* f) { TestKit::Click(Rules(f)->EditButton); };
  const auto rowShown = [](TForm* f) {
    return Rules(f)->EditButton->Enabled() && FirstFourPorts(Rules(f));
  };
  const auto maskShown = [](TForm* f) {
    return Mask(f)->DeleteButton->Enabled() && Mask(f)->edtProfileID->Text() == "1";
  };
  const auto deleteMask = [](TForm* f) { TestKit::Click(Mask(f)->DeleteButton); };
  const std::vector<TRefusedWrite> forms = {
      {"Packet Content Rule (CPU Filter): an Edit refused, the ports edited again",
       {"set " + kCpuPkt + "10.1.1 x F0000000"},
       [] { return Shown<TCPUFilterPktCntRuleForm>(); },
       [](TForm* f) { return Rules(f)->ListView1; },
       kCpuPkt,
       permitAndEdit,
       permitKept,
       rowShown,
       edit,
       kCpuPkt + "10.1.1=Hex-STRING:F0 00 00 00"},
      {"IP Rule (CPU Filter): an Edit refused, the ports edited again",
       {"set " + kCpuIp + "17.1.1 x F0000000"},
       [] { return Shown<TCPUFilterIPRuleForm>(); },
       [](TForm* f) { return Rules(f)->ListView1; },
       kCpuIp,
       permitAndEdit,
       permitKept,
       rowShown,
       edit,
       kCpuIp + "17.1.1=Hex-STRING:F0 00 00 00"},
      {"Packet Content Rule: a Delete refused, deleted again",
       {"set " + kPktRule + "17.1.1 x F0000000"},
       [] { return Shown<TPktContentRuleForm>(); },
       [](TForm* f) { return Rules(f)->ListView1; },
       kPktRule,
       [](TForm* f) { TestKit::Click(Rules(f)->DeleteButton); },
       [](TForm* f) { return static_cast<TPktContentRuleForm*>(f)->edtProfile->Text() == "1"; },
       rowShown,
       [](TForm* f) { TestKit::Click(Rules(f)->DeleteButton); },
       kPktRule + "18.1.1=INTEGER:6"},
      {"Packet Content Mask: a Delete refused, deleted again",
       {},
       [] { return Shown<TPktContentMaskForm>(); },
       [](TForm* f) { return Mask(f)->ListView1; },
       kPktMask,
       deleteMask,
       [](TForm* f) { return Mask(f)->edtProfileID->Text() == "1"; },
       maskShown,
       deleteMask,
       kPktMask + "14.1=INTEGER:6"},
      {"Packet Content Mask: an Add refused, the profile deleted",
       {"set " + kPktMask + "14.1 i 1"},
       [] { return Shown<TPktContentMaskForm>(); },
       [](TForm* f) { return Mask(f)->ListView1; },
       kPktMask,
       [](TForm* f) {
         TPktContentMaskForm* form = Mask(f);
         TestKit::ClickEmpty(form->ListView1);
         form->edtProfileID->SetText("2");
         TestKit::PickItem(form->cbxChunk1State, 0);  // enabled
         form->edtChunk1Value->SetText("5");
         form->edtChunk1Offset->SetText("0000FFFF");
         TestKit::Click(form->AddButton);
       },
       [](TForm* f) {
         return Mask(f)->edtProfileID->Text() == "2" &&
                Mask(f)->edtChunk1Offset->Text() == "0000FFFF";
       },
       maskShown,
       deleteMask,
       kPktMask + "14.1=INTEGER:6"},
  };
  for (const TRefusedWrite& t : forms) {
    SCOPED_TRACE(t.Name);
    for (const std::string& command : t.Seed) Control(command);
    form_.reset(t.Open());
    TListView* list = t.List(form_.get());
    TestKit::ClickRow(list, 0);
    ASSERT_TRUE(t.RowShown(form_.get()));
    Control("inject set " + t.Table.substr(0, t.Table.size() - 1) + " genErr");
    t.Refused(form_.get());
    EXPECT_TRUE(t.Kept(form_.get()));
    EXPECT_EQ(list->Selected(), nullptr);
    EXPECT_FALSE(t.RowShown(form_.get()));
    TestKit::ClickRow(list, 0);
    EXPECT_TRUE(t.RowShown(form_.get()));
    const std::size_t before = SetLines().size();
    t.Next(form_.get());
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), before + 1);
    EXPECT_NE(sets.back().find(t.Sent), std::string::npos) << sets.back();
    form_->Hide();
    form_.reset();
  }
}

// One form: what the switch holds, the form opened, the row chosen, how the
// form comes to a new entry, the new entry filled in, and what the Add's
// SET must carry.
struct TNewEntry {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<void(TForm*)> Choose, Leave, Fill;
  std::function<TButton*(TForm*)> Add;
  std::string Sent;
};

TEST_F(AfterAWrite, ReadRemovalOrNoRowClickedShowsTheFieldsOfANewEntry) {
  // The keys, permit and row status ticked at what they show, port 1.
  const auto keys = [](TForm* f, TEdit* first, TEdit* access) {
    first->SetText("2");
    access->SetText("1");
    Rules(f)->cbxPermit->SetChecked(true);
    Rules(f)->cbxRow->SetChecked(true);
    PortBox(Rules(f)->PortFrame, 1)->SetChecked(true);
  };
  const auto chooseRule = [](TForm* f) { TestKit::ClickRow(Rules(f)->ListView1, 0); };
  const auto refreshRules = [](TForm* f) { TestKit::Click(Rules(f)->GetButton); };
  const auto addRule = [](TForm* f) { return Rules(f)->AddButton; };
  const std::vector<TNewEntry> forms = {
      {"Packet Content Rule (CPU Filter), after Delete",
       {"set " + kCpuPkt + "8.1.1 i 1", "set " + kCpuPkt + "9.1.1 i 1"},
       [] { return Shown<TCPUFilterPktCntRuleForm>(); },
       chooseRule,
       [](TForm* f) { TestKit::Click(Rules(f)->DeleteButton); },
       [keys](TForm* f) {
         auto* form = static_cast<TCPUFilterPktCntRuleForm*>(f);
         keys(f, form->ProfileIDEdit, form->AccessEdit);
       },
       addRule,
       kCpuPkt + "9.2.1=INTEGER:4"},
      {"IP Rule (CPU Filter), after Refresh",
       {"set " + kCpuIp + "15.1.1 i 1", "set " + kCpuIp + "16.1.1 i 1"},
       [] { return Shown<TCPUFilterIPRuleForm>(); },
       chooseRule,
       refreshRules,
       [keys](TForm* f) {
         auto* form = static_cast<TCPUFilterIPRuleForm*>(f);
         keys(f, form->ProfileIDEdit, form->AccessEdit);
         form->cbxVlan->SetChecked(true);
         form->VlanRuleEdit->SetText("default");
       },
       addRule,
       kCpuIp + "16.2.1=INTEGER:4"},
      {"Packet Content Rule, after a click on no row",
       {"set " + kPktRule + "18.1.1 i 1"},
       [] { return Shown<TPktContentRuleForm>(); },
       chooseRule,
       [](TForm* f) { TestKit::ClickEmpty(Rules(f)->ListView1); },
       [keys](TForm* f) {
         auto* form = static_cast<TPktContentRuleForm*>(f);
         keys(f, form->edtProfile, form->edtAccess);
       },
       addRule,
       kPktRule + "18.2.1=INTEGER:4"},
      {"Packet Content Rule, after Refresh: the priority off again",
       {"set " + kPktRule + "11.1.1 i 1", "set " + kPktRule + "18.1.1 i 1"},
       [] { return Shown<TPktContentRuleForm>(); },
       [](TForm* f) {
         TestKit::ClickRow(Rules(f)->ListView1, 0);
         EXPECT_TRUE(static_cast<TPktContentRuleForm*>(f)->cbxPriority->Enabled());
       },
       refreshRules,
       [keys](TForm* f) {
         auto* form = static_cast<TPktContentRuleForm*>(f);
         EXPECT_EQ(form->PriorityComboBox->Text(), "disabled");
         EXPECT_FALSE(form->cbxPriority->Enabled());
         keys(f, form->edtProfile, form->edtAccess);
         form->edtAccess->SetText("2");
       },
       addRule,
       kPktRule + "18.2.2=INTEGER:4"},
      {"Packet Content Mask, after Delete",
       {"set " + kPktMask + "5.1 i 1", "set " + kPktMask + "14.1 i 1"},
       [] { return Shown<TPktContentMaskForm>(); },
       [](TForm* f) { TestKit::ClickRow(Mask(f)->ListView1, 0); },
       [](TForm* f) { TestKit::Click(Mask(f)->DeleteButton); },
       [](TForm* f) {
         TPktContentMaskForm* form = Mask(f);
         form->edtProfileID->SetText("4");
         TestKit::PickItem(form->cbxChunk1State, 0);  // enabled
         form->edtChunk1Value->SetText("5");
         form->edtChunk1Offset->SetText("0000FFFF");
       },
       [](TForm* f) { return Mask(f)->AddButton; },
       kPktMask + "14.4=INTEGER:4"},
      {"Packet Content Mask, after Refresh",
       {"set " + kPktMask + "5.1 i 1", "set " + kPktMask + "14.1 i 1"},
       [] { return Shown<TPktContentMaskForm>(); },
       [](TForm* f) { TestKit::ClickRow(Mask(f)->ListView1, 0); },
       [](TForm* f) { TestKit::Click(Mask(f)->GetButton); },
       [](TForm* f) {
         TPktContentMaskForm* form = Mask(f);
         form->edtProfileID->SetText("2");
         TestKit::PickItem(form->cbxChunk1State, 0);  // enabled
         form->edtChunk1Value->SetText("5");
         form->edtChunk1Offset->SetText("0000FFFF");
       },
       [](TForm* f) { return Mask(f)->AddButton; },
       kPktMask + "14.2=INTEGER:4"},
      {"Packet Content Mask, after a click on no row",
       {"set " + kPktMask + "5.1 i 1", "set " + kPktMask + "14.1 i 1"},
       [] { return Shown<TPktContentMaskForm>(); },
       [](TForm* f) { TestKit::ClickRow(Mask(f)->ListView1, 0); },
       [](TForm* f) { TestKit::ClickEmpty(Mask(f)->ListView1); },
       [](TForm* f) {
         TPktContentMaskForm* form = Mask(f);
         form->edtProfileID->SetText("3");
         TestKit::PickItem(form->cbxChunk1State, 0);  // enabled
         form->edtChunk1Value->SetText("5");
         form->edtChunk1Offset->SetText("0000FFFF");
       },
       [](TForm* f) { return Mask(f)->AddButton; },
       kPktMask + "14.3=INTEGER:4"},
  };
  for (const TNewEntry& t : forms) {
    SCOPED_TRACE(t.Name);
    for (const std::string& command : t.Seed) Control(command);
    form_.reset(t.Open());
    t.Choose(form_.get());
    t.Leave(form_.get());
    t.Fill(form_.get());
    const std::size_t before = SetLines().size();
    TestKit::Click(t.Add(form_.get()));  // a box fails the test
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), before + 1);
    EXPECT_NE(sets.back().find(t.Sent), std::string::npos) << sets.back();
    form_->Hide();
    form_.reset();
  }
}

}  // namespace
