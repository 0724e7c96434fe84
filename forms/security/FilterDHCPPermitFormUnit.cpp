#include "forms/security/FilterDHCPPermitFormUnit.h"

#include "catalogue/Oid_filterunit.h"
#include "pages/FormOpeners.h"

VN_REGISTER_FORM_OPENER(TFilterDHCPPermitForm, nullptr);

namespace {

TIpMacPortTableLayout PermitLayout() {
  TIpMacPortTableLayout l;
  l.Caption = "DHCP Permit Table Form";
  l.Table = FilterDHCPPermitVars;
  l.KeyCount = 2;  // server address and client MAC address
  l.StatusItem = FilterDHCPPermitItem::kDHCPStatus;
  l.PortsItem = FilterDHCPPermitItem::kDHCPPorts;
  l.MacIsKey = true;
  l.NeedsPorts = true;
  l.OffersEdit = false;
  return l;
}

}  // namespace

TFilterDHCPPermitForm::TFilterDHCPPermitForm(TComponent* AOwner)
    : TIpMacPortTableForm(AOwner, PermitLayout()) {}
