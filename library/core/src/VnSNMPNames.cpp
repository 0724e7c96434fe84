#include "library/VnSNMPNames.h"

#include "library/VnSNMPVarDesc.h"

namespace {

// An option value is the item type's number.
constexpr int Code(VnItemType type) { return static_cast<int>(type); }

const VnOptionPair kItemTypeNames[] = {
    {Code(VnItemType::SVT_SV), "SVT_SV"},
    {Code(VnItemType::MVT_SV), "MVT_SV"},
    {Code(VnItemType::MVT_FMV), "MVT_FMV"},
    {Code(VnItemType::MVT_UMV), "MVT_UMV"},
    {0, nullptr},
};

const VnOptionPair kSyntaxNames[] = {
    {SNMP_SYNTAX_INTEGER, "integer"},
    {SNMP_SYNTAX_BITSTR, "bitstr"},
    {SNMP_SYNTAX_OCTETSTR, "octetstr"},
    {SNMP_SYNTAX_NULL, "null"},
    {SNMP_SYNTAX_OBJECTID, "objectid"},
    {SNMP_SYNTAX_BOOLEAN, "boolean"},
    {SNMP_SYNTAX_IPADDRESS, "ipaddress"},
    {SNMP_SYNTAX_COUNTER, "counter"},
    {SNMP_SYNTAX_GUAGE, "guage"},
    {SNMP_SYNTAX_TIMETICKS, "timeticks"},
    {SNMP_SYNTAX_OPAQUE, "opaque"},
    {SNMP_SYNTAX_NSAPADDR, "nsapaddr"},
    {SNMP_SYNTAX_COUNTER64, "counter64"},
    {SNMP_SYNTAX_UINTEGER, "uinteger"},
    {SNMP_SYNTAX_DOUBLE, "double"},
    {SNMP_SYNTAX_MACADDRESS, "macaddress"},
    {SNMP_SYNTAX_DATETIME, "datetime"},
    {SNMP_SYNTAX_BCDATETIME, "bcdatetime"},
    {SNMP_SYNTAX_DISPLAYSTR, "displaystr"},
    {SNMP_SYNTAX_IPV6ADDRESS, "ipv6address"},
    {SNMP_SYNTAX_BOOL8, "bool8"},
    {SNMP_SYNTAX_INT8, "int8"},
    {SNMP_SYNTAX_UINT8, "uint8"},
    {SNMP_SYNTAX_BOOL16, "bool16"},
    {SNMP_SYNTAX_INT16, "int16"},
    {SNMP_SYNTAX_UINT16, "uint16"},
    {0, nullptr},
};

const VnOptionPair kAccessNames[] = {
    {SNMP_ACCESS_NOTACCESS, "notaccess"}, {SNMP_ACCESS_READONLY, "readonly"},
    {SNMP_ACCESS_WRITEONLY, "writeonly"}, {SNMP_ACCESS_READWRITE, "readwrite"},
    {SNMP_ACCESS_DERIVED, "derived"},     {SNMP_ACCESS_HIDDEN, "hidden"},
    {SNMP_ACCESS_INVALID, "invalid"},     {0, nullptr},
};

}  // namespace

// Built in this order at start-up and destroyed in reverse at exit.
VnOptionList g_ItemTypeOptions(kItemTypeNames, VnOptionList::Integer, false);
VnOptionList g_SyntaxOptions(kSyntaxNames, VnOptionList::Integer, false);
VnOptionList g_AccessOptions(kAccessNames, VnOptionList::Integer, false);
