#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "ScopedEnv.h"
#include "platform/Registry.h"
#include "platform/RegistryStore.h"
#include "support/TestSupport.h"

namespace {

const char kHelpKey[] = "\\SOFTWARE\\Vantrel\\Modules\\HelpPath";
const char kHelpValue[] = "1.3.6.1.4.1.171.10.101.1";

const char kHostRegistry[] =
    "; written by the host's installer\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Kelvane5.1\\ExePath]\r\n"
    "Path=C:\\Kelvane\\Bin\\\r\n"
    "\r\n"
    "[hkey_local_machine\\software\\hewlett-packard\\openview]\r\n"
    "OV_PATH = \"  /opt/ov  \"\r\n"
    "ov_path=second\r\n"
    "# no value here\r\n"
    "Empty=\r\n"
    "[HKEY_CURRENT_USER\\SOFTWARE\\Vantrel\\Kelvane5.1\\MibFile]\r\n"
    "Path=user\r\n";

TEST(Registry, OpensOnlyExistingKeysUnlessCreationIsAllowed) {
  TMemoryRegistryStore store(kHostRegistry);
  TRegistry reg(store);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);

  EXPECT_FALSE(reg.OpenKey("\\SOFTWARE\\Vantrel\\Kelvane5.1\\MibFile", false));  // under HKCU only
  EXPECT_FALSE(reg.HasCurrentKey());
  ASSERT_TRUE(reg.OpenKey("\\software\\VANTREL\\kelvane5.1\\exepath", false));
  EXPECT_EQ(reg.CurrentPath(), "software\\VANTREL\\kelvane5.1\\exepath");  // as the caller spelt it
  EXPECT_EQ(reg.ReadString("path"), "C:\\Kelvane\\Bin\\");

  // A failed open leaves the open key as it was.
  EXPECT_FALSE(reg.OpenKey(kHelpKey, false));
  EXPECT_EQ(reg.CurrentPath(), "software\\VANTREL\\kelvane5.1\\exepath");
  EXPECT_EQ(store.Text(), kHostRegistry);  // nothing created

  // A key with keys below it exists, and relative names go below the open key.
  EXPECT_TRUE(reg.KeyExists("\\SOFTWARE\\Vantrel"));
  EXPECT_FALSE(reg.KeyExists("\\SOFTWARE\\Vant"));
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Vantrel\\", false));
  ASSERT_TRUE(reg.OpenKey("Kelvane5.1\\ExePath", false));
  EXPECT_EQ(reg.CurrentPath(), "SOFTWARE\\Vantrel\\Kelvane5.1\\ExePath");

  // The class library's default root is the current user.
  TRegistry user(store);
  EXPECT_EQ(user.RootKey(), HKEY_CURRENT_USER);
  ASSERT_TRUE(user.OpenKey("\\SOFTWARE\\Vantrel\\Kelvane5.1\\MibFile", false));
  EXPECT_EQ(user.ReadString("Path"), "user");
  user.SetRootKey(HKEY_LOCAL_MACHINE);  // closes the key
  EXPECT_FALSE(user.HasCurrentKey());
}

TEST(Registry, ValuesMatchIgnoringCaseFirstOneWins) {
  TMemoryRegistryStore store(kHostRegistry);
  TRegistry reg(store);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Hewlett-Packard\\OpenView", false));
  EXPECT_TRUE(reg.ValueExists("ov_path"));
  EXPECT_EQ(reg.ReadString("Ov_Path"), "  /opt/ov  ");  // quotes keep the blanks
  EXPECT_TRUE(reg.ValueExists("Empty"));
  EXPECT_EQ(reg.ReadString("Empty"), "");
  EXPECT_FALSE(reg.ValueExists("Missing"));
  EXPECT_EQ(reg.ReadString("Missing"), "");
  EXPECT_FALSE(reg.ValueExists("# no value here"));
  reg.CloseKey();
  EXPECT_EQ(reg.ReadString("OV_PATH"), "");  // the root key has no values
}

