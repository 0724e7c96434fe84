#include "library/VnIni.h"

#include <vector>

#include "platform/IniSnapshot.h"
#include "platform/WinApi.h"

namespace {
constexpr DWORD kValueBufferSize = 4096;
}

VnIni VnIni::Snapshot(const AnsiString& fileName) {
  VnIni ini(fileName);
  ini.snapshot_ = std::make_shared<const TIniSnapshot>(fileName.c_str());
  return ini;
}

AnsiString VnIni::ReadString(const AnsiString& section, const AnsiString& key,
                             const AnsiString& def) const {
  std::vector<char> buffer(kValueBufferSize, '\0');
  const DWORD copied =
      snapshot_ ? snapshot_->GetString(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                                       kValueBufferSize)
                : GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                                           kValueBufferSize, FileName.c_str());
  if (copied == 0) return def;
  buffer.back() = '\0';
  return AnsiString(buffer.data()).Trim();
}
