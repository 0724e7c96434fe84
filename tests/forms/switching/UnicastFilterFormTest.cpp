// The static unicast filter form against the simulated switch: the first
// read, the Add checks and write, and Delete of exactly the selected entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FilterFormTest.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/UnicastFilterInformationFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kEntry = "1.3.6.1.2.1.17.7.1.3.1.1";
// VLAN 1, 00:0A:5E:58:10:10, receive port 0: the seeded entry.
constexpr const char* kSeeded = ".1.0.10.94.88.16.16.0";

class UnicastFilterFormTest : public FilterFormTest<TUnicastFilterInformationForm> {
 protected:
  TListView* List() const { return form_->LV_dot1qStaticUnicastEntry; }
};

TEST_F(UnicastFilterFormTest, OpensAndAddChecksKeyAndStatusBeforeWriting) {
  Open();
  ASSERT_EQ(List()->Items()->Count(), 1);
  EXPECT_EQ(form_->ST_Count->Caption(), "1");
  EXPECT_FALSE(form_->DeleteBtn->Enabled());
  EXPECT_EQ(form_->SetBtn->Caption(), "Add");
  EXPECT_NE(Memo().find("Ok!"), std::string::npos) << Memo();
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect("Please input VID and MAC Address!").Expect("Status Should be permanent");
    form_->ED_UnicastVID->SetText("3");
    TestKit::Click(form_->SetBtn);
    form_->UnicastAddress->SetText("000A5E000003");
    TestKit::Click(form_->SetBtn);
  }
  EXPECT_TRUE(SetLines().empty());

  SelectComboText(form_->UStatus, "permanent");
  Port(4)->SetChecked(true);
  TestKit::Click(form_->SetBtn);
  Wait();
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  const std::string row = ".3.0.10.94.0.0.3.0";
  EXPECT_NE(sets[0].find(std::string(kEntry) + ".3" + row + "="), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(std::string(kEntry) + ".4" + row + "=INTEGER:3"), std::string::npos);
  EXPECT_EQ(Value(std::string(kEntry) + ".3" + row), "Hex-STRING:10 00 00 00");
  EXPECT_TRUE(form_->ED_UnicastVID->Text().IsEmpty());
  EXPECT_EQ(List()->Items()->Count(), 2);
  EXPECT_EQ(form_->ST_Count->Caption(), "2");
}

TEST_F(UnicastFilterFormTest, AddWhileAWalkRunsSendsNothing) {
  Open();
  form_->ED_UnicastVID->SetText("3");
  form_->UnicastAddress->SetText("000A5E000003");
  SelectComboText(form_->UStatus, "permanent");
  Control("hold");
  form_->Request->Get();
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect("Get data not complete");
    TestKit::Click(form_->SetBtn);
  }
  Control("release");
  Wait();
  EXPECT_TRUE(SetLines().empty());
}

// A refused Add keeps the typed entry for a correction; the refusal is the
// memo's last line.
TEST_F(UnicastFilterFormTest, ARefusedAddKeepsTheTypedEntry) {
  Open();
  form_->ED_UnicastVID->SetText("3");
  form_->UnicastAddress->SetText("000A5E000003");
  SelectComboText(form_->UStatus, "permanent");
  Control(std::string("inject set ") + kEntry + " genErr");
  TestKit::Click(form_->SetBtn);
  Wait();
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_EQ(form_->ED_UnicastVID->Text(), "3");
  EXPECT_EQ(form_->UnicastAddress->Text(), "000A5E000003");
  EXPECT_EQ(List()->Items()->Count(), 1);
  EXPECT_EQ(Memo().find("Ok!", Memo().rfind('|') + 1), std::string::npos) << Memo();
}

TEST_F(UnicastFilterFormTest, DeleteRemovesExactlyTheSelectedEntry) {
  Control(std::string("set ") + kEntry + ".4.1.0.10.94.88.16.32.0 i 3");
  Open();
  ASSERT_EQ(List()->Items()->Count(), 2);
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect("Please select which entry you want to delete.");
    TestKit::Click(form_->DeleteBtn);
    form_->DeleteBtnClick(nullptr);
  }
  TestKit::ClickRow(List(), 0);
  EXPECT_EQ(form_->ED_UnicastVID->Text(), "1");
  EXPECT_TRUE(form_->ED_UnicastVID->ReadOnly());
  EXPECT_TRUE(form_->DeleteBtn->Enabled());
  EXPECT_FALSE(form_->SetBtn->Enabled());
  EXPECT_TRUE(TestKit::Grab(form_, vntest::ArtifactsDir() + "/form-UnicastFilterInformation.png"));
  const std::size_t mark = NewLog().size();
  TestKit::Click(form_->DeleteBtn);
  Wait();
  EXPECT_EQ(CountLog("GETNEXT", mark), 2);  // one read after the write
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(std::string(kEntry) + ".4" + kSeeded + "=INTEGER:2"), std::string::npos)
      << sets[0];
  EXPECT_EQ(sets[0].find(std::string(kEntry) + ".3"), std::string::npos) << sets[0];
  EXPECT_EQ(Value(std::string(kEntry) + ".4" + kSeeded), "noSuchInstance");
  EXPECT_EQ(Value(std::string(kEntry) + ".4.1.0.10.94.88.16.32.0"), "INTEGER:3");
  EXPECT_EQ(List()->Items()->Count(), 1);
  EXPECT_FALSE(form_->DeleteBtn->Enabled());
  EXPECT_TRUE(form_->SetBtn->Enabled());
  EXPECT_FALSE(form_->ED_UnicastVID->ReadOnly());
}

TEST_F(UnicastFilterFormTest, TheMenuOpensItWithTheCaptionAndTheGlobal) {
  const TFormOpener opener = FindFormOpener("TUnicastFilterInformationForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TUnicastFilterInformationForm>([&seen](TUnicastFilterInformationForm* f) {
    seen = true;
    EXPECT_EQ(UnicastFilterInformationForm, f);
    EXPECT_EQ(f->Caption(), "Unicast Filter Information: 127.0.0.1");
    ASSERT_TRUE(WaitIdle(*f->Request));
    f->Close();
  });
  opener(Application, "Unicast Filter Information: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(UnicastFilterInformationForm, nullptr);
}

}  // namespace
