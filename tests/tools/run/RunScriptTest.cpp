// ./run as a user starts it: what it takes from VN_JOBS, and what Ctrl-C in
// the demo leaves. A copy of the script runs in a folder of the test's own,
// where the package check and cmake are stand-ins (cmake only notes its
// arguments): nothing is installed or built.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/TestSupport.h"
#include "support/Xvfb.h"

namespace {

namespace fs = std::filesystem;

// The processes whose session is `sid`.
std::vector<pid_t> SessionProcesses(pid_t sid) {
  std::vector<pid_t> found;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    // pid (comm) state ppid pgrp session ...: comm may hold blanks and ')'.
    const std::string stat = vntest::ReadFile(entry.path().string() + "/stat");
    const auto close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(stat.substr(close + 1));
    std::string state;
    long ppid = 0, pgrp = 0, session = 0;
    if (rest >> state >> ppid >> pgrp >> session && session == sid && state != "Z")
      found.push_back(static_cast<pid_t>(std::stol(name)));
  }
  return found;
}

// The processors this process may run on, as nproc counts them.
int Processors() {
  cpu_set_t set;
  CPU_ZERO(&set);
  return sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 0;
}

struct Outcome {
  int status = -1;     // the exit status; -1 when it did not exit
  std::string errors;  // what it wrote to stderr
  std::string cmake;   // the stand-in cmake's command lines, one a line
};

class RunScript {
 public:
  RunScript() {
    fs::copy_file(fs::path(vntest::SourceDir()) / "run", dir_.File("run"));
    // Every package counts as installed; cmake notes what it was asked.
    Stub("dpkg", "exit 0\n");
    Stub("cmake", "echo \"$*\" >>'" + dir_.File("cmake.log") + "'\n");
  }

  // Runs `./run build` with VN_JOBS as given (std::nullopt: not set).
  Outcome Build(const std::optional<std::string>& jobs) {
    std::remove(dir_.File("cmake.log").c_str());
    std::vector<std::string> env = {Path()};
    if (jobs) env.push_back("VN_JOBS=" + *jobs);
    const pid_t pid = Start("build", env);
    Outcome o;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
      o.status = WEXITSTATUS(status);
    o.errors = vntest::ReadFile(dir_.File("stderr.txt"));
    o.cmake = vntest::ReadFile(dir_.File("cmake.log"));
    return o;
  }

  // Starts `./run <command>` with the environment given and nothing else, in
  // a session of its own (the process group a terminal's Ctrl-C reaches) and
  // with Ctrl-C's signal as a terminal's shell leaves it, its output in
  // stderr.txt.
  pid_t Start(const char* command, std::vector<std::string> env) {
    const std::string errors = dir_.File("stderr.txt");
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string name = command;
    char run[] = "./run";
    char* argv[] = {run, name.data(), nullptr};
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
      setsid();
      signal(SIGINT, SIG_DFL);
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != parent) _exit(126);
      if (chdir(dir_.Path().c_str()) != 0) _exit(126);
      const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(fd, 1);
      dup2(fd, 2);
      execve(argv[0], argv, envp.data());
      _exit(127);
    }
    return pid;
  }

  // The search path with the stand-ins first.
  std::string Path() const { return "PATH=" + dir_.File("bin") + ":/usr/bin:/bin"; }
  const vntest::TempDir& Dir() const { return dir_; }

 private:
  void Stub(const std::string& name, const std::string& body) {
    const std::string path = dir_.Write("bin/" + name, "#!/bin/sh\n" + body);
    chmod(path.c_str(), 0755);
  }

  vntest::TempDir dir_;
};

// A job count is a whole number above 0, leading zeros aside; anything else
// ends the script with its own message before a build starts.
TEST(RunScript, TakesAJobCountAboveZeroAndRefusesTheRest) {
  struct Case {
    std::string jobs;
    const char* builtWith;  // the build's -j switch; nullptr: refused
  };
  const std::vector<Case> cases = {
      {"00", nullptr}, {"0", nullptr}, {"000", nullptr}, {"-1", nullptr},
      {"1x", nullptr}, {"", nullptr},  {" 1", nullptr},  {"1", "-j1"},
      {"08", "-j8"},   {"12", "-j12"}, {"010", "-j10"},
  };
  RunScript script;
  for (const Case& c : cases) {
    SCOPED_TRACE("VN_JOBS='" + c.jobs + "'");
    const Outcome o = script.Build(c.jobs);
    if (!c.builtWith) {
      EXPECT_EQ(o.status, 2);
      EXPECT_EQ(o.errors, "run: VN_JOBS must be a whole number above 0, not '" + c.jobs + "'\n");
      EXPECT_EQ(o.cmake, "");
    } else {
      EXPECT_EQ(o.status, 0) << o.errors;
      EXPECT_NE(o.cmake.find("--build build/release " + std::string(c.builtWith) + "\n"),
                std::string::npos)
          << o.cmake;
    }
  }
  // Not set: one job per processor.
  const Outcome unset = script.Build(std::nullopt);
  EXPECT_EQ(unset.status, 0) << unset.errors;
  EXPECT_NE(unset.cmake.find("--build build/release -j" + std::to_string(Processors()) + "\n"),
            std::string::npos)
      << unset.cmake;
}

// Ctrl-C in the demo without a display ends the module, its virtual X
// server and the simulator, and leaves nothing in the temporary folder
// (xvfb-run's authority folder and the toolkit's runtime folder among what
// could stay). The demo runs this tree's own programs.
TEST(RunScript, CtrlCInTheDemoLeavesNothingBehind) {
  if (vntest::OnPath("xvfb-run").empty()) GTEST_SKIP() << "no xvfb-run";
  RunScript script;
  fs::create_directory(script.Dir().File("build"));
  fs::create_directory_symlink(VN_BINARY_DIR, script.Dir().File("build/release"));
  const vntest::TempDir tmp;
  const pid_t run = script.Start("demo", {script.Path(), "TMPDIR=" + tmp.Path()});
  ASSERT_GT(run, 0);
  // Up once the module has read the simulated switch (the simulator's log in
  // the demo's folder names its user).
  bool up = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!up && std::chrono::steady_clock::now() < deadline) {
    for (const auto& entry : fs::directory_iterator(tmp.Path()))
      up =
          up || vntest::ReadFile(entry.path() / "requests.log").find("md5des") != std::string::npos;
    if (!up) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_TRUE(up) << vntest::ReadFile(script.Dir().File("stderr.txt"));

  kill(-run, SIGINT);
  // The script, the module, the X server and the simulator end at once or
  // with the script's clean-up. Whatever is still there after 10 s is ended
  // here.
  int status = 0;
  bool ended = false;
  std::vector<pid_t> left;
  for (int i = 0; i < 200; ++i) {
    ended = ended || waitpid(run, &status, WNOHANG) == run;
    left = SessionProcesses(run);
    if (ended && left.empty()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  for (const pid_t pid : left) kill(pid, SIGKILL);
  if (!ended) waitpid(run, &status, 0);
  EXPECT_TRUE(ended && WIFEXITED(status) && WEXITSTATUS(status) == 130) << status;
  EXPECT_EQ(left, std::vector<pid_t>{});
  EXPECT_EQ(vntest::NamesIn(tmp.Path()), std::vector<std::string>{});
}

}  // namespace
