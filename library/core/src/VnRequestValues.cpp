// Reply bindings into value texts and value texts into SET bindings.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "library/VnDateTime.h"
#include "library/VnErrors.h"
#include "library/VnRawValue.h"
#include "library/VnSNMPRequest.h"
#include "library/VnValueText.h"
#include "platform/SysUtils.h"
#include "snmp/Address.h"
#include "snmp/Counter64.h"
#include "snmp/Integer.h"
#include "snmp/OctetStr.h"
#include "snmp/Oid.h"
#include "snmp/TimeTicks.h"
#include "snmp/Vb.h"

namespace {

// Syntaxes whose value text is the hex text of the octets.
bool IsHexSyntax(std::uint32_t syntax) {
  switch (syntax) {
    case SNMP_SYNTAX_BITSTR:
    case SNMP_SYNTAX_OCTETSTR:
    case SNMP_SYNTAX_OPAQUE:
    case SNMP_SYNTAX_MACADDRESS:
    case SNMP_SYNTAX_IPV6ADDRESS:
      return true;
    default:
      return false;
  }
}

// Syntaxes an item's own value can have (the part syntaxes cannot).
bool IsItemSyntax(std::uint32_t syntax) {
  return (syntax >= SNMP_SYNTAX_BOOLEAN && syntax <= SNMP_SYNTAX_OBJECTID) ||
         (syntax >= SNMP_SYNTAX_IPADDRESS && syntax <= SNMP_SYNTAX_IPV6ADDRESS);
}

// A number of any integer kind.
struct Number {
  bool ok = false;
  bool isSigned = false;  // Integer32
  bool is64 = false;      // Counter64
  std::int32_t s = 0;     // Integer32 value
  std::uint64_t u = 0;    // the value taken as unsigned
};

// The value's tag tells which number class can hold it, so that only that
// class is tried.
Number NumberOf(const SnmpSyntax* v) {
  Number n;
  if (!v) return n;
  switch (v->get_syntax()) {
    case sNMP_SYNTAX_INT32:
      if (auto i = dynamic_cast<const SnmpInt32*>(v)) {
        n.ok = n.isSigned = true;
        n.s = i->value();
        n.u = static_cast<std::uint32_t>(n.s);
      }
      break;
    case sNMP_SYNTAX_CNTR32:
    case sNMP_SYNTAX_GAUGE32:
    case sNMP_SYNTAX_TIMETICKS:
      if (auto u = dynamic_cast<const SnmpUInt32*>(v)) {
        n.ok = true;
        n.u = u->value();
      }
      break;
    case sNMP_SYNTAX_CNTR64:
      if (auto c = dynamic_cast<const Counter64*>(v)) {
        n.ok = n.is64 = true;
        n.u = c->value();
      }
      break;
    default:
      break;
  }
  return n;
}

const Number& NeedNumber(const Number& n) {
  if (!n.ok) RaiseLibraryError(VNERR_BAD_SYNTAX);
  return n;
}

const OctetStr& NeedOctets(const SnmpSyntax* v, std::size_t atLeast = 0) {
  auto o = dynamic_cast<const OctetStr*>(v);
  if (!o || o->len() < atLeast) RaiseLibraryError(VNERR_BAD_SYNTAX);
  return *o;
}

// No value for the conversions: NULL, an exception, an empty octet string,
// or a value whose text form is empty. Where the kind of value tells whether
// its text is empty, the text is not made: a number (`number`, the value as
// NumberOf reads it) always has digits, an identifier is empty without
// sub-identifiers, an address when it is not valid.
bool IsEmptyValue(const SnmpSyntax* v, const Number& number) {
  if (!v) return true;
  if (number.ok) return false;
  switch (v->get_syntax()) {
    case sNMP_SYNTAX_OCTETS:
    case sNMP_SYNTAX_OPAQUE:
      if (auto o = dynamic_cast<const OctetStr*>(v)) return o->empty();
      break;
    case sNMP_SYNTAX_OID:
      if (auto oid = dynamic_cast<const Oid*>(v)) return oid->len() == 0;
      break;
    case sNMP_SYNTAX_IPADDR:
      if (auto ip = dynamic_cast<const IpAddress*>(v)) return !ip->valid();
      break;
    default:
      break;
  }
  return v->get_printable().empty();
}

AnsiString UnsignedText(const Number& n) {
  return n.is64 ? VnCounter64Text(n.u) : AnsiString(static_cast<std::uint32_t>(n.u));
}

// The number as the agent gave it: an Integer32 with its sign, the others
// unsigned, whatever syntax the item declares (a value the declared syntax
// cannot hold is shown as it is and left out of a SET).
AnsiString NumberText(const Number& n) { return n.isSigned ? AnsiString(n.s) : UnsignedText(n); }

OctetStr DoubleOctets(double v) {
  unsigned char raw[8];
  VnDoubleToOctets(v, raw);
  return OctetStr(raw, sizeof raw);
}

}  // namespace

