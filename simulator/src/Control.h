// The test-control commands: one command line in, one reply line out. The
// line protocol itself is described in simulator/README.md.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

#include "simulator/src/Oid.h"
#include "simulator/src/Store.h"

namespace sim {

enum class PduKind { Get, GetNext, GetBulk, Set, Any };
const char* PduKindName(PduKind kind);  // "GET", "GETNEXT", "GETBULK", "SET", "ANY"

// One injected error: the next request of the kind with a varbind under the
// prefix is answered with the status, once. A status of 0x80 to 0x82 is no
// error status but an exception (noSuchObject, noSuchInstance, endOfMibView)
// that takes the varbind's place in a noError answer; a SET answered so sets
// nothing.
struct Injection {
  PduKind kind = PduKind::Any;
  Oid prefix;
  int status = 0;
};
inline bool IsInjectedException(int status) { return status >= 0x80 && status <= 0x82; }

// What the control channel changes in the agent's behaviour.
struct Behaviour {
  bool muted = false;    // incoming messages are dropped unread
  int delayMs = 0;       // every reply waits this long
  int dropNext = 0;      // requests still to drop
  bool holding = false;  // replies wait for release
  std::deque<Injection> injections;

  // Takes the first injection that matches, if any.
  bool TakeInjection(PduKind kind, const Oid& oid, int& status);
};

// Hooks into the running agent that the channel needs.
struct ControlHooks {
  std::function<void()> release;                                           // sends the held replies
  std::function<bool(const std::string& path, std::string& err)> openLog;  // "" closes it
  std::function<void()> stop;                                              // ends the agent
  std::function<std::size_t()> waiting;  // replies delayed or held, not yet sent
};

class ControlChannel {
 public:
  ControlChannel(Store& store, Behaviour& behaviour, ControlHooks hooks);
  // Runs one command; the reply starts with "ok" or "error".
  std::string Execute(const std::string& line);

 private:
  Store& store_;
  Behaviour& behaviour_;
  ControlHooks hooks_;
};

}  // namespace sim
