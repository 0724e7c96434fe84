// Edit constraints: parsing the specs and hooking the edits.
#include "library/VnEditConstraint.h"

#include <cstring>

#include "library/VnErrors.h"
#include "library/VnMessageTables.h"
#include "platform/Classes.h"
#include "platform/Exceptions.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

namespace {

constexpr int kBadFormatEntry = 2;

[[noreturn]] void BadSpec() {
  throw Exception(EditCheckText(kBadFormatEntry), VNERR_BAD_CONSTRAINT_SPEC);
}

// The parsed fields of one spec, before they go into a record.
struct ParsedSpec {
  char Type = 0;
  char Delimiter = 0;
  double Minimum = 0;
  double Maximum = 0;
  int Length = 0;
  int Width = 0;
  std::uint16_t Flags = 0;
  char CutChar = 0;
  std::uint8_t AddressKind = EC_ADDR_NONE;
  bool CustomCheckFlag = false;
};

// The run of characters of `set` that starts at position `from` (1-based)
// and ends before `end`; an empty run is a bad spec.
AnsiString Run(const AnsiString& spec, int from, int end, const char* set) {
  int to = from;
  while (to < end && std::strchr(set, spec[to]) != nullptr) ++to;
  if (to == from) BadSpec();
  return spec.SubString(from, to - from);
}

ParsedSpec Parse(const AnsiString& spec) {
  ParsedSpec p;
  if (spec.Length() < 2 || spec[1] != '%') BadSpec();
  p.Type = spec[2];
  int pos = 3;
  switch (p.Type) {
    case 'f':
      p.Minimum = VnEditConstraint::kFloatMin;
      p.Maximum = VnEditConstraint::kFloatMax;
      break;
    case 'h':
    case 's':
      p.Minimum = 2.2250738585072014e-308;
      p.Maximum = 1.7976931348623157e+308;
      break;
    case 'i':
      p.Minimum = -2147483648.0;
      p.Maximum = 2147483647.0;
      break;
    case 'u':
      p.Minimum = 0;
      p.Maximum = 4294967295.0;
      break;
    case 'n':
      if (spec.Length() < 3) BadSpec();
      p.Delimiter = spec[3];
      p.Minimum = 0;
      p.Maximum = 4294967295.0;
      pos = 4;
      break;
    default:
      BadSpec();
  }
  if (spec.Length() < pos) return p;  // no braces: no items
  const int last = spec.Length();
  if (spec[pos] != '{' || last == pos || spec[last] != '}') BadSpec();
  int i = pos + 1;
  while (i < last) {
    const char item = spec[i];
    switch (item) {
      case 'n':
      case 'x': {
        AnsiString run = Run(spec, i + 1, last, "-0123456789.");
        (item == 'n' ? p.Minimum : p.Maximum) = StrToFloat(run);
        i += 1 + run.Length();
        break;
      }
      case 'l': {
        AnsiString run = Run(spec, i + 1, last, "0123456789");
        p.Length = StrToInt(run);
        i += 1 + run.Length();
        for (int k = 0; k < 3 && i < last; ++k, ++i) {
          if (spec[i] == 'a')
            p.Flags |= EC_AUTO_ADVANCE;
          else if (spec[i] == 'f')
            p.Flags |= EC_EXACT;
          else if (spec[i] == 'n')
            p.Flags |= EC_NOT_EMPTY;
          else
            break;
        }
        break;
      }
      case 'w': {
        AnsiString run = Run(spec, i + 1, last, "0123456789");
        p.Width = StrToInt(run);
        i += 1 + run.Length();
        break;
      }
      case 'e':
        if (i + 1 >= last) BadSpec();
        p.CutChar = spec[i + 1];
        i += 2;
        break;
      case 'Z':
        p.CustomCheckFlag = true;
        ++i;
        break;
      case 'r':
        if (p.Type != 'n') BadSpec();
        p.Flags |= EC_RANGES;
        ++i;
        break;
      case 'I':
        if (i + 2 < last && spec[i + 1] == '6' && spec[i + 2] == 'm') {
          p.AddressKind = EC_ADDR_MCAST_IPV6;
          i += 3;
        } else if (i + 1 < last && spec[i + 1] == '6') {
          p.AddressKind = EC_ADDR_IPV6;
          i += 2;
        } else if (i + 1 < last && spec[i + 1] == 'm') {
          p.AddressKind = EC_ADDR_MCAST_IPV4;
          i += 2;
        } else {
          p.AddressKind = EC_ADDR_IPV4;
          ++i;
        }
        break;
      case 'M':
        if (i + 1 < last && spec[i + 1] == 'm') {
          p.AddressKind = EC_ADDR_MCAST_MAC;
          i += 2;
        } else if (i + 1 < last && spec[i + 1] == 'u') {
          p.AddressKind = EC_ADDR_UNICAST_MAC;
          i += 2;
        } else {
          p.AddressKind = EC_ADDR_MAC;
          ++i;
        }
        break;
      default:
        BadSpec();
    }
  }
  return p;
}

}  // namespace

