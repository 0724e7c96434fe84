// The port state list and its edit dialog against the simulated switch:
// the first walk, the writes for stp/rstp and for mstp, and the busy
// answers while a walk runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "PagesTestSupport.h"
#include "forms/switching/MSTPPortStateEditFormUnit.h"
#include "forms/switching/MSTPPortStateFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kEntry = "1.3.6.1.4.1.171.12.15.2.4.1";
constexpr const char* kVersion = "1.3.6.1.4.1.171.12.15.1.2.0";

class MSTPPortState : public PagesDeviceTest {
 protected:
  void TearDown() override {
    CloseForm();
    PagesDeviceTest::TearDown();
  }
  void Open() {
    form_ = Create<TMSTPPortStateForm>(Application);
    MSTPPortStateForm = form_;
    TestKit::ShowAndActivate(form_);
    WaitWalk();
  }
  void WaitWalk() {
    ASSERT_TRUE(
        PumpUntil([this] { return !form_->Request->Busy && !form_->VersionRequest->Busy; }));
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
    MSTPPortStateForm = nullptr;
  }
  // Edits port 3 in the dialog: a new external path cost and hello time.
  void EditPort3() {
    form_->lvMSTPPortState->SetSelected(form_->lvMSTPPortState->Items()->Item(2));
    ASSERT_TRUE(form_->btnEdit->Enabled());
    bool shown = false;
    TestKit::OnNextModal<TMSTPPortStateEditForm>([&](TMSTPPortStateEditForm* d) {
      shown = true;
      EXPECT_EQ(d->Caption().Pos("Port State Information(Edit): "), 1) << d->Caption().c_str();
      EXPECT_EQ(d->edtPortIndex->Text(), "3");
      EXPECT_FALSE(d->edtPortIndex->Enabled());
      EXPECT_FALSE(d->cbxOperP2P->Enabled());
      EXPECT_TRUE(d->edtAdminHelloTime->Enabled());
      d->edtExtPathCost->SetText("20000");
      d->edtAdminHelloTime->SetText("2");
      d->btnEditClick(nullptr);
    });
    form_->btnEditClick(nullptr);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(form_->btnEdit->Enabled());
    WaitWalk();
  }
  TMSTPPortStateForm* form_ = nullptr;
};

TEST_F(MSTPPortState, ListsEveryPortWithTheBridgeVersion) {
  EXPECT_NE(FindFormOpener("TMSTPPortStateForm"), nullptr);
  Control(std::string("set ") + kVersion + " i 1");
  Open();
  EXPECT_EQ(form_->lvMSTPPortState->Items()->Count(), 10);
  EXPECT_EQ(form_->lblSTPVersion->Caption(), "rstp");
  EXPECT_FALSE(form_->btnEdit->Enabled());
  EXPECT_NE(MSTPPortStateEditForm, nullptr);
  EXPECT_TRUE(TestKit::Grab(form_, vntest::ArtifactsDir() + "/form-MSTPPortState.png"));
}

TEST_F(MSTPPortState, RstpWritesOneSetWithoutTheHelloTime) {
  Control(std::string("set ") + kVersion + " i 1");
  Open();
  EditPort3();
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u) << MemoText(form_->memMsg);
  const std::string e(kEntry);
  EXPECT_NE(sets[0].find(e + ".5.3=INTEGER:20000"), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(e + ".2.3="), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(e + ".1.3="), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(e + ".3.3="), std::string::npos) << sets[0];
  EXPECT_EQ(Value(e + ".5.3"), "INTEGER:20000");
  for (int i = 0; i < form_->Request->Request.VarList.Count(); ++i)
    EXPECT_NE(form_->Request->Request.VarList.Item(i)->Access, 32u) << i;
}

