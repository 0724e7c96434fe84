#include "PanelTestSupport.h"

#include <chrono>
#include <regex>
#include <thread>

#include "catalogue/MibOptionLists.h"
#include "library/VnMessageTables.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Controls.h"
#include "library/VnSNMPSession.h"
#include "platform/Forms.h"

namespace {
void ReportToTest(const std::string& message) { ADD_FAILURE() << message; }
}  // namespace

void PanelUiTest::SetUpTestSuite() {
  TestKit::EnsureApplication();
  TestKit::SetFailureReporter(&ReportToTest);
  InitMibOptionLists();  // once per process; the lists live until exit
}

void PanelUiTest::SetUp() {
  TestKit::ClearModalScripts();
  TestKit::SetPixelsPerInch(0);
  RestoreBuiltInMessages();
}

void PanelUiTest::TearDown() {
  EXPECT_EQ(TestKit::PendingModalScripts(), 0) << "modal scripts left unused";
  TestKit::ClearModalScripts();
  TestKit::Pump();
}

std::unique_ptr<simtest::Simulator> PanelDeviceTest::sim_;
std::unique_ptr<vntest::TempDir> PanelDeviceTest::session_;

void PanelDeviceTest::SetUpTestSuite() {
  PanelUiTest::SetUpTestSuite();
  if (!sim_) {
    sim_ = std::make_unique<simtest::Simulator>();
    session_ = std::make_unique<vntest::TempDir>();
    InitSnmpSession(AnsiString(session_->Path()));
  }
}

void PanelDeviceTest::SetUp() {
  PanelUiTest::SetUp();
  ASSERT_TRUE(sim_->Running()) << sim_->Output();
  Control("reset");
  PresetConnectionDefaults();
  ConnectionDefaults.Device.Address = "127.0.0.1";
  ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(sim_->Port());
  ConnectionDefaults.Security.Version = 1;  // v2c
  ConnectionDefaults.Security.SecurityModel = 2;
  logStart_ = sim_->Log().size();
}

void PanelDeviceTest::TearDown() {
  Control("reset");
  PanelUiTest::TearDown();
}

void PanelDeviceTest::Control(const std::string& command) {
  const std::string reply = sim_->Control(command);
  EXPECT_EQ(reply.rfind("ok", 0), 0u) << command << ": " << reply;
}

void PanelDeviceTest::SetLedOctets(const std::string& hex) {
  Control(std::string("set ") + kLedStatusInstance + " x \"" + hex + "\"");
}

bool PanelDeviceTest::PumpSnmpUntil(const std::function<bool()>& done, int realMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(realMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    g_SnmpEventProcessor.OnTimer(nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

bool PanelDeviceTest::WaitIdle(const VnSNMPRequest2Controls& request, int realMs) {
  return PumpSnmpUntil([&request] { return !request.Busy; }, realMs);
}

void PanelDeviceTest::PumpFor(int ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  } while (std::chrono::steady_clock::now() < deadline);
}

std::string PanelDeviceTest::NewLog() const { return sim_->Log().substr(logStart_); }

bool EndsWithReceiveTime(const AnsiString& line) {
  static const std::regex time("Receive at [01][0-9]:[0-5][0-9]:[0-5][0-9] (AM|PM)\\.$");
  return std::regex_search(line.str(), time);
}
