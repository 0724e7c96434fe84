// List views under a real pointer and real keys on an X server: whatever the
// user does with the buttons held, the rows drawn selected on the screen are
// the list's Selected(), and the selection moves only with its events.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ListOnScreen.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "support/OnOwnXServer.h"
#include "support/TestSupport.h"

namespace {

using namespace listscreen;

std::string Text(int v) { return std::to_string(v); }

class ListPointer : public vntest::OnOwnXServer<KitTest> {
 public:
  // Where a user presses besides the rows: on the empty part of the list
  // below them, on the form beside the list.
  Step BelowTheRows() const { return OnControl(list_, 40, list_->Height() - 12); }
  Step BesideTheList() const { return OnControl(form_, 370, 150); }
  Step OnRow(int row) const { return listscreen::OnRow(list_, row); }

 protected:
  void TearDown() override { delete form_; }

  // A form with a list of `rows` rows in report style, as a list page has
  // it, and room beside and below the list.
  void Open(int rows, int columnWidth = 120, int columns = 2) {
    form_ = new TForm(Application);
    form_->SetClientWidth(420);
    form_->SetClientHeight(300);
    list_ = new TListView(form_);
    list_->SetParent(form_);
    list_->SetBounds(10, 10, 300, 220);
    list_->SetViewStyle(vsReport);
    list_->SetReadOnly(true);
    list_->SetRowSelect(true);
    list_->SetHideSelection(false);
    list_->SetGridLines(true);
    for (int i = 0; i < columns; ++i) {
      TListColumn* column = list_->Columns()->Add();
      column->SetCaption(i == 0 ? AnsiString("Index") : "Address " + AnsiString(i));
      column->SetWidth(columnWidth);
    }
    for (int i = 0; i < rows; ++i) {
      TListItem* item = list_->Items()->Add();
      item->SetCaption(Text(i + 1));
      for (int k = 1; k < columns; ++k)
        item->SubItems()->Add("10.90." + AnsiString(k) + "." + AnsiString(i + 1));
    }
    list_->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
      log_.push_back((selected ? "select " : "deselect ") + item->Caption().str());
    };
    list_->OnClick = [this](TObject*) {
      log_.push_back("click " + (list_->Selected() ? list_->Selected()->Caption().str()
                                                   : std::string("none")));
    };
    list_->OnDblClick = [this](TObject*) { log_.push_back("double click"); };
    list_->OnMouseMove = [](TObject*, TShiftState, int, int) {};  // as every list page has
    TestKit::ShowAndActivate(form_);
    Settle();
  }
  // A click with the left button on the row.
  void ClickRow(int row) {
    Do(OnRow(row));
    Do(Press());
    Do(Release());
    Do(OffTheWindows());
  }

  // How far the picture moved left between two shots, within the band of
  // lines from `top` to `bottom` (-1: it did not move by a whole number of
  // pixels).
  static int BandShift(const TPixels& before, const TPixels& after, int top, int bottom) {
    const int inside = 3;  // the frame's pixels stay
    for (int shift = 0; shift < before.Width - 2 * inside - 40; ++shift) {
      bool same = true;
      for (int y = top; y < bottom && same; ++y)
        for (int x = inside; x + shift < before.Width - inside && same; ++x)
          same = after.At(x, y) == before.At(x + shift, y);
      if (same) return shift;
    }
    return -1;
  }
  // The rows' shift, read on a row no selection reaches, and the header's.
  int Shift(const TPixels& before, const TPixels& after) const {
    const TRect row = TestKit::RowRect(list_, 6);
    return BandShift(before, after, row.Top, row.Bottom);
  }
  int HeaderShift(const TPixels& before, const TPixels& after) const {
    return BandShift(before, after, 3, TestKit::RowRect(list_, 0).Top - 1);
  }

  TForm* form_ = nullptr;
  TListView* list_ = nullptr;
  std::vector<std::string> log_;
};

using Steps = std::vector<Step>;

struct PointerCase {
  const char* what;
  int rows;
  int before;  // the row selected by code first (-1: none)
  std::function<Steps(const ListPointer&)> input;
  int after;  // Selected() afterwards
  std::vector<std::string> events;
  bool moveHandler = true;  // the list has an OnMouseMove handler
};

