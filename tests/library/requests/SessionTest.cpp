// The session start-up: boots counter, defaults, event timer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "RequestTestSupport.h"
#include "library/VnErrors.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPSession.h"
#include "platform/EventLoop.h"
#include "platform/Exceptions.h"
#include "snmp/BootCounter.h"
#include "snmp/OctetStr.h"
#include "support/FlushedFiles.h"
#include "support/InterruptedChild.h"
#include "support/OwnerCannotRead.h"

namespace {

using reqtest::RaisedNumber;

// The boots stored for the library's engine in a counter file; -1 when none.
long StoredBoots(const std::string& path) {
  unsigned int boots = 0;
  if (getBootCounter(path, OctetStr(kSnmpEngineId), boots) != SNMPv3_OK) return -1;
  return boots;
}

class SessionStart : public ::testing::Test {
 protected:
  // Starts in the folder in `count` processes at the same instant, each
  // from a current folder of its own (`elsewhere`) or all from the folder as
  // the current one; returns how many started.
  int StartAtOnce(int count, const vntest::TempDir* elsewhere) const {
    int go[2];
    if (pipe(go) != 0) return 0;
    std::vector<pid_t> starts;
    for (int i = 0; i < count; ++i) {
      const pid_t pid = fork();
      if (pid == 0) {
        close(go[1]);
        char c;
        (void)!read(go[0], &c, 1);  // until the parent closes its end
        const std::string own = elsewhere ? elsewhere->File(std::to_string(i)) : dir_.Path();
        try {
          if (elsewhere && mkdir(own.c_str(), 0700) != 0) _exit(1);
          if (chdir(own.c_str()) != 0) _exit(1);
          InitSnmpSession(AnsiString(elsewhere ? dir_.Path() : ""));
        } catch (...) {
          _exit(1);
        }
        _exit(0);
      }
      if (pid > 0) starts.push_back(pid);
    }
    close(go[0]);
    close(go[1]);
    int started = 0;
    for (const pid_t pid : starts) {
      int status = 0;
      if (waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0)
        ++started;
    }
    return started;
  }

  vntest::TempDir dir_;
};

TEST_F(SessionStart, FirstStartWritesBootsOneAndTheNextTwo) {
  const std::string path = dir_.File(kSnmpBootCounterFile);
  InitSnmpSession(AnsiString(dir_.Path()));
  EXPECT_EQ(StoredBoots(path), 1);
  // Written in the layer's format: the engine id in hex, then the count.
  EXPECT_NE(vntest::ReadFile(path).find("566E534E4D505F50505F4170706C69636174696F6E 1"),
            std::string::npos)
      << vntest::ReadFile(path);
  InitSnmpSession(AnsiString(dir_.Path() + "\\"));  // a trailing backslash names the same file
  EXPECT_EQ(StoredBoots(path), 2);
  EXPECT_NE(g_SnmpSession, nullptr);
}

TEST_F(SessionStart, MalformedCounterFileRaises507AndSavesNothing) {
  const std::string bad = "566E534E4D505F50505F4170706C69636174696F6E seven\n";
  const std::string path = dir_.Write(kSnmpBootCounterFile, bad);
  g_SnmpEventProcessor.Disable();
  int number = RaisedNumber([&] { InitSnmpSession(AnsiString(dir_.Path())); });
  EXPECT_EQ(number, VNERR_LOAD_BOOTCOUNTER);
  EXPECT_EQ(vntest::ReadFile(path), bad);
  // The start stopped there: the event timer was not started.
  EXPECT_FALSE(g_SnmpEventProcessor.Timer()->Enabled());

  // A link in place of the counter, to a good counter elsewhere, is no
  // counter either: it stays as it is.
  vntest::TempDir elsewhere;
  const std::string good = "566E534E4D505F50505F4170706C69636174696F6E 7\n";
  const std::string target = elsewhere.Write("counter", good);
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(symlink(target.c_str(), path.c_str()), 0);
  EXPECT_EQ(RaisedNumber([&] { InitSnmpSession(AnsiString(dir_.Path())); }),
            VNERR_LOAD_BOOTCOUNTER);
  EXPECT_EQ(vntest::ReadFile(target), good);
  char linked[4096] = {};
  EXPECT_GT(readlink(path.c_str(), linked, sizeof linked - 1), 0);
  EXPECT_EQ(std::string(linked), target);
  try {
    InitSnmpSession(AnsiString(dir_.Path()));
  } catch (Exception& e) {
    EXPECT_EQ(e.Message, "Error when loading SNMP engine boots counter!");
  }
}

TEST_F(SessionStart, ACounterItsOwnerMayNotReadRaises507AndIsKept) {
  // The load is what failed, though the save would fail as well.
  const std::string text = "566E534E4D505F50505F4170706C69636174696F6E 4\n";
  const std::string path = dir_.Write(kSnmpBootCounterFile, text);
  {
    vntest::OwnerCannotRead owner(path);
    if (!owner.Ready()) GTEST_SKIP() << "cannot read the file as a user whom its mode stops";
    g_SnmpEventProcessor.Disable();
    try {
      InitSnmpSession(AnsiString(dir_.Path()));
      ADD_FAILURE() << "the start went on";
    } catch (Exception& e) {
      EXPECT_EQ(e.Message, "Error when loading SNMP engine boots counter!");
      EXPECT_EQ(e.HelpContext, VNERR_LOAD_BOOTCOUNTER);
    }
    EXPECT_FALSE(g_SnmpEventProcessor.Timer()->Enabled());
  }
  EXPECT_EQ(vntest::ReadFile(path), text);
}

TEST_F(SessionStart, UnwritableFolderRaises508) {
  // A folder below a plain file cannot take the counter, whoever runs the test.
  const std::string file = dir_.Write("plain", "x");
  EXPECT_EQ(RaisedNumber([&] { InitSnmpSession(AnsiString(file + "/sub")); }),
            VNERR_SAVE_BOOTCOUNTER);
  EXPECT_EQ(RaisedNumber([&] { InitSnmpSession(AnsiString(dir_.File("missing"))); }),
            VNERR_SAVE_BOOTCOUNTER);
}

TEST_F(SessionStart, EmptyFolderMeansTheCurrentDirectory) {
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(dir_.Path().c_str()), 0);
  InitSnmpSession(AnsiString());
  EXPECT_EQ(StoredBoots(dir_.File(kSnmpBootCounterFile)), 1);
  ASSERT_EQ(chdir(previous), 0);
}

