// The CPU-filter packet-content and IPv6 rule forms against the simulated
// switch: the first read, what Add, Edit and Delete write, the order of the
// checks, and "Close".
#include "RuleTestSupport.h"
#include "catalogue/AclMib.h"
#include "forms/acl/CPUFilterIPV6RuleUnit.h"
#include "forms/acl/CPUFilterPktCntRuleUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

using ruletest::ColumnsOf;
using ruletest::PortBox;

const std::string kPktColumn = "1.3.6.1.4.1.171.12.9.5.3.1.";
const std::string kIpv6Column = "1.3.6.1.4.1.171.12.9.5.4.1.";

template <class F>
class CPUFilterRuleTest : public ruletest::RuleFormTest<F> {
 protected:
  F* form() { return this->form_.get(); }
  void FillNewRule(const char* profile, const char* access) {
    this->FillKeys(form()->ProfileIDEdit, profile, form()->AccessEdit, access, 2);
  }
};

using CPUFilterPktCntRuleTest = CPUFilterRuleTest<TCPUFilterPktCntRuleForm>;
using CPUFilterIPV6RuleTest = CPUFilterRuleTest<TCPUFilterIPV6RuleForm>;

TEST_F(CPUFilterPktCntRuleTest, OpensWithTheRulesAndThePresets) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(form_->ListView1->Columns()->Items(6)->Caption(), "Payload Offset [64-79]");
  EXPECT_EQ(form_->StaticText1->Text(), "1");
  EXPECT_EQ(form_->PermitComboBox->Text(), "permit");
  EXPECT_EQ(form_->PermitComboBox->Items()->Count(), 2);
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  EXPECT_TRUE(form_->AddButton->Enabled());
  EXPECT_FALSE(form_->DeleteButton->Enabled());
  EXPECT_FALSE(form_->RuleOwnerComboBox->Visible());
  EXPECT_EQ(form_->Button1->Caption(), "Close");
  EXPECT_FALSE(form_->Request->AsyncMode);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-CPUFilterPktCntRule.png"));
}

TEST_F(CPUFilterPktCntRuleTest, AddWritesTheTickedWindowsWithPermitRowStatusAndPorts) {
  Open();
  FillNewRule("3", "4");
  form_->PayloadOff2Edit->SetText("00112233445566778899AABBCCDDEEFF");  // not ticked
  TestKit::Click(form_->AddButton);
  FillNewRule("3", "5");
  form_->cbxPayloadOff1->SetChecked(true);
  form_->PayloadOff1Edit->SetText("00112233445566778899aabbccddeeff");
  TestKit::Click(form_->AddButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(ColumnsOf(sets[0], kPktColumn, "3.4"), (std::set<int>{8, 9, 10})) << sets[0];
  EXPECT_EQ(ColumnsOf(sets[1], kPktColumn, "3.5"), (std::set<int>{3, 8, 9, 10})) << sets[1];
  ASSERT_EQ(form_->ListView1->Items()->Count(), 3);
  EXPECT_EQ(form_->ListView1->Items()->Item(2)->SubItems()->Strings(1),
            "00112233445566778899AABBCCDDEEFF");
  EXPECT_FALSE(form_->cbxPayloadOff1->Checked());
  ExpectCatalogueAccess(CPUFilterPktCntRuleVars);
}

TEST_F(CPUFilterPktCntRuleTest, ChecksComeInTheirOrderAndSendNothing) {
  Open();
  // A new entry after a rule without ports was shown: judged in full, also
  // where its fields hold what the rule showed.
  TestKit::ClickRow(form_->ListView1, 0);
  TestKit::ClickEmpty(form_->ListView1);
  TButton* add = form_->AddButton;
  ExpectMessage("Profile ID must be set.", form_->ProfileIDEdit, add);
  form_->ProfileIDEdit->SetText("1");
  ExpectMessage("Access ID must be set.", form_->AccessEdit, add);
  form_->AccessEdit->SetText("1");
  form_->cbxPayloadOff3->SetChecked(true);
  form_->cbxPayloadOff5->SetChecked(true);
  ExpectMessage("Some check field is empty", form_->PayloadOff3Edit, add);
  TestKit::Click(form_->CleanCheButton);
  EXPECT_FALSE(form_->cbxPayloadOff5->Checked());
  ExpectMessage("You must choose at least 1 port!", nullptr, add);
  PortBox(form_->PortFrame, 1)->SetChecked(true);
  ExpectMessage(
      "Has already a record with the same Profile ID and Access ID. Please change eithor of them.",
      form_->ProfileIDEdit, add);
  form_->AccessEdit->SetText("2");
  ExpectMessage("Permit option must be checked.", form_->PermitComboBox, add);
  form_->cbxPermit->SetChecked(true);
  ExpectMessage("Row State must be checked and set to createAndGo.", form_->RowComboBox, add);
  EXPECT_TRUE(SetLines().empty());
  TestKit::Click(form_->AddCheckButton);
  EXPECT_TRUE(form_->cbxPayloadOff5->Checked());
  EXPECT_TRUE(form_->cbxRow->Checked());
  ExpectCatalogueAccess(CPUFilterPktCntRuleVars);
}

TEST_F(CPUFilterPktCntRuleTest, DeleteSendsDestroyWithThePortsTickedNow) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_FALSE(form_->ProfileIDEdit->Enabled());
  form_->PortFrame->ClearPorts();
  PortBox(form_->PortFrame, 7)->SetChecked(true);
  TestKit::Click(form_->DeleteButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], kPktColumn, "1.1"), (std::set<int>{9, 10})) << sets[0];
  EXPECT_NE(sets[0].find(kPktColumn + "9.1.1=INTEGER:6"), std::string::npos) << sets[0];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  // The fields are those of a new entry again.
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  ExpectCatalogueAccess(CPUFilterPktCntRuleVars);
}