TEST_F(ListPointer, TheRowsDrawnSelectedAreTheListsSelection) {
  const std::vector<PointerCase> cases = {
      {"press on row 1, drag down to row 5, release",
       8,
       -1,
       [](const ListPointer& t) {
         return Steps{t.OnRow(0), Press(), t.OnRow(1), t.OnRow(2), t.OnRow(4), Release()};
       },
       0,
       {"select 1", "click 1"}},
      {"press on row 1, drag down to row 5, release, with no move handler",
       8,
       -1,
       [](const ListPointer& t) {
         return Steps{t.OnRow(0), Press(), t.OnRow(1), t.OnRow(2), t.OnRow(4), Release()};
       },
       0,
       {"select 1", "click 1"},
       false},
      {"press on row 6, drag up to row 2, release",
       8,
       3,
       [](const ListPointer& t) {
         return Steps{t.OnRow(5), Press(), t.OnRow(3), t.OnRow(1), Release()};
       },
       5,
       {"deselect 4", "select 6", "click 6"}},
      {"press below the last row, drag up onto row 1, release",
       8,
       2,
       [](const ListPointer& t) {
         return Steps{t.BelowTheRows(), Press(), t.OnRow(4), t.OnRow(0), Release()};
       },
       -1,
       {"deselect 3", "click none"}},
      {"press on row 3, release beside the list",
       8,
       -1,
       [](const ListPointer& t) {
         return Steps{t.OnRow(2), Press(), t.OnRow(5), t.BesideTheList(), Release()};
       },
       2,
       {"select 3", "click 3"}},
      {"press on row 3, release off the window",
       8,
       -1,
       [](const ListPointer& t) {
         return Steps{t.OnRow(2), Press(), t.OnRow(6), OffTheWindows(), Release()};
       },
       2,
       {"select 3", "click 3"}},
      {"press beside the list, drag onto row 4, release",
       8,
       1,
       [](const ListPointer& t) {
         return Steps{t.BesideTheList(), Press(), t.OnRow(3), t.OnRow(4), Release()};
       },
       1,
       {}},
      {"press on row 2, turn the wheel down with the button held, release",
       40,
       -1,
       [](const ListPointer& t) {
         return Steps{t.OnRow(1), Press(), {"click", "--repeat", "3", "5"}, t.OnRow(4), Release()};
       },
       1,
       {"select 2", "click 2"}},
      {"press on row 2, two Down keys with the button held, release",
       8,
       -1,
       [](const ListPointer& t) {
         return Steps{t.OnRow(1), Press(), {"key", "Down", "Down"}, t.OnRow(6), Release()};
       },
       3,
       {"select 2", "deselect 2", "select 3", "deselect 3", "select 4", "click 4"}},
      {"double click on row 5",
       8,
       0,
       [](const ListPointer& t) {
         return Steps{t.OnRow(4), {"click", "--repeat", "2", "--delay", "60", "1"}};
       },
       4,
       {"deselect 1", "select 5", "click 5", "double click"}},
      {"right button on row 6, dragged to row 2",
       8,
       -1,
       [](const ListPointer& t) {
         return Steps{t.OnRow(5), Press(3), t.OnRow(1), Release(3)};
       },
       5,
       {"select 6"}},
      {"right button below the rows",
       8,
       2,
       [](const ListPointer& t) {
         return Steps{t.BelowTheRows(), Press(3), Release(3)};
       },
       2,
       {}},
      {"middle button on row 7, dragged to row 1",
       8,
       -1,
       [](const ListPointer& t) {
         return Steps{t.OnRow(6), Press(2), t.OnRow(0), Release(2)};
       },
       6,
       {"select 7"}},
      {"middle double click on row 3",
       8,
       -1,
       [](const ListPointer& t) {
         return Steps{t.OnRow(2), {"click", "--repeat", "2", "--delay", "60", "2"}};
       },
       2,
       {"select 3"}},
      {"right double click on row 4",
       8,
       -1,
       [](const ListPointer& t) {
         return Steps{t.OnRow(3), {"click", "--repeat", "2", "--delay", "60", "3"}};
       },
       3,
       {"select 4"}},
  };
  for (const PointerCase& c : cases) {
    SCOPED_TRACE(c.what);
    Open(c.rows);
    if (!c.moveHandler) list_->OnMouseMove = nullptr;
    list_->SetItemIndex(c.before);
    Settle();
    log_.clear();
    for (const Step& step : c.input(*this)) Do(step);
    Do(OffTheWindows());
    EXPECT_EQ(list_->ItemIndex(), c.after);
    EXPECT_EQ(log_, c.events);
    EXPECT_EQ(RowsDrawnSelected(list_), SelectedInSight(list_));
    EXPECT_EQ(RowsDrawnMarked(list_), MarkedInSight(list_));
    TestKit::Grab(form_, vntest::ArtifactsDir() + "/list-pointer-" +
                             Text(static_cast<int>(&c - cases.data())) + ".png");
    delete form_;
    form_ = nullptr;
  }
}

