// Processes that read, change and write back a file take turns at its
// folder: an advisory lock (flock) on the folder itself, held for the
// object's life. Nothing is made in the folder for it.
//
//   const FolderLock lock(folder, 5000);
//   if (lock.State() == FolderLock::Busy) ...  // held by another all that time
//   ... read the file, change it, write it back ...
#pragma once

#include <string>

class FolderLock {
 public:
  // Held: ours. Busy: another process held it for the whole wait.
  // Unavailable: the folder cannot be opened (missing, not a folder, not
  // readable) or takes no locks; nobody can take turns there.
  enum Result { Held, Busy, Unavailable };

  // Takes the lock on `folder` ("" for the current one), waiting up to
  // `waitMs` milliseconds while another process holds it.
  FolderLock(const std::string& folder, int waitMs);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  Result State() const { return state_; }

 private:
  int fd_ = -1;
  Result state_ = Unavailable;
};
