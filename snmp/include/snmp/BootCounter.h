// The engine-boots counter file: one line per engine id,
// "<engine id as upper-case hex> <boots>", '#' lines and empty lines ignored.
#pragma once

#include <string>

#include "snmp/OctetStr.h"
#include "snmp/SnmpConstants.h"

// The file is never reached through a link at `path`: a link there (to
// whatever, or to nothing) is refused with SNMPv3_FILE_ERROR.

// boots := the stored count of engine_id. SNMPv3_OK, SNMPv3_NO_ENTRY_ERROR
// (not in the file), SNMPv3_FILEOPEN_ERROR (no file can be opened there:
// none, or something that is no regular file), SNMPv3_TOO_LONG_ERROR (id
// over 32 octets) or SNMPv3_FILE_ERROR (a malformed line anywhere in the
// file, a link, or a file the caller may not read). boots is 0 unless
// SNMPv3_OK.
int getBootCounter(const std::string& path, const OctetStr& engine_id, unsigned int& boots);

// Stores boots for engine_id, keeping the other entries, through a temporary
// file of a fresh name, flushed to disk, and a rename. The file keeps the
// mode it had, and its owner and group where the writer may give them (root
// gives any, a user a group of theirs; otherwise the file is the writer's
// own); a new one gets 0644 as far as the umask allows. SNMPv3_OK,
// SNMPv3_TOO_LONG_ERROR, SNMPv3_FILEOPEN_ERROR (existing file unreadable),
// SNMPv3_FILECREATE_ERROR (the new file cannot be written whole; nothing is
// left of it) or SNMPv3_FILERENAME_ERROR. An empty engine_id, boots above
// 2147483647, or a link at `path` (left as it is) is refused with
// SNMPv3_FILE_ERROR.
int saveBootCounter(const std::string& path, const OctetStr& engine_id, unsigned int boots);
