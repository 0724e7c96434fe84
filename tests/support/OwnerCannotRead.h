// A file that its owner may not read (mode 0200), read by that owner.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "support/EffectiveUser.h"
#include "support/RewriteOwner.h"

namespace vntest {

// Gives the file at `path` mode 0200 and, while the object lives, makes the
// process act as its owner; the end gives the file its mode back. Mode bits
// do not stop root: run as root, the file goes to another user, its folder
// lets others in, and the process acts as that user. Ready() is false when
// that cannot be done (root of a user namespace without other ids, or a
// folder above closed to other users): the caller then skips.
class OwnerCannotRead {
 public:
  explicit OwnerCannotRead(const std::string& path) : path_(path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || ::chmod(path.c_str(), 0200) != 0) return;
    mode_ = st.st_mode & 07777;
    if (::geteuid() != 0) {
      ready_ = true;
      return;
    }
    if (!MayActAsOtherUsers()) return;
    const std::string folder = path.substr(0, path.rfind('/'));
    if (::chown(path.c_str(), kUser, kUser) != 0 || ::chmod(folder.c_str(), 0711) != 0) return;
    user_.emplace(kUser, kUser);
    ready_ = user_->Active() && ::faccessat(AT_FDCWD, folder.c_str(), X_OK, AT_EACCESS) == 0;
  }

  ~OwnerCannotRead() {
    if (mode_) ::chmod(path_.c_str(), *mode_);  // still as the owner
  }
  OwnerCannotRead(const OwnerCannotRead&) = delete;
  OwnerCannotRead& operator=(const OwnerCannotRead&) = delete;

  bool Ready() const { return ready_; }

 private:
  static constexpr uid_t kUser = 4242;  // an id no account of the machine needs to have
  std::string path_;
  std::optional<mode_t> mode_;
  std::optional<EffectiveUser> user_;
  bool ready_ = false;
};

}  // namespace vntest
