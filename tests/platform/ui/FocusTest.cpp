// Focus: OnExit within one form, the veto by SetFocus, tab order and
// WM_NEXTDLGCTL, CanFocus.
#include "UiTestSupport.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/RadioGroup.h"
#include "platform/StdCtrls.h"

namespace {

class Focus : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = Create<TForm>(Application);
    form->SetBounds(0, 0, 400, 300);
    a = Add<TEdit>(10, 10);
    b = Add<TEdit>(10, 40);
    ok = Add<TButton>(10, 70);
  }
  void TearDown() override {
    delete form;
    UiTest::TearDown();
  }
  template <class T>
  T* Add(int x, int y, TWinControl* parent = nullptr) {
    T* c = new T(form);
    c->SetParent(parent ? parent : form);
    c->SetLeft(x);
    c->SetTop(y);
    return c;
  }
  TWinControl* FocusedControl() {
    for (TWinControl* c : {static_cast<TWinControl*>(a), static_cast<TWinControl*>(b),
                           static_cast<TWinControl*>(ok)})
      if (c->Focused()) return c;
    return nullptr;
  }
  TForm* form = nullptr;
  TEdit* a = nullptr;
  TEdit* b = nullptr;
  TButton* ok = nullptr;
  std::vector<std::string> log;
};

TEST_F(Focus, OnExitAndOnEnterWhenTheFocusMovesWithinTheForm) {
  a->OnExit = [&](TObject*) { log.push_back("exit a"); };
  b->OnEnter = [&](TObject*) { log.push_back("enter b"); };
  TestKit::ShowAndActivate(form);
  EXPECT_TRUE(a->Focused());  // the first tab stop
  TestKit::FocusTo(b);
  EXPECT_EQ(log, (std::vector<std::string>{"exit a", "enter b"}));
}

TEST_F(Focus, NoOnExitWhenAnotherFormOrABoxTakesTheFocus) {
  a->OnExit = [&](TObject*) { log.push_back("exit a"); };
  TestKit::ShowAndActivate(form);
  auto* other = Create<TForm>(Application);
  auto* e = new TEdit(other);
  e->SetParent(other);
  TestKit::ShowAndActivate(other);
  TestKit::FocusTo(e);
  TestKit::ShowAndActivate(form);
  TestKit::DialogScript boxes;
  boxes.Expect("hello");
  ShowMessage("hello");
  EXPECT_TRUE(log.empty());
  delete other;
}

TEST_F(Focus, SetFocusInsideOnExitVetoesTheMoveAndSwallowsTheClick) {
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  b->OnEnter = [&](TObject*) { log.push_back("enter b"); };
  TestKit::DialogScript boxes;
  boxes.Expect(" Please enter a number between 1 and 4094!");
  a->OnExit = [&](TObject*) {
    log.push_back("exit a");
    MessageBoxA(form->Handle(), " Please enter a number between 1 and 4094!", "kxr", MB_OK);
    a->SetText("1");
    a->SetFocus();
  };
  TestKit::ShowAndActivate(form);
  TestKit::TypeText(a, "x");
  TestKit::Click(ok);  // the click that moved the focus is dropped
  TestKit::Pump();
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(a->Text(), "1");
  EXPECT_EQ(log, std::vector<std::string>{"exit a"});
  // The next click is a click again.
  a->OnExit = nullptr;
  TestKit::Click(ok);
  EXPECT_EQ(clicks, 1);
}

TEST_F(Focus, VetoByKeyboardDoesNotEatALaterClick) {
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  a->OnExit = [&](TObject*) { a->SetFocus(); };
  TestKit::ShowAndActivate(form);
  TestKit::FocusTo(a);
  TestKit::PressTab();
  EXPECT_TRUE(a->Focused());
  a->OnExit = nullptr;
  TestKit::Click(ok);
  EXPECT_EQ(clicks, 1);
}

TEST_F(Focus, TabFollowsTabOrderAndSkipsControlsThatCannotTakeTheFocus) {
  auto* panel = Add<TPanel>(200, 10);
  auto* inner = Add<TEdit>(5, 5, panel);
  auto* hidden = Add<TEdit>(10, 100);
  hidden->Hide();
  auto* disabled = Add<TEdit>(10, 130);
  disabled->SetEnabled(false);
  auto* noStop = Add<TCheckBox>(10, 160);
  noStop->SetTabStop(false);
  ok->SetTabOrder(0);  // ok, a, b, panel(inner), ...
  TestKit::ShowAndActivate(form);
  TestKit::FocusTo(ok);
  std::vector<TWinControl*> seen;
  for (int i = 0; i < 4; ++i) {
    TestKit::PressTab();
    for (TWinControl* c : {static_cast<TWinControl*>(a), static_cast<TWinControl*>(b),
                           static_cast<TWinControl*>(ok), static_cast<TWinControl*>(inner)})
      if (c->Focused()) seen.push_back(c);
  }
  EXPECT_EQ(seen, (std::vector<TWinControl*>{a, b, inner, ok}));
  TestKit::PressTab(true);
  EXPECT_TRUE(inner->Focused());
}