TEST_F(CPUFilterPktCntRuleTest, CloseButtonClosesTheOpenedForm) {
  TFormOpener opener = FindFormOpener("TCPUFilterPktCntRuleForm");
  ASSERT_TRUE(opener != nullptr);
  AnsiString caption;
  TestKit::OnNextModal<TCPUFilterPktCntRuleForm>([&](TCPUFilterPktCntRuleForm* f) {
    caption = f->Caption();
    TestKit::Click(f->Button1);
  });
  opener(Application, "Packet Content Rule (CPU Filter): 127.0.0.1");
  EXPECT_EQ(caption, "Packet Content Rule (CPU Filter): 127.0.0.1");
  EXPECT_EQ(TestKit::PendingModalScripts(), 0);
}

TEST_F(CPUFilterIPV6RuleTest, OpensAndEditWritesOnlyTheTickedSourceAndThePorts) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Columns()->Items(4)->Caption(), "Source IPv6 Address");
  EXPECT_EQ(form_->PermitComboBox->Text(), "permit");
  EXPECT_TRUE(FindFormOpener("TCPUFilterIPV6RuleForm") != nullptr);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-CPUFilterIPV6Rule.png"));

  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_EQ(form_->AccessEdit->Text(), "1");
  PortBox(form_->PortFrame, 4)->SetChecked(true);
  form_->cbxSource->SetChecked(true);
  form_->SourceIPV6Edit->SetText("fe800000000000000000000000000001");
  form_->ClassEdit->SetText("9");  // not ticked
  form_->RowComboBox->SetItemIndex(
      CPUFilterIPV6RuleRowStatusOption::kDestroy);  // not ticked: an ordinary Edit
  TestKit::Click(form_->EditButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], kIpv6Column, "1.1"), (std::set<int>{5, 9})) << sets[0];
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->SubItems()->Strings(3),
            "FE800000000000000000000000000001");
  EXPECT_TRUE(form_->AddButton->Enabled());
  ExpectCatalogueAccess(CPUFilterIPV6RuleVars);
}

TEST_F(CPUFilterIPV6RuleTest, EmptyFieldsAreCheckedSourceAndDestinationBeforeFlowLabel) {
  Open();
  form_->ProfileIDEdit->SetText("2");
  form_->AccessEdit->SetText("1");
  form_->cbxFlowLabel->SetChecked(true);
  form_->cbxDestination->SetChecked(true);
  ExpectMessage("Some check field is empty", form_->DestIPV6Edit, form_->AddButton);
  form_->DestIPV6Edit->SetText("FE800000000000000000000000000002");
  ExpectMessage("Some check field is empty", form_->FlowLabelEdit, form_->AddButton);
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(CPUFilterIPV6RuleTest, AFailedSetShowsTheErrorAndReturnsToNoSelection) {
  Open();
  Control("inject set 1.3.6.1.4.1.171.12.9.5.4.1 genErr");
  TestKit::ClickRow(form_->ListView1, 0);
  PortBox(form_->PortFrame, 1)->SetChecked(true);
  form_->cbxClass->SetChecked(true);
  form_->ClassEdit->SetText("7");
  TestKit::Click(form_->EditButton);
  ExpectCatalogueAccess(CPUFilterIPV6RuleVars);
  EXPECT_FALSE(form_->StatusBar1->Panels()->Items(0)->Text().IsEmpty());
  EXPECT_FALSE(form_->EditButton->Enabled());
  EXPECT_TRUE(form_->ProfileIDEdit->Enabled());
  EXPECT_EQ(form_->ListView1->Selected(), nullptr);
  // What the user entered stays for a correction.
  EXPECT_TRUE(form_->cbxClass->Checked());
  EXPECT_EQ(form_->ClassEdit->Text(), "7");
}

}  // namespace
