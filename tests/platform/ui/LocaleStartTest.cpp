// What starting the toolkit leaves as it was: the C library's numbers keep a
// decimal point under a decimal-comma locale, the environment is the one the
// program was given, and the temporary folder holds nothing new.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/TestKit.h"
#include "support/DecimalCommaLocale.h"
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
