// The IPv6 access profile form against the simulated switch: the first
// read with its presets and row count, the columns an Add writes per mask
// state, the order of the checks, and Delete.
#include <memory>
#include <set>

#include "AclFormTestSupport.h"
#include "PagesTestSupport.h"
#include "catalogue/AclMib.h"
#include "forms/acl/IPv6MaskInfoFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

const std::string kTable = "1.3.6.1.4.1.171.12.9.2.4.1.";
const std::string kMask = "FFFFFFFFFFFFFFFF0000000000000000";

class IPv6MaskFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TIPv6MaskInfoForm>(Application));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    if (form_) {
      form_->Hide();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  void ExpectCatalogueAccess() {
    for (int i = 0; IPv6MaskInfoVars[i].Oid; ++i)
      EXPECT_EQ(form_->Request->Request.VarList.Item(i)->Access, IPv6MaskInfoVars[i].Access) << i;
  }
  std::unique_ptr<TIPv6MaskInfoForm> form_;
};

TEST_F(IPv6MaskFormTest, OpensWithTheProfilesThePresetsAndTheRowCount) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(form_->ListView1->Columns()->Count(), 9);
  EXPECT_EQ(form_->cbxMaskClass->Text(), "disable");
  EXPECT_EQ(form_->cbxMaskFlowlabel->Text(), "disable");
  EXPECT_EQ(form_->cbxMaskState->Text(), "other");
  EXPECT_EQ(form_->cbxStatus->Text(), "createAndGo");
  EXPECT_EQ(form_->cbxOwner->Text(), "acl");
  EXPECT_EQ(form_->Static->Text(), "1");
  EXPECT_FALSE(form_->Static->Visible());
  EXPECT_FALSE(form_->EditButton->Visible());
  EXPECT_FALSE(form_->DeleteButton->Enabled());
  EXPECT_TRUE(FindFormOpener("TIPv6MaskInfoForm") != nullptr);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-IPv6MaskInfo.png"));
}

TEST_F(IPv6MaskFormTest, MaskStateDecidesWhichColumnsAnAddWrites) {
  Open();
  form_->edtMaskID->SetText("3");
  form_->edtSrcMask->SetText(kMask);  // not looked at with "other"
  TestKit::Click(form_->AddButton);
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(SetColumns(sets[0], kTable, "3"), (std::set<int>{2, 3, 7})) << sets[0];
  EXPECT_NE(sets[0].find(kTable + "7.3=INTEGER:4"), std::string::npos);
  EXPECT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(form_->Static->Text(), "2");
  ExpectCatalogueAccess();

  form_->edtMaskID->SetText("4");
  form_->cbxMaskState->SetItemIndex(2);  // src-ipv6-addr
  form_->edtSrcMask->SetText("ffffffffffffffff0000000000000000");
  form_->edtDstMask->SetText("not looked at");
  TestKit::Click(form_->AddButton);
  sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(SetColumns(sets[1], kTable, "4"), (std::set<int>{2, 3, 4, 5, 7})) << sets[1];

  form_->edtMaskID->SetText("5");
  form_->cbxMaskState->SetItemIndex(3);  // dst-src-ipv6-addr
  form_->edtSrcMask->SetText(kMask);
  form_->edtDstMask->SetText(kMask);
  TestKit::Click(form_->AddButton);
  sets = SetLines();
  ASSERT_EQ(sets.size(), 3u);
  EXPECT_EQ(SetColumns(sets[2], kTable, "5"), (std::set<int>{2, 3, 4, 5, 6, 7})) << sets[2];
  EXPECT_EQ(form_->Static->Text(), "4");

  // An empty mask of a state that uses it stays in the SET.
  form_->edtMaskID->SetText("6");
  form_->cbxMaskState->SetItemIndex(1);  // dst-ipv6-addr
  form_->edtDstMask->SetText("");
  TestKit::Click(form_->AddButton);
  sets = SetLines();
  ASSERT_EQ(sets.size(), 4u) << form_->StatusBar1->Panels()->Items(0)->Text().c_str();
  EXPECT_EQ(SetColumns(sets[3], kTable, "6"), (std::set<int>{2, 3, 4, 6, 7})) << sets[3];
}

TEST_F(IPv6MaskFormTest, ChecksRunIdThenDuplicateThenRowStatusThenMasks) {
  Open();
  {
    TestKit::DialogScript boxes;
    boxes.Expect("IPv6 Mask ID must be set.");
    form_->cbxStatus->SetItemIndex(0);
    TestKit::Click(form_->AddButton);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("There is already a record with the same IPv6 Mask ID. Please modify it.");
    form_->edtMaskID->SetText("1");
    TestKit::Click(form_->AddButton);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Row Status must be createAndGo.");
    form_->edtMaskID->SetText("2");
    TestKit::Click(form_->AddButton);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Invalid Ipv6 Address value");
    form_->cbxStatus->SetItemIndex(3);
    form_->cbxMaskState->SetItemIndex(3);  // dst-src-ipv6-addr
    form_->edtDstMask->SetText(kMask);
    form_->edtSrcMask->SetText(kMask.substr(1));
    TestKit::Click(form_->AddButton);
    EXPECT_EQ(form_->ActiveControl(), form_->edtSrcMask);
  }
  EXPECT_TRUE(SetLines().empty());
  ExpectCatalogueAccess();
}

TEST_F(IPv6MaskFormTest, DeleteSendsTheIndexAndDestroyOnly) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_FALSE(form_->AddButton->Enabled());
  EXPECT_TRUE(form_->EditButton->Enabled());
  EXPECT_FALSE(form_->edtMaskID->Enabled());
  TestKit::Click(form_->DeleteButton);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(SetColumns(sets[0], kTable, "1"), (std::set<int>{7})) << sets[0];
  EXPECT_NE(sets[0].find(kTable + "7.1=INTEGER:6"), std::string::npos);
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_EQ(form_->Static->Text(), "0");
  EXPECT_TRUE(form_->AddButton->Enabled());
  EXPECT_FALSE(form_->EditButton->Enabled());
  ExpectCatalogueAccess();
}

TEST_F(IPv6MaskFormTest, RefreshCountsTheRowsAgain) {
  Open();
  Control("set " + kTable + "7.4 i 1");
  TestKit::Click(form_->GetButton);
  EXPECT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(form_->Static->Text(), "2");
  DestroyRows(Sim(), kTable + "7.", {"1", "4"});
  TestKit::Click(form_->GetButton);
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_EQ(form_->Static->Text(), "0");
}

TEST_F(IPv6MaskFormTest, AFailedDeleteReadsAgainAndShowsTheError) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  Control("inject set 1.3.6.1.4.1.171.12.9.2.4.1 genErr");
  Control("set " + kTable + "7.5 i 1");  // a profile made meanwhile
  TestKit::Click(form_->DeleteButton);
  ExpectCatalogueAccess();
  // The request reads the table again after the refusal.
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(form_->ListView1->Selected(), nullptr);
  EXPECT_FALSE(form_->DeleteButton->Enabled());
  EXPECT_TRUE(form_->edtMaskID->Enabled());
  ASSERT_GE(form_->StatusBar1->Panels()->Count(), 1);
  EXPECT_FALSE(form_->StatusBar1->Panels()->Items(0)->Text().IsEmpty());
  EXPECT_NE(form_->StatusBar1->Panels()->Items(0)->Text(), "Ok!");
}

}  // namespace
