// Edit constraints at work: the character filter of the change event and the
// check of the exit event; the address checks on an edit's text.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "library/VnAddressValidators.h"
#include "library/VnEditConstraint.h"
#include "library/VnEvaluator.h"
#include "library/VnMessageTables.h"
#include "library/VnNumList.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/Launch.h"
#include "platform/Messages.h"
#include "platform/NumberText.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

bool IsValidIpv4(TEdit* edit) { return edit && IsValidIpv4(edit->Text()); }
bool IsValidMulticastIpv4(TEdit* edit) { return edit && IsValidMulticastIpv4(edit->Text()); }
bool IsValidIpv6(TEdit* edit) { return edit && IsValidIpv6(edit->Text()); }
bool IsValidMulticastIpv6(TEdit* edit) { return edit && IsValidMulticastIpv6(edit->Text()); }
bool IsValidMac(TEdit* edit) { return edit && IsValidMac(edit->Text()); }
bool IsMulticastMac(TEdit* edit) { return edit && IsMulticastMac(edit->Text()); }
bool IsUnicastMac(TEdit* edit) { return edit && IsUnicastMac(edit->Text()); }

namespace {

// Entries of the edit-check texts.
enum : int {
  kEmptyValue = 3,
  kMaxLength = 4,
  kExactLength = 5,
  kMaxHexLength = 6,
  kExactHexLength = 7,
  kNumberRange = 8,
  kMaxCount = 9,
  kExactCount = 10,
  kNumbersRange = 11,
  kIpv4 = 19,
  kMulticastIpv4 = 20,
  kIpv6 = 21,
  kMulticastIpv6 = 22,
  kMac = 23,
  kMulticastMac = 24,
  kUnicastMac = 25,
};

bool IsPlaceholder(const AnsiString& text) { return text == "(NOTDONE)" || text == "(NULL)"; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// Whether the list field that holds position `pos` (1-based) already has a
// "-" before it.
bool FieldHasDash(const AnsiString& text, int pos, char delimiter) {
  for (int i = pos - 1; i >= 1 && text[i] != delimiter; --i)
    if (text[i] == '-') return true;
  return false;
}

// Position (1-based) of the first character the type does not allow, or 0.
int FirstRejected(const _EditConstraint_s& r, const AnsiString& text) {
  bool pointSeen = false;
  for (int i = 1; i <= text.Length(); ++i) {
    const char c = text[i];
    bool ok = false;
    switch (r.Type) {
      case 'f':
        ok = IsDigit(c) || (c == '-' && i == 1) || (c == '.' && !pointSeen);
        if (c == '.') pointSeen = true;
        break;
      case 'h':
        ok = IsHex(c);
        break;
      case 'i':
        ok = IsDigit(c) || (c == '-' && i == 1);
        break;
      case 'u':
        ok = IsDigit(c);
        break;
      case 'n': {
        const bool afterNumber = i > 1 && IsDigit(text[i - 1]);
        if (c == '-' && (r.Flags & EC_RANGES)) {
          ok = afterNumber && !FieldHasDash(text, i, r.Delimiter);
          break;
        }
        ok = IsDigit(c) || (c == r.Delimiter && i > 1 && text[i - 1] != r.Delimiter &&
                            ((r.Flags & EC_RANGES) == 0 || afterNumber));
        break;
      }
      default:  // s
        ok = true;
        break;
    }
    if (!ok) return i;
  }
  return 0;
}

// Octets of the character at `pos` (1-based): a whole UTF-8 sequence, else
// the one octet.
int CharacterLength(const AnsiString& text, int pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                     : lead >= 0xE0 && lead <= 0xEF ? 3
                     : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                    : 1;
  if (pos + length - 1 > text.Length()) return 1;
  for (int k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(text[pos + k]) & 0xC0u) != 0x80u) return 1;
  return length;
}

// The text without the character at `pos`, never half of one.
AnsiString Without(const AnsiString& text, int pos) {
  const int n = CharacterLength(text, pos);
  return text.SubString(1, pos - 1) + text.SubString(pos + n, text.Length() - pos - n + 1);
}

// A bound truncated to a whole number and taken as an unsigned 32-bit value.
unsigned WholeBound(double bound) {
  if (!(bound == bound)) return 0;
  if (bound >= 9.2e18) return 0xFFFFFFFFu;
  if (bound <= -9.2e18) return 0;
  return static_cast<unsigned>(static_cast<long long>(std::trunc(bound)));
}

AnsiString Fill(int entry, const char* placeholder, const AnsiString& value) {
  return ReplacePlaceholder(EditCheckText(entry), placeholder, value);
}

AnsiString AddressMessage(std::uint8_t kind, const AnsiString& text) {
  switch (kind) {
    case EC_ADDR_IPV4:
      return IsValidIpv4(text) ? "" : EditCheckText(kIpv4);
    case EC_ADDR_MCAST_IPV4:
      return IsValidMulticastIpv4(text) ? "" : EditCheckText(kMulticastIpv4);
    case EC_ADDR_IPV6:
      return IsValidIpv6(text) ? "" : EditCheckText(kIpv6);
    case EC_ADDR_MAC:
      return IsValidMac(text) ? "" : EditCheckText(kMac);
    case EC_ADDR_MCAST_MAC:
      return IsValidMac(text) && IsMulticastMac(text) ? "" : EditCheckText(kMulticastMac);
    case EC_ADDR_UNICAST_MAC:
      return IsValidMac(text) && IsUnicastMac(text) ? "" : EditCheckText(kUnicastMac);
    default:  // multicast IPv6
      return IsValidMulticastIpv6(text) ? "" : EditCheckText(kMulticastIpv6);
  }
}

// A list whose fields are numbers or ranges "a-b": every field written
// (no empty one), a range with both ends and going up, every number within
// the bounds.
bool RangesInBounds(const AnsiString& text, char delimiter, unsigned lo, unsigned hi) {
  const std::string& t = text.str();
  std::size_t from = 0;
  while (true) {
    const std::size_t end = std::min(t.find(delimiter, from), t.size());
    const std::string field = t.substr(from, end - from);
    VnNumList<unsigned int> ends;
    ends.Delimiter = '-';
    ends.Parse(field.c_str());
    const std::size_t dash = field.find('-');
    const bool written = !field.empty() && dash != 0 && dash + 1 != field.size();
    if (!written || ends.Count() > 2 || !ends.InRange(lo, hi) ||
        (ends.Count() == 2 && ends[0] > ends[1]))
      return false;
    if (end == t.size()) return true;
    from = end + 1;
  }
}

// The program's file name without its folder: the caption of the boxes.
AnsiString ProgramFileName() { return Application ? ExtractFileName(Application->ExeName()) : ""; }

}  // namespace

