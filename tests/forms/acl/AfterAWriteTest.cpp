// The rule and profile list forms after a write, against the simulated
// switch: after a read, a removal or a click on no row the fields are those
// of a new entry, the drop-down lists included, and an Add sends it. (What
// the forms show after a write the switch refused is the form checker's.)
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
