#include "fuzz/FuzzSupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace vnfuzz {

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    if (at == std::string_view::npos) break;
    parts.emplace_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

namespace {

struct Scratch {
  std::string folder;
  Scratch() {
    // The runner names a base folder that it removes afterwards, so that a
    // crashed target leaves nothing behind.
    std::string base = "/tmp";
    if (const char* given = std::getenv("VN_FUZZ_SCRATCH"); given && *given) {
      base = given;
      std::error_code ignored;
      std::filesystem::create_directories(base, ignored);
    } else if (::access("/dev/shm", W_OK) == 0) {
      base = "/dev/shm";
    }
    std::string pattern = base + "/vnfuzz-XXXXXX";
    if (!::mkdtemp(pattern.data())) Broken("cannot make a scratch folder");
    folder = pattern + "/";
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

}  // namespace

const std::string& ScratchFolder() {
  static Scratch scratch;
  return scratch.folder;
}

std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
  const std::string path = ScratchFolder() + name;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) Broken("cannot write " + path);
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) Broken("cannot write " + path);
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return path;
}

void RemoveScratchFile(const std::string& name) { ::unlink((ScratchFolder() + name).c_str()); }

void Broken(const std::string& what) {
  std::fprintf(stderr, "fuzz: %s\n", what.c_str());
  std::abort();
}

}  // namespace vnfuzz
