// The packet-content rule form against the simulated switch: the first read,
// what Add writes (chunks as octets, never the reported offsets), the order
// of the checks, Edit with and without a ticked "destroy", and Delete.
#include "RuleTestSupport.h"
#include "catalogue/AclMib.h"
#include "forms/acl/PacketContentRuleFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

using ruletest::ColumnsOf;
using ruletest::PortBox;

const std::string kColumn = "1.3.6.1.4.1.171.12.9.3.7.1.";

class PktContentRuleFormTest : public ruletest::RuleFormTest<TPktContentRuleForm> {
 protected:
  void ExpectCatalogueAccess() { RuleFormTest::ExpectCatalogueAccess(PktContentRuleVars); }
  void FillNewRule(const char* profile, const char* access) {
    FillKeys(form_->edtProfile, profile, form_->edtAccess, access, 2);
  }
};

TEST_F(PktContentRuleFormTest, OpensWithTheRulesAndThePresets) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(form_->ListView1->Columns()->Items(16)->Caption(), "Enable Replace DSCP");
  EXPECT_EQ(form_->StaticText1->Text(), "1");
  EXPECT_TRUE(form_->AddButton->Enabled());
  EXPECT_FALSE(form_->EditButton->Enabled());
  EXPECT_EQ(form_->PriorityComboBox->Text(), "disabled");
  EXPECT_EQ(form_->PermitComboBox->Text(), "permit");
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  EXPECT_EQ(form_->EnableReplaceDSCPComboBox->Text(), "disabled");
  EXPECT_FALSE(form_->cbxPriority->Enabled());
  EXPECT_FALSE(form_->DSCPEdit->Enabled());
  EXPECT_FALSE(form_->cbxEnableDSCPValue->Enabled());
  EXPECT_FALSE(form_->edtTimeRange->Visible());
  EXPECT_EQ(form_->cbxEnableDSCPValue->Caption(), " Replace DSCP Value");
  EXPECT_FALSE(form_->Request->AsyncMode);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-PktContentRule.png"));
}

TEST_F(PktContentRuleFormTest, AddWritesTheTickedChunksAsOctetsAndNeverTheOffsets) {
  Open();
  FillNewRule("2", "5");
  TickEdit(form_->cbxChunk1Offset, form_->edtChunk1Offset, "0000abCD");
  TickEdit(form_->cbxChunk3Offset, form_->edtChunk3Offset, "12345678");
  form_->edtChunk2Value->SetText("77");         // shown only
  form_->edtChunk4Offset->SetText("FFFFFFFF");  // not ticked
  TestKit::Click(form_->AddButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  // Chunk1 .4, Chunk3 .8, permit .16, ports .17, row status .18; the
  // priority stays out while it is disabled.
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "2.5"), (std::set<int>{4, 8, 16, 17, 18})) << sets[0];
  EXPECT_NE(sets[0].find(kColumn + "18.2.5=INTEGER:4"), std::string::npos) << sets[0];
  ASSERT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(form_->ListView1->Items()->Item(1)->SubItems()->Strings(2), "0000ABCD");
  EXPECT_EQ(form_->ListView1->Items()->Item(1)->SubItems()->Strings(6), "12345678");
  EXPECT_FALSE(form_->EditButton->Enabled());
  EXPECT_EQ(form_->edtProfile->Text(), "");
  ExpectCatalogueAccess();

  // The same keys again: the duplicate message, nothing sent.
  FillNewRule("2", "5");
  ExpectMessage(
      "Has already a record with the same IP Rule ID and Access ID. Please change eithor of them.",
      form_->edtProfile, form_->AddButton);
  form_->edtAccess->SetText("6");
  form_->RowComboBox->SetItemIndex(0);  // active
  ExpectMessage("Row State must be checked and set to createAndGo.", form_->RowComboBox,
                form_->AddButton);
  EXPECT_EQ(SetLines().size(), 1u);
}

