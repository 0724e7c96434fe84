#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/WinApi.h"
#include "support/TestSupport.h"

namespace {

// The per-device file as the host writes it, with the rules' edge cases.
const char kIni[] =
    "; written by the host\r\n"
    "[Program Information]\r\n"
    "AgentPort=161\r\n"
    "  Version  =   3   \r\n"
    "ContextName=\r\n"
    "ContextEngineID=   \r\n"
    "SecurityName=\"  admin  \"\r\n"
    "AuthPassword='secret'\r\n"
    "PrivPassword=\"mixed'\r\n"
    "Quote=\"\r\n"
    "Empty=\"\"\r\n"
    "Inner=a \"b\" c\r\n"
    "Comment=value ; not a comment\r\n"
    "   ; Hidden=1\r\n"
    "Equals=a=b\r\n"
    "NoValue\r\n"
    "agentport=999\r\n"
    "\tTabbed\t=\tx\t\r\n"
    "[other]\n"
    "AgentPort=7\n"
    "[ PROGRAM information ]\r"
    "Late=1\r";

class Ini : public ::testing::Test {
 protected:
  void SetUp() override { file_ = dir_.Write("device.cfg", kIni); }

  // The value and the return value of one call with a generous buffer.
  std::string Read(const char* section, const char* key, const char* def = "dflt",
                   const std::string& file = "") {
    char buf[256];
    std::memset(buf, 'X', sizeof buf);
    DWORD n = GetPrivateProfileStringA(section, key, def, buf, sizeof buf,
                                       file.empty() ? file_.c_str() : file.c_str());
    EXPECT_EQ(n, std::strlen(buf)) << key;
    return buf;
  }

  vntest::TempDir dir_;
  std::string file_;
};

}  // namespace

TEST_F(Ini, BlanksAroundNamesAndValuesGo) {
  EXPECT_EQ(Read("Program Information", "AgentPort"), "161");
  EXPECT_EQ(Read("Program Information", "Version"), "3");
  EXPECT_EQ(Read("Program Information", "Tabbed"), "x");
  EXPECT_EQ(Read("  Program Information ", " Version "), "3");
  EXPECT_EQ(Read("Program Information", "Inner"), "a \"b\" c");
  EXPECT_EQ(Read("Program Information", "Equals"), "a=b");
  EXPECT_EQ(Read("Program Information", "Comment"), "value ; not a comment");
}

TEST_F(Ini, NamesIgnoreCaseAndTheFirstMatchWins) {
  EXPECT_EQ(Read("PROGRAM INFORMATION", "agentPORT"), "161");
  EXPECT_EQ(Read("other", "AgentPort"), "7");
  EXPECT_EQ(Read("OTHER", "agentport"), "7");
  // Only the first section of a name is searched.
  EXPECT_EQ(Read("program information", "Late"), "dflt");
}

TEST_F(Ini, MatchingQuotesAroundTheWholeValueGo) {
  EXPECT_EQ(Read("Program Information", "SecurityName"), "  admin  ");
  EXPECT_EQ(Read("Program Information", "AuthPassword"), "secret");
  EXPECT_EQ(Read("Program Information", "PrivPassword"), "\"mixed'");
  EXPECT_EQ(Read("Program Information", "Quote"), "\"");
  EXPECT_EQ(Read("Program Information", "Empty"), "");
}

TEST_F(Ini, EmptyValuesGiveEmptyTextAndZero) {
  EXPECT_EQ(Read("Program Information", "ContextName"), "");
  EXPECT_EQ(Read("Program Information", "ContextEngineID"), "");
}

TEST_F(Ini, MissingThingsGiveTheDefaultWithoutTrailingBlanks) {
  EXPECT_EQ(Read("Program Information", "Hidden"), "dflt");   // commented out
  EXPECT_EQ(Read("Program Information", "NoValue"), "dflt");  // a line without "="
  EXPECT_EQ(Read("Program Information", "Missing", "  7  "), "  7");
  EXPECT_EQ(Read("Program Information", "Missing", " \t "), "");
  EXPECT_EQ(Read("Program Information", "Missing", nullptr), "");
  EXPECT_EQ(Read("Nowhere", "AgentPort", "161 "), "161");
  EXPECT_EQ(Read("Program Information", "AgentPort", "x", dir_.File("absent.cfg")), "x");
  EXPECT_EQ(Read("Program Information", "AgentPort", "x", dir_.Path()), "x");  // a folder
}

