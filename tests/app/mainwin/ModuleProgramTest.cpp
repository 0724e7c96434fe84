// The module program itself, started as the host starts it, against the
// simulated switch: it comes up, shows its window and reads the device; and
// the exit status its entry gives the host.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "MainWindowTestSupport.h"
#include "app/ConnectionParameters.h"
#include "app/MainUnit.h"
#include "app/ProgramEntry.h"
#include "app/Unit1.h"
#include "library/VnSNMPSession.h"
#include "platform/ExtCtrls.h"
#include "support/FileSizeLimit.h"
#include "support/Xvfb.h"

namespace {

// A TCP port on 127.0.0.1 that was free a moment ago.
int FreeTcpPort() {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  int port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
    port = ntohs(addr.sin_port);
  close(fd);
  return port;
}

// The keyboard of a program shown on Qt's VNC platform: a minimal RFB client
// that presses keys, as the user in front of the screen would.
class VncKeyboard {
 public:
  VncKeyboard() = default;
  ~VncKeyboard() {
    if (fd_ >= 0) close(fd_);
  }
  VncKeyboard(const VncKeyboard&) = delete;
  VncKeyboard& operator=(const VncKeyboard&) = delete;

  // Connects and shakes hands (no authentication); false when the server is
  // not there (yet) or answers otherwise.
  bool Connect(int port) {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    if (connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) return Fail();
    std::string version;
    if (!Read(12, version) || version.rfind("RFB 003.", 0) != 0) return Fail();
    std::string security;
    if (version == "RFB 003.003\n") {
      // The server names the one security type: 1, none.
      if (!Write(version) || !Read(4, security) || security != std::string("\0\0\0\1", 4))
        return Fail();
    } else {
      std::string count, types, result;
      if (!Write("RFB 003.008\n") || !Read(1, count) || count[0] == 0 ||
          !Read(static_cast<unsigned char>(count[0]), types) ||
          types.find('\1') == std::string::npos || !Write(std::string(1, '\1')) ||
          !Read(4, result) || result != std::string(4, '\0'))
        return Fail();
    }
    return Write(std::string(1, '\1'));  // shared session
  }
  // Presses and releases the key (an X keysym).
  bool Press(std::uint32_t keysym) {
    std::string event = {4,
                         1,
                         0,
                         0,
                         static_cast<char>(keysym >> 24),
                         static_cast<char>(keysym >> 16),
                         static_cast<char>(keysym >> 8),
                         static_cast<char>(keysym)};
    if (!Write(event)) return false;
    event[1] = 0;
    return Write(event);
  }

 private:
  bool Fail() {
    close(fd_);
    fd_ = -1;
    return false;
  }
  bool Write(const std::string& bytes) {
    return send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
  }
  bool Read(std::size_t count, std::string& out) {
    out.clear();
    while (out.size() < count) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 5000) <= 0) return false;
      char buf[64];
      const ssize_t n = recv(fd_, buf, std::min(sizeof buf, count - out.size()), 0);
      if (n <= 0) return false;
      out.append(buf, static_cast<std::size_t>(n));
    }
    return true;
  }

  int fd_ = -1;
};

constexpr std::uint32_t kReturnKey = 0xff0d;