// The focus moves on the form of the window (the window itself when it is
// a form): a panel that owns a request has no focus order of its own.
void VnEditConstraint::PostNextControl() const {
  if (!window_) return;
  TWinControl* target = dynamic_cast<TCustomForm*>(window_);
  if (!target) target = window_->TopForm();
  PostMessageA((target ? target : window_)->Handle(), WM_NEXTDLGCTL, 0, 0);
}

VnEditConstraint::FilterStep VnEditConstraint::FilterOnce(const _EditConstraint_s& r,
                                                          AnsiString& text) {
  if (r.CutChar != 0) {
    if (int at = text.Pos(AnsiString(r.CutChar)); at > 0) {
      text = Without(text, at);
      return FilterStep::Cut;
    }
  }
  if (int bad = FirstRejected(r, text); bad > 0) {
    text = Without(text, bad);
    return FilterStep::Rejected;
  }
  return FilterStep::Passed;
}

void VnEditConstraint::WriteBack(TEdit* edit, const AnsiString& text) {
  struct Writing {
    const TEdit*& slot;
    const TEdit* outer;
    ~Writing() { slot = outer; }
  } writing{rewriting_, rewriting_};
  rewriting_ = edit;
  const std::weak_ptr<void> alive = edit->LifeToken();
  edit->SetText(text);
  if (!alive.expired()) edit->SetModified(true);
}

void VnEditConstraint::EditChange(TObject* Sender) {
  auto* edit = dynamic_cast<TEdit*>(Sender);
  if (!edit) return;
  AnsiString text = edit->Text();
  _EditConstraint_s* r = Find(edit);
  // Text the program put in is shown whole and is what a refused entry
  // goes back to; neither the filter nor the move to the next field acts
  // on it.
  const bool typed = edit->Modified() || rewriting_ == edit;
  if (r && !typed) r->LastValidText = text;
  if (IsPlaceholder(text)) return;
  if (!r || text.IsEmpty()) return;
  if (typed) {
    switch (FilterOnce(*r, text)) {
      case FilterStep::Cut:
        WriteBack(edit, text);
        PostNextControl();
        return;
      case FilterStep::Rejected:
        WriteBack(edit, text);
        Beep(1000, 200);
        return;
      case FilterStep::Passed:
        break;
    }
  }
  // The setter above runs this handler again on the new text; the record
  // may be gone once the form's handler has run.
  if (r->SavedOnChange) {
    TNotifyEvent saved = r->SavedOnChange;
    saved(edit);
    if (edit->Tag() == -1) return;
    r = Find(edit);
    if (!r) return;
  }
  if (typed && (r->Flags & EC_AUTO_ADVANCE) && r->Length > 0 && edit->Text().Length() == r->Length)
    PostNextControl();
}

