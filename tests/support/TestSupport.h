// Small helpers for tests: temporary folders, free ports, where files live.
#pragma once

#include <string>
#include <vector>

namespace vntest {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes. Its name carries the pid of the process
// that made it; the first one a process makes removes the folders of
// processes that are gone (a test killed at its timeout leaves its own).
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // Path of a file inside the folder.
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes a file inside the folder, bytes as given; returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

// Removes the folders of TempDir objects whose process is gone.
void RemoveStaleTempDirs();

// A UDP port on 127.0.0.1 that was free a moment ago.
int FreeUdpPort();

// The repository root (from VN_SOURCE_DIR, or found upwards from the
// current folder).
std::string SourceDir();

// Folder for pictures and other files that tests leave for people to look
// at (build/test/artifacts); created when missing.
std::string ArtifactsDir();

// Reads a whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// The names of the entries of a folder, sorted.
std::vector<std::string> NamesIn(const std::string& folder);

}  // namespace vntest
