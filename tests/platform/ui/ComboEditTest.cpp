// Combo boxes and edit boxes: Text and Items rules, MaxLength, bytes.
#include <functional>
#include <vector>

#include "UiTestSupport.h"
#include "platform/StdCtrls.h"

namespace {

class ComboEdit : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = Create<TForm>(Application);
    combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetStyle(csDropDownList);
    for (const char* s : {"Add", "Delete", "Modify", "Other"}) combo->Items()->Add(s);
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetTop(40);
  }
  void TearDown() override {
    delete form;
    UiTest::TearDown();
  }
  TForm* form = nullptr;
  TComboBox* combo = nullptr;
  TEdit* edit = nullptr;
};

TEST_F(ComboEdit, DropDownListTextFollowsTheItemIndex) {
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  combo->SetText("modify");  // ignoring case, as IndexOf does
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "Modify");
  combo->SetText("");
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetText("nothing");
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(9);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_THROW(combo->Items()->Strings(combo->ItemIndex()), EStringListError);
}

TEST_F(ComboEdit, DeleteAndInsertKeepTheSelectedItem) {
  combo->SetItemIndex(2);  // Modify
  combo->Items()->Delete(0);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "Modify");
  combo->Items()->Insert(0, "Add");
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "Modify");
  combo->Items()->Delete(2);  // the selected one: no selection
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  combo->Items()->Insert(2, "Modify");
  EXPECT_EQ(combo->Items()->IndexOf("MODIFY"), 2);
  EXPECT_EQ(combo->Items()->Count(), 4);
  form->Show();
  combo->SetItemIndex(3);
  EXPECT_EQ(TestKit::DisplayedText(combo), "Other");
}

TEST_F(ComboEdit, DropDownKeepsFreeText) {
  combo->SetStyle(csDropDown);
  combo->SetText("Source Ports");
  EXPECT_EQ(combo->Text(), "Source Ports");
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "Delete");
  combo->Items()->Clear();
  EXPECT_EQ(combo->Text(), "");
}

// What the user types in a drop-down is what its edit part shows, what Text
// holds and what each OnChange sees: no item's remainder is filled in on
// screen behind Text's back, before or after the focus moves on.
TEST_F(ComboEdit, TheEditPartShowsTheTextTypedAndOnChangeSeesIt) {
  struct Case {
    const char* what;
    int chosen;  // the item chosen by code before; -1: none
    bool selectAll;
    AnsiString typed;
    bool tabAway;
    std::vector<AnsiString> seen;  // Text at each OnChange
  };
  const std::vector<Case> cases = {
      {"the start of an item", -1, false, "di", false, {"d", "di"}},
      {"the start of an item, then Tab", -1, false, "di", true, {"d", "di"}},
      {"over a chosen item", 0, true, "e", false, {"e"}},
      {"over a chosen item, then Tab", 0, true, "e", true, {"e"}},
  };
  combo->SetStyle(csDropDown);
  combo->Items()->Clear();
  for (const char* s : {"enable", "disable"}) combo->Items()->Add(s);
  form->Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    combo->OnChange = nullptr;
    combo->SetItemIndex(c.chosen);
    std::vector<AnsiString> seen;
    combo->OnChange = [&](TObject*) { seen.push_back(combo->Text()); };
    TestKit::FocusTo(combo);
    if (c.selectAll) TestKit::PressKey(combo, 'A', ssCtrl);
    TestKit::TypeInCombo(combo, c.typed);
    if (c.tabAway) {
      TestKit::PressTab();
      EXPECT_FALSE(combo->Focused());  // the focus has moved on
    }
    EXPECT_EQ(combo->Text(), c.typed);
    EXPECT_EQ(TestKit::DisplayedText(combo), c.typed);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(seen, c.seen);
    TestKit::FocusTo(edit);
  }
}

TEST_F(ComboEdit, MaxLengthLimitsTypingOnly) {
  edit->SetMaxLength(3);
  edit->SetText("12345678");  // code may put more
  EXPECT_EQ(edit->Text(), "12345678");
  edit->SetText("");
  form->Show();
  TestKit::TypeText(edit, "12345");
  EXPECT_EQ(edit->Text(), "123");
  edit->SetText("");
  TestKit::Paste(edit, "abcdef");
  EXPECT_EQ(edit->Text(), "");
  TestKit::Paste(edit, "ab");
  EXPECT_EQ(edit->Text(), "ab");
  edit->SetText("toolong");
  TestKit::TypeText(edit, "\b");  // shortening a long text is allowed
  EXPECT_EQ(edit->Text(), "toolon");
}

