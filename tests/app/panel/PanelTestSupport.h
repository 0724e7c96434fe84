// Shared set-up of the panel tests: one application object, kit failures
// reported to the running test, the MIB catalogue built once, and for the
// tests against the device one simulator and one SNMP session per process.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/AnsiString.h"
#include "platform/TestKit.h"
#include "simulator/SimulatorHarness.h"

class VnSNMPRequest2Controls;

class PanelUiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;
};

class PanelDeviceTest : public PanelUiTest {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  static simtest::Simulator& Sim() { return *sim_; }
  // One control-channel command; fails the test unless it answers ok.
  static void Control(const std::string& command);
  // Makes the device report these LED octets (hex, blanks allowed).
  static void SetLedOctets(const std::string& hex);
  // Lets the SNMP layer deliver what has arrived, without moving the clock
  // (virtual time stays where it is), until the condition holds; false
  // after `realMs` milliseconds of real time.
  static bool PumpSnmpUntil(const std::function<bool()>& done, int realMs = 10000);
  static bool WaitIdle(const VnSNMPRequest2Controls& request, int realMs = 10000);
  // Runs the message loop for about `ms` milliseconds of real time.
  static void PumpFor(int ms);
  // Request-log lines of the simulator since the test began.
  std::string NewLog() const;

 private:
  static std::unique_ptr<simtest::Simulator> sim_;
  static std::unique_ptr<vntest::TempDir> session_;
  std::size_t logStart_ = 0;
};

// "Receive at hh:nn:ss AM." (or PM) at the end of a status line.
bool EndsWithReceiveTime(const AnsiString& line);

// The LED status object's instance.
inline constexpr const char* kLedStatusInstance = "1.3.6.1.4.1.171.11.101.1.2.1.1.4.0";
