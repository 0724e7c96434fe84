// An INI file read once: answers as GetPrivateProfileStringA would have
// answered at the moment the file was read, without reading it again.
#pragma once

#include <memory>

#include "platform/Types.h"

class TIniSnapshot {
 public:
  // Reads and parses the file now; a missing or unreadable file reads as
  // an empty one.
  explicit TIniSnapshot(LPCSTR fileName);
  TIniSnapshot(const TIniSnapshot&) = delete;
  TIniSnapshot& operator=(const TIniSnapshot&) = delete;
  ~TIniSnapshot();

  // The rules and results of GetPrivateProfileStringA (see WinApi.h).
  DWORD GetString(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size) const;

 private:
  struct Sections;
  std::unique_ptr<const Sections> sections_;  // owned
};
