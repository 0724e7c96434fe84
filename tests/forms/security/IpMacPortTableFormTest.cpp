// The IP-MAC binding table and the DHCP server screening permit table
// against the simulated switch: the list and the selected entry, Add, Edit
// and Delete with their SETs, the input checks and the device's refusals.
#include <memory>

#include "PagesTestSupport.h"
#include "forms/security/FilterDHCPPermitFormUnit.h"
#include "forms/security/IPMACBindingFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kBinding = "1.3.6.1.4.1.171.12.23.4.1.1";
const std::string kPermit = "1.3.6.1.4.1.171.12.37.1.1.1";

template <class T>
class TableFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<T>(Application));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    if (form_) {
      TCloseAction action = caFree;
      form_->FormClose(form_.get(), action);
    }
    form_.reset();
    PagesDeviceTest::TearDown();
  }
  TListView* List() const { return form_->ListView1; }
  int RowOf(const char* caption) const {
    for (int i = 0; i < List()->Items()->Count(); ++i)
      if (List()->Items()->Item(i)->Caption() == caption) return i;
    return -1;
  }
  TCheckBox* Port(int port) const {
    return static_cast<TCheckBox*>(form_->PortFrame->PortCheckBoxes->Items(port - 1));
  }
  void Fill(const char* ip, const char* mac) {
    form_->edtIpAddr->SetText(ip);
    form_->edtMacAddr->SetText(mac);
  }
  void ClickExpecting(TButton* button, const char* message) {
    TestKit::DialogScript boxes;
    boxes.Expect(message);
    TestKit::Click(button);
    EXPECT_EQ(boxes.Pending(), 0) << message;
  }
  std::string Status() const { return form_->StatusBar1->DisplayedText().str(); }
  // The entry is reset: nothing to edit or delete, both edits empty.
  void ExpectReset() const {
    EXPECT_FALSE(form_->btnEdit->Enabled());
    EXPECT_FALSE(form_->btnDelete->Enabled());
    EXPECT_TRUE(form_->edtIpAddr->Enabled());
    EXPECT_EQ(form_->edtIpAddr->Text(), "");
    EXPECT_EQ(form_->edtMacAddr->Text(), "");
  }

  std::unique_ptr<T> form_;
};

using IpMacBindingFormTest = TableFormTest<TIPMACBindingForm>;
using FilterDhcpPermitFormTest = TableFormTest<TFilterDHCPPermitForm>;

TEST_F(IpMacBindingFormTest, ListsTheEntriesAndShowsTheSelectedOne) {
  Control("set " + kBinding + ".2.10.90.90.30 x 00055E0000AB");
  Control("set " + kBinding + ".4.10.90.90.30 x 40000000");
  Open();
  ASSERT_EQ(List()->Items()->Count(), 1);
  EXPECT_EQ(List()->Columns()->Items(0)->Caption(), "IP Index");
  EXPECT_EQ(List()->Items()->Item(0)->Caption(), "10.90.90.30");
  EXPECT_EQ(List()->Items()->Item(0)->SubItems()->Strings(0), "00055E0000AB");
  EXPECT_NE(Status().find("Ok!"), std::string::npos) << Status();
  ExpectReset();
  EXPECT_TRUE(form_->btnEdit->Visible());
  EXPECT_FALSE(form_->ComboStatus->Visible());

  TestKit::ClickRow(List(), 0);
  EXPECT_EQ(form_->edtIpAddr->Text(), "10.90.90.30");
  EXPECT_EQ(form_->edtMacAddr->Text(), "00055E0000AB");
  EXPECT_TRUE(Port(2)->Checked());
  EXPECT_FALSE(Port(1)->Checked());
  EXPECT_FALSE(form_->edtIpAddr->Enabled());
  EXPECT_TRUE(form_->edtMacAddr->Enabled());
  EXPECT_TRUE(form_->btnEdit->Enabled());
  EXPECT_TRUE(form_->btnDelete->Enabled());
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-IPMACBinding.png"));

  TestKit::ClickEmpty(List());
  ExpectReset();
  EXPECT_FALSE(Port(2)->Checked());
}

TEST_F(IpMacBindingFormTest, AddCreatesTheEntryInOneSet) {
  Open();
  Fill("10.1.1.5", "00055e0000aa");
  Port(1)->SetChecked(true);
  Port(2)->SetChecked(true);
  TestKit::Click(form_->btnAdd);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kBinding + ".2.10.1.1.5=Hex-STRING:00 05 5E 00 00 AA"), std::string::npos)
      << sets[0];
  EXPECT_NE(sets[0].find(kBinding + ".3.10.1.1.5=INTEGER:4"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kBinding + ".4.10.1.1.5=Hex-STRING:C0 00 00 00"), std::string::npos)
      << sets[0];
  EXPECT_EQ(sets[0].find(kBinding + ".1."), std::string::npos) << sets[0];
  // Read again: the new entry is listed and the entry fields are empty.
  EXPECT_GE(RowOf("10.1.1.5"), 0);
  ExpectReset();
  EXPECT_FALSE(Port(1)->Checked());
}

