// The safeguard engine form against the simulated switch: the first read,
// the order of the threshold writes, one SET per ticked setting, the input
// checks, and opening from the menu's opener.
#include <memory>

#include "PagesTestSupport.h"
#include "forms/security/SafeguardCtrlFormUnit.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kRising = "1.3.6.1.4.1.171.12.19.2.1.0";
const std::string kFalling = "1.3.6.1.4.1.171.12.19.2.2.0";
const std::string kMode = "1.3.6.1.4.1.171.12.19.2.3.0";

class SafeguardFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TSafeguardCtrlForm>(Application));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    if (form_) {
      bool canClose = true;
      form_->FormCloseQuery(form_.get(), canClose);
    }
    form_.reset();
    PagesDeviceTest::TearDown();
  }
  // The SET lines' varbinds, in order.
  std::vector<std::string> SetVarbinds() const {
    std::vector<std::string> out;
    for (const std::string& line : SetLines()) out.push_back(line.substr(line.rfind('\t') + 1));
    return out;
  }
  std::string Panel() const { return form_->stbStatus->Panels()->Items(0)->Text().str(); }

  std::unique_ptr<TSafeguardCtrlForm> form_;
};

TEST_F(SafeguardFormTest, OpensWithTheDeviceValuesAndSetDisabled) {
  Open();
  EXPECT_EQ(form_->edtRising->Text(), "80");
  EXPECT_EQ(form_->edtFalling->Text(), "60");
  EXPECT_EQ(form_->lbFalling->Caption(), "60");
  EXPECT_EQ(form_->cbxMode->Text(), "strict");
  EXPECT_EQ(form_->cbxAlarm->Text(), "other");
  EXPECT_EQ(form_->cbxCurrentState->Text(), "normal");
  EXPECT_FALSE(form_->cbxCurrentState->Enabled());
  EXPECT_FALSE(form_->btnSet->Enabled());
  EXPECT_NE(Panel().find("Ok!"), std::string::npos) << Panel();

  TestKit::Click(form_->ckMode);
  EXPECT_TRUE(form_->btnSet->Enabled());
  TestKit::Click(form_->btnClearCheck);
  EXPECT_FALSE(form_->btnSet->Enabled());
  TestKit::Click(form_->btnCheckAll);
  EXPECT_TRUE(form_->ckRising->Checked() && form_->ckFalling->Checked() &&
              form_->ckAlarm->Checked() && form_->ckMode->Checked());
  EXPECT_TRUE(form_->btnSet->Enabled());

  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-SafeguardCtrl.png"));
}

TEST_F(SafeguardFormTest, LoweringBothWritesFallingFirstAndRaisingWritesRisingFirst) {
  Open();
  form_->ckRising->SetChecked(true);
  form_->ckFalling->SetChecked(true);
  Typed(form_->edtRising, "50");
  Typed(form_->edtFalling, "30");
  TestKit::Click(form_->btnSet);
  EXPECT_EQ(SetVarbinds(),
            (std::vector<std::string>{kFalling + "=INTEGER:30", kRising + "=INTEGER:50"}));
  EXPECT_EQ(Value(kRising), "INTEGER:50");
  EXPECT_EQ(form_->lbFalling->Caption(), "30");  // read again after the writes
  EXPECT_EQ(form_->FallingFirst, 0);

  const std::size_t before = SetLines().size();
  Typed(form_->edtRising, "95");
  Typed(form_->edtFalling, "85");
  TestKit::Click(form_->btnSet);
  std::vector<std::string> sets = SetVarbinds();
  sets.erase(sets.begin(), sets.begin() + static_cast<long>(before));
  EXPECT_EQ(sets, (std::vector<std::string>{kRising + "=INTEGER:95", kFalling + "=INTEGER:85"}));
  // Every item is read again afterwards: the access words are back.
  EXPECT_EQ(form_->edtFalling->Text(), "85");
  EXPECT_EQ(form_->cbxCurrentState->Text(), "normal");
}

// A ticked mode the switch holds outside the list is left out: the write
// carries nothing, is not sent, and says so.
TEST_F(SafeguardFormTest, ATickedSettingWithNothingToWriteSendsNothingAndSaysSo) {
  Control("set " + kMode + " i 9");
  Open();
  EXPECT_EQ(form_->cbxMode->ItemIndex(), -1);
  TestKit::Click(form_->ckMode);
  TestKit::Click(form_->btnSet);
  EXPECT_TRUE(SetLines().empty());
  EXPECT_NE(Panel().find("No SNMP variable to set!"), std::string::npos) << Panel();
}

