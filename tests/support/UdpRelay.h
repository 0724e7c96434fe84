// A UDP relay on 127.0.0.1 between one SNMP manager and one agent, which
// drops, delays or duplicates the datagrams a rule chooses (a delayed one is
// overtaken by those behind it: that is how a rule reorders) and notes every
// datagram it saw: for a version 1 or 2c message its PDU type and request
// id, for an SNMPv3 message the authoritative engine id and the user name
// of its security parameters. Its own thread forwards; it stops with the
// object.
//
//   vntest::UdpRelay relay(agent_port);
//   relay.SetDropRule([](const vntest::RelayedDatagram& d) { return !d.to_agent; });
//   relay.SetRule([](const vntest::RelayedDatagram& d) {
//     return vntest::Fate{.delay_ms = d.pdu == vntest::kSet ? 300 : 0};
//   });
//   ... send to 127.0.0.1:relay.Port() ...
//   for (const vntest::RelayedDatagram& d : relay.Seen()) ...
#pragma once

#include <netinet/in.h>

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
  // Versions 1 and 2c: the PDU's tag (kGet ...; -1 when not read) and its
  // request id.
  int pdu = -1;
  long request_id = 0;
  // Version 3: msgAuthoritativeEngineID and msgUserName.
  std::string engine_id;
  std::string user;

  // A version 3 engine id discovery: no engine id and no user.
  bool Discovery() const { return version == 3 && engine_id.empty() && user.empty(); }
};

// PDU types, as their tags.
enum : int { kGet = 0xa0, kGetNext = 0xa1, kResponse = 0xa2, kSet = 0xa3 };

// What an SNMP datagram says of itself (the fields above but the direction).
RelayedDatagram DecodeDatagram(const std::string& bytes);

// 127.0.0.1 at the port.
sockaddr_in Loopback(int port);

// What becomes of one datagram.
struct Fate {
  bool drop = false;
  int delay_ms = 0;  // held that long; those behind it go on
  int copies = 1;    // sent that many times
};

class UdpRelay {
 public:
  // The fate of a datagram; runs on the relay's thread, one call at a time,
  // in the order the datagrams came, with to_agent and the decoded fields
  // filled in.
  using Rule = std::function<Fate(const RelayedDatagram&)>;
  // Whether a datagram is dropped.
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
  // Null forwards everything at once.
  void SetRule(Rule rule);
  void SetDropRule(DropRule rule);
  // Every datagram so far, in the order they came.
  std::vector<RelayedDatagram> Seen() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vntest
