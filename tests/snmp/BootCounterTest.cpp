// The engine-boots counter file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "snmp/BootCounter.h"
#include "support/TestSupport.h"

namespace {

const OctetStr kEngine("VnSNMP_PP_Application");

class BootCounter : public ::testing::Test {
 protected:
  vntest::TempDir dir_;
  std::string path_ = dir_.File("VnSNMP_PP_BootCounter");
};

TEST_F(BootCounter, FirstSecondAndThirdStart) {
  unsigned int boots = 99;
  EXPECT_EQ(getBootCounter(path_, kEngine, boots), SNMPv3_FILEOPEN_ERROR);
  EXPECT_EQ(boots, 0u);
  EXPECT_EQ(saveBootCounter(path_, kEngine, boots + 1), SNMPv3_OK);
  EXPECT_EQ(vntest::ReadFile(path_), "566E534E4D505F50505F4170706C69636174696F6E 1\n");

  EXPECT_EQ(getBootCounter(path_, kEngine, boots), SNMPv3_OK);
  EXPECT_EQ(boots, 1u);
  EXPECT_EQ(saveBootCounter(path_, kEngine, boots + 1), SNMPv3_OK);
  EXPECT_EQ(getBootCounter(path_, kEngine, boots), SNMPv3_OK);
  EXPECT_EQ(boots, 2u);
  EXPECT_FALSE(vntest::ReadFile(path_ + ".tmp").size());
}

TEST_F(BootCounter, OtherEntriesAndCommentsAreKept) {
  dir_.Write("VnSNMP_PP_BootCounter",
             "# boots\n\n0102 7\n566e534e4d505f50505f4170706c69636174696f6e 41\n");
  unsigned int boots = 0;
  EXPECT_EQ(getBootCounter(path_, kEngine, boots), SNMPv3_OK);  // hex in either case
  EXPECT_EQ(boots, 41u);
  EXPECT_EQ(saveBootCounter(path_, kEngine, 42), SNMPv3_OK);
  EXPECT_EQ(vntest::ReadFile(path_),
            "# boots\n\n0102 7\n566E534E4D505F50505F4170706C69636174696F6E 42\n");
  EXPECT_EQ(getBootCounter(path_, OctetStr("\x01\x02"), boots), SNMPv3_OK);
  EXPECT_EQ(boots, 7u);
}

TEST_F(BootCounter, AnotherEngineIdHasNoEntry) {
  ASSERT_EQ(saveBootCounter(path_, kEngine, 3), SNMPv3_OK);
  unsigned int boots = 5;
  EXPECT_EQ(getBootCounter(path_, OctetStr("other"), boots), SNMPv3_NO_ENTRY_ERROR);
  EXPECT_EQ(boots, 0u);
}

TEST_F(BootCounter, AnEngineIdOver32OctetsIsRefused) {
  OctetStr longest(std::string(32, 'a'));
  OctetStr too_long(std::string(33, 'a'));
  unsigned int boots = 0;
  EXPECT_EQ(saveBootCounter(path_, longest, 1), SNMPv3_OK);
  EXPECT_EQ(getBootCounter(path_, too_long, boots), SNMPv3_TOO_LONG_ERROR);
  EXPECT_EQ(saveBootCounter(path_, too_long, 1), SNMPv3_TOO_LONG_ERROR);
  EXPECT_EQ(getBootCounter(path_, longest, boots), SNMPv3_OK);
}

TEST_F(BootCounter, AMalformedLineAnywhereIsAFileError) {
  const std::vector<std::string> bad_lines = {
      "0102 x", "010 3",           "zz01 3",           "0102  3", "0102 3 ",
      "0102",   "0102 2147483648", "0102 99999999999", " 0102 3", std::string(256, '#')};
  for (const std::string& bad : bad_lines) {
    dir_.Write("VnSNMP_PP_BootCounter",
               "566E534E4D505F50505F4170706C69636174696F6E 4\n" + bad + "\n");
    unsigned int boots = 9;
    EXPECT_EQ(getBootCounter(path_, kEngine, boots), SNMPv3_FILE_ERROR) << bad;
    EXPECT_EQ(boots, 0u);
  }
  dir_.Write("VnSNMP_PP_BootCounter", "0102 2147483647\n");
  unsigned int boots = 0;
  EXPECT_EQ(getBootCounter(path_, OctetStr("\x01\x02"), boots), SNMPv3_OK);
  EXPECT_EQ(boots, 2147483647u);
}

TEST_F(BootCounter, AMissingFolderCannotBeWritten) {
  EXPECT_EQ(saveBootCounter(dir_.File("missing/VnSNMP_PP_BootCounter"), kEngine, 1),
            SNMPv3_FILECREATE_ERROR);
  EXPECT_EQ(saveBootCounter(path_, kEngine, 2147483648u), SNMPv3_FILE_ERROR);
}

TEST_F(BootCounter, AFolderInPlaceOfTheFileCannotBeReplaced) {
  ASSERT_EQ(mkdir(path_.c_str(), 0700), 0);
  unsigned int boots = 0;
  EXPECT_EQ(getBootCounter(path_, kEngine, boots), SNMPv3_FILEOPEN_ERROR);
  EXPECT_EQ(saveBootCounter(path_, kEngine, 1), SNMPv3_FILEOPEN_ERROR);
}

TEST_F(BootCounter, PlantedLinksAreNeverWrittenThrough) {
  // A link at the old fixed temporary name, and the counter itself a link:
  // neither file they point at may change, and the counter becomes a file
  // of its own, with nothing left beside it.
  const std::string victim = dir_.Write("victim", "# not ours\n");
  const std::string linked = dir_.Write("linked", "0102 7\n");
  ASSERT_EQ(symlink(victim.c_str(), (path_ + ".tmp").c_str()), 0);
  ASSERT_EQ(symlink(linked.c_str(), path_.c_str()), 0);
  EXPECT_EQ(saveBootCounter(path_, kEngine, 5), SNMPv3_OK);
  EXPECT_EQ(vntest::ReadFile(victim), "# not ours\n");
  EXPECT_EQ(vntest::ReadFile(linked), "0102 7\n");
  struct stat st {};
  ASSERT_EQ(lstat(path_.c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  EXPECT_EQ(vntest::ReadFile(path_), "0102 7\n566E534E4D505F50505F4170706C69636174696F6E 5\n");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.Path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  const std::vector<std::string> expected = {"VnSNMP_PP_BootCounter", "VnSNMP_PP_BootCounter.tmp",
                                             "linked", "victim"};
  EXPECT_EQ(names, expected);
}

}  // namespace
