// The focus under real keys and pointer on an X server of the test's own:
// every kind of control that takes the focus shows it, where it is, however
// it came (Tab, Shift+Tab, code, a click), and shows it no more once it
// left; Tab reaches check boxes and Space ticks them.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "FocusOnScreen.h"
#include "ListOnScreen.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/RadioGroup.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "support/OnOwnXServer.h"
#include "support/TestSupport.h"

namespace {

using namespace focusscreen;
using namespace listscreen;

using Maker = std::function<TWinControl*(TForm*)>;

class FocusShown : public vntest::OnOwnXServer<KitTest> {
 protected:
  void TearDown() override { delete form_; }

  // A form with a button before the control and one after it, in tab order.
  void Open(const Maker& make) {
    form_ = new TForm(Application);
    form_->SetClientWidth(420);
    form_->SetClientHeight(300);
    before_ = Button("Before", 10);
    control_ = make(form_);
    control_->SetParent(form_);
    control_->SetLeft(10);
    control_->SetTop(45);
    after_ = Button("After", 260);
    TestKit::ShowAndActivate(form_);
    Settle();
  }
  TButton* Button(const char* caption, int top) {
    auto* b = new TButton(form_);
    b->SetParent(form_);
    b->SetBounds(10, top, 75, 25);
    b->SetCaption(caption);
    return b;
  }
  void FocusBefore() {
    before_->SetFocus();
    Settle();
  }

