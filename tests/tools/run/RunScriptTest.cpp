// ./run as a user starts it: the words and counts it takes (from VN_JOBS,
// FUZZ_JOBS and the fuzzing time), its usage, the packages it installs, and
// what Ctrl-C in the tests, the benchmarks and the demo leaves. A copy of
// the script runs in a folder of the test's own, where the package tools,
// cmake and ctest are stand-ins that note what they were asked: nothing is
// installed or built.
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
#include <functional>
#include <optional>
#include <set>
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
  std::string output;  // what it wrote to stdout and stderr (stderr only when apart)
  std::string out;     // what it wrote to stdout, when apart
  std::string cmake;   // the stand-in cmake's command lines, one a line
  std::string apt;     // the stand-in apt-get's command lines
};

class RunScript {
 public:
  RunScript() {
    fs::copy_file(fs::path(vntest::SourceDir()) / "run", dir_.File("run"));
    // Every package counts as installed. cmake notes what it was asked; a
    // build of the fuzz tree leaves two targets that note their arguments
    // and find nothing, one of the benchmarks the four programs. Each of
    // them makes its folder as the benchmarks do and starts an agent in it,
    // says a figure and a note and waits for the file "go". Ended otherwise,
    // it leaves a helper that goes on writing in the folder as long as that
    // is there (a thousand files at most), as a simulator writes its notes
    // at its end, while the run empties the folder (a full one: that takes a
    // while); and its agent, as snmpd does, saves its state a while later
    // into a folder it makes anew.
    Stub("benchmark", MakesItsFolder("for n in $(seq 3000); do : >\"$d/f$n\"; done\n"
                                     "agent \"$d/agent.conf\" $$ &\n"
                                     "(exec 2>/dev/null\n"
                                     " while kill -0 $$; do sleep 0.01; done\n"
                                     " [ -e \"$d/done\" ] && exit\n"
                                     " n=0\n"
                                     " while [ $n -lt 1000 ] && : >\"$d/late$n\"; do\n"
                                     "   n=$((n + 1)); sleep 0.01\n"
                                     " done) &\n") +
                          "echo \"${0##*/}: figure\"\n"
                          "echo \"${0##*/}: note\" >&2\n"
                          "while [ ! -e go ]; do sleep 0.05; done\n"
                          ": >\"$d/done\"\n");
    // agent CONF PARENT: an agent of the folder of CONF (named on its command
    // line, as snmpd names its configuration) for the program PARENT. It
    // ends with TERM or with its program; unless that ended as it should, it
    // first saves its state, 2 s later.
    Stub("agent",
         "trap 'ended=1' TERM\n"
         "while [ -z \"$ended\" ] && kill -0 \"$2\" 2>/dev/null; do sleep 0.05; done\n"
         "d=\"${1%/*}\"\n"
         "[ -e \"$d/done\" ] && exit\n"
         "sleep 2\n"
         "mkdir -p \"$d/persist\" && : >\"$d/persist/state\"\n");
    Stub("dpkg", "exit 0\n");
    Stub("cmake", "echo \"$*\" >>'" + dir_.File("cmake.log") +
                      "'\n"
                      "case \"$*\" in\n"
                      "*'--build build/fuzz '*)\n"
                      "  mkdir -p build/fuzz/tests/fuzz\n"
                      "  for t in alpha beta; do\n"
                      "    printf '#!/bin/sh\\necho \"$*\" >\"$0.args\"\\n' "
                      ">build/fuzz/tests/fuzz/${t}_fuzzer\n"
                      "    chmod +x build/fuzz/tests/fuzz/${t}_fuzzer\n"
                      "  done ;;\n"
                      "*'--build build/bench '*)\n"
                      "  mkdir -p build/bench/bench\n"
                      "  for b in snmp_bench walk_bench listview_bench page_bench; do\n"
                      "    cp bin/benchmark build/bench/bench/$b\n"
                      "    chmod +x build/bench/bench/$b\n"
                      "  done ;;\n"
                      "esac\n");
    // Installing only notes the command line; nothing reaches the system.
    Stub("apt-get", "echo \"$*\" >>'" + dir_.File("apt.log") + "'\n");
    Stub("sudo", "exec \"$@\"\n");
    Stub("systemctl", "exit 3\n");
  }