TEST_F(PktContentRuleFormTest, InputChecksComeInTheirOrderAndSendNothing) {
  Open();
  TButton* add = form_->AddButton;
  ExpectMessage("IP Rule ID must be set.", form_->edtProfile, add);
  form_->edtProfile->SetText("3");
  ExpectMessage("IP Rule Access ID must be set.", form_->edtAccess, add);
  form_->edtAccess->SetText("1");
  form_->cbxChunk2Offset->SetChecked(true);
  ExpectMessage("Some checked field is empty", form_->edtChunk2Offset, add);
  form_->edtChunk2Offset->SetText("0000FFF");
  ExpectMessage("Invalid Offset", form_->edtChunk2Offset, add);
  form_->edtChunk2Offset->SetText("0000FFFG");
  ExpectMessage("Invalid Offset", form_->edtChunk2Offset, add);
  form_->edtChunk2Offset->SetText("0000fFfF");
  TickEdit(form_->cbxRxRate, form_->RxRateEdit, "156250");
  ExpectMessage("Rx Rate should between 0-156249", form_->RxRateEdit, add);
  form_->RxRateEdit->SetText("156249");
  // A ticked value box whose edit is switched off: the message, the focus
  // stays on the clicked button.
  form_->cbxEnableDSCPValue->SetChecked(true);
  ExpectMessage("Some check field is empty", add, add);
  form_->cbxEnableDSCPValue->SetChecked(false);
  ExpectMessage("You must choose at least 1 port!", nullptr, add);
  EXPECT_TRUE(SetLines().empty());
  ExpectCatalogueAccess();

  // Check All: the disabled priority and replace-DSCP boxes stay unticked.
  TestKit::Click(form_->CheckButton);
  EXPECT_TRUE(form_->cbxChunk4Offset->Checked());
  EXPECT_TRUE(form_->cbxRow->Checked());
  EXPECT_FALSE(form_->cbxPriority->Checked());
  EXPECT_FALSE(form_->cbxEnableReplaceDSCP->Checked());
  TestKit::Click(form_->UncheckButton);
  EXPECT_FALSE(form_->cbxChunk4Offset->Checked());
  EXPECT_FALSE(form_->cbxRxRate->Checked());
}

TEST_F(PktContentRuleFormTest, EditRemovesTheRuleOnlyWithTheRowStatusTicked) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_TRUE(form_->EditButton->Enabled());
  EXPECT_FALSE(form_->edtProfile->Enabled());
  EXPECT_EQ(form_->edtAccess->Text(), "1");
  // "destroy" chosen, its box unticked: an ordinary Edit.
  PortBox(form_->PortFrame, 3)->SetChecked(true);
  TickEdit(form_->cbxRxRate, form_->RxRateEdit, "500");
  form_->RowComboBox->SetItemIndex(PktContentRuleRowStatusOption::kDestroy);
  TestKit::Click(form_->EditButton);
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "1.1"), (std::set<int>{17, 20})) << sets[0];
  EXPECT_EQ(Value(kColumn + "20.1.1"), "INTEGER:500");
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  ExpectCatalogueAccess();

  // Ticked: the Edit sends only the row status "destroy".
  TestKit::ClickRow(form_->ListView1, 0);
  PortBox(form_->PortFrame, 3)->SetChecked(true);
  form_->cbxRow->SetChecked(true);
  form_->RowComboBox->SetItemIndex(PktContentRuleRowStatusOption::kDestroy);
  TestKit::Click(form_->EditButton);
  sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(ColumnsOf(sets[1], kColumn, "1.1"), (std::set<int>{18})) << sets[1];
  EXPECT_NE(sets[1].find(kColumn + "18.1.1=INTEGER:6"), std::string::npos) << sets[1];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  ExpectCatalogueAccess();
}

TEST_F(PktContentRuleFormTest, DeleteSendsTheRowStatusAndShowsANewEntry) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  TestKit::Click(form_->DeleteButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], kColumn, "1.1"), (std::set<int>{18})) << sets[0];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  EXPECT_TRUE(form_->AddButton->Enabled());
  ExpectCatalogueAccess();
}

TEST_F(PktContentRuleFormTest, TheMenuOpenerCaptionsShowsAndClosesTheForm) {
  TFormOpener opener = FindFormOpener("TPktContentRuleForm");
  ASSERT_TRUE(opener != nullptr);
  AnsiString caption;
  TestKit::OnNextModal<TPktContentRuleForm>([&](TPktContentRuleForm* f) {
    caption = f->Caption();
    f->Close();
  });
  opener(Application, "Packet Content Rule Information: 127.0.0.1");
  EXPECT_EQ(caption, "Packet Content Rule Information: 127.0.0.1");
  EXPECT_EQ(TestKit::PendingModalScripts(), 0);
}

}  // namespace