  TForm* form_ = nullptr;
  TButton* before_ = nullptr;
  TWinControl* control_ = nullptr;
  TButton* after_ = nullptr;
};

struct Kind {
  const char* what;
  Maker make;
  TPoint click;         // where a click gives it the focus
  const char* settle;   // a key after the click (a drop-down's list closes)
  int markedPercent{};  // of the control's pixels, the mark changes at least
  TRect unmarked{};     // where the mark never is (a title, an arrow)
  int lightened{};      // pixels it turns much lighter at least (selected text)
};

// The pixels much lighter (or darker) in `b` than in `a`.
int Turned(const TPixels& a, const TPixels& b, bool lighter) {
  auto brightness = [](std::uint32_t p) {
    return static_cast<int>((p >> 16) & 0xFF) + static_cast<int>((p >> 8) & 0xFF) +
           static_cast<int>(p & 0xFF);
  };
  int n = 0;
  for (std::size_t i = 0; i < a.Data.size() && i < b.Data.size(); ++i) {
    const int rise = brightness(b.Data[i]) - brightness(a.Data[i]);
    n += (lighter ? rise : -rise) > 150;
  }
  return n;
}

template <class T>
T* Make(TForm* f) {
  auto* c = new T(f);
  c->SetParent(f);
  return c;
}

Maker Combo(TComboBoxStyle style, int chosen, const char* text = "") {
  return [=](TForm* f) {
    auto* c = Make<TComboBox>(f);
    c->SetStyle(style);
    for (const char* s : {"enabled", "disabled"}) c->Items()->Add(s);
    c->SetItemIndex(chosen);
    if (*text) c->SetText(text);
    return c;
  };
}

template <class T>
Maker Captioned(const char* caption, int width = 0) {
  return [caption, width](TForm* f) {
    T* c = Make<T>(f);
    c->SetCaption(caption);
    if (width) c->SetWidth(width);
    return c;
  };
}

TWinControl* RadioGroup(TForm* f) {
  auto* r = Make<TRadioGroup>(f);
  r->SetBounds(10, 45, 185, 60);
  r->SetCaption("Mode");
  for (const char* s : {"Disabled", "Enabled"}) r->Items()->Add(s);
  r->SetItemIndex(1);
  return r;
}

TWinControl* ReadOnlyMemo(TForm* f) {
  auto* m = Make<TMemo>(f);
  m->Lines()->Add("Get: Ok!");
  m->SetReadOnly(true);
  return m;
}

TWinControl* PageControl(TForm* f) {
  auto* pc = Make<TPageControl>(f);
  pc->SetHeight(150);
  for (const char* s : {"Port", "VLAN"}) {
    auto* sheet = new TTabSheet(f);
    sheet->SetPageControl(pc);
    sheet->SetCaption(s);
  }
  pc->SetActivePageIndex(0);
  return pc;
}

TEST_F(FocusShown, EveryKindShowsTheFocusWhereItIsHoweverItCame) {
  const TRect arrow{127, 0, 145, 21}, title{0, 0, 185, 14};
  const std::vector<Kind> kinds = {
      {"button", Captioned<TButton>("Apply"), {37, 12}, nullptr},
      {"bit button", Captioned<TBitBtn>("Refresh", 96), {48, 12}, nullptr},
      {"check box", Captioned<TCheckBox>("Out Of Band"), {7, 8}, nullptr},
      {"check box without a caption", Captioned<TCheckBox>("", 20), {7, 8}, nullptr},
      {"drop-down list", Combo(csDropDownList, 0), {30, 10}, "Escape", 30, arrow, 20},
      {"drop-down list with nothing chosen",
       Combo(csDropDownList, -1),
       {30, 10},
       "Escape",
       30,
       arrow},
      {"drop-down", Combo(csDropDown, -1, "10.90.90.90"), {30, 10}, nullptr},
      {"radio group", RadioGroup, {30, 42}, nullptr, 0, title},
      {"edit", Captioned<TEdit>("public"), {60, 10}, nullptr},
      {"read-only memo", ReadOnlyMemo, {60, 40}, nullptr},
      {"page control", PageControl, {15, 10}, nullptr},
  };
  for (const Kind& k : kinds) {
    SCOPED_TRACE(k.what);
    Open(k.make);
    FocusBefore();
    const TPixels unfocused = TestKit::ScreenPixels(control_);
    const TPixels formBefore = TestKit::ScreenPixels(form_);
    ASSERT_FALSE(unfocused.Empty());

    Do({"key", "Tab"});
    EXPECT_TRUE(control_->Focused()) << "Tab";
    control_->Repaint();  // the mark is the same when drawn afresh
    const TPixels tabbed = ShotUnlike(control_, unfocused);
    EXPECT_FALSE(Same(tabbed, unfocused)) << "Tab";
    const int changed = ChangedOutside(unfocused, tabbed, {});
    EXPECT_GE(changed * 100, k.markedPercent * tabbed.Width * tabbed.Height);
    EXPECT_EQ(ChangedOutside(unfocused, tabbed, {k.unmarked}), changed);
    EXPECT_GE(Turned(unfocused, tabbed, true), k.lightened);
    EXPECT_GT(Turned(unfocused, tabbed, false), 0) << "the mark comes with the focus";
    EXPECT_EQ(ChangedOutside(formBefore, TestKit::ScreenPixels(form_),
                             {AreaInForm(before_), AreaInForm(control_)}),
              0)
        << "Tab";

    Do({"key", "Tab"});
    EXPECT_TRUE(after_->Focused());
    EXPECT_TRUE(Same(TestKit::ScreenPixels(control_), unfocused)) << "the focus left";

    Do({"key", "shift+Tab"});
    EXPECT_TRUE(control_->Focused()) << "Shift+Tab";
    EXPECT_FALSE(Same(ShotUnlike(control_, unfocused), unfocused)) << "Shift+Tab";

    FocusBefore();
    control_->SetFocus();
    EXPECT_FALSE(Same(ShotUnlike(control_, unfocused), unfocused)) << "code";

    // A click may change what the control holds: its picture with the focus
    // is compared with its picture once the focus has left.
    FocusBefore();
    Do(OnControl(control_, k.click.x, k.click.y));
    Do(Press());
    Do(Release());
    Do(OffTheWindows());
    if (k.settle) Do({"key", k.settle});
    EXPECT_TRUE(control_->Focused()) << "click";
    std::vector<TPixels> clicked;  // over a caret's blink
    for (int i = 0; i < 7; ++i) {
      Settle();
      clicked.push_back(TestKit::ScreenPixels(control_));
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    FocusBefore();
    const TPixels left = TestKit::ScreenPixels(control_);
    EXPECT_TRUE(std::any_of(clicked.begin(), clicked.end(), [&left](const TPixels& shot) {
      return !Same(shot, left);
    })) << "click";
    if (HasFailure())
      TestKit::Grab(form_, vntest::ArtifactsDir() + "/focus-" + std::string(k.what) + ".png");
    delete form_;
    form_ = nullptr;
  }
}

// Enter presses the focused button, else the default one: that button, and
// only that one, wears the black frame, also after the focus was in another
// window.
TEST_F(FocusShown, TheButtonEnterPressesWearsTheFrame) {
  TButton* ok = nullptr;
  TButton* apply = nullptr;
  TEdit* edit = nullptr;
  std::vector<std::string> clicked;
  Open([&](TForm* f) {
    edit = Make<TEdit>(f);
    return edit;
  });
  apply = Button("Apply", 120);
  ok = Button("OK", 160);
  ok->SetDefault(true);
  for (TButton* b : {apply, ok, before_, after_})
    b->OnClick = [&clicked, b](TObject*) { clicked.push_back(b->Caption().str()); };
  // Another window of the program takes the focus for a while: it comes back
  // where it was, and so does the frame.
  const auto away = [this] {
    TForm other(Application);
    other.SetBounds(500, 40, 200, 100);
    TestKit::ShowAndActivate(&other);
    Settle();
    other.Hide();
    TestKit::ShowAndActivate(form_);
    Settle();
  };
  struct Case {
    TWinControl* focused;
    std::string framed;
    bool otherWindowMeanwhile = false;
  };
  const std::vector<Case> cases = {{edit, "OK"},           {apply, "Apply"},   {ok, "OK"},
                                   {apply, "Apply", true}, {edit, "OK", true}, {edit, "OK"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.focused->Caption().str() + " focused" +
                 (c.otherWindowMeanwhile ? ", another window meanwhile" : ""));
    c.focused->SetFocus();
    Settle();
    if (c.otherWindowMeanwhile) away();
    ASSERT_TRUE(c.focused->Focused());
    std::vector<std::string> framed;
    for (TButton* b : {before_, apply, ok, after_})
      if (WearsFrame(TestKit::ScreenPixels(b))) framed.push_back(b->Caption().str());
    EXPECT_EQ(framed, std::vector<std::string>{c.framed});
    clicked.clear();
    Do({"key", "Return"});
    EXPECT_EQ(clicked, std::vector<std::string>{c.framed});
  }
}

// The rows of the list whose band differs between the two pictures.
std::vector<int> RowsChanged(TListView* list, const TPixels& a, const TPixels& b) {
  std::vector<int> rows;
  for (int row = 0; row < list->Items()->Count(); ++row) {
    const TRect r = TestKit::RowRect(list, row);
    if (ChangedOutside(a, b, {{0, 0, a.Width, r.Top}, {0, r.Bottom, a.Width, a.Height}}) > 0)
      rows.push_back(row);
  }
  return rows;
}

// A list view with the focus frames its focused row, or its first row when
// none is focused (Down then chooses it); the frame moves with the focused
// row and goes with the focus.
TEST_F(FocusShown, AListFramesItsFocusedRowElseItsFirst) {
  struct Case {
    const char* what;
    int focused;  // -1: none
    std::vector<int> framed;
  };
  const std::vector<Case> cases = {{"no row focused", -1, {0}}, {"the third row focused", 2, {2}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TListView* list = nullptr;
    Open([&](TForm* f) {
      list = Make<TListView>(f);
      list->SetBounds(10, 45, 300, 150);
      list->SetViewStyle(vsReport);
      list->SetRowSelect(true);
      list->SetReadOnly(true);
      list->Columns()->Add()->SetCaption("Index");
      for (int i = 1; i <= 5; ++i) list->Items()->Add()->SetCaption(AnsiString(i));
      if (c.focused >= 0) list->SetItemFocused(list->Items()->Item(c.focused));
      return list;
    });
    FocusBefore();
    const TPixels unfocused = TestKit::ScreenPixels(list);
    Do({"key", "Tab"});
    ASSERT_TRUE(list->Focused());
    EXPECT_EQ(RowsChanged(list, unfocused, TestKit::ScreenPixels(list)), c.framed);
    EXPECT_EQ(RowsDrawnSelected(list), std::vector<int>{});
    list->SetItemFocused(list->Items()->Item(3));
    Settle();
    EXPECT_EQ(RowsChanged(list, unfocused, TestKit::ScreenPixels(list)), std::vector<int>{3})
        << "the frame moved to the fourth row";
    list->SetItemFocused(nullptr);
    Settle();
    EXPECT_EQ(RowsChanged(list, unfocused, TestKit::ScreenPixels(list)), std::vector<int>{0})
        << "no row focused any more";
    Do({"key", "Tab"});
    EXPECT_TRUE(Same(TestKit::ScreenPixels(list), unfocused)) << "the focus left";
    delete form_;
    form_ = nullptr;
  }
}

TEST_F(FocusShown, TabReachesACheckBoxAndSpaceTicksIt) {
  const std::vector<std::pair<const char*, const char*>> boxes = {
      {"check box", "Out Of Band"}, {"check box without a caption", ""}};
  for (const auto& [what, caption] : boxes) {
    SCOPED_TRACE(what);
    int clicks = 0;
    TCheckBox* box = nullptr;
    Open([&](TForm* f) {
      box = Make<TCheckBox>(f);
      box->SetCaption(caption);
      if (!*caption) box->SetWidth(20);
      box->OnClick = [&clicks](TObject*) { ++clicks; };
      return box;
    });
    FocusBefore();
    const TPixels unticked = TestKit::ScreenPixels(box);
    Do({"key", "Tab"});
    ASSERT_TRUE(box->Focused());
    Do({"key", "space"});
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);
    Do({"key", "space"});
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);
    FocusBefore();
    EXPECT_TRUE(Same(TestKit::ScreenPixels(box), unticked));
    delete form_;
    form_ = nullptr;
  }
}

// The text that the focus selects is what typing replaces: an edit's when
// Tab brings the focus, a drop-down's however it comes.
TEST_F(FocusShown, TypingReplacesTheTextTheFocusSelected) {
  struct Case {
    const char* what;
    Maker make;
    const char* key;  // "" : the focus comes by code
  };
  const Maker combo = Combo(csDropDown, -1, "10.90.90.90");
  const std::vector<Case> cases = {
      {"edit, Tab", Captioned<TEdit>("public"), "Tab"},
      {"edit, Shift+Tab", Captioned<TEdit>("public"), "shift+Tab"},
      {"drop-down, Tab", combo, "Tab"},
      {"drop-down, code", combo, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open(c.make);
    if (std::string(c.key) == "Tab") {
      FocusBefore();
      Do({"key", "Tab"});
    } else if (*c.key) {
      after_->SetFocus();
      Do({"key", c.key});
    } else {
      control_->SetFocus();
    }
    ASSERT_TRUE(control_->Focused());
    Do({"type", "7"});
    EXPECT_EQ(control_->Caption(), "7");
    delete form_;
    form_ = nullptr;
  }
}

}  // namespace
