// The few operating-system calls the module makes directly, with the
// semantics the module relies on.
#pragma once

#include "platform/Types.h"

// Reads one value of an INI file: section and key names match ignoring case
// (the first match wins), the value after "=" loses its surrounding blanks
// and a pair of enclosing quotes, ";" starts a comment line, CR LF line ends
// are accepted. A missing file, section or key gives `def` without its
// trailing blanks. At most size - 1 characters are copied and the result is
// always terminated; returns the number of characters copied. Relative file
// names are relative to the current folder; backslashes separate as well.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size,
                               LPCSTR fileName);
