// The layer-2 device control form against the simulated switch: the first
// read, Set Checked writing only the ticked rows, the web and telnet port
// rules, the empty-field warning, and closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/Layer2ControlUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kRmon = "1.3.6.1.4.1.171.11.101.1.2.1.2.4.0";
constexpr const char* kWebState = "1.3.6.1.4.1.171.11.101.1.2.1.2.17.1.0";
constexpr const char* kWebPort = "1.3.6.1.4.1.171.11.101.1.2.1.2.17.2.0";
constexpr const char* kTelnetState = "1.3.6.1.4.1.171.11.101.1.2.1.2.14.1.0";
constexpr const char* kFdbVlan = "1.3.6.1.4.1.171.11.101.1.2.1.2.7.0";

int Count(const std::vector<std::string>& lines, const std::string& pdu, const std::string& oid) {
  int n = 0;
  for (const auto& line : lines)
    if (line.find("\t" + pdu + "\t") != std::string::npos &&
        line.find(oid + "=") != std::string::npos)
      ++n;
  return n;
}

class Layer2Control : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TLayer2ControlForm>(Application));
    form_->SetCaption(FeatureCaption("Layer2 Device Control: "));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    form_.reset();
    PagesDeviceTest::TearDown();
  }
  std::unique_ptr<TLayer2ControlForm> form_;
};

TEST_F(Layer2Control, OpensWithTheDeviceValuesAndTheOpenerIsRegistered) {
  EXPECT_NE(FindFormOpener("TLayer2ControlForm"), nullptr);
  Control("set " + std::string(kRmon) + " i 2");
  Control("set " + std::string(kWebState) + " i 1");
  Control("set " + std::string(kWebPort) + " i 8080");
  Control("set " + std::string(kTelnetState) + " i 2");
  Control("set " + std::string(kFdbVlan) + " i 12");
  Open();
  EXPECT_EQ(ComboText(form_->RmonComBo), "disabled");
  EXPECT_EQ(ComboText(form_->WebStateComBo), "enabled");
  EXPECT_EQ(form_->WebPortEdit->Text(), "8080");
  EXPECT_EQ(form_->VlanEdit->Text(), "12");
  EXPECT_NE(ComboText(form_->ComboAuthTrap), "");
  // Telnet off: its port is not read, its row is off and grey.
  EXPECT_EQ(Count(NewLog(), "GET", "1.3.6.1.4.1.171.11.101.1.2.1.2.14.2.0"), 0);
  EXPECT_FALSE(form_->TelPortEdit->Enabled());
  EXPECT_EQ(form_->TelPortEdit->Color(), clScrollBar);
  EXPECT_FALSE(form_->CheckBox9->Enabled());
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-Layer2Control.png"));
}

TEST_F(Layer2Control, SetCheckedWritesOnlyTheTickedRows) {
  Open();
  form_->SetButtonClick(nullptr);  // nothing ticked
  EXPECT_TRUE(SetLines().empty());

  ASSERT_TRUE(SelectComboText(form_->RmonComBo, "disabled"));
  form_->VlanEdit->SetText("");  // unticked: an empty field does not matter
  form_->CheckBox3->SetChecked(true);
  form_->SetButtonClick(nullptr);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u) << MemoText(form_->Memo1);
  EXPECT_NE(sets[0].find(std::string(kRmon) + "=INTEGER:2"), std::string::npos) << sets[0];
  EXPECT_EQ(std::count(sets[0].begin(), sets[0].end(), '='), 1) << sets[0];
  EXPECT_EQ(Value(kRmon), "INTEGER:2");
  // Read again after the write, and every access word back.
  EXPECT_EQ(form_->VlanEdit->Text().IsEmpty(), false);
  for (int i = 0; i < form_->Request->Request.VarList.Count(); ++i)
    EXPECT_EQ(form_->Request->Request.VarList.Item(i)->Access, 6u) << i;
}

TEST_F(Layer2Control, AnEmptyTickedFieldIsReportedAndNothingSent) {
  Open();
  form_->CheckBox3->SetChecked(true);
  form_->CheckBox13->SetChecked(true);
  form_->edtNotifySize->SetText("");
  TestKit::DialogScript dialogs;
  dialogs.Expect("Some Checked fields are empty.");
  form_->SetButtonClick(nullptr);
  dialogs.Verify();
  EXPECT_TRUE(SetLines().empty());
  EXPECT_EQ(form_->ActiveControl(), form_->edtNotifySize);
}