  // Runs `./run <args>` to its end with the environment given (and the
  // stand-ins' search path); `apart`: its standard output kept apart.
  Outcome Run(const std::vector<std::string>& args, std::vector<std::string> env = {},
              bool apart = false) {
    std::remove(dir_.File("cmake.log").c_str());
    std::remove(dir_.File("apt.log").c_str());
    env.push_back(Path());
    const pid_t pid = Start(args, env, apart);
    Outcome o;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
      o.status = WEXITSTATUS(status);
    o.output = vntest::ReadFile(dir_.File("stderr.txt"));
    if (apart) o.out = vntest::ReadFile(dir_.File("stdout.txt"));
    o.cmake = vntest::ReadFile(dir_.File("cmake.log"));
    o.apt = vntest::ReadFile(dir_.File("apt.log"));
    return o;
  }

  // Runs `./run build` with VN_JOBS as given (std::nullopt: not set).
  Outcome Build(const std::optional<std::string>& jobs) {
    std::vector<std::string> env;
    if (jobs) env.push_back("VN_JOBS=" + *jobs);
    return Run({"build"}, env);
  }

  // Starts `./run <args>` with the environment given and nothing else, in a
  // session of its own (the process group a terminal's Ctrl-C reaches) and
  // with Ctrl-C's signal as a terminal's shell leaves it, its output in
  // stderr.txt (`apart`: its standard output in stdout.txt).
  pid_t Start(std::vector<std::string> args, std::vector<std::string> env, bool apart = false) {
    const std::string errors = dir_.File("stderr.txt");
    const std::string output = dir_.File(apart ? "stdout.txt" : "stderr.txt");
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    char run[] = "./run";
    std::vector<char*> argv = {run};
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
      setsid();
      signal(SIGINT, SIG_DFL);
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != parent) _exit(126);
      if (chdir(dir_.Path().c_str()) != 0) _exit(126);
      const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int out = apart ? open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644) : fd;
      dup2(out, 1);
      dup2(fd, 2);
      execve(argv[0], argv.data(), envp.data());
      _exit(127);
    }
    return pid;
  }

  // A stand-in for the program `name`: a shell script of this body.
  void Stub(const std::string& name, const std::string& body) {
    const std::string path = dir_.Write("bin/" + name, "#!/bin/sh\n" + body);
    chmod(path.c_str(), 0755);
  }

  // What a test or a benchmark does first: makes its folder ($d) in the
  // temporary folder as they do, runs `more`, and notes the temporary
  // folder's mode and then where it is (in "mode" and "tmpdir"; the latter
  // comes whole, so that a test that sees it reads all of it).
  std::string MakesItsFolder(const std::string& more = "") const {
    return "tmp=\"${TMPDIR:-/tmp}\"\n"
           "d=\"$tmp/vntest-$$-Ab12Cd\"\n"
           "mkdir \"$d\"\n" +
           more + "stat -c %a \"$tmp\" >'" + dir_.File("mode") + "'\necho \"$tmp\" >'" +
           dir_.File("tmpdir.new") + "'\nmv '" + dir_.File("tmpdir.new") + "' '" +
           dir_.File("tmpdir") + "'\n";
  }

  // The search path with the stand-ins first.
  std::string Path() const { return "PATH=" + dir_.File("bin") + ":/usr/bin:/bin"; }
  const vntest::TempDir& Dir() const { return dir_; }

 private:
  vntest::TempDir dir_;
};

// How long a test waits for what must come: the script's stand-ins take
// well under a second, the demo a few seconds, and a loaded machine many
// times that.
constexpr auto kPatience = std::chrono::seconds(120);

