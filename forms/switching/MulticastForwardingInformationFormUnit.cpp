#include "forms/switching/MulticastForwardingInformationFormUnit.h"

#include "catalogue/BridgeExtMib.h"
#include "pages/FormOpeners.h"

TMulticastForwardingInformationForm* MulticastForwardingInformationForm = nullptr;

VN_REGISTER_FORM_OPENER(TMulticastForwardingInformationForm, &MulticastForwardingInformationForm);

TMulticastForwardingInformationForm::TMulticastForwardingInformationForm(TComponent* AOwner)
    : TVlanForwardPortsForm(
          AOwner, "MulticastForwardingInformationForm", 696, 514,
          MulticastForwardingInformationVars,
          {{"All Forwarded Ports", MulticastForwardingInformationItem::kAllPorts},
           {"All Static Ports", MulticastForwardingInformationItem::kStaticPorts},
           {"All Forbiden Ports", MulticastForwardingInformationItem::kForbiddenPorts}}) {}
