#include "FormInput.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "FormView.h"
#include "library/VnEditConstraint.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "snmp/Snmp.h"

namespace formcheck {

namespace {

bool Changeable(TControl* c) {
  return dynamic_cast<TEdit*>(c) || dynamic_cast<TComboBox*>(c) || dynamic_cast<TCheckBox*>(c);
}

// `a`, or `b` where the field shows `a`.
std::string OtherThan(const std::string& now, const char* a, const char* b) {
  return now == a ? b : a;
}

std::string AddressText(std::uint8_t kind, const std::string& now) {
  switch (kind) {
    case EC_ADDR_IPV4:
      return OtherThan(now, "10.1.2.3", "10.1.2.4");
    case EC_ADDR_MCAST_IPV4:
      return OtherThan(now, "224.1.2.3", "224.1.2.4");
    case EC_ADDR_IPV6:
    case EC_ADDR_MCAST_IPV6:
      return OtherThan(now, "2001:db8::1", "2001:db8::2");
    case EC_ADDR_MCAST_MAC:
      return OtherThan(now, "01005E010203", "01005E010204");
    default:
      return OtherThan(now, "000A5E010203", "000A5E010204");
  }
}

std::string SyntaxText(const TItem& item, const std::string& now) {
  switch (item.Syntax) {
    case SNMP_SYNTAX_OBJECTID:
      return OtherThan(now, "1.3.6.1.2", "1.3.6.1.3");
    case SNMP_SYNTAX_DATETIME:
      return OtherThan(now, "2001-2-3,4:5:6.0", "2001-2-3,4:5:7.0");
    case SNMP_SYNTAX_DISPLAYSTR:
    case SNMP_SYNTAX_OCTETSTR:
      if (item.Label.find("IPv6") != std::string::npos ||
          item.Label.find("Ipv6") != std::string::npos)
        return OtherThan(now, "2001:db8::1", "2001:db8::2");
      if (item.Label.find("Address") != std::string::npos || item.Label.find("IP") == 0)
        return OtherThan(now, "10.1.2.3", "10.1.2.4");
      if (item.Syntax == SNMP_SYNTAX_DISPLAYSTR) return OtherThan(now, "ab", "cd");
      return OtherThan(now, "0A", "0B");
    case SNMP_SYNTAX_INTEGER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_TIMETICKS:
      return OtherThan(now, "1", "2");
    case SNMP_SYNTAX_IPADDRESS:
      return OtherThan(now, "10.1.2.3", "10.1.2.4");
    case SNMP_SYNTAX_MACADDRESS:
      return OtherThan(now, "000A5E010203", "000A5E010204");
    case SNMP_SYNTAX_IPV6ADDRESS:
      // Its sixteen octets in hex digits, as the edit shows them.
      return OtherThan(now, "20010DB8000000000000000000000001", "20010DB8000000000000000000000002");
    case SNMP_SYNTAX_BITSTR:
      return OtherThan(now, "0A", "0B");
    default:
      return OtherThan(now, "ab", "cd");
  }
}

void AddField(std::vector<TField>& fields, std::size_t r, const ControlBinding& b, int k,
              int option) {
  TField f;
  f.Request = r;
  f.Item = b.ItemIndex;
  f.Control = b.Controls[static_cast<std::size_t>(k)];
  f.Option = option;
  if (b.HasElements && k < static_cast<int>(b.Elements.size()))
    f.Element = b.Elements[static_cast<std::size_t>(k)];
  if (b.PartOffset != 0 || b.Syntax >= SNMP_SYNTAX_BOOL8) {
    f.PartOffset = static_cast<int>(b.PartOffset);
    f.PartSyntax = b.Syntax;
  }
  fields.push_back(f);
}

}  // namespace

const TItem& FieldItem(const TFormModel& model, const TField& f) {
  return model.Requests[f.Request].Items[static_cast<std::size_t>(f.Item)];
}

std::vector<TField> FieldsToChange(const TOpen& open, const TFormModel& model, TFieldSet set) {
  std::vector<TField> fields;
  for (std::size_t r = 0; r < open.Requests.size() && r < model.Requests.size(); ++r) {
    const TRequestModel& rm = model.Requests[r];
    for (const auto& b : open.Requests[r]->Bindings) {
      if (b->ItemIndex < 0 || b->ItemIndex >= static_cast<int>(rm.Items.size())) continue;
      const TItem& item = rm.Items[static_cast<std::size_t>(b->ItemIndex)];
      if (!item.Writable || item.Key || item.RowStatus || item.Oid.empty()) continue;
      if (b->Controls.empty() || !Changeable(b->Controls.front())) continue;
      if (set == TFieldSet::First) {
        // The first box of a grid that the user sees.
        int k = 0;
        if (b->HasElements)
          for (int i = 0; i < b->ControlCount(); ++i)
            if (b->Controls[static_cast<std::size_t>(i)]->Visible()) {
              k = i;
              break;
            }
        AddField(fields, r, *b, k, -1);
      } else if (set == TFieldSet::Every) {
        for (int k = 0; k < b->ControlCount(); ++k)
          if (Changeable(b->Controls[static_cast<std::size_t>(k)]) &&
              (!b->HasElements || b->Controls[static_cast<std::size_t>(k)]->Visible()))
            AddField(fields, r, *b, k, -1);
      } else if (auto* combo = dynamic_cast<TComboBox*>(b->Controls.front())) {
        for (int option = 0; option < combo->Items()->Count(); ++option)
          AddField(fields, r, *b, 0, option);
      }
    }
  }
  return fields;
}

std::string OtherText(const TEntry& entry, const TOpen& open, const TField& f, const TItem& item,
                      TEdit* edit) {
  for (const auto& [label, texts] : entry.Texts)
    if (label == item.Label || label == edit->Name().str())
      return edit->Text().str() == texts.first ? texts.second : texts.first;
  const _EditConstraint_s* rule = open.Requests[f.Request]->EditConstraint
                                      ? open.Requests[f.Request]->EditConstraint->Find(edit)
                                      : nullptr;
  const std::string now = edit->Text().str();
  if (rule && rule->AddressKind != EC_ADDR_NONE) return AddressText(rule->AddressKind, now);
  if (rule && (rule->Type == 'i' || rule->Type == 'u')) {
    // A neighbour of the value shown, so that the value goes on agreeing with
    // the fields it is judged with; else the lowest number of the range (1
    // where the range is the syntax's).
    const long long lo = std::max(static_cast<long long>(rule->Minimum), 1LL);
    const long long hi = static_cast<long long>(rule->Maximum);
    char* end = nullptr;
    const long long shown = std::strtoll(now.c_str(), &end, 10);
    if (!now.empty() && *end == '\0' && shown >= lo && shown <= hi)
      return std::to_string(shown + 1 <= hi ? shown + 1 : shown - 1);
    return std::to_string(lo);
  }
  if (rule && rule->Type == 'h') {
    // An edit of an exact length takes that many digits.
    if ((rule->Flags & EC_EXACT) && rule->Length > 2) {
      const std::string zeros(static_cast<std::size_t>(rule->Length - 2), '0');
      return OtherThan(now, (zeros + "0A").c_str(), (zeros + "0B").c_str());
    }
    return OtherThan(now, "0A", "0B");
  }
  if (rule && rule->Type == 'n') return OtherThan(now, "1", "2");
  if (rule && rule->Type != 's') return OtherThan(now, "ab", "cd");
  return SyntaxText(item, now);
}

void TypeInto(TEdit* edit, const std::string& text) {
  TestKit::FocusTo(edit);
  edit->SelectAll();
  TestKit::TypeText(edit, "\b" + AnsiString(text.c_str()));
  TestKit::Pump();
  if (edit->Focused()) TestKit::PressTab();
  TestKit::Pump();
}

void TickOwnBox(const TOpen& open, TControl* field) {
  std::set<TControl*> bound;
  for (VnSNMPRequest2Edits* r : open.Requests)
    for (const auto& b : r->Bindings) bound.insert(b->Controls.begin(), b->Controls.end());
  // On the field's row, or on the row of the panel that holds it (a row
  // made of several fields).
  const TControl* stop = field->Parent() ? field->Parent()->Parent() : nullptr;
  for (TControl* c = field; c && c->Parent() && c != stop; c = c->Parent()) {
    TWinControl* parent = c->Parent();
    const int middle = c->Top() + c->Height() / 2;
    TCheckBox* own = nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* box = dynamic_cast<TCheckBox*>(parent->Controls(i));
      if (!box || box == field || bound.count(box) || !box->Showing() || box->Left() >= c->Left() ||
          middle < box->Top() || middle > box->Top() + box->Height())
        continue;
      if (!own || box->Left() > own->Left()) own = box;
    }
    if (own) {
      if (own->Enabled() && !own->Checked()) TestKit::Click(own);
      return;
    }
  }
}

