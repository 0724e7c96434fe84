#include "simulator/src/StateFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace sim {

namespace {

constexpr long kMaxEngineBoots = 2147483647L;

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

}  // namespace

bool WriteStateFile(const std::string& path, const std::string& text, std::string& error) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  // mkostemp gives 0600; the file gets what a new file of the user's gets.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  int failure = WriteAll(fd, text) && ::fsync(fd) == 0 ? 0 : errno;
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && std::rename(temp.c_str(), path.c_str()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(temp.c_str());
    error = "cannot write " + path + ": " + std::strerror(failure);
    return false;
  }
  return true;
}

long EngineBootsBase(const std::string& text) {
  std::istringstream in(text);
  long stored = 0;
  if (!(in >> stored) || stored < 0) return 0;
  return stored >= kMaxEngineBoots - 1 ? kMaxEngineBoots - 1 : stored;
}

}  // namespace sim
