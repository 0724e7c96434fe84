#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "library/VnErrors.h"
#include "library/VnEvaluator.h"
#include "platform/Exceptions.h"
#include "platform/SysUtils.h"

namespace {

// Today's date-time number from the C library, for bracketing NOW.
double TodayNumber() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  // Whole days since 1899-12-30 through the C library's own calendar.
  std::tm base{};
  base.tm_year = 70;
  base.tm_mday = 1;
  base.tm_hour = 12;
  std::tm day = local;
  day.tm_hour = 12;
  day.tm_min = day.tm_sec = 0;
  day.tm_isdst = base.tm_isdst = -1;
  const double days = std::round(std::difftime(std::mktime(&day), std::mktime(&base)) / 86400.0);
  return days + 25569.0;  // 1970-01-01 is day 25569
}

void ExpectBadOperand(const AnsiString& condition) {
  try {
    EvaluateLogic(condition);
    ADD_FAILURE() << "no exception for '" << condition << "'";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, " Bad logic operand!") << condition;
    EXPECT_EQ(e.HelpContext, VNERR_BAD_LOGIC_OPERAND) << condition;
  }
}

}  // namespace

TEST(EvaluateNumber, Basics) {
  EXPECT_DOUBLE_EQ(EvaluateNumber("(1+2)*3"), 9);
  EXPECT_DOUBLE_EQ(EvaluateNumber("2*(3+4)"), 14);
  EXPECT_DOUBLE_EQ(EvaluateNumber(""), 0);
  EXPECT_DOUBLE_EQ(EvaluateNumber("10/4"), 2.5);
  EXPECT_DOUBLE_EQ(EvaluateNumber(" 42"), 42);
  EXPECT_DOUBLE_EQ(EvaluateNumber("1.5+2.25"), 3.75);
  EXPECT_DOUBLE_EQ(EvaluateNumber("((2))*((3+1))"), 8);
  EXPECT_DOUBLE_EQ(EvaluateNumber("100 * 8 / 1024"), 100 * (8 / 1024.0));
}

TEST(EvaluateNumber, FirstOccurrenceSplitsGroupToTheRight) {
  EXPECT_DOUBLE_EQ(EvaluateNumber("8-3-2"), 7);
  EXPECT_DOUBLE_EQ(EvaluateNumber("8/4/2"), 4);
  EXPECT_DOUBLE_EQ(EvaluateNumber("6/3*2"), 12);  // "6/3" read as the operand 6
  EXPECT_DOUBLE_EQ(EvaluateNumber("2*-3"), -3);
  EXPECT_DOUBLE_EQ(EvaluateNumber("-5"), -5);
  EXPECT_DOUBLE_EQ(EvaluateNumber("2*3+4*5"), 26);
  EXPECT_DOUBLE_EQ(EvaluateNumber("10-2+3"), 11);  // "+" is split first: (10-2)+3
  EXPECT_DOUBLE_EQ(EvaluateNumber("(8-3)-2"), 3);
  // A parenthesised negative result is put back as text, so its "-" splits.
  EXPECT_DOUBLE_EQ(EvaluateNumber("3*(1-2)"), -1);
}

TEST(EvaluateNumber, NeverFails) {
  EXPECT_DOUBLE_EQ(EvaluateNumber("abc"), 0);
  EXPECT_DOUBLE_EQ(EvaluateNumber("12abc"), 12);
  EXPECT_DOUBLE_EQ(EvaluateNumber("(1+2"), 2);  // unmatched: the operand "(1" counts 0
  EXPECT_DOUBLE_EQ(EvaluateNumber("1+2)"), 3);
  EXPECT_DOUBLE_EQ(EvaluateNumber("()"), 0);
  EXPECT_TRUE(std::isinf(EvaluateNumber("1/0")));
  EXPECT_TRUE(std::isnan(EvaluateNumber("0/0")));
  EXPECT_DOUBLE_EQ(EvaluateNumber("+"), 0);
  EXPECT_DOUBLE_EQ(EvaluateNumber("*"), 0);
}

