// The bytes behind what the user edits, in every edit-like control: what
// the user leaves alone keeps its bytes (which need not be UTF-8), what the
// user types is UTF-8, and MaxLength counts the octets of the result.
#include <functional>
#include <string>

#include "UiTestSupport.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"

namespace {

// One kind of control, driven as the user drives it.
struct Kind {
  const char* name;
  std::function<TWinControl*(TForm*)> make;
  std::function<void(TWinControl*, int)> setMaxLength;
};

const Kind kKinds[] = {
    {"edit", [](TForm* f) -> TWinControl* { return new TEdit(f); },
     [](TWinControl* c, int n) { static_cast<TEdit*>(c)->SetMaxLength(n); }},
    {"combo box",
     [](TForm* f) -> TWinControl* {
       auto* combo = new TComboBox(f);
       combo->SetStyle(csDropDown);
       return combo;
     },
     [](TWinControl* c, int n) { static_cast<TComboBox*>(c)->SetMaxLength(n); }},
    {"memo", [](TForm* f) -> TWinControl* { return new TMemo(f); },
     [](TWinControl* c, int n) { static_cast<TMemo*>(c)->SetMaxLength(n); }},
};

std::string Case(const Kind& kind, const char* held, const char* typed) {
  return std::string(kind.name) + ", held " + testing::PrintToString(std::string(held)) +
         ", typed " + testing::PrintToString(std::string(typed));
}

class EditBytes : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = new TForm(Application);
    TestKit::ShowAndActivate(form);
  }
  void TearDown() override {
    delete form;
    UiTest::TearDown();
  }
  // A control of the kind holding `held` as code put it in, the caret
  // moved `left` characters back from its end, `selected` characters before
  // it selected, and `typed` typed there.
  AnsiString Edit(const Kind& kind, const char* held, int left, const char* typed,
                  int maxLength = 0, int selected = 0) {
    TWinControl* c = kind.make(form);
    c->SetParent(form);
    kind.setMaxLength(c, maxLength);
    c->SetText(held);
    TestKit::PressKey(c, VK_END);
    for (int k = 0; k < left; ++k) TestKit::PressKey(c, VK_LEFT);
    for (int k = 0; k < selected; ++k) TestKit::PressKey(c, VK_LEFT, ssShift);
    TestKit::TypeText(c, typed);
    const AnsiString text = c->Text();
    delete c;
    return text;
  }
  TForm* form = nullptr;
};

TEST_F(EditBytes, WhatTheUserLeavesAloneKeepsItsBytes) {
  const struct {
    const char* held;
    int left;
    const char* typed;
    const char* now;
    int selected = 0;  // characters selected backwards from the caret
  } rows[] = {
      {"A\xE9\x42", 0, "x", "A\xE9\x42x"},
      {"A\xE9\x42", 0, "\xC3\xA9", "A\xE9\x42\xC3\xA9"},  // typed as UTF-8
      {"A\xE9\x42", 1, "\bx", "AxB"},
      {"A\xE9\x42", 0, "\bB", "A\xE9\x42"},
      {"A\xE9\x42", 0, "\b\b\bA\xC3\xA9\x42", "A\xE9\x42"},  // made what it was again
      {"A\xE9\x42", 0, "\b\bx", "Ax"},
      // Kept bytes that would join into another character are written anew.
      {"\xE2\x41\x82\xAC", 2, "\b", "\xE2\xC2\x82\xC2\xAC"},
      {"\xF0\x9F\x98\x80\xE9", 0, "!", "\xF0\x9F\x98\x80\xE9!"},
      // A character of two UTF-16 units typed over one that shares either
      // unit with it is replaced whole.
      {"\xE9\xF0\x9F\x98\x80", 0, "\xF0\x9F\x98\x81", "\xE9\xF0\x9F\x98\x81", 1},
      {"\xF0\x9F\x98\x80\xE9", 1, "\xF0\x9F\x88\x80", "\xF0\x9F\x88\x80\xE9", 1},
  };
  for (const Kind& kind : kKinds)
    for (const auto& row : rows)
      EXPECT_EQ(Edit(kind, row.held, row.left, row.typed, 0, row.selected), row.now)
          << Case(kind, row.held, row.typed);
}

// MaxLength counts the octets the text stands for; a character that would
// pass it is refused whole.
TEST_F(EditBytes, MaxLengthCountsTheOctetsOfTheText) {
  const struct {
    const char* held;
    const char* typed;
    const char* now;
  } rows[] = {
      {"A\xE9\x42", "xy", "A\xE9\x42x"},
      {"", "G\xC3\xA9\xE2\x82\xACx", "G\xC3\xA9x"},
      {"abc", "\xC3\xA9", "abc"},
      {"0123456789abcdef\xE9", "\b", "0123456789abcdef"},  // code may put more; shortening is taken
  };
  for (const Kind& kind : kKinds)
    for (const auto& row : rows)
      EXPECT_EQ(Edit(kind, row.held, 0, row.typed, 4), row.now) << Case(kind, row.held, row.typed);
}

}  // namespace
