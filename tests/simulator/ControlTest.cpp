#include <gtest/gtest.h>

#include "SmallDevice.h"
#include "simulator/src/Agent.h"
#include "simulator/src/Control.h"
#include "simulator/src/ErrorStatus.h"
#include "simulator/src/FrontPanel.h"
#include "simulator/src/Options.h"

namespace simtest {
namespace {

using sim::ToOid;

struct ControlFixture : ::testing::Test {
  SmallDevice device;
  sim::Behaviour behaviour;
  int released = 0;
  std::string logPath;
  bool stopped = false;
  sim::ControlChannel channel{
      *device.store, behaviour,
      sim::ControlHooks{[this] { ++released; },
                        [this](const std::string& path, std::string&) {
                          logPath = path;
                          return true;
                        },
                        [this] { stopped = true; }, [] { return std::size_t{2}; }}};
};

TEST_F(ControlFixture, SetsAndReadsAnyValue) {
  EXPECT_EQ(channel.Execute("set 9.1.6.0 x \"01 02 ff\""), "ok");
  EXPECT_EQ(channel.Execute("get 9.1.6.0"), "ok Hex-STRING:01 02 FF");
  EXPECT_EQ(channel.Execute("set 9.1.1.0 s \"two words\""), "ok");
  EXPECT_EQ(channel.Execute("get 9.1.1.0"), "ok STRING:\"two words\"");
  EXPECT_EQ(channel.Execute("set 9.2.1.2.4 a 10.9.9.9"), "ok");  // makes the row
  EXPECT_EQ(channel.Execute("get 9.2.1.3.4"), "ok INTEGER:1");
  EXPECT_EQ(channel.Execute("get 9.2.1.3.5"), "ok noSuchInstance");
  EXPECT_EQ(channel.Execute("get 7.7"), "ok noSuchObject");
  EXPECT_EQ(channel.Execute("set 9.1.1.0 i x"), "error bad value \"x\" for type 'i'");
  EXPECT_EQ(channel.Execute("set 8.8.0 i 1"), "error no object holds 8.8.0");
  EXPECT_EQ(channel.Execute("set 9.1.1.0"), "error usage: set OID TYPE VALUE");
  EXPECT_EQ(channel.Execute("motion 9.3.1.3.1 still"), "ok");
  EXPECT_EQ(channel.Execute("motion 9.3.1.3.99 still"), "error no instance 9.3.1.3.99");
}

TEST_F(ControlFixture, DumpsEveryInstanceUnderAPrefixOnOneLine) {
  EXPECT_EQ(channel.Execute("set 9.2.1.2.4 a 10.9.9.9"), "ok");
  EXPECT_EQ(channel.Execute("set 9.2.1.5.4 x \"00 09 \""), "ok");
  EXPECT_EQ(channel.Execute("dump 9.2.1.2"),
            "ok 9.2.1.2.1=IpAddress:10.0.0.1\t9.2.1.2.2=IpAddress:10.90.90.21\t"
            "9.2.1.2.4=IpAddress:10.9.9.9");
  EXPECT_EQ(channel.Execute("dump 9.2.1.5.4"), "ok 9.2.1.5.4=Hex-STRING:00 09");
  EXPECT_EQ(channel.Execute("dump 9.2.1.9"), "ok");
  EXPECT_EQ(channel.Execute("dump"), "error usage: dump OID-PREFIX");
  EXPECT_EQ(channel.Execute("dump 9..1"), "error usage: dump OID-PREFIX");
}

TEST_F(ControlFixture, ShapesTheAgentsBehaviourAndResets) {
  EXPECT_EQ(channel.Execute("mute"), "ok");
  EXPECT_TRUE(behaviour.muted);
  EXPECT_EQ(channel.Execute("unmute"), "ok");
  EXPECT_FALSE(behaviour.muted);
  EXPECT_EQ(channel.Execute("delay 250"), "ok");
  EXPECT_EQ(behaviour.delayMs, 250);
  EXPECT_EQ(channel.Execute("delay -5"), "error usage: delay MS");
  EXPECT_EQ(channel.Execute("drop 3"), "ok");
  EXPECT_EQ(behaviour.dropNext, 3);
  EXPECT_EQ(channel.Execute("waiting"), "ok 2");
  EXPECT_EQ(channel.Execute("waiting 1"), "error usage: waiting");
  EXPECT_EQ(channel.Execute("hold"), "ok");
  EXPECT_TRUE(behaviour.holding);
  EXPECT_EQ(channel.Execute("release"), "ok");
  EXPECT_FALSE(behaviour.holding);
  EXPECT_EQ(released, 1);
  EXPECT_EQ(channel.Execute("inject getnext 1.3.6.1.2 tooBig"), "ok");
  EXPECT_EQ(channel.Execute("inject set 1.3 17"), "ok");
  EXPECT_EQ(channel.Execute("inject set 1.3 noError"),
            "error usage: inject get|getnext|getbulk|set|any OID-PREFIX STATUS");
  EXPECT_EQ(channel.Execute("inject put 1.3 genErr"),
            "error usage: inject get|getnext|getbulk|set|any OID-PREFIX STATUS");
  int status = 0;
  EXPECT_FALSE(behaviour.TakeInjection(sim::PduKind::Get, ToOid("1.3.6.1.2.1"), status));
  EXPECT_TRUE(behaviour.TakeInjection(sim::PduKind::GetNext, ToOid("1.3.6.1.2.1"), status));
  EXPECT_EQ(status, sim::kTooBig);
  EXPECT_FALSE(
      behaviour.TakeInjection(sim::PduKind::GetNext, ToOid("1.3.6.1.2.1"), status));  // once only
  EXPECT_EQ(channel.Execute("log /tmp/x.log"), "ok");
  EXPECT_EQ(logPath, "/tmp/x.log");
  EXPECT_EQ(channel.Execute("log off"), "ok");
  EXPECT_EQ(logPath, "");

  EXPECT_EQ(channel.Execute("set 9.1.1.0 s changed"), "ok");
  EXPECT_EQ(channel.Execute("mute"), "ok");
  EXPECT_EQ(channel.Execute("drop 2"), "ok");
  EXPECT_EQ(channel.Execute("inject set 1.3 genErr"), "ok");
  EXPECT_EQ(channel.Execute("normal"), "ok");
  EXPECT_FALSE(behaviour.muted);
  EXPECT_EQ(behaviour.dropNext, 0);
  EXPECT_TRUE(behaviour.injections.empty());
  EXPECT_EQ(released, 2);
  EXPECT_EQ(channel.Execute("get 9.1.1.0"), "ok STRING:\"changed\"");
  EXPECT_EQ(channel.Execute("normal now"), "error usage: normal");
  EXPECT_EQ(channel.Execute("mute"), "ok");
  EXPECT_EQ(channel.Execute("reset"), "ok");
  EXPECT_EQ(channel.Execute("get 9.1.1.0"), "ok STRING:\"switch\"");
  EXPECT_FALSE(behaviour.muted);
  EXPECT_TRUE(behaviour.injections.empty());
  EXPECT_EQ(channel.Execute("stop"), "ok");
  EXPECT_TRUE(stopped);
  EXPECT_EQ(channel.Execute("dance"), "error unknown command \"dance\" (try help)");
  EXPECT_EQ(channel.Execute(""), "error empty command");
}

// absent, disorder and repeat as the fixture lines give them; normal keeps
// them, reset returns to the seed.
TEST_F(ControlFixture, LeavesInstancesOutAndMakesWalksMisbehaveUntilReset) {
  auto next = [](const SmallDevice& d, const char* from) {
    sim::Oid oid;
    sim::Value v;
    return d.store->Next(ToOid(from), false, oid, v) ? sim::FormatOid(oid) : "end";
  };
  const std::string counter = channel.Execute("get 9.3.1.3.2");  // the clock stands still
  ASSERT_EQ(counter.rfind("ok Counter32:", 0), 0u) << counter;
  EXPECT_EQ(channel.Execute("absent 9.3.1.3.2"), "ok");  // a cell of one row
  EXPECT_EQ(channel.Execute("absent 9.2.1.4"), "ok");    // a column of every row
  EXPECT_EQ(channel.Execute("absent 9.1.1.0"), "ok");    // a scalar
  EXPECT_EQ(channel.Execute("disorder 9.3.1.1"), "ok");
  EXPECT_EQ(channel.Execute("repeat 9.2.1.2"), "ok");
  const std::pair<const char*, const char*> refused[] = {
      {"absent 9.3.1.3.2", "error no instance at or under 9.3.1.3.2"},
      {"absent 9.7", "error no instance at or under 9.7"},
      {"absent", "error usage: absent OID"},
      {"absent 9..1", "error usage: absent OID"},
      {"disorder 9.1.2", "error 9.1.2 is no readable table column"},        // a scalar
      {"repeat 9.2.1.2.1", "error 9.2.1.2.1 is no readable table column"},  // an instance
      {"disorder 9.2.1.1", "error 9.2.1.1 is no readable table column"},    // an index only
      {"repeat 9.2.1", "error 9.2.1 is no readable table column"},          // the entry
      {"disorder 9.3.1.1 9.3.1.2", "error usage: disorder COLUMN"},
      {"repeat", "error usage: repeat COLUMN"},
  };
  for (const auto& [command, reply] : refused) EXPECT_EQ(channel.Execute(command), reply);
  for (const char* command : {"normal", "reset"}) {
    SCOPED_TRACE(command);
    const bool seed = std::string(command) == "reset";
    EXPECT_EQ(channel.Execute(command), "ok");
    EXPECT_EQ(channel.Execute("get 9.3.1.3.2"), seed ? counter : "ok noSuchInstance");
    EXPECT_EQ(channel.Execute("get 9.2.1.4.2"),
              seed ? "ok Hex-STRING:00 11 22 33 44 55" : "ok noSuchInstance");
    EXPECT_EQ(channel.Execute("get 9.2.1.3.2"), "ok INTEGER:1");  // the rows stay
    EXPECT_EQ(channel.Execute("get 9.1.1.0"), seed ? "ok STRING:\"switch\"" : "ok noSuchInstance");
    EXPECT_EQ(next(device, "9.3.1.3.1"), seed ? "9.3.1.3.2" : "9.3.1.3.3");
    EXPECT_EQ(next(device, "9.3.1.1.4"), seed ? "9.3.1.1.5" : "9.3.1.1.3");
    EXPECT_EQ(next(device, "9.3.1.1.1"), "9.3.1.1.2");
    EXPECT_EQ(next(device, "9.2.1.2.2"), seed ? "9.2.1.3.1" : "9.2.1.2.2");
  }
  // The fixture's own misbehaving walks are the seed's.
  SmallDevice seeded("repeat 9.2.1.5\n");
  sim::ControlChannel seededChannel(*seeded.store, behaviour, {});
  EXPECT_EQ(seededChannel.Execute("disorder 9.3.1.1"), "ok");
  EXPECT_EQ(seededChannel.Execute("reset"), "ok");
  EXPECT_EQ(next(seeded, "9.2.1.5.1"), "9.2.1.5.1");
  EXPECT_EQ(next(seeded, "9.3.1.1.4"), "9.3.1.1.5");
}

TEST(SimFrontPanel, OctetsHoldPowerConsoleAndTwelvePortPairs) {
  const std::string start = sim::panel::Pattern(0);
  ASSERT_EQ(start.size(), 29u);
  EXPECT_EQ(start[2], 0x02);  // power
  EXPECT_EQ(start[3], 0x01);  // console
  // A slot's (state, colour) as one number, 0xSSCC.
  auto pair = [](const std::string& s, std::size_t slot) {
    return static_cast<unsigned char>(s[5 + 2 * slot]) * 256 +
           static_cast<unsigned char>(s[6 + 2 * slot]);
  };
  EXPECT_EQ(pair(start, 0), 0x0204);   // port 1 steady green
  EXPECT_EQ(pair(start, 1), 0x8203);   // port 2 blinking
  EXPECT_EQ(pair(start, 2), 0x8101);   // port 3 orange
  EXPECT_EQ(pair(start, 3), 0x0101);   // port 4 no link
  EXPECT_EQ(pair(start, 8), 0x0204);   // port 9
  EXPECT_EQ(pair(start, 11), 0x0101);  // combo 2
  // It changes slowly: the same within a step, different over a few.
  EXPECT_EQ(sim::panel::Pattern(sim::panel::kStepMs - 1), start);
  EXPECT_NE(sim::panel::Pattern(sim::panel::kStepMs), start);
  EXPECT_EQ(pair(sim::panel::Pattern(2 * sim::panel::kStepMs), 5), 0x0101);
}

TEST(SimOptions, ParsesTheCommandLine) {
  sim::Options o;
  std::string error;
  ASSERT_TRUE(sim::ParseOptions(
      {"--port", "1161", "--big-table", "1000x5", "--user", "u1:authPriv:SHA:abcdefgh:DES:12345678",
       "--context", "ctx", "--control-stdin", "--turnaround", "times"},
      o, error))
      << error;
  EXPECT_EQ(o.agent.port, 1161);
  EXPECT_EQ(o.bigRows, 1000);
  EXPECT_EQ(o.bigColumns, 5);
  ASSERT_EQ(o.agent.users.size(), 1u);  // given users replace the default ones
  EXPECT_EQ(o.agent.users[0].level, sim::V3UserOption::AuthPriv);
  EXPECT_EQ(o.agent.context, "ctx");
  EXPECT_TRUE(o.controlStdin);
  EXPECT_EQ(o.turnaroundFile, "times");
  ASSERT_TRUE(sim::ParseOptions({}, o, error));
  EXPECT_EQ(o.agent.users.size(), 5u);
  EXPECT_EQ(o.agent.readCommunity, "qovalt");
  EXPECT_EQ(o.agent.writeCommunity, "mundrel");

  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"--port", "70000"},
                                             {"--address", "192.168.1.1"},
                                             {"--big-table", "10"},
                                             {"--user", "x:authNoPriv:MD5:short"},
                                             {"--user", "x:authPriv:SHA:abcdefgh:AES:abcdefgh"},
                                             {"--bogus"},
                                             {"--log"},
                                             {"--turnaround"},
                                             {"stray"}}) {
    EXPECT_FALSE(sim::ParseOptions(bad, o, error)) << bad[0];
    EXPECT_FALSE(error.empty());
  }
  EXPECT_TRUE(sim::IsLoopback("127.8.9.10"));
}

}  // namespace
}  // namespace simtest
