// The few operating-system calls the module makes directly, with the
// semantics the module relies on.
#pragma once

#include "platform/Types.h"

// Reads one value of an INI file: section and key names match ignoring case
// and surrounding blanks (the first matching section is the only one
// searched, and in it the first matching key wins), the value after "=" loses
// its surrounding blanks and then a pair of enclosing matching quotes (' or
// "), ";" starts a comment line, LF, CR LF and CR end lines. A missing file,
// section or key, or a key line without "=", gives `def` (null counts as "")
// without its trailing blanks; a key with an empty value gives "". At most
// size - 1 characters are copied and the result is always terminated;
// returns the number of characters copied (0 when buffer is null or size is
// 0). Relative file names are relative to the current folder; backslashes
// separate as well.
// A null section lists the section names, a null key the key names of the
// section, each name followed by a zero and the list by one more; when the
// list does not fit it is cut, ends with two zeros and the result is size - 2.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size,
                               LPCSTR fileName);
