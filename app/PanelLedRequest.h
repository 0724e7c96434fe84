// The front panel's LED request: the fourteen LEDs of the panel's design on
// their host panels, and a reading that is no LED status value (see
// PanelLedStatus.h) refused as the variable being absent, so that the LEDs
// keep their colours and the status line does not say "Ok!".
#pragma once

#include "library/VnSNMPRequest2Leds.h"

class TComponent;

class TPanelLedRequest : public VnSNMPRequest2Leds {
 public:
  using VnSNMPRequest2Leds::VnSNMPRequest2Leds;

  // Adds the LEDs of PanelLeds() to the host panels of that name in `form`,
  // with the device's colour maps.
  void AddPanelLeds(const TComponent* form);

 protected:
  // Raises the noSuchName error, before any LED changes, when the value
  // read is no LED status value.
  void DoGetRow() override;
};
