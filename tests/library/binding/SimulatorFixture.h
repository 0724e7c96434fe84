// Binding tests against the simulated switch: one simulator per test
// process, the SNMP session started once, ConnectionDefaults aimed at the
// simulator (v2c) and the simulator reset before each test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "BindingTestSupport.h"
#include "library/VnOptionList.h"
#include "library/VnSNMPVarDesc.h"
#include "simulator/SimulatorHarness.h"

class VnSNMPRequest2Controls;

// Descriptor tables of objects the simulator serves, and their option lists.
namespace simdesc {
extern VnOptionList RowStatus;  // Active 1 ... Destroy 6
extern VnOptionList TrueFalse;  // true 1, false 2
extern VnOptionList EnabledDisabled;
extern VnOptionList FrameTypes;  // admitAll 1, admitOnlyVLANTagged 2
// sysDescr, sysObjectID, sysUpTime, sysContact, sysName, sysLocation, sysServices.
extern const VnSNMPVarDesc SystemGroup[];
enum { kSysDescr, kSysObjectId, kSysUpTime, kSysContact, kSysName, kSysLocation, kSysServices };
// dot1qVlanStaticTable: VLAN ID (index), name, egress, forbidden, untagged, status.
extern const VnSNMPVarDesc StaticVlans[];
enum { kVlanId, kVlanName, kVlanEgress, kVlanForbidden, kVlanUntagged, kVlanStatus };
// dot1qPortVlanTable, one row: PVID, frame types, ingress filtering, GVRP status.
extern const VnSNMPVarDesc PortVlan[];
enum { kPvid, kFrameTypes, kIngressFiltering, kGvrpStatus };
}  // namespace simdesc

class SimulatorTest : public BindingTest {
 public:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  static simtest::Simulator& Sim() { return *sim_; }

 protected:
  void SetUp() override;
  void TearDown() override;

  // Request-log lines written since the test began.
  std::vector<std::string> NewLogLines() const;
  // Of those, the SET requests.
  std::vector<std::string> SetLines() const;
  // Runs the message loop until the request is idle; false after `ms`.
  static bool WaitIdle(VnSNMPRequest2Controls& request, int ms = 10000);
  // Runs the message loop for about `ms` milliseconds.
  static void PumpFor(int ms);
  // Runs the message loop until every reply the simulator delayed or held
  // is sent and taken; false after `ms`.
  static bool TakeLateReplies(int ms = 10000);
  // One control-channel command; fails the test unless it answers ok.
  static void Control(const std::string& command);

 private:
  static std::unique_ptr<simtest::Simulator> sim_;
  static std::unique_ptr<vntest::TempDir> session_;
  std::size_t logStart_ = 0;
};

// "hh:nn:ss AM." or "PM." at the end of a status line.
bool EndsWithReceiveTime(const std::string& line);
