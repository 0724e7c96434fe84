#include "platform/RegistryStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "RegistryText.h"
#include "platform/Files.h"
#include "platform/Registry.h"

namespace fs = std::filesystem;

namespace {

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // False when closing reports an error (errno tells which).
  bool Close() {
    if (fd_ < 0) return true;
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0;
  }

 private:
  int fd_;
};

// Creates a new file beside `target` under a name no one can foresee
// (mkostemp): a fixed or guessable name could be a planted link that the
// write would follow, and O_EXCL refuses whatever already stands at the
// name, links included. The file gets `mode`. Returns the descriptor (and
// the name in `temp`), or -1 with errno set.
int CreateTempFile(const std::string& target, mode_t mode, std::string& temp) {
  std::string name = target + ".tmp.XXXXXX";
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return -1;
  // mkostemp gives 0600; should the change fail, the file stays the
  // narrower of the two.
  ::fchmod(fd, mode);
  temp = std::move(name);
  return fd;
}

// The mode the rewritten file gets: the one it has, so that a file its
// owner made private stays private; a new file gets the mode any new file
// of the user's would have.
mode_t ModeFor(const std::string& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 0777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

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

bool TMemoryRegistryStore::KeyExists(const AnsiString& path) {
  return vn_registry::KeyExists(text_, path.str());
}

void TMemoryRegistryStore::CreateKey(const AnsiString& path) {
  vn_registry::CreateKey(text_, path.str());
}

bool TMemoryRegistryStore::ReadValue(const AnsiString& path, const AnsiString& name,
                                     AnsiString& value) {
  std::string v;
  if (!vn_registry::ReadValue(text_, path.str(), name.str(), v)) return false;
  value = AnsiString(std::move(v));
  return true;
}

void TMemoryRegistryStore::WriteValue(const AnsiString& path, const AnsiString& name,
                                      const AnsiString& value) {
  vn_registry::WriteValue(text_, path.str(), name.str(), value.str());
}

bool TFileRegistryStore::KeyExists(const AnsiString& path) {
  return vn_registry::KeyExists(Load(), path.str());
}

void TFileRegistryStore::CreateKey(const AnsiString& path) {
  std::string text = Load();
  if (vn_registry::CreateKey(text, path.str())) Save(text);
}

bool TFileRegistryStore::ReadValue(const AnsiString& path, const AnsiString& name,
                                   AnsiString& value) {
  std::string v;
  if (!vn_registry::ReadValue(Load(), path.str(), name.str(), v)) return false;
  value = AnsiString(std::move(v));
  return true;
}

void TFileRegistryStore::WriteValue(const AnsiString& path, const AnsiString& name,
                                    const AnsiString& value) {
  std::string text = Load();
  vn_registry::WriteValue(text, path.str(), name.str(), value.str());
  Save(text);
}

std::string TFileRegistryStore::Load() const {
  const std::string file = ToSystemPath(fileName_).str();
  if (file.empty()) return std::string();
  std::error_code ec;
  auto status = fs::status(file, ec);
  if (status.type() == fs::file_type::not_found) return std::string();
  if (ec || !fs::is_regular_file(status))
    throw ERegistryException("Cannot read the registry file " + fileName_);
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in && !in.eof()) throw ERegistryException("Cannot read the registry file " + fileName_);
  return bytes.str();
}

void TFileRegistryStore::Save(const std::string& text) const {
  const std::string file = ToSystemPath(fileName_).str();
  auto fail = [&](const std::string& why) {
    throw ERegistryException("Cannot write the registry file " + fileName_ + ": " + why);
  };
  if (file.empty()) fail("no file name");
  std::error_code ec;
  // Follow a link to the real file so that the rename replaces the file and
  // not the link.
  fs::path target = fs::absolute(file, ec);
  if (ec) fail(ec.message());
  if (fs::path real = fs::weakly_canonical(target, ec); !ec) target = real;
  if (target.has_parent_path()) {
    fs::create_directories(target.parent_path(), ec);
    if (ec) fail(ec.message());
  }
  std::string temp;
  FileDescriptor fd(CreateTempFile(target.string(), ModeFor(target.string()), temp));
  if (fd.get() < 0) fail(std::strerror(errno));
  // On disk before the rename: a crash then leaves the old file or the new
  // one, never an empty one.
  int error = WriteAll(fd.get(), text) && ::fsync(fd.get()) == 0 ? 0 : errno;
  if (!fd.Close() && error == 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    fail(std::strerror(error));
  }
  fs::rename(temp, target, ec);
  if (ec) {
    ::unlink(temp.c_str());
    fail(ec.message());
  }
}

AnsiString DefaultRegistryPath() {
  const char* explicitFile = std::getenv("KXR_REGISTRY");
  if (explicitFile && *explicitFile) return explicitFile;
  std::string config;
  // Relative values of XDG_CONFIG_HOME are to be ignored.
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') {
    config = xdg;
  } else {
    const char* home = std::getenv("HOME");
    std::string h = home && *home ? home : "";
    if (h.empty()) {
      if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) h = pw->pw_dir;
    }
    if (h.empty()) return AnsiString();
    config = h + "/.config";
  }
  return AnsiString(config + "/vantrel/registry.ini");
}

namespace {
TRegistryStore* g_store = nullptr;
}

TRegistryStore* SetRegistryStore(TRegistryStore* store) {
  TRegistryStore* previous = g_store;
  g_store = store;
  return previous;
}

TRegistryStore* InstalledRegistryStore() { return g_store; }
