#include "forms/acl/CPUFilterIPRuleUnit.h"

#include "app/FormOpeners.h"
#include "app/mibdefs/AclMib.h"

TCPUFilterIPRuleForm* CPUFilterIPRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TCPUFilterIPRuleForm, &CPUFilterIPRuleForm);

namespace {

// Items of the CPU-filter IP rule table.
enum : int {
  kVlan = 2,
  kSourceIp = 3,
  kDestIp = 4,
  kDscp = 5,
  kProtocol = 6,  // read-only: shown, never written
  kType = 7,
  kCode = 8,
  kSourcePort = 9,
  kDestPort = 10,
  kFlagBits = 11,
  kProtocolId = 12,
  kUserMask = 13,
  kPermit = 14,
  kRowStatus = 15,
  kPorts = 16,
};

}  // namespace

TCPUFilterIPRuleForm::TCPUFilterIPRuleForm(TComponent* AOwner) : TCPUFilterRuleForm(AOwner) {
  TRuleLayout layout{"CPUFilterIPRuleForm",
                     "Ethernet Information Rule",
                     716,
                     609,
                     CPUFilterIPRuleVars,
                     kPermit,
                     kRowStatus,
                     kPorts};
  layout.ListHeight = 140;
  layout.FieldWidth = 100;
  layout.ColumnGap = 16;
  layout.PermitAlwaysWritten = true;
  // The addresses and the user mask are judged by their edits' constraints.
  BuildRuleForm(
      layout,
      {{"VLAN", &cbxVlan, "cbxVlan", &VlanRuleEdit, "VlanRuleEdit", kVlan, "%s{l32}"},
       {"Rule Source IP Address", &cbxSource, "cbxSource", &SourceIPEdit, "SourceIPEdit", kSourceIp,
        "%s{I}"},
       {"Rule Destination IP Address", &cbxDestination, "cbxDestination", &DestIPEdit, "DestIPEdit",
        kDestIp, "%s{I}"},
       {"DSCP", &cbxDSCP, "cbxDSCP", &DSCPEdit, "DSCPEdit", kDscp, "%i{n0x63l2}"},
       {"Protocol", &cbxProtocol, "cbxProtocol", nullptr, "ProtocolComboBox", kProtocol, nullptr,
        &ProtocolComboBox},
       {"Type", &cbxType, "cbxType", &TypeEdit, "TypeEdit", kType, "%i{n0x255}"},
       {"Code", &cbxCode, "cbxCode", &CodeEdit, "CodeEdit", kCode, "%i{n0x255}"},
       {"Rule Source Port", &cbxSourcePort, "cbxSourcePort", &SourcePortEdit, "SourcePortEdit",
        kSourcePort, "%i{n0x65535}"},
       {"Rule Destination Port", &cbxDestPort, "cbxDestPort", &DestPortEdit, "DestPortEdit",
        kDestPort, "%i{n0x65535}"},
       {"Flag Bit", &cbxFlagBit, "cbxFlagBit", &FlagBitEdit, "FlagBitEdit", kFlagBits, "%i{n0x63}"},
       {"Protocol ID", &cbxProtocolID, "cbxProtocolID", &ProtocolIDEdit, "ProtocolIDEdit",
        kProtocolId, "%i{n0x255}"},
       {"User Mask", &cbxUserMask, "cbxUserMask", &UserMaskEdit, "UserMaskEdit", kUserMask,
        "%h{l10}"}},
      {&cbxVlan, &cbxSource, &cbxDestination, &cbxDSCP, &cbxProtocol, &cbxProtocolID, &cbxFlagBit,
       &cbxDestPort, &cbxSourcePort, &cbxType, &cbxCode, &cbxUserMask});
  Rule.VlanTick = cbxVlan;
  Rule.VlanEdit = VlanRuleEdit;
}

TCPUFilterIPRuleForm::~TCPUFilterIPRuleForm() = default;

void TCPUFilterIPRuleForm::ApplyProtocolFieldMask(TSavedAccess& saved) {
  MaskUnusedProtocolFields(saved, cbxProtocol, ProtocolComboBox, kType);
}

void TCPUFilterIPRuleForm::ApplyFieldMasks(TSavedAccess& saved, bool) {
  ApplyProtocolFieldMask(saved);
}