// The group takes the focus into its chosen button (arrow keys move it on
// and choose); a group without items cannot take it.
TEST_F(Focus, ARadioGroupTakesTheFocusIntoItsChosenButton) {
  auto* empty = Add<TRadioGroup>(200, 10);
  auto* group = Add<TRadioGroup>(200, 130);
  for (const char* item : {"Disabled", "Enabled", "Auto"}) group->Items()->Add(item);
  group->SetItemIndex(1);
  ok->SetTabOrder(0);  // ok, a, b, empty, group
  TestKit::ShowAndActivate(form);
  TestKit::FocusTo(b);
  TestKit::PressTab();
  EXPECT_FALSE(empty->Focused());
  ASSERT_TRUE(group->Focused());
  TestKit::PressKey(group, VK_UP);
  EXPECT_EQ(group->ItemIndex(), 0);
  TestKit::PressTab();  // away to ok and back to the button chosen last
  TestKit::PressTab(true);
  ASSERT_TRUE(group->Focused());
  TestKit::PressKey(group, VK_DOWN);
  EXPECT_EQ(group->ItemIndex(), 1);
  group->SetItemIndex(2);  // by code: the buttons are made anew
  EXPECT_TRUE(group->Focused());
  TestKit::PressKey(group, VK_UP);
  EXPECT_EQ(group->ItemIndex(), 1);
}

TEST_F(Focus, PostedNextDialogControlMovesTheFocusAfterTheHandler) {
  a->SetMaxLength(2);
  a->OnChange = [&](TObject*) {
    if (a->Text().Length() == 2) PostMessageA(form->Handle(), WM_NEXTDLGCTL, 0, 0);
    log.push_back(b->Focused() ? "b" : "a");
  };
  TestKit::ShowAndActivate(form);
  TestKit::TypeText(a, "12");
  TestKit::Pump();
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"a", "a"}));
}

TEST_F(Focus, CanFocusFollowsVisibilityAndEnabledUpTheChain) {
  auto* panel = Add<TPanel>(200, 10);
  auto* inner = Add<TEdit>(5, 5, panel);
  EXPECT_FALSE(inner->CanFocus());  // the form is not shown
  EXPECT_THROW(inner->SetFocus(), EInvalidOperation);
  form->Show();
  EXPECT_TRUE(inner->CanFocus());
  panel->SetEnabled(false);
  EXPECT_FALSE(inner->CanFocus());
  EXPECT_THROW(inner->SetFocus(), EInvalidOperation);
  panel->SetEnabled(true);
  panel->Hide();
  EXPECT_FALSE(inner->CanFocus());
  EXPECT_TRUE(inner->Visible());  // its own flag
  auto* orphan = new TEdit(form);
  EXPECT_FALSE(orphan->CanFocus());
}

TEST_F(Focus, KeyPressCanDropOrReplaceCharacters) {
  a->OnKeyPress = [&](TObject*, char& key) {
    if (key == 'x') key = 0;
    if (key == 'y') key = 'Y';
    if (!(key == 0 || key == 8 || (key >= '0' && key <= '9') || key == 'Y')) key = 0;
  };
  TestKit::ShowAndActivate(form);
  TestKit::TypeText(a, "1x2y3a\b");
  EXPECT_EQ(a->Text(), "12Y");
}

TEST_F(Focus, KeyDownSeesVirtualKeysAndShiftState) {
  WORD seenKey = 0;
  TShiftState seenShift = 0;
  ok->OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
    seenKey = key;
    seenShift = shift;
  };
  TestKit::ShowAndActivate(form);
  TestKit::PressKey(ok, VK_F3, ssShift | ssAlt);
  EXPECT_EQ(seenKey, VK_F3);
  EXPECT_EQ(seenShift, ssShift | ssAlt);
}

// A form shown modally again opens on its first field (the first control
// in tab order that can take the focus), wherever the last opening left the
// focus, by the user or by code (a check that focused the field it refused);
// a control chosen by code while the form is hidden, or by its OnShow, is
// where it opens, each time.
TEST_F(Focus, AModalFormOpensOnItsFirstFieldEachTime) {
  struct Case {
    const char* what;
    TWinControl* leftOn;    // where the first opening leaves the focus
    bool leftByCode;        // SetFocus there, else as the user moves it
    TWinControl* chosen;    // ActiveControl set while hidden (none: null)
    TWinControl* onShow;    // the control OnShow gives the focus (none: null)
    TWinControl* disabled;  // a control that cannot take the focus
    TWinControl* opensOn;
  };
  const Case cases[] = {
      {"left on the second edit", b, false, nullptr, nullptr, nullptr, a},
      {"left on the button", ok, false, nullptr, nullptr, nullptr, a},
      {"left on the second edit by code", b, true, nullptr, nullptr, nullptr, a},
      {"the first edit disabled", ok, false, nullptr, nullptr, a, b},
      {"chosen by OnShow", a, false, nullptr, b, nullptr, b},
      {"chosen by code", a, false, b, nullptr, nullptr, b},
  };
  ok->SetModalResult(mrOk);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.disabled) c.disabled->SetEnabled(false);
    if (c.chosen) form->SetActiveControl(c.chosen);
    form->OnShow = [&c](TObject*) {
      if (c.onShow) c.onShow->SetFocus();
    };
    std::vector<TWinControl*> openedOn;
    for (int opening = 0; opening < 2; ++opening) {
      TestKit::OnNextModal([&](TCustomForm*) {
        openedOn.push_back(FocusedControl());
        EXPECT_EQ(form->ActiveControl(), FocusedControl());
        if (c.leftByCode)
          c.leftOn->SetFocus();
        else
          TestKit::FocusTo(c.leftOn);
        TestKit::Click(ok);
      });
      EXPECT_EQ(form->ShowModal(), mrOk);
    }
    EXPECT_EQ(openedOn, (std::vector<TWinControl*>{c.opensOn, c.opensOn}));
    if (c.disabled) c.disabled->SetEnabled(true);
  }
}

}  // namespace
