// Item references in expressions, derived items and row conditions.
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "library/VnErrors.h"
#include "library/VnEvaluator.h"
#include "library/VnOptionList.h"
#include "library/VnSNMPRequest.h"
#include "library/VnValueText.h"
#include "platform/SysUtils.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The operand an item's raw value text stands for in an expression.
AnsiString Operand(std::uint32_t syntax, const AnsiString& value, bool quote) {
  switch (syntax) {
    case SNMP_SYNTAX_BOOLEAN:
    case SNMP_SYNTAX_BOOL8:
    case SNMP_SYNTAX_BOOL16:
      return value == "true" ? "1" : "0";
    case SNMP_SYNTAX_INTEGER:
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_OPAQUE:
    case SNMP_SYNTAX_NSAPADDR:
    case SNMP_SYNTAX_COUNTER64:
    case SNMP_SYNTAX_INT8:
    case SNMP_SYNTAX_UINT8:
    case SNMP_SYNTAX_INT16:
    case SNMP_SYNTAX_UINT16:
      return value;
    case SNMP_SYNTAX_TIMETICKS:
      return AnsiString::Format("%u", VnTimeTicksValue(value));
    case SNMP_SYNTAX_BCDATETIME:
      return FloatToStr(VnCalendarValue(value));
    default:
      if (!quote) RaiseLibraryError(VNERR_BAD_SYNTAX_IN_EXPRESSION);
      return "\"" + value + "\"";
  }
}

// r truncated towards zero and held inside the range of T; not a number gives 0.
template <typename T>
T Truncated(double r) {
  if (std::isnan(r)) return 0;
  long double t = std::trunc(static_cast<long double>(r));
  if (t <= static_cast<long double>(std::numeric_limits<T>::min()))
    return std::numeric_limits<T>::min();
  if (t >= static_cast<long double>(std::numeric_limits<T>::max()))
    return std::numeric_limits<T>::max();
  return static_cast<T>(t);
}

}  // namespace

AnsiString VnSNMPRequest::ExpandItemReferences(const AnsiString& expression, bool quote,
                                               char marker) {
  AnsiString text = expression;
  int from = 1;
  while (true) {
    int p = 0;
    for (int i = from; i <= text.Length(); ++i) {
      if (text[i] == marker) {
        p = i;
        break;
      }
    }
    if (p == 0) return text;
    int end = p + 1;
    long long index = 0;
    while (end <= text.Length() && IsDigit(text[end])) {
      if (index <= VarList.Count()) index = index * 10 + (text[end] - '0');
      ++end;
    }
    if (index >= VarList.Count()) RaiseLibraryError(VNERR_BAD_SYNTAX);
    const VnSNMPVarDesc& d = ItemAt(static_cast<int>(index));
    AnsiString value = RawValue(d);
    if (value == VnNullValueText) RaiseLibraryError(VNERR_NULL_IN_EXPRESSION);
    AnsiString operand = Operand(d.Syntax, value, quote);
    text.Delete(p, end - p);
    text.Insert(operand, p);
    // Go on behind the operand: a value holding the marker is not expanded.
    from = p + operand.Length();
  }
}

bool VnSNMPRequest::EvaluateCondition(const AnsiString& condition) {
  if (condition.IsEmpty()) return true;
  return EvaluateLogic(ExpandItemReferences(condition, true, '$'));
}

void VnSNMPRequest::EvaluateDerived(int item, VnDerivation when) {
  VnSNMPVarDesc& d = ItemAt(item);
  const char* expression = when == VnDerivation::OnReceive ? d.Text1 : d.Text2;
  if (!expression) return;
  double r = EvaluateNumber(ExpandItemReferences(expression, false, '$'));
  AnsiString text;
  switch (d.Syntax) {
    case SNMP_SYNTAX_BOOLEAN:
      text = r == 0.0 ? "false" : "true";
      break;
    case SNMP_SYNTAX_INTEGER:
      text = AnsiString::Format("%d", Truncated<std::int32_t>(r));
      break;
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
      text = AnsiString::Format("%u", Truncated<std::uint32_t>(r));
      break;
    case SNMP_SYNTAX_TIMETICKS:
      text = VnTimeTicksText(Truncated<std::uint32_t>(r));
      break;
    case SNMP_SYNTAX_COUNTER64:
      text = VnCounter64Text(Truncated<std::uint64_t>(r));
      break;
    case SNMP_SYNTAX_DOUBLE:
      text = FloatToStr(r);
      break;
    case SNMP_SYNTAX_BCDATETIME:
      text = VnCalendarText(r);
      break;
    default:
      RaiseLibraryError(VNERR_BAD_SYNTAX_IN_EXPRESSION);
  }
  StoreValue(d, std::move(text));
}
