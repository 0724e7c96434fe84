// The feature forms of the menu as the checker drives them, and the
// differences the forms make on purpose.
#include <cstdlib>
#include <string>
#include <vector>

#include "CheckedForms.h"
#include "SwitchImage.h"
#include "forms/acl/CPUFilterEthernetRuleUnit.h"
#include "forms/acl/CPUFilterIPRuleUnit.h"
#include "forms/acl/CPUFilterIPV6RuleUnit.h"
#include "forms/acl/CPUFilterPktCntRuleUnit.h"
#include "forms/acl/EthernetInformationRuleUnit.h"
#include "forms/acl/EthernetMaskInformationFormUnit.h"
#include "forms/acl/IBPEtherMaskFormUnit.h"
#include "forms/acl/IBPEtherRuleFormUnit.h"
#include "forms/acl/IBPIPMaskFormUnit.h"
#include "forms/acl/IBPIPRuleFormUnit.h"
#include "forms/acl/IPMaskInformationFormUnit.h"
#include "forms/acl/IPRuleUnit.h"
#include "forms/acl/IPv6MaskInfoFormUnit.h"
#include "forms/acl/IPv6RuleInfoFormUnit.h"
#include "forms/acl/PacketContentMaskFormUnit.h"
#include "forms/acl/PacketContentRuleFormUnit.h"
#include "forms/acl/TimeRangeFormUnit.h"
#include "forms/security/BOOTCtrlTableFormUnit.h"
#include "forms/security/EnableMethodListUnit.h"
#include "forms/security/FilterDHCPPermitFormUnit.h"
#include "forms/security/GuestVlanFormUnit.h"
#include "forms/security/IPMACBindingFormUnit.h"
#include "forms/security/IpMacBindBlockedFormUnitUnit.h"
#include "forms/security/LoginMethodListUnit.h"
#include "forms/security/MBAControlUnit.h"
#include "forms/security/PortSercurityDeleteFormUnit.h"
#include "forms/security/SSLManagementTable.h"
#include "forms/security/SafeguardCtrlFormUnit.h"
#include "forms/security/ServerGroupUnit.h"
#include "forms/security/ServerInfoUnit.h"
#include "forms/security/TACACSServerControlUnit.h"
#include "forms/switching/AggregatorPortTableFormUnit.h"
#include "forms/switching/ForwardUnregisteredInformationFormUnit.h"
#include "forms/switching/GARPFormUnit.h"
#include "forms/switching/IGMPMulticastVlanUnit.h"
#include "forms/switching/IGMPRouterPortsUnit.h"
#include "forms/switching/IGMP_SnoopingGroupTable.h"
#include "forms/switching/Layer2ControlUnit.h"
#include "forms/switching/MLD_SnoopingGroupTableUnit.h"
#include "forms/switching/MLD_SnoopingGroupUnit.h"
#include "forms/switching/MLD_SnoopingRouterPortsUnit.h"
#include "forms/switching/MSTPPortStateFormUnit.h"
#include "forms/switching/MulticastFilterInformationFormUnit.h"
#include "forms/switching/MulticastForwardingInformationFormUnit.h"
#include "forms/switching/PBridgeConfigFormUnit.h"
#include "forms/switching/PortCapabilities8021dFormUnit.h"
#include "forms/switching/PortMirror.h"
#include "forms/switching/PortTrunk.h"
#include "forms/switching/STPInfo.h"
#include "forms/switching/SpanningTreeAlgorithmUnit.h"
#include "forms/switching/TpGroupDestinationForwardedFormUnit.h"
#include "forms/switching/TrafficForwardUnit1.h"
#include "forms/switching/UnicastFilterInformationFormUnit.h"
#include "forms/switching/VLanCurrentTableFormUnit.h"
#include "forms/switching/VLanGeneralInfoUnit.h"
#include "forms/switching/VLanPortInfomationUnit.h"
#include "forms/switching/VlanStaticFormUnit.h"
#include "forms/switching/dot3ControlFormUnit.h"
#include "forms/switching/dot3PauseFormUnit.h"
#include "forms/system/DiagnosticsInformationFormUnit.h"
#include "forms/system/EquipmentBasicInfoFormUnit.h"
#include "forms/system/Ipv6StaticRouteUnit.h"
#include "forms/system/LogSaveControlSetting.h"
#include "forms/system/MacStatisticTableFormUnit.h"
#include "forms/system/MultiConfigControlFormUnit.h"
#include "forms/system/PingControlTableFormUnit.h"
#include "forms/system/ProbeBasicInformationFormUnit.h"
#include "forms/system/SummerTime.h"
#include "forms/system/SystemLogHostUnit.h"
#include "forms/system/TraceRouteControlUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPVarDesc.h"

