// List views: columns, cells, selection events by code and by the user,
// hidden list views.
#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#include "UiTestSupport.h"
#include "platform/ComCtrls.h"
#include "platform/PaintWatch.h"
#include "platform/StdCtrls.h"

namespace {

class ListView : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Build();
  }
  // The form: a list of three rows in report style, as a list page has it.
  void Build() {
    form = Create<TForm>(Application);
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    lv = new TListView(form);
    lv->SetParent(form);
    lv->SetViewStyle(vsReport);
    lv->SetReadOnly(true);
    lv->SetRowSelect(true);
    lv->SetHideSelection(false);
    lv->SetGridLines(true);
    lv->Columns()->Clear();
    auto* hidden = lv->Columns()->Add();
    hidden->SetCaption("Index");
    hidden->SetWidth(0);
    auto* name = lv->Columns()->Add();
    name->SetCaption("Status        ");
    name->SetWidth(-2);
    auto* value = lv->Columns()->Add();
    value->SetCaption("Value");
    value->SetWidth(80);
    for (int i = 0; i < 3; ++i) {
      TListItem* it = lv->Items()->Add();
      it->SetCaption(AnsiString(i + 1));
      it->SubItems()->Add("row" + AnsiString(i));
      it->SubItems()->Add(AnsiString(i * 10));
    }
    lv->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
      log.push_back((selected ? "select " : "deselect ") + item->Caption().str());
    };
    lv->OnChange = [this](TObject*, TListItem* item, TItemChange c) {
      if (c == ctState) log.push_back("state " + item->Caption().str());
      if (c == ctText) log.push_back("text " + item->Caption().str());
    };
    lv->OnClick = [this](TObject*) {
      log.push_back("click " +
                    (lv->Selected() ? lv->Selected()->Caption().str() : std::string("none")));
    };
  }
  void TearDown() override {
    delete form;
    UiTest::TearDown();
  }
  // A row count below the list, as a list page shows one.
  TStaticText* CountBeside() {
    auto* count = new TStaticText(form);
    count->SetParent(form);
    count->SetAutoSize(false);
    count->SetBounds(300, 270, 80, 20);
    return count;
  }
  TForm* form = nullptr;
  TListView* lv = nullptr;
  std::vector<std::string> log;
};

// Changes made one after another, as a walk makes them, and the quiet spells
// between them. A view that follows its state at a human rate is brought up
// to date once at the first change, at most every 100 ms while the changes
// keep coming, once after the last; a spell of 30 ms without a change (a
// machine that stalls, a test that waits) may add one as it ends and one at
// the next change. The bound counts the spells instead of assuming none.
class Changes {
 public:
  using Clock = std::chrono::steady_clock;
  Changes() : start_(Clock::now()), last_(start_) {}
  // Notes a change made now.
  void Made() {
    const Clock::time_point now = Clock::now();
    if (now - last_ >= std::chrono::milliseconds(25)) ++pauses_;  // 30 ms, as the clocks differ
    last_ = now;
  }
  double Ms() const { return std::chrono::duration<double, std::milli>(last_ - start_).count(); }
  int Pauses() const { return pauses_; }
  // The most times a view that follows the changes so far may be brought
  // up to date.
  double MostUpdates() const { return Ms() / 100 + 2 + 2 * pauses_; }

 private:
  Clock::time_point start_, last_;
  int pauses_ = 0;
};

TEST_F(ListView, ColumnsOfWidthZeroAndMinusTwo) {
  EXPECT_EQ(lv->Columns()->Items(0)->Width(), 0);
  int fitted = lv->Columns()->Items(1)->Width();
  EXPECT_GT(fitted, 40);  // the header text with its trailing blanks
  EXPECT_LT(fitted, 200);
  EXPECT_EQ(lv->Columns()->Items(1)->Caption(), "Status        ");
  EXPECT_EQ(lv->Columns()->Count(), 3);
}

