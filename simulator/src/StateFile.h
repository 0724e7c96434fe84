// Files the simulator keeps in its state folder or leaves for others to read
// (its engine-boots count, the port file): written whole or not at all, and
// read only when they are plain files.
#pragma once

#include <cstddef>
#include <string>

namespace sim {

// Writes `text` to `path` whole or not at all (ReplaceFileWhole): a new file
// gets the mode of any new file of the user's, a rewritten one keeps its
// mode, and its owner and group where the writer may give them. False, with
// `error` set and nothing left beside `path`, when a step fails (a file-size
// limit included).
bool WriteStateFile(const std::string& path, const std::string& text, std::string& error);

// The most bytes ReadStateFile reads of a file.
inline constexpr std::size_t kMostStateFileBytes = 4096;

// Reads the regular file at `path`, at most kMostStateFileBytes of it,
// without following a link at the name or waiting at a FIFO. A missing file
// reads as empty text. False, with `error` naming the file, for a link
// there, anything but a regular file, or a file that cannot be read.
bool ReadStateFile(const std::string& path, std::string& text, std::string& error);

// The count to hand the SNMP library, which adds one as it starts: the
// stored count `text`, 0 when missing or unreadable. snmpEngineBoots stays
// at 2147483647 once there (RFC 3414), so a count there or beyond gives
// 2147483646.
long EngineBootsBase(const std::string& text);

}  // namespace sim
