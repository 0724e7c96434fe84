// The IP rule form against the simulated switch: the first read, the columns
// an Add writes by tick boxes and protocol, the input checks, an Edit that
// writes the ports only once they were changed, Delete, and a failed SET
// without a status target.
#include "RuleTestSupport.h"
#include "catalogue/AclMib.h"
#include "forms/acl/IPRuleUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

using ruletest::ColumnsOf;
using ruletest::PortBox;

const std::string kColumn = "1.3.6.1.4.1.171.12.9.3.2.1.";

class IPRuleFormTest : public ruletest::RuleFormTest<TIPRuleForm> {
 protected:
  void ExpectCatalogueAccess() { RuleFormTest::ExpectCatalogueAccess(IPRuleVars); }
  // Keys, permit and row status ticked at their presets, port 1 ticked, and
  // the protocol ticked at `protocol`.
  void FillNewRule(const char* profile, const char* access, int protocol) {
    FillKeys(form_->IPRuleEdit, profile, form_->AccessIDEdit, access);
    form_->cbxProtocol->SetChecked(true);
    form_->ProtocolComboBox->SetItemIndex(protocol);
  }
};

TEST_F(IPRuleFormTest, OpensWithTheRulesAndThePresets) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(form_->ListView1->Columns()->Items(22)->Caption(), "Source MAC Address");
  EXPECT_EQ(form_->StaticText1->Text(), "1");
  EXPECT_TRUE(form_->AddButton->Enabled());
  EXPECT_FALSE(form_->EditButton->Enabled());
  EXPECT_EQ(form_->ProtocolComboBox->Text(), "none");
  EXPECT_EQ(form_->PriorityComboBox->Text(), "disabled");
  EXPECT_EQ(form_->PermitComboBox->Text(), "permit");
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  EXPECT_EQ(form_->EnableReplComboBox->ItemIndex(), -1);
  EXPECT_FALSE(form_->cbxPriority->Enabled());
  EXPECT_FALSE(form_->SrcMacAddressEdit->Enabled());
  EXPECT_EQ(form_->cbxType->Caption(), "Type");
  EXPECT_TRUE(FindFormOpener("TIPRuleForm") != nullptr);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-IPRule.png"));
}

TEST_F(IPRuleFormTest, TheTickedProtocolDecidesWhichOfItsFieldsAreWritten) {
  Open();
  // tcp: the source port, not the ticked type.
  FillNewRule("2", "1", 3);
  TickEdit(form_->cbxSourcePort, form_->SourcePortEdit, "80");
  TickEdit(form_->cbxType, form_->TypeEdit, "8");
  TestKit::Click(form_->AddButton);
  // icmp: the type, not the code.
  FillNewRule("2", "2", 1);
  TickEdit(form_->cbxType, form_->TypeEdit, "8");
  TickEdit(form_->cbxCode, form_->CodeEdit, "0");
  TestKit::Click(form_->AddButton);
  // igmp: the code, not the type.
  FillNewRule("2", "3", 2);
  TickEdit(form_->cbxType, form_->TypeEdit, "8");
  TickEdit(form_->cbxCode, form_->CodeEdit, "0");
  TestKit::Click(form_->AddButton);
  // none: no port or flag column.
  FillNewRule("2", "4", 0);
  TickEdit(form_->cbxDestPort, form_->DestPortEdit, "53");
  TickEdit(form_->cbxFBs, form_->FlagEdit, "2");
  TestKit::Click(form_->AddButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 4u);
  // Protocol .7, permit .20, ports .21, row status .22 every time.
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "2.1"), (std::set<int>{7, 10, 20, 21, 22})) << sets[0];
  EXPECT_EQ(ColumnsOf(sets[1], kColumn, "2.2"), (std::set<int>{7, 8, 20, 21, 22})) << sets[1];
  EXPECT_EQ(ColumnsOf(sets[2], kColumn, "2.3"), (std::set<int>{7, 9, 20, 21, 22})) << sets[2];
  EXPECT_EQ(ColumnsOf(sets[3], kColumn, "2.4"), (std::set<int>{7, 20, 21, 22})) << sets[3];
  EXPECT_EQ(Value(kColumn + "10.2.1"), "INTEGER:80");
  EXPECT_EQ(form_->ListView1->Items()->Count(), 5);
  ExpectCatalogueAccess();
}

TEST_F(IPRuleFormTest, InputChecksStopBeforeAnythingIsSent) {
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
  expect("IP Rule ID must be set.", form_->IPRuleEdit);
  form_->IPRuleEdit->SetText("3");
  expect("IP Rule Access ID must be set.", form_->AccessIDEdit);
  form_->AccessIDEdit->SetText("1");
  TickEdit(form_->cbxSourceIP, form_->SourceIPEdit, "192.168.1.300");
  expect("Please input a valid IP", form_->SourceIPEdit);
  form_->SourceIPEdit->SetText("192.168.1.30");
  TickEdit(form_->cbxDestIP, form_->DestIPEdit, "192.168.100.1001");  // judged whole
  expect("Please input a valid IP", form_->DestIPEdit);
  form_->cbxDestIP->SetChecked(false);
  form_->DestIPEdit->SetText("");
  TickEdit(form_->cbxUserMask, form_->UserMaskEdit, "0000fff");
  expect("Invalid User Mask", form_->UserMaskEdit);
  form_->UserMaskEdit->SetText("0000fffg");
  expect("Invalid User Mask", form_->UserMaskEdit);
  form_->UserMaskEdit->SetText("0000ffff");
  // Check All ticks the replace-DSCP value although its edit is empty.
  TestKit::Click(form_->CheckButton);
  EXPECT_TRUE(form_->cbxValue->Checked());
  EXPECT_FALSE(form_->cbxPriority->Checked());  // disabled: left alone
  expect("Some checked field is empty", form_->VLANEdit);
  TestKit::Click(form_->UncheckButton);
  EXPECT_FALSE(form_->cbxUserMask->Checked());
  form_->cbxRxRate->SetChecked(true);
  form_->RxRateEdit->SetText("156250");
  expect("Rx Rate should between 0-156249", form_->RxRateEdit);
  form_->cbxRxRate->SetChecked(false);
  form_->RxRateEdit->SetText("");
  expect("You must choose at least 1 port!", nullptr);
  EXPECT_TRUE(SetLines().empty());
  ExpectCatalogueAccess();
}