TEST_F(IpMacBindingFormTest, InputChecksComeInOrderAndSendNothing) {
  Open();
  Fill("", "");
  ClickExpecting(form_->btnAdd, "Please input a valid IP");
  Fill("10.1.1.256", "00055E000001");
  ClickExpecting(form_->btnAdd, "Please input a valid IP");
  Fill("10.1.1.5", "00-05-5E-00-00-01");
  ClickExpecting(form_->btnAdd, "Invalid MAC address");
  Fill("10.1.1.5", "00055E00000");
  ClickExpecting(form_->btnAdd, "Invalid MAC address");
  EXPECT_TRUE(SetLines().empty());

  // No port ticked: the entry is made with an empty port list.
  Fill("10.1.1.5", "00055E000001");
  TestKit::Click(form_->btnAdd);
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_EQ(Value(kBinding + ".4.10.1.1.5"), "Hex-STRING:00 00 00 00");
}

TEST_F(IpMacBindingFormTest, EditRewritesMacStatusAndPortsOfTheSelectedEntry) {
  Control("set " + kBinding + ".4.10.90.90.30 x 40000000");
  Open();
  TestKit::ClickRow(List(), 0);
  form_->edtMacAddr->SetText("00055E000009");
  Port(10)->SetChecked(true);
  TestKit::Click(form_->btnEdit);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kBinding + ".2.10.90.90.30=Hex-STRING:00 05 5E 00 00 09"),
            std::string::npos)
      << sets[0];
  EXPECT_NE(sets[0].find(kBinding + ".3.10.90.90.30=INTEGER:1"), std::string::npos) << sets[0];
  EXPECT_EQ(Value(kBinding + ".4.10.90.90.30"), "Hex-STRING:40 40 00 00");
  ExpectReset();
}

TEST_F(IpMacBindingFormTest, DeleteDestroysTheEntryWithoutItsPorts) {
  Open();
  TestKit::ClickRow(List(), 0);
  TestKit::Click(form_->btnDelete);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kBinding + ".3.10.90.90.30=INTEGER:6"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kBinding + ".2.10.90.90.30="), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(kBinding + ".4."), std::string::npos) << sets[0];
  EXPECT_EQ(List()->Items()->Count(), 0);
  EXPECT_EQ(form_->Request->Request.VarList.Item(3)->Access, 6u);
  ExpectReset();
}

// Add makes a new entry, Edit and Delete act on the selected one: Add is on
// exactly while no row is selected (it would create the selected entry
// again), Edit and Delete exactly while one is.
TEST_F(IpMacBindingFormTest, AddIsOnExactlyWhileNoRowIsSelected) {
  Open();
  EXPECT_TRUE(form_->btnAdd->Enabled());
  TestKit::ClickRow(List(), 0);
  EXPECT_FALSE(form_->btnAdd->Enabled());
  EXPECT_TRUE(form_->btnEdit->Enabled());
  TestKit::ClickEmpty(List());
  EXPECT_TRUE(form_->btnAdd->Enabled());
  EXPECT_FALSE(form_->btnEdit->Enabled());
}

// A write the switch refuses: no row stays selected (the list is read
// again), the refusal stays the status line, and the entry keeps what the
// user typed and ticked, so that what is shown is what the next write
// sends. After a refused Delete, whose fields were the row's, the fields
// are those of a new entry: no port stays ticked.
TEST_F(IpMacBindingFormTest, ARefusedWriteKeepsWhatWasTypedAndSelectsNoRow) {
  Open();
  const struct {
    const char* name;
    bool selectRow;
    TButton* TIpMacPortTableForm::*button;
    const char* ip;  // typed into an Add's empty entry
    const char* mac;
    int port;
    bool kept;
  } writes[] = {
      {"Add", false, &TIpMacPortTableForm::btnAdd, "10.1.1.5", "00055E000001", 3, true},
      {"Edit", true, &TIpMacPortTableForm::btnEdit, nullptr, "00055E000009", 10, true},
      {"Delete", true, &TIpMacPortTableForm::btnDelete, nullptr, nullptr, 0, false},
  };
  for (const auto& w : writes) {
    SCOPED_TRACE(w.name);
    if (w.selectRow) TestKit::ClickRow(List(), 0);
    const std::string ip = w.ip ? w.ip : form_->edtIpAddr->Text().str();
    if (w.ip) form_->edtIpAddr->SetText(w.ip);
    if (w.mac) form_->edtMacAddr->SetText(w.mac);
    if (w.port) Port(w.port)->SetChecked(true);
    Control("inject set " + kBinding + " genErr");
    TestKit::Click(form_.get()->*w.button);
    ASSERT_TRUE(WaitIdle(*form_->Request));  // the list read again
    EXPECT_EQ(Status().rfind("Set: ", 0), 0u) << Status();
    EXPECT_EQ(Status().find("Ok!"), std::string::npos) << Status();
    EXPECT_EQ(List()->Selected(), nullptr);
    EXPECT_EQ(List()->Items()->Count(), 1);
    EXPECT_FALSE(form_->btnEdit->Enabled());
    EXPECT_FALSE(form_->btnDelete->Enabled());
    EXPECT_TRUE(form_->btnAdd->Enabled());
    EXPECT_TRUE(form_->edtIpAddr->Enabled());
    EXPECT_EQ(form_->edtIpAddr->Text(), w.kept ? ip.c_str() : "");
    EXPECT_EQ(form_->edtMacAddr->Text(), w.kept ? w.mac : "");
    for (int p = 1; p <= 10; ++p)
      EXPECT_EQ(Port(p)->Checked(), w.kept && p == w.port) << "port " << p;
    EXPECT_EQ(form_->Request->Request.VarList.Item(3)->Access, 6u);
    TestKit::ClickEmpty(List());
  }
  EXPECT_EQ(SetLines().size(), 3u);
}

