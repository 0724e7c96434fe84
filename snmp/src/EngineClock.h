// Net-SNMP's record of an agent engine's boots and time (snmpEngineBoots and
// snmpEngineTime as the manager believes them), which every version 3
// message to the engine carries and every authenticated message from it is
// checked against.
#pragma once

#include <cstdint>
#include <vector>

namespace vnsnmp {

struct EngineClock {
  bool authenticated = false;  // set by an authenticated message
  unsigned boots = 0;
  unsigned time = 0;  // seconds, as estimated now
};

// What the record of `engine` holds; false when there is none.
bool ReadEngineClock(const std::vector<std::uint8_t>& engine, EngineClock& clock);

// Opens the record to the engine's next message, as for an engine just
// discovered: an engine id probe's answer sets it, and an authenticated
// message is taken whatever boots and time it carries. Until then messages
// to the engine carry what the record held. Without this Net-SNMP drops
// every message of an engine that restarted with fewer boots (a factory
// reset) or an older time, its time-window Reports included.
void OpenEngineClock(const std::vector<std::uint8_t>& engine);

// Closes the record again: only authenticated messages in the time window
// of what it holds change it then.
void CloseEngineClock(const std::vector<std::uint8_t>& engine);

// Whether a message sent with `sent` is in the time window of an engine
// whose boots and time are `agent` (RFC 3414: the same boots, times at most
// 150 seconds apart).
bool InTimeWindow(const EngineClock& sent, const EngineClock& agent);

}  // namespace vnsnmp
