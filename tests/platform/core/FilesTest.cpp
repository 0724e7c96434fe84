#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/Files.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// Changes the current folder for one test and changes it back.
class ScopedCurrentDir {
 public:
  explicit ScopedCurrentDir(const std::string& dir) : previous_(fs::current_path()) {
    fs::current_path(dir);
  }
  ~ScopedCurrentDir() { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

}  // namespace

TEST(Paths, BackslashPathsBecomeSystemPaths) {
  EXPECT_EQ(ToSystemPath("errmsg\\common.err"), "errmsg/common.err");
  EXPECT_EQ(ToSystemPath("..\\Conf\\MBF\\"), "../Conf/MBF/");
  EXPECT_EQ(ToSystemPath("/already/unix"), "/already/unix");
  EXPECT_EQ(ToSystemPath(""), "");
}

TEST(Paths, ExtractPartsWithEitherSeparator) {
  EXPECT_EQ(ExtractFileName("errmsg\\common.err"), "common.err");
  EXPECT_EQ(ExtractFileName("/opt/module/bin/module"), "module");
  EXPECT_EQ(ExtractFileName("a/b\\c.txt"), "c.txt");
  EXPECT_EQ(ExtractFileName("a\\b/c.txt"), "c.txt");
  EXPECT_EQ(ExtractFileName("plain.cfg"), "plain.cfg");
  EXPECT_EQ(ExtractFileName("..\\Conf\\MBF\\"), "");
  EXPECT_EQ(ExtractFilePath("errmsg\\common.err"), "errmsg\\");
  EXPECT_EQ(ExtractFilePath("/opt/module/bin/module"), "/opt/module/bin/");
  EXPECT_EQ(ExtractFilePath("a\\b/c.txt"), "a\\b/");
  EXPECT_EQ(ExtractFilePath("plain.cfg"), "");
  EXPECT_EQ(ExtractFilePath("/"), "/");
  EXPECT_EQ(ExtractFileExt("10.1.1.1.cfg"), ".cfg");
  EXPECT_EQ(ExtractFileExt("dir.d\\file"), "");
  EXPECT_EQ(ExtractFileExt("dir.d/file"), "");
  EXPECT_EQ(ExtractFileExt("file."), ".");
  EXPECT_EQ(ExtractFileExt(""), "");
}

TEST(Paths, FileSystemChecksTakeBackslashPathsRelativeToTheCurrentDir) {
  vntest::TempDir dir;
  dir.Write("errmsg/common.err", "x\n");
  ScopedCurrentDir cd(dir.Path());
  EXPECT_TRUE(FileExists("errmsg\\common.err"));
  EXPECT_TRUE(FileExists("errmsg/common.err"));
  EXPECT_FALSE(FileExists("errmsg\\snmp.err"));
  EXPECT_FALSE(FileExists("errmsg"));  // a folder is no file
  EXPECT_FALSE(FileExists(""));
  EXPECT_TRUE(DirectoryExists("errmsg"));
  EXPECT_TRUE(DirectoryExists("errmsg\\"));
  EXPECT_FALSE(DirectoryExists("errmsg\\common.err"));
  EXPECT_FALSE(DirectoryExists(""));
  EXPECT_EQ(GetCurrentDir(), fs::current_path().string());
  EXPECT_EQ(fs::canonical(GetCurrentDir().str()), fs::canonical(dir.Path()));
  EXPECT_NE(GetCurrentDir().str().back(), '/');
  ScopedCurrentDir root("/");
  EXPECT_EQ(GetCurrentDir(), "/");
}

TEST(CommandLine, ParametersFromMainAndTheExecutablePath) {
  const char* argv[] = {"prog", "/I10.90.90.90", "/Rpublic", ""};
  SetCommandLine(4, argv);
  EXPECT_EQ(ParamCount(), 3);
  EXPECT_EQ(ParamStr(1), "/I10.90.90.90");
  EXPECT_EQ(ParamStr(2), "/Rpublic");
  EXPECT_EQ(ParamStr(3), "");
  EXPECT_EQ(ParamStr(4), "");
  EXPECT_EQ(ParamStr(-1), "");
  const AnsiString exe = ParamStr(0);
  ASSERT_FALSE(exe.IsEmpty());
  EXPECT_EQ(exe[1], '/');
  EXPECT_TRUE(FileExists(exe));
  EXPECT_EQ(fs::canonical(exe.str()), fs::canonical("/proc/self/exe"));

  SetCommandLine(0, nullptr);
  EXPECT_EQ(ParamCount(), 0);
  EXPECT_EQ(ParamStr(1), "");
  EXPECT_EQ(ParamStr(0), exe);
}
