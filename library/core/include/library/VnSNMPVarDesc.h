// One MIB variable descriptor: the record of the catalogue's tables and the
// item of a variable list.
#pragma once

#include <cstdint>

class AnsiString;
class VnOptionList;

// Syntax codes of variable items.
enum : std::uint32_t {
  SNMP_SYNTAX_BOOLEAN = 1,
  SNMP_SYNTAX_INTEGER = 2,
  SNMP_SYNTAX_BITSTR = 3,
  SNMP_SYNTAX_OCTETSTR = 4,
  SNMP_SYNTAX_NULL = 5,
  SNMP_SYNTAX_OBJECTID = 6,
  SNMP_SYNTAX_IPADDRESS = 0x40,
  SNMP_SYNTAX_COUNTER = 0x41,
  SNMP_SYNTAX_GUAGE = 0x42,
  SNMP_SYNTAX_TIMETICKS = 0x43,
  SNMP_SYNTAX_OPAQUE = 0x44,
  SNMP_SYNTAX_NSAPADDR = 0x45,
  SNMP_SYNTAX_COUNTER64 = 0x46,
  SNMP_SYNTAX_UINTEGER = 0x47,
  SNMP_SYNTAX_DOUBLE = 0x48,
  SNMP_SYNTAX_MACADDRESS = 0x49,
  SNMP_SYNTAX_DATETIME = 0x4A,
  SNMP_SYNTAX_BCDATETIME = 0x4B,
  SNMP_SYNTAX_DISPLAYSTR = 0x4C,
  SNMP_SYNTAX_IPV6ADDRESS = 0x4D,
  // Part syntaxes: a field at a byte offset inside an octet string.
  SNMP_SYNTAX_BOOL8 = 0xC1,
  SNMP_SYNTAX_INT8 = 0xC2,
  SNMP_SYNTAX_UINT8 = 0xC3,
  SNMP_SYNTAX_BOOL16 = 0xC4,
  SNMP_SYNTAX_INT16 = 0xC5,
  SNMP_SYNTAX_UINT16 = 0xC6,
};

// Access flags, a bit set.
enum : std::uint32_t {
  SNMP_ACCESS_NOTACCESS = 1,
  SNMP_ACCESS_READONLY = 2,
  SNMP_ACCESS_WRITEONLY = 4,
  SNMP_ACCESS_READWRITE = 6,
  SNMP_ACCESS_DERIVED = 8,
  SNMP_ACCESS_HIDDEN = 16,
  SNMP_ACCESS_INVALID = 32,
  // Last index column coded in the instance without a length prefix.
  SNMP_ACCESS_IMPLIED = 64,
};

// Item types of a variable list: how the list is read and written.
enum class VnItemType : std::uint8_t {
  SVT_SV = 0,   // scalar group
  MVT_SV = 1,   // one table row
  MVT_FMV = 2,  // table walked by GETNEXT
  MVT_UMV = 3,  // table walked by GETNEXT
};

// A descriptor table is an array of these ending with a record whose Oid is
// null. In catalogue records only the first five fields are set; in a
// variable list's copy Value and LastOid are always allocated and owned by
// the list.
struct VnSNMPVarDesc {
  const char* Oid;        // dotted decimal, without instance suffix
  const char* Label;      // column caption and status texts
  std::uint32_t Syntax;   // syntax code
  std::uint32_t Access;   // access flags
  VnOptionList* Options;  // value-to-text list, shared, never owned; may be null
  const char* Text1;      // receive expression of a derived item
  const char* Text2;      // send expression of a derived item
  const char* Text3;      // optional text
  AnsiString* Value;      // current value text
  AnsiString* LastOid;    // instance OID last read during a walk
};
