#include "forms/acl/CPUFilterPktCntRuleUnit.h"

#include "catalogue/AclMib.h"
#include "pages/FormOpeners.h"

TCPUFilterPktCntRuleForm* CPUFilterPktCntRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TCPUFilterPktCntRuleForm, &CPUFilterPktCntRuleForm);

namespace {

constexpr const char* kWindow = "%h{l32f}";

}  // namespace

TCPUFilterPktCntRuleForm::TCPUFilterPktCntRuleForm(TComponent* AOwner)
    : TCPUFilterRuleForm(AOwner) {
  namespace Item = CPUFilterPktCntRuleItem;
  BuildRuleForm(
      {"CPUFilterPktCntRuleForm", "Packet Content Rule (CPU Filter)", 980, 600,
       CPUFilterPktCntRuleVars, Item::kPermit, Item::kRowStatus, Item::kPort},
      {{"Payload Offset [1-15]", &cbxPayloadOff1, "cbxPayloadOff1", &PayloadOff1Edit,
        "PayloadOff1Edit", Item::kPayloadOffset1To15, kWindow},
       {"Payload Offset [16-31]", &cbxPayloadOff2, "cbxPayloadOff2", &PayloadOff2Edit,
        "PayloadOff2Edit", Item::kPayloadOffset16To31, kWindow},
       {"Payload Offset [32-47]", &cbxPayloadOff3, "cbxPayloadOff3", &PayloadOff3Edit,
        "PayloadOff3Edit", Item::kPayloadOffset32To47, kWindow},
       {"Payload Offset [48-63]", &cbxPayloadOff4, "cbxPayloadOff4", &PayloadOff4Edit,
        "PayloadOff4Edit", Item::kPayloadOffset48To63, kWindow},
       {"Payload Offset [64-79]", &cbxPayloadOff5, "cbxPayloadOff5", &PayloadOff5Edit,
        "PayloadOff5Edit", Item::kPayloadOffset64To79, kWindow}},
      {&cbxPayloadOff1, &cbxPayloadOff2, &cbxPayloadOff3, &cbxPayloadOff4, &cbxPayloadOff5});
}

TCPUFilterPktCntRuleForm::~TCPUFilterPktCntRuleForm() = default;