TEST_F(ListView, CellsAreCaptionAndSubItems) {
  TListItem* it = lv->Items()->Item(1);
  EXPECT_EQ(it->Caption(), "2");
  EXPECT_EQ(it->SubItems()->Strings(0), "row1");
  it->SubItems()->SetStrings(1, "99");
  EXPECT_EQ((*lv->Items())[1]->SubItems()->Strings(1), "99");
  EXPECT_EQ(it->Index(), 1);
  EXPECT_THROW(it->SubItems()->Strings(2), EStringListError);
  EXPECT_THROW(lv->Items()->Item(3), EListError);
}

TEST_F(ListView, SelectionByCodeFiresEventsForOldThenNewEvenWhenHidden) {
  lv->Hide();
  lv->Items()->Item(0)->SetSelected(true);
  log.clear();
  lv->Items()->Item(2)->SetSelected(true);
  EXPECT_EQ(log, (std::vector<std::string>{"state 1", "deselect 1", "state 3", "select 3"}));
  EXPECT_EQ(lv->Selected(), lv->Items()->Item(2));
  EXPECT_EQ(lv->ItemIndex(), 2);
  log.clear();
  lv->SetSelected(nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"state 3", "deselect 3"}));
  lv->SetItemIndex(1);
  EXPECT_TRUE(lv->Items()->Item(1)->Selected());
}

TEST_F(ListView, ClearFiresNothingAndLosesTheSelection) {
  lv->SetItemIndex(0);
  log.clear();
  lv->Items()->Clear();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(lv->Selected(), nullptr);
  EXPECT_EQ(lv->Items()->Count(), 0);
}

TEST_F(ListView, AddingRowsReportsTextChanges) {
  int changing = 0;
  lv->OnChanging = [&](TObject*, TListItem*, TItemChange, bool& allow) {
    ++changing;
    allow = true;
  };
  log.clear();
  TListItem* it = lv->Items()->Add();
  it->SetCaption("4");
  it->SubItems()->Add("row3");
  EXPECT_EQ(log, (std::vector<std::string>{"text 4", "text 4"}));
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(lv->Items()->Count(), 4);
  // A row added with its texts reports them as one change.
  log.clear();
  const AnsiString cells[] = {"5", "row4", "40"};
  it = lv->Items()->AddRow(cells);
  EXPECT_EQ(log, std::vector<std::string>{"text 5"});
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(it->SubItems()->Strings(1), "40");
}

TEST_F(ListView, UserClickSelectsAtPressThenClicksAndEmptySpaceDeselects) {
  TestKit::ShowAndActivate(form);
  log.clear();
  TestKit::ClickRow(lv, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"state 2", "select 2", "click 2"}));
  log.clear();
  TestKit::ClickRow(lv, 1);  // the same row again: only the click
  EXPECT_EQ(log, std::vector<std::string>{"click 2"});
  log.clear();
  TestKit::ClickEmpty(lv);
  EXPECT_EQ(log, (std::vector<std::string>{"state 2", "deselect 2", "click none"}));
}

TEST_F(ListView, KeyboardMovesTheSelectionWithoutOnClick) {
  TestKit::ShowAndActivate(form);
  lv->SetItemIndex(0);
  log.clear();
  TestKit::PressKeyInList(lv, VK_DOWN);
  EXPECT_EQ(log, (std::vector<std::string>{"state 1", "deselect 1", "state 2", "select 2"}));
}

TEST_F(ListView, DoubleClickAndItemAtPoint) {
  int dbl = 0;
  lv->OnDblClick = [&](TObject*) { ++dbl; };
  TestKit::ShowAndActivate(form);
  TestKit::DoubleClickRow(lv, 2);
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(lv->ItemIndex(), 2);
  EXPECT_EQ(lv->GetItemAt(30, lv->HeaderHeight() + 4), lv->Items()->Item(0));
  EXPECT_EQ(lv->GetItemAt(30, 140), nullptr);
}

