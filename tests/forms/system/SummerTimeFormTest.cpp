// The summer-time form against the simulated switch: the two-step read that
// follows the status, the composite rule rows, the two-step write of the
// ticked rows, and the checks that keep anything from being sent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/system/SummerTime.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kSummer = "1.3.6.1.4.1.171.12.10.12";

std::string Oid(int k) { return std::string(kSummer) + "." + std::to_string(k) + ".0"; }

class SummerTimeForm : public PagesDeviceTest {
 protected:
  void Open(std::function<void(TSummerTimeForm*)> script) {
    const TFormOpener opener = FindFormOpener("TSummerTimeForm");
    ASSERT_NE(opener, nullptr);
    TestKit::OnNextModal<TSummerTimeForm>([this, script](TSummerTimeForm* f) {
      form_ = f;
      script(f);
      f->Close();
    });
    opener(Application, "Summer Time: 127.0.0.1");
    form_ = nullptr;
  }
  TEditsPanel* Rows() const { return form_->Panel->EditsPanel; }
  void Tick(int row) const { Rows()->Row(row).CheckBox->SetChecked(true); }
  TControl* Part(int item, int entry) const {
    return form_->CtrlsLists[static_cast<std::size_t>(item - 2)]->Control(entry);
  }
  TComboBox* Combo(int item, int entry) const {
    return dynamic_cast<TComboBox*>(Part(item, entry));
  }
  TComboBox* Status() const { return dynamic_cast<TComboBox*>(Rows()->Row(0).EditCtrl); }
  void PressSet() const { TestKit::Click(form_->Panel->BtnPanel->SetBtn); }
  static bool Has(const std::string& line, const std::string& text) {
    return line.find(text) != std::string::npos;
  }

  TSummerTimeForm* form_ = nullptr;
};

// Repeating entries: month, week, weekday, hour, minute; annual entries:
// day, month, hour, minute.
TEST_F(SummerTimeForm, ReadsTheStatusFirstThenTheOffsetAndTheRuleItSelects) {
  Open([this](TSummerTimeForm* f) {
    EXPECT_EQ(f->Caption(), "Summer Time: 127.0.0.1");
    const std::vector<std::string> log = NewLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(Has(log[0], Oid(1) + "=")) << log[0];
    for (int k = 2; k <= 6; ++k) EXPECT_FALSE(Has(log[0], Oid(k))) << log[0];
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(Has(log[1], Oid(k) + "=")) << log[1];
    for (int k = 5; k <= 6; ++k) EXPECT_FALSE(Has(log[1], Oid(k))) << log[1];

    EXPECT_EQ(Status()->Text(), "repeating");
    EXPECT_EQ(Rows()->Row(1).EditCtrl->Text(), "60");
    const char* start[] = {"Mar", "1st", "Sun", "2", "0"};
    const char* end[] = {"Oct", "last", "Sun", "3", "0"};
    for (int e = 1; e <= 5; ++e) {
      EXPECT_EQ(Part(2, e)->Text(), start[e - 1]) << e;
      EXPECT_EQ(Part(3, e)->Text(), end[e - 1]) << e;
    }
    EXPECT_EQ(Part(2, 4)->Hint(), "Hour");
    EXPECT_TRUE(f->CtrlsLists[0]->Host->Visible());
    EXPECT_TRUE(f->CtrlsLists[1]->Host->Visible());
    EXPECT_FALSE(f->CtrlsLists[2]->Host->Visible());
    EXPECT_FALSE(f->CtrlsLists[3]->Host->Visible());
    EXPECT_FALSE(Part(2, 0)->Visible());  // the row's own edit box stays behind
    EXPECT_EQ(f->CtrlsLists[0]->Host->Width(), 240);
    EXPECT_EQ(f->CtrlsLists[0]->Host->Top(), Part(2, 0)->Top());
    EXPECT_TRUE(TestKit::Grab(f, vntest::ArtifactsDir() + "/form-SummerTime.png"));

    // The status chosen by the user shows the other rule at once.
    TestKit::PickItem(Status(), 2);
    EXPECT_FALSE(f->CtrlsLists[0]->Host->Visible());
    EXPECT_TRUE(f->CtrlsLists[2]->Host->Visible());
  });
}