// Text is UTF-8; bytes that are not show one character each and come back
// unchanged while nobody edits them.
TEST_F(ComboEdit, TextCrossesAsUtf8AndBytesSetByCodeComeBack) {
  AnsiString all;
  for (int c = 1; c < 256; ++c)
    if (c != '\n' && c != '\r') all += static_cast<char>(c);
  edit->SetText(all);
  EXPECT_EQ(edit->Text(), all);
  combo->Items()->Add(all);
  combo->SetItemIndex(4);
  EXPECT_EQ(combo->Text(), all);
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->Lines()->Add(all);
  memo->Lines()->Add("x");
  EXPECT_EQ(memo->Lines()->Strings(0), all);
  auto* label = new TLabel(form);
  label->SetCaption(all);
  EXPECT_EQ(label->Caption(), all);

  const AnsiString name(
      "Gr\xC3\xBC\xC3\x9F"
      "e");  // "Grüße"
  edit->SetText(name);
  EXPECT_EQ(TestKit::DisplayedText(edit), name);
  edit->SetText("B\xFCro\xC3");  // a Latin-1 byte and a cut-off sequence
  EXPECT_EQ(TestKit::DisplayedText(edit), "B\xC3\xBCro\xC3\x83");
  EXPECT_EQ(edit->Text(), "B\xFCro\xC3");
  edit->SetText("\xC0\x80\xC1\xBF");  // overlong forms of U+0000 and U+007F
  EXPECT_EQ(TestKit::DisplayedText(edit), "\xC3\x80\xC2\x80\xC3\x81\xC2\xBF");
  EXPECT_EQ(edit->Text(), "\xC0\x80\xC1\xBF");

  form->Show();
  edit->SetText("");
  TestKit::TypeText(edit, name);
  EXPECT_EQ(edit->Text(), name);
  edit->SetText("");
  edit->SetMaxLength(4);  // bytes
  TestKit::TypeText(edit, "\xC3\xA4\xC3\xB6\xC3\xBC");
  EXPECT_EQ(edit->Text(), "\xC3\xA4\xC3\xB6");
  TestKit::PressKey(memo, VK_END, ssCtrl);
  TestKit::TypeText(memo, "\xC3\xBC");
  EXPECT_EQ(memo->Lines()->Strings(0), all);  // the line nobody touched
  EXPECT_EQ(memo->Lines()->Strings(1), "x\xC3\xBC");
}

TEST_F(ComboEdit, ReadOnlyEditRefusesTypingButTakesCode) {
  edit->SetReadOnly(true);
  form->Show();
  TestKit::TypeText(edit, "12");
  EXPECT_EQ(edit->Text(), "");
  edit->SetText("7");
  EXPECT_EQ(edit->Text(), "7");
}

// A disabled edit wears the toolkit's disabled look inside its frame (the
// fill and the text) whatever colour code gave it or its font; enabled, it
// shows those colours.
TEST_F(ComboEdit, ADisabledEditLooksDisabledWhateverItsColours) {
  struct Colours {
    const char* what;
    std::function<void(TEdit*)> paint;
  };
  const Colours table[] = {
      {"the default", [](TEdit*) {}},
      {"clWindow", [](TEdit* e) { e->SetColor(clWindow); }},
      {"clScrollBar (a switched-off value)", [](TEdit* e) { e->SetColor(clScrollBar); }},
      {"yellow", [](TEdit* e) { e->SetColor(static_cast<TColor>(0x0080FFFF)); }},
      {"blue text", [](TEdit* e) { e->Font()->SetColor(static_cast<TColor>(0x00FF0000)); }},
  };
  form->Show();
  auto picture = [](TEdit* e, bool enabled) {
    e->SetEnabled(enabled);
    TestKit::Pump();
    const TPixels all = TestKit::GrabPixels(e);
    TPixels inside;
    for (int y = 2; y < all.Height - 2; ++y)
      for (int x = 2; x < all.Width - 2; ++x) inside.Data.push_back(all.At(x, y));
    inside.Width = all.Width - 4;
    inside.Height = all.Height - 4;
    return inside;
  };
  // A point of the fill, right of the text.
  auto fill = [](const TPixels& p) { return p.At(p.Width - 4, p.Height / 2); };
  auto* plain = new TEdit(form);
  plain->SetParent(form);
  plain->SetBounds(10, 80, 121, 21);
  plain->SetText("1.1.1.1");
  const TPixels enabledLook = picture(plain, true), disabledLook = picture(plain, false);
  ASSERT_NE(fill(enabledLook), fill(disabledLook)) << "the fill of a disabled edit is greyed";
  for (const Colours& c : table) {
    SCOPED_TRACE(c.what);
    auto* e = new TEdit(form);
    e->SetParent(form);
    e->SetBounds(10, 110, 121, 21);
    e->SetText("1.1.1.1");
    c.paint(e);
    const TPixels enabled = picture(e, true);
    EXPECT_EQ(picture(e, false).Data, disabledLook.Data);
    EXPECT_EQ(picture(e, true).Data, enabled.Data) << "enabled again, it shows its colours again";
    delete e;
  }
}

}  // namespace
