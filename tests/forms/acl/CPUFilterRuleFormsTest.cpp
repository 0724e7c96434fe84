// The CPU-filter Ethernet and IP rule forms against the simulated switch: the
// first read, Add's VLAN condition, the columns Add and Edit write (the IP
// form's protocol mask and its permit value), Delete with the ports, a bad
// address typed into a ticked edit, and the Close button through the opener.
#include "RuleTestSupport.h"
#include "catalogue/AclMib.h"
#include "forms/acl/CPUFilterEthernetRuleUnit.h"
#include "forms/acl/CPUFilterIPRuleUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

using ruletest::ColumnsOf;
using ruletest::PortBox;

const std::string kEthColumn = "1.3.6.1.4.1.171.12.9.5.1.1.";
const std::string kIpColumn = "1.3.6.1.4.1.171.12.9.5.2.1.";

template <class F>
class CPUFilterRuleTest : public ruletest::RuleFormTest<F> {
 protected:
  // Keys, permit and row status ticked at their presets, port 1 ticked; the
  // VLAN too when given.
  void FillNewRule(const char* profile, const char* access, const char* vlan) {
    F* f = this->form_.get();
    this->FillKeys(f->ProfileIDEdit, profile, f->AccessEdit, access);
    if (vlan) this->TickEdit(f->cbxVlan, f->VlanRuleEdit, vlan);
  }
};

using CPUFilterEthernetRuleTest = CPUFilterRuleTest<TCPUFilterEthernetRuleForm>;
using CPUFilterIPRuleTest = CPUFilterRuleTest<TCPUFilterIPRuleForm>;

TEST_F(CPUFilterEthernetRuleTest, OpensWithTheRulesAndThePresets) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Columns()->Items(0)->Caption(), "Profile ID");
  EXPECT_EQ(form_->StaticText1->Text(), "1");
  EXPECT_FALSE(form_->EditButton->Enabled());
  EXPECT_EQ(form_->PermitComboBox->Text(), "permit");
  EXPECT_EQ(form_->PermitComboBox->Items()->Count(), 2);  // deny, permit
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  EXPECT_EQ(form_->Button1->Caption(), "Close");
  EXPECT_FALSE(form_->Request->AsyncMode);
  EXPECT_TRUE(FindFormOpener("TCPUFilterEthernetRuleForm") != nullptr);
  EXPECT_TRUE(
      TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-CPUFilterEthernetRule.png"));
}

TEST_F(CPUFilterEthernetRuleTest, AddNeedsAVlanAndWritesTheTickedFields) {
  Open();
  FillNewRule("2", "1", nullptr);
  TickEdit(form_->cbxSource, form_->SourceMACEdit, "00-05-5E-00-00-01");
  ExpectMessage("Invalid MAC Address", form_->SourceMACEdit, form_->AddButton);
  form_->SourceMACEdit->SetText("00055E000001");
  TickEdit(form_->cbxEtherType, form_->EthTypeEdit, "08000");
  ExpectMessage("Invalid Ethernet Type", form_->EthTypeEdit, form_->AddButton);
  form_->EthTypeEdit->SetText("0806");
  ExpectMessage("VLAN option must be checked and input a specific VLAN.", form_->VlanRuleEdit,
                form_->AddButton);
  form_->cbxVlan->SetChecked(true);
  ExpectMessage("Some check field is empty", form_->VlanRuleEdit, form_->AddButton);
  EXPECT_TRUE(SetLines().empty());
  ExpectCatalogueAccess(CPUFilterEthernetRuleVars);

  form_->VlanRuleEdit->SetText("default");
  form_->IEEE8021pEdit->SetText("3");  // not ticked: not written
  TestKit::Click(form_->AddButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find("\tnoError\t"), std::string::npos) << sets[0];
  // VLAN .3, source MAC .4, type .7, permit .8, row status .9, ports .10.
  EXPECT_EQ(ColumnsOf(sets[0], kEthColumn, "2.1"), (std::set<int>{3, 4, 7, 8, 9, 10})) << sets[0];
  EXPECT_EQ(Value(kEthColumn + "3.2.1"), "STRING:\"default\"");
  ASSERT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(form_->ProfileIDEdit->Text(), "");
  ExpectCatalogueAccess(CPUFilterEthernetRuleVars);
}

TEST_F(CPUFilterEthernetRuleTest, EditWritesThePortsAndDeleteCarriesThem) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_FALSE(form_->ProfileIDEdit->Enabled());
  EXPECT_EQ(form_->AccessEdit->Text(), "1");
  PortBox(form_->PortFrame, 1)->SetChecked(true);
  PortBox(form_->PortFrame, 4)->SetChecked(true);
  TickEdit(form_->cbxIEEE802dot1P, form_->IEEE8021pEdit, "5");
  TestKit::Click(form_->EditButton);
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_TRUE(PortBox(form_->PortFrame, 4)->Checked());
  TestKit::Click(form_->DeleteButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(ColumnsOf(sets[0], kEthColumn, "1.1"), (std::set<int>{6, 10})) << sets[0];
  EXPECT_EQ(ColumnsOf(sets[1], kEthColumn, "1.1"), (std::set<int>{9, 10})) << sets[1];
  EXPECT_NE(sets[1].find(kEthColumn + "9.1.1=INTEGER:6"), std::string::npos) << sets[1];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");  // a new entry's
  ExpectCatalogueAccess(CPUFilterEthernetRuleVars);
}

