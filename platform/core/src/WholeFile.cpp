#include "platform/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/Leftovers.h"

namespace {

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Gives the file open at `fd` the owner and group of `old` where the writer
// may. Only root gives a file away; a user may still give it one of their
// groups. What is not allowed is left as it is: the file is then the
// writer's own, as it was before rewrites kept owners, and is still written.
void TakeOwner(int fd, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return;
  if (now.st_uid == old.st_uid && now.st_gid == old.st_gid) return;
  if (::fchown(fd, old.st_uid, old.st_gid) == 0) return;
  if (now.st_gid != old.st_gid) ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
}

}  // namespace

unsigned NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666u & ~static_cast<unsigned>(mask);
}

int ReplaceFileWhole(const std::string& path, const std::string& text, unsigned newFileMode) {
  struct stat old {};
  const bool replacing = ::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  const mode_t mode = replacing ? old.st_mode & 0777 : static_cast<mode_t>(newFileMode);
  const std::string::size_type slash = path.rfind('/');
  const std::string prefix = path.substr(slash == std::string::npos ? 0 : slash + 1) + ".tmp.";
  RemoveLeftovers(slash == std::string::npos ? "" : path.substr(0, slash + 1), prefix);
  std::string temp = path + ".tmp." + WriterTag() + "XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  // Ours until it is renamed or removed: the descriptor stays open so long.
  MarkInUse(fd);
  // The owner first: a change of owner may clear permission bits.
  if (replacing) TakeOwner(fd, old);
  // mkostemp gives 0600; should the change fail, the file stays the
  // narrower of the two.
  ::fchmod(fd, mode);
  int error = WriteAll(fd, text) && ::fsync(fd) == 0 ? 0 : errno;
  if (error == 0 && std::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp.c_str());
  // What the file holds is on disk since the fsync.
  ::close(fd);
  return error;
}
