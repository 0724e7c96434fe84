#include "platform/Leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace {

// The process id in `name` after `prefix` ("<prefix><pid>.<more>"); 0 when
// the name is not of that form (or names no process id).
pid_t WriterOf(const char* name, const std::string& prefix) {
  if (std::strncmp(name, prefix.c_str(), prefix.size()) != 0) return 0;
  const char* p = name + prefix.size();
  long pid = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    pid = pid * 10 + (*p - '0');
    if (pid > INT_MAX) return 0;
  }
  if (*p != '.' || p[1] == '\0') return 0;
  return static_cast<pid_t>(pid);
}

bool Gone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// Empties the folder open at `fd` one level deep. Only its owner may enter
// it, so nobody else can put anything there meanwhile.
void Empty(int fd) {
  const int copy = ::dup(fd);
  if (copy < 0) return;
  DIR* dir = ::fdopendir(copy);
  if (!dir) {
    ::close(copy);
    return;
  }
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    if (::unlinkat(fd, entry->d_name, 0) != 0) ::unlinkat(fd, entry->d_name, AT_REMOVEDIR);
  }
  ::closedir(dir);
}

// Removes the entry `name` of the folder open at `dirFd` when it is one of
// the effective user's, its writer is gone and nobody holds it locked.
void RemoveIfLeft(int dirFd, const char* name) {
  // O_NONBLOCK: a FIFO at the name must not hold the writer up.
  const int fd = ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat st {};
  const bool mine = ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid();
  const bool folder = mine && S_ISDIR(st.st_mode) && (st.st_mode & 077) == 0;
  if ((folder || (mine && S_ISREG(st.st_mode))) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    if (folder) Empty(fd);
    ::unlinkat(dirFd, name, folder ? AT_REMOVEDIR : 0);
  }
  ::close(fd);
}

}  // namespace

std::string WriterTag() { return std::to_string(static_cast<long>(::getpid())) + "."; }

void MarkInUse(int fd) {
  while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
}

void RemoveLeftovers(const std::string& folder, const std::string& prefix) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return;
  const int dirFd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const pid_t writer = WriterOf(entry->d_name, prefix);
    if (writer > 0 && Gone(writer)) RemoveIfLeft(dirFd, entry->d_name);
  }
  ::closedir(dir);
}
