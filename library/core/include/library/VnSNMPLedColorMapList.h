// What an LED state byte means: which of its bits choose the colour (looked
// up in {value, colour} pairs), which make the LED blink, the colour of an
// LED that is off and the colour of one whose state is missing. Several LEDs
// share one map.
#pragma once

#include <cstdint>
#include <vector>

// Colours are Windows RGB values 0x00BBGGRR.
using VnLedColor = std::uint32_t;

// No colour: ends a pair array, and as an absent colour means that a missing
// state byte is an error.
inline constexpr VnLedColor kNoLedColor = 0xFFFFFFFF;

// One pair of a map. A static pair array ends with a pair whose colour is
// kNoLedColor (that pair is not copied).
struct VnLedColorPair {
  std::uint8_t Value;
  VnLedColor Color;
};

class VnSNMPLedColorMapList {
 public:
  // Copies the pairs (which may be null) in order.
  VnSNMPLedColorMapList(const VnLedColorPair* pairs, std::uint8_t colorMask, std::uint8_t blinkMask,
                        VnLedColor normalColor, VnLedColor absentColor);
  VnSNMPLedColorMapList(const VnSNMPLedColorMapList&) = delete;
  VnSNMPLedColorMapList& operator=(const VnSNMPLedColorMapList&) = delete;
  ~VnSNMPLedColorMapList();

  // Pairs before the terminating one; 0 for a null array.
  static int CountPairs(const VnLedColorPair* pairs);
  // Appends copies of the pairs before the terminating one.
  void AddPairs(const VnLedColorPair* pairs);
  void Clear();

  int Count() const { return static_cast<int>(pairs_.size()); }
  // Throws EListError for an index outside 0 .. Count() - 1.
  const VnLedColorPair& Pair(int index) const;

  // Index of the first pair with the value, -1 when none: the first pair of
  // a repeated value wins.
  int IndexOf(std::uint8_t value) const;
  // Colour of the first pair with the value; 0 (black) when none.
  VnLedColor ColorOf(std::uint8_t value) const;

  // AND-mask of a state byte before its colour is looked up.
  std::uint8_t ColorMask;
  // AND-mask of a state byte: any bit left set makes the LED blink.
  std::uint8_t BlinkMask;
  // An LED that is off: the initial colour, the colour after a reset and
  // the second colour of blinking.
  VnLedColor NormalColor;
  // An LED whose bytes are missing or whose state says absent; kNoLedColor
  // makes a missing byte an error.
  VnLedColor AbsentColor;

 private:
  std::vector<VnLedColorPair> pairs_;
};
