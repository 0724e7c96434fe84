// Edit constraints: the spec grammar, the character filter, the exit checks
// and their messages, and the edit's own handlers.
#include <string>
#include <vector>

#include "BindingTestSupport.h"
#include "library/VnAddressValidators.h"
#include "library/VnEditConstraint.h"
#include "library/VnErrors.h"
#include "platform/Classes.h"
#include "platform/ExtCtrls.h"
#include "platform/LaunchServices.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"
#include "support/DecimalCommaLocale.h"

namespace {

class EditConstraintTest : public BindingTest {
 protected:
  void SetUp() override {
    BindingTest::SetUp();
    edit = Add<TEdit>(10, 10);
    next = Add<TEdit>(10, 40);
    constraint = std::make_unique<VnEditConstraint>(Form(), true);
  }
  void TearDown() override {
    constraint.reset();
    BindingTest::TearDown();
  }
  // Empties the edit as the user does: everything selected, then deleted.
  static void ClearByKeys(TEdit* e) {
    TestKit::FocusTo(e);
    e->SelectAll();
    TestKit::TypeText(e, "\b");
  }
  // Types into the emptied edit, then leaves it for the next one.
  void TypeAndLeave(const AnsiString& text) {
    ClearByKeys(edit);
    TestKit::TypeText(edit, text);
    TestKit::FocusTo(next);
    TestKit::Pump();
  }
  int AddError(const AnsiString& spec) {
    try {
      constraint->Add(spec, edit);
    } catch (const EConvertError&) {
      return 1;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, " Bad format specifier of edit's constraint!");
      return e.HelpContext;
    }
    return 0;
  }

  TEdit* edit = nullptr;
  TEdit* next = nullptr;
  std::unique_ptr<VnEditConstraint> constraint;
  TRecordingBeeper beeper;
  TBeeperOverride beeps{beeper};
};

TEST_F(EditConstraintTest, SpecGrammar) {
  EXPECT_EQ(AddError("%i"), 0);  // no braces: the type alone
  EXPECT_EQ(AddError("%n,{}"), 0);
  EXPECT_EQ(AddError("%s{I6m}"), 0);
  EXPECT_EQ(AddError("%s{Mu}"), 0);
  EXPECT_EQ(AddError("%u{Zw120e.l3a}"), 0);
  EXPECT_EQ(edit->Width(), 120);
  EXPECT_EQ(AddError("%i{n1x4094"), VNERR_BAD_CONSTRAINT_SPEC);  // no closing brace
  EXPECT_EQ(AddError("%i{"), VNERR_BAD_CONSTRAINT_SPEC);
  EXPECT_EQ(AddError("%q{}"), VNERR_BAD_CONSTRAINT_SPEC);    // unknown type
  EXPECT_EQ(AddError("%n"), VNERR_BAD_CONSTRAINT_SPEC);      // type n without its delimiter
  EXPECT_EQ(AddError("%i{q1}"), VNERR_BAD_CONSTRAINT_SPEC);  // unknown item
  EXPECT_EQ(AddError("%i{n}"), VNERR_BAD_CONSTRAINT_SPEC);   // empty number
  EXPECT_EQ(AddError("i{}"), VNERR_BAD_CONSTRAINT_SPEC);
  EXPECT_EQ(AddError("%i{n1-2}"), 1);  // the number conversion's own error

  constraint->Add("%i{n1x4094l4}", edit);
  const _EditConstraint_s* r = constraint->Find(edit);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Type, 'i');
  EXPECT_EQ(r->Minimum, 1);
  EXPECT_EQ(r->Maximum, 4094);
  EXPECT_EQ(r->Length, 4);
  EXPECT_EQ(edit->MaxLength(), 4);
  // A failed Add keeps the rule that was there.
  EXPECT_EQ(AddError("%i{x}"), VNERR_BAD_CONSTRAINT_SPEC);
  EXPECT_EQ(constraint->Find(edit)->Maximum, 4094);
  EXPECT_EQ(constraint->Count(), 1);

  constraint->Add("%n.{n1x9l4fn}", edit);
  r = constraint->Find(edit);
  EXPECT_EQ(r->Delimiter, '.');
  EXPECT_EQ(r->Flags, EC_EXACT | EC_NOT_EMPTY);
  EXPECT_EQ(constraint->Count(), 1);  // refilled in place
}