class ModuleProgramTest : public MainWindowTest {
 protected:
  // Starts the program in a folder of its own with its own registry file,
  // on Qt's `platform` (on the X `display` given), under a file-size limit
  // when one is given.
  pid_t Start(const std::vector<std::string>& args, const std::string& platform = "offscreen",
              rlim_t fileSizeLimit = RLIM_INFINITY, const std::string& display = "") {
    out_ = dir_.File("output.txt");
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
      // The module ends with the test process, even when that is killed (a
      // test timeout); the test may have died before the request.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != parent) _exit(126);
      if (chdir(dir_.Path().c_str()) != 0) _exit(126);
      const int fd = open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(fd, 1);
      dup2(fd, 2);
      setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
      if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
      unsetenv("QT_XCB_NO_MITSHM");  // the program's own choice
      setenv("KXR_REGISTRY", dir_.File("registry.ini").c_str(), 1);
      unsetenv("XDG_RUNTIME_DIR");  // as on a machine without a login session
      setenv("TMPDIR", tmp_.Path().c_str(), 1);
      for (const auto& [name, value] : env_) {
        if (value)
          setenv(name.c_str(), value->c_str(), 1);
        else
          unsetenv(name.c_str());
      }
      if (fileSizeLimit != RLIM_INFINITY) {
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
      }
      std::vector<std::string> copy = {VN_MODULE_BIN};
      copy.insert(copy.end(), args.begin(), args.end());
      std::vector<char*> argv;
      for (auto& a : copy) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    return pid;
  }
  // However the program ended (ended from outside while it ran, or on its
  // own at start-up), it left nothing in its temporary folder: neither the
  // toolkit's runtime folder nor one of its own.
  void TearDown() override {
    EXPECT_EQ(vntest::NamesIn(tmp_.Path()), std::vector<std::string>{});
    MainWindowTest::TearDown();
  }
  // Waits until the simulator's log holds every text; false after 20 s.
  bool LogShows(const std::vector<std::string>& texts) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
      const std::string log = NewLog();
      bool all = true;
      for (const std::string& t : texts) all = all && log.find(t) != std::string::npos;
      if (all) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  // True when the program was still running; it is ended either way.
  static bool StopRunning(pid_t pid) {
    int status = 0;
    const bool running = waitpid(pid, &status, WNOHANG) == 0;
    if (running) {
      kill(pid, SIGTERM);
      waitpid(pid, &status, 0);
    }
    return running;
  }

  // The program reads every text of the log and still runs; it is ended.
  void ExpectRunningAfterReading(pid_t pid, const std::vector<std::string>& texts) {
    const bool seen = LogShows(texts);
    EXPECT_TRUE(StopRunning(pid)) << vntest::ReadFile(out_);
    EXPECT_TRUE(seen) << NewLog() << vntest::ReadFile(out_);
  }

  vntest::TempDir dir_;
  vntest::TempDir tmp_;  // the program's TMPDIR
  std::string out_;
  // Set (std::nullopt: removed) in the program's environment last of all.
  std::vector<std::pair<std::string, std::optional<std::string>>> env_;
};

TEST_F(ModuleProgramTest, StartsWithSnmpV2cThroughTheConfigurationFile) {
  // SNMPv1 and v2c reach a port other than 161 only through the file.
  std::ofstream(dir_.File("127.0.0.1.cfg"))
      << "[Program Information]\nAgentPort=" << Sim().Port()
      << "\nVersion=1\nSecurityModel=2\nSecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n";
  const pid_t pid = Start({"/I127.0.0.1", "/Rqovalt", "/Wmundrel"});
  ASSERT_GT(pid, 0);
  ExpectRunningAfterReading(
      pid, {"v2c\tqovalt\t\"\"\tGET\tnoError\t0\t1.3.6.1.4.1.171.11.101.1.2.1.1.4.0",
            "v2c\tqovalt\t\"\"\tGET\tnoError\t0\t1.3.6.1.4.1.171.11.101.1.2.1.2.4.0",
            "v2c\tqovalt\t\"\"\tGET\tnoError\t0\t1.0.8802.1.1.1.1.1.1.0"});
  // The help-path key was made in the program's own registry file.
  EXPECT_NE(vntest::ReadFile(dir_.File("registry.ini")).find("Modules\\HelpPath"),
            std::string::npos);
}

TEST_F(ModuleProgramTest, StartsWithSnmpV3Switches) {
  const pid_t pid = Start({"/I127.0.0.1", "/v3", "/t" + std::to_string(Sim().Port()), "/m3", "/l3",
                           "/nmd5des", "/a2", "/Amd5password", "/p2", "/Pdespassword"});
  ASSERT_GT(pid, 0);
  ExpectRunningAfterReading(
      pid, {"v3\tmd5des\t\"\"\tGET\tnoError\t0\t1.3.6.1.4.1.171.11.101.1.2.1.2.4.0",
            "v3\tmd5des\t\"\"\tGET\tnoError\t0\t1.0.8802.1.1.1.1.1.1.0"});
  // Starting without a runtime folder is nothing to tell the user about.
  EXPECT_EQ(vntest::ReadFile(out_).find("XDG_RUNTIME_DIR"), std::string::npos)
      << vntest::ReadFile(out_);
}

