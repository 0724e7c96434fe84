// The front panel's reading of the device's LED status value. The input is
// the value's text as the library hands it to the panel: hex digits for the
// octets, "(NULL)" for a value the agent lacks, or whatever a reply that is
// no LED status gives. It goes through the panel's own LED request (its
// fourteen LEDs on their hosts) and the choice of the link pictures. A text
// that is no reading must be refused with the noSuchName error and leave
// every LED as it was; a reading must be taken without an error.
#include <memory>
#include <string>
#include <vector>

#include "app/PanelForm.h"
#include "app/PanelLayout.h"
#include "app/PanelLedRequest.h"
#include "app/PanelLedStatus.h"
#include "catalogue/DeviceMib.h"
#include "catalogue/MibOptionLists.h"
#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "library/VnErrors.h"
#include "platform/Exceptions.h"
#include "platform/TestKit.h"

namespace {

class Leds : public TPanelLedRequest {
 public:
  using TPanelLedRequest::DoGetRow;
  using TPanelLedRequest::TPanelLedRequest;
};

struct Panel {
  std::unique_ptr<TKXR5810PanelForm> form;
  std::unique_ptr<Leds> leds;
  Panel() {
    TestKit::EnsureApplication();
    InitMibOptionLists();  // the colour maps
    form.reset(Create<TKXR5810PanelForm>(nullptr));
    leds = std::make_unique<Leds>(form.get());
    leds->Request.VarList = VnSNMPVarList(FrontPanelLedStatusVars, MVT_SV, 0);
    leds->SetValueLayout(LED_LAYOUT_TWO_BYTES, 5);
    leds->AddPanelLeds(form.get());
  }
  ~Panel() {
    leds.reset();  // before the shapes and timers that it uses
    form.reset();
  }
};

std::vector<LedBinding> States(const Leds& leds) {
  std::vector<LedBinding> states;
  for (int k = 0; k < leds.LedCount(); ++k) states.push_back(leds.Led(k));
  return states;
}

}  // namespace

void vnfuzz::RunLedInput(const std::uint8_t* data, std::size_t size) {
  static Panel panel;
  const AnsiString text(Text(data, size));
  *panel.leds->Request.VarList.Item(0)->Value = text;
  const bool reading = IsLedStatusText(text);
  const std::vector<LedBinding> before = States(*panel.leds);
  try {
    panel.leds->DoGetRow();
    if (!reading) Broken("a value that is no reading was taken");
  } catch (const Exception& e) {
    if (reading) Broken("a reading was refused: " + e.Message.str());
    if (e.HelpContext != VNERR_NOSUCHNAME) Broken("refused with another error: " + e.Message.str());
    const std::vector<LedBinding> after = States(*panel.leds);
    for (std::size_t k = 0; k < after.size(); ++k)
      if (after[k].Color != before[k].Color || after[k].Blinking != before[k].Blinking)
        Broken("an LED changed for a value that is no reading");
  }
  for (int slot = 1; slot <= kLinkSlots; ++slot) {
    const TLinkPicture picture = LinkPictureOf(text, slot);
    if (picture == TLinkPicture::Green && text.SubString(4 * slot + 7, 4) != "8203")
      Broken("a green link picture without its pair");
    if (picture != TLinkPicture::None && text.SubString(4 * slot + 7, 4).Length() < 4)
      Broken("a link picture for a slot the value does not reach");
  }
}
