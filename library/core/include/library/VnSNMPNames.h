// Process-wide name lists of the variable-list vocabulary: item types, syntax
// codes and access flags, each a not case-sensitive integer option list.
#pragma once

#include "library/VnOptionList.h"

extern VnOptionList g_ItemTypeOptions;  // "SVT_SV", "MVT_SV", "MVT_FMV", "MVT_UMV"
extern VnOptionList g_SyntaxOptions;    // "integer" ... "uint16", 26 names
extern VnOptionList g_AccessOptions;    // "notaccess" ... "invalid", 7 names