TEST_F(SummerTimeForm, AnAnnualStatusReadsTheAnnualRule) {
  Control("set " + Oid(1) + " i 2");
  Open([this](TSummerTimeForm*) {
    const std::vector<std::string> log = NewLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(Has(log[1], Oid(5) + "=") && Has(log[1], Oid(6) + "=")) << log[1];
    EXPECT_FALSE(Has(log[1], Oid(3)) || Has(log[1], Oid(4))) << log[1];
    const char* start[] = {"15", "Apr", "2", "30"};
    for (int e = 1; e <= 4; ++e) EXPECT_EQ(Part(4, e)->Text(), start[e - 1]) << e;
    EXPECT_EQ(Part(5, 2)->Text(), "Sep");
  });
}

TEST_F(SummerTimeForm, SetWritesTheStatusThenTheOffsetAndTheTickedRule) {
  Open([this](TSummerTimeForm*) {
    Tick(0);
    Tick(1);
    Tick(2);
    Rows()->Row(1).EditCtrl->SetText("90");
    TestKit::PickItem(Combo(2, 1), 3);  // Apr
    TestKit::PickItem(Combo(2, 2), 4);  // last
    Part(2, 4)->SetText("1");
    PressSet();
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_TRUE(Has(sets[0], Oid(1) + "=INTEGER:1")) << sets[0];
    EXPECT_FALSE(Has(sets[0], Oid(2))) << sets[0];
    EXPECT_TRUE(Has(sets[1], Oid(2) + "=INTEGER:90")) << sets[1];
    EXPECT_TRUE(Has(sets[1], Oid(3) + "=Hex-STRING:FF 00 01 04 01 00")) << sets[1];
    for (int k : {1, 4, 5, 6}) EXPECT_FALSE(Has(sets[1], Oid(k))) << sets[1];
    EXPECT_EQ(Value(Oid(3)), "Hex-STRING:FF 00 01 04 01 00");
  });
}

// A rule the switch holds longer than its 6 octets goes back whole while it
// is left alone; changed, it goes out as its 6 octets, the length the
// switch takes.
TEST_F(SummerTimeForm, AChangedRuleGoesOutAsItsOwnOctets) {
  Control("set " + Oid(3) + " x 010001030200A5A5");
  Control("set " + Oid(4) + " x FF00010A0300A5A5");
  Open([this](TSummerTimeForm*) {
    Tick(2);
    Tick(3);
    TestKit::PickItem(Combo(2, 1), 3);  // Apr
    PressSet();
    ASSERT_EQ(SetLines().size(), 1u);
    EXPECT_EQ(Value(Oid(3)), "Hex-STRING:01 00 01 04 02 00") << SetLines()[0];
    EXPECT_EQ(Value(Oid(4)), "Hex-STRING:FF 00 01 0A 03 00 A5 A5");
  });
}