// Ctrl-C to the script's whole session, as a terminal sends it: `presses`
// times, 100 ms apart, as long as the script runs. Then waits for the script
// and for every process of its session, and ends (SIGKILL) what is still
// there after kPatience. The script's status as a shell reports it (128 +
// the signal that ended it), and in `left` the processes that outlived the
// wait.
int Interrupt(pid_t run, std::vector<pid_t>& left, int presses = 1) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  int status = 0;
  bool ended = false;
  for (int i = 0; std::chrono::steady_clock::now() < deadline; ++i) {
    if (!ended && i % 2 == 0 && i / 2 < presses) kill(-run, SIGINT);
    ended = ended || waitpid(run, &status, WNOHANG) == run;
    left = SessionProcesses(run);
    if (ended && left.empty()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  for (const pid_t pid : left) kill(pid, SIGKILL);
  if (!ended) waitpid(run, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Whether the child `pid` has ended (it is not waited for).
bool Ended(pid_t pid) {
  siginfo_t info{};
  return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
         info.si_pid == pid;
}

// Waits (at most kPatience) until `done` holds.
bool Eventually(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!done() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return done();
}

// A count is a whole number from 1 to its largest, leading zeros aside;
// anything else ends the script with its own message before anything is
// installed or built. So for the build's job count (VN_JOBS), and for the
// fuzz targets' count at a time (FUZZ_JOBS) and their time (SECONDS).
TEST(RunScript, TakesCountsFromOneToTheirLargestAndRefusesTheRest) {
  struct Case {
    std::string jobs;
    const char* builtWith;  // the build's -j switch; nullptr: refused
  };
  const std::vector<Case> cases = {
      {"00", nullptr},
      {"0", nullptr},
      {"000", nullptr},
      {"-1", nullptr},
      {"1x", nullptr},
      {"", nullptr},
      {" 1", nullptr},
      {"4097", nullptr},
      {"2147483648", nullptr},
      {"99999999999999999999", nullptr},
      {"1", "-j1"},
      {"08", "-j8"},
      {"12", "-j12"},
      {"010", "-j10"},
      {"4096", "-j4096"},
      {"0004096", "-j4096"},
  };
  RunScript script;
  // Every package counts as missing: a refusal must come before the install.
  script.Stub("dpkg", "exit 1\n");
  for (const Case& c : cases) {
    SCOPED_TRACE("VN_JOBS='" + c.jobs + "'");
    const Outcome o = script.Build(c.jobs);
    if (!c.builtWith) {
      EXPECT_EQ(o.status, 2);
      EXPECT_EQ(o.output,
                "run: VN_JOBS must be a whole number from 1 to 4096, not '" + c.jobs + "'\n");
      EXPECT_EQ(o.cmake + o.apt, "");
    } else {
      EXPECT_EQ(o.status, 0) << o.output;
      EXPECT_NE(o.cmake.find("--build build/release " + std::string(c.builtWith) + "\n"),
                std::string::npos)
          << o.cmake;
    }
  }
  // Not set: one job per processor.
  const Outcome unset = script.Build(std::nullopt);
  EXPECT_EQ(unset.status, 0) << unset.output;
  EXPECT_NE(unset.cmake.find("--build build/release -j" + std::to_string(Processors()) + "\n"),
            std::string::npos)
      << unset.cmake;
  // More processors than the largest count: the largest.
  script.Stub("nproc", "echo 5000\n");
  EXPECT_NE(script.Build(std::nullopt).cmake.find("--build build/release -j4096\n"),
            std::string::npos);
  std::remove(script.Dir().File("bin/nproc").c_str());

  // The two fuzz targets of the stand-in build share SECONDS, FUZZ_JOBS at a
  // time.
  enum Refused { No, Seconds, Jobs };
  struct FuzzCase {
    std::optional<std::string> seconds, jobs;
    Refused refused;
    const char* runs;  // "<at a time>, <seconds each>" when it runs
  };
  const std::vector<FuzzCase> fuzzCases = {
      {{}, {}, No, "2 at a time, 60 s"},
      {"08", {}, No, "2 at a time, 8 s"},
      {"9", "1", No, "1 at a time, 4 s"},
      {"2147483647", "03", No, "3 at a time, 2147483647 s"},
      {"0", {}, Seconds, nullptr},
      {"-5", {}, Seconds, nullptr},
      {"abc", {}, Seconds, nullptr},
      {"", {}, Seconds, nullptr},
      {"2147483648", {}, Seconds, nullptr},
      {"60", "0", Jobs, nullptr},
      {"60", "-1", Jobs, nullptr},
      {"60", "abc", Jobs, nullptr},
      {"60", "", Jobs, nullptr},
      {"60", "4097", Jobs, nullptr},
  };
  for (const FuzzCase& c : fuzzCases) {
    SCOPED_TRACE("SECONDS " + c.seconds.value_or("(none)") + ", FUZZ_JOBS " +
                 c.jobs.value_or("(not set)"));
    std::vector<std::string> args = {"fuzz"}, env;
    if (c.seconds) args.push_back(*c.seconds);
    if (c.jobs) env.push_back("FUZZ_JOBS=" + *c.jobs);
    const Outcome o = script.Run(args, env);
    if (c.refused == Seconds) {
      EXPECT_EQ(o.output,
                "run: the fuzzing time (SECONDS) must be a whole number from 1 to 2147483647, "
                "not '" +
                    *c.seconds + "'\n");
    } else if (c.refused == Jobs) {
      EXPECT_EQ(o.output,
                "run: FUZZ_JOBS must be a whole number from 1 to 4096, not '" + *c.jobs + "'\n");
    } else {
      EXPECT_EQ(o.status, 0) << o.output;
      EXPECT_NE(o.output.find("run: 2 fuzz targets, " + std::string(c.runs) +
                              " or 3000000 executions each\n"),
                std::string::npos)
          << o.output;
      continue;
    }
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.cmake + o.apt, "");
  }
}

// ./run help (-h, --help) shows the usage on standard output with status 0,
// whatever VN_JOBS holds. No command shows it on standard error with status
// 2; a command it does not know, or words that a command does not take,
// end it with status 2 and a message, before anything is installed or
// built. The tests take ctest's words as they are.
TEST(RunScript, ShowsItsUsageWhenAskedAndRefusesWordsItDoesNotTake) {
  RunScript script;
  script.Stub("dpkg", "exit 1\n");  // a refusal must come before the install
  const Outcome help = script.Run({"help"}, {"VN_JOBS=0"}, true);
  EXPECT_EQ(help.status, 0) << help.output;
  EXPECT_EQ(help.output, "");
  EXPECT_EQ(help.out.rfind("usage: ./run COMMAND\n", 0), 0u) << help.out;
  struct Case {
    std::vector<std::string> args;
    std::string refused;  // the message; "" for the usage on standard output
  };
  const std::vector<Case> cases = {
      {{"-h"}, ""},
      {{"--help"}, ""},
      {{"tests"}, "no command 'tests'"},
      {{"help", "me"}, "help takes nothing more, not 'me'"},
      {{"setup", "x"}, "setup takes nothing more, not 'x'"},
      {{"build", "release", "now"}, "build takes nothing more, not 'release now'"},
      {{"demo", "x"}, "demo takes nothing more, not 'x'"},
      {{"bench", "3"}, "bench takes nothing more, not '3'"},
      {{"format", "x"}, "format takes nothing more, not 'x'"},
      {{"fuzz", "5", "6"}, "fuzz takes at most one word (SECONDS), not '5 6'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    const Outcome o = script.Run(c.args, {}, true);
    if (c.refused.empty()) {
      EXPECT_EQ(o.status, 0);
      EXPECT_EQ(o.out, help.out);
      EXPECT_EQ(o.output, "");
      continue;
    }
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.output,
              "run: " + c.refused + "\nrun: ./run help lists the commands and what each takes\n");
    EXPECT_EQ(o.cmake + o.apt, "");
  }
  const Outcome none = script.Run({}, {}, true);
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.output, help.out);
  EXPECT_EQ(none.cmake + none.apt, "");

  script.Stub("ctest", "printf '<%s>' \"$@\"; echo\n");
  const Outcome test = script.Run({"test", "-R", "a b", "-L", "x"});
  EXPECT_EQ(test.status, 0) << test.output;
  EXPECT_NE(test.output.find("<-R><a b><-L><x>\n"), std::string::npos) << test.output;
}

// ./run setup installs every package that the build, the tests and the
// tools need, and ./run fuzz its compiler besides, when the package tool
// reports them all missing.
TEST(RunScript, InstallsEveryPackageTheBuildNeeds) {
  const std::set<std::string> needed = {
      // The build: compiler, build tools, the catalogue's generator, the
      // layout check.
      "g++",
      "cmake",
      "ninja-build",
      "pkg-config",
      "python3",
      "clang-format",
      // The windows and the display check; the SNMP layer and its keys; the
      // pictures; the tests.
      "qt6-base-dev",
      "libxcb1-dev",
      "libsnmp-dev",
      "libssl-dev",
      "libjpeg-dev",
      "libgtest-dev",
      "libgmock-dev",
      // The agent of the interop tests, and snmpwalk and snmptable beside the
      // pages.
      "snmpd",
      "snmp",
      // The decimal-comma locale of the number-text tests, the fonts of the
      // pictures the tests compare.
      "locales",
      "fonts-dejavu-core",
      "fonts-dejavu-extra",
      // The X servers of the tests and the demo, and the pointer and keys on
      // them.
      "xvfb",
      "xauth",
      "xdotool",
  };
  RunScript script;
  script.Stub("dpkg", "exit 1\n");
  const auto installed = [](const std::string& apt) {
    std::set<std::string> packages;
    std::istringstream lines(apt);
    for (std::string line; std::getline(lines, line);) {
      std::istringstream words(line);
      std::string word;
      words >> word;
      if (word != "install") continue;
      while (words >> word)
        if (word[0] != '-') packages.insert(word);
    }
    return packages;
  };
  const Outcome setup = script.Run({"setup"});
  EXPECT_EQ(setup.status, 0) << setup.output;
  EXPECT_EQ(installed(setup.apt), needed) << setup.apt;
  EXPECT_EQ(setup.apt.rfind("update -q\n", 0), 0u) << setup.apt;

  std::set<std::string> fuzz = needed;
  fuzz.insert({"clang", "libclang-rt-14-dev"});
  const Outcome fuzzed = script.Run({"fuzz", "1"});
  EXPECT_EQ(fuzzed.status, 0) << fuzzed.output;
  EXPECT_EQ(installed(fuzzed.apt), fuzz) << fuzzed.apt;
}

// The tests and the benchmarks make their folders in a temporary folder of
// the run's own, which goes however the run ends: when ctest ends, failing
// or not, and on Ctrl-C at any moment while tests or benchmarks still run,
// pressed once or again and again through the clean-up. The programs still
// running are waited for (an agent that saves its state as it ends), and
// the removal is tried again while a program still writes in the folder.
TEST(RunScript, TheTestsAndBenchmarksLeaveNothingInTheTemporaryFolder) {
  RunScript script;
  // A test that makes its folder as the tests do and fails or passes, or
  // runs as a benchmark does until Ctrl-C.
  script.Stub("ctest", "[ -n \"$CTEST_WAITS\" ] && exec benchmark\n" + script.MakesItsFolder() +
                           "exit \"$CTEST_STATUS\"\n");
  enum When {
    Ended,  // no Ctrl-C: the run ends by itself
    // As soon as the run's folder is there. A program that ends by itself
    // at that moment may take the Ctrl-C for its own, as bash sees it: the
    // user presses again.
    Started,
    Running,  // once a test or benchmark runs in it
  };
  struct Case {
    const char* what;
    const char* command;
    const char* ctest;  // the stand-in's environment
    When when;
    int presses;  // of Ctrl-C, 100 ms apart while the run goes on
    int status;   // the script's
  };
  const std::vector<Case> cases = {
      {"every test passed", "test", "CTEST_STATUS=0", Ended, 0, 0},
      {"a test failed", "test", "CTEST_STATUS=8", Ended, 0, 8},
      {"Ctrl-C in the tests", "test", "CTEST_WAITS=1", Running, 1, 130},
      {"Ctrl-C in the tests, again and again", "test", "CTEST_WAITS=1", Running, 60, 130},
      {"Ctrl-C as the benchmarks start, and again", "bench", "", Started, 3, 130},
      {"Ctrl-C in the benchmarks", "bench", "", Running, 1, 130},
      {"Ctrl-C in the benchmarks, again and again", "bench", "", Running, 60, 130}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const vntest::TempDir tmp;
    std::remove(script.Dir().File("tmpdir").c_str());
    std::remove(script.Dir().File("mode").c_str());
    std::vector<std::string> env = {script.Path(), "TMPDIR=" + tmp.Path()};
    if (*c.ctest) env.push_back(c.ctest);
    const pid_t run = script.Start({c.command}, env);
    ASSERT_GT(run, 0);
    const std::string tmpdir = script.Dir().File("tmpdir");
    ASSERT_TRUE(Eventually([&] {
      return c.when == Started ? !vntest::NamesIn(tmp.Path()).empty() : fs::exists(tmpdir);
    }));
    int status = -1;
    std::vector<pid_t> left;
    if (c.presses > 0) {
      status = Interrupt(run, left, c.presses);
    } else {
      int raw = 0;
      if (waitpid(run, &raw, 0) == run && WIFEXITED(raw)) status = WEXITSTATUS(raw);
    }
    EXPECT_EQ(status, c.status) << vntest::ReadFile(script.Dir().File("stderr.txt"));
    EXPECT_EQ(left, std::vector<pid_t>{});
    EXPECT_EQ(vntest::NamesIn(tmp.Path()), std::vector<std::string>{});
    if (c.when == Started) continue;  // no test or benchmark may have run
    // A folder of the run's own, inside the one it was given.
    std::string given = vntest::ReadFile(tmpdir);
    EXPECT_EQ(given.rfind(tmp.Path() + "/", 0), 0u) << given;
    // Open to all as the temporary folder is: tests that act as another
    // user reach their files through it.
    EXPECT_EQ(vntest::ReadFile(script.Dir().File("mode")), "1777\n");
  }
}

// The benchmarks' lines, on standard output and standard error alike, show
// as each program writes them, not when it ends, also where they go through
// a pipe or into a file, and each under its own program.
TEST(RunScript, TheBenchmarksLinesShowAsTheyAreWritten) {
  RunScript script;
  // The notes' filter passes each line on a moment late, as a busy machine
  // may.
  script.Stub("grep", "/bin/grep \"$@\" | while IFS= read -r l; do sleep 0.2; echo \"$l\"; done\n");
  const pid_t run = script.Start({"bench"}, {script.Path()});
  ASSERT_GT(run, 0);
  const std::string output = script.Dir().File("stderr.txt");
  const auto shown = [&] {
    const std::string text = vntest::ReadFile(output);
    return text.find("snmp_bench: figure\n") != std::string::npos &&
           text.find("snmp_bench: note\n") != std::string::npos;
  };
  Eventually(shown);
  EXPECT_TRUE(shown()) << vntest::ReadFile(output);
  script.Dir().Write("go", "");
  int status = 0;
  ASSERT_EQ(waitpid(run, &status, 0), run);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << vntest::ReadFile(output);
  for (const char* b : {"snmp_bench", "walk_bench", "listview_bench", "page_bench"}) {
    const std::string name = b;
    EXPECT_NE(vntest::ReadFile(output).find("== " + name + "\n" + name + ": figure\n" + name +
                                            ": note\n"),
              std::string::npos)
        << vntest::ReadFile(output);
  }
}

// Ctrl-C in the demo without a display ends the module, its virtual X
// server and the simulator, and leaves nothing in the temporary folder
// (xvfb-run's authority folder and the toolkit's runtime folder among what
// could stay), nor in the checkout (the X authority file, the boots
// counter). The demo runs this tree's own programs.
TEST(RunScript, CtrlCInTheDemoLeavesNothingBehind) {
  if (vntest::OnPath("xvfb-run").empty()) GTEST_SKIP() << "no xvfb-run";
  RunScript script;
  fs::create_directory(script.Dir().File("build"));
  fs::create_directory_symlink(VN_BINARY_DIR, script.Dir().File("build/release"));
  const vntest::TempDir tmp;
  const pid_t run = script.Start({"demo"}, {script.Path(), "TMPDIR=" + tmp.Path()});
  ASSERT_GT(run, 0);
  // Up once the module has read the simulated switch (the simulator's log in
  // the demo's folder names its user).
  std::string folder;  // the demo's
  Eventually([&] {
    for (const auto& entry : fs::directory_iterator(tmp.Path()))
      if (vntest::ReadFile(entry.path() / "requests.log").find("md5des") != std::string::npos)
        folder = entry.path().string();
    return !folder.empty() || Ended(run);
  });
  const std::string said = vntest::ReadFile(script.Dir().File("stderr.txt"));
  EXPECT_FALSE(folder.empty()) << said;
  // It says where the simulator's control socket and request log are.
  EXPECT_NE(said.find("(control socket " + folder + "/control.sock, request log " + folder +
                      "/requests.log)\n"),
            std::string::npos)
      << said;

  // The script, the module, the X server and the simulator end at once or
  // with the script's clean-up, which a second Ctrl-C does not cut short.
  std::vector<pid_t> left;
  EXPECT_EQ(Interrupt(run, left, 3), 130);
  EXPECT_EQ(left, std::vector<pid_t>{});
  EXPECT_EQ(vntest::NamesIn(tmp.Path()), std::vector<std::string>{});
  const std::vector<std::string> checkout = {"bin", "build", "cmake.log", "run", "stderr.txt"};
  EXPECT_EQ(vntest::NamesIn(script.Dir().Path()), checkout);
}

}  // namespace
