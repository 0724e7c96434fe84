#include "snmp/BootCounter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "platform/WholeFile.h"

namespace {

constexpr std::size_t kMaxLine = 255;
// No counter file comes near it (a line per engine id, each line at most
// kMaxLine characters): what is larger is read no further.
constexpr std::size_t kMaxFile = 64 * 1024;
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
// read, TooLarge a file past kMaxFile, Unreadable anything else that cannot
// be read as a file.
enum class FileState { Read, Missing, Link, Denied, TooLarge, Unreadable };

// Reads every line of the file at `path` through a descriptor opened without
// following a link at the last name: the counter usually lives in a folder
// others may write to, and a link planted there could lead to any file of
// the user's.
FileState ReadLines(const std::string& path, std::vector<std::string>& lines) {
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
  struct stat st {};
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
    if (bytes.size() > kMaxFile) return FileState::TooLarge;
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

}  // namespace

int getBootCounter(const std::string& path, const OctetStr& engine_id, unsigned int& boots) {
  boots = 0;
  std::vector<std::string> lines;
  switch (ReadLines(path, lines)) {
    case FileState::Read:
      break;
    case FileState::Link:
    case FileState::Denied:  // a counter is there, but its count is out of reach
    case FileState::TooLarge:
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
  // A new file gets 0644 as far as the umask allows; a rewritten one keeps
  // its mode, so that a counter its owner made private stays private, and
  // its owner and group, so that a start by root leaves the user's counter
  // the user's (ReplaceFileWhole).
  switch (ReadLines(path, lines)) {
    case FileState::Read:
    case FileState::Missing:
      break;
    case FileState::Link:
    case FileState::TooLarge:
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
  if (ReplaceFileWhole(path, text, NewFileMode() & 0644u) != 0) return SNMPv3_FILECREATE_ERROR;
  return SNMPv3_OK;
}