// On an X display the program's pictures go to the server over its
// connection, not through memory shared with the server, which would make
// every paint pass wait for the server first.
TEST_F(ModuleProgramTest, DrawsOnAnXDisplayWithoutMemorySharedWithTheServer) {
  vntest::Xvfb x;
  ASSERT_TRUE(x.Ok());
  std::ofstream(dir_.File("127.0.0.1.cfg"))
      << "[Program Information]\nAgentPort=" << Sim().Port() << "\nVersion=1\n";
  const pid_t pid =
      Start({"/I127.0.0.1", "/Rqovalt", "/Wmundrel"}, "xcb", RLIM_INFINITY, x.Display());
  ASSERT_GT(pid, 0);
  // Up, shown and reading the device; then a moment for the first paintings.
  const bool seen = LogShows({"v2c\tqovalt\t\"\"\tGET\tnoError\t0\t1.0.8802.1.1.1.1.1.1.0"});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const std::string maps = vntest::ReadFile("/proc/" + std::to_string(pid) + "/maps");
  EXPECT_TRUE(StopRunning(pid)) << vntest::ReadFile(out_);
  ASSERT_TRUE(seen) << NewLog() << vntest::ReadFile(out_);
  ASSERT_NE(maps.find("libQt6XcbQpa"), std::string::npos) << "not on the X display";
  // The server's segments: memory it made (MIT-SHM 1.2) or a System V one.
  EXPECT_EQ(maps.find("memfd:xorg"), std::string::npos) << maps;
  EXPECT_EQ(maps.find("SYSV"), std::string::npos) << maps;
}

// Without a display the module says so in its own words, and how to start
// it, and ends with status 1 before it writes anything (TearDown: nor in its
// temporary folder); when the toolkit's platform is not installed it says
// that, with a display or without, never with the toolkit's abort. Where the toolkit's platform
// needs no display, or the display is there, it starts: also on a server that resets once its last
// client leaves and has no other, as one started for the module alone.
TEST_F(ModuleProgramTest, WithoutADisplayItSaysHowToStartAndEndsWithStatusOne) {
  vntest::Xvfb x(vntest::Xvfb::Resets);
  ASSERT_TRUE(x.Ok());
  int unused = 6000;
  while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(unused)) ||
         std::filesystem::exists("/tmp/.X" + std::to_string(unused) + "-lock"))
    ++unused;
  const std::string nowhere = ":" + std::to_string(unused);
  using Env = std::optional<std::string>;
  struct Case {
    Env platform, display, wayland;
    std::string missing;         // empty: it starts
    bool platformFails = false;  // said as the platform, not as a missing display
  };
  const std::vector<Case> cases = {
      {{}, {}, {}, "DISPLAY is not set"},
      {{}, "", "wayland-7", "DISPLAY is not set"},
      {"xcb", {}, {}, "DISPLAY is not set"},
      {{}, nowhere, {}, "the X display '" + nowhere + "' cannot be opened"},
      {"xcb:nomitshm", nowhere, {}, "the X display '" + nowhere + "' cannot be opened"},
      {"nosuchplatform",
       {},
       {},
       "the window platform 'nosuchplatform' (QT_QPA_PLATFORM) cannot be started: it is not "
       "installed, or it failed.",
       true},
      {"nosuchplatform",
       x.Display(),
       {},
       "the window platform 'nosuchplatform' (QT_QPA_PLATFORM) cannot be started: it is not "
       "installed, or it failed.",
       true},
      {"offscreen", {}, {}, ""},
      {{}, x.Display(), {}, ""},
  };
  const std::string counter = dir_.File(kSnmpBootCounterFile);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.platform.value_or("(no platform)") + " " + c.display.value_or("(no display)"));
    env_ = {{"QT_QPA_PLATFORM", c.platform},
            {"DISPLAY", c.display},
            {"WAYLAND_DISPLAY", c.wayland},
            {"XDG_SESSION_TYPE", {}}};
    const pid_t pid = Start({});
    ASSERT_GT(pid, 0);
    if (c.missing.empty()) {
      // Up: the boots counter is written first; the box that asks for an
      // argument keeps it running.
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (!std::filesystem::exists(counter) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      EXPECT_TRUE(StopRunning(pid)) << vntest::ReadFile(out_);
      EXPECT_TRUE(std::filesystem::exists(counter)) << vntest::ReadFile(out_);
      std::remove(counter.c_str());
      std::remove(dir_.File("registry.ini").c_str());
      continue;
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1)
        << status << " " << vntest::ReadFile(out_);
    EXPECT_EQ(vntest::ReadFile(out_),
              c.platformFails
                  ? "kxr-module: " + c.missing + "\n"
                  : "kxr-module: no display was found: " + c.missing +
                        ".\nStart the module on an X display (DISPLAY=:0 kxr-module /I10.0.0.2 "
                        "...) or on a virtual one that nobody sees (xvfb-run -a kxr-module "
                        "/I10.0.0.2 ...).\n");
    EXPECT_EQ(vntest::NamesIn(dir_.Path()), std::vector<std::string>{"output.txt"});
    EXPECT_EQ(vntest::NamesIn(tmp_.Path()), std::vector<std::string>{});
  }
}