std::string Change(const TEntry& entry, const TOpen& open, const TField& f, const TItem& item,
                   std::string* typed) {
  TControl* c = f.Control;
  if (!c->Showing() || !c->Enabled()) return "";
  if (auto* box = dynamic_cast<TCheckBox*>(c)) {
    // The last box ticked of a grid stays: a list of no port is refused.
    if (f.Element >= 0 && box->Checked()) {
      int ticked = 0;
      for (const auto& b : open.Requests[f.Request]->Bindings)
        if (b->ItemIndex == f.Item)
          for (TControl* other : b->Controls)
            if (auto* o = dynamic_cast<TCheckBox*>(other); o && o->Checked()) ++ticked;
      if (ticked <= 1) return "";
    }
    TestKit::Click(box);
    if (typed) *typed = box->Checked() ? "ticked" : "unticked";
    return NameOf(c) + (box->Checked() ? " ticked" : " unticked");
  }
  if (auto* combo = dynamic_cast<TComboBox*>(c)) {
    const int n = combo->Items()->Count();
    for (int i = 0; i < n; ++i) {
      if (i == combo->ItemIndex() || (f.Option >= 0 && i != f.Option)) continue;
      TestKit::PickItem(combo, i);
      const std::string text = combo->Items()->Strings(i).str();
      if (typed) *typed = text;
      return NameOf(c) + " := \"" + text + "\"";
    }
    return "";
  }
  if (auto* edit = dynamic_cast<TEdit*>(c)) {
    if (edit->ReadOnly()) return "";
    const std::string text = OtherText(entry, open, f, item, edit);
    TypeInto(edit, text);
    if (typed) *typed = text;
    return NameOf(c) + " := \"" + text + "\"";
  }
  return "";
}

}  // namespace formcheck
