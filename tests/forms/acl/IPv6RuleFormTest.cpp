// The IPv6 rule form against the simulated switch: the first read, the
// columns Add writes, the order and texts of the checks, the row-status
// choice that turns an Edit into an Add or a Delete, and a failed SET.
#include "RuleTestSupport.h"
#include "catalogue/AclMib.h"
#include "forms/acl/IPv6RuleInfoFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

using ruletest::ColumnsOf;
using ruletest::PortBox;

const std::string kColumn = "1.3.6.1.4.1.171.12.9.3.4.1.";
const char* kSource = "fe800000000000000200ABCDEF012345";

class IPv6RuleFormTest : public ruletest::RuleFormTest<TIpv6RuleForm> {
 protected:
  void ExpectCatalogueAccess() { RuleFormTest::ExpectCatalogueAccess(Ipv6RuleVars); }
  // Keys, permit and row status ticked at their presets, port 1 ticked.
  void FillNewRule(const char* profile, const char* access) {
    FillKeys(form_->edtRuleID, profile, form_->edtRuleAccessID, access);
  }
};

TEST_F(IPv6RuleFormTest, OpensWithTheRulesAndThePresets) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(form_->ListView1->Columns()->Items(11)->Caption(), "RX Rate");
  EXPECT_EQ(form_->StaticText1->Text(), "1");
  EXPECT_TRUE(form_->AddButton->Enabled());
  EXPECT_FALSE(form_->EditButton->Enabled());
  EXPECT_FALSE(form_->DeleteButton->Enabled());
  EXPECT_EQ(form_->PriorityComboBox->Text(), "disabled");
  EXPECT_EQ(form_->PermitComboBox->Text(), "permit");
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  EXPECT_EQ(form_->EnableReplaceDSCPComboBox->Text(), "disabled");
  EXPECT_FALSE(form_->cbxPriority->Enabled());
  EXPECT_FALSE(form_->DSCPEdit->Enabled());
  EXPECT_FALSE(form_->cbxEnableDSCPValue->Enabled());
  EXPECT_EQ(form_->cbxEnableDSCPValue->Caption(), " Replace DSCP Value");
  EXPECT_FALSE(form_->RuleOwnerComboBox->Visible());
  EXPECT_FALSE(form_->Request->AsyncMode);
  EXPECT_TRUE(FindFormOpener("TIpv6RuleForm") != nullptr);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-Ipv6Rule.png"));

  // A clicked row shows its addresses as 32 hexadecimal digits.
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_EQ(form_->edtRuleSrcIpv6addr->Text().Length(), 32);
  EXPECT_FALSE(form_->edtRuleID->Enabled());
  EXPECT_TRUE(form_->EditButton->Enabled());
}

TEST_F(IPv6RuleFormTest, AddWritesTheTickedFieldsAndThePorts) {
  Open();
  FillNewRule("2", "3");
  TickEdit(form_->cbxRuleClass, form_->edtRuleClass, "12");
  TickEdit(form_->cbxRuleFlowlabel, form_->edtRuleFlowlabel, "000abcde");
  TickEdit(form_->cbxRuleSrcIpv6addr, form_->edtRuleSrcIpv6addr, kSource);
  form_->RxRateEdit->SetText("64");   // not ticked: not written
  form_->PriorityEdit->SetText("5");  // priority disabled: never written
  form_->cbxEnablePriority->SetChecked(true);
  PortBox(form_->PortFrame, 2)->SetChecked(true);
  TestKit::Click(form_->AddButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find("\tnoError\t"), std::string::npos) << sets[0];
  // Class .3, flow label .4, source .5, enable priority .7, permit .10,
  // ports .11, row status .12.
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "2.3"), (std::set<int>{3, 4, 5, 7, 10, 11, 12})) << sets[0];
  EXPECT_NE(sets[0].find(kColumn + "12.2.3=INTEGER:4"), std::string::npos) << sets[0];
  const std::string source = Value(kColumn + "5.2.3");
  EXPECT_NE(source.find("FE 80 00 00 00 00 00 00 02 00 AB CD EF 01 23 45"), std::string::npos)
      << source;
  EXPECT_NE(Value(kColumn + "4.2.3").find("00 0A BC DE"), std::string::npos)
      << Value(kColumn + "4.2.3");
  EXPECT_NE(Value(kColumn + "11.2.3").find("C0"), std::string::npos);
  ASSERT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(form_->edtRuleID->Text(), "");
  EXPECT_FALSE(form_->cbxRuleClass->Checked());
  ExpectCatalogueAccess();
}

