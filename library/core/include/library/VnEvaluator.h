// Text evaluators for derived values and row conditions, and the placeholder
// filler of message texts.
//
// The evaluators work on plain text: numbers, quoted or bare strings and the
// word NOW (the current date and time as a date-time number: days since
// 1899-12-30, the time of day as the fraction). Operators are found by their
// first occurrence, so chains group to the right: "8-3-2" is 8-(3-2) and
// "6/3*2" reads "6/3" as the operand 6.
#pragma once

#include "platform/AnsiString.h"

// Arithmetic with + - * / and parentheses. Never raises: a non-number counts
// as its numeric prefix or 0, an empty side as 0, a division by zero gives the
// floating-point result.
double EvaluateNumber(const AnsiString& expression);

// Logic with | (loosest), &, ! and parentheses over comparisons and the words
// true and false. A parenthesised part becomes "true" or "false" in place,
// blanks around it kept. Only the first double-quoted string protects the
// operator characters inside it. Raises what EvaluateComparison raises.
bool EvaluateLogic(const AnsiString& condition);

// One comparison with <>, >=, <=, >, < or = (the first of these that occurs,
// at its first occurrence). Both sides are trimmed and unquoted and compared
// as strings in byte order, so "10" < "9". Without an operator the text must
// be "true" or "false" (any case); anything else raises Exception with the
// bad-operand text of the edit-check messages and help context -1.
bool EvaluateComparison(const AnsiString& comparison);

// Splits text at the first occurrence of the first operator (in array order,
// the array ending with null) that occurs in it. Returns that operator's
// index, or -1 with left and right untouched.
int SplitAtOperator(const char* const* operators, const AnsiString& text, AnsiString& left,
                    AnsiString& right);

// The text without one pair of surrounding double quotes.
AnsiString Unquote(const AnsiString& text);

// Replaces every occurrence of placeholder, left to right; an inserted value
// is not searched again.
AnsiString ReplacePlaceholder(const AnsiString& text, const AnsiString& placeholder,
                              const AnsiString& value);
