// Index items: their values in and out of a table row's instance suffix.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "library/VnDateTime.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest.h"
#include "library/VnValueText.h"
#include "platform/SysUtils.h"

namespace {

double DoubleOfWords(std::uint32_t low, std::uint32_t high) {
  std::uint64_t bits = static_cast<std::uint64_t>(high) << 32 | low;
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

void AppendDoubleWords(VnSubIds& ids, double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  ids.push_back(static_cast<std::uint32_t>(bits));
  ids.push_back(static_cast<std::uint32_t>(bits >> 32));
}

VnOctets LowOctets(const VnSubIds& s, std::size_t start, std::size_t count) {
  VnOctets out;
  out.reserve(count);
  for (std::size_t i = start; i < start + count; ++i)
    out.push_back(static_cast<std::uint8_t>(s[i]));
  return out;
}

// The largest number one sub-identifier carries for a number syntax: an
// INTEGER names a row by its value, which is never negative there.
std::uint64_t MostInIndex(std::uint32_t syntax) {
  return syntax == SNMP_SYNTAX_INTEGER ? INT32_MAX : UINT32_MAX;
}

// A value that cannot name a row: the instance would lose its part.
[[noreturn]] void RefuseIndexValue() { RaiseLibraryError(VNERR_BAD_PART_VALUE); }

}  // namespace

AnsiString VnSNMPRequest::IndexToValue(int item, const AnsiString& suffix) {
  VnSNMPVarDesc& d = ItemAt(item);
  VnSubIds& s = indexIds_;
  if (!VnParseDotted(suffix, s)) RaiseLibraryError(VNERR_BAD_SYNTAX);
  const bool implied = IsImpliedIndex(item);
  auto need = [&s](std::size_t n) {
    if (s.size() < n) RaiseLibraryError(VNERR_BAD_SYNTAX);
  };
  // Variable length: all sub-identifiers when implied, else a count first.
  std::size_t start = 0, length = 0;
  auto takeCounted = [&]() {
    if (implied) {
      start = 0;
      length = s.size();
      return length;
    }
    need(1);
    if (s[0] > s.size() - 1) RaiseLibraryError(VNERR_BAD_SYNTAX);
    start = 1;
    length = s[0];
    return length + 1;
  };

  std::size_t used = 0;
  AnsiString text;
  switch (d.Syntax) {
    case SNMP_SYNTAX_NULL:
      text = VnNullValueText;
      break;
    case SNMP_SYNTAX_BOOLEAN:
      need(used = 1);
      text = s[0] ? "true" : "false";
      break;
    case SNMP_SYNTAX_INTEGER:
      // A sub-identifier past the INTEGER's range is no value of it.
      need(used = 1);
      if (s[0] > MostInIndex(d.Syntax)) RaiseLibraryError(VNERR_BAD_SYNTAX);
      text = AnsiString(static_cast<std::int32_t>(s[0]));
      break;
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
      need(used = 1);
      text = AnsiString(s[0]);
      break;
    case SNMP_SYNTAX_TIMETICKS:
      need(used = 1);
      text = VnTimeTicksText(s[0]);
      break;
    case SNMP_SYNTAX_COUNTER64:
      need(used = 2);
      text = VnCounter64Text(static_cast<std::uint64_t>(s[0]) << 32 | s[1]);
      break;
    case SNMP_SYNTAX_DOUBLE:
      need(used = 2);
      text = FloatToStr(DoubleOfWords(s[0], s[1]));
      break;
    case SNMP_SYNTAX_BCDATETIME:
      need(used = 2);
      text = VnCalendarText(DoubleOfWords(s[0], s[1]));
      break;
    case SNMP_SYNTAX_BITSTR:
    case SNMP_SYNTAX_OCTETSTR:
    case SNMP_SYNTAX_OPAQUE:
      used = takeCounted();
      text = VnHexText(LowOctets(s, start, length));
      break;
    case SNMP_SYNTAX_DISPLAYSTR: {
      used = takeCounted();
      VnOctets octets = LowOctets(s, start, length);
      text =
          AnsiString(reinterpret_cast<const char*>(octets.data()), static_cast<int>(octets.size()));
      break;
    }
    case SNMP_SYNTAX_OBJECTID:
      used = takeCounted();
      text = implied ? suffix : VnDottedText(s.data() + start, length);
      break;
    case SNMP_SYNTAX_IPADDRESS:
    case SNMP_SYNTAX_NSAPADDR:
      need(used = 4);
      text = VnDottedText(s.data(), 4);
      break;
    case SNMP_SYNTAX_MACADDRESS:
      need(used = 6);
      text = VnHexText(LowOctets(s, 0, 6));
      break;
    case SNMP_SYNTAX_IPV6ADDRESS:
      used = implied ? s.size() : 16;
      need(used);
      text = VnHexText(LowOctets(s, 0, used));
      break;
    case SNMP_SYNTAX_DATETIME: {
      need(used = VnDateTime::kOctets);
      VnOctets octets = LowOctets(s, 0, used);
      text = VnDateTime::FromWire(octets.data(), VnDateTime::kOctets).Format();
      break;
    }
    default:
      RaiseLibraryError(VNERR_BAD_SYNTAX);
  }
  StoreValue(d, std::move(text));
  return VnDottedText(s.data() + used, s.size() - used);
}

void VnSNMPRequest::ValueToIndex(int item, AnsiString& out) {
  const VnSNMPVarDesc& d = ItemAt(item);
  AnsiString value = RawValue(d);
  // "(NULL)" is how a value says it is absent; an index is never left out.
  // Strings and identifiers without a value are the zero-length one; every
  // other syntax refuses to make an instance without a value.
  const bool absent = value.IsEmpty() || value == VnNullValueText;
  if (value == VnNullValueText) value = AnsiString();
  const bool implied = IsImpliedIndex(item);
  VnSubIds ids;
  auto appendCounted = [&](const VnOctets& octets) {
    if (!implied) ids.push_back(static_cast<std::uint32_t>(octets.size()));
    ids.insert(ids.end(), octets.begin(), octets.end());
  };
  switch (d.Syntax) {
    case SNMP_SYNTAX_NULL:
      break;
    case SNMP_SYNTAX_BOOLEAN:
      if (absent) RefuseIndexValue();
      ids.push_back(value == "true" ? 1 : 0);
      break;
    case SNMP_SYNTAX_INTEGER:
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
      // One whole number the sub-identifier carries as it is: a negative
      // one, one past it, or text around the digits would name another row.
      if (!VnIsWholeNumber(value, 0, MostInIndex(d.Syntax))) RefuseIndexValue();
      ids.push_back(VnLeadingNumber(value));
      break;
    case SNMP_SYNTAX_TIMETICKS:
      if (absent) RefuseIndexValue();
      ids.push_back(VnTimeTicksValue(value));
      break;
    case SNMP_SYNTAX_COUNTER64: {
      if (absent) RefuseIndexValue();
      std::uint64_t v = VnCounter64Value(value);
      ids.push_back(static_cast<std::uint32_t>(v >> 32));
      ids.push_back(static_cast<std::uint32_t>(v));
      break;
    }
    case SNMP_SYNTAX_DOUBLE:
      if (absent) RefuseIndexValue();
      AppendDoubleWords(ids, VnFloatValue(value));
      break;
    case SNMP_SYNTAX_BCDATETIME:
      if (absent) RefuseIndexValue();
      AppendDoubleWords(ids, VnCalendarValue(value));
      break;
    case SNMP_SYNTAX_BITSTR:
    case SNMP_SYNTAX_OCTETSTR:
    case SNMP_SYNTAX_OPAQUE:
      appendCounted(VnHexOctets(value));
      break;
    case SNMP_SYNTAX_DISPLAYSTR:
      appendCounted(VnOctets(value.str().begin(), value.str().end()));
      break;
    case SNMP_SYNTAX_OBJECTID: {
      VnSubIds oid;
      if (!VnParseDotted(value, oid)) RaiseLibraryError(VNERR_BAD_SYNTAX);
      // Named in the instance as plain sub-identifiers, but an identifier
      // all the same: one the wire form cannot carry as a value names no
      // row that the agent can show back. Without a value it is the
      // zero-length one.
      if (!absent && !VnIsSendableOid(oid)) RefuseIndexValue();
      if (!implied) ids.push_back(static_cast<std::uint32_t>(oid.size()));
      ids.insert(ids.end(), oid.begin(), oid.end());
      break;
    }
    case SNMP_SYNTAX_IPADDRESS:
    case SNMP_SYNTAX_NSAPADDR: {
      VnSubIds address;
      if (!VnParseDotted(value, address) || address.size() != 4)
        RaiseLibraryError(VNERR_BAD_SYNTAX);
      for (std::uint32_t id : address)
        if (id > 255) RaiseLibraryError(VNERR_BAD_SYNTAX);
      ids = address;
      break;
    }
    case SNMP_SYNTAX_MACADDRESS:
    case SNMP_SYNTAX_IPV6ADDRESS: {
      const std::size_t size = d.Syntax == SNMP_SYNTAX_MACADDRESS ? 6 : 16;
      VnOctets octets = VnHexOctets(value);
      if (octets.size() < size) RefuseIndexValue();
      ids.assign(octets.begin(), octets.begin() + static_cast<std::ptrdiff_t>(size));
      break;
    }
    case SNMP_SYNTAX_DATETIME: {
      if (absent) RefuseIndexValue();
      std::uint8_t octets[VnDateTime::kOctets];
      VnDateTime::Parse(value).ToWire(octets);
      ids.assign(octets, octets + VnDateTime::kOctets);
      break;
    }
    default:
      RaiseLibraryError(VNERR_BAD_SYNTAX);
  }
  // An empty implied last index after other index parts would leave the
  // instance ending in a dot: an identifier no agent can take.
  if (implied && item > 0 && ids.empty() && d.Syntax != SNMP_SYNTAX_NULL) RefuseIndexValue();
  out = VnDottedText(ids);
}
