#include "forms/acl/CPUFilterEthernetRuleUnit.h"

#include "catalogue/AclMib.h"
#include "pages/FormOpeners.h"

TCPUFilterEthernetRuleForm* CPUFilterEthernetRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TCPUFilterEthernetRuleForm, &CPUFilterEthernetRuleForm);

namespace {

constexpr const char* kInvalidMac = "Invalid MAC Address";
constexpr const char* kInvalidEtherType = "Invalid Ethernet Type";

}  // namespace

TCPUFilterEthernetRuleForm::TCPUFilterEthernetRuleForm(TComponent* AOwner)
    : TCPUFilterRuleForm(AOwner) {
  namespace Item = CPUFilterEthernetRuleItem;
  TRuleLayout layout{"CPUFilterEthernetRuleForm",
                     "Ethernet Information Rule",
                     716,
                     532,
                     CPUFilterEthernetRuleVars,
                     Item::kPermit,
                     Item::kRowStatus,
                     Item::kPort};
  layout.ListHeight = 140;
  layout.FieldWidth = 100;
  layout.ColumnGap = 16;
  BuildRuleForm(
      layout,
      {{"VLAN", &cbxVlan, "cbxVlan", &VlanRuleEdit, "VlanRuleEdit", Item::kVLAN, "%s{l32}"},
       {"Rule Source MAC Address", &cbxSource, "cbxSource", &SourceMACEdit, "SourceMACEdit",
        Item::kRuleSourceMACAddress, "%s{l12}"},
       {"Rule Destination MAC Address", &cbxDestination, "cbxDestination", &DestMACEdit,
        "DestMACEdit", Item::kRuleDestinationMACAddress, "%s{l12}"},
       {"802.1P", &cbxIEEE802dot1P, "cbxIEEE802dot1P", &IEEE8021pEdit, "IEEE8021pEdit",
        Item::k8021P, "%i{n0x7}"},
       {"Ethernet Type", &cbxEtherType, "cbxEtherType", &EthTypeEdit, "EthTypeEdit",
        Item::kEthernetType, "%s{l4}"}},
      {&cbxVlan, &cbxSource, &cbxDestination, &cbxIEEE802dot1P, &cbxEtherType});
  Rule.VlanTick = cbxVlan;
  Rule.VlanEdit = VlanRuleEdit;
}

TCPUFilterEthernetRuleForm::~TCPUFilterEthernetRuleForm() = default;

bool TCPUFilterEthernetRuleForm::ValidateFieldValues() {
  return TickedHexDigits(cbxSource, SourceMACEdit, 12, kInvalidMac) &&
         TickedHexDigits(cbxDestination, DestMACEdit, 12, kInvalidMac) &&
         TickedHexDigits(cbxEtherType, EthTypeEdit, 4, kInvalidEtherType);
}
