// The simulator program driven by Net-SNMP's snmpget, snmpgetnext, snmpwalk
// and snmpset over loopback.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <regex>
#include <sstream>
#include <thread>
#include <utility>

#include "SimulatorHarness.h"

namespace simtest {
namespace {

const std::string kLed = "1.3.6.1.4.1.171.11.101.1.2.1.1.4.0";
const std::string kTrust =
    "1.3.6.1.4.1.171.12.1.2.10.1.1";  // trust host entry: .2 IP, .3 row status, .4 mask

int CountLines(const std::string& text) {
  int n = 0;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(".1.", 0) == 0) ++n;
  }
  return n;
}

std::vector<std::string> LogLines(const Simulator& sim) {
  std::vector<std::string> lines;
  std::istringstream in(sim.Log());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class AgentTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(sim_.Running()) << sim_.Output(); }
  Simulator sim_;
};

TEST_F(AgentTest, WalksOfTheDeviceMibShowRowsUnderEveryVersionUserAndContext) {
  const ToolResult v2 = sim_.V2("snmpwalk", {"1.3.6.1.4.1.171"});
  ASSERT_EQ(v2.status, 0) << v2.out;
  const int rows = CountLines(v2.out);
  EXPECT_GT(rows, 1500);
  EXPECT_NE(v2.out.find(".1.3.6.1.4.1.171.12.1.2.10.1.1.2.1 = IpAddress: 10.90.90.1"),
            std::string::npos);
  EXPECT_NE(v2.out.find(".1.3.6.1.4.1.171.11.101.1.2.1.1.1.0 = INTEGER: 10"), std::string::npos);

  // v1 has no Counter64: the walk skips those and sees the rest.
  const ToolResult v1 = sim_.V1("snmpwalk", {"1.3.6.1.4.1.171"});
  ASSERT_EQ(v1.status, 0) << v1.out;
  EXPECT_EQ(v1.out.find("Counter64"), std::string::npos);
  int counter64 = 0;
  for (std::size_t p = v2.out.find("Counter64"); p != std::string::npos;
       p = v2.out.find("Counter64", p + 1))
    ++counter64;
  EXPECT_EQ(CountLines(v1.out), rows - counter64);

  const std::vector<std::vector<std::string>> users = {
      {"-l", "noAuthNoPriv", "-u", "plain"},
      {"-l", "authNoPriv", "-u", "md5user", "-a", "MD5", "-A", "md5password"},
      {"-l", "authNoPriv", "-u", "shauser", "-a", "SHA", "-A", "shapassword"},
      {"-l", "authPriv", "-u", "md5des", "-a", "MD5", "-A", "md5password", "-x", "DES", "-X",
       "despassword"},
      {"-l", "authPriv", "-u", "shades", "-a", "SHA", "-A", "shapassword", "-x", "DES", "-X",
       "despassword"},
  };
  for (const auto& user : users) {
    for (const char* context : {"", "kxr5810"}) {
      std::vector<std::string> security = user;
      if (*context) security.insert(security.end(), {"-n", context});
      const ToolResult v3 = sim_.V3("snmpwalk", security, {"1.3.6.1.4.1.171"});
      EXPECT_EQ(v3.status, 0) << user[3] << " " << context << ": " << v3.out.substr(0, 300);
      EXPECT_EQ(CountLines(v3.out), rows) << user[3] << " " << context;
    }
  }
  // The log names each user and context.
  const std::string log = sim_.Log();
  EXPECT_NE(log.find("v3\tshades\t\"kxr5810\"\tGETNEXT\tnoError"), std::string::npos);
  EXPECT_NE(log.find("v1\tqovalt\t\"\"\tGETNEXT\tnoError"), std::string::npos);
}

