// A request bound to LED shapes. The device reports the states of all its
// LEDs in one octet string; every reading paints one shape per LED from one
// or two bytes of it, through a colour map, and a 60 ms blink timer flashes
// the blinking LEDs for a moment after each reading. Readings are Gets of
// the variable list, started by a polling timer.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "library/VnSNMPLedColorMapList.h"
#include "library/VnSNMPRequest2Controls.h"
#include "platform/ExtCtrls.h"

class TPanel;
class TShape;
class TTimer;

// One LED; owned by its request.
struct LedBinding {
  int ItemIndex = 0;                          // the item whose value holds the LED states
  int ByteIndex = 0;                          // where the LED's state starts in that value
  VnSNMPLedColorMapList* ColorMap = nullptr;  // not owned
  TShape* Shape = nullptr;                    // owned by the request's owner; null once destroyed
  bool Blinking = false;
  VnLedColor Color = 0;  // the present colour
};

// How the value's bytes are laid out.
enum : std::uint32_t {
  LED_LAYOUT_ONE_BYTE = 1,  // one state byte per LED
  LED_LAYOUT_TWO_BYTES = 2  // from LayoutStart on: a state byte, then a colour byte
};

class VnSNMPRequest2Leds : public VnSNMPRequest2Controls {
 public:
  // The polling timer (off until StartPolling) and the blink timer (60 ms,
  // running from now on) are components of the owner, as the shapes will be.
  explicit VnSNMPRequest2Leds(TWinControl* owner);
  // Stops polling and detaches both timers; the LED records go with it.
  ~VnSNMPRequest2Leds() override;

  // One LED per byte index of the comma-separated list, each a new shape on
  // the panel: k-th shape at left (width + spacing) * k + left, top 1. The
  // panel loses its bevels.
  void AddLeds(int item, const AnsiString& indexList, VnSNMPLedColorMapList* map, TPanel* panel,
               int left, int spacing, TShapeType shape, int width, int height);
  // Mode below 1 gives 1; start below 1 gives 4.
  void SetValueLayout(std::uint32_t mode, std::uint32_t start);
  // A reading every tenMs * 10 ms, and one at once; a failure of that one
  // resets the LEDs and is raised again as a plain Exception.
  void StartPolling(unsigned tenMs);
  // No more readings; every LED back to its normal colour.
  void StopPolling();
  // One reading now, unless one is still outstanding; a failure resets the
  // LEDs and is raised again.
  void Refresh();

  int LedCount() const { return static_cast<int>(leds_.size()); }
  const LedBinding& Led(int index) const;
  TTimer* PollTimer() const { return pollTimer_; }
  TTimer* BlinkTimer() const { return blinkTimer_; }

  // Blink ticks 0 to BlinkLimit after a reading may show a blinking LED in
  // its normal colour; later ones show its own colour.
  std::uint32_t BlinkLimit = 6;
  // Blink ticks since the last reading.
  std::uint32_t BlinkTicks = 0;
  std::uint32_t LayoutMode = LED_LAYOUT_ONE_BYTE;
  // First byte that the two-byte layout reads as a state and colour pair.
  std::uint32_t LayoutStart = 4;

 protected:
  void DoGetRow() override;
  // Resets the LEDs and shows the error in the status target; never a box.
  void DoGetError(const VnSNMPError& error) override;
  void ComponentGone(TComponent* component) override;
  // Sets the LED's Color and Blinking from the value (paints nothing);
  // raises -519 for a missing byte when its map has no absent colour.
  virtual void UpdateLed(LedBinding& led);

 private:
  void AddLed(int item, int byteIndex, VnSNMPLedColorMapList* map, TShape* shape);
  void ResetLeds();
  void UpdateLeds();
  void BlinkTick();
  void PollTimerTimer(TObject* sender);
  void BlinkTimerTimer(TObject* sender);
  static void Paint(LedBinding& led, VnLedColor color);

  std::vector<std::unique_ptr<LedBinding>> leds_;
  TTimer* pollTimer_ = nullptr;   // owned by the owner; null once destroyed
  TTimer* blinkTimer_ = nullptr;  // owned by the owner; null once destroyed
};
