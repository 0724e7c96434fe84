// The front panel's reading of the device's LED status value. The input is
// the value's text as the library hands it to the panel: hex digits for the
// octets, "(NULL)" for a value the agent lacks, or whatever a reply that is
// no LED status gives. It goes through the panel's own LED request (its
// fourteen LEDs on their hosts) and the choice of the link pictures. A text
// that is no reading must be refused with the noSuchName error and leave
// every LED as it was; a reading must be taken without an error.
#include <iterator>
#include <memory>
#include <optional>
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
    leds->Request.VarList = VnSNMPVarList(FrontPanelLedStatusVars, VnItemType::MVT_SV, 0);
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

// What the panel's design says, worked out here without the panel's code:
// the LEDs in the order they are added, each with its first byte and its
// map, and the colours of the two maps (a value a map lacks is black).
constexpr VnLedColor kBlack = 0x000000, kWhite = 0xFFFFFF, kGreen = 0x00FF00, kBlue = 0xFF0000,
                     kRed = 0x0000FF, kOrange = 0x4080FF;
constexpr VnLedColor kSystemColors[8] = {kBlack, kWhite, kGreen, kGreen,
                                         kBlue,  kRed,   kBlack, kBlack};
constexpr VnLedColor kPortColors[8] = {kBlack, kOrange, kOrange, kGreen,
                                       kGreen, kRed,    kBlack,  kBlack};
struct DesignLed {
  std::size_t byte;
  const VnLedColor* colors;
};
constexpr DesignLed kDesign[] = {{2, kSystemColors}, {3, kSystemColors}, {5, kPortColors},
                                 {7, kPortColors},   {9, kPortColors},   {11, kPortColors},
                                 {13, kPortColors},  {15, kPortColors},  {17, kPortColors},
                                 {19, kPortColors},  {21, kPortColors},  {23, kSystemColors},
                                 {25, kPortColors},  {27, kSystemColors}};
constexpr std::size_t kFirstTwoByteLed = 5;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The octets of a reading: pairs of hex digits and nothing else, at least
// one pair. Anything else (empty, an odd count, "(NULL)", ...) is none.
std::optional<std::vector<std::uint8_t>> Reading(const std::string& text) {
  if (text.empty() || text.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> octets;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexValue(text[i]), low = HexValue(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    octets.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return octets;
}

// An LED's colour and blinking from the octets: system LEDs from one state
// byte (colour its low three bits, blinking its bit 0x80); port LEDs from a
// state byte (1: black, not blinking; blinking its bit 0x80) and the colour
// byte after it; an LED whose bytes the value lacks is black and still.
LedBinding ExpectedLed(const DesignLed& led, const std::vector<std::uint8_t>& octets) {
  LedBinding expected{};
  expected.Color = kBlack;
  expected.Blinking = false;
  if (led.byte >= octets.size()) return expected;
  const std::uint8_t state = octets[led.byte];
  if (led.byte < kFirstTwoByteLed) {
    expected.Color = led.colors[state & 7];
    expected.Blinking = (state & 0x80) != 0;
  } else if (state != 1 && led.byte + 1 < octets.size()) {
    expected.Color = led.colors[octets[led.byte + 1] & 7];
    expected.Blinking = (state & 0x80) != 0;
  }
  return expected;
}

// The link picture of slot 1 to 12 from the value's text: its pair of
// octets from byte 2 x slot + 3 on, as four characters; "0101" none, "8203"
// green, any other whole pair orange, a pair the text does not hold whole
// none.
TLinkPicture ExpectedPicture(const std::string& text, int slot) {
  const std::size_t at = 4 * static_cast<std::size_t>(slot) + 6;
  if (at + 4 > text.size()) return TLinkPicture::None;
  const std::string pair = text.substr(at, 4);
  if (pair == "0101") return TLinkPicture::None;
  return pair == "8203" ? TLinkPicture::Green : TLinkPicture::Orange;
}

}  // namespace

void vnfuzz::RunLedInput(const std::uint8_t* data, std::size_t size) {
  static Panel panel;
  const std::string bytes = Text(data, size);
  const AnsiString text(bytes);
  *panel.leds->Request.VarList.Item(0)->Value = text;
  const std::optional<std::vector<std::uint8_t>> reading = Reading(bytes);
  if (IsLedStatusText(text) != reading.has_value())
    Broken("the panel's test for a reading disagrees with the rules");
  if (static_cast<std::size_t>(panel.leds->LedCount()) != std::size(kDesign))
    Broken("the panel does not have the design's LEDs");
  const std::vector<LedBinding> before = States(*panel.leds);
  try {
    panel.leds->DoGetRow();
    if (!reading) Broken("a value that is no reading was taken");
    const std::vector<LedBinding> after = States(*panel.leds);
    for (std::size_t k = 0; k < after.size(); ++k) {
      const LedBinding expected = ExpectedLed(kDesign[k], *reading);
      if (after[k].Color != expected.Color || after[k].Blinking != expected.Blinking)
        Broken("LED " + std::to_string(k) + " shows what its bytes do not say");
    }
  } catch (const Exception& e) {
    if (reading) Broken("a reading was refused: " + e.Message.str());
    if (e.HelpContext != VNERR_NOSUCHNAME) Broken("refused with another error: " + e.Message.str());
    const std::vector<LedBinding> after = States(*panel.leds);
    for (std::size_t k = 0; k < after.size(); ++k)
      if (after[k].Color != before[k].Color || after[k].Blinking != before[k].Blinking)
        Broken("an LED changed for a value that is no reading");
  }
  for (int slot = 1; slot <= kLinkSlots; ++slot)
    if (LinkPictureOf(text, slot) != ExpectedPicture(bytes, slot))
      Broken("slot " + std::to_string(slot) + " shows a link picture its pair does not say");
}
