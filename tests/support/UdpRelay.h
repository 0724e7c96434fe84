// A UDP relay on 127.0.0.1 between one SNMP manager and one agent, which
// drops the datagrams a rule chooses and notes every datagram it saw: for
// an SNMPv3 message, the authoritative engine id and the user name of its
// security parameters. Its own thread forwards; it stops with the object.
//
//   vntest::UdpRelay relay(agent_port);
//   relay.SetDropRule([](const vntest::RelayedDatagram& d) { return !d.to_agent; });
//   ... send to 127.0.0.1:relay.Port() ...
//   for (const vntest::RelayedDatagram& d : relay.Seen()) ...
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vntest {

struct RelayedDatagram {
  bool to_agent = true;  // from the manager to the agent, else back
  bool dropped = false;
  // The message's version field (0 v1, 1 v2c, 3 v3); -1 when it is no
  // SNMP message as far as the relay reads it.
  int version = -1;
  // Version 3: msgAuthoritativeEngineID and msgUserName.
  std::string engine_id;
  std::string user;

  // A version 3 engine id discovery: no engine id and no user.
  bool Discovery() const { return version == 3 && engine_id.empty() && user.empty(); }
};

// What an SNMP datagram says of itself (the fields above but the direction).
RelayedDatagram DecodeDatagram(const std::string& bytes);

class UdpRelay {
 public:
  // Whether a datagram is dropped; runs on the relay's thread, one call at
  // a time, with to_agent and the decoded fields filled in.
  using DropRule = std::function<bool(const RelayedDatagram&)>;

  // Throws std::runtime_error when its sockets cannot be had.
  explicit UdpRelay(int agent_port);
  ~UdpRelay();
  UdpRelay(const UdpRelay&) = delete;
  UdpRelay& operator=(const UdpRelay&) = delete;

  // The port the manager sends to.
  int Port() const;
  // From now on the manager's datagrams go to this agent port instead.
  void SetAgentPort(int port);
  // Null forwards everything.
  void SetDropRule(DropRule rule);
  // Every datagram so far, in the order they came.
  std::vector<RelayedDatagram> Seen() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vntest
