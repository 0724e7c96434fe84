#include "forms/acl/CPUFilterIPV6RuleUnit.h"

#include "catalogue/AclMib.h"
#include "pages/FormOpeners.h"

TCPUFilterIPV6RuleForm* CPUFilterIPV6RuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TCPUFilterIPV6RuleForm, &CPUFilterIPV6RuleForm);

TCPUFilterIPV6RuleForm::TCPUFilterIPV6RuleForm(TComponent* AOwner) : TCPUFilterRuleForm(AOwner) {
  namespace Item = CPUFilterIPV6RuleItem;
  BuildRuleForm(
      {"CPUFilterIPV6RuleForm", "IPv6 Rule (CPU Filter)", 980, 600, CPUFilterIPV6RuleVars,
       Item::kPermit, Item::kRowStatus, Item::kPort},
      {{"Class", &cbxClass, "cbxClass", &ClassEdit, "ClassEdit", Item::kClass, "%i{n0x255}"},
       {"Flow Label", &cbxFlowLabel, "cbxFlowLabel", &FlowLabelEdit, "FlowLabelEdit",
        Item::kFlowLabel, "%h{l4f}"},
       {"Rule Source IPV6 Address", &cbxSource, "cbxSource", &SourceIPV6Edit, "SourceIPV6Edit",
        Item::kSourceIPv6Address, "%h{l32f}"},
       {"Rule Destination IPV6 Address", &cbxDestination, "cbxDestination", &DestIPV6Edit,
        "DestIPV6Edit", Item::kDestinationIPv6Address, "%h{l32f}"}},
      {&cbxClass, &cbxSource, &cbxDestination, &cbxFlowLabel});
}

TCPUFilterIPV6RuleForm::~TCPUFilterIPV6RuleForm() = default;
