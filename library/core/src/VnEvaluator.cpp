// Arithmetic and logic evaluators over text.
#include "library/VnEvaluator.h"

#include <cstring>

#include "library/VnErrors.h"
#include "library/VnMessageTables.h"
#include "platform/DateTime.h"
#include "platform/Exceptions.h"
#include "platform/NumberText.h"
#include "platform/SysUtils.h"

namespace {

// Index of the bad-operand text among the edit-check messages.
constexpr int kBadLogicOperand = 1;

double NowNumber() { return Now().Val; }

bool IsNow(const AnsiString& operand) { return SameText(operand, "NOW"); }

// 1-based position of the ")" that closes the "(" at open, 0 when none.
int MatchingParen(const AnsiString& text, int open) {
  int depth = 0;
  for (int i = open; i <= text.Length(); ++i) {
    if (text[i] == '(') {
      ++depth;
    } else if (text[i] == ')') {
      if (--depth == 0) return i;
    }
  }
  return 0;
}

// A number operand: NOW, or the numeric prefix after leading blanks (0 when
// there is none).
double Operand(const AnsiString& text) {
  if (IsNow(text.Trim())) return NowNumber();
  return LeadingFloat(text.c_str());
}

AnsiString Before(const AnsiString& text, int pos) { return text.SubString(1, pos - 1); }

AnsiString After(const AnsiString& text, int pos, int width) {
  return text.SubString(pos + width, text.Length());
}

// text with the characters open .. close replaced by value.
AnsiString ReplaceSpan(const AnsiString& text, int open, int close, const AnsiString& value) {
  return Before(text, open) + value + After(text, close, 1);
}

// A side of a comparison: trimmed, unquoted, NOW as its number.
AnsiString ComparisonSide(const AnsiString& side) {
  AnsiString s = Unquote(side.Trim());
  if (IsNow(s)) s = FloatToStr(NowNumber());
  return s;
}

}  // namespace

double EvaluateNumber(const AnsiString& text) {
  const int open = text.Pos("(");
  const int close = open > 0 ? MatchingParen(text, open) : 0;
  if (close > 0) {
    const double inner = EvaluateNumber(text.SubString(open + 1, close - open - 1));
    return EvaluateNumber(ReplaceSpan(text, open, close, FloatToStr(inner)));
  }
  if (const int p = text.Pos("+"); p > 0)
    return EvaluateNumber(Before(text, p)) + EvaluateNumber(After(text, p, 1));
  if (const int p = text.Pos("-"); p > 0)
    return EvaluateNumber(Before(text, p)) - EvaluateNumber(After(text, p, 1));
  if (const int p = text.Pos("*"); p > 0)
    return Operand(Before(text, p)) * EvaluateNumber(After(text, p, 1));
  if (const int p = text.Pos("/"); p > 0)
    return Operand(Before(text, p)) / EvaluateNumber(After(text, p, 1));
  return Operand(text);
}

bool EvaluateLogic(const AnsiString& text) {
  // Only the first quoted string protects the operators inside it.
  const int quote1 = text.Pos("\"");
  const int rel = quote1 > 0 ? After(text, quote1, 1).Pos("\"") : 0;
  const int quote2 = rel > 0 ? quote1 + rel : 0;
  auto unquoted = [&](int pos) { return pos > 0 && !(quote2 > 0 && pos > quote1 && pos < quote2); };

  const int notPos = text.Pos("!");
  const int andPos = text.Pos("&");
  const int orPos = text.Pos("|");
  const int open = text.Pos("(");
  const int close = open > 0 ? MatchingParen(text, open) : 0;

  if (close > 0 && unquoted(open) && unquoted(close)) {
    const bool inner = EvaluateLogic(text.SubString(open + 1, close - open - 1));
    return EvaluateLogic(ReplaceSpan(text, open, close, inner ? "true" : "false"));
  }
  if (unquoted(orPos))
    return EvaluateLogic(Before(text, orPos)) || EvaluateLogic(After(text, orPos, 1));
  if (unquoted(andPos))
    return EvaluateLogic(Before(text, andPos)) && EvaluateLogic(After(text, andPos, 1));
  // The "!" is taken to stand first: the first character is dropped.
  if (unquoted(notPos)) return !EvaluateLogic(text.SubString(2, text.Length()));
  return EvaluateComparison(text);
}

bool EvaluateComparison(const AnsiString& text) {
  enum { kDiffer, kGreaterEqual, kLessEqual, kGreater, kLess, kEqual };
  static const char* const kOperators[] = {"<>", ">=", "<=", ">", "<", "=", nullptr};
  AnsiString left, right;
  const int op = SplitAtOperator(kOperators, text, left, right);
  if (op < 0) {
    if (SameText(text, "true")) return true;
    if (SameText(text, "false")) return false;
    throw Exception(g_MessageTables[MT_EDIT_CHECK][kBadLogicOperand], VNERR_BAD_LOGIC_OPERAND);
  }
  const int order = ComparisonSide(left).Compare(ComparisonSide(right));
  switch (op) {
    case kDiffer:
      return order != 0;
    case kGreaterEqual:
      return order >= 0;
    case kLessEqual:
      return order <= 0;
    case kGreater:
      return order > 0;
    case kLess:
      return order < 0;
    default:
      return order == 0;
  }
}

int SplitAtOperator(const char* const* operators, const AnsiString& text, AnsiString& left,
                    AnsiString& right) {
  if (!operators) return -1;
  for (int i = 0; operators[i]; ++i) {
    const int p = text.Pos(operators[i]);
    if (p > 0) {
      left = Before(text, p);
      right = After(text, p, static_cast<int>(std::strlen(operators[i])));
      return i;
    }
  }
  return -1;
}

AnsiString Unquote(const AnsiString& text) {
  const int n = text.Length();
  if (n >= 2 && text[1] == '"' && text[n] == '"') return text.SubString(2, n - 2);
  return text;
}

AnsiString ReplacePlaceholder(const AnsiString& text, const AnsiString& placeholder,
                              const AnsiString& value) {
  if (placeholder.IsEmpty()) return text;
  AnsiString result;
  int from = 1;
  for (;;) {
    const int rel = text.SubString(from, text.Length()).Pos(placeholder);
    if (rel == 0) break;
    result += text.SubString(from, rel - 1);
    result += value;
    from += rel - 1 + placeholder.Length();
  }
  result += text.SubString(from, text.Length());
  return result;
}
