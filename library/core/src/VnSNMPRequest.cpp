#include "library/VnSNMPRequest.h"

#include <utility>

#include "SendTargetCache.h"
#include "library/VnErrors.h"
#include "library/VnOptionList.h"
#include "library/VnValueText.h"

VnSNMPRequest::VnSNMPRequest() : Timeout(g_SnmpTimeout), Retries(1), Active(true) {
  LoadDefaults();
  Outstanding = 0;
}

void VnSNMPRequest::LoadDefaults() {
  Device.Address = ConnectionDefaults.Device.Address;
  Device.Port = ConnectionDefaults.Device.Port;
  Scope.ContextEngineId = ConnectionDefaults.Scope.ContextEngineId;
  Scope.ContextName = ConnectionDefaults.Scope.ContextName;
  Security = ConnectionDefaults.Security;
  Timeout = g_SnmpTimeout;
}

VnSNMPVarDesc& VnSNMPRequest::ItemAt(int item) const {
  if (item < 0 || item >= VarList.Count()) RaiseLibraryError(VNERR_BAD_SYNTAX);
  return *VarList.Item(item);
}

AnsiString VnSNMPRequest::RawValue(const VnSNMPVarDesc& d) const {
  AnsiString text = d.Value ? *d.Value : AnsiString();
  return d.Options ? d.Options->ValueOf(text) : text;
}

void VnSNMPRequest::StoreValue(VnSNMPVarDesc& d, AnsiString text) const {
  if (d.Options) text = d.Options->TextOf(text);
  if (d.Value) *d.Value = std::move(text);
}

bool VnSNMPRequest::IsImpliedIndex(int item) const {
  return VarList.KeyCount > 0 && static_cast<std::uint32_t>(item) == VarList.KeyCount - 1 &&
         (ItemAt(item).Access & SNMP_ACCESS_IMPLIED) != 0;
}

bool VnSNMPRequest::IsTableEnd(const AnsiString& column, const AnsiString&,
                               const AnsiString& returned) {
  if (VarList.ItemType == VnItemType::SVT_SV || VarList.ItemType == VnItemType::MVT_SV)
    return false;
  if (returned.Length() <= column.Length()) return true;
  // The column goes on only below its own identifier: the column text and a
  // dot, so that column 1 does not run into column 10.
  const std::string& ret = returned.str();
  return ret.compare(0, column.str().size(), column.str()) != 0 || ret[column.str().size()] != '.';
}
