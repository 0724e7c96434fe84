// Numeric lists, the text evaluators and a request's derived values and row
// conditions over one text; the first byte is the list's delimiter.
#include <string>
#include <vector>

#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "library/VnEvaluator.h"
#include "library/VnNumList.h"
#include "library/VnSNMPRequest.h"
#include "platform/Exceptions.h"

namespace {

const std::uint32_t kDerivedSyntaxes[] = {
    SNMP_SYNTAX_BOOLEAN,   SNMP_SYNTAX_INTEGER, SNMP_SYNTAX_COUNTER,    SNMP_SYNTAX_TIMETICKS,
    SNMP_SYNTAX_COUNTER64, SNMP_SYNTAX_DOUBLE,  SNMP_SYNTAX_BCDATETIME, SNMP_SYNTAX_DISPLAYSTR,
};
const char* const kValues[] = {"12", "abc", "(NULL)", "10.0.0.1", "-3.5", "\"q\"", "", "$1"};

template <typename F>
void Quietly(F f) {
  try {
    f();
  } catch (const Exception&) {
    // The library's numbered errors and the evaluator's bad-operand error.
  }
}

}  // namespace

void vnfuzz::RunExpressionInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const std::string text = Text(data + 1, size - 1);

  VnNumList<int> signedList;
  signedList.Delimiter = static_cast<char>(data[0]);
  signedList.Parse(text.c_str());
  signedList.CountItems(text.c_str());
  VnNumList<unsigned int> unsignedList;
  unsignedList.Delimiter = static_cast<char>(data[0]);
  unsignedList.Parse(text.c_str());
  if (unsignedList.Count() > 0) unsignedList.InRange(unsignedList[0], 4094);
  Quietly([&] { unsignedList[unsignedList.Count()]; });

  const AnsiString expression(text);
  EvaluateNumber(expression);
  Quietly([&] { EvaluateLogic(expression); });
  Quietly([&] { EvaluateComparison(expression); });
  static const char* const kOperators[] = {"<>", ">=", "<=", ">", "<", "=", nullptr};
  AnsiString left, right;
  SplitAtOperator(kOperators, expression, left, right);
  Unquote(expression);
  ReplacePlaceholder(expression, "$", "$$");

  // Items whose receive expression is the text, beside items holding values.
  std::vector<VnSNMPVarDesc> table;
  for (std::size_t i = 0; i < std::size(kDerivedSyntaxes); ++i)
    table.push_back({"1.3.6.1.4.1.171.12.2.1", "Item", kDerivedSyntaxes[i], SNMP_ACCESS_READWRITE,
                     nullptr, text.c_str(), nullptr, nullptr, nullptr, nullptr});
  table.push_back({});
  VnSNMPRequest request;
  request.VarList = VnSNMPVarList(table.data(), VnItemType::SVT_SV, 0);
  for (int i = 0; i < request.VarList.Count(); ++i)
    *request.VarList.Item(i)->Value = kValues[static_cast<std::size_t>(i) % std::size(kValues)];
  // One derived item per input: they differ only in how the number is kept.
  const int derived = static_cast<int>(size % std::size(kDerivedSyntaxes));
  Quietly([&] { request.EvaluateDerived(derived, VnDerivation::OnReceive); });
  Quietly([&] { request.EvaluateCondition(expression); });
}
