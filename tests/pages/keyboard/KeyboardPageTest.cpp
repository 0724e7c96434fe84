// Pages of the switch under real keys on an X server: a page or dialog opens
// with its focus drawn, each Tab draws it where it went, and Return, Space
// and the answer to "Are you sure to delete it?" press the button the screen
// shows focused, no other.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FocusOnScreen.h"
#include "ListOnScreen.h"
#include "PagesTestSupport.h"
#include "catalogue/DeviceMib.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "support/OnOwnXServer.h"
#include "support/TestSupport.h"

namespace {

using namespace focusscreen;
using namespace listscreen;

constexpr const char* kTrustHost = "1.3.6.1.4.1.171.12.1.2.10.1.1";
constexpr const char* kDeleteAllState = "1.3.6.1.4.1.171.12.1.2.10.2.0";
enum { kIndex, kAddress, kStatus, kMask };

int ChangedInside(const TPixels& a, const TPixels& b, const TRect& area) {
  return ChangedOutside(a, b, {}) - ChangedOutside(a, b, {area});
}

class KeyboardPage : public vntest::OnOwnXServer<PagesDeviceTest> {
 protected:
  void TearDown() override {
    Close();
    OnOwnXServer::TearDown();
  }
  void Close() {
    if (!page_.Form) return;
    page_.Form->Close();
    delete page_.Form;
    page_ = Page();
  }
  // Opens the page as the menu does, and waits for its first read.
  void Open(Page page, const char* caption) {
    page_ = page;
    page_.Form->SetCaption(caption);
    TestKit::ShowAndActivate(page_.Form);
    ASSERT_TRUE(PumpUntil([this] { return page_.Form->CurrentRequest() != nullptr; }));
    ASSERT_TRUE(WaitIdle(*page_.Request));
    Settle();
  }
  static Page TrustHosts() {
    return MakeListPage(TrustHostTableVars, VnItemType::MVT_UMV, 1, kStatus, "createAndGo", kStatus,
                        "destroy");
  }
  void AddTrustHosts(int rows) {
    for (int i = 2; i <= rows; ++i) {
      const std::string row = std::to_string(i);
      Control(std::string("set ") + kTrustHost + ".2." + row + " a 10.90.90." + row);
      Control(std::string("set ") + kTrustHost + ".3." + row + " i 1");
    }
  }
  TCtrlBtnPanel* Buttons() const { return page_.Editor->BtnPanel; }

  // The form's focus is drawn on its first button, then on each control
  // Tab takes it to, and nowhere else.
  static void ExpectTheFocusDrawnThroughTabs(TCustomForm* form, int tabs) {
    TWinControl* now = form->ActiveControl();
    ASSERT_NE(dynamic_cast<TButton*>(now), nullptr);
    EXPECT_TRUE(DrawnFocused(TestKit::ScreenPixels(now))) << now->Caption().str();
    for (int i = 1; i <= tabs; ++i) {
      SCOPED_TRACE("Tab " + std::to_string(i));
      TWinControl* was = now;
      const TPixels before = TestKit::ScreenPixels(form);
      Do({"key", "Tab"});
      now = form->ActiveControl();
      ASSERT_NE(now, was);
      EXPECT_TRUE(now->Focused());
      const TPixels after = TestKit::ScreenPixels(form);
      EXPECT_GT(ChangedInside(before, after, AreaInForm(now)), 0);
      EXPECT_EQ(ChangedOutside(before, after, {AreaInForm(was), AreaInForm(now)}), 0);
      // A button wears the focus rectangle while it has the focus only.
      EXPECT_FALSE(DrawnFocused(TestKit::ScreenPixels(was)));
      EXPECT_EQ(DrawnFocused(TestKit::ScreenPixels(now)), dynamic_cast<TButton*>(now) != nullptr);
    }
  }