TEST_F(IPv6RuleFormTest, ChecksStopInTheirOrderAndSendNothing) {
  Open();
  auto expect = [&](const char* text, TWinControl* focus) {
    ExpectMessage(text, focus, form_->AddButton);
  };
  expect("Rule ID must be set.", form_->edtRuleID);
  form_->edtRuleID->SetText("1");
  expect("Rule Access ID must be set.", form_->edtRuleAccessID);
  form_->edtRuleAccessID->SetText("1");
  TickEdit(form_->cbxRuleFlowlabel, form_->edtRuleFlowlabel, "abcd");
  expect("Invalid data!", form_->edtRuleFlowlabel);
  form_->edtRuleFlowlabel->SetText("0000abcd");
  TickEdit(form_->cbxRuleSrcIpv6addr, form_->edtRuleSrcIpv6addr,
           "fe800000000000000200abcdef01234");  // 31 digits
  expect("Invalid Ipv6 Address value", form_->edtRuleSrcIpv6addr);
  form_->edtRuleSrcIpv6addr->SetText(kSource);
  // (Each bad text goes into an edit that does not hold the focus: leaving
  // an edit runs its own constraint first.)
  TickEdit(form_->cbxRuleDstIpv6addr, form_->edtRuleDstIpv6addr,
           "fe80:000000000000200abcdef012345");
  expect("Invalid Ipv6 Address value", form_->edtRuleDstIpv6addr);
  form_->edtRuleDstIpv6addr->SetText("");
  expect("Some checked field is empty", form_->edtRuleDstIpv6addr);
  form_->cbxRuleDstIpv6addr->SetChecked(false);
  TickEdit(form_->cbxRxRate, form_->RxRateEdit, "156250");
  expect("Rx Rate should between 0-156249", form_->RxRateEdit);
  form_->RxRateEdit->SetText("156249");
  TestKit::PickItem(form_->EnableReplaceDSCPComboBox, 0);  // enabled
  form_->cbxEnableDSCPValue->SetChecked(true);
  expect("Some check field is empty", form_->DSCPEdit);
  form_->DSCPEdit->SetText("46");
  expect("You must choose at least 1 port!", nullptr);
  PortBox(form_->PortFrame, 1)->SetChecked(true);
  expect(
      "Has already a record with the same IPv6 Rule ID and Access ID. Please change eithor of "
      "them.",
      form_->edtRuleID);
  form_->edtRuleAccessID->SetText("2");
  expect("Permit option must be checked.", form_->PermitComboBox);
  form_->cbxPermit->SetChecked(true);
  expect("Row State must be checked and set to createAndGo.", form_->RowComboBox);
  form_->cbxRow->SetChecked(true);
  form_->RowComboBox->SetItemIndex(0);  // active
  expect("Row State must be checked and set to createAndGo.", form_->RowComboBox);
  EXPECT_TRUE(SetLines().empty());
  ExpectCatalogueAccess();
}