TEST_F(EditConstraintTest, FloatDefaultsCoverEveryDouble) {
  constraint->Add("%f{}", edit);
  EXPECT_EQ(constraint->Find(edit)->Minimum, -1.7976931348623157e+308);
  ShowForm();
  TestKit::DialogScript boxes;  // no box may come
  TypeAndLeave("0");
  TypeAndLeave("-12.5");
  EXPECT_EQ(boxes.Shown().size(), 0u);
  EXPECT_EQ(constraint->Find(edit)->LastValidText, "-12.5");
}

TEST_F(EditConstraintTest, NumberRangeMessageRestoresTheLastValidTextAndKeepsTheFocus) {
  constraint->Add("%i{n1x4094l4}", edit);
  ShowForm();
  TypeAndLeave("100");
  EXPECT_EQ(constraint->Find(edit)->LastValidText, "100");
  TestKit::DialogScript boxes;
  boxes.Expect(" Please enter a number between 1 and 4094!");
  TypeAndLeave("5000");
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].request.caption, ProgramName());
  EXPECT_EQ(edit->Text(), "100");
  EXPECT_TRUE(edit->Focused());
}

TEST_F(EditConstraintTest, NumbersIgnoreADecimalCommaLocale) {
  vntest::ScopedDecimalCommaLocale german;
  ASSERT_TRUE(german.Active()) << german.Error();
  constraint->Add("%i{n1x4094l4}", edit);
  ShowForm();
  TestKit::DialogScript boxes;
  boxes.Expect(" Please enter a number between 1 and 4094!");
  TypeAndLeave("5000");
  EXPECT_EQ(boxes.Shown().size(), 1u);
  constraint->Add("%f{n0.5x2.5}", edit);
  EXPECT_EQ(constraint->Find(edit)->Minimum, 0.5);
  TypeAndLeave("2.5");
  TypeAndLeave("0.75");
  EXPECT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(constraint->Find(edit)->LastValidText, "0.75");
}

TEST_F(EditConstraintTest, RejectedCharacterIsRemovedWithABeep) {
  constraint->Add("%i{n1x4094l4}", edit);
  ShowForm();
  TestKit::TypeText(edit, "12a");
  EXPECT_EQ(edit->Text(), "12");
  EXPECT_EQ(beeper.Calls, (std::vector<std::string>{"Beep 1000 200"}));
  TestKit::TypeText(edit, "-");  // a sign only in front
  EXPECT_EQ(edit->Text(), "12");
  EXPECT_EQ(beeper.Calls.size(), 2u);

  constraint->Add("%n.{}", next);
  TestKit::TypeText(next, ".1..2x");  // no leading or doubled delimiter
  EXPECT_EQ(next->Text(), "1.2");
  EXPECT_EQ(beeper.Calls.size(), 5u);
  TestKit::TypeText(next, "\xE2\x82\xAC");  // one character of three octets, removed whole
  EXPECT_EQ(next->Text(), "1.2");
  EXPECT_EQ(beeper.Calls.size(), 6u);
  TestKit::Paste(next, "x3.y4");  // a paste loses every character the rule refuses
  EXPECT_EQ(next->Text(), "1.23.4");
  EXPECT_EQ(beeper.Calls.size(), 8u);
}

