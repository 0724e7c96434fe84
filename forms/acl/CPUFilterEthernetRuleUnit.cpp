#include "forms/acl/CPUFilterEthernetRuleUnit.h"

#include "app/FormOpeners.h"
#include "app/mibdefs/AclMib.h"

TCPUFilterEthernetRuleForm* CPUFilterEthernetRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TCPUFilterEthernetRuleForm, &CPUFilterEthernetRuleForm);

namespace {

constexpr const char* kInvalidMac = "Invalid MAC Address";
constexpr const char* kInvalidEtherType = "Invalid Ethernet Type";

}  // namespace

TCPUFilterEthernetRuleForm::TCPUFilterEthernetRuleForm(TComponent* AOwner)
    : TCPUFilterRuleForm(AOwner) {
  // Items: 2 VLAN, 3 and 4 the MAC addresses, 5 802.1p, 6 Ethernet type,
  // 7 permit, 8 row status, 9 ports.
  TRuleLayout layout{"CPUFilterEthernetRuleForm",
                     "Ethernet Information Rule",
                     716,
                     532,
                     CPUFilterEthernetRuleVars,
                     7,
                     8,
                     9};
  layout.ListHeight = 140;
  layout.FieldWidth = 100;
  layout.ColumnGap = 16;
  BuildRuleForm(
      layout,
      {{"VLAN", &cbxVlan, "cbxVlan", &VlanRuleEdit, "VlanRuleEdit", 2, "%s{l32}"},
       {"Rule Source MAC Address", &cbxSource, "cbxSource", &SourceMACEdit, "SourceMACEdit", 3,
        "%s{l12}"},
       {"Rule Destination MAC Address", &cbxDestination, "cbxDestination", &DestMACEdit,
        "DestMACEdit", 4, "%s{l12}"},
       {"802.1P", &cbxIEEE802dot1P, "cbxIEEE802dot1P", &IEEE8021pEdit, "IEEE8021pEdit", 5,
        "%i{n0x7}"},
       {"Ethernet Type", &cbxEtherType, "cbxEtherType", &EthTypeEdit, "EthTypeEdit", 6, "%s{l4}"}},
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
