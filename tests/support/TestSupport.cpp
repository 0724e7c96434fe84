#include "support/TestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace fs = std::filesystem;

namespace vntest {

namespace {

constexpr std::string_view kTempPrefix = "vntest-";

// The pid in a folder name "vntest-<pid>-XXXXXX", or 0.
pid_t OwnerOf(const std::string& name) {
  if (name.compare(0, kTempPrefix.size(), kTempPrefix) != 0) return 0;
  const char* digits = name.c_str() + kTempPrefix.size();
  char* end = nullptr;
  const long pid = std::strtol(digits, &end, 10);
  return end != digits && *end == '-' && pid > 0 ? static_cast<pid_t>(pid) : 0;
}

}  // namespace

void RemoveStaleTempDirs() {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(fs::temp_directory_path(), ec)) {
    const pid_t owner = OwnerOf(entry.path().filename().string());
    if (owner > 0 && kill(owner, 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), ec);
  }
}

TempDir::TempDir() {
  static const bool cleaned = (RemoveStaleTempDirs(), true);
  (void)cleaned;
  std::string pattern = (fs::temp_directory_path() /
                         (std::string(kTempPrefix) + std::to_string(getpid()) + "-XXXXXX"))
                            .string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  std::string path = File(name);
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return path;
}

int FreeUdpPort() {
  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) throw std::runtime_error("socket failed");
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  socklen_t len = sizeof addr;
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    close(fd);
    throw std::runtime_error("bind failed");
  }
  close(fd);
  return ntohs(addr.sin_port);
}

std::string SourceDir() {
  if (const char* dir = std::getenv("VN_SOURCE_DIR")) return dir;
  fs::path p = fs::current_path();
  while (!p.empty() && p != p.root_path()) {
    if (fs::exists(p / "run") && fs::exists(p / "platform")) return p.string();
    p = p.parent_path();
  }
  return fs::current_path().string();
}

std::string ArtifactsDir() {
  std::string dir;
  if (const char* env = std::getenv("VN_ARTIFACTS_DIR")) {
    dir = env;
  } else {
    dir = SourceDir() + "/build/test/artifacts";
  }
  fs::create_directories(dir);
  return dir;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace vntest