// Start and end rules that the switch holds in one month go back as they
// are while the user leaves both alone; they are judged together once the
// user changes one.
TEST_F(SummerTimeForm, RulesLeftAloneAreNotJudgedTogether) {
  struct {
    const char* status;
    int start;  // the start rule's row; the end rule's is the next
    const char* held[2];
    int hourPart;
  } cases[] = {{"1", 2, {"010001030200", "010001030300"}, 4},
               {"2", 4, {"0F040200", "1E040300"}, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    Control("reset");
    Control("set " + Oid(1) + " i " + c.status);
    for (int k = 0; k < 2; ++k) Control("set " + Oid(c.start + 1 + k) + " x " + c.held[k]);
    Open([this, &c](TSummerTimeForm*) {
      const std::size_t sets = SetLines().size();
      Tick(c.start);
      Tick(c.start + 1);
      PressSet();
      ASSERT_EQ(SetLines().size(), sets + 1);
      EXPECT_TRUE(Has(SetLines().back(), Oid(c.start + 2) + "=Hex-STRING:")) << SetLines().back();
      TestKit::DialogScript boxes;
      boxes.Expect("From month and To month should not be the same.");
      Part(c.start + 1, c.hourPart)->SetText("4");
      PressSet();
      EXPECT_EQ(SetLines().size(), sets + 1);
    });
  }
}

TEST_F(SummerTimeForm, DisableHidesAndUnticksTheRulesSoOnlyStatusAndOffsetAreWritten) {
  Open([this](TSummerTimeForm* f) {
    Tick(2);
    TestKit::PickItem(Status(), 0);
    for (std::size_t k = 0; k < 4; ++k) EXPECT_FALSE(f->CtrlsLists[k]->Host->Visible()) << k;
    for (int i = 2; i <= 5; ++i) EXPECT_FALSE(Rows()->Row(i).CheckBox->Checked()) << i;
    TestKit::Click(f->Panel->BtnPanel->CheckAllBtn);
    PressSet();
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_TRUE(Has(sets[0], Oid(1) + "=INTEGER:0")) << sets[0];
    EXPECT_TRUE(Has(sets[1], Oid(2) + "=INTEGER:60")) << sets[1];
    for (int k = 3; k <= 6; ++k) EXPECT_FALSE(Has(sets[1], Oid(k))) << sets[1];
  });
}

TEST_F(SummerTimeForm, ChecksRefuseBeforeAnythingIsSent) {
  Open([this](TSummerTimeForm*) {
    TestKit::DialogScript boxes;
    Tick(1);
    Rows()->Row(1).EditCtrl->SetText("45");
    boxes.Expect("Summer Time Offset must chosed from {30, 60, 90, 120}.");
    PressSet();
    Rows()->Row(1).EditCtrl->SetText("120");

    Tick(2);
    Tick(3);
    TestKit::PickItem(Combo(3, 1), 2);  // end in March too
    boxes.Expect("From month and To month should not be the same.");
    PressSet();
    Rows()->UncheckRow(3);
    Part(2, 4)->SetText("-1");  // would wrap in its octet
    boxes.Expect("Time error.");
    PressSet();
    Part(2, 4)->SetText("");
    Rows()->UncheckRow(1);
    boxes.Expect("Time error.");
    PressSet();
    EXPECT_TRUE(SetLines().empty());

    TestKit::PickItem(Status(), 2);  // annual: not read, so typed in full
    Tick(4);
    Part(4, 3)->SetText("2");
    Part(4, 4)->SetText("30");
    Part(4, 1)->SetText("29");
    TestKit::PickItem(Combo(4, 2), 1);  // Feb
    boxes.Expect("Time error.");
    PressSet();
    Part(4, 1)->SetText("31");
    TestKit::PickItem(Combo(4, 2), 3);  // Apr
    boxes.Expect("Time error.");
    PressSet();
    EXPECT_TRUE(SetLines().empty());
    Part(4, 1)->SetText("30");
    PressSet();
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);  // the status row is not ticked
    EXPECT_TRUE(Has(sets[0], Oid(5) + "=Hex-STRING:1E 04 02 1E")) << sets[0];
  });
}

TEST_F(SummerTimeForm, AnEmptyTickedRowStopsTheSecondWriteOnly) {
  Open([this](TSummerTimeForm*) {
    TestKit::DialogScript boxes;
    Tick(0);
    Tick(1);
    Rows()->Row(1).EditCtrl->SetText("");
    boxes.Expect("Some items are empty!");
    PressSet();
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), 1u);  // the status alone
    EXPECT_TRUE(Has(sets[0], Oid(1) + "=INTEGER:1")) << sets[0];
  });
}

TEST_F(SummerTimeForm, AFailedFirstReadOpensTheFormAndRefreshReadsAgain) {
  Control(std::string("inject get ") + kSummer + " genErr");
  Open([this](TSummerTimeForm* f) {
    const std::string memo = MemoText(f->Panel->StatusPanel()->Memo);
    EXPECT_EQ(memo.rfind("Get: ", 0), 0u) << memo;
    EXPECT_EQ(memo.find("Ok!"), std::string::npos) << memo;
    EXPECT_EQ(NewLog().size(), 1u);  // the status read failed: no second read
    EXPECT_TRUE(f->CtrlsLists[0]->Host->Visible());
    TestKit::Click(f->Panel->BtnPanel->RefreshBtn);
    EXPECT_EQ(NewLog().size(), 3u);
    EXPECT_EQ(Part(2, 1)->Text(), "Mar");
  });
}

}  // namespace