// Rows that move under the selection and the focus frame (deleted, inserted
// above them, deleted while they wait to join the view) and the focus
// leaving the list and coming back leave both drawn on the list's items: a
// deleted selected or focused row leaves none, and no event fires.
struct MovingCase {
  const char* what;
  int rows;
  std::function<void()> before;  // what the user and the code did first
  std::function<void()> change;
  int selected;             // Selected() afterwards
  std::vector<int> marked;  // the rows drawn selected or framed afterwards (the frame on the
                            // first row while the focused list has no focused row)
  std::vector<std::string> events;
};

TEST_F(ListPointer, RowsMovingUnderTheSelectionLeaveItWithTheSelectedItem) {
  const auto add = [this](const char* caption) { list_->Items()->Add()->SetCaption(caption); };
  const std::vector<MovingCase> cases = {
      {"the selected and focused row deleted",
       8,
       [this] { ClickRow(2); },
       [this] { list_->Items()->Delete(2); },
       -1,
       {0},
       {}},
      {"a row above the selection deleted and one inserted at the top",
       8,
       [this] { list_->SetItemIndex(4); },
       [this] {
         list_->Items()->Delete(1);
         list_->Items()->Insert(0)->SetCaption("0");
       },
       4,
       {0, 4},
       {}},
      {"row 2 focused by a click, row 6 selected by code",
       8,
       [this] { ClickRow(1); },
       [this] { list_->SetItemIndex(5); },
       5,
       {1, 5},
       {"deselect 2", "select 6"}},
      {"the focus frame taken off by code",
       8,
       [this] {
         ClickRow(1);
         list_->SetItemIndex(5);
       },
       [this] { list_->Items()->Item(1)->SetFocused(false); },
       5,
       {0, 5},
       {}},
      {"the focused last row deleted",
       8,
       [this] { ClickRow(7); },
       [this] { list_->Items()->Delete(7); },
       -1,
       {0},
       {}},
      {"a row deleted while it waits for its batch, below the selected and focused row",
       4,
       [this, add] {
         ClickRow(0);
         add("5");
       },
       [this, add] {
         add("6");
         list_->SetItemIndex(5);
         list_->Items()->Item(5)->SetFocused(true);
         add("7");  // waits: the view took a row a moment ago
         list_->Items()->Delete(6);
         EXPECT_GT(TestKit::RowRect(list_, 5).Height(), 0) << "the view let go of a row it shows";
         std::this_thread::sleep_for(std::chrono::milliseconds(150));
       },
       5,
       {5},
       {"deselect 1", "select 6"}},
      {"Tab to another control and Shift+Tab back, the first row focused",
       8,
       [this] {
         auto* edit = new TEdit(form_);
         edit->SetParent(form_);
         edit->SetBounds(320, 10, 90, 24);
         ClickRow(0);
         list_->SetItemIndex(3);
       },
       [] {
         Do({"key", "Tab"});
         Do({"key", "shift+Tab"});
       },
       3,
       {0, 3},
       {}},
  };
  for (const MovingCase& c : cases) {
    SCOPED_TRACE(c.what);
    Open(c.rows);
    c.before();
    Settle();
    log_.clear();
    c.change();
    Settle();
    EXPECT_EQ(list_->ItemIndex(), c.selected);
    EXPECT_EQ(RowsDrawnSelected(list_), SelectedInSight(list_));
    EXPECT_EQ(RowsDrawnMarked(list_), c.marked);
    EXPECT_EQ(log_, c.events);
    delete form_;
    form_ = nullptr;
  }
}

// The height of a whole row, and the rows at the bottom of the view: the
// last one in sight whole, and the one below it partly in sight (-1: none).
struct BottomRows {
  int height = 0, whole = -1, partly = -1;
};
BottomRows BottomOf(TListView* list) {
  BottomRows b;
  for (int row = 0; row < list->Items()->Count(); ++row) {
    const int h = TestKit::RowRect(list, row).Height();
    if (h <= 0) {
      if (b.whole >= 0) break;
      continue;
    }
    if (h >= b.height) {
      b.height = h;
      b.whole = row;
    } else {
      b.partly = row;
    }
  }
  return b;
}

