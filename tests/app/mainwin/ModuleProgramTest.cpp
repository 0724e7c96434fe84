// The module program itself, started as the host starts it, against the
// simulated switch: it comes up, shows its window and reads the device; and
// the exit status its entry gives the host.
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "MainWindowTestSupport.h"
#include "app/MainUnit.h"
#include "app/ProgramEntry.h"
#include "app/Unit1.h"
#include "platform/ExtCtrls.h"

namespace {

class ModuleProgramTest : public MainWindowTest {
 protected:
  // Starts the program in a folder of its own with its own registry file.
  pid_t Start(const std::vector<std::string>& args) {
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
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      setenv("KXR_REGISTRY", dir_.File("registry.ini").c_str(), 1);
      unsetenv("XDG_RUNTIME_DIR");  // as on a machine without a login session
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
  std::string out_;
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
