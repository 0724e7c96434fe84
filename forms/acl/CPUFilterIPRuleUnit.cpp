#include "forms/acl/CPUFilterIPRuleUnit.h"

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "pages/FormOpeners.h"
#include "platform/Dialogs.h"
#include "platform/StdCtrls.h"

TCPUFilterIPRuleForm* CPUFilterIPRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TCPUFilterIPRuleForm, &CPUFilterIPRuleForm);

namespace {

namespace Item = CPUFilterIPRuleItem;

}  // namespace

TCPUFilterIPRuleForm::TCPUFilterIPRuleForm(TComponent* AOwner) : TCPUFilterRuleForm(AOwner) {
  TRuleLayout layout{"CPUFilterIPRuleForm",
                     "Ethernet Information Rule",
                     716,
                     609,
                     CPUFilterIPRuleVars,
                     Item::kPermit,
                     Item::kRowStatus,
                     Item::kPort};
  layout.ListHeight = 140;
  layout.FieldWidth = 100;
  layout.ColumnGap = 16;
  layout.PermitAlwaysWritten = true;
  // The addresses and the user mask are judged by their edits' constraints.
  BuildRuleForm(
      layout,
      {{"VLAN", &cbxVlan, "cbxVlan", &VlanRuleEdit, "VlanRuleEdit", Item::kVLAN, "%s{l32}"},
       {"Rule Source IP Address", &cbxSource, "cbxSource", &SourceIPEdit, "SourceIPEdit",
        Item::kSourceIPAddress, "%s{I}"},
       {"Rule Destination IP Address", &cbxDestination, "cbxDestination", &DestIPEdit, "DestIPEdit",
        Item::kDestinationIPAddress, "%s{I}"},
       {"DSCP", &cbxDSCP, "cbxDSCP", &DSCPEdit, "DSCPEdit", Item::kDSCP, "%i{n0x63l2}"},
       {"Protocol", &cbxProtocol, "cbxProtocol", nullptr, "ProtocolComboBox", Item::kProtocol,
        nullptr, &ProtocolComboBox},
       {"Type", &cbxType, "cbxType", &TypeEdit, "TypeEdit", Item::kType, "%i{n0x255}"},
       {"Code", &cbxCode, "cbxCode", &CodeEdit, "CodeEdit", Item::kCode, "%i{n0x255}"},
       {"Rule Source Port", &cbxSourcePort, "cbxSourcePort", &SourcePortEdit, "SourcePortEdit",
        Item::kSourcePort, "%i{n0x65535}"},
       {"Rule Destination Port", &cbxDestPort, "cbxDestPort", &DestPortEdit, "DestPortEdit",
        Item::kDestinationPort, "%i{n0x65535}"},
       {"Flag Bit", &cbxFlagBit, "cbxFlagBit", &FlagBitEdit, "FlagBitEdit", Item::kFlagBits,
        "%i{n0x63}"},
       {"Protocol ID", &cbxProtocolID, "cbxProtocolID", &ProtocolIDEdit, "ProtocolIDEdit",
        Item::kProtocolID, "%i{n0x255}"},
       {"User Mask", &cbxUserMask, "cbxUserMask", &UserMaskEdit, "UserMaskEdit", Item::kUserMask,
        "%h{l10}"}},
      {&cbxVlan, &cbxSource, &cbxDestination, &cbxDSCP, &cbxProtocol, &cbxProtocolID, &cbxFlagBit,
       &cbxDestPort, &cbxSourcePort, &cbxType, &cbxCode, &cbxUserMask});
  Rule.VlanTick = cbxVlan;
  Rule.VlanEdit = VlanRuleEdit;
}

TCPUFilterIPRuleForm::~TCPUFilterIPRuleForm() = default;

void TCPUFilterIPRuleForm::ApplyProtocolFieldMask(TSavedAccess& saved) {
  MaskUnusedProtocolFields(saved, cbxProtocol, ProtocolComboBox, Item::kType);
}

void TCPUFilterIPRuleForm::ApplyFieldMasks(TSavedAccess& saved, bool) {
  ApplyProtocolFieldMask(saved);
}

// The edit's rule lets through any count of digits up to ten; an odd count
// is no octet string, which the switch would refuse for the whole rule. A
// mask left alone goes back as the switch holds it (empty too).
bool TCPUFilterIPRuleForm::ValidateFieldValues() {
  const AnsiString mask = UserMaskEdit->Text();
  if (!cbxUserMask->Checked() || LeftAlone(UserMaskEdit) ||
      IsHexDigitsText(mask, mask.Length() / 2 * 2))
    return true;
  ShowMessage("Invalid User Mask");
  if (UserMaskEdit->Enabled()) FocusIfPossible(UserMaskEdit);
  return false;
}