// A file without most keys is no obstacle, and a pass phrase that holds
// "/I" does not move the module to another device.
TEST_F(ModuleProgramTest, StartsWithAFileLackingKeysAndAPassPhraseHoldingASwitch) {
  std::ofstream(dir_.File("127.0.0.1.cfg"))
      << "[Program Information]\nAgentPort=" << Sim().Port() << "\nVersion=1\n";
  const pid_t pid = Start({"/I127.0.0.1", "/Rqovalt", "/Aab/I9.9.9.9", "/Wmundrel"});
  ASSERT_GT(pid, 0);
  ExpectRunningAfterReading(
      pid, {"v2c\tqovalt\t\"\"\tGET\tnoError\t0\t1.3.6.1.4.1.171.11.101.1.2.1.2.4.0",
            "v2c\tqovalt\t\"\"\tGET\tnoError\t0\t1.0.8802.1.1.1.1.1.1.0"});
}

// A file-size limit (ulimit -f) makes the boots counter's write fail: the
// program says so in its box and, once that is answered, ends with status 1,
// leaving no temporary file and the counter as it was.
TEST_F(ModuleProgramTest, AFileSizeLimitIsAFailedWriteThatLeavesNoTemporaryFile) {
  struct Case {
    const char* what;
    const char* counter;  // the counter file before; nullptr: none
  };
  const std::vector<Case> cases = {
      {"a first start", nullptr},
      {"a later start", "566E534E4D505F50505F4170706C69636174696F6E 4\n"}};
  const std::string counter = dir_.File(kSnmpBootCounterFile);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::remove(counter.c_str());
    if (c.counter) dir_.Write(kSnmpBootCounterFile, c.counter);
    dir_.Write("output.txt", "");
    const std::vector<std::string> before = vntest::NamesIn(dir_.Path());

    const int vncPort = FreeTcpPort();
    const pid_t pid = Start({"/I127.0.0.1", "/Rqovalt", "/Wmundrel"},
                            "vnc:size=640x480:port=" + std::to_string(vncPort), 0);
    ASSERT_GT(pid, 0);
    // Return answers the box once it is up, as the user in front of it would.
    VncKeyboard keyboard;
    bool connected = false;
    int status = 0;
    bool ended = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      ended = waitpid(pid, &status, WNOHANG) == pid;
      if (ended) break;
      if (!connected) connected = keyboard.Connect(vncPort);
      if (connected) keyboard.Press(kReturnKey);
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    if (!ended) StopRunning(pid);
    EXPECT_TRUE(ended) << "still running with its box";
    EXPECT_TRUE(WIFEXITED(status)) << (WIFSIGNALED(status) ? strsignal(WTERMSIG(status)) : "");
    EXPECT_EQ(WEXITSTATUS(status), kStartupFailedStatus);
    const std::vector<std::string> after = vntest::NamesIn(dir_.Path());
    EXPECT_EQ(after, before);
    EXPECT_EQ(vntest::ReadFile(counter), c.counter ? c.counter : "");
  }
}

