// Shared set-up of the main-window tests: one application object, kit
// failures reported to the running test, the MIB catalogue built once, one
// simulator per process, the tests' own registry in memory and a working
// folder of their own (the SNMP session keeps its boots counter there).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/AnsiString.h"
#include "platform/RegistryStore.h"
#include "platform/TestKit.h"
#include "simulator/SimulatorHarness.h"

class TConfigForm;
class TMainForm;
class TSNMPEditorPanel;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  static simtest::Simulator& Sim() { return *sim_; }
  // The working folder of the test process.
  static const std::string& WorkDir();
  // One control-channel command; fails the test unless it answers ok.
  static void Control(const std::string& command);

  // Writes "<address>.cfg" into the folder (the working folder when empty)
  // with these "key=value" lines below the section header.
  static std::string WriteConfig(const std::string& folder, const std::string& address,
                                 const std::vector<std::string>& lines);
  // A configuration file that makes the module talk SNMPv2c to the simulator.
  static void WriteSimulatorConfig(const std::string& address = "127.0.0.1");

  // The module's command line (the program's own name is added).
  static void SetArguments(const std::vector<std::string>& args);
  // Creates the main window as the program entry does and keeps it in
  // MainForm; the test deletes it in TearDown.
  TMainForm* CreateMainWindow(const std::vector<std::string>& args);
  // Creates it with the arguments that reach the simulator and shows it, so
  // that the first activation builds the front panel and reads the states.
  TMainForm* StartAgainstSimulator();
  void DeleteMainWindow();

  // Lets timers and SNMP replies run (real time) until the condition holds;
  // false after `ms`.
  static bool PumpUntil(const std::function<bool()>& done, int ms = 10000);
  static bool WaitIdle(const VnSNMPRequest2Controls& request, int ms = 10000);
  // Request-log lines of the simulator since the test began.
  std::string NewLog() const;

  TMemoryRegistryStore registry_;
  std::unique_ptr<TRegistryStoreOverride> registryOverride_;
  TMainForm* window_ = nullptr;

 private:
  static std::unique_ptr<simtest::Simulator> sim_;
  std::size_t logStart_ = 0;
};

// The text of status-bar panel 0 of the main window.
AnsiString StatusText(TMainForm* window);

// A generic page's editor or list panel, and its request; null when the page
// has none.
TSNMPEditorPanel* PagePanel(TConfigForm* page);
VnSNMPRequest2Edits* PageRequest(TConfigForm* page);
