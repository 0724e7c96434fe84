// The time range form against the simulated switch: the first read, adding
// (the status forced to createAndGo), the input checks, deleting a selected
// row, and the busy guards while a read runs.
#include <algorithm>
#include <memory>

#include "PagesTestSupport.h"
#include "forms/acl/TimeRangeFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kStatusColumn = "1.3.6.1.4.1.171.12.50.3.1.1.5";
// "night" as a row instance: its length, then its character codes.
constexpr const char* kNight = ".5.110.105.103.104.116";

class TimeRangeFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TTimeRangeForm>(Application));
    TimeRangeForm = form_.get();
    ASSERT_TRUE(PumpUntil([this] { return form_->RequestIdle == 1; }));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    if (form_) {
      TimeRangeForm = nullptr;
      form_->Hide();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  void Fill(const char* name, const char* weekdays, const char* start, const char* end) {
    form_->edtName->SetText(name);
    form_->edtweekdays->SetText(weekdays);
    form_->edtStart->SetText(start);
    form_->edtEnd->SetText(end);
  }
  bool WaitForm() {
    return PumpUntil([this] { return form_->RequestIdle == 1; });
  }
  std::unique_ptr<TTimeRangeForm> form_;
};

TEST_F(TimeRangeFormTest, OpensWithTheDeviceRowsAndTheRowButtonsOff) {
  Open();
  ASSERT_EQ(form_->ListView1->Items()->Count(), 1);
  EXPECT_EQ(form_->ListView1->Items()->Item(0)->Caption(), "workday");
  EXPECT_EQ(form_->StatusBar1->SimpleText().Pos("Ok!") > 0, true)
      << form_->StatusBar1->SimpleText().c_str();
  EXPECT_FALSE(form_->btnSet->Enabled());
  EXPECT_FALSE(form_->btnDelete->Enabled());
  EXPECT_TRUE(form_->btnAdd->Enabled());
  EXPECT_EQ(form_->cbxStatus->Items()->Count(), 6);
  EXPECT_TRUE(FindFormOpener("TTimeRangeForm") != nullptr);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-TimeRange.png"));
}

TEST_F(TimeRangeFormTest, AddSendsTheTypedTextsWithCreateAndGoWhateverTheComboShowed) {
  Open();
  Fill("night", "Mon,Thu", "22:00:00", "23:59:59");
  form_->cbxStatus->SetItemIndex(5);  // "destroy"
  TestKit::Click(form_->btnAdd);
  EXPECT_EQ(form_->RequestIdle, 0);
  ASSERT_TRUE(WaitForm());
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  const std::string base = "1.3.6.1.4.1.171.12.50.3.1.1.";
  EXPECT_NE(sets[0].find(base + "2" + kNight + "=STRING:\"Mon,Thu\""), std::string::npos)
      << sets[0];
  EXPECT_NE(sets[0].find(base + "3" + kNight + "=STRING:\"22:00:00\""), std::string::npos);
  EXPECT_NE(sets[0].find(base + "4" + kNight + "=STRING:\"23:59:59\""), std::string::npos);
  EXPECT_NE(sets[0].find(std::string(kStatusColumn) + kNight + "=INTEGER:4"), std::string::npos);
  EXPECT_EQ(form_->ListView1->Items()->Count(), 2);
  EXPECT_EQ(Value(base + "2" + kNight), "STRING:\"Mon,Thu\"");
}

// The form does not look at the name: an empty one is the zero-length
// string index, not the text "(NULL)".
TEST_F(TimeRangeFormTest, AnEmptyNameIsSentAsTheEmptyStringIndex) {
  Open();
  Fill("", "Sun", "01:00:00", "02:00:00");
  TestKit::Click(form_->btnAdd);
  ASSERT_TRUE(WaitForm());
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(std::string(kStatusColumn) + ".0=INTEGER:4"), std::string::npos)
      << sets[0];
  EXPECT_EQ(sets[0].find(".6.40.78.85.76.76.41"), std::string::npos) << sets[0];
}