TEST_F(AgentTest, WalksCrossColumnsAndEndLikeARealAgent) {
  // The last row of a column is followed by the first row of the next one.
  ToolResult r = sim_.V2("snmpgetnext", {kTrust + ".2.1"});
  EXPECT_NE(r.out.find(kTrust.substr(0) + ".3.1 = INTEGER: 1"), std::string::npos) << r.out;
  r = sim_.V2("snmpgetnext", {"1.3.6.1.6.3.99"});
  EXPECT_NE(r.out.find("No more variables left in this MIB View"), std::string::npos) << r.out;
  r = sim_.V1("snmpgetnext", {"1.3.6.1.6.3.99"});
  EXPECT_NE(r.out.find("noSuchName"), std::string::npos) << r.out;
  r = sim_.V2("snmpget", {"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.1.7", "1.3.6.1.2.1.1.99.0"});
  EXPECT_NE(r.out.find("STRING: \"KXR-5810 Gigabit Ethernet Switch\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("No Such Instance"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("No Such Object"), std::string::npos) << r.out;
  r = sim_.V1("snmpget", {"1.3.6.1.2.1.1.99.0"});
  EXPECT_NE(r.out.find("noSuchName"), std::string::npos) << r.out;
  // The three states the module reads at start-up, one of them outside 1.3.
  r = sim_.V1("snmpget", {"1.3.6.1.4.1.171.11.101.1.2.1.2.4.0", "1.3.6.1.4.1.171.12.15.1.2.0",
                          "1.0.8802.1.1.1.1.1.1.0"});
  EXPECT_NE(r.out.find(".1.3.6.1.4.1.171.11.101.1.2.1.2.4.0 = INTEGER: "
                       "2\n.1.3.6.1.4.1.171.12.15.1.2.0 = INTEGER: 1\n"
                       ".1.0.8802.1.1.1.1.1.1.0 = INTEGER: 2"),
            std::string::npos)
      << r.out;
  // A walk of the whole tree passes from 1.0 into 1.3 and sees every instance once.
  std::smatch served;
  const std::string output = sim_.Output();
  ASSERT_TRUE(std::regex_search(output, served, std::regex("([0-9]+) instances served"))) << output;
  EXPECT_EQ(CountLines(sim_.V2("snmpwalk", {".1"}).out),
            std::stoi(served[1]) + 1);  // + the end of the view
  // GETBULK walks see the same as GETNEXT walks.
  const ToolResult bulk = sim_.V2("snmpbulkwalk", {"-Cr25", "1.3.6.1.2.1.17"});
  const ToolResult next = sim_.V2("snmpwalk", {"1.3.6.1.2.1.17"});
  EXPECT_EQ(bulk.status, 0) << bulk.out.substr(0, 300);
  EXPECT_GT(CountLines(next.out), 100);
  EXPECT_EQ(CountLines(bulk.out), CountLines(next.out));
  EXPECT_NE(sim_.Log().find("\tGETBULK\tnoError\t0\t"), std::string::npos);
}

TEST_F(AgentTest, AccessNeedsTheRightCommunityUserLevelAndContext) {
  ToolResult r = sim_.V2("snmpget", {"1.3.6.1.2.1.1.5.0"}, "public");
  EXPECT_NE(r.out.find("Timeout"), std::string::npos) << r.out;  // a wrong community gets no reply
  r = sim_.V3("snmpget", {"-l", "noAuthNoPriv", "-u", "shades"}, {"1.3.6.1.2.1.1.5.0"});
  EXPECT_NE(r.out.find("authorizationError"), std::string::npos) << r.out;
  r = sim_.V3("snmpget", {"-l", "noAuthNoPriv", "-u", "plain", "-n", "elsewhere"},
              {"1.3.6.1.2.1.1.5.0"});
  EXPECT_NE(r.out.find("Timeout"), std::string::npos) << r.out;
  r = sim_.V3("snmpget", {"-l", "authNoPriv", "-u", "md5user", "-a", "MD5", "-A", "wrongpassword"},
              {"1.3.6.1.2.1.1.5.0"});
  EXPECT_NE(r.status, 0) << r.out;
  // The read community may not write: noAccess, noSuchName under v1.
  r = sim_.V2("snmpset", {"1.3.6.1.2.1.1.5.0", "s", "x"}, "qovalt");
  EXPECT_NE(r.out.find("noAccess"), std::string::npos) << r.out;
  r = sim_.V1("snmpset", {"1.3.6.1.2.1.1.5.0", "s", "x"}, "qovalt");
  EXPECT_NE(r.out.find("noSuchName"), std::string::npos) << r.out;
}

TEST_F(AgentTest, LedOctetsReadBackAsSetThroughTheControlChannel) {
  ToolResult r = sim_.V2("snmpget", {kLed});
  EXPECT_NE(r.out.find("Hex-STRING: 00 00 02 01 00 02 04"), std::string::npos)
      << r.out;  // power, console, port 1
  const std::string octets =
      "00 00 05 03 00 01 01 82 03 02 04 81 01 01 01 01 01 01 01 01 01 01 01 02 04 01 01 01 01";
  ASSERT_EQ(sim_.Control("set " + kLed + " x \"" + octets + "\""), "ok");
  r = sim_.V2("snmpget", {kLed});
  std::string flat = std::regex_replace(r.out, std::regex("\\s+"), " ");
  EXPECT_NE(flat.find("Hex-STRING: " + octets), std::string::npos) << r.out;
  EXPECT_EQ(sim_.Control("get " + kLed), "ok Hex-STRING:" + octets);
}

TEST_F(AgentTest, CreateAndGoThenDestroyAddsAndRemovesATrustHostAndBothAreLogged) {
  ToolResult r = sim_.V2("snmpset", {kTrust + ".3.5", "i", "4"}, "mundrel");
  ASSERT_EQ(r.status, 0) << r.out;
  r = sim_.V2("snmpwalk", {kTrust});
  EXPECT_NE(r.out.find(kTrust + ".3.5 = INTEGER: 1"), std::string::npos)
      << r.out;  // reads back active
  EXPECT_NE(r.out.find(kTrust + ".4.5 = IpAddress: 255.255.255.0"), std::string::npos) << r.out;
  r = sim_.V2("snmpset", {kTrust + ".3.5", "i", "4"}, "mundrel");
  EXPECT_NE(r.out.find("inconsistentValue"), std::string::npos) << r.out;
  r = sim_.V2("snmpset", {kTrust + ".3.5", "i", "6"}, "mundrel");
  ASSERT_EQ(r.status, 0) << r.out;
  r = sim_.V2("snmpwalk", {kTrust});
  EXPECT_EQ(r.out.find(kTrust + ".3.5"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(kTrust + ".3.1 = INTEGER: 1"), std::string::npos) << r.out;

  std::vector<std::string> sets;
  for (const auto& line : LogLines(sim_)) {
    if (line.find("\tSET\t") != std::string::npos) sets.push_back(line);
  }
  ASSERT_EQ(sets.size(), 3u);
  EXPECT_EQ(sets[0], "v2c\tmundrel\t\"\"\tSET\tnoError\t0\t" + kTrust + ".3.5=INTEGER:4");
  EXPECT_EQ(sets[1], "v2c\tmundrel\t\"\"\tSET\tinconsistentValue\t1\t" + kTrust + ".3.5=INTEGER:4");
  EXPECT_EQ(sets[2], "v2c\tmundrel\t\"\"\tSET\tnoError\t0\t" + kTrust + ".3.5=INTEGER:6");
}

// Each case: the varbinds of one SET, the v2c status and the v1 status.
struct SetCase {
  std::vector<std::string> varbinds;
  std::string v2, v1;
};

TEST_F(AgentTest, SetErrorsCarryTheirV2cAndV1Statuses) {
  const std::vector<SetCase> cases = {
      {{"1.3.6.1.4.1.171.12.15.1.2.0", "s", "rstp"}, "wrongType", "badValue"},
      {{"1.3.6.1.2.1.1.1.0", "s", "x"}, "notWritable", "noSuchName"},
      {{"1.3.6.1.4.1.171.12.15.1.2.0", "i", "7"}, "wrongValue", "badValue"},  // not in its options
      {{"1.3.6.1.2.1.17.7.1.4.5.1.1.1", "u", "4095"},
       "wrongValue",
       "badValue"},  // outside its range
      {{"1.3.6.1.2.1.1.5.0", "s", std::string(65, 'n')}, "wrongLength", "badValue"},
      {{kTrust + ".2.9", "a", "10.1.1.9"}, "noCreation", "noSuchName"},
      {{kTrust + ".3.1", "i", "4"}, "inconsistentValue", "badValue"},
      {{"1.3.6.1.4.1.171.99.1.0", "i", "1"}, "notWritable", "noSuchName"},
  };
  for (const auto& c : cases) {
    ToolResult r = sim_.V2("snmpset", c.varbinds, "mundrel");
    EXPECT_NE(r.out.find(c.v2), std::string::npos) << c.varbinds[0] << ": " << r.out;
    r = sim_.V1("snmpset", c.varbinds, "mundrel");
    EXPECT_NE(r.out.find(c.v1), std::string::npos) << c.varbinds[0] << ": " << r.out;
  }
}

TEST_F(AgentTest, ASetIsAppliedWhollyOrNotAtAll) {
  ToolResult r = sim_.V2(
      "snmpset", {"1.3.6.1.2.1.1.5.0", "s", "renamed", "1.3.6.1.4.1.171.12.15.1.2.0", "i", "9"},
      "mundrel");
  EXPECT_NE(r.out.find("wrongValue"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Failed object: .1.3.6.1.4.1.171.12.15.1.2.0"), std::string::npos) << r.out;
  r = sim_.V2("snmpget", {"1.3.6.1.2.1.1.5.0"});
  EXPECT_NE(r.out.find("\"KXR-5810\""), std::string::npos) << r.out;
  r = sim_.V2("snmpset",
              {"1.3.6.1.2.1.1.5.0", "s", "renamed", "1.3.6.1.4.1.171.12.15.1.2.0", "i", "2"},
              "mundrel");
  ASSERT_EQ(r.status, 0) << r.out;
  r = sim_.V2("snmpget", {"1.3.6.1.2.1.1.5.0", "1.3.6.1.4.1.171.12.15.1.2.0"});
  EXPECT_NE(r.out.find("\"renamed\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("INTEGER: 2"), std::string::npos) << r.out;
  // reset returns to the seed
  ASSERT_EQ(sim_.Control("reset"), "ok");
  r = sim_.V2("snmpget", {"1.3.6.1.2.1.1.5.0"});
  EXPECT_NE(r.out.find("\"KXR-5810\""), std::string::npos) << r.out;
}

TEST_F(AgentTest, MuteTimesOutAndUnmuteAnswersAgain) {
  ASSERT_EQ(sim_.Control("mute"), "ok");
  ToolResult r = sim_.V2("snmpget", {"1.3.6.1.2.1.1.5.0"});
  EXPECT_NE(r.out.find("Timeout"), std::string::npos) << r.out;
  EXPECT_NE(r.status, 0);
  ASSERT_EQ(sim_.Control("unmute"), "ok");
  r = sim_.V2("snmpget", {"1.3.6.1.2.1.1.5.0"});
  EXPECT_EQ(r.status, 0) << r.out;
}

TEST_F(AgentTest, AnInjectedGenErrIsReturnedOnce) {
  ASSERT_EQ(sim_.Control("inject get 1.3.6.1.2.1.1 genErr"), "ok");
  ToolResult r = sim_.V2("snmpget", {"1.3.6.1.2.1.1.5.0"});
  EXPECT_NE(r.out.find("genErr"), std::string::npos) << r.out;
  r = sim_.V2("snmpget", {"1.3.6.1.2.1.1.5.0"});
  EXPECT_EQ(r.status, 0) << r.out;
  // A GETNEXT elsewhere does not take an injection meant for SETs under another prefix.
  ASSERT_EQ(sim_.Control("inject set 1.3.6.1.2.1.1.5 resourceUnavailable"), "ok");
  r = sim_.V2("snmpgetnext", {"1.3.6.1.2.1.1.5"});
  EXPECT_EQ(r.status, 0) << r.out;
  r = sim_.V1("snmpset", {"1.3.6.1.2.1.1.5.0", "s", "x"}, "mundrel");
  EXPECT_NE(r.out.find("genErr"), std::string::npos) << r.out;  // resourceUnavailable under v1
  const std::string log = sim_.Log();
  EXPECT_NE(log.find("v2c\tqovalt\t\"\"\tGET\tgenErr\t1\t1.3.6.1.2.1.1.5.0"), std::string::npos)
      << log;
}

// An injected exception answers a SET with noError and the exception in the
// varbind's place, as some agents answer for an object they lack; nothing is
// set, and the injection is taken once.
TEST_F(AgentTest, AnInjectedExceptionAnswersASetThatSetsNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"noSuchObject", "No Such Object available on this agent at this OID"},
      {"noSuchInstance", "No Such Instance currently exists at this OID"},
      {"endOfMibView", "No more variables left in this MIB View"},
  };
  for (const auto& [name, printed] : cases) {
    SCOPED_TRACE(name);
    ASSERT_EQ(sim_.Control(std::string("inject set 1.3.6.1.2.1.1.5 ") + name), "ok");
    const ToolResult r = sim_.V2("snmpset", {"1.3.6.1.2.1.1.5.0", "s", "renamed"}, "mundrel");
    EXPECT_NE(r.out.find(printed), std::string::npos) << r.out;
    EXPECT_EQ(sim_.Control("get 1.3.6.1.2.1.1.5.0"), "ok STRING:\"KXR-5810\"");
    EXPECT_NE(sim_.Log().find(std::string("\tSET\tnoError\t0\t1.3.6.1.2.1.1.5.0=") + name),
              std::string::npos)
        << sim_.Log();
  }
  const ToolResult r = sim_.V2("snmpset", {"1.3.6.1.2.1.1.5.0", "s", "renamed"}, "mundrel");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(sim_.Control("get 1.3.6.1.2.1.1.5.0"), "ok STRING:\"renamed\"");
  // A read is answered the same way.
  ASSERT_EQ(sim_.Control("inject get 1.3.6.1.2.1.1.5 noSuchInstance"), "ok");
  const ToolResult get = sim_.V2("snmpget", {"1.3.6.1.2.1.1.5.0"});
  EXPECT_NE(get.out.find("No Such Instance currently exists at this OID"), std::string::npos)
      << get.out;
}

// In a GETNEXT of several varbinds, an injected exception takes the place of
// the one varbind under the prefix, in either registration of the store (1.0
// and 1.3), and the others are answered as usual; so in a GETBULK.
TEST_F(AgentTest, AnInjectedExceptionTakesTheOneVarbindsPlaceInAGetNextOrGetBulk) {
  const std::string lldp = "1.0.8802.1.1.1.1.1.1";
  const std::string trustIp = kTrust + ".2";
  for (const char* name : {"endOfMibView", "noSuchInstance", "noSuchObject"}) {
    for (const std::string& prefix : {lldp, trustIp}) {
      SCOPED_TRACE(std::string(name) + " under " + prefix);
      ASSERT_EQ(sim_.Control("inject getnext " + prefix + " " + name), "ok");
      const std::size_t logged = sim_.Log().size();
      const ToolResult r =
          sim_.V2("snmpgetnext", {"1.3.6.1.2.1.1.1", lldp, trustIp, "1.3.6.1.2.1.1.5"});
      ASSERT_EQ(r.status, 0) << r.out;
      const bool first = prefix == lldp;
      EXPECT_EQ(sim_.LogFrom(logged),
                "v2c\tqovalt\t\"\"\tGETNEXT\tnoError\t0\t"
                "1.3.6.1.2.1.1.1.0=STRING:\"KXR-5810 Gigabit Ethernet Switch\"\t" +
                    (first ? lldp + "=" + name : lldp + ".0=INTEGER:2") + "\t" +
                    (first ? trustIp + ".1=IpAddress:10.90.90.1" : trustIp + "=" + name) +
                    "\t1.3.6.1.2.1.1.5.0=STRING:\"KXR-5810\"\n");
    }
  }
  // In a GETBULK the exception takes the first repetition's place.
  ASSERT_EQ(sim_.Control("inject getbulk " + lldp + " endOfMibView"), "ok");
  const std::size_t logged = sim_.Log().size();
  const ToolResult r = sim_.V2("snmpbulkget", {"-Cn0", "-Cr2", lldp, trustIp});
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(sim_.LogFrom(logged), "v2c\tqovalt\t\"\"\tGETBULK\tnoError\t0\t" + lldp +
                                      "=endOfMibView\t" + trustIp + ".1=IpAddress:10.90.90.1\t" +
                                      lldp + ".0=INTEGER:2\t" + kTrust + ".3.1=INTEGER:1\n");
}

// The control channel makes instances absent and columns' walks misbehave on
// a running agent, as the fixture lines do; reset returns to the seed.
TEST_F(AgentTest, ControlLeavesCellsOutAndMakesWalksMisbehaveUntilReset) {
  const std::string descr = "1.3.6.1.2.1.2.2.1.2";
  const std::string type = "1.3.6.1.2.1.2.2.1.3";
  ASSERT_EQ(sim_.Control("absent " + type + ".5"), "ok");
  ASSERT_EQ(sim_.Control("set " + type + ".3 s \"x\""), "ok");  // another type than declared
  ToolResult r = sim_.V2("snmpwalk", {type});
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(CountLines(r.out), 9) << r.out;
  EXPECT_NE(r.out.find(type + ".3 = STRING: \"x\"\n." + type + ".4 = INTEGER: 6\n." + type +
                       ".6 = INTEGER: 6"),
            std::string::npos)
      << r.out;
  r = sim_.V2("snmpget", {type + ".5"});
  EXPECT_NE(r.out.find("No Such Instance"), std::string::npos) << r.out;

  ASSERT_EQ(sim_.Control("disorder " + type), "ok");
  ASSERT_EQ(sim_.Control("repeat " + descr), "ok");
  // From an instance: the one before it (past the absent one), from the
  // first: the one after it, from the column: its first.
  r = sim_.V2("snmpgetnext", {type + ".6", type + ".1", type, descr + ".7"});
  EXPECT_NE(r.out.find(type + ".4 = INTEGER: 6\n." + type + ".2 = INTEGER: 6\n." + type +
                       ".1 = INTEGER: 6\n." + descr + ".7 = STRING:"),
            std::string::npos)
      << r.out;

  ASSERT_EQ(sim_.Control("reset"), "ok");
  r = sim_.V2("snmpgetnext", {type + ".4", type + ".2", descr + ".7"});
  EXPECT_NE(r.out.find(type + ".5 = INTEGER: 6\n." + type + ".3 = INTEGER: 6\n." + descr +
                       ".8 = STRING:"),
            std::string::npos)
      << r.out;
}

TEST_F(AgentTest, DelayDropAndHoldShapeTheReplies) {
  ASSERT_EQ(sim_.Control("delay 400"), "ok");
  ToolResult r = sim_.V2("snmpget", {"1.3.6.1.2.1.1.5.0"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_GE(r.seconds, 0.4);
  ASSERT_EQ(sim_.Control("delay 0"), "ok");

  ASSERT_EQ(sim_.Control("drop 1"), "ok");
  r = sim_.V2("snmpget", {"1.3.6.1.2.1.1.5.0"});  // timeout 2 s, one retry
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_GE(r.seconds, 1.9);
  EXPECT_NE(sim_.Log().find("\tGET\tdropped\t0\t1.3.6.1.2.1.1.5.0=NULL"), std::string::npos)
      << sim_.Log();

  ASSERT_EQ(sim_.Control("hold"), "ok");
  auto pending = std::async(std::launch::async, [this] {
    return RunTool({"snmpget", "-v2c", "-c", "qovalt", "-On", "-t", "10", "-r", "0", sim_.Agent(),
                    "1.3.6.1.2.1.1.5.0"},
                   sim_.Dir().File("held-tools"));
  });
  EXPECT_EQ(pending.wait_for(std::chrono::milliseconds(1500)), std::future_status::timeout);
  EXPECT_EQ(sim_.Control("waiting"), "ok 1");
  ASSERT_EQ(sim_.Control("release"), "ok");
  ASSERT_EQ(pending.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_EQ(sim_.Control("waiting"), "ok 0");
  r = pending.get();
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("KXR-5810"), std::string::npos) << r.out;
}

TEST_F(AgentTest, CountersAndTimeTicksMoveOnTheirOwn) {
  const std::string in = "1.3.6.1.2.1.2.2.1.10.1";
  auto read = [&](const std::string& oid) {
    ToolResult r = sim_.V2("snmpget", {"-Oqvt", oid});  // the value alone, time ticks as a number
    std::smatch m;
    EXPECT_TRUE(std::regex_search(r.out, m, std::regex("(^|\\n)([0-9]+)\\n"))) << r.out;
    return m.empty() ? 0ull : std::stoull(m[2]);
  };
  const auto c1 = read(in);
  const auto t1 = read("1.3.6.1.2.1.1.3.0");
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  EXPECT_GT(read(in), c1);
  EXPECT_GE(read("1.3.6.1.2.1.1.3.0"), t1 + 100);
}

TEST_F(AgentTest, StopsOnSigtermAndRemovesItsControlSocket) {
  EXPECT_EQ(sim_.Stop(), 0);
  EXPECT_NE(sim_.Output().find("stopped"), std::string::npos) << sim_.Output();
  EXPECT_FALSE(std::filesystem::exists(sim_.Dir().File("control.sock")));
}

TEST(AgentOptions, BigTableOnAChosenPortAndBootsCountedInTheStateFolder) {
  vntest::TempDir state;
  const int port = vntest::FreeUdpPort();
  {
    Simulator sim(
        {"--port", std::to_string(port), "--big-table", "40x5", "--state-dir", state.Path()});
    ASSERT_TRUE(sim.Running()) << sim.Output();
    EXPECT_EQ(sim.Port(), port);
    ToolResult r = sim.V2("snmpwalk", {"1.3.6.1.3.1717.1"});
    EXPECT_EQ(CountLines(r.out), 200) << r.out.substr(0, 500);
    EXPECT_NE(r.out.find(".1.3.6.1.3.1717.1.1.1.40 = INTEGER: 40"), std::string::npos);
    r = sim.V2("snmpget", {"1.3.6.1.6.3.10.2.1.2.0"});
    EXPECT_NE(r.out.find("INTEGER: 1"), std::string::npos) << r.out;
  }
  {
    Simulator sim({"--state-dir", state.Path()});
    ASSERT_TRUE(sim.Running()) << sim.Output();
    ToolResult r = sim.V2("snmpget", {"1.3.6.1.6.3.10.2.1.2.0", "1.3.6.1.3.1717.1.1.1.1"});
    EXPECT_NE(r.out.find("INTEGER: 2"), std::string::npos) << r.out;      // booted again
    EXPECT_NE(r.out.find("No Such Object"), std::string::npos) << r.out;  // no big table this time
    // SNMPv3 goes on working: boots and time of the new start are in step.
    r = sim.V3("snmpget",
               {"-l", "authPriv", "-u", "shades", "-a", "SHA", "-A", "shapassword", "-x", "DES",
                "-X", "despassword"},
               {"1.3.6.1.6.3.10.2.1.2.0"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("INTEGER: 2"), std::string::npos) << r.out;
  }
  // Bad arguments: a clear message and exit status 2, no agent.
  vntest::TempDir tools;
  ToolResult bad = RunTool({VN_SIMULATOR_BIN, "--address", "10.0.0.1"}, tools.Path());
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.out.find("loopback"), std::string::npos) << bad.out;
  bad =
      RunTool({VN_SIMULATOR_BIN, "--fixture", tools.Write("bad.fixture", "table 1.2.3 nokind 1\n")},
              tools.Path());
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.out.find("bad.fixture:1: unknown index kind \"nokind\""), std::string::npos)
      << bad.out;
}

TEST(AgentOptions, TurnaroundFileNotesEachArrivalAndReplyInOrderAtTheEnd) {
  vntest::TempDir out;
  const std::string file = out.File("times");
  Simulator sim({"--big-table", "40x5", "--turnaround", file});
  ASSERT_TRUE(sim.Running()) << sim.Output();
  auto now = [] {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
  };
  const long long before = now();
  ToolResult r = sim.V2("snmpwalk", {"1.3.6.1.3.1717.1"});  // 201 GETNEXTs, one at a time
  ASSERT_EQ(CountLines(r.out), 200) << r.out.substr(0, 500);
  // A delayed reply is noted when it leaves.
  ASSERT_EQ(sim.Control("delay 50"), "ok");
  r = sim.V2("snmpget", {"1.3.6.1.2.1.1.5.0"});
  ASSERT_EQ(r.status, 0) << r.out;
  const long long after = now();
  EXPECT_FALSE(std::filesystem::exists(file));  // written once, when the agent stops
  ASSERT_EQ(sim.Stop(), 0);
  std::istringstream in(vntest::ReadFile(file));
  std::string kinds;
  std::vector<long long> times{before};
  for (std::string line; std::getline(in, line);) {
    ASSERT_GE(line.size(), 3u) << line;
    kinds += line[0];
    times.push_back(std::stoll(line.substr(2)));
    // Arrivals are the kernel's stamps, in the same clock as the sends.
    EXPECT_GE(times.back(), times[times.size() - 2]) << line;
    EXPECT_LE(times.back(), after) << line;
  }
  std::string expected;
  for (int i = 0; i < 202; ++i) expected += "rs";
  ASSERT_EQ(kinds, expected);
  EXPECT_GE(times.back() - times[times.size() - 2], 50'000'000);
}

}  // namespace
}  // namespace simtest