  Page page_;
};

TEST_F(KeyboardPage, PagesAndDialogsDrawTheFocusWhereTabTakesIt) {
  struct Case {
    const char* what;
    std::function<Page()> make;
    bool addDialog;
    int tabs;
  };
  // On the list page: its buttons and memo (the list's own frame is the
  // list view's tests').
  const std::vector<Case> cases = {
      {"Basic Configuration",
       [] { return MakeEditorPage(BasicConfigurationVars, VnItemType::SVT_SV, 0); }, false, 5},
      {"Trust Host Delete All State",
       [] { return MakeEditorPage(TrustHostDeleteAllStateVars, VnItemType::SVT_SV, 0); }, false, 5},
      {"Trust Host Table", TrustHosts, false, 3},
      {"Trust Host Table (Add)", TrustHosts, true, 5},
  };
  AddTrustHosts(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open(c.make(), c.what);
    if (c.addDialog) {
      bool shown = false;
      TestKit::OnNextModal<TForm>([&shown, &c](TForm* dialog) {
        shown = true;
        Settle();
        // It opens on its first field; Tab goes through the fields to Set.
        EXPECT_EQ(dynamic_cast<TButton*>(dialog->ActiveControl()), nullptr);
        for (int i = 0; i < 10 && dialog->ActiveControl() != FrameOf(dialog)->BtnPanel->SetBtn; ++i)
          Do({"key", "Tab"});
        ASSERT_EQ(dialog->ActiveControl(), FrameOf(dialog)->BtnPanel->SetBtn);
        ExpectTheFocusDrawnThroughTabs(dialog, c.tabs);
        dialog->SetModalResult(mrCancel);
      });
      TestKit::Click(Buttons()->AddBtn);
      EXPECT_TRUE(shown);
    } else {
      EXPECT_EQ(page_.Form->ActiveControl(), Buttons()->RefreshBtn);
      ExpectTheFocusDrawnThroughTabs(page_.Form, c.tabs);
    }
    if (HasFailure())
      TestKit::Grab(page_.Form, vntest::ArtifactsDir() + "/keyboard-" + c.what + ".png");
    Close();
  }
}

// Trust Host Delete All State: Enter and Space press Refresh or "Set",
// whichever the screen shows focused.
TEST_F(KeyboardPage, ReturnAndSpacePressTheButtonDrawnFocused) {
  struct Case {
    std::vector<std::string> keys;  // the last one presses
    const char* drawn;              // the button drawn focused before it
    std::size_t sets;
  };
  const std::vector<Case> cases = {
      {{"Return"}, "Refresh", 0},
      {{"space"}, "Refresh", 0},
      {{"Tab", "Return"}, "Set", 1},
      {{"Tab", "space"}, "Set", 1},
      {{"Tab", "Tab", "shift+Tab", "Return"}, "Set", 1},
  };
  for (const Case& c : cases) {
    std::string keys;
    for (const std::string& k : c.keys) keys += k + " ";
    SCOPED_TRACE(keys);
    const std::size_t sets = SetLines().size();
    const int gets = CountLog("GET");
    Open(MakeEditorPage(TrustHostDeleteAllStateVars, VnItemType::SVT_SV, 0),
         "Trust Host Delete All State : 127.0.0.1");
    for (std::size_t i = 0; i + 1 < c.keys.size(); ++i) Do({"key", c.keys[i]});
    std::vector<std::string> drawn;
    for (TBitBtn* b : {Buttons()->RefreshBtn, Buttons()->SetBtn})
      if (DrawnFocused(TestKit::ScreenPixels(b))) drawn.push_back(b->Caption().str());
    EXPECT_EQ(drawn, std::vector<std::string>{c.drawn});
    Do({"key", c.keys.back()});
    ASSERT_TRUE(WaitIdle(*page_.Request));
    ASSERT_EQ(SetLines().size() - sets, c.sets);
    if (c.sets) {
      EXPECT_NE(SetLines().back().find(kDeleteAllState), std::string::npos) << SetLines().back();
    } else {
      EXPECT_EQ(CountLog("GET") - gets, 2) << "the first read and Refresh's";
    }
    Close();
  }
}

// "Are you sure to delete it?" answered with keys: the row goes only when
// the OK drawn focused is pressed; the box's Tab never leaves it.
TEST_F(KeyboardPage, TheDeleteConfirmationPressesTheButtonDrawnFocused) {
  struct Case {
    std::vector<std::string> keys;
    bool destroyed;
  };
  const std::vector<Case> cases = {
      {{"Tab", "Return"}, false},
      {{"Tab", "space"}, false},
      {{"shift+Tab", "Return"}, false},
      {{"Tab", "shift+Tab", "shift+Tab", "space"}, false},
      {{"Escape"}, false},
      {{"Tab", "Tab", "Return"}, true},
  };
  TestKit::ToolkitBoxes shownByTheToolkit;
  AddTrustHosts(4);
  for (const Case& c : cases) {
    std::string keys;
    for (const std::string& k : c.keys) keys += k + " ";
    SCOPED_TRACE(keys);
    Open(TrustHosts(), "Trust Host Table : 127.0.0.1");
    TListView* list = page_.List->ListViewPanel->ListView;
    const int rows = list->Items()->Count();
    ASSERT_GE(rows, 2);
    TestKit::ClickRow(list, 1);
    const std::string index = list->Items()->Item(1)->Caption().str();
    const std::size_t sets = SetLines().size();
    std::vector<std::string> drawn;
    WithBoxOpen(
        [this] {
          Buttons()->DeleteBtn->SetFocus();
          Do({"key", "Return"});
          return 0;
        },
        [&] {
          for (std::size_t i = 0; i + 1 < c.keys.size(); ++i) Do({"key", c.keys[i]});
          const TPixels box = TestKit::ActiveBoxPixels();
          for (const char* b : {"OK", "Cancel"})
            if (DrawnFocused(box, TestKit::ActiveBoxButton(b))) drawn.push_back(b);
          Do({"key", c.keys.back()});
        });
    ASSERT_TRUE(WaitIdle(*page_.Request));
    if (c.keys.back() != "Escape") {
      EXPECT_EQ(drawn, std::vector<std::string>{c.destroyed ? "OK" : "Cancel"});
    }
    EXPECT_EQ(SetLines().size() - sets, c.destroyed ? 1u : 0u);
    EXPECT_EQ(Value(std::string(kTrustHost) + ".2." + index) == "noSuchInstance", c.destroyed);
    EXPECT_EQ(list->Items()->Count(), c.destroyed ? rows - 1 : rows);
    Close();
    if (c.destroyed) AddTrustHosts(4);
  }
}

// A row chosen with the keys: Edit and Delete follow it as they follow a
// click, and Delete writes that row.
TEST_F(KeyboardPage, EditAndDeleteFollowARowChosenWithTheKeys) {
  struct Case {
    std::vector<std::string> keys;
    int row;
  };
  const std::vector<Case> cases = {{{"End", "Up"}, 2}, {{"Down"}, 0}};
  AddTrustHosts(4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys.back());
    Open(TrustHosts(), "Trust Host Table : 127.0.0.1");
    TListView* list = page_.List->ListViewPanel->ListView;
    ASSERT_EQ(list->Items()->Count(), 4);
    TestKit::FocusTo(list);
    for (const std::string& k : c.keys) Do({"key", k});
    EXPECT_EQ(list->ItemIndex(), c.row);
    EXPECT_EQ(RowsDrawnSelected(list), std::vector<int>{c.row});
    EXPECT_TRUE(Buttons()->EditBtn->Enabled());
    EXPECT_TRUE(Buttons()->DeleteBtn->Enabled());
    const std::string index = list->Items()->Item(c.row)->Caption().str();
    const std::size_t sets = SetLines().size();
    {
      TestKit::DialogScript boxes;
      boxes.Expect("Are you sure to delete it?", mrOk);
      TestKit::Click(Buttons()->DeleteBtn);
    }
    ASSERT_TRUE(WaitIdle(*page_.Request));
    ASSERT_EQ(SetLines().size(), sets + 1);
    EXPECT_NE(SetLines().back().find(std::string(kTrustHost) + ".3." + index + "=INTEGER:6"),
              std::string::npos)
        << SetLines().back();
    Close();
    AddTrustHosts(4);
  }
}

}  // namespace