TEST_F(IPRuleFormTest, EditWritesThePortsOnceChangedAndDeleteOnlyTheRowStatus) {
  Open();
  const std::string portsBefore = Value(kColumn + "21.1.1");
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_TRUE(form_->EditButton->Enabled());
  EXPECT_FALSE(form_->IPRuleEdit->Enabled());
  EXPECT_EQ(form_->AccessIDEdit->Text(), "1");
  TickEdit(form_->cbxRxRate, form_->RxRateEdit, "500");
  TestKit::Click(form_->EditButton);
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "1.1"), (std::set<int>{24})) << sets[0];
  EXPECT_EQ(Value(kColumn + "24.1.1"), "INTEGER:500");
  EXPECT_EQ(Value(kColumn + "21.1.1"), portsBefore);
  ExpectCatalogueAccess();
  // The ports the user changed are written: the rule's ports, not all of
  // its fields.
  TestKit::ClickRow(form_->ListView1, 0);
  PortBox(form_->PortFrame, 5)->SetChecked(!PortBox(form_->PortFrame, 5)->Checked());
  TestKit::Click(form_->EditButton);
  sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(ColumnsOf(sets[1], kColumn, "1.1"), (std::set<int>{21})) << sets[1];
  EXPECT_NE(Value(kColumn + "21.1.1"), portsBefore);
  ExpectCatalogueAccess();

  TestKit::ClickRow(form_->ListView1, 0);
  TestKit::Click(form_->DeleteButton);
  sets = SetLines();
  ASSERT_EQ(sets.size(), 3u);
  EXPECT_EQ(ColumnsOf(sets[2], kColumn, "1.1"), (std::set<int>{22})) << sets[2];
  EXPECT_NE(sets[2].find(kColumn + "22.1.1=INTEGER:6"), std::string::npos) << sets[2];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");  // a new entry's
  ExpectCatalogueAccess();
}

// A source address the switch gave no value for shows empty: ticked and
// left alone it is no address typed, and the field the user changed is
// written without it.
TEST_F(IPRuleFormTest, ATickedAddressLeftAloneIsNotJudged) {
  Control("absent " + kColumn + "4.1.1");
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  ASSERT_EQ(form_->SourceIPEdit->Text(), "");
  form_->cbxSourceIP->SetChecked(true);
  TickEdit(form_->cbxRxRate, form_->RxRateEdit, "600");
  TestKit::DialogScript none;  // no box
  TestKit::Click(form_->EditButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "1.1"), (std::set<int>{24})) << sets[0];
  EXPECT_EQ(Value(kColumn + "24.1.1"), "INTEGER:600");
}

TEST_F(IPRuleFormTest, AFailedEditShowsTheErrorAndReturnsToNoSelection) {
  Open();
  Control("inject set 1.3.6.1.4.1.171.12.9.3.2.1 genErr");
  TestKit::ClickRow(form_->ListView1, 0);
  PortBox(form_->PortFrame, 1)->SetChecked(true);
  TickEdit(form_->cbxDscp, form_->DSCPEdit, "10");
  TestKit::Click(form_->EditButton);
  ExpectCatalogueAccess();
  EXPECT_FALSE(form_->StatusBar1->Panels()->Items(0)->Text().IsEmpty());
  EXPECT_FALSE(form_->EditButton->Enabled());
  EXPECT_TRUE(form_->AddButton->Enabled());
  EXPECT_TRUE(form_->IPRuleEdit->Enabled());
  EXPECT_EQ(form_->ListView1->Selected(), nullptr);
  // What the user entered stays for a correction.
  EXPECT_EQ(form_->IPRuleEdit->Text(), "1");
  EXPECT_TRUE(form_->cbxDscp->Checked());
  EXPECT_EQ(form_->DSCPEdit->Text(), "10");
}

TEST_F(IPRuleFormTest, TheMenuOpenerCaptionsShowsAndClosesTheForm) {
  TFormOpener opener = FindFormOpener("TIPRuleForm");
  ASSERT_TRUE(opener != nullptr);
  AnsiString caption;
  int rows = -1;
  TestKit::OnNextModal<TIPRuleForm>([&](TIPRuleForm* f) {
    caption = f->Caption();
    rows = f->ListView1->Items()->Count();
    TestKit::ClickRow(f->ListView1, 0);
    f->Close();
  });
  opener(Application, "IP Rule: 127.0.0.1");
  EXPECT_EQ(caption, "IP Rule: 127.0.0.1");
  EXPECT_EQ(rows, 1);
  EXPECT_EQ(TestKit::PendingModalScripts(), 0);
}

}  // namespace
