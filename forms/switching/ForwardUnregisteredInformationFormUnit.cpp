#include "forms/switching/ForwardUnregisteredInformationFormUnit.h"

#include "app/FormOpeners.h"
#include "catalogue/BridgeExtMib.h"

TForwardUnregisteredInformationForm* ForwardUnregisteredInformationForm = nullptr;

VN_REGISTER_FORM_OPENER(TForwardUnregisteredInformationForm, &ForwardUnregisteredInformationForm);

TForwardUnregisteredInformationForm::TForwardUnregisteredInformationForm(TComponent* AOwner)
    : TVlanForwardPortsForm(
          AOwner, "Forward Unregistered Information", 696, 480, ForwardUnregisteredInformationVars,
          {{"Unregistered Ports", ForwardUnregisteredInformationItem::kUnregisteredPorts},
           {"Unregisteried Static Ports",
            ForwardUnregisteredInformationItem::kUnregisteredStaticPorts},
           {"Unregistered Forbidden Ports",
            ForwardUnregisteredInformationItem::kUnregisteredForbiddenPorts}},
          true) {}
