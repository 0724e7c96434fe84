#include "SimulatorFixture.h"

#include <chrono>
#include <regex>
#include <sstream>
#include <thread>

#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Controls.h"
#include "library/VnSNMPSession.h"
#include "snmp/Snmp.h"

namespace simdesc {

namespace {
constexpr VnOptionPair kRowStatusPairs[] = {
    {1, "Active"},        {2, "NotInService"}, {3, "NotReady"}, {4, "CreateAndGo"},
    {5, "CreateAndWait"}, {6, "Destroy"},      {0, nullptr}};
constexpr VnOptionPair kTrueFalsePairs[] = {{1, "true"}, {2, "false"}, {0, nullptr}};
constexpr VnOptionPair kEnabledDisabledPairs[] = {{1, "enabled"}, {2, "disabled"}, {0, nullptr}};
constexpr VnOptionPair kFrameTypesPairs[] = {
    {1, "admitAll"}, {2, "admitOnlyVLANTagged"}, {0, nullptr}};

constexpr VnSNMPVarDesc Var(const char* oid, const char* label, std::uint32_t syntax,
                            std::uint32_t access, VnOptionList* options = nullptr) {
  return {oid, label, syntax, access, options, nullptr, nullptr, nullptr, nullptr, nullptr};
}
}  // namespace

VnOptionList RowStatus(kRowStatusPairs);
VnOptionList TrueFalse(kTrueFalsePairs);
VnOptionList EnabledDisabled(kEnabledDisabledPairs);
VnOptionList FrameTypes(kFrameTypesPairs);

const VnSNMPVarDesc SystemGroup[] = {
    Var("1.3.6.1.2.1.1.1", "System Description", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READONLY),
    Var("1.3.6.1.2.1.1.2", "System Object ID", SNMP_SYNTAX_OBJECTID, SNMP_ACCESS_READONLY),
    Var("1.3.6.1.2.1.1.3", "System Up Time", SNMP_SYNTAX_TIMETICKS, SNMP_ACCESS_READONLY),
    Var("1.3.6.1.2.1.1.4", "System Contact", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    Var("1.3.6.1.2.1.1.5", "System Name", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    Var("1.3.6.1.2.1.1.6", "System Location", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    Var("1.3.6.1.2.1.1.7", "System Services", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY),
    {},
};

const VnSNMPVarDesc StaticVlans[] = {
    Var("", "VLAN ID", SNMP_SYNTAX_GUAGE, SNMP_ACCESS_NOTACCESS),
    Var("1.3.6.1.2.1.17.7.1.4.3.1.1", "VLAN Name", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE),
    Var("1.3.6.1.2.1.17.7.1.4.3.1.2", "Egress Ports", SNMP_SYNTAX_BITSTR, SNMP_ACCESS_READWRITE),
    Var("1.3.6.1.2.1.17.7.1.4.3.1.3", "Forbidden Egress Ports", SNMP_SYNTAX_BITSTR,
        SNMP_ACCESS_READWRITE),
    Var("1.3.6.1.2.1.17.7.1.4.3.1.4", "Untagged Ports", SNMP_SYNTAX_BITSTR, SNMP_ACCESS_READWRITE),
    Var("1.3.6.1.2.1.17.7.1.4.3.1.5", "Status", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE,
        &RowStatus),
    {},
};

const VnSNMPVarDesc PortVlan[] = {
    Var("1.3.6.1.2.1.17.7.1.4.5.1.1", "Port VLAN ID", SNMP_SYNTAX_GUAGE, SNMP_ACCESS_READWRITE),
    Var("1.3.6.1.2.1.17.7.1.4.5.1.2", "Acceptable Frame Types", SNMP_SYNTAX_INTEGER,
        SNMP_ACCESS_READWRITE, &FrameTypes),
    Var("1.3.6.1.2.1.17.7.1.4.5.1.3", "Ingress Filtering", SNMP_SYNTAX_INTEGER,
        SNMP_ACCESS_READWRITE, &TrueFalse),
    Var("1.3.6.1.2.1.17.7.1.4.5.1.4", "GVRP Status", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE,
        &EnabledDisabled),
    {},
};

}  // namespace simdesc

std::unique_ptr<simtest::Simulator> SimulatorTest::sim_;
std::unique_ptr<vntest::TempDir> SimulatorTest::session_;

void SimulatorTest::SetUpTestSuite() {
  BindingTest::SetUpTestSuite();
  if (!sim_) {
    sim_ = std::make_unique<simtest::Simulator>();
    session_ = std::make_unique<vntest::TempDir>();
    InitSnmpSession(AnsiString(session_->Path()));
  }
}

void SimulatorTest::TearDownTestSuite() {}

void SimulatorTest::SetUp() {
  BindingTest::SetUp();
  ASSERT_TRUE(sim_->Running()) << sim_->Output();
  Control("reset");
  PresetConnectionDefaults();
  ConnectionDefaults.Device.Address = "127.0.0.1";
  ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(sim_->Port());
  ConnectionDefaults.Security.Version = 1;  // v2c
  ConnectionDefaults.Security.SecurityModel = 2;
  logStart_ = sim_->Log().size();
}

void SimulatorTest::TearDown() {
  PumpFor(0);
  BindingTest::TearDown();
}

void SimulatorTest::Control(const std::string& command) {
  const std::string reply = sim_->Control(command);
  EXPECT_EQ(reply.rfind("ok", 0), 0u) << command << ": " << reply;
}

std::vector<std::string> SimulatorTest::NewLogLines() const {
  std::vector<std::string> lines;
  std::istringstream in(sim_->Log().substr(logStart_));
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

std::vector<std::string> SimulatorTest::SetLines() const {
  std::vector<std::string> sets;
  for (const std::string& line : NewLogLines())
    if (line.find("\tSET\t") != std::string::npos) sets.push_back(line);
  return sets;
}

bool SimulatorTest::WaitIdle(VnSNMPRequest2Controls& request, int ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (request.Busy) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

bool SimulatorTest::TakeLateReplies(int ms) {
  return Sim().TakeLateReplies(
      g_SnmpSession ? g_SnmpSession->get_socket() : -1, [] { Application->ProcessMessages(); }, ms);
}

void SimulatorTest::PumpFor(int ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  } while (std::chrono::steady_clock::now() < deadline);
}

bool EndsWithReceiveTime(const std::string& line) {
  static const std::regex time("Receive at [01][0-9]:[0-5][0-9]:[0-5][0-9] (AM|PM)\\.$");
  return std::regex_search(line, time);
}
