// A scripted agent for one request: it stands where the request sends (a
// UDP socket on 127.0.0.1) and keeps each datagram until the test says what
// becomes of it: answered by the simulated switch behind it (or refused by
// it, with genErr), timed out (the session gives the exchange up as it does
// when no answer comes), or left waiting. An answer can also be sent once
// more, as a late duplicate. Everything happens on the test's thread: each
// step ends once the session has taken what it was sent.
//
//   ScriptedAgent agent(sim.Port(), request.Request);  // request.Request.Device.Port =
//   agent.Port() request.Get(); agent.Collect();                      // the read's first step is
//   waiting agent.Answer(0, Answer::Ok);          // the switch's answer reaches the request
//   agent.TimeOut(0);                     // ...or the session gives up on it
//
// The request must send nothing but through this agent, with no retries and
// a time-out longer than the script.
#pragma once

#include <netinet/in.h>

#include <functional>
#include <string>
#include <vector>

class VnSNMPRequest;

namespace simtest {
class Simulator;
}

class ScriptedAgent {
 public:
  // The switch's answer, or its refusal with genErr or tooBig.
  enum class Answer { Ok, Refused, TooBig };

  // One exchange sent and not yet answered or timed out by the script.
  struct Exchange {
    int number = 0;      // the request's exchanges count from 1, in send order
    bool write = false;  // a SET (else a GET or GETNEXT)
    std::string datagram;
  };

  // Throws std::runtime_error when no socket can be had.
  ScriptedAgent(simtest::Simulator& sim, const VnSNMPRequest& request);
  ~ScriptedAgent();
  ScriptedAgent(const ScriptedAgent&) = delete;
  ScriptedAgent& operator=(const ScriptedAgent&) = delete;

  int Port() const { return port_; }
  // Takes in what the session has sent meanwhile.
  void Collect();
  const std::vector<Exchange>& Waiting() const { return waiting_; }
  // Every exchange taken in so far, R (a read) or W (a write) in send order.
  const std::string& Kinds() const { return kinds_; }
  // Whether the session still waits for the exchange (it was not taken back).
  bool Outstanding(int number) const;
  // The waiting exchange at `index` is answered: the switch's answer, or its
  // refusal, reaches the session.
  void Reply(std::size_t index, Answer answer);
  // The session gives the waiting exchange at `index` up as on a time-out;
  // nothing when it was taken back.
  void TimeOut(std::size_t index);
  // The last answer is sent once more (false: none was sent yet).
  bool AnswerAgain();
  // Lets the module's loop take what has come (the session's socket, the
  // calls asked for soon) until nothing is left.
  static void Settle();

 private:
  void Send(const std::string& bytes, const sockaddr_in& to);
  std::string Receive(sockaddr_in& from);
  // A datagram of the session's: it waits for the script.
  void TakeIn(std::string datagram, const sockaddr_in& from);
  std::string ReceiveFromSwitch();

  simtest::Simulator& sim_;
  const VnSNMPRequest& request_;
  int fd_ = -1;
  int port_ = 0;
  sockaddr_in session_{};
  sockaddr_in switch_{};
  int sent_ = 0;  // datagrams taken in
  std::vector<Exchange> waiting_;
  std::string lastAnswer_;
  std::string kinds_;
};
