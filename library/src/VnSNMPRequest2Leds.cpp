// LED shapes painted from an octet string of LED states, a reading at a
// time, with a short burst of blinking after each reading.
#include "library/VnSNMPRequest2Leds.h"

#include "library/VnErrors.h"
#include "library/VnNumList.h"
#include "library/VnOptionList.h"
#include "library/VnRawValue.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"

namespace {

constexpr unsigned kBlinkIntervalMs = 60;

}  // namespace

VnSNMPRequest2Leds::VnSNMPRequest2Leds(TWinControl* owner) : VnSNMPRequest2Controls(owner) {
  pollTimer_ = new TTimer(owner);  // owned by the owner (or by us, below, without one)
  pollTimer_->SetEnabled(false);
  pollTimer_->OnTimer = TNotifyEvent(this, &VnSNMPRequest2Leds::PollTimerTimer);
  WatchComponent(pollTimer_);
  blinkTimer_ = new TTimer(owner);
  blinkTimer_->OnTimer = TNotifyEvent(this, &VnSNMPRequest2Leds::BlinkTimerTimer);
  blinkTimer_->SetInterval(kBlinkIntervalMs);
  blinkTimer_->SetEnabled(true);
  WatchComponent(blinkTimer_);
}

VnSNMPRequest2Leds::~VnSNMPRequest2Leds() {
  StopPolling();
  // The timers stay with the owner; they must not call us any more.
  for (TTimer* timer : {pollTimer_, blinkTimer_}) {
    if (!timer) continue;
    UnwatchComponent(timer);
    timer->SetEnabled(false);
    timer->OnTimer = nullptr;
    if (!Owner) delete timer;
  }
  for (auto& led : leds_)
    if (led->Shape) UnwatchComponent(led->Shape);
}

const LedBinding& VnSNMPRequest2Leds::Led(int index) const {
  if (index < 0 || index >= LedCount())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", index));
  return *leds_[static_cast<std::size_t>(index)];
}

void VnSNMPRequest2Leds::AddLeds(int item, const AnsiString& indexList, VnSNMPLedColorMapList* map,
                                 TPanel* panel, int left, int spacing, TShapeType shapeType,
                                 int width, int height) {
  if (!map) throw EInvalidOperation("An LED needs a colour map");
  VnNumList<int> indexes;
  indexes.Delimiter = ',';
  indexes.Parse(indexList.c_str());
  for (int k = 0; k < indexes.Count(); ++k) {
    // Owned by the owner, like the form's own components (by the panel
    // without an owner).
    auto* shape = new TShape(Owner ? static_cast<TComponent*>(Owner) : panel);
    shape->SetParent(panel);
    shape->SetShape(shapeType);
    shape->SetBounds((width + spacing) * k + left, 1, width, height);
    shape->Show();
    AddLed(item, indexes[k], map, shape);
  }
  if (panel) {
    panel->SetBevelInner(bvNone);
    panel->SetBevelOuter(bvNone);
  }
}

void VnSNMPRequest2Leds::AddLed(int item, int byteIndex, VnSNMPLedColorMapList* map,
                                TShape* shape) {
  auto led = std::make_unique<LedBinding>();
  led->ItemIndex = item;
  led->ByteIndex = byteIndex;
  led->ColorMap = map;
  led->Shape = shape;
  led->Blinking = false;
  led->Color = map->NormalColor;
  WatchComponent(shape);
  Paint(*led, led->Color);
  leds_.push_back(std::move(led));
}

void VnSNMPRequest2Leds::SetValueLayout(std::uint32_t mode, std::uint32_t start) {
  LayoutMode = mode < 1 ? LED_LAYOUT_ONE_BYTE : mode;
  LayoutStart = start < 1 ? 4 : start;
}

void VnSNMPRequest2Leds::StartPolling(unsigned tenMs) {
  if (pollTimer_) {
    pollTimer_->SetInterval(tenMs * 10);
    pollTimer_->SetEnabled(true);
  }
  Refresh();
}

void VnSNMPRequest2Leds::StopPolling() {
  if (pollTimer_) pollTimer_->SetEnabled(false);
  ResetLeds();
}

void VnSNMPRequest2Leds::Refresh() {
  // One reading at a time: a device that does not answer keeps the request
  // busy for its whole timeout and retries.
  if (Busy) return;
  try {
    Get();
  } catch (const Exception& e) {
    ResetLeds();
    throw Exception(e.Message, e.HelpContext);
  }
}

