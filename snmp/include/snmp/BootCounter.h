// The engine-boots counter file: one line per engine id,
// "<engine id as upper-case hex> <boots>", '#' lines and empty lines ignored.
#pragma once

#include <string>

#include "snmp/OctetStr.h"
#include "snmp/SnmpConstants.h"

// The file is never reached through a link at `path`: a link there (to
// whatever, or to nothing) is refused with SNMPv3_FILE_ERROR. Nor is a file
// over 64 KiB, far more than any counter file holds, read further than that:
// it is refused with SNMPv3_FILE_ERROR as well.

// boots := the stored count of engine_id. SNMPv3_OK, SNMPv3_NO_ENTRY_ERROR
// (not in the file), SNMPv3_FILEOPEN_ERROR (no file can be opened there:
// none, or something that is no regular file), SNMPv3_TOO_LONG_ERROR (id
// over 32 octets) or SNMPv3_FILE_ERROR (a malformed line anywhere in the
// file, a link, a file the caller may not read, or one too large). boots is
// 0 unless SNMPv3_OK.
int getBootCounter(const std::string& path, const OctetStr& engine_id, unsigned int& boots);

// Stores boots for engine_id, keeping the other entries, through a temporary
// file of a fresh name, flushed to disk, and a rename (ReplaceFileWhole,
// which also clears what writers killed meanwhile left). The file keeps the
// mode it had, and its owner and group where the writer may give them (root
// gives any, a user a group of theirs; otherwise the file is the writer's
// own); a new one gets 0644 as far as the umask allows. SNMPv3_OK,
// SNMPv3_TOO_LONG_ERROR, SNMPv3_FILEOPEN_ERROR (existing file unreadable) or
// SNMPv3_FILECREATE_ERROR (the new file cannot be written whole or put in
// place; nothing is left of it). An empty engine_id, boots above
// 2147483647, a link at `path` (left as it is) or a file too large is
// refused with SNMPv3_FILE_ERROR.
//
// Loading, counting and saving is not one step: processes that count in one
// file take turns at its folder (platform/FolderLock.h).
int saveBootCounter(const std::string& path, const OctetStr& engine_id, unsigned int boots);