TEST_F(SafeguardFormTest, OnlyTheTickedSettingIsWrittenAlone) {
  Open();
  form_->ckMode->SetChecked(true);
  form_->cbxMode->SetItemIndex(1);  // fuzzy
  Typed(form_->edtRising, "99");    // not ticked: not written
  TestKit::Click(form_->btnSet);
  EXPECT_EQ(SetVarbinds(), (std::vector<std::string>{kMode + "=INTEGER:2"}));
  EXPECT_EQ(form_->edtRising->Text(), "80");
  // The boxes left unticked had nothing to write: no failure of theirs.
  EXPECT_NE(Panel().find("Ok!"), std::string::npos) << Panel();
  EXPECT_EQ(Panel().find("No SNMP variable to set!"), std::string::npos) << Panel();
}

TEST_F(SafeguardFormTest, FailingWriteEndsTheSequenceAndKeepsWhatWasTyped) {
  Open();
  TestKit::Click(form_->btnCheckAll);
  Typed(form_->edtRising, "70");
  form_->cbxMode->SetItemIndex(1);
  Control("inject set " + kRising.substr(0, kRising.size() - 2) + " genErr");
  TestKit::Click(form_->btnSet);
  // Rising first (70 > 60), it fails: nothing later is written.
  EXPECT_EQ(SetVarbinds().size(), 1u);
  EXPECT_EQ(Value(kMode), "INTEGER:1");
  // The fields keep what was typed, and the refusal is the last word.
  EXPECT_EQ(form_->edtRising->Text(), "70");
  EXPECT_EQ(form_->cbxMode->ItemIndex(), 1);
  EXPECT_EQ(Panel(), "(SNMP) Cannot perform operation, General Error!");
  // The access words came back: Set again writes what stands.
  TestKit::Click(form_->btnSet);
  EXPECT_EQ(Value(kRising), "INTEGER:70");
  EXPECT_EQ(Value(kMode), "INTEGER:2");
}

TEST_F(SafeguardFormTest, InputChecksSendNothing) {
  Open();
  // Typed while the edits have no focus: the edits' own range check on
  // leaving them stays out of the way.
  TestKit::FocusTo(form_->btnGet);
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Rising Threshold should between 20-100");
    form_->ckMode->SetChecked(true);
    form_->ckRising->SetChecked(true);
    Typed(form_->edtRising, "101");
    TestKit::Click(form_->btnSet);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Falling Threshold should between 20-100");
    Typed(form_->edtRising, "90");
    form_->ckFalling->SetChecked(true);
    Typed(form_->edtFalling, "abc");
    TestKit::Click(form_->btnSet);
    EXPECT_EQ(form_->ActiveControl(), form_->edtFalling);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("he rising threshold must be larger than the falling threshold.");
    Typed(form_->edtRising, "20");
    Typed(form_->edtFalling, "20");
    TestKit::Click(form_->btnSet);
    EXPECT_EQ(form_->ActiveControl(), form_->edtRising);
  }
  {
    // A ticked threshold emptied is refused with its edit's range message.
    TestKit::DialogScript boxes;
    boxes.Expect("Rising Threshold should between 20-100");
    Typed(form_->edtRising, "");
    Typed(form_->edtFalling, "30");
    TestKit::Click(form_->btnSet);
    EXPECT_EQ(form_->ActiveControl(), form_->edtRising);
  }
  EXPECT_TRUE(SetLines().empty());
  TestKit::Click(form_->btnGet);
  EXPECT_EQ(form_->edtRising->Text(), "80");
  EXPECT_EQ(form_->edtFalling->Text(), "60");
}

TEST_F(SafeguardFormTest, MenuOpenerCaptionsShowsAndDeletesTheForm) {
  const TFormOpener opener = FindFormOpener("TSafeguardCtrlForm");
  ASSERT_NE(opener, nullptr);
  bool shown = false;
  TestKit::OnNextModal<TSafeguardCtrlForm>([&shown](TSafeguardCtrlForm* f) {
    shown = true;
    EXPECT_EQ(SafeguardCtrlForm, f);
    EXPECT_EQ(f->Caption(), "Safeguard Control: 127.0.0.1");
    EXPECT_EQ(f->edtRising->Text(), "80");
    TestKit::Click(f->btnClose);
  });
  opener(Application, "Safeguard Control: 127.0.0.1");
  EXPECT_TRUE(shown);
  EXPECT_EQ(SafeguardCtrlForm, nullptr);
}

}  // namespace
