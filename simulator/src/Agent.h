// The SNMP agent: a standalone master agent over Net-SNMP's agent library
// that answers from the store, with the access rules of the simulated
// switch (communities, USM users, one named context) and the behaviour the
// control channel asks for. Also the event loop everything else runs in.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "simulator/src/Control.h"
#include "simulator/src/RequestLog.h"
#include "simulator/src/Store.h"
#include "simulator/src/V3User.h"

namespace sim {

class TurnaroundLog;

struct AgentConfig {
  std::string address = "127.0.0.1";
  int port = 0;  // 0: a free port
  std::string readCommunity = "qovalt";
  std::string writeCommunity = "mundrel";
  std::vector<V3UserOption> users;
  std::string engineId = "800000ab03024b58358100";  // hex
  std::string context = "kxr5810";
  std::string stateDir;       // the library's private folder (must exist)
  bool persistBoots = false;  // count engine boots in stateDir/engine-boots
};

class Agent {
 public:
  Agent(Store& store, Behaviour& behaviour, RequestLog& log, AgentConfig config);
  ~Agent();
  Agent(const Agent&) = delete;
  Agent& operator=(const Agent&) = delete;

  // Notes when each datagram arrives and each reply leaves (not owned; it
  // outlives the agent). Before Start.
  void RecordTimes(TurnaroundLog* times);
  // Starts the library and binds the UDP port; false with a reason.
  bool Start(std::string& error);
  int Port() const;
  std::string EngineIdHex() const;
  long EngineBoots() const;

  // The event loop: waits for the next event and handles it.
  void RunOnce();
  // Calls back when the descriptor is readable, until unwatched.
  void Watch(int fd, std::function<void()> onReadable);
  void Unwatch(int fd);
  // Calls back when the descriptor can take more output, until unwatched.
  void WatchWritable(int fd, std::function<void()> onWritable);
  void UnwatchWritable(int fd);

  // Sends the replies held by the control channel's "hold".
  void ReleaseHeld();
  // Replies delayed or held and not yet sent.
  std::size_t Waiting() const;
  void Shutdown();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace sim
