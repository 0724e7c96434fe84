// The front-panel LED status octet string of the simulated switch: power at
// octet 2, console at octet 3, then a (state, colour) pair per port slot from
// octet 5 (octets counted from 0), 29 octets in all.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sim::panel {

inline constexpr std::size_t kOctets = 29;
inline constexpr std::size_t kSlots = 12;
// The pattern moves on every this many milliseconds.
inline constexpr std::int64_t kStepMs = 10000;

struct PortLed {
  std::uint8_t state;   // 0x80 blinks; 1 is no link
  std::uint8_t colour;  // low three bits: the colour
};

inline constexpr PortLed kNoLink{0x01, 0x01};
inline constexpr PortLed kGreenBlinking{0x82, 0x03};
inline constexpr PortLed kGreen{0x02, 0x04};
inline constexpr PortLed kOrange{0x81, 0x01};

// Slots in octet order: ports 1 to 8, port 9, combo 1, port 10, combo 2.
std::string Compose(std::uint8_t power, std::uint8_t console,
                    const std::array<PortLed, kSlots>& slots);

// The LEDs `elapsedMs` after the agent started: some ports up, one with
// traffic blinking on and off, one whose link comes and goes.
std::string Pattern(std::int64_t elapsedMs);

}  // namespace sim::panel
