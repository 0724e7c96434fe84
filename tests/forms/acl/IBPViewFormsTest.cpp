// The four read-only views of the IP-MAC binding profiles and rules against
// the simulated switch: the first read, a selection shown in read-only
// controls (the combo boxes stay disabled, the rule's ports ticked), no row
// clearing the view, and nothing ever written.
#include <memory>

#include "PagesTestSupport.h"
#include "forms/acl/IBPEtherMaskFormUnit.h"
#include "forms/acl/IBPEtherRuleFormUnit.h"
#include "forms/acl/IBPIPMaskFormUnit.h"
#include "forms/acl/IBPIPRuleFormUnit.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

class IBPViewFormsTest : public PagesDeviceTest {
 protected:
  template <class T>
  // Opens the view; saves its picture when named.
  T* Open(const char* picture) {
    form_.reset(Create<T>(Application));
    TestKit::ShowAndActivate(form_.get());
    if (picture) {
      EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/" + picture));
    }
    return static_cast<T*>(form_.get());
  }
  void TearDown() override {
    if (form_) {
      form_->Hide();
      form_.reset();
    }
    EXPECT_TRUE(SetLines().empty());
    PagesDeviceTest::TearDown();
  }
  // Numbers (1-based) of the ticked boxes among the grid's first 32.
  static std::vector<int> Ticked(TStackingPortUitForm* grid) {
    std::vector<int> ports;
    for (int i = 0; i < 32 && i < grid->PortCheckBoxes->Count(); ++i)
      if (static_cast<TCheckBox*>(grid->PortCheckBoxes->Items(i))->Checked())
        ports.push_back(i + 1);
    return ports;
  }
  std::unique_ptr<TForm> form_;
};

TEST_F(IBPViewFormsTest, EthernetProfilesShowTheRowWithTheComboStillDisabled) {
  auto* f = Open<TIBPACLEtherMaskForm>("form-IBPACLEtherMask.png");
  ASSERT_EQ(f->ListView1->Items()->Count(), 1);
  EXPECT_EQ(f->ListView1->Columns()->Count(), 2);
  EXPECT_EQ(f->StatusBar1->DisplayedText().Pos("Get: Ok!"), 1)
      << f->StatusBar1->DisplayedText().str();
  EXPECT_EQ(f->cbxEtherType->ItemIndex(), -1);
  EXPECT_FALSE(f->cbxEtherType->Enabled());
  EXPECT_TRUE(f->edtID->ReadOnly());
  TestKit::ClickRow(f->ListView1, 0);
  EXPECT_EQ(f->edtID->Text(), "1");
  EXPECT_NE(f->cbxEtherType->ItemIndex(), -1);
  EXPECT_FALSE(f->cbxEtherType->Enabled());
  TestKit::ClickEmpty(f->ListView1);
  EXPECT_EQ(f->edtID->Text(), "");
  EXPECT_EQ(f->cbxEtherType->ItemIndex(), -1);
  EXPECT_TRUE(FindFormOpener("TIBPACLEtherMaskForm") != nullptr);
}

TEST_F(IBPViewFormsTest, IpProfilesShowTheMasks) {
  auto* f = Open<TIBPIPMaskForm>("form-IBPIPMask.png");
  ASSERT_EQ(f->ListView1->Items()->Count(), 1);
  TestKit::ClickRow(f->ListView1, 0);
  EXPECT_EQ(f->edtSrcMacMask->Text().Length(), 12);
  EXPECT_EQ(f->edtSrcIPMask->Text(), f->ListView1->Items()->Item(0)->SubItems()->Strings(1));
  TestKit::Click(f->BT_Get);
  EXPECT_EQ(f->edtSrcMacMask->Text(), "");
  EXPECT_TRUE(FindFormOpener("TIBPIPMaskForm") != nullptr);
}

TEST_F(IBPViewFormsTest, EthernetRuleTicksExactlyItsPorts) {
  auto* f = Open<TIBPEtherRuleForm>("form-IBPEtherRule.png");
  ASSERT_EQ(f->ListView1->Items()->Count(), 1);
  ASSERT_NE(f->PortFrame(), nullptr);
  EXPECT_TRUE(Ticked(f->PortFrame()).empty());
  TestKit::ClickRow(f->ListView1, 0);
  EXPECT_EQ(f->edtMaskID->Text(), "1");
  EXPECT_EQ(f->edtAccessID->Text(), "1");
  EXPECT_EQ(Ticked(f->PortFrame()), (std::vector<int>{1, 10}));
  EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-IBPEtherRule.png"));
  EXPECT_FALSE(f->cbxPermit->Enabled());
  TestKit::ClickEmpty(f->ListView1);
  EXPECT_TRUE(Ticked(f->PortFrame()).empty());
  EXPECT_EQ(f->edtMaskID->Text(), "");
  EXPECT_TRUE(FindFormOpener("TIBPEtherRuleForm") != nullptr);
}

TEST_F(IBPViewFormsTest, IpRuleWithALongPortListShowsTheFirst32Ports) {
  auto* f = Open<TIBPIPRuleForm>("form-IBPIPRule.png");
  ASSERT_EQ(f->ListView1->Items()->Count(), 1);
  TestKit::ClickRow(f->ListView1, 0);
  EXPECT_EQ(Ticked(f->PortFrame()), (std::vector<int>{1, 2}));
  EXPECT_EQ(f->edtSrcMac->Text().Length(), 12);
  EXPECT_FALSE(f->edtSrcIP->Text().IsEmpty());
  EXPECT_FALSE(f->cbxPermit->Enabled());
  TestKit::Click(f->btnRefresh);
  EXPECT_TRUE(Ticked(f->PortFrame()).empty());
  EXPECT_TRUE(FindFormOpener("TIBPIPRuleForm") != nullptr);
}

TEST_F(IBPViewFormsTest, AFailedRefreshShowsTheErrorAndClearsTheView) {
  auto* f = Open<TIBPEtherRuleForm>(nullptr);
  TestKit::ClickRow(f->ListView1, 0);
  Control("inject getnext 1.3.6.1.4.1.171.12.9.3.5.1 genErr");
  TestKit::Click(f->btnRefresh);
  EXPECT_FALSE(f->StatusBar1->Panels()->Items(0)->Text().IsEmpty());
  EXPECT_TRUE(Ticked(f->PortFrame()).empty());
  EXPECT_EQ(f->edtMaskID->Text(), "");
  TestKit::Click(f->btnRefresh);
  EXPECT_EQ(f->ListView1->Items()->Count(), 1);
}

TEST_F(IBPViewFormsTest, TheMenuOpensARuleViewAndClosingFreesItsGrid) {
  const TFormOpener opener = FindFormOpener("TIBPIPRuleForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TIBPIPRuleForm>([&seen](TIBPIPRuleForm* f) {
    seen = true;
    EXPECT_EQ(IBPIPRuleForm, f);
    EXPECT_EQ(f->Caption(), "IP-MAC Binding IP Rule : 127.0.0.1");
    TestKit::ClickRow(f->ListView1, 0);
    // The close handler itself, then the close that ends the modal run
    // (which runs it once more, with nothing left to free).
    TCloseAction action = caNone;
    f->FormClose(f, action);
    EXPECT_EQ(action, caFree);
    EXPECT_EQ(f->PortFrame(), nullptr);
    EXPECT_EQ(f->Request, nullptr);
    f->Close();
  });
  opener(Application, "IP-MAC Binding IP Rule : 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(IBPIPRuleForm, nullptr);
}

}  // namespace
