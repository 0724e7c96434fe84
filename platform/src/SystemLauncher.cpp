#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Launch.h"
#include "platform/LaunchServices.h"

namespace {

constexpr UINT kStarted = 33;

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// 0 when `path` is a program we may start, else the WinExec error.
UINT CheckProgram(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    if (errno == ENOTDIR) return ERROR_PATH_NOT_FOUND;
    std::string::size_type slash = path.rfind('/');
    std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    return slash == std::string::npos || IsDirectory(folder) ? ERROR_FILE_NOT_FOUND
                                                             : ERROR_PATH_NOT_FOUND;
  }
  if (!S_ISREG(st.st_mode) || access(path.c_str(), X_OK) != 0) return ERROR_BAD_FORMAT;
  return 0;
}

std::string ProgramFolder() {
  std::string buf(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return std::string();
  buf.resize(static_cast<std::size_t>(n));
  std::string::size_type slash = buf.rfind('/');
  return slash == std::string::npos ? std::string() : buf.substr(0, slash == 0 ? 1 : slash);
}

// Finds the file to run for `program`; 0 or the WinExec error.
UINT Resolve(const std::string& program, std::string& path) {
  if (program.find('/') != std::string::npos) {
    path = program;
    return CheckProgram(path);
  }
  std::vector<std::string> folders;
  if (std::string own = ProgramFolder(); !own.empty()) folders.push_back(own);
  folders.push_back(".");
  const char* env = std::getenv("PATH");
  std::string search = env ? env : "/usr/local/bin:/usr/bin:/bin";
  std::string::size_type start = 0;
  while (start <= search.size()) {
    std::string::size_type colon = search.find(':', start);
    if (colon == std::string::npos) colon = search.size();
    std::string folder = search.substr(start, colon - start);
    folders.push_back(folder.empty() ? "." : folder);
    start = colon + 1;
  }
  UINT result = ERROR_FILE_NOT_FOUND;
  for (const auto& folder : folders) {
    std::string candidate = folder + "/" + program;
    UINT check = CheckProgram(candidate);
    if (check == 0) {
      path = candidate;
      return 0;
    }
    if (check == ERROR_BAD_FORMAT) result = ERROR_BAD_FORMAT;
  }
  return result;
}

UINT FromErrno(int e) {
  switch (e) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case ENOEXEC:
    case EISDIR:
    case ELIBBAD:
    case ETXTBSY:
      return ERROR_BAD_FORMAT;
    default:
      return 0;
  }
}

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void Report(int fd, int error) {
  ssize_t ignored = write(fd, &error, sizeof error);
  (void)ignored;
  _exit(127);
}

class TForkLauncher : public TProcessLauncher {
 public:
  UINT Start(const std::vector<AnsiString>& argv) override {
    if (argv.empty()) return ERROR_FILE_NOT_FOUND;
    std::string program;
    if (UINT error = Resolve(argv[0].str(), program)) return error;

    // Everything the children need is prepared here, before the fork.
    std::vector<std::string> args;
    for (const auto& a : argv) args.push_back(a.str());
    std::vector<char*> cargs;
    for (auto& a : args) cargs.push_back(a.data());
    cargs.push_back(nullptr);
    sigset_t noSignals;
    sigemptyset(&noSignals);
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    const int kResetSignals[] = {SIGPIPE, SIGCHLD, SIGHUP,  SIGINT, SIGQUIT,
                                 SIGTERM, SIGUSR1, SIGUSR2, SIGXFSZ};
    long maxFd = sysconf(_SC_OPEN_MAX);
    if (maxFd < 0 || maxFd > 65536) maxFd = 65536;

    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
      if (devNull >= 0) close(devNull);
      return 0;
    }
    const pid_t child = fork();
    if (child == 0) {
      close(report[0]);
      setsid();
      const pid_t grandchild = fork();
      if (grandchild < 0) Report(report[1], errno);
      if (grandchild > 0) _exit(0);
      sigprocmask(SIG_SETMASK, &noSignals, nullptr);
      for (int sig : kResetSignals) sigaction(sig, &byDefault, nullptr);
      if (devNull >= 0) dup2(devNull, 0);
      // Descriptors of ours other than stdin, stdout and stderr close on exec,
      // the report pipe among them.
      if (close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        for (int fd = 3; fd < maxFd; ++fd) fcntl(fd, F_SETFD, FD_CLOEXEC);
      }
      execv(program.c_str(), cargs.data());
      Report(report[1], errno);
    }
    close(report[1]);
    if (devNull >= 0) close(devNull);
    if (child < 0) {
      close(report[0]);
      return 0;
    }
    // The first child ends at once; the program lives on as its orphan.
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes without a word when the program's exec succeeded.
    int error = 0;
    ssize_t n;
    do {
      n = read(report[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    return n == static_cast<ssize_t>(sizeof error) ? FromErrno(error) : kStarted;
  }
};

}  // namespace

TProcessLauncher& SystemProcessLauncher() {
  static TForkLauncher launcher;
  return launcher;
}