TEST(EvaluateNumber, Now) {
  const double today = TodayNumber();
  const double now = EvaluateNumber("NOW");
  EXPECT_GE(now, today - 1);
  EXPECT_LT(now, today + 2);
  EXPECT_NEAR(EvaluateNumber("now-1"), now - 1, 1.0 / 86400 * 5);
  EXPECT_NEAR(EvaluateNumber("Now+0.5"), now + 0.5, 1.0 / 86400 * 5);
  EXPECT_NEAR(EvaluateNumber("2*NOW"), 2 * now, 1.0 / 86400 * 10);
  EXPECT_DOUBLE_EQ(EvaluateNumber("NOWX"), 0);
}

TEST(EvaluateLogic, Operators) {
  EXPECT_FALSE(EvaluateLogic("true&false"));
  EXPECT_TRUE(EvaluateLogic("false|true"));
  EXPECT_TRUE(EvaluateLogic("!false"));
  EXPECT_FALSE(EvaluateLogic("!TRUE"));
  EXPECT_TRUE(EvaluateLogic("(a=a)"));
  EXPECT_TRUE(EvaluateLogic("a=a &(b=b)"));
  EXPECT_TRUE(EvaluateLogic("false&false|true"));  // "|" binds loosest
  EXPECT_FALSE(EvaluateLogic("false&(false|true)"));
  EXPECT_TRUE(EvaluateLogic("((1=1)&(2=2))"));
}

TEST(EvaluateLogic, ShortCircuitSkipsBadOperands) {
  EXPECT_TRUE(EvaluateLogic("true|bad"));
  EXPECT_FALSE(EvaluateLogic("false&bad"));
  ExpectBadOperand("false|bad");
  ExpectBadOperand("true&bad");
}

TEST(EvaluateLogic, BlanksAndTheDroppedFirstCharacter) {
  ExpectBadOperand("");
  // The parenthesised part becomes "true" with the blank before it kept.
  ExpectBadOperand("a=a & (b=b)");
  // The blank before "!" is the character dropped, so "!" applies twice.
  EXPECT_EQ(EvaluateLogic("a=a & !b=c"), EvaluateLogic("a=a & b=c"));
  EXPECT_FALSE(EvaluateLogic("a=a & !b=c"));
  EXPECT_TRUE(EvaluateLogic("a=a & !b=b"));
  // Whatever stands first is dropped: this is the negation of "!false".
  EXPECT_FALSE(EvaluateLogic("x!false"));
}

TEST(EvaluateLogic, OnlyTheFirstQuotedStringProtects) {
  EXPECT_TRUE(EvaluateLogic("\"a|b\"=\"a|b\""));
  EXPECT_TRUE(EvaluateLogic("\"x&y\"=\"x&y\""));
  EXPECT_TRUE(EvaluateLogic("\"(a)\"=\"(a)\""));
  // The second quoted string's "|" splits the text.
  ExpectBadOperand("\"a\"=\"a|b\"");
}

TEST(EvaluateComparison, TextOrderWithCase) {
  EXPECT_TRUE(EvaluateComparison("\"abc\" = abc"));
  EXPECT_FALSE(EvaluateComparison("ABC=abc"));
  EXPECT_FALSE(EvaluateComparison("5<10"));
  EXPECT_TRUE(EvaluateComparison("10<9"));
  EXPECT_TRUE(EvaluateComparison("b>a"));
  EXPECT_TRUE(EvaluateComparison("a<>b"));
  EXPECT_FALSE(EvaluateComparison("a<>a"));
  EXPECT_TRUE(EvaluateComparison("a>=a"));
  EXPECT_TRUE(EvaluateComparison("a<=b"));
  EXPECT_FALSE(EvaluateComparison("b<=a"));
  EXPECT_TRUE(EvaluateComparison("Z<a"));
  EXPECT_TRUE(EvaluateComparison(" = "));  // two empty sides
  // "<>" is looked for first, anywhere in the text.
  EXPECT_TRUE(EvaluateComparison("a=b<>c"));  // "a=b" differs from "c"
  EXPECT_TRUE(EvaluateComparison("true"));
  EXPECT_FALSE(EvaluateComparison("FALSE"));
  try {
    EvaluateComparison(" true");  // not trimmed without an operator
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, " Bad logic operand!");
    EXPECT_EQ(e.HelpContext, VNERR_BAD_LOGIC_OPERAND);
  }
}

