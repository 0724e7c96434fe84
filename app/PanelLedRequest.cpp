#include "app/PanelLedRequest.h"

#include "app/PanelLayout.h"
#include "app/PanelLedStatus.h"
#include "catalogue/DevicePanelMaps.h"
#include "library/VnErrors.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

void TPanelLedRequest::AddPanelLeds(const TComponent* form) {
  for (const PanelLedDef& led : PanelLeds()) {
    VnSNMPLedColorMapList* map =
        led.Map == PanelLedMap::System ? SystemLedColorMap() : PortLinkLedColorMap();
    AddLeds(0, led.Element, map, dynamic_cast<TPanel*>(form->FindComponent(led.Host)), led.Left,
            led.Spacing, stRectangle, led.Width, led.Height);
  }
}

void TPanelLedRequest::DoGetRow() {
  const VnSNMPVarDesc* item = Request.VarList.Item(0);
  // The same words as a version 1 agent's answer for a variable it lacks;
  // the read ends with them in the status line, the LEDs as they were.
  if (!item->Value || !IsLedStatusText(*item->Value)) RaiseLibraryError(VNERR_NOSUCHNAME);
  VnSNMPRequest2Leds::DoGetRow();
}
