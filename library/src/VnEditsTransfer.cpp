// Values between the variable list and the bound controls: showing value
// texts in the controls and reading the controls back into value texts.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "library/VnDateTime.h"
#include "library/VnErrors.h"
#include "library/VnNumList.h"
#include "library/VnOptionList.h"
#include "library/VnRawValue.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnValueText.h"
#include "platform/DateTime.h"
#include "platform/Exceptions.h"
#include "platform/StdCtrls.h"

namespace {

bool IsHexSyntax(std::uint32_t syntax) {
  return syntax == SNMP_SYNTAX_BITSTR || syntax == SNMP_SYNTAX_OCTETSTR ||
         syntax == SNMP_SYNTAX_OPAQUE || syntax == SNMP_SYNTAX_MACADDRESS ||
         syntax == SNMP_SYNTAX_IPV6ADDRESS;
}

// A text that hex reading would change: anything but hex digits and blanks
// (the absent-value text excepted).
bool IsBadHexInput(std::uint32_t syntax, const AnsiString& text) {
  return IsHexSyntax(syntax) && text != VnNullValueText && !VnIsHexText(text);
}

// The number of hexadecimal digits of a hex text (blanks are dropped).
int HexDigitCount(const AnsiString& text) {
  int n = 0;
  for (char c : text.str())
    if (c != ' ') ++n;
  return n;
}

// A text typed into one edit that reading by the syntax would turn into
// another value: a number that is not one whole value of the syntax ("abc"
// into 0, "1O" into 1, 4294967297 into 1 for a 32-bit item, 300 into 44 for
// a byte), an IPv4 address that is not four dotted numbers up to 255 (more
// would be cut to four, "abc" would be no value), a date and time that is
// not the text form with every field in range, hex text of an odd digit
// count (its first digit would become an octet alone), a MAC or IPv6 address
// of the wrong digit count, a time not as it is printed ("100" and "abc"
// into 0:00:00.00, ".5" into five hundredths), an object identifier that is
// not dotted numbers (no value) or that the wire form cannot carry as typed
// (VnIsSendableOid). Text that is not hex at all is judged for every single
// control (IsBadHexInput).
bool IsBadTypedText(std::uint32_t syntax, const AnsiString& text) {
  if (text == VnNullValueText) return false;
  // An empty IPv4 address or identifier is no value, sent as such (as
  // "(NULL)" is); an empty MAC or IPv6 address is the empty octet string.
  const bool empty = text.IsEmpty();
  switch (syntax) {
    case SNMP_SYNTAX_INTEGER:
      return !VnIsWholeNumber(text, INT32_MIN, INT32_MAX);
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
      return !VnIsWholeNumber(text, 0, UINT32_MAX);
    case SNMP_SYNTAX_COUNTER64:
      return !VnIsWholeNumber(text, 0, UINT64_MAX);
    case SNMP_SYNTAX_INT8:
      return !VnIsWholeNumber(text, INT8_MIN, INT8_MAX);
    case SNMP_SYNTAX_UINT8:
      return !VnIsWholeNumber(text, 0, UINT8_MAX);
    case SNMP_SYNTAX_INT16:
      return !VnIsWholeNumber(text, INT16_MIN, INT16_MAX);
    case SNMP_SYNTAX_UINT16:
      return !VnIsWholeNumber(text, 0, UINT16_MAX);
    case SNMP_SYNTAX_IPADDRESS:
    case SNMP_SYNTAX_NSAPADDR: {
      VnSubIds ids;
      if (empty) return false;
      return !VnParseDotted(text, ids) || ids.size() != 4;  // encoding refuses a part over 255
    }
    case SNMP_SYNTAX_DATETIME:
      return !VnDateTime::IsValidText(text);
    case SNMP_SYNTAX_TIMETICKS:
      return !VnIsTimeTicksText(text);
    case SNMP_SYNTAX_OBJECTID: {
      // The wire form holds the first two sub-identifiers in one number: a
      // single one, or a pair the number cannot tell apart ("1.40" from
      // 2.0), would reach the agent as another identifier. An empty one is
      // no value, sent as such.
      VnSubIds ids;
      return !VnParseDotted(text, ids) || (!ids.empty() && !VnIsSendableOid(ids));
    }
    case SNMP_SYNTAX_BITSTR:
    case SNMP_SYNTAX_OCTETSTR:
    case SNMP_SYNTAX_OPAQUE:
      return HexDigitCount(text) % 2 != 0;
    case SNMP_SYNTAX_MACADDRESS:
      return !empty && HexDigitCount(text) != 12;
    case SNMP_SYNTAX_IPV6ADDRESS:
      return !empty && HexDigitCount(text) != 32;
    default:
      return false;
  }
}

// One octet of a value spread over several edits: at most two hex digits
// (none or one are padded with "0"), nothing else.
bool IsOctetText(const AnsiString& text) {
  if (text.Length() > 2) return false;
  for (char c : text.str())
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// The number of an edit as the C library's atoi reads it.
int EditNumber(const AnsiString& text) {
  long long v = std::strtoll(text.c_str(), nullptr, 10);
  return static_cast<int>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

// Two hex characters of an edit: "00" when empty, "0" + text for one
// character, the text unchanged otherwise.
AnsiString HexPair(const AnsiString& text) {
  if (text.IsEmpty()) return "00";
  if (text.Length() == 1) return "0" + text;
  return text;
}

AnsiString Hex2(std::uint8_t byte) { return AnsiString::Format("%02X", byte); }

TEdit* EditOf(const ControlBinding& b, int k) {
  return static_cast<TEdit*>(b.Controls[static_cast<std::size_t>(k)]);
}

void NeedEdits(const ControlBinding& b, int needed) {
  if (b.ControlCount() < needed) RaiseLibraryError(VNERR_TOO_FEW_CONTROLS);
}

// Several edits, value to edits.
void ShowInEdits(const ControlBinding& b, const AnsiString& text, const VnOctets& raw) {
  const int n = b.ControlCount();
  // No value, or the empty octet string of a syntax that has no empty text
  // of its own (a date and time): the edits show nothing of it, and nothing
  // of a value shown before.
  const bool null = text == VnNullValueText || (raw.empty() && VnIsOctetStringSyntax(b.Syntax));
  if (null)
    for (int k = 0; k < n; ++k) EditOf(b, k)->SetText(AnsiString());
  auto setByte = [&](int k) {
    if (static_cast<std::size_t>(k) < raw.size())
      EditOf(b, k)->SetText(Hex2(raw[static_cast<std::size_t>(k)]));
  };
  switch (b.Syntax) {
    case SNMP_SYNTAX_BITSTR:
    case SNMP_SYNTAX_OCTETSTR:
    case SNMP_SYNTAX_OPAQUE:
      NeedEdits(b, static_cast<int>(raw.size()));
      for (int k = 0; k < n; ++k) setByte(k);
      break;
    case SNMP_SYNTAX_OBJECTID: {
      VnSubIds ids;
      if (!VnParseDotted(text, ids)) ids.clear();
      NeedEdits(b, static_cast<int>(ids.size()));
      for (std::size_t k = 0; k < ids.size(); ++k)
        EditOf(b, static_cast<int>(k))->SetText(AnsiString::Format("%u", ids[k]));
      break;
    }
    case SNMP_SYNTAX_IPADDRESS:
    case SNMP_SYNTAX_NSAPADDR:
      NeedEdits(b, 4);
      if (null) break;
      for (int k = 0; k < 4; ++k)
        if (static_cast<std::size_t>(k) < raw.size())
          EditOf(b, k)->SetText(AnsiString::Format("%u", raw[static_cast<std::size_t>(k)]));
      break;
    case SNMP_SYNTAX_TIMETICKS: {
      NeedEdits(b, 5);
      if (null || raw.size() < 4) break;
      const std::uint32_t t =
          static_cast<std::uint32_t>(raw[0]) | static_cast<std::uint32_t>(raw[1]) << 8 |
          static_cast<std::uint32_t>(raw[2]) << 16 | static_cast<std::uint32_t>(raw[3]) << 24;
      const std::uint32_t parts[5] = {t / 8640000u, (t % 8640000u) / 360000u, (t % 360000u) / 6000u,
                                      (t % 6000u) / 100u, t % 100u};
      for (int k = 0; k < 5; ++k) EditOf(b, k)->SetText(AnsiString::Format("%u", parts[k]));
      break;
    }
    case SNMP_SYNTAX_MACADDRESS:
      NeedEdits(b, 6);
      if (!null)
        for (int k = 0; k < n; ++k) setByte(k);
      break;
    case SNMP_SYNTAX_IPV6ADDRESS:
      NeedEdits(b, 16);
      if (!null)
        for (int k = 0; k < n; ++k) setByte(k);
      break;
    case SNMP_SYNTAX_DATETIME: {
      NeedEdits(b, 10);
      if (null) break;
      const VnDateTime dt = VnDateTime::Parse(text);
      const unsigned fields[10] = {dt.Year,      dt.Month,      dt.Day,         dt.Hour,
                                   dt.Minutes,   dt.Seconds,    dt.DeciSeconds, 0,
                                   dt.ZoneHours, dt.ZoneMinutes};
      for (int k = 0; k < 10; ++k)
        EditOf(b, k)->SetText(k == 7 ? AnsiString(dt.Direction)
                                     : AnsiString::Format("%u", fields[k]));
      break;
    }
    case SNMP_SYNTAX_BCDATETIME: {
      NeedEdits(b, 7);
      if (null || raw.size() < 8) break;
      const TDateTime dt(VnOctetsToDouble(raw.data()));
      WORD f[7];
      DecodeDate(dt, f[0], f[1], f[2]);
      DecodeTime(dt, f[3], f[4], f[5], f[6]);
      for (int k = 0; k < 7; ++k) EditOf(b, k)->SetText(AnsiString::Format("%u", unsigned{f[k]}));
      break;
    }
    default:
      EditOf(b, 0)->SetText(text);
      break;
  }
}

// Several edits, edits to value text; bad is set for an edit whose text is
// not what its part of the value allows (a whole number in the part's range,
// an octet of at most two hex digits): reading it would send another value.
// typed is set when the text is edit 0's as typed, to be judged as such.
AnsiString ReadEdits(const ControlBinding& b, bool& bad, bool& typed) {
  const int n = b.ControlCount();
  auto text = [&](int k) { return EditOf(b, k)->Text(); };
  auto hexJoin = [&](int count) {
    AnsiString s;
    for (int k = 0; k < count; ++k) {
      if (!IsOctetText(text(k))) bad = true;
      s += HexPair(text(k));
    }
    return s;
  };
  // The number of edit k, which must be a whole number from least to most.
  auto number = [&](int k, std::int64_t least, std::uint64_t most) {
    if (!VnIsWholeNumber(text(k), least, most)) bad = true;
    return EditNumber(text(k));
  };
  switch (b.Syntax) {
    case SNMP_SYNTAX_BITSTR:
    case SNMP_SYNTAX_OCTETSTR:
    case SNMP_SYNTAX_OPAQUE:
      return hexJoin(n);
    case SNMP_SYNTAX_OBJECTID: {
      VnSubIds ids;
      for (int k = 0; k < n; ++k)
        ids.push_back(static_cast<std::uint32_t>(number(k, 0, UINT32_MAX)));
      if (!VnIsSendableOid(ids)) bad = true;
      return VnDottedText(ids);
    }
    case SNMP_SYNTAX_IPADDRESS:
    case SNMP_SYNTAX_NSAPADDR:
      NeedEdits(b, 4);
      return AnsiString::Format("%d.%d.%d.%d", number(0, 0, 255), number(1, 0, 255),
                                number(2, 0, 255), number(3, 0, 255));
    case SNMP_SYNTAX_TIMETICKS: {
      NeedEdits(b, 5);
      // Days, hours, minutes, seconds, hundredths; the whole must fit 32 bits.
      static constexpr std::uint64_t kMost[5] = {UINT32_MAX / 8640000u, 23, 59, 59, 99};
      static constexpr std::uint64_t kUnit[5] = {8640000u, 360000u, 6000u, 100u, 1u};
      std::uint64_t t = 0;
      for (int k = 0; k < 5; ++k)
        t += static_cast<std::uint32_t>(number(k, 0, kMost[k])) * kUnit[k];
      if (t > UINT32_MAX) bad = true;
      return VnTimeTicksText(static_cast<std::uint32_t>(t));
    }
    case SNMP_SYNTAX_MACADDRESS:
      NeedEdits(b, 6);
      return hexJoin(6);
    case SNMP_SYNTAX_IPV6ADDRESS:
      NeedEdits(b, 16);
      return hexJoin(16);
    case SNMP_SYNTAX_DATETIME: {
      NeedEdits(b, 10);
      // Edits 0-6 and 8-9 hold the numbers of the text form, edit 7 the
      // direction: "+" or "-", or nothing when the zone is 0:0.
      int f[VnDateTime::kNumbers];
      for (int k = 0; k < VnDateTime::kNumbers; ++k) {
        const VnDateTime::Range r = VnDateTime::kRanges[k];
        f[k] = number(k < 7 ? k : k + 1, r.Least, static_cast<std::uint64_t>(r.Most));
      }
      const AnsiString direction = text(7);
      if (direction != "+" && direction != "-" && !(direction.IsEmpty() && f[7] == 0 && f[8] == 0))
        bad = true;
      VnDateTime dt = VnDateTime::Parse("");
      dt.Year = static_cast<WORD>(f[0]);
      dt.Month = static_cast<BYTE>(f[1]);
      dt.Day = static_cast<BYTE>(f[2]);
      dt.Hour = static_cast<BYTE>(f[3]);
      dt.Minutes = static_cast<BYTE>(f[4]);
      dt.Seconds = static_cast<BYTE>(f[5]);
      dt.DeciSeconds = static_cast<BYTE>(f[6]);
      dt.Direction = direction.IsEmpty() ? '\0' : direction[1];
      dt.ZoneHours = static_cast<BYTE>(f[7]);
      dt.ZoneMinutes = static_cast<BYTE>(f[8]);
      return dt.Format();
    }
    case SNMP_SYNTAX_BCDATETIME: {
      NeedEdits(b, 7);
      // Year, month, day, hour, minute, second, millisecond: whole numbers
      // that make a date and a time of day.
      WORD w[7];
      bool whole = true;
      for (int k = 0; k < 7; ++k) {
        whole = VnIsWholeNumber(text(k), 0, UINT16_MAX) && whole;
        w[k] = static_cast<WORD>(EditNumber(text(k)));
      }
      TDateTime date, time;
      if (!whole || !TryEncodeDate(w[0], w[1], w[2], date) ||
          !TryEncodeTime(w[3], w[4], w[5], w[6], time)) {
        bad = true;
        return VnNullValueText;  // no date to encode
      }
      const TDateTime dt = date + static_cast<double>(time);
      return FormatDateTime("yyyy/mm/dd hh:nn:ss am/pm", dt);
    }
    default:
      if (IsBadHexInput(b.Syntax, text(0))) bad = true;
      typed = true;
      return text(0);
  }
}

// A field whose text cannot be sent is refused with the library's error and
// the field's name, as a read names what it could not take.
[[noreturn]] void RefuseField(const VnSNMPVarDesc& d, int number) {
  const AnsiString field = d.Label && *d.Label ? AnsiString(d.Label) : AnsiString(d.Oid);
  throw Exception(ErrorText(number) + " (" + field + ")", number);
}

std::uint8_t ElementMask(int e) { return static_cast<std::uint8_t>(0x80u >> (e % 8)); }

// An item that names the row of a table list instead of being written.
bool IsIndexColumn(const VnSNMPVarList& list, int item) {
  return (list.ItemType == VnItemType::MVT_FMV || list.ItemType == VnItemType::MVT_UMV) &&
         static_cast<std::uint32_t>(item) < list.KeyCount;
}

// The item's value makes its part of a row's instance as it is.
bool NamesInstancePart(VnSNMPRequest& request, int item) {
  AnsiString part;
  try {
    request.ValueToIndex(item, part);
  } catch (const Exception&) {
    return false;
  }
  return true;
}

// Octets that the syntax reads as one value: none (no value), or at least
// the syntax's width.
bool IsWholeValue(const VnOctets& raw, std::uint32_t syntax) {
  const int width = VnPartWidth(syntax);
  return raw.empty() || width < 0 || raw.size() >= static_cast<std::size_t>(width);
}

// An edit, label or static text showing nothing.
bool IsEmptyText(TControl* control) {
  return (dynamic_cast<TEdit*>(control) || dynamic_cast<TLabel*>(control) ||
          dynamic_cast<TStaticText*>(control)) &&
         control->Text().IsEmpty();
}

// What a bound control holds, as far as reading it back goes.
AnsiString HeldState(TControl* control) {
  if (auto* box = dynamic_cast<TCheckBox*>(control)) return box->Checked() ? "1" : "0";
  if (auto* combo = dynamic_cast<TComboBox*>(control))
    return AnsiString(combo->ItemIndex()) + "|" + combo->Text();
  return control->Text();
}

}  // namespace

void VnSNMPRequest2Edits::ShowBinding(const ControlBinding& b) {
  const VnSNMPVarDesc* d = Request.VarList.Item(b.ItemIndex);
  // No value (the agent gave none, or none the item can hold): every
  // control shows nothing, none a placeholder.
  const bool none = *d->Value == VnNullValueText;
  AnsiString text = none ? AnsiString() : *d->Value;
  if (d->Options && !none) text = d->Options->ValueOf(text);
  VnOctets raw = none ? VnOctets() : VnValueToBytes(text, d->Syntax);
  if (none) {
    // Parts and whole values alike show nothing.
  } else if (b.PartOffset != 0 || b.Syntax != d->Syntax) {
    // A value that ends before the part is an answer like any other: the
    // part shows nothing (an empty edit, no choice).
    const int width = VnPartWidth(b.Syntax);
    if (!raw.empty() && width > 0 && b.PartOffset + static_cast<std::size_t>(width) > raw.size()) {
      raw.clear();
      text = AnsiString();
    } else {
      raw = VnPartBytes(raw, b.PartOffset, b.Syntax);
      text = VnBytesToValue(raw, b.Syntax);
    }
  }
  VnOptionList* options = EffectiveOptions(b);
  if (options && !none) text = options->TextOf(text);

  TControl* first = b.Controls.front();
  if (dynamic_cast<TLabel*>(first) || dynamic_cast<TStaticText*>(first)) {
    first->SetText(text);
  } else if (dynamic_cast<TCheckBox*>(first) && b.HasElements) {
    // A list shorter than the elements leaves the ones past its end unset.
    for (int k = 0; k < b.ControlCount(); ++k) {
      const int e = b.Elements[static_cast<std::size_t>(k)];
      const std::size_t at = static_cast<std::size_t>(e / 8);
      auto* box = dynamic_cast<TCheckBox*>(b.Controls[static_cast<std::size_t>(k)]);
      if (!box) RaiseLibraryError(VNERR_BAD_CONTROL_TYPE);
      box->SetChecked(at < raw.size() && (raw[at] & ElementMask(e)) != 0);
    }
  } else if (auto* box = dynamic_cast<TCheckBox*>(first)) {
    if (options) {
      int p = options->IndexOfText(text);
      if (p == -1) p = options->IndexOfValue(text);
      box->SetChecked(p > 0);
    } else if (b.Syntax == SNMP_SYNTAX_BOOLEAN || b.Syntax == SNMP_SYNTAX_BOOL8 ||
               b.Syntax == SNMP_SYNTAX_BOOL16) {
      box->SetChecked(text == "true");
    } else {
      RaiseLibraryError(VNERR_BAD_PART_SYNTAX);
    }
  } else if (auto* combo = dynamic_cast<TComboBox*>(first)) {
    if (!options) RaiseLibraryError(VNERR_NO_OPTION_LIST);
    if (none)
      combo->SetItemIndex(-1);
    else
      options->SelectComboBox(combo, text);
  } else if (dynamic_cast<TEdit*>(first)) {
    if (b.ControlCount() == 1)
      first->SetText(text);
    else
      ShowInEdits(b, none ? AnsiString(VnNullValueText) : text, raw);
  } else {
    RaiseLibraryError(VNERR_BAD_CONTROL_TYPE);
  }
}

void VnSNMPRequest2Edits::ValuesToControls(int item) {
  // A form's handler that the showing runs may unbind items: the bindings
  // of now are shown while they are still bound, each from a copy.
  std::vector<ControlBinding*> shown;
  for (const auto& b : Bindings) shown.push_back(b.get());
  auto bound = [this](const ControlBinding* b) {
    return std::any_of(Bindings.begin(), Bindings.end(),
                       [b](const auto& own) { return own.get() == b; });
  };
  for (ControlBinding* b : shown) {
    if (!bound(b) || (item != -1 && b->ItemIndex != item)) continue;
    const VnSNMPVarDesc* d = Request.VarList.Item(b->ItemIndex);
    if (d->Access & SNMP_ACCESS_INVALID) continue;
    const AnsiString value = *d->Value;
    ShowBinding(ControlBinding(*b));
    if (!bound(b)) continue;
    b->ShownValue = value;
    b->HeldAfterShow.clear();
    for (TControl* c : b->Controls) b->HeldAfterShow.push_back(HeldState(c));
    b->Shown = true;
  }
}

void VnSNMPRequest2Edits::DoGetLost(bool keepTyped) {
  if (ListView || KeepShownOnFailedRead) return;
  VnSNMPVarList& list = Request.VarList;
  for (int i = 0; i < list.Count(); ++i) {
    // What the read was to bring: the items it asks for, and those made of
    // them as they arrive.
    if (!list.IsReadable(i) && !list.Item(i)->Text1) continue;
    if (keepTyped && ItemChanged(i)) continue;
    *list.Item(i)->Value = VnNullValueText;
    list.SetWholeValue(i, std::nullopt);
    ValuesToControls(i);
  }
}

bool VnSNMPRequest2Edits::HoldsShownValue(const ControlBinding& b, const AnsiString& value) const {
  if (!b.Shown || b.ShownValue != value || b.HeldAfterShow.size() != b.Controls.size())
    return false;
  for (std::size_t k = 0; k < b.Controls.size(); ++k)
    if (HeldState(b.Controls[k]) != b.HeldAfterShow[k]) return false;
  return true;
}

bool VnSNMPRequest2Edits::ItemChanged(int item) const {
  for (const auto& b : Bindings)
    if (b->ItemIndex == item && !HoldsShownValue(*b, b->ShownValue)) return true;
  return false;
}

bool VnSNMPRequest2Edits::ItemTyped(int item) const {
  for (const auto& b : Bindings) {
    if (b->ItemIndex != item) continue;
    const bool enabled = std::any_of(b->Controls.begin(), b->Controls.end(),
                                     [](const TControl* c) { return c->Enabled(); });
    if (enabled && !HoldsShownValue(*b, b->ShownValue)) return true;
  }
  return false;
}

bool VnSNMPRequest2Edits::HoldsNoValue(int item) const {
  return *Request.VarList.Item(item)->Value == VnNullValueText && !ItemChanged(item);
}

VnOctets VnSNMPRequest2Edits::ReadBinding(const ControlBinding& b, const VnOctets& value,
                                          bool& bad) {
  TControl* first = b.Controls.front();
  VnOptionList* options = EffectiveOptions(b);
  AnsiString s;
  bool typed = false;  // the text of an edit, judged as typed
  if (dynamic_cast<TLabel*>(first) || dynamic_cast<TStaticText*>(first)) {
    s = first->Text();
  } else if (dynamic_cast<TCheckBox*>(first) && b.HasElements) {
    // The bytes up to the last element, with the bits of the elements not
    // listed as the value has them. A value shorter than that keeps its
    // length unless a box past its end is ticked: the agent gave it so.
    std::size_t length = 0;
    for (int e : b.Elements) length = std::max(length, static_cast<std::size_t>(e / 8) + 1);
    VnOctets part(length, 0);
    std::copy_n(value.begin(), std::min(length, value.size()), part.begin());
    std::size_t used = value.empty() ? length : std::min(length, value.size());
    for (int k = 0; k < b.ControlCount(); ++k) {
      const int e = b.Elements[static_cast<std::size_t>(k)];
      auto* box = dynamic_cast<TCheckBox*>(b.Controls[static_cast<std::size_t>(k)]);
      if (!box) RaiseLibraryError(VNERR_BAD_CONTROL_TYPE);
      const std::size_t at = static_cast<std::size_t>(e / 8);
      if (box->Checked()) {
        part[at] = static_cast<std::uint8_t>(part[at] | ElementMask(e));
        used = std::max(used, at + 1);
      } else {
        part[at] = static_cast<std::uint8_t>(part[at] & ~ElementMask(e));
      }
    }
    part.resize(used);
    return part;
  } else if (auto* box = dynamic_cast<TCheckBox*>(first)) {
    if (options) {
      if (options->Count() < 2) RaiseLibraryError(VNERR_NO_OPTION_LIST);
      s = options->Item(box->Checked() ? 1 : 0).Text;
    } else if (b.Syntax == SNMP_SYNTAX_BOOLEAN || b.Syntax == SNMP_SYNTAX_BOOL8 ||
               b.Syntax == SNMP_SYNTAX_BOOL16) {
      s = box->Checked() ? "true" : "false";
    } else {
      RaiseLibraryError(VNERR_BAD_PART_SYNTAX);
    }
  } else if (auto* combo = dynamic_cast<TComboBox*>(first)) {
    const int at = combo->ItemIndex();
    if (at >= 0 && at < combo->Items()->Count()) {
      s = combo->Items()->Strings(at);
    } else {
      s = "";  // nothing chosen: this must not be sent
      bad = true;
    }
  } else if (dynamic_cast<TEdit*>(first)) {
    typed = b.ControlCount() == 1;
    s = typed ? first->Text() : ReadEdits(b, bad, typed);
  } else {
    RaiseLibraryError(VNERR_BAD_CONTROL_TYPE);
  }
  if (options) s = options->ValueOf(s);
  if (typed && IsBadTypedText(b.Syntax, s)) bad = true;
  if (b.ControlCount() == 1 && IsBadHexInput(b.Syntax, s)) bad = true;
  return VnValueToBytes(s, b.Syntax);
}

void VnSNMPRequest2Edits::ControlsToValues(int item) {
  const VnSNMPVarList& list = Request.VarList;
  for (int i = 0; i < list.Count(); ++i) {
    if (item != -1 && i != item) continue;
    if (!list.IsWritable(i)) continue;
    VnSNMPVarDesc* d = list.Item(i);
    const AnsiString before = *d->Value;
    AnsiString text = before;
    if (d->Options) text = d->Options->ValueOf(text);
    VnOctets raw = VnValueToBytes(text, d->Syntax);
    // Bindings that hold the value as they showed it give nothing: read back,
    // a port list longer or shorter than its boxes, or a text longer than
    // its edit takes, would come back as another value. Such an item whose
    // combo box shows none of its options is left out: the agent would refuse
    // what it holds. A display string made of parts is rebuilt from all of
    // them once one has changed.
    bool bound = false, changed = false;
    for (const auto& b : Bindings) {
      if (b->ItemIndex != i) continue;
      bound = true;
      if (!HoldsShownValue(*b, before)) changed = true;
    }
    if (!bound) continue;
    if (!changed && IsIndexColumn(list, i)) {
      // A key as it was shown names the row it was read with: read back
      // through its syntax, one that shows the arcs of its row ("4.9" for
      // a number) would name another row.
      NoteBadInput(i, false);
      continue;
    }
    if (!changed && ShowsNoOption(i)) {
      LeaveOutOfSet(i);
      continue;
    }
    if (!changed && !IsWholeValue(raw, d->Syntax)) {
      // Octets that make no whole value of the syntax (an address shorter
      // than its width, as the agent gave it) go back as they were shown.
      NoteBadInput(i, false);
      continue;
    }
    if (!changed && (text == VnNullValueText || VnIsNumberPastSyntax(text, d->Syntax))) {
      // No value, as read: it stays none (its empty octets would make an
      // empty string of a string syntax). A number the declared syntax
      // cannot carry stays as the agent gave it (its octets would wrap it);
      // the SET leaves it out.
      NoteBadInput(i, false);
      continue;
    }
    const bool rebuild = changed && d->Syntax == SNMP_SYNTAX_DISPLAYSTR;
    if (rebuild) raw.clear();
    bool bad = false, emptyKey = false;
    for (std::size_t n = 0; changed && n < Bindings.size(); ++n) {
      const ControlBinding& b = *Bindings[n];
      if (b.ItemIndex != i) continue;
      if (!rebuild && HoldsShownValue(b, before)) continue;
      const VnOctets part = ReadBinding(b, raw, bad);
      // One control holding the whole value replaces it; parts, elements
      // and values spread over several edits go into the value in place.
      if (b.ControlCount() == 1 && !b.HasElements && b.PartOffset == 0 && b.Syntax == d->Syntax) {
        raw = part;
        // An index column left empty keeps no value (not the 0 of an empty
        // number): the row instance refuses it or takes the empty string.
        emptyKey = IsIndexColumn(list, i) && IsEmptyText(b.Controls.front());
        continue;
      }
      const std::size_t end = b.PartOffset + part.size();
      if (raw.size() < end) raw.resize(end, 0);
      std::copy(part.begin(), part.end(), raw.begin() + b.PartOffset);
    }
    try {
      text = emptyKey ? AnsiString() : VnBytesToValue(raw, d->Syntax);
    } catch (const Exception& e) {
      RefuseField(*d, e.HelpContext);  // octets that make no value of the syntax
    }
    if (d->Options) text = d->Options->TextOf(text);
    *d->Value = text;
    // A key typed that the row's instance cannot carry (a negative number
    // where the instance holds it unsigned) is refused as any text its
    // syntax cannot carry.
    if (!emptyKey && IsIndexColumn(list, i) && !NamesInstancePart(Request, i)) bad = true;
    NoteBadInput(i, bad);
  }
}

bool VnSNMPRequest2Edits::ShowsNoOption(int item) const {
  const VnSNMPVarDesc* d = Request.VarList.Item(item);
  for (const auto& b : Bindings) {
    if (b->ItemIndex != item || b->PartOffset != 0 || b->Syntax != d->Syntax) continue;
    auto* combo = dynamic_cast<TComboBox*>(b->Controls.front());
    if (combo && combo->ItemIndex() < 0) return true;
  }
  return false;
}

void VnSNMPRequest2Edits::LeaveOutOfSet(int item) {
  VnSNMPVarDesc* d = Request.VarList.Item(item);
  const std::uint32_t before = d->Access;
  d->Access |= SNMP_ACCESS_INVALID;
  leftOut_.push_back({item, before, d->Access});
}

// A mark the page has overwritten since (its own access words written back)
// is the page's.
void VnSNMPRequest2Edits::TakeBackLeftOut() {
  const VnSNMPVarList& list = Request.VarList;
  for (const LeftOut& e : leftOut_)
    if (e.Item < list.Count() && list.Item(e.Item)->Access == e.Marked)
      list.Item(e.Item)->Access = e.Before;
  leftOut_.clear();
}

void VnSNMPRequest2Edits::NoteBadInput(int item, bool bad) {
  badInputs_.erase(std::remove_if(badInputs_.begin(), badInputs_.end(),
                                  [item](const BadInput& e) { return e.Item == item; }),
                   badInputs_.end());
  if (bad) badInputs_.push_back({item, *Request.VarList.Item(item)->Value});
}

// An item whose controls held text that cannot be sent keeps the SET from
// going out while the item still carries the value made of that text and
// takes part in the SET.
void VnSNMPRequest2Edits::CheckBeforeSet(const AnsiString& indexList, TStrings* values) {
  const VnSNMPVarList& list = Request.VarList;
  VnNumList<int> listed;
  listed.Delimiter = ',';
  listed.Parse(indexList.c_str());
  auto isListed = [&](int item) {
    for (int k = 0; k < listed.Count(); ++k)
      if (listed[k] == item) return true;
    return false;
  };
  const bool table = list.ItemType == VnItemType::MVT_FMV || list.ItemType == VnItemType::MVT_UMV;
  for (const BadInput& e : badInputs_) {
    if (e.Item >= list.Count() || *list.Item(e.Item)->Value != e.Value) continue;
    bool sent;
    if (table && static_cast<std::uint32_t>(e.Item) < list.KeyCount)
      sent = true;  // an index column addresses the row
    else if (indexList.IsEmpty())
      sent = list.IsWritable(e.Item);
    else
      sent = isListed(e.Item) && !values && (list.Item(e.Item)->Access & SNMP_ACCESS_WRITEONLY);
    if (sent) RefuseField(*list.Item(e.Item), VNERR_BAD_PART_VALUE);
  }
}

void VnSNMPRequest2Edits::DoSetValues() {
  const VnSNMPVarList& list = Request.VarList;
  TakeBackLeftOut();
  for (int i = 0; i < list.Count(); ++i) *list.Item(i)->Value = "";
  if (ListView) {
    SelectedRowToValues();
  } else {
    // The values as read: what the controls leave as they showed it stays.
    std::vector<bool> restored(static_cast<std::size_t>(list.Count()), false);
    for (const auto& b : Bindings) {
      const int i = b->ItemIndex;
      if (!b->Shown || i >= list.Count() || restored[static_cast<std::size_t>(i)]) continue;
      *list.Item(i)->Value = b->ShownValue;
      restored[static_cast<std::size_t>(i)] = true;
    }
  }
  ControlsToValues(-1);
}

// The SET has gone out: what it left out takes part again.
void VnSNMPRequest2Edits::DoSetEnd() {
  TakeBackLeftOut();
  VnSNMPRequest2Controls::DoSetEnd();
}

void VnSNMPRequest2Edits::DoSetError(const VnSNMPError& error) {
  TakeBackLeftOut();
  VnSNMPRequest2Controls::DoSetError(error);
}

void VnSNMPRequest2Edits::DoGetRow() {
  if (ListView)
    AddListRow();
  else
    ValuesToControls(-1);
}
