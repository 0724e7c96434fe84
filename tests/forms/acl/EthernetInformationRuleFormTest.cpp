// The Ethernet rule form against the simulated switch: the first read, the
// columns Add and Edit write by tick boxes, the order of the checks, Delete,
// the delete-by-Edit path, and a failed SET.
#include "RuleTestSupport.h"
#include "catalogue/AclMib.h"
#include "forms/acl/EthernetInformationRuleUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

using ruletest::ColumnsOf;
using ruletest::PortBox;

const std::string kColumn = "1.3.6.1.4.1.171.12.9.3.1.1.";

class EthernetRuleFormTest : public ruletest::RuleFormTest<TEthernetInformationRuleForm> {
 protected:
  void ExpectCatalogueAccess() { RuleFormTest::ExpectCatalogueAccess(EthernetInformationRuleVars); }
  // Keys, permit and row status ticked at their presets, port 1 ticked.
  void FillNewRule(const char* mask, const char* access) {
    FillKeys(form_->MaskIDEdit, mask, form_->AccessEdit, access);
  }
};

TEST_F(EthernetRuleFormTest, OpensWithTheRulesAndThePresets) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(form_->ListView1->Columns()->Items(12)->Caption(), "Rule RX Rate");
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Get: Ok!"), 1)
      << form_->StatusBar1->DisplayedText().str();
  EXPECT_EQ(form_->StaticText1->Text(), "1");
  EXPECT_TRUE(form_->AddButton->Enabled());
  EXPECT_FALSE(form_->EditButton->Enabled());
  EXPECT_FALSE(form_->DeleteButton->Enabled());
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  EXPECT_EQ(form_->PermitComboBox->Text(), "permit");
  EXPECT_EQ(form_->EnablePriorityComboBox->Text(), "disabled");
  EXPECT_FALSE(form_->cbxPriority->Enabled());
  EXPECT_FALSE(form_->DSCPEdit->Enabled());
  EXPECT_FALSE(form_->RuleOwnerComboBox->Visible());
  EXPECT_EQ(form_->cbxEnableReplaceDSCP->Caption(), " Enable Replace DSCP");
  EXPECT_FALSE(form_->Request->AsyncMode);
  EXPECT_TRUE(FindFormOpener("TEthernetInformationRuleForm") != nullptr);
  EXPECT_TRUE(
      TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-EthernetInformationRule.png"));
}

TEST_F(EthernetRuleFormTest, AddWritesTheTickedFieldsAndThePorts) {
  Open();
  FillNewRule("2", "3");
  form_->cbxSource->SetChecked(true);
  form_->SourceMACEdit->SetText("00055E000001");
  form_->cbxEtherType->SetChecked(true);
  form_->EthTypeEdit->SetText("0800");
  form_->RxRateEdit->SetText("64");  // not ticked: not written
  PortBox(form_->PortFrame, 2)->SetChecked(true);
  TestKit::Click(form_->AddButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find("\tnoError\t"), std::string::npos) << sets[0];
  // Source MAC .4, type .7, permit .13, ports .14, row status .15.
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "2.3"), (std::set<int>{4, 7, 13, 14, 15})) << sets[0];
  EXPECT_NE(sets[0].find(kColumn + "15.2.3=INTEGER:4"), std::string::npos) << sets[0];
  EXPECT_NE(Value(kColumn + "14.2.3").find("C0"), std::string::npos) << Value(kColumn + "14.2.3");
  ASSERT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(form_->StaticText1->Text(), "2");
  EXPECT_EQ(form_->MaskIDEdit->Text(), "");
  EXPECT_FALSE(form_->cbxSource->Checked());
  EXPECT_FALSE(PortBox(form_->PortFrame, 1)->Checked());
  ExpectCatalogueAccess();
}