TEST_F(ListView, DeletingTheSelectedRowLeavesNone) {
  lv->SetItemIndex(1);
  lv->Items()->Delete(1);
  EXPECT_EQ(lv->Selected(), nullptr);
  EXPECT_EQ(lv->Items()->Item(1)->Caption(), "3");
  EXPECT_EQ(lv->Items()->Item(1)->Index(), 1);
}

// Rows added at the end reach the widget in batches; rows inserted and
// deleted meanwhile keep the widget's rows and the items in step, so a click
// always selects the row the user sees.
TEST_F(ListView, RowsAddedInBulkStayInStepWithTheWidget) {
  TestKit::ShowAndActivate(form);
  for (int i = 3; i < 300; ++i) lv->Items()->Add()->SetCaption(AnsiString(i + 1));
  lv->Items()->Insert(0)->SetCaption("first");
  lv->Items()->Delete(150);  // "150" goes; "151" moves up to row 150
  lv->Items()->Add()->SetCaption("last");
  ASSERT_EQ(lv->Items()->Count(), 301);
  for (int i = 0; i < lv->Items()->Count(); ++i) ASSERT_EQ(lv->Items()->Item(i)->Index(), i);
  TestKit::ClickRow(lv, 0);
  EXPECT_EQ(lv->Selected()->Caption(), "first");
  TestKit::ClickRow(lv, 150);
  EXPECT_EQ(lv->Selected()->Caption(), "151");
  // Rows added after the widget has caught up, and one inserted among them.
  for (int i = 0; i < 100; ++i) lv->Items()->Add()->SetCaption("more" + AnsiString(i));
  lv->Items()->Insert(290)->SetCaption("inserted");
  lv->Items()->Item(350)->SetCaption("renamed");
  TestKit::ClickRow(lv, 290);
  EXPECT_EQ(lv->Selected()->Caption(), "inserted");
  TestKit::ClickRow(lv, 350);
  EXPECT_EQ(lv->Selected()->Caption(), "renamed");
  TestKit::ClickRow(lv, 401);
  EXPECT_EQ(lv->Selected()->Caption(), "more99");
  lv->Items()->Clear();
  for (int i = 0; i < 5; ++i) lv->Items()->Add()->SetCaption("again" + AnsiString(i));
  TestKit::ClickRow(lv, 4);
  EXPECT_EQ(lv->Selected()->Caption(), "again4");
  EXPECT_EQ(lv->GetItemAt(30, lv->HeaderHeight() + 4), lv->Items()->Item(0));
}