AnsiString EditCheckText(int entry) { return g_MessageTables[MT_EDIT_CHECK][entry]; }

VnEditConstraint::VnEditConstraint(TWinControl* window, bool rememberValid)
    : window_(window), remember_(rememberValid) {}

VnEditConstraint::~VnEditConstraint() = default;

_EditConstraint_s* VnEditConstraint::Find(TEdit* edit) const {
  for (const auto& r : records_)
    if (r->Edit == edit) return r.get();
  return nullptr;
}

void VnEditConstraint::Add(const AnsiString& spec, TEdit* edit) {
  if (!edit) throw EInvalidOperation("No edit box for the constraint " + spec);
  const ParsedSpec p = Parse(spec);
  _EditConstraint_s* r = Find(edit);
  if (!r) {
    auto fresh = std::make_unique<_EditConstraint_s>();
    fresh->Edit = edit;
    fresh->SavedOnChange = edit->OnChange;
    fresh->SavedOnExit = edit->OnExit;
    r = fresh.get();
    records_.push_back(std::move(fresh));
  }
  r->Type = p.Type;
  r->Delimiter = p.Delimiter;
  r->Minimum = p.Minimum;
  r->Maximum = p.Maximum;
  r->Length = p.Length;
  r->CustomCheckFlag = p.CustomCheckFlag;
  r->AddressKind = p.AddressKind;
  r->CustomCheck = nullptr;
  r->Flags = p.Flags;
  r->CutChar = p.CutChar;
  if (p.Width > 0) edit->SetWidth(p.Width);
  edit->SetMaxLength(p.Length);
  edit->OnChange = TNotifyEvent(this, &VnEditConstraint::EditChange);
  edit->OnExit = TNotifyEvent(this, &VnEditConstraint::EditExit);
}

void VnEditConstraint::AddFormat(const AnsiString& format, TList* edits) {
  int next = 0;
  auto addSpec = [&](const AnsiString& spec) {
    if (!edits || next >= edits->Count()) BadSpec();
    Add(spec, static_cast<TEdit*>(edits->Items(next++)));
  };
  AnsiString spec;
  for (int i = 1; i <= format.Length(); ++i) {
    if (format[i] == '%' && i > 1) {
      addSpec(spec);
      spec = "";
    }
    spec += format[i];
  }
  addSpec(spec);
}

void VnEditConstraint::Remove(TEdit* edit) {
  for (auto it = records_.begin(); it != records_.end(); ++it) {
    if ((*it)->Edit != edit) continue;
    // Only our own handlers are replaced: a handler the form installed
    // after the constraint stays.
    if (edit->OnChange == TNotifyEvent(this, &VnEditConstraint::EditChange))
      edit->OnChange = (*it)->SavedOnChange;
    if (edit->OnExit == TNotifyEvent(this, &VnEditConstraint::EditExit))
      edit->OnExit = (*it)->SavedOnExit;
    records_.erase(it);
    return;
  }
}

void VnEditConstraint::Forget(const void* edit) {
  for (auto it = records_.begin(); it != records_.end(); ++it)
    if ((*it)->Edit == edit) {
      records_.erase(it);
      return;
    }
}

void VnEditConstraint::SaveValidText(TEdit* edit) {
  if (_EditConstraint_s* r = Find(edit)) r->LastValidText = edit->Text();
}
