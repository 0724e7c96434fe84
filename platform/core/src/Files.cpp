#include "platform/Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Index just past the last separator (0 when none).
std::size_t NameStart(const std::string& path) {
  std::size_t p = path.find_last_of("/\\");
  return p == std::string::npos ? 0 : p + 1;
}

std::string CurrentDir() {
  std::vector<char> buf(4096);
  for (;;) {
    if (getcwd(buf.data(), buf.size())) return std::string(buf.data());
    if (errno != ERANGE || buf.size() > (1u << 20)) return std::string();
    buf.resize(buf.size() * 2);
  }
}

// The running executable, read from the process's own link; empty when the
// system does not offer it.
std::string SelfExecutable() {
  std::vector<char> buf(4096);
  for (;;) {
    ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return std::string();
    if (static_cast<std::size_t>(n) < buf.size())
      return std::string(buf.data(), static_cast<std::size_t>(n));
    if (buf.size() > (1u << 20)) return std::string();
    buf.resize(buf.size() * 2);
  }
}

struct CommandLine {
  std::string exe;                // absolute path of the executable
  std::vector<std::string> args;  // argv[1..]
};

CommandLine& TheCommandLine() {
  static CommandLine line;
  return line;
}

}  // namespace

AnsiString ToSystemPath(const AnsiString& path) {
  std::string s = path.str();
  for (char& c : s)
    if (c == '\\') c = '/';
  return AnsiString(std::move(s));
}

bool FileExists(const AnsiString& path) {
  if (path.IsEmpty()) return false;
  struct stat st {};
  return stat(ToSystemPath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const AnsiString& path) {
  if (path.IsEmpty()) return false;
  struct stat st {};
  return stat(ToSystemPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

AnsiString GetCurrentDir() {
  std::string dir = CurrentDir();
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return AnsiString(std::move(dir));
}

AnsiString ExtractFileName(const AnsiString& path) {
  const std::string& s = path.str();
  return AnsiString(s.substr(NameStart(s)));
}

AnsiString ExtractFilePath(const AnsiString& path) {
  const std::string& s = path.str();
  return AnsiString(s.substr(0, NameStart(s)));
}

AnsiString ExtractFileExt(const AnsiString& path) {
  const std::string& s = path.str();
  std::size_t dot = s.find_last_of('.');
  if (dot == std::string::npos || dot < NameStart(s)) return AnsiString();
  return AnsiString(s.substr(dot));
}

void SetCommandLine(int argc, const char* const* argv) {
  CommandLine& line = TheCommandLine();
  line.args.clear();
  line.exe = SelfExecutable();
  if (!argv || argc <= 0) return;
  if (line.exe.empty() && argv[0]) {
    // No process link: make argv[0] absolute against the starting folder.
    std::string first = ToSystemPath(argv[0]).str();
    if (!first.empty() && first[0] != '/') {
      std::string dir = CurrentDir();
      if (!dir.empty() && !IsSeparator(dir.back())) dir += '/';
      first = dir + first;
    }
    line.exe = first;
  }
  for (int i = 1; i < argc; ++i) line.args.emplace_back(argv[i] ? argv[i] : "");
}

int ParamCount() { return static_cast<int>(TheCommandLine().args.size()); }

AnsiString ParamStr(int index) {
  CommandLine& line = TheCommandLine();
  if (index == 0) {
    if (line.exe.empty()) line.exe = SelfExecutable();
    return AnsiString(line.exe);
  }
  if (index < 0 || index > ParamCount()) return AnsiString();
  return AnsiString(line.args[static_cast<std::size_t>(index - 1)]);
}
