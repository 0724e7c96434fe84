#include "support/FlushedFiles.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <mutex>

namespace {

std::mutex g_mutex;
std::vector<std::string> g_flushed;
std::function<void()> g_atNextFlush;

}  // namespace

// Takes the place of the C library's fsync in the programs that link this
// file (they call the functions below).
extern "C" int fsync(int fd) {
  std::function<void()> action;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    action.swap(g_atNextFlush);
  }
  if (action) action();
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  char name[4096];
  const ssize_t n = readlink(link.c_str(), name, sizeof name);
  if (n > 0) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_flushed.emplace_back(name, static_cast<std::size_t>(n));
  }
  return static_cast<int>(syscall(SYS_fsync, fd));
}

namespace vntest {

std::vector<std::string> FlushedFiles() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_flushed;
}

void ForgetFlushedFiles() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_flushed.clear();
}

void AtNextFlush(std::function<void()> action) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_atNextFlush = std::move(action);
}

}  // namespace vntest
