#include "forms/acl/CPUFilterIPV6RuleUnit.h"

#include "app/FormOpeners.h"
#include "app/mibdefs/AclMib.h"

TCPUFilterIPV6RuleForm* CPUFilterIPV6RuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TCPUFilterIPV6RuleForm, &CPUFilterIPV6RuleForm);

TCPUFilterIPV6RuleForm::TCPUFilterIPV6RuleForm(TComponent* AOwner) : TCPUFilterRuleForm(AOwner) {
  // Items: 2 class, 3 flow label, 4 and 5 the addresses, 6 permit, 7 row
  // status, 8 ports.
  BuildRuleForm(
      {"CPUFilterIPV6RuleForm", "IPv6 Rule (CPU Filter)", 980, 600, CPUFilterIPV6RuleVars, 6, 7, 8},
      {{"Class", &cbxClass, "cbxClass", &ClassEdit, "ClassEdit", 2, "%i{n0x255}"},
       {"Flow Label", &cbxFlowLabel, "cbxFlowLabel", &FlowLabelEdit, "FlowLabelEdit", 3, "%h{l4f}"},
       {"Rule Source IPV6 Address", &cbxSource, "cbxSource", &SourceIPV6Edit, "SourceIPV6Edit", 4,
        "%h{l32f}"},
       {"Rule Destination IPV6 Address", &cbxDestination, "cbxDestination", &DestIPV6Edit,
        "DestIPV6Edit", 5, "%h{l32f}"}},
      {&cbxClass, &cbxSource, &cbxDestination, &cbxFlowLabel});
}

TCPUFilterIPV6RuleForm::~TCPUFilterIPV6RuleForm() = default;
