// What starting the toolkit leaves as it was: the C library's numbers keep a
// decimal point under a decimal-comma locale, the environment is the one the
// program was given, and the temporary folder holds nothing new, even after
// a start killed on the way.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/TestKit.h"
#include "support/DecimalCommaLocale.h"
#include "support/InterruptedChild.h"
#include "support/TestSupport.h"

TEST(ApplicationStart, KeepsTheCNumericLocale) {
  if (Application->Initialized()) GTEST_SKIP() << "needs a process of its own, as CTest runs it";
  std::string error;
  const std::string name = vntest::DecimalCommaLocale(&error);
  ASSERT_FALSE(name.empty()) << error;
  setenv("LC_ALL", name.c_str(), 1);
  TestKit::EnsureApplication();
  unsetenv("LC_ALL");
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", 2.5);
  EXPECT_STREQ(text, "2.5");
  EXPECT_EQ(std::setlocale(LC_CTYPE, nullptr), name);  // the user's locale otherwise
}

// What the toolkit is told for its X connection at start-up (no memory
// shared with the server) is not left in the environment of the programs
// the module starts.
TEST(ApplicationStart, LeavesTheEnvironmentAsItWas) {
  if (Application->Initialized()) GTEST_SKIP() << "needs a process of its own, as CTest runs it";
  unsetenv("QT_XCB_NO_MITSHM");
  TestKit::EnsureApplication();
  EXPECT_EQ(std::getenv("QT_XCB_NO_MITSHM"), nullptr);
}

// XDG_RUNTIME_DIR as the program is given it: not set, empty (to the toolkit
// the same as not set) or naming a folder.
enum class RuntimeDir { NotSet, Empty, AFolder };

class RuntimeFolderStart : public testing::TestWithParam<RuntimeDir> {};

// Without a runtime folder the toolkit would make one in the temporary folder
// and leave it there; with one it takes that. Either way the variable stays
// as it was for the programs the module starts, and the temporary folder
// holds nothing new.
TEST_P(RuntimeFolderStart, LeavesTheVariableAsItWasAndNothingBehind) {
  if (Application->Initialized()) GTEST_SKIP() << "needs a process of its own, as CTest runs it";
  const vntest::TempDir runtime;
  const vntest::TempDir tmp;
  const char* given = GetParam() == RuntimeDir::Empty     ? ""
                      : GetParam() == RuntimeDir::AFolder ? runtime.Path().c_str()
                                                          : nullptr;
  if (given)
    setenv("XDG_RUNTIME_DIR", given, 1);
  else
    unsetenv("XDG_RUNTIME_DIR");
  const char* oldTmp = std::getenv("TMPDIR");
  const std::string keptTmp = oldTmp ? oldTmp : "";
  setenv("TMPDIR", tmp.Path().c_str(), 1);
  TestKit::EnsureApplication();
  if (oldTmp)
    setenv("TMPDIR", keptTmp.c_str(), 1);
  else
    unsetenv("TMPDIR");

  const char* after = std::getenv("XDG_RUNTIME_DIR");
  if (given) {
    ASSERT_NE(after, nullptr);
    EXPECT_STREQ(after, given);
  } else {
    EXPECT_EQ(after, nullptr) << after;
  }
  EXPECT_EQ(vntest::NamesIn(tmp.Path()), std::vector<std::string>{});
  EXPECT_EQ(vntest::NamesIn(runtime.Path()), std::vector<std::string>{});
  unsetenv("XDG_RUNTIME_DIR");
}

INSTANTIATE_TEST_SUITE_P(ApplicationStart, RuntimeFolderStart,
                         testing::Values(RuntimeDir::NotSet, RuntimeDir::Empty,
                                         RuntimeDir::AFolder),
                         [](const auto& p) {
                           switch (p.param) {
                             case RuntimeDir::NotSet:
                               return "NotSet";
                             case RuntimeDir::Empty:
                               return "Empty";
                             default:
                               return "AFolder";
                           }
                         });