TEST_F(EthernetRuleFormTest, ChecksStopInTheirOrderAndSendNothing) {
  Open();
  auto expect = [&](const char* text, TWinControl* focus) {
    TestKit::DialogScript boxes;
    boxes.Expect(text);
    TestKit::Click(form_->AddButton);
    boxes.Verify();
    if (focus) {
      EXPECT_EQ(form_->ActiveControl(), focus) << text;
    }
  };
  expect("Mask ID must be set.", form_->MaskIDEdit);
  form_->MaskIDEdit->SetText("1");
  expect("Access ID must be set.", form_->AccessEdit);
  form_->AccessEdit->SetText("1");
  form_->cbxSource->SetChecked(true);
  expect("Some check field is empty", form_->SourceMACEdit);
  form_->SourceMACEdit->SetText("00055E00000");  // 11 digits
  expect("Invalid MAC Address", form_->SourceMACEdit);
  form_->SourceMACEdit->SetText("00055E000001");
  form_->cbxEtherType->SetChecked(true);
  form_->EthTypeEdit->SetText("800");
  expect("Invalid Ethernet Type", form_->EthTypeEdit);
  form_->EthTypeEdit->SetText("0800");
  TestKit::PickItem(form_->EnablePriorityComboBox, 0);  // enabled
  EXPECT_TRUE(form_->cbxPriority->Enabled());
  form_->cbxPriority->SetChecked(true);
  form_->PriorityEdit->SetText("8");
  expect("Priority value should between 0-7", form_->PriorityEdit);
  form_->PriorityEdit->SetText("7");
  form_->cbxRxRate->SetChecked(true);
  form_->RxRateEdit->SetText("156250");
  expect("Rx Rate should between 0-156249", form_->RxRateEdit);
  form_->RxRateEdit->SetText("156249");
  expect("You must choose at least 1 port!", nullptr);
  PortBox(form_->PortFrame, 1)->SetChecked(true);
  expect(
      "Has already a record with the same Mask ID and Access ID. Please change eithor of "
      "them.",
      form_->MaskIDEdit);
  form_->AccessEdit->SetText("2");
  expect("Permit option must be checked.", form_->PermitComboBox);
  form_->cbxPermit->SetChecked(true);
  expect("Row State must be checked and set to createAndGo.", form_->RowComboBox);
  form_->cbxRow->SetChecked(true);
  form_->RowComboBox->SetItemIndex(0);  // active
  expect("Row State must be checked and set to createAndGo.", form_->RowComboBox);
  EXPECT_TRUE(SetLines().empty());
  ExpectCatalogueAccess();
}

TEST_F(EthernetRuleFormTest, CheckAllWithPriorityDisabledStopsAtTheEmptyPriority) {
  Open();
  FillNewRule("4", "1");
  TestKit::Click(form_->AddCheckButton);
  EXPECT_TRUE(form_->cbxPriority->Checked());
  EXPECT_FALSE(form_->cbxEnableDSCPValue->Checked());  // replace DSCP is "disabled"
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Some check field is empty");
    TestKit::Click(form_->AddButton);
  }
  TestKit::Click(form_->CleanCheButton);
  EXPECT_FALSE(form_->cbxPriority->Checked());
  EXPECT_FALSE(form_->cbxVlan->Checked());
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(EthernetRuleFormTest, EditWritesTheTickedFieldsAndThePortsOfTheSelectedRule) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_TRUE(form_->EditButton->Enabled());
  EXPECT_FALSE(form_->AddButton->Enabled());
  EXPECT_FALSE(form_->MaskIDEdit->Enabled());
  EXPECT_EQ(form_->MaskIDEdit->Text(), "1");
  EXPECT_EQ(form_->AccessEdit->Text(), "1");
  PortBox(form_->PortFrame, 3)->SetChecked(true);
  form_->cbxRxRate->SetChecked(true);
  form_->RxRateEdit->SetText("1000");
  TestKit::Click(form_->EditButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "1.1"), (std::set<int>{14, 17})) << sets[0];
  EXPECT_EQ(Value(kColumn + "17.1.1"), "INTEGER:1000");
  EXPECT_FALSE(form_->EditButton->Enabled());
  EXPECT_TRUE(form_->MaskIDEdit->Enabled());
  ExpectCatalogueAccess();
}