TEST_F(SessionStart, PresetsTheConnectionDefaultsAndStartsTheTwentyMsTimer) {
  ConnectionDefaults.Device.Address = "10.9.8.7";
  ConnectionDefaults.Device.Port = 1161;
  ConnectionDefaults.Security.Version = 3;
  ConnectionDefaults.Security.ReadCommunity = "x";
  ConnectionDefaults.Security.SecurityName = "someone";
  g_SnmpTimeout = 7;
  InitSnmpSession(AnsiString(dir_.Path()));
  EXPECT_EQ(ConnectionDefaults.Device.Address, "127.0.0.1");
  EXPECT_EQ(ConnectionDefaults.Device.Port, 161);
  EXPECT_EQ(ConnectionDefaults.Security.Version, 0);
  EXPECT_EQ(SnmpVersion, 0);
  EXPECT_EQ(ConnectionDefaults.Security.ReadCommunity, "qovalt");
  EXPECT_EQ(ConnectionDefaults.Security.WriteCommunity, "mundrel");
  EXPECT_EQ(ConnectionDefaults.Security.SecurityModel, 1u);
  EXPECT_EQ(ConnectionDefaults.Security.SecurityLevel, 1u);
  EXPECT_TRUE(ConnectionDefaults.Security.SecurityName.IsEmpty());
  EXPECT_EQ(ConnectionDefaults.Security.AuthProtocol, 1u);
  EXPECT_EQ(ConnectionDefaults.Security.PrivProtocol, 1u);
  EXPECT_TRUE(ConnectionDefaults.Scope.ContextName.IsEmpty());
  EXPECT_TRUE(ConnectionDefaults.Scope.ContextEngineId.IsEmpty());
  EXPECT_EQ(g_SnmpTimeout, 100u);
  EXPECT_TRUE(g_SnmpEventProcessor.Timer()->Enabled());
  EXPECT_EQ(g_SnmpEventProcessor.Timer()->Interval(), 20u);
}

TEST_F(SessionStart, StartsAtTheSameInstantEachCountTheirOwnBoot) {
  constexpr int kStarts = 6;
  for (int round = 1; round <= 6; ++round) {
    SCOPED_TRACE(testing::Message() << "round " << round);
    const vntest::TempDir elsewhere;
    ASSERT_EQ(StartAtOnce(kStarts, round % 2 ? &elsewhere : nullptr), kStarts);
    EXPECT_EQ(StoredBoots(dir_.File(kSnmpBootCounterFile)), round * kStarts);
  }
  EXPECT_EQ(vntest::NamesIn(dir_.Path()), std::vector<std::string>{kSnmpBootCounterFile});
}

TEST_F(SessionStart, AStartInterruptedInItsSaveKeepsTheCountAndLeavesNothingForGood) {
  const std::string text = "566E534E4D505F50505F4170706C69636174696F6E 4\n";
  const std::string path = dir_.Write(kSnmpBootCounterFile, text);
  const auto atFlush = [](vntest::InterruptedChild::Moment m) { vntest::AtNextFlush(m); };
  const auto start = [&] { InitSnmpSession(AnsiString(dir_.Path())); };
  const auto newFilesOf = [&](pid_t pid) {
    const std::string prefix =
        std::string(kSnmpBootCounterFile) + ".tmp." + std::to_string(pid) + ".";
    long n = 0;
    for (const std::string& name : vntest::NamesIn(dir_.Path())) n += name.rfind(prefix, 0) == 0;
    return n;
  };
  {
    const vntest::InterruptedChild killed(vntest::Interrupt::Kill, atFlush, start);
    ASSERT_TRUE(killed.Caught());
    EXPECT_EQ(vntest::ReadFile(path), text);
    EXPECT_EQ(newFilesOf(killed.Pid()), 1);
    // The next start clears it, and is itself gone while a copy of its
    // process still has its turn at the folder and its new file.
    const vntest::InterruptedChild handedOver(vntest::Interrupt::HandOver, atFlush, start);
    ASSERT_TRUE(handedOver.Caught());
    EXPECT_EQ(newFilesOf(killed.Pid()), 0);
    EXPECT_EQ(newFilesOf(handedOver.Pid()), 1);
    // Another start waits for its turn a while, then gives up.
    const auto begun = std::chrono::steady_clock::now();
    EXPECT_EQ(RaisedNumber(start), VNERR_LOAD_BOOTCOUNTER);
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(15));
    EXPECT_EQ(vntest::ReadFile(path), text);
    EXPECT_EQ(vntest::NamesIn(dir_.Path()).size(), 2u);
  }
  start();
  EXPECT_EQ(StoredBoots(path), 5);
  EXPECT_EQ(vntest::NamesIn(dir_.Path()), std::vector<std::string>{kSnmpBootCounterFile});
}

}  // namespace
