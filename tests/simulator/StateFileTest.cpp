// The files the simulator writes for others: the engine-boots count in its
// state folder and the port file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "SimulatorHarness.h"
#include "simulator/src/StateFile.h"
#include "support/Deadline.h"
#include "support/FileSizeLimit.h"
#include "support/FlushedFiles.h"
#include "support/RewriteOwner.h"

namespace simtest {
namespace {

const std::string kEngineBoots = "1.3.6.1.6.3.10.2.1.2.0";

TEST(StateFile, IsWrittenWholeUnderAFreshNameOrNotAtAll) {
  struct Case {
    const char* what;
    bool linkAtFixedName;  // a link at "<file>.tmp" to a file of someone else's
    rlim_t limit;          // file-size limit; 0: none
    bool written;
  };
  const std::vector<Case> cases = {{"plain", false, 0, true},
                                   {"a link at the fixed name", true, 0, true},
                                   {"a file-size limit", false, 3, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vntest::TempDir dir;
    const std::string file = dir.Write("engine-boots", "7\n");
    const std::string victim = dir.Write("victim", "untouched\n");
    if (c.linkAtFixedName) {
      ASSERT_EQ(symlink(victim.c_str(), (file + ".tmp").c_str()), 0);
    }
    const std::vector<std::string> before = vntest::NamesIn(dir.Path());
    vntest::ForgetFlushedFiles();
    std::string error;
    bool ok = false;
    if (c.limit > 0) {
      vntest::FileSizeLimit limit(c.limit);
      ok = sim::WriteStateFile(file, "12345\n", error);
    } else {
      ok = sim::WriteStateFile(file, "12345\n", error);
    }
    EXPECT_EQ(ok, c.written) << error;
    if (c.written) {
      // On disk under its own name before it takes the old file's place.
      const std::vector<std::string> flushed = vntest::FlushedFiles();
      ASSERT_EQ(flushed.size(), 1u);
      const std::string name = std::filesystem::path(flushed[0]).filename().string();
      EXPECT_TRUE(name.rfind("engine-boots.", 0) == 0) << name;
    }
    EXPECT_EQ(vntest::ReadFile(file), c.written ? "12345\n" : "7\n");
    EXPECT_EQ(vntest::ReadFile(victim), "untouched\n");
    EXPECT_EQ(vntest::NamesIn(dir.Path()), before);
    if (!c.written) {
      EXPECT_NE(error.find("cannot write " + file), std::string::npos) << error;
    }
  }
}

TEST(StateFile, ANewFileGetsTheUsersModeAndARewriteKeepsItsOwn) {
  // Others read these files (the port file above all): a new one is as
  // readable as any new file of the user's, not private as a temporary
  // file is made. A link at the name is no file of the folder's: it is
  // replaced by a new file, which takes nothing from the file it led to
  // (neither its mode nor, where root could give it, its owner), and that
  // file is left as it was.
  struct Case {
    int existing;  // the file's mode before; -1: no file
    bool linked;   // the name is a link to that file, elsewhere
    mode_t mask;
    mode_t expected;
  };
  const std::vector<Case> cases = {{-1, false, 022, 0644},   {-1, false, 077, 0600},
                                   {-1, false, 002, 0664},   {0600, false, 022, 0600},
                                   {0664, false, 077, 0664}, {0600, true, 022, 0644},
                                   {0666, true, 077, 0600},  {0640, true, 002, 0664}};
  const bool otherOwner = vntest::MayActAsOtherUsers();
  constexpr uid_t kOtherUser = 4242;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::oct << "mode " << c.existing << ", umask " << c.mask
                                    << (c.linked ? ", linked" : ""));
    vntest::TempDir dir, elsewhere;
    const std::string file = dir.File("port");
    const std::string target = c.linked ? elsewhere.File("port") : file;
    if (c.existing >= 0) {
      (c.linked ? elsewhere : dir).Write("port", "161\n");
      ASSERT_EQ(chmod(target.c_str(), static_cast<mode_t>(c.existing)), 0);
    }
    if (c.linked) {
      ASSERT_EQ(symlink(target.c_str(), file.c_str()), 0);
      if (otherOwner) {
        ASSERT_EQ(chown(target.c_str(), kOtherUser, kOtherUser), 0);
      }
    }
    const mode_t previous = umask(c.mask);
    std::string error;
    const bool ok = sim::WriteStateFile(file, "1161\n", error);
    umask(previous);
    EXPECT_TRUE(ok) << error;
    struct stat st {};
    ASSERT_EQ(lstat(file.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 07777, c.expected);
    EXPECT_EQ(st.st_uid, geteuid());
    EXPECT_EQ(st.st_gid, getegid());
    EXPECT_EQ(vntest::ReadFile(file), "1161\n");
    if (c.linked) {
      ASSERT_EQ(stat(target.c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 07777, static_cast<mode_t>(c.existing));
      EXPECT_EQ(st.st_uid, otherOwner ? kOtherUser : geteuid());
      EXPECT_EQ(vntest::ReadFile(target), "161\n");
      EXPECT_EQ(vntest::NamesIn(elsewhere.Path()), std::vector<std::string>{"port"});
    }
  }
}

TEST(StateFile, ARewriteKeepsTheFilesOwner) {
  // A simulator run once as root leaves a user's state folder usable by
  // the user.
  if (!vntest::MayActAsOtherUsers()) GTEST_SKIP() << "needs root to own files as others";
  vntest::ExpectRewritesKeepTheOwner("engine-boots", "7\n", [](const std::string& path) {
    std::string error;
    return sim::WriteStateFile(path, "8\n", error);
  });
}

TEST(StateFile, OnlyTheFirstBytesOfARegularFileAreRead) {
  // What stands at the engine-boots name in a state folder others may
  // write to: a link is not followed (one to /dev/zero would never end), a
  // FIFO is not waited at, and a file is read no further than a count
  // needs. What is refused stops the start, naming the file.
  enum class Kind { Missing, Count, Large, Fifo, LinkToZero, LinkToCount, Folder };
  struct Case {
    const char* what;
    Kind kind;
    const char* why;  // the error after "cannot read <file>: "; nullptr: read
    bool program;     // the simulator program is started on it as well
  };
  const std::vector<Case> cases = {
      {"no file", Kind::Missing, nullptr, false},
      {"a count", Kind::Count, nullptr, false},
      {"a large file", Kind::Large, nullptr, false},
      {"a FIFO", Kind::Fifo, "not a regular file", true},
      {"a link to /dev/zero", Kind::LinkToZero, "it is a link", false},
      {"a link to a count", Kind::LinkToCount, "it is a link", true},
      {"a folder", Kind::Folder, "not a regular file", false},
  };
  constexpr off_t kLarge = 64 << 20;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vntest::TempDir state;
    const std::string file = state.File("engine-boots");
    const std::string count = state.Write("count", "5\n");
    switch (c.kind) {
      case Kind::Missing:
        break;
      case Kind::Count:
        state.Write("engine-boots", "5\n");
        break;
      case Kind::Large:
        state.Write("engine-boots", "5\n");
        ASSERT_EQ(truncate(file.c_str(), kLarge), 0);
        break;
      case Kind::Fifo:
        ASSERT_EQ(mkfifo(file.c_str(), 0666), 0);
        break;
      case Kind::LinkToZero:
        ASSERT_EQ(symlink("/dev/zero", file.c_str()), 0);
        break;
      case Kind::LinkToCount:
        ASSERT_EQ(symlink(count.c_str(), file.c_str()), 0);
        break;
      case Kind::Folder:
        ASSERT_EQ(mkdir(file.c_str(), 0700), 0);
        break;
    }
    std::string text = "stale", error;
    bool ok = false;
    {
      vntest::Deadline deadline(5);
      ok = sim::ReadStateFile(file, text, error);
      EXPECT_FALSE(deadline.Passed()) << "the read waited";
    }
    if (c.why) {
      EXPECT_FALSE(ok);
      EXPECT_EQ(error, "cannot read " + file + ": " + c.why);
      EXPECT_EQ(text, "");
    } else {
      EXPECT_TRUE(ok) << error;
      const std::string expected = c.kind == Kind::Missing ? "" : "5\n";
      EXPECT_EQ(text.substr(0, expected.size()), expected);
      EXPECT_EQ(text.size(), c.kind == Kind::Large ? sim::kMostStateFileBytes : expected.size());
    }
    if (c.program) {
      Simulator sim({"--state-dir", state.Path()});
      EXPECT_FALSE(sim.Running());
      EXPECT_NE(sim.Output().find("kxr-simulator: cannot read " + file + ": " + c.why + "\n"),
                std::string::npos)
          << sim.Output();
    }
    EXPECT_EQ(vntest::ReadFile(count), "5\n");
  }
}

TEST(StateFile, AtMost4096BytesAreRead) {
  // A file of 4,096 bytes is read whole; of a longer one, its first 4,096.
  struct Case {
    std::size_t size;
    std::size_t read;
  };
  const std::vector<Case> cases = {{4095, 4095}, {4096, 4096}, {4097, 4096}, {8192, 4096}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    vntest::TempDir state;
    std::string bytes(c.size, '\0');
    for (std::size_t i = 0; i < c.size; ++i) bytes[i] = static_cast<char>('a' + i % 26);
    const std::string file = state.Write("engine-boots", bytes);
    std::string text, error;
    EXPECT_TRUE(sim::ReadStateFile(file, text, error)) << error;
    EXPECT_EQ(text, bytes.substr(0, c.read));
  }
}

TEST(StateFile, TheProgramFollowsNoLinkAtTheOldFixedNames) {
  Simulator sim;
  ASSERT_TRUE(sim.Running()) << sim.Output();
  const vntest::TempDir& dir = sim.Dir();
  const std::string victim = dir.Write("victim", "untouched\n");
  for (const char* name : {"port.tmp", "state/engine-boots.tmp"})
    ASSERT_EQ(symlink(victim.c_str(), dir.File(name).c_str()), 0);
  const std::vector<std::string> top = vntest::NamesIn(dir.Path());
  const std::vector<std::string> state = vntest::NamesIn(dir.File("state"));
  ASSERT_TRUE(sim.Restart()) << sim.Output();
  EXPECT_EQ(vntest::ReadFile(victim), "untouched\n");
  EXPECT_EQ(vntest::ReadFile(dir.File("port")), std::to_string(sim.Port()) + "\n");
  EXPECT_EQ(vntest::ReadFile(dir.File("state/engine-boots")), "2\n");
  EXPECT_EQ(vntest::NamesIn(dir.Path()), top);
  EXPECT_EQ(vntest::NamesIn(dir.File("state")), state);
}

TEST(StateFile, EngineBootsLatchAtTheirMaximum) {
  // snmpEngineBoots counts up to 2147483647 and stays there.
  struct Case {
    const char* stored;
    const char* expected;
  };
  const std::vector<Case> cases = {{"2147483645\n", "2147483646"},
                                   {"2147483646\n", "2147483647"},
                                   {"2147483647\n", "2147483647"},
                                   {"not a count\n", "1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    vntest::TempDir state;
    state.Write("engine-boots", c.stored);
    Simulator sim({"--state-dir", state.Path()});
    ASSERT_TRUE(sim.Running()) << sim.Output();
    const ToolResult r = sim.V2("snmpget", {kEngineBoots});
    EXPECT_NE(r.out.find(std::string("INTEGER: ") + c.expected + "\n"), std::string::npos) << r.out;
    EXPECT_EQ(vntest::ReadFile(state.File("engine-boots")), std::string(c.expected) + "\n");
  }
}

}  // namespace
}  // namespace simtest