// TMPDIR as the program is given it, without XDG_RUNTIME_DIR: naming a
// folder, naming none, or empty.
enum class TempDirGiven { AFolder, Missing, Empty };

class RuntimeFolderIn : public testing::TestWithParam<TempDirGiven> {};

// The folder the toolkit is given is private whatever the umask, in TMPDIR
// or else in /tmp, and goes once the toolkit has started.
TEST_P(RuntimeFolderIn, IsPrivateAndGoes) {
  if (Application->Initialized()) GTEST_SKIP() << "needs a process of its own, as CTest runs it";
  const vntest::TempDir tmp;
  const std::string given = GetParam() == TempDirGiven::AFolder   ? tmp.Path()
                            : GetParam() == TempDirGiven::Missing ? tmp.File("missing")
                                                                  : "";
  const std::string parent = GetParam() == TempDirGiven::AFolder ? tmp.Path() : "/tmp";
  unsetenv("XDG_RUNTIME_DIR");
  setenv("TMPDIR", given.c_str(), 1);
  std::string folder;
  struct stat seen {};
  TestKit::WhileToolkitStarts([&] {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    folder = runtime ? runtime : "";
    lstat(folder.c_str(), &seen);
  });
  const mode_t mask = umask(0277);
  TestKit::EnsureApplication();
  umask(mask);
  unsetenv("TMPDIR");

  ASSERT_FALSE(folder.empty()) << "no runtime folder";
  EXPECT_EQ(std::filesystem::path(folder).parent_path(), parent);
  EXPECT_TRUE(S_ISDIR(seen.st_mode));
  EXPECT_EQ(seen.st_mode & 07777, 0700u);
  EXPECT_EQ(seen.st_uid, geteuid());
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_EQ(std::getenv("XDG_RUNTIME_DIR"), nullptr);
  EXPECT_EQ(vntest::NamesIn(tmp.Path()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(ApplicationStart, RuntimeFolderIn,
                         testing::Values(TempDirGiven::AFolder, TempDirGiven::Missing,
                                         TempDirGiven::Empty),
                         [](const auto& p) {
                           switch (p.param) {
                             case TempDirGiven::AFolder:
                               return "AFolder";
                             case TempDirGiven::Missing:
                               return "Missing";
                             default:
                               return "Empty";
                           }
                         });

// A start killed while the toolkit starts leaves its runtime folder to the
// next start, which removes it; one whose process is gone while a copy of
// it still holds the folder keeps it.
TEST(ApplicationStart, RemovesTheRuntimeFolderOfAKilledStartOnly) {
  if (Application->Initialized()) GTEST_SKIP() << "needs a process of its own, as CTest runs it";
  const vntest::TempDir tmp;
  unsetenv("XDG_RUNTIME_DIR");
  setenv("TMPDIR", tmp.Path().c_str(), 1);
  const auto whileStarting = [](vntest::InterruptedChild::Moment m) {
    TestKit::WhileToolkitStarts(m);
  };
  const auto start = [] { TestKit::EnsureApplication(); };
  const auto foldersOf = [&](pid_t pid) {
    const std::string prefix = "kxr-runtime-" + std::to_string(pid) + ".";
    long n = 0;
    for (const std::string& name : vntest::NamesIn(tmp.Path())) n += name.rfind(prefix, 0) == 0;
    return n;
  };
  const vntest::InterruptedChild handedOver(vntest::Interrupt::HandOver, whileStarting, start);
  const vntest::InterruptedChild killed(vntest::Interrupt::Kill, whileStarting, start);
  ASSERT_TRUE(handedOver.Caught() && killed.Caught());
  EXPECT_EQ(foldersOf(handedOver.Pid()), 1);
  EXPECT_EQ(foldersOf(killed.Pid()), 1);
  TestKit::EnsureApplication();
  unsetenv("TMPDIR");
  EXPECT_EQ(foldersOf(killed.Pid()), 0);
  EXPECT_EQ(foldersOf(handedOver.Pid()), 1);
  EXPECT_EQ(vntest::NamesIn(tmp.Path()).size(), 1u);
}
