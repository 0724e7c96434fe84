// Object identifiers as arc vectors; std::vector's ordering is the SNMP
// lexicographic order (a prefix sorts before its extensions).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

using Oid = std::vector<std::uint32_t>;

// Parses dotted decimal with or without a leading dot; false on anything else
// (empty text, empty arcs, arcs beyond 32 bits).
bool ParseOid(std::string_view text, Oid& out);
// Parses or throws std::invalid_argument naming the text.
Oid ToOid(std::string_view text);
std::string FormatOid(const Oid& oid);
bool StartsWith(const Oid& oid, const Oid& prefix);
// oid + arcs
Oid Append(Oid oid, const Oid& arcs);

}  // namespace sim
