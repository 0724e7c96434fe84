#include "FormModel.h"

#include <algorithm>
#include <cstdio>

#include "SwitchImage.h"
#include "library/VnEditConstraint.h"
#include "library/VnOptionList.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/StdCtrls.h"

namespace formcheck {

namespace {

bool IsNumericOid(const char* oid) {
  if (!oid || !*oid) return false;
  for (const char* p = oid; *p; ++p)
    if ((*p < '0' || *p > '9') && *p != '.') return false;
  return true;
}

bool IsNumberSyntax(std::uint32_t syntax) {
  return syntax == SNMP_SYNTAX_INTEGER || syntax == SNMP_SYNTAX_GUAGE ||
         syntax == SNMP_SYNTAX_UINTEGER || syntax == SNMP_SYNTAX_COUNTER ||
         syntax == SNMP_SYNTAX_TIMETICKS;
}

bool IsOctetSyntax(std::uint32_t syntax) {
  return syntax == SNMP_SYNTAX_OCTETSTR || syntax == SNMP_SYNTAX_BITSTR ||
         syntax == SNMP_SYNTAX_DISPLAYSTR || syntax == SNMP_SYNTAX_OPAQUE;
}

// How a variable without a control of its own would go back: by its syntax.
TShown BySyntax(const TItem& item) {
  if (!item.Options.empty()) return TShown::Choice;
  if (IsNumberSyntax(item.Syntax)) return TShown::Number;
  if (item.Syntax == SNMP_SYNTAX_DISPLAYSTR) return TShown::Text;
  if (IsOctetSyntax(item.Syntax)) return TShown::Octets;
  return TShown::Nothing;
}

void TakeBinding(const VnSNMPRequest2Edits& request, const ControlBinding& b, TItem& item) {
  if (b.HasElements) {
    item.Shown = TShown::PortList;
    return;
  }
  if (b.PartOffset != 0 || b.Syntax >= SNMP_SYNTAX_BOOL8) {
    item.Shown = TShown::Part;
    item.PartOffset = static_cast<int>(b.PartOffset);
    return;
  }
  TControl* control = b.Controls.empty() ? nullptr : b.Controls.front();
  if (dynamic_cast<TComboBox*>(control) || dynamic_cast<TCheckBox*>(control)) {
    item.Shown = item.Options.empty() ? BySyntax(item) : TShown::Choice;
    return;
  }
  auto* edit = dynamic_cast<TEdit*>(control);
  const _EditConstraint_s* rule =
      edit && request.EditConstraint ? request.EditConstraint->Find(edit) : nullptr;
  if (!rule) {
    item.Shown = BySyntax(item);
    return;
  }
  item.Length = rule->Length;
  if (rule->AddressKind != EC_ADDR_NONE) {
    item.Shown = TShown::Nothing;
  } else if (rule->Type == 'i' || rule->Type == 'u') {
    item.Shown = IsNumberSyntax(item.Syntax) ? TShown::Number : BySyntax(item);
    item.Ranged = true;
    item.Minimum = rule->Minimum;
    item.Maximum = rule->Maximum;
  } else if (rule->Type == 'h') {
    item.Shown = TShown::Octets;
  } else {
    item.Shown = BySyntax(item);
  }
}

}  // namespace

TFormModel ModelOf(const std::vector<VnSNMPRequest2Edits*>& requests,
                   const VnSNMPRequest2Edits* rowRequest) {
  TFormModel model;
  for (const VnSNMPRequest2Edits* request : requests) {
    TRequestModel r;
    const VnSNMPVarList& list = request->Request.VarList;
    r.Table = list.ItemType == VnItemType::MVT_FMV || list.ItemType == VnItemType::MVT_UMV;
    r.Rows = request == rowRequest && r.Table;
    for (int i = 0; i < list.Count(); ++i) {
      const VnSNMPVarDesc* d = list.Item(i);
      TItem item;
      if (IsNumericOid(d->Oid)) item.Oid = d->Oid;
      item.Label = d->Label ? d->Label : "";
      item.Syntax = d->Syntax;
      item.Key = r.Table && static_cast<std::uint32_t>(i) < list.KeyCount;
      const std::uint32_t access = d->Access & ~static_cast<std::uint32_t>(SNMP_ACCESS_INVALID);
      item.Writable = (access & SNMP_ACCESS_WRITEONLY) != 0 && !(access & SNMP_ACCESS_DERIVED);
      if (d->Options && d->Options->ValueKind() == VnOptionList::Integer) {
        for (int k = 0; k < d->Options->Count(); ++k)
          item.Options.push_back(d->Options->Item(k).IntValue);
      }
      item.RowStatus = std::count(item.Options.begin(), item.Options.end(), 4) &&
                       std::count(item.Options.begin(), item.Options.end(), 6);
      item.Shown = BySyntax(item);
      r.Items.push_back(item);
    }
    for (const auto& b : request->Bindings) {
      if (b->ItemIndex < 0 || b->ItemIndex >= static_cast<int>(r.Items.size())) continue;
      TakeBinding(*request, *b, r.Items[static_cast<std::size_t>(b->ItemIndex)]);
    }
    model.Requests.push_back(std::move(r));
  }
  return model;
}

namespace {

std::string Hex(const std::string& bytes) {
  std::string out;
  char pair[4];
  for (char c : bytes) {
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
    out += pair;
  }
  return out;
}

// The type letter of the control channel's set for a number syntax.
char NumberLetter(std::uint32_t syntax) {
  switch (syntax) {
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
      return 'u';
    case SNMP_SYNTAX_COUNTER:
      return 'c';
    case SNMP_SYNTAX_TIMETICKS:
      return 't';
    default:
      return 'i';
  }
}

bool Unsigned(std::uint32_t syntax) { return NumberLetter(syntax) != 'i'; }

std::string SetNumber(const std::string& instance, std::uint32_t syntax, long long value) {
  return "set " + instance + " " + NumberLetter(syntax) + " " + std::to_string(value);
}

std::string SetOctets(const std::string& instance, const std::string& bytes) {
  return "set " + instance + " x \"" + Hex(bytes) + "\"";
}

// A text of `length` characters with high bytes among printable ones.
std::string LongText(int length) {
  std::string text = "Long\xE9\xFF-";
  while (static_cast<int>(text.size()) < length) text += static_cast<char>('a' + text.size() % 26);
  return text.substr(0, static_cast<std::size_t>(length));
}

std::string NumberSeed(const TItem& item, const std::string& instance, bool upper) {
  const long long top = Unsigned(item.Syntax) ? 4294967295LL : 2147483647LL;
  const long long bottom = Unsigned(item.Syntax) ? 0 : -2147483648LL;
  if (upper) {
    const long long max = item.Ranged ? static_cast<long long>(item.Maximum) : top;
    return SetNumber(instance, item.Syntax, std::min(max + 1, top));
  }
  const long long min = item.Ranged ? static_cast<long long>(item.Minimum) : (bottom < 0 ? 0 : 1);
  return SetNumber(instance, item.Syntax, std::max(min - 1, bottom));
}

}  // namespace

std::string SeedCommand(const TItem& item, const std::string& instance, const std::string& held,
                        const std::string& seed) {
  if (!item.Writable || item.Key || item.RowStatus || item.Oid.empty() || seed == "plain")
    return "";
  const std::string octets = OctetsOf(held);
  switch (item.Shown) {
    case TShown::PortList:
      if (seed == "long") return SetOctets(instance, std::string("\xFF\xC0\x00\x00\xAA\xBB", 6));
      if (seed == "short") return SetOctets(instance, std::string("\xFF\xC0", 2));
      return "";
    case TShown::Choice: {
      if (seed != "outside" || item.Options.empty()) return "";
      int value = 7;
      while (std::count(item.Options.begin(), item.Options.end(), value)) value += 2;
      return SetNumber(instance, item.Syntax, value);
    }
    case TShown::Number:
      if (seed == "outside") return "";
      return NumberSeed(item, instance, seed == "long");
    case TShown::Text:
      if (seed == "long")
        return SetOctets(instance, LongText(item.Length > 0 ? item.Length + 4 : 64));
      if (seed == "short") return SetOctets(instance, std::string("c\x01\x1F\x7F\x00z", 6));
      return "";
    case TShown::Octets:
      if (seed == "outside" && !octets.empty())
        return SetOctets(instance, std::string(octets.size(), '\xA5'));
      if (seed == "long") return SetOctets(instance, octets + std::string("\xA5\xA5", 2));
      if (seed == "short" && octets.size() > 1) return SetOctets(instance, octets.substr(0, 1));
      return "";
    case TShown::Part:
      if (seed == "outside" && !octets.empty())
        return SetOctets(instance, std::string(octets.size(), '\xA5'));
      if (seed == "long") return SetOctets(instance, octets + std::string("\xA5\xA5", 2));
      if (seed == "short" && item.PartOffset > 0 &&
          static_cast<int>(octets.size()) > item.PartOffset)
        return SetOctets(instance, octets.substr(0, static_cast<std::size_t>(item.PartOffset)));
      return "";
    case TShown::Nothing:
      return "";
  }
  return "";
}

}  // namespace formcheck
