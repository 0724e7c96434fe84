// The server information form against the simulated switch: the first read,
// the checks before an Add, an Add that sends only the filled fields, an
// Edit that leaves an emptied key alone, and deleting through Edit.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "forms/security/ServerInfoUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

const std::string kServer = "1.3.6.1.4.1.171.12.5.10.1.";

class ServerInfoFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TServerInformationForm>(Application));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    if (form_) {
      form_->Hide();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  TListView* List() const { return form_->ListView1; }
  int RowOf(const char* ip, const char* protocol) const {
    for (int i = 0; i < List()->Items()->Count(); ++i) {
      TListItem* item = List()->Items()->Item(i);
      if (item->Caption() == ip && item->SubItems()->Strings(0) == protocol) return i;
    }
    return -1;
  }
  std::unique_ptr<TServerInformationForm> form_;
};

TEST_F(ServerInfoFormTest, OpensWithTheServersAndTheirKeysFixedOnSelection) {
  Open();
  ASSERT_EQ(List()->Items()->Count(), 1);
  EXPECT_EQ(List()->Items()->Item(0)->Caption(), "10.90.90.20");
  EXPECT_EQ(List()->Items()->Item(0)->SubItems()->Strings(0), "RADIUS");
  EXPECT_EQ(form_->Static->Caption(), "1");
  EXPECT_FALSE(form_->Request->AsyncMode);
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Get: Ok!"), 1)
      << form_->StatusBar1->DisplayedText().str();
  EXPECT_EQ(form_->RowComboBox->Text(), "createAndGo");
  EXPECT_NE(FindFormOpener("TServerInformationForm"), nullptr);
  TestKit::ClickRow(List(), 0);
  EXPECT_FALSE(form_->IPEdit->Enabled());
  EXPECT_FALSE(form_->ProtocolComboBox->Enabled());
  EXPECT_TRUE(form_->EditButton->Enabled());
  EXPECT_EQ(form_->IPEdit->Text(), "10.90.90.20");
  EXPECT_TRUE(
      TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-ServerInformationForm.png"));
  // Out of range values are refused by the edits themselves.
  TestKit::TypeText(form_->PortEdit, "123456");
  EXPECT_EQ(form_->PortEdit->Text().Length(), 5);
}

TEST_F(ServerInfoFormTest, AddChecksTheKeyAndSendsOnlyFilledFields) {
  Open();
  TestKit::DialogScript dialogs;
  dialogs.Expect("Server IP must be set.")
      .Expect("Protocol must be set.")
      .Expect(
          "Has already a record with the same Server IP and Protocol. Please Change Server IP or "
          "Protocol.");
  TestKit::Click(form_->AddButton);
  form_->IPEdit->SetText("10.90.90.20");
  TestKit::Click(form_->AddButton);
  EXPECT_TRUE(form_->ProtocolComboBox->Focused());
  TestKit::PickItem(form_->ProtocolComboBox, 3);  // RADIUS
  TestKit::Click(form_->AddButton);
  EXPECT_TRUE(SetLines().empty());

  // The same address with another protocol is another server.
  TestKit::PickItem(form_->ProtocolComboBox, 0);  // TACACS
  form_->TimeoutEdit->SetText("9");
  TestKit::Click(form_->AddButton);
  ASSERT_EQ(SetLines().size(), 1u);
  const std::string set = SetLines()[0];
  const std::string row = ".10.90.90.20.1=";
  EXPECT_NE(set.find(kServer + "7" + row + "INTEGER:4"), std::string::npos) << set;
  EXPECT_NE(set.find(kServer + "5" + row + "INTEGER:9"), std::string::npos) << set;
  for (const char* column : {"3", "4", "6"})
    EXPECT_EQ(set.find(kServer + column + row), std::string::npos) << column << " " << set;
  EXPECT_GE(RowOf("10.90.90.20", "TACACS"), 0);
  EXPECT_EQ(form_->Static->Caption(), "2");
  EXPECT_EQ(form_->TimeoutEdit->Text(), "");
}

TEST_F(ServerInfoFormTest, EditLeavesAnEmptiedKeyAloneAndDestroyDeletes) {
  Control("set " + kServer + "4.10.90.90.20.4 s secret");
  Open();
  TestKit::ClickRow(List(), RowOf("10.90.90.20", "RADIUS"));
  EXPECT_EQ(form_->KeyEdit->Text(), "secret");
  form_->KeyEdit->SetText("");
  form_->PortEdit->SetText("1812");
  TestKit::Click(form_->EditButton);
  ASSERT_EQ(SetLines().size(), 1u);
  const std::string row = ".10.90.90.20.4=";
  EXPECT_NE(SetLines()[0].find(kServer + "3" + row + "INTEGER:1812"), std::string::npos)
      << SetLines()[0];
  EXPECT_EQ(SetLines()[0].find(kServer + "4" + row), std::string::npos) << SetLines()[0];
  EXPECT_EQ(SetLines()[0].find(kServer + "7" + row), std::string::npos) << SetLines()[0];
  EXPECT_EQ(Value(kServer + "4.10.90.90.20.4"), "STRING:\"secret\"");

  TestKit::ClickRow(List(), RowOf("10.90.90.20", "RADIUS"));
  form_->RowComboBox->SetItemIndex(5);
  TestKit::Click(form_->EditButton);
  ASSERT_EQ(SetLines().size(), 2u);
  EXPECT_NE(SetLines()[1].find(kServer + "7" + row + "INTEGER:6"), std::string::npos)
      << SetLines()[1];
  EXPECT_EQ(List()->Items()->Count(), 0);
  EXPECT_EQ(form_->Static->Caption(), "0");
  for (int i = 2; i <= 5; ++i) EXPECT_EQ(form_->Request->Request.VarList.Item(i)->Access, 6u) << i;
}

// A row whose protocol the list does not name shows no protocol: it is
// the row's key as the switch holds it, and the field the user changed is
// written to that row.
TEST_F(ServerInfoFormTest, AnUntouchedKeyOutsideTheListKeepsNoEditBack) {
  Control("set " + kServer + "3.10.90.90.50.9 i 49");
  Open();
  const int row = RowOf("10.90.90.50", "9");
  ASSERT_GE(row, 0);
  TestKit::ClickRow(List(), row);
  ASSERT_EQ(form_->ProtocolComboBox->ItemIndex(), -1);
  form_->PortEdit->SetText("1813");
  TestKit::Click(form_->EditButton);  // a message box fails the test
  EXPECT_EQ(Value(kServer + "3.10.90.90.50.9"), "INTEGER:1813");
}

}  // namespace
