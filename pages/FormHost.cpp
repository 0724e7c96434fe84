#include "pages/FormHost.h"

#include "pages/DeviceAddress.h"

namespace {

// Forms made without the main window (tools, tests) still caption with the
// process-wide address; there is no version label to read or write, and no
// menu to update.
class TStandaloneHost final : public TFormHost {
 public:
  AnsiString Address() const override { return DeviceAddress; }
  AnsiString StpVersion() const override { return AnsiString(); }
  void SetStpVersion(const AnsiString&) override {}
  void UpdateRmonMenuState() override {}
  TSharedIdleFlags& IdleFlags() override { return flags_; }

 private:
  TSharedIdleFlags flags_;
};

TFormHost* g_host = nullptr;

}  // namespace

void TSharedIdleFlags::MarkIdle(VnSNMPRequest2Controls*, const VnSNMPError&) {
  RefreshIdle = 1;
  SetIdle = 1;
}

TFormHost& FormHost() {
  static TStandaloneHost standalone;
  return g_host ? *g_host : standalone;
}

void RegisterFormHost(TFormHost* host) { g_host = host; }

void WithdrawFormHost(const TFormHost* host) {
  if (g_host == host) g_host = nullptr;
}