TEST_F(Ini, TruncatesToTheBufferAndReturnsTheCountCopied) {
  char buf[8];
  std::memset(buf, 'X', sizeof buf);
  EXPECT_EQ(GetPrivateProfileStringA("Program Information", "Comment", "", buf, 4, file_.c_str()),
            3u);
  EXPECT_STREQ(buf, "val");
  EXPECT_EQ(buf[4], 'X');  // nothing written past size
  EXPECT_EQ(GetPrivateProfileStringA("Program Information", "AgentPort", "", buf, 4, file_.c_str()),
            3u);
  EXPECT_STREQ(buf, "161");
  EXPECT_EQ(
      GetPrivateProfileStringA("Program Information", "AuthPassword", "", buf, 4, file_.c_str()),
      3u);
  EXPECT_STREQ(buf, "sec");  // quotes go before the cut
  EXPECT_EQ(
      GetPrivateProfileStringA("Program Information", "Missing", "default", buf, 3, file_.c_str()),
      2u);
  EXPECT_STREQ(buf, "de");
  EXPECT_EQ(GetPrivateProfileStringA("Program Information", "AgentPort", "", buf, 1, file_.c_str()),
            0u);
  EXPECT_EQ(buf[0], '\0');
  buf[0] = 'X';
  EXPECT_EQ(GetPrivateProfileStringA("Program Information", "AgentPort", "", buf, 0, file_.c_str()),
            0u);
  EXPECT_EQ(buf[0], 'X');
  EXPECT_EQ(
      GetPrivateProfileStringA("Program Information", "AgentPort", "", nullptr, 100, file_.c_str()),
      0u);
}

TEST_F(Ini, RelativeBackslashNamesAreReadFromTheCurrentDir) {
  dir_.Write("Conf/MBF/10.90.90.90.cfg", "[Program Information]\nVersion=1\n");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir_.Path());
  EXPECT_EQ(Read("Program Information", "Version", "", "Conf\\MBF\\10.90.90.90.cfg"), "1");
  EXPECT_EQ(Read("Program Information", "Version", "", ".\\Conf\\MBF\\..\\MBF\\10.90.90.90.cfg"),
            "1");
  std::filesystem::current_path(previous);
}

TEST_F(Ini, OddFilesNeitherCrashNorInventValues) {
  const std::string noNewline = dir_.Write("a.ini", "\xEF\xBB\xBF[s]\nk = v");
  EXPECT_EQ(Read("s", "k", "", noNewline), "v");
  const std::string beforeSections = dir_.Write("b.ini", "k=v\n[s]\n[]\nk2=w\n[unclosed\nk3=z\n");
  EXPECT_EQ(Read("s", "k", "d", beforeSections), "d");
  EXPECT_EQ(Read("", "k2", "d", beforeSections), "w");
  EXPECT_EQ(Read("unclosed", "k3", "d", beforeSections), "z");
  const char raw[] = "[s]\nk=a\0b=c\n\xff\xfe=\x01\n";
  const std::string binary = dir_.Write("c.ini", std::string(raw, sizeof raw - 1));
  EXPECT_EQ(Read("s", "k", "d", binary), "a");  // a zero byte ends the line
  EXPECT_EQ(Read("s", "b", "d", binary), "c");
  EXPECT_EQ(Read("s", "\xff\xfe", "d", binary), "\x01");
  EXPECT_EQ(Read("s", "k", "d", dir_.Write("d.ini", "")), "d");
  char buf[8];
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "d", buf, sizeof buf, nullptr), 1u);
  EXPECT_STREQ(buf, "d");
}

TEST_F(Ini, NullNamesListSectionsOrKeys) {
  const std::string f = dir_.Write("list.ini", "[one]\na=1\nB=2\n[two]\n");
  char buf[32];
  std::memset(buf, 'X', sizeof buf);
  EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "d", buf, sizeof buf, f.c_str()), 8u);
  EXPECT_EQ(std::string(buf, 9), std::string("one\0two\0\0", 9));
  EXPECT_EQ(GetPrivateProfileStringA("ONE", nullptr, "d", buf, sizeof buf, f.c_str()), 4u);
  EXPECT_EQ(std::string(buf, 5), std::string("a\0B\0\0", 5));
  EXPECT_EQ(GetPrivateProfileStringA("two", nullptr, "d", buf, sizeof buf, f.c_str()), 0u);
  EXPECT_EQ(std::string(buf, 2), std::string("\0\0", 2));
  std::memset(buf, 'X', sizeof buf);
  // Too small: the last name is cut and two zeros end the buffer.
  EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "d", buf, 7, f.c_str()), 5u);
  EXPECT_EQ(std::string(buf, 8), std::string("one\0t\0\0X", 8));
  EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "d", buf, 1, f.c_str()), 0u);
  EXPECT_EQ(buf[0], '\0');
}
