// The aggregator port table form against the simulated switch: the first
// walk, writing one port's administrative values, the MAC check and the
// busy answers while a walk runs.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "PagesTestSupport.h"
#include "forms/switching/AggregatorPortTableFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kEntry = "1.3.6.1.4.1.171.12.4.1.2.1.1";

class AggregatorPortTable : public PagesDeviceTest {
 protected:
  void TearDown() override {
    CloseForm();
    PagesDeviceTest::TearDown();
  }
  void Open() {
    form_ = Create<TAggregatorPortTableForm>(Application);
    TestKit::ShowAndActivate(form_);
    WaitWalk();
  }
  void WaitWalk() {
    ASSERT_TRUE(PumpUntil([this] { return !form_->Request->Busy; }));
  }
  void CloseForm() {
    if (!form_) return;
    if (form_->Request->Busy) {
      Control("release");
      WaitWalk();
    }
    form_->Close();
    delete form_;
    form_ = nullptr;
  }
  void SelectRow(int row) {
    form_->ListView1->SetSelected(form_->ListView1->Items()->Item(row));
    form_->ListView1Click(form_->ListView1);
  }
  TAggregatorPortTableForm* form_ = nullptr;
};

TEST_F(AggregatorPortTable, ListsEveryPortAndShowsOnlyTheAdministrativeTabs) {
  EXPECT_NE(FindFormOpener("TAggregatorPortTableForm"), nullptr);
  Open();
  EXPECT_EQ(form_->ListView1->Items()->Count(), 10);
  EXPECT_EQ(form_->StaticText1->Caption(), "10");
  EXPECT_FALSE(form_->btnEdit->Enabled());
  EXPECT_TRUE(form_->TabSheet1->TabVisible());
  EXPECT_FALSE(form_->TabSheet2->TabVisible());
  EXPECT_TRUE(form_->TabSheet3->TabVisible());
  EXPECT_FALSE(form_->TabSheet4->TabVisible());
  EXPECT_EQ(form_->CheckBoxes[3]->Caption(), "synchronization");
  EXPECT_EQ(form_->CheckBoxes[19]->Caption(), "synchronisation");
  SelectRow(2);
  EXPECT_TRUE(form_->btnEdit->Enabled());
  EXPECT_FALSE(form_->edtActorKey->Text().IsEmpty());
  EXPECT_EQ(form_->edtPartnerID->Text().Length(), 12);
  EXPECT_TRUE(form_->CheckBoxes[0]->Enabled());
  EXPECT_TRUE(form_->CheckBoxes[16]->Enabled());
  EXPECT_TRUE(TestKit::Grab(form_, vntest::ArtifactsDir() + "/form-AggregatorPortTable.png"));
}

TEST_F(AggregatorPortTable, EditWritesTheSelectedPortsAdministrativeValues) {
  Open();
  SelectRow(2);  // port 3
  form_->edtActorKey->SetText("77");
  form_->edtPartnerID->SetText("0011223344AB");
  form_->edtPartnerKey->SetText("65535");
  for (int n = 0; n < 8; ++n) form_->CheckBoxes[n]->SetChecked(n == 0);     // lacpActivity
  for (int n = 16; n < 24; ++n) form_->CheckBoxes[n]->SetChecked(n == 23);  // expired
  form_->btnEditClick(nullptr);
  WaitWalk();
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u) << MemoText(form_->Memo1);
  const std::string e(kEntry);
  EXPECT_NE(sets[0].find(e + ".4.3=INTEGER:77"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(e + ".10.3=INTEGER:65535"), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(e + ".1.3="), std::string::npos) << sets[0];  // the index is not sent
  EXPECT_EQ(sets[0].find(e + ".2.3="), std::string::npos) << sets[0];  // nor read-only columns
  EXPECT_NE(Value(e + ".8.3").find("00 11 22 33 44 AB"), std::string::npos) << Value(e + ".8.3");
  EXPECT_NE(Value(e + ".20.3").find("80"), std::string::npos) << Value(e + ".20.3");
  EXPECT_NE(Value(e + ".22.3").find("01"), std::string::npos) << Value(e + ".22.3");
  // Read again afterwards: no selection, nothing in the edits.
  EXPECT_FALSE(form_->btnEdit->Enabled());
  EXPECT_TRUE(form_->edtActorKey->Text().IsEmpty());
}

// An Edit the switch refuses keeps the typed values for a correction: the
// failure is the memo's last line, the count is the rows listed, and Edit
// is on only while a port is selected.
TEST_F(AggregatorPortTable, ARefusedEditKeepsTheTypedValues) {
  Open();
  SelectRow(2);  // port 3
  form_->edtActorKey->SetText("77");
  Control(std::string("inject set ") + kEntry + " genErr");
  form_->btnEditClick(nullptr);
  WaitWalk();
  EXPECT_EQ(form_->edtActorKey->Text(), "77");
  const std::string last = LastMemoLine(form_->Memo1);
  EXPECT_EQ(last.rfind("Set: ", 0), 0u) << MemoText(form_->Memo1);
  EXPECT_EQ(last.find("Ok!"), std::string::npos) << MemoText(form_->Memo1);
  EXPECT_EQ(form_->btnEdit->Enabled(), form_->ListView1->Selected() != nullptr);
  EXPECT_EQ(form_->StaticText1->Caption(), "10");
}

TEST_F(AggregatorPortTable, ABadPartnerIdIsRefusedAndNothingSent) {
  Open();
  SelectRow(0);
  form_->edtPartnerID->SetText("0011223344A");
  TestKit::DialogScript dialogs;
  dialogs.Expect("Invalid MAC address");
  form_->btnEditClick(nullptr);
  dialogs.Verify();
  EXPECT_TRUE(SetLines().empty());
}

// A partner ID the switch holds short or empty is no typed address: left
// alone it goes back as it is, and the key the user changed is written.
TEST_F(AggregatorPortTable, AnUntouchedPartnerIdOfAnotherShapeKeepsNoEditBack) {
  const std::string id = std::string(kEntry) + ".8.3";
  for (const auto& [held, key] : {std::pair{"001122", "78"}, std::pair{"\"\"", "79"}}) {
    SCOPED_TRACE(held);
    Control("set " + id + " x " + held);
    const std::string before = Value(id);
    Open();
    SelectRow(2);  // port 3
    form_->edtActorKey->SetText(key);
    TestKit::DialogScript none;  // no box
    form_->btnEditClick(nullptr);
    WaitWalk();
    EXPECT_EQ(Value(std::string(kEntry) + ".4.3"), std::string("INTEGER:") + key)
        << MemoText(form_->Memo1);
    EXPECT_EQ(Value(id), before);
    CloseForm();
  }
}

TEST_F(AggregatorPortTable, WhileTheWalkRunsEditAndCloseAnswerBusy) {
  Open();
  SelectRow(0);
  Control("hold");
  form_->GetBtnClick(nullptr);
  ASSERT_TRUE(form_->Request->Busy);
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect("Get data not complete").Expect("Get data not complete");
    form_->btnEditClick(nullptr);
    EXPECT_FALSE(form_->CloseQuery());
  }
  form_->btnStopClick(nullptr);
  Control("release");
  WaitWalk();
  EXPECT_TRUE(SetLines().empty());
  EXPECT_TRUE(form_->CloseQuery());
}

}  // namespace