void VnSNMPRequest::VbToValue(int item, const Vb& vb) {
  VnSNMPVarDesc& d = ItemAt(item);
  if (!IsItemSyntax(d.Syntax)) RaiseLibraryError(VNERR_BAD_SYNTAX);
  const SnmpSyntax* v = vb.get_value_ptr();
  const Number number = NumberOf(v);
  AnsiString text;
  std::optional<VnWholeValue> whole;
  if (!v) {
    // A null value or an exception (noSuchObject, noSuchInstance,
    // endOfMibView) is an absent value, whatever the item's syntax.
    text = VnNullValueText;
  } else if (IsHexSyntax(d.Syntax)) {
    text = VnHexText(NeedOctets(v).data(), NeedOctets(v).len());
  } else if (IsEmptyValue(v, number)) {
    // An empty octet string is a value: it goes back as one.
    const bool emptyString =
        VnIsOctetStringSyntax(d.Syntax) && dynamic_cast<const OctetStr*>(v) != nullptr;
    text = emptyString || d.Syntax == SNMP_SYNTAX_DISPLAYSTR ? "" : VnNullValueText;
  } else {
    switch (d.Syntax) {
      case SNMP_SYNTAX_NULL:
        text = VnNullValueText;
        break;
      case SNMP_SYNTAX_BOOLEAN:
        text = NeedNumber(number).u == 0 ? "false" : "true";
        break;
      case SNMP_SYNTAX_INTEGER:
      case SNMP_SYNTAX_COUNTER:
      case SNMP_SYNTAX_GUAGE:
      case SNMP_SYNTAX_UINTEGER:
      case SNMP_SYNTAX_COUNTER64:
        text = NumberText(NeedNumber(number));
        break;
      case SNMP_SYNTAX_TIMETICKS: {
        // A time is a count of hundredths within 32 bits.
        const Number& n = NeedNumber(number);
        if ((n.isSigned && n.s < 0) || n.u > UINT32_MAX) RaiseLibraryError(VNERR_BAD_SYNTAX);
        text = VnTimeTicksText(static_cast<std::uint32_t>(n.u));
        break;
      }
      case SNMP_SYNTAX_DOUBLE:
        text = FloatToStr(VnOctetsToDouble(NeedOctets(v, 8).data()));
        break;
      case SNMP_SYNTAX_BCDATETIME:
        text = VnCalendarText(VnOctetsToDouble(NeedOctets(v, 8).data()));
        break;
      case SNMP_SYNTAX_OBJECTID: {
        auto oid = dynamic_cast<const Oid*>(v);
        if (!oid) RaiseLibraryError(VNERR_BAD_SYNTAX);
        text = VnDottedText(oid->subids());
        break;
      }
      case SNMP_SYNTAX_IPADDRESS:
      case SNMP_SYNTAX_NSAPADDR: {
        const std::uint8_t* a = nullptr;
        if (auto ip = dynamic_cast<const IpAddress*>(v)) {
          a = ip->octets().data();
        } else {
          const OctetStr& o = NeedOctets(v, 4);
          if (o.len() != 4) RaiseLibraryError(VNERR_BAD_SYNTAX);
          a = o.data();
        }
        const std::uint32_t parts[4] = {a[0], a[1], a[2], a[3]};
        text = VnDottedText(parts, 4);
        break;
      }
      case SNMP_SYNTAX_DATETIME: {
        // 11 octets, or 8 without the zone (which is then not shown).
        const OctetStr& o = NeedOctets(v, VnDateTime::kOctetsWithoutZone);
        text = VnDateTime::FromWire(o.data(), static_cast<int>(o.len())).Format();
        if (o.len() == VnDateTime::kOctetsWithoutZone) shortDateTimes_.emplace_back(item, text);
        break;
      }
      case SNMP_SYNTAX_DISPLAYSTR: {
        // The text ends at the first zero octet; the octets after it stay
        // with the item, to go back whole while the text is left alone.
        const OctetStr& o = NeedOctets(v);
        text = VnDisplayText(o.data(), o.len());
        if (static_cast<std::size_t>(text.Length()) < o.len())
          whole = VnWholeValue{text, std::string(reinterpret_cast<const char*>(o.data()), o.len())};
        break;
      }
    }
  }
  StoreValue(d, std::move(text));
  if (whole) whole->Text = *d.Value;
  VarList.SetWholeValue(item, std::move(whole));
}

