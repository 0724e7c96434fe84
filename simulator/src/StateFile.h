// Files the simulator leaves for others to read (its engine-boots count, the
// port file): written whole or not at all.
#pragma once

#include <string>

namespace sim {

// Writes `text` to `path` whole or not at all (ReplaceFileWhole): a new file
// gets the mode of any new file of the user's, a rewritten one keeps its
// mode, and its owner and group where the writer may give them. False, with
// `error` set and nothing left beside `path`, when a step fails (a file-size
// limit included).
bool WriteStateFile(const std::string& path, const std::string& text, std::string& error);

// The count to hand the SNMP library, which adds one as it starts: the
// stored count `text`, 0 when missing or unreadable. snmpEngineBoots stays
// at 2147483647 once there (RFC 3414), so a count there or beyond gives
// 2147483646.
long EngineBootsBase(const std::string& text);

}  // namespace sim