// A list whose current row is not selected (the selection taken away by
// code after a click, or never made before the list took the focus by Tab):
// Space selects the current row, and so does each key that moves the
// selection in a list of one row, with the selection's events, so that the
// buttons that act on the selected row follow.
TEST_F(ListPointer, KeysSelectTheCurrentRowWhenNoneIsSelected) {
  struct Case {
    int rows;
    int clicked;  // the row clicked before (-1: the list takes the focus by Tab)
    std::vector<const char*> keys;
    int selected;
  };
  const Case cases[] = {
      {1, 0, {"Home", "End", "Up", "Down", "space"}, 0},
      {1, -1, {"Home", "End", "Up", "Down", "space"}, 0},
      {3, 1, {"space"}, 1},
  };
  for (const Case& c : cases)
    for (const char* key : c.keys) {
      SCOPED_TRACE(std::to_string(c.rows) + " rows, clicked " + Text(c.clicked) + ", " + key);
      Open(c.rows);
      auto* before = new TButton(form_);
      before->SetParent(form_);
      before->SetBounds(320, 10, 75, 25);
      before->SetTabOrder(0);
      if (c.clicked >= 0) {
        ClickRow(c.clicked);
      } else {
        before->SetFocus();
        Do({"key", "Tab"});
      }
      list_->SetSelected(nullptr);
      Settle();
      ASSERT_TRUE(list_->Focused());
      log_.clear();
      Do({"key", key});
      EXPECT_EQ(list_->ItemIndex(), c.selected);
      EXPECT_EQ(log_, std::vector<std::string>{"select " + Text(c.selected + 1)});
      EXPECT_EQ(RowsDrawnSelected(list_), std::vector<int>{c.selected});
      delete form_;
      form_ = nullptr;
    }
}

// At the bottom of the view: Down on the last whole row brings the next one
// into sight whole; the row partly in sight is drawn afresh when the
// selection reaches it and when rows are inserted above it; scrolled to the
// end, the last row lies at the bottom with no blank row below it.
TEST_F(ListPointer, TheBottomOfTheViewFollowsKeysInsertionsAndTheWheel) {
  Open(40);
  const BottomRows first = BottomOf(list_);
  ASSERT_GT(first.partly, 0) << "the view shows no row partly";
  ASSERT_EQ(first.partly, first.whole + 1);

  list_->SetItemIndex(first.partly);
  Settle();
  EXPECT_EQ(RowsDrawnSelected(list_), std::vector<int>{first.partly});
  list_->Items()->Insert(0)->SetCaption("0");
  Settle();
  EXPECT_EQ(RowsDrawnSelected(list_), std::vector<int>{});  // the selected row went below

  ClickRow(first.whole);
  Do({"key", "Down"});
  const BottomRows after = BottomOf(list_);
  EXPECT_EQ(list_->ItemIndex(), first.whole + 1);
  EXPECT_EQ(after.whole, first.whole + 1);
  EXPECT_EQ(RowsDrawnSelected(list_), std::vector<int>{first.whole + 1});

  list_->SetItemIndex(list_->Items()->Count() - 1);
  Do(OnRow(5));
  Do({"click", "--repeat", "30", "5"});  // the wheel, far past the end
  const int last = list_->Items()->Count() - 1;
  const TRect shown = TestKit::RowRect(list_, last);
  EXPECT_EQ(shown.Height(), after.height);
  EXPECT_EQ(RowsDrawnSelected(list_), std::vector<int>{last});
  // Below the last row the view holds less than a row.
  const TRect above = TestKit::RowRect(list_, last - 1);
  EXPECT_EQ(above.Bottom, shown.Top);
  EXPECT_LT(list_->ClientHeight() - shown.Bottom, after.height);
  TestKit::Grab(form_, vntest::ArtifactsDir() + "/list-pointer-bottom.png");
}

// Columns scrolled sideways: the header moves with the cells, and a click
// on a row keeps the columns where the user put them.
TEST_F(ListPointer, ColumnsScrolledSidewaysStayUnderTheirHeaderAndWhereTheUserPutThem) {
  Open(8, 160, 4);
  const TPixels before = TestKit::ScreenPixels(list_);
  // A click on the horizontal scroll bar's right arrow.
  Do(OnControl(list_, list_->Width() - 8, list_->Height() - 8));
  Do(Press());
  Do(Release());
  const TPixels scrolled = TestKit::ScreenPixels(list_);
  const int shift = Shift(before, scrolled);
  ASSERT_GT(shift, 0) << "the columns did not move";
  EXPECT_EQ(HeaderShift(before, scrolled), shift);

  ClickRow(3);
  EXPECT_EQ(list_->ItemIndex(), 3);
  EXPECT_EQ(RowsDrawnSelected(list_), std::vector<int>{3});
  const TPixels clicked = TestKit::ScreenPixels(list_);
  EXPECT_EQ(Shift(before, clicked), shift) << "the click moved the columns";
  EXPECT_EQ(HeaderShift(before, clicked), shift);
}

}  // namespace