TEST_F(EthernetRuleFormTest, PriorityIsWrittenOnlyWhenTheRuleEnablesIt) {
  Control("set " + kColumn + "8.1.1 i 2");  // the rule's priority: disabled
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_EQ(form_->EnablePriorityComboBox->Text(), "disabled");
  EXPECT_FALSE(form_->cbxPriority->Enabled());
  // Ticked although disabled (as Check All does): the row says disabled.
  form_->cbxPriority->SetChecked(true);
  form_->PriorityEdit->SetText("3");
  PortBox(form_->PortFrame, 1)->SetChecked(true);
  TestKit::Click(form_->EditButton);
  TestKit::ClickRow(form_->ListView1, 0);
  TestKit::PickItem(form_->EnablePriorityComboBox, 0);  // enabled
  EXPECT_TRUE(form_->cbxPriority->Enabled());
  form_->cbxEnablePriority->SetChecked(true);
  form_->cbxPriority->SetChecked(true);
  form_->PriorityEdit->SetText("5");
  TestKit::Click(form_->EditButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "1.1"), (std::set<int>{14})) << sets[0];
  EXPECT_EQ(ColumnsOf(sets[1], kColumn, "1.1"), (std::set<int>{8, 9, 14})) << sets[1];
  EXPECT_EQ(Value(kColumn + "9.1.1"), "INTEGER:5");
  ExpectCatalogueAccess();
}

TEST_F(EthernetRuleFormTest, DeleteAndDestroyingEditSendOnlyTheRowStatus) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  TestKit::Click(form_->DeleteButton);
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "1.1"), (std::set<int>{15})) << sets[0];
  EXPECT_NE(sets[0].find(kColumn + "15.1.1=INTEGER:6"), std::string::npos) << sets[0];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_EQ(form_->StaticText1->Text(), "0");
  ExpectCatalogueAccess();

  // Add one back, then remove it with Edit at "destroy".
  FillNewRule("5", "6");
  form_->RowComboBox->SetItemIndex(3);
  TestKit::Click(form_->AddButton);
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  TestKit::ClickRow(form_->ListView1, 0);
  form_->cbxRow->SetChecked(true);
  form_->RowComboBox->SetItemIndex(5);
  PortBox(form_->PortFrame, 1)->SetChecked(true);
  TestKit::Click(form_->EditButton);
  sets = SetLines();
  ASSERT_EQ(sets.size(), 3u);
  EXPECT_EQ(ColumnsOf(sets[2], kColumn, "5.6"), (std::set<int>{15})) << sets[2];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  ExpectCatalogueAccess();
}

// An Edit that times out, and the read again after it as well: the list is
// left empty and the count says so; Edit and Delete wait for a row, and the
// typed rate stays.
TEST_F(EthernetRuleFormTest, AnEditLostWithTheReadAfterItCountsTheRowsShown) {
  Open();
  form_->Request->Request.Timeout = 30;
  TestKit::ClickRow(form_->ListView1, 0);
  form_->cbxRxRate->SetChecked(true);
  form_->RxRateEdit->SetText("1000");
  Control("drop 4");  // the SET, the read after it, and a retry of each
  TestKit::Click(form_->EditButton);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  ASSERT_TRUE(WaitQuiet());
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_EQ(form_->StaticText1->Text(), "0");
  EXPECT_FALSE(form_->EditButton->Enabled());
  EXPECT_FALSE(form_->DeleteButton->Enabled());
  EXPECT_EQ(form_->RxRateEdit->Text(), "1000");
}

TEST_F(EthernetRuleFormTest, AFailedAddRestoresTheAccessWordsAndShowsTheError) {
  Open();
  Control("inject set 1.3.6.1.4.1.171.12.9.3.1.1 genErr");
  FillNewRule("7", "1");
  TestKit::Click(form_->AddButton);
  ExpectCatalogueAccess();
  EXPECT_FALSE(form_->StatusBar1->Panels()->Items(0)->Text().IsEmpty());
  EXPECT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_TRUE(form_->AddButton->Enabled());
  EXPECT_EQ(form_->MaskIDEdit->Text(), "7");  // kept for a correction
}

}  // namespace
