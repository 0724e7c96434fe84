// The registry's file store on disk: the file's mode, and writes that fail.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/RegistryStore.h"
#include "support/FileSizeLimit.h"
#include "support/FlushedFiles.h"
#include "support/InterruptedChild.h"
#include "support/RewriteOwner.h"
#include "support/TestSupport.h"

namespace {

const char kKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Modules\\HelpPath";
const char kStored[] = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Modules\\HelpPath]\nx=1\n";

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(RegistryFile, ARewriteIsFlushedFirstAndKeepsTheFilesMode) {
  // The new file is on disk before it takes the old one's place. A file its
  // owner made private stays private, also when the name is a link to it; a
  // new file gets what any new file of the user's gets.
  struct Case {
    int existing;  // mode of the file before; -1: no file
    bool linked;   // registry.ini is a link to the file
    mode_t mask;
    mode_t expected;
  };
  const std::vector<Case> cases = {
      {0600, false, 022, 0600}, {0640, false, 022, 0640}, {0664, false, 022, 0664},
      {0644, false, 077, 0644}, {0600, true, 022, 0600},  {-1, false, 022, 0644},
      {-1, false, 077, 0600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::oct << "mode " << c.existing << ", umask " << c.mask
                                    << (c.linked ? ", linked" : ""));
    vntest::TempDir dir;
    const std::string file = dir.File("registry.ini");
    const std::string real = c.linked ? dir.File("real.ini") : file;
    if (c.existing >= 0) {
      dir.Write(c.linked ? "real.ini" : "registry.ini", "; kept\n");
      ASSERT_EQ(chmod(real.c_str(), static_cast<mode_t>(c.existing)), 0);
    }
    if (c.linked) {
      ASSERT_EQ(symlink(real.c_str(), file.c_str()), 0);
    }
    const mode_t previous = umask(c.mask);
    vntest::ForgetFlushedFiles();
    TFileRegistryStore store(file.c_str());
    store.WriteValue(kKey, "x", "1");
    umask(previous);
    const std::vector<std::string> flushed = vntest::FlushedFiles();
    ASSERT_EQ(flushed.size(), 1u);
    EXPECT_EQ(std::filesystem::path(flushed[0])
                  .filename()
                  .string()
                  .rfind(std::filesystem::path(real).filename().string() + ".tmp.", 0),
              0u)
        << flushed[0];
    EXPECT_EQ(ModeOf(real), c.expected);
    const std::string text = vntest::ReadFile(file);
    EXPECT_EQ(text.rfind("; kept\n", 0) == 0, c.existing >= 0) << text;
    EXPECT_NE(text.find(kStored), std::string::npos) << text;
  }
}

TEST(RegistryFile, ARewriteKeepsTheFilesOwner) {
  // The module run once through sudo must leave the user's registry the
  // user's, readable and writable by them as before.
  if (!vntest::MayActAsOtherUsers()) GTEST_SKIP() << "needs root to own files as others";
  vntest::ExpectRewritesKeepTheOwner("registry.ini", kStored, [](const std::string& path) {
    try {
      TFileRegistryStore store(path.c_str());
      store.WriteValue(kKey, "x", "2");
      return true;
    } catch (const ERegistryException&) {
      return false;
    }
  });
}

TEST(RegistryFile, AWriteCutShortByAFileSizeLimitFailsAndLeavesNothing) {
  struct Case {
    const char* existing;  // nullptr: no file
    rlim_t limit;
  };
  const std::vector<Case> cases = {{nullptr, 0}, {nullptr, 10}, {kStored, 0}, {kStored, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.existing ? "a file" : "no file") << ", " << c.limit);
    vntest::TempDir dir;
    const std::string file = dir.File("registry.ini");
    if (c.existing) dir.Write("registry.ini", c.existing);
    const std::vector<std::string> before = vntest::NamesIn(dir.Path());
    TFileRegistryStore store(file.c_str());
    {
      vntest::FileSizeLimit limit(c.limit);
      EXPECT_THROW(store.WriteValue(kKey, "y", "2"), ERegistryException);
    }
    EXPECT_EQ(vntest::NamesIn(dir.Path()), before);
    if (c.existing) {
      EXPECT_EQ(vntest::ReadFile(file), c.existing);
    }
  }
}

TEST(RegistryFile, AWriterInterruptedBeforeItsRenameLeavesTheFileWholeAndNothingForGood) {
  // What a killed writer left goes with the next store's first read, or with
  // the next write of a store that read before; a writer whose copy still
  // holds its new file keeps it.
  for (const bool write : {false, true}) {
    SCOPED_TRACE(write ? "a write" : "a read");
    vntest::TempDir dir;
    const std::string file = dir.Write("registry.ini", kStored);
    TFileRegistryStore earlier(file.c_str());
    EXPECT_TRUE(earlier.KeyExists(kKey));
    const auto atFlush = [](vntest::InterruptedChild::Moment m) { vntest::AtNextFlush(m); };
    const vntest::InterruptedChild handedOver(vntest::Interrupt::HandOver, atFlush, [&] {
      TFileRegistryStore(file.c_str()).WriteValue(kKey, "y", "3");
    });
    const vntest::InterruptedChild killed(vntest::Interrupt::Kill, atFlush, [&] {
      TFileRegistryStore(file.c_str()).WriteValue(kKey, "x", "2");
    });
    ASSERT_TRUE(killed.Caught() && handedOver.Caught());
    std::vector<std::string> names = vntest::NamesIn(dir.Path());
    ASSERT_EQ(names.size(), 3u);
    const std::string kept = "registry.ini.tmp." + std::to_string(handedOver.Pid()) + ".";
    const auto isKept = [&](const std::string& n) { return n.rfind(kept, 0) == 0; };
    ASSERT_EQ(std::count_if(names.begin(), names.end(), isKept), 1) << kept;
    EXPECT_EQ(vntest::ReadFile(file), kStored);

    AnsiString value;
    if (write)
      earlier.WriteValue(kKey, "z", "4");
    else
      EXPECT_TRUE(TFileRegistryStore(file.c_str()).ReadValue(kKey, "x", value));
    names.erase(std::remove_if(
                    names.begin(), names.end(),
                    [&](const std::string& n) { return n.find(".tmp.") != n.npos && !isKept(n); }),
                names.end());
    EXPECT_EQ(vntest::NamesIn(dir.Path()), names);
  }
}

}  // namespace
