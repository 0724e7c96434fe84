#include "simulator/src/FrontPanel.h"

namespace sim::panel {

std::string Compose(std::uint8_t power, std::uint8_t console,
                    const std::array<PortLed, kSlots>& slots) {
  std::string octets(kOctets, '\0');
  octets[2] = static_cast<char>(power);
  octets[3] = static_cast<char>(console);
  for (std::size_t i = 0; i < kSlots; ++i) {
    octets[5 + 2 * i] = static_cast<char>(slots[i].state);
    octets[6 + 2 * i] = static_cast<char>(slots[i].colour);
  }
  return octets;
}

std::string Pattern(std::int64_t elapsedMs) {
  const std::int64_t step = elapsedMs < 0 ? 0 : elapsedMs / kStepMs;
  std::array<PortLed, kSlots> slots{};
  slots.fill(kNoLink);
  slots[0] = kGreen;                                   // port 1: up
  slots[1] = step % 2 == 0 ? kGreenBlinking : kGreen;  // port 2: traffic on and off
  slots[2] = kOrange;                                  // port 3: up at low speed
  slots[4] = kGreenBlinking;                           // port 5: busy
  slots[5] = step % 3 == 2 ? kNoLink : kGreen;         // port 6: link comes and goes
  slots[8] = kGreen;                                   // port 9: up
  return Compose(0x02, 0x01, slots);                   // power green, console idle
}

}  // namespace sim::panel
