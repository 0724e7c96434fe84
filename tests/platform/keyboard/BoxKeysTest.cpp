// The toolkit's message boxes under real keys on an X server of the test's
// own: Tab and Shift+Tab move the focus round the box's buttons and never
// reach the window behind; Return and Space press the button drawn
// focused; Escape answers as Cancel does.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FocusOnScreen.h"
#include "ListOnScreen.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "support/OnOwnXServer.h"

namespace {

using namespace focusscreen;
using namespace listscreen;

using Captions = std::vector<std::string>;

// The form behind the box: an edit with the focus and a button; whatever
// reaches them is logged.
class BoxKeys : public vntest::OnOwnXServer<KitTest> {
 protected:
  void SetUp() override {
    OnOwnXServer::SetUp();
    if (HasFatalFailure()) return;
    form_ = new TForm(Application);
    form_->SetClientWidth(300);
    form_->SetClientHeight(120);
    edit_ = new TEdit(form_);
    edit_->SetParent(form_);
    edit_->SetBounds(10, 10, 120, 21);
    auto* button = new TButton(form_);
    button->SetParent(form_);
    button->SetBounds(10, 50, 75, 25);
    for (TWinControl* c : {static_cast<TWinControl*>(edit_), static_cast<TWinControl*>(button)}) {
      c->OnEnter = [this](TObject*) { behind_.push_back("enter"); };
      c->OnExit = [this](TObject*) { behind_.push_back("exit"); };
      c->OnKeyPress = [this](TObject*, char&) { behind_.push_back("key"); };
    }
    button->OnClick = [this](TObject*) { behind_.push_back("click"); };
    TestKit::ShowAndActivate(form_);
    edit_->SetFocus();
    Settle();
  }
  void TearDown() override {
    if (!form_) return;
    EXPECT_EQ(form_->ActiveControl(), edit_) << "the focus behind the box moved";
    EXPECT_EQ(behind_, Captions{});
    delete form_;
  }
  // The box's buttons drawn focused.
  static Captions DrawnFocused(const Captions& buttons) {
    const TPixels box = TestKit::ActiveBoxPixels();
    Captions focused;
    for (const std::string& b : buttons)
      if (focusscreen::DrawnFocused(box, TestKit::ActiveBoxButton(b.c_str()))) focused.push_back(b);
    return focused;
  }
  static std::vector<TRect> Areas(const Captions& buttons) {
    std::vector<TRect> areas;
    for (const std::string& b : buttons) areas.push_back(TestKit::ActiveBoxButton(b.c_str()));
    return areas;
  }

  TestKit::ToolkitBoxes shownByTheToolkit_;
  TForm* form_ = nullptr;
  TEdit* edit_ = nullptr;
  std::vector<std::string> behind_;
};

struct Cycle {
  TMsgDlgButtons buttons;
  Captions captions;
  const char* key;
  Captions focusedInTurn;  // drawn focused at first and after each key
};

TEST_F(BoxKeys, TabAndShiftTabGoRoundTheButtonsOnly) {
  const std::vector<Cycle> cycles = {
      {mbOK | mbCancel, {"OK", "Cancel"}, "Tab", {"OK", "Cancel", "OK"}},
      {mbOK | mbCancel, {"OK", "Cancel"}, "shift+Tab", {"OK", "Cancel", "OK"}},
      {mbYes | mbNo | mbCancel, {"Yes", "No", "Cancel"}, "Tab", {"Yes", "No", "Cancel", "Yes"}},
      {mbYes | mbNo | mbCancel,
       {"Yes", "No", "Cancel"},
       "shift+Tab",
       {"Yes", "Cancel", "No", "Yes"}},
      {mbOK, {"OK"}, "Tab", {"OK", "OK"}},
  };
  for (const Cycle& c : cycles) {
    SCOPED_TRACE(std::to_string(c.captions.size()) + " buttons, " + c.key);
    const int answer = WithBoxOpen(
        [&c] { return MessageDlg("Are you sure to delete it?", mtConfirmation, c.buttons, 0); },
        [&c] {
          const TPixels first = TestKit::ActiveBoxPixels();
          TPixels last = first;
          EXPECT_EQ(DrawnFocused(c.captions), Captions{c.focusedInTurn[0]});
          for (std::size_t i = 1; i < c.focusedInTurn.size(); ++i) {
            SCOPED_TRACE(i);
            Do({"key", c.key});
            const TPixels now = TestKit::ActiveBoxPixels();
            EXPECT_EQ(DrawnFocused(c.captions), Captions{c.focusedInTurn[i]});
            EXPECT_EQ(ChangedOutside(last, now, Areas(c.captions)), 0);
            EXPECT_NE(Same(last, now), c.captions.size() > 1);
            last = now;
          }
          EXPECT_TRUE(Same(last, first)) << "round the buttons once";
          Do({"key", "Escape"});
        });
    EXPECT_EQ(answer, c.buttons & mbCancel ? mrCancel : mrOk);
  }
}

struct Press {
  TMsgDlgButtons buttons;
  Captions captions;
  std::vector<std::string> keys;  // the last one answers
  int answer;
};

TEST_F(BoxKeys, ReturnAndSpacePressTheButtonDrawnFocused) {
  const std::vector<Press> presses = {
      {mbOK | mbCancel, {"OK", "Cancel"}, {"Return"}, mrOk},
      {mbOK | mbCancel, {"OK", "Cancel"}, {"space"}, mrOk},
      {mbOK | mbCancel, {"OK", "Cancel"}, {"Tab", "Return"}, mrCancel},
      {mbOK | mbCancel, {"OK", "Cancel"}, {"Tab", "space"}, mrCancel},
      {mbOK | mbCancel, {"OK", "Cancel"}, {"shift+Tab", "Return"}, mrCancel},
      {mbOK | mbCancel, {"OK", "Cancel"}, {"Tab", "Tab", "space"}, mrOk},
      {mbOK | mbCancel, {"OK", "Cancel"}, {"Escape"}, mrCancel},
      {mbYes | mbNo | mbCancel, {"Yes", "No", "Cancel"}, {"Tab", "Return"}, mrNo},
      {mbYes | mbNo | mbCancel, {"Yes", "No", "Cancel"}, {"shift+Tab", "space"}, mrCancel},
      {mbYes | mbNo, {"Yes", "No"}, {"Tab", "Escape"}, mrNo},
  };
  const std::map<int, std::string> captionOf = {
      {mrOk, "OK"}, {mrCancel, "Cancel"}, {mrYes, "Yes"}, {mrNo, "No"}};
  for (const Press& p : presses) {
    std::string keys;
    for (const std::string& k : p.keys) keys += k + " ";
    SCOPED_TRACE(keys);
    Captions drawn;
    const int answer = WithBoxOpen(
        [&p] { return MessageDlg("Are you sure to delete it?", mtConfirmation, p.buttons, 0); },
        [&] {
          for (std::size_t i = 0; i + 1 < p.keys.size(); ++i) Do({"key", p.keys[i]});
          drawn = DrawnFocused(p.captions);
          Do({"key", p.keys.back()});
        });
    EXPECT_EQ(answer, p.answer);
    if (p.keys.back() != "Escape") {
      EXPECT_EQ(drawn, Captions{captionOf.at(p.answer)});
    }
  }
}

}  // namespace