TEST(Registry, CreatesTheHelpPathKeyEmpty) {
  TMemoryRegistryStore store(kHostRegistry);
  TRegistry reg(store);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey(kHelpKey, true));
  EXPECT_EQ(reg.ReadString(kHelpValue), "");
  EXPECT_FALSE(reg.ValueExists(kHelpValue));
  EXPECT_NE(store.Text().Pos("\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Modules\\HelpPath]\r\n"),
            0);
  // Opening it again creates nothing more.
  const AnsiString once = store.Text();
  ASSERT_TRUE(reg.OpenKey("\\Software\\vantrel\\modules\\helppath", true));
  EXPECT_EQ(store.Text(), once);
  EXPECT_FALSE(TRegistry(store).KeyExists(kHelpKey));  // not under HKEY_CURRENT_USER
}

TEST(Registry, WritesKeepOtherLinesAndRoundTripEveryText) {
  TMemoryRegistryStore store(kHostRegistry);
  TRegistry reg(store);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Hewlett-Packard\\OpenView", false));
  for (const char* text : {"", " lead", "trail ", "\"quoted\"", "\"", "a=b;c", "C:\\x\\"}) {
    reg.WriteString("OV_PATH", text);
    EXPECT_EQ(reg.ReadString("ov_path"), text);
  }
  reg.WriteString("New Value", "x");
  EXPECT_EQ(reg.ReadString("NEW VALUE"), "x");
  reg.WriteString("", "default");
  EXPECT_EQ(reg.ReadString(""), "default");

  const AnsiString text = store.Text();
  EXPECT_EQ(text.Pos("; written by the host's installer\r\n"), 1);
  EXPECT_NE(text.Pos("ov_path=second\r\n"), 0);  // the shadowed duplicate stays
  EXPECT_NE(text.Pos("Empty=\r\nNew Value=x\r\n@=default\r\n[HKEY_CURRENT_USER"), 0);
}

TEST(Registry, RejectsWhatTheTextFormCannotHold) {
  TMemoryRegistryStore store;
  TRegistry reg(store);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\A", true));
  EXPECT_THROW(reg.WriteString("a=b", "x"), ERegistryException);
  EXPECT_THROW(reg.WriteString("name", "two\nlines"), ERegistryException);
  EXPECT_THROW(reg.WriteString(" name", "x"), ERegistryException);
  EXPECT_THROW(reg.WriteString("[name]", "x"), ERegistryException);
  EXPECT_EQ(store.Text(), "[HKEY_LOCAL_MACHINE\\A]\n");
  EXPECT_THROW(reg.CreateKey("\\"), ERegistryException);
  // A line break in a key path would split its section header in two.
  EXPECT_THROW(reg.CreateKey("\\B\n[HKEY_LOCAL_MACHINE\\C]"), ERegistryException);
  EXPECT_THROW(store.WriteValue("HKEY_LOCAL_MACHINE\\B\r\nx=1", "y", "2"), ERegistryException);
  EXPECT_EQ(store.Text(), "[HKEY_LOCAL_MACHINE\\A]\n");
}

TEST(Registry, FileStorePersistsAcrossInstances) {
  vntest::TempDir dir;
  const std::string file = dir.File("config/vantrel/registry.ini");  // folders made on demand
  {
    TFileRegistryStore store(file.c_str());
    TRegistry reg(store);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.OpenKey(kHelpKey, false));
    ASSERT_TRUE(reg.OpenKey(kHelpKey, true));
    reg.WriteString(kHelpValue, "/opt/vantrel/KXR-5800-10 kelvane.hlp");
  }
  EXPECT_EQ(vntest::ReadFile(file),
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Modules\\HelpPath]\n"
            "1.3.6.1.4.1.171.10.101.1=/opt/vantrel/KXR-5800-10 kelvane.hlp\n");

  // Another store on the same file (another run of the program) sees it, and
  // sees changes made to the file meanwhile.
  TFileRegistryStore again(file.c_str());
  TRegistry reg(again);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\software\\vantrel\\modules\\HELPPATH", false));
  EXPECT_EQ(reg.ReadString(kHelpValue), "/opt/vantrel/KXR-5800-10 kelvane.hlp");
  dir.Write("config/vantrel/registry.ini",
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Modules\\HelpPath]\n"
            "1.3.6.1.4.1.171.10.101.1=changed\n");
  EXPECT_EQ(reg.ReadString(kHelpValue), "changed");
}