TEST_F(EditConstraintTest, HexLengthAndExactLength) {
  constraint->Add("%h{l32f}", edit);
  ShowForm();
  TestKit::DialogScript boxes;
  boxes.Expect(" Please enter a hex string whose length is 32!");
  TypeAndLeave(AnsiString::StringOfChar('a', 31));
  EXPECT_EQ(edit->Text(), "");  // nothing valid yet
  TypeAndLeave(AnsiString::StringOfChar('B', 32));
  EXPECT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(constraint->Find(edit)->LastValidText, AnsiString::StringOfChar('B', 32));

  // Text put by the program may be longer than MaxLength: it is judged
  // only once the user edits it, and a refusal goes back to it.
  constraint->Add("%s{l4}", next);
  next->SetText("abcdef");
  TestKit::FocusTo(next);
  TestKit::FocusTo(edit);
  TestKit::Pump();
  EXPECT_EQ(next->Text(), "abcdef");
  boxes.Expect(" Please enter a string whose length is less than 4!");
  TestKit::PressKey(next, VK_END);
  TestKit::TypeText(next, "\b");
  EXPECT_EQ(next->Text(), "abcde");
  TestKit::FocusTo(edit);
  TestKit::Pump();
  EXPECT_EQ(next->Text(), "abcdef");
}

TEST_F(EditConstraintTest, AutoAdvanceMovesOnWhenFull) {
  constraint->Add("%i{n6x40l2a}", edit);
  ShowForm();
  TestKit::TypeText(edit, "1");
  TestKit::Pump();
  EXPECT_TRUE(edit->Focused());
  TestKit::TypeText(edit, "2");
  TestKit::Pump();
  EXPECT_TRUE(next->Focused());
  // A panel as the window moves the focus on its form.
  auto* panel = Add<TPanel>(200, 0);
  constraint->SetWindow(panel);
  edit->SetText("");
  TestKit::TypeText(edit, "33");
  TestKit::Pump();
  EXPECT_TRUE(next->Focused());
}

TEST_F(EditConstraintTest, CutCharacterMovesToTheNextField) {
  constraint->Add("%i{e.}", edit);
  ShowForm();
  TestKit::TypeText(edit, "10.");
  TestKit::Pump();
  EXPECT_EQ(edit->Text(), "10");
  EXPECT_TRUE(next->Focused());
  EXPECT_TRUE(beeper.Calls.empty());
}

TEST_F(EditConstraintTest, AddressChecks) {
  constraint->Add("%s{I}", edit);
  ShowForm();
  TestKit::DialogScript boxes;
  boxes.Expect(" Please enter a valid IP address!");
  TypeAndLeave("1.2.3.256");
  TypeAndLeave("");  // empty passes silently
  TypeAndLeave("10.0.0.1");
  EXPECT_EQ(boxes.Shown().size(), 1u);

  constraint->Add("%s{Mm}", edit);
  boxes.Expect(" Please enter a valid multicast MAC address!");
  TypeAndLeave("00-11-22-33-44-55");
  TypeAndLeave("01-00-5E-00-00-01");
  EXPECT_EQ(boxes.Shown().size(), 2u);

  constraint->Add("%s{I6m}", edit);
  boxes.Expect(" Please enter a valid multicast IPV6 address!");
  boxes.Expect(" Please enter a valid multicast IPV6 address!");
  TypeAndLeave("FE800000000000000000000000000001");  // not multicast
  TypeAndLeave("hello");
  TypeAndLeave("ff020000000000000000000000000001");
  EXPECT_EQ(boxes.Shown().size(), 4u);
  EXPECT_EQ(edit->Text(), "ff020000000000000000000000000001");
  edit->SetText("FF02");
  EXPECT_FALSE(IsValidMulticastIpv6(edit));
  edit->SetText("FF020000000000000000000000000001");
  EXPECT_TRUE(IsValidMulticastIpv6(edit));
}

