#include "platform/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

FolderLock::FolderLock(const std::string& folder, int waitMs) {
  fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
      state_ = Held;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) return;
    if (std::chrono::steady_clock::now() >= deadline) {
      state_ = Busy;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}
