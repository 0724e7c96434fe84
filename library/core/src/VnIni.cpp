#include "library/VnIni.h"

#include <memory>

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
  // The reader always terminates what it copies.
  const auto buffer = std::make_unique_for_overwrite<char[]>(kValueBufferSize);
  const DWORD copied =
      snapshot_ ? snapshot_->GetString(section.c_str(), key.c_str(), def.c_str(), buffer.get(),
                                       kValueBufferSize)
                : GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.get(),
                                           kValueBufferSize, FileName.c_str());
  if (copied == 0) return def;
  return AnsiString(buffer.get()).Trim();
}