TEST_F(CPUFilterEthernetRuleTest, CloseButtonEndsTheModalForm) {
  TFormOpener opener = FindFormOpener("TCPUFilterEthernetRuleForm");
  ASSERT_TRUE(opener != nullptr);
  AnsiString caption;
  TestKit::OnNextModal<TCPUFilterEthernetRuleForm>([&](TCPUFilterEthernetRuleForm* f) {
    caption = f->Caption();
    TestKit::Click(f->Button1);
  });
  opener(Application, "Ethernet Rule (CPU Filter): 127.0.0.1");
  EXPECT_EQ(caption, "Ethernet Rule (CPU Filter): 127.0.0.1");
  EXPECT_EQ(TestKit::PendingModalScripts(), 0);
}

TEST_F(CPUFilterIPRuleTest, OpensWithTheRulesAndNoProtocolChosen) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Columns()->Items(16)->Caption(), "Port");
  EXPECT_EQ(form_->ProtocolComboBox->ItemIndex(), -1);
  EXPECT_EQ(form_->PermitComboBox->Items()->Count(), 2);
  EXPECT_EQ(form_->PermitComboBox->Text(), "permit");
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  EXPECT_TRUE(FindFormOpener("TCPUFilterIPRuleForm") != nullptr);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-CPUFilterIPRule.png"));
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_NE(form_->ProtocolComboBox->ItemIndex(), -1);  // the row's protocol shown
}

TEST_F(CPUFilterIPRuleTest, TheTickedProtocolMasksItsFieldsAndIsNeverWritten) {
  Open();
  // The field checks run in the form's order: protocol ID before ports.
  FillNewRule("3", "1", "v10");
  form_->cbxSourcePort->SetChecked(true);
  form_->cbxProtocolID->SetChecked(true);
  ExpectMessage("Some check field is empty", form_->ProtocolIDEdit, form_->AddButton);
  form_->cbxProtocol->SetChecked(true);
  ExpectMessage("Some check field is empty", form_->ProtocolComboBox, form_->AddButton);
  form_->ProtocolComboBox->SetItemIndex(4);  // udp
  TickEdit(form_->cbxProtocolID, form_->ProtocolIDEdit, "17");
  TickEdit(form_->cbxSourcePort, form_->SourcePortEdit, "68");
  TickEdit(form_->cbxType, form_->TypeEdit, "8");
  TickEdit(form_->cbxFlagBit, form_->FlagBitEdit, "2");
  TickEdit(form_->cbxDestination, form_->DestIPEdit, "192.168.100.200");
  TestKit::Click(form_->AddButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find("\tnoError\t"), std::string::npos) << sets[0];
  // VLAN .3, destination .5, source port .10, permit .15, row status .16,
  // ports .17; neither the protocol .7 nor type, flags or protocol ID.
  EXPECT_EQ(ColumnsOf(sets[0], kIpColumn, "3.1"), (std::set<int>{3, 5, 10, 15, 16, 17})) << sets[0];
  EXPECT_EQ(Value(kIpColumn + "5.3.1"), "IpAddress:192.168.100.200");
  ExpectCatalogueAccess(CPUFilterIPRuleVars);
}

TEST_F(CPUFilterIPRuleTest, EditAlwaysWritesPermitAndPortsAndDeleteCarriesThePorts) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  PortBox(form_->PortFrame, 2)->SetChecked(true);
  form_->PermitComboBox->SetItemIndex(0);  // deny, box not ticked
  TickEdit(form_->cbxDSCP, form_->DSCPEdit, "63");
  TestKit::Click(form_->EditButton);
  EXPECT_EQ(Value(kIpColumn + "15.1.1"), "INTEGER:1");
  TestKit::ClickRow(form_->ListView1, 0);
  TestKit::Click(form_->DeleteButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(ColumnsOf(sets[0], kIpColumn, "1.1"), (std::set<int>{6, 15, 17})) << sets[0];
  EXPECT_EQ(ColumnsOf(sets[1], kIpColumn, "1.1"), (std::set<int>{16, 17})) << sets[1];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  ExpectCatalogueAccess(CPUFilterIPRuleVars);
}

TEST_F(CPUFilterIPRuleTest, ABadAddressTypedIntoATickedEditIsNeverSent) {
  Open();
  FillNewRule("3", "2", "v10");
  form_->cbxSource->SetChecked(true);
  // The edit's own constraint judges the address when the focus leaves it.
  TestKit::TypeText(form_->SourceIPEdit, "1.2.3");
  {
    TestKit::DialogScript boxes;
    boxes.Expect(" Please enter a valid IP address!");
    TestKit::Click(form_->AddButton);
  }
  EXPECT_EQ(form_->SourceIPEdit->Text(), "");
  EXPECT_TRUE(SetLines().empty());
}

}  // namespace
