// What a writer killed at work left: removed by the next writer, and only
// that.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Leftovers.h"
#include "support/Deadline.h"
#include "support/EffectiveUser.h"
#include "support/RewriteOwner.h"
#include "support/TestSupport.h"

namespace {

// A process id that was a process's a moment ago.
pid_t GonePid() {
  const pid_t pid = fork();
  if (pid == 0) _exit(0);
  int status = 0;
  waitpid(pid, &status, 0);
  return pid;
}

TEST(Leftovers, OnlyWhatAGoneWritersNameCarriesAndNobodyHoldsGoes) {
  enum Kind { File, PrivateFolder, OpenFolder, Link, Fifo, OthersFile };
  struct Case {
    const char* what;
    std::string name;
    Kind kind;
    bool locked;  // held by this process meanwhile
    bool removed;
  };
  const std::string gone = std::to_string(GonePid());
  const std::string alive = std::to_string(getpid());
  // The process id past the range, wrapped, would name the gone process.
  const std::string wrapped = std::to_string((1L << 32) + std::stol(gone));
  const std::vector<Case> cases = {
      {"a gone writer's file", "c.tmp." + gone + ".a1", File, false, true},
      {"a gone writer's private folder", "c.tmp." + gone + ".a2", PrivateFolder, false, true},
      {"a running writer's file, before its lock", "c.tmp." + alive + ".a3", File, false, false},
      {"a file still locked", "c.tmp." + gone + ".a4", File, true, false},
      {"a folder still locked", "c.tmp." + gone + ".a5", PrivateFolder, true, false},
      {"a folder others may enter", "c.tmp." + gone + ".a6", OpenFolder, false, false},
      {"a link", "c.tmp." + gone + ".a7", Link, false, false},
      {"a FIFO", "c.tmp." + gone + ".a8", Fifo, false, false},
      {"another user's file", "c.tmp." + gone + ".a9", OthersFile, false, false},
      {"no dot after the id", "c.tmp." + gone + "b1", File, false, false},
      {"nothing after the id", "c.tmp." + gone + ".", File, false, false},
      {"no id", "c.tmp..b2", File, false, false},
      {"an id past the range", "c.tmp." + wrapped + ".b3", File, false, false},
      {"another prefix", "d.tmp." + gone + ".b4", File, false, false},
  };
  vntest::TempDir dir;
  const std::string victim = dir.Write("victim", "kept\n");
  std::vector<int> held;
  for (const Case& c : cases) {
    const std::string path = dir.File(c.name);
    switch (c.kind) {
      case File:
      case OthersFile:
        dir.Write(c.name, "x");
        break;
      case PrivateFolder:
      case OpenFolder:
        ASSERT_EQ(mkdir(path.c_str(), c.kind == PrivateFolder ? 0700 : 0755), 0);
        dir.Write(c.name + "/inside", "x");
        ASSERT_EQ(mkdir((path + "/empty").c_str(), 0700), 0);
        break;
      case Link:
        ASSERT_EQ(symlink(victim.c_str(), path.c_str()), 0);
        break;
      case Fifo:
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        break;
    }
    if (c.kind == OthersFile) {
      // Only root can give a file away; others have no such file here.
      if (geteuid() == 0)
        ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
      else
        ASSERT_EQ(unlink(path.c_str()), 0);
    }
    if (c.locked) {
      const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
      ASSERT_GE(fd, 0);
      ASSERT_EQ(flock(fd, LOCK_EX), 0);
      held.push_back(fd);
    }
  }
  {
    vntest::Deadline deadline(5);
    RemoveLeftovers(dir.Path(), "c.tmp.");
    EXPECT_FALSE(deadline.Passed()) << "waited at the FIFO";
  }
  for (const int fd : held) close(fd);
  for (const Case& c : cases) {
    if (c.kind == OthersFile && geteuid() != 0) continue;
    std::error_code ec;
    EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(dir.File(c.name), ec)),
              !c.removed)
        << c.what;
  }
  EXPECT_EQ(vntest::ReadFile(victim), "kept\n");
}

// A process of user `uid` (the test runs as root) that runs for as long as
// the object lives.
class OthersProcess {
 public:
  explicit OthersProcess(uid_t uid) {
    int ready[2];
    if (pipe(ready) != 0) return;
    if (pipe(release_) != 0) {
      close(ready[0]);
      close(ready[1]);
      return;
    }
    pid_ = fork();
    if (pid_ == 0) {
      char c = 0;
      close(ready[0]);
      close(release_[1]);
      if (setgroups(0, nullptr) == 0 && setresgid(uid, uid, uid) == 0 &&
          setresuid(uid, uid, uid) == 0 && write(ready[1], &c, 1) == 1)
        (void)!read(release_[0], &c, 1);
      _exit(0);
    }
    close(ready[1]);
    close(release_[0]);
    char c = 0;
    running_ = pid_ > 0 && read(ready[0], &c, 1) == 1;
    close(ready[0]);
  }
  ~OthersProcess() {
    close(release_[1]);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }
  OthersProcess(const OthersProcess&) = delete;
  OthersProcess& operator=(const OthersProcess&) = delete;

  bool Running() const { return running_; }
  pid_t Pid() const { return pid_; }

 private:
  int release_[2] = {-1, -1};
  pid_t pid_ = -1;
  bool running_ = false;
};

// Run by a user who may not signal every process, the writer takes a
// process it may not signal for one that runs: what that process's id names
// stays, while what a gone writer's names goes.
TEST(Leftovers, AUserKeepsWhatAnotherUsersRunningProcessNames) {
  if (!vntest::MayActAsOtherUsers()) GTEST_SKIP() << "needs root to act as other users";
  constexpr uid_t kUser = 4242, kOther = 4343;  // ids no account needs to have
  const OthersProcess others(kOther);
  ASSERT_TRUE(others.Running());
  vntest::TempDir dir;
  ASSERT_EQ(chmod(dir.Path().c_str(), 0777), 0);
  const std::string running = "c.tmp." + std::to_string(others.Pid()) + ".a1";
  const std::string gone = "c.tmp." + std::to_string(GonePid()) + ".a2";
  for (const std::string& name : {running, gone})
    ASSERT_EQ(chown(dir.Write(name, "x").c_str(), kUser, kUser), 0);
  {
    const vntest::EffectiveUser user(kUser, kUser);
    ASSERT_TRUE(user.Active());
    if (faccessat(AT_FDCWD, dir.Path().c_str(), W_OK | X_OK, AT_EACCESS) != 0)
      GTEST_SKIP() << "the temporary folder's parent is closed to other users";
    RemoveLeftovers(dir.Path(), "c.tmp.");
  }
  EXPECT_EQ(vntest::NamesIn(dir.Path()), std::vector<std::string>{running});
}

}  // namespace