namespace formcheck {

namespace {

const std::string kStpVersion = "1.3.6.1.4.1.171.12.15.1.2.0";
const std::string kBridge = "1.3.6.1.4.1.171.12.15.1.";
const std::string kStpState = "1.3.6.1.4.1.171.11.101.1.2.1.2.1.0";
const std::string kMirror = "1.3.6.1.4.1.171.11.101.1.2.10.";
const std::string kHost = "1.3.6.1.4.1.171.12.12.2.1.";
const std::string kLogSave = "1.3.6.1.4.1.171.12.12.3.";
const std::string kSsl = "1.3.6.1.4.1.171.12.7.1.";
const std::string kSafeguard = "1.3.6.1.4.1.171.12.19.2.";

// STP Control writes the hello time 200 where the switch runs stp or rstp
// once written.
bool HelloTime200(const TImage& held, std::uint32_t, const std::string&, const std::string& after) {
  const std::string* version = held.Find(kStpVersion);
  return after == "INTEGER:200" && version && (*version == "INTEGER:0" || *version == "INTEGER:1");
}

// A change the form refuses, saying so, by a rule it judges with the other
// fields the switch holds.
bool Refused(const TImage&, std::uint32_t, const std::string& before, const std::string& after) {
  return before == after;
}

// The same, judged with fields the switch holds: where it gave no value
// for one of them there is nothing to judge the change with, and no refusal
// stands.
bool Held(const TImage& held, const std::string& oid) { return held.Find(oid) != nullptr; }
bool RefusedBesideFalling(const TImage& held, std::uint32_t, const std::string& before,
                          const std::string& after) {
  return before == after && Held(held, kSafeguard + "2.0");
}
bool RefusedBesideRising(const TImage& held, std::uint32_t, const std::string& before,
                         const std::string& after) {
  return before == after && Held(held, kSafeguard + "1.0");
}
bool RefusedBesideTimers(const TImage& held, std::uint32_t, const std::string& before,
                         const std::string& after) {
  return before == after && Held(held, kBridge + "4.0") && Held(held, kBridge + "5.0");
}
bool RefusedBesideMaxAge(const TImage& held, std::uint32_t, const std::string& before,
                         const std::string& after) {
  return before == after && Held(held, kBridge + "3.0");
}

// A port list the switch holds longer or shorter than the unit's 4 octets,
// changed alone, is judged with the other fields it must agree with (the
// switch's own, past their edges too): the form refuses it.
bool RefusedBesideListPastEdge(const TImage&, std::uint32_t, const std::string& before,
                               const std::string& after) {
  return before == after && !OctetsOf(before).empty() && OctetsOf(before).size() != 4;
}

// The configuration list is not read after an action: a row moved to an
// action earlier still shows the action it was read with, so the same
// action chosen again (other than none) finds the switch holding it.
bool ActionAlreadyHeld(const TImage&, std::uint32_t, const std::string& before,
                       const std::string& after) {
  return before == after && before != "INTEGER:4";
}

// A trunk's member list the switch holds with the group's master port in
// it, left as it was: unticking the master port alone is refused (and so is
// a second-last member), which the form says in a box; so is any change
// beside a master port the switch holds on no port of the unit's 32.
bool RefusedBesideMaster(const TImage& held, std::uint32_t syntax, const std::string& before,
                         const std::string& after) {
  if (RefusedBesideListPastEdge(held, syntax, before, after)) return true;
  if (before != after) return false;
  const std::string members = OctetsOf(before);
  const std::string column = "1.3.6.1.4.1.171.11.101.1.2.9.3.1.4";
  for (const auto& [oid, value] : held.Values) {
    const std::string row = InstanceUnder(oid, column);
    if (row.empty() || OctetsOf(value) != members) continue;
    const std::string* master = held.Find("1.3.6.1.4.1.171.11.101.1.2.9.3.1.3." + row);
    const long long port = master ? std::atoll(master->substr(master->find(':') + 1).c_str()) : 0;
    if (port < 1 || port > 32) return true;
    const std::size_t at = static_cast<std::size_t>(port - 1) / 8;
    if (at < members.size() &&
        (static_cast<unsigned char>(members[at]) & (0x80 >> ((port - 1) % 8))) != 0)
      return true;
  }
  return false;
}

// The mirror's source ports are judged with its target port (which the
// switch holds as a port): a source list that would hold the target, or a
// change while the switch holds the target as a source already, is refused
// in a box.
bool RefusedBesideTarget(const TImage& held, std::uint32_t, const std::string& before,
                         const std::string& after) {
  const std::string* target = held.Find("1.3.6.1.4.1.171.11.101.1.2.10.1.0");
  const int port = target ? std::atoi(target->substr(target->find(':') + 1).c_str()) : 0;
  return before == after && port >= 1 &&
         static_cast<std::size_t>(port) <= OctetsOf(before).size() * 8;
}

// A method list's methods after local or none are ineffective: the user who
// goes on (answering No to the form's question) writes the list without
// them, so a later method changed while the switch holds local or none
// before it is left out.
bool AfterLocalOrNone(const TImage& held, std::uint32_t, const std::string& before,
                      const std::string& after) {
  if (before != after) return false;
  for (const char* column : {"2", "4", "6"})
    for (const auto& [oid, value] : held.Values)
      if (!InstanceUnder(oid, std::string("1.3.6.1.4.1.171.12.5.3.1.") + column).empty() &&
          (value == "INTEGER:6" || value == "INTEGER:8"))
        return true;
  return false;
}

// Rows more than the device fixture has, for the lists the keys move in.
const std::string kForward = "1.3.6.1.4.1.171.11.101.1.2.14.1.1.2.";
const std::string kTrunk = "1.3.6.1.4.1.171.11.101.1.2.9.3.1.";
const std::string kMvlan = "1.3.6.1.4.1.171.12.64.3.1.1.";
const std::string kUnicast = "1.3.6.1.2.1.17.7.1.3.1.1.";
const std::string kMulticast = "1.3.6.1.2.1.17.7.1.3.2.1.";
const std::string kRouter = "1.3.6.1.4.1.171.11.101.1.2.11.6.1.";
const std::string kPause = "1.3.6.1.2.1.10.7.10.1.";
const std::string kIpMask = "1.3.6.1.4.1.171.12.9.2.2.1.";
const std::string kEtherMask = "1.3.6.1.4.1.171.12.9.2.6.1.";
const std::string kIpRule = "1.3.6.1.4.1.171.12.9.3.2.1.";
const std::string kTimeRange = "1.3.6.1.4.1.171.12.50.3.1.1.";
const std::string kGroup = "1.3.6.1.4.1.171.12.5.9.1.";
const std::string kLogin = "1.3.6.1.4.1.171.12.5.3.1.";
const std::string kServer = "1.3.6.1.4.1.171.12.5.10.1.";
const std::string kBinding = "1.3.6.1.4.1.171.12.23.4.1.1.";
const std::string kBlocked = "1.3.6.1.4.1.171.12.23.4.2.1.";
const std::string kPing = "1.3.6.1.2.1.80.1.2.1.";
const std::string kMember = "1.3.6.1.4.1.171.12.5.12.1.";
const std::string kRadiusServer =
    ".6.82.65.68.73.85.83.10.90.90.21.1";  // "RADIUS", 10.90.90.21, TACACS
const std::string kSecurityDelete = "1.3.6.1.4.1.171.11.101.1.2.7.2.";
const std::string kAdminTest = "5.97.100.109.105.110.2.112.50";  // owner "admin", test "p2"

// The boxes of the ping and trace route dialogs that choose the fields an
// Edit writes (all but the keys' and the row status's).
const std::vector<std::string> kTestTicks = {"IPCBox", "TimeoutCheckBox", "ProbeCheckBox",
                                             "AdminCheckBox", "DescriptionCBX"};
const std::vector<std::string> kTraceTicks = {"IPCBox",         "TimeoutCheckBox", "ProbeCheckBox",
                                              "AdminCheckBox",  "DescriptionCBX",  "PortCheckBox",
                                              "MaxTimeCheckBox"};

}  // namespace

const std::vector<TException> kExceptions = {
    {"Form_STPControl", "1.3.6.1.4.1.171.12.15.1.4", &HelloTime200,
     "STP Control shows and writes the hello time 200 while the switch runs stp or rstp"},
    {"Form_StaticTable", "1.3.6.1.2.1.17.7.1.4.3.1.1", nullptr,
     "the static VLAN form's Set writes the ports and the status; the name goes with Add only"},
    {"Form_PortStateInformation", "1.3.6.1.4.1.171.12.15.2.4.1.2", nullptr,
     "the port's admin hello time is written only while the switch runs mstp"},
    {"Form_LoginMethodControl", "1.3.6.1.4.1.171.12.5.3.1", &AfterLocalOrNone,
     "a method after local or none is ineffective: going on, the form writes the list without "
     "it"},
    {"Form_MultipleConfigControl", "1.3.6.1.4.1.171.12.1.2.8.4.1.2", &ActionAlreadyHeld,
     "an action is one SET with no read after it: the list shows a row's action as last read, "
     "and an action written again leaves the switch as it was"},

    // Combinations the forms judge when the user changes one of their parts.
    {"Form_STPControl", "1.3.6.1.4.1.171.12.15.1.3", &RefusedBesideTimers,
     "STP Control judges Max Age with Forward Delay and Hello Time: a Max Age typed into its "
     "range that breaks the rule with the timers the switch holds is refused (\"Data Error !\")",
     true},
    {"Form_STPControl", "1.3.6.1.4.1.171.12.15.1.5", &RefusedBesideMaxAge,
     "STP Control judges Forward Delay with Max Age: a Forward Delay typed into its range that "
     "breaks the rule with the Max Age the switch holds is refused (\"Data Error !\")",
     true},
    {"Form_SafeguardControl", "1.3.6.1.4.1.171.12.19.2.1", &RefusedBesideFalling,
     "Safeguard keeps the rising threshold above the falling one: a rising threshold typed at "
     "or below the falling one the switch holds is refused",
     true},
    {"Form_SafeguardControl", "1.3.6.1.4.1.171.12.19.2.2", &RefusedBesideRising,
     "Safeguard keeps the falling threshold below the rising one: a falling threshold typed at "
     "or above the rising one the switch holds is refused",
     true},
    {"Form_SummerTime", "1.3.6.1.4.1.171.12.10.12", &Refused,
     "Summer Time refuses a rule whose start and end fall in one month (\"From month and To "
     "month should not be the same.\"): a month typed as the other end's is refused",
     true},
    {"Form_PortTrunkTable", "1.3.6.1.4.1.171.11.101.1.2.9.3.1.4", &RefusedBesideMaster,
     "a trunk's members are judged with its master port and their count: beside a master "
     "port the switch holds on no port of the unit, or more than eight members, a member "
     "unticked alone is refused (\"Master port must be checked.\"), and so is the master "
     "port's own box unticked",
     true},
    {"Form_PortMirrorTable", "1.3.6.1.4.1.171.11.101.1.2.10.2", &RefusedBesideTarget,
     "the mirror's ingress sources are judged with its target: the target's own box ticked, or "
     "any change while the switch holds the target as a source, is refused (\"Target port can "
     "not be member port!\")",
     true},
    {"Form_PortMirrorTable", "1.3.6.1.4.1.171.11.101.1.2.10.3", &RefusedBesideTarget,
     "the mirror's egress sources are judged with its target: the target's own box ticked, or "
     "any change while the switch holds the target as a source, is refused (\"Target port can "
     "not be member port!\")",
     true},
    {"Form_IGMPMulticastVLANTable", "1.3.6.1.4.1.171.12.64.3.1.1.8", &Refused,
     "the replace source address type ipv4 is judged with the address: beside an address that "
     "is no IPv4 address it is refused (\"IP Address in not valid.\")",
     true},
    {"Form_IGMPSnoopingMulticastVLANTable", "1.3.6.1.4.1.171.12.64.3.1.1.8", &Refused,
     "the replace source address type ipv4 is judged with the address: beside an address that "
     "is no IPv4 address it is refused (\"IP Address in not valid.\")",
     true},
};

std::vector<TEntry> FeatureForms() {
  using M = TMultipleConfigControlForm;
  return {
      Of<TEquipmentBasicInfoForm>("Basic Configuration > Equipment Management > Basic Information")
          .Requests(&TEquipmentBasicInfoForm::Request)
          .CannotDrive("its Set stays hidden for the stand-alone unit: the form writes nothing"),
      Of<M>("Basic Configuration > Agent Management > Multiple Config Management > Multiple Config "
            "Control")
          .Requests(&M::Request)
          .WritesInDialog("Edit"),
      Of<TPingctrlTableForm>(
          "Basic Configuration > Agent Management > Ping Management > Ping Control Table")
          .Requests(&TPingctrlTableForm::Request)
          .Rows({"set " + kPing + "23." + kAdminTest + " i 1"})
          .WritesInDialog("Edit", kTestTicks)
          .Deletes(),
      Of<TTraceRouteControlForm>(
          "Basic Configuration > Agent Management > Trace Route > Control Table")
          .Requests(&TTraceRouteControlForm::Request)
          .WritesInDialog("Edit", kTraceTicks)
          .Deletes(),
      Of<TSystemLogHostForm>("Basic Configuration > System Log > System Log Server Table")
          .Requests(&TSystemLogHostForm::Request)
          .Types("UDP Port", "514", "6000")
          .Branch("a UDP port and an address outside the rules",
                  {"set " + kHost + "5.1 i 4000000", "set " + kHost + "2.1 a 127.0.0.1",
                   "set " + kHost + "4.1 i 1"})
          .WritesInDialog("Edit")
          .Deletes(),
      Of<TLogSaveControlForm>("Basic Configuration > System Log > System Log Save Control")
          .Requests(&TLogSaveControlForm::Request)
          .Branch("a method the list does not name",
                  {"set " + kLogSave + "1.0 i 5", "set " + kLogSave + "2.0 i 30"}),
      Of<TSummerTimeForm>("Basic Configuration > Time Management > Summer Time")
          .Requests(&TSummerTimeForm::Request)
          .Types("Summer Time Offset", "90", "120")
          .Writes("Set Checked"),
      Of<Tdot3ControlForm>("Basic Configuration > EtherLike-MIB > dot3 Control Table")
          .Requests(&Tdot3ControlForm::Request, &Tdot3ControlForm::CounterRequest)
          .List(&Tdot3ControlForm::ListView1)
          .CannotDrive("it shows the ports' control counters and writes nothing"),
      Of<Tdot3PauseForm>("Basic Configuration > EtherLike-MIB > dot3 Pause Table")
          .Requests(&Tdot3PauseForm::Request, &Tdot3PauseForm::CounterRequest)
          .List(&Tdot3PauseForm::ListView1)
          .Rows({"motion " + kPause + "3.1 still", "set " + kPause + "3.1 c 11",
                 "motion " + kPause + "3.2 still", "set " + kPause + "3.2 c 22"}),
      Of<TProbeBasicInformationForm>("RMON > Probe Config > Probe Basic Information")
          .Requests(&TProbeBasicInformationForm::Request),
      Of<TSpanningTreeAlgorithmForm>("Bridge > Spanning Tree Algorithm")
          .Requests(&TSpanningTreeAlgorithmForm::Request),
      Of<TSTP_Info>("Bridge > Spanning Tree > STP Control")
          .Requests(&TSTP_Info::TimerRequest, &TSTP_Info::MSTPRequest, &TSTP_Info::VersionRequest,
                    &TSTP_Info::StateRequest)
          .Branch("mstp", {"set " + kStpVersion + " i 2"})
          .Branch("rstp, the switch's own Max Age 100 and Max Hops 70000",
                  {"set " + kBridge + "2.0 i 1", "set " + kBridge + "3.0 i 100",
                   "set " + kBridge + "5.0 i 1500", "set " + kBridge + "6.0 i 70000",
                   "set " + kBridge + "8.0 i 2", "set " + kStpState + " i 2"})
          .Branch("mstp, a Forwarding BPDU the list does not name, timers out of the rule",
                  {"set " + kBridge + "2.0 i 2", "set " + kBridge + "3.0 i 4000",
                   "set " + kBridge + "5.0 i 400", "set " + kBridge + "6.0 i 20",
                   "set " + kBridge + "8.0 i 7", "set " + kStpState + " i 2"}),
      Of<TMSTPPortStateForm>("Bridge > Spanning Tree > Port State Information")
          .Requests(&TMSTPPortStateForm::Request, &TMSTPPortStateForm::VersionRequest)
          .WritesInDialog("Edit"),
      Of<TPBridgeConfigForm>("VLAN > 802.1P > Basic Configure")
          .Requests(&TPBridgeConfigForm::DeviceCapabilitiesRequest,
                    &TPBridgeConfigForm::TrafficClassesRequest)
          .CannotDrive("its Set stays hidden: it shows what the switch can do and writes nothing"),
      Of<TGARPForm>("VLAN > 802.1P > GARP")
          .Requests(&TGARPForm::Request)
          .CannotDrive("its Set and timer edits stay hidden: it lists the ports' timers"),
      Of<TPortCapabilities8021dForm>("VLAN > 802.1P > Port Capability")
          .Requests(&TPortCapabilities8021dForm::Request)
          .CannotDrive("it shows the ports' capabilities and writes nothing"),
      Of<TVLanGeneralInfoForm>("VLAN > 802.1Q > 802.1Q Bridge > Basic Configure")
          .Requests(&TVLanGeneralInfoForm::Request),
      Of<TVLanPortInfomationForm>("VLAN > 802.1Q > 802.1Q Bridge > Port Information")
          .Requests(&TVLanPortInfomationForm::Request)
          // The edit takes any number; the switch takes a VLAN ID.
          .Types("Port VLAN ID", "2", "3"),
      Of<TTpGroupDestinationForwardedForm>(
          "VLAN > 802.1Q > Forwarding/Filtering > Tp Group Destination Forwarded")
          .Requests(&TTpGroupDestinationForwardedForm::Request)
          .CannotDrive("it shows the groups the switch learnt and writes nothing"),
      Of<TMulticastForwardingInformationForm>(
          "VLAN > 802.1Q > Forwarding/Filtering > Multicast Forwarding Information")
          .Requests(&TMulticastForwardingInformationForm::Request),
      Of<TForwardUnregisteredInformationForm>(
          "VLAN > 802.1Q > Forwarding/Filtering > Forward Unregistered Information")
          .Requests(&TForwardUnregisteredInformationForm::Request),
      Of<TVlanStaticForm>("VLAN > 802.1Q > 802.1Q VLAN > Static Table")
          .Requests(&TVlanStaticForm::Request, &TVlanStaticForm::NextFreeRequest)
          .Deletes(),
      Of<TVLanCurrentTableForm>("VLAN > 802.1Q > 802.1Q VLAN > Current Table")
          .Requests(&TVLanCurrentTableForm::Request, &TVLanCurrentTableForm::NumDeletesRequest)
          .CannotDrive("its Set stays hidden: it lists the VLANs the switch runs"),
      Of<TUnicastFilterInformationForm>("VLAN > 802.1Q > Static Filtering > Unicast Information")
          .Requests(&TUnicastFilterInformationForm::Request)
          .Rows({"set " + kUnicast + "4.1.0.10.94.88.16.32.0 i 3"})
          .NoWrite()
          .Deletes("Delete")
          // Add takes a permanent entry alone, and says so in a box.
          .Types("UStatus", "permanent", "permanent")
          .Types("UnicastAddress", "000A5E010203", "000A5E010204"),
      Of<TMulticastFilterInformationForm>(
          "VLAN > 802.1Q > Static Filtering > Multicast Information")
          .Requests(&TMulticastFilterInformationForm::Request)
          .Rows({"set " + kMulticast + "3.1.1.0.94.1.1.1.7 x 00000000"})
          .Deletes()
          // Add takes a permanent entry alone, and says so in a box.
          .Types("Status", "permanent", "permanent")
          .Types("ED_MACAddress", "01005E010203", "01005E010204"),
      Of<TDiagnosticsInformationForm>(
          "Security Management > 802.1X > MAC-based Authentication > Diagnostics Information")
          .Requests(&TDiagnosticsInformationForm::Request)
          .List(&TDiagnosticsInformationForm::ListView1)
          .CannotDrive("it shows counters and writes nothing"),
      Of<TMacStatisticTableForm>("Security Management > 802.1X > MAC-based Authentication > PAE "
                                 "Over Land  Frames Statistic Table")
          .Requests(&TMacStatisticTableForm::Request)
          .List(&TMacStatisticTableForm::ListView1)
          .CannotDrive("it shows counters and writes nothing"),
      Of<TGuestVlanForm>("Security Management > 802.1X > Guest VLAN")
          .Requests(&TGuestVlanForm::SettingsRequest, &TGuestVlanForm::NameCopyRequest,
                    &TGuestVlanForm::DeleteRequest),
      Of<TLoginMethodListForm>("Security Management > AAC > Login Method Control")
          .Requests(&TLoginMethodListForm::Request)
          .GoesOnWithNo("Method(s) after method local and none is(are) ineffective. Do you want "
                        "to change your configurations?")
          .Rows({"set " + kLogin + "10.3.111.112.115 i 1"})
          .Writes("Edit")
          .Deletes(),
      Of<TEnableMethodForm>("Security Management > AAC > Enable Method Control")
          .Requests(&TEnableMethodForm::Request)
          .GoesOnWithNo("Method(s) after method local and none is(are) ineffective. Do you want "
                        "to change your configurations?")
          .Writes("Edit")
          .Deletes(),
      Of<TServerGroupForm>("Security Management > AAC > Server Group")
          .Requests(&TServerGroupForm::Request)
          .Rows({"set " + kGroup +
                 "1.12.122.122.122.122.122.122.122.122.122.122.122.122 s zzzzzzzzzzzz"})
          .NoWrite()
          .Deletes(),
      Of<TServerInformationForm>("Security Management > AAC > Server Information")
          .Requests(&TServerInformationForm::Request)
          .Rows({"set " + kServer + "1.10.90.90.21.4 a 10.90.90.21",
                 "set " + kServer + "2.10.90.90.21.4 i 4"})
          .Writes("Edit")
          .Deletes(),
      Of<TAAASrvCtrlForm>("Security Management > AAC > Server Control")
          .Requests(&TAAASrvCtrlForm::Request)
          .Action({{"edtSrvGrpName", "RADIUS"},
                   {"edtSrvIP", "10.90.90.21"},
                   {"cbxAuthPtcl", "TACACS"},
                   {"cbxOper", "add"}},
                  {kMember + "4" + kRadiusServer + "=INTEGER:1"})
          .Action({{"cbxOper", "delete"}}, {kMember + "4" + kRadiusServer + "=INTEGER:2"}),
      Of<TSSLManagementForm>("Security Management > SSL > SSL Management")
          .Requests(&TSSLManagementForm::Request)
          .Branch("cipher suites of two octets the boxes do not split",
                  {"set " + kSsl + "1.0 i 3", "set " + kSsl + "2.0 x F0F0"})
          .Branch("all suites off", {"set " + kSsl + "2.0 x 0F81"}),
      Of<TIPMACBindingForm>("Security Management > IP-MAC Binding > IP-MAC Binding Table")
          .Requests(&TIPMACBindingForm::Request)
          .Rows({"set " + kBinding + "2.10.90.90.31 x 00055E0000AC",
                 "set " + kBinding + "4.10.90.90.31 x 40000000"})
          .Writes("Edit")
          .Deletes(),
      Of<TIpMacBindBlockedForm>("Security Management > IP-MAC Binding > IP-MAC Binding Blocked "
                                "Table")
          .Requests(&TIpMacBindBlockedForm::Request)
          .Rows({"set " + kBlocked + "3.7.0.5.94.0.0.2 s lab",
                 "set " + kBlocked + "4.7.0.5.94.0.0.2 i 4"})
          .NoWrite()
          .Deletes(),
      Of<TSafeguardCtrlForm>("Security Management > Safeguard Engine > Safeguard Control")
          .Requests(&TSafeguardCtrlForm::Request)
          .Branch("thresholds out of order",
                  {"set " + kSafeguard + "1.0 i 30", "set " + kSafeguard + "2.0 i 60",
                   "set " + kSafeguard + "3.0 i 1"}),
      Of<TMBAControlForm>(
          "Security Management > MAC-based Access Control > MAC-based Access Global Control")
          .Requests(&TMBAControlForm::GlobalRequest, &TMBAControlForm::SettingsRequest,
                    &TMBAControlForm::NameCopyRequest, &TMBAControlForm::DeleteRequest),
      Of<TLayer2ControlForm>("Layer 2 Management > Layer2 Device Control")
          .Requests(&TLayer2ControlForm::Request, &TLayer2ControlForm::WebPortRequest,
                    &TLayer2ControlForm::TelnetPortRequest, &TLayer2ControlForm::AuthTrapRequest)
          .Writes("Set Checked"),
      Of<TPortTrunkForm>("Layer 2 Management > Port Management > Port Trunk Table")
          .Requests(&TPortTrunkForm::Request)
          .Rows({"set " + kTrunk + "3.1 i 2", "set " + kTrunk + "4.1 x 60000000",
                 "set " + kTrunk + "3.2 i 5", "set " + kTrunk + "4.2 x 18000000",
                 "set " + kTrunk + "7.2 i 2"})
          .Branch("a master port on no unit the form shows",
                  {"set " + kTrunk + "3.1 i 99999", "set " + kTrunk + "4.1 x 60000000",
                   "set " + kTrunk + "7.1 i 2"})
          .Branch("a group in a state the status box does not offer",
                  {"set " + kTrunk + "7.1 i 1", "set " + kTrunk + "7.2 i 5"})
          .Branch("a group of one member", {"set " + kTrunk + "4.1 x 40000000"})
          .Deletes()
          // Add takes the master port in an edit of its own: the last port,
          // which Add ticks among the members.
          .Types("PortEdit", "10", "10"),
      Of<TPortMirrorForm>("Layer 2 Management > Port Management > Port Mirror Table")
          .Requests(&TPortMirrorForm::Request, &TPortMirrorForm::TrunkRequest)
          .Branch("a target port on no unit the form shows",
                  {"set " + kMirror + "1.0 i 99999", "set " + kMirror + "2.0 x 00000000",
                   "set " + kMirror + "3.0 x 00000000", "set " + kMirror + "4.0 i 2"})
          .Branch("a target the switch also holds as a source port",
                  {"set " + kMirror + "1.0 i 3", "set " + kMirror + "2.0 x 20000000",
                   "set " + kMirror + "3.0 x 00000000", "set " + kMirror + "4.0 i 2"}),
      Of<TPrtSecDelCtrlForm>(
          "Layer 2 Management > Port Management > Port Security Management > Port Security Delete")
          .Requests(&TPrtSecDelCtrlForm::Request)
          .Action({{"edtVlan", "v20"}, {"PortEdit", "10"}, {"edtMac", "00055E0000AA"}},
                  {kSecurityDelete + "1.0=STRING:\"v20\"", kSecurityDelete + "2.0=INTEGER:10",
                   kSecurityDelete + "3.0=Hex-STRING:00 05 5E 00 00 AA",
                   kSecurityDelete + "4.0=INTEGER:2"}),
      Of<TIGMPRouterPortsForm>(
          "Layer 2 Management > IGMP Snooping Management > IGMP Snooping Router Ports")
          .Requests(&TIGMPRouterPortsForm::Request)
          .Rows({"set " + kRouter + "2.1 s default", "set " + kRouter + "2.2 s two",
                 "set " + kRouter + "3.2 x 00000000", "set " + kRouter + "5.2 x 00000000"}),
      Of<TIGMPMulticastVlanForm>(
          "Layer 2 Management > IGMP Snooping Management > IGMP Multicast VLAN Table")
          .Requests(&TIGMPMulticastVlanForm::Request)
          .Rows({"set " + kMvlan + "2.1 s multicast-vlan-for-the-video-streams-one",
                 "set " + kMvlan + "12.1 s 1-3,5", "set " + kMvlan + "2.2 s mvlan2"})
          .Branch("a source list of two octets, a state the form does not list",
                  {"set " + kMvlan + "3.1 x FFC0", "set " + kMvlan + "7.1 i 9"})
          .Deletes(),
      Of<TIGMP_SnoopingGroupTableForm>(
          "Layer 2 Management > IGMP Snooping Management > IGMP Soonping Group")
          .Requests(&TIGMP_SnoopingGroupTableForm::Request)
          .List(&TIGMP_SnoopingGroupTableForm::ListView1)
          .CannotDrive("it shows the groups the switch learnt and writes nothing"),
      Of<TIGMPMulticastVlanForm>(
          "Layer 2 Management > IGMP Snooping Management > IGMP Snooping Multicast VLAN Table")
          .Requests(&TIGMPMulticastVlanForm::Request)
          .Rows({"set " + kMvlan + "2.1 s mvlan1", "set " + kMvlan + "2.2 s mvlan2"})
          .Deletes(),
      Of<TBOOTCtrlTableForm>("Layer 2 Management > DHCP Management > DHCP Control Table")
          .Requests(&TBOOTCtrlTableForm::Request)
          .NoWrite()
          .Deletes(),
      Of<TTrafficSegmentationForm>("Layer 2 Management > Traffic Segmentation Table")
          .Requests(&TTrafficSegmentationForm::Request),
      Of<TEthernetMaskInformationForm>(
          "Layer 2 Management > Access Control Information > Ethernet Mask Information")
          .Requests(&TEthernetMaskInformationForm::Request)
          .NoWrite()
          .Deletes(),
      Of<TEthernetInformationRuleForm>(
          "Layer 2 Management > Access Control Information > Ethernet Information Rule")
          .Requests(&TEthernetInformationRuleForm::Request)
          .Types("EthTypeEdit", "0800", "86DD")
          .Writes("Edit")
          .Deletes(),
      Of<TIPMaskInformationForm>(
          "Layer 2 Management > Access Control Information > IP Mask Information")
          .Requests(&TIPMaskInformationForm::Request)
          .Rows({"set " + kIpMask + "1.2 i 2"})
          .NoWrite()
          .Deletes(),
      Of<TIPRuleForm>("Layer 2 Management > Access Control Information > IP Rule")
          .Requests(&TIPRuleForm::Request)
          .Types("UserMaskEdit", "0000000A", "0000000B")
          .Rows({"set " + kIpRule + "1.1.2 i 1", "set " + kIpRule + "2.1.2 i 2"})
          .Writes("Edit")
          .Deletes(),
      Of<TPktContentMaskForm>(
          "Layer 2 Management > Access Control Information > Packet Content Mask")
          .Requests(&TPktContentMaskForm::Request)
          .Types("cbxChunk1State", "enabled", "enabled")
          .NoWrite()
          .Deletes(),
      Of<TPktContentRuleForm>(
          "Layer 2 Management > Access Control Information > Packet Content Rule")
          .Requests(&TPktContentRuleForm::Request)
          .Types("edtChunk1Offset", "0000000A", "0000000B")
          .Types("edtChunk2Offset", "0000000A", "0000000B")
          .Types("edtChunk3Offset", "0000000A", "0000000B")
          .Types("edtChunk4Offset", "0000000A", "0000000B")
          .Writes("Edit")
          .Deletes(),
      Of<TIPv6MaskInfoForm>(
          "Layer 2 Management > Access Control Information > IPv6 Mask Information")
          .Requests(&TIPv6MaskInfoForm::Request)
          .Types("edtSrcMask", "FFFFFFFFFFFFFFFF0000000000000000",
                 "FFFFFFFFFFFFFFFFFFFFFFFF00000000")
          .Types("edtDstMask", "FFFFFFFFFFFFFFFF0000000000000000",
                 "FFFFFFFFFFFFFFFFFFFFFFFF00000000")
          .NoWrite()
          .Deletes(),
      Of<TIpv6RuleForm>("Layer 2 Management > Access Control Information > IPv6 Rule")
          .Requests(&TIpv6RuleForm::Request)
          .Writes("Edit")
          .Deletes(),
      Of<TIBPACLEtherMaskForm>(
          "Layer 2 Management > Access Control Information > IP-MAC Binding Ethernet Mask")
          .Requests(&TIBPACLEtherMaskForm::Request)
          .List(&TIBPACLEtherMaskForm::ListView1)
          .Rows({"set " + kEtherMask + "1.2 i 2"})
          .CannotDrive("a view of the binding's profiles: it writes nothing"),
      Of<TIBPEtherRuleForm>(
          "Layer 2 Management > Access Control Information > IP-MAC Binding Ethernet Rule")
          .Requests(&TIBPEtherRuleForm::Request)
          .List(&TIBPEtherRuleForm::ListView1)
          .CannotDrive("a view of the binding's rules: it writes nothing"),
      Of<TIBPIPMaskForm>("Layer 2 Management > Access Control Information > IP-MAC Binding IP Mask")
          .Requests(&TIBPIPMaskForm::Request)
          .List(&TIBPIPMaskForm::ListView1)
          .CannotDrive("a view of the binding's profiles: it writes nothing"),
      Of<TIBPIPRuleForm>("Layer 2 Management > Access Control Information > IP-MAC Binding IP Rule")
          .Requests(&TIBPIPRuleForm::Request)
          .List(&TIBPIPRuleForm::ListView1)
          .CannotDrive("a view of the binding's rules: it writes nothing"),
      Of<TCPUFilterEthernetRuleForm>("Layer 2 Management > CPU Filter > Ethernet Rule (CPU Filter)")
          .Requests(&TCPUFilterEthernetRuleForm::Request)
          .Types("EthTypeEdit", "0800", "86DD")
          .Writes("Edit")
          .Deletes(),
      Of<TCPUFilterIPRuleForm>("Layer 2 Management > CPU Filter > IP Rule (CPU Filter)")
          .Requests(&TCPUFilterIPRuleForm::Request)
          .Writes("Edit")
          .Deletes(),
      Of<TCPUFilterPktCntRuleForm>(
          "Layer 2 Management > CPU Filter > Packet Content Rule (CPU Filter)")
          .Requests(&TCPUFilterPktCntRuleForm::Request)
          .Writes("Edit")
          .Deletes(),
      Of<TCPUFilterIPV6RuleForm>("Layer 2 Management > CPU Filter > IPv6 Rule (CPU Filter)")
          .Requests(&TCPUFilterIPV6RuleForm::Request)
          .Writes("Edit")
          .Deletes(),
      Of<TTimeRangeForm>("Layer 2 Management > Time Range > Time Range Management")
          .Requests(&TTimeRangeForm::Request)
          .Rows({"set " + kTimeRange + "5.5.110.105.103.104.116 i 1"})
          .Writes("Edit")
          .Deletes(),
      Of<TFilterDHCPPermitForm>("Layer 2 Management > Filter Management > Filter DHCP Permit Table")
          .Requests(&TFilterDHCPPermitForm::Request)
          .NoWrite()
          .Deletes(),
      Of<TAggregatorPortTableForm>("Layer 2 Management > 802.3 ad > Aggregator Port Table")
          .Requests(&TAggregatorPortTableForm::Request)
          .Writes("Edit"),
      Of<TMLD_SnoopingGroupForm>(
          "Layer 2 Management > MLD Snooping > MLD Snooping Group Information")
          .Requests(&TMLD_SnoopingGroupForm::Request)
          .List(&TMLD_SnoopingGroupForm::ListView1)
          .CannotDrive("it shows the groups the switch learnt and writes nothing"),
      Of<TMLD_SnoopingRouterPortsForm>(
          "Layer 2 Management > MLD Snooping > MLD Snooping Router Ports")
          .Requests(&TMLD_SnoopingRouterPortsForm::Request),
      Of<TMLD_SnoopingGroupTableForm>(
          "Layer 2 Management > MLD Snooping > MLD Snooping Group Table")
          .Requests(&TMLD_SnoopingGroupTableForm::Request)
          .List(&TMLD_SnoopingGroupTableForm::ListView1)
          .CannotDrive("it shows the groups the switch learnt and writes nothing"),
      Of<TIpv6StaticRouteForm>("Layer 3 Management > IPv6 Management > IPv6 Static Route Table")
          .Requests(&TIpv6StaticRouteForm::Request)
          .Types("edtDst", "20010DB8000200000000000000000000", "20010DB8000300000000000000000000")
          .Types("edtNextHop", "FE800000000000000000000000000001",
                 "FE800000000000000000000000000002")
          .NoWrite()
          .Deletes(),
  };
}

}  // namespace formcheck
