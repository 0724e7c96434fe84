#include "library/VnSNMPConnection.h"

namespace {

VnConnectionDefaultsRecord PresetValues() {
  VnConnectionDefaultsRecord d;
  d.Device.Address = "127.0.0.1";
  d.Device.Port = 161;
  d.Security.Version = 0;
  d.Security.ReadCommunity = "qovalt";
  d.Security.WriteCommunity = "mundrel";
  d.Security.SecurityModel = 1;
  d.Security.SecurityLevel = 1;
  d.Security.AuthProtocol = 1;
  d.Security.PrivProtocol = 1;
  return d;
}

constexpr std::uint32_t kPresetTimeout = 100;

}  // namespace

VnConnectionDefaultsRecord ConnectionDefaults = PresetValues();
std::uint32_t g_SnmpTimeout = kPresetTimeout;
std::uint8_t& SnmpVersion = ConnectionDefaults.Security.Version;

void PresetConnectionDefaults() {
  ConnectionDefaults = PresetValues();
  g_SnmpTimeout = kPresetTimeout;
}
