// Small helpers of the library: path joining and integer powers.
#pragma once

#include <cstdint>

#include "platform/AnsiString.h"

// Joins a folder and a file name with exactly one backslash between them
// (the file name alone for an empty folder). The result is a module path:
// it becomes a system path at the file-system boundary (ToSystemPath).
AnsiString JoinPath(const AnsiString& folder, const AnsiString& file);

// base to the power exponent in unsigned 32-bit arithmetic, wrapping on
// overflow; 1 for an exponent of 0 or below.
std::uint32_t IntPower(std::uint32_t base, std::int32_t exponent);
