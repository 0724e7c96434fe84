#include "library/VnIni.h"

#include <vector>

#include "platform/WinApi.h"

namespace {
constexpr DWORD kValueBufferSize = 4096;
}

AnsiString VnIni::ReadString(const AnsiString& section, const AnsiString& key,
                             const AnsiString& def) const {
  std::vector<char> buffer(kValueBufferSize, '\0');
  const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(),
                                                buffer.data(), kValueBufferSize, FileName.c_str());
  if (copied == 0) return def;
  buffer.back() = '\0';
  return AnsiString(buffer.data()).Trim();
}
