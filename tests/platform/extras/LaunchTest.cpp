#include <dirent.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

#include "platform/Dialogs.h"
#include "platform/Launch.h"
#include "platform/LaunchServices.h"
#include "support/TestSupport.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Pids of this process's children, zombies included.
std::vector<int> OwnChildren() {
  std::vector<int> children;
  const int self = getpid();
  DIR* proc = opendir("/proc");
  if (!proc) return children;
  while (dirent* e = readdir(proc)) {
    const int pid = std::atoi(e->d_name);
    if (pid <= 0) continue;
    std::string stat = vntest::ReadFile("/proc/" + std::string(e->d_name) + "/stat");
    const auto close = stat.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    int ppid = 0;
    if (std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && ppid == self)
      children.push_back(pid);
  }
  closedir(proc);
  return children;
}

bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 500; ++i) {
    if (access(path.c_str(), F_OK) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

void WriteProgram(const std::string& path, const std::string& text, mode_t mode) {
  std::ofstream(path, std::ios::binary) << text;
  chmod(path.c_str(), mode);
}

class CurrentDir {
 public:
  explicit CurrentDir(const std::string& dir) : old_(getcwd(nullptr, 0)) {
    EXPECT_EQ(chdir(dir.c_str()), 0);
  }
  ~CurrentDir() {
    EXPECT_EQ(chdir(old_), 0);
    std::free(old_);
  }
  CurrentDir(const CurrentDir&) = delete;
  CurrentDir& operator=(const CurrentDir&) = delete;

 private:
  char* old_;
};

TEST(WinExec, SplitsAtBlanksWithQuotesGroupingAndNoShell) {
  TRecordingLauncher launcher;
  TLauncherOverride use(launcher);

  EXPECT_EQ(WinExec("MIB /I10.90.90.90 /Rpublic /Wprivate /TMIB_IFTable", SW_SHOW), 33u);
  EXPECT_EQ(
      WinExec("  \"C:\\Program Files\\Viewer\\MIB.exe\"\t/Rpub\" \"lic \"\" \"a\"\"b\"  ", SW_SHOW),
      33u);
  EXPECT_EQ(WinExec("echo $HOME;rm * | x 'a b' C:\\dir\\", SW_SHOW), 33u);
  EXPECT_EQ(WinExec("\"unterminated quote", SW_SHOW), 33u);

  ASSERT_EQ(launcher.Calls.size(), 4u);
  EXPECT_THAT(launcher.Calls[0],
              ElementsAre("MIB", "/I10.90.90.90", "/Rpublic", "/Wprivate", "/TMIB_IFTable"));
  // The program's path is translated; its arguments go as they are.
  EXPECT_THAT(launcher.Calls[1],
              ElementsAre("C:/Program Files/Viewer/MIB.exe", "/Rpub lic", "", "a\"b"));
  EXPECT_THAT(launcher.Calls[2],
              ElementsAre("echo", "$HOME;rm", "*", "|", "x", "'a", "b'", "C:\\dir\\"));
  EXPECT_THAT(launcher.Calls[3], ElementsAre("unterminated quote"));
}

TEST(WinExec, ReportsTheLaunchersResultAndRefusesEmptyLines) {
  TRecordingLauncher launcher;
  TLauncherOverride use(launcher);
  launcher.Result = ERROR_FILE_NOT_FOUND;
  EXPECT_EQ(WinExec("viewer /x", SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec("", SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec(" \t ", SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec(nullptr, SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(launcher.Calls.size(), 1u);
}

TEST(WinExec, StartsRealProgramsDetachedWithoutZombies) {
  vntest::TempDir dir;
  // Another child of ours, waited for by pid as the tests' peers are.
  const pid_t other = fork();
  ASSERT_GE(other, 0);
  if (other == 0) {
    usleep(300 * 1000);
    _exit(7);
  }

  EXPECT_GT(WinExec("/bin/true", SW_SHOW), 31u);
  const std::string made = dir.File("a b");
  EXPECT_GT(WinExec(("touch \"" + made + "\"").c_str(), SW_SHOW), 31u);  // found on $PATH
  EXPECT_TRUE(WaitForFile(made));

  EXPECT_THAT(OwnChildren(), ElementsAre(other));
  int status = 0;
  ASSERT_EQ(waitpid(other, &status, 0), other);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 7);
  EXPECT_THAT(OwnChildren(), IsEmpty());
}

TEST(WinExec, LooksForBareNamesInTheCurrentFolder) {
  vntest::TempDir dir;
  WriteProgram(dir.File("vn-viewer-stub"), "#!/bin/sh\necho \"$@\" > \"$0.out\"\n", 0755);
  CurrentDir here(dir.Path());
  EXPECT_GT(WinExec("vn-viewer-stub /I1.2.3.4 /TMIB_Info", SW_SHOW), 31u);
  ASSERT_TRUE(WaitForFile(dir.File("vn-viewer-stub.out")));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(vntest::ReadFile(dir.File("vn-viewer-stub.out")), "/I1.2.3.4 /TMIB_Info\n");
}

TEST(WinExec, StartedProgramsInheritNoIgnoredSignal) {
  // The module ignores SIGXFSZ and SIGPIPE for itself; a program it starts
  // gets their default actions.
  vntest::TempDir dir;
  WriteProgram(dir.File("vn-signals-stub"), "#!/bin/sh\ngrep SigIgn /proc/$$/status > \"$0.out\"\n",
               0755);
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  const int kSignals[] = {SIGXFSZ, SIGPIPE};
  struct sigaction previous[2] = {};
  for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &ignore, &previous[i]);
  EXPECT_GT(WinExec(dir.File("vn-signals-stub").c_str(), SW_SHOW), 31u);
  for (int i = 0; i < 2; ++i) sigaction(kSignals[i], &previous[i], nullptr);
  ASSERT_TRUE(WaitForFile(dir.File("vn-signals-stub.out")));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const std::string line = vntest::ReadFile(dir.File("vn-signals-stub.out"));
  ASSERT_EQ(line.rfind("SigIgn:", 0), 0u) << line;
  const unsigned long long ignored = std::stoull(line.substr(7), nullptr, 16);
  for (int sig : kSignals) EXPECT_EQ(ignored & (1ULL << (sig - 1)), 0u) << strsignal(sig);
}

TEST(WinExec, FailuresGiveTheSmallResultCodes) {
  vntest::TempDir dir;
  WriteProgram(dir.File("plain.txt"), "text", 0644);
  WriteProgram(dir.File("garbage"), "\x01\x02 not a program", 0755);  // exec itself fails
  EXPECT_EQ(WinExec("vn-no-such-program-anywhere", SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec((dir.File("missing") + " x").c_str(), SW_SHOW), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec((dir.File("no-folder") + "\\prog").c_str(), SW_SHOW), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(WinExec(dir.File("plain.txt").c_str(), SW_SHOW), ERROR_BAD_FORMAT);
  EXPECT_EQ(WinExec(dir.Path().c_str(), SW_SHOW), ERROR_BAD_FORMAT);
  EXPECT_EQ(WinExec(dir.File("garbage").c_str(), SW_SHOW), ERROR_BAD_FORMAT);
  EXPECT_THAT(OwnChildren(), IsEmpty());
}

// Notes the boxes asked for and answers OK.
class RecordingBoxes : public IDialogService {
 public:
  RecordingBoxes() : previous_(SetDialogService(this)) {}
  ~RecordingBoxes() override { SetDialogService(previous_); }
  RecordingBoxes(const RecordingBoxes&) = delete;
  RecordingBoxes& operator=(const RecordingBoxes&) = delete;
  int Show(const TDialogRequest& request) override {
    Shown.push_back(request);
    return 1;
  }
  std::vector<TDialogRequest> Shown;

 private:
  IDialogService* previous_;
};

TEST(WinHelpA, OpensAnExistingFileByItsTranslatedPath) {
  vntest::TempDir dir;
  const std::string help = dir.Write("Program Files/KXR-5800-10 kelvane.hlp", "help");
  TRecordingLauncher launcher;
  TLauncherOverride use(launcher);
  RecordingBoxes boxes;

  // The folder as the module builds it: with a trailing backslash.
  const std::string asBuilt = dir.Path() + "/Program Files\\KXR-5800-10 kelvane.hlp";
  EXPECT_EQ(WinHelpA(nullptr, asBuilt.c_str(), HELP_CONTENTS, 0), TRUE);
  ASSERT_EQ(launcher.Calls.size(), 1u);
  EXPECT_THAT(launcher.Calls[0], ElementsAre("xdg-open", help));

  EXPECT_TRUE(boxes.Shown.empty());

  // A missing file is reported as the help system reports it, by its path
  // as translated; nothing is started.
  EXPECT_EQ(WinHelpA(nullptr, (dir.Path() + "\\missing.hlp").c_str(), HELP_CONTENTS, 0), FALSE);
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].text.str(),
            "The help file \"" + dir.File("missing.hlp") + "\" was not found.");
  EXPECT_EQ(boxes.Shown[0].type, mtError);
  EXPECT_EQ(WinHelpA(nullptr, help.c_str(), HELP_QUIT, 0), TRUE);
  EXPECT_EQ(WinHelpA(nullptr, nullptr, HELP_CONTENTS, 0), FALSE);
  launcher.Result = ERROR_FILE_NOT_FOUND;  // no xdg-open on this desktop
  EXPECT_EQ(WinHelpA(nullptr, help.c_str(), HELP_CONTENTS, 0), FALSE);
  EXPECT_EQ(launcher.Calls.size(), 2u);
  EXPECT_EQ(boxes.Shown.size(), 1u);
}

TEST(Beep, BothBeepsReachTheBeeper) {
  {
    TRecordingBeeper beeper;
    TBeeperOverride use(beeper);
    EXPECT_EQ(Beep(1000, 200), TRUE);
    EXPECT_EQ(MessageBeep(0), TRUE);
    EXPECT_THAT(beeper.Calls, ElementsAre("Beep 1000 200", "MessageBeep 0"));
  }
  // Without a GUI application the real beeper stays silent.
  EXPECT_EQ(&Beeper(), &SystemBeeper());
  EXPECT_EQ(Beep(1000, 200), TRUE);
  EXPECT_EQ(MessageBeep(0), TRUE);
}

}  // namespace
