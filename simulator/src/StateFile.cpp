#include "simulator/src/StateFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "platform/WholeFile.h"

namespace sim {

namespace {

constexpr long kMaxEngineBoots = 2147483647L;

}  // namespace

bool WriteStateFile(const std::string& path, const std::string& text, std::string& error) {
  if (const int failure = ReplaceFileWhole(path, text)) {
    error = "cannot write " + path + ": " + std::strerror(failure);
    return false;
  }
  return true;
}

bool ReadStateFile(const std::string& path, std::string& text, std::string& error) {
  text.clear();
  auto fail = [&](const std::string& why) {
    error = "cannot read " + path + ": " + why;
    return false;
  };
  // The state folder may be one others write to: a link there could lead to
  // any file (or to a device that never ends), a FIFO would stop the start.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return true;
    return fail(errno == ELOOP ? "it is a link" : std::strerror(errno));
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) return fail(std::strerror(errno));
  if (!S_ISREG(st.st_mode)) return fail("not a regular file");
  char buffer[kMostStateFileBytes];
  std::size_t got = 0;
  while (got < sizeof buffer) {
    const ssize_t n = ::read(fd, buffer + got, sizeof buffer - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(std::strerror(errno));
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  text.assign(buffer, got);
  return true;
}

long EngineBootsBase(const std::string& text) {
  std::istringstream in(text);
  long stored = 0;
  if (!(in >> stored) || stored < 0) return 0;
  return stored >= kMaxEngineBoots - 1 ? kMaxEngineBoots - 1 : stored;
}

}  // namespace sim
