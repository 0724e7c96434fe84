#include "EngineClock.h"

#include "NetSnmp.h"

namespace vnsnmp {

namespace {

Enginetime Find(const std::vector<std::uint8_t>& engine) {
  if (engine.empty()) return nullptr;
  return search_enginetime_list(engine.data(), static_cast<u_int>(engine.size()));
}

}  // namespace

bool ReadEngineClock(const std::vector<std::uint8_t>& engine, EngineClock& clock) {
  Enginetime e = Find(engine);
  if (!e) return false;
  clock.authenticated = e->authenticatedFlag != 0;
  u_int boots = 0, time = 0;
  get_enginetime(engine.data(), static_cast<u_int>(engine.size()), &boots, &time, FALSE);
  clock.boots = boots;
  clock.time = time;
  return true;
}

void OpenEngineClock(const std::vector<std::uint8_t>& engine) {
  // An unauthenticated record takes the next probe's answer, and yields
  // boots and time 0 to the check of an authenticated message, which then
  // passes and sets it (snmpusm.c, lcd_time.c).
  if (Enginetime e = Find(engine)) e->authenticatedFlag = FALSE;
}

void CloseEngineClock(const std::vector<std::uint8_t>& engine) {
  if (Enginetime e = Find(engine)) e->authenticatedFlag = TRUE;
}

bool InTimeWindow(const EngineClock& sent, const EngineClock& agent) {
  constexpr unsigned kWindow = 150;
  const unsigned apart = sent.time > agent.time ? sent.time - agent.time : agent.time - sent.time;
  return sent.boots == agent.boots && apart <= kWindow;
}

}  // namespace vnsnmp
