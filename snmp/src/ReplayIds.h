// The ids SetReplayIds asks every transmission to carry.
#pragma once

namespace vnsnmp {

// True with the ids while they are set.
bool ReplayIds(int& request_id, int& message_id);

}  // namespace vnsnmp