AnsiString VnEditConstraint::CheckText(const _EditConstraint_s& r, const AnsiString& text) const {
  switch (r.Type) {
    case 'f':
    case 'i':
    case 'u': {
      const double v = LeadingFloat(text.c_str());
      if (v < r.Minimum || v > r.Maximum)
        return ReplacePlaceholder(Fill(kNumberRange, PH_MIN, FloatToStr(r.Minimum)), PH_MAX,
                                  FloatToStr(r.Maximum));
      return "";
    }
    case 'h':
    case 's': {
      if (r.AddressKind != EC_ADDR_NONE) return AddressMessage(r.AddressKind, text);
      if (r.Length <= 0) return "";
      const bool hex = r.Type == 'h';
      if (r.Flags & EC_EXACT) {
        if (text.Length() != r.Length)
          return Fill(hex ? kExactHexLength : kExactLength, PH_LEN, AnsiString(r.Length));
      } else if (text.Length() > r.Length) {
        return Fill(hex ? kMaxHexLength : kMaxLength, PH_MAXLEN, AnsiString(r.Length));
      }
      return "";
    }
    case 'n': {
      VnNumList<unsigned int> numbers;
      numbers.Delimiter = r.Delimiter;
      numbers.Parse(text.c_str());
      const AnsiString delimiter(r.Delimiter);
      const unsigned lo = WholeBound(r.Minimum), hi = WholeBound(r.Maximum);
      if (r.Length > 0) {
        if (r.Flags & EC_EXACT) {
          if (numbers.Count() != r.Length)
            return ReplacePlaceholder(Fill(kExactCount, PH_DELIMITER, delimiter), PH_COUNT,
                                      AnsiString(r.Length));
        } else if (numbers.Count() > r.Length) {
          return ReplacePlaceholder(Fill(kMaxCount, PH_DELIMITER, delimiter), PH_MAXCOUNT,
                                    AnsiString(r.Length));
        }
      }
      const bool inBounds = (r.Flags & EC_RANGES) ? RangesInBounds(text, r.Delimiter, lo, hi)
                                                  : numbers.InRange(lo, hi);
      if (!inBounds) {
        AnsiString m = Fill(kNumbersRange, PH_DELIMITER, delimiter);
        m = ReplacePlaceholder(m, PH_MIN, AnsiString(lo));
        return ReplacePlaceholder(m, PH_MAX, AnsiString(hi));
      }
      return "";
    }
    default:
      return "";
  }
}

AnsiString VnEditConstraint::ExitMessage(const _EditConstraint_s& r, const AnsiString& text) const {
  if (IsPlaceholder(text)) return "";
  if (text.IsEmpty()) return (r.Flags & EC_NOT_EMPTY) ? EditCheckText(kEmptyValue) : AnsiString();
  return CheckText(r, text);
}

void VnEditConstraint::EditExit(TObject* Sender) {
  auto* edit = dynamic_cast<TEdit*>(Sender);
  // A text the user did not edit is the program's (the device's): it is
  // neither refused nor replaced.
  if (!edit || !edit->Modified()) return;
  const AnsiString text = edit->Text();
  if (IsPlaceholder(text)) return;
  _EditConstraint_s* r = Find(edit);
  if (!r) return;
  const AnsiString message = ExitMessage(*r, text);
  if (message.IsEmpty()) {
    if (text.IsEmpty()) return;
    if (r->SavedOnExit) {
      TNotifyEvent saved = r->SavedOnExit;
      saved(edit);
      r = Find(edit);
      if (!r) return;
      if (edit->Tag() == -1) {
        edit->SetText(r->LastValidText);
        return;
      }
    }
    if (remember_) SaveValidText(edit);
    return;
  }
  const AnsiString caption = ProgramFileName();
  MessageBoxA(window_ ? window_->Handle() : nullptr, message.c_str(), caption.c_str(), MB_OK);
  r = Find(edit);
  if (!r) return;
  edit->SetText(r->LastValidText);
  if (edit->CanFocus()) edit->SetFocus();
}
