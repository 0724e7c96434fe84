// Reads single values of an INI file.
#pragma once

#include <memory>

#include "platform/AnsiString.h"

class TIniSnapshot;

class VnIni {
 public:
  // The name may be relative (to the current folder) and may use backslashes.
  // Every value is read from the file as it is at that moment.
  explicit VnIni(const AnsiString& fileName) : FileName(fileName) {}
  // Reads the file once, now: its values then come from that reading, by
  // the same rules, however many are asked for.
  static VnIni Snapshot(const AnsiString& fileName);

  // The value of `key` in `section` (names match ignoring case), without
  // surrounding blanks and control characters; values are read up to 4,095
  // characters. A missing file or key gives the default with its blanks
  // trimmed; a key present with an empty value, or a missing key with a
  // default that is all blanks, gives the default exactly as passed.
  AnsiString ReadString(const AnsiString& section, const AnsiString& key,
                        const AnsiString& def) const;

  AnsiString FileName;

 private:
  std::shared_ptr<const TIniSnapshot> snapshot_;  // shared by copies; null: read the file
};
