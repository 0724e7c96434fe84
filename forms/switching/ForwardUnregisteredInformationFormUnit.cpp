#include "forms/switching/ForwardUnregisteredInformationFormUnit.h"

#include "catalogue/BridgeExtMib.h"
#include "pages/FormOpeners.h"

TForwardUnregisteredInformationForm* ForwardUnregisteredInformationForm = nullptr;

VN_REGISTER_FORM_OPENER(TForwardUnregisteredInformationForm, &ForwardUnregisteredInformationForm);

TForwardUnregisteredInformationForm::TForwardUnregisteredInformationForm(TComponent* AOwner)
    : TVlanForwardPortsForm(
          AOwner, "Forward Unregistered Information", 696, 480, ForwardUnregisteredInformationVars,
          {{"Unregistered Ports", ForwardUnregisteredInformationItem::kUnregisteredPorts},
           {"Unregisteried Static Ports",
            ForwardUnregisteredInformationItem::kUnregisteredStaticPorts},
           {"Unregistered Forbidden Ports",
            ForwardUnregisteredInformationItem::kUnregisteredForbiddenPorts}}) {}
