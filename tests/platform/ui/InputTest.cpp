// Typing limits of memos, combo boxes and edits (with the edit's shorter
// writing of what would not fit), whether an edit's text is the user's,
// control characters in OnKeyPress, and the scroll box's client area beside
// its scroll bars.
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

namespace {

class Input : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = Create<TForm>(Application);
    form->SetClientWidth(400);
    form->SetClientHeight(300);
  }
  void TearDown() override {
    delete form;
    UiTest::TearDown();
  }
  template <class T>
  T* Make(int top) {
    T* c = new T(form);
    c->SetParent(form);
    c->SetTop(top);
    return c;
  }
  TForm* form = nullptr;
};

TEST_F(Input, MemoMaxLengthLimitsTypingAndPastingCountingLineBreaksAsTwo) {
  auto* memo = Make<TMemo>(0);
  memo->SetMaxLength(6);
  memo->Lines()->Add("a line longer than six");  // code may put more
  EXPECT_EQ(memo->Lines()->Strings(0), "a line longer than six");
  memo->Clear();
  form->Show();
  TestKit::TypeText(memo, "abcd\r");  // 4 + CR LF = 6
  TestKit::TypeText(memo, "e");
  EXPECT_EQ(memo->Text(), "abcd\r\n");
  TestKit::TypeText(memo, "\b\b");  // shortening is allowed
  EXPECT_EQ(memo->Text(), "abc");
  TestKit::Paste(memo, "xyzw");  // 7: refused whole
  EXPECT_EQ(memo->Text(), "abc");
  TestKit::Paste(memo, "\ny");  // 3 + CR LF + 1 = 6
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Text(), "abc\r\ny");
  memo->SetMaxLength(0);
  TestKit::TypeText(memo, "zzzzzzzz");
  EXPECT_EQ(memo->Lines()->Strings(1), "yzzzzzzzz");
}

TEST_F(Input, ComboMaxLengthLimitsTypingInADropDownOnly) {
  auto* combo = Make<TComboBox>(0);
  combo->SetMaxLength(4);
  combo->SetText("Source Ports");  // code may put more
  EXPECT_EQ(combo->Text(), "Source Ports");
  combo->SetText("");
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  form->Show();
  TestKit::TypeInCombo(combo, "123456");
  EXPECT_EQ(combo->Text(), "1234");
  EXPECT_EQ(changes, 4);
  // The limit holds after the edit part is made anew by a change of style.
  combo->SetStyle(csDropDownList);
  combo->SetStyle(csDropDown);
  combo->SetText("");
  TestKit::TypeInCombo(combo, "abcdef");
  EXPECT_EQ(combo->Text(), "abcd");
}

TEST_F(Input, EditInputBeyondMaxLengthMayBeTakenInAShorterWriting) {
  auto* edit = Make<TEdit>(0);
  edit->SetMaxLength(4);
  std::vector<std::string> asked;
  edit->OnOverflow = [&](TObject*, AnsiString& text) {
    asked.push_back(text.str());
    if (text.Pos("x")) {
      text = "x";  // refused: what the handler wrote does not count
      return false;
    }
    AnsiString shorter;
    for (char c : text.str())
      if (c != '-') shorter += c;
    text = shorter;
    return true;
  };
  edit->SetText("1-2-3-4");  // code may put more, as it is
  EXPECT_EQ(edit->Text(), "1-2-3-4");
  edit->SetText("");
  form->Show();
  const struct {
    const char* pasted;
    const char* shown;
  } rows[] = {{"1-2-3", "123"}, {"45", "123"}, {"x-12", "123"}, {"4", "1234"}};
  for (const auto& row : rows) {
    TestKit::Paste(edit, row.pasted);
    EXPECT_EQ(edit->Text(), row.shown) << row.pasted;
  }
  // "12345" from the handler is still too long: refused.
  EXPECT_EQ(asked, (std::vector<std::string>{"1-2-3", "12345", "123x-12"}));
}

TEST_F(Input, AnEditIsModifiedByTheUserUntilCodeSetsItsText) {
  auto* edit = Make<TEdit>(0);
  std::vector<bool> seen;  // Modified as OnChange finds it
  edit->OnChange = [&](TObject*) { seen.push_back(edit->Modified()); };
  form->Show();
  TestKit::TypeText(edit, "a");
  EXPECT_TRUE(edit->Modified());
  edit->SetText("b");
  EXPECT_FALSE(edit->Modified());
  TestKit::TypeText(edit, "c");
  edit->SetText(edit->Text());  // the same text: no change, yet the code's
  EXPECT_FALSE(edit->Modified());
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
}