TEST_F(EditConstraintTest, NotEmptyAndDelimitedNumbers) {
  constraint->Add("%s{l8n}", edit);
  ShowForm();
  TestKit::DialogScript boxes;
  TestKit::FocusTo(edit);  // passing through an edit the user left alone
  TestKit::FocusTo(next);
  TestKit::Pump();
  boxes.Expect(" Empty value is not allowed!");
  TestKit::TypeText(edit, "a\b");
  TestKit::FocusTo(next);
  TestKit::Pump();

  constraint->Add("%n.{n1x255l4f}", edit);
  boxes.Expect(
      " Please enter a delimited number string with delimiter '.'.\nHere,the count of the number "
      "is equal to 4!");
  TypeAndLeave("1.2.3");
  constraint->Add("%n.{n1x255}", edit);
  boxes.Expect(
      " Please enter a delimited number string with delimiter '.'.\nHere,each number is between "
      "1 and 255!");
  TypeAndLeave("1.2.300.4");
  // "l" is also the edit's MaxLength, so a longer list comes from the
  // program; the user shortens it.
  constraint->Add("%n,{l2}", edit);
  edit->SetText("1,2,3");
  boxes.Expect(
      " Please enter a delimited number string with delimiter ','.\nHere,the count of the number "
      "is less than 2!");
  TestKit::PressKey(edit, VK_END);
  TestKit::TypeText(edit, "\b");
  TestKit::FocusTo(next);
  TestKit::Pump();
  EXPECT_EQ(boxes.Pending(), 0);
  EXPECT_EQ(edit->Text(), "1,2,3");
}

TEST_F(EditConstraintTest, OwnHandlersAreKeptCalledAndGivenBack) {
  std::vector<std::string> log;
  TNotifyEvent change = [&](TObject*) { log.push_back("change " + edit->Text().str()); };
  TNotifyEvent exitHandler = [&](TObject*) {
    log.push_back("exit");
    if (edit->Text() == "13") edit->SetTag(-1);  // the form vetoes this value
  };
  edit->OnChange = change;
  edit->OnExit = exitHandler;
  constraint->Add("%i{n1x20}", edit);
  constraint->Add("%i{n1x99}", edit);  // a second rule keeps the first saved handlers
  ShowForm();
  TypeAndLeave("12");
  EXPECT_EQ(log, (std::vector<std::string>{"change 1", "change 12", "exit"}));
  TypeAndLeave("13");
  EXPECT_EQ(edit->Text(), "12");  // reverted by the veto
  edit->SetTag(0);

  constraint->Remove(edit);
  EXPECT_EQ(constraint->Find(edit), nullptr);
  EXPECT_TRUE(edit->OnChange == change);
  EXPECT_TRUE(edit->OnExit == exitHandler);
}

TEST_F(EditConstraintTest, PlaceholderTextsAreLeftAlone) {
  constraint->Add("%i{n1x10}", edit);
  ShowForm();
  TestKit::DialogScript boxes;
  edit->SetText("(NULL)");
  TestKit::FocusTo(edit);
  TestKit::FocusTo(next);
  edit->SetText("(NOTDONE)");
  TestKit::FocusTo(edit);
  TestKit::FocusTo(next);
  TestKit::Pump();
  EXPECT_EQ(edit->Text(), "(NOTDONE)");
  EXPECT_TRUE(beeper.Calls.empty());
}

// A text the program puts into the edit (a value read from the device) is
// shown whole, whatever the rule: no character is taken out, passing through
// the edit neither moves the focus on nor refuses it, and it is what an
// entry the user gets refused goes back to.
TEST_F(EditConstraintTest, ProgramTextIsShownWholeAndIsWhatARefusalGoesBackTo) {
  struct Row {
    const char* spec;
    const char* device;
    const char* typed;
    const char* message;
  };
  const Row rows[] = {
      {"%i{n600x4000l4a}", "100", "5000", " Please enter a number between 600 and 4000!"},
      {"%i{n1x10l2a}", "36", "99", " Please enter a number between 1 and 10!"},
      {"%i{n0x255}", "1-3,5", "300", " Please enter a number between 0 and 255!"},
      {"%h{l32f}", "fe80::1", "AB", " Please enter a hex string whose length is 32!"},
      {"%s{I}", "1.2.3.999", "1.2.3", " Please enter a valid IP address!"},
      {"%n,{n0x255r}", "1-3, 5,999", "1-300",
       " Please enter a delimited number string with delimiter ','.\nHere,each number is "
       "between 0 and 255!"},
  };
  ShowForm();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.spec);
    constraint->Add(row.spec, edit);
    TestKit::FocusTo(edit);
    edit->SetText(row.device);  // read while the user is in the edit
    TestKit::Pump();
    EXPECT_EQ(edit->Text(), row.device);
    EXPECT_TRUE(edit->Focused());  // nothing moved the focus on
    TestKit::PressTab();           // an unexpected box fails the test
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(edit->Text(), row.device);
    TestKit::DialogScript boxes;
    boxes.Expect(row.message);
    TypeAndLeave(row.typed);
    EXPECT_EQ(edit->Text(), row.device);
    EXPECT_EQ(boxes.Pending(), 0);
  }
  EXPECT_TRUE(beeper.Calls.empty());
}

