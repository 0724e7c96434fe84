// The Ethernet access profile form against the simulated switch: the first
// read, the MAC mask columns an Add writes, the order of its checks, and
// Delete.
#include <memory>
#include <set>
#include <sstream>

#include "PagesTestSupport.h"
#include "catalogue/AclMib.h"
#include "forms/acl/EthernetMaskInformationFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

const std::string kColumn = "1.3.6.1.4.1.171.12.9.2.1.1.";

std::set<int> ColumnsOf(const std::string& line, int row) {
  std::set<int> columns;
  std::istringstream in(line);
  const std::string suffix = "." + std::to_string(row) + "=";
  for (std::string field; std::getline(in, field, '\t');) {
    if (field.rfind(kColumn, 0) != 0) continue;
    const std::string rest = field.substr(kColumn.size());
    const auto at = rest.find(suffix);
    if (at != std::string::npos) columns.insert(std::stoi(rest.substr(0, at)));
  }
  return columns;
}

class EthernetMaskFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TEthernetMaskInformationForm>(Application));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    if (form_) {
      form_->Hide();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  std::unique_ptr<TEthernetMaskInformationForm> form_;
};

TEST_F(EthernetMaskFormTest, OpensWithTheProfilesAndThePresets) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(form_->ListView1->Columns()->Count(), 10);
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Get: Ok!"), 1)
      << form_->StatusBar1->DisplayedText().str();
  EXPECT_EQ(form_->UseVLanComBo->Text(), "enabled");
  EXPECT_EQ(form_->Use8021pComBo->Text(), "disabled");
  EXPECT_EQ(form_->MacMaskStateComBo->Text(), "other");
  EXPECT_EQ(form_->UseEthTypeCombo->Text(), "disabled");
  EXPECT_EQ(form_->RowStatusComBo->Text(), "createAndGo");
  EXPECT_FALSE(form_->BT_Delete->Enabled());
  EXPECT_TRUE(FindFormOpener("TEthernetMaskInformationForm") != nullptr);
  EXPECT_TRUE(
      TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-EthernetMaskInformation.png"));
}

TEST_F(EthernetMaskFormTest, DestinationStateWithAnEmptyMaskLeavesBothMacMasksOut) {
  Open();
  form_->IDEdit->SetText("3");
  form_->MacMaskStateComBo->SetItemIndex(1);  // dst-mac-addr
  form_->MacAddMaskSourceEdit->SetText("FFFFFFFFFFFF");
  TestKit::Click(form_->AddBtn);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], 3), (std::set<int>{2, 3, 6, 7, 8})) << sets[0];
  EXPECT_NE(sets[0].find(kColumn + "8.3=INTEGER:4"), std::string::npos);
  EXPECT_EQ(form_->ListView1->Items()->Count(), 2);

  form_->IDEdit->SetText("4");
  form_->MacMaskStateComBo->SetItemIndex(3);  // dst-src-mac-addr
  form_->MacMaskDstEdit->SetText("ffffff000000");
  form_->MacAddMaskSourceEdit->SetText("FFFFFF000000");
  TestKit::Click(form_->AddBtn);
  const auto more = SetLines();
  ASSERT_EQ(more.size(), 2u);
  EXPECT_EQ(ColumnsOf(more[1], 4), (std::set<int>{2, 3, 4, 5, 6, 7, 8})) << more[1];
}

TEST_F(EthernetMaskFormTest, ChecksRunDuplicateFirstThenRowStatusThenMasks) {
  Open();
  {
    TestKit::DialogScript boxes;
    boxes.Expect("There is already a record with the same Ethernet Mask ID. Please modified it.");
    form_->IDEdit->SetText("1");
    form_->RowStatusComBo->SetItemIndex(0);
    TestKit::Click(form_->AddBtn);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Row Status must be createAndGo.");
    form_->IDEdit->SetText("2");
    TestKit::Click(form_->AddBtn);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Invalid MAC Address");
    form_->RowStatusComBo->SetItemIndex(3);
    form_->MacMaskStateComBo->SetItemIndex(3);  // dst-src-mac-addr
    form_->MacMaskDstEdit->SetText("FFFFFFFFFFFF");
    form_->MacAddMaskSourceEdit->SetText("FFFFFFFFFFF");
    TestKit::Click(form_->AddBtn);
    EXPECT_EQ(form_->ActiveControl(), form_->MacAddMaskSourceEdit);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Mask ID must be set");
    form_->IDEdit->SetText("");
    TestKit::Click(form_->AddBtn);
  }
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(EthernetMaskFormTest, DeleteSendsTheIndexAndDestroyOnly) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_FALSE(form_->AddBtn->Enabled());
  EXPECT_FALSE(form_->IDEdit->Enabled());
  TestKit::Click(form_->BT_Delete);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(ColumnsOf(sets[0], 1), (std::set<int>{8})) << sets[0];
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_TRUE(form_->AddBtn->Enabled());
  for (int i = 0; EthernetMaskInformationVars[i].Oid; ++i)
    EXPECT_EQ(form_->Request->Request.VarList.Item(i)->Access,
              EthernetMaskInformationVars[i].Access)
        << i;
}

}  // namespace