TEST_F(IPv6RuleFormTest, CheckAllLeavesPriorityAndRateAndFollowsReplaceDscp) {
  Open();
  TestKit::Click(form_->CheckButton);
  EXPECT_TRUE(form_->cbxRuleClass->Checked());
  EXPECT_TRUE(form_->cbxRow->Checked());
  EXPECT_FALSE(form_->cbxPriority->Checked());
  EXPECT_FALSE(form_->cbxRxRate->Checked());
  EXPECT_FALSE(form_->cbxEnableReplaceDSCP->Checked());    // replace DSCP "disabled"
  TestKit::PickItem(form_->EnableReplaceDSCPComboBox, 0);  // enabled
  EXPECT_TRUE(form_->DSCPEdit->Enabled());
  TestKit::Click(form_->CheckButton);
  EXPECT_TRUE(form_->cbxEnableReplaceDSCP->Checked());
  EXPECT_TRUE(form_->cbxEnableDSCPValue->Checked());
  TestKit::PickItem(form_->EnableReplaceDSCPComboBox, 1);  // disabled
  EXPECT_FALSE(form_->cbxEnableReplaceDSCP->Checked());
  EXPECT_FALSE(form_->cbxEnableDSCPValue->Enabled());
  EXPECT_EQ(form_->DSCPEdit->Text(), "");
  form_->cbxRxRate->SetChecked(true);
  TestKit::Click(form_->UncheckButton);
  EXPECT_FALSE(form_->cbxRuleClass->Checked());
  EXPECT_TRUE(form_->cbxRxRate->Checked());
}

TEST_F(IPv6RuleFormTest, EditWritesTheTickedFieldsAndThePorts) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  ASSERT_NE(form_->RowComboBox->ItemIndex(), 3);
  ASSERT_NE(form_->RowComboBox->ItemIndex(), 5);
  PortBox(form_->PortFrame, 3)->SetChecked(true);
  TickEdit(form_->cbxRxRate, form_->RxRateEdit, "1000");
  TestKit::Click(form_->EditButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "1.1"), (std::set<int>{11, 14})) << sets[0];
  EXPECT_EQ(Value(kColumn + "14.1.1"), "INTEGER:1000");
  EXPECT_FALSE(form_->EditButton->Enabled());
  EXPECT_TRUE(form_->edtRuleID->Enabled());
  ExpectCatalogueAccess();
}

TEST_F(IPv6RuleFormTest, TheRowStatusChoiceTurnsEditIntoAddOrDelete) {
  Open();
  // createAndGo: Edit is Add, whose duplicate test meets the row's own keys.
  TestKit::ClickRow(form_->ListView1, 0);
  PortBox(form_->PortFrame, 1)->SetChecked(true);
  form_->RowComboBox->SetItemIndex(3);
  ExpectMessage(
      "Has already a record with the same IPv6 Rule ID and Access ID. Please change eithor of "
      "them.",
      nullptr, form_->EditButton);
  EXPECT_TRUE(SetLines().empty());
  // destroy, with its tick box left empty: the rule is deleted.
  form_->cbxRow->SetChecked(false);
  form_->RowComboBox->SetItemIndex(5);
  TestKit::Click(form_->EditButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "1.1"), (std::set<int>{12})) << sets[0];
  EXPECT_NE(sets[0].find(kColumn + "12.1.1=INTEGER:6"), std::string::npos) << sets[0];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_EQ(form_->StaticText1->Text(), "0");
  ExpectCatalogueAccess();
}

TEST_F(IPv6RuleFormTest, AFailedAddRestoresTheAccessWordsAndShowsTheError) {
  Open();
  Control("inject set 1.3.6.1.4.1.171.12.9.3.4.1 genErr");
  FillNewRule("7", "1");
  TestKit::Click(form_->AddButton);
  ExpectCatalogueAccess();
  EXPECT_FALSE(form_->StatusBar1->Panels()->Items(0)->Text().IsEmpty());
  EXPECT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_TRUE(form_->AddButton->Enabled());
  EXPECT_EQ(form_->edtRuleID->Text(), "7");  // kept for a correction
}

}  // namespace
