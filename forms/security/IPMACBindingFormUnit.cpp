#include "forms/security/IPMACBindingFormUnit.h"

#include "catalogue/SecurityMib.h"
#include "pages/FormOpeners.h"

TIPMACBindingForm* IPMACBindingForm = nullptr;
VN_REGISTER_FORM_OPENER(TIPMACBindingForm, &IPMACBindingForm);

namespace {

TIpMacPortTableLayout BindingLayout() {
  TIpMacPortTableLayout l;
  l.Caption = "IP-MAC Binding Form";
  l.Table = IPMACBindingVars;
  l.KeyCount = 1;  // the IP address
  l.StatusItem = IPMACBindingItem::kStatus;
  l.PortsItem = IPMACBindingItem::kPorts;
  return l;
}

}  // namespace

TIPMACBindingForm::TIPMACBindingForm(TComponent* AOwner)
    : TIpMacPortTableForm(AOwner, BindingLayout()) {}
