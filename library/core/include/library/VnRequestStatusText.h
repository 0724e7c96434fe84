// The status line of a request, as a status target shows it.
#pragma once

#include <cstdint>

#include "platform/AnsiString.h"

// The status format of the kind (STATUS_KIND_GET or STATUS_KIND_SET) with
// the text in place of "[ERROR]", the variable list's description in place
// of "[VARLIST]" and the time of day in place of "[TIME]". Without a
// description, the part from behind "[ERROR]" through "[VARLIST]" and the
// character after it is dropped.
AnsiString RequestStatusLine(std::uint32_t kind, const AnsiString& description,
                             const AnsiString& text);