// Edit judges what the user changed: a MAC address the switch holds in
// another length passes untouched and goes back as it is with the ports the
// user ticked; the same address edited is judged.
TEST_F(IpMacBindingFormTest, AnUntouchedMacAddressIsNotJudgedOnEdit) {
  Control("set " + kBinding + ".2.10.90.90.30 x 00055E");
  Control("set " + kBinding + ".4.10.90.90.30 x 40000000");
  Open();
  TestKit::ClickRow(List(), 0);
  EXPECT_EQ(form_->edtMacAddr->Text(), "00055E");
  Port(3)->SetChecked(true);
  TestKit::Click(form_->btnEdit);  // a message box fails the test
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_EQ(Value(kBinding + ".4.10.90.90.30"), "Hex-STRING:60 00 00 00");
  EXPECT_EQ(Value(kBinding + ".2.10.90.90.30"), "Hex-STRING:00 05 5E");

  TestKit::ClickRow(List(), 0);
  Typed(form_->edtMacAddr, "00055E00");
  ClickExpecting(form_->btnEdit, "Invalid MAC address");
  // A new entry's address is judged, whatever a row showed before.
  TestKit::ClickRow(List(), 0);
  TestKit::ClickEmpty(List());
  Fill("10.1.1.7", "00055E");
  ClickExpecting(form_->btnAdd, "Invalid MAC address");
  EXPECT_EQ(SetLines().size(), 1u);
}

TEST_F(FilterDhcpPermitFormTest, BothAddressesAreTheKeyAndThereIsNoEdit) {
  Open();
  EXPECT_FALSE(form_->btnEdit->Visible());
  ASSERT_EQ(List()->Items()->Count(), 1);
  TestKit::ClickRow(List(), 0);
  EXPECT_EQ(form_->edtIpAddr->Text(), "10.90.90.60");
  EXPECT_EQ(form_->edtMacAddr->Text(), "000A5E581061");
  EXPECT_FALSE(form_->edtIpAddr->Enabled());
  EXPECT_FALSE(form_->edtMacAddr->Enabled());
  EXPECT_TRUE(form_->btnDelete->Enabled());
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-FilterDHCPPermit.png"));
  TestKit::ClickEmpty(List());
  EXPECT_TRUE(form_->edtMacAddr->Enabled());
  EXPECT_EQ(form_->edtMacAddr->Text(), "");
}

TEST_F(FilterDhcpPermitFormTest, AddNeedsAPortBeforeTheAddresses) {
  Open();
  Fill("", "");
  ClickExpecting(form_->btnAdd, "Please select a certain portlist to configure!");
  Port(3)->SetChecked(true);
  ClickExpecting(form_->btnAdd, "Please input a valid IP");
  Fill("10.1.1.1", "0005");
  ClickExpecting(form_->btnAdd, "Invalid MAC address");
  EXPECT_TRUE(SetLines().empty());

  Fill("10.1.1.1", "00055E000001");
  TestKit::Click(form_->btnAdd);
  const std::string row = ".10.1.1.1.0.5.94.0.0.1";
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kPermit + ".3" + row + "=Hex-STRING:20 00 00 00"), std::string::npos)
      << sets[0];
  EXPECT_NE(sets[0].find(kPermit + ".4" + row + "=INTEGER:4"), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(kPermit + ".1."), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(kPermit + ".2."), std::string::npos) << sets[0];
  EXPECT_EQ(List()->Items()->Count(), 2);
}

TEST_F(FilterDhcpPermitFormTest, DeleteSendsOnlyTheStatus) {
  Open();
  TestKit::ClickRow(List(), 0);
  TestKit::Click(form_->btnDelete);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kPermit + ".4.10.90.90.60.0.10.94.88.16.97=INTEGER:6"), std::string::npos)
      << sets[0];
  EXPECT_EQ(sets[0].find(kPermit + ".3."), std::string::npos) << sets[0];
  EXPECT_EQ(List()->Items()->Count(), 0);
}

TEST(SecurityTableOpeners, MenuOpenersShowTheForms) {
  for (const char* name : {"TIPMACBindingForm", "TFilterDHCPPermitForm"})
    EXPECT_NE(FindFormOpener(name), nullptr) << name;
}

}  // namespace