TEST_F(MSTPPortState, MstpWritesTheHelloTimeAloneThenTheRest) {
  Control(std::string("set ") + kVersion + " i 2");
  Open();
  ASSERT_EQ(form_->lblSTPVersion->Caption(), "mstp");
  const std::size_t mark = NewLog().size();
  EditPort3();
  ASSERT_TRUE(WaitQuiet());
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 2u) << MemoText(form_->memMsg);
  // The two writes are read once: one walk of the ten ports.
  EXPECT_EQ(CountLog("GETNEXT", mark), 11);
  EXPECT_EQ(form_->lvMSTPPortState->Items()->Count(), 10);
  const std::string e(kEntry);
  EXPECT_NE(sets[0].find(e + ".2.3=INTEGER:2"), std::string::npos) << sets[0];
  EXPECT_EQ(std::count(sets[0].begin(), sets[0].end(), '='), 1) << sets[0];
  EXPECT_EQ(sets[1].find(e + ".2.3="), std::string::npos) << sets[1];
  EXPECT_NE(sets[1].find(e + ".5.3=INTEGER:20000"), std::string::npos) << sets[1];
  EXPECT_EQ(sets[1].find(e + ".10.3="), std::string::npos) << sets[1];
  EXPECT_EQ(Value(e + ".2.3"), "INTEGER:2");
}

// On an mstp bridge the hello time goes first, alone, and its refusal ends
// the write there: the port's other settings are not written, and the
// dialog stays open with what was typed, the failure the last line.
TEST_F(MSTPPortState, MstpARefusedHelloTimeWritesNothingMore) {
  Control(std::string("set ") + kVersion + " i 2");
  Open();
  const std::string e(kEntry);
  Control("inject set " + e + ".2 genErr");
  form_->lvMSTPPortState->SetSelected(form_->lvMSTPPortState->Items()->Item(2));
  bool stayed = false;
  TestKit::OnNextModal<TMSTPPortStateEditForm>([&](TMSTPPortStateEditForm* d) {
    d->edtExtPathCost->SetText("20000");
    d->edtAdminHelloTime->SetText("2");
    d->btnEditClick(nullptr);
    stayed = d->Visible() && d->ModalResult() == mrNone;
    EXPECT_EQ(d->edtExtPathCost->Text(), "20000");
    EXPECT_EQ(d->edtAdminHelloTime->Text(), "2");
    d->btnCloseClick(nullptr);
  });
  form_->btnEditClick(nullptr);
  EXPECT_TRUE(stayed);
  WaitWalk();
  ASSERT_TRUE(WaitQuiet());
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u) << MemoText(form_->memMsg);
  EXPECT_NE(sets[0].find(e + ".2.3=INTEGER:2"), std::string::npos) << sets[0];
  EXPECT_NE(Value(e + ".5.3"), "INTEGER:20000");
  const std::string last = LastMemoLine(form_->memMsg);
  EXPECT_EQ(last.rfind("Set: ", 0), 0u) << last;
  EXPECT_EQ(last.find("Ok!"), std::string::npos) << last;
}

TEST_F(MSTPPortState, WhileTheWalkRunsEditAndCloseAnswerBusy) {
  Open();
  // Rows arrive one by one: one is there to select while the walk goes on.
  Control("delay 150");
  form_->btnRefreshClick(nullptr);
  ASSERT_TRUE(PumpUntil([this] { return form_->lvMSTPPortState->Items()->Count() > 0; }));
  form_->lvMSTPPortState->SetSelected(form_->lvMSTPPortState->Items()->Item(0));
  ASSERT_TRUE(form_->Request->Busy);
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect("Get data not complete").Expect("Get data not complete");
    form_->btnEditClick(nullptr);  // no dialog
    EXPECT_FALSE(form_->CloseQuery());
  }
  form_->btnStopClick(nullptr);
  Control("delay 0");
  WaitWalk();
  EXPECT_LT(form_->lvMSTPPortState->Items()->Count(), 10);
  EXPECT_TRUE(form_->CloseQuery());
  EXPECT_TRUE(SetLines().empty());
}

}  // namespace

namespace {

TEST_F(MSTPPortState, TheMenusOpenerKeepsTheFormInItsGlobalForTheDialog) {
  const TFormOpener opener = FindFormOpener("TMSTPPortStateForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TMSTPPortStateForm>([&](TMSTPPortStateForm* f) {
    seen = true;
    EXPECT_EQ(MSTPPortStateForm, f);
    EXPECT_EQ(f->Caption(), "MSTP Port State Information: 127.0.0.1");
    EXPECT_TRUE(PumpUntil([f] { return !f->Request->Busy; }));
    f->btnCloseClick(nullptr);
  });
  opener(Application, "MSTP Port State Information: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(MSTPPortStateForm, nullptr);
  EXPECT_EQ(MSTPPortStateEditForm, nullptr);
}

}  // namespace