TEST_F(Input, ControlCombinationsReachOnKeyPressAsControlCharacters) {
  auto* edit = Make<TEdit>(0);
  std::vector<int> seen;
  edit->OnKeyPress = [&](TObject*, char& key) { seen.push_back(static_cast<unsigned char>(key)); };
  form->Show();
  TestKit::PressKey(edit, 'A', ssCtrl);
  TestKit::PressKey(edit, 'C', ssCtrl);
  TestKit::PressKey(edit, 'V', ssCtrl);
  TestKit::PressKey(edit, 'Z', ssCtrl);
  TestKit::PressKey(edit, VK_BACK, ssCtrl);
  TestKit::PressKey(edit, VK_RETURN, ssCtrl);
  TestKit::PressKey(edit, VK_F3, ssCtrl);  // no character
  TestKit::PressKey(edit, VK_LEFT);        // no character
  EXPECT_EQ(seen, (std::vector<int>{1, 3, 22, 26, 127, 10}));
}

// The filter of the port fields: digits and backspace pass, anything else
// is dropped; so Ctrl+V (#22) pastes nothing, and Ctrl+C (#3) copies
// nothing, as in the class library.
TEST_F(Input, ADigitFilterDropsClipboardCombinationsToo) {
  auto* source = Make<TEdit>(0);
  auto* target = Make<TEdit>(30);
  source->SetText("12ab");
  target->OnKeyPress = [](TObject*, char& key) {
    if (!((key >= '0' && key <= '9') || key == 8)) key = 0;
  };
  form->Show();
  TestKit::FocusTo(source);
  source->SelectAll();
  TestKit::PressKey(source, 'C', ssCtrl);  // no filter here: copied
  TestKit::PressKey(target, 'V', ssCtrl);
  EXPECT_EQ(target->Text(), "");
  target->OnKeyPress = nullptr;
  TestKit::PressKey(target, 'V', ssCtrl);
  EXPECT_EQ(target->Text(), "12ab");
  // A handler may turn a combination into a plain character.
  target->SetText("");
  target->OnKeyPress = [](TObject*, char& key) {
    if (key == 1) key = 'x';
  };
  TestKit::PressKey(target, 'A', ssCtrl);
  EXPECT_EQ(target->Text(), "x");
}

TEST_F(Input, TheScrollBoxClientAreaLeavesRoomForItsScrollBars) {
  auto* box = Make<TScrollBox>(0);
  box->SetBounds(0, 0, 185, 100);
  EXPECT_EQ(box->ClientWidth(), 181);
  EXPECT_EQ(box->ClientHeight(), 96);
  auto* band = new TPanel(form);
  band->SetParent(box);
  band->SetAlign(alTop);
  band->SetHeight(20);
  band->SetBevelOuter(bvNone);
  band->SetColor(clRed);
  EXPECT_EQ(band->Width(), 181);
  // A child below the bottom brings the vertical bar; the band narrows.
  auto* tall = new TPanel(form);
  tall->SetParent(box);
  tall->SetBounds(4, 30, 60, 200);
  EXPECT_TRUE(box->VertScrollBarShown());
  EXPECT_FALSE(box->HorzScrollBarShown());
  int bar = 181 - box->ClientWidth();
  EXPECT_GT(bar, 8);
  EXPECT_EQ(band->Width(), box->ClientWidth());
  EXPECT_EQ(box->ClientHeight(), 96);
  // The toolkit's view agrees: the band ends where the bar begins.
  form->Show();
  TPixels shot = TestKit::GrabPixels(box);
  EXPECT_EQ(shot.At(2 + box->ClientWidth() - 1, 10), 0xFFFF0000u);
  EXPECT_NE(shot.At(2 + box->ClientWidth(), 10), 0xFFFF0000u);
  // A wide child then needs the other bar as well.
  tall->SetWidth(300);
  EXPECT_TRUE(box->HorzScrollBarShown());
  EXPECT_EQ(box->ClientHeight(), 96 - bar);
  // Without AutoScroll there are no bars.
  box->SetAutoScroll(false);
  EXPECT_FALSE(box->VertScrollBarShown());
  EXPECT_EQ(box->ClientWidth(), 181);
  EXPECT_EQ(band->Width(), 181);
  // A child that fits again takes the bars away.
  box->SetAutoScroll(true);
  tall->SetBounds(4, 30, 60, 40);
  EXPECT_FALSE(box->VertScrollBarShown());
  EXPECT_EQ(band->Width(), 181);
}

}  // namespace
