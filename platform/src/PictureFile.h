// Reading and writing whole picture files.
#pragma once

#include <string>

#include "platform/AnsiString.h"

namespace vn_pictures {

// The file's bytes ("\" separates folders as well); EFOpenError when it
// cannot be read or is implausibly large for a picture.
std::string ReadFile(const AnsiString& fileName);
// EFOpenError when the file cannot be written.
void WriteFile(const AnsiString& fileName, const std::string& bytes);

}  // namespace vn_pictures
