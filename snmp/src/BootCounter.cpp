#include "snmp/BootCounter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kMaxLine = 255;
constexpr unsigned long kMaxBoots = 2147483647UL;

struct Entry {
  std::string hex;  // upper case
  unsigned int boots = 0;
};

std::string UpperHex(const OctetStr& id) { return id.get_printable_hex(); }

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string ToUpper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

// A line to skip (comment or empty), an entry, or nothing when malformed.
enum class LineKind { Skip, Entry, Bad };

LineKind ParseLine(const std::string& line, Entry& entry) {
  if (line.size() > kMaxLine) return LineKind::Bad;
  if (line.empty() || line[0] == '#') return LineKind::Skip;
  std::size_t space = line.find(' ');
  if (space == std::string::npos || space == 0 || space % 2 != 0 ||
      space / 2 > MAXLENGTH_ENGINEID) {
    return LineKind::Bad;
  }
  for (std::size_t i = 0; i < space; ++i) {
    if (!IsHex(line[i])) return LineKind::Bad;
  }
  std::string digits = line.substr(space + 1);
  if (digits.empty() || digits.size() > 10) return LineKind::Bad;
  unsigned long boots = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return LineKind::Bad;
    boots = boots * 10 + static_cast<unsigned long>(c - '0');
  }
  if (boots > kMaxBoots) return LineKind::Bad;
  entry.hex = ToUpper(line.substr(0, space));
  entry.boots = static_cast<unsigned int>(boots);
  return LineKind::Entry;
}

// What stands at the counter's name: Denied is a file the caller may not
// read, Unreadable anything else that cannot be read as a file.
enum class FileState { Read, Missing, Link, Denied, Unreadable };

// Reads every line of the file at `path` (and its status into `st`) through
// a descriptor opened without following a link at the last name: the
// counter usually lives in a folder others may write to, and a link planted
// there could lead to any file of the user's.
FileState ReadLines(const std::string& path, std::vector<std::string>& lines, struct stat& st) {
  // O_NONBLOCK: a FIFO at the name must not stop the start-up.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    if (error == ELOOP) return FileState::Link;
    if (error == ENOENT) return FileState::Missing;
    struct stat there {};
    if ((error == EACCES || error == EPERM) && ::lstat(path.c_str(), &there) == 0 &&
        S_ISREG(there.st_mode)) {
      return FileState::Denied;
    }
    return FileState::Unreadable;
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return FileState::Unreadable;
  std::string bytes;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return FileState::Unreadable;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  lines.clear();
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return FileState::Read;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
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
// groups. What is not allowed is left as it is: the counter is then the
// writer's own, as any new file of theirs, and is still written.
void TakeOwner(int fd, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return;
  if (now.st_uid == old.st_uid && now.st_gid == old.st_gid) return;
  if (::fchown(fd, old.st_uid, old.st_gid) == 0) return;
  if (now.st_gid != old.st_gid) ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
}

// Creates a new file beside `path` under a name no one can foresee
// (mkostemp, which also refuses whatever already stands at the name). The
// counter usually lives in the current folder, which others may write to: a
// fixed name there could be a planted link that the write would follow.
// The file gets `mode`, and the owner and group of `old` unless null.
// Returns the descriptor (and the name in `temp`), or -1.
int CreateTempFile(const std::string& path, mode_t mode, const struct stat* old,
                   std::string& temp) {
  std::string name = path + ".tmp.XXXXXX";
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return -1;
  // The owner first: a change of owner may clear permission bits.
  if (old) TakeOwner(fd, *old);
  // mkostemp gives 0600; should the change fail, the file stays the
  // narrower of the two.
  ::fchmod(fd, mode);
  temp = std::move(name);
  return fd;
}

// The mode of a new file of the user's (0644 as far as the umask allows).
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0644 & ~mask;
}

}  // namespace

int getBootCounter(const std::string& path, const OctetStr& engine_id, unsigned int& boots) {
  boots = 0;
  std::vector<std::string> lines;
  struct stat st {};
  switch (ReadLines(path, lines, st)) {
    case FileState::Read:
      break;
    case FileState::Link:
    case FileState::Denied:  // a counter is there, but its count is out of reach
      return SNMPv3_FILE_ERROR;
    case FileState::Missing:
    case FileState::Unreadable:
      return SNMPv3_FILEOPEN_ERROR;
  }
  if (engine_id.len() > MAXLENGTH_ENGINEID) return SNMPv3_TOO_LONG_ERROR;
  const std::string wanted = UpperHex(engine_id);
  std::optional<unsigned int> found;
  for (const std::string& line : lines) {
    Entry entry;
    LineKind kind = ParseLine(line, entry);
    if (kind == LineKind::Bad) return SNMPv3_FILE_ERROR;
    if (kind == LineKind::Entry && entry.hex == wanted) found = entry.boots;
  }
  if (!found) return SNMPv3_NO_ENTRY_ERROR;
  boots = *found;
  return SNMPv3_OK;
}

int saveBootCounter(const std::string& path, const OctetStr& engine_id, unsigned int boots) {
  if (engine_id.len() > MAXLENGTH_ENGINEID) return SNMPv3_TOO_LONG_ERROR;
  // An empty id would make a line that no reader accepts, and with it every
  // later read of the whole file would fail.
  if (engine_id.len() == 0 || boots > kMaxBoots) return SNMPv3_FILE_ERROR;
  const std::string wanted = UpperHex(engine_id);

  std::string text;
  std::vector<std::string> lines;
  // A new file gets the mode of any new file of the user's; a rewritten one
  // keeps its own, so that a counter its owner made private stays private,
  // and its owner and group, so that a start by root leaves the user's
  // counter the user's.
  struct stat old {};
  mode_t mode = 0;
  const struct stat* owner = nullptr;
  switch (ReadLines(path, lines, old)) {
    case FileState::Read:
      mode = old.st_mode & 0777;
      owner = &old;
      break;
    case FileState::Missing:
      mode = NewFileMode();
      break;
    case FileState::Link:
      return SNMPv3_FILE_ERROR;
    case FileState::Denied:
    case FileState::Unreadable:
      return SNMPv3_FILEOPEN_ERROR;
  }
  for (const std::string& line : lines) {
    Entry entry;
    if (ParseLine(line, entry) == LineKind::Entry && entry.hex == wanted) continue;
    text += line;
    text += '\n';
  }
  text += wanted + " " + std::to_string(boots) + "\n";

  // The rename puts the new file in place of whatever stands at `path` by
  // then, and never writes through it.
  std::string tmp;
  const int fd = CreateTempFile(path, mode, owner, tmp);
  if (fd < 0) return SNMPv3_FILECREATE_ERROR;
  bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (!ok) {
    std::remove(tmp.c_str());
    return SNMPv3_FILECREATE_ERROR;
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    std::remove(tmp.c_str());
    return SNMPv3_FILERENAME_ERROR;
  }
  return SNMPv3_OK;
}
