// The fixed start-up and exit order of the catalogue units.
#include "catalogue/MibOptionLists.h"

#include <iterator>

#include "catalogue/MibDefs.h"

namespace {

struct MibUnit {
  const char* Name;
  void (*Init)();
  void (*Free)();
};

// Start-up order; exit runs it backwards.
constexpr MibUnit kUnits[] = {
    {"Filter", InitFilterMibOptionLists, FreeFilterMibOptionLists},
    {"Auth", InitAuthMibOptionLists, FreeAuthMibOptionLists},
    {"Equipment", InitEquipmentMibOptionLists, FreeEquipmentMibOptionLists},
    {"Time", InitTimeMibOptionLists, FreeTimeMibOptionLists},
    {"DoubleVlan", InitDoubleVlanMibOptionLists, FreeDoubleVlanMibOptionLists},
    {"FileSystem", InitFileSystemMibOptionLists, FreeFileSystemMibOptionLists},
    {"Pae", InitPaeMibOptionLists, FreePaeMibOptionLists},
    {"LinkAggregation", InitLinkAggregationMibOptionLists, FreeLinkAggregationMibOptionLists},
    {"MldSnooping", InitMldSnoopingMibOptionLists, FreeMldSnoopingMibOptionLists},
    {"ProtocolVlan", InitProtocolVlanMibOptionLists, FreeProtocolVlanMibOptionLists},
    {"RadiusClient", InitRadiusClientMibOptionLists, FreeRadiusClientMibOptionLists},
    {"Probe", InitProbeMibOptionLists, FreeProbeMibOptionLists},
    {"Security", InitSecurityMibOptionLists, FreeSecurityMibOptionLists},
    {"SingleIp", InitSingleIpMibOptionLists, FreeSingleIpMibOptionLists},
    {"SnmpTarget", InitSnmpTargetMibOptionLists, FreeSnmpTargetMibOptionLists},
    {"TimeRange", InitTimeRangeMibOptionLists, FreeTimeRangeMibOptionLists},
    {"Usm", InitUsmMibOptionLists, FreeUsmMibOptionLists},
    {"Vacm", InitVacmMibOptionLists, FreeVacmMibOptionLists},
    {"Device", InitDeviceMibOptionLists, FreeDeviceMibOptionLists},
    {"BridgeExt", InitBridgeExtMibOptionLists, FreeBridgeExtMibOptionLists},
    {"Acl", InitAclMibOptionLists, FreeAclMibOptionLists},
    {"Mba", InitMbaMibOptionLists, FreeMbaMibOptionLists},
    {"Multicast", InitMulticastMibOptionLists, FreeMulticastMibOptionLists},
};

bool gInitialised = false;

}  // namespace

void InitMibOptionLists(MibUnitObserver observer) {
  if (gInitialised) return;
  gInitialised = true;
  for (const MibUnit& unit : kUnits) {
    unit.Init();
    if (observer) observer(unit.Name, true);
  }
}

void FreeMibOptionLists(MibUnitObserver observer) {
  if (!gInitialised) return;
  for (auto it = std::rbegin(kUnits); it != std::rend(kUnits); ++it) {
    it->Free();
    if (observer) observer(it->Name, false);
  }
  gInitialised = false;
}