// A refused write has the list read again, quietly: its error stays in the
// bar.
TEST_F(TimeRangeFormTest, ARefusedAddIsReadAgainAndStaysInTheStatusBar) {
  Open();
  Control(std::string("inject set ") + kStatusColumn + " genErr");
  Fill("night", "Mon,Thu", "22:00:00", "23:59:59");
  TestKit::Click(form_->btnAdd);
  ASSERT_TRUE(WaitForm());
  ASSERT_TRUE(WaitIdle(*form_->Request));
  ASSERT_TRUE(WaitQuiet());
  const std::string status = form_->StatusBar1->DisplayedText().str();
  EXPECT_EQ(status.rfind("Set: ", 0), 0u) << status;
  EXPECT_EQ(status.find("Ok!"), std::string::npos) << status;
  const auto log = NewLog();
  const auto set = std::find_if(log.begin(), log.end(), [](const std::string& line) {
    return line.find("\tSET\t") != std::string::npos;
  });
  ASSERT_NE(set, log.end());
  EXPECT_EQ(std::count_if(set, log.end(),
                          [](const std::string& line) {
                            return line.find("\tGETNEXT\t") != std::string::npos;
                          }),
            2);  // the one row and the end
}

TEST_F(TimeRangeFormTest, AddRefusesMissingTextsInOrderAndSendsNothing) {
  Open();
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Please input the weekdays");
    Fill("night", "", "", "");
    TestKit::Click(form_->btnAdd);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Please select the daily start time");
    Fill("night", "Mon", "", "23:00:00");
    TestKit::Click(form_->btnAdd);
  }
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Please select the daily end time");
    Fill("night", "Mon", "22:00:00", "");
    TestKit::Click(form_->btnAdd);
  }
  EXPECT_EQ(form_->cbxStatus->Text(), "createAndGo");
  EXPECT_EQ(form_->RequestIdle, 1);
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(TimeRangeFormTest, DeleteWritesTheSelectedRowAgainWithDestroy) {
  Control("set 1.3.6.1.4.1.171.12.50.3.1.1.2.7.119.111.114.107.100.97.121 s Mon,Tue");
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_EQ(form_->edtName->Text(), "workday");
  EXPECT_TRUE(form_->btnDelete->Enabled());
  EXPECT_TRUE(form_->btnSet->Enabled());
  EXPECT_FALSE(form_->btnAdd->Enabled());
  EXPECT_FALSE(form_->edtName->Enabled());
  TestKit::Click(form_->btnDelete);
  ASSERT_TRUE(WaitForm());
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  const std::string row = ".7.119.111.114.107.100.97.121";
  EXPECT_NE(sets[0].find(std::string(kStatusColumn) + row + "=INTEGER:6"), std::string::npos)
      << sets[0];
  EXPECT_NE(sets[0].find("1.3.6.1.4.1.171.12.50.3.1.1.2" + row + "=STRING:\"Mon,Tue\""),
            std::string::npos);
  EXPECT_EQ(form_->ListView1->Items()->Count(), 0);
  EXPECT_FALSE(form_->btnDelete->Enabled());
  EXPECT_TRUE(form_->btnAdd->Enabled());
  EXPECT_TRUE(form_->edtName->Enabled());
  EXPECT_EQ(form_->cbxStatus->ItemIndex(), -1);
}

TEST_F(TimeRangeFormTest, EditWritesTheRowsOwnStatusAndResetsTheButtons) {
  Open();
  TestKit::ClickRow(form_->ListView1, 0);
  form_->edtStart->SetText("07:30:00");
  TestKit::Click(form_->btnSet);
  ASSERT_TRUE(WaitForm());
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(std::string(kStatusColumn) + ".7.119.111.114.107.100.97.121=INTEGER:1"),
            std::string::npos)
      << sets[0];
  EXPECT_EQ(Value("1.3.6.1.4.1.171.12.50.3.1.1.3.7.119.111.114.107.100.97.121"),
            "STRING:\"07:30:00\"");
  EXPECT_FALSE(form_->btnSet->Enabled());
  EXPECT_TRUE(form_->btnAdd->Enabled());
  EXPECT_EQ(form_->edtName->Text(), "");
}

