#include "library/VnRawValue.h"

#include "library/VnDateTime.h"
#include "library/VnErrors.h"
#include "library/VnSNMPVarDesc.h"
#include "platform/SysUtils.h"
#include "snmp/OctetStr.h"

namespace {

void PutLE32(VnOctets& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutBE16(VnOctets& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

std::uint32_t GetLE32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t GetBE16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

void PutDouble(VnOctets& out, double v) {
  std::uint8_t raw[8];
  VnDoubleToOctets(v, raw);
  out.insert(out.end(), raw, raw + 8);
}

}  // namespace

int VnPartWidth(std::uint32_t syntax) {
  switch (syntax) {
    case SNMP_SYNTAX_BOOLEAN:
    case SNMP_SYNTAX_INTEGER:
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
    case SNMP_SYNTAX_TIMETICKS:
    case SNMP_SYNTAX_IPADDRESS:
    case SNMP_SYNTAX_NSAPADDR:
      return 4;
    case SNMP_SYNTAX_COUNTER64:
    case SNMP_SYNTAX_DOUBLE:
    case SNMP_SYNTAX_BCDATETIME:
      return 8;
    case SNMP_SYNTAX_OBJECTID:
    case SNMP_SYNTAX_OCTETSTR:
    case SNMP_SYNTAX_BITSTR:
    case SNMP_SYNTAX_OPAQUE:
    case SNMP_SYNTAX_DISPLAYSTR:
      return VnRestWidth;
    case SNMP_SYNTAX_MACADDRESS:
      return 6;
    case SNMP_SYNTAX_IPV6ADDRESS:
      return 16;
    case SNMP_SYNTAX_DATETIME:
      return VnDateTime::kOctets;
    case SNMP_SYNTAX_NULL:
      return 0;
    case SNMP_SYNTAX_BOOL8:
    case SNMP_SYNTAX_INT8:
    case SNMP_SYNTAX_UINT8:
      return 1;
    case SNMP_SYNTAX_BOOL16:
    case SNMP_SYNTAX_INT16:
    case SNMP_SYNTAX_UINT16:
      return 2;
    default:
      return -1;
  }
}

bool VnIsOctetStringSyntax(std::uint32_t syntax) {
  switch (syntax) {
    case SNMP_SYNTAX_OCTETSTR:
    case SNMP_SYNTAX_BITSTR:
    case SNMP_SYNTAX_OPAQUE:
    case SNMP_SYNTAX_DISPLAYSTR:
    case SNMP_SYNTAX_MACADDRESS:
    case SNMP_SYNTAX_IPV6ADDRESS:
    case SNMP_SYNTAX_DATETIME:
    case SNMP_SYNTAX_DOUBLE:
    case SNMP_SYNTAX_BCDATETIME:
      return true;
    default:
      return false;
  }
}

VnOctets VnValueToBytes(const AnsiString& text, std::uint32_t syntax) {
  if (VnPartWidth(syntax) == -1) RaiseLibraryError(VNERR_BAD_SYNTAX);
  VnOctets out;
  if (text == VnNullValueText || (text.IsEmpty() && VnIsOctetStringSyntax(syntax))) return out;
  switch (syntax) {
    case SNMP_SYNTAX_BOOLEAN:
      PutLE32(out, text == "true" ? 1 : 0);
      break;
    case SNMP_SYNTAX_INTEGER:
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
      PutLE32(out, VnLeadingNumber(text));
      break;
    case SNMP_SYNTAX_TIMETICKS:
      PutLE32(out, VnTimeTicksValue(text));
      break;
    case SNMP_SYNTAX_COUNTER64: {
      std::uint64_t v = VnCounter64Value(text);
      PutLE32(out, static_cast<std::uint32_t>(v));
      PutLE32(out, static_cast<std::uint32_t>(v >> 32));
      break;
    }
    case SNMP_SYNTAX_DOUBLE:
      PutDouble(out, VnFloatValue(text));
      break;
    case SNMP_SYNTAX_BCDATETIME:
      PutDouble(out, VnCalendarValue(text));
      break;
    case SNMP_SYNTAX_IPADDRESS:
    case SNMP_SYNTAX_NSAPADDR: {
      // A part that does not fit its byte is never cut to one.
      VnSubIds ids;
      if (VnParseDotted(text, ids))
        for (std::uint32_t id : ids) {
          if (id > 255) RaiseLibraryError(VNERR_BAD_PART_VALUE);
          out.push_back(static_cast<std::uint8_t>(id));
        }
      break;
    }
    case SNMP_SYNTAX_OBJECTID: {
      VnSubIds ids;
      if (VnParseDotted(text, ids))
        for (std::uint32_t id : ids) PutLE32(out, id);
      break;
    }
    case SNMP_SYNTAX_OCTETSTR:
    case SNMP_SYNTAX_BITSTR:
    case SNMP_SYNTAX_OPAQUE:
    case SNMP_SYNTAX_MACADDRESS:
    case SNMP_SYNTAX_IPV6ADDRESS:
      out = VnHexOctets(text);
      break;
    case SNMP_SYNTAX_DISPLAYSTR:
      out.assign(text.str().begin(), text.str().end());
      break;
    case SNMP_SYNTAX_DATETIME: {
      out.resize(VnDateTime::kOctets);
      VnDateTime::Parse(text).ToWire(out.data());
      break;
    }
    case SNMP_SYNTAX_NULL:
      break;
    case SNMP_SYNTAX_BOOL8:
      out.push_back(text == "true" ? 1 : 0);
      break;
    case SNMP_SYNTAX_INT8:
    case SNMP_SYNTAX_UINT8:
      out.push_back(static_cast<std::uint8_t>(VnLeadingNumber(text)));
      break;
    case SNMP_SYNTAX_BOOL16:
      PutBE16(out, text == "true" ? 1 : 0);
      break;
    case SNMP_SYNTAX_INT16:
    case SNMP_SYNTAX_UINT16:
      PutBE16(out, static_cast<std::uint16_t>(VnLeadingNumber(text)));
      break;
  }
  return out;
}

VnOctets VnPartBytes(const VnOctets& bytes, std::uint32_t offset, std::uint32_t syntax) {
  int width = VnPartWidth(syntax);
  if (width == -1) RaiseLibraryError(VNERR_BAD_SYNTAX);
  if (bytes.empty() || width == 0) return VnOctets();
  if (width == VnRestWidth) {
    if (offset >= bytes.size()) return VnOctets();
    return VnOctets(bytes.begin() + offset, bytes.end());
  }
  if (static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(width) > bytes.size())
    RaiseLibraryError(VNERR_PART_INDEX_RANGE);
  return VnOctets(bytes.begin() + offset, bytes.begin() + offset + width);
}

AnsiString VnBytesToValue(const VnOctets& bytes, std::uint32_t syntax) {
  int width = VnPartWidth(syntax);
  if (width == -1) RaiseLibraryError(VNERR_BAD_SYNTAX);
  if (bytes.empty()) return VnIsOctetStringSyntax(syntax) ? AnsiString() : VnNullValueText;
  if (width > 0 && bytes.size() < static_cast<std::size_t>(width))
    RaiseLibraryError(VNERR_BAD_PART_VALUE);
  const std::uint8_t* p = bytes.data();
  switch (syntax) {
    case SNMP_SYNTAX_BOOLEAN:
      return GetLE32(p) == 0 ? "false" : "true";
    case SNMP_SYNTAX_INTEGER:
      return AnsiString::Format("%d", static_cast<std::int32_t>(GetLE32(p)));
    case SNMP_SYNTAX_COUNTER:
    case SNMP_SYNTAX_GUAGE:
    case SNMP_SYNTAX_UINTEGER:
      return AnsiString::Format("%u", GetLE32(p));
    case SNMP_SYNTAX_TIMETICKS:
      return VnTimeTicksText(GetLE32(p));
    case SNMP_SYNTAX_COUNTER64:
      return VnCounter64Text(static_cast<std::uint64_t>(GetLE32(p + 4)) << 32 | GetLE32(p));
    case SNMP_SYNTAX_DOUBLE:
      return FloatToStr(VnOctetsToDouble(p));
    case SNMP_SYNTAX_BCDATETIME:
      return VnCalendarText(VnOctetsToDouble(p));
    case SNMP_SYNTAX_IPADDRESS:
    case SNMP_SYNTAX_NSAPADDR:
      return AnsiString::Format("%u.%u.%u.%u", p[0], p[1], p[2], p[3]);
    case SNMP_SYNTAX_OBJECTID: {
      VnSubIds ids;
      for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) ids.push_back(GetLE32(p + i));
      return VnDottedText(ids);
    }
    case SNMP_SYNTAX_OCTETSTR:
    case SNMP_SYNTAX_BITSTR:
    case SNMP_SYNTAX_OPAQUE:
    case SNMP_SYNTAX_MACADDRESS:
    case SNMP_SYNTAX_IPV6ADDRESS:
      return VnHexText(bytes);
    case SNMP_SYNTAX_DISPLAYSTR:
      return VnDisplayText(p, bytes.size());
    case SNMP_SYNTAX_DATETIME:
      return VnDateTime::FromWire(p, VnDateTime::kOctets).Format();
    case SNMP_SYNTAX_BOOL8:
      return p[0] == 0 ? "false" : "true";
    case SNMP_SYNTAX_INT8:
      return AnsiString::Format("%hd", static_cast<short>(static_cast<std::int8_t>(p[0])));
    case SNMP_SYNTAX_UINT8:
      return AnsiString::Format("%hu", static_cast<unsigned short>(p[0]));
    case SNMP_SYNTAX_BOOL16:
      return GetBE16(p) == 0 ? "false" : "true";
    case SNMP_SYNTAX_INT16:
      return AnsiString::Format("%hd", static_cast<short>(static_cast<std::int16_t>(GetBE16(p))));
    case SNMP_SYNTAX_UINT16:
      return AnsiString::Format("%hu", GetBE16(p));
    default:  // null
      return VnNullValueText;
  }
}

OctetStr ValueToOctets(const AnsiString& text, std::uint32_t syntax) {
  return OctetStr(VnValueToBytes(text, syntax));
}

OctetStr GetPartOctets(const OctetStr& bytes, std::uint32_t offset, std::uint32_t syntax) {
  return OctetStr(VnPartBytes(bytes.bytes(), offset, syntax));
}

AnsiString OctetsToValue(const OctetStr& bytes, std::uint32_t syntax) {
  return VnBytesToValue(bytes.bytes(), syntax);
}
