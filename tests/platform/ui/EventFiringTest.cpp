// Which events fire for changes made by code and by the user.
#include <memory>

#include "UiTestSupport.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

namespace {

struct Log {
  std::vector<std::string> events;
  void Add(const std::string& e) { events.push_back(e); }
};

class EventFiring : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = Create<TForm>(Application);
    form->SetBounds(0, 0, 400, 300);
  }
  void TearDown() override {
    delete form;
    UiTest::TearDown();
  }
  template <class T>
  T* Make() {
    T* c = new T(form);
    c->SetParent(form);
    return c;
  }
  TForm* form = nullptr;
  Log log;
};

TEST_F(EventFiring, EditSetTextFiresOnChangeOnlyForADifferentText) {
  auto* e = Make<TEdit>();
  e->OnChange = [&](TObject*) { log.Add("change:" + e->Text().str()); };
  e->SetText("1");
  e->SetText("1");
  e->SetText("");
  EXPECT_EQ(log.events, (std::vector<std::string>{"change:1", "change:"}));
}

TEST_F(EventFiring, EditNestedSetTextInsideOnChangeFiresAgain) {
  auto* e = Make<TEdit>();
  // A character filter: drops every non-digit by writing the text back.
  e->OnChange = [&](TObject*) {
    log.Add("change:" + e->Text().str());
    AnsiString t = e->Text(), digits;
    for (int i = 1; i <= t.Length(); ++i)
      if (t[i] >= '0' && t[i] <= '9') digits += t[i];
    e->SetText(digits);
  };
  e->SetText("1a2");
  EXPECT_EQ(log.events, (std::vector<std::string>{"change:1a2", "change:12"}));
  EXPECT_EQ(e->Text(), "12");
}

TEST_F(EventFiring, EditTypingFiresOnChangePerCharacterAndTheFilterKeepsTheCaret) {
  auto* e = Make<TEdit>();
  TestKit::ShowAndActivate(form);
  e->OnChange = [&](TObject*) {
    log.Add(e->Text().str());
    if (e->Text().Pos("a")) {
      AnsiString t = e->Text();
      t.Delete(t.Pos("a"), 1);
      e->SetText(t);
    }
  };
  TestKit::TypeText(e, "12");
  e->SetSelStart(1);
  TestKit::TypeText(e, "a");
  EXPECT_EQ(e->Text(), "12");
  EXPECT_EQ(TestKit::CaretOf(e), 1);  // where the removed character was
  TestKit::TypeText(e, "3");
  EXPECT_EQ(e->Text(), "132");
  EXPECT_EQ(log.events, (std::vector<std::string>{"1", "12", "1a2", "12", "132"}));
}

TEST_F(EventFiring, EventsAreSilentWhileTheResourceLoads) {
  auto* e = Make<TEdit>();
  auto* c = Make<TCheckBox>();
  e->OnChange = [&](TObject*) { log.Add("edit"); };
  c->OnClick = [&](TObject*) { log.Add("check"); };
  {
    TLoadingScope loading(form);
    e->SetText("x");
    c->SetChecked(true);
  }
  EXPECT_TRUE(log.events.empty());
  c->SetChecked(false);
  EXPECT_EQ(log.events, std::vector<std::string>{"check"});
}

TEST_F(EventFiring, ComboChangesByCodeFireNothingUserPicksFireOnChange) {
  auto* cb = Make<TComboBox>();
  cb->SetStyle(csDropDownList);
  cb->Items()->Add("Enabled");
  cb->Items()->Add("Disabled");
  cb->OnChange = [&](TObject*) { log.Add("change:" + cb->Text().str()); };
  cb->SetItemIndex(1);
  cb->SetText("enabled");
  cb->Items()->Insert(0, "Other");
  cb->Items()->Delete(0);
  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(cb->ItemIndex(), 0);
  TestKit::ShowAndActivate(form);
  TestKit::PickItem(cb, 1);
  EXPECT_EQ(log.events, std::vector<std::string>{"change:Disabled"});
}

TEST_F(EventFiring, ComboTypingInADropDownFiresOnChange) {
  auto* cb = Make<TComboBox>();
  cb->Items()->Add("Source Ports");
  cb->SetText("Source Ports");
  cb->OnChange = [&](TObject*) { log.Add(cb->Text().str()); };
  TestKit::ShowAndActivate(form);
  TestKit::TypeInCombo(cb, "X");
  ASSERT_EQ(log.events.size(), 1u);
  EXPECT_EQ(cb->ItemIndex(), -1);
}

TEST_F(EventFiring, CheckBoxByCodeAndByUserBothFireOnClick) {
  auto* c = Make<TCheckBox>();
  c->SetCaption(" Enable Replace DSCP");
  c->OnClick = [&](TObject*) { log.Add(c->Checked() ? "on" : "off"); };
  c->SetChecked(true);
  c->SetChecked(true);  // same state: nothing
  TestKit::ShowAndActivate(form);
  TestKit::Click(c);
  EXPECT_EQ(log.events, (std::vector<std::string>{"on", "off"}));
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(TestKit::DisplayedText(c), " Enable Replace DSCP");
}

TEST_F(EventFiring, DisabledCheckBoxStillChangesByCode) {
  auto* panel = Make<TPanel>();
  auto* c = new TCheckBox(form);
  c->SetParent(panel);
  panel->SetEnabled(false);
  c->OnClick = [&](TObject*) { log.Add("click"); };
  EXPECT_TRUE(c->Enabled());  // its own flag
  EXPECT_FALSE(TestKit::AcceptsInput(c));
  c->SetChecked(true);
  EXPECT_TRUE(c->Checked());
  EXPECT_EQ(log.events.size(), 1u);
}

TEST_F(EventFiring, PageControlChangesByCodeFireNothingUserTabChangesFireOnChange) {
  auto* pc = Make<TPageControl>();
  auto* a = new TTabSheet(form);
  a->SetPageControl(pc);
  a->SetCaption("One");
  auto* b = new TTabSheet(form);
  b->SetPageControl(pc);
  b->SetCaption("Two");
  EXPECT_EQ(pc->ActivePage(), a);  // the first sheet added
  pc->OnChange = [&](TObject*) { log.Add("change"); };
  pc->SetActivePage(b);
  EXPECT_TRUE(log.events.empty());
  pc->SetActivePageIndex(0);
  TestKit::ShowAndActivate(form);
  TestKit::ClickTab(pc, 1);
  EXPECT_EQ(log.events, std::vector<std::string>{"change"});
  EXPECT_EQ(pc->ActivePage(), b);
}

TEST_F(EventFiring, ButtonClickByUser) {
  auto* b = Make<TButton>();
  b->OnClick = [&](TObject*) { log.Add("click"); };
  TestKit::ShowAndActivate(form);
  TestKit::Click(b);
  b->SetEnabled(false);
  TestKit::Click(b);
  EXPECT_EQ(log.events, std::vector<std::string>{"click"});
}

}  // namespace