// Edit judges the texts the user changed: an empty text the switch holds
// and the user left alone goes back as it is; one the user emptied is
// refused as in Add. Add judges every text, also after a row with an empty
// text was shown.
TEST_F(TimeRangeFormTest, EditJudgesTheTextsTheUserChangedAndAddEveryText) {
  const std::string row = ".7.119.111.114.107.100.97.121";
  const std::string weekdays = "1.3.6.1.4.1.171.12.50.3.1.1.2" + row;
  const std::string end = "1.3.6.1.4.1.171.12.50.3.1.1.4" + row;
  Open();
  const struct {
    const char* name;
    const char* held;  // the weekdays the switch holds
    TEdit* TTimeRangeForm::*field;
    const char* text;
    const char* message;  // null: written
  } edits[] = {
      {"weekdays held empty, end changed", "\"\"", &TTimeRangeForm::edtEnd, "21:00:00", nullptr},
      {"end emptied by the user", "\"\"", &TTimeRangeForm::edtEnd, "",
       "Please select the daily end time"},
      {"weekdays emptied by the user", "Mon", &TTimeRangeForm::edtweekdays, "",
       "Please input the weekdays"},
      {"a new entry after a row with weekdays held empty", "\"\"", nullptr, nullptr,
       "Please input the weekdays"},
  };
  for (const auto& e : edits) {
    SCOPED_TRACE(e.name);
    Control("set " + weekdays + " s " + e.held);
    TestKit::Click(form_->btnGet);
    ASSERT_TRUE(WaitForm());
    const std::size_t before = SetLines().size();
    TestKit::ClickRow(form_->ListView1, 0);
    if (e.field) Typed(form_.get()->*e.field, e.text);
    if (!e.field) {
      TestKit::ClickEmpty(form_->ListView1);
      Fill("night", "", "22:00:00", "23:00:00");
    }
    TestKit::DialogScript boxes;
    if (e.message) boxes.Expect(e.message);
    TestKit::Click(e.field ? form_->btnSet : form_->btnAdd);
    ASSERT_TRUE(WaitForm());
    ASSERT_TRUE(WaitIdle(*form_->Request));
    boxes.Verify();
    ASSERT_EQ(SetLines().size(), before + (e.message ? 0 : 1));
  }
  // The held weekdays go back with the end time the user changed.
  EXPECT_NE(SetLines()[0].find(weekdays + "="), std::string::npos) << SetLines()[0];
  EXPECT_NE(SetLines()[0].find(end + "=STRING:\"21:00:00\""), std::string::npos) << SetLines()[0];
}

TEST_F(TimeRangeFormTest, WhileAReadRunsRefreshIsIgnoredAndWritesAndClosingAreRefused) {
  Open();
  Control("hold");
  TestKit::Click(form_->btnGet);
  ASSERT_EQ(form_->RequestIdle, 0);
  TestKit::Click(form_->btnGet);  // nothing, no message
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Get data not complete");
    boxes.Expect("Get data not complete");
    Fill("night", "Mon", "22:00:00", "23:00:00");
    TestKit::Click(form_->btnAdd);
    bool canClose = true;
    form_->FormCloseQuery(form_.get(), canClose);
    EXPECT_FALSE(canClose);
  }
  Control("release");
  ASSERT_TRUE(WaitForm());
  bool canClose = true;
  form_->FormCloseQuery(form_.get(), canClose);
  EXPECT_TRUE(canClose);
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(TimeRangeFormTest, TheMenuOpenerCaptionsAndClosesTheForm) {
  TFormOpener opener = FindFormOpener("TTimeRangeForm");
  ASSERT_TRUE(opener != nullptr);
  AnsiString caption;
  TestKit::OnNextModal<TTimeRangeForm>([&caption](TTimeRangeForm* f) {
    caption = f->Caption();
    EXPECT_EQ(TimeRangeForm, f);
    PumpUntil([f] { return f->RequestIdle == 1; });
    TestKit::Click(f->btnClose);
  });
  opener(Application, "Time Range Management: 127.0.0.1");
  EXPECT_EQ(caption, "Time Range Management: 127.0.0.1");
  EXPECT_EQ(TimeRangeForm, nullptr);
}

}  // namespace

namespace {

TEST_F(TimeRangeFormTest, StopEndsTheReadAndTheFormCanCloseAgain) {
  Open();
  Control("hold");
  TestKit::Click(form_->btnGet);
  TestKit::Click(form_->btnStop);
  EXPECT_FALSE(form_->Request->Request.Active);
  Control("release");
  ASSERT_TRUE(WaitForm());
  EXPECT_FALSE(form_->Request->Busy);
  // Edit and Delete do nothing at all without a selected row.
  form_->btnDeleteClick(form_->btnDelete);
  form_->btnSetClick(form_->btnSet);
  EXPECT_TRUE(SetLines().empty());
  bool canClose = true;
  form_->FormCloseQuery(form_.get(), canClose);
  EXPECT_TRUE(canClose);
}

}  // namespace