// A walk adds one row per reply and lets the loop run after each. The
// widget takes the rows in batches of what was added since the last one, at
// most 100 ms apart, never the whole list again; rows that join out of sight
// are not looked at and, once the scroll bar's slider is at its shortest,
// repaint nothing (with both scroll bars shown), so a batch costs the same
// at any length. The last rows are on the screen within 30 ms of the last
// row added, and the wheel brings the newest row into view. Pictures show
// what the widget holds, brought up to date first.
TEST_F(ListView, RowsOfAWalkReachTheScreenInBatchesOfWhatIsNew) {
  using Clock = std::chrono::steady_clock;
  auto ms = [](Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
  };
  lv->Columns()->Items(2)->SetWidth(600);  // wider than the view
  TestKit::ShowAndActivate(form);
  lv->Items()->Clear();
  TestKit::Pump();
  auto settle = [] {
    TestKit::Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    TestKit::Pump();
  };
  lv->Items()->Add()->SetCaption("first");
  lv->Items()->Add()->SetCaption("second");  // waits for its batch
  const TPixels grabbed = TestKit::GrabPixels(lv);
  settle();
  EXPECT_EQ(grabbed.Data, TestKit::GrabPixels(lv).Data) << "a picture waits for no batch";
  TPaintWatch shown(lv);
  lv->Items()->Add()->SetCaption("third");
  settle();
  EXPECT_EQ(shown.PaintedRows(), 3) << "a row that joins in sight is painted";
  TestKit::ListFeedCounter fed(lv);
  Changes walk;
  constexpr int kRows = 6000;
  std::optional<TestKit::ListFeedCounter> outOfSight;
  std::optional<TPaintWatch> quiet;
  for (int i = 3; i < kRows; ++i) {
    if (i == kRows / 2) {
      settle();  // the rows so far fill the view
      outOfSight.emplace(lv);
      quiet.emplace(lv);
    }
    lv->Items()->Add()->SetCaption("row" + AnsiString(i));
    walk.Made();
    Application->ProcessMessages();
  }
  const auto last = Clock::now();
  double late = 0;
  while (shown.PaintedRows() < kRows && ms(last) < 2000) {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    late = ms(last);
  }
  EXPECT_EQ(shown.PaintedRows(), kRows);
  // 30 ms of quiet, and a margin for a busy machine (a batch interval that grew
  // with the list would need over 100 ms here).
  EXPECT_LE(late, 30 + 45);
  EXPECT_EQ(fed.Rows(), kRows - 3);
  EXPECT_EQ(fed.Resets(), 0);
  EXPECT_LE(fed.Batches(), walk.MostUpdates())
      << kRows << " rows in " << walk.Ms() << " ms, " << walk.Pauses() << " pauses";
  settle();  // whatever was to be painted is
  EXPECT_GT(outOfSight->Rows(), 0);
  EXPECT_EQ(outOfSight->Lookups(), 0) << "rows out of sight are not looked at";
  EXPECT_EQ(quiet->Paints(), 0) << "rows out of sight repaint nothing";
  EXPECT_EQ(quiet->PaintedRows(), kRows);
  EXPECT_LT(TestKit::BottomRowShown(lv), kRows / 2);
  TestKit::WheelList(lv, -kRows / 2);
  EXPECT_EQ(TestKit::BottomRowShown(lv), kRows - 1);
}

// Rows joining below the ones in sight leave the scroll bar as it is once
// its slider is at its shortest; wherever the list is scrolled, the screen
// shows after every batch what the widget draws afresh.
TEST_F(ListView, TheScreenFollowsEveryBatchWhereverTheListIsScrolled) {
  TestKit::ShowAndActivate(form);
  lv->Items()->Clear();
  int rows = 0;
  for (int batch = 0; batch < 24; ++batch) {
    const int add = batch < 4 ? 2 : batch < 8 ? 40 : 400;
    for (int i = 0; i < add; ++i) lv->Items()->Add()->SetCaption("row" + AnsiString(rows++));
    if (batch == 10) TestKit::WheelList(lv, -2);        // a few rows down
    if (batch == 14) TestKit::WheelList(lv, -rows);     // to the end
    if (batch == 18) TestKit::WheelList(lv, rows / 6);  // back up a way
    std::this_thread::sleep_for(std::chrono::milliseconds(35));
    TestKit::Pump();
    const TPixels screen = TestKit::ScreenPixels(lv);
    ASSERT_FALSE(screen.Data.empty());
    ASSERT_EQ(screen.Data, TestKit::GrabPixels(lv).Data) << "after batch " << batch;
  }
  // A row inserted in sight is on the screen once it is painted, not before.
  TestKit::WheelList(lv, rows);  // to the top
  TestKit::Pump();
  TPaintWatch shown(lv);
  int told = -1;  // what the watch held when it told of a painting
  shown.OnPainted = [&] { told = shown.PaintedRows(); };
  lv->Items()->Insert(1)->SetCaption("inserted");
  EXPECT_EQ(shown.PaintedRows(), -1);
  TestKit::Pump();
  EXPECT_EQ(shown.PaintedRows(), rows + 1);
  EXPECT_EQ(told, rows + 1);
  EXPECT_EQ(TestKit::ScreenPixels(lv).Data, TestKit::GrabPixels(lv).Data);
}

