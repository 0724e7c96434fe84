// What starting the toolkit leaves as it was: the C library's numbers keep a
// decimal point under a decimal-comma locale, and the environment is the
// one the program was given.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Forms.h"
#include "platform/TestKit.h"
#include "support/DecimalCommaLocale.h"

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