TEST_F(Layer2Control, WebStateRules) {
  Control("set " + std::string(kWebState) + " i 1");
  Open();
  form_->CheckButtonClick(nullptr);
  EXPECT_TRUE(form_->CheckBox7->Checked());
  ASSERT_TRUE(SelectComboText(form_->WebStateComBo, "disabled"));
  form_->WebStateComBoChange(form_->WebStateComBo);
  EXPECT_EQ(form_->WebPortEdit->Text(), "");
  EXPECT_FALSE(form_->WebPortEdit->Enabled());
  EXPECT_EQ(form_->WebPortEdit->Color(), clScrollBar);
  EXPECT_FALSE(form_->CheckBox7->Checked());
  EXPECT_FALSE(form_->CheckBox7->Enabled());
  form_->ClearButtonClick(nullptr);
  form_->CheckButtonClick(nullptr);
  EXPECT_FALSE(form_->CheckBox7->Checked());  // a disabled row box is left alone
  ASSERT_TRUE(SelectComboText(form_->WebStateComBo, "enabled"));
  form_->WebStateComBoChange(form_->WebStateComBo);
  EXPECT_TRUE(form_->WebPortEdit->Enabled());
  EXPECT_EQ(form_->WebPortEdit->Color(), clWindow);
  EXPECT_TRUE(form_->CheckBox7->Enabled());
}

TEST_F(Layer2Control, TickingWebStateAloneReadsThePortTwice) {
  Control("set " + std::string(kWebState) + " i 1");
  Control("set " + std::string(kWebPort) + " i 80");
  Open();
  const std::size_t before = NewLog().size();
  form_->CheckBox6->SetChecked(true);
  form_->SetButtonClick(nullptr);
  auto log = NewLog();
  log.erase(log.begin(), log.begin() + static_cast<long>(before));
  EXPECT_EQ(Count(log, "SET", kWebState), 1);
  EXPECT_EQ(Count(log, "SET", kWebPort), 0);
  EXPECT_EQ(Count(log, "GET", kWebPort), 2);
  EXPECT_EQ(form_->WebPortEdit->Text(), "80");
  EXPECT_FALSE(form_->WebPortEdit->ReadOnly());
}

// With web access on, or in a state the list lacks (the port row stays
// open then), a ticked port is written.
TEST_F(Layer2Control, TickedWebPortIsWritten) {
  for (const char* state : {"1", "7"}) {
    SCOPED_TRACE(state);
    Control("set " + std::string(kWebState) + " i " + state);
    Open();
    form_->WebPortEdit->SetText("8081");
    form_->CheckBox7->SetChecked(true);
    form_->SetButtonClick(nullptr);
    EXPECT_EQ(Value(kWebPort), "INTEGER:8081") << MemoText(form_->Memo1);
    EXPECT_EQ(Count(SetLines(), "SET", kWebState), 0);
    Control("reset");
  }
}

TEST_F(Layer2Control, ASilentDeviceGivesAMessageNotACrash) {
  Control("mute");
  Open();
  EXPECT_NE(MemoText(form_->Memo1).find("timed out"), std::string::npos) << MemoText(form_->Memo1);
  Control("unmute");
  form_->GetButtonClick(nullptr);
  EXPECT_NE(ComboText(form_->RmonComBo), "");
}

TEST_F(Layer2Control, OpenerShowsTheFormModallyAndForgetsIt) {
  const TFormOpener opener = FindFormOpener("TLayer2ControlForm");
  ASSERT_NE(opener, nullptr);
  TLayer2ControlForm* seen = nullptr;
  TestKit::OnNextModal<TLayer2ControlForm>([&seen](TLayer2ControlForm* form) {
    seen = form;
    EXPECT_EQ(Layer2ControlForm, form);
    EXPECT_EQ(form->Caption(), "Layer2 Device Control: 127.0.0.1");
    form->CloseButtonClick(nullptr);
  });
  opener(Application, "Layer2 Device Control: 127.0.0.1");
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(Layer2ControlForm, nullptr);
}

TEST_F(Layer2Control, ClosingFreesEveryRequest) {
  Open();
  form_->Close();
  EXPECT_EQ(form_->Request, nullptr);
  EXPECT_EQ(form_->WebPortRequest, nullptr);
  EXPECT_EQ(form_->TelnetPortRequest, nullptr);
  EXPECT_EQ(form_->AuthTrapRequest, nullptr);
  form_->GetButtonClick(nullptr);  // nothing left to read with: no crash
  form_->SetButtonClick(nullptr);
  form_.reset();  // deleting it first cancels the release that caFree asked for
  TestKit::Pump();
}

}  // namespace