// A count beside the list, set after every row with the loop run after each
// as a walk does, is redrawn about ten times a second rather than once per
// row (every repaint slows the walk); the control holds every count at once,
// and the last one reaches the screen by itself once the counting stops.
TEST_F(ListView, ACountSetAfterEveryRowIsRedrawnAtAHumanRate) {
  using Clock = std::chrono::steady_clock;
  auto ms = [](Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
  };
  TStaticText* count = CountBeside();
  TestKit::ShowAndActivate(form);
  TestKit::Pump();
  TestKit::PaintCounter paints(count);
  TPaintWatch shown(count);
  Changes counting;
  for (int i = 1; counting.Ms() < 400; ++i) {
    lv->Items()->Add()->SetCaption("row" + AnsiString(i));
    count->SetCaption(AnsiString(i));
    counting.Made();
    ASSERT_EQ(count->Caption(), AnsiString(i));
    Application->ProcessMessages();
  }
  EXPECT_LE(paints.Count(), counting.MostUpdates())
      << "in " << counting.Ms() << " ms, " << counting.Pauses() << " pauses";
  EXPECT_GE(paints.Count(), 2) << "a count that keeps changing still moves on the screen";
  const auto stopped = Clock::now();
  while (shown.PaintedText() != count->Caption() && ms(stopped) < 500) {
    TestKit::Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(shown.PaintedText(), count->Caption())
      << "the last count waited for someone to read it";
  EXPECT_LE(ms(stopped), 30 + 45);
}

// Whatever makes the window paint (a status line set as a walk ends) brings
// the rows and the count still waiting for their interval with it: they
// reach the screen in that pass, not up to an interval later in a pass of
// their own.
TEST_F(ListView, RowsAndACountThatWaitArePaintedWithTheWindowsNextPass) {
  TStaticText* count = CountBeside();
  auto* status = new TLabel(form);
  status->SetParent(form);
  status->SetBounds(10, 270, 200, 20);
  TestKit::ShowAndActivate(form);
  TestKit::Pump();
  TPaintWatch rowsShown(lv), countShown(count);
  bool waiting = false;
  // The first change after a quiet spell is shown at once, the next one
  // waits; a machine that stalls for a whole interval tries again.
  for (int attempt = 0; attempt < 5 && !waiting; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    TestKit::Pump();
    for (int i = 0; i < 2; ++i) {
      lv->Items()->Add()->SetCaption("row");
      count->SetCaption(AnsiString(lv->Items()->Count()));
      Application->ProcessMessages();
    }
    waiting = countShown.PaintedText() != count->Caption() &&
              rowsShown.PaintedRows() != lv->Items()->Count();
  }
  ASSERT_TRUE(waiting);
  status->SetCaption("Ok!");
  TestKit::Pump();
  EXPECT_EQ(countShown.PaintedText(), count->Caption());
  EXPECT_EQ(rowsShown.PaintedRows(), lv->Items()->Count());
}

// A selection handler may delete the form, whatever selected the row: the
// list touches nothing of itself afterwards (the sanitizers see to that).
TEST_F(ListView, HandlerDeletingTheFormDuringSelectionIsSafe) {
  const std::vector<std::pair<const char*, std::function<void()>>> selections = {
      {"by code", [this] { lv->SetItemIndex(0); }},
      {"a click", [this] { TestKit::ClickRow(lv, 1); }},
      {"the Down key", [this] { TestKit::PressKeyInList(lv, VK_DOWN); }},
  };
  for (const auto& [what, select] : selections) {
    SCOPED_TRACE(what);
    if (!form) Build();
    TestKit::ShowAndActivate(form);
    lv->OnSelectItem = [this](TObject*, TListItem*, bool selected) {
      if (selected) {
        delete form;
        form = nullptr;
      }
    };
    select();
    EXPECT_EQ(form, nullptr);
  }
}

}  // namespace