bool VnSNMPRequest::HoldsNothingToSend(int item) const {
  const VnSNMPVarDesc& d = ItemAt(item);
  if (d.Syntax == SNMP_SYNTAX_NULL) return false;
  const AnsiString text = RawValue(d);
  if (text == VnNullValueText) return true;
  return VnIsNumberPastSyntax(text, d.Syntax);
}

void VnSNMPRequest::ValueToVb(int item, Vb& vb) {
  const VnSNMPVarDesc& d = ItemAt(item);
  if (!IsItemSyntax(d.Syntax)) RaiseLibraryError(VNERR_BAD_SYNTAX);
  const AnsiString text = RawValue(d);
  if (d.Syntax == SNMP_SYNTAX_NULL || text == VnNullValueText) {
    vb.set_null();
    return;
  }
  if (text.IsEmpty() && VnIsOctetStringSyntax(d.Syntax)) {
    vb.set_value(OctetStr());
    return;
  }
  std::unique_ptr<SnmpSyntax> value;
  switch (d.Syntax) {
    case SNMP_SYNTAX_BOOLEAN:
      value = std::make_unique<SnmpInt32>(text == "true" ? 1 : 0);
      break;
    case SNMP_SYNTAX_INTEGER:
      value = std::make_unique<SnmpInt32>(static_cast<std::int32_t>(VnLeadingNumber(text)));
      break;
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
      value = std::make_unique<Gauge32>(VnLeadingNumber(text));
      break;
    case SNMP_SYNTAX_TIMETICKS:
      value = std::make_unique<TimeTicks>(VnTimeTicksValue(text));
      break;
    case SNMP_SYNTAX_COUNTER64:
      value = std::make_unique<Counter64>(VnCounter64Value(text));
      break;
    case SNMP_SYNTAX_DOUBLE:
      value = std::make_unique<OctetStr>(DoubleOctets(VnFloatValue(text)));
      break;
    case SNMP_SYNTAX_BCDATETIME:
      value = std::make_unique<OctetStr>(DoubleOctets(VnCalendarValue(text)));
      break;
    case SNMP_SYNTAX_BITSTR:
    case SNMP_SYNTAX_OCTETSTR:
    case SNMP_SYNTAX_OPAQUE:
    case SNMP_SYNTAX_MACADDRESS:
    case SNMP_SYNTAX_IPV6ADDRESS:
      value = std::make_unique<OctetStr>(VnHexOctets(text));
      break;
    case SNMP_SYNTAX_DISPLAYSTR: {
      const VnWholeValue* whole = VarList.WholeValue(item);
      value =
          std::make_unique<OctetStr>(whole && whole->Text == *d.Value ? whole->Octets : text.str());
      break;
    }
    case SNMP_SYNTAX_DATETIME: {
      unsigned char octets[VnDateTime::kOctets];
      VnDateTime::Parse(text).ToWire(octets);
      // A value the agent gave without a zone goes back in that form while
      // its text is the one read: written back unchanged, it is the value
      // read. Any other goes out whole, zone and all.
      const bool asRead = std::find(shortDateTimes_.begin(), shortDateTimes_.end(),
                                    std::make_pair(item, text)) != shortDateTimes_.end();
      value = std::make_unique<OctetStr>(
          octets,
          asRead ? static_cast<std::size_t>(VnDateTime::kOctetsWithoutZone) : sizeof octets);
      break;
    }
    case SNMP_SYNTAX_OBJECTID: {
      VnSubIds ids;
      if (!VnParseDotted(text, ids) || ids.empty() || ids.size() > Oid::kMaxLength)
        RaiseLibraryError(VNERR_BAD_SYNTAX);
      if (!VnIsSendableOid(ids)) RaiseLibraryError(VNERR_BAD_PART_VALUE);
      value = std::make_unique<Oid>(ids);
      break;
    }
    case SNMP_SYNTAX_IPADDRESS:
    case SNMP_SYNTAX_NSAPADDR: {
      VnSubIds ids;
      if (!VnParseDotted(text, ids) || ids.size() != 4) RaiseLibraryError(VNERR_BAD_SYNTAX);
      std::array<std::uint8_t, 4> octets{};
      for (std::size_t i = 0; i < 4; ++i) {
        if (ids[i] > 255) RaiseLibraryError(VNERR_BAD_SYNTAX);
        octets[i] = static_cast<std::uint8_t>(ids[i]);
      }
      value = std::make_unique<IpAddress>(octets);
      break;
    }
  }
  vb.set_value(*value);
}