TEST(EvaluateComparison, Now) {
  const double before = EvaluateNumber("NOW");
  EXPECT_TRUE(EvaluateComparison("now>" + FloatToStr(before - 1)));
  EXPECT_TRUE(EvaluateComparison("\"NOW\"<>NOW2"));
  EXPECT_TRUE(EvaluateComparison("NOW >= " + FloatToStr(before)));
  EXPECT_TRUE(EvaluateComparison("now < " + FloatToStr(before + 1)));
}

TEST(TextHelpers, SplitAtOperator) {
  const char* const ops[] = {"<>", "=", nullptr};
  AnsiString left = "L", right = "R";
  EXPECT_EQ(SplitAtOperator(ops, "a=b<>c", left, right), 0);
  EXPECT_EQ(left, "a=b");
  EXPECT_EQ(right, "c");
  EXPECT_EQ(SplitAtOperator(ops, "x=y=z", left, right), 1);
  EXPECT_EQ(left, "x");
  EXPECT_EQ(right, "y=z");
  left = "L";
  right = "R";
  EXPECT_EQ(SplitAtOperator(ops, "xyz", left, right), -1);
  EXPECT_EQ(left, "L");
  EXPECT_EQ(right, "R");
  EXPECT_EQ(SplitAtOperator(ops, "=", left, right), 1);
  EXPECT_EQ(left, "");
  EXPECT_EQ(right, "");
}

TEST(TextHelpers, Unquote) {
  EXPECT_EQ(Unquote(""), "");
  EXPECT_EQ(Unquote("\"abc\""), "abc");
  EXPECT_EQ(Unquote("\"\""), "");
  EXPECT_EQ(Unquote("\""), "\"");
  EXPECT_EQ(Unquote("\"abc"), "\"abc");
  EXPECT_EQ(Unquote("\"\"x\"\""), "\"x\"");  // one pair only
}

TEST(TextHelpers, ReplacePlaceholder) {
  const AnsiString range = " Please enter a number between [MIN] and [MAX]!";
  EXPECT_EQ(ReplacePlaceholder(range, "[MAX]", "10"),
            " Please enter a number between [MIN] and 10!");
  EXPECT_EQ(ReplacePlaceholder("[X]-[X]", "[X]", "ab"), "ab-ab");
  EXPECT_EQ(ReplacePlaceholder("[X][X]", "[X]", "[X][X]"), "[X][X][X][X]");
  EXPECT_EQ(ReplacePlaceholder("no placeholder", "[X]", "v"), "no placeholder");
  EXPECT_EQ(ReplacePlaceholder("[X]", "[X]", ""), "");
  EXPECT_EQ(ReplacePlaceholder("abc", "", "v"), "abc");
}

#include "library/VnMessageTables.h"
#include "support/TestSupport.h"

TEST(Evaluator, BadOperandTextFollowsAReplacedMessageFile) {
  vntest::TempDir dir;
  std::string file = dir.Write("common.err", " Ok here!\n Operand not understood!\n");
  ASSERT_TRUE(LoadTextLines(g_MessageTables[MT_EDIT_CHECK], file.c_str()));
  try {
    EvaluateLogic("maybe");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, " Operand not understood!");
    EXPECT_EQ(e.HelpContext, VNERR_BAD_LOGIC_OPERAND);
  }
  RestoreBuiltInMessages();
}
