// The engine-boots counter file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "snmp/BootCounter.h"
#include "support/Deadline.h"
#include "support/FileSizeLimit.h"
#include "support/FlushedFiles.h"
#include "support/OwnerCannotRead.h"
#include "support/RewriteOwner.h"
#include "support/TestSupport.h"

namespace {

const OctetStr kEngine("VnSNMP_PP_Application");

class BootCounter : public ::testing::Test {
 protected:
  // The names in the folder, sorted.
  std::vector<std::string> Names() const { return vntest::NamesIn(dir_.Path()); }

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

TEST_F(BootCounter, AFileItsOwnerMayNotReadIsAFileError) {
  // Unlike no file at the name, which starts the count afresh: a count is
  // there, out of reach, and no rewrite may lose it.
  const std::string text = "566E534E4D505F50505F4170706C69636174696F6E 4\n";
  dir_.Write("VnSNMP_PP_BootCounter", text);
  {
    vntest::OwnerCannotRead owner(path_);
    if (!owner.Ready()) GTEST_SKIP() << "cannot read the file as a user whom its mode stops";
    unsigned int boots = 9;
    EXPECT_EQ(getBootCounter(path_, kEngine, boots), SNMPv3_FILE_ERROR);
    EXPECT_EQ(boots, 0u);
    EXPECT_EQ(saveBootCounter(path_, kEngine, 1), SNMPv3_FILEOPEN_ERROR);
  }
  EXPECT_EQ(vntest::ReadFile(path_), text);
  EXPECT_EQ(Names(), std::vector<std::string>{"VnSNMP_PP_BootCounter"});
}

TEST_F(BootCounter, PlantedLinksAreNeverWrittenThrough) {
  // A link at the old fixed temporary name: the file it points at stays as
  // it was, and nothing is left beside the counter.
  const std::string victim = dir_.Write("victim", "# not ours\n");
  dir_.Write("VnSNMP_PP_BootCounter", "0102 7\n");
  ASSERT_EQ(symlink(victim.c_str(), (path_ + ".tmp").c_str()), 0);
  EXPECT_EQ(saveBootCounter(path_, kEngine, 5), SNMPv3_OK);
  EXPECT_EQ(vntest::ReadFile(victim), "# not ours\n");
  EXPECT_EQ(vntest::ReadFile(path_), "0102 7\n566E534E4D505F50505F4170706C69636174696F6E 5\n");
  const std::vector<std::string> expected = {"VnSNMP_PP_BootCounter", "VnSNMP_PP_BootCounter.tmp",
                                             "victim"};
  EXPECT_EQ(Names(), expected);
}

TEST_F(BootCounter, ALinkAtTheCounterIsRefusedAndLeftAsItIs) {
  // The counter is never read or written through a link: a private file
  // it leads to would otherwise be copied into a new file beside it.
  struct Case {
    const char* what;
    std::string target;  // in the folder; empty for a link to nothing
  };
  const std::string secret = dir_.Write("secret", "#password=hush\n0102 7\n");
  ASSERT_EQ(chmod(secret.c_str(), 0600), 0);
  const std::string counter =
      dir_.Write("counter", "566E534E4D505F50505F4170706C69636174696F6E 4\n");
  ASSERT_EQ(mkdir(dir_.File("folder").c_str(), 0700), 0);
  const std::vector<Case> cases = {{"a private file", secret},
                                   {"a counter file", counter},
                                   {"a folder", dir_.File("folder")},
                                   {"nothing", dir_.File("missing")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(symlink(c.target.c_str(), path_.c_str()), 0);
    const std::vector<std::string> before = Names();
    unsigned int boots = 9;
    EXPECT_EQ(getBootCounter(path_, kEngine, boots), SNMPv3_FILE_ERROR);
    EXPECT_EQ(boots, 0u);
    EXPECT_EQ(saveBootCounter(path_, kEngine, 5), SNMPv3_FILE_ERROR);
    EXPECT_EQ(std::filesystem::read_symlink(path_), c.target);
    EXPECT_EQ(Names(), before);
    ASSERT_EQ(unlink(path_.c_str()), 0);
  }
  EXPECT_EQ(vntest::ReadFile(secret), "#password=hush\n0102 7\n");
  EXPECT_EQ(vntest::ReadFile(counter), "566E534E4D505F50505F4170706C69636174696F6E 4\n");
  struct stat st {};
  ASSERT_EQ(stat(secret.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(BootCounter, TheRewrittenFileKeepsItsMode) {
  struct Case {
    int existing;  // the file's mode before; -1: no file
    mode_t mask;
    mode_t expected;
  };
  const std::vector<Case> cases = {
      {0600, 022, 0600}, {0640, 022, 0640}, {0400, 022, 0400}, {0664, 022, 0664},
      {0644, 077, 0644}, {-1, 022, 0644},   {-1, 077, 0600},   {-1, 002, 0644},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::oct << "mode " << c.existing << ", umask " << c.mask);
    unlink(path_.c_str());
    if (c.existing >= 0) {
      dir_.Write("VnSNMP_PP_BootCounter", "#password=hush\n");
      ASSERT_EQ(chmod(path_.c_str(), static_cast<mode_t>(c.existing)), 0);
    }
    const mode_t previous = umask(c.mask);
    EXPECT_EQ(saveBootCounter(path_, kEngine, 3), SNMPv3_OK);
    umask(previous);
    struct stat st {};
    ASSERT_EQ(stat(path_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.expected);
    unsigned int boots = 0;
    EXPECT_EQ(getBootCounter(path_, kEngine, boots), SNMPv3_OK);
    EXPECT_EQ(boots, 3u);
  }
}

TEST_F(BootCounter, ARewriteKeepsTheFilesOwner) {
  // A start through sudo must leave the user's counter the user's.
  if (!vntest::MayActAsOtherUsers()) GTEST_SKIP() << "needs root to own files as others";
  vntest::ExpectRewritesKeepTheOwner(
      "VnSNMP_PP_BootCounter", "0102 7\n",
      [](const std::string& path) { return saveBootCounter(path, kEngine, 5) == SNMPv3_OK; });
}

TEST_F(BootCounter, TheNewFileIsOnDiskBeforeItTakesTheOldOnesPlace) {
  // Flushed under its own name, that is before the rename.
  for (const bool existing : {false, true}) {
    SCOPED_TRACE(existing ? "a file" : "no file");
    unlink(path_.c_str());
    if (existing) dir_.Write("VnSNMP_PP_BootCounter", "0102 7\n");
    vntest::ForgetFlushedFiles();
    ASSERT_EQ(saveBootCounter(path_, kEngine, 4), SNMPv3_OK);
    const std::vector<std::string> flushed = vntest::FlushedFiles();
    ASSERT_EQ(flushed.size(), 1u);
    EXPECT_EQ(std::filesystem::path(flushed[0])
                  .filename()
                  .string()
                  .rfind("VnSNMP_PP_BootCounter.tmp.", 0),
              0u)
        << flushed[0];
  }
}

TEST_F(BootCounter, AFifoAtItsNameIsRefusedWithoutWaiting) {
  // Nobody writes to the FIFO: an open that waited for a writer would hold
  // the module's start for ever.
  ASSERT_EQ(mkfifo(path_.c_str(), 0666), 0);
  unsigned int boots = 9;
  {
    vntest::Deadline deadline(5);
    EXPECT_EQ(getBootCounter(path_, kEngine, boots), SNMPv3_FILEOPEN_ERROR);
    EXPECT_EQ(saveBootCounter(path_, kEngine, 1), SNMPv3_FILEOPEN_ERROR);
    EXPECT_FALSE(deadline.Passed()) << "the counter waited at the FIFO";
  }
  EXPECT_EQ(boots, 0u);
  struct stat st {};
  ASSERT_EQ(lstat(path_.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(Names(), std::vector<std::string>{"VnSNMP_PP_BootCounter"});
}

TEST_F(BootCounter, AWriteCutShortByAFileSizeLimitFailsAndLeavesNothing) {
  struct Case {
    const char* existing;  // nullptr: no file
    rlim_t limit;
  };
  const std::vector<Case> cases = {{nullptr, 0}, {nullptr, 20}, {"0102 7\n", 0}, {"0102 7\n", 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.existing ? "a file" : "no file") << ", " << c.limit);
    unlink(path_.c_str());
    if (c.existing) dir_.Write("VnSNMP_PP_BootCounter", c.existing);
    const std::vector<std::string> before = Names();
    {
      vntest::FileSizeLimit limit(c.limit);
      EXPECT_EQ(saveBootCounter(path_, kEngine, 5), SNMPv3_FILECREATE_ERROR);
    }
    EXPECT_EQ(Names(), before);
    if (c.existing) {
      EXPECT_EQ(vntest::ReadFile(path_), c.existing);
    }
  }
}

TEST_F(BootCounter, AFilePastItsBoundIsAFileErrorReadNoFurtherAndKept) {
  // The folder may be one others write to: what they put there costs a
  // start no more than the bound, and is never written back.
  const std::string entry = "566E534E4D505F50505F4170706C69636174696F6E 4\n";
  const std::string comment = "#" + std::string(62, '-') + "\n";
  const auto comments = [&](std::size_t size) {
    std::string text;
    while (text.size() + comment.size() <= size) text += comment;
    return text + std::string(size - text.size(), '\n');
  };
  struct Case {
    const char* what;
    std::size_t size;  // comment lines of that many bytes, then the entry
    bool sparse;       // ...or a file of that size with nothing written
    int result;
  };
  const std::vector<Case> cases = {
      {"at the bound", 65536 - entry.size(), false, SNMPv3_OK},
      {"one byte past it", 65537 - entry.size(), false, SNMPv3_FILE_ERROR},
      {"16 MiB of comment lines", 16u << 20, false, SNMPv3_FILE_ERROR},
      {"a sparse file of 512 MiB", 512u << 20, true, SNMPv3_FILE_ERROR},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    unlink(path_.c_str());
    if (c.sparse) {
      dir_.Write("VnSNMP_PP_BootCounter", "");
      ASSERT_EQ(truncate(path_.c_str(), static_cast<off_t>(c.size)), 0);
    } else {
      dir_.Write("VnSNMP_PP_BootCounter", comments(c.size) + entry);
    }
    struct stat before {};
    ASSERT_EQ(stat(path_.c_str(), &before), 0);
    unsigned int boots = 9;
    EXPECT_EQ(getBootCounter(path_, kEngine, boots), c.result);
    EXPECT_EQ(boots, c.result == SNMPv3_OK ? 4u : 0u);
    if (c.result == SNMPv3_OK) continue;
    EXPECT_EQ(saveBootCounter(path_, kEngine, 5), c.result);
    struct stat after {};
    ASSERT_EQ(stat(path_.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_EQ(Names(), std::vector<std::string>{"VnSNMP_PP_BootCounter"});
  }
}

}  // namespace