TEST(Registry, StoreFailuresRaiseOrFailTheOpen) {
  vntest::TempDir dir;
  // A folder where the file should be: it cannot be read.
  mkdir(dir.File("registry.ini").c_str(), 0700);
  TFileRegistryStore unreadable(dir.File("registry.ini").c_str());
  TRegistry reg(unreadable);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.OpenKey(kHelpKey, true));
  EXPECT_FALSE(reg.KeyExists(kHelpKey));
  EXPECT_THROW(reg.ReadString(kHelpValue), ERegistryException);
  EXPECT_THROW(reg.ValueExists(kHelpValue), ERegistryException);

  // A file where its folder should be: nothing can be written.
  dir.Write("plain", "x");
  TFileRegistryStore unwritable(dir.File("plain/registry.ini").c_str());
  TRegistry reg2(unwritable);
  reg2.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg2.OpenKey(kHelpKey, true));
  EXPECT_FALSE(reg2.HasCurrentKey());
  EXPECT_THROW(reg2.CreateKey(kHelpKey), ERegistryException);
  EXPECT_THROW(reg2.WriteString("x", "y"), ERegistryException);
  try {
    reg2.WriteString("x", "y");
  } catch (const Exception& e) {
    EXPECT_EQ(AnsiString(e.Message).Pos("Failed to set data for 'x'"), 1) << e.Message;
  }
}

TEST(Registry, FileStoreWritesThroughNoPlantedTemporaryFile) {
  // Links at every temporary name the store once used (its own pid's and
  // the plain one): their target stays as it was, and no temporary file is
  // left beside the store.
  vntest::TempDir dir;
  const std::string victim = dir.Write("victim", "untouched\n");
  const std::string file = dir.File("registry.ini");
  for (const std::string& name :
       {file + ".tmp", file + ".tmp" + std::to_string(static_cast<long>(getpid()))})
    ASSERT_EQ(symlink(victim.c_str(), name.c_str()), 0);
  TFileRegistryStore store(file.c_str());
  store.WriteValue("HKEY_LOCAL_MACHINE\\A", "x", "1");
  store.WriteValue("HKEY_LOCAL_MACHINE\\A", "y", "2");
  EXPECT_EQ(vntest::ReadFile(victim), "untouched\n");
  EXPECT_EQ(vntest::ReadFile(file), "[HKEY_LOCAL_MACHINE\\A]\nx=1\ny=2\n");
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
  EXPECT_EQ(entries, 4u);  // the store, the victim and the two links
}

TEST(Registry, DefaultFileFollowsTheEnvironment) {
  {
    ScopedEnv reg("KXR_REGISTRY", "/tmp/some/registry.ini");
    EXPECT_EQ(DefaultRegistryPath(), "/tmp/some/registry.ini");
  }
  ScopedEnv reg("KXR_REGISTRY", "");
  ScopedEnv home("HOME", "/home/op");
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(DefaultRegistryPath(), "/cfg/vantrel/registry.ini");
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "relative/cfg");  // relative: ignored
    EXPECT_EQ(DefaultRegistryPath(), "/home/op/.config/vantrel/registry.ini");
  }
  ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(DefaultRegistryPath(), "/home/op/.config/vantrel/registry.ini");
}

TEST(Registry, DefaultObjectsUseTheInstalledStoreElseTheFile) {
  vntest::TempDir dir;
  ScopedEnv env("KXR_REGISTRY", dir.File("reg.ini").c_str());
  {
    TMemoryRegistryStore memory;
    TRegistryStoreOverride use(memory);
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(kHelpKey, true));
    EXPECT_NE(memory.Text().Pos("HelpPath]"), 0);
    EXPECT_EQ(vntest::ReadFile(dir.File("reg.ini")), "");
  }
  EXPECT_EQ(InstalledRegistryStore(), nullptr);
  TRegistry reg;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey(kHelpKey, true));
  EXPECT_EQ(vntest::ReadFile(dir.File("reg.ini")),
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Modules\\HelpPath]\n");
}

}  // namespace
