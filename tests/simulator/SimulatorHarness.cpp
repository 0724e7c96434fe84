#include "SimulatorHarness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace simtest {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> Argv(std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return argv;
}

}  // namespace

ToolResult RunTool(const std::vector<std::string>& args, const std::string& stateDir) {
  ToolResult result;
  const std::string confDir = stateDir + "/conf";
  std::filesystem::create_directories(confDir);
  int fds[2];
  if (pipe(fds) != 0) return result;
  const auto start = Clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], 1);
    dup2(fds[1], 2);
    close(fds[0]);
    close(fds[1]);
    setenv("SNMPCONFPATH", confDir.c_str(), 1);
    setenv("SNMP_PERSISTENT_DIR", stateDir.c_str(), 1);
    setenv("MIBS", "", 1);
    std::vector<std::string> copy = args;
    auto argv = Argv(copy);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(fds[1]);
  const auto deadline = start + std::chrono::seconds(60);
  char buf[8192];
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd p{fds[0], POLLIN, 0};
    const int ready = left > 0 ? poll(&p, 1, static_cast<int>(left)) : 0;
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      kill(pid, SIGKILL);
      result.out += "\n(killed: still running after 60 s)";
      break;
    }
    const ssize_t n = read(fds[0], buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    result.out.append(buf, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

Simulator::Simulator(std::vector<std::string> extraArgs) {
  logPath_ = dir_.File("requests.log");
  outPath_ = dir_.File("output.txt");
  controlPath_ = dir_.File("control.sock");
  portFile_ = dir_.File("port");
  args_ = {VN_SIMULATOR_BIN, "--state-dir", dir_.File("state"), "--port-file", portFile_,
           "--log",          logPath_,      "--control",        controlPath_};
  args_.insert(args_.end(), extraArgs.begin(), extraArgs.end());
  Start(args_);
}

bool Simulator::Restart() {
  if (port_ <= 0) return false;
  const std::string port = std::to_string(port_);
  Stop();
  std::filesystem::remove(portFile_);
  std::vector<std::string> args = args_;
  args.insert(args.end(), {"--port", port});
  Start(args);
  return Running() && std::to_string(port_) == port && control_ >= 0;
}

void Simulator::Start(std::vector<std::string> args) {
  port_ = 0;
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ == 0) {
    // The simulator ends with the test process, even when that is killed
    // (a test timeout); the test may have died before the request.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(126);
    int out = open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(out, 2);
    auto argv = Argv(args);
    execv(argv[0], argv.data());
    _exit(127);
  }
  // Up to 60 s: a sanitizer build starts slowly on a busy machine.
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  while (Clock::now() < deadline) {
    const std::string text = vntest::ReadFile(portFile_);
    if (!text.empty()) {
      port_ = std::atoi(text.c_str());
      break;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  control_ = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, controlPath_.c_str(), sizeof addr.sun_path - 1);
  if (connect(control_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    close(control_);
    control_ = -1;
  }
}

Simulator::~Simulator() { Stop(); }

bool Simulator::TakeLateReplies(int socket, const std::function<void()>& turn, int ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  auto pending = [&] {
    if (Control("waiting") != "ok 0") return true;
    pollfd in{socket, POLLIN, 0};
    return socket >= 0 && poll(&in, 1, 0) > 0;
  };
  while (pending()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    turn();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  turn();
  return true;
}

std::string Simulator::Control(const std::string& command) {
  if (control_ < 0) return "error no control connection";
  const std::string line = command + "\n";
  if (write(control_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
    return "error write";
  // One reply is outstanding at a time: what comes is read in blocks up to
  // its end of line.
  char block[4096];
  for (;;) {
    const std::size_t end = replies_.find('\n');
    if (end != std::string::npos) {
      std::string reply = replies_.substr(0, end);
      replies_.erase(0, end + 1);
      return reply;
    }
    const ssize_t n = read(control_, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return "error read";
    replies_.append(block, static_cast<std::size_t>(n));
  }
}

std::string Simulator::LogFrom(std::size_t offset) const {
  std::ifstream in(logPath_, std::ios::binary);
  if (!in) return "";
  in.seekg(static_cast<std::streamoff>(offset));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ToolResult Simulator::Tool(const std::string& tool, std::vector<std::string> args) {
  args.insert(args.begin(), tool);
  return RunTool(args, dir_.File("tools"));
}

ToolResult Simulator::V2(const std::string& tool, const std::vector<std::string>& args,
                         const std::string& community) {
  std::vector<std::string> a = {"-v2c", "-c", community, "-On", "-t", "2", "-r", "1", Agent()};
  a.insert(a.end(), args.begin(), args.end());
  return Tool(tool, a);
}

ToolResult Simulator::V1(const std::string& tool, const std::vector<std::string>& args,
                         const std::string& community) {
  std::vector<std::string> a = {"-v1", "-c", community, "-On", "-t", "2", "-r", "1", Agent()};
  a.insert(a.end(), args.begin(), args.end());
  return Tool(tool, a);
}

ToolResult Simulator::V3(const std::string& tool, const std::vector<std::string>& security,
                         const std::vector<std::string>& args) {
  std::vector<std::string> a = {"-v3", "-On", "-t", "2", "-r", "1"};
  a.insert(a.end(), security.begin(), security.end());
  a.push_back(Agent());
  a.insert(a.end(), args.begin(), args.end());
  return Tool(tool, a);
}

int Simulator::Stop() {
  if (control_ >= 0) {
    close(control_);
    control_ = -1;
  }
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  int status = 0;
  const auto deadline = Clock::now() + std::chrono::seconds(20);
  while (Clock::now() < deadline) {
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return -1;
}

}  // namespace simtest
