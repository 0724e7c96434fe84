// The IP-MAC binding blocked list against the simulated switch: the list as
// read, and the release of a selected host with its one-column SET.
#include <memory>

#include "PagesTestSupport.h"
#include "forms/security/IpMacBindBlockedFormUnitUnit.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kEntry = "1.3.6.1.4.1.171.12.23.4.2.1";
// VID 1, MAC 00:0A:5E:58:10:31 (the device's seeded row).
const std::string kSeedRow = ".1.0.10.94.88.16.49";

class IpMacBindBlockedFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TIpMacBindBlockedForm>(Application));
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
  std::string Memo() const { return MemoText(form_->Memo1); }

  std::unique_ptr<TIpMacBindBlockedForm> form_;
};

TEST_F(IpMacBindBlockedFormTest, ListsTheBlockedHostsAndOffersDeleteOnlyForARow) {
  Control("set " + kEntry + ".3.7.0.5.94.0.0.2 s lab");
  Control("set " + kEntry + ".4.7.0.5.94.0.0.2 i 4");
  Open();
  ASSERT_EQ(List()->Items()->Count(), 2);
  EXPECT_EQ(List()->Columns()->Items(0)->Caption(), "Blocked VID");
  EXPECT_EQ(List()->Columns()->Items(4)->Caption(), "Blocked Status");
  EXPECT_EQ(List()->Items()->Item(1)->Caption(), "7");
  EXPECT_EQ(List()->Items()->Item(1)->SubItems()->Strings(0), "00055E000002");
  EXPECT_EQ(List()->Items()->Item(1)->SubItems()->Strings(1), "lab");
  EXPECT_EQ(List()->Items()->Item(1)->SubItems()->Strings(2), "4");
  EXPECT_FALSE(form_->btnDelete->Enabled());
  EXPECT_NE(Memo().find("Ok!"), std::string::npos) << Memo();

  TestKit::ClickRow(List(), 1);
  EXPECT_TRUE(form_->btnDelete->Enabled());
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-IpMacBindBlocked.png"));
}

TEST_F(IpMacBindBlockedFormTest, DeleteWritesNotInServiceToTheSelectedHostOnly) {
  Control("set " + kEntry + ".3.7.0.5.94.0.0.2 s lab");
  Open();
  ASSERT_EQ(List()->Items()->Count(), 2);
  TestKit::ClickRow(List(), 0);
  TestKit::Click(form_->btnDelete);

  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kEntry + ".7" + kSeedRow + "=INTEGER:2"), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(kEntry + ".3."), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(kEntry + ".4."), std::string::npos) << sets[0];
  // The library read the table again: the host shows its new status.
  EXPECT_EQ(Value(kEntry + ".7" + kSeedRow), "INTEGER:2");
  ASSERT_EQ(List()->Items()->Count(), 2);
  EXPECT_EQ(List()->Items()->Item(0)->SubItems()->Strings(3), "notInService");
  EXPECT_EQ(NewLog().back().find("\tSET\t"), std::string::npos) << NewLog().back();
}

TEST_F(IpMacBindBlockedFormTest, FailuresGoToTheMemoAndTheListStays) {
  Open();
  ASSERT_EQ(List()->Items()->Count(), 1);
  TestKit::ClickRow(List(), 0);
  Control("inject set " + kEntry + " genErr");
  TestKit::Click(form_->btnDelete);
  EXPECT_NE(Memo().find("Set: "), std::string::npos) << Memo();
  EXPECT_EQ(List()->Items()->Count(), 1);
  EXPECT_EQ(Value(kEntry + ".7" + kSeedRow), "INTEGER:1");
}

TEST_F(IpMacBindBlockedFormTest, MenuOpenerShowsTheForm) {
  const TFormOpener opener = FindFormOpener("TIpMacBindBlockedForm");
  ASSERT_NE(opener, nullptr);
  bool shown = false;
  TestKit::OnNextModal<TIpMacBindBlockedForm>([&](TIpMacBindBlockedForm* f) {
    shown = true;
    EXPECT_EQ(IpMacBindBlockedForm, f);
    EXPECT_EQ(f->Caption(), "IP-MAC Binding Blocked Table: 127.0.0.1");
    f->Close();
  });
  opener(Application, "IP-MAC Binding Blocked Table: 127.0.0.1");
  EXPECT_TRUE(shown);
  EXPECT_EQ(IpMacBindBlockedForm, nullptr);
}

}  // namespace