// After a refused entry the edit shows the text that passed the check or
// that the program put there, whichever came last.
TEST_F(EditConstraintTest, ARefusalGoesBackToWhicheverTextCameLast) {
  constraint->Add("%i{n6x40l2a}", edit);
  ShowForm();
  edit->SetText("19");
  TypeAndLeave("20");
  edit->SetText("19");  // read again: the user's 20 is abandoned
  TestKit::DialogScript boxes;
  boxes.Expect(" Please enter a number between 6 and 40!");
  TypeAndLeave("99");
  EXPECT_EQ(edit->Text(), "19");
  TypeAndLeave("30");
  boxes.Expect(" Please enter a number between 6 and 40!");
  TypeAndLeave("41");
  EXPECT_EQ(edit->Text(), "30");
}

// "r": a list of numbers and ranges going up, such as "1-3,5".
TEST_F(EditConstraintTest, ListOfNumbersAndRanges) {
  EXPECT_EQ(AddError("%i{r}"), VNERR_BAD_CONSTRAINT_SPEC);  // lists only
  constraint->Add("%n,{n0x255r}", edit);
  ShowForm();
  struct Row {
    const char* typed;
    const char* shown;
    int beeps;
  };
  const Row filter[] = {
      {"1-3,5", "1-3,5", 0}, {"-1", "1", 1},     {"1--2", "1-2", 1},
      {"1-2-3", "1-23", 1},  {"1,-2", "1,2", 1}, {"1-,2", "1-2", 1},
  };
  for (const Row& row : filter) {
    beeper.Calls.clear();
    ClearByKeys(edit);
    TestKit::TypeText(edit, row.typed);
    EXPECT_EQ(edit->Text(), row.shown) << row.typed;
    EXPECT_EQ(static_cast<int>(beeper.Calls.size()), row.beeps) << row.typed;
  }
  const AnsiString refused =
      " Please enter a delimited number string with delimiter ','.\nHere,each number is between "
      "0 and 255!";
  TestKit::DialogScript boxes;
  TypeAndLeave("5-5,7");  // a range of one number
  EXPECT_EQ(edit->Text(), "5-5,7");
  TypeAndLeave("0-255,7");
  for (const char* bad : {"3-1x", "1-256", "1-", "0-", "1,2,"}) {
    boxes.Expect(refused);
    TypeAndLeave(bad);
    EXPECT_EQ(edit->Text(), "0-255,7") << bad;
  }
  EXPECT_EQ(boxes.Pending(), 0);
  EXPECT_EQ(constraint->ExitMessage(*constraint->Find(edit), "1-2-3"), refused);
}

TEST_F(EditConstraintTest, FormatSplitsIntoOneSpecPerEdit) {
  TList edits;
  edits.Add(edit);
  edits.Add(next);
  constraint->AddFormat("%i{n1x4094l4}%i{n0x7}", &edits);
  EXPECT_EQ(constraint->Find(edit)->Maximum, 4094);
  EXPECT_EQ(constraint->Find(next)->Maximum, 7);
  TList one;
  one.Add(edit);
  EXPECT_THROW(constraint->AddFormat("%i%i", &one), Exception);  // more specs than edits
}

}  // namespace
