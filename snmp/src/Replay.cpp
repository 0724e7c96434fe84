#include "snmp/Replay.h"

#include "NetSnmp.h"
#include "ReplayIds.h"

namespace vnsnmp {

namespace {
int replay_request_id = 0;
int replay_message_id = 0;
}  // namespace

bool ReplayIds(int& request_id, int& message_id) {
  if (replay_request_id == 0 || replay_message_id == 0) return false;
  request_id = replay_request_id;
  message_id = replay_message_id;
  return true;
}

}  // namespace vnsnmp

void SetReplayIds(int request_id, int message_id) {
  vnsnmp::replay_request_id = request_id;
  vnsnmp::replay_message_id = message_id;
}

void ForgetEngineTimes() {
  vnsnmp::EnsureNetSnmp();
  free_etimelist();
}
