#include "FormModel.h"

#include <algorithm>
#include <cctype>
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
  item.RuleType = rule->Type;
  if (rule->AddressKind != EC_ADDR_NONE) {
    item.Shown = TShown::Address;
    item.Address = rule->AddressKind <= EC_ADDR_MCAST_IPV4   ? TAddress::Ipv4
                   : rule->AddressKind <= EC_ADDR_MCAST_IPV6 ? TAddress::Ipv6
                                                             : TAddress::Mac;
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
      if (d->Options) {
        const bool numbers = d->Options->ValueKind() == VnOptionList::Integer;
        for (int k = 0; k < d->Options->Count(); ++k) {
          const VnOptionItem& option = d->Options->Item(k);
          if (numbers) item.Options.push_back(option.IntValue);
          item.OptionTexts.push_back(option.Text.str());
          item.OptionValues.push_back(numbers ? std::to_string(option.IntValue)
                                              : option.StrValue.str());
        }
      }
      // A row status: createAndGo (4) and destroy (6) among its options (a
      // choice whose values only look like a row status's, a method list's
      // none ... tacacs, is none).
      auto text = [&](int value) {
        std::string lower;
        for (std::size_t k = 0; k < item.Options.size() && k < item.OptionTexts.size(); ++k)
          if (item.Options[k] == value)
            for (char c : item.OptionTexts[k])
              lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return lower;
      };
      item.RowStatus = text(4) == "createandgo" && text(6) == "destroy";
      item.Shown = BySyntax(item);
      if (item.Syntax == SNMP_SYNTAX_IPADDRESS) {
        item.Shown = TShown::Address;
        item.Address = TAddress::Ipv4;
      }
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

// The ends of the form's range (of the syntax where it has none): the
// upper one, or the lower one.
std::string EdgeSeed(const TItem& item, const std::string& instance, bool upper) {
  const long long top = Unsigned(item.Syntax) ? 4294967295LL : 2147483647LL;
  const long long bottom = Unsigned(item.Syntax) ? 0 : -2147483648LL;
  const long long edge = upper ? (item.Ranged ? static_cast<long long>(item.Maximum) : top)
                               : (item.Ranged ? static_cast<long long>(item.Minimum) : 0);
  return SetNumber(instance, item.Syntax, std::clamp(edge, bottom, top));
}

// A text of `length` bytes that is no UTF-8: lead bytes without their
// continuation, continuation bytes alone, an overlong form, among letters.
std::string NotUtf8Text(int length) {
  static const char kPieces[] = "x\xC3(\xA0\xA1y\xE2\x28\xA1\xF0\x28\x8C\xBC\xC0\xAFz";
  std::string text;
  while (static_cast<int>(text.size()) < length)
    text += kPieces[text.size() % (sizeof kPieces - 1)];
  return text;
}

std::string BlanksAround(int length) {
  std::string text = "  ab cd  ";
  if (length > 0 && static_cast<int>(text.size()) > length)
    text = length >= 3 ? " " + std::string(static_cast<std::size_t>(length - 2), 'b') + " " : " ";
  return text;
}

std::string AddressSeed(const TItem& item, const std::string& instance, const std::string& held,
                        const std::string& seed) {
  if (item.Syntax == SNMP_SYNTAX_IPADDRESS) {
    if (seed == "edges") return "set " + instance + " a 255.255.255.255";
    if (seed == "empty") return "set " + instance + " a 0.0.0.0";
    return "";
  }
  const std::string octets = OctetsOf(held);
  const bool text = held.rfind("STRING:", 0) == 0;  // a display string, not raw octets
  if (seed == "empty") return SetOctets(instance, "");
  switch (item.Address) {
    case TAddress::Ipv4:
      if (text) {
        if (seed == "edges") return SetOctets(instance, "255.255.255.255");
        if (seed == "blanks") return SetOctets(instance, " 10.1.2.3 ");
        return "";
      }
      if (seed == "edges") return SetOctets(instance, std::string(4, '\xFF'));
      if (seed == "short") return SetOctets(instance, std::string("\x0A\x00", 2));
      return "";
    case TAddress::Mac:
      if (seed == "edges") return SetOctets(instance, std::string(6, '\xFF'));
      if (seed == "short") return SetOctets(instance, std::string("\x00\x05\x5E", 3));
      if (seed == "long")
        return SetOctets(instance, std::string("\x00\x05\x5E\x00\x00\x00\xAA", 7));
      return "";
    case TAddress::Ipv6:
      if (seed == "edges") return SetOctets(instance, std::string(16, '\xFF'));
      if (seed == "short") return SetOctets(instance, std::string(8, '\x20'));
      return "";
    case TAddress::None:
      return "";
  }
  return "";
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
      if (seed == "empty") return SetOctets(instance, "");
      if (seed == "edges") return SetOctets(instance, std::string(4, '\xFF'));
      return "";
    case TShown::Choice: {
      if (seed != "outside" || item.Options.empty()) return "";
      int value = 7;
      while (std::count(item.Options.begin(), item.Options.end(), value)) value += 2;
      return SetNumber(instance, item.Syntax, value);
    }
    case TShown::Number:
      if (seed == "long" || seed == "short") return NumberSeed(item, instance, seed == "long");
      if (seed == "edges" || seed == "empty") return EdgeSeed(item, instance, seed == "edges");
      return "";
    case TShown::Text: {
      const int length = item.Length > 0 ? item.Length : 32;
      if (seed == "long")
        return SetOctets(instance, LongText(item.Length > 0 ? item.Length + 4 : 64));
      if (seed == "short") return SetOctets(instance, std::string("c\x01\x1F\x7F\x00z", 6));
      if (seed == "empty") return SetOctets(instance, "");
      if (seed == "blanks") return SetOctets(instance, BlanksAround(item.Length));
      if (seed == "edges") return SetOctets(instance, NotUtf8Text(length));
      return "";
    }
    case TShown::Address:
      return AddressSeed(item, instance, held, seed);
    case TShown::Octets:
      if (seed == "outside" && !octets.empty())
        return SetOctets(instance, std::string(octets.size(), '\xA5'));
      if (seed == "long") return SetOctets(instance, octets + std::string("\xA5\xA5", 2));
      if (seed == "short" && octets.size() > 1) return SetOctets(instance, octets.substr(0, 1));
      if (seed == "empty") return SetOctets(instance, "");
      if (seed == "edges" && !octets.empty())
        return SetOctets(instance, std::string(octets.size(), '\xFF'));
      return "";
    case TShown::Part:
      if (seed == "outside" && !octets.empty())
        return SetOctets(instance, std::string(octets.size(), '\xA5'));
      if (seed == "long") return SetOctets(instance, octets + std::string("\xA5\xA5", 2));
      if (seed == "short" && item.PartOffset > 0 &&
          static_cast<int>(octets.size()) > item.PartOffset)
        return SetOctets(instance, octets.substr(0, static_cast<std::size_t>(item.PartOffset)));
      if (seed == "edges" && !octets.empty())
        return SetOctets(instance, std::string(octets.size(), '\xFF'));
      return "";
    case TShown::Nothing:
      return "";
  }
  return "";
}

namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string UpperHexDigits(const std::string& text) {
  std::string out;
  for (char c : text)
    if (std::isxdigit(static_cast<unsigned char>(c)))
      out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

// The value of the option shown as the text, or the text itself.
std::string OptionValueOf(const TItem& item, const std::string& text) {
  for (std::size_t k = 0; k < item.OptionTexts.size() && k < item.OptionValues.size(); ++k)
    if (item.OptionTexts[k] == text) return item.OptionValues[k];
  return text;
}

bool SentAsTyped(const TItem& item, const std::string& typed, const std::string& value,
                 std::string& why) {
  const std::size_t colon = value.find(':');
  const std::string type = colon == std::string::npos ? value : value.substr(0, colon);
  const std::string rest = colon == std::string::npos ? "" : value.substr(colon + 1);
  std::string expected;
  bool same = false;
  if (type == "INTEGER" || type == "Gauge32" || type == "Counter32" || type == "Timeticks" ||
      type == "Unsigned32") {
    const std::string number = Trimmed(OptionValueOf(item, typed));
    // Time ticks are written as "(n) text" by the switch.
    std::string sent = rest;
    if (!sent.empty() && sent[0] == '(') sent = sent.substr(1, sent.find(')') - 1);
    expected = number;
    same = !number.empty() && sent == number;
  } else if (type == "IpAddress" || type == "OID") {
    expected = Trimmed(OptionValueOf(item, typed));
    same = rest == expected;
  } else if (type == "STRING" || type == "Hex-STRING") {
    const std::string octets = OctetsOf(value);
    if (item.RuleType == 'h' || item.Address == TAddress::Mac || item.Address == TAddress::Ipv6 ||
        item.Shown == TShown::Octets) {
      expected = UpperHexDigits(typed);
      same = Hex(octets) == expected;
    } else {
      // A display text goes as typed; a text of hex digits may stand for
      // the octets it spells (a MAC address in a plain text edit).
      expected = typed;
      const std::string digits = UpperHexDigits(typed);
      same = octets == typed || (digits.size() == typed.size() &&
                                 digits.size() == 2 * octets.size() && Hex(octets) == digits);
    }
  } else {
    expected = typed;
  }
  if (!same) why = "sent " + value + " for the typed \"" + typed + "\" (" + expected + ")";
  return same;
}

}  // namespace formcheck

namespace formcheck {

namespace {

// The arcs of octets: each octet, with the length first or implied.
void OctetArcs(const std::string& octets, std::vector<std::string>& out) {
  std::string codes;
  for (char ch : octets) codes += "." + std::to_string(static_cast<unsigned char>(ch));
  out.push_back(std::to_string(octets.size()) + codes);
  if (!codes.empty()) out.push_back(codes.substr(1));
}

}  // namespace

std::vector<std::string> KeyArcs(const TItem& item, const std::string& typed) {
  std::vector<std::string> out;
  const std::string value = Trimmed(OptionValueOf(item, typed));
  if (value.empty()) return out;
  if (std::all_of(value.begin(), value.end(),
                  [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }) &&
      value.size() < 11)
    out.push_back(std::to_string(std::stoll(value)));
  int a = 0, b = 0, c = 0, d = 0;
  char tail = 0;
  if (std::sscanf(value.c_str(), "%d.%d.%d.%d%c", &a, &b, &c, &d, &tail) == 4) out.push_back(value);
  // An object identifier: its arcs, with their count first or implied.
  if (item.Syntax == SNMP_SYNTAX_OBJECTID) {
    out.push_back(std::to_string(std::count(value.begin(), value.end(), '.') + 1) + "." + value);
    out.push_back(value);
  }
  OctetArcs(value, out);
  const std::string digits = UpperHexDigits(value);
  if (digits.size() == value.size() && digits.size() % 2 == 0) {
    std::string octets;
    for (std::size_t i = 0; i < digits.size(); i += 2)
      octets += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    OctetArcs(octets, out);
  }
  return out;
}

}  // namespace formcheck
