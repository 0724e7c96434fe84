// What the feature forms need of the window that hosts them: the device
// address their captions end with, the spanning-tree version the window
// shows, its RMON menu entries, and the busy flags that two walking forms
// share. The main window registers itself; without it (a form made on its
// own) a stand-in host answers, which shows no version, has no menu and
// keeps the flags itself.
#pragma once

#include <cstdint>

#include "platform/AnsiString.h"

class VnSNMPRequest2Controls;
struct VnSNMPError;

// Shared by the GARP and 802.1D port capability forms, of which only one is
// open at a time (both are modal): a Refresh waits for the walk before it.
struct TSharedIdleFlags {
  // Both 0 at start-up.
  std::uint8_t RefreshIdle = 0;
  std::uint8_t SetIdle = 0;
  // Sets both flags to 1; the forms' requests run it when a walk ends.
  void MarkIdle(VnSNMPRequest2Controls* Sender, const VnSNMPError& Error);
};

class TFormHost {
 public:
  // The managed device's address ("/I" of the command line), which the
  // forms' captions end with.
  virtual AnsiString Address() const = 0;
  // The spanning-tree version text the device ran when last read or set.
  virtual AnsiString StpVersion() const = 0;
  virtual void SetStpVersion(const AnsiString& version) = 0;
  // Reads the RMON state again and enables or disables the entries that
  // depend on it. A failed reading raises and changes no entry; a close
  // handler catches it, so that the window closes whatever the device
  // answers.
  virtual void UpdateRmonMenuState() = 0;
  virtual TSharedIdleFlags& IdleFlags() = 0;

 protected:
  ~TFormHost() = default;
};

// The registered host, or the stand-in while there is none.
TFormHost& FormHost();
// The main window registers itself when it is made and withdraws when it
// goes; withdrawing a host that is not the registered one changes nothing.
void RegisterFormHost(TFormHost* host);
void WithdrawFormHost(const TFormHost* host);