// The program entry run in this process, its forms deleted afterwards.
class ProgramEntryTest : public MainWindowTest {
 protected:
  void TearDown() override {
    Forget();
    MainWindowTest::TearDown();
  }
  void Forget() {
    DeleteMainWindow();
    delete Form1;
    Form1 = nullptr;
    Application->ResetLoopState();
  }
};

TEST_F(ProgramEntryTest, AStartUpThatCannotGoOnEndsWithANonZeroStatus) {
  TestKit::DialogScript boxes;
  boxes.Expect("No parameter input");
  SetArguments({});
  window_ = nullptr;
  EXPECT_EQ(RunModule(), kStartupFailedStatus);
  window_ = MainForm;
  Forget();

  WriteConfig("", "127.0.0.1", {"AgentPort=abc"});
  boxes.Expect(
      "Configuration file \"127.0.0.1.cfg\", key \"AgentPort\": 'abc' is not a valid integer "
      "value.");
  SetArguments({"/I127.0.0.1", "/Rqovalt"});
  EXPECT_EQ(RunModule(), kStartupFailedStatus);
  EXPECT_EQ(MainForm, nullptr);

  // The boots counter cut short by a file-size limit: nothing is left of
  // the new file.
  WriteSimulatorConfig();
  boxes.Expect("Error when saving SNMP engine boots counter!");
  {
    vntest::FileSizeLimit limit(0);
    EXPECT_EQ(RunModule(), kStartupFailedStatus);
  }
  EXPECT_EQ(MainForm, nullptr);
  for (const auto& entry : std::filesystem::directory_iterator(WorkDir()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

// Every start writes the help-path key, but for one that the engine-boots
// counter stops first: the counter comes before the registry.
TEST_F(ProgramEntryTest, EveryStartPastTheBootsCounterWritesTheHelpPathKey) {
  enum Counter { Fine, CannotBeSaved, CannotBeLoaded };
  struct Case {
    const char* what;
    std::vector<std::string> args;
    Counter counter;
    const char* box;
  };
  const std::vector<Case> cases = {
      {"no argument", {}, Fine, "No parameter input"},
      {"a bad file value",
       {"/I127.0.0.1", "/Rqovalt"},
       Fine,
       "Configuration file \"127.0.0.1.cfg\", key \"AgentPort\": 'abc' is not a valid integer "
       "value."},
      {"a counter that cannot be saved",
       {},
       CannotBeSaved,
       "Error when saving SNMP engine boots counter!"},
      {"a counter that cannot be loaded",
       {},
       CannotBeLoaded,
       "Error when loading SNMP engine boots counter!"},
  };
  WriteConfig("", "127.0.0.1", {"AgentPort=abc"});
  const std::string counter = WorkDir() + "/" + kSnmpBootCounterFile;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TMemoryRegistryStore registry;
    TRegistryStoreOverride use(registry);
    if (c.counter == CannotBeLoaded) std::filesystem::create_symlink("elsewhere", counter);
    TestKit::DialogScript boxes;
    boxes.Expect(c.box);
    SetArguments(c.args);
    {
      vntest::FileSizeLimit limit(c.counter == CannotBeSaved ? 0 : RLIM_INFINITY);
      EXPECT_EQ(RunModule(), kStartupFailedStatus);
    }
    boxes.Verify();
    // A start that the counter stops leaves the registry as it was.
    if (c.counter == Fine)
      EXPECT_TRUE(registry.KeyExists(AnsiString("HKEY_LOCAL_MACHINE") + kHelpPathKey));
    else
      EXPECT_EQ(registry.Text(), "");
    window_ = MainForm;
    Forget();
    std::remove(counter.c_str());
  }
}

TEST_F(ProgramEntryTest, ANormalCloseEndsWithStatusZero) {
  WriteSimulatorConfig();
  SetArguments({"/I127.0.0.1", "/Rqovalt", "/Wmundrel"});
  TTimer closer;
  closer.SetInterval(10);
  closer.OnTimer = [](TObject*) {
    if (MainForm && MainForm->Activated) MainForm->Close();
  };
  EXPECT_EQ(RunModule(), 0);
  window_ = MainForm;
  EXPECT_TRUE(window_ && window_->Activated);
}

}  // namespace
