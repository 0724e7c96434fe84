#include <gtest/gtest.h>

#include <string>

#include "library/VnIni.h"
#include "support/TestSupport.h"

namespace {

class VnIniRead : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.Write("10.90.90.90.cfg",
                       "; per-device settings\r\n"
                       "[Program Information]\r\n"
                       "AgentPort =   161   \r\n"
                       "Version=\"2\"\r\n"
                       "ContextName=\r\n"
                       "Quoted=\"  padded  \"\r\n"
                       "agentport=999\r\n"
                       "[Other]\r\n"
                       "Version=3\r\n");
  }
  vntest::TempDir dir_;
  std::string path_;
};

TEST_F(VnIniRead, BlanksQuotesAndCaseInsensitiveNames) {
  VnIni ini(path_.c_str());
  EXPECT_EQ(ini.ReadString("Program Information", "AgentPort", ""), "161");
  EXPECT_EQ(ini.ReadString("PROGRAM information", "agentPORT", ""), "161");  // first match wins
  EXPECT_EQ(ini.ReadString("Program Information", "Version", ""), "2");
  EXPECT_EQ(ini.ReadString("other", "version", ""), "3");
  EXPECT_EQ(ini.ReadString("Program Information", "Quoted", ""), "padded");
}

TEST_F(VnIniRead, EmptyValueGivesTheDefaultAsPassed) {
  VnIni ini(path_.c_str());
  EXPECT_EQ(ini.ReadString("Program Information", "ContextName", ""), "");
  EXPECT_EQ(ini.ReadString("Program Information", "ContextName", " public "), " public ");
}

TEST_F(VnIniRead, MissingKeySectionOrFileGivesTheDefaultTrimmed) {
  VnIni ini(path_.c_str());
  EXPECT_EQ(ini.ReadString("Program Information", "SecurityLevel", ""), "");
  EXPECT_EQ(ini.ReadString("Program Information", "SecurityLevel", "  0  "), "0");
  EXPECT_EQ(ini.ReadString("Nowhere", "Version", "1"), "1");
  // An all-blank default comes back as the system copies nothing.
  EXPECT_EQ(ini.ReadString("Nowhere", "Version", "   "), "   ");

  VnIni missing(dir_.File("none.cfg").c_str());
  EXPECT_EQ(missing.ReadString("Program Information", "AgentPort", " 161 "), "161");
  EXPECT_EQ(missing.ReadString("Program Information", "AgentPort", ""), "");
}

TEST_F(VnIniRead, LongValuesAndBackslashNames) {
  const std::string value(5000, 'v');
  dir_.Write("conf/long.cfg", "[S]\nKey=" + value + "\n");
  VnIni ini((dir_.Path() + "\\conf\\long.cfg").c_str());
  EXPECT_EQ(ini.ReadString("S", "Key", "").str(), value.substr(0, 4095));
}

TEST_F(VnIniRead, SnapshotAnswersAsTheFileDidWhenRead) {
  const VnIni snapshot = VnIni::Snapshot(path_.c_str());
  const VnIni live(path_.c_str());
  for (const char* key : {"AgentPort", "Version", "ContextName", "Quoted", "SecurityLevel"})
    for (const char* def : {"", " public ", "   "})
      EXPECT_EQ(snapshot.ReadString("program information", key, def),
                live.ReadString("program information", key, def))
          << key << " with default \"" << def << '"';

  dir_.Write("10.90.90.90.cfg", "[Program Information]\nAgentPort=162\n");
  EXPECT_EQ(snapshot.ReadString("Program Information", "AgentPort", ""), "161");
  EXPECT_EQ(snapshot.ReadString("Other", "Version", ""), "3");
  EXPECT_EQ(live.ReadString("Program Information", "AgentPort", ""), "162");

  const VnIni missing = VnIni::Snapshot(dir_.File("none.cfg").c_str());
  EXPECT_EQ(missing.ReadString("Program Information", "AgentPort", " 161 "), "161");
}

}  // namespace