void VnSNMPRequest2Leds::PollTimerTimer(TObject*) {
  if (Busy) return;  // the last reading is still outstanding: skip this tick
  try {
    Get();
  } catch (const Exception& e) {
    ResetLeds();
    StatusKind = STATUS_KIND_GET;
    ShowRequestStatus(e.Message);
  }
}

void VnSNMPRequest2Leds::BlinkTimerTimer(TObject*) { BlinkTick(); }

void VnSNMPRequest2Leds::DoGetRow() {
  BlinkTicks = 0;
  UpdateLeds();
  BlinkTick();
}

void VnSNMPRequest2Leds::DoGetError(const VnSNMPError& error) {
  ResetLeds();
  StatusKind = STATUS_KIND_GET;
  ShowRequestStatus(error.Text);
}

void VnSNMPRequest2Leds::ComponentGone(TComponent* component) {
  if (component == pollTimer_) pollTimer_ = nullptr;
  if (component == blinkTimer_) blinkTimer_ = nullptr;
  for (auto& led : leds_)
    if (led->Shape == component) led->Shape = nullptr;
  VnSNMPRequest2Controls::ComponentGone(component);
}

void VnSNMPRequest2Leds::UpdateLed(LedBinding& led) {
  const VnSNMPVarDesc* item = Request.VarList.Item(led.ItemIndex);
  AnsiString text = item->Value ? *item->Value : AnsiString("(NULL)");
  if (item->Options) text = item->Options->ValueOf(text);
  const VnOctets raw = VnValueToBytes(text, item->Syntax);
  const VnSNMPLedColorMapList& map = *led.ColorMap;

  const auto has = [&raw](long long index) {
    return index >= 0 && index < static_cast<long long>(raw.size());
  };
  const auto missing = [&] {
    if (map.AbsentColor == kNoLedColor) RaiseLibraryError(VNERR_PART_INDEX_RANGE);
    led.Color = map.AbsentColor;
    led.Blinking = false;
  };

  const long long at = led.ByteIndex;
  if (!has(at)) return missing();
  const std::uint8_t state = raw[static_cast<std::size_t>(at)];
  const bool twoBytes = LayoutMode == LED_LAYOUT_TWO_BYTES && at >= LayoutStart;
  if (LayoutMode == LED_LAYOUT_ONE_BYTE || (LayoutMode == LED_LAYOUT_TWO_BYTES && !twoBytes)) {
    led.Color = map.ColorOf(state & map.ColorMask);
    led.Blinking = (state & map.BlinkMask) != 0;
  } else if (twoBytes) {
    if (state == 1) {  // nothing there: no colour
      led.Blinking = false;
      led.Color = map.AbsentColor;
      return;
    }
    if (!has(at + 1)) return missing();
    led.Blinking = (state & map.BlinkMask) != 0;
    led.Color = map.ColorOf(raw[static_cast<std::size_t>(at + 1)] & map.ColorMask);
  }
}

void VnSNMPRequest2Leds::UpdateLeds() {
  for (auto& led : leds_) UpdateLed(*led);
}

void VnSNMPRequest2Leds::ResetLeds() {
  for (auto& led : leds_) {
    led->Blinking = false;
    led->Color = led->ColorMap->NormalColor;
    Paint(*led, led->Color);
  }
}

void VnSNMPRequest2Leds::BlinkTick() {
  bool anyBlinking = false;
  for (auto& led : leds_) {
    if (!led->Blinking) {
      Paint(*led, led->Color);
      continue;
    }
    anyBlinking = true;
    const VnLedColor normal = led->ColorMap->NormalColor;
    const bool showsOwnColour =
        led->Shape && static_cast<VnLedColor>(led->Shape->Brush()->Color()) != normal;
    Paint(*led, showsOwnColour && BlinkTicks <= BlinkLimit ? normal : led->Color);
  }
  if (anyBlinking) ++BlinkTicks;
}

void VnSNMPRequest2Leds::Paint(LedBinding& led, VnLedColor color) {
  if (!led.Shape) return;
  led.Shape->Brush()->SetColor(static_cast<TColor>(color));
  led.Shape->Pen()->SetColor(static_cast<TColor>(color));
  led.Shape->Show();
}
